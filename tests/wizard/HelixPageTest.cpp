#include <cmath>
#include <iterator>

#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CPageHelix.h"

namespace {

constexpr double kDegree = kPi / 180.0;

using HelixPage = WizardInProgram;

CCircTrack* Curve(CPaint* piece, int k) {
    return static_cast<CCircTrack*>(*std::next(Members(piece).m_members.begin(), k + 1));
}

}  // namespace

TEST_F(HelixPage, TheDefaultHelixClimbsAndTurnsOneAndAHalfTimesAroundItsCentre) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageHelix>(sheet, kHelixPage);
        EXPECT_EQ(page.m_dRadius, 2540.0);
        EXPECT_EQ(page.m_dStraightLength, 2540.0);
        EXPECT_NEAR(page.m_dTotalHeight, 957.56, 0.005);
        EXPECT_EQ(TextOf(page, IDC_HELIX_TOTAL_HEIGHT), Length(page.m_dTotalHeight));
        EXPECT_TRUE(page.GetDlgItem(IDC_HELIX_TOTAL_HEIGHT)->GetStyle() & ES_READONLY);
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 14U);
        const double z0 = page.m_pStraight1->m_fBeginElevation;
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 0), 0.0, 0.0, 1e-9);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 1), 2540.0, 0.0, 1e-9);
        // The first curve leaves the entry straight; each climbs 79.80 to the next.
        EXPECT_POINT_NEAR(WorldEnd(Curve(page.m_pPiece, 1), 1), 2540.0, 0.0, 1e-6);
        for (int k = 1; k <= 12; ++k) {
            CCircTrack* curve = Curve(page.m_pPiece, k);
            EXPECT_NEAR(curve->m_fBeginElevation - curve->m_fEndElevation, 79.80, 0.005);
            EXPECT_NEAR(curve->m_fEndElevation, z0 + (k - 1) * 957.56 / 12.0, 0.005);
            EXPECT_EQ(curve->m_nStyle, 1);
            if (k > 1) {
                const CDoublePoint joint = WorldEnd(Curve(page.m_pPiece, k - 1), 0);
                EXPECT_POINT_NEAR(WorldEnd(curve, 1), joint.x, joint.y, 1e-6);
            }
        }
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 0), 2540.0, -5080.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 1), 0.0, -5080.0, 1e-6);
        EXPECT_NEAR(page.m_pStraight2->m_fBeginElevation, z0 + 957.56, 0.005);
        EXPECT_NEAR(page.m_pStraight2->m_fEndElevation, z0 + 957.56, 0.005);
        EXPECT_EQ(page.m_pStraight2->m_nStyle, 1);

        // Two curves of 40 degrees: the last starts at 10 degrees, and the exit leaves there.
        Enter(page, IDC_HELIX_CURVE_COUNT, "2");
        Enter(page, IDC_HELIX_CURVE_ANGLE, "40");
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 4U);
        CCircTrack* last = Curve(page.m_pPiece, 2);
        EXPECT_NEAR(last->m_fStartAngle + last->m_pose.angle + last->m_parentPose.angle, 10.0 * kDegree,
                    1e-9);
        const CDoublePoint far = WorldEnd(last, 0);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 0), far.x, far.y, 1e-6);
        const CDoublePoint exitEnd = WorldEnd(page.m_pStraight2, 1);
        EXPECT_NEAR(std::atan2(exitEnd.y - far.y, exitEnd.x - far.x), 10.0 * kDegree - kPi / 2.0, 1e-9);

        Enter(page, IDC_HELIX_CURVE_COUNT, "1");
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 3U);
        Enter(page, IDC_HELIX_GRADE, "100");
        EXPECT_EQ(page.m_dGradeUsed, 100.0);

        // With the height typed, the grade follows, and no height is a grade of nothing.
        Click(page, IDC_HELIX_BY_HEIGHT);
        EXPECT_FALSE(page.GetDlgItem(IDC_HELIX_TOTAL_HEIGHT)->GetStyle() & ES_READONLY);
        EXPECT_TRUE(page.GetDlgItem(IDC_HELIX_GRADE)->GetStyle() & ES_READONLY);
        Enter(page, IDC_HELIX_TOTAL_HEIGHT, "0");
        EXPECT_EQ(page.m_dTotalHeight, 0.0);
        EXPECT_EQ(TextOf(page, IDC_HELIX_TOTAL_HEIGHT), Length(0.0));
        EXPECT_EQ(page.m_dGrade, 0.0);

        Click(page, IDC_HELIX_RIGHT);
        EXPECT_EQ(page.m_pPiece->m_strType, "Right");
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 1), page.m_dRadius, -2.0 * page.m_dRadius, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(Curve(page.m_pPiece, 1), 0), page.m_dRadius, -2.0 * page.m_dRadius, 1e-5);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(HelixPage, PlaceTakesTheTypedGradeAndTheMostCurvesOfTheSmallestAngle) {
    CPageHelix* shown = nullptr;
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageHelix>(sheet, kHelixPage);
        shown = &page;
        Type(page, IDC_HELIX_GRADE, "2");
        Type(page, IDC_HELIX_CURVE_ANGLE, "1");
        Type(page, IDC_HELIX_CURVE_COUNT, "1000");
        sheet.PressButton(PSBTN_OK);
    });
    ASSERT_NE(Newest(), nullptr);
    CGroup& placed = Members(Newest());
    ASSERT_EQ(placed.m_members.size(), 2U + CPageHelix::kMostCurves);
    EXPECT_EQ(shown->m_nCount, CPageHelix::kMostCurves);
    const double height = CPageHelix::kMostCurves * kDegree * 2540.0 * 0.02;
    EXPECT_NEAR(shown->m_dTotalHeight, height, 1e-6);
    CCircTrack* first = Curve(Newest(), 1);
    EXPECT_NEAR(first->m_fSweep, kDegree, 1e-12);
    auto* exit = static_cast<CTrack*>(*std::next(placed.m_members.begin()));
    auto* entry = static_cast<CTrack*>(placed.m_members.front());
    EXPECT_NEAR(exit->m_fBeginElevation - entry->m_fBeginElevation, height, 1e-6);
    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
}

TEST_F(HelixPage, AHelixClimbingHigherThanAHeightFieldTakesIsRefusedAndNotPlaced) {
    CString radius;
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageHelix>(sheet, kHelixPage);
        radius = TextOf(page, IDC_HELIX_RADIUS);
        Type(page, IDC_HELIX_GRADE, "100");
        Type(page, IDC_HELIX_RADIUS, "64000");
        Type(page, IDC_HELIX_CURVE_ANGLE, "90");
        Type(page, IDC_HELIX_CURVE_COUNT, "1000");
        host.AnswerMessageBox(IDOK);
        sheet.PressButton(PSBTN_OK);
        EXPECT_EQ(LastBoxText(),
                  "A helix climbs from 0.000 up to 64000.000: lower the grade, the radius, or the "
                  "curves' angle or number.");
        EXPECT_TRUE(sheet.InModalLoop());
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
    // Nothing refused stays: the next opening shows the helix as it was and places it.
    RunWizard([&](CSheetWizard& sheet) {
        EXPECT_EQ(TextOf(*sheet.GetActivePage(), IDC_HELIX_RADIUS), radius);
        EXPECT_EQ(TextOf(*sheet.GetActivePage(), IDC_HELIX_GRADE), "4");
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), 1U);
}
