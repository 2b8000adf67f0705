#include <gtest/gtest.h>

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/support/DialogInput.h"

namespace {
constexpr UINT IDC_ANGLE = 5101;
constexpr UINT IDC_COUNT = 5102;

const DialogTemplate& CurveTemplate() {
    static const DialogTemplate dialog{
        0,
        "Curve",
        WS_POPUP | WS_CAPTION | WS_VISIBLE,
        CRect(0, 0, 160, 80),
        {
            {IDC_ANGLE, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(55, 7, 100, 19)},
            {IDC_COUNT, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(55, 27, 100, 39)},
            {IDOK, WC_BUTTON, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
             CRect(7, 55, 57, 69)},
        }};
    return dialog;
}

// Every field takes its value as it is left, as the track wizard's pages do; each leaving is
// noted with what the exchange answered and whether a refusal was under way.
class CurveDialog : public CDialog {
    DECLARE_MESSAGE_MAP()
  public:
    CurveDialog() : CDialog(CurveTemplate()) {}

    struct Leaving {
        UINT id;
        BOOL taken;
        bool duringRefusal;
    };
    double m_angle = 90.0;
    int m_count = 12;
    std::vector<Leaving> leavings;

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_ANGLE, m_angle);
        DDX_Text(dx, IDC_COUNT, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 99);
    }
    void OnAngleLeft() { Note(IDC_ANGLE); }
    void OnCountLeft() { Note(IDC_COUNT); }

  private:
    void Note(UINT id) {
        const bool duringRefusal = CDataExchange::IsRefusing();
        leavings.push_back({id, UpdateData(TRUE), duringRefusal});
    }
};

BEGIN_MESSAGE_MAP(CurveDialog, CDialog)
ON_EN_KILLFOCUS(IDC_ANGLE, OnAngleLeft)
ON_EN_KILLFOCUS(IDC_COUNT, OnCountLeft)
END_MESSAGE_MAP()

class DataExchangeRefusalTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override {
        EXPECT_TRUE(host.UnansweredModals().empty());
        WindowManager::Instance().Reset();
    }

    void Retype(CWnd& dialog, UINT id, const CString& text) {
        DialogInput::Retype(host, dialog.GetDlgItem(static_cast<int>(id)), text);
    }
    // The field has the focus, its whole text selected.
    void ExpectFocusedAndSelected(CWnd& dialog, UINT id) {
        auto* field = dynamic_cast<CEdit*>(dialog.GetDlgItem(static_cast<int>(id)));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(CWnd::GetFocus(), field);
        CString text;
        field->GetWindowText(text);
        int start = -1;
        int end = -1;
        field->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, text.GetLength());
    }

    HeadlessHost host;
};
}  // namespace

TEST_F(DataExchangeRefusalTest, ARefusalShowsOneBoxWhileNoOtherFieldValidatesAndGivesTheFocusBack) {
    CurveDialog dialog;
    host.WhenModal("Curve", [&](CWnd&) {
        Retype(dialog, IDC_ANGLE, "abc");
        host.AnswerMessageBox(IDOK);
        host.PressKey(VK_TAB);
        ASSERT_EQ(host.MessageBoxes().size(), 1U);
        EXPECT_EQ(host.MessageBoxes()[0].text, DataExchangeMessages::kEnterNumber);
        ExpectFocusedAndSelected(dialog, IDC_ANGLE);
        // The count field lost the focus to the box and again to the refused angle: it read
        // nothing while the refusal was under way.
        // Each leaving is noted once its exchange returns: the angle's own comes last.
        ASSERT_GE(dialog.leavings.size(), 2U);
        const CurveDialog::Leaving angle = dialog.leavings.back();
        EXPECT_EQ(angle.id, IDC_ANGLE);
        EXPECT_FALSE(angle.duringRefusal);
        EXPECT_FALSE(angle.taken);
        dialog.leavings.pop_back();
        for (const CurveDialog::Leaving& leaving : dialog.leavings) {
            EXPECT_EQ(leaving.id, IDC_COUNT);
            EXPECT_TRUE(leaving.duringRefusal);
            EXPECT_FALSE(leaving.taken);
        }
        EXPECT_EQ(dialog.m_count, 12);

        // A click on OK that leaves the refused field: the box ends the press, OK is not pressed.
        host.AnswerMessageBox(IDOK);
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3));
        EXPECT_EQ(host.MessageBoxes().size(), 2U);
        EXPECT_TRUE(dialog.InModalLoop());
        ExpectFocusedAndSelected(dialog, IDC_ANGLE);

        // A count out of range is refused by its check the same way, once.
        host.Type("30");
        Retype(dialog, IDC_COUNT, "500");
        host.AnswerMessageBox(IDOK);
        host.PressKey(VK_TAB);
        ASSERT_EQ(host.MessageBoxes().size(), 3U);
        EXPECT_EQ(host.MessageBoxes()[2].text, "Please enter an integer between 1 and 99.");
        ExpectFocusedAndSelected(dialog, IDC_COUNT);
        EXPECT_EQ(dialog.m_angle, 30.0);

        host.Type("8");
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(host.MessageBoxes().size(), 3U);
    EXPECT_EQ(dialog.m_angle, 30.0);
    EXPECT_EQ(dialog.m_count, 8);
    EXPECT_FALSE(CDataExchange::IsRefusing());
}
