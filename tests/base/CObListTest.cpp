#include "platform/base/CObList.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/base/CPtrList.h"
#include "tests/base/ArchiveTestObjects.h"

namespace {

std::vector<int> Forward(const CPtrList& list) {
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        values.push_back(*static_cast<int*>(list.GetNext(pos)));
    }
    return values;
}

std::vector<int> Backward(const CPtrList& list) {
    std::vector<int> values;
    for (POSITION pos = list.GetTailPosition(); pos;) {
        values.push_back(*static_cast<int*>(list.GetPrev(pos)));
    }
    return values;
}

}  // namespace

TEST(CPtrList, OrderInsertionAndRemoval) {
    int v[6] = {0, 1, 2, 3, 4, 5};
    CPtrList list;
    EXPECT_TRUE(list.IsEmpty());
    POSITION two = list.AddTail(&v[2]);
    list.AddHead(&v[1]);
    list.AddTail(&v[4]);
    list.InsertAfter(two, &v[3]);
    list.InsertBefore(list.GetHeadPosition(), &v[0]);
    list.InsertAfter(nullptr, &v[5]);
    EXPECT_EQ(Forward(list), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Backward(list), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(list.GetCount(), 6);

    EXPECT_EQ(list.Find(&v[3]), list.FindIndex(3));
    EXPECT_EQ(list.Find(&v[0], list.GetHeadPosition()), nullptr);
    EXPECT_EQ(list.FindIndex(6), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    list.RemoveAt(two);  // positions of the others stay valid
    POSITION three = list.FindIndex(2);
    EXPECT_EQ(list.GetAt(three), &v[3]);
    list.SetAt(three, &v[2]);
    EXPECT_EQ(list.RemoveHead(), &v[0]);
    EXPECT_EQ(list.RemoveTail(), &v[5]);
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(list.GetHead(), &v[1]);
    EXPECT_EQ(list.GetTail(), &v[4]);

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    EXPECT_THROW(list.RemoveHead(), std::out_of_range);
    list.InsertBefore(nullptr, &v[3]);
    EXPECT_EQ(Forward(list), (std::vector<int>{3}));
}

TEST(CObList, StoresACountThenObjectRecords) {
    CTestPoint first, second;
    first.m_x = 1;
    second.m_x = 2;
    CObList list;
    list.AddTail(&first);
    list.AddTail(nullptr);
    list.AddTail(&second);
    Bytes bytes = Store([&](CArchive& ar) { list.Serialize(ar); });
    ByteWriter expected;
    expected.Word(3).NewClass(1, "CTestPoint").Dword(1).Word(0).Word(0x8001).Dword(2);
    EXPECT_EQ(bytes, expected.bytes);

    Loader in(bytes);
    CObList read;
    read.Serialize(in.ar);
    ASSERT_EQ(read.GetCount(), 3);
    POSITION pos = read.GetHeadPosition();
    CObject* a = read.GetNext(pos);
    EXPECT_EQ(read.GetNext(pos), nullptr);
    CObject* b = read.GetNext(pos);
    EXPECT_EQ(static_cast<CTestPoint*>(a)->m_x, 1);
    EXPECT_EQ(static_cast<CTestPoint*>(b)->m_x, 2);
    delete a;
    delete b;
}
