#include "platform/r3d/SceneBatches.h"

#include "platform/r3d/Clump.h"

#include <algorithm>
#include <cmath>

namespace r3d {

namespace {

bool Mergeable(const Clump& clump) {
    if (clump.IsSprite()) {
        return false;
    }
    const auto& polygons = clump.Polygons();
    if (std::any_of(polygons.begin(), polygons.end(),
                    [](const Polygon& p) { return p.material.opacity < 1.0f; })) {
        return false;
    }
    const auto& children = clump.Children();
    return std::all_of(children.begin(), children.end(), [](const auto& child) { return Mergeable(*child); });
}

// The world bounds of the model's vertices and its children's.
void ExtendByModel(Box& bounds, const Clump& clump) {
    bounds.Extend(clump.Bounds());
    for (const auto& child : clump.Children()) {
        ExtendByModel(bounds, *child);
    }
}

}  // namespace

SceneBatches::Cell SceneBatches::CellOf(const Clump& clump) {
    Box bounds;
    ExtendByModel(bounds, clump);
    if (bounds.Empty()) {
        return {0, 0};
    }
    const Vec3 middle = bounds.Centre();
    return {static_cast<int>(std::floor(middle.x / kCellSide)),
            static_cast<int>(std::floor(middle.z / kCellSide))};
}

void SceneBatches::Add(Clump& clump) {
    m_places[&clump] = Place{};
    m_waiting.push_back(&clump);
}

void SceneBatches::Remove(Clump& clump) {
    auto found = m_places.find(&clump);
    if (found == m_places.end()) {
        return;
    }
    if (found->second.group != kUnplaced) {
        Group& group = m_groups[found->second.group];
        std::erase(group.members, &clump);
        group.dirty = true;
    }
    m_places.erase(found);
}

void SceneBatches::Changed(const Clump& clump) {
    auto found = m_places.find(&clump);
    if (found == m_places.end() || found->second.group == kUnplaced) {
        return;
    }
    m_groups[found->second.group].dirty = true;
    if (!found->second.changed) {
        found->second.changed = true;
        m_changed.push_back(&clump);
    }
}

void SceneBatches::Refresh() {
    TakeOutMovedMembers();
    PlaceWaiting();
    BuildDirtyGroups();
}

// A changed member whose middle is now in another cell waits for a group of that cell.
void SceneBatches::TakeOutMovedMembers() {
    for (const Clump* clump : m_changed) {
        auto found = m_places.find(clump);
        if (found == m_places.end() || !found->second.changed) {
            continue;
        }
        found->second.changed = false;
        Group& group = m_groups[found->second.group];
        if (CellOf(*clump) != group.cell) {
            std::erase(group.members, clump);
            found->second.group = kUnplaced;
            m_waiting.push_back(clump);
        }
    }
    m_changed.clear();
}

void SceneBatches::PlaceWaiting() {
    for (const Clump* clump : m_waiting) {
        auto found = m_places.find(clump);
        if (found == m_places.end() || found->second.group != kUnplaced) {
            continue;
        }
        const std::size_t index = RoomiestGroup(CellOf(*clump));
        m_groups[index].members.push_back(clump);
        m_groups[index].dirty = true;
        found->second = Place{index, false};
    }
    m_waiting.clear();
}

// Groups stay once made, so that a member's group number holds; new members fill the cell's emptiest.
std::size_t SceneBatches::RoomiestGroup(const Cell& cell) {
    std::vector<std::size_t>& ofCell = m_groupsOfCell[cell];
    auto roomiest = std::min_element(ofCell.begin(), ofCell.end(), [&](std::size_t a, std::size_t b) {
        return m_groups[a].members.size() < m_groups[b].members.size();
    });
    if (roomiest != ofCell.end() && m_groups[*roomiest].members.size() < kGroupSize) {
        return *roomiest;
    }
    m_groups.emplace_back().cell = cell;
    ofCell.push_back(m_groups.size() - 1);
    return m_groups.size() - 1;
}

void SceneBatches::BuildDirtyGroups() {
    bool built = false;
    for (Group& group : m_groups) {
        if (group.dirty) {
            Build(group);
            built = true;
        }
    }
    if (built) {
        GatherLeftOut();
    }
}

void SceneBatches::Build(Group& group) {
    m_vertices.clear();
    m_runs.clear();
    group.leftOut.clear();
    group.bounds = Box();
    for (const Clump* member : group.members) {
        if (Mergeable(*member)) {
            AddModel(*member, group.bounds);
        } else {
            group.leftOut.push_back(member);
        }
    }
    if (!group.mesh) {
        group.mesh = std::make_unique<GpuMesh>();
    }
    group.mesh->Upload(m_vertices, m_runs);
    group.dirty = false;
    ++m_builds;
}

// The model's vertices where its world matrix puts them, and so its children's.
void SceneBatches::AddModel(const Clump& clump, Box& bounds) {
    const Matrix world = clump.WorldMatrix();
    const unsigned first = static_cast<unsigned>(m_vertices.size());
    for (const Vertex& vertex : clump.Vertices()) {
        const Vec3 position = world.TransformPoint(vertex.position);
        m_vertices.push_back({position, vertex.u, vertex.v});
        bounds.Extend(position);
    }
    GpuMesh::AddFaces(m_runs, clump.Polygons(), first);
    for (const auto& child : clump.Children()) {
        AddModel(*child, bounds);
    }
}

void SceneBatches::GatherLeftOut() {
    m_leftOut.clear();
    for (const Group& group : m_groups) {
        m_leftOut.insert(m_leftOut.end(), group.leftOut.begin(), group.leftOut.end());
    }
}

std::vector<const GpuMesh*> SceneBatches::Meshes() const {
    std::vector<const GpuMesh*> meshes;
    for (const Group& group : m_groups) {
        if (group.mesh) {
            meshes.push_back(group.mesh.get());
        }
    }
    return meshes;
}

void SceneBatches::ForEachMesh(const std::function<void(const GpuMesh&, const Box&)>& visit) const {
    for (const Group& group : m_groups) {
        if (group.mesh) {
            visit(*group.mesh, group.bounds);
        }
    }
}

const std::vector<const Clump*>& SceneBatches::LeftOut() const {
    return m_leftOut;
}

}  // namespace r3d
