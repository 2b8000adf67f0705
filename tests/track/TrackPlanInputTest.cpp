#include <gtest/gtest.h>

#include "track/TrackPlanInput.h"

// The rubber-band tests the track pieces share, on a band in device units.

TEST(TrackPlanInput, TheBandMeetsASegmentByAnEndOrAcrossAndLeavesItsFarEdgesOut) {
    const DeviceRect band{10, 20, 110, 80};
    EXPECT_TRUE(IsEmptyBand(DeviceRect{}));
    EXPECT_FALSE(IsEmptyBand(DeviceRect{0, 0, 0, 1}));
    EXPECT_TRUE(BandHolds(band, CPoint(10, 20)));
    EXPECT_FALSE(BandHolds(band, CPoint(110, 50)));
    EXPECT_FALSE(BandHolds(band, CPoint(50, 80)));
    // One end inside, the other far outside.
    EXPECT_TRUE(BandMeetsSegment(band, CPoint(500, 500), CPoint(50, 50)));
    // Both ends outside, the segment right across.
    EXPECT_TRUE(BandMeetsSegment(band, CPoint(0, 50), CPoint(200, 50)));
    // Beside the band.
    EXPECT_FALSE(BandMeetsSegment(band, CPoint(0, 0), CPoint(200, 0)));
    // World points go to the screen, truncated toward zero; the band back to layout units.
    CTool tool;
    tool.SetViewScale(1.0, 10.0);
    EXPECT_EQ(BandPoint(tool, {1234.0, -56.0}), CPoint(123, -5));
    tool.m_rcRubberBand = DeviceRect{110, 80, 10, 20};
    const DeviceRect layout = BandInLayout(tool);
    EXPECT_EQ(layout.left, 100);
    EXPECT_EQ(layout.top, 200);
    EXPECT_EQ(layout.right, 1100);
    EXPECT_EQ(layout.bottom, 800);
}
