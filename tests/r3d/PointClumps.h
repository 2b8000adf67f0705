#pragma once

#include <memory>
#include <vector>

#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Scene.h"

// As many one-vertex clumps as asked, added to the scene in order: a scene as large as a big
// layout's, cheap to make.
inline std::vector<std::unique_ptr<r3d::Clump>> AddPointClumps(r3d::Scene& scene, int count) {
    std::vector<std::unique_ptr<r3d::Clump>> clumps;
    for (int i = 0; i < count; ++i) {
        r3d::ClumpBuilder builder;
        builder.AddVertex({0, 0, 0}, 0, 0);
        scene.Add(*clumps.emplace_back(builder.Finish()));
    }
    return clumps;
}
