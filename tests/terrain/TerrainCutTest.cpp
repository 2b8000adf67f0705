#include <gtest/gtest.h>

#include <cmath>

#include "model/CConformingObject.h"
#include "platform/r3d/Clump.h"
#include "tests/terrain/TerrainPlan.h"

namespace {

// A 3D object as the terrain sees it: a footprint box (points 1 and 3), an elevation, an
// exclude switch and its list of terrains.
class CStandIn : public CPaint, public CConformingObject {
  public:
    CStandIn(CTool* tool, double x1, double y1, double x2, double y2, double elevation)
        : CPaint(0, tool, 0.0, 0.0), elevation(elevation) {
        m_points.SetSize(5);
        m_points[1] = {x1, y2};
        m_points[3] = {x2, y1};
    }
    double GetStandingElevation() override { return elevation; }
    BOOL IsExcludedFromConforming() override { return excluded; }
    std::vector<CPaint*>& GetCutTerrains() override { return terrains; }
    double elevation;
    BOOL excluded = FALSE;
    std::vector<CPaint*> terrains;
};

// The vertical coordinate of every vertex of the terrain's mesh.
std::vector<float> MeshHeights(const CMount& terrain) {
    std::vector<float> heights;
    if (terrain.m_hModel != nullptr)
        for (const r3d::Vertex& v : terrain.m_hModel->Vertices()) heights.push_back(v.position.y);
    return heights;
}

struct CutPlan : TerrainPlan {
    CutPlan() {
        Open3D();
        terrain = Terrain(Rectangle(0, 0, 20000, 10000));
        defaults->m_fRoadbedHeight = 30.0;
    }
    CTrack* Piece(double y, double elevation, int style) {
        CTrack* piece = Straight(2000.0, y, 18000.0, y);
        piece->m_fBeginElevation = piece->m_fEndElevation = elevation;
        piece->m_nStyle = style;
        piece->m_fTunnelWidth = 300.0;
        piece->m_fTunnelHeight = 400.0;
        return piece;
    }
    CMount* terrain = nullptr;
};

}  // namespace

TEST(TrackOnBase, TrackEndsTakeTheHighestTopOnTheirLayerAndUndoPutsThemBack) {
    TerrainPlan plan;
    auto* high = plan.Outline<CBenchwork>(Rectangle(0, 0, 3000, 2000));
    high->m_fElevation = 120.0;
    auto* low = plan.Outline<CBenchwork>(Rectangle(-1000, -1000, 2000, 3000));
    low->m_fElevation = 80.0;
    auto* other = plan.Outline<CBenchwork>(Rectangle(4000, 0, 9000, 2000));
    other->m_fElevation = 500.0;
    other->m_nLayer = 1;
    plan.defaults->m_fRoadbedHeight = 25.0;
    CTrack* piece = plan.Straight(1000.0, 1000.0, 6000.0, 1000.0);
    piece->m_fBeginElevation = 7.0;
    piece->m_fEndElevation = 9.0;
    piece->Select();
    plan.tool.ConformTracksToTerrain();
    EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 25.0 + 120.0);
    // Over benchwork of another layer only: the roadbed height.
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 25.0);
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 7.0);
    EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 9.0);
    // Over a terrain the end takes the ground's height there.
    CMount* terrain = plan.Terrain(Rectangle(5000, -2000, 12000, 4000));
    terrain->m_nLayer = 0;
    terrain->m_newEdits.Append({6000.0f, 1000.0f, 100.0f, 2000.0f, 0, 1});
    terrain->RebuildGrid();
    piece->PlaceOnBase();
    EXPECT_NEAR(piece->m_fEndElevation, 25.0 + 118.0, 1e-4);
}

// Conforming the selected pieces is one command: one Undo takes back their heights and
// leaves the move before it.
TEST(TrackOnBase, OneUndoTakesBackOnlyTheConforming) {
    TerrainPlan plan;
    plan.Outline<CBenchwork>(Rectangle(0, 0, 9000, 2000))->m_fElevation = 120.0;
    plan.defaults->m_fRoadbedHeight = 0.0;
    CTrack* first = plan.Straight(1000.0, 1000.0, 3000.0, 1000.0);
    CTrack* second = plan.Straight(4000.0, 1000.0, 6000.0, 1000.0);
    for (CTrack* piece : {first, second}) {
        piece->m_fBeginElevation = 7.0;
        piece->m_fEndElevation = 9.0;
        piece->Select();
    }
    const double startX = first->m_pose.x;
    plan.tool.MoveSelection(500.0, 0.0, 0, 1, 1);
    plan.tool.ConformTracksToTerrain();
    ASSERT_DOUBLE_EQ(second->m_fEndElevation, 120.0);
    plan.tool.Undo();
    for (CTrack* piece : {first, second}) {
        EXPECT_DOUBLE_EQ(piece->m_fBeginElevation, 7.0);
        EXPECT_DOUBLE_EQ(piece->m_fEndElevation, 9.0);
    }
    EXPECT_DOUBLE_EQ(first->m_pose.x, startX + 500.0);
    plan.tool.Undo();
    EXPECT_DOUBLE_EQ(first->m_pose.x, startX);
}

TEST(TerrainHeight, HeightsComeFromThePlaneOfTheNearestKnotsOrTheirFallback) {
    TerrainPlan plan;
    CMount* terrain = plan.Terrain(Rectangle(0, 0, 5000, 5000));
    EXPECT_DOUBLE_EQ(terrain->GetHeightAt(2300.0, 2100.0), 18.0);
    terrain->m_newEdits.Append({2500.0f, 2500.0f, 100.0f, 1000.0f, 0, 1});
    terrain->RebuildGrid();
    // Half way between the raised centre knot and its neighbour.
    EXPECT_NEAR(terrain->GetHeightAt(2750.0, 2500.0), 18.0 + 75.0, 1e-4);
    // On a knot: the plane through it is its own height, without dividing by zero.
    EXPECT_NEAR(terrain->GetHeightAt(2500.0, 2500.0), 118.0, 1e-4);
    // Far outside: no knot within reach, the base elevation.
    EXPECT_DOUBLE_EQ(terrain->GetHeightAt(90000.0, 2500.0), 18.0);
    // A terrain of three knots in a line has no plane: the nearest knot answers.
    CMount* line = plan.Terrain({{0, 0}, {200, 0}, {400, 0}});
    line->Grid()[1].z = 40.0f;
    const double h = line->GetHeightAt(205.0, 0.0);
    EXPECT_TRUE(std::isfinite(h));
    EXPECT_DOUBLE_EQ(h, 40.0);
}

TEST(TerrainCut, ConformCutsFillsAndRestoreGivesTheGroundBackExactly) {
    CutPlan plan;
    plan.tool.ConformTerrain();
    ASSERT_NE(plan.terrain->m_hModel, nullptr);
    EXPECT_EQ(plan.terrain->m_hModel->Tag(), CMount::kMeshTag);
    const std::vector<float> knots = TerrainPlan::Heights(*plan.terrain);
    const std::vector<float> ground = MeshHeights(*plan.terrain);

    CTrack* cut = plan.Piece(3000.0, 18.0 + 30.0 - 10.0, 0);
    CTrack* fill = plan.Piece(7000.0, 18.0 + 30.0 + 60.0, 0);
    CTrack* bridge = plan.Piece(5000.0, 300.0, 1);
    plan.tool.ConformTerrain();
    EXPECT_EQ(plan.tool.m_bTerrainConformed, 1);
    EXPECT_EQ(TerrainPlan::Heights(*plan.terrain), knots);
    ASSERT_EQ(plan.terrain->m_trackCuts.size(), 3u);
    const CTrackBedCut& cutRecord = plan.terrain->GetTrackCut(cut);
    const CTrackBedCut& fillRecord = plan.terrain->GetTrackCut(fill);
    EXPECT_TRUE(plan.terrain->GetTrackCut(bridge).changes.empty());
    ASSERT_FALSE(cutRecord.changes.empty());
    ASSERT_FALSE(fillRecord.changes.empty());
    // The bed's foot: the elevation less the roadbed, below the base taken from the base.
    for (const CKnotChange& change : cutRecord.changes) {
        const bool border = change.index >= plan.terrain->InnerKnotCount();
        if (!border) {
            EXPECT_FLOAT_EQ(change.height, 18.0f + (18.0f - 10.0f)) << change.index;
        }
    }
    for (const CKnotChange& change : fillRecord.changes) EXPECT_FLOAT_EQ(change.height, 78.0f);
    EXPECT_EQ(cut->m_cutTerrain, std::vector<CPaint*>{plan.terrain});
    EXPECT_EQ(fill->m_cutTerrain, std::vector<CPaint*>{plan.terrain});
    EXPECT_NE(MeshHeights(*plan.terrain), ground);
    // The mesh moved the changed knots to their bed heights.
    const int knot = fillRecord.changes.front().index;
    EXPECT_FLOAT_EQ(plan.terrain->m_hModel->Vertices()[static_cast<size_t>(knot)].position.y,
                    78.0f / 1000.0f);

    // Conforming again gives the same records.
    const std::vector<CKnotChange> before = fillRecord.changes;
    plan.tool.ConformTerrain();
    const std::vector<CKnotChange>& again = plan.terrain->GetTrackCut(fill).changes;
    ASSERT_EQ(again.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(again[i].index, before[i].index);
        EXPECT_EQ(again[i].height, before[i].height);
    }

    plan.tool.RestoreTerrain();
    EXPECT_EQ(plan.tool.m_bTerrainConformed, 0);
    EXPECT_TRUE(plan.terrain->m_trackCuts.empty());
    EXPECT_TRUE(cut->m_cutTerrain.empty());
    EXPECT_TRUE(fill->m_cutTerrain.empty());
    EXPECT_EQ(TerrainPlan::Heights(*plan.terrain), knots);
    EXPECT_EQ(MeshHeights(*plan.terrain), ground);
}

TEST(TerrainCut, ATunnelUnderAHillKeepsTheHillAndBuildsItsTube) {
    CutPlan plan;
    plan.terrain->m_newEdits.Append({10000.0f, 5000.0f, 2000.0f, 6000.0f, 1, 1});
    plan.terrain->RebuildGrid();
    CTrack* tunnel = plan.Piece(5000.0, 18.0 + 30.0, 2);
    plan.tool.ConformTerrain();
    const CTrackBedCut& record = plan.terrain->GetTrackCut(tunnel);
    ASSERT_FALSE(record.sections.empty());
    int runs = 0;
    for (int run : record.runs) runs += run;
    EXPECT_EQ(runs, static_cast<int>(record.sections.size()));
    // Under the hill's top the knots stay where they are.
    const int top = plan.terrain->m_nCentreKnot;
    for (const CKnotChange& change : record.changes)
        if (change.index == top) {
            EXPECT_FLOAT_EQ(change.height, plan.terrain->Grid()[top].z);
        }
    // Every cross-section stands across the track, tunnel height above the bed.
    for (const CTunnelSection& section : record.sections) {
        EXPECT_NEAR(section[0].height - section[3].height, 400.0f, 1e-3f);
        EXPECT_NEAR(std::hypot(section[0].x - section[1].x, section[0].y - section[1].y), 600.0, 1e-2);
    }
    ASSERT_NE(plan.terrain->m_hModel, nullptr);
    EXPECT_EQ(plan.terrain->m_hModel->VertexCount(),
              plan.terrain->Grid().GetSize() + 4 * static_cast<int>(record.sections.size()));
}

TEST(TerrainCut, DetachingAPieceEmptiesItsListAndADestroyedTerrainLeavesEveryList) {
    CutPlan plan;
    CTrack* fill = plan.Piece(7000.0, 200.0, 0);
    plan.tool.ConformTerrain();
    ASSERT_EQ(fill->m_cutTerrain.size(), 1u);
    fill->DetachFromTerrain();
    EXPECT_TRUE(fill->m_cutTerrain.empty());
    EXPECT_TRUE(plan.terrain->m_trackCuts.empty());
    // A piece wholly outside the terrain leaves no record and no list entry.
    CTrack* away = plan.Straight(50000.0, 0.0, 60000.0, 0.0);
    plan.terrain->CutTrackBed(away, 1);
    EXPECT_TRUE(away->m_cutTerrain.empty());
    EXPECT_TRUE(plan.terrain->m_trackCuts.empty());

    plan.tool.ConformTerrain();
    ASSERT_EQ(fill->m_cutTerrain.size(), 1u);
    plan.host.DetachFromGroup(plan.terrain);
    delete plan.terrain;
    EXPECT_TRUE(fill->m_cutTerrain.empty());
    // The piece is built whole again, not as a bridge over nothing.
    EXPECT_EQ(fill->Update3D(nullptr), 1);
}

TEST(TerrainCut, ObjectsLevelTheGroundUnderThemUnlessExcluded) {
    CutPlan plan;
    CStandIn object(&plan.tool, 4100.0, 4100.0, 5900.0, 4900.0, 250.0);
    plan.terrain->CutUnderObject(&object);
    const CObjectCut& record = plan.terrain->GetObjectCut(&object);
    // The footprint widened by a grid step, 3600 to 6400 by 3600 to 5400: columns 8 to 12,
    // rows 8 to 10.
    ASSERT_EQ(record.changes.size(), 5u * 3u);
    for (const CKnotChange& change : record.changes) {
        EXPECT_FLOAT_EQ(change.height, 250.0f);
        EXPECT_GE(change.x, 8.0f);
        EXPECT_LE(change.x, 12.0f);
        EXPECT_GE(change.y, 8.0f);
        EXPECT_LE(change.y, 10.0f);
    }
    EXPECT_EQ(object.terrains, std::vector<CPaint*>{plan.terrain});
    EXPECT_EQ(object.m_bConformed, 1);
    EXPECT_EQ(plan.terrain->m_bRebuild3D, 1);
    // A knot under two cuts takes the lower height.
    CStandIn lower(&plan.tool, 4100.0, 4100.0, 4400.0, 4400.0, 100.0);
    plan.terrain->CutUnderObject(&lower);
    plan.terrain->GatherCuts();
    ASSERT_EQ(plan.terrain->m_changedKnots.size(), 15u);
    for (const CKnotChange& change : plan.terrain->m_changedKnots) {
        const bool shared = change.x <= 9.0f && change.y <= 9.0f;
        EXPECT_FLOAT_EQ(change.height, shared ? 100.0f : 250.0f);
    }
    EXPECT_EQ(plan.terrain->RemoveObjectCut(&lower), 1);
    EXPECT_EQ(plan.terrain->RemoveObjectCut(&lower), 0);
    plan.terrain->ClearCuts(1);
    EXPECT_TRUE(object.terrains.empty());
    EXPECT_TRUE(plan.terrain->m_objectCuts.empty());
    object.excluded = TRUE;
    plan.terrain->CutUnderObject(&object);
    EXPECT_TRUE(plan.terrain->m_objectCuts.empty());
    plan.terrain->m_bAllowConform = 0;
    object.excluded = FALSE;
    plan.terrain->CutUnderObject(&object);
    EXPECT_TRUE(plan.terrain->m_objectCuts.empty());
}

TEST(TerrainCut, TunnelsThatStartInsideAHillLeaveTheGroundAlone) {
    // One piece wholly under a hill, then two joined end to end at the hill's top: no knot
    // moves or drops, and the tube runs closed from end to end.
    for (const std::vector<double>& joints :
         {std::vector<double>{6000.0, 14000.0}, std::vector<double>{6000.0, 10000.0, 14000.0}}) {
        CutPlan plan;
        plan.terrain->m_newEdits.Append({10000.0f, 5000.0f, 2000.0f, 30000.0f, 0, 1});
        plan.terrain->RebuildGrid();
        std::vector<CTrack*> pieces;
        for (size_t k = 0; k + 1 < joints.size(); ++k) {
            CTrack* piece = plan.Straight(joints[k], 5000.0, joints[k + 1], 5000.0);
            piece->m_fBeginElevation = piece->m_fEndElevation = 18.0 + 30.0;
            piece->m_nStyle = 2;
            piece->m_fTunnelWidth = 300.0;
            piece->m_fTunnelHeight = 400.0;
            pieces.push_back(piece);
        }
        plan.tool.ConformTerrain();
        for (CTrack* piece : pieces) {
            const CTrackBedCut& record = plan.terrain->GetTrackCut(piece);
            EXPECT_TRUE(record.hidden.empty());
            ASSERT_EQ(record.runs.size(), 1u);
            EXPECT_EQ(record.runs[0], static_cast<int>(record.sections.size()));
            for (const CKnotChange& change : record.changes) {
                const CGrideKnot& knot = plan.terrain->Grid()[change.index];
                EXPECT_GT(knot.z, 448.0f);
                EXPECT_EQ(change.height, knot.z) << change.index;
                EXPECT_EQ(change.x, knot.x);
                EXPECT_EQ(change.y, knot.y);
            }
        }
        plan.terrain->GatherCuts();
        for (const CKnotChange& change : plan.terrain->m_changedKnots)
            EXPECT_EQ(change.height, plan.terrain->Grid()[change.index].z) << change.index;
    }
}
