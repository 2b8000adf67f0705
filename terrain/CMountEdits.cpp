#include <algorithm>
#include <cmath>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/r3d/Clump.h"
#include "terrain/CMount.h"
#include "terrain/CTerrainEditorDialog.h"
#include "terrain/TerrainSpace.h"

// The heights of the knots: the base elevation plus every edit record replayed in order.

namespace {

// Truncated toward zero, one more when the fraction left is a half or more.
double RoundedGridPosition(double value) {
    const double whole = std::trunc(value);
    return value - whole >= 0.5 ? whole + 1.0 : whole;
}

double Falloff(int mode, double r, double d) {
    const double linear = (r - d) / r;
    return mode == CTerrainEdit::kSquareRoot ? std::sqrt(linear) : linear;
}

}  // namespace

CTerrainEditList CMount::EffectiveEdits() const {
    CTerrainEditList effective;
    CTerrainEditList::Merge(m_loadedEdits, effective, m_newEdits);
    return effective;
}

void CMount::ApplyTerrainEdits(const CTerrainEditList& list, int reset) {
    CToolHost* host = Host();
    if (host != nullptr)
        host->BeginWaitCursor();
    const int count = m_grid.GetSize();
    if (reset)
        for (int i = 0; i < count; ++i) m_grid[i].z = static_cast<float>(m_fElevation);
    CTerrainEditList merged;
    CTerrainEditList::Merge(m_loadedEdits, merged, list);
    const double s = m_fGridSpacing;
    const double boxX1 = std::min(m_fCornerX1, m_fCornerX2) / s,
                 boxX2 = std::max(m_fCornerX1, m_fCornerX2) / s;
    const double boxY1 = std::min(m_fCornerY1, m_fCornerY2) / s,
                 boxY2 = std::max(m_fCornerY1, m_fCornerY2) / s;
    const int considered = m_bFixedBorder ? m_nInteriorCount : count;
    for (const CTerrainEdit& edit : merged.Records()) {
        const double cx = RoundedGridPosition(edit.x / s), cy = RoundedGridPosition(edit.y / s);
        const double r = edit.radius / s;
        if (!(cx + r > boxX1 && cx - r < boxX2 && cy + r > boxY1 && cy - r < boxY2))
            continue;
        for (int k = considered - 1; k >= 0; --k) {
            CGrideKnot& knot = m_grid[k];
            const double d = std::hypot(knot.x - cx, knot.y - cy);
            if (r <= 0.001) {
                if (d > 0.001)
                    continue;
                knot.z = static_cast<float>(knot.z + edit.dz);
                break;
            }
            if (d <= r)
                knot.z = static_cast<float>(knot.z + Falloff(edit.mode, r, d) * edit.dz);
        }
    }
    if (host != nullptr)
        host->EndWaitCursor();
}

int CMount::DeformElastic(r3d::Clump& clump, int vertex, float x, float y, float z, int group, double elastic,
                          int mode, CTerrainEditList& target, int pushUndo, int world) {
    CToolHost* host = Host();
    const double scale = host != nullptr ? host->Get3DScale() : 0.0;
    r3d::Vec3 old;
    if (!(scale > 0.0) || !clump.GetVertex(vertex, old))
        return 0;
    const double dh = static_cast<double>(y) - old.y;
    if (std::fabs(dh) < 0.01)
        return 0;
    const int knots = std::min(m_grid.GetSize(), clump.VertexCount());
    const std::vector<r3d::Vertex>& vertices = clump.Vertices();
    double farthest = 0.0;
    for (int k = 0; k < knots; ++k) {
        const r3d::Vec3& p = vertices[static_cast<size_t>(k)].position;
        farthest = std::max(farthest, std::hypot(static_cast<double>(p.x) - x, static_cast<double>(p.z) - z));
    }
    const double reach = elastic * farthest;
    // A fixed border keeps its knots; a free one lets them follow like the inner ones.
    const int considered = m_bFixedBorder ? std::min(m_nInteriorCount, knots) : knots;
    if (reach >= 1e-6) {
        for (int k = considered; k >= 1; --k) {
            r3d::Vec3 p = vertices[static_cast<size_t>(k - 1)].position;
            const double d = std::hypot(static_cast<double>(p.x) - x, static_cast<double>(p.z) - z);
            if (d >= reach)
                continue;
            p.y = static_cast<float>(p.y + Falloff(mode, reach, d) * dh);
            clump.SetVertex(k, p);
            m_grid[k - 1].z = static_cast<float>(scale * p.y);
        }
    }
    if (vertex <= considered) {
        clump.SetVertex(vertex, {x, y, z});
        m_grid[vertex - 1].z = static_cast<float>(scale * y);
    }
    if (pushUndo && m_pTool != nullptr)
        m_pTool->PushUndo(new CEditStep(kStepTerrainEditGroup, this, 1));
    CTerrainEdit edit;
    edit.dz = static_cast<float>(scale * dh);
    edit.radius = static_cast<float>(scale * reach);
    edit.mode = mode;
    edit.group = group;
    CDoublePoint at{scale * x + m_fCentreX, -scale * z + m_fCentreY};
    if (world)
        at = WorldToLocalInFrame(m_parentPose, TerrainSpace(scale).ToPlan({x, y, z}).x,
                                 TerrainSpace(scale).ToPlan({x, y, z}).y);
    edit.x = static_cast<float>(at.x);
    edit.y = static_cast<float>(at.y);
    target.Append(edit);
    return 1;
}

void CMount::RunEditor() {
    RunTerrainEditor(*this, m_nCentreKnot, &m_parentPose, FALSE);
}

int CMount::UndoTerrainEdit(CEditStep*) {
    m_newEdits.PopGroup();
    ApplyTerrainEdits(m_newEdits, 1);
    Update3D(&m_parentPose);
    return 1;
}

int CMount::ApplyEditStep(CEditStep* step) {
    if (step != nullptr && step->m_nKind == kStepTerrainEditGroup)
        return UndoTerrainEdit(step);
    return CBenchwork::ApplyEditStep(step);
}
