#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CPolygon.h"
#include "drawing/CSketch.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/drawing/PointEntry.h"
#include "tests/gdi/Canvas.h"

namespace {

constexpr UINT kShift = CTool::kShiftFlag;

std::vector<CDoublePoint> WorldVertices(const CPolygon& polygon) {
    std::vector<CDoublePoint> world;
    for (const CDoublePoint& p : polygon.MappedPoints()) world.push_back(polygon.LocalToWorld(p.x, p.y));
    return world;
}

std::vector<CDoublePoint> PointsOf(const CPaint& shape) {
    std::vector<CDoublePoint> points;
    for (int i = 0; i < shape.m_points.GetSize(); ++i) points.push_back(shape.m_points[i]);
    return points;
}

CPolygon* Triangle(DrawingPlan& plan) {
    plan.tool.m_toolMode.Set(kToolPolygon);
    PointEntry entry(plan.tool);
    entry.Click(1000.0, 1000.0);
    entry.Click(3000.0, 1000.0);
    entry.DoubleClick(2000.0, 3000.0);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.Newest<CPolygon>();
}

}  // namespace

TEST(Polygon, ClicksPlaceVerticesAndADoubleClickEndsThePolygon) {
    DrawingPlan plan;
    CPolygon* polygon = Triangle(plan);
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->GetClassName(), "CPolygon");
    EXPECT_EQ(plan.tool.m_nMultiPoint, 0);
    EXPECT_EQ(WorldVertices(*polygon),
              (std::vector<CDoublePoint>{{1000.0, 1000.0}, {3000.0, 1000.0}, {2000.0, 3000.0}}));
    EXPECT_NEAR(polygon->m_fPerimeter, 2000.0 + VectorLength(1000.0, 2000.0), 1e-9);
    EXPECT_FALSE(polygon->IsInvalid(0));
    EXPECT_EQ(polygon->m_points[1], (CDoublePoint{0.0, 2000.0}));
    EXPECT_EQ(polygon->m_points[3], (CDoublePoint{2000.0, 0.0}));
    // Filled, a click inside the triangle hits it; unfilled only its sides do, not the closing one.
    polygon->ComputeExtent(nullptr);
    plan.tool.m_fCurrentX = 2000.0;
    plan.tool.m_fCurrentY = 1500.0;
    EXPECT_EQ(polygon->HitTest(), nullptr);
    polygon->m_bFillOn = 1;
    EXPECT_NE(polygon->HitTest(), nullptr);
    polygon->m_bFillOn = 0;
    plan.tool.m_fCurrentX = 1500.0;
    plan.tool.m_fCurrentY = 2000.0;
    EXPECT_EQ(polygon->HitTest(), nullptr);
    plan.tool.m_fCurrentX = 2000.0;
    plan.tool.m_fCurrentY = 1050.0;
    EXPECT_NE(polygon->HitTest(), nullptr);
    plan.tool.Undo();
    EXPECT_EQ(plan.MemberCount(), 0);

    // A press and a double click on one spot leave nothing.
    plan.tool.m_toolMode.Set(kToolPolygon);
    PointEntry entry(plan.tool);
    entry.Click(500.0, 500.0);
    entry.DoubleClick(500.0, 500.0);
    EXPECT_EQ(plan.MemberCount(), 0);
    EXPECT_EQ(plan.tool.GetUndoCount(), 0);
}

TEST(Polygon, ShiftSnapsTheRubberBandSideAndTheHintShowsIt) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolPolygon);
    PointEntry entry(plan.tool);
    entry.Click(0.0, 0.0);
    entry.Move(1000.0, 380.0, kShift);
    CPolygon* polygon = plan.Newest<CPolygon>();
    ASSERT_NE(polygon, nullptr);
    const CDoublePoint rubber = polygon->m_points[polygon->m_points.GetSize() - 1];
    EXPECT_NEAR(rubber.x, VectorLength(1000.0, 380.0), 1e-9);
    EXPECT_NEAR(rubber.y, 0.0, 1e-9);
    CString hint;
    polygon->AppendStatusText(hint);
    EXPECT_NE(hint.Find("; 0.00"), -1);
    entry.DoubleClick(1000.0, 380.0);
}

TEST(Polygon, VertexAndCornerDragsAreUndoneExactlyAndMarkTheLayoutModified) {
    DrawingPlan plan;
    CPolygon* polygon = Triangle(plan);
    ASSERT_NE(polygon, nullptr);
    polygon->SelectWithUndo(0, 0);
    polygon->UpdateAnchorPoint();  // as drawing the selected polygon places it
    const std::vector<CDoublePoint> before = PointsOf(*polygon);
    plan.host.m_bModified = FALSE;
    // The apex (vertex 7) to beyond the box: the box fits the vertices at the release.
    plan.Drag(2003.0, 2996.0, 2000.0, 4000.0);
    EXPECT_EQ(WorldVertices(*polygon).back(), (CDoublePoint{2000.0, 4000.0}));
    EXPECT_EQ(WorldVertices(*polygon).front(), (CDoublePoint{1000.0, 1000.0}));
    EXPECT_DOUBLE_EQ(polygon->m_points[1].y, 3000.0);
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*polygon), before);
    // Corner 4, the only corner on no vertex, stretches the vertices with the box.
    polygon->SelectWithUndo(0, 0);
    plan.Drag(3004.0, 2997.0, 5000.0, 3000.0);
    EXPECT_EQ(WorldVertices(*polygon)[1], (CDoublePoint{5000.0, 1000.0}));
    EXPECT_EQ(WorldVertices(*polygon)[2], (CDoublePoint{3000.0, 3000.0}));
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*polygon), before);
}

TEST(Polygon, RecordsRoundTripAndMirrorsRestore) {
    DrawingPlan plan;
    CPolygon* polygon = Triangle(plan);
    ASSERT_NE(polygon, nullptr);
    const std::vector<BYTE> bytes = StoreRecord(*polygon);
    CPolygon read;
    read.SetTool(&plan.tool);
    LoadRecord(read, bytes);
    EXPECT_EQ(PointsOf(read), PointsOf(*polygon));
    EXPECT_DOUBLE_EQ(read.m_fPerimeter, polygon->m_fPerimeter);
    EXPECT_EQ(StoreRecord(read), bytes);
    EXPECT_EQ(bytes.size(), CommonPartSize(*polygon) + 5 * 8);
    read.SetTool(nullptr);

    const std::vector<CDoublePoint> world = WorldVertices(*polygon);
    polygon->MirrorX(0.0);
    EXPECT_NEAR(WorldVertices(*polygon)[1].x, -3000.0, 1e-6);
    EXPECT_NEAR(WorldVertices(*polygon)[1].y, 1000.0, 1e-6);
    polygon->MirrorX(0.0);
    for (size_t i = 0; i < world.size(); ++i) {
        EXPECT_NEAR(WorldVertices(*polygon)[i].x, world[i].x, 1e-6);
        EXPECT_NEAR(WorldVertices(*polygon)[i].y, world[i].y, 1e-6);
    }
}

TEST(Sketch, TheMousePathIsKeptAndStretchesWithItsBox) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolSketch);
    const double zoom = plan.tool.m_fZoomRatio;
    plan.tool.OnLButtonDown(0, 0.0, 0.0);
    for (const CDoublePoint& p :
         std::vector<CDoublePoint>{{100.0, 100.0}, {100.0, 100.0}, {300.0, 0.0}, {400.0, 200.0}})
        plan.tool.OnMouseMove(0, p.x * zoom, p.y * zoom, 1);
    plan.tool.OnLButtonUp(0, 400.0 * zoom, 200.0 * zoom);
    CSketch* sketch = plan.Newest<CSketch>();
    ASSERT_NE(sketch, nullptr);
    EXPECT_EQ(sketch->m_points.GetSize(), CSketch::kFirstDrawnPoint + 3);
    EXPECT_EQ(sketch->m_points[1], (CDoublePoint{100.0, 200.0}));
    EXPECT_EQ(sketch->m_points[3], (CDoublePoint{400.0, 0.0}));
    plan.tool.m_toolMode.Set(kToolSelector);
    sketch->SelectWithUndo(0, 0);
    sketch->UpdateAnchorPoint();
    const std::vector<CDoublePoint> before = PointsOf(*sketch);
    plan.host.m_bModified = FALSE;
    // Corner 3 at (400, 0) to (700, 0): twice the width, the stored points unchanged.
    plan.Drag(400.0, 0.0, 700.0, 0.0);
    EXPECT_EQ(sketch->MappedPoints()[2], (CDoublePoint{700.0, 200.0}));
    EXPECT_EQ(sketch->m_points[7], (CDoublePoint{400.0, 200.0}));
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*sketch), before);
    // A straight stroke is flat and dropped; a click leaves nothing.
    plan.tool.m_toolMode.Set(kToolSketch);
    plan.Drag(1000.0, 1000.0, 2000.0, 1000.0);
    EXPECT_EQ(plan.MemberCount(), 1);
}

TEST(Polygon, DrawsItsSidesOpenAndFillsClosedByPixels) {
    DrawingPlan plan;
    CPolygon* polygon = Triangle(plan);
    ASSERT_NE(polygon, nullptr);
    polygon->Deselect();
    Canvas canvas(400, 400);
    plan.DrawOn(canvas);
    polygon->m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    polygon->RecalcDeviceBounds();
    EXPECT_EQ(polygon->Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(200, 100), kBlue);
    EXPECT_EQ(canvas.At(200, 150), kWhite);
    polygon->m_bFillOn = 1;
    polygon->m_brush = BrushRecord{0, kRed, 0};
    polygon->Draw(nullptr);
    EXPECT_EQ(canvas.At(200, 150), kRed);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

// Snapping goes to the nearer of the first and last drawn points as shown, the first on a tie.
TEST(Sketch, SnappingTakesTheNearerDrawnEndAndTheFirstOnATie) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolSketch);
    const double zoom = plan.tool.m_fZoomRatio;
    plan.tool.OnLButtonDown(0, 30.0 * zoom, 10.0 * zoom);
    for (const CDoublePoint& p : std::vector<CDoublePoint>{{100.0, 100.0}, {300.0, 0.0}, {410.0, 205.0}})
        plan.tool.OnMouseMove(0, p.x * zoom, p.y * zoom, 1);
    plan.tool.OnLButtonUp(0, 410.0 * zoom, 205.0 * zoom);
    plan.tool.m_toolMode.Set(kToolSelector);
    CSketch* sketch = plan.Newest<CSketch>();
    ASSERT_NE(sketch, nullptr);
    const std::vector<CDoublePoint> shown = sketch->MappedPoints();
    const CDoublePoint first = sketch->LocalToWorld(shown.front().x, shown.front().y);
    const CDoublePoint last = sketch->LocalToWorld(shown.back().x, shown.back().y);
    ASSERT_GT(VectorLength(last.x - first.x, last.y - first.y), 100.0);
    double vx = 0.0, vy = 0.0;
    sketch->GetSnapPoint(vx, vy, nullptr, last.x + 3.0, last.y - 4.0);
    EXPECT_NEAR(vx, -3.0, 1e-9);
    EXPECT_NEAR(vy, 4.0, 1e-9);
    const CDoublePoint middle{(first.x + last.x) / 2.0, (first.y + last.y) / 2.0};
    sketch->GetSnapPoint(vx, vy, nullptr, middle.x, middle.y);
    EXPECT_NEAR(vx, first.x - middle.x, 1e-9);
    EXPECT_NEAR(vy, first.y - middle.y, 1e-9);
    plan.host.m_nGridWidth = plan.host.m_nGridHeight = 100;
    plan.tool.m_nSnapMode = 2;
    const CDoublePoint toFirst = sketch->SnapOffset(first.x, first.y);
    const CDoublePoint toLast = sketch->SnapOffset(last.x, last.y);
    ASSERT_NE(VectorLength(toFirst.x, toFirst.y), VectorLength(toLast.x, toLast.y));
    const CDoublePoint nearer =
        VectorLength(toLast.x, toLast.y) < VectorLength(toFirst.x, toFirst.y) ? toLast : toFirst;
    double x = 0.0, y = 0.0;
    sketch->NearestEndPoint(x, y, nullptr);
    EXPECT_EQ(x, nearer.x);
    EXPECT_EQ(y, nearer.y);
}

TEST(Sketch, RecordsRoundTripWithTheReferenceBox) {
    DrawingPlan plan;
    CSketch sketch(0, &plan.tool, 0.0, 0.0);
    for (const CDoublePoint& p : {CDoublePoint{0.0, 0.0}, CDoublePoint{50.0, 80.0}, CDoublePoint{90.0, 10.0}})
        sketch.m_points.Add(p.x, p.y);
    sketch.m_fReferenceX2 = 90.0;
    sketch.m_fReferenceY1 = 80.0;
    sketch.m_fCornerX2 = 180.0;
    sketch.m_fCornerY1 = 80.0;
    const std::vector<BYTE> bytes = StoreRecord(sketch);
    EXPECT_EQ(bytes.size(), CommonPartSize(sketch) + 4 * 8);
    CSketch read;
    read.SetTool(&plan.tool);
    LoadRecord(read, bytes);
    EXPECT_EQ(StoreRecord(read), bytes);
    // The stored points show stretched onto the box twice as wide.
    EXPECT_EQ(read.MappedPoints()[2], (CDoublePoint{180.0, 10.0}));
    read.SetTool(nullptr);
}

// A rescaled polygon is saved with the perimeter its next drawing shows.
TEST(Polygon, ARescaleLeavesTheNextDrawingNothingToChange) {
    DrawingPlan plan;
    Canvas canvas(300, 200);
    plan.DrawOn(canvas);
    CPolygon* polygon = Triangle(plan);
    ASSERT_NE(polygon, nullptr);
    polygon->m_bSelected = 1;
    polygon->TrackCreate(nullptr, -1);
    polygon->RescaleWithUndo(nullptr, 1000.0, 0);
    const std::vector<BYTE> rescaled = StoreRecord(*polygon);
    polygon->Draw(nullptr);
    EXPECT_EQ(StoreRecord(*polygon), rescaled);
    plan.tool.SetTargetDC(nullptr, nullptr);
}
