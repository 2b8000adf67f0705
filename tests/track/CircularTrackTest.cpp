#include <gtest/gtest.h>

#include <cmath>

#include "model/Units.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackAngles.h"

TEST(CircularTrack, EndsLengthAndBoxes) {
    TrackPlan plan;
    CCircTrack* quarter = plan.Curve(0.0, 0.0, 2000.0, 0.0, kPi * 0.5);
    EXPECT_DOUBLE_EQ(quarter->m_points[5].x, 2000.0);
    EXPECT_NEAR(quarter->m_points[6].x, 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(quarter->m_points[6].y, 2000.0);
    EXPECT_EQ(quarter->GetEndPoint(1), quarter->m_points[6]);
    EXPECT_DOUBLE_EQ(quarter->m_fLength, 3141.5926535);
    EXPECT_NEAR(quarter->m_fCornerX1, -165.0, 1e-6);
    EXPECT_DOUBLE_EQ(quarter->m_fCornerY1, 2165.0);
    EXPECT_DOUBLE_EQ(quarter->m_fCornerX2, 2165.0);
    EXPECT_DOUBLE_EQ(quarter->m_fCornerY2, -165.0);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    quarter->GetFrameBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(maxY, 2000.0);

    CCircTrack* half = plan.Curve(0.0, 0.0, 2000.0, kPi * 0.25, kPi);
    EXPECT_DOUBLE_EQ(half->m_fCornerY1, 2165.0);   // the top axis point
    EXPECT_DOUBLE_EQ(half->m_fCornerX1, -2165.0);  // the left axis point

    CCircTrack* full = plan.Curve(0.0, 0.0, 2000.0, 1.0, kFullTurn);
    EXPECT_DOUBLE_EQ(full->m_fCornerX1, -2165.0);
    EXPECT_DOUBLE_EQ(full->m_fCornerX2, 2165.0);
    EXPECT_DOUBLE_EQ(full->m_fCornerY1, 2165.0);
    EXPECT_DOUBLE_EQ(full->m_fCornerY2, -2165.0);

    CCircTrack* eighth = plan.Curve(0.0, 0.0, 2000.0, 0.0, kPi * 0.25);
    EXPECT_DOUBLE_EQ(eighth->GetEndAngle(nullptr, 0), kPi * 0.5);
    EXPECT_DOUBLE_EQ(eighth->GetEndAngle(nullptr, 1), kPi * 1.75);
    EXPECT_EQ(eighth->IsInvalid(0), 0);
}

TEST(CircularTrack, CentreLineIsBounded) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);  // a handle of 10 pixels is 100.0 long
    CCircTrack* curve = plan.Curve(0.0, 0.0, 2000.0, 0.0, kPi * 0.5);
    CPointArray line;
    const int count = curve->AppendCentreLine(line, 0);
    EXPECT_EQ(count, line.GetSize());
    EXPECT_EQ(count, 33);  // chords of one handle size, then the end
    EXPECT_EQ(line[0], curve->m_points[5]);
    EXPECT_EQ(line[count - 1], curve->m_points[6]);
    CPointArray reversed;
    curve->AppendCentreLine(reversed, 1);
    EXPECT_EQ(reversed[0], curve->m_points[6]);
    // A handle wider than the circle leaves only the ends.
    CCircTrack* tiny = plan.Curve(0.0, 0.0, 40.0, 0.0, kPi);
    CPointArray ends;
    EXPECT_EQ(tiny->AppendCentreLine(ends, 0), 2);
    // A handle of no size does not loop: the count stays bounded.
    plan.tool.m_fHandleSize = 0.0;
    CPointArray bounded;
    EXPECT_LE(curve->AppendCentreLine(bounded, 0), CCircTrack::kMaxSteps + 1);
}

TEST(CircularTrack, CutSplitsTheArcAndElevations) {
    TrackPlan plan;
    CCircTrack* curve = plan.Curve(0.0, 0.0, 2000.0, 0.0, kPi);
    curve->m_fBeginElevation = 0.0;
    curve->m_fEndElevation = 100.0;
    const double quarter = kPi * 0.25;
    plan.tool.m_fCurrentX = 2000.0 * std::cos(quarter);
    plan.tool.m_fCurrentY = 2000.0 * std::sin(quarter);
    curve->CutAtToolPoint();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* second = dynamic_cast<CCircTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(curve->m_fSweep, quarter, 1e-9);
    EXPECT_NEAR(curve->m_fEndElevation, 25.0, 1e-6);
    EXPECT_NEAR(second->m_fBeginElevation, 25.0, 1e-6);
    EXPECT_NEAR(second->m_fStartAngle, quarter, 1e-9);
    EXPECT_NEAR(second->m_fSweep, kPi * 0.75, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    EXPECT_NEAR(curve->m_fSweep, kPi, 1e-9);
}

TEST(CircularTrack, MirrorsTwiceGiveItBackAndRescaleScalesAboutTheFrame) {
    TrackPlan plan;
    CCircTrack* curve = plan.Curve(300.0, 400.0, 2000.0, 0.5, 1.2);
    for (int axis = 0; axis < 2; ++axis) {
        const double start = curve->m_fStartAngle;
        axis == 0 ? curve->MirrorX(10.0) : curve->MirrorY(10.0);
        curve->RebuildShape();
        EXPECT_GT(std::fabs(curve->m_fStartAngle - start), 0.1);
        axis == 0 ? curve->MirrorX(10.0) : curve->MirrorY(10.0);
        curve->RebuildShape();
        EXPECT_NEAR(curve->m_fStartAngle, start, 1e-9);
        EXPECT_NEAR(curve->m_fSweep, 1.2, 1e-12);
        EXPECT_NEAR(curve->m_ptCentre.x, 300.0, 1e-9);
        EXPECT_NEAR(curve->m_ptCentre.y, 400.0, 1e-9);
    }
    curve->TrackCreate(nullptr, -1);
    curve->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_DOUBLE_EQ(curve->m_fRadius, 4000.0);
    const CDoublePoint centre = curve->LocalToWorld(curve->m_ptCentre.x, curve->m_ptCentre.y);
    EXPECT_NEAR(centre.x, 600.0, 1e-9);
    EXPECT_NEAR(centre.y, 800.0, 1e-9);
}

TEST(CircularTrack, CreationDragBendsThroughTheCursor) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    auto* curve = AddToLayout(plan.host, new CCircTrack(0, &plan.tool, 0.0, 0.0));
    plan.host.m_selection.push_back(curve);
    plan.tool.m_toolMode.Set(kToolCurveTrack);
    plan.tool.m_fPressX = 0.0;
    plan.tool.m_fPressY = 0.0;
    curve->TrackCreate(nullptr, 6);
    // The first move fixes the tangent along +x at the press point.
    plan.tool.m_fCurrentX = 1000.0;
    plan.tool.m_fCurrentY = 0.0;
    curve->DragHandle(nullptr, 6);
    EXPECT_EQ(curve->m_bTangentPending, 0);
    EXPECT_DOUBLE_EQ(curve->m_fCreationTangent, 0.0);
    // A cursor up and to the right gives a left bend whose circle passes through it.
    plan.tool.m_fCurrentX = 2000.0;
    plan.tool.m_fCurrentY = 2000.0;
    curve->DragHandle(nullptr, 6);
    EXPECT_NEAR(curve->m_fRadius, 2000.0, 1e-6);
    EXPECT_NEAR(curve->m_ptCentre.y, 2000.0, 1e-6);
    EXPECT_NEAR(curve->m_fSweep, kPi * 0.5, 1e-9);
    EXPECT_EQ(curve->IsInvalid(0), 0);
    // Crossing the tangent line bends it right; the old begin becomes the end.
    plan.tool.m_fCurrentY = -2000.0;
    curve->DragHandle(nullptr, 6);
    EXPECT_NEAR(curve->m_ptCentre.y, -2000.0, 1e-6);
    EXPECT_NEAR(curve->m_points[6].x, 0.0, 1e-6);
    EXPECT_NEAR(curve->m_points[6].y, 0.0, 1e-6);
    // Near the tangent line nothing changes.
    const double sweep = curve->m_fSweep;
    plan.tool.m_fCurrentX = 3000.0;
    plan.tool.m_fCurrentY = 1.0;
    curve->DragHandle(nullptr, 6);
    EXPECT_DOUBLE_EQ(curve->m_fSweep, sweep);
}

TEST(CircularTrack, EndDragKeepsTheOtherEndAndUndoes) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    CCircTrack* curve = plan.Curve(0.0, 2000.0, 2000.0, kPi * 1.5, kPi * 0.5);
    plan.host.m_selection.push_back(curve);
    const int steps = plan.tool.GetUndoCount();
    curve->TrackCreate(nullptr, 6);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps + 1);
    plan.tool.m_fCurrentX = 0.0;
    plan.tool.m_fCurrentY = 4000.0;
    curve->DragHandle(nullptr, 6);
    EXPECT_NEAR(curve->m_fSweep, kPi, 1e-9);
    EXPECT_NEAR(curve->m_points[5].x, 0.0, 1e-6);
    EXPECT_NEAR(curve->m_points[5].y, 0.0, 1e-6);
    plan.tool.Undo();
    EXPECT_NEAR(curve->m_fSweep, kPi * 0.5, 1e-9);
}

TEST(TrackAngles, ArcMembershipAndSeams) {
    EXPECT_TRUE(SameDirection(359.0 * kPi / 180.0, 2.0 * kPi / 180.0, CParTrack::kDirectionTolerance));
    EXPECT_FALSE(SameDirection(0.0, kPi, CParTrack::kDirectionTolerance));
    EXPECT_EQ(AngleInArc(0.1, 0.0, 1.0), 1);
    EXPECT_EQ(AngleInArc(-0.1, 0.0, 1.0), 0);
    EXPECT_EQ(AngleInArc(-0.1, 6.0, 6.5), 1);
    EXPECT_DOUBLE_EQ(PolarAngle(0.0, -1.0), kPi * 1.5);
    EXPECT_DOUBLE_EQ(TrackDirection(0.0, 0.0), -kPi * 0.5);
}
