#include <gtest/gtest.h>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "tests/model/EnginePlan.h"
#include "tests/model/PrintedPage.h"
#include "tests/model/TestLayout.h"

namespace {

// A plan at the starting zoom with one box from (0, 0) to (1000, 500).
struct Plan : EnginePlan {
    Plan() { box = AddToLayout(host, new CTestBox(&tool, 0.0, 0.0, 1000.0, 500.0)); }
    CTestBox* box;
};

// A label of one size at every zoom, hung from the box's top right corner.
class CLabelledBox : public CTestBox {
  public:
    using CTestBox::CTestBox;
    void HangFixedSizeParts() override {
        const CPoint at = m_pTool->LayoutToDevice(1000.0, 500.0, 0);
        HangFixedSizePart({1000.0, 500.0}, at, DeviceRect{at.x - 60, at.y - 30, at.x + 20, at.y});
    }
};

}  // namespace

TEST(HitTest, SelectedBoundsAreInflatedBySevenHandleSizes) {
    Plan plan;
    plan.box->RecalcBounds();
    EXPECT_EQ(plan.box->m_rcBounds, (DeviceRect{-10, -10, 110, 60}));
    plan.box->RecalcDeviceBounds();
    EXPECT_EQ(plan.box->m_rcPaintBounds, (DeviceRect{-10, -10, 110, 60}));
    plan.box->Select();
    EXPECT_EQ(plan.box->m_rcBounds, (DeviceRect{-70, -70, 170, 120}));
    EXPECT_EQ(plan.box->m_rcPaintBounds, (DeviceRect{-70, -70, 170, 120}));
    EXPECT_EQ(plan.tool.DirtyAreaInView(), (DeviceRect{-70, -70, 170, 120}));

    plan.box->InvalidateBounds();
    EXPECT_TRUE(plan.box->m_rcBounds.IsEmpty());
    EXPECT_EQ(plan.tool.m_bRedraw, 1);
}

// The selected box from (0, 0) to (100, 50) in the engine's mapping reaches 200 by 100 at twice the
// zoom; its handles keep their 70 units there and do not double.
TEST(HitTest, AViewAtTwiceTheZoomRepaintsTheHandlesAtTheirOwnSize) {
    Plan plan;
    plan.box->Select();
    EXPECT_EQ(plan.tool.DirtyAreaInView(), (DeviceRect{-70, -70, 170, 120}));
    EXPECT_EQ(plan.tool.DirtyArea().In(CViewMapping(2.0, 10.0)), (DeviceRect{-70, -70, 270, 170}));
}

// The box works its bounds out once, in the engine's mapping; a view at any zoom finds the label in
// the area the box paints there, without the box mapping anything for it.
TEST(HitTest, APartOfOneSizeLiesInTheAreaPaintedAtEveryZoom) {
    EnginePlan plan;
    CPaint* box = AddToLayout(plan.host, new CLabelledBox(&plan.tool, 0.0, 0.0, 1000.0, 500.0));
    box->RecalcDeviceBounds();
    for (double numerator : {0.125, 1.0, 4.0}) {
        const CViewMapping view(numerator, 10.0);
        const CPoint at(static_cast<int>(1000.0 * view.Factor()), static_cast<int>(500.0 * view.Factor()));
        DeviceRect both = box->m_paintArea.In(view);
        both.Unite(DeviceRect{at.x - 60, at.y - 30, at.x + 20, at.y});
        EXPECT_EQ(both, box->m_paintArea.In(view)) << numerator;
    }
}

TEST(HitTest, DrawTestOnScreenAndOnThePrintedPage) {
    Plan plan;
    CTestBox& box = *plan.box;
    box.RecalcDeviceBounds();
    EXPECT_EQ(box.Draw(nullptr), 0);  // no update rectangle
    plan.tool.m_rcUpdate = DeviceRect{100, 50, 200, 80};
    EXPECT_EQ(box.Draw(nullptr), 1);
    plan.tool.m_rcUpdate = DeviceRect{111, 0, 200, 80};
    EXPECT_EQ(box.Draw(nullptr), 0);
    plan.tool.m_rcUpdate = DeviceRect{0, 0, 50, 50};
    plan.tool.m_bLayerShown[0] = 0;
    EXPECT_EQ(box.Draw(nullptr), 0);  // hidden layer
    plan.tool.m_bLayerShown[0] = 1;

    PrintedPage page;
    ASSERT_TRUE(page.Start(plan.tool, plan.host, 2000, 3000));
    plan.tool.m_fPrintOffsetX = 0.0;
    plan.tool.m_fPrintOffsetY = -3000.0;  // the page from (0, 0) up to (2000, 3000)
    EXPECT_EQ(box.Draw(nullptr), 1);
    plan.tool.m_fPrintOffsetX = 1011.0;  // the page starts just beyond the inflated extent
    EXPECT_EQ(box.Draw(nullptr), 0);
    plan.tool.m_fPrintOffsetX = 1009.0;
    EXPECT_EQ(box.Draw(nullptr), 1);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(HitTest, ObjectAndRectangleHitTests) {
    Plan plan;
    CTestBox& box = *plan.box;
    // The tolerance is 100 layout units: the extent grows to (-100, -100) .. (1100, 600).
    plan.tool.m_fCurrentX = -100.0;
    plan.tool.m_fCurrentY = 599.9;
    EXPECT_EQ(box.HitTest(), &box);
    plan.tool.m_fCurrentX = 1100.0;  // right edge exclusive
    EXPECT_EQ(box.HitTest(), nullptr);
    plan.tool.m_fCurrentX = 5000.0;
    EXPECT_EQ(box.HitTestRect(1, 2, 3, 4), 1);  // a band hits a class without a test of its own
    EXPECT_EQ(plan.tool.m_rcRubberBand, DeviceRect{});
    box.m_nLayer = 3;
    plan.tool.m_bLayerShown[3] = 0;
    EXPECT_EQ(box.HitTestRect(1, 2, 3, 4), 0);
}

TEST(HitTest, SegmentHitTest) {
    Plan plan;
    CTestBox& box = *plan.box;
    plan.tool.m_fCurrentX = 0.0;
    plan.tool.m_fCurrentY = 0.0;
    EXPECT_EQ(box.HitTestSegment(nullptr, 0.0, 0.0, 0.0, 0.0), 0);  // zero length
    EXPECT_EQ(box.HitTestSegment(nullptr, -500.0, 50.0, 500.0, 50.0), 1);
    EXPECT_EQ(box.HitTestSegment(nullptr, -500.0, 101.0, 500.0, 101.0), 0);
    EXPECT_EQ(box.HitTestSegment(nullptr, 50.0, -500.0, 50.0, 500.0), 1);
    EXPECT_EQ(box.HitTestSegment(nullptr, -100.0, -100.0, 100.0, 100.0), 1);  // on the diagonal
    EXPECT_EQ(box.HitTestSegment(nullptr, 100.0, 100.0, 200.0, 200.0), 0);    // on its extension
    EXPECT_EQ(box.HitTestSegment(nullptr, -200.0, -200.0, -100.0, -100.0), 0);
    // Through a placement: the object sits at (1000, 0), so the point is at local (-1000, 0).
    box.m_pose = CPose(1000.0, 0.0, 0.0);
    EXPECT_EQ(box.HitTestSegment(nullptr, -1500.0, 0.0, -500.0, 0.0), 1);
}

TEST(HitTest, HandleHitTestNeedsASelectedObject) {
    Plan plan;
    CTestBox& box = *plan.box;
    EXPECT_EQ(box.HitTestHandle(nullptr, 0.0, 500.0), -1);  // exactly on corner 1, but not selected
    box.Select();
    EXPECT_EQ(box.HitTestHandle(nullptr, 0.0, 500.0), 1);
    EXPECT_EQ(box.HitTestHandle(nullptr, 1050.0, -50.0), 3);
    EXPECT_EQ(box.HitTestHandle(nullptr, 500.0, 250.0), -1);
    box.m_points[2] = CDoublePoint{10.0, 480.0};  // closer than the tolerance to corner 1
    EXPECT_EQ(box.HitTestHandle(nullptr, 5.0, 490.0), 1);
}

TEST(HitTest, OrientationAndAnchorHandle) {
    Plan plan;
    CTestBox& box = *plan.box;
    EXPECT_EQ(box.GetOrientation(), 1);
    EXPECT_EQ(box.m_points[0], (CDoublePoint{1200.0, -200.0}));  // two handle sizes beyond corner 3
    const struct {
        CDoublePoint p1, p3;
        int orientation;
        CDoublePoint anchor;
    } cases[] = {
        {{0, 0}, {10, 20}, 2, {210, 220}},
        {{0, 0}, {-10, 20}, 3, {-210, 220}},
        {{0, 0}, {-10, -20}, 4, {-210, -220}},
    };
    for (const auto& c : cases) {
        box.m_points[1] = c.p1;
        box.m_points[3] = c.p3;
        EXPECT_EQ(box.GetOrientation(), c.orientation);
        box.UpdateAnchorPoint();
        EXPECT_EQ(box.m_points[0], c.anchor);
    }
    CTestShape bare(&plan.tool);
    EXPECT_EQ(bare.GetOrientation(), -1);  // too few points
    bare.UpdateAnchorPoint();
}

TEST(HitTest, GridSnapRoundsHalvesAwayFromZero) {
    Plan plan;
    plan.tool.m_nSnapMode = 2;
    CDoublePoint v = plan.box->SnapOffset(1905.0, -1905.0);
    EXPECT_EQ(1905.0 + v.x, 2540.0);
    EXPECT_EQ(-1905.0 + v.y, -2540.0);
    v = plan.box->SnapOffset(1904.0, 0.0);
    EXPECT_EQ(1904.0 + v.x, 1270.0);
    EXPECT_EQ(v.y, 0.0);
}

TEST(HitTest, GridSnapLeavesAnAxisWithoutAPositiveStep) {
    Plan plan;
    plan.tool.m_nSnapMode = 2;
    plan.host.m_nGridWidth = 0;
    plan.host.m_nGridHeight = -1270;
    const CDoublePoint v = plan.box->SnapOffset(1905.0, 1905.0);
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 0.0);
    plan.host.m_nGridHeight = 100;
    EXPECT_EQ(plan.box->SnapOffset(1905.0, 1949.0).y, -49.0);
}

namespace {

class CSnapPoint : public CTestObject {
  public:
    CSnapPoint(CTool* tool, double vx, double vy) : CTestObject(0, tool, 0.0, 0.0), m_vx(vx), m_vy(vy) {}
    void GetSnapPoint(double& vx, double& vy, const CPose*, double, double) override {
        vx = m_vx;
        vy = m_vy;
    }
    double m_vx, m_vy;
};

}  // namespace

TEST(HitTest, ObjectSnapTakesTheShortestVectorOfUnselectedMembers) {
    Plan plan;
    plan.tool.m_nSnapMode = 3;
    EXPECT_EQ(plan.box->SnapOffset(10.0, 10.0), (CDoublePoint{0.0, 0.0}));  // nobody offers one
    AddToLayout(plan.host, new CSnapPoint(&plan.tool, 30.0, 40.0));
    AddToLayout(plan.host, new CSnapPoint(&plan.tool, 0.0, 50.0));  // equal length: the first wins
    CSnapPoint* nearest = AddToLayout(plan.host, new CSnapPoint(&plan.tool, 3.0, 4.0));
    EXPECT_EQ(plan.box->SnapOffset(10.0, 10.0), (CDoublePoint{3.0, 4.0}));
    nearest->Select();
    EXPECT_EQ(plan.box->SnapOffset(10.0, 10.0), (CDoublePoint{0.0, 50.0}));
}
