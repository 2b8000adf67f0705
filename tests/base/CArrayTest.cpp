#include "platform/base/CArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/base/CByteArray.h"
#include "platform/base/CDWordArray.h"
#include "platform/base/CObArray.h"
#include "platform/base/CPtrArray.h"
#include "platform/base/CString.h"
#include "platform/base/CUIntArray.h"
#include "platform/base/CWordArray.h"
#include "tests/base/ArchiveTestObjects.h"

namespace {

struct Point {
    double x = 0;
    double y = 0;
};

std::vector<int> Values(const CArray<int, int>& array) {
    return std::vector<int>(array.begin(), array.end());
}

}  // namespace

TEST(CArray, GrowsInStepsOfAnEighth) {
    CArray<Point, const Point&> points;
    points.Add(Point{1, 2});
    EXPECT_EQ(points.GetCapacity(), 1);  // an empty array gets exactly the new count

    points.SetSize(3);
    EXPECT_EQ(points.GetCapacity(), 5);  // 1 + a step of 4

    points.RemoveAll();
    points.SetSize(4);
    points[0] = Point{1, 2};
    EXPECT_EQ(points.GetCapacity(), 4);
    points.Add(Point{5, 5});
    EXPECT_EQ(points.GetCapacity(), 8);  // step 4 at the least

    points.SetSize(100);
    points.FreeExtra();
    EXPECT_EQ(points.GetCapacity(), 100);
    points.Add(Point{7, 8});
    EXPECT_EQ(points.GetCapacity(), 112);  // step 100 / 8
    EXPECT_EQ(points[0].x, 1);
    EXPECT_EQ(points[4].x, 5);
    EXPECT_EQ(points[100].y, 8);
    EXPECT_EQ(points[50].x, 0);  // added records are zero

    points.SetSize(9000);
    points.Add(Point{});
    EXPECT_EQ(points.GetCapacity(), 9000 + 1024);  // step 1024 at the most
    points.SetSize(10, 3);
    points.FreeExtra();
    points.SetSize(11);
    EXPECT_EQ(points.GetCapacity(), 13);  // an explicit step

    points.RemoveAll();
    EXPECT_EQ(points.GetCapacity(), 0);
    EXPECT_EQ(points.GetData(), nullptr);
}

TEST(CArray, InsertRemoveAppendAndCopy) {
    CArray<int, int> array;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(array.Add(i * 10), i);
    }
    array.InsertAt(1, 5, 2);
    EXPECT_EQ(Values(array), (std::vector<int>{0, 5, 5, 10, 20, 30, 40}));
    array.RemoveAt(2, 3);
    EXPECT_EQ(Values(array), (std::vector<int>{0, 5, 30, 40}));
    array.InsertAt(6, 9);
    EXPECT_EQ(Values(array), (std::vector<int>{0, 5, 30, 40, 0, 0, 9}));
    array.SetSize(2);
    array.SetSize(4);
    EXPECT_EQ(Values(array), (std::vector<int>{0, 5, 0, 0}));  // shrunk elements come back as zero
    array.SetAt(3, 7);
    array.ElementAt(2) = 6;
    EXPECT_EQ(array.GetAt(3), 7);
    EXPECT_EQ(array.GetUpperBound(), 3);

    CArray<int, int> other;
    other.Add(1);
    EXPECT_EQ(other.Append(array), 1);
    EXPECT_EQ(Values(other), (std::vector<int>{1, 0, 5, 6, 7}));
    other.Append(other);
    EXPECT_EQ(other.GetSize(), 10);
    other.Copy(array);
    EXPECT_EQ(Values(other), Values(array));

    EXPECT_THROW(array.GetAt(4), std::out_of_range);
    EXPECT_THROW(array.RemoveAt(3, 2), std::out_of_range);
    EXPECT_THROW(array.SetSize(-1), std::invalid_argument);

    // Adding an element of the array itself while the block moves.
    CArray<CString, const CString&> names;
    names.Add("Yard");
    names.Add(names[0]);
    names.Add(names[1]);
    EXPECT_EQ(names[2], "Yard");
}

TEST(CArray, TypedArraysAndStoredObjectArrays) {
    CDWordArray dwords;
    dwords.Add(0xFFFFFFFF);
    CUIntArray uints;
    uints.Add(7);
    CWordArray words;
    words.Add(0xFFFF);
    CByteArray bytes;
    bytes.Add(0xB0);
    int target = 0;
    CPtrArray pointers;
    pointers.Add(&target);
    EXPECT_EQ(dwords[0], 0xFFFFFFFFu);
    EXPECT_EQ(uints[0], 7u);
    EXPECT_EQ(words[0], 0xFFFF);
    EXPECT_EQ(bytes[0], 0xB0);
    EXPECT_EQ(pointers[0], &target);

    CTestPoint point;
    point.m_x = 3;
    CObArray objects;
    objects.Add(&point);
    objects.Add(nullptr);
    objects.Add(&point);
    Bytes stored = Store([&](CArchive& ar) { objects.Serialize(ar); });
    ByteWriter expected;
    expected.Word(3).NewClass(1, "CTestPoint").Dword(3).Word(0).Word(0x0002);
    EXPECT_EQ(stored, expected.bytes);

    Loader in(stored);
    CObArray read;
    read.Add(nullptr);
    read.Serialize(in.ar);
    ASSERT_EQ(read.GetSize(), 3);
    std::unique_ptr<CObject> owned(read[0]);
    EXPECT_EQ(static_cast<CTestPoint*>(read[0])->m_x, 3);
    EXPECT_EQ(read[1], nullptr);
    EXPECT_EQ(read[2], read[0]);
}
