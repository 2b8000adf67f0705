#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "model/CPointArray.h"
#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CPointArray& points) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    points.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void Load(CPointArray& points, const Bytes& bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    points.Serialize(ar);
}

void AppendLittleEndian(Bytes& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
}

void AppendDouble(Bytes& bytes, double value) {
    AppendLittleEndian(bytes, std::bit_cast<std::uint64_t>(value), 8);
}

}  // namespace

TEST(CPointArrayStorage, StoresTheCountThenRawRecords) {
    CPointArray empty;
    EXPECT_EQ(Store(empty), (Bytes{0x00, 0x00}));

    CPointArray points;
    points.Add(1.5, -2.0);
    points.Add(1e-300, 12345.678);
    Bytes expected{0x02, 0x00};
    for (double value : {1.5, -2.0, 1e-300, 12345.678}) {
        AppendDouble(expected, value);
    }
    EXPECT_EQ(Store(points), expected);

    CPointArray loaded;
    Load(loaded, expected);
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetCapacity(), 2);
    EXPECT_EQ(loaded[0], (CDoublePoint{1.5, -2.0}));
    EXPECT_EQ(loaded[1], (CDoublePoint{1e-300, 12345.678}));
    EXPECT_EQ(Store(loaded), expected);

    Load(loaded, Bytes{0x00, 0x00});
    EXPECT_EQ(loaded.GetCount(), 0);
    EXPECT_EQ(loaded.GetData(), nullptr);
}

TEST(CPointArrayStorage, LargeCountsTakeTheEscapedForm) {
    for (int count : {65534, 65535, 70000}) {
        CPointArray points;
        points.SetSize(count);
        points[count - 1] = {3.0, 4.0};
        const Bytes bytes = Store(points);
        if (count < 65535) {
            ASSERT_EQ(bytes.size(), 2 + 16u * count);
            EXPECT_EQ(bytes[0] | bytes[1] << 8, count);
        } else {
            ASSERT_EQ(bytes.size(), 6 + 16u * count);
            EXPECT_EQ(bytes[0], 0xFF);
            EXPECT_EQ(bytes[1], 0xFF);
            EXPECT_EQ(bytes[2] | bytes[3] << 8 | bytes[4] << 16 | bytes[5] << 24, count);
        }
        CPointArray loaded;
        Load(loaded, bytes);
        ASSERT_EQ(loaded.GetCount(), count);
        EXPECT_EQ(loaded[count - 1], (CDoublePoint{3.0, 4.0}));
        EXPECT_EQ(loaded[0], CDoublePoint{});
    }
}

TEST(CPointArrayStorage, ReadingGrowsAnExistingBlockInSteps) {
    CPointArray points;
    points.SetSize(4);
    Bytes bytes{0x05, 0x00};
    for (int i = 0; i < 10; ++i) {
        AppendDouble(bytes, i);
    }
    Load(points, bytes);
    EXPECT_EQ(points.GetCount(), 5);
    EXPECT_EQ(points.GetCapacity(), 8);
    EXPECT_EQ(points[4], (CDoublePoint{8.0, 9.0}));
    EXPECT_EQ(points.GetData()[5], CDoublePoint{});
}

TEST(CPointArrayStorage, RefusesCountsTheFileCannotHold) {
    CPointArray stored;
    stored.Add(1.0, 2.0);
    stored.Add(3.0, 4.0);
    Bytes truncated = Store(stored);
    truncated.pop_back();

    Bytes lying{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};  // two thousand million points
    AppendDouble(lying, 1.0);
    AppendDouble(lying, 2.0);

    Bytes justTooBig{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x08};  // one more than the largest count
    Bytes noCount{0x01};

    for (const Bytes& bad : {truncated, lying, justTooBig, noCount}) {
        CPointArray points;
        points.Add(7.0, 8.0);
        try {
            Load(points, bad);
            ADD_FAILURE() << "a bad stream was read";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        }
        // Nothing was allocated or changed for the bad count.
        EXPECT_EQ(points.GetCount(), 1);
        EXPECT_EQ(points.GetCapacity(), 1);
        EXPECT_EQ(points[0], (CDoublePoint{7.0, 8.0}));
    }
}
