#pragma once

#include "model/Geometry.h"
#include "platform/r3d/Matrix.h"

namespace r3d {
class ClumpBuilder;
}

// The 3D place of plan points for benchwork and terrain: plan units over the document's 3D
// scale, the plan's origin 8 units from the 3D origin along both axes, plan y running to -z.
struct TerrainSpace {
    explicit TerrainSpace(double scale) : scale(scale) {}

    r3d::Vec3 ToWorld(CDoublePoint plan, double height) const;
    // The plan point and height of a 3D point.
    CDoublePoint ToPlan(const r3d::Vec3& point) const;
    // The surface of the faces that follow: the draw style (2 wireframe), full opacity, a
    // colour and its ambient, diffuse and specular factors.
    static void SetTerrainSurface(r3d::ClumpBuilder& builder, int drawStyle, r3d::Vec3 color,
                                  r3d::Vec3 factors);

    double scale;
};
