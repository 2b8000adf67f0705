#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "platform/win/WinDefs.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackAngles.h"

// The track pieces driven through the engine's mouse handlers, at the starting zoom where
// one device unit is ten layout units.

namespace {

struct GesturePlan : TrackPlan {
    explicit GesturePlan(double zoomDenominator = 10.0) { tool.SetViewScale(1.0, zoomDenominator); }
    void Drag(double x0, double y0, double x1, double y1) {
        tool.OnLButtonDown(0, x0, y0);
        tool.OnMouseMove(0, (x0 + x1) / 2.0, (y0 + y1) / 2.0, 1);
        tool.OnMouseMove(0, x1, y1, 1);
        tool.OnLButtonUp(0, x1, y1);
    }
    // The same drag between two layout points, given to the engine as device points.
    void DragLayout(double x0, double y0, double x1, double y1) {
        const double zoom = tool.m_fZoomRatio;
        Drag(x0 * zoom, y0 * zoom, x1 * zoom, y1 * zoom);
    }
    CDoublePoint World(CTrack* piece, int end) {
        const CDoublePoint local = piece->GetEndPoint(end);
        return piece->LocalToWorld(local.x, local.y);
    }
};

}  // namespace

TEST(TrackGesture, TheStraightTrackToolPlacesAPieceWithOneUndoStep) {
    GesturePlan plan;
    plan.tool.m_toolMode.Set(kToolStraightTrack);
    const int before = plan.tool.GetUndoCount();
    plan.Drag(10.0, 10.0, 110.0, 10.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    auto* piece = dynamic_cast<CTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(plan.World(piece, 0), (CDoublePoint{100.0, 100.0}));
    EXPECT_EQ(plan.World(piece, 1), (CDoublePoint{1100.0, 100.0}));
    EXPECT_DOUBLE_EQ(piece->m_fLength, 1000.0);
    EXPECT_EQ(piece->GetEditState(), -1);
    ASSERT_EQ(plan.tool.GetUndoCount(), before + 1);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepRemoveObject);
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_pRoot->m_members.empty());
    // A click without a drag leaves no piece and no step.
    plan.tool.OnLButtonDown(0, 50.0, 50.0);
    plan.tool.OnLButtonUp(0, 50.0, 50.0);
    EXPECT_TRUE(plan.host.m_pRoot->m_members.empty());
    EXPECT_EQ(plan.tool.GetUndoCount(), before);
}

TEST(TrackGesture, DraggingACurveEndReshapesItAndUndoGivesItBack) {
    GesturePlan plan;
    CCircTrack* curve = plan.Curve(0.0, 2000.0, 2000.0, kPi * 1.5, kPi * 0.5);
    curve->SelectWithUndo(0, 0);
    const CDoublePoint end = curve->m_points[6];
    plan.Drag(end.x / 10.0, end.y / 10.0, 0.0, 400.0);
    EXPECT_NEAR(curve->m_fSweep, kPi, 1e-9);
    EXPECT_NEAR(curve->m_points[5].x, 0.0, 1e-6);  // the begin end stays
    EXPECT_NEAR(curve->m_points[5].y, 0.0, 1e-6);
    EXPECT_NEAR(curve->m_points[6].y, 4000.0, 1e-6);
    plan.tool.Undo();
    EXPECT_NEAR(curve->m_fSweep, kPi * 0.5, 1e-9);
    EXPECT_NEAR(curve->m_points[6].x, 2000.0, 1e-6);
}

TEST(TrackGesture, ANewPieceStartedOnAFreeEndGoesOnFromIt) {
    GesturePlan plan;
    CTrack* fixed = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    fixed->m_fEndElevation = 60.0;
    plan.tool.m_toolMode.Set(kToolStraightTrack);
    plan.Drag(100.5, 0.3, 150.0, 30.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* piece = dynamic_cast<CTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(piece, nullptr);
    ASSERT_NE(piece, fixed);
    const CDoublePoint begin = plan.World(piece, 0);
    EXPECT_NEAR(begin.x, 1000.0, 1e-6);
    EXPECT_NEAR(begin.y, 0.0, 1e-6);
    // It goes on in the fixed piece's direction, only its length following the mouse.
    EXPECT_NEAR(plan.World(piece, 1).y, 0.0, 1e-6);
    EXPECT_NEAR(piece->m_fLength, VectorLength(500.0, 300.0), 1e-6);
    EXPECT_TRUE(SameDirection(piece->GetEndAngle(nullptr, 0),
                              ReduceAngle(fixed->GetEndAngle(nullptr, 1) + kPi), 1e-6));
    EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 60.0);

    // The match of the press belongs to the new piece alone: a style applied afterwards
    // rebuilds other pieces' outlines without giving them that end's elevation.
    CTrack* other = plan.Straight(0.0, 3000.0, 1000.0, 3000.0);
    other->m_fBeginElevation = 10.0;
    other->m_fEndElevation = 25.0;
    const double fixedBegin = fixed->m_fBeginElevation;
    CTrack pattern(0, &plan.tool, 0.0, 0.0);
    pattern.m_nRailMode = 3;
    other->ApplyStyle(nullptr, &pattern, 0);
    EXPECT_EQ(other->m_nRailMode, 3);
    EXPECT_DOUBLE_EQ(other->m_fBeginElevation, 10.0);
    EXPECT_DOUBLE_EQ(other->m_fEndElevation, 25.0);
    EXPECT_EQ(plan.World(other, 1), (CDoublePoint{1000.0, 3000.0}));
    plan.host.m_pRoot->ApplyStyle(nullptr, &pattern, 2);
    EXPECT_DOUBLE_EQ(fixed->m_fEndElevation, 60.0);
    EXPECT_DOUBLE_EQ(fixed->m_fBeginElevation, fixedBegin);
    EXPECT_DOUBLE_EQ(other->m_fEndElevation, 25.0);
}

TEST(TrackGesture, ARubberBandSelectsTheStraightsAndCurvesInsideItAtEveryZoom) {
    for (double zoom : {10.0, 3.0}) {
        SCOPED_TRACE(zoom);
        GesturePlan plan(zoom);
        CTrack* inside = plan.Straight(20000.0, 20000.0, 22000.0, 20000.0);
        CCircTrack* curve = plan.Curve(25000.0, 19000.0, 1500.0, kPi / 2.0, kPi / 2.0);
        // Pieces ten times as far out: where a band taken for device units, or converted to
        // layout units twice, would lie at the starting zoom.
        CTrack* far = plan.Straight(200000.0, 200000.0, 220000.0, 200000.0);
        CCircTrack* farCurve = plan.Curve(250000.0, 190000.0, 15000.0, kPi / 2.0, kPi / 2.0);
        plan.DragLayout(19000.0, 18500.0, 26000.0, 21500.0);
        EXPECT_EQ(inside->IsSelected(), 1);
        EXPECT_EQ(curve->IsSelected(), 1);
        EXPECT_EQ(far->IsSelected(), 0);
        EXPECT_EQ(farCurve->IsSelected(), 0);

        // A band across the middle of each piece, holding neither end, catches both.
        plan.DragLayout(20500.0, 19500.0, 21000.0, 22000.0);
        EXPECT_EQ(inside->IsSelected(), 1);
        EXPECT_EQ(curve->IsSelected(), 0);
        plan.DragLayout(23600.0, 20600.0, 24300.0, 19700.0);
        EXPECT_EQ(inside->IsSelected(), 0);
        EXPECT_EQ(curve->IsSelected(), 1);
        EXPECT_EQ(plan.tool.m_rcRubberBand, DeviceRect{});
    }
}

TEST(TrackGesture, AMovedSelectionSnapsOntoTheGridInMillimetresAndInches) {
    struct Grid {
        int unit;
        int step;
        CDoublePoint snapped;
    };
    // The begin end lands at (1300, 1130), the nearer end to a grid point.
    const Grid grids[] = {{8, 500, {1500.0, 1000.0}}, {3, 1270, {1270.0, 1270.0}}};
    for (double zoom : {10.0, 3.0}) {
        for (const Grid& grid : grids) {
            SCOPED_TRACE(testing::Message() << "zoom 1/" << zoom << ", unit " << grid.unit);
            GesturePlan plan(zoom);
            plan.host.m_nUnitIndex = grid.unit;
            plan.host.m_nGridWidth = grid.step;
            plan.host.m_nGridHeight = grid.step;
            plan.tool.m_nSnapMode = 2;
            CTrack* piece = plan.Straight(1000.0, 1000.0, 3000.0, 1000.0);
            const int before = plan.tool.GetUndoCount();
            // Picked up on its rail, which is what a press hits at every zoom.
            plan.DragLayout(1500.0, 1082.5, 1800.0, 1212.5);
            const CDoublePoint begin = plan.World(piece, 0);
            EXPECT_NEAR(begin.x, grid.snapped.x, 1e-6);
            EXPECT_NEAR(begin.y, grid.snapped.y, 1e-6);
            EXPECT_NEAR(plan.World(piece, 1).x, grid.snapped.x + 2000.0, 1e-6);
            EXPECT_GT(plan.tool.GetUndoCount(), before);
            plan.tool.Undo();  // the move and its snap go back together
            EXPECT_NEAR(plan.World(piece, 0).x, 1000.0, 1e-6);
            EXPECT_NEAR(plan.World(piece, 0).y, 1000.0, 1e-6);

            // A snap point 500 or more away leaves the piece where it was dropped.
            plan.host.m_nGridWidth = grid.step * 10;
            plan.host.m_nGridHeight = grid.step * 10;
            plan.DragLayout(1500.0, 1082.5, 4000.0, 4082.5);
            EXPECT_NEAR(plan.World(piece, 0).x, 3500.0, 1e-6);
            EXPECT_NEAR(plan.World(piece, 0).y, 4000.0, 1e-6);
        }
    }
}

TEST(TrackGesture, DraggingAnEndsElevationShowsTheGradeLabelWithTheLengthAndAngle) {
    struct Unit {
        int index;
        const char* label;
    };
    const Unit units[] = {{8, "h=50.000,grade=-25.00%; 200.000; 0.00\xB0"},
                          {3, "h=0' 1 31/32\",grade=-25.00%; 0' 7 7/8\"; 0.00\xB0"}};
    for (const Unit& unit : units) {
        SCOPED_TRACE(unit.index);
        GesturePlan plan;
        plan.host.m_nUnitIndex = unit.index;
        CTrack* piece = plan.Straight(0.0, 0.0, 2000.0, 0.0);
        piece->m_fBeginElevation = 0.0;
        piece->m_fEndElevation = 0.0;
        piece->SelectWithUndo(0, 0);
        // Ctrl on the end end, then half a metre on along the track, the button held.
        plan.tool.OnLButtonDown(MK_CONTROL, 200.0, 0.0);
        EXPECT_EQ(plan.tool.m_toolMode, kToolDragHandle);
        plan.tool.OnMouseMove(MK_CONTROL, 225.0, 0.0, 1);
        plan.tool.OnMouseMove(MK_CONTROL, 250.0, 0.0, 1);
        EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 500.0);
        EXPECT_EQ(plan.tool.m_hint.m_strText, CString(unit.label));
        plan.tool.OnLButtonUp(MK_CONTROL, 250.0, 0.0);
        EXPECT_TRUE(plan.tool.m_hint.m_strText.IsEmpty());
        plan.tool.Undo();
        EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 0.0);
    }
}

TEST(TrackGesture, DraggingACurvesEndElevationShowsTheGradeLabelBeforeItsMeasures) {
    GesturePlan plan;
    plan.host.m_nUnitIndex = 8;
    CCircTrack* piece = plan.Curve(0.0, 0.0, 2000.0, 0.0, 3.1415926535 / 2.0);
    piece->m_fBeginElevation = 0.0;
    piece->m_fEndElevation = 0.0;
    piece->SelectWithUndo(0, 0);
    const CDoublePoint end = piece->LocalToWorld(piece->GetEndPoint(1).x, piece->GetEndPoint(1).y);
    const double zoom = plan.tool.m_fZoomRatio;
    // Ctrl on the end end, then dragged on beyond it, the button held.
    plan.tool.OnLButtonDown(MK_CONTROL, end.x * zoom, end.y * zoom);
    ASSERT_EQ(plan.tool.m_toolMode, kToolDragHandle);
    plan.tool.OnMouseMove(MK_CONTROL, (end.x - 250.0) * zoom, end.y * zoom, 1);
    plan.tool.OnMouseMove(MK_CONTROL, (end.x - 500.0) * zoom, end.y * zoom, 1);
    ASSERT_GT(piece->m_fEndElevation, 0.0);
    CString label;
    CString height;
    CLengthFormat(8).FormatLength(height, piece->m_fEndElevation);
    label.Format("h=%s,grade=%.2f%%; 200.000; 314.159; 90.00", height.c_str(),
                 -piece->m_fEndElevation / piece->m_fLength * 100.0);
    EXPECT_EQ(plan.tool.m_hint.m_strText, label);
    plan.tool.OnLButtonUp(MK_CONTROL, (end.x - 500.0) * zoom, end.y * zoom);
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 0.0);
}

TEST(TrackGesture, ANewPieceThatSnapsAtItsEndGoesAwayWithOneUndo) {
    GesturePlan plan;
    CTrack* fixed = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    plan.tool.m_toolMode.Set(kToolStraightTrack);
    const int before = plan.tool.GetUndoCount();
    // Drawn from above towards the fixed piece's end, released just beside it.
    plan.Drag(150.0, 100.0, 102.0, 3.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* piece = dynamic_cast<CTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(piece, fixed);
    const CDoublePoint end = plan.World(piece, 1);
    EXPECT_NEAR(end.x, 1000.0, 1e-6);
    EXPECT_NEAR(end.y, 0.0, 1e-6);
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    EXPECT_EQ(plan.tool.GetUndoCount(), before);
}

// A curve drawn from a straight's end leaves it forwards, out of the straight, unless the first
// move runs back along it; a move square to the end goes forwards too. Either way the release
// leaves it as drawn.
TEST(TrackGesture, ACurveFromATrackEndLeavesForwardsUnlessTheMoveRunsBack) {
    struct Drag {
        int end;
        CDoublePoint move;
        bool forwards;
    };
    const std::vector<Drag> drags = {
        {0, {0.0, 3000.0}, true},      {0, {0.0, -3000.0}, true}, {0, {-2000.0, -3000.0}, true},
        {0, {2000.0, -3000.0}, false}, {1, {0.0, 3000.0}, true},  {1, {0.0, -3000.0}, true},
        {1, {-2000.0, -3000.0}, false}, {1, {2000.0, -3000.0}, true},
    };
    for (const Drag& drag : drags) {
        SCOPED_TRACE(testing::Message() << "end " << drag.end << " move " << drag.move.x << ", " << drag.move.y);
        GesturePlan plan;
        CTrack* straight = plan.Straight(0.0, 0.0, 1000.0, 0.0);
        const CDoublePoint joint = plan.World(straight, drag.end);
        const CDoublePoint target{joint.x + drag.move.x, joint.y + drag.move.y};
        const double outwards = drag.end == 0 ? -1.0 : 1.0;
        plan.tool.m_toolMode.Set(kToolCurveTrack);
        const double zoom = plan.tool.m_fZoomRatio;
        plan.tool.OnLButtonDown(0, joint.x * zoom, joint.y * zoom);
        plan.tool.OnMouseMove(0, (joint.x + target.x) / 2.0 * zoom, (joint.y + target.y) / 2.0 * zoom, 1);
        plan.tool.OnMouseMove(0, target.x * zoom, target.y * zoom, 1);
        ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
        auto* curve = dynamic_cast<CCircTrack*>(plan.host.m_pRoot->m_members.front());
        ASSERT_NE(curve, nullptr);
        const auto reachesTarget = [&] {
            const CDoublePoint begin = curve->LocalToWorld(curve->m_points[5].x, curve->m_points[5].y);
            const CDoublePoint end = curve->LocalToWorld(curve->m_points[6].x, curve->m_points[6].y);
            const bool beginsAtJoint = VectorLength(begin.x - joint.x, begin.y - joint.y) < 1e-6;
            const CDoublePoint far = beginsAtJoint ? end : begin;
            const CDoublePoint near = beginsAtJoint ? begin : end;
            return VectorLength(near.x - joint.x, near.y - joint.y) < 1e-6 &&
                   VectorLength(far.x - target.x, far.y - target.y) < 1e-6;
        };
        EXPECT_TRUE(reachesTarget());
        // The arc's middle lies beyond the joint when it leaves forwards, over the straight
        // when it runs back, and on the side the mouse went.
        const double middleAngle = curve->m_fStartAngle + curve->m_fSweep / 2.0;
        const CDoublePoint middle =
            curve->LocalToWorld(curve->m_ptCentre.x + curve->m_fRadius * std::cos(middleAngle),
                                curve->m_ptCentre.y + curve->m_fRadius * std::sin(middleAngle));
        EXPECT_EQ((middle.x - joint.x) * outwards > 0.0, drag.forwards);
        EXPECT_GT(middle.y * drag.move.y, 0.0);
        plan.tool.OnLButtonUp(0, target.x * zoom, target.y * zoom);
        EXPECT_TRUE(reachesTarget());
    }
}
