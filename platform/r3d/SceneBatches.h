#pragma once

#include "platform/r3d/Box.h"
#include "platform/r3d/GpuMesh.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace r3d {

class Clump;

// A scene's batched clumps merged into a few meshes, so that thousands of track models cost a
// few draws instead of one each. The clumps are kept in groups by where they stand: the ground
// is cut into square cells, and a group holds models whose middle lies in one cell, so that a
// frame can leave out the groups its camera cannot see. Each group is one mesh in world
// coordinates with one run of faces per surface. A group is built again when a member joins,
// leaves or reports a change (its geometry, surfaces or transforms, or any of its children's);
// a member that moved to another cell then goes to a group of that cell. Members that cannot be
// merged (a sprite, or see-through faces, whose order matters) are left out, to be drawn on
// their own.
class SceneBatches {
  public:
    // Members per group: few enough that one changed piece rebuilds quickly.
    static constexpr std::size_t kGroupSize = 256;
    // The side of a cell, in world units, across x and z: a sixty-fourth of the ground a layout's
    // page makes.
    static constexpr float kCellSide = 2.0f;

    void Add(Clump& clump);
    void Remove(Clump& clump);
    void Changed(const Clump& clump);
    // Builds again every group whose members changed since the last call.
    void Refresh();
    // The groups' meshes (in world coordinates), after Refresh.
    std::vector<const GpuMesh*> Meshes() const;
    // Each group's mesh with the bounds of its vertices, in the order the groups were made.
    void ForEachMesh(const std::function<void(const GpuMesh&, const Box&)>& visit) const;
    // The members left out of the meshes, after Refresh.
    const std::vector<const Clump*>& LeftOut() const;
    // How many times a group was built; for telling whether a frame rebuilt anything.
    int Builds() const { return m_builds; }

  private:
    using Cell = std::pair<int, int>;
    static constexpr std::size_t kUnplaced = static_cast<std::size_t>(-1);

    struct Group {
        Cell cell;
        std::vector<const Clump*> members;
        std::vector<const Clump*> leftOut;
        std::unique_ptr<GpuMesh> mesh;
        Box bounds;
        bool dirty = true;
    };

    // Where a member is: its group, or kUnplaced while it waits for one, and whether it reported
    // a change since the last Refresh.
    struct Place {
        std::size_t group = kUnplaced;
        bool changed = false;
    };

    static Cell CellOf(const Clump& clump);
    void TakeOutMovedMembers();
    void PlaceWaiting();
    std::size_t RoomiestGroup(const Cell& cell);
    void BuildDirtyGroups();
    void Build(Group& group);
    void AddModel(const Clump& clump, Box& bounds);
    void GatherLeftOut();

    std::vector<Group> m_groups;
    std::map<Cell, std::vector<std::size_t>> m_groupsOfCell;
    std::unordered_map<const Clump*, Place> m_places;
    // New members and those that left their cell, in the order they came, and the members that
    // reported a change; one that has left the scene since is passed over.
    std::vector<const Clump*> m_waiting;
    std::vector<const Clump*> m_changed;
    std::vector<const Clump*> m_leftOut;
    // Kept between builds so that their storage is reused.
    std::vector<Vertex> m_vertices;
    std::vector<GpuMesh::FaceRun> m_runs;
    int m_builds = 0;
};

}  // namespace r3d
