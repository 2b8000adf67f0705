#include <gtest/gtest.h>

#include <vector>

#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "platform/base/CArchiveException.h"
#include "tests/drawing/DrawingPlan.h"

namespace {

using Bytes = std::vector<BYTE>;

void AppendDoubles(Bytes& bytes, std::initializer_list<double> values) {
    for (double value : values) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        bytes.insert(bytes.end(), p, p + 8);
    }
}

// The common part of a record with distinct corner points and the given points; a file
// before version 7 holds no outline points in its array.
Bytes CommonPart(const std::vector<CDoublePoint>& points) {
    CPaint paint;
    paint.m_fCornerX1 = 1.0;
    paint.m_fCornerY1 = 2.0;
    paint.m_fCornerX2 = 5.0;
    paint.m_fCornerY2 = 8.0;
    paint.m_pose = CPose(30.0, 40.0, 0.5);
    for (const CDoublePoint& p : points) paint.m_points.Add(p.x, p.y);
    return StoreRecord(paint);
}

const std::vector<CDoublePoint> kBoxPoints = {{9.0, 9.0}, {0.0, 0.0}, {0.0, 7.0}, {3.0, 7.0}, {3.0, 0.0}};

}  // namespace

TEST(ShapeRecord, BoxesRoundTripAndOlderFilesRebuildTheirCorners) {
    DrawingPlan plan;
    const Bytes record = CommonPart(kBoxPoints);
    CBox box;
    box.SetTool(&plan.tool);
    LoadRecord(box, record);
    EXPECT_EQ(box.m_points[3], (CDoublePoint{3.0, 7.0}));
    // The box writes nothing after the common part.
    EXPECT_EQ(StoreRecord(box), record);
    EXPECT_EQ(record.size(), CommonPart({}).size() + 5 * 16);

    plan.host.m_nFileVersion = 15;
    CBox older;
    older.SetTool(&plan.tool);
    LoadRecord(older, record);
    EXPECT_EQ(older.m_points[1], (CDoublePoint{1.0, 2.0}));
    EXPECT_EQ(older.m_points[2], (CDoublePoint{1.0, 8.0}));
    EXPECT_EQ(older.m_points[3], (CDoublePoint{5.0, 8.0}));
    EXPECT_EQ(older.m_points[4], (CDoublePoint{5.0, 2.0}));
    EXPECT_EQ(older.m_points[0], (CDoublePoint{9.0, 9.0}));

    plan.host.m_nFileVersion = 6;
    CBox oldest;
    oldest.SetTool(&plan.tool);
    LoadRecord(oldest, CommonPart({}));
    ASSERT_EQ(oldest.m_points.GetSize(), CBox::kPointCount);
    EXPECT_EQ(oldest.m_points[3], (CDoublePoint{5.0, 8.0}));
    EXPECT_FALSE(oldest.IsInvalid(0));

    // A current record short of its corners gets them from its stored corner points.
    plan.host.m_nFileVersion = 17;
    CBox broken;
    broken.SetTool(&plan.tool);
    LoadRecord(broken, CommonPart({{1.0, 1.0}}));
    ASSERT_EQ(broken.m_points.GetSize(), CBox::kPointCount);
    EXPECT_EQ(broken.m_points[0], (CDoublePoint{1.0, 1.0}));
    EXPECT_EQ(broken.m_points[2], (CDoublePoint{1.0, 8.0}));
    box.SetTool(nullptr);
    older.SetTool(nullptr);
    oldest.SetTool(nullptr);
    broken.SetTool(nullptr);
}

TEST(ShapeRecord, LinesRoundTripAndOlderFilesGetTheirHandles) {
    DrawingPlan plan;
    Bytes record = CommonPart({{0.0, 0.0}, {10.0, 20.0}, {30.0, 40.0}});
    const size_t common = record.size();
    AppendDoubles(record, {10.0, 20.0, 30.0, 40.0});
    CLine line;
    line.SetTool(&plan.tool);
    LoadRecord(line, record);
    EXPECT_EQ(line.m_ptStart, (CDoublePoint{10.0, 20.0}));
    EXPECT_EQ(line.m_ptEnd, (CDoublePoint{30.0, 40.0}));
    EXPECT_EQ(StoreRecord(line), record);
    EXPECT_EQ(record.size(), common + 32);

    plan.host.m_nFileVersion = 6;
    Bytes older = CommonPart({});
    AppendDoubles(older, {10.0, 20.0, 30.0, 40.0});
    CLine old;
    old.SetTool(&plan.tool);
    LoadRecord(old, older);
    ASSERT_EQ(old.m_points.GetSize(), CLine::kPointCount);
    EXPECT_EQ(old.m_points[2], (CDoublePoint{30.0, 40.0}));

    // A record cut short fails the read.
    plan.host.m_nFileVersion = 17;
    record.resize(record.size() - 4);
    CLine cut;
    cut.SetTool(&plan.tool);
    EXPECT_THROW(LoadRecord(cut, record), CArchiveException);
    line.SetTool(nullptr);
    old.SetTool(nullptr);
    cut.SetTool(nullptr);
}

TEST(ShapeRecord, ClonesCopyTheWholeShape) {
    DrawingPlan plan;
    CLine line(0, &plan.tool, 5.0, 6.0);
    line.m_ptEnd = {70.0, 80.0};
    std::unique_ptr<CPaint> copy(line.Clone());
    auto* clone = dynamic_cast<CLine*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->m_ptEnd, line.m_ptEnd);
    EXPECT_EQ(StoreRecord(*clone), StoreRecord(line));
    CBox box(0, &plan.tool, 1.0, 2.0);
    box.m_points[3] = {4.0, 4.0};
    std::unique_ptr<CPaint> boxCopy(box.Clone());
    ASSERT_NE(dynamic_cast<CBox*>(boxCopy.get()), nullptr);
    EXPECT_EQ(StoreRecord(*static_cast<CBox*>(boxCopy.get())), StoreRecord(box));
}
