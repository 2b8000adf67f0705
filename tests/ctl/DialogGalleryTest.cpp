#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CSliderCtrl.h"
#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/ctl/CTabCtrl.h"
#include "platform/win/CClipboard.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/ctl/GalleryDialog.h"
#include "tests/support/TestPictures.h"

using namespace gallery;

namespace {
class DialogGalleryTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override { WindowManager::Instance().Reset(); }

    CWnd* Item(CWnd& dialog, UINT id) { return dialog.GetDlgItem(static_cast<int>(id)); }
    CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        Item(dialog, id)->GetWindowText(text);
        return text;
    }
    void Click(CWnd& dialog, UINT id) {
        CRect client;
        Item(dialog, id)->GetClientRect(&client);
        host.ClickClient(Item(dialog, id), client.CenterPoint());
    }
    void Chord(UINT modifier, UINT key) {
        host.KeyDown(modifier);
        host.PressKey(key);
        host.KeyUp(modifier);
    }
    // Replaces an edit's text as a user would: click, select all, type.
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        Click(dialog, id);
        Chord(VK_CONTROL, 'A');
        host.Type(text);
    }
    int FocusId() { return CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : -1; }

    HeadlessHost host;
};
}  // namespace

TEST_F(DialogGalleryTest, MembersGoIntoTheControlsAndComeBackOnEnter) {
    GalleryDialog dialog;
    dialog.m_gauge = 2;
    host.WhenModal("Control Gallery", [&](CWnd& modal) {
        EXPECT_EQ(&modal, &dialog);
        EXPECT_EQ(TextOf(dialog, IDC_NAME), "Branch");
        EXPECT_EQ(TextOf(dialog, IDC_RADIUS), "250");
        EXPECT_EQ(TextOf(dialog, IDC_GRADE), "2.5");
        EXPECT_EQ(TextOf(dialog, IDC_NOTES), "First line\r\nSecond line");
        EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_BALLAST), 1U);
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_GAUGE_H0, IDC_GAUGE_Z), static_cast<int>(IDC_GAUGE_Z));
        EXPECT_EQ(static_cast<CSliderCtrl*>(Item(dialog, IDC_SPEED))->GetPos(), 40);
        auto* kind = dynamic_cast<CComboBox*>(Item(dialog, IDC_KIND));
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->GetCount(), 4);
        EXPECT_EQ(kind->GetCurSel(), 1);
        kind->SetCurSel(2);
        // The template's window became the dialog's own member.
        EXPECT_EQ(Item(dialog, IDC_COLOUR), &dialog.m_colourButton);
        EXPECT_TRUE(dialog.m_colourButton.subclassed);
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_NAME));

        Retype(dialog, IDC_NAME, "Main line");
        Retype(dialog, IDC_RADIUS, "120");
        Retype(dialog, IDC_GRADE, "1.75");
        Click(dialog, IDC_GAUGE_N);
        Click(dialog, IDC_BALLAST);
        Click(dialog, IDC_SLEEPERS);
        Click(dialog, IDC_SLEEPERS);
        Click(dialog, IDC_NOTES);
        Chord(VK_CONTROL, VK_END);
        host.PressKey(VK_RETURN);
        host.Type("Third");
        Click(dialog, IDC_GRADE);
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.focusAtOK, static_cast<int>(IDC_GRADE));
    EXPECT_EQ(dialog.m_name, "Main line");
    EXPECT_EQ(dialog.m_radius, 120);
    EXPECT_DOUBLE_EQ(dialog.m_grade, 1.75);
    EXPECT_EQ(dialog.m_gauge, 1);
    EXPECT_EQ(dialog.m_ballast, 0);
    EXPECT_EQ(dialog.m_sleepers, 2);
    EXPECT_EQ(dialog.m_notes, "First line\r\nSecond line\r\nThird");
    EXPECT_EQ(dialog.m_kind, "Turnout");
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_FALSE(IsWindow(&dialog));
}

TEST_F(DialogGalleryTest, RefusedValuesKeepTheDialogOpenWithTheFocusOnTheControl) {
    GalleryDialog dialog;
    host.WhenModal("Control Gallery", [&](CWnd&) {
        auto pressOK = [&] {
            host.AnswerMessageBox(IDOK);
            Click(dialog, IDOK);
        };
        Retype(dialog, IDC_RADIUS, "5");
        pressOK();
        EXPECT_TRUE(dialog.InModalLoop());
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_RADIUS));
        auto* radius = static_cast<CEdit*>(Item(dialog, IDC_RADIUS));
        int start = 0, end = 0;
        radius->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 1);

        host.Type("abc");
        pressOK();
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_RADIUS));

        Retype(dialog, IDC_RADIUS, "300");
        Retype(dialog, IDC_GRADE, "9");
        pressOK();
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GRADE));

        Retype(dialog, IDC_GRADE, "3");
        // Typing stops at the limit; a text set by the program does not.
        dialog.SetDlgItemText(IDC_NAME, "A name that is far too long");
        pressOK();
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_NAME));
        EXPECT_TRUE(dialog.InModalLoop());
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(host.MessageBoxes().size(), 4U);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Please enter an integer between 10 and 500.");
    EXPECT_EQ(host.MessageBoxes()[1].text, "Please enter an integer.");
    EXPECT_EQ(host.MessageBoxes()[2].text, "Please enter a number between 0 and 4.5.");
    EXPECT_EQ(host.MessageBoxes()[3].text, "Please enter no more than 20 characters.");
    // As the framework does, members exchanged before the refused one keep their new values.
    EXPECT_EQ(dialog.m_radius, 300);
    EXPECT_EQ(dialog.m_name, "A name that is far too long");
    EXPECT_EQ(dialog.m_ballast, 1);
}

TEST_F(DialogGalleryTest, TabWalksTheTabStopsAndArrowsWalkTheGroup) {
    GalleryDialog dialog;
    dialog.m_gauge = 1;
    std::vector<int> forward;
    std::vector<int> backward;
    host.WhenModal("", [&](CWnd&) {
        for (int i = 0; i < 14; ++i) {
            forward.push_back(FocusId());
            host.PressKey(VK_TAB);
        }
        host.KeyDown(VK_SHIFT);
        for (int i = 0; i < 3; ++i) {
            host.PressKey(VK_TAB);
            backward.push_back(FocusId());
        }
        host.KeyUp(VK_SHIFT);
        // Into the gauge group, which is entered at its checked button.
        for (int i = 0; i < 20 && FocusId() != static_cast<int>(IDC_GAUGE_N); ++i) host.PressKey(VK_TAB);
        host.PressKey(VK_DOWN);
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_Z));
        EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_GAUGE_H0, IDC_GAUGE_Z), static_cast<int>(IDC_GAUGE_Z));
        host.PressKey(VK_DOWN);
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_GAUGE_H0));
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const std::vector<int> expected{IDC_NAME,    IDC_RADIUS, IDC_GRADE, IDC_BALLAST,  IDC_SLEEPERS,
                                    IDC_GAUGE_N, IDC_NOTES,  IDC_SPEED, IDC_READONLY, IDC_COLOUR,
                                    IDC_REPEAT,  IDC_TABS,   IDC_KIND,  IDC_APPLY};
    EXPECT_EQ(forward, expected);
    EXPECT_EQ(backward, (std::vector<int>{IDC_APPLY, IDC_KIND, IDC_TABS}));
}

TEST_F(DialogGalleryTest, NotificationsArriveInTheFrameworksOrder) {
    GalleryDialog dialog;
    host.WhenModal("", [&](CWnd&) {
        // The edit loses the focus before the button reports its click.
        Click(dialog, IDC_NAME);
        dialog.log.clear();
        Click(dialog, IDC_APPLY);
        EXPECT_EQ(dialog.log, (std::vector<CString>{"killfocus name", "clicked apply"}));

        dialog.log.clear();
        Click(dialog, IDC_NAME);
        host.Type("x");
        EXPECT_EQ(dialog.log, (std::vector<CString>{"setfocus name", "change name"}));

        // A tab click, a slider key, the spin's arrows and the held repeat button.
        dialog.log.clear();
        auto* tabs = static_cast<CTabCtrl*>(Item(dialog, IDC_TABS));
        CRect second;
        tabs->GetItemRect(1, &second);
        host.ClickClient(tabs, second.CenterPoint());
        EXPECT_EQ(tabs->GetCurSel(), 1);
        dialog.GotoDlgCtrl(Item(dialog, IDC_SPEED));
        dialog.log.clear();
        host.PressKey(VK_RIGHT);
        EXPECT_EQ(static_cast<CSliderCtrl*>(Item(dialog, IDC_SPEED))->GetPos(), 41);
        EXPECT_EQ(dialog.log,
                  (std::vector<CString>{
                      CString("hscroll ") + CString(std::to_string(IDC_SPEED).c_str()) + " 1 41",
                      CString("hscroll ") + CString(std::to_string(IDC_SPEED).c_str()) + " 8 41"}));

        auto* spin = static_cast<CSpinButtonCtrl*>(Item(dialog, IDC_RADIUS_SPIN));
        EXPECT_EQ(spin->GetBuddy(), Item(dialog, IDC_RADIUS));
        spin->SetRange(10, 500);
        CRect spinRect;
        spin->GetClientRect(&spinRect);
        host.ClickClient(spin, CPoint(spinRect.CenterPoint().x, spinRect.top + 2));
        EXPECT_EQ(TextOf(dialog, IDC_RADIUS), "251");
        host.ClickClient(spin, CPoint(spinRect.CenterPoint().x, spinRect.bottom - 2));
        host.ClickClient(spin, CPoint(spinRect.CenterPoint().x, spinRect.bottom - 2));
        EXPECT_EQ(TextOf(dialog, IDC_RADIUS), "249");

        dialog.log.clear();
        CWnd* more = Item(dialog, IDC_REPEAT);
        CPoint centre(10, 10);
        more->ClientToScreen(&centre);
        host.MouseDown(centre);
        host.AdvanceClock(350);
        host.MouseUp(centre);
        EXPECT_EQ(std::count(dialog.log.begin(), dialog.log.end(), CString("clicked repeat")), 4);
        host.PressKey(VK_ESCAPE);
    });
    dialog.DoModal();
}

TEST_F(DialogGalleryTest, EditsSelectCutPasteUndoAndObeyTheirLimits) {
    GalleryDialog dialog;
    host.WhenModal("", [&](CWnd&) {
        auto* name = static_cast<CEdit*>(Item(dialog, IDC_NAME));
        Click(dialog, IDC_NAME);
        Chord(VK_CONTROL, VK_HOME);
        host.KeyDown(VK_SHIFT);
        for (int i = 0; i < 3; ++i) host.PressKey(VK_RIGHT);
        host.KeyUp(VK_SHIFT);
        Chord(VK_CONTROL, 'X');
        EXPECT_EQ(CClipboard::GetText(), "Bra");
        EXPECT_EQ(TextOf(dialog, IDC_NAME), "nch");
        EXPECT_TRUE(name->GetModify());
        Chord(VK_CONTROL, VK_END);
        Chord(VK_CONTROL, 'V');
        EXPECT_EQ(TextOf(dialog, IDC_NAME), "nchBra");
        Chord(VK_CONTROL, 'Z');
        EXPECT_EQ(TextOf(dialog, IDC_NAME), "nch");
        host.PressKey(VK_BACK);
        EXPECT_EQ(TextOf(dialog, IDC_NAME), "nc");

        // The limit DDV_MaxChars set while loading.
        EXPECT_EQ(name->GetLimitText(), 20U);
        host.Type("0123456789012345678901234");
        EXPECT_EQ(TextOf(dialog, IDC_NAME).GetLength(), 20);

        // Read-only refuses typing until it is switched off at run time.
        auto* readOnly = static_cast<CEdit*>(Item(dialog, IDC_READONLY));
        Click(dialog, IDC_READONLY);
        host.Type("zz");
        EXPECT_EQ(TextOf(dialog, IDC_READONLY), "Read only");
        readOnly->SetReadOnly(FALSE);
        Chord(VK_CONTROL, VK_END);
        host.Type("!");
        EXPECT_EQ(TextOf(dialog, IDC_READONLY), "Read only!");

        // Enter in the multi-line edit makes a new line; Tab still leaves it.
        auto* notes = static_cast<CEdit*>(Item(dialog, IDC_NOTES));
        Click(dialog, IDC_NOTES);
        for (int i = 0; i < 6; ++i) {
            Chord(VK_CONTROL, VK_END);
            host.PressKey(VK_RETURN);
            host.Type("more");
        }
        EXPECT_EQ(notes->GetLineCount(), 8);
        EXPECT_GT(notes->GetFirstVisibleLine(), 0);
        EXPECT_EQ(notes->LineFromChar(), 7);
        host.PressKey(VK_TAB);
        EXPECT_EQ(FocusId(), static_cast<int>(IDC_SPEED));
        host.PressKey(VK_ESCAPE);
    });
    dialog.DoModal();
}

TEST_F(DialogGalleryTest, TheGalleryLooksLikeAClassicDialog) {
    GalleryDialog dialog;
    host.WhenModal("", [&](CWnd&) {
        Click(dialog, IDC_NAME);
        Chord(VK_CONTROL, 'A');
        host.RunUntilIdle();
        if (const CString png = TestPicturePath("ctl-gallery.png"); !png.IsEmpty()) {
            ASSERT_TRUE(host.DumpWindow(&dialog, png));
        }
        const PixelSurface& pixels = *dialog.Surface();
        CRect ok;
        Item(dialog, IDOK)->GetWindowRect(&ok);
        CRect frame;
        dialog.GetWindowRect(&frame);
        ok.OffsetRect(-frame.left, -frame.top);
        // The default button's black outline, its grey face, and the dialog's grey.
        EXPECT_EQ(pixels.At(ok.left + ok.Width() / 2, ok.top), PixelFromColor(RGB(0, 0, 0)));
        EXPECT_EQ(pixels.At(ok.left + 4, ok.top + 4), PixelFromColor(RGB(192, 192, 192)));
        EXPECT_EQ(pixels.At(ok.right + 2, ok.top + 4), PixelFromColor(RGB(192, 192, 192)));
        CRect name;
        Item(dialog, IDC_NAME)->GetWindowRect(&name);
        name.OffsetRect(-frame.left, -frame.top);
        // A sunken white field with the selection in the highlight colour.
        EXPECT_EQ(pixels.At(name.left, name.top), PixelFromColor(RGB(128, 128, 128)));
        EXPECT_EQ(pixels.At(name.left + 3, name.top + 3), PixelFromColor(RGB(255, 255, 255)));
        EXPECT_EQ(pixels.At(name.left + 5, name.CenterPoint().y), PixelFromColor(RGB(0, 0, 128)));
        host.PressKey(VK_ESCAPE);
    });
    dialog.DoModal();
}
