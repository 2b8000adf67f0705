#include "model/CPointArray.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

CPointArray FullArray(int count) {
    CPointArray points;
    points.SetSize(count);
    EXPECT_EQ(points.GetCapacity(), count);
    return points;
}

}  // namespace

TEST(CPointArray, GrowsInTheFrameworksSteps) {
    CPointArray points;
    EXPECT_EQ(points.GetData(), nullptr);
    EXPECT_EQ(points.Add(1.0, 2.0), 0);
    EXPECT_EQ(points.GetCapacity(), 1);

    CPointArray four = FullArray(4);
    four.Add(5.0, 6.0);
    EXPECT_EQ(four.GetCount(), 5);
    EXPECT_EQ(four.GetCapacity(), 8);

    CPointArray hundred = FullArray(100);
    hundred.Add(0.0, 0.0);
    EXPECT_EQ(hundred.GetCapacity(), 112);

    CPointArray big = FullArray(20000);
    big.Add(0.0, 0.0);
    EXPECT_EQ(big.GetCapacity(), 21024);  // the step stops at 1024

    CPointArray jump = FullArray(4);
    jump.SetSize(30);  // larger than capacity + step
    EXPECT_EQ(jump.GetCapacity(), 30);
}

TEST(CPointArray, KeepsOldPointsAndZeroFillsNewOnes) {
    CPointArray points;
    points.Add(1.5, -2.5);
    points.Add(3.0, 4.0);
    points.SetSize(7);
    EXPECT_EQ(points.GetCapacity(), 9);  // 5 after the second point, then 5 + 4
    EXPECT_EQ(points[0], (CDoublePoint{1.5, -2.5}));
    EXPECT_EQ(points[1], (CDoublePoint{3.0, 4.0}));
    for (int i = 2; i < points.GetCapacity(); ++i) {
        EXPECT_EQ(points.GetData()[i], CDoublePoint{}) << i;
    }

    // Shrinking keeps the block; growing again inside it zero-fills once more.
    points[5] = {9.0, 9.0};
    points.SetSize(3);
    EXPECT_EQ(points.GetCapacity(), 9);
    points.SetSize(6);
    EXPECT_EQ(points[5], CDoublePoint{});

    points.SetAt(2, {8.0, -8.0});
    EXPECT_EQ(points.GetAt(2), (CDoublePoint{8.0, -8.0}));
    EXPECT_EQ(points.GetUpperBound(), 5);

    points.RemoveAll();
    EXPECT_EQ(points.GetCount(), 0);
    EXPECT_EQ(points.GetCapacity(), 0);
    EXPECT_EQ(points.GetData(), nullptr);
}

TEST(CPointArray, ChecksIndexesAndCounts) {
    CPointArray points;
    points.Add(1.0, 1.0);
    EXPECT_THROW(points[1], std::out_of_range);
    EXPECT_THROW(points.GetAt(-1), std::out_of_range);
    EXPECT_THROW(points.SetSize(-1), std::length_error);
    EXPECT_THROW(points.SetSize(CPointArray::kMaxCount + 1), std::length_error);
    EXPECT_EQ(points.GetCount(), 1);
    points.SetSize(0);
    EXPECT_EQ(points.GetData(), nullptr);
}

TEST(CPointArray, CopiesAreIndependent) {
    CPointArray points;
    points.Add(1.0, 2.0);
    points.Add(3.0, 4.0);
    CPointArray copy(points);
    copy[0] = {7.0, 7.0};
    EXPECT_EQ(points[0], (CDoublePoint{1.0, 2.0}));
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_EQ(copy[1], (CDoublePoint{3.0, 4.0}));

    CPointArray assigned;
    assigned.Add(5.0, 5.0);
    assigned = points;
    EXPECT_EQ(assigned.GetCount(), 2);
    EXPECT_EQ(assigned[0], (CDoublePoint{1.0, 2.0}));

    CPointArray moved(std::move(copy));
    EXPECT_EQ(moved[0], (CDoublePoint{7.0, 7.0}));
}
