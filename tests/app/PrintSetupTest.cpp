#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/OfficePrinterProgram.h"
#include "tests/support/PdfPages.h"

namespace {

// An object that notes the cursor shown while it is printed.
class CursorProbe : public CPaint {
  public:
    explicit CursorProbe(HCURSOR& seen) : m_seen(seen) {}
    int Draw(const CPose*) override {
        if (m_pTool != nullptr && m_pTool->IsPrinting())
            m_seen = GetCursor();
        return 0;
    }

  private:
    HCURSOR& m_seen;
};

class PrintSetup : public OfficePrinterProgram {
  protected:
    // Prints the active layout to a PDF; answers the pages the print dialog was offered.
    UINT Print(const char* file) {
        UINT offered = 0;
        AfxSetPrintPrompt([&](CPrintInfo& info) {
            offered = info.GetMaxPage();
            info.m_strOutput = (folder / file).c_str();
            info.m_nDpi = 100;
            return TRUE;
        });
        View()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        return offered;
    }
};

}  // namespace

TEST_F(PrintSetup, TheChosenPrinterPaperAndMarginsHoldForThePageCountAndTheLayouts) {
    EXPECT_TRUE(IsEnabled(ID_FILE_PRINT_SETUP));
    int width = 0, height = 0;
    Main().GetPrintableSize(width, height);
    EXPECT_EQ(width, 2099);
    EXPECT_EQ(height, 2970);
    EXPECT_EQ(Main().GetPrinterMargins(), CRect());

    // A line reaching 570 mm across and 250 mm down, printed at 1:1.
    CCVNDoc& layout = DrawLineReaching(5700.0);
    // On a whole A4 sheet upright: three columns of one row.
    EXPECT_EQ(Print("upright.pdf"), 3u);
    EXPECT_EQ(CountPdfPages(folder / "upright.pdf"), 3);

    // Landscape Office leaves 278.3 by 200.8 mm: three columns of two rows. A whole landscape
    // sheet would take two of two.
    ChooseOfficeInLandscape();
    EXPECT_EQ(CPrintDialog(FALSE).GetDeviceName(), "Office");
    EXPECT_EQ(Print("office.pdf"), 6u);
    EXPECT_EQ(CountPdfPages(folder / "office.pdf"), 6);

    // The main window measures the chosen printer again, and each layout tests what lands on a
    // page against that area.
    const CRect margins = Main().GetPrinterMargins();
    EXPECT_NEAR(margins.left, 60, 1);
    EXPECT_NEAR(margins.top, 42, 1);
    EXPECT_NEAR(margins.right, 127, 1);
    EXPECT_NEAR(margins.bottom, 50, 1);
    Main().GetPrintableSize(width, height);
    EXPECT_NEAR(width, 2970 - 60 - 127, 2);
    EXPECT_NEAR(height, 2100 - 42 - 50, 2);
    int layoutWidth = 0, layoutHeight = 0;
    layout.GetPrintableSize(layoutWidth, layoutHeight);
    EXPECT_EQ(CSize(layoutWidth, layoutHeight), CSize(width, height));
}

TEST_F(PrintSetup, TheWaitCursorShowsWhileThePagesAreMade) {
    HCURSOR seen = nullptr;
    CCVNDoc& layout = *ActiveLayout();
    auto* probe = new CursorProbe(seen);
    probe->SetTool(&layout.m_tool);
    layout.m_rootGroup.m_members.push_back(probe);
    Print("plan.pdf");
    EXPECT_EQ(seen, LoadStandardCursor(IDC_WAIT));
    EXPECT_NE(GetCursor(), LoadStandardCursor(IDC_WAIT));
}
