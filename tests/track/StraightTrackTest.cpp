#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/CEditStep.h"
#include "model/Units.h"
#include "tests/track/TrackPlan.h"

TEST(StraightTrack, DirectionsEndsAndOutline) {
    TrackPlan plan;
    CTrack* up = plan.Straight(0.0, 0.0, 0.0, 500.0);
    EXPECT_DOUBLE_EQ(up->Direction(), kPi / 2.0);
    CTrack* down = plan.Straight(0.0, 0.0, 0.0, -500.0);
    EXPECT_DOUBLE_EQ(down->Direction(), -kPi / 2.0);
    EXPECT_DOUBLE_EQ(down->GetEndAngle(nullptr, 0), 4.71238898025);
    EXPECT_DOUBLE_EQ(down->GetEndAngle(nullptr, 1), 1.57079632675);

    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    EXPECT_DOUBLE_EQ(piece->m_fLength, 1000.0);
    EXPECT_EQ(piece->GetEndPoint(1), (CDoublePoint{1000.0, 0.0}));
    // The outline is as wide as the track separation, the largest of the three widths.
    EXPECT_DOUBLE_EQ(piece->m_points[1].y, -165.0);
    EXPECT_DOUBLE_EQ(piece->m_points[2].y, 165.0);
    EXPECT_DOUBLE_EQ(piece->m_points[3].x, 1000.0);
    EXPECT_DOUBLE_EQ(piece->m_points[5].y, -82.5);
    EXPECT_DOUBLE_EQ(piece->m_points[6].y, 82.5);
    EXPECT_DOUBLE_EQ(piece->m_fMinY, -165.0);
    EXPECT_DOUBLE_EQ(piece->m_fMaxX, 1000.0);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    piece->GetFrameBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_DOUBLE_EQ(minY, 0.0);
    EXPECT_DOUBLE_EQ(maxY, 0.0);
    CPointArray line;
    EXPECT_EQ(piece->AppendCentreLine(line, 1), 2);
    EXPECT_EQ(line[0], (CDoublePoint{1000.0, 0.0}));
    EXPECT_EQ(piece->IsInvalid(0), 0);
    CTrack* empty = plan.Straight(10.0, 10.0, 10.0, 10.0);
    EXPECT_EQ(empty->IsInvalid(0), 1);
}

TEST(StraightTrack, MarkersOfConnectedEnds) {
    TrackPlan plan;
    CTrack* longPiece = plan.Straight(0.0, 0.0, 3000.0, 0.0);
    longPiece->m_bBeginConnected = 1;
    longPiece->m_bEndConnected = 1;
    longPiece->RebuildShape();
    EXPECT_DOUBLE_EQ(longPiece->m_ptBeginMarker.x, 1200.0);
    EXPECT_DOUBLE_EQ(longPiece->m_ptEndMarker.x, 1800.0);
    CTrack* shortPiece = plan.Straight(0.0, 0.0, 500.0, 0.0);
    shortPiece->m_bEndConnected = 1;
    shortPiece->RebuildShape();
    EXPECT_DOUBLE_EQ(shortPiece->m_ptEndMarker.x, 0.0);
    EXPECT_EQ(shortPiece->m_ptBeginMarker, (CDoublePoint{0.0, 0.0}));  // unconnected: left alone
}

TEST(StraightTrack, CutSplitsWithElevationsAndOneUndo) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 2000.0, 0.0);
    piece->m_fBeginElevation = 0.0;
    piece->m_fEndElevation = 100.0;
    piece->m_bEndConnected = 1;
    const int steps = plan.tool.GetUndoCount();
    plan.tool.m_fCurrentX = 1000.0;
    plan.tool.m_fCurrentY = 30.0;
    piece->CutAtToolPoint();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* second = dynamic_cast<CTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, piece);
    EXPECT_DOUBLE_EQ(piece->m_fLength, 1000.0);
    EXPECT_DOUBLE_EQ(second->m_fLength, 1000.0);
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 50.0);
    EXPECT_DOUBLE_EQ(second->m_fBeginElevation, 50.0);
    EXPECT_DOUBLE_EQ(second->m_fEndElevation, 100.0);
    EXPECT_EQ(piece->m_bEndConnected, 0);
    EXPECT_EQ(second->m_bBeginConnected, 0);
    EXPECT_EQ(second->IsSelected(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps + 2);
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    EXPECT_DOUBLE_EQ(piece->m_fLength, 2000.0);
    // Too near an end: nothing happens.
    plan.tool.m_fCurrentX = 100.0;
    piece->CutAtToolPoint();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
}

TEST(StraightTrack, TheCentreLineIsSampledFromEndToEndAsTheCurveIs) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    const double bed = plan.defaults->m_fRoadbedHeight;
    CTrack* straight = plan.Straight(1000.0, 500.0, 1000.0, 1500.0);
    straight->m_fBeginElevation = 100.0;
    straight->m_fEndElevation = 300.0;
    CCircTrack* curve = plan.Curve(0.0, 0.0, 1000.0, 0.0, kPi / 2.0);
    curve->m_fBeginElevation = 100.0;
    curve->m_fEndElevation = 300.0;
    for (CParTrack* piece : std::initializer_list<CParTrack*>{straight, curve}) {
        SCOPED_TRACE(piece->GetClassName().c_str());
        // A step longer than the piece: both ends, the step the whole length.
        std::vector<CDoublePoint> points;
        std::vector<double> elevations;
        double step = 5000.0;
        ASSERT_EQ(piece->SampleCentreLine(points, elevations, step), 2);
        EXPECT_DOUBLE_EQ(step, piece->m_fLength);
        const CDoublePoint begin = piece->LocalToWorld(piece->GetEndPoint(0).x, piece->GetEndPoint(0).y);
        const CDoublePoint end = piece->LocalToWorld(piece->GetEndPoint(1).x, piece->GetEndPoint(1).y);
        // The straight is turned with the program's pi, so its far end is met only closely.
        EXPECT_NEAR(points[0].x, begin.x, 1e-6);
        EXPECT_NEAR(points[0].y, begin.y, 1e-6);
        EXPECT_NEAR(points[1].x, end.x, 1e-6);
        EXPECT_NEAR(points[1].y, end.y, 1e-6);
        EXPECT_NEAR(elevations[0], 100.0 - bed, 1e-9);
        EXPECT_NEAR(elevations[1], 300.0 - bed, 1e-9);
    }
    // A step that fits two and a half times: three samples, the step widened to a half.
    std::vector<CDoublePoint> points;
    std::vector<double> elevations;
    double step = 400.0;
    ASSERT_EQ(straight->SampleCentreLine(points, elevations, step), 3);
    EXPECT_DOUBLE_EQ(step, 500.0);
    EXPECT_NEAR(points[1].y, 1000.0, 1e-6);
    EXPECT_NEAR(points[2].y, 1500.0, 1e-6);
    EXPECT_NEAR(elevations[2], 300.0 - bed, 1e-9);
}

TEST(StraightTrack, CutsOfStraightsAndCurvesPlaceTheirNewPieceAsTheEngineDoes) {
    for (bool curved : {false, true}) {
        SCOPED_TRACE(curved ? "curve" : "straight");
        TrackPlan plan;
        plan.tool.SetViewScale(1.0, 10.0);
        CParTrack* piece = curved ? static_cast<CParTrack*>(plan.Curve(0.0, 0.0, 2000.0, 0.0, kPi))
                                  : plan.Straight(-2000.0, 0.0, 2000.0, 0.0);
        CTrack* selected = plan.Straight(0.0, 5000.0, 1000.0, 5000.0);
        selected->SelectWithUndo(0, 0);
        const int steps = plan.tool.GetUndoCount();
        plan.tool.m_fCurrentX = curved ? 2000.0 * std::cos(kPi / 4.0) : 0.0;
        plan.tool.m_fCurrentY = curved ? 2000.0 * std::sin(kPi / 4.0) : 30.0;
        piece->CutAtToolPoint();
        ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 3u);
        CPaint* copy = plan.host.m_pRoot->m_members.front();
        EXPECT_EQ(plan.tool.GetSelectedCount(), 0);
        // The restoring step, then the placement's deselection and the copy's removal.
        ASSERT_EQ(plan.tool.GetUndoCount(), steps + 3);
        EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepRemoveObject);
        EXPECT_EQ(plan.tool.GetUndoStep(0)->m_pObject, copy);
        EXPECT_EQ(plan.tool.GetUndoStep(1)->m_nKind, kStepReselect);
        plan.tool.Undo();
        EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
        EXPECT_EQ(selected->IsSelected(), 1);
        plan.tool.Undo();
        EXPECT_NEAR(piece->m_fLength, curved ? 2000.0 * 3.1415926535 : 4000.0, 1e-6);
    }
}

TEST(StraightTrack, MirrorsAndRescale) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(100.0, 50.0, 600.0, 50.0);
    piece->MirrorX(0.0);
    piece->RebuildShape();
    EXPECT_EQ(piece->m_ptSecond, (CDoublePoint{-600.0, 50.0}));
    EXPECT_DOUBLE_EQ(piece->m_pose.angle, kFullTurn);
    piece->MirrorX(0.0);
    piece->MirrorY(0.0);
    piece->RebuildShape();
    EXPECT_EQ(piece->m_ptFirst, (CDoublePoint{100.0, -50.0}));
    EXPECT_EQ(piece->GetEndPoint(1), (CDoublePoint{600.0, -50.0}));
    // About x = 300, then y = -20: the placement crosses the line, every point but the
    // rotation handle turns over in that coordinate only, and the ends follow.
    CTrack* placed = plan.Straight(0.0, 0.0, 400.0, 300.0);
    placed->m_pose = CPose(1000.0, 200.0, 0.5);
    placed->RebuildShape();
    CPointArray before;
    before.Copy(placed->m_points);
    placed->MirrorX(300.0);
    EXPECT_EQ(placed->m_pose.x, -400.0);
    EXPECT_EQ(placed->m_pose.y, 200.0);
    EXPECT_EQ(placed->m_pose.angle, kFullTurn - 0.5);
    EXPECT_EQ(placed->m_ptSecond, (CDoublePoint{-400.0, 300.0}));
    EXPECT_EQ(placed->m_ptEnd, placed->m_ptSecond);
    EXPECT_EQ(placed->m_points[0], before[0]);
    for (int i = 1; i < CTrack::kPointCount; ++i)
        EXPECT_EQ(placed->m_points[i], (CDoublePoint{-before[i].x, before[i].y})) << i;
    placed->MirrorY(-20.0);
    EXPECT_EQ(placed->m_pose.x, -400.0);
    EXPECT_EQ(placed->m_pose.y, -240.0);
    EXPECT_EQ(placed->m_pose.angle, kFullTurn - (kFullTurn - 0.5));
    EXPECT_EQ(placed->m_ptBegin, (CDoublePoint{0.0, 0.0}));
    EXPECT_EQ(placed->m_ptEnd, (CDoublePoint{-400.0, -300.0}));
    for (int i = 1; i < CTrack::kPointCount; ++i)
        EXPECT_EQ(placed->m_points[i], (CDoublePoint{-before[i].x, -before[i].y})) << i;

    // A group resized by 2 about its origin: the piece grows from its first point and moves
    // with it, so it still meets a neighbour scaled the same way.
    TrackPlan resize;
    CTrack* straight = resize.Straight(0.0, 0.0, 500.0, 0.0);
    straight->m_pose = CPose(1000.0, 0.0, 0.0);
    straight->TrackCreate(nullptr, -1);
    straight->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_DOUBLE_EQ(straight->m_pose.x, 2000.0);
    EXPECT_EQ(straight->m_ptSecond, (CDoublePoint{1000.0, 0.0}));
    EXPECT_EQ(straight->LocalToWorld(straight->m_ptSecond.x, 0.0), (CDoublePoint{3000.0, 0.0}));
    straight->m_bScaleWithDocument = 0;
    straight->RescaleWithUndo(nullptr, 3.0, 0);
    EXPECT_DOUBLE_EQ(straight->m_pose.x, 2000.0);
}

TEST(StraightTrack, EndsMoveThroughUndoableSteps) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    plan.host.m_selection.push_back(piece);
    const int steps = plan.tool.GetUndoCount();
    piece->TrackCreate(nullptr, 2);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.m_fCurrentX = 1500.0;
    plan.tool.m_fCurrentY = 0.0;
    piece->DragHandle(nullptr, 2);
    EXPECT_DOUBLE_EQ(piece->m_fLength, 1500.0);
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(piece->m_fLength, 1000.0);
    // Shift keeps 45-degree steps around the fixed end.
    plan.tool.m_nMouseFlags = 4;
    plan.tool.m_fCurrentX = 1000.0;
    plan.tool.m_fCurrentY = 900.0;
    piece->DragHandle(nullptr, 1);
    EXPECT_NEAR(piece->Direction(), -kPi / 2.0, 1e-9);
    // With "Resizeable" off the ends stay.
    piece->m_bScaleWithDocument = 0;
    plan.tool.m_fCurrentX = 5000.0;
    piece->DragHandle(nullptr, 2);
    EXPECT_DOUBLE_EQ(piece->m_ptSecond.x, 1000.0);
}

TEST(StraightTrack, ElevationDragLabelsTheGrade) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_fBeginElevation = 0.0;
    piece->m_fEndElevation = 0.0;
    plan.host.m_selection.push_back(piece);
    plan.tool.m_nMouseFlags = 8;
    piece->TrackCreate(nullptr, 2);
    EXPECT_EQ(plan.tool.m_toolMode, kToolDragHandle);
    EXPECT_EQ(piece->GetEditState(), 3);
    plan.tool.m_fCurrentX = 1200.0;
    plan.tool.m_fCurrentY = 40.0;
    piece->DragHandle(nullptr, 2);
    EXPECT_NEAR(piece->m_fEndElevation, 200.0, 1e-9);
    EXPECT_EQ(plan.tool.m_hint.m_strText.Left(2), "h=");
    EXPECT_NE(plan.tool.m_hint.m_strText.Find("grade=-20.00%"), -1);
    // Behind the end lowers it, never below 0.
    plan.tool.m_fCurrentX = 500.0;
    piece->DragHandle(nullptr, 2);
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 0.0);
    // Within a third of the marker size nothing but the label changes.
    piece->m_fEndElevation = 7.0;
    piece->m_fSavedEndElevation = 7.0;
    plan.tool.m_fCurrentX = 1050.0;
    plan.tool.m_fCurrentY = 0.0;
    piece->DragHandle(nullptr, 2);
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 7.0);
    // Undo gives the end its elevation of the press.
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 0.0);
}

TEST(StraightTrack, RescaleScalesBothEndsAboutTheFrameOriginUnlessThePieceKeepsItsSize) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(100.0, 100.0, 400.0, 300.0);
    piece->TrackCreate(nullptr, -1);
    piece->RescaleWithUndo(nullptr, 0.5, 0);
    EXPECT_EQ(piece->m_ptFirst, (CDoublePoint{100.0, 100.0}));
    EXPECT_EQ(piece->m_ptSecond, (CDoublePoint{250.0, 200.0}));
    EXPECT_EQ(piece->LocalToWorld(100.0, 100.0), (CDoublePoint{50.0, 50.0}));
    EXPECT_EQ(piece->GetEndPoint(1), (CDoublePoint{250.0, 200.0}));
    EXPECT_DOUBLE_EQ(piece->m_fLength, std::hypot(150.0, 100.0));

    CTrack* fixed = plan.Straight(0.0, 0.0, 300.0, 400.0);
    fixed->m_bScaleWithDocument = 0;
    fixed->TrackCreate(nullptr, -1);
    CEditStep step(kStepRescale, fixed, 1);
    auto payload = std::make_unique<RescalePayload>();
    payload->factor = 2.0;
    step.SetPayload(std::move(payload));
    EXPECT_EQ(fixed->Rescale(&step), 0);
    EXPECT_EQ(fixed->m_ptSecond, (CDoublePoint{300.0, 400.0}));
    EXPECT_DOUBLE_EQ(fixed->m_pose.x, 0.0);
    EXPECT_DOUBLE_EQ(fixed->m_fLength, 500.0);
}
