#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "tests/support/DialogInput.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "wizard/CPageCrossing.h"
#include "wizard/CPageCrossover.h"
#include "wizard/CPageCurved.h"
#include "wizard/CPageHelix.h"
#include "wizard/CPageSlipSwitch.h"

namespace {

// A field that refuses abc, the refusal's text, and a value it then takes.
struct RefusingField {
    int page;
    UINT id;
    const char* refusal;
    const char* valid;
};

class RefusedEntry : public WizardInProgram {
  protected:
    // Types abc into the field and leaves it with Tab, answering OK to a box; answers how many
    // boxes came up.
    size_t BoxesAfterTypingAbc(CWnd& page, UINT id) {
        const size_t before = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        Enter(page, id, "abc");
        return host.MessageBoxes().size() - before;
    }
    // Types over the selected refused text and leaves the field: no box comes up.
    void TypeOverAndLeave(const CString& text) {
        const size_t before = host.MessageBoxes().size();
        host.Type(text);
        host.PressKey(VK_TAB);
        EXPECT_EQ(host.MessageBoxes().size(), before) << text;
    }
};

}  // namespace

TEST_F(RefusedEntry, ARefusedAngleShowsOneBoxTakesTheFocusBackAndThenTakesAValidAngle) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& curved = Show<CPageCurved>(sheet, kCurvedPage);
        EXPECT_EQ(BoxesAfterTypingAbc(curved, IDC_CURVED_ANGLE), 1U);
        EXPECT_EQ(LastBoxText(), DataExchangeMessages::kEnterNumber);
        ExpectFocusedAndSelected(curved, IDC_CURVED_ANGLE);
        TypeOverAndLeave("30");
        EXPECT_EQ(curved.m_dAngleDeg, 30.0);
        EXPECT_NEAR(curved.m_pTrack->m_fSweep, kPi / 6.0, 1e-12);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_TRUE(Main().IsWindowEnabled());
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(RefusedEntry, EveryPageThatValidatesOnLeavingAFieldRefusesOnceAndStaysUsable) {
    const RefusingField fields[] = {
        {kCrossingPage, IDC_CROSSING_ANGLE, DataExchangeMessages::kEnterNumber, "30"},
        {kSlipSwitchPage, IDC_SLIP_ANGLE, DataExchangeMessages::kEnterNumber, "20"},
        {kHelixPage, IDC_HELIX_GRADE, DataExchangeMessages::kEnterNumber, "3"},
        {kHelixPage, IDC_HELIX_CURVE_ANGLE, DataExchangeMessages::kEnterNumber, "30"},
        {kHelixPage, IDC_HELIX_CURVE_COUNT, DataExchangeMessages::kEnterInteger, "8"},
    };
    RunWizard([&](CSheetWizard& sheet) {
        for (const RefusingField& field : fields) {
            CWnd& page = Show<CWnd>(sheet, field.page);
            EXPECT_EQ(BoxesAfterTypingAbc(page, field.id), 1U) << field.id;
            EXPECT_EQ(LastBoxText(), field.refusal) << field.id;
            ExpectFocusedAndSelected(page, field.id);
            TypeOverAndLeave(field.valid);
            EXPECT_EQ(TextOf(page, field.id), field.valid);
        }
        EXPECT_EQ(Show<CPageCrossing>(sheet, kCrossingPage).m_dCrossAngle, 30.0);
        EXPECT_EQ(Show<CPageSlipSwitch>(sheet, kSlipSwitchPage).m_dCrossAngle, 20.0);
        auto& helix = Show<CPageHelix>(sheet, kHelixPage);
        EXPECT_EQ(helix.m_dGrade, 3.0);
        EXPECT_EQ(helix.m_dCurveAngle, 30.0);
        EXPECT_EQ(helix.m_nCurveCount, 8);
        // The crossover's typed fields are lengths: abc reads as no length and is raised.
        auto& crossover = Show<CPageCrossover>(sheet, kCrossoverPage);
        for (UINT id : {IDC_CROSSOVER_LENGTH, IDC_CROSSOVER_SEPARATION}) {
            Enter(crossover, id, "abc");
            EXPECT_NE(TextOf(crossover, id), "abc");
        }
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 5U);
    EXPECT_TRUE(MainMenuOpens());
}

TEST_F(RefusedEntry, APlaceClickThatLeavesARefusedFieldShowsOneBoxAndKeepsTheWizardOpen) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& curved = Show<CPageCurved>(sheet, kCurvedPage);
        Click(curved, IDC_CURVED_ANGLE);
        DialogInput::TypeOverAll(host, "abc");
        host.AnswerMessageBox(IDOK);
        Click(sheet, IDOK);
        EXPECT_EQ(host.MessageBoxes().size(), 1U);
        EXPECT_TRUE(sheet.InModalLoop());
        ExpectFocusedAndSelected(curved, IDC_CURVED_ANGLE);
        host.Type("45");
        host.PressKey(VK_RETURN);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    auto* placed = dynamic_cast<CCircTrack*>(Newest());
    ASSERT_NE(placed, nullptr);
    EXPECT_NEAR(placed->m_fSweep, kPi / 4.0, 1e-12);
    EXPECT_TRUE(MainMenuOpens());
}
