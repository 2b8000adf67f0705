#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "tests/gdi/Canvas.h"
#include "tests/support/TestFolder.h"

// Draws one of everything into a PNG that a person can look at (in the temporary folder).
TEST(SampleDrawing, DumpsAPicture) {
    Canvas canvas(320, 240, RGB(255, 255, 240));
    CDC& dc = canvas.dc;
    CPen thick(PS_SOLID, 4, RGB(0, 90, 0));
    CPen dashed(PS_DASHDOT, 1, RGB(0, 0, 200));
    CBrush hatch(HS_DIAGCROSS, RGB(180, 0, 0));
    CBrush solid(RGB(255, 200, 0));
    dc.SelectObject(&thick);
    dc.SelectObject(&solid);
    dc.Ellipse(10, 10, 110, 80);
    dc.SelectObject(&hatch);
    dc.SetBkMode(TRANSPARENT);
    dc.RoundRect(120, 10, 220, 80, 30, 30);
    dc.SelectObject(&dashed);
    dc.SetBkMode(OPAQUE);
    dc.Pie(230, 10, 310, 90, 310, 50, 270, 10);
    const POINT star[] = {{60, 95}, {89, 185}, {12, 129}, {108, 129}, {31, 185}};
    dc.SetPolyFillMode(WINDING);
    dc.SelectObject(&solid);
    dc.Polygon(star, 5);
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -18;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(130, 100, CString("Corvane \xB0 plan"));
    lf.lfEscapement = 450;
    CFont turned;
    turned.CreateFontIndirect(&lf);
    dc.SelectObject(&turned);
    dc.SetTextColor(RGB(0, 0, 160));
    dc.TextOut(140, 220, CString("45 degrees"));
    CRect button(230, 180, 310, 230);
    dc.DrawFrameControl(&button, DFC_BUTTON, DFCS_BUTTONPUSH);
    dc.SelectStockObject(BLACK_PEN);
    dc.SetROP2(R2_NOTXORPEN);
    dc.MoveTo(0, 239);
    dc.LineTo(319, 0);
    TestFolder folder;
    const auto path = folder / "sample.png";
    ASSERT_TRUE(dc.WritePng(path.string().c_str()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}
