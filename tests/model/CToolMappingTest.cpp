#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/CTool.h"
#include "model/Geometry.h"
#include "platform/gdi/CDC.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"

namespace {

class CZoomCounter : public CTestObject {
  public:
    using CTestObject::CTestObject;
    void OnZoomChanged(int numerator) override { m_nZoom = numerator; }
    int m_nZoom = -1;
};

}  // namespace

TEST(CToolMapping, ScreenMappingTruncatesTowardZero) {
    CTool tool;
    const CPoint device = tool.LayoutToDevice(1234.0, -56.0, 0);
    EXPECT_EQ(device, CPoint(123, -5));
    EXPECT_EQ(tool.LayoutToDevice(-19.9, 19.9, 1), CPoint(-1, 1));  // no printer: the screen mapping
    const CDoublePoint layout = tool.DeviceToLayout(127.0, -127.0);
    EXPECT_EQ(layout, (CDoublePoint{1270.0, -1270.0}));

    POINT points[] = {{1234, -56}, {-99, 99}};
    tool.LayoutToDevicePoints(points, 2);
    EXPECT_EQ(points[0].x, 123);
    EXPECT_EQ(points[0].y, -5);
    EXPECT_EQ(points[1].x, -9);
    EXPECT_EQ(points[1].y, 9);
    std::vector<CPoint> array{CPoint(2000, -2000)};
    tool.LayoutToDevicePointArray(array);
    EXPECT_EQ(array[0], CPoint(200, -200));
}

TEST(CToolMapping, SetViewScaleStoresTheRatioAndTellsTheMembers) {
    CTool tool;
    CTestHost host(tool);
    CZoomCounter* member = AddToLayout(host, new CZoomCounter(0, &tool, 0.0, 0.0));
    tool.SetViewScale(2.0, 10.0);
    EXPECT_EQ(tool.m_fZoomRatio, 0.2);
    EXPECT_EQ(member->m_nZoom, 2);
    // The handle size in layout units shrinks as the zoom grows.
    EXPECT_DOUBLE_EQ(tool.GetHandleTolerance(), 50.0);
    EXPECT_EQ(tool.LayoutToDevice(1000.0, 0.0, 0), CPoint(200, 0));
}

TEST(CToolMapping, MembersHearOfTheZoomOnlyWhenItsNumeratorChanges) {
    CTool tool;
    CTestHost host(tool);
    CZoomCounter* member = AddToLayout(host, new CZoomCounter(0, &tool, 0.0, 0.0));
    tool.SetViewScale(1.0, 10.0);
    EXPECT_EQ(member->m_nZoom, -1);
    tool.SetViewScale(1.5, 20.0);
    EXPECT_EQ(member->m_nZoom, -1);
    EXPECT_EQ(tool.m_fZoomRatio, 0.075);
    tool.SetViewScale(4.0, 20.0);
    EXPECT_EQ(member->m_nZoom, 4);
    member->m_nZoom = -1;
    tool.SetViewScale(4.0, 40.0);
    EXPECT_EQ(member->m_nZoom, -1);
    EXPECT_EQ(tool.LayoutToDevice(1000.0, 0.0, 0), CPoint(100, 0));
}

TEST(CToolMapping, PrinterMappingOnlyWhenAskedAndPrinting) {
    TestFolder folder;
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC((folder / "page.pdf").string().c_str()));
    ASSERT_TRUE(printer.IsPrinting());
    CTool tool;
    CTestHost host(tool);
    host.m_fPrintScale = 2.0;
    tool.m_fPrintOffsetX = 100.0;
    tool.m_fPrintOffsetY = 50.0;
    tool.SetTargetDC(&printer, nullptr);
    EXPECT_EQ(tool.LayoutToDevice(1000.0, -1000.0, 1), CPoint(400, -450));
    EXPECT_EQ(tool.LayoutToDevice(1000.0, -1000.0, 0), CPoint(100, -100));
    POINT point{1000, -1000};
    tool.LayoutToDevicePoints(&point, 1);  // the array form follows the DC
    EXPECT_EQ(point.x, 400);
    EXPECT_EQ(point.y, -450);
    tool.SetTargetDC(nullptr, nullptr);
}

TEST(CToolMapping, ZoomGuardsFollowTheActiveViewScrollSize) {
    CTool tool;
    CTestHost host(tool);
    EXPECT_EQ(tool.CanZoomIn(), 1);  // no active view
    EXPECT_EQ(tool.CanZoomOut(), 1);
    host.m_nScrollWidth = 15999;
    host.m_nScrollHeight = 400;
    EXPECT_EQ(tool.CanZoomIn(), 1);
    host.m_nScrollWidth = 16000;  // twice would reach 32000
    EXPECT_EQ(tool.CanZoomIn(), 0);
    EXPECT_EQ(tool.CanZoomOut(), 1);
    host.m_nScrollHeight = 200;  // half would be 100
    EXPECT_EQ(tool.CanZoomOut(), 0);
    host.m_nScrollHeight = 201;
    EXPECT_EQ(tool.CanZoomOut(), 1);
}

TEST(Geometry, AngleBetweenIsTheDifferenceOfTheTwoDirections) {
    EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 0, 5, 5, 0), 3.1415926535 / 2.0);
    EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 0, -5, 5, 0), -3.1415926535 / 2.0);
    EXPECT_DOUBLE_EQ(AngleBetween(0, 0, 0, 0, 0, 5), -3.1415926535);       // a zero ray points down
    EXPECT_NEAR(AngleBetween(1, 1, 0, 2, 2, 0), 3.14159265358979, 1e-12);  // not normalised
}

TEST(Geometry, SegmentIntersectsRectCountsTheSidesOnly) {
    const DeviceRect rect{0, 0, 100, 50};
    EXPECT_EQ(SegmentIntersectsRect(-10, 25, 50, 25, rect), 1);
    EXPECT_EQ(SegmentIntersectsRect(10, 10, 90, 40, rect), 0);  // wholly inside
    EXPECT_EQ(SegmentIntersectsRect(-10, -10, 0, 0, rect), 1);  // touches a corner exactly
    EXPECT_EQ(SegmentIntersectsRect(-10, -10, -1, -1, rect), 0);
    EXPECT_EQ(SegmentIntersectsRect(-10, 0, 200, 0, rect), 1);  // along the top: the sides across it count
    EXPECT_EQ(SegmentIntersectsRect(110, -20, 110, 80, rect), 0);
}

TEST(CToolMapping, DeviceConversionsStayWithinTheDeviceRange) {
    CTool tool;
    tool.SetViewScale(1.0, 10.0);
    constexpr int kLargest = kLargestIntCoordinate;
    EXPECT_EQ(tool.LayoutToDevice(1e300, -1e300, 0), CPoint(kLargest, -kLargest));
    EXPECT_EQ(tool.LayoutToDevice(std::nan(""), 1e30, 1), CPoint(0, kLargest));
    EXPECT_EQ(tool.LayoutToDevice(1e300), kLargest);
    EXPECT_EQ(tool.LayoutToDevice(-1e300), -kLargest);
    tool.SetViewScale(1e300, 1.0);
    POINT points[] = {{kLargest, -kLargest}, {0, 1}};
    tool.LayoutToDevicePoints(points, 2);
    EXPECT_EQ(points[0].x, kLargest);
    EXPECT_EQ(points[0].y, -kLargest);
    EXPECT_EQ(points[1].x, 0);
    EXPECT_EQ(points[1].y, kLargest);

    // Rectangles saturate at the edge of the int range.
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    DeviceRect rect{kMin + 2, -1, kMax - 2, 1};
    rect.Inflate(5);
    EXPECT_EQ(rect, (DeviceRect{kMin, -6, kMax, 6}));
    rect.Inflate(-kMax);
    EXPECT_EQ(rect, (DeviceRect{-1, kMax - 6, 0, kMin + 7}));
}
