#include <gtest/gtest.h>

#include <vector>

#include "drawing/CRoundBox.h"
#include "model/CToolMode.h"
#include "platform/base/CArchive.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

struct RoundPlan {
    RoundPlan() : canvas(300, 200) { plan.DrawOn(canvas); }
    ~RoundPlan() { plan.tool.SetTargetDC(nullptr, nullptr); }
    CRoundBox* Draw(double x1, double y1, double x3, double y3) {
        plan.tool.m_toolMode.Set(kToolRoundBox);
        plan.Drag(x1, y1, x3, y3);
        plan.tool.m_toolMode.Set(kToolSelector);
        CRoundBox* box = plan.Newest<CRoundBox>();
        if (box != nullptr) {
            box->RecalcDeviceBounds();
            box->Draw(nullptr);
        }
        return box;
    }
    DrawingPlan plan;
    Canvas canvas;
};

std::vector<CDoublePoint> PointsOf(const CPaint& shape) {
    std::vector<CDoublePoint> points;
    for (int i = 0; i < shape.m_points.GetSize(); ++i) points.push_back(shape.m_points[i]);
    return points;
}

}  // namespace

TEST(RoundBox, ARadiusOfAQuarterOfTheShorterSideThatScalesWithTheBox) {
    RoundPlan round;
    CRoundBox* box = round.Draw(0.0, 0.0, 100.0, 40.0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetClassName(), "CRoundBox");
    EXPECT_EQ(box->m_points.GetSize(), CRoundBox::kRoundPointCount);
    EXPECT_DOUBLE_EQ(box->m_fRadius, 10.0);
    EXPECT_DOUBLE_EQ(box->EffectiveRadius(), 10.0);
    EXPECT_EQ(box->m_nSampleCount, 189);
    // Corner 3 to (200, 40): the radius scales to 20, the status keeps the radius as set.
    box->MoveBoxCorner(3, 200.0, 40.0, nullptr);
    EXPECT_DOUBLE_EQ(box->EffectiveRadius(), 20.0);
    box->UpdateSizeInfo(nullptr);
    EXPECT_EQ(round.plan.tool.m_status.m_nKind, 11);
    EXPECT_EQ(round.plan.tool.m_status.m_strMeasure[6], "1.000");
    // A radius of zero still samples 189 points, the arcs collapsed on the corners.
    box->m_fRadius = 0.0;
    box->Draw(nullptr);
    EXPECT_EQ(box->m_nSampleCount, 189);
}

TEST(RoundBox, RadiusDragsAreClampedAndUndoGivesTheRadiusBack) {
    RoundPlan round;
    CRoundBox* box = round.Draw(1000.0, 1000.0, 3000.0, 2000.0);
    ASSERT_NE(box, nullptr);
    box->SelectWithUndo(0, 0);
    box->Draw(nullptr);
    const double radius = box->m_fRadius;
    EXPECT_DOUBLE_EQ(radius, 250.0);
    const std::vector<CDoublePoint> before = PointsOf(*box);
    round.plan.host.m_bModified = FALSE;
    // Point 12 on the side next to corner 1, dragged along it: the radius follows.
    const CDoublePoint marker = box->LocalToWorld(box->m_points[12].x, box->m_points[12].y);
    round.plan.Drag(marker.x, marker.y, marker.x + 200.0, marker.y);
    EXPECT_DOUBLE_EQ(box->m_fRadius, 450.0);
    EXPECT_TRUE(round.plan.host.m_bModified);
    round.plan.tool.Undo();
    EXPECT_DOUBLE_EQ(box->m_fRadius, radius);
    // Beyond the middle the radius clamps to half the shorter side; outside the box to 0.
    box->SelectWithUndo(0, 0);
    box->Draw(nullptr);
    round.plan.Drag(marker.x, marker.y, marker.x + 5000.0, marker.y);
    EXPECT_DOUBLE_EQ(box->m_fRadius, 500.0);
    round.plan.tool.Undo();
    box->SelectWithUndo(0, 0);
    box->Draw(nullptr);
    round.plan.Drag(marker.x, marker.y, 500.0, marker.y);
    EXPECT_DOUBLE_EQ(box->m_fRadius, 0.0);
    round.plan.tool.Undo();
    EXPECT_DOUBLE_EQ(box->m_fRadius, radius);
    box->Draw(nullptr);
    EXPECT_EQ(PointsOf(*box), before);
}

TEST(RoundBox, FilledHitsInsideTheArcsButNotInTheCutCorners) {
    RoundPlan round;
    CRoundBox* box = round.Draw(0.0, 0.0, 2000.0, 1000.0);
    ASSERT_NE(box, nullptr);
    box->m_bFillOn = 1;
    auto hitAt = [&](double x, double y) {
        round.plan.tool.m_fCurrentX = x;
        round.plan.tool.m_fCurrentY = y;
        return box->HitTest() != nullptr;
    };
    EXPECT_TRUE(hitAt(1000.0, 500.0));
    EXPECT_TRUE(hitAt(150.0, 150.0));
    // The corner's cut-off region, beyond the outline tolerance of the arc.
    box->m_fRadius = 500.0;
    box->MeasureShape();  // as the edit that sets the radius does
    EXPECT_FALSE(hitAt(5.0, 5.0));
    EXPECT_TRUE(hitAt(150.0, 150.0));
    box->m_bFillOn = 0;
    EXPECT_FALSE(hitAt(1000.0, 500.0));
    EXPECT_TRUE(hitAt(1000.0, 30.0));
    // A handle size read from a damaged layout, far beyond what a whole number holds: every
    // point near the outline hits, and nothing overflows.
    round.plan.tool.m_fHandleSize = 1e30;
    EXPECT_TRUE(hitAt(5.0, 5.0));
}

TEST(RoundBox, RecordsRoundTripAndDrawingLeavesThePrintedCacheAlone) {
    RoundPlan round;
    CRoundBox* box = round.Draw(0.0, 0.0, 1000.0, 400.0);
    ASSERT_NE(box, nullptr);
    const std::vector<BYTE> bytes = StoreRecord(*box);
    CRoundBox read;
    read.SetTool(&round.plan.tool);
    LoadRecord(read, bytes);
    EXPECT_DOUBLE_EQ(read.m_fRadius, 100.0);
    EXPECT_DOUBLE_EQ(read.m_fReferenceX3, 1000.0);
    EXPECT_EQ(StoreRecord(read), bytes);
    EXPECT_EQ(bytes.size(), CommonPartSize(*box) + 5 * 8);
    read.SetTool(nullptr);
    // The drawn outline is where the pixels are.
    EXPECT_EQ(round.canvas.At(50, 0), box->m_pen.color);
}

// A rescaled box is saved as it will next be drawn: the drawing changes no stored value.
TEST(RoundBox, ARescaleLeavesTheNextDrawingNothingToChange) {
    RoundPlan round;
    CRoundBox* box = round.Draw(0.0, 0.0, 100.0, 40.0);
    ASSERT_NE(box, nullptr);
    box->TrackCreate(nullptr, -1);
    box->RescaleWithUndo(nullptr, 1000.0, 0);
    const std::vector<BYTE> rescaled = StoreRecord(*box);
    box->Draw(nullptr);
    EXPECT_EQ(StoreRecord(*box), rescaled);
}
