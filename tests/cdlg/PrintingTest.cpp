#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/CommonDialogPrompts.h"
#include "platform/cdlg/PrinterMargins.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/cdlg/PagesView.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A stand-in for what CUPS tells of its queues' media: each queue has one sheet, whatever size
// is asked for, and the sizes asked for are noted.
class StandInQueues : public CQueueDescription {
  public:
    explicit StandInQueues(std::map<CString, QueueMedia> media, std::vector<CSize>* asked)
        : m_media(std::move(media)), m_asked(asked) {}
    std::optional<QueueMedia> MediaOf(const CString& queue, int width, int length) const override {
        m_asked->push_back(CSize(width, length));
        const auto found = m_media.find(queue);
        return found == m_media.end() ? std::nullopt : std::optional<QueueMedia>(found->second);
    }

  private:
    std::map<CString, QueueMedia> m_media;
    std::vector<CSize>* m_asked;
};

// A4 with margins of 4.2 mm left, 5 mm top, 6 mm right and 12.7 mm bottom, in hundredths.
constexpr QueueMedia kOfficeA4{21000, 29700, 420, 500, 600, 1270};

// The top-left corner of the first black area on page 1 of a PDF, in tenths of a millimetre
// from the sheet's top-left corner (pdftoppm draws it at 254 dots per inch, a dot a tenth).
CPoint FirstInkOfPdf(const fs::path& pdf, const fs::path& folder) {
    const fs::path picture = folder / "page";
    const std::string command =
        "pdftoppm -gray -r 254 -f 1 -l 1 -singlefile '" + pdf.string() + "' '" + picture.string() + "'";
    if (std::system(command.c_str()) != 0)
        return CPoint(-1, -1);
    const std::string pgm = ReadAll(folder / "page.pgm");
    int width = 0, height = 0, depth = 0, header = 0;
    if (std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &width, &height, &depth, &header) != 3)
        return CPoint(-1, -1);
    const std::size_t pixels = static_cast<std::size_t>(header) + 1;
    CPoint first(-1, -1);
    for (int y = 0; y < height && first.y < 0; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels + static_cast<std::size_t>(y) * width + x < pgm.size() &&
                static_cast<unsigned char>(pgm[pixels + static_cast<std::size_t>(y) * width + x]) < 64) {
                first = CPoint(x, y);
                break;
            }
    return first;
}

// Stand-ins for CUPS: lpstat reports two queues; lp writes down its arguments and keeps a copy
// of the file it was given.
class PrintingTest : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        WriteScript("lpstat",
                    "echo 'Office accepting requests since Mon 01 Jan 2024'\n"
                    "echo 'Broken not accepting requests since Mon 01 Jan 2024 -'\n"
                    "echo 'Label accepting requests since Mon 01 Jan 2024'\n");
        WriteScript("lp", "echo \"$@\" > '" + (folder / "lp-arguments").string() + "'\n" +
                              "for last; do :; done\ncp \"$last\" '" + (folder / "spooled.pdf").string() +
                              "'\n");
        PrinterQueue::SetCommands((folder / "lpstat").string().c_str(), (folder / "lp").string().c_str());
        PrinterMargins::SetQueueDescription(std::make_unique<StandInQueues>(
            std::map<CString, QueueMedia>{{"Office", kOfficeA4}}, &mediaAsked));
        CPrintDialog::ResetSessionPrinter();
        AfxInstallCommonDialogs();
        frame = PagesFrame::Open();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (IsWindow(frame))
            frame->DestroyWindow();
        PrinterQueue::SetCommands("lpstat", "lp");
        PrinterMargins::SetQueueDescription(nullptr);
        CPrintDialog::ResetSessionPrinter();
        AfxSetPrintPrompt(nullptr);
        AfxSetFilePrompt(nullptr);
        CommonDialogTest::TearDown();
    }
    void WriteScript(const char* name, const std::string& body) {
        WriteFile(folder / name, "#!/bin/sh\n" + body);
        chmod((folder / name).c_str(), 0755);
    }
    void ChoosePrinter(CWnd& dialog, const CString& name) {
        auto* printers = static_cast<CComboBox*>(Item(dialog, cmb4));
        printers->SetCurSel(printers->FindStringExact(-1, name));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
    }

    // The size of the white page the orientation picture shows.
    CSize PageShown(CWnd& dialog) {
        CWnd* picture = Item(dialog, ico1);
        CRect client, page;
        picture->GetClientRect(&client);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                if (ColorAt(*picture, CPoint(x, y)) == RGB(255, 255, 255))
                    page.UnionRect(&page, CRect(x, y, x + 1, y + 1));
        return page.Size();
    }

    TestFolder folder;
    PagesFrame* frame = nullptr;
    std::vector<CSize> mediaAsked;
};
}  // namespace

TEST_F(PrintingTest, LpstatQueuesAreTheFirstWordOfEachAcceptingLine) {
    EXPECT_EQ(
        PrinterQueue::ParseAcceptingQueues("Office accepting requests since x\nOld not accepting requests\n"),
        (std::vector<CString>{"Office"}));
    EXPECT_EQ(PrinterQueue::InstalledPrinters(), (std::vector<CString>{"Office", "Label"}));
    PrinterQueue::SetCommands("/nonexistent/lpstat", "/nonexistent/lp");
    EXPECT_TRUE(PrinterQueue::InstalledPrinters().empty());
}

TEST_F(PrintingTest, SaveAsPdfWritesEveryPageOrTheChosenRange) {
    const CString output = (folder / "plan.pdf").string().c_str();
    host.WhenModal("Print", [&](CWnd& dialog) {
        auto* printers = static_cast<CComboBox*>(Item(dialog, cmb4));
        ASSERT_EQ(printers->GetCount(), 3);
        CString first;
        printers->GetLBText(0, first);
        EXPECT_EQ(first, "Save as PDF");
        EXPECT_EQ(TextOf(dialog, stc5), "PDF file");
        EXPECT_EQ(TextOf(dialog, edt1), "1");
        EXPECT_EQ(TextOf(dialog, edt2), "2");
        Retype(dialog, edt4, output);
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    EXPECT_EQ(frame->View()->printedPages, (std::vector<UINT>{1, 2}));
    EXPECT_EQ(CountPdfPages(folder / "plan.pdf"), 2);

    // Pages 2 to 2 only; a page beyond the document is refused first.
    frame->View()->printedPages.clear();
    host.WhenModal("Print", [&](CWnd& dialog) {
        Retype(dialog, edt4, (folder / "second.pdf").string().c_str());
        Retype(dialog, edt1, "2");
        Retype(dialog, edt2, "3");
        EXPECT_EQ(static_cast<CDialog&>(dialog).GetCheckedRadioButton(rad1, rad3), static_cast<int>(rad3));
        host.AnswerMessageBox(IDOK);
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(dialog.InModalLoop());
        EXPECT_EQ(CWnd::GetFocus(), Item(dialog, edt2));
        Retype(dialog, edt2, "2");
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    EXPECT_EQ(frame->View()->printedPages, (std::vector<UINT>{2}));
    EXPECT_EQ(CountPdfPages(folder / "second.pdf"), 1);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(host.MessageBoxes()[0].text,
              "This value is not within the page range.\nEnter a number between 1 and 2.");

    // Cancel prints nothing.
    frame->View()->printedPages.clear();
    host.WhenModal("Print", [&](CWnd&) { host.PressKey(VK_ESCAPE); });
    frame->View()->OnFilePrint();
    EXPECT_TRUE(frame->View()->printedPages.empty());
}

// A file has no printer to make the copies: it holds each copy's pages, one copy after another,
// drawn once.
TEST_F(PrintingTest, SaveAsPdfWritesEachCopysPages) {
    host.WhenModal("Print", [&](CWnd& dialog) {
        Retype(dialog, edt4, (folder / "copies.pdf").string().c_str());
        Retype(dialog, edt3, "3");
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    EXPECT_EQ(frame->View()->printedPages, (std::vector<UINT>{1, 2}));
    EXPECT_EQ(CountPdfPages(folder / "copies.pdf"), 6);
}

TEST_F(PrintingTest, APrinterQueueGetsTheWholePdfThroughLp) {
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Office");
        EXPECT_EQ(TextOf(dialog, stc5), "CUPS printer queue");
        EXPECT_FALSE(Item(dialog, edt4)->IsWindowEnabled());
        Retype(dialog, edt3, "2");
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    const std::string arguments = ReadAll(folder / "lp-arguments");
    const std::string options = "-d Office -n 2 -- ";
    ASSERT_EQ(arguments.rfind(options, 0), 0u) << arguments;
    ASSERT_GT(arguments.size(), options.size() + 5) << arguments;
    ASSERT_EQ(arguments.back(), '\n') << arguments;
    const std::string spooled = arguments.substr(options.size(), arguments.size() - options.size() - 1);
    EXPECT_NE(fs::path(spooled).filename().string().rfind("corvane-print-", 0), std::string::npos) << spooled;
    EXPECT_EQ(fs::path(spooled).extension(), ".pdf");
    EXPECT_EQ(CountPdfPages(folder / "spooled.pdf"), 2);
    // The spool file is gone once lp has it.
    EXPECT_FALSE(fs::exists(spooled));

    // The printer stays chosen for the next job.
    CPrintDialog next(FALSE);
    EXPECT_EQ(next.GetDeviceName(), "Office");
    EXPECT_EQ(next.GetCopies(), 2);
}

TEST_F(PrintingTest, TheCopiesAreAWholeNumberFromOneTo999OrRefusedAndKeptToMend) {
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Office");
        auto* copies = static_cast<CEdit*>(Item(dialog, edt3));
        for (const char* typed : {"abc", "5x", "1e30", "12.5", "0", "1000", " "}) {
            const std::size_t shown = host.MessageBoxes().size();
            Retype(dialog, edt3, typed);
            host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            ASSERT_EQ(host.MessageBoxes().size(), shown + 1) << typed;
            EXPECT_EQ(host.MessageBoxes().back().text, "Please enter an integer between 1 and 999.");
            EXPECT_TRUE(dialog.InModalLoop());
            EXPECT_EQ(CWnd::GetFocus(), copies);
            EXPECT_EQ(TextOf(dialog, edt3), typed);
            int start = -1, end = -1;
            copies->GetSel(start, end);
            EXPECT_EQ(end - start, CString(typed).GetLength()) << typed;
        }
        host.Type("3");
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    EXPECT_EQ(ReadAll(folder / "lp-arguments").rfind("-d Office -n 3 -- ", 0), 0u);
}

TEST_F(PrintingTest, PrintSetupChoosesPaperAndOrientationForTheSession) {
    CPrintDialog setup(TRUE);
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        auto* paper = static_cast<CComboBox*>(Item(dialog, cmb2));
        EXPECT_EQ(paper->GetCurSel(), 0);
        paper->SetCurSel(1);
        Click(dialog, rad2);
        ChoosePrinter(dialog, "Label");
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(setup.DoModal(), IDOK);
    CPrintDialog print(FALSE, PD_ALLPAGES | PD_RETURNDC);
    EXPECT_EQ(print.GetDeviceName(), "Label");
    EXPECT_EQ(print.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(print.PaperSize(), CSize(4200, 2970));
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Save as PDF");
        Retype(dialog, edt4, (folder / "a3.pdf").string().c_str());
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(print.DoModal(), IDOK);
    CDC* dc = print.GetPrinterDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(dc->IsPrinting());
    EXPECT_EQ(dc->GetDeviceCaps(HORZRES), 4961);
    EXPECT_EQ(dc->GetDeviceCaps(VERTRES), 3508);
}

TEST_F(PrintingTest, PrintSetupPicturesTheOrientationAndThePrintersPropertiesChangeIt) {
    CPrintDialog setup(TRUE);
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        ExpectNoOverlaps(dialog);
        const CSize portrait = PageShown(dialog);
        EXPECT_GT(portrait.cy, portrait.cx + 5);
        Click(dialog, rad2);
        const CSize landscape = PageShown(dialog);
        EXPECT_GT(landscape.cx, landscape.cy + 5);
        if (const CString png = TestPicturePath("cdlg-print-setup.png"); !png.IsEmpty())
            host.DumpWindow(&dialog, png);
        Click(dialog, rad1);
        EXPECT_EQ(PageShown(dialog), portrait);

        // The properties of the chosen printer start from what print setup shows, and what they
        // keep comes back to it.
        ChoosePrinter(dialog, "Label");
        host.WhenModal("Label Properties", [&](CWnd& properties) {
            ExpectNoOverlaps(properties);
            EXPECT_EQ(TextOf(properties, stc1), "300 dots per inch");
            EXPECT_EQ(static_cast<CComboBox*>(Item(properties, cmb2))->GetCurSel(), 0);
            EXPECT_EQ(static_cast<CDialog&>(properties).IsDlgButtonChecked(rad1), BST_CHECKED);
            static_cast<CComboBox*>(Item(properties, cmb2))->SetCurSel(2);
            Click(properties, rad2);
            EXPECT_GT(PageShown(properties).cx, PageShown(properties).cy);
            if (const CString png = TestPicturePath("cdlg-printer-properties.png"); !png.IsEmpty())
                host.DumpWindow(&properties, png);
            Click(properties, IDOK);
        });
        Click(dialog, psh2);
        EXPECT_EQ(static_cast<CComboBox*>(Item(dialog, cmb2))->GetCurSel(), 2);
        EXPECT_EQ(static_cast<CDialog&>(dialog).IsDlgButtonChecked(rad2), BST_CHECKED);
        EXPECT_GT(PageShown(dialog).cx, PageShown(dialog).cy);
        // Cancelled properties change nothing.
        host.WhenModal("Label Properties", [&](CWnd& properties) {
            Click(properties, rad1);
            Click(properties, IDCANCEL);
        });
        Click(dialog, psh2);
        EXPECT_EQ(static_cast<CDialog&>(dialog).IsDlgButtonChecked(rad2), BST_CHECKED);
        Click(dialog, IDOK);
    });
    ASSERT_EQ(setup.DoModal(), IDOK);
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_EQ(setup.PaperSize(), CSize(2100, 1480));

    // From the print dialog the properties set this job's paper.
    CPrintDialog print(FALSE, PD_ALLPAGES | PD_RETURNDC);
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Save as PDF");
        host.WhenModal("Save as PDF Properties", [&](CWnd& properties) {
            EXPECT_EQ(static_cast<CComboBox*>(Item(properties, cmb2))->GetCurSel(), 2);
            static_cast<CComboBox*>(Item(properties, cmb2))->SetCurSel(1);
            Click(properties, rad1);
            Click(properties, IDOK);
        });
        Click(dialog, psh2);
        Retype(dialog, edt4, (folder / "a3.pdf").string().c_str());
        if (const CString png = TestPicturePath("cdlg-print.png"); !png.IsEmpty())
            host.DumpWindow(&dialog, png);
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(print.DoModal(), IDOK);
    EXPECT_EQ(print.PaperSize(), CSize(2970, 4200));
    ASSERT_NE(print.GetPrinterDC(), nullptr);
    EXPECT_EQ(print.GetPrinterDC()->GetDeviceCaps(HORZRES), 3508);
}

// Not tried against a real scheduler: Debian's cupsd comes with the cups-daemon package, which
// the project does not install, and it wants its configuration, spool and state folders owned by
// root and the lp group, not a test's temporary folder. The stand-in describes the queues.
TEST_F(PrintingTest, AQueuePrintsInsideItsMediaMarginsAndSaveAsPdfOnTheWholeSheet) {
    CPrintDialog pdf(FALSE);
    EXPECT_EQ(pdf.Margins(), CRect());
    EXPECT_TRUE(mediaAsked.empty());

    // The queue's margins, rounded up to tenths, set the printable area and its offset.
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Office");
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    ASSERT_EQ(mediaAsked, (std::vector<CSize>{CSize(21000, 29700)}));
    CPrintDialog office(FALSE);
    ASSERT_EQ(office.GetDeviceName(), "Office");
    EXPECT_EQ(office.Margins(), CRect(42, 50, 60, 127));
    CDC* dc = office.CreatePrinterDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALWIDTH), 2480);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALHEIGHT), 3508);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETX), 50);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETY), 59);
    EXPECT_EQ(dc->GetDeviceCaps(HORZRES), 2409 - 50);
    EXPECT_EQ(dc->GetDeviceCaps(VERTRES), 3358 - 59);
    EXPECT_EQ(dc->GetDeviceCaps(HORZSIZE), 199);

    // On the sheet the page's square lies 1 cm inside the printable area's corner.
    const CPoint queued = FirstInkOfPdf(folder / "spooled.pdf", folder.Path());
    EXPECT_NEAR(queued.x, 42 + 100, 2);
    EXPECT_NEAR(queued.y, 50 + 100, 2);

    // "Save as PDF" prints on the whole sheet.
    host.WhenModal("Print", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Save as PDF");
        Retype(dialog, edt4, (folder / "whole.pdf").string().c_str());
        host.PressKey(VK_RETURN);
    });
    frame->View()->OnFilePrint();
    const CPoint whole = FirstInkOfPdf(folder / "whole.pdf", folder.Path());
    EXPECT_NEAR(whole.x, 100, 2);
    EXPECT_NEAR(whole.y, 100, 2);

    // Landscape turns the sheet a quarter anticlockwise: the portrait top becomes the left.
    CPrintDialog setup(TRUE);
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        ChoosePrinter(dialog, "Office");
        Click(dialog, rad2);
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(CPrintDialog(FALSE).Margins(), CRect(50, 60, 127, 42));
    // A queue the description does not know prints the whole sheet.
    EXPECT_EQ(PrinterMargins::Of("Label", CSize(2100, 2970), false), CRect());
}
