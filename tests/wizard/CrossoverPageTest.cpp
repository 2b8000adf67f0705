#include <cmath>

#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/win/AfxIds.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CPageCrossover.h"

namespace {

using CrossoverPage = WizardInProgram;

// Both ends of each curve lie on a straight or on the other arc of its reverse curve.
void ExpectCurvesMeetTheStraights(CPageCrossover& page) {
    const double l = page.m_dLength, s = page.m_dSeparation;
    for (CCircTrack* curve : {page.m_pCurve1, page.m_pCurve2, page.m_pCurve3, page.m_pCurve4}) {
        if (curve == nullptr)
            continue;
        for (int end : {0, 1}) {
            const CDoublePoint at = WorldEnd(curve, end);
            const bool onStraight = (std::fabs(at.y) < 1e-6 || std::fabs(at.y - s) < 1e-6) &&
                                    (std::fabs(at.x) < 1e-6 || std::fabs(at.x - l) < 1e-6);
            const bool inMiddle = std::fabs(at.x - l / 2.0) < 1e-6 && std::fabs(at.y - s / 2.0) < 1e-6;
            EXPECT_TRUE(onStraight || inMiddle) << at.x << ", " << at.y;
        }
    }
}

}  // namespace

TEST_F(CrossoverPage, TheDefaultReverseCurveShiftsByTheSeparationOverTheLength) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageCrossover>(sheet, kCrossoverPage);
        EXPECT_EQ(page.m_dLength, 2540.0);
        EXPECT_EQ(page.m_dSeparation, 1016.0);
        EXPECT_EQ(TextOf(page, IDC_CROSSOVER_ANGLE), "43.603");
        EXPECT_NEAR(page.m_dCurveAngleRad, 2.0 * std::atan(0.4), 1e-9);
        EXPECT_NEAR(page.m_dCurveRadius, 1841.5, 1e-9);
        EXPECT_EQ(TextOf(page, IDC_CROSSOVER_RADIUS), Length(1841.5));
        for (UINT id : {IDC_CROSSOVER_RADIUS, IDC_CROSSOVER_ANGLE})
            EXPECT_TRUE(page.GetDlgItem(static_cast<int>(id))->GetStyle() & ES_READONLY);
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 4U);
        const CDoublePoint centre =
            page.m_pCurve1->LocalToWorld(page.m_pCurve1->m_ptCentre.x, page.m_pCurve1->m_ptCentre.y);
        EXPECT_POINT_NEAR(centre, 0.0, -825.5, 1e-9);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve1, 0), 1270.0, 508.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve1, 1), 0.0, 1016.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 1), 2540.0, 1016.0, 1e-9);
        ExpectCurvesMeetTheStraights(page);

        // Equal length and separation: two quarter circles of half the separation.
        Enter(page, IDC_CROSSOVER_LENGTH, Length(1016.0));
        EXPECT_EQ(TextOf(page, IDC_CROSSOVER_ANGLE), "90");
        EXPECT_NEAR(page.m_dCurveRadius, 508.0, 1e-6);
        ExpectCurvesMeetTheStraights(page);
        // A separation beyond the length, or a length below the separation, is refused.
        host.AnswerMessageBox(IDOK);
        Enter(page, IDC_CROSSOVER_SEPARATION, Length(2000.0));
        EXPECT_EQ(LastBoxText(), "Please enter a length between 25.400 and 101.600.");
        DialogInput::TypeOverAll(host, Length(1016.0));
        host.PressKey(VK_TAB);
        host.AnswerMessageBox(IDOK);
        Enter(page, IDC_CROSSOVER_LENGTH, Length(500.0));
        EXPECT_EQ(LastBoxText(), "Please enter a length between 101.600 and 64000.000.");
        DialogInput::TypeOverAll(host, Length(3000.0));
        host.PressKey(VK_TAB);
        EXPECT_EQ(page.m_dLength, 3000.0);
        EXPECT_EQ(host.MessageBoxes().size(), 2U);

        Click(page, IDC_CROSSOVER_DOUBLE);
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 6U);
        EXPECT_EQ(page.m_pPiece->m_strType, "Double");
        ExpectCurvesMeetTheStraights(page);
        Click(page, IDC_CROSSOVER_RIGHT);
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 4U);
        EXPECT_EQ(page.m_pPiece->m_strType, "Single");
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve1, 0), 0.0, 0.0, 1e-5);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve2, 0), 3000.0, 1016.0, 1e-5);
        ExpectCurvesMeetTheStraights(page);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(CrossoverPage, PlaceDerivesTheCurvesAgainAndMarksTheirOuterEnds) {
    struct Hand {
        UINT id;
        int begin1, end1;
        size_t pieces;
    };
    for (const Hand& hand : {Hand{IDC_CROSSOVER_RIGHT, 1, 0, 4}, Hand{IDC_CROSSOVER_DOUBLE, 0, 1, 6},
                             Hand{IDC_CROSSOVER_LEFT, 0, 1, 4}}) {
        CPageCrossover* shown = nullptr;
        RunWizard([&](CSheetWizard& sheet) {
            auto& page = Show<CPageCrossover>(sheet, kCrossoverPage);
            shown = &page;
            Click(page, hand.id);
            // Never committed: a length below the separation as it was, and the unit's
            // separation.
            Type(page, IDC_CROSSOVER_LENGTH, Length(800.0));
            Type(page, IDC_CROSSOVER_SEPARATION, Length(254.0));
            sheet.PressButton(PSBTN_OK);
        });
        ASSERT_NE(Newest(), nullptr);
        CGroup& placed = Members(Newest());
        ASSERT_EQ(placed.m_members.size(), hand.pieces);
        EXPECT_EQ(shown->m_dSeparation, 254.0);
        EXPECT_EQ(shown->m_dLength, 800.0);
        auto member = placed.m_members.begin();
        auto* lower = static_cast<CTrack*>(*member++);
        auto* upper = static_cast<CTrack*>(*member++);
        EXPECT_NEAR(upper->m_fLength, 800.0, 1e-9);
        for (int curve = 0; member != placed.m_members.end(); ++member, ++curve) {
            auto* arc = static_cast<CCircTrack*>(*member);
            const bool second = curve >= 2;
            EXPECT_EQ(arc->m_bBeginConnected, second ? 1 : hand.begin1) << hand.id << " " << curve;
            EXPECT_EQ(arc->m_bEndConnected, second ? 0 : hand.end1) << hand.id << " " << curve;
            // The marked end lies on one of the straights, where the layout joins it.
            const CDoublePoint marked = WorldEnd(arc, arc->m_bBeginConnected ? 0 : 1);
            bool onStraight = false;
            for (CTrack* straight : {lower, upper})
                for (int end : {0, 1}) {
                    const CDoublePoint at = WorldEnd(straight, end);
                    onStraight = onStraight || std::hypot(at.x - marked.x, at.y - marked.y) < 1e-5;
                }
            EXPECT_TRUE(onStraight) << hand.id << " " << curve;
        }
        const size_t before = layout->m_rootGroup.m_members.size();
        Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        EXPECT_EQ(layout->m_rootGroup.m_members.size(), before - 1);
    }
}

TEST_F(CrossoverPage, PlaceRefusesASeparationBeyondTheLengthAndTakesOneAsLong) {
    CPageCrossover* shown = nullptr;
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageCrossover>(sheet, kCrossoverPage);
        shown = &page;
        // Typed but never committed: the separation beyond the length.
        Type(page, IDC_CROSSOVER_LENGTH, Length(1000.0));
        Type(page, IDC_CROSSOVER_SEPARATION, Length(2000.0));
        host.AnswerMessageBox(IDOK);
        sheet.PressButton(PSBTN_OK);
        EXPECT_EQ(LastBoxText(), "Please enter a length between 200.000 and 64000.000.");
        Type(page, IDC_CROSSOVER_LENGTH, Length(2000.0));
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(shown->m_dLength, 2000.0);
    EXPECT_EQ(shown->m_dSeparation, 2000.0);
    CGroup& placed = Members(Newest());
    ASSERT_EQ(placed.m_members.size(), 4U);
    auto member = placed.m_members.begin();
    auto* lower = static_cast<CTrack*>(*member++);
    auto* upper = static_cast<CTrack*>(*member++);
    EXPECT_NEAR(lower->m_fLength, 2000.0, 1e-9);
    EXPECT_NEAR(upper->m_fLength, 2000.0, 1e-9);
    const CDoublePoint from = WorldEnd(lower, 0), to = WorldEnd(upper, 0);
    EXPECT_NEAR(std::hypot(to.x - from.x, to.y - from.y), 2000.0, 1e-6);
    // Equal length and separation: two quarter circles of half the separation.
    for (; member != placed.m_members.end(); ++member) {
        auto* arc = static_cast<CCircTrack*>(*member);
        EXPECT_NEAR(arc->m_fRadius, 1000.0, 1e-6);
        EXPECT_NEAR(arc->m_fSweep, 3.1415926535 / 2.0, 1e-9);
    }
}
