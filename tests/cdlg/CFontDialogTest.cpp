#include <cstring>

#include "platform/cdlg/CFontDialog.h"
#include "platform/ctl/CComboBox.h"
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
        EXPECT_EQ(TextOf(modal, cmb1), "Arial");
        EXPECT_EQ(TextOf(modal, cmb2), "Italic");
        EXPECT_EQ(TextOf(modal, cmb3), "12");
        EXPECT_EQ(TextOf(modal, cmb4), "Navy");
        Choose(modal, cmb1, "Times New Roman");
        Choose(modal, cmb2, "Bold");
        Choose(modal, cmb4, "Red");
        Click(modal, chx2);
        // A size that is no number is refused.
        host.AnswerMessageBox(IDOK);
        dialog.SetDlgItemText(cmb3, "big");
        Click(modal, IDOK);
        EXPECT_TRUE(modal.InModalLoop());
        dialog.SetDlgItemText(cmb3, "24");
        host.RunUntilIdle();
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
