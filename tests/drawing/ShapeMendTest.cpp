#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawing/CArc.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/PrintedPage.h"

// The faults the shapes once had, each held by a test.

namespace {

CArc* PlaceArc(DrawingPlan& plan, double rx, double ry, double start, double sweep) {
    auto* arc = AddToLayout(plan.host, new CArc(0, &plan.tool, 0.0, 0.0, 0));
    arc->SetArc(1000.0, 1000.0, rx, ry, start, sweep, 0, 0, 0);
    return arc;
}

template <class Shape>
void LoadOlder(DrawingPlan& plan, Shape& shape, const std::vector<BYTE>& own) {
    // A common part before version 7: its point array holds no outline points.
    CPaint common;
    CMemFile file;
    CArchive store(&file, CArchive::store);
    common.Serialize(store);
    store.Close();
    std::vector<BYTE> bytes = file.Detach();
    bytes.insert(bytes.end(), own.begin(), own.end());
    plan.host.m_nFileVersion = 6;
    shape.SetTool(&plan.tool);
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive load(&in, CArchive::load);
    shape.Serialize(load);
    EXPECT_EQ(load.BytesRemaining(), 0u);
    plan.host.m_nFileVersion = 17;
}

std::vector<BYTE> Doubles(std::initializer_list<double> values, int trailingInt = -1) {
    std::vector<BYTE> bytes;
    for (double v : values) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&v);
        bytes.insert(bytes.end(), p, p + 8);
    }
    if (trailingInt >= 0) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&trailingInt);
        bytes.insert(bytes.end(), p, p + 4);
    }
    return bytes;
}

}  // namespace

TEST(ShapeMend, OlderRecordsWithoutPointsGetTheirHandlesBack) {
    DrawingPlan plan;
    CArc arc;
    LoadOlder(plan, arc, Doubles({0.0, 0.0, 100.0, 50.0, kPi, 0.0}, 0));
    ASSERT_EQ(arc.m_points.GetSize(), CArc::kPointCount);
    EXPECT_NEAR(arc.m_points[5].x, 100.0, 1e-9);
    EXPECT_FALSE(arc.IsInvalid(0));
    arc.SetTool(nullptr);
    CRoundBox round;
    LoadOlder(plan, round, Doubles({10.0, 0.0, 0.0, 100.0, -40.0}));
    EXPECT_EQ(round.m_points.GetSize(), CRoundBox::kRoundPointCount);
    round.SetTool(nullptr);
}

TEST(ShapeMend, AGroupResizePressRecordsNothing) {
    DrawingPlan plan;
    plan.tool.m_toolMode.Set(kToolRoundBox);
    plan.Drag(0.0, 0.0, 1000.0, 400.0);
    plan.tool.m_toolMode.Set(kToolSelector);
    CRoundBox* round = plan.Newest<CRoundBox>();
    ASSERT_NE(round, nullptr);
    const int steps = plan.tool.GetUndoCount();
    round->TrackCreate(nullptr, -1);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);

    plan.tool.m_toolMode.Set(kToolPolygon);
    const double zoom = plan.tool.m_fZoomRatio;
    plan.tool.OnLButtonDown(0, 2000.0 * zoom, 0.0);
    plan.tool.OnLButtonUp(0, 2000.0 * zoom, 0.0);
    plan.tool.OnMouseMove(0, 3000.0 * zoom, 500.0 * zoom, 0);
    plan.tool.OnLButtonDown(0, 3000.0 * zoom, 500.0 * zoom);
    plan.tool.OnLButtonUp(0, 3000.0 * zoom, 500.0 * zoom);
    plan.tool.OnLButtonDblClk(0, 3000.0 * zoom, 500.0 * zoom);
    plan.tool.OnLButtonUp(0, 3000.0 * zoom, 500.0 * zoom);
    plan.tool.m_toolMode.Set(kToolSelector);
    CPolygon* polygon = plan.Newest<CPolygon>();
    ASSERT_NE(polygon, nullptr);
    const int before = plan.tool.GetUndoCount();
    const std::vector<CDoublePoint> corners = {polygon->m_points[1], polygon->m_points[3]};
    polygon->TrackCreate(nullptr, -1);
    EXPECT_EQ(plan.tool.GetUndoCount(), before);
    EXPECT_EQ(polygon->m_points[1], corners[0]);
    EXPECT_EQ(polygon->m_points[3], corners[1]);
}

TEST(ShapeMend, PrintingLeavesTheScreenSamplesAndAnEarlyReturnLeavesThePen) {
    DrawingPlan plan;
    Canvas canvas(300, 300);
    plan.DrawOn(canvas);
    CArc* arc = PlaceArc(plan, 800.0, 800.0, 0.0, kPi / 2.0);
    arc->RecalcDeviceBounds();
    ASSERT_EQ(arc->Draw(nullptr), 1);
    const auto screen = arc->m_samples;
    const int count = arc->m_nSampleCount;

    PrintedPage page;
    ASSERT_TRUE(page.Start(plan.tool, plan.host, 20000, 20000));
    plan.host.m_fPrintScale = 2.0;
    plan.tool.m_fPrintOffsetY = -20000.0;
    ASSERT_EQ(arc->Draw(nullptr), 1);
    EXPECT_EQ(arc->m_nSampleCount, count);
    EXPECT_EQ(arc->m_samples, screen);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);

    // An arc under one degree has one sample and is not drawn; the DC keeps its pen.
    CArc* sliver = PlaceArc(plan, 800.0, 800.0, 0.1, 0.001);
    sliver->RecalcDeviceBounds();
    CPen* pen = canvas.dc.GetCurrentPen();
    EXPECT_EQ(sliver->Draw(nullptr), 0);
    EXPECT_EQ(canvas.dc.GetCurrentPen(), pen);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(ShapeMend, NonFiniteOrHugeShapesAreNeitherDrawnNorHit) {
    DrawingPlan plan;
    Canvas canvas(100, 100);
    plan.DrawOn(canvas);
    const double nan = std::nan("");
    for (double bad : {nan, 1.0e300, -1.0e300}) {
        auto* arc = AddToLayout(plan.host, new CArc(0, &plan.tool, 0.0, 0.0, 1));
        arc->SetArc(0.0, 0.0, bad, 100.0, 0.0, kFullTurn, 1, 0, 0);
        auto* round = AddToLayout(plan.host, new CRoundBox(0, &plan.tool, 0.0, 0.0));
        round->m_points[3] = {bad, 50.0};
        auto* polygon = AddToLayout(plan.host, new CPolygon(0, &plan.tool, 0.0, 0.0));
        polygon->m_points.Add(0.0, 0.0);
        polygon->m_points.Add(bad, bad);
        polygon->m_fCornerX2 = bad;
        polygon->m_fReferenceX2 = 1.0;
        for (CPaint* shape : std::vector<CPaint*>{arc, round, polygon}) {
            shape->SelectWithUndo(0, 0);
            shape->ComputeExtent(nullptr);
            shape->Invalidate();
            // Not a number is never drawn; a huge value draws at most what fits the device.
            const int drawn = shape->Draw(nullptr);
            if (std::isnan(bad)) {
                EXPECT_EQ(drawn, 0) << shape->GetClassName().c_str();
            }
            plan.tool.m_fCurrentX = 10.0;
            plan.tool.m_fCurrentY = 10.0;
            shape->HitTest();
            shape->HitTestHandle(nullptr, 10.0, 10.0);
            shape->UpdateSizeInfo(nullptr);
        }
    }
    plan.tool.SetTargetDC(nullptr, nullptr);
}
