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
#include "wizard/CPageTurnout.h"

namespace {

// A field that refuses a word, the refusal's text, and a value it then takes.
struct RefusingField {
    int page;
    UINT id;
    CString refusal;
    const char* valid;
};

class RefusedEntry : public WizardInProgram {
  protected:
    // Types into the field and leaves it with Tab, answering OK to a box; answers how many
    // boxes came up.
    size_t BoxesAfterTyping(CWnd& page, UINT id, const CString& text) {
        const size_t before = host.MessageBoxes().size();
        host.AnswerMessageBox(IDOK);
        Enter(page, id, text);
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
        EXPECT_EQ(BoxesAfterTyping(curved, IDC_CURVED_ANGLE, "abc"), 1U);
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

// Every number and length field of the wizard refuses what is no value as it is left; a length
// field names its range and the forms of the unit.
TEST_F(RefusedEntry, EveryPageThatValidatesOnLeavingAFieldRefusesOnceAndStaysUsable) {
    const CString length = "Please enter a length between ";
    const CString forms = ".\n\nType a number of millimeters, as 12.5 or 1e3.";
    const RefusingField fields[] = {
        {kCrossingPage, IDC_CROSSING_ANGLE, DataExchangeMessages::kEnterNumber, "30"},
        {kSlipSwitchPage, IDC_SLIP_ANGLE, DataExchangeMessages::kEnterNumber, "20"},
        {kHelixPage, IDC_HELIX_GRADE, DataExchangeMessages::kEnterNumber, "3"},
        {kHelixPage, IDC_HELIX_CURVE_ANGLE, DataExchangeMessages::kEnterNumber, "30"},
        {kHelixPage, IDC_HELIX_CURVE_COUNT, DataExchangeMessages::kEnterInteger, "8"},
        {kStraightPage, IDC_STRAIGHT_LENGTH, length, "300.000"},
        {kCurvedPage, IDC_CURVED_RADIUS, length, "500.000"},
        {kCrossoverPage, IDC_CROSSOVER_LENGTH, length, "400.000"},
        {kCrossoverPage, IDC_CROSSOVER_SEPARATION, length, "50.000"},
        {kCrossingPage, IDC_CROSSING_LENGTH1, length, "200.000"},
        {kCrossingPage, IDC_CROSSING_LENGTH2, length, "200.000"},
        {kSlipSwitchPage, IDC_SLIP_LENGTH, length, "200.000"},
        {kTurnoutPage, IDC_WIZARD_ENTRY, length, "10.000"},
        {kTurnoutPage, IDC_TURNOUT_LENGTH1, length, "250.000"},
        {kTurnoutPage, IDC_WIZARD_RADIUS2, length, "900.000"},
        {k3WayPage, IDC_3WAY_LENGTH3, length, "250.000"},
        {kCurvedTurnoutPage, IDC_WIZARD_ENTRY_CURVED, length, "10.000"},
        {kCurvedTurnoutPage, IDC_WIZARD_RADIUS1, length, "900.000"},
        {kTurntablePage, IDC_TURNTABLE_LENGTH, length, "300.000"},
        {kHelixPage, IDC_HELIX_RADIUS, length, "400.000"},
        {kHelixPage, IDC_HELIX_STRAIGHT_LENGTH, length, "100.000"},
        {kSpiralPage, IDC_SPIRAL_LENGTH, length, "300.000"},
        {kSpiralPage, IDC_SPIRAL_RADIUS, length, "600.000"},
    };
    RunWizard([&](CSheetWizard& sheet) {
        for (const RefusingField& field : fields) {
            CWnd& page = Show<CWnd>(sheet, field.page);
            EXPECT_EQ(BoxesAfterTyping(page, field.id, "inf"), 1U) << field.id;
            EXPECT_EQ(LastBoxText().Find(field.refusal), 0) << field.id;
            if (field.refusal == length) {
                EXPECT_EQ(LastBoxText().Right(forms.GetLength()), forms) << field.id;
            }
            ExpectFocusedAndSelected(page, field.id);
            TypeOverAndLeave(field.valid);
            EXPECT_EQ(TextOf(page, field.id), field.valid) << field.id;
        }
        EXPECT_EQ(Show<CPageCrossing>(sheet, kCrossingPage).m_dCrossAngle, 30.0);
        EXPECT_EQ(Show<CPageSlipSwitch>(sheet, kSlipSwitchPage).m_dCrossAngle, 20.0);
        auto& helix = Show<CPageHelix>(sheet, kHelixPage);
        EXPECT_EQ(helix.m_dGrade, 3.0);
        EXPECT_EQ(helix.m_dCurveAngle, 30.0);
        EXPECT_EQ(helix.m_nCurveCount, 8);
        EXPECT_EQ(Show<CPageCurved>(sheet, kCurvedPage).m_dRadius, 5000.0);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), std::size(fields));
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

// Place with a turnout pair typed but never left that makes no branch tells so once and places
// nothing; Close then ends the wizard without another word.
TEST_F(RefusedEntry, PlaceRefusesATypedPairThatMakesNoBranchAndCloseSaysNoMore) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& turnout = Show<CPageTurnout>(sheet, kTurnoutPage);
        ChooseEditable(turnout, 2);  // "Radius - Length": a radius below the length has no angle
        const CString built = TextOf(turnout, IDC_WIZARD_RADIUS2);
        Click(turnout, IDC_WIZARD_RADIUS2);
        DialogInput::TypeOverAll(host, Length(1000.0));
        host.AnswerMessageBox(IDOK);
        host.PressKey(VK_RETURN);
        EXPECT_EQ(LastBoxText().Find("No branch has these values"), 0);
        EXPECT_TRUE(sheet.InModalLoop());
        EXPECT_EQ(TextOf(turnout, IDC_WIZARD_RADIUS2), built);
        ExpectFocusedAndSelected(turnout, IDC_WIZARD_RADIUS2);
        // A radius taken writes the length anew as the focus moves there: all of it is selected.
        host.Type(Length(20000.0));
        host.PressKey(VK_TAB);
        ExpectFocusedAndSelected(turnout, IDC_WIZARD_LENGTH2);
        host.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(Newest(), nullptr);
    EXPECT_TRUE(MainMenuOpens());
}
