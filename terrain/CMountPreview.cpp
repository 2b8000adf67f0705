#include <cmath>

#include "platform/r3d/ClumpBuilder.h"
#include "terrain/CMount.h"
#include "terrain/TerrainSpace.h"

// The terrain as the terrain editor shows it: a wire grid in the editor's own small world,
// centred on the outline so that turning it keeps it in view.

std::unique_ptr<r3d::Clump> CMount::BuildPreviewMesh(double scale) {
    if (!(scale > 0.0) || m_grid.GetSize() < 3)
        return nullptr;
    r3d::ClumpBuilder builder;
    TerrainSpace::SetTerrainSurface(builder, static_cast<int>(r3d::DrawStyle::Wireframe), {0.0f, 0.4f, 0.0f},
                                    {1.0f, 0.0f, 0.0f});
    AddKnotVertices(builder, ProbeFacesUp(m_outline));
    std::unique_ptr<r3d::Clump> mesh = builder.Finish();
    const double s = m_fGridSpacing;
    for (int i = 0; i < m_grid.GetSize(); ++i) {
        const CGrideKnot& knot = m_grid[i];
        mesh->SetVertex(
            i + 1, {static_cast<float>((s * knot.x - m_fCentreX) / scale), static_cast<float>(knot.z / scale),
                    static_cast<float>(-(s * knot.y - m_fCentreY) / scale)});
    }
    return mesh;
}
