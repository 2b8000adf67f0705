#include <sys/stat.h>

#include <fstream>

#include "platform/cdlg/CPreviewView.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/cdlg/CommonDialogPrompts.h"
#include "platform/cdlg/PrinterMargins.h"
#include "platform/cdlg/PrinterQueue.h"
#include "platform/ctl/CComboBox.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWinApp.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/cdlg/PagesView.h"
#include "tests/support/TestFolder.h"
#include "tests/support/TestPictures.h"

namespace {
class PrintPreviewTest : public CommonDialogTest {
  protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        CPrintDialog::ResetSessionPrinter();
        AfxInstallCommonDialogs();
        frame = PagesFrame::Open();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (IsWindow(frame))
            frame->DestroyWindow();
        AfxSetPrintPreview(nullptr);
        AfxSetPrintPrompt(nullptr);
        AfxSetFilePrompt(nullptr);
        CommonDialogTest::TearDown();
    }
    CPreviewView* Preview() const {
        for (CWnd* child : frame->Children())
            if (auto* preview = dynamic_cast<CPreviewView*>(child))
                return preview;
        return nullptr;
    }
    void Press(UINT id) {
        Click(*Preview(), id);
        host.RunUntilIdle();
    }
    // The colour on screen of a point on a shown page, in millimetres from the page's top left
    // (negative: from its bottom right).
    std::uint32_t PagePixel(int slot, int xMm, int yMm) {
        PreviewPageArea& area = Preview()->Pages();
        const CRect page = area.PageRect(slot);
        const int dpi = area.PageDpi();
        CPoint point(xMm >= 0 ? page.left + xMm * 10 * dpi / 254 : page.right + xMm * 10 * dpi / 254,
                     yMm >= 0 ? page.top + yMm * 10 * dpi / 254 : page.bottom + yMm * 10 * dpi / 254);
        area.ClientToScreen(&point);
        CRect window;
        frame->GetWindowRect(&window);
        return frame->Surface()->At(point.x - window.left, point.y - window.top);
    }

    PagesFrame* frame = nullptr;
};
const std::uint32_t kBlack = PixelFromColor(RGB(0, 0, 0));
const std::uint32_t kWhite = PixelFromColor(RGB(255, 255, 255));
}  // namespace

TEST_F(PrintPreviewTest, ThePreviewShowsBothPagesAndPagesThroughThem) {
    frame->View()->OnFilePrintPreview();
    CPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(frame->previewModes, (std::vector<BOOL>{TRUE}));
    EXPECT_FALSE(frame->View()->IsWindowVisible());
    host.RunUntilIdle();
    // One page first: page 1 with its square at the top left, and no way back.
    EXPECT_EQ(preview->CurrentPage(), 1U);
    EXPECT_EQ(PagePixel(0, 35, 35), kBlack);
    EXPECT_EQ(PagePixel(0, -35, -35), kWhite);
    EXPECT_FALSE(preview->GetDlgItem(AFX_ID_PREVIEW_PREV)->IsWindowEnabled());

    Press(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->CurrentPage(), 2U);
    EXPECT_EQ(PagePixel(0, 35, 35), kWhite);
    EXPECT_EQ(PagePixel(0, -35, -35), kBlack);
    EXPECT_FALSE(preview->GetDlgItem(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled());

    Press(AFX_ID_PREVIEW_PREV);
    Press(AFX_ID_PREVIEW_NUMPAGE);
    ASSERT_EQ(preview->PageCount(), 2);
    EXPECT_EQ(PagePixel(0, 35, 35), kBlack);
    EXPECT_EQ(PagePixel(1, -35, -35), kBlack);
    EXPECT_EQ(PagePixel(1, 35, 35), kWhite);
    EXPECT_LT(preview->Pages().PageRect(0).right, preview->Pages().PageRect(1).left);
    if (const CString png = TestPicturePath("cdlg-preview.png"); !png.IsEmpty())
        host.DumpWindow(frame, png);

    // Zoom shows one page at the screen's resolution, then twice that.
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->PageCount(), 1);
    EXPECT_EQ(preview->Pages().PageDpi(), 96);
    EXPECT_EQ(preview->Pages().PageRect(0).Width(), 794);
    EXPECT_EQ(PagePixel(0, 35, 35), kBlack);
    Press(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->Pages().PageDpi(), 192);
    EXPECT_FALSE(preview->GetDlgItem(AFX_ID_PREVIEW_ZOOMIN)->IsWindowEnabled());
    if (const CString png = TestPicturePath("cdlg-preview-zoom.png"); !png.IsEmpty())
        host.DumpWindow(frame, png);

    Press(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(frame->previewModes, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_TRUE(frame->View()->IsWindowVisible());
    // The pages on screen came from the view's own printing routine.
    EXPECT_TRUE(frame->View()->printedPages.size() >= 2U);
}

TEST_F(PrintPreviewTest, TheButtonsLettersPressThemAloneOrWithAlt) {
    frame->View()->OnFilePrintPreview();
    host.RunUntilIdle();
    CPreviewView* preview = Preview();
    ASSERT_NE(preview, nullptr);
    const auto altChord = [&](UINT letter) {
        host.KeyDown(VK_MENU);
        host.PressKey(letter);
        host.KeyUp(VK_MENU);
    };
    host.PressKey('N');
    EXPECT_EQ(preview->CurrentPage(), 2U);
    altChord('V');
    EXPECT_EQ(preview->CurrentPage(), 1U);
    host.PressKey('T');
    EXPECT_EQ(preview->PageCount(), 2);
    altChord('C');
    EXPECT_EQ(Preview(), nullptr);
}

namespace {
// A queue that leaves 20 mm on the left and 30 mm at the top of its sheets unprinted.
class WideMarginQueue : public CQueueDescription {
  public:
    std::optional<QueueMedia> MediaOf(const CString&, int, int) const override {
        return QueueMedia{21000, 29700, 2000, 3000, 500, 500};
    }
};
}  // namespace

TEST_F(PrintPreviewTest, ThePreviewShowsThePageInsideTheChosenPrintersMargins) {
    TestFolder folder;
    const auto lpstat = folder / "lpstat";
    std::ofstream(lpstat) << "#!/bin/sh\necho 'Office accepting requests since Mon 01 Jan 2024'\n";
    chmod(lpstat.c_str(), 0755);
    PrinterQueue::SetCommands(lpstat.c_str(), "lp");
    PrinterMargins::SetQueueDescription(std::make_unique<WideMarginQueue>());
    CPrintDialog setup(TRUE);
    host.WhenModal("Print Setup", [&](CWnd& dialog) {
        auto* printers = static_cast<CComboBox*>(Item(dialog, cmb4));
        printers->SetCurSel(printers->FindStringExact(-1, "Office"));
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(setup.DoModal(), IDOK);

    // The square 1 cm inside the printable corner: 30 mm to 80 mm across, 40 mm to 90 mm down.
    frame->View()->OnFilePrintPreview();
    ASSERT_NE(Preview(), nullptr);
    host.RunUntilIdle();
    EXPECT_EQ(PagePixel(0, 25, 35), kWhite);
    EXPECT_EQ(PagePixel(0, 35, 45), kBlack);
    EXPECT_EQ(PagePixel(0, 75, 85), kBlack);
    EXPECT_EQ(PagePixel(0, 85, 95), kWhite);
    Press(AFX_ID_PREVIEW_CLOSE);
    PrinterQueue::SetCommands("lpstat", "lp");
    PrinterMargins::SetQueueDescription(nullptr);
    CPrintDialog::ResetSessionPrinter();
}
