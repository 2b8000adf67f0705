#include "platform/r3d/Clump.h"

#include "platform/r3d/Camera.h"
#include "platform/r3d/GpuMesh.h"
#include "platform/r3d/Scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace r3d {

Clump::Clump() = default;

Clump::~Clump() {
    RemoveFromScene();
}

std::unique_ptr<Clump> Clump::MakeSprite(std::shared_ptr<Texture> texture) {
    auto sprite = std::make_unique<Clump>();
    float halfWidth = 0.5f;
    if (texture && texture->Image().Height() > 0) {
        halfWidth = 0.5f * texture->Image().Width() / texture->Image().Height();
    }
    sprite->AddVertex({-halfWidth, 0, 0}, 0, 1);
    sprite->AddVertex({halfWidth, 0, 0}, 1, 1);
    sprite->AddVertex({halfWidth, 1, 0}, 1, 0);
    sprite->AddVertex({-halfWidth, 1, 0}, 0, 0);
    Material material;
    material.ambient = 1.0f;
    material.diffuse = 0.0f;
    material.texture = std::move(texture);
    const int corners[] = {1, 2, 3, 4};
    sprite->AddPolygon(corners, material);
    sprite->m_sprite = true;
    return sprite;
}

std::unique_ptr<Clump> Clump::Clone() const {
    auto copy = std::make_unique<Clump>();
    copy->m_vertices = m_vertices;
    copy->m_polygons = m_polygons;
    copy->m_orientation = m_orientation;
    copy->m_modelling = m_modelling;
    copy->m_tag = m_tag;
    copy->m_sprite = m_sprite;
    copy->m_batched = m_batched;
    for (const auto& child : m_children) {
        copy->AddChild(child->Clone());
    }
    return copy;
}

int Clump::AddVertex(const Vec3& position, float u, float v) {
    m_vertices.push_back({position, u, v});
    ShapeChanged();
    return VertexCount();
}

bool Clump::GetVertex(int number, Vec3& position) const {
    if (number < 1 || number > VertexCount()) {
        return false;
    }
    position = m_vertices[number - 1].position;
    return true;
}

bool Clump::SetVertex(int number, const Vec3& position) {
    if (number < 1 || number > VertexCount()) {
        return false;
    }
    m_vertices[number - 1].position = position;
    ++m_generation;
    ReportChange();
    return true;
}

Polygon* Clump::AddPolygon(std::span<const int> numbers, const Material& material, int tag) {
    if (numbers.size() < 3) {
        return nullptr;
    }
    for (int n : numbers) {
        if (n < 1 || n > VertexCount()) {
            return nullptr;
        }
    }
    m_polygons.push_back({std::vector<int>(numbers.begin(), numbers.end()), material, tag});
    ShapeChanged();
    return &m_polygons.back();
}

void Clump::ForEachPolygon(const std::function<void(Polygon&)>& visit) {
    for (Polygon& polygon : m_polygons) {
        visit(polygon);
    }
    ShapeChanged();
}

void Clump::ShapeChanged() {
    ++m_generation;
    ++m_shapeGeneration;
    ReportChange();
}

void Clump::ReportChange() {
    const Clump* top = this;
    while (top->m_parent) {
        top = top->m_parent;
    }
    if (top->m_inBatch) {
        top->m_scene->Batches().Changed(*top);
    }
}

void Clump::SetDrawStyle(DrawStyle style) {
    ForEachPolygon([style](Polygon& p) { p.material.style = style; });
}

void Clump::SetTexture(const std::shared_ptr<Texture>& texture) {
    ForEachPolygon([&texture](Polygon& p) { p.material.texture = texture; });
}

Polygon* Clump::FindPolygon(std::span<const int> numbers) {
    for (Polygon& polygon : m_polygons) {
        if (polygon.vertices.size() != numbers.size()) {
            continue;
        }
        auto first = std::find(polygon.vertices.begin(), polygon.vertices.end(), numbers.front());
        if (first == polygon.vertices.end()) {
            continue;
        }
        std::vector<int> rotated(first, polygon.vertices.end());
        rotated.insert(rotated.end(), polygon.vertices.begin(), first);
        if (std::equal(rotated.begin(), rotated.end(), numbers.begin())) {
            return &polygon;
        }
    }
    return nullptr;
}

// Newell's method: robust for any planar, even slightly bent, outline.
Vec3 Clump::PolygonNormal(const Polygon& polygon) const {
    Vec3 normal;
    std::size_t count = polygon.vertices.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3& a = m_vertices[polygon.vertices[i] - 1].position;
        const Vec3& b = m_vertices[polygon.vertices[(i + 1) % count] - 1].position;
        normal += {(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    return Normalize(normal);
}

void Clump::Transform(const Matrix& m, Combine mode) {
    m_modelling.Apply(m, mode);
    ReportChange();
}

void Clump::Orient(const Matrix& m, Combine mode) {
    m_orientation.Apply(m, mode);
    ReportChange();
}

void Clump::ResetTransform() {
    m_orientation = Matrix();
    m_modelling = Matrix();
    ReportChange();
}

Matrix Clump::WorldMatrix() const {
    return m_parent ? LocalMatrix() * m_parent->WorldMatrix() : LocalMatrix();
}

Matrix Clump::WorldMatrixSeenBy(const Camera& camera) const {
    Matrix world = WorldMatrix();
    if (!m_sprite) {
        return world;
    }
    Vec3 centre = world.Translation();
    Vec3 facing = world.TransformVector({0, 0, 1});
    Vec3 toCamera = camera.Position() - centre;
    if (std::hypot(facing.x, facing.z) < 1e-6f || std::hypot(toCamera.x, toCamera.z) < 1e-6f) {
        return world;
    }
    double turn = std::atan2(toCamera.x, toCamera.z) - std::atan2(facing.x, facing.z);
    world.Translate(-centre, Combine::After);
    world.Rotate({0, 1, 0}, static_cast<float>(turn * 180.0 / std::numbers::pi), Combine::After);
    world.Translate(centre, Combine::After);
    return world;
}

Box Clump::Bounds() const {
    Box box;
    Matrix world = WorldMatrix();
    for (const Vertex& v : m_vertices) {
        box.Extend(world.TransformPoint(v.position));
    }
    return box;
}

Clump* Clump::AddChild(std::unique_ptr<Clump> child) {
    if (!child) {
        return nullptr;
    }
    child->RemoveFromScene();
    child->m_parent = this;
    m_children.push_back(std::move(child));
    ReportChange();
    return m_children.back().get();
}

void Clump::RemoveFromScene() {
    if (m_scene) {
        m_scene->Remove(*this);
    }
}

}  // namespace r3d
