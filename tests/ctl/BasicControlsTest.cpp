#include <gtest/gtest.h>

#include "platform/ctl/CBitmapButton.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/ctl/CToolTipCtrl.h"
#include "platform/ctl/ControlFactory.h"
#include "platform/ctl/DialogUnits.h"
#include "platform/ctl/EditBuffer.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/support/TestFolder.h"

namespace {
constexpr UINT IDC_FIELD = 3001;
constexpr UINT IDC_PICTURE_BUTTON = 3002;
constexpr UINT IDC_PAGE_TABS = 3003;

class BasicControlsTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override { WindowManager::Instance().Reset(); }
    HeadlessHost host;
};

// A frame that relays its mouse messages to its tool tip, as dialogs do.
class TippedFrame : public CWnd {
  public:
    CToolTipCtrl tips;
    BOOL PreTranslateMessage(MSG* msg) override {
        tips.RelayEvent(msg);
        return FALSE;
    }
    CString callbackText = "Asked for";

  protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
        auto* request = reinterpret_cast<TOOLTIPTEXT*>(lParam);
        if (request->hdr.code != TTN_NEEDTEXT)
            return FALSE;
        request->lpszText = const_cast<char*>(callbackText.c_str());
        return TRUE;
    }
};

void FillBitmap(CBitmap& bitmap, COLORREF colour, const CString& path) {
    bitmap.CreateBitmap(16, 16, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 16, 16, colour);
    dc.SelectObject(old);
    bitmap.SaveBmpFile(path, 24);
}
}  // namespace

TEST(DialogUnitsTest, TheDialogFontGivesTheClassicBaseUnits) {
    const DialogUnits units("MS Sans Serif", 8);
    EXPECT_EQ(units.BaseUnits(), CSize(6, 13));
    EXPECT_EQ(units.ToPixels(CRect(4, 8, 50, 14)), CRect(6, 13, 75, 23));
}

TEST(EditBufferTest, SelectionEditingLinesAndUndo) {
    EditBuffer buffer;
    buffer.SetText("one two\r\nthree");
    EXPECT_EQ(buffer.LineCount(), 2);
    EXPECT_EQ(buffer.LineIndex(1), 9);
    EXPECT_EQ(buffer.LineLength(0), 7);
    EXPECT_EQ(buffer.LineFromChar(9), 1);
    EXPECT_EQ(buffer.StepLeft(9), 7);
    int start = 0, end = 0;
    buffer.WordAround(5, &start, &end);
    EXPECT_EQ(buffer.Text().Mid(start, end - start), "two");
    buffer.Select(4, 7);
    EXPECT_TRUE(buffer.ReplaceSelection("2"));
    EXPECT_EQ(buffer.Text(), "one 2\r\nthree");
    buffer.MoveCaret(7, false);
    EXPECT_TRUE(buffer.DeleteBackward());
    EXPECT_EQ(buffer.Text(), "one 2three");
    EXPECT_TRUE(buffer.Undo());
    EXPECT_EQ(buffer.Text(), "one 2\r\nthree");
    buffer.SetLimit(14);
    buffer.MoveCaret(buffer.Length(), false);
    bool truncated = false;
    buffer.ReplaceSelection("12345", &truncated);
    EXPECT_TRUE(truncated);
    EXPECT_EQ(buffer.Text(), "one 2\r\nthree12");
}

TEST_F(BasicControlsTest, ToolTipsShowAfterTheDelayAndGoWhenTheMouseLeaves) {
    TippedFrame frame;
    frame.CreateEx(0, nullptr, "Tips", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr,
                   0);
    frame.tips.Create(&frame);
    frame.tips.AddTool(&frame, "Left half", CRect(0, 0, 100, 100), 1);
    frame.tips.AddTool(&frame, LPSTR_TEXTCALLBACK, CRect(150, 0, 250, 100), 2);
    CPoint inside(20, 20);
    frame.ClientToScreen(&inside);
    host.MouseMove(inside);
    EXPECT_EQ(frame.tips.ShownText(), "");
    host.AdvanceClock(600);
    EXPECT_EQ(frame.tips.ShownText(), "Left half");
    EXPECT_TRUE(frame.tips.IsWindowVisible());
    CPoint other(200, 20);
    frame.ClientToScreen(&other);
    host.MouseMove(other);
    EXPECT_EQ(frame.tips.ShownText(), "");
    host.AdvanceClock(600);
    EXPECT_EQ(frame.tips.ShownText(), "Asked for");
    host.MouseDown(other);
    EXPECT_EQ(frame.tips.ShownText(), "");
    host.MouseUp(other);
}

TEST_F(BasicControlsTest, BitmapButtonsShowTheirPictureForEachState) {
    TestFolder folder;
    CBitmap up, down, disabled;
    const CString upPath = (folder / "up.bmp").string().c_str();
    const CString downPath = (folder / "down.bmp").string().c_str();
    const CString disabledPath = (folder / "off.bmp").string().c_str();
    FillBitmap(up, RGB(255, 0, 0), upPath);
    FillBitmap(down, RGB(0, 255, 0), downPath);
    FillBitmap(disabled, RGB(0, 0, 255), disabledPath);
    const DialogTemplate dialogTemplate(
        0, "Pictures", WS_POPUP | WS_CAPTION, CRect(0, 0, 100, 60),
        {{IDC_PICTURE_BUTTON, WC_BUTTON, "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 40, 30)}});
    CDialog dialog(dialogTemplate);
    CBitmapButton button;
    host.WhenModal("Pictures", [&](CWnd&) {
        ASSERT_TRUE(ControlFactory::Subclass(button, IDC_PICTURE_BUTTON, &dialog));
        ASSERT_TRUE(button.LoadBitmaps(upPath, downPath, CString(), disabledPath));
        button.SizeToContent();
        host.RunUntilIdle();
        auto colourAt = [&](CPoint client) {
            button.ClientToScreen(&client);
            CRect frame;
            dialog.GetWindowRect(&frame);
            return dialog.Surface()->At(client.x - frame.left, client.y - frame.top);
        };
        EXPECT_EQ(colourAt(CPoint(8, 8)), PixelFromColor(RGB(255, 0, 0)));
        CPoint centre(8, 8);
        button.ClientToScreen(&centre);
        host.MouseDown(centre);
        EXPECT_EQ(colourAt(CPoint(8, 8)), PixelFromColor(RGB(0, 255, 0)));
        host.MouseUp(centre);
        button.EnableWindow(FALSE);
        host.RunUntilIdle();
        EXPECT_EQ(colourAt(CPoint(8, 8)), PixelFromColor(RGB(0, 0, 255)));
        dialog.EndDialog(IDOK);
    });
    dialog.DoModal();
}

// A modeless dialog hides on EndDialog; a child dialog lives inside a tab control's page area.
TEST_F(BasicControlsTest, ModelessDialogsAndDialogsAsChildPages) {
    const DialogTemplate pageTemplate(
        0, "", WS_CHILD, CRect(0, 0, 120, 40),
        {{IDC_FIELD, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(5, 5, 100, 19)}});
    const DialogTemplate outerTemplate(
        0, "Outer", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 160, 100),
        {{IDC_PAGE_TABS, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 155, 70)},
         {IDOK, WC_BUTTON, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
          CRect(100, 78, 150, 92)}});
    CDialog outer;
    ASSERT_TRUE(outer.CreateIndirect(outerTemplate));
    EXPECT_TRUE(outer.IsWindowVisible());
    auto* tabs = static_cast<CTabCtrl*>(outer.GetDlgItem(IDC_PAGE_TABS));
    tabs->InsertItem(0, "General");
    CDialog page;
    ASSERT_TRUE(page.CreateIndirect(pageTemplate, &outer));
    CRect area;
    tabs->GetWindowRect(&area);
    outer.ScreenToClient(&area);
    tabs->AdjustRect(FALSE, &area);
    page.MoveWindow(&area);
    page.ShowWindow(SW_SHOW);
    host.RunUntilIdle();
    EXPECT_EQ(page.GetParent(), &outer);
    // The keyboard walks into the page as if its edit were the outer dialog's own.
    outer.GotoDlgCtrl(outer.GetDlgItem(IDOK));
    host.PressKey(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(IDC_FIELD));
    host.Type("typed");
    CString text;
    page.GetDlgItemText(IDC_FIELD, text);
    EXPECT_EQ(text, "typed");
    host.PressKey(VK_RETURN);
    EXPECT_FALSE(outer.IsWindowVisible());
    EXPECT_TRUE(IsWindow(&outer));
}
