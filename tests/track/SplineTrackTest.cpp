#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "tests/track/TrackPlan.h"
#include "track/BezierSampling.h"
#include "track/TrackAngles.h"

namespace {

struct SplinePlan : TrackPlan {
    SplinePlan() { tool.SetViewScale(1.0, 10.0); }
    // Mouse events at layout points, given to the engine as device points.
    void Down(double x, double y, UINT flags = 0) { tool.OnLButtonDown(flags, x / 10.0, y / 10.0); }
    void Move(double x, double y, UINT flags = 0) { tool.OnMouseMove(flags, x / 10.0, y / 10.0, 1); }
    void Up(double x, double y) { tool.OnLButtonUp(0, x / 10.0, y / 10.0); }
    void Drag(double x0, double y0, double x1, double y1) {
        Down(x0, y0);
        Move((x0 + x1) / 2.0, (y0 + y1) / 2.0);
        Move(x1, y1);
        Up(x1, y1);
    }
    CSplineTrack* Only() {
        return host.m_pRoot->m_members.size() == 1
                   ? dynamic_cast<CSplineTrack*>(host.m_pRoot->m_members.front())
                   : nullptr;
    }
};

std::vector<CDoublePoint> ControlPoints(const CSplineTrack& spline) {
    std::vector<CDoublePoint> points;
    for (int i = CSplineTrack::kFirstKnot; i < spline.m_points.GetSize(); ++i)
        points.push_back(spline.m_points[i]);
    return points;
}

std::vector<CDoublePoint> WorldControlPoints(const CSplineTrack& spline) {
    std::vector<CDoublePoint> points;
    for (int i = CSplineTrack::kFirstKnot; i < spline.m_points.GetSize(); ++i)
        points.push_back(spline.GetControlPointWorld(i));
    return points;
}

}  // namespace

TEST(BezierSampling, SamplesAreSinglePrecisionAndTruncated) {
    const int32_t line[4][2] = {{0, 0}, {100, 0}, {200, 0}, {300, 0}};
    BezierSamples samples;
    double length = 0.0;
    ASSERT_EQ(SampleBezier(line, 4, 3, 1, samples, length), 1);
    for (int i = 0; i <= kBezierSteps; ++i) {
        EXPECT_EQ(samples.points[i][0], 300 * i / 32) << i;
        EXPECT_EQ(samples.points[i][1], 0);
    }
    EXPECT_NEAR(length, 300.0, 1e-3);
    // Without accumulating the length stays; four equal points add nothing.
    const int32_t dot[4][2] = {{-7, 5}, {-7, 5}, {-7, 5}, {-7, 5}};
    ASSERT_EQ(SampleBezier(dot, 4, 3, 0, samples, length), 1);
    EXPECT_NEAR(length, 300.0, 1e-3);
    ASSERT_EQ(SampleBezier(dot, 4, 3, 1, samples, length), 1);
    EXPECT_NEAR(length, 300.0, 1e-3);
    EXPECT_EQ(samples.points[16][0], -7);
    // The ends are the control points exactly; negative values truncate toward zero.
    const int32_t curve[4][2] = {{-11, 3}, {-1, 40}, {25, -17}, {9, 1}};
    const CDoublePoint cubic[4] = {{-11.9, 3.7}, {-1.2, 40.99}, {25.5, -17.8}, {9.01, 1.6}};
    BezierSamples fromPoints;
    double cubicLength = length;
    ASSERT_EQ(SampleCubic(cubic, 1, fromPoints, cubicLength), 1);
    SampleBezier(curve, 4, 3, 1, samples, length);
    EXPECT_EQ(std::memcmp(&fromPoints, &samples, sizeof samples), 0);
    EXPECT_EQ(cubicLength, length);
    EXPECT_EQ(SamplePoint(samples, 32), (CDoublePoint{9.0, 1.0}));
    SampleBezier(curve, 4, 3, 0, samples, length);
    EXPECT_EQ(samples.points[0][0], -11);
    EXPECT_EQ(samples.points[32][0], 9);
    EXPECT_EQ(samples.points[32][1], 1);
    float buffer[4][2] = {{-11, 3}, {-1, 40}, {25, -17}, {9, 1}};
    EvalBezierStep(buffer, 31.0f, 1.0f, 3);
    EXPECT_EQ(samples.points[1][0], static_cast<int32_t>(buffer[0][0]));
    EXPECT_LT(buffer[0][0], 0.0f);
    EXPECT_EQ(samples.points[1][0], static_cast<int32_t>(std::trunc(buffer[0][0])));

    // The count rule: 4 and 7 points of degree 3 pass, 5 is refused and writes nothing.
    const int32_t seven[7][2] = {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}};
    EXPECT_EQ(SampleBezier(seven, 7, 3, 0, samples, length), 1);
    EXPECT_EQ(samples.points[0][0], 30);  // the second segment overwrote the first
    BezierSamples untouched;
    for (auto& point : untouched.points) point[0] = point[1] = 0x5A5A;
    BezierSamples copy = untouched;
    double kept = 12.5;
    EXPECT_EQ(SampleBezier(seven, 5, 3, 1, copy, kept), 0);
    EXPECT_EQ(std::memcmp(&copy, &untouched, sizeof copy), 0);
    EXPECT_EQ(kept, 12.5);
}

TEST(SplineTrack, TheBoxMappingStretchesTheControlPointsOntoTheFrame) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {100, 300}, {200, 300}, {300, 0}});
    EXPECT_DOUBLE_EQ(spline->m_fBoundsMinX, 0.0);
    EXPECT_DOUBLE_EQ(spline->m_fBoundsMaxY, 300.0);
    EXPECT_DOUBLE_EQ(spline->m_fCornerX2, 300.0);
    EXPECT_EQ(spline->m_ptEnd, (CDoublePoint{300.0, 0.0}));
    // x runs 300 t and y = 900 t (1 - t), so chord i of the 32 spans 9.375 across and
    // 28.125 (31 - 2 i) / 32 up; the chords add up to 565.125.
    EXPECT_NEAR(spline->m_fLength, 565.125, 1e-3);
    EXPECT_EQ(spline->IsInvalid(0), 0);
    // Rescaling by 2 doubles the frame about its first corner; the control points stay.
    spline->TrackCreate(nullptr, -1);
    const std::vector<CDoublePoint> control = ControlPoints(*spline);
    spline->RescaleWithUndo(nullptr, 2.0, 0);
    EXPECT_EQ(ControlPoints(*spline), control);
    EXPECT_DOUBLE_EQ(spline->m_fCornerX2, 600.0);
    EXPECT_DOUBLE_EQ(spline->m_fCornerY2, -300.0);
    EXPECT_EQ(spline->MapControlPoint({300, 0}), (CDoublePoint{600.0, -300.0}));
    // The frame maps every control point to (2 x, 2 y - 300): the same curve twice as large.
    spline->RecomputeLength();
    EXPECT_NEAR(spline->m_fLength, 2.0 * 565.125, 2e-3);
    // The inverse mapping gives the control point back.
    EXPECT_EQ(spline->UnmapPoint({600.0, -300.0}, {}), (CDoublePoint{300.0, 0.0}));

    // All control points on one vertical line: every x maps to the frame's left edge.
    CSplineTrack* upright = plan.Spline({{50, 0}, {50, 100}, {50, 200}, {50, 300}});
    upright->m_fCornerX1 = 70.0;
    upright->m_fCornerX2 = 90.0;
    EXPECT_DOUBLE_EQ(upright->MapControlPoint({50, 150}).x, 70.0);
    // A frame of no width keeps a control point's own x when mapping back.
    upright->m_fCornerX2 = 70.0;
    EXPECT_DOUBLE_EQ(upright->UnmapPoint({900.0, 100.0}, {50.0, 0.0}).x, 50.0);
}

TEST(SplineTrack, MirroringTwiceRestoresThePieceExactly) {
    SplinePlan plan;
    CSplineTrack* spline =
        plan.Spline({{0, 0}, {100, 300}, {200, 300}, {300, 0}, {400, -300}, {500, 0}, {600, 50}});
    const std::vector<CDoublePoint> world = WorldControlPoints(*spline);
    spline->MirrorX(1000.0);
    EXPECT_NEAR(spline->GetControlPointWorld(5).x, 2000.0, 1e-6);
    EXPECT_NEAR(spline->GetControlPointWorld(11).x, 1400.0, 1e-6);
    spline->MirrorX(1000.0);
    spline->MirrorY(-40.0);
    EXPECT_NEAR(spline->GetControlPointWorld(6).y, -380.0, 1e-6);
    spline->MirrorY(-40.0);
    EXPECT_EQ(WorldControlPoints(*spline), world);
}

TEST(SplineTrack, EndsDirectionsAndTheCentreLine) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {0, 0}, {200, 100}, {300, 100}});
    // A first handle lying on its knot gives the begin direction 0.
    EXPECT_DOUBLE_EQ(spline->GetEndAngle(nullptr, 0), 0.0);
    EXPECT_NEAR(spline->GetEndAngle(nullptr, 1), kPi, 1e-9);
    CPointArray line;
    const int count = spline->AppendCentreLine(line, 0);
    EXPECT_EQ(count, line.GetSize());
    EXPECT_EQ(line[0], (CDoublePoint{0.0, 0.0}));
    EXPECT_EQ(line[count - 1], (CDoublePoint{300.0, 100.0}));
    CPointArray reversed;
    spline->AppendCentreLine(reversed, 1);
    EXPECT_EQ(reversed[0], (CDoublePoint{300.0, 100.0}));
    EXPECT_EQ(reversed[reversed.GetSize() - 1], (CDoublePoint{0.0, 0.0}));
}

TEST(SplineTrack, CreatedByClicksAndFinishedByADoubleClick) {
    SplinePlan plan;
    plan.tool.m_toolMode.Set(kToolSplineTrack);
    plan.Down(0.0, 0.0);
    plan.Up(0.0, 0.0);
    CSplineTrack* spline = plan.Only();
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->m_points.GetSize(), 9);
    EXPECT_EQ(plan.tool.m_nDraggedHandle, 8);
    plan.tool.OnMouseMove(0, 30.0, 0.0, 0);
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{300.0, 0.0}));
    plan.Down(300.0, 0.0);
    plan.Up(300.0, 0.0);
    EXPECT_EQ(spline->m_points.GetSize(), 12);
    // The first segment is straightened; the second follows the mouse.
    EXPECT_EQ(spline->GetControlPointWorld(6), (CDoublePoint{100.0, 0.0}));
    EXPECT_EQ(spline->GetControlPointWorld(7), (CDoublePoint{200.0, 0.0}));
    plan.tool.OnLButtonDblClk(0, 30.0, 0.0);
    ASSERT_EQ(plan.Only(), spline);
    const std::vector<CDoublePoint> expected = {{0, 0}, {100, 0}, {200, 0}, {300, 0}};
    EXPECT_EQ(WorldControlPoints(*spline), expected);
    EXPECT_EQ(plan.tool.m_nMultiPoint, 0);
    EXPECT_EQ(spline->GetEditState(), -1);
    EXPECT_NEAR(spline->m_fLength, 300.0, 1e-3);

    // A second press on the same spot (as some double clicks bring) straightens nothing
    // and leaves no NaN in the piece.
    plan.Down(1000.0, 1000.0);
    plan.Up(1000.0, 1000.0);
    plan.tool.OnMouseMove(0, 150.0, 100.0, 0);
    plan.Down(1500.0, 1000.0);
    plan.Up(1500.0, 1000.0);
    plan.Down(1500.0, 1000.0);
    plan.Up(1500.0, 1000.0);
    plan.tool.OnLButtonDblClk(0, 150.0, 100.0);
    auto* second = dynamic_cast<CSplineTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(second, spline);
    for (int i = CSplineTrack::kFirstKnot; i < second->m_points.GetSize(); ++i)
        EXPECT_TRUE(std::isfinite(second->m_points[i].x) && std::isfinite(second->m_points[i].y)) << i;

    // One click and a double click on it: no length, so no piece.
    plan.Down(3000.0, 3000.0);
    plan.Up(3000.0, 3000.0);
    plan.tool.OnLButtonDblClk(0, 300.0, 300.0);
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
}

TEST(SplineTrack, HandlesArePickedBeforeKnotsAndKnotsBeforeCorners) {
    SplinePlan plan;
    CSplineTrack* spline =
        plan.Spline({{0, 0}, {0, 0}, {1000, 500}, {1000, 500}, {1000, 500}, {2000, 1000}, {3000, 0}});
    spline->SelectWithUndo(0, 0);
    EXPECT_EQ(spline->HitTestHandle(nullptr, 0.0, 0.0), 6);       // the first knot: the handle after it
    EXPECT_EQ(spline->HitTestHandle(nullptr, 1000.0, 500.0), 7);  // an interior knot: the handle before
    EXPECT_EQ(spline->HitTestHandle(nullptr, 3000.0, 0.0), 11);
    EXPECT_EQ(spline->HitTestHandle(nullptr, 0.0, 1000.0), 1);  // the frame's top left corner
    EXPECT_EQ(spline->HitTestHandle(nullptr, 1500.0, 300.0), -1);
    // A flat frame takes its corners first.
    CSplineTrack* flat = plan.Spline({{0, 0}, {100, 0}, {200, 0}, {300, 0}});
    flat->SelectWithUndo(0, 0);
    EXPECT_EQ(flat->HitTestHandle(nullptr, 0.0, 0.0), 1);
}

TEST(SplineTrack, KnotAndHandleDragsKeepTheTangentAndUndoRestoresExactly) {
    SplinePlan plan;
    CSplineTrack* spline =
        plan.Spline({{0, 0}, {300, 0}, {700, 0}, {1000, 0}, {1300, 0}, {1600, 600}, {2000, 600}});
    spline->SelectWithUndo(0, 0);
    const std::vector<CDoublePoint> before = ControlPoints(*spline);
    const double frame[4] = {spline->m_fCornerX1, spline->m_fCornerY1, spline->m_fCornerX2,
                             spline->m_fCornerY2};

    // The handle before the middle knot, pulled up: the one after turns opposite, keeping 300.
    plan.Drag(700.0, 0.0, 700.0, 300.0);
    EXPECT_NEAR(spline->m_points[9].x, 1000.0 + 300.0 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(spline->m_points[9].y, -300.0 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(std::hypot(spline->m_points[9].x - 1000.0, spline->m_points[9].y), 300.0, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(ControlPoints(*spline), before);
    EXPECT_EQ(spline->m_fCornerY1, frame[1]);

    // The knot carries both its handles.
    plan.Drag(1000.0, 0.0, 1100.0, 200.0);
    EXPECT_NEAR(spline->m_points[8].x, 1100.0, 1e-9);
    EXPECT_NEAR(spline->m_points[7].x, 800.0, 1e-9);
    EXPECT_NEAR(spline->m_points[9].y, 200.0, 1e-9);
    plan.tool.Undo();
    EXPECT_EQ(ControlPoints(*spline), before);
    const double after[4] = {spline->m_fCornerX1, spline->m_fCornerY1, spline->m_fCornerX2,
                             spline->m_fCornerY2};
    EXPECT_TRUE(std::equal(frame, frame + 4, after));
    EXPECT_EQ(spline->m_ptEnd, (CDoublePoint{2000.0, 600.0}));
}

// The straight piece samples at x = trunc(93.75 i). A step is kept once it is a handle long (10
// pixels: 10, 100 and 400 at the three zooms), so the kept steps are 1, 2 and 5 samples long. The
// cursor at x = 1410 falls on the kept steps 1406-1500 (samples 15-16), 1312-1500 (14-16) and
// 1406-1875 (15-20); the cut lies between their ends and the elevation is taken halfway along that
// step counted in samples: 320 x 15.5 / 32, 320 x 15 / 32 and 320 x 17.5 / 32.
TEST(SplineTrack, CutsInTwoWithTheElevationBySampleStepsAndOneUndo) {
    struct Case {
        double zoom;
        double cutX;
        double elevation;
    };
    for (const Case& c : {Case{1.0, 1453.0, 155.0}, Case{10.0, 1406.0, 150.0}, Case{40.0, 1640.5, 175.0}}) {
        const double zoom = c.zoom;
        SCOPED_TRACE(zoom);
        SplinePlan plan;
        plan.tool.SetViewScale(1.0, zoom);
        CSplineTrack* spline = plan.Spline({{0, 0}, {1000, 0}, {2000, 0}, {3000, 0}});
        spline->m_fBeginElevation = 0.0;
        spline->m_fEndElevation = 320.0;
        const std::vector<CDoublePoint> before = ControlPoints(*spline);
        plan.tool.m_fCurrentX = 1410.0;
        plan.tool.m_fCurrentY = 80.0;  // on the left rail
        ASSERT_NE(spline->HitTest(), nullptr);
        spline->CutAtToolPoint();
        ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
        auto* second = dynamic_cast<CSplineTrack*>(plan.host.m_pRoot->m_members.front());
        ASSERT_NE(second, nullptr);
        const CDoublePoint cut = spline->GetControlPointWorld(8);
        EXPECT_EQ(second->GetControlPointWorld(5), cut);
        EXPECT_EQ(cut, (CDoublePoint{c.cutX, 0.0}));
        EXPECT_DOUBLE_EQ(spline->m_fEndElevation, c.elevation);
        EXPECT_EQ(second->m_fBeginElevation, spline->m_fEndElevation);
        EXPECT_EQ(second->IsSelected(), 0);
        EXPECT_NEAR(spline->GetControlPointWorld(6).x, cut.x / 3.0, 1e-9);
        plan.tool.Undo();
        EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
        EXPECT_EQ(ControlPoints(*spline), before);
    }
}

TEST(SplineTrack, ACutBesideAHandleOnItsKnotGivesFinitePieces) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {0, 0}, {3000, 0}, {3000, 0}});
    plan.tool.m_fCurrentX = 1450.0;
    plan.tool.m_fCurrentY = 80.0;
    ASSERT_NE(spline->HitTest(), nullptr);
    spline->CutAtToolPoint();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* second = dynamic_cast<CSplineTrack*>(plan.host.m_pRoot->m_members.front());
    for (CSplineTrack* piece : {spline, second})
        for (const CDoublePoint& p : WorldControlPoints(*piece))
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    // The kept handle direction is the chord's: along x. The cursor meets the kept step between
    // samples 15 and 16 (x = 1359 and 1500), so the pieces meet at 1429.5 and their outer handles
    // lie a third of the way in: at 1429.5 / 3 and 3000 - (3000 - 1429.5) / 3.
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{1429.5, 0.0}));
    EXPECT_EQ(spline->GetControlPointWorld(6), (CDoublePoint{476.5, 0.0}));
    EXPECT_EQ(second->GetControlPointWorld(7), (CDoublePoint{2476.5, 0.0}));
}

TEST(SplineTrack, StatusTextsDescribeThePiece) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {100, 0}, {200, 0}, {300, 0}});
    spline->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 20);
    EXPECT_DOUBLE_EQ(plan.tool.m_status.m_fRotation, 360.0);
    plan.tool.m_nDraggedHandle = 6;
    CString text;
    spline->AppendStatusText(text);
    CString length;
    CLengthFormat(kDefaultUnitIndex).FormatLength(length, spline->m_fLength);
    EXPECT_EQ(text, length + "; 0.00");
    plan.tool.m_nDraggedHandle = 7;
    text.Empty();
    spline->AppendStatusText(text);
    EXPECT_EQ(text, length + "; 0.00");
}

TEST(SplineTrack, TheCutToolCutsArcsAndSplinesAndOneUndoJoinsEach) {
    SplinePlan plan;
    CArcTrack* arc = plan.Oval(0.0, 0.0, 2000.0, 1000.0, 0.0, kPi);
    CSplineTrack* spline = plan.Spline({{0, 3000}, {1000, 3000}, {2000, 3000}, {3000, 3000}});
    for (CParTrack* piece : std::initializer_list<CParTrack*>{arc, spline}) {
        piece->m_fBeginElevation = 0.0;
        piece->m_fEndElevation = 200.0;
    }
    const std::vector<CDoublePoint> before = ControlPoints(*spline);
    plan.tool.m_toolMode.Set(kToolCutTrack);
    plan.Down(0.0, 1080.0);  // on the outer rail at the top of the half ellipse
    plan.Up(0.0, 1080.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 3u);
    // Straight above the centre the arc is cut at a quarter turn, halfway up.
    EXPECT_NEAR(arc->m_fSweep, 3.1415926535 * 0.5, 1e-12);
    EXPECT_NEAR(arc->m_fEndElevation, 100.0, 1e-6);
    // At the engine's default tenth the spline is cut between samples 14 and 16, 200 x 15 / 32 up.
    plan.Down(1410.0, 3080.0);
    plan.Up(1410.0, 3080.0);
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 4u);
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{1406.0, 3000.0}));
    EXPECT_DOUBLE_EQ(spline->m_fEndElevation, 93.75);
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 3u);
    EXPECT_EQ(ControlPoints(*spline), before);
    EXPECT_EQ(spline->m_fEndElevation, 200.0);
    plan.tool.Undo();
    plan.tool.Undo();
    EXPECT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    EXPECT_DOUBLE_EQ(arc->m_fSweep, kPi);
    EXPECT_EQ(arc->m_fEndElevation, 200.0);
}

TEST(SplineTrack, AFrameCornerStretchesThePieceAndUndoGivesTheFrameBack) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {1000, 1000}, {2000, 1000}, {3000, 0}});
    spline->SelectWithUndo(0, 0);
    // Where a knot lies on a corner the knot is taken; the top right corner is free.
    EXPECT_EQ(spline->HitTestHandle(nullptr, 3000.0, 0.0), 8);
    ASSERT_EQ(spline->HitTestHandle(nullptr, 3000.0, 1000.0), 4);
    const std::vector<CDoublePoint> control = ControlPoints(*spline);
    plan.Drag(3000.0, 1000.0, 6000.0, 2000.0);
    EXPECT_DOUBLE_EQ(spline->m_fCornerX2, 6000.0);
    EXPECT_DOUBLE_EQ(spline->m_fCornerY1, 2000.0);
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{6000.0, 0.0}));
    EXPECT_EQ(spline->GetControlPointWorld(6), (CDoublePoint{2000.0, 2000.0}));
    EXPECT_EQ(ControlPoints(*spline), control);
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(spline->m_fCornerX2, 3000.0);
    EXPECT_DOUBLE_EQ(spline->m_fCornerY1, 1000.0);
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{3000.0, 0.0}));
}

TEST(SplineTrack, GeometryStepsMoveKnotsWithTheirHandlesAndMarkersReattach) {
    SplinePlan plan;
    CSplineTrack* spline =
        plan.Spline({{0, 0}, {300, 0}, {700, 0}, {1000, 0}, {1300, 0}, {1600, 600}, {2000, 600}});
    // A knot set through the engine's geometry step carries its handles.
    spline->ChangeGeometry(1000.0, 500.0, 8, 0, 0, 0);
    EXPECT_EQ(spline->GetControlPointWorld(8), (CDoublePoint{1000.0, 500.0}));
    EXPECT_EQ(spline->GetControlPointWorld(7), (CDoublePoint{700.0, 500.0}));
    EXPECT_EQ(spline->GetControlPointWorld(9), (CDoublePoint{1300.0, 500.0}));
    // A handle turns its partner onto its line, keeping the partner's distance.
    spline->ChangeGeometry(1000.0, 800.0, 9, 0, 0, 0);
    EXPECT_NEAR(spline->GetControlPointWorld(7).x, 1000.0, 1e-9);
    EXPECT_NEAR(spline->GetControlPointWorld(7).y, 200.0, 1e-9);

    // A connected begin end shows its marker; a press on it lets the end go.
    spline->m_bBeginConnected = 1;
    spline->RebuildShape();
    const double reach = 120.0 * plan.tool.m_fHandleSize;
    EXPECT_NEAR(spline->m_ptBeginMarker.x, reach * 1000.0 / std::hypot(1000.0, 500.0), 1e-9);
    plan.tool.m_fCurrentX = spline->m_ptBeginMarker.x / 2.0;
    plan.tool.m_fCurrentY = spline->m_ptBeginMarker.y / 2.0;
    EXPECT_EQ(spline->HitTestEndMarker(nullptr), 1);
    EXPECT_EQ(spline->m_bBeginConnected, 0);
}

TEST(SplineTrack, WorldControlPointsLandOnTheirPlacesOnATurnedAndStretchedPieceAndThroughItsCut) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {1000, 1000}, {2000, 1000}, {3000, 0}});
    spline->RotateFromSavedPose(kPi / 6.0, 500.0, 200.0, 0);
    // The top right frame corner pulled out: the frame is twice as wide and 1.5 times as high
    // as the control points' bounds.
    const CDoublePoint corner = spline->LocalToWorld(6000.0, 1500.0);
    spline->ChangeGeometry(corner.x, corner.y, 4, 0, 0, 0);
    ASSERT_DOUBLE_EQ(spline->m_fCornerX2, 6000.0);
    ASSERT_DOUBLE_EQ(spline->m_fCornerY1, 1500.0);

    const std::vector<CDoublePoint> world = {{100, 100},   {900, -400}, {2500, 700}, {3100, 1200},
                                             {3500, 1800}, {4200, 900}, {5000, 1000}};
    CPointArray control;
    for (const CDoublePoint& p : world) control.Add(p);
    ASSERT_EQ(spline->SetControlPoints(&control, 0, 1), 1);
    auto expectWorld = [](const CSplineTrack& piece, int from, const std::vector<CDoublePoint>& points) {
        for (size_t i = 0; i < points.size(); ++i) {
            const CDoublePoint p = piece.GetControlPointWorld(from + static_cast<int>(i));
            EXPECT_NEAR(p.x, points[i].x, 1e-6) << i;
            EXPECT_NEAR(p.y, points[i].y, 1e-6) << i;
        }
    };
    expectWorld(*spline, CSplineTrack::kFirstKnot, world);
    // The stretch holds: control space is still twice as narrow as the frame.
    EXPECT_NEAR((spline->m_fCornerX2 - spline->m_fCornerX1) / (spline->m_fBoundsMaxX - spline->m_fBoundsMinX),
                2.0, 1e-9);

    // A cut on the right rail halfway along the first segment keeps both ends where they
    // were, and one undo gives the whole piece back.
    const double tx = world[3].x + world[2].x - world[1].x - world[0].x;
    const double ty = world[3].y + world[2].y - world[1].y - world[0].y;
    const double rail = spline->m_fGauge / 2.0 / std::hypot(tx, ty);
    plan.tool.m_fCurrentX = (world[0].x + 3.0 * world[1].x + 3.0 * world[2].x + world[3].x) / 8.0 + rail * ty;
    plan.tool.m_fCurrentY = (world[0].y + 3.0 * world[1].y + 3.0 * world[2].y + world[3].y) / 8.0 - rail * tx;
    ASSERT_NE(spline->HitTest(), nullptr);
    spline->CutAtToolPoint();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 2u);
    auto* second = dynamic_cast<CSplineTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(second, nullptr);
    expectWorld(*spline, CSplineTrack::kFirstKnot, {world[0]});
    expectWorld(*second, CSplineTrack::kFirstKnot + 3, {world[3], world[4], world[5], world[6]});
    const CDoublePoint cutEnd = spline->GetControlPointWorld(8), cutBegin = second->GetControlPointWorld(5);
    EXPECT_NEAR(cutEnd.x, cutBegin.x, 1e-6);
    EXPECT_NEAR(cutEnd.y, cutBegin.y, 1e-6);
    plan.tool.Undo();
    ASSERT_EQ(plan.host.m_pRoot->m_members.size(), 1u);
    ASSERT_EQ(spline->m_points.GetSize(), CSplineTrack::kFirstKnot + 7);
    expectWorld(*spline, CSplineTrack::kFirstKnot, world);
}

TEST(SplineTrack, APieceMovedTurnedDuplicatedOrRescaledIsMeasuredWhereItLies) {
    SplinePlan plan;
    CSplineTrack* spline = plan.Spline({{0, 0}, {1000, 1500}, {2000, -1500}, {3000, 0}});
    spline->SelectWithUndo(0, 0);
    // The samples fall on whole units of the plan: where a piece lies, it measures anew.
    std::vector<double> lengths;
    const auto measuredWhereItLies = [&](CSplineTrack& piece, const char* after) {
        const double kept = piece.m_fLength;
        piece.RecomputeLength();
        EXPECT_EQ(kept, piece.m_fLength) << after;
        lengths.push_back(kept);
    };
    measuredWhereItLies(*spline, "made");
    plan.Drag(750.0, 421.875, 783.7, 633.2);  // a quarter along the curve
    measuredWhereItLies(*spline, "moved");
    plan.tool.m_toolMode.Set(kToolRotateAroundOrigin);
    plan.Down(0.0, 0.0);
    plan.Move(3000.0, 0.0);
    plan.Move(2000.0, 1700.0);
    plan.Up(2000.0, 1700.0);
    plan.tool.m_toolMode.Set(kToolSelector);
    measuredWhereItLies(*spline, "turned");
    plan.tool.DuplicateSelection();
    measuredWhereItLies(*static_cast<CSplineTrack*>(plan.host.m_pRoot->m_members.front()), "duplicated");
    plan.tool.Undo();
    ASSERT_TRUE(plan.tool.GroupSelection(1));
    auto* group = dynamic_cast<CGroup*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(group, nullptr);
    const CDoublePoint corner = group->LocalToWorld(group->m_fFrameWidth, group->m_fFrameHeight);
    plan.Drag(corner.x, corner.y, corner.x * 1.37, corner.y * 1.37);
    measuredWhereItLies(*spline, "rescaled");
    while (plan.tool.GetUndoCount() > 0) {
        plan.tool.Undo();
        measuredWhereItLies(*spline, "undone");
    }
    EXPECT_EQ(lengths.front(), lengths.back());
}
