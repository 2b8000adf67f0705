#pragma once

#include <memory>
#include <vector>

#include "platform/r3d/Scene.h"
#include "terrain/CBenchwork.h"
#include "terrain/CMount.h"
#include "tests/track/TrackPlan.h"

// A document's engine with its default track, the terrain classes registered, at the starting
// zoom (one device unit is ten layout units), with a 3D world open when asked for.
struct TerrainPlan : TrackPlan {
    TerrainPlan();

    // A benchwork or terrain in the root group whose outline runs through the world vertices.
    template <class T>
    T* Outline(const std::vector<CDoublePoint>& vertices) {
        auto* object = AddToLayout(host, new T(0, &tool, 0.0, 0.0));
        ShapeOutline(*object, vertices);
        return object;
    }
    CMount* Terrain(const std::vector<CDoublePoint>& vertices, double spacing = 500.0);
    // The scene, a 3D window and the 3D scale of 1000 plan units per 3D unit.
    void Open3D();
    // The heights of every knot, in order.
    static std::vector<float> Heights(const CMount& terrain);

    r3d::Scene scene;

  private:
    static void ShapeOutline(CBenchwork& object, const std::vector<CDoublePoint>& vertices);
};

// The terrain's record with another grid spacing written into it, as a file from elsewhere may
// hold one that the properties page would not allow.
std::vector<BYTE> RecordWithSpacing(CMount& terrain, double spacing);

// A rectangle from (x1, y1) to (x2, y2), counter-clockwise.
std::vector<CDoublePoint> Rectangle(double x1, double y1, double x2, double y2);
