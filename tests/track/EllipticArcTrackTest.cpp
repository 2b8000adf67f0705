#include <gtest/gtest.h>

#include <cmath>

#include "model/CEditStep.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackAngles.h"

namespace {

// Everything a change of an arc may touch, for comparing before and after.
struct ArcState {
    explicit ArcState(const CArcTrack& arc)
        : rx(arc.m_fRadiusX),
          ry(arc.m_fRadiusY),
          start(arc.m_fStartAngle),
          sweep(arc.m_fSweep),
          centre(arc.m_ptCentre),
          begin(arc.m_ptBegin),
          end(arc.m_ptEnd),
          pose(arc.m_pose),
          beginZ(arc.m_fBeginElevation),
          endZ(arc.m_fEndElevation) {
        for (int i = 1; i < CArcTrack::kPointCount; ++i) points[i] = arc.m_points[i];
    }
    bool operator==(const ArcState& o) const {
        for (int i = 1; i < CArcTrack::kPointCount; ++i)
            if (!(points[i] == o.points[i]))
                return false;
        return rx == o.rx && ry == o.ry && start == o.start && sweep == o.sweep && centre == o.centre &&
               begin == o.begin && end == o.end && pose.x == o.pose.x && pose.y == o.pose.y &&
               pose.angle == o.pose.angle && beginZ == o.beginZ && endZ == o.endZ;
    }
    double rx, ry, start, sweep;
    CDoublePoint centre, begin, end;
    CPose pose;
    double beginZ, endZ;
    CDoublePoint points[CArcTrack::kPointCount];
};

struct ArcPlan : TrackPlan {
    ArcPlan() { tool.SetViewScale(1.0, 10.0); }
    void Drag(double x0, double y0, double x1, double y1, UINT flags = 0) {
        tool.OnLButtonDown(flags, x0 / 10.0, y0 / 10.0);
        tool.OnMouseMove(flags, (x0 + x1) / 20.0, (y0 + y1) / 20.0, 1);
        tool.OnMouseMove(flags, x1 / 10.0, y1 / 10.0, 1);
        tool.OnLButtonUp(flags, x1 / 10.0, y1 / 10.0);
    }
};

}  // namespace

TEST(EllipticArcTrack, PolarFormEndsAndBoxes) {
    ArcPlan plan;
    CArcTrack* quarter = plan.Oval(0.0, 0.0, 1000.0, 500.0, 0.0, kPi * 0.5);
    EXPECT_NEAR(quarter->PolarRadius(kPi * 0.25), 632.456, 1e-3);
    EXPECT_NEAR(quarter->PointAt(kPi * 0.25).x, 447.214, 1e-3);
    EXPECT_NEAR(quarter->PointAt(kPi * 0.25).y, 447.214, 1e-3);
    EXPECT_NEAR(quarter->m_points[5].x, 1000.0, 1e-9);
    EXPECT_NEAR(quarter->m_points[5].y, 0.0, 1e-9);
    EXPECT_NEAR(quarter->m_points[6].x, 0.0, 1e-6);
    EXPECT_NEAR(quarter->m_points[6].y, 500.0, 1e-9);
    EXPECT_EQ(quarter->GetEndPoint(1), quarter->m_points[6]);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    quarter->GetFrameBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, 0.0, 1e-6);
    EXPECT_NEAR(minY, 0.0, 1e-9);
    EXPECT_NEAR(maxX, 1000.0, 1e-9);
    EXPECT_NEAR(maxY, 500.0, 1e-9);
    EXPECT_EQ(quarter->IsInvalid(0), 0);

    CArcTrack* half = plan.Oval(0.0, 0.0, 1000.0, 500.0, kPi * 0.5, kPi);
    half->GetFrameBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, -1000.0, 1e-9);
    EXPECT_NEAR(minY, -500.0, 1e-9);
    EXPECT_NEAR(maxX, 0.0, 1e-6);
    EXPECT_NEAR(maxY, 500.0, 1e-9);
    // The extent adds half the widest of gauge, ties and separation on every side.
    half->GetBounds(nullptr, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, -1000.0 - half->m_fTrackSeparation / 2.0, 1e-9);

    // For a circle the end directions are the tangents.
    CArcTrack* round = plan.Oval(0.0, 0.0, 800.0, 800.0, 0.25, 1.0);
    EXPECT_NEAR(round->GetEndAngle(nullptr, 0), 0.25 + kPi * 0.5, 1e-9);
    EXPECT_NEAR(round->GetEndAngle(nullptr, 1), 1.25 - kPi * 0.5 + kFullTurn, 1e-9);
    // The default piece (radii 1.0) is invalid in any gauge of 2 or more and draws nothing.
    CArcTrack fresh(0, &plan.tool, 0.0, 0.0);
    EXPECT_EQ(fresh.IsInvalid(0), 1);
    // Out of range is invalid, not clamped.
    CArcTrack* wide = plan.Oval(0.0, 0.0, 1000.0, 500.0, 0.0, 7.0);
    EXPECT_EQ(wide->IsInvalid(0), 1);
    EXPECT_DOUBLE_EQ(wide->m_fSweep, 7.0);
}

TEST(EllipticArcTrack, TheOneDegreeWalkIsThinnedByTheZoomAndBounded) {
    ArcPlan plan;
    CArcTrack* full = plan.Oval(0.0, 0.0, 20000.0, 10000.0, 0.0, kFullTurn);
    CPointArray line;
    const int count = full->AppendCentreLine(line, 0);
    EXPECT_EQ(count, line.GetSize());
    // At a tenth a handle is 100 long and every degree of this ellipse moves farther (at least
    // about 10000 x pi / 180 = 175): all 361 samples are kept.
    EXPECT_EQ(count, 361);
    EXPECT_EQ(count, CArcTrack::kMaxSamples);
    EXPECT_EQ(line[0], full->m_points[5]);
    EXPECT_EQ(line[count - 1], full->m_points[6]);
    plan.tool.SetViewScale(1.0, 100.0);  // a handle is now 1000 long
    CPointArray thin;
    // Keeping a point only once it is 1000 from the last kept one leaves 89 (counted along the
    // polar form r = sqrt(ry^2 / (1 - 0.75 cos^2)) at whole degrees).
    EXPECT_EQ(full->AppendCentreLine(thin, 0), 89);
    CPointArray reversed;
    full->AppendCentreLine(reversed, 1);
    EXPECT_EQ(reversed[0], full->m_points[6]);
    // A zero sweep gives no samples; a handle of no size still keeps to the bound.
    CArcTrack* none = plan.Oval(0.0, 0.0, 1000.0, 500.0, 1.0, 0.0);
    CPointArray empty;
    EXPECT_EQ(none->AppendCentreLine(empty, 0), 0);
    plan.tool.m_fHandleSize = 0.0;
    CPointArray dense;
    EXPECT_EQ(full->AppendCentreLine(dense, 0), CArcTrack::kMaxSamples);
    // The track bed rises evenly in equal steps and ends at the far end.
    std::vector<CDoublePoint> bed;
    std::vector<double> heights;
    CArcTrack* ramp = plan.Oval(0.0, 0.0, 1000.0, 500.0, 0.0, kPi * 0.5);
    ramp->m_fBeginElevation = 0.0;
    ramp->m_fEndElevation = 100.0;
    double step = 100.0;
    ramp->SampleCentreLine(bed, heights, step);
    ASSERT_GE(bed.size(), 3u);
    EXPECT_LE(step, 100.0 * 1.1);
    const double roadbed = plan.defaults->m_fRoadbedHeight;
    EXPECT_DOUBLE_EQ(heights.front(), -roadbed);
    EXPECT_DOUBLE_EQ(heights.back(), 100.0 - roadbed);
    EXPECT_NEAR(bed.back().y, 500.0, 1e-9);
}

TEST(EllipticArcTrack, MirrorsRestoreAndRescaleScalesAboutTheParentOrigin) {
    ArcPlan plan;
    CArcTrack* arc = plan.Oval(300.0, 200.0, 1000.0, 500.0, 0.5, 2.0);
    const ArcState before(*arc);
    arc->MirrorX(50.0);
    EXPECT_NEAR(arc->m_fStartAngle, kPi - 2.5, 1e-12);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, 2.0);
    arc->MirrorX(50.0);
    EXPECT_NEAR(arc->m_fStartAngle, before.start, 1e-12);
    EXPECT_EQ(arc->m_ptCentre, before.centre);
    arc->MirrorY(-20.0);
    arc->MirrorY(-20.0);
    EXPECT_NEAR(arc->m_fStartAngle, before.start, 1e-12);
    EXPECT_EQ(arc->m_ptCentre, before.centre);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, 2.0);

    arc->TrackCreate(nullptr, -1);
    arc->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusX, 2000.0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusY, 1000.0);
    const CDoublePoint centre = arc->LocalToWorld(arc->m_ptCentre.x, arc->m_ptCentre.y);
    EXPECT_NEAR(centre.x, 600.0, 1e-9);
    EXPECT_NEAR(centre.y, 400.0, 1e-9);
}

TEST(EllipticArcTrack, CutSplitsTheSweepAndTheElevationsAndOneUndoJoins) {
    ArcPlan plan;
    CArcTrack* arc = plan.Oval(0.0, 0.0, 1000.0, 500.0, 0.0, kPi);
    arc->m_fBeginElevation = 0.0;
    arc->m_fEndElevation = 100.0;
    const ArcState before(*arc);
    const CDoublePoint cut = arc->PointAt(kPi * 0.25);
    plan.tool.m_fCurrentX = cut.x;
    plan.tool.m_fCurrentY = cut.y;
    const int steps = plan.tool.GetUndoCount();
    arc->CutAtToolPoint();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* second = dynamic_cast<CArcTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(arc->m_fSweep, kPi * 0.25, 1e-9);
    EXPECT_NEAR(arc->m_fEndElevation, 25.0, 1e-6);
    EXPECT_NEAR(second->m_fBeginElevation, 25.0, 1e-6);
    EXPECT_NEAR(second->m_fStartAngle, kPi * 0.25, 1e-9);
    EXPECT_NEAR(second->m_fSweep, kPi * 0.75, 1e-9);
    EXPECT_EQ(second->IsSelected(), 0);
    EXPECT_NEAR(second->m_ptBegin.x, arc->m_ptEnd.x, 1e-9);
    EXPECT_NEAR(second->m_ptBegin.y, arc->m_ptEnd.y, 1e-9);
    EXPECT_GT(plan.tool.GetUndoCount(), steps);
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, before.sweep);
    EXPECT_DOUBLE_EQ(arc->m_fStartAngle, before.start);
    EXPECT_EQ(arc->m_ptEnd, before.end);
    // A cut within the cut distance of an end does nothing.
    const CDoublePoint nearEnd = arc->PointAt(0.01);
    plan.tool.m_fCurrentX = nearEnd.x;
    plan.tool.m_fCurrentY = nearEnd.y;
    arc->CutAtToolPoint();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
}

TEST(EllipticArcTrack, TheOvalToolLaysAQuarterByItsBoxAndAFlatDragStaysFinite) {
    ArcPlan plan;
    plan.tool.m_toolMode.Set(kToolOvalTrack);
    plan.Drag(1000.0, 2000.0, 2000.0, 1500.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    auto* arc = dynamic_cast<CArcTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(arc, nullptr);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusX, 1000.0);
    EXPECT_DOUBLE_EQ(arc->m_fRadiusY, 500.0);
    EXPECT_DOUBLE_EQ(arc->m_fStartAngle, 0.0);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, kPi * 0.5);
    const CDoublePoint begin = arc->LocalToWorld(arc->m_ptBegin.x, arc->m_ptBegin.y);
    const CDoublePoint end = arc->LocalToWorld(arc->m_ptEnd.x, arc->m_ptEnd.y);
    EXPECT_NEAR(begin.x, 2000.0, 1e-9);
    EXPECT_NEAR(begin.y, 1500.0, 1e-9);
    EXPECT_NEAR(end.x, 1000.0, 1e-6);
    EXPECT_NEAR(end.y, 2000.0, 1e-9);
    EXPECT_EQ(arc->GetEditState(), -1);
    plan.tool.Undo();
    EXPECT_TRUE(plan.host.m_pRoot->m_members.empty());

    // Dragged along a line: the y radius is taken as 1.0 like the x one, never 0/0; the
    // piece is then too narrow for its gauge and goes at the release.
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    plan.tool.OnMouseMove(0, 100.0, 0.0, 1);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    auto* flat = dynamic_cast<CArcTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(flat, nullptr);
    EXPECT_DOUBLE_EQ(flat->m_fRadiusY, 1.0);
    EXPECT_TRUE(std::isfinite(flat->m_ptBegin.x) && std::isfinite(flat->m_ptBegin.y));
    EXPECT_TRUE(std::isfinite(flat->m_ptEnd.x) && std::isfinite(flat->m_ptEnd.y));
    plan.tool.OnLButtonUp(0, 100.0, 0.0);
    EXPECT_TRUE(plan.host.m_pRoot->m_members.empty());
}

TEST(EllipticArcTrack, HandlesMoveEndsAndScaleTheBoxAndUndoRestoresExactly) {
    ArcPlan plan;
    CArcTrack* arc = plan.Oval(0.0, 0.0, 2000.0, 1000.0, 0.0, kPi * 0.5);
    arc->SelectWithUndo(0, 0);
    EXPECT_EQ(arc->HitTestHandle(nullptr, 2000.0, 0.0), 5);
    EXPECT_EQ(arc->HitTestHandle(nullptr, 0.0, 1000.0), 6);
    EXPECT_EQ(arc->HitTestHandle(nullptr, 1000.0, 500.0), -1);
    const ArcState before(*arc);

    // The end handle round to the begin's angle: a full ellipse.
    plan.Drag(0.0, 1000.0, 2000.0, -0.5);
    EXPECT_NEAR(arc->m_fSweep, kFullTurn, 1e-3);
    plan.tool.Undo();
    EXPECT_TRUE(ArcState(*arc) == before);

    // The corner (2000, 1000) pulled to (3000, 1500) scales the box about (0, 0) by 1.5.
    ASSERT_EQ(arc->HitTestHandle(nullptr, 2000.0, 1000.0), 4);
    plan.Drag(2000.0, 1000.0, 3000.0, 1500.0);
    EXPECT_NEAR(arc->m_fRadiusX, 3000.0, 1e-9);
    EXPECT_NEAR(arc->m_fRadiusY, 1500.0, 1e-9);
    EXPECT_NEAR(arc->m_fSweep, kPi * 0.5, 1e-9);
    plan.tool.Undo();
    EXPECT_TRUE(ArcState(*arc) == before);

    // Past the opposite corner the arc mirrors.
    plan.Drag(2000.0, 1000.0, -2000.0, 1000.0);
    EXPECT_NEAR(arc->m_fRadiusX, 2000.0, 1e-9);
    EXPECT_NEAR(arc->m_fStartAngle, kPi * 0.5, 1e-9);
    EXPECT_NEAR(arc->m_ptEnd.x, -2000.0, 1e-9);
    plan.tool.Undo();
    EXPECT_TRUE(ArcState(*arc) == before);
}

TEST(EllipticArcTrack, StatusTextsDescribeTheArc) {
    ArcPlan plan;
    CArcTrack* arc = plan.Oval(100.0, 200.0, 1000.0, 500.0, 0.0, kPi * 0.5);
    arc->UpdateSizeInfo(nullptr);
    CPieceStatusText& status = plan.tool.m_status;
    EXPECT_EQ(status.m_nKind, 18);
    EXPECT_NEAR(status.m_fArcAngle, 90.0, 1e-9);
    EXPECT_DOUBLE_EQ(status.m_fStartAngle, 0.0);
    CString r1, r2;
    CLengthFormat(kDefaultUnitIndex).FormatLength(r1, 1000.0);
    CLengthFormat(kDefaultUnitIndex).FormatLength(r2, 500.0);
    EXPECT_EQ(status.m_strMeasure[6], r1);
    EXPECT_EQ(status.m_strMeasure[7], r2);
    status.FormatPieceStatus();
    EXPECT_NE(status.m_strPane[0].Find("R2="), -1);
    CString text;
    plan.tool.m_nDraggedHandle = 6;
    arc->AppendStatusText(text);
    CString length;
    CLengthFormat(kDefaultUnitIndex).FormatLength(length, arc->m_fLength);
    EXPECT_EQ(text, length + "; 90.00");
}

TEST(EllipticArcTrack, ABandInDeviceUnitsSelectsArcsAndSplinesItCrosses) {
    ArcPlan plan;
    plan.tool.SetViewScale(1.0, 1.0);
    CArcTrack* arc = plan.Oval(0.0, 0.0, 1000.0, 500.0, 0.0, kPi * 0.5);
    CSplineTrack* spline = plan.Spline({{0, 2000}, {1000, 2000}, {2000, 2000}, {3000, 2000}});
    plan.tool.m_rcRubberBand = DeviceRect{600, 450, 900, 200};
    EXPECT_EQ(arc->HitTest(), arc);
    EXPECT_EQ(spline->HitTest(), nullptr);
    plan.tool.m_rcRubberBand = DeviceRect{1400, 1900, 1500, 2200};  // across both rails
    EXPECT_EQ(arc->HitTest(), nullptr);
    EXPECT_EQ(spline->HitTest(), spline);
    plan.tool.m_rcRubberBand = DeviceRect{1400, 1950, 1500, 2050};  // between the rails
    EXPECT_EQ(spline->HitTest(), nullptr);
    spline->m_nRailMode = 1;
    EXPECT_EQ(spline->HitTest(), spline);
    plan.tool.m_rcRubberBand = DeviceRect{300, 300, 350, 350};  // inside the arc
    EXPECT_EQ(arc->HitTest(), nullptr);
    plan.tool.SetViewScale(1.0, 10.0);
    plan.tool.m_rcRubberBand = DeviceRect{60, 45, 90, 20};  // the first band, at a tenth
    EXPECT_EQ(arc->HitTest(), arc);
    plan.tool.m_rcRubberBand.SetEmpty();
}
