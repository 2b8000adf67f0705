#include <cstring>

#include "platform/cdlg/CFontDialog.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CListBox.h"
#include "tests/cdlg/CommonDialogFixture.h"
#include "tests/support/TestPictures.h"

namespace {
class FontDialogTest : public CommonDialogTest {
  protected:
    void Choose(CWnd& dialog, UINT comboId, const CString& text) {
        auto* combo = static_cast<CComboBox*>(Item(dialog, comboId));
        combo->SetCurSel(combo->FindStringExact(-1, text));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    static CListBox* List(CWnd& dialog, UINT id) { return static_cast<CListBox*>(Item(dialog, id)); }
    static CString Chosen(CWnd& dialog, UINT id) {
        CString text;
        List(dialog, id)->GetText(List(dialog, id)->GetCurSel(), text);
        return text;
    }
    void ClickEntry(CWnd& dialog, UINT id, int index) {
        CRect row;
        List(dialog, id)->GetItemRect(index, &row);
        host.ClickClient(List(dialog, id), row.CenterPoint());
    }
    // Whether any pixel of a window's client area has the colour.
    bool Shows(CWnd& window, COLORREF color) {
        CRect client;
        window.GetClientRect(&client);
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x)
                if (ColorAt(window, CPoint(x, y)) == color)
                    return true;
        return false;
    }
};
}  // namespace

TEST_F(FontDialogTest, ALogFontGoesInAndTheChosenOneComesOutWithItsColour) {
    LOGFONT label = CFont::DefaultLogFont();
    std::strcpy(label.lfFaceName, "Arial");
    label.lfHeight = -16;
    label.lfItalic = TRUE;
    CFontDialog dialog(&label, CF_SCREENFONTS | CF_EFFECTS);
    dialog.m_cf.rgbColors = RGB(0, 0, 128);
    host.WhenModal("Font", [&](CWnd& modal) {
        EXPECT_EQ(TextOf(modal, edt1), "Arial");
        EXPECT_EQ(Chosen(modal, lst1), "Arial");
        EXPECT_EQ(TextOf(modal, edt2), "Italic");
        EXPECT_EQ(TextOf(modal, edt3), "12");
        EXPECT_EQ(Chosen(modal, lst3), "12");
        EXPECT_EQ(TextOf(modal, cmb4), "Navy");
        // Typing chooses the first entry that begins so; clicking an entry fills the edit.
        Retype(modal, edt1, "tim");
        EXPECT_EQ(Chosen(modal, lst1), "Times New Roman");
        EXPECT_EQ(TextOf(modal, edt1), "tim");
        ClickEntry(modal, lst1, List(modal, lst1)->GetCurSel() - 1);
        EXPECT_EQ(TextOf(modal, edt1), "MS Sans Serif");
        host.PressKey(VK_DOWN);
        EXPECT_EQ(TextOf(modal, edt1), "Times New Roman");
        ClickEntry(modal, lst2, 2);
        EXPECT_EQ(TextOf(modal, edt2), "Bold");
        ClickEntry(modal, lst3, 0);
        EXPECT_EQ(TextOf(modal, edt3), "8");
        Choose(modal, cmb4, "Red");
        Click(modal, chx2);
        // A size must be a number; it need not be in the list.
        host.AnswerMessageBox(IDOK);
        Retype(modal, edt3, "big");
        EXPECT_EQ(List(modal, lst3)->GetCurSel(), LB_ERR);
        Click(modal, IDOK);
        EXPECT_TRUE(modal.InModalLoop());
        EXPECT_EQ(CWnd::GetFocus(), Item(modal, edt3));
        Retype(modal, edt3, "24");
        EXPECT_EQ(Chosen(modal, lst3), "24");
        // The sample, in a group box of its own, shows the red text.
        auto* group = static_cast<CButton*>(Item(modal, grp2));
        EXPECT_EQ(group->GetButtonStyle(), static_cast<DWORD>(BS_GROUPBOX));
        EXPECT_EQ(TextOf(modal, grp2), "Sample");
        CRect frame, sample;
        group->GetWindowRect(&frame);
        Item(modal, stc5)->GetWindowRect(&sample);
        EXPECT_TRUE(frame.PtInRect(sample.TopLeft()) && frame.PtInRect(sample.BottomRight()));
        EXPECT_TRUE(Shows(*Item(modal, stc5), RGB(255, 0, 0)));
        if (const CString png = TestPicturePath("cdlg-font.png"); !png.IsEmpty())
            host.DumpWindow(&modal, png);
        Click(modal, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Size must be a number between 1 and 1638.");
    LOGFONT chosen;
    dialog.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, "Times New Roman");
    EXPECT_EQ(chosen.lfHeight, -32);
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    EXPECT_FALSE(chosen.lfItalic);
    EXPECT_TRUE(chosen.lfUnderline);
    EXPECT_EQ(dialog.GetSize(), 240);
    EXPECT_EQ(dialog.GetColor(), RGB(255, 0, 0));
}

TEST_F(FontDialogTest, TheListsStayOpenUnderTheirEditsAndAFaceMustBeOneOfThem) {
    CFontDialog dialog;
    host.WhenModal("Font", [&](CWnd& modal) {
        ExpectNoOverlaps(modal);
        for (auto [edit, list] : {std::pair{edt1, lst1}, std::pair{edt2, lst2}, std::pair{edt3, lst3}}) {
            CRect above, below;
            Item(modal, edit)->GetWindowRect(&above);
            Item(modal, list)->GetWindowRect(&below);
            EXPECT_TRUE(Item(modal, list)->IsWindowVisible());
            EXPECT_GE(below.top, above.bottom);
            EXPECT_LE(below.top - above.bottom, 2);
            EXPECT_GT(below.Height(), 4 * List(modal, list)->GetItemHeight());
        }
        EXPECT_EQ(TextOf(modal, edt1), "MS Sans Serif");
        EXPECT_EQ(TextOf(modal, edt2), "Regular");
        host.AnswerMessageBox(IDOK);
        Retype(modal, edt1, "Nonesuch");
        EXPECT_EQ(List(modal, lst1)->GetCurSel(), LB_ERR);
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(modal.InModalLoop());
        EXPECT_EQ(CWnd::GetFocus(), Item(modal, edt1));
        host.AnswerMessageBox(IDOK);
        Retype(modal, edt1, "courier new");
        Retype(modal, edt2, "Heavy");
        host.PressKey(VK_RETURN);
        EXPECT_TRUE(modal.InModalLoop());
        EXPECT_EQ(CWnd::GetFocus(), Item(modal, edt2));
        Retype(modal, edt2, "bold italic");
        // Up and Down in an edit step through its list.
        Retype(modal, edt3, "10");
        host.PressKey(VK_DOWN);
        host.PressKey(VK_DOWN);
        EXPECT_EQ(TextOf(modal, edt3), "12");
        EXPECT_EQ(Chosen(modal, lst3), "12");
        host.PressKey(VK_UP);
        EXPECT_EQ(TextOf(modal, edt3), "11");
        EXPECT_EQ(CWnd::GetFocus(), Item(modal, edt3));
        host.PressKey(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(host.MessageBoxes().size(), 2U);
    EXPECT_EQ(host.MessageBoxes()[0].text,
              "There is no font with that name.\nChoose a font from the list of fonts.");
    EXPECT_EQ(host.MessageBoxes()[1].text,
              "There is no style of this font by that name.\nChoose a style from the list of styles.");
    EXPECT_STREQ(dialog.m_lf.lfFaceName, "Courier New");
    EXPECT_TRUE(dialog.IsBold());
    EXPECT_TRUE(dialog.IsItalic());
    EXPECT_EQ(dialog.GetSize(), 110);
}
