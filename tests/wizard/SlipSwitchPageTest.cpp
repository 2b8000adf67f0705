#include <cmath>

#include "model/Units.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CPageSlipSwitch.h"

namespace {

using SlipSwitchPage = WizardInProgram;

CDoublePoint WorldCentre(CCircTrack* curve) {
    return curve->LocalToWorld(curve->m_ptCentre.x, curve->m_ptCentre.y);
}

}  // namespace

TEST_F(SlipSwitchPage, SlipCurvesJoinTheStraightsEndsTangentially) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageSlipSwitch>(sheet, kSlipSwitchPage);
        EXPECT_EQ(page.m_dLength, 2286.0);
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 3U);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 1), 2231.81, 494.78, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 0), 0.0, 494.78, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 1), 2231.81, 0.0, 0.005);
        EXPECT_NEAR(page.m_pCurve1->m_fRadius, 5155.74, 0.005);
        EXPECT_POINT_NEAR(WorldCentre(page.m_pCurve1), 1115.91, 5528.31, 0.005);
        // Curve 1 runs from straight 2's start to straight 1's end.
        const CDoublePoint start2 = WorldEnd(page.m_pStraight2, 0);
        const CDoublePoint end1 = WorldEnd(page.m_pStraight1, 1);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve1, 0), start2.x, start2.y, 1e-5);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve1, 1), end1.x, end1.y, 1e-5);

        Click(page, IDC_SLIP_DOUBLE);
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 4U);
        EXPECT_EQ(page.m_pPiece->m_strType, "Double");
        EXPECT_POINT_NEAR(WorldCentre(page.m_pCurve2), 1115.91, -5033.53, 0.005);
        const CDoublePoint end2 = WorldEnd(page.m_pStraight2, 1);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve2, 0), end2.x, end2.y, 1e-5);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve2, 1), 0.0, 0.0, 1e-5);

        // Half the angle, about twice the radius; a right angle gives half the length.
        Enter(page, IDC_SLIP_ANGLE, "12.5");
        EXPECT_NEAR(page.m_pCurve1->m_fRadius / 5155.74, 2.0, 0.05);
        Enter(page, IDC_SLIP_ANGLE, "90");
        EXPECT_NEAR(page.m_pCurve1->m_fRadius, 0.5 * 2286.0, 1e-6);
        Enter(page, IDC_SLIP_ANGLE, "1");
        EXPECT_EQ(page.m_dCrossAngle, 1.0);
        Enter(page, IDC_SLIP_LENGTH, "25.4");
        EXPECT_EQ(page.m_dLength, 254.0);
        Click(page, IDC_SLIP_SINGLE);
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 3U);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(SlipSwitchPage, PlaceTakesTheTypedLengthAndJoinsBothEndsOfEverySlipCurve) {
    struct Typed {
        const char* length;
        double placed;
    };
    for (const Typed& typed : {Typed{"25.4", 254.0}, Typed{"40", 400.0}}) {
        RunWizard([&](CSheetWizard& sheet) {
            auto& page = Show<CPageSlipSwitch>(sheet, kSlipSwitchPage);
            Click(page, IDC_SLIP_DOUBLE);
            Type(page, IDC_SLIP_LENGTH, typed.length);
            Type(page, IDC_SLIP_ANGLE, "1");
            sheet.PressButton(PSBTN_OK);
        });
        ASSERT_NE(Newest(), nullptr);
        CGroup& placed = Members(Newest());
        ASSERT_EQ(placed.m_members.size(), 4U);
        auto member = placed.m_members.begin();
        auto* straight = static_cast<CTrack*>(*member++);
        EXPECT_NEAR(straight->m_fLength, typed.placed, 1e-9) << typed.length;
        EXPECT_EQ(straight->m_bBeginConnected, 0);
        ++member;
        for (; member != placed.m_members.end(); ++member) {
            auto* curve = static_cast<CCircTrack*>(*member);
            EXPECT_EQ(curve->m_bBeginConnected, 1);
            EXPECT_EQ(curve->m_bEndConnected, 1);
            EXPECT_GT(curve->m_fRadius, 0.0) << typed.length;
            EXPECT_NEAR(curve->m_fSweep, kPi / 180.0, 1e-12);
        }
    }
    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), 1U);
}
