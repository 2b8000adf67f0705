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
    const int considered = m_bFixedBorder ? InnerKnotCount() : count;
    for (const CTerrainEdit& edit : merged.Records()) {
        const EditReach reach = ReachOf(edit);
        if (!reach.touches)
            continue;
        if (reach.r <= 0.001)
            RaiseKnotAtPoint(reach, edit.dz, considered);
        else
            RaiseKnotsInReach(reach, edit, considered);
    }
    if (host != nullptr)
        host->EndWaitCursor();
}

CMount::EditReach CMount::ReachOf(const CTerrainEdit& edit) const {
    const double s = m_fGridSpacing;
    const double boxX1 = std::min(m_fCornerX1, m_fCornerX2) / s,
                 boxX2 = std::max(m_fCornerX1, m_fCornerX2) / s;
    const double boxY1 = std::min(m_fCornerY1, m_fCornerY2) / s,
                 boxY2 = std::max(m_fCornerY1, m_fCornerY2) / s;
    EditReach reach;
    reach.cx = RoundedGridPosition(edit.x / s);
    reach.cy = RoundedGridPosition(edit.y / s);
    reach.r = edit.radius / s;
    reach.touches = reach.cx + reach.r > boxX1 && reach.cx - reach.r < boxX2 && reach.cy + reach.r > boxY1 &&
                    reach.cy - reach.r < boxY2;
    // The grid columns and rows within the radius; none when the edit misses the grid.
    auto span = [](double centre, double r, int least, int most, int& low, int& high) {
        const double from = std::max(std::ceil(centre - r), static_cast<double>(least));
        const double to = std::min(std::floor(centre + r), static_cast<double>(most));
        low = from <= to ? static_cast<int>(from) : 1;
        high = from <= to ? static_cast<int>(to) : 0;
    };
    span(reach.cx, std::max(reach.r, 0.0), m_nMinColumn, m_nMaxColumn, reach.firstColumn, reach.lastColumn);
    span(reach.cy, std::max(reach.r, 0.0), m_nMinRow, m_nMaxRow, reach.firstRow, reach.lastRow);
    return reach;
}

double CMount::EditVisits(const CTerrainEditList& edits) const {
    const double outlineKnots = (m_bFixedBorder ? InnerKnotCount() : m_grid.GetSize()) - m_nInteriorCount;
    double visits = 0.0;
    for (const CTerrainEdit& edit : edits.Records()) {
        const EditReach reach = ReachOf(edit);
        if (!reach.touches)
            continue;
        const double columns = std::max(0, reach.lastColumn - reach.firstColumn + 1);
        const double rows = std::max(0, reach.lastRow - reach.firstRow + 1);
        visits += columns * rows + outlineKnots;
    }
    return visits;
}

int CMount::InteriorKnotAt(int column, int row) const {
    return m_indexTable.Get(column - m_nMinColumn + 1, row - m_nMinRow + 1);
}

void CMount::RaiseKnotAtPoint(const EditReach& reach, float dz, int considered) {
    // The last knot on the point takes the change: an outline or bridge knot before the grid's own.
    for (int k = considered - 1; k >= m_nInteriorCount; --k) {
        CGrideKnot& knot = m_grid[k];
        if (std::hypot(knot.x - reach.cx, knot.y - reach.cy) <= 0.001) {
            knot.z = static_cast<float>(knot.z + dz);
            return;
        }
    }
    if (reach.firstColumn != reach.lastColumn || reach.firstRow != reach.lastRow)
        return;
    const int k = InteriorKnotAt(reach.firstColumn, reach.firstRow);
    if (k >= 0 && k < considered)
        m_grid[k].z = static_cast<float>(m_grid[k].z + dz);
}

void CMount::RaiseKnotsInReach(const EditReach& reach, const CTerrainEdit& edit, int considered) {
    auto raise = [&](CGrideKnot& knot) {
        const double d = std::hypot(knot.x - reach.cx, knot.y - reach.cy);
        if (d <= reach.r)
            knot.z = static_cast<float>(knot.z + Falloff(edit.mode, reach.r, d) * edit.dz);
    };
    // The knots the border added, which the index does not reach.
    for (int k = considered - 1; k >= m_nInteriorCount; --k) raise(m_grid[k]);
    // The grid's own knots through its index: only the rows and columns within the radius.
    for (int row = reach.firstRow; row <= reach.lastRow; ++row)
        for (int column = reach.firstColumn; column <= reach.lastColumn; ++column) {
            const int k = InteriorKnotAt(column, row);
            if (k >= 0 && k < considered)
                raise(m_grid[k]);
        }
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
    const int considered = m_bFixedBorder ? std::min(InnerKnotCount(), knots) : knots;
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
