#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/PrinterMargins.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"
#include "platform/win/AfxIds.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/PdfPages.h"

namespace {

// The queue "Office" prints A4 with 5 mm left, 6 mm top, 4.2 mm right and 12.7 mm bottom
// left blank (hundredths of a millimetre).
class OfficeQueue : public CQueueDescription {
  public:
    std::optional<QueueMedia> MediaOf(const CString& queue, int, int) const override {
        if (queue != "Office")
            return std::nullopt;
        return QueueMedia{21000, 29700, 500, 600, 420, 1270};
    }
};

// The command line's print (/p) sends the direct print command to the layout it opened.
class DirectPrint : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        WriteScript("lpstat", "echo 'Office accepting requests since Mon 01 Jan 2024'\n");
        WriteScript("lp", "echo \"$@\" > '" + (folder / "lp-arguments").string() + "'\n" +
                              "for last; do :; done\ncp \"$last\" '" + (folder / "spooled.pdf").string() +
                              "'\n");
        PrinterQueue::SetCommands((folder / "lpstat").c_str(), (folder / "lp").c_str());
        PrinterMargins::SetQueueDescription(std::make_unique<OfficeQueue>());
        CPrintDialog::ResetSessionPrinter();
        ASSERT_TRUE(Start());
    }
    void TearDown() override {
        RunningProgram::TearDown();
        PrinterQueue::SetCommands("lpstat", "lp");
        PrinterMargins::SetQueueDescription(nullptr);
        CPrintDialog::ResetSessionPrinter();
    }
    void WriteScript(const char* name, const std::string& body) {
        std::ofstream(folder / name) << "#!/bin/sh\n" << body;
        chmod((folder / name).c_str(), 0755);
    }
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
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        auto* printers = static_cast<CComboBox*>(dialog.GetDlgItem(cmb4));
        printers->SetCurSel(printers->FindStringExact(-1, "Office"));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
        static_cast<CDialog&>(dialog).CheckRadioButton(rad1, rad2, rad2);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(rad2, BN_CLICKED), 0);
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
    host.RunUntilIdle();
    PrintDirect();
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 6);
    std::ifstream arguments(folder / "lp-arguments");
    std::string line;
    std::getline(arguments, line);
    EXPECT_EQ(line.substr(0, 14), "-d Office -n 1");
    EXPECT_TRUE(host.MessageBoxes().empty());
}
