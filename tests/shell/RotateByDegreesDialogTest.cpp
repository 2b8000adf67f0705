#include "resources/RotateByDegreesTemplate.h"
#include "shell/CRotateByDegreesDialog.h"
#include "tests/shell/DialogDriving.h"

namespace {
class RotateByDegreesDialogTest : public DialogDriving {
  protected:
    // Types the angle and presses Enter; a refusal is answered and the dialog cancelled.
    INT_PTR Enter(CRotateByDegreesDialog& dialog, const CString& degrees, bool expectRefusal) {
        const size_t boxes = host.MessageBoxes().size();
        host.WhenModal("Rotate by degrees", [&](CWnd&) {
            EXPECT_EQ(TextOf(dialog.GetDlgItem(IDC_ROTATE_DEGREES)), "0");
            Retype(dialog.GetDlgItem(IDC_ROTATE_DEGREES), degrees);
            if (expectRefusal)
                host.AnswerMessageBox(IDOK);
            host.PressKey(VK_RETURN);
            EXPECT_EQ(host.MessageBoxes().size(), boxes + (expectRefusal ? 1 : 0)) << degrees;
            if (expectRefusal) {
                EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(IDC_ROTATE_DEGREES));
                host.PressKey(VK_ESCAPE);
            }
        });
        return dialog.DoModal();
    }
};
}  // namespace

TEST_F(RotateByDegreesDialogTest, AcceptsAFullTurnEitherWayAndRefusesMore) {
    struct Case {
        const char* typed;
        bool accepted;
        double degrees;
    };
    for (const Case& item : {Case{"360", true, 360.0}, Case{"-360", true, -360.0}, Case{"360.5", false, 0.0},
                             Case{"-361", false, 0.0}, Case{"quarter", false, 0.0}, Case{"45", true, 45.0}}) {
        CRotateByDegreesDialog dialog;
        EXPECT_EQ(Enter(dialog, item.typed, !item.accepted), item.accepted ? IDOK : IDCANCEL) << item.typed;
        if (item.accepted) {
            EXPECT_EQ(dialog.m_fDegrees, item.degrees) << item.typed;
        }
    }
    ASSERT_EQ(host.MessageBoxes().size(), 3U);
    EXPECT_EQ(host.MessageBoxes().front().text, "Please enter a number between -360 and 360.");
    EXPECT_EQ(host.MessageBoxes().back().text, "Please enter a number.");
}

TEST_F(RotateByDegreesDialogTest, TheAngleTurnsIntoRadiansWithTheProgramsPi) {
    CRotateByDegreesDialog dialog;
    dialog.m_fDegrees = 90.0;
    EXPECT_DOUBLE_EQ(dialog.AngleInRadians(), 90.0 * 3.1415926535 * 0.005555555555555556);
    dialog.m_fDegrees = 0.0;
    EXPECT_EQ(dialog.AngleInRadians(), 0.0);
}
