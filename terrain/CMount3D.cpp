#include <algorithm>
#include <cmath>

#include "model/AssetLoaders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Scene.h"
#include "terrain/CMount.h"
#include "terrain/TerrainSpace.h"
#include "track/CParTrack.h"

// The terrain's mesh: a vertex per knot, the grid cells and the border strip as faces, and a
// tube per tunnel that a track piece cut.

CDoublePoint CMount::KnotPlace(int i, size_t& nextChange, float& height) const {
    const double s = m_fGridSpacing;
    if (nextChange < m_changedKnots.size() && m_changedKnots[nextChange].index == i) {
        const CKnotChange& change = m_changedKnots[nextChange++];
        height = change.height;
        return {change.x * s, change.y * s};
    }
    height = m_grid[i].z;
    return {m_grid[i].x * s, m_grid[i].y * s};
}

bool CMount::ProbeFacesUp(const std::vector<CDoublePoint>& worldOutline) const {
    // The outline laid flat in 3D: the side its normal points to decides the winding.
    r3d::Clump probe;
    std::vector<int> numbers;
    for (const CDoublePoint& p : worldOutline)
        numbers.push_back(probe.AddVertex({static_cast<float>(p.x), 0.0f, static_cast<float>(-p.y)}));
    const r3d::Polygon* polygon = probe.AddPolygon(numbers, r3d::Material{});
    return polygon != nullptr && probe.PolygonNormal(*polygon).y > 0.0f;
}

std::unique_ptr<r3d::Clump> CMount::Build3D(const CPose* pose) {
    GatherCuts();
    CToolHost* host = Host();
    if (host == nullptr || !(host->Get3DScale() > 0.0) || m_nOutlineCount < 3 ||
        std::fabs(m_fCornerX2 - m_fCornerX1) < 0.1 || std::fabs(m_fCornerY2 - m_fCornerY1) < 0.1 ||
        m_grid.GetSize() < 3)
        return nullptr;
    host->BeginWaitCursor();
    host->Refresh3DSearchFolders();
    const TerrainSpace space(host->Get3DScale());
    std::vector<CDoublePoint> worldOutline;
    for (const CDoublePoint& p : m_outline)
        worldOutline.push_back(LocalToWorldInFrame(FrameOf(pose), p.x, p.y));
    const bool up = ProbeFacesUp(worldOutline);
    r3d::ClumpBuilder builder;
    TerrainSpace::SetTerrainSurface(builder, host->Get3DDrawStyle(), {0.2f, 0.2f, 0.2f}, {0.6f, 0.2f, 0.0f});
    LoadTexture(m_strTexture, builder, TRUE);
    m_fTextureScale = std::clamp(m_fTextureScale, kLeastTextureScale, kLargestTextureScale);
    AddKnotVertices(builder, up);
    AddTunnels(builder, space, pose);
    builder.SetTag(kMeshTag);
    host->EndWaitCursor();
    return builder.Finish();
}

void CMount::AddKnotVertices(r3d::ClumpBuilder& builder, bool up) {
    const double s = m_fGridSpacing;
    const double t = m_fTextureScale;
    const double width = (m_fCornerX2 - m_fCornerX1) / t, height = (m_fCornerY2 - m_fCornerY1) / t;
    for (int i = 0; i < m_grid.GetSize(); ++i) {
        const CGrideKnot& knot = m_grid[i];
        builder.AddVertex({0.0f, 0.0f, 0.0f}, static_cast<float>((knot.x * s - m_fCornerX1) / width),
                          static_cast<float>((knot.y * s - m_fCornerY1) / height));
    }
    const int knots = m_grid.GetSize();
    if (m_nInteriorCount == 0) {
        std::vector<int> numbers;
        for (int i = 1; i <= knots; ++i) numbers.push_back(up ? i : knots + 1 - i);
        builder.AddPolygon(numbers);
        return;
    }
    size_t hidden = 0;
    for (int i = 0; i < m_nInteriorCount; ++i) {
        while (hidden < m_hiddenCells.size() && m_hiddenCells[hidden] < i) ++hidden;
        if (hidden < m_hiddenCells.size() && m_hiddenCells[hidden] == i)
            continue;
        const CGrideKnot& knot = m_grid[i];
        if (knot.LinkCount() <= 2)
            continue;
        const CGrideKnot& left = m_grid[knot.links[0]];
        const CGrideKnot& upperLeft = m_grid[knot.links[1]];
        const CGrideKnot& above = m_grid[knot.links[2]];
        if (left.x == knot.x - 1 && left.y == knot.y && upperLeft.x == knot.x - 1 &&
            upperLeft.y == knot.y + 1 && above.x == knot.x && above.y == knot.y + 1)
            builder.AddQuad(knot.links[2] + 1, knot.links[1] + 1, knot.links[0] + 1, i + 1);
    }
    m_grid.AddBorderFaces(builder, InnerKnotCount(), knots - 1, up);
}

void CMount::AddTunnels(r3d::ClumpBuilder& builder, const TerrainSpace&, const CPose*) {
    int base = m_grid.GetSize();
    for (const CTrackBedCut& cut : m_trackCuts) {
        if (cut.sections.empty())
            continue;
        for (size_t k = 0; k < cut.sections.size(); ++k)
            for (int corner = 0; corner < 4; ++corner)
                builder.AddVertex({0.0f, 0.0f, 0.0f}, static_cast<float>(k % 2),
                                  static_cast<float>(corner % 2));
        builder.PushSurface();
        TerrainSpace::SetTerrainSurface(builder, Host()->Get3DDrawStyle(), {0.2f, 0.2f, 0.2f},
                                        {0.1f, 0.2f, 0.1f});
        auto* piece = dynamic_cast<CParTrack*>(cut.piece);
        if (piece != nullptr && piece->m_bTunnelUsesTexture)
            LoadTexture(piece->m_strTunnelTexture, builder, TRUE);
        else
            builder.SetTexture(nullptr);
        int start = base;
        for (int run : cut.runs) {
            for (int j = 0; j + 1 < run; ++j) {
                const int p = start + 4 * j + 1, q = p + 4;
                builder.AddQuad(p + 3, q + 3, q, p);
                builder.AddQuad(p, q, q + 1, p + 1);
                builder.AddQuad(p + 1, q + 1, q + 2, p + 2);
                builder.AddQuad(p + 2, q + 2, q + 3, p + 3);
            }
            start += 4 * run;
        }
        builder.PopSurface();
        base += 4 * static_cast<int>(cut.sections.size());
    }
}

void CMount::UpdateMeshVertices(r3d::Clump& clump, int keepPlan) {
    CToolHost* host = Host();
    if (host == nullptr || !(host->Get3DScale() > 0.0))
        return;
    const TerrainSpace space(host->Get3DScale());
    size_t nextChange = 0;
    float height = 0.0f;
    int number = 1;
    for (int i = 0; i < m_grid.GetSize(); ++i, ++number) {
        const CDoublePoint local = KnotPlace(i, nextChange, height);
        if (keepPlan) {
            r3d::Vec3 p;
            if (clump.GetVertex(number, p))
                clump.SetVertex(number, {p.x, static_cast<float>(height / space.scale), p.z});
            continue;
        }
        clump.SetVertex(number, space.ToWorld(LocalToWorld(local.x, local.y), height));
    }
    for (const CTrackBedCut& cut : m_trackCuts)
        for (const CTunnelSection& section : cut.sections)
            for (const CTunnelCorner& corner : section)
                clump.SetVertex(number++, space.ToWorld(LocalToWorld(corner.x, corner.y), corner.height));
}

int CMount::Update3D(const CPose* pose) {
    if (m_bDeferGrid)
        RebuildGrid();
    CToolHost* host = Host();
    if (host == nullptr || !host->Has3DWindow())
        return 0;
    if (m_bRebuild3D || m_hModel == nullptr) {
        m_hModel.reset();
        if (!m_pTool->IsLayerVisible(m_nLayer))
            return 0;
        m_hModel = Build3D(pose);
        if (m_hModel == nullptr)
            return 0;
        UpdateMeshVertices(*m_hModel, 0);
        if (r3d::Scene* scene = host->GetScene())
            scene->Add(*m_hModel);
        m_bRebuild3D = 0;
    } else {
        UpdateMeshVertices(*m_hModel, 0);
    }
    host->RenderActive3DView();
    return 1;
}

int CMount::Remove3D() {
    ClearCuts(0);
    CToolHost* host = Host();
    if (m_hModel == nullptr || host == nullptr || host->GetScene() == nullptr)
        return 0;
    m_hModel.reset();
    host->UpdateAllViews();
    return 1;
}
