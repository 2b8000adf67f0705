#pragma once

#include <gtest/gtest.h>
#include <cmath>

#include <vector>

#include "model/CLengthFormat.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowManager.h"
#include "resources/TrackPropertiesTemplates.h"
#include "tests/support/DialogInput.h"
#include "tests/track/TrackPlan.h"

constexpr double kTestPi = 3.1415926535;

// The track properties dialogs driven through their controls on the headless host.
class TrackDialogFixture : public testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override {
        EXPECT_TRUE(host.UnansweredModals().empty());
        WindowManager::Instance().Reset();
    }

    CString Shown(CWnd& dialog, int id) {
        CString text;
        dialog.GetDlgItem(id)->GetWindowText(text);
        return text;
    }
    CLengthFormat Lengths() const { return CLengthFormat(plan.host.m_nUnitIndex); }
    CString Length(double length) const {
        CString text;
        Lengths().FormatLength(text, length);
        return text;
    }
    // A shown text read back as typed; a text that is no length fails the test.
    double Read(const CString& text) const {
        double length = std::nan("");
        EXPECT_TRUE(Lengths().ReadTypedLength(text, length)) << text;
        return length;
    }
    // A length as typed in its shown form reads back.
    double Parsed(double length) const { return Read(Length(length)); }
    // Clicks into the field, selects all its text and types over it.
    void Retype(CWnd& dialog, int id, const CString& text) {
        DialogInput::Retype(host, dialog.GetDlgItem(id), text);
    }
    // Types into a field and leaves it for the Name field.
    void Enter(CWnd& dialog, int id, const CString& text) {
        Retype(dialog, id, text);
        Click(dialog, IDC_TRACK_NAME);
    }
    // The next message box is answered with OK.
    void ExpectMessage() { host.AnswerMessageBox(IDOK); }
    void Click(CWnd& dialog, int id) { host.ClickClient(dialog.GetDlgItem(id), CPoint(3, 3)); }
    bool Checked(CWnd& dialog, int id) {
        return static_cast<CButton*>(dialog.GetDlgItem(id))->GetCheck() != 0;
    }
    bool ReadOnly(CWnd& dialog, int id) { return (dialog.GetDlgItem(id)->GetStyle() & ES_READONLY) != 0; }
    bool Enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    // The message boxes shown since the count was taken.
    std::vector<CString> MessagesSince(std::size_t count) {
        std::vector<CString> texts;
        for (std::size_t i = count; i < host.MessageBoxes().size(); ++i)
            texts.push_back(host.MessageBoxes()[i].text);
        return texts;
    }
    // Types into a field and presses OK: the message is shown, the dialog stays open with the
    // focus on the field, and after Cancel the piece and the undo list are as they were.
    void ExpectRefusedOnOk(CParTrack& piece, int field, const CString& typed, const CString& message) {
        const std::vector<BYTE> before = Record(piece);
        const int steps = plan.tool.GetUndoCount();
        host.WhenModal("Track properties", [&](CWnd& dialog) {
            const std::size_t shown = host.MessageBoxes().size();
            Enter(dialog, field, typed);
            ExpectMessage();
            Click(dialog, IDOK);
            EXPECT_EQ(MessagesSince(shown), std::vector<CString>{message});
            EXPECT_EQ(host.MessageBoxes().back().type & MB_ICONEXCLAMATION, MB_ICONEXCLAMATION);
            EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(field));
            EXPECT_TRUE(dialog.IsWindowVisible());
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(piece.EditProperties(&pose), 0);
        EXPECT_EQ(Record(piece), before);
        EXPECT_EQ(plan.tool.GetUndoCount(), steps);
    }
    // The piece's record, to see that nothing of it changed.
    static std::vector<BYTE> Record(CPaint& piece) {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        piece.Serialize(ar);
        ar.Close();
        return file.Detach();
    }

    HeadlessHost host;
    TrackPlan plan;
    // The placement of the root group's members.
    CPose pose;
};
