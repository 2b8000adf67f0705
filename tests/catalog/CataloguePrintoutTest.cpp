#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/CCataloguePrintout.h"
#include "platform/gdi/CDC.h"
#include "resources/Resources.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestFolder.h"

namespace {

using Column = CCataloguePrintout::Column;

const std::vector<Column> kPartsColumns = {{"Manufacturer", 0.27f, false}, {"Scale", 0.10f, false},
                                           {"Description", 0.27f, false},  {"Part", 0.12f, false},
                                           {"Qty", 0.05f, true},           {"Price", 0.09f, true},
                                           {"Total", 0.10f, true}};

class CataloguePrintoutTest : public ::testing::Test {
  protected:
    void SetUp() override { RegisterResources(); }

    // Prints on an A4 printer at 300 dpi into the test's folder, keeping what was drawn.
    int PrintTraced(const CCataloguePrintout& printout) {
        dc.CreatePrinterDC((folder / "printout.pdf").c_str());
        dc.EnableTrace(true);
        return printout.Print(dc);
    }
    std::vector<CString> Texts() const {
        std::vector<CString> texts;
        for (const CDCTraceEntry& entry : dc.GetTrace())
            if (entry.primitive == "TextOut")
                texts.push_back(entry.text);
        return texts;
    }
    long Count(const CString& text) const {
        const std::vector<CString> texts = Texts();
        return std::count(texts.begin(), texts.end(), text);
    }
    size_t IndexOf(const CString& text) const {
        const std::vector<CString> texts = Texts();
        return static_cast<size_t>(std::find(texts.begin(), texts.end(), text) - texts.begin());
    }

    TestFolder folder;
    CDC dc;
};

}  // namespace

TEST_F(CataloguePrintoutTest, ColumnEdgesAreTruncatedSharesOfTheWidth) {
    const CCataloguePrintout parts("parts.cvp  Parts List", kPartsColumns,
                                   CCataloguePrintout::PageRule::kPixels);
    EXPECT_EQ(parts.ColumnEdges(1900), (std::vector<int>{0, 513, 703, 1216, 1444, 1539, 1710, 1900}));
}

TEST_F(CataloguePrintoutTest, RowsRunOverPagesWithTheTotalOnTheLastOnly) {
    CCataloguePrintout printout("parts.cvp  Parts List", kPartsColumns,
                                CCataloguePrintout::PageRule::kPixels);
    for (int row = 0; row < 70; ++row)
        printout.AddRow({"Acme", "HO", "A description far too long to fit into its column of the page", "P1",
                         "1", "2.00", "2.00"});
    printout.SetTotals({"Total", "", "", "", "", "", "140.00"});
    EXPECT_EQ(PrintTraced(printout), 2);
    EXPECT_EQ(CountPdfPages(folder / "printout.pdf"), 2);
    EXPECT_EQ(Count("Page 1 of 2"), 1);
    EXPECT_EQ(Count("Page 2 of 2"), 1);
    EXPECT_EQ(Count("parts.cvp  Parts List"), 2);
    EXPECT_EQ(Count("Total"), 3);  // the column title on each page, and the total's label once
    EXPECT_EQ(Count("140.00"), 1);
    EXPECT_GT(IndexOf("140.00"), IndexOf("Page 2 of 2"));
    // The long description is cut to what fits with "..".
    const std::vector<CString> texts = Texts();
    const auto cut = std::find_if(texts.begin(), texts.end(), [](const CString& text) {
        return text.GetLength() > 2 && text.Right(2) == ".." && text.Left(13) == "A description";
    });
    ASSERT_NE(cut, texts.end());
    EXPECT_LT(cut->GetLength(), 60);
    EXPECT_EQ(Count("Acme"), 70);
}

TEST_F(CataloguePrintoutTest, AnEmptyListPrintsOnePageWithItsTotal) {
    CCataloguePrintout printout("symbols.cvl  Parts List",
                                {{"Manufacturer", 0.32f, false}, {"Price", 0.68f, true}},
                                CCataloguePrintout::PageRule::kMillimetres);
    printout.SetTotals({"Total", "0.00"});
    EXPECT_EQ(PrintTraced(printout), 1);
    EXPECT_EQ(Count("Page 1 of 1"), 1);
    EXPECT_EQ(Count("0.00"), 1);
}

TEST_F(CataloguePrintoutTest, ThePageCountMatchesThePagesPrintedAroundAFullPage) {
    int full = 0;
    for (int rows = 40; rows < 70 && full == 0; ++rows) {
        CCataloguePrintout printout("t", kPartsColumns, CCataloguePrintout::PageRule::kPixels);
        for (int row = 0; row <= rows; ++row) printout.AddRow({"Acme"});
        CDC probe;
        probe.CreatePrinterDC((folder / "probe.pdf").c_str());
        if (printout.Print(probe) == 2)
            full = rows;
    }
    ASSERT_GT(full, 0);
    // A page filled exactly, then one row more: the count in "of" follows the pages printed.
    for (int rows : {full, full + 1}) {
        CCataloguePrintout printout("t", kPartsColumns, CCataloguePrintout::PageRule::kPixels);
        for (int row = 0; row < rows; ++row) printout.AddRow({"Acme"});
        dc.ClearTrace();
        const int pages = PrintTraced(printout);
        EXPECT_EQ(pages, rows == full ? 1 : 2);
        CString last;
        last.Format("Page %d of %d", pages, pages);
        EXPECT_EQ(Count(last), 1) << rows;
        dc.DeleteDC();
    }
}
