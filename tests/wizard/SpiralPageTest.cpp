#include <cmath>

#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "resources/WizardPageTemplates.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CSplineTrack.h"
#include "wizard/CPageSpiral.h"

namespace {

using SpiralPage = WizardInProgram;

CDoublePoint Control(CSplineTrack* spline, int index) {
    return spline->GetControlPointWorld(CSplineTrack::kFirstKnot + index);
}

}  // namespace

TEST(SpiralControlPoints, SevenSegmentsLeadFromTheStraightToTheOffsetOfTheRadius) {
    const CPointArray left = CPageSpiral::ControlPoints(3810.0, 3048.0, 1.0);
    const CPointArray right = CPageSpiral::ControlPoints(3810.0, 3048.0, -1.0);
    ASSERT_EQ(left.GetSize(), CPageSpiral::kControlPoints);
    EXPECT_EQ(left[0], (CDoublePoint{0.0, 0.0}));
    EXPECT_NEAR(left[21].x, 3651.74, 0.005);
    EXPECT_NEAR(left[21].y, 793.75, 1e-6);
    for (int i = 0; i < left.GetSize(); ++i) {
        EXPECT_EQ(right[i].x, left[i].x);
        EXPECT_EQ(right[i].y, -left[i].y);
    }
    // It starts tangent to the x axis; each knot's handles lie on one line through it, a
    // fifth of the chord to the neighbouring knots away.
    EXPECT_NEAR(std::atan2(left[1].y, left[1].x), 0.0, 1e-5);
    for (int knot = 3; knot < 21; knot += 3) {
        const CDoublePoint in{left[knot].x - left[knot - 1].x, left[knot].y - left[knot - 1].y};
        const CDoublePoint out{left[knot + 1].x - left[knot].x, left[knot + 1].y - left[knot].y};
        EXPECT_NEAR(in.x * out.y - in.y * out.x, 0.0, 1e-6) << knot;
        const double chord = std::hypot(left[knot + 3].x - left[knot].x, left[knot + 3].y - left[knot].y);
        EXPECT_NEAR(std::hypot(out.x, out.y), 0.2 * chord, 1e-9) << knot;
    }
}

TEST_F(SpiralPage, TheLengthAndRadiusHoldEachOtherWithinHalfToTwice) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageSpiral>(sheet, kSpiralPage);
        EXPECT_EQ(page.m_dLength, 3810.0);
        EXPECT_EQ(page.m_dRadius, 3048.0);
        EXPECT_EQ(page.m_dOffset, 793.75);
        EXPECT_EQ(TextOf(page, IDC_SPIRAL_OFFSET), Length(793.75));
        EXPECT_TRUE(page.GetDlgItem(IDC_SPIRAL_OFFSET)->GetStyle() & ES_READONLY);
        EXPECT_POINT_NEAR(Control(page.m_pSpline, 21), 3651.74, 793.75, 0.005);
        Click(page, IDC_SPIRAL_RIGHT);
        EXPECT_EQ(page.m_pPiece->m_strType, "Right");
        EXPECT_POINT_NEAR(Control(page.m_pSpline, 21), 3651.74, -793.75, 0.005);
        EXPECT_POINT_NEAR(Control(page.m_pSpline, 0), 0.0, 0.0, 1e-9);

        struct Edit {
            UINT id;
            double typed, length, radius;
        };
        for (const Edit& edit :
             {Edit{IDC_SPIRAL_LENGTH, 8000.0, 8000.0, 4000.0},
              Edit{IDC_SPIRAL_LENGTH, 3810.0, 3810.0, 4000.0},
              Edit{IDC_SPIRAL_RADIUS, 10000.0, 5000.0, 10000.0},
              Edit{IDC_SPIRAL_RADIUS, 3048.0, 5000.0, 3048.0},
              Edit{IDC_SPIRAL_LENGTH, 1000.0, 1000.0, 2000.0},
              Edit{IDC_SPIRAL_RADIUS, 3048.0, 1524.0, 3048.0},
              Edit{IDC_SPIRAL_LENGTH, 3810.0, 3810.0, 3048.0},
              Edit{IDC_SPIRAL_RADIUS, 1500.0, 3000.0, 1500.0}, Edit{IDC_SPIRAL_LENGTH, 762.0, 762.0, 1500.0},
              Edit{IDC_SPIRAL_RADIUS, 640000.0, 320000.0, 640000.0},
              Edit{IDC_SPIRAL_LENGTH, 640000.0, 640000.0, 640000.0}}) {
            Enter(page, edit.id, Length(edit.typed));
            EXPECT_EQ(page.m_dLength, edit.length) << edit.typed;
            EXPECT_EQ(page.m_dRadius, edit.radius) << edit.typed;
            EXPECT_EQ(TextOf(page, IDC_SPIRAL_LENGTH), Length(edit.length));
            EXPECT_EQ(TextOf(page, IDC_SPIRAL_RADIUS), Length(edit.radius));
        }
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(SpiralPage, PlacePutsOneSplinePieceOfTwentyTwoControlPointsIntoThePlan) {
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageSpiral>(sheet, kSpiralPage);
        Type(page, IDC_SPIRAL_LENGTH, Length(762.0));
        sheet.PressButton(PSBTN_OK);
    });
    auto* spline = dynamic_cast<CSplineTrack*>(Newest());
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->LastIndex() - CSplineTrack::kFirstKnot + 1, CPageSpiral::kControlPoints);
    EXPECT_EQ(spline->SegmentCount(), 7);
    EXPECT_EQ(spline->m_strName, "Spiral track");
    EXPECT_EQ(spline->m_strType, "Left");
    // Place takes the length, and the radius at most twice the length.
    const CDoublePoint start = Control(spline, 0);
    const CDoublePoint end = Control(spline, 21);
    EXPECT_NEAR(end.y - start.y, 762.0 * 762.0 / 1524.0 / 6.0, 1e-6);
    Main().SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(layout->m_rootGroup.m_members.empty());
}

// The page keeps its values between openings of the wizard, shown in the layout's unit of the
// moment, however the wizard was left: a turn to another page and Place there change neither.
TEST_F(SpiralPage, ItsValuesOutliveAPlaceFromAnotherPageAndShowInTheLayoutsUnit) {
    constexpr int kFeetAndDecimalInches = 2;
    constexpr int kDecimalInches = 4;
    for (int unit : {kFeetAndDecimalInches, kDecimalInches, kDecimalInches}) {
        layout->m_nUnitIndex = unit;
        RunWizard([&](CSheetWizard& sheet) {
            auto& page = Show<CPageSpiral>(sheet, kSpiralPage);
            EXPECT_EQ(TextOf(page, IDC_SPIRAL_LENGTH), Length(3810.0)) << unit;
            EXPECT_EQ(TextOf(page, IDC_SPIRAL_RADIUS), Length(3048.0)) << unit;
            Show<CWnd>(sheet, kStraightPage);
            EXPECT_EQ(page.m_dLength, 3810.0) << unit;
            EXPECT_EQ(page.m_dRadius, 3048.0) << unit;
            sheet.PressButton(PSBTN_OK);
        });
    }
}
