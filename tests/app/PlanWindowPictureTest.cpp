#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "tests/app/PlanInProgram.h"
#include "tests/support/PixelDigest.h"

// The main window as the plan window, its rulers and the status bar leave it after zooming,
// scrolling, a change of unit and the mouse crossing the plan is, pixel for pixel, the window
// painted afresh: the rulers and status panes that skip repeated work leave nothing stale.

namespace {

constexpr int kMillimetres = 8;

class PlanWindowPicture : public PlanInProgram {
  protected:
    CCVNView& View() { return *dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Scroll(UINT message, UINT code, int times) {
        for (int i = 0; i < times; ++i) {
            View().SendMessage(message, MAKEWPARAM(code, 0));
            host.RunUntilIdle();
        }
        View().SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0));
        host.RunUntilIdle();
    }
    void MouseTo(CPoint client) {
        View().ClientToScreen(&client);
        host.MouseMove(client);
    }
    std::uint64_t MainWindowDigest() { return PixelDigest(*Main().Surface()); }
    // The window as the work left it against the same window painted whole again.
    void ExpectAsPaintedAfresh(const char* step) {
        const std::uint64_t left = MainWindowDigest();
        // Redraw switched off and on again paints the whole window tree.
        Main().SendMessage(WM_SETREDRAW, FALSE);
        Main().SendMessage(WM_SETREDRAW, TRUE);
        host.RunUntilIdle();
        EXPECT_EQ(left, MainWindowDigest()) << step;
        ++m_steps;
    }
    int m_steps = 0;
};

}  // namespace

TEST_F(PlanWindowPicture, ZoomScrollUnitsAndTheMouseLeaveNothingStale) {
    CCVNDoc& layout = *ActiveLayout();
    layout.m_fPageWidth = 400000.0;
    layout.m_fPageHeight = 400000.0;
    View().UpdateScrollSizes();
    View().InvalidateAll();
    // A straight drawn with the mouse fills the status panes.
    Command(ID_TOOL_STRAIGHT_TRACK);
    host.DragClient(&View(), CPoint(100, 120), CPoint(300, 160), 6);
    MouseTo(CPoint(300, 200));
    ExpectAsPaintedAfresh("a straight drawn");

    Command(ID_ZOOM_IN);
    Command(ID_ZOOM_IN);
    MouseTo(CPoint(310, 240));
    ExpectAsPaintedAfresh("zoomed in twice");

    Scroll(WM_HSCROLL, SB_PAGERIGHT, 3);
    Scroll(WM_VSCROLL, SB_PAGEDOWN, 2);
    MouseTo(CPoint(420, 260));
    ExpectAsPaintedAfresh("scrolled by pages");

    // SB_BOTTOM is the far right end on the horizontal bar.
    Scroll(WM_HSCROLL, SB_BOTTOM, 1);
    Scroll(WM_VSCROLL, SB_BOTTOM, 1);
    MouseTo(CPoint(200, 300));
    MouseTo(CPoint(205, 302));
    ExpectAsPaintedAfresh("scrolled to the far ends");

    layout.m_nUnitIndex = kMillimetres;
    View().InvalidateAll();
    host.RunUntilIdle();
    MouseTo(CPoint(150, 100));
    ExpectAsPaintedAfresh("millimetres");

    Command(ID_ZOOM_FIT);
    MouseTo(CPoint(250, 150));
    ExpectAsPaintedAfresh("fitted to the screen");

    EXPECT_EQ(m_steps, 6);
}

// A ruler is painted again only when the plan moves along it, and then with the other
// windows' paints rather than at once.
TEST_F(PlanWindowPicture, ARulerWaitsToBePaintedAndOnlyWhenThePlanMovesAlongIt) {
    ActiveLayout()->m_fPageWidth = 400000.0;
    ActiveLayout()->m_fPageHeight = 400000.0;
    View().UpdateScrollSizes();
    host.RunUntilIdle();
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    CRulerBar& top = child->TopRuler();
    CRulerBar& left = child->LeftRuler();

    View().InvalidateAll();
    View().UpdateWindow();
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());
    EXPECT_TRUE(left.UpdateRegion().IsEmpty());

    View().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0));
    EXPECT_FALSE(top.UpdateRegion().IsEmpty());
    EXPECT_TRUE(left.UpdateRegion().IsEmpty());
    host.RunUntilIdle();
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());

    View().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());
    EXPECT_FALSE(left.UpdateRegion().IsEmpty());
    host.RunUntilIdle();

    ActiveLayout()->m_nUnitIndex = kMillimetres;
    View().InvalidateAll();
    View().UpdateWindow();
    EXPECT_FALSE(top.UpdateRegion().IsEmpty());
    EXPECT_FALSE(left.UpdateRegion().IsEmpty());
}

namespace {

// The screen points of a window whose pixels in the main window changed between two pictures.
std::vector<CPoint> ChangedPoints(CWnd& main, CWnd& window, const std::vector<std::uint32_t>& before) {
    CRect frame, area;
    main.GetWindowRect(&frame);
    window.GetWindowRect(&area);
    const PixelSurface& pixels = *main.Surface();
    std::vector<CPoint> changed;
    std::size_t index = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pixels.At(x - frame.left, y - frame.top) != before[index++])
                changed.emplace_back(x, y);
    return changed;
}

std::vector<std::uint32_t> Picture(CWnd& main, CWnd& window) {
    CRect frame, area;
    main.GetWindowRect(&frame);
    window.GetWindowRect(&area);
    std::vector<std::uint32_t> picture;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            picture.push_back(main.Surface()->At(x - frame.left, y - frame.top));
    return picture;
}

}  // namespace

// The mouse over the plan is marked on both rulers by a line right at its place.
TEST_F(PlanWindowPicture, TheRulersMarkTheMouseAtItsPlace) {
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    for (CPoint client : {CPoint(300, 200), CPoint(340, 230)}) {
        const std::vector<std::uint32_t> top = Picture(Main(), child->TopRuler());
        const std::vector<std::uint32_t> left = Picture(Main(), child->LeftRuler());
        CPoint screen = client;
        View().ClientToScreen(&screen);
        MouseTo(client);
        host.RunUntilIdle();
        // The new marker; the old one, when there was one, is gone again.
        std::vector<CPoint> topChanged = ChangedPoints(Main(), child->TopRuler(), top);
        std::vector<CPoint> leftChanged = ChangedPoints(Main(), child->LeftRuler(), left);
        ASSERT_FALSE(topChanged.empty()) << client.x;
        ASSERT_FALSE(leftChanged.empty()) << client.y;
        int newColumn = 0, newRow = 0;
        for (const CPoint& point : topChanged) newColumn += point.x == screen.x;
        for (const CPoint& point : leftChanged) newRow += point.y == screen.y;
        EXPECT_GT(newColumn, 8) << client.x;
        EXPECT_GT(newRow, 8) << client.y;
    }
}

namespace {

// The columns (top ruler) or rows (left ruler) of a ruler's tick area, each as the pixels
// across it, in the order they lie along the plan.
std::vector<std::vector<std::uint32_t>> RulerLines(CWnd& main, CRulerBar& ruler, CWnd& view,
                                                   bool horizontal) {
    CRect frame, area, pane;
    main.GetWindowRect(&frame);
    ruler.GetWindowRect(&area);
    view.GetClientRect(&pane);
    view.ClientToScreen(&pane);
    if (horizontal) {
        area.left = pane.left;
        area.right = pane.right;
    } else {
        area.top = pane.top;
        area.bottom = pane.bottom;
    }
    const int along = horizontal ? area.Width() : area.Height();
    const int across = horizontal ? area.Height() : area.Width();
    std::vector<std::vector<std::uint32_t>> lines(along);
    for (int a = 0; a < along; ++a)
        for (int c = 0; c < across; ++c) {
            const int x = horizontal ? area.left + a : area.left + c;
            const int y = horizontal ? area.top + c : area.top + a;
            lines[a].push_back(main.Surface()->At(x - frame.left, y - frame.top));
        }
    return lines;
}

}  // namespace

// Scrolled by whole inches, a ruler's picture moves by as many pixels: a label whose tick lies
// past the end of the ruler comes in with the plan, its start drawn while its tick is not.
TEST_F(PlanWindowPicture, RulerLabelsScrollInWithThePlanInsteadOfPoppingIn) {
    CCVNDoc& layout = *ActiveLayout();
    layout.m_fPageWidth = 40000000.0;
    layout.m_fPageHeight = 40000000.0;
    View().UpdateScrollSizes();
    // Zoomed out to 1/64, six-digit inch labels stand wider than their labelled spacing.
    for (int i = 0; i < 6; ++i) Command(ID_ZOOM_OUT);
    ASSERT_DOUBLE_EQ(layout.m_tool.m_fZoomNumerator / layout.m_tool.m_fZoomDenominator, 1.0 / 640.0);
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    constexpr int kInchPixels = 96;  // at the host's 96 dots per inch
    constexpr int kBorder = 4;       // the tick area's frame does not scroll
    for (bool horizontal : {true, false}) {
        CRulerBar& ruler = horizontal ? child->TopRuler() : child->LeftRuler();
        std::vector<std::vector<std::uint32_t>> before;
        int compared = 0;
        for (int inches = 150; inches < 190; ++inches) {
            // The plan's logical units are tenths of a millimetre, y rising upwards.
            const int logical = inches * 254;
            View().ScrollToPosition(horizontal ? CPoint(logical, 0) : CPoint(0, -logical));
            host.RunUntilIdle();
            const std::vector<std::vector<std::uint32_t>> now = RulerLines(Main(), ruler, View(), horizontal);
            if (!before.empty()) {
                ASSERT_EQ(now.size(), before.size());
                for (std::size_t a = kBorder; a + kInchPixels + kBorder < now.size(); ++a) {
                    ASSERT_TRUE(now[a] == before[a + kInchPixels])
                        << (horizontal ? "top" : "left") << " ruler, " << inches << " inches, at " << a;
                    ++compared;
                }
            }
            before = now;
        }
        EXPECT_GT(compared, 1000);
    }
}
