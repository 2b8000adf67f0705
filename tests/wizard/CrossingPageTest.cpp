#include <cmath>

#include "drawing/CSizeAngle.h"
#include "model/Units.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CTrack.h"
#include "wizard/CPageCrossing.h"

namespace {

using CrossingPage = WizardInProgram;

CDoublePoint Middle(CTrack* straight) {
    const CDoublePoint a = WorldEnd(straight, 0);
    const CDoublePoint b = WorldEnd(straight, 1);
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

}  // namespace

TEST_F(CrossingPage, TwoStraightsCrossAtTheirMiddlesUnderTheTypedAngle) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageCrossing>(sheet, kCrossingPage);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 0), 0.0, 0.0, 1e-9);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight1, 1), 2346.65, 972.02, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 0), 0.0, 972.02, 0.005);
        EXPECT_POINT_NEAR(WorldEnd(page.m_pStraight2, 1), 2346.65, 0.0, 0.005);
        EXPECT_POINT_NEAR(Middle(page.m_pStraight1), 1173.33, 486.01, 0.005);
        EXPECT_POINT_NEAR(Middle(page.m_pStraight2), 1173.33, 486.01, 0.005);
        EXPECT_NEAR(page.m_pDimAngle->SweepAngle(), kPi / 4.0, 1e-9);
        EXPECT_EQ(page.m_pPiece->m_strType, "Crossing");

        // Unequal lengths keep the crossing at both middles.
        Enter(page, IDC_CROSSING_LENGTH2, Length(1270.0));
        EXPECT_NEAR(page.m_pStraight2->m_fLength, 1270.0, 1e-9);
        EXPECT_POINT_NEAR(Middle(page.m_pStraight2), 1173.33, 486.01, 0.005);
        // The dimension angle follows the longer straight.
        Enter(page, IDC_CROSSING_LENGTH2, Length(5080.0));
        const double h = kPi / 8.0;
        const CDoublePoint vertex = Middle(page.m_pStraight1);
        const CDoublePoint label =
            page.m_pDimAngle->LocalToWorld(page.m_pDimAngle->m_points[4].x, page.m_pDimAngle->m_points[4].y);
        EXPECT_POINT_NEAR(label, vertex.x + 0.55 * 5080.0, vertex.y, 1e-6);
        const CDoublePoint arm =
            page.m_pDimAngle->LocalToWorld(page.m_pDimAngle->m_points[1].x, page.m_pDimAngle->m_points[1].y);
        EXPECT_NEAR(arm.x - vertex.x, 0.55 * 5080.0 * std::cos(h), 1e-6);

        struct Typed {
            const char* text;
            double degrees;
        };
        for (const Typed& typed : {Typed{"90", 90.0}, Typed{"1", 1.0}, Typed{"37.5", 37.5}}) {
            Enter(page, IDC_CROSSING_ANGLE, typed.text);
            EXPECT_EQ(page.m_dCrossAngle, typed.degrees) << typed.text;
            const CDoublePoint a = WorldEnd(page.m_pStraight1, 1);
            const CDoublePoint b = WorldEnd(page.m_pStraight2, 1);
            const CDoublePoint p = Middle(page.m_pStraight1);
            const double between = std::atan2(a.y - p.y, a.x - p.x) - std::atan2(b.y - p.y, b.x - p.x);
            EXPECT_NEAR(between, typed.degrees * kPi / 180.0, 1e-9) << typed.text;
        }
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(CrossingPage, PlaceTakesWhatWasTypedAndOneUndoTakesTheCrossingAway) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageCrossing>(sheet, kCrossingPage);
        Type(page, IDC_CROSSING_LENGTH1, Length(254.0));
        Type(page, IDC_CROSSING_ANGLE, "90");
        sheet.PressButton(PSBTN_OK);
    });
    ASSERT_NE(Newest(), nullptr);
    CGroup& placed = Members(Newest());
    ASSERT_EQ(placed.m_members.size(), 2U);
    EXPECT_EQ(placed.m_strName, "Crossing");
    auto* first = static_cast<CTrack*>(placed.m_members.front());
    auto* second = static_cast<CTrack*>(placed.m_members.back());
    EXPECT_NEAR(first->m_fLength, 254.0, 1e-9);
    EXPECT_NEAR(second->m_fLength, 2540.0, 1e-9);
    EXPECT_POINT_NEAR(Middle(first), Middle(second).x, Middle(second).y, 1e-6);
    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
}
