#include <gtest/gtest.h>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "tests/model/TestLayout.h"
#include "tests/ui/ControlParentTest.h"
#include "ui/CObjectPreviewWnd.h"

namespace {

constexpr COLORREF kShape = RGB(200, 0, 0);

// An object whose extent is (0,0)-(400,100) and whose drawing fills that extent and notes the
// mapping it was drawn with.
class CStandIn : public CPaint {
  public:
    void ComputeExtent(const CPose*) override {
        m_fMinX = 0.0;
        m_fMinY = 0.0;
        m_fMaxX = 400.0;
        m_fMaxY = 100.0;
    }
    int Draw(const CPose*) override {
        CDC* dc = m_pTool->GetTargetDC();
        windowExtent = dc->GetWindowExt();
        viewportExtent = dc->GetViewportExt();
        windowOrigin = dc->GetWindowOrg();
        endLabels = m_pTool->m_track.endLabels;
        selectedWhileDrawn = IsSelected();
        const CRect extent(0, 0, 400, 100);
        dc->FillSolidRect(&extent, kShape);
        return 1;
    }
    CSize windowExtent, viewportExtent;
    CPoint windowOrigin;
    int endLabels = 0;
    int selectedWhileDrawn = -1;
};

class ObjectPreviewWndTest : public ControlParentTest {
  protected:
    void SetUp() override {
        ControlParentTest::SetUp();
        tool.SetViewScale(1.0, 1.0);
        object.SetTool(&tool);
        object.m_pose = CPose{30.0, 40.0, 0.5};
        object.Select();
        ASSERT_TRUE(preview.Create("", WS_CHILD | WS_VISIBLE, CRect(50, 50, 270, 220), &parent, 100));
        preview.SetObject(&object);
    }
    CTool tool;
    CTestHost layout{tool};
    CStandIn object;
    CObjectPreviewWnd preview;
};

}  // namespace

TEST_F(ObjectPreviewWndTest, CentresTheExtentAndLeavesObjectAndEngineAsTheyWere) {
    CDC planDC;
    planDC.CreateCompatibleDC(nullptr);
    tool.SetTargetDC(&planDC, nullptr);
    tool.m_rcUpdate = DeviceRect{1, 2, 3, 4};

    const COLORREF middle = PixelOf(preview, CPoint(110, 85));

    EXPECT_EQ(object.windowExtent, CSize(400, -100));
    // The isotropic mapping narrows the asked (200, 150) to the extent's proportions.
    EXPECT_EQ(object.viewportExtent, CSize(200, 50));
    EXPECT_EQ(object.windowOrigin, CPoint(-20, 220));
    EXPECT_EQ(object.endLabels, 1);
    EXPECT_EQ(object.selectedWhileDrawn, 0);
    EXPECT_EQ(middle, kShape);
    EXPECT_EQ(PixelOf(preview, CPoint(12, 62)), kShape);
    EXPECT_EQ(PixelOf(preview, CPoint(207, 107)), kShape);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(PixelOf(preview, CPoint(7, 85)), window);
    EXPECT_EQ(PixelOf(preview, CPoint(213, 85)), window);
    EXPECT_EQ(PixelOf(preview, CPoint(110, 57)), window);
    EXPECT_EQ(PixelOf(preview, CPoint(110, 113)), window);

    EXPECT_TRUE(object.IsSelected());
    EXPECT_EQ(object.m_pose.x, 30.0);
    EXPECT_EQ(object.m_pose.y, 40.0);
    EXPECT_EQ(object.m_pose.angle, 0.5);
    EXPECT_EQ(tool.GetTargetDC(), &planDC);
    EXPECT_EQ(tool.GetAttribDC(), &planDC);
    EXPECT_EQ(tool.m_rcUpdate.left, 1);
    EXPECT_EQ(tool.m_rcUpdate.bottom, 4);
    EXPECT_EQ(tool.m_track.endLabels, 0);
}

TEST_F(ObjectPreviewWndTest, APreviewNoWiderOrHigherThanItsMarginsShowsOnlyItsBackground) {
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (const CSize size : {CSize(20, 100), CSize(100, 20), CSize(12, 8)}) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        object.selectedWhileDrawn = -1;
        preview.MoveWindow(CRect(CPoint(50, 50), size));
        preview.Invalidate();
        EXPECT_EQ(PixelOf(preview, CPoint(size.cx / 2, size.cy / 2)), window);
        EXPECT_EQ(object.selectedWhileDrawn, -1);
        EXPECT_TRUE(object.IsSelected());
        EXPECT_EQ(object.m_pose.angle, 0.5);
    }
}
