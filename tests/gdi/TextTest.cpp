#include <gtest/gtest.h>

#include <cstring>

#include "tests/gdi/Canvas.h"

namespace {
CRect InkBounds(Canvas& canvas, const CRect& area, COLORREF ink) {
    CRect bounds;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.At(x, y) == ink)
                bounds |= CRect(x, y, x + 1, y + 1);
    return bounds;
}

LOGFONT Arial(int height, int escapement = 0) {
    LOGFONT font{};
    font.lfHeight = height;
    font.lfEscapement = font.lfOrientation = escapement;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}
}  // namespace

TEST(Text, PositionAlignmentAndExtent) {
    Canvas canvas(200, 60);
    CDC& dc = canvas.dc;
    CFont font;
    const LOGFONT arial = Arial(-20);
    ASSERT_TRUE(font.CreateFontIndirect(&arial));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    const CSize extent = dc.GetTextExtent("HHH");
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(extent.cy, tm.tmHeight);
    EXPECT_GE(tm.tmHeight, 20);
    EXPECT_LE(tm.tmHeight, 25);
    EXPECT_GT(extent.cx, 30);

    dc.TextOut(10, 10, "HHH");
    const CRect ink = InkBounds(canvas, CRect(0, 0, 200, 60), kBlack);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 13);
    EXPECT_LE(ink.right, 10 + extent.cx);
    EXPECT_GT(ink.top, 10);                   // the cell's top is above the capitals
    EXPECT_EQ(ink.bottom, 10 + tm.tmAscent);  // the capitals stand on the baseline

    // Right aligned on the baseline: the ink ends at x and sits on y.
    Canvas right(200, 60);
    right.dc.SelectObject(&font);
    right.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    right.dc.SetBkMode(TRANSPARENT);
    right.dc.TextOut(150, 40, "HHH");
    const CRect rightInk = InkBounds(right, CRect(0, 0, 200, 60), kBlack);
    EXPECT_LE(rightInk.right, 150);
    EXPECT_GE(rightInk.right, 146);
    EXPECT_EQ(rightInk.bottom, 40);

    // Opaque background fills the text cell.
    Canvas opaque(100, 40);
    opaque.dc.SelectObject(&font);
    opaque.dc.SetBkColor(kRed);
    opaque.dc.TextOut(0, 0, "HHH");
    EXPECT_EQ(opaque.CountColor(kRed, CRect(0, 0, 100, 40)) + opaque.CountColor(kBlack, CRect(0, 0, 100, 40)),
              extent.cx * extent.cy);
}

TEST(Text, EscapementTurnsTheGlyphs) {
    Canvas canvas(80, 120);
    CDC& dc = canvas.dc;
    CFont turned;
    const LOGFONT up = Arial(-20, 900);
    turned.CreateFontIndirect(&up);
    dc.SelectObject(&turned);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(20, 100, "HHHH");
    // Reading upward from (20, 100): the ink lies above the point, to the right of x = 20.
    const CRect ink = InkBounds(canvas, CRect(0, 0, 80, 120), kBlack);
    EXPECT_LE(ink.bottom, 101);
    EXPECT_LT(ink.top, 70);
    EXPECT_GE(ink.left, 20);
    EXPECT_LT(ink.Width(), 20);
}

TEST(Text, GlyphsStayUprightUnderYUpMapping) {
    // "L" has its foot at the bottom in both mappings.
    for (int mode : {MM_TEXT, MM_LOMETRIC}) {
        Canvas canvas(100, 100);
        CDC& dc = canvas.dc;
        dc.SetMapMode(mode);
        CFont font;
        const LOGFONT big = Arial(mode == MM_TEXT ? -40 : -106);
        font.CreateFontIndirect(&big);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(mode == MM_TEXT ? 10 : 26, mode == MM_TEXT ? 10 : -26, "L");
        const CRect ink = InkBounds(canvas, CRect(0, 0, 100, 100), kBlack);
        ASSERT_FALSE(ink.IsRectEmpty());
        const int topRow = canvas.CountColor(kBlack, CRect(ink.left, ink.top, ink.right, ink.top + 1));
        const int bottomRow =
            canvas.CountColor(kBlack, CRect(ink.left, ink.bottom - 1, ink.right, ink.bottom));
        EXPECT_GT(bottomRow, topRow * 3) << mode;
        EXPECT_GE(ink.top, 10) << mode;
    }
}

TEST(Text, DrawTextAlignsAndMeasures) {
    Canvas canvas(200, 50);
    CDC& dc = canvas.dc;
    CFont font;
    const LOGFONT arial = Arial(-16);
    font.CreateFontIndirect(&arial);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    CRect measure(0, 0, 0, 0);
    const int height = dc.DrawText("Track &Plan", &measure, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measure.Width(), dc.GetTextExtent("Track Plan").cx);
    EXPECT_EQ(height, measure.Height());

    CRect box(0, 0, 200, 50);
    dc.DrawText("Plan", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect ink = InkBounds(canvas, CRect(0, 0, 200, 50), kBlack);
    EXPECT_NEAR(ink.CenterPoint().x, 100, 3);
    EXPECT_NEAR(ink.CenterPoint().y, 25, 4);

    Canvas clipped(100, 30);
    clipped.dc.SelectObject(&font);
    CRect narrow(0, 0, 10, 30);
    clipped.dc.DrawText("WWWWWW", &narrow, DT_LEFT | DT_SINGLELINE);
    EXPECT_EQ(clipped.CountColor(kBlack, CRect(10, 0, 100, 30)), 0);
    EXPECT_GT(clipped.CountColor(kBlack, CRect(0, 0, 10, 30)), 0);

    // Under the plan's y-up mapping, moved by a viewport origin, the clip is the logical box:
    // 0 to 200 across and 150 to 100 down the page is pixels 20 to 96 and 43 to 62, which the
    // text's background, taller and wider than the box, fills.
    Canvas plan(200, 120);
    plan.dc.SetMapMode(MM_LOMETRIC);
    plan.dc.SetViewportOrg(20, 100);
    CFont planFont;
    const LOGFONT tall = Arial(-60);
    planFont.CreateFontIndirect(&tall);
    plan.dc.SelectObject(&planFont);
    CRect logical(0, 150, 200, 100);
    plan.dc.SetBkColor(kRed);
    plan.dc.DrawText("MMMMMMMMMMMM", &logical, DT_LEFT);
    EXPECT_EQ(InkBounds(plan, CRect(0, 0, 200, 120), kRed), CRect(20, 43, 96, 62));
}

TEST(Text, FacesResolveToInstalledFonts) {
    CFont font;
    font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Times New Roman");
    LOGFONT back;
    ASSERT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_STREQ(back.lfFaceName, "Times New Roman");
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    Canvas canvas(10, 10);
    canvas.dc.SelectObject(&font);
    int iw[5];
    ASSERT_TRUE(canvas.dc.GetCharWidth('i', 'm', iw));
    EXPECT_LT(iw[0], iw[4]);  // i narrower than m
}

TEST(Text, EllipsisAndTrace) {
    Canvas canvas(200, 30);
    CDC& dc = canvas.dc;
    dc.EnableTrace(true);
    CRect narrow(0, 0, 60, 30);
    dc.DrawText("A rather long caption", &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    CPen pen(PS_DOT, 1, kRed);
    dc.SelectObject(&pen);
    dc.MoveTo(1, 2);
    dc.LineTo(30, 2);
    const auto& trace = dc.GetTrace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].primitive, "TextOut");
    EXPECT_EQ(trace[0].text.Right(3), "...");
    EXPECT_LE(dc.GetTextExtent(trace[0].text).cx, 60);
    EXPECT_EQ(trace[1].primitive, "LineTo");
    EXPECT_EQ(trace[1].points[0].x, 1);
    EXPECT_EQ(trace[1].points[1].x, 30);
    EXPECT_EQ(trace[1].pen.lopnStyle, PS_DOT);
    EXPECT_EQ(trace[1].pen.lopnColor, kRed);
    EXPECT_EQ(canvas.At(2, 2), kRed);  // the trace observes; the drawing still happens
}
