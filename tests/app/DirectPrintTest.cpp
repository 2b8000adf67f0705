#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cdlg/CPreviewView.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/ctl/CComboBox.h"
#include "platform/win/AfxIds.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "tests/app/OfficePrinterProgram.h"
#include "tests/support/PdfPages.h"

namespace {

// The command line's print (/p) sends the direct print command to the layout it opened.
class DirectPrint : public OfficePrinterProgram {
  protected:
    CWnd& Plan() { return *Main().MDIGetActive()->GetActiveView(); }
    void PrintDirect() {
        Plan().SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        host.RunUntilIdle();
    }
    // A line reaching `across` tenths of a millimetre right, in the layout saved as yard.cvn.
    std::filesystem::path SaveYard(double across) {
        CCVNDoc& layout = DrawLineReaching(across);
        const std::filesystem::path yard = folder / "yard.cvn";
        EXPECT_TRUE(layout.OnSaveDocument(yard.c_str()));
        layout.SetPathName(yard.c_str());
        return yard;
    }
    // Ends the program, then starts another one with the arguments, which prints and ends.
    void PrintFromCommandLine(std::vector<std::string> arguments) {
        for (CDocTemplate* docTemplate : app.Templates())
            for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
        Quit(app);
        WindowManager::Instance().Reset();
        TestApp printing;
        EXPECT_FALSE(StartProgram(printing, std::move(arguments)));
        Quit(printing);
        WindowManager::Instance().Reset();
    }
    std::string LpArguments() {
        std::string line;
        std::getline(std::ifstream(folder / "lp-arguments"), line);
        return line;
    }
};

// A machine whose CUPS default destination is the Office queue.
class DefaultOfficePrint : public DirectPrint {
  protected:
    DefaultOfficePrint() { officeIsTheDefault = true; }
};

}  // namespace

TEST_F(DirectPrint, GoesToTheSessionsPrinterWithItsPaperAndMargins) {
    // A layout reaching 570 mm across.
    SaveYard(5700.0);

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
    EXPECT_EQ(LpArguments().substr(0, 14), "-d Office -n 1");
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(DirectPrint, PrintToSendsTheLayoutToThePrinterTheCommandLineNames) {
    // 415 mm across: two whole A4 sheets, but three columns of Office's 200.8 mm upright.
    const std::filesystem::path yard = SaveYard(4150.0);
    PrintFromCommandLine({"/pt", yard.string(), "Office"});
    EXPECT_EQ(LpArguments().substr(0, 14), "-d Office -n 1");
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 3);
    EXPECT_FALSE(std::filesystem::exists(folder / "yard.pdf"));

    // The named printer served that job only: a plain print still saves the PDF.
    std::filesystem::remove(folder / "lp-arguments");
    PrintFromCommandLine({"/p", yard.string()});
    EXPECT_EQ(CountPdfPages(folder / "yard.pdf"), 2);
    EXPECT_FALSE(std::filesystem::exists(folder / "lp-arguments"));
}

TEST_F(DefaultOfficePrint, PrintPreviewAndSlashPUseTheDefaultQueueUntilPrintSetupChoosesAnother) {
    // The layouts measure the default queue's printable area from the start, through its
    // printer DC's whole dots.
    EXPECT_EQ(Main().GetPrinterMargins(), CRect(49, 60, 41, 127));
    const std::filesystem::path yard = SaveYard(4150.0);

    // The print dialog starts on it, and the preview pages its printable area: three columns.
    host.WhenModal("Print", [&](CWnd& dialog) {
        CString chosen;
        static_cast<CComboBox*>(dialog.GetDlgItem(cmb4))->GetWindowText(chosen);
        EXPECT_EQ(chosen, "Office");
        host.PressKey(VK_ESCAPE);
    });
    Plan().SendMessage(WM_COMMAND, ID_FILE_PRINT);
    host.RunUntilIdle();
    Plan().SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    host.RunUntilIdle();
    CPreviewView* preview = nullptr;
    for (CWnd* child : Main().Children())
        if (auto* found = dynamic_cast<CPreviewView*>(child))
            preview = found;
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->Pages().PageExists(3));
    EXPECT_FALSE(preview->Pages().PageExists(4));
    preview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    host.RunUntilIdle();

    // File > Print confirmed as it opens hands the job to it.
    host.WhenModal("Print", [&](CWnd& dialog) { dialog.SendMessage(WM_COMMAND, IDOK); });
    Plan().SendMessage(WM_COMMAND, ID_FILE_PRINT);
    host.RunUntilIdle();
    EXPECT_EQ(LpArguments().substr(0, 14), "-d Office -n 1");
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 3);
    EXPECT_FALSE(std::filesystem::exists(folder / "yard.pdf"));

    // /p hands the job to it.
    std::filesystem::remove(folder / "lp-arguments");
    PrintFromCommandLine({"/p", yard.string()});
    EXPECT_EQ(LpArguments().substr(0, 14), "-d Office -n 1");
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 3);
    EXPECT_FALSE(std::filesystem::exists(folder / "yard.pdf"));

    // /pt prints on the queue it names, the default notwithstanding.
    std::filesystem::remove(folder / "lp-arguments");
    PrintFromCommandLine({"/pt", yard.string(), "Attic"});
    EXPECT_EQ(LpArguments().substr(0, 13), "-d Attic -n 1");
    EXPECT_FALSE(std::filesystem::exists(folder / "yard.pdf"));
}
