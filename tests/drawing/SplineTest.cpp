#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "model/BezierEvaluation.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

struct SplineEntry {
    explicit SplineEntry(DrawingPlan& plan) : plan(plan), zoom(plan.tool.m_fZoomRatio) {
        plan.tool.m_toolMode.Set(kToolSpline);
    }
    void Move(double x, double y) { plan.tool.OnMouseMove(0, x * zoom, y * zoom, 0); }
    void Click(double x, double y) {
        Move(x, y);
        plan.tool.OnLButtonDown(0, x * zoom, y * zoom);
        plan.tool.OnLButtonUp(0, x * zoom, y * zoom);
    }
    void DoubleClick(double x, double y) {
        Click(x, y);
        plan.tool.OnLButtonDblClk(0, x * zoom, y * zoom);
        plan.tool.OnLButtonUp(0, x * zoom, y * zoom);
        plan.tool.m_toolMode.Set(kToolSelector);
    }
    DrawingPlan& plan;
    double zoom;
};

std::vector<CDoublePoint> PointsOf(const CPaint& shape) {
    std::vector<CDoublePoint> points;
    for (int i = 0; i < shape.m_points.GetSize(); ++i) points.push_back(shape.m_points[i]);
    return points;
}

}  // namespace

TEST(Spline, SamplesAtThirtySecondsInSinglePrecision) {
    const int32_t controls[4][2] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    double length = 0.0;
    float previousX = 0.0f, previousY = 0.0f;
    ASSERT_TRUE(ForEachBezierSample(controls, 4, 3, [&](int i, float x, float y) {
        if (i == 16) {
            EXPECT_FLOAT_EQ(x, 50.0f);
            EXPECT_FLOAT_EQ(y, 75.0f);
        }
        if (i > 0)
            length += VectorLength(x - previousX, y - previousY);
        previousX = x;
        previousY = y;
    }));
    EXPECT_NEAR(length, 199.9233, 1e-3);
    // The list starts at the first control point, then the 33 samples rounded toward zero.
    std::vector<CPoint> samples{CPoint(-1, -1)};
    ASSERT_EQ(CSpline::SampleBezier(samples, controls, 4, 3), 1);
    ASSERT_EQ(samples.size(), 35u);
    EXPECT_EQ(samples[1], CPoint(0, 0));
    EXPECT_EQ(samples[2], CPoint(0, 0));
    EXPECT_EQ(samples[3], CPoint(0, 9));
    EXPECT_EQ(samples[18], CPoint(50, 75));
    EXPECT_EQ(samples.back(), CPoint(100, 0));
    // A count that does not fit the degree appends nothing.
    EXPECT_EQ(CSpline::SampleBezier(samples, controls, 3, 3), 0);
    EXPECT_EQ(samples.size(), 35u);
}

TEST(Spline, ClicksPlaceNodesWithStraightThirdsAndADoubleClickEndsTheCurve) {
    DrawingPlan plan;
    SplineEntry entry(plan);
    entry.Click(0.0, 0.0);
    entry.Move(900.0, 0.0);
    entry.Click(900.0, 0.0);
    entry.DoubleClick(900.0, 900.0);
    CSpline* spline = plan.Newest<CSpline>();
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->GetClassName(), "CSpline");
    ASSERT_EQ(spline->m_points.GetSize(), 12);
    EXPECT_EQ(plan.tool.m_nMultiPoint, 0);
    // The first segment is straight with its controls at the thirds; the node smooths.
    EXPECT_NEAR(spline->m_points[6].x, 300.0, 1e-9);
    EXPECT_NEAR(spline->m_points[6].y, 0.0, 1e-9);
    // The incoming control of the middle node runs parallel to the next chord, a third of
    // the chord before.
    EXPECT_NEAR(spline->m_points[7].x, 900.0, 1e-6);
    EXPECT_NEAR(spline->m_points[7].y, -300.0, 1e-6);
    EXPECT_NEAR(spline->m_points[11].y, 900.0, 1e-9);
    // The double click's press straightened the second segment to (900, 300), (900, 600) and
    // turned the first one's last control to (900, -300): 32 chords of the first segment make
    // 991.576, the straight second one 900 (up to the sampler's single precision).
    EXPECT_NEAR(spline->m_fLength, 1891.576, 2e-3);
    EXPECT_FALSE(spline->IsInvalid(0));
    spline->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 15);

    // A press and a double click on one spot leave nothing; nor does a flat curve.
    SplineEntry again(plan);
    again.Click(5000.0, 5000.0);
    again.DoubleClick(5000.0, 5000.0);
    EXPECT_EQ(plan.MemberCount(), 1);
    SplineEntry flat(plan);
    flat.Click(0.0, 3000.0);
    flat.DoubleClick(900.0, 3000.0);
    EXPECT_EQ(plan.MemberCount(), 1);
}

TEST(Spline, HandleDragsKeepTangentsSmoothAndUndoRestoresEveryPoint) {
    DrawingPlan plan;
    SplineEntry entry(plan);
    entry.Click(0.0, 0.0);
    entry.Click(900.0, 0.0);
    entry.DoubleClick(900.0, 900.0);
    CSpline* spline = plan.Newest<CSpline>();
    ASSERT_NE(spline, nullptr);
    spline->SelectWithUndo(0, 0);
    spline->UpdateAnchorPoint();
    const std::vector<CDoublePoint> before = PointsOf(*spline);
    plan.host.m_bModified = FALSE;
    // Node 8 at (900, 0) moved by (100, 50) carries its two control points along.
    const CDoublePoint incoming = spline->m_points[7], outgoing = spline->m_points[9];
    plan.Drag(900.0, 0.0, 1000.0, 50.0);
    EXPECT_EQ(spline->m_points[8], (CDoublePoint{1000.0, 50.0}));
    EXPECT_EQ(spline->m_points[7], (CDoublePoint{incoming.x + 100.0, incoming.y + 50.0}));
    EXPECT_EQ(spline->m_points[9], (CDoublePoint{outgoing.x + 100.0, outgoing.y + 50.0}));
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*spline), before);
    // The incoming control of node 8 turned: the outgoing one stays opposite at its distance.
    spline->SelectWithUndo(0, 0);
    const CDoublePoint node = spline->m_points[8];
    const double far = VectorLength(spline->m_points[9].x - node.x, spline->m_points[9].y - node.y);
    const CDoublePoint control = spline->m_points[7];
    plan.Drag(control.x, control.y, node.x - 300.0, node.y - 300.0);
    const CDoublePoint opposite = spline->m_points[9];
    EXPECT_NEAR(VectorLength(opposite.x - node.x, opposite.y - node.y), far, 1e-6);
    EXPECT_NEAR(opposite.x - node.x, opposite.y - node.y, 1e-6);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*spline), before);
}

TEST(Spline, MirroredBeforeAnyRepaintItKeepsItsExtent) {
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical);
        DrawingPlan plan;
        SplineEntry entry(plan);
        entry.Click(0.0, 0.0);
        entry.Click(900.0, 0.0);
        entry.DoubleClick(900.0, 600.0);
        CSpline* spline = plan.Newest<CSpline>();
        ASSERT_NE(spline, nullptr);
        spline->SelectWithUndo(0, 0);
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        spline->GetBounds(nullptr, minX, minY, maxX, maxY);
        const std::vector<CDoublePoint> before = PointsOf(*spline);
        // As the flip commands do: run and recorded at once.
        ASSERT_EQ(vertical ? plan.tool.FlipVertical(1) : plan.tool.FlipHorizontal(1), 1);
        double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
        spline->GetBounds(nullptr, x0, y0, x1, y1);
        EXPECT_NEAR(x1 - x0, maxX - minX, 1e-6);
        EXPECT_NEAR(y1 - y0, maxY - minY, 1e-6);
        EXPECT_FALSE(spline->IsInvalid(0));
        plan.tool.Undo();
        spline->GetBounds(nullptr, x0, y0, x1, y1);
        EXPECT_NEAR(x0, minX, 1e-6);
        EXPECT_NEAR(y1, maxY, 1e-6);
    }
}

// About x = 300, then y = -20: the placement crosses the line, every point but the rotation
// handle and the reference box turn over in that coordinate, and the corners follow. The
// spline and the sketch keep their class records directly beneath the shape base.
TEST(Spline, MirrorsTurnThePlacementPointsAndReferenceBoxOver) {
    EXPECT_EQ(RUNTIME_CLASS(CSpline)->m_pBaseClass, RUNTIME_CLASS(CPaint));
    EXPECT_EQ(RUNTIME_CLASS(CSketch)->m_pBaseClass, RUNTIME_CLASS(CPaint));
    EXPECT_EQ(RUNTIME_CLASS(CSpline)->m_wSchema, 2u);
    EXPECT_EQ(RUNTIME_CLASS(CSketch)->m_wSchema, 2u);
    DrawingPlan plan;
    SplineEntry entry(plan);
    for (const CDoublePoint& node : {CDoublePoint{-100.0, 50.0}, CDoublePoint{700.0, -40.0}})
        entry.Click(node.x, node.y);
    entry.DoubleClick(800.0, 500.0);
    CSpline* spline = plan.Newest<CSpline>();
    ASSERT_NE(spline, nullptr);
    spline->m_pose = CPose(1000.0, 200.0, 0.5);
    spline->m_fReferenceX1 = 5.0;
    spline->m_fReferenceY1 = 7.0;
    spline->m_fReferenceX2 = 11.0;
    spline->m_fReferenceY2 = 13.0;
    const std::vector<CDoublePoint> before = PointsOf(*spline);
    spline->MirrorX(300.0);
    EXPECT_EQ(spline->m_pose.x, 1000.0 + (300.0 - 1000.0) * 2.0);
    EXPECT_EQ(spline->m_pose.y, 200.0);
    EXPECT_EQ(spline->m_pose.angle, kFullTurn - 0.5);
    EXPECT_EQ(spline->m_fReferenceX1, -5.0);
    EXPECT_EQ(spline->m_fReferenceX2, -11.0);
    EXPECT_EQ(spline->m_fReferenceY1, 7.0);
    EXPECT_EQ(spline->m_points[0], before[0]);
    for (size_t i = 1; i < before.size(); ++i)
        EXPECT_EQ(spline->m_points[static_cast<int>(i)], (CDoublePoint{-before[i].x, before[i].y})) << i;
    EXPECT_EQ(spline->m_fCornerX1, -before[1].x);
    EXPECT_EQ(spline->m_fCornerX2, -before[3].x);
    spline->MirrorY(-20.0);
    EXPECT_EQ(spline->m_pose.y, 200.0 + (-20.0 - 200.0) * 2.0);
    EXPECT_EQ(spline->m_fReferenceY1, -7.0);
    EXPECT_EQ(spline->m_fReferenceY2, -13.0);
    EXPECT_EQ(spline->m_fReferenceX1, -5.0);
    for (size_t i = 1; i < before.size(); ++i)
        EXPECT_EQ(spline->m_points[static_cast<int>(i)], (CDoublePoint{-before[i].x, -before[i].y})) << i;
    EXPECT_EQ(spline->m_fCornerY1, -before[1].y);
    EXPECT_EQ(spline->m_fCornerY2, -before[3].y);
}

TEST(Spline, RecordsRoundTripAndHostileCountsFail) {
    DrawingPlan plan;
    SplineEntry entry(plan);
    entry.Click(0.0, 0.0);
    entry.DoubleClick(600.0, 300.0);
    CSpline* spline = plan.Newest<CSpline>();
    ASSERT_NE(spline, nullptr);
    const std::vector<BYTE> bytes = StoreRecord(*spline);
    CSpline read;
    read.SetTool(&plan.tool);
    LoadRecord(read, bytes);
    EXPECT_EQ(StoreRecord(read), bytes);
    EXPECT_DOUBLE_EQ(read.m_fLength, spline->m_fLength);
    EXPECT_EQ(bytes.size(), CommonPartSize(*spline) + 5 * 8);
    // A pasted copy keeps its length and stays valid.
    std::unique_ptr<CPaint> copy(spline->Clone());
    EXPECT_FALSE(copy->IsInvalid(0));
    // Ten points cannot be whole segments.
    CSpline broken;
    broken.SetTool(&plan.tool);
    broken.m_points.SetSize(10);
    const std::vector<BYTE> hostile = StoreRecord(broken);
    CMemFile in(const_cast<BYTE*>(hostile.data()), static_cast<UINT>(hostile.size()));
    CArchive load(&in, CArchive::load);
    CSpline victim;
    victim.SetTool(&plan.tool);
    EXPECT_THROW(victim.Serialize(load), CArchiveException);
    read.SetTool(nullptr);
    broken.SetTool(nullptr);
    victim.SetTool(nullptr);
}

TEST(Spline, DrawsTheCurveAndHitsItsChords) {
    DrawingPlan plan;
    SplineEntry entry(plan);
    entry.Click(1000.0, 1000.0);
    entry.DoubleClick(2000.0, 1500.0);
    CSpline* spline = plan.Newest<CSpline>();
    ASSERT_NE(spline, nullptr);
    spline->Deselect();
    Canvas canvas(300, 300);
    plan.DrawOn(canvas);
    spline->m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    spline->RecalcDeviceBounds();
    EXPECT_EQ(spline->Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(150, 125), kBlue);
    // The controls at the thirds are truncated to (1333, 1166) and (1666, 1333), which bends
    // the chord a little: 32 chords make 1118.034.
    EXPECT_NEAR(spline->m_fLength, 1118.034, 1e-3);
    plan.tool.SetTargetDC(nullptr, nullptr);
    plan.tool.m_fCurrentX = 1500.0;
    plan.tool.m_fCurrentY = 1260.0;
    EXPECT_NE(spline->HitTest(), nullptr);
    plan.tool.m_fCurrentY = 1400.0;
    EXPECT_EQ(spline->HitTest(), nullptr);
    // A rescale measures the length again: a later drawing finds it as it stands.
    spline->RescaleWithUndo(nullptr, 2.0, 0);
    const double rescaled = spline->m_fLength;
    EXPECT_NE(rescaled, 1118.034);
    plan.DrawOn(canvas);
    spline->RecalcDeviceBounds();
    spline->Draw(nullptr);
    EXPECT_EQ(spline->m_fLength, rescaled);
}
