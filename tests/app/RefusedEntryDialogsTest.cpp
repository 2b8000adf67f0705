#include <cmath>

#include "model/CTool.h"
#include "platform/ctl/DataExchange.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/DialogInput.h"
#include "track/CCircTrack.h"

namespace {

constexpr int kMillimetres = 8;

// The dialogs of the program that take typed numbers, a value refused as a person types it.
class RefusedEntryDialogs : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
        layout->m_nUnitIndex = kMillimetres;
    }
    // Selects all of the field's text and types over it.
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        host.AdvanceClock(kClickPause);
        DialogInput::Retype(host, dialog.GetDlgItem(static_cast<int>(id)), text);
    }
    // Presses the key, answering OK to a box; answers how many boxes came up.
    size_t BoxesAfterAnswered(UINT key) {
        const size_t before = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        host.PressKey(key);
        return host.MessageBoxes().size() - before;
    }
    CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        dialog.GetDlgItem(static_cast<int>(id))->GetWindowText(text);
        return text;
    }
    CString Length(double value) const {
        CString text;
        layout->FormatLength(text, value);
        return text;
    }

    static constexpr DWORD kClickPause = 1000;
    CCVNDoc* layout = nullptr;
};

}  // namespace

TEST_F(RefusedEntryDialogs, DocumentSetupRefusesAPrintScaleOnceAtOkAndTakesTheNextOne) {
    host.WhenModal("Document setup", [&](CWnd& dialog) {
        host.ClickClient(dialog.GetDlgItem(IDC_SETUP_FIXED_SCALE), CPoint(3, 3));
        Retype(dialog, IDC_SETUP_PRINT_SCALE, "abc");
        // Leaving the field checks nothing yet; OK refuses it, once.
        host.PressKey(VK_TAB);
        EXPECT_TRUE(host.MessageBoxes().empty());
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(IDC_SETUP_PRINT_SCALE), CPoint(3, 3));
        EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
        EXPECT_EQ(LastBoxText(), DataExchangeMessages::kEnterNumber);
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_SETUP_PRINT_SCALE);
        host.Type("50");
        host.PressKey(VK_RETURN);
    });
    Main().SendMessage(WM_COMMAND, ID_DOCUMENT_SETUP);
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(layout->m_fPrintScale, 50.0);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(RefusedEntryDialogs, TrackPropertiesRefuseALengthOnceEvenWhenOkIsClickedAndAnAngleOnceAtOk) {
    CTool& tool = layout->m_tool;
    auto* curve = static_cast<CCircTrack*>(tool.CreateObjectForTool(kToolCurveTrack));
    curve->SetArc(0.0, 0.0, 1000.0, 0.0, 1.0, 0, 0);
    tool.AddObjectWithUndo(curve, 1, 1);
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        // The length field refuses abc itself as it is left, and shows the length again.
        const CString length = TextOf(dialog, IDC_TRACK_LENGTH);
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_TAB), 1U);
        EXPECT_EQ(LastBoxText(), "Illegal value");
        EXPECT_EQ(TextOf(dialog, IDC_TRACK_LENGTH), length);
        // A click on OK that leaves the refused field: the box ends the press, the dialog stays.
        Retype(dialog, IDC_TRACK_LENGTH, "abc");
        host.AnswerMessageBox(IDOK);
        host.AdvanceClock(kClickPause);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
        EXPECT_EQ(host.MessageBoxes().size(), 2U);
        EXPECT_TRUE(dialog.InModalLoop());
        // The arc's degrees are checked at OK: one box, and the field has the focus back.
        Retype(dialog, IDC_TRACK_ARC_DEGREES, "abc");
        EXPECT_EQ(BoxesAfterAnswered(VK_RETURN), 1U);
        EXPECT_EQ(LastBoxText(), DataExchangeMessages::kEnterNumber);
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_TRACK_ARC_DEGREES);
        host.Type("45");
        host.PressKey(VK_TAB);
        host.PressKey(VK_RETURN);
    });
    Main().MDIGetActive()->GetActiveView()->SendMessage(WM_COMMAND, ID_EDIT_PROPERTIES);
    EXPECT_EQ(host.MessageBoxes().size(), 3U);
    EXPECT_NEAR(curve->m_fSweep, kPi / 4.0, 1e-9);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}
