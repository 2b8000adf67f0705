#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "platform/base/CArchiveException.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutInt(Bytes& bytes, size_t at, int value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

void PutDouble(Bytes& bytes, size_t at, double value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// The offset of a terrain's own fields in its record: what the benchwork part takes.
size_t TerrainFieldsAt(CMount& terrain) {
    CBenchwork bench;
    bench.CopyFrom(&terrain);
    bench.m_bUncheckedOutline = terrain.m_bUncheckedOutline;
    return StoreRecord(bench).size();
}

// Fields after the benchwork part: spacing, elastic, falloff, grid colour, texture scale,
// allow conform, fixed border, then the edit count.
constexpr size_t kSpacingAt = 0;
constexpr size_t kFixedBorderAt = 8 + 8 + 4 + 4 + 8 + 4;
constexpr size_t kEditCountAt = kFixedBorderAt + 4;

}  // namespace

TEST(TerrainRecord, BenchworkRoundTripsAndOlderFilesLeaveTheOutlineUnchecked) {
    TerrainPlan plan;
    auto* bench = plan.Outline<CBenchwork>({{0, 0}, {4000, 0}, {4000, 2500}, {1200, 3100}});
    bench->m_strTexture = "oak.bmp";
    bench->m_fElevation = 812.5;
    bench->m_fThickness = 75.0;
    const Bytes record = StoreRecord(*bench);
    CBenchwork loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, record);
    EXPECT_EQ(StoreRecord(loaded), record);
    EXPECT_EQ(loaded.m_strTexture, "oak.bmp");
    EXPECT_EQ(loaded.m_fElevation, 812.5);
    EXPECT_EQ(loaded.m_bUncheckedOutline, 0);
    // A version-10 file has no switch: the outline is taken unchecked.
    plan.host.m_nFileVersion = 10;
    CBenchwork older;
    older.SetTool(&plan.tool);
    LoadRecord(older, Bytes(record.begin(), record.end() - 4));
    EXPECT_EQ(older.m_bUncheckedOutline, 1);
    EXPECT_EQ(older.m_fThickness, 75.0);
    // Defaults of a benchwork read by name.
    CBenchwork fresh;
    EXPECT_EQ(fresh.m_strTexture, "rcgrass.bmp");
    EXPECT_EQ(fresh.m_fThickness, 100.0);
    EXPECT_EQ(fresh.m_strName, "Benchwork");
    EXPECT_EQ(fresh.m_pen.style, PS_DOT);
}

TEST(TerrainRecord, TerrainStoresTheMergedEditsAndRebuildsItsGridOnLoad) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 4000, 3000));
    const size_t fields = TerrainFieldsAt(*terrain);
    // No edits: the count is the int 0 and nothing follows.
    Bytes empty = StoreRecord(*terrain);
    ASSERT_EQ(empty.size(), fields + kEditCountAt + 4);
    int count = -1;
    std::memcpy(&count, empty.data() + fields + kEditCountAt, 4);
    EXPECT_EQ(count, 0);

    terrain->m_loadedEdits.Append({1000.0f, 1000.0f, 30.0f, 800.0f, 0, 1});
    terrain->m_newEdits.Append({2000.0f, 1500.0f, 12.5f, 600.0f, 1, 1});
    terrain->m_newEdits.Append({2000.0f, 1500.0f, -12.5f, 600.0f, 1, 0});
    terrain->m_newEdits.Append({3000.0f, 1500.0f, -8.0f, 700.0f, 0, 1});
    terrain->m_fGridSpacing = 250.0;
    terrain->m_fTextureScale = 7.0;
    const Bytes record = StoreRecord(*terrain);
    // Two records of 20 bytes: the cancelled pair is gone.
    ASSERT_EQ(record.size(), empty.size() + 40);
    std::memcpy(&count, record.data() + fields + kEditCountAt, 4);
    EXPECT_EQ(count, 2);
    float x = 0.0f;
    std::memcpy(&x, record.data() + fields + kEditCountAt + 4 + 20, 4);
    EXPECT_EQ(x, 3000.0f);

    CMount loaded;
    loaded.SetTool(&plan.tool);
    LoadRecord(loaded, record);
    EXPECT_EQ(StoreRecord(loaded), record);
    ASSERT_EQ(loaded.m_loadedEdits.GetCount(), 2);
    EXPECT_EQ(loaded.m_loadedEdits[1].group, 1);
    EXPECT_EQ(loaded.m_newEdits.GetCount(), 0);
    EXPECT_EQ(loaded.m_fGridSpacing, 250.0);
    EXPECT_EQ(loaded.m_nInteriorCount, 15 * 11);
    terrain->m_loadedEdits.RemoveAll();
    terrain->m_loadedEdits.Append({1000.0f, 1000.0f, 30.0f, 800.0f, 0, 1});
    terrain->m_loadedEdits.Append({3000.0f, 1500.0f, -8.0f, 700.0f, 0, 1});
    terrain->m_newEdits.RemoveAll();
    terrain->RebuildGrid();
    EXPECT_EQ(TerrainPlan::Heights(loaded), TerrainPlan::Heights(*terrain));

    // A version-10 terrain has no fixed-border field and keeps the constructor's 1.
    terrain->m_bFixedBorder = 0;
    Bytes older = StoreRecord(*terrain);
    older.erase(older.begin() + static_cast<long>(fields + kFixedBorderAt),
                older.begin() + static_cast<long>(fields + kFixedBorderAt + 4));
    // Nor has its benchwork part the switch.
    older.erase(older.begin() + static_cast<long>(fields - 4), older.begin() + static_cast<long>(fields));
    plan.host.m_nFileVersion = 10;
    CMount version10;
    version10.SetTool(&plan.tool);
    LoadRecord(version10, older);
    EXPECT_EQ(version10.m_bFixedBorder, 1);
    EXPECT_EQ(version10.m_fTextureScale, 7.0);
}

TEST(TerrainRecord, BadEditCountsAndValuesFailTheReadAndLeaveTheEditsAlone) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 2000, 2000));
    terrain->m_newEdits.Append({500.0f, 500.0f, 3.0f, 400.0f, 0, 1});
    const Bytes good = StoreRecord(*terrain);
    const size_t fields = TerrainFieldsAt(*terrain);
    auto fails = [&plan](const Bytes& bytes) {
        CMount target;
        target.SetTool(&plan.tool);
        target.m_loadedEdits.Append({1.0f, 2.0f, 3.0f, 4.0f, 0, 1});
        EXPECT_THROW(LoadRecord(target, bytes), CArchiveException);
        EXPECT_EQ(target.m_loadedEdits.GetCount(), 1);
    };
    Bytes negative = good;
    PutInt(negative, fields + kEditCountAt, -1);
    fails(negative);
    Bytes tooMany = good;
    PutInt(tooMany, fields + kEditCountAt, 2);
    fails(tooMany);
    Bytes huge = good;
    PutInt(huge, fields + kEditCountAt, std::numeric_limits<int>::max());
    fails(huge);
    Bytes zeroSpacing = good;
    PutDouble(zeroSpacing, fields + kSpacingAt, 0.0);
    fails(zeroSpacing);
    Bytes notANumber = good;
    PutDouble(notANumber, fields + kSpacingAt, std::numeric_limits<double>::quiet_NaN());
    fails(notANumber);
    // A spacing far too fine for any grid reads, held to the least the properties page allows.
    Bytes fine = good;
    PutDouble(fine, fields + kSpacingAt, 1e-300);
    CMount held;
    held.SetTool(&plan.tool);
    LoadRecord(held, fine);
    EXPECT_EQ(held.m_fGridSpacing, CMount::kSmallestSpacing);
    EXPECT_EQ(held.m_nInteriorCount, 13 * 13);
    Bytes badRecord = good;
    const float infinite = std::numeric_limits<float>::infinity();
    std::memcpy(badRecord.data() + fields + kEditCountAt + 4 + 8, &infinite, 4);
    fails(badRecord);
}
