#pragma once

#include "platform/r3d/Box.h"
#include "platform/r3d/GpuMesh.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace r3d {

class Clump;

// A scene's batched clumps merged into a few meshes, so that thousands of track models cost a
// few draws instead of one each. The clumps are kept in groups; each group is one mesh in world
// coordinates with one run of faces per surface, and the bounds of its vertices, so that a frame
// can leave out the groups its camera cannot see. A group holds clumps in the order they joined
// the scene (neighbours on the layout, as it is laid piece by piece), so that where faces of two
// models meet at equal depth the same one wins as when each is drawn on its own. A group is built
// again when a member joins, leaves or reports a change (its geometry, surfaces or transforms, or
// any of its children's). Members that cannot be merged (a sprite, or see-through faces, whose
// order matters) are left out, to be drawn on their own.
class SceneBatches {
  public:
    // Members per group: few enough that one changed piece rebuilds quickly.
    static constexpr std::size_t kGroupSize = 256;

    void Add(Clump& clump);
    void Remove(Clump& clump);
    void Changed(const Clump& clump);
    // Builds again every group whose members changed since the last call.
    void Refresh();
    // How many groups have their mesh (each, after Refresh).
    std::size_t MeshCount() const;
    // Each group's mesh with the bounds of its vertices, in the order the groups were made.
    void ForEachMesh(const std::function<void(const GpuMesh&, const Box&)>& visit) const;
    // The members left out of the meshes, after Refresh.
    const std::vector<const Clump*>& LeftOut() const { return m_leftOut; }
    // How many times a group was built; for telling whether a frame rebuilt anything.
    int Builds() const { return m_builds; }

  private:
    struct Group {
        std::vector<const Clump*> members;
        std::vector<const Clump*> leftOut;
        std::unique_ptr<GpuMesh> mesh;
        Box bounds;
        bool dirty = true;
    };

    std::size_t RoomiestGroup();
    void Build(Group& group);
    void AddModel(const Clump& clump, Box& bounds);
    void GatherLeftOut();

    std::vector<Group> m_groups;
    std::unordered_map<const Clump*, std::size_t> m_groupOf;
    std::vector<const Clump*> m_leftOut;
    // Kept between builds so that their storage is reused.
    std::vector<Vertex> m_vertices;
    std::vector<GpuMesh::FaceRun> m_runs;
    int m_builds = 0;
};

}  // namespace r3d
