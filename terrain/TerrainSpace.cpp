#include "terrain/TerrainSpace.h"

#include "platform/r3d/ClumpBuilder.h"

namespace {

constexpr double kOriginOffset = 8.0;

}  // namespace

r3d::Vec3 TerrainSpace::ToWorld(CDoublePoint plan, double height) const {
    return {static_cast<float>(plan.x / scale - kOriginOffset), static_cast<float>(height / scale),
            static_cast<float>(-plan.y / scale - kOriginOffset)};
}

CDoublePoint TerrainSpace::ToPlan(const r3d::Vec3& point) const {
    return {(point.x + kOriginOffset) * scale, (-kOriginOffset - point.z) * scale};
}

void TerrainSpace::SetTerrainSurface(r3d::ClumpBuilder& builder, int drawStyle, r3d::Vec3 color,
                                     r3d::Vec3 factors) {
    builder.SetDrawStyle(drawStyle == 2 ? r3d::DrawStyle::Wireframe : r3d::DrawStyle::Solid);
    builder.SetOpacity(1.0f);
    builder.SetColor(color.x, color.y, color.z);
    builder.SetSurfaceFactors(factors.x, factors.y, factors.z);
}
