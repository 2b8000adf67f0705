#include <cmath>

#include "drawing/CArc.h"
#include "drawing/CSizeAngle.h"
#include "model/Units.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CPage3Way.h"
#include "wizard/CPageCurved.h"
#include "wizard/CPageCurvedTurnout.h"
#include "wizard/CPageStraightTrack.h"
#include "wizard/CPageTurnTable.h"
#include "wizard/CPageTurnout.h"

namespace {

constexpr double kDegree = kPi / 180.0;

using WizardPages = WizardInProgram;

double WorldStartAngle(const CCircTrack& curve) {
    return curve.m_fStartAngle + curve.m_pose.angle + curve.m_parentPose.angle;
}

}  // namespace

TEST_F(WizardPages, TheHoTurnoutBuildsItsDefaultsToTheLeftAndMirroredToTheRight) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageTurnout>(sheet, kTurnoutPage);
        EXPECT_EQ(page.m_dEntry, 508.0);
        EXPECT_EQ(page.m_dLength1, 3810.0);
        EXPECT_EQ(page.m_dLength2, 3048.0);
        EXPECT_EQ(page.m_dAngle2, 15.0);
        EXPECT_NEAR(page.m_dRadius2, 11776.57, 0.005);
        EXPECT_NEAR(page.m_dOffset2, 401.28, 0.005);
        EXPECT_EQ(TextOf(page, IDC_WIZARD_RADIUS2), Length(page.m_dRadius2));
        // Entry, through route and the curve leaving the through route's start to the left.
        ASSERT_EQ(Members(page.m_pPiece).m_members.size(), 3U);
        EXPECT_EQ(Members(page.m_pPiece).m_members.back(), page.m_pEntryTrack);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pEntryTrack, 0), 0.0, 0.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pThrough, 0), 508.0, 0.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pThrough, 1), 4318.0, 0.0, 1e-6);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve, 0), 508.0, 0.0, 1e-5);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve, 1), 3556.0, 401.28, 0.005);
        EXPECT_EQ(page.m_pPiece->m_strType, "Left");

        Click(page, IDC_TURNOUT_RIGHT);
        EXPECT_EQ(page.m_nHand, static_cast<int>(IDC_TURNOUT_RIGHT));
        EXPECT_EQ(page.m_pPiece->m_strType, "Right");
        const CDoublePoint centre =
            page.m_pCurve->LocalToWorld(page.m_pCurve->m_ptCentre.x, page.m_pCurve->m_ptCentre.y);
        EXPECT_POINT_NEAR(centre, 508.0, -11776.57, 0.005);
        EXPECT_NEAR(WorldStartAngle(*page.m_pCurve), 75.0 * kDegree, 1e-9);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve, 0), 3556.0, -401.28, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pCurve, 1), 508.0, 0.0, 1e-5);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(WizardPages, TurnoutFieldsFollowTheEditablePairAndRefuseWhatNoBranchCanBe) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageTurnout>(sheet, kTurnoutPage);
        ChooseEditable(page, 3);  // "Angle - Offset"
        EXPECT_FALSE(page.GetDlgItem(IDC_WIZARD_RADIUS2)->IsWindowEnabled());
        EXPECT_TRUE(page.GetDlgItem(IDC_WIZARD_ANGLE2)->IsWindowEnabled());
        EXPECT_TRUE(page.GetDlgItem(IDC_WIZARD_OFFSET2)->IsWindowEnabled());
        EXPECT_FALSE(page.GetDlgItem(IDC_WIZARD_LENGTH2)->IsWindowEnabled());
        Enter(page, IDC_WIZARD_OFFSET2, Length(400.0));
        EXPECT_NEAR(page.m_dRadius2, 11739.10, 0.01);
        EXPECT_NEAR(page.m_dLength2, 3038.30, 0.01);
        EXPECT_EQ(TextOf(page, IDC_WIZARD_LENGTH2), Length(page.m_dLength2));
        EXPECT_NEAR(page.m_pCurve->m_fRadius, page.m_dRadius2, 1e-9);

        // Angles lie between one degree and a right angle; a length not below the offset.
        for (const char* angle : {"0", "120"}) {
            host.AnswerMessageBox(IDOK);
            Enter(page, IDC_WIZARD_ANGLE2, angle);
            EXPECT_EQ(LastBoxText(), "Please enter a number between 1 and 90.");
            DialogInput::TypeOverAll(host, "15");
            host.PressKey(VK_TAB);
        }
        ChooseEditable(page, 5);  // "Offset - Length"
        host.AnswerMessageBox(IDOK);
        Enter(page, IDC_WIZARD_LENGTH2, Length(300.0));
        EXPECT_EQ(LastBoxText(),
                  "Please enter a length between " + Length(page.m_dOffset2) + " and 64000.000.");
        DialogInput::TypeOverAll(host, Length(page.m_dLength2));
        host.PressKey(VK_TAB);

        // "Default" gives the page its defaults back; a radius below the length has no
        // angle: the page says so, and the field gets its built radius back.
        host.AdvanceClock(kClickPause);
        host.ClickClient(&sheet.m_btnDefault, CPoint(3, 3));
        EXPECT_EQ(page.m_dLength2, 3048.0);
        EXPECT_EQ(TextOf(page, IDC_WIZARD_LENGTH2), Length(3048.0));
        ChooseEditable(page, 2);  // "Radius - Length"
        const double radius = page.m_dRadius2;
        const double built = page.m_pCurve->m_fRadius;
        host.AnswerMessageBox(IDOK);
        Enter(page, IDC_WIZARD_RADIUS2, Length(1000.0));
        EXPECT_EQ(LastBoxText().Find("No branch has these values"), 0);
        EXPECT_EQ(page.m_dRadius2, radius);
        EXPECT_EQ(page.m_pCurve->m_fRadius, built);
        EXPECT_EQ(TextOf(page, IDC_WIZARD_RADIUS2), Length(radius));
        ExpectFocusedAndSelected(page, IDC_WIZARD_RADIUS2);
        EXPECT_TRUE(std::isfinite(page.m_dAngleRad2));

        // No entry length removes the entry straight; any length brings a new one.
        Enter(page, IDC_WIZARD_ENTRY, "0");
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 2U);
        EXPECT_EQ(page.m_pEntryTrack, nullptr);
        Enter(page, IDC_WIZARD_ENTRY, Length(508.0));
        EXPECT_EQ(Members(page.m_pPiece).m_members.size(), 3U);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pEntryTrack, 1), 508.0, 0.0, 1e-6);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 4U);
}

TEST_F(WizardPages, TheCurvePageTakesAnglesFromADegreeToAWholeTurn) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageCurved>(sheet, kCurvedPage);
        EXPECT_EQ(page.m_dRadius, 2286.0);
        EXPECT_NEAR(page.m_pTrack->m_fSweep, kPi * 0.5, 1e-12);
        struct Typed {
            const char* text;
            double degrees;
        };
        for (const Typed& typed :
             {Typed{"10", 10.0}, Typed{"330", 330.0}, Typed{"1", 1.0}, Typed{"359.5", 359.5}}) {
            Enter(page, IDC_CURVED_ANGLE, typed.text);
            EXPECT_EQ(page.m_dAngleDeg, typed.degrees) << typed.text;
            EXPECT_NEAR(page.m_pTrack->m_fSweep, typed.degrees * kDegree, 1e-12) << typed.text;
        }
        // Symmetric about the x axis, centred on the origin.
        EXPECT_NEAR(WorldStartAngle(*page.m_pTrack), kFullTurn - 359.5 * kDegree / 2, 1e-9);
        host.AnswerMessageBox(IDOK);
        Enter(page, IDC_CURVED_RADIUS, Length(100.0));
        EXPECT_EQ(LastBoxText(), "Please enter a length between 25.400 and 64000.000.");
        EXPECT_EQ(page.m_dRadius, 2286.0);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
}

TEST_F(WizardPages, ThreeWayAndCurvedTurnoutsBuildTheirDefaultBranches) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& threeWay = Show<CPage3Way>(sheet, k3WayPage);
        EXPECT_EQ(threeWay.m_dLength3, 3302.0);
        EXPECT_EQ(threeWay.m_dLength1, 2286.0);
        EXPECT_NEAR(threeWay.m_dRadius1, 8832.43, 0.005);
        EXPECT_NEAR(threeWay.m_dOffset2, 300.96, 0.005);
        ASSERT_EQ(Members(threeWay.m_pPiece).m_members.size(), 4U);
        EXPECT_POINT_NEAR(WorldEnd(threeWay.m_pCurve1, 1), 508.0 + 2286.0, 300.96, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(threeWay.m_pCurve2, 0), 508.0 + 2286.0, -300.96, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(threeWay.m_pThrough, 1), 508.0 + 3302.0, 0.0, 1e-6);
        // The two sets derive apart, through the one choice.
        ChooseEditable(threeWay, 0);
        Enter(threeWay, IDC_WIZARD_RADIUS1, Length(10000.0));
        EXPECT_NEAR(threeWay.m_dLength1, 10000.0 * std::sin(15.0 * kDegree), 1e-6);
        EXPECT_NEAR(threeWay.m_dRadius2, 8832.43, 0.005);

        auto& curved = Show<CPageCurvedTurnout>(sheet, kCurvedTurnoutPage);
        EXPECT_NEAR(curved.m_dRadius1, 19015.46, 0.005);
        EXPECT_NEAR(curved.m_dOffset1, 288.89, 0.005);
        EXPECT_NEAR(curved.m_dRadius2, 9813.81, 0.005);
        EXPECT_NEAR(curved.m_dOffset2, 334.40, 0.005);
        ASSERT_EQ(Members(curved.m_pPiece).m_members.size(), 3U);
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve1, 0), 508.0, 0.0, 1e-5);
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve1, 1), 508.0 + 3302.0, 288.89, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve2, 1), 2540.0, 334.40, 0.005);
        Click(curved, IDC_CURVED_TURNOUT_WYE);
        EXPECT_EQ(curved.m_pPiece->m_strType, "Wye");
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve1, 1), 508.0 + 3302.0, 288.89, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve2, 0), 2540.0, -334.40, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(curved.m_pCurve2, 1), 0.0, 0.0, 1e-5);
        host.AnswerMessageBox(IDOK);
        Enter(curved, IDC_WIZARD_ANGLE1, "200");
        EXPECT_EQ(LastBoxText(), "Please enter a number between 1 and 180.");
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(host.MessageBoxes().size(), 1U);
}

TEST_F(WizardPages, TheTurntableDefaultFollowsTheScaleDownToTheSmallest) {
    struct Row {
        const char* scale;
        double length;
    };
    for (const Row& row :
         {Row{"HO", 3810.0}, Row{"O", 6858.0}, Row{"G", 14732.0}, Row{"N", 2032.0}, Row{"Z", 1270.0}}) {
        layout->m_nDefaultScaleIndex = FindScale(row.scale);
        RunWizard([&](CSheetWizard& sheet) {
            auto& page = Show<CPageTurnTable>(sheet, kTurntablePage);
            EXPECT_EQ(page.m_dLength, row.length) << row.scale;
            EXPECT_POINT_NEAR(WorldEnd(page.m_pBridge, 1), row.length, 0.0, 1e-6);
            EXPECT_EQ(page.m_pPit->m_fRadiusX, row.length / 2.0);
            EXPECT_EQ(page.m_pPit->m_bOval, 1);
            // The straight page's default is nine units, one inch each in the smallest scales.
            auto& straight = Show<CPageStraightTrack>(sheet, kStraightPage);
            EXPECT_EQ(straight.m_nLength, row.scale == CString("G") ? 6858 : 2286) << row.scale;
            sheet.PressButton(PSBTN_CANCEL);
        });
    }
}
