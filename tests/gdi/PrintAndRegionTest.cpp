#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/gdi/Canvas.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestFolder.h"

namespace {
std::string PdfInfo(const std::filesystem::path& pdf) {
    const std::string command = "pdfinfo '" + pdf.string() + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    return out;
}

}  // namespace

TEST(Printing, TwoPagesMakeATwoPagePdf) {
    TestFolder folder;
    const auto pdf = folder / "layout.pdf";
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC(pdf.string().c_str()));
    DOCINFO info{sizeof(DOCINFO), "Layout", nullptr, nullptr, 0};
    ASSERT_GT(printer.StartDoc(&info), 0);
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(printer.StartPage(), 0);
        printer.SetMapMode(MM_LOMETRIC);
        printer.Rectangle(100, -100, 2000, -2800);
        printer.TextOut(200, -200, page == 0 ? CString("First page") : CString("Second page"));
        // Printing draws the same pixels as the screen: 1 cm is 118 dots at 300 dpi.
        POINT cm{100, -100};
        printer.LPtoDP(&cm);
        EXPECT_EQ(cm.x, 118);
        EXPECT_EQ(printer.GetPixel(100, -100), kBlack);
        ASSERT_GT(printer.EndPage(), 0);
    }
    ASSERT_GT(printer.EndDoc(), 0);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(CountPdfPages(pdf), 2);
    const std::string details = PdfInfo(pdf);
    if (!details.empty()) {
        EXPECT_NE(details.find("Pages:           2"), std::string::npos) << details;
        EXPECT_NE(details.find("595.276 x 841.89"), std::string::npos) << details;  // A4 in points
        EXPECT_NE(details.find("Title:           Layout"), std::string::npos) << details;
    }
}

TEST(Printing, AnUnwritableOutputFailsToStart) {
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC("/nonexistent-folder/out.pdf"));
    EXPECT_LT(printer.StartDoc("Layout"), 0);
}

TEST(Regions, PointsRectanglesAndPolygons) {
    CRgn rect;
    rect.CreateRectRgn(10, 10, 20, 20);
    EXPECT_TRUE(rect.PtInRegion(10, 10));
    EXPECT_TRUE(rect.PtInRegion(19, 19));
    EXPECT_FALSE(rect.PtInRegion(20, 15));  // right and bottom edges are outside
    EXPECT_FALSE(rect.PtInRegion(15, 20));

    const POINT star[] = {{50, 5}, {79, 95}, {2, 39}, {98, 39}, {21, 95}};
    CRgn winding, alternate;
    winding.CreatePolygonRgn(star, 5, WINDING);
    alternate.CreatePolygonRgn(star, 5, ALTERNATE);
    EXPECT_TRUE(winding.PtInRegion(50, 55));
    EXPECT_FALSE(alternate.PtInRegion(50, 55));
    EXPECT_TRUE(alternate.PtInRegion(50, 20));

    CRgn both;
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&rect, &winding, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(12, 12));
    EXPECT_TRUE(both.PtInRegion(50, 55));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.top, 7);  // the first row whose pixel centres fall inside the tip

    // Degenerate and very large figures.
    const POINT line[] = {{0, 0}, {100, 0}, {50, 0}};
    CRgn flat;
    flat.CreatePolygonRgn(line, 3, ALTERNATE);
    EXPECT_EQ(flat.GetRgnBox(&box), NULLREGION);
    const POINT huge[] = {{-2000000000, -2000000000},
                          {2000000000, -2000000000},
                          {2000000000, 2000000000},
                          {-2000000000, 2000000000}};
    CRgn large;
    large.CreatePolygonRgn(huge, 4, WINDING);
    EXPECT_TRUE(large.PtInRegion(0, 0));
    EXPECT_TRUE(large.PtInRegion(1000000, -1000));

    Canvas canvas(30, 30);
    CBrush red(kRed);
    canvas.dc.FillRgn(&rect, &red);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 30, 30)), 100);
}
