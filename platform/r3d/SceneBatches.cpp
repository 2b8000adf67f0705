#include "platform/r3d/SceneBatches.h"

#include "platform/r3d/Clump.h"

#include <algorithm>

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

}  // namespace

void SceneBatches::Add(Clump& clump) {
    const std::size_t index = RoomiestGroup();
    Group& group = m_groups[index];
    group.members.push_back(&clump);
    group.dirty = true;
    m_groupOf[&clump] = index;
}

void SceneBatches::Remove(Clump& clump) {
    auto found = m_groupOf.find(&clump);
    if (found == m_groupOf.end()) {
        return;
    }
    Group& group = m_groups[found->second];
    std::erase(group.members, &clump);
    group.dirty = true;
    m_groupOf.erase(found);
}

void SceneBatches::Changed(const Clump& clump) {
    if (auto found = m_groupOf.find(&clump); found != m_groupOf.end()) {
        m_groups[found->second].dirty = true;
    }
}

// Groups stay once made, so that a member's group number holds; new members fill the emptiest.
std::size_t SceneBatches::RoomiestGroup() {
    auto roomiest = std::min_element(m_groups.begin(), m_groups.end(), [](const Group& a, const Group& b) {
        return a.members.size() < b.members.size();
    });
    if (roomiest != m_groups.end() && roomiest->members.size() < kGroupSize) {
        return static_cast<std::size_t>(roomiest - m_groups.begin());
    }
    m_groups.emplace_back();
    return m_groups.size() - 1;
}

void SceneBatches::Refresh() {
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

std::size_t SceneBatches::MeshCount() const {
    return static_cast<std::size_t>(std::count_if(m_groups.begin(), m_groups.end(),
                                                  [](const Group& group) { return group.mesh != nullptr; }));
}

void SceneBatches::ForEachMesh(const std::function<void(const GpuMesh&, const Box&)>& visit) const {
    for (const Group& group : m_groups) {
        if (group.mesh) {
            visit(*group.mesh, group.bounds);
        }
    }
}

void SceneBatches::GatherLeftOut() {
    m_leftOut.clear();
    for (const Group& group : m_groups) {
        m_leftOut.insert(m_leftOut.end(), group.leftOut.begin(), group.leftOut.end());
    }
}

}  // namespace r3d
