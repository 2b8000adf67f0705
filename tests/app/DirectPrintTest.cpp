#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "resources/CommandIds.h"
#include "tests/app/OfficePrinterProgram.h"
#include "tests/support/PdfPages.h"

namespace {

// The command line's print (/p) sends the direct print command to the layout it opened.
class DirectPrint : public OfficePrinterProgram {
  protected:
    void PrintDirect() {
        Main().MDIGetActive()->GetActiveView()->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        host.RunUntilIdle();
    }
};

}  // namespace

TEST_F(DirectPrint, GoesToTheSessionsPrinterWithItsPaperAndMargins) {
    // A line reaching 570 mm across and 250 mm down, printed at 1:1, in a layout saved as yard.cvn.
    DrawLine();
    CCVNDoc& layout = *ActiveLayout();
    layout.m_nPrintScaleChoice = 1;
    layout.m_fPrintScale = 1.0;
    layout.m_fPageWidth = 20000.0;
    layout.m_fPageHeight = 20000.0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    const CPose identity;
    layout.m_rootGroup.GetBounds(&identity, minX, minY, maxX, maxY);
    layout.m_tool.SelectAll(0);
    layout.m_tool.MoveSelection(5700.0 - maxX, -2500.0 - minY, 0, 0, 0);
    ASSERT_TRUE(layout.OnSaveDocument((folder / "yard.cvn").c_str()));
    layout.SetPathName((folder / "yard.cvn").c_str());

    // No printer chosen: "Save as PDF" writes the whole A4 sheet upright beside the layout,
    // three columns of one row.
    PrintDirect();
    EXPECT_EQ(CountPdfPages(folder / "yard.pdf"), 3);
    EXPECT_FALSE(std::filesystem::exists(folder / "lp-arguments"));

    // Print Setup chooses Office in landscape: 278.3 by 200.8 mm printable, three columns of two
    // rows, handed to the queue.
    ChooseOfficeInLandscape();
    PrintDirect();
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 6);
    std::ifstream arguments(folder / "lp-arguments");
    std::string line;
    std::getline(arguments, line);
    EXPECT_EQ(line.substr(0, 14), "-d Office -n 1");
    EXPECT_TRUE(host.MessageBoxes().empty());
}
