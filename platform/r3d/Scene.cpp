#include "platform/r3d/Scene.h"

#include "platform/r3d/Camera.h"
#include "platform/r3d/RenderTarget.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace r3d {

namespace {

// Moller-Trumbore; returns the distance along the ray or a negative number for a miss.
float IntersectTriangle(const Vec3& origin, const Vec3& direction, const Vec3& a, const Vec3& b,
                        const Vec3& c) {
    Vec3 edge1 = b - a, edge2 = c - a;
    Vec3 p = Cross(direction, edge2);
    float det = Dot(edge1, p);
    if (std::abs(det) < 1e-12f) {
        return -1.0f;
    }
    float inv = 1.0f / det;
    Vec3 s = origin - a;
    float u = Dot(s, p) * inv;
    if (u < 0.0f || u > 1.0f) {
        return -1.0f;
    }
    Vec3 q = Cross(s, edge1);
    float v = Dot(direction, q) * inv;
    if (v < 0.0f || u + v > 1.0f) {
        return -1.0f;
    }
    return Dot(edge2, q) * inv;
}

struct Hit {
    float distance = std::numeric_limits<float>::max();
    PickResult result;
};

void PickClump(Clump& clump, const Camera& camera, const Vec3& origin, const Vec3& direction, Hit& best) {
    Matrix world = clump.WorldMatrixSeenBy(camera);
    std::vector<Vec3> points;
    points.reserve(clump.Vertices().size());
    for (const Vertex& v : clump.Vertices()) {
        points.push_back(world.TransformPoint(v.position));
    }
    for (const Polygon& polygon : clump.Polygons()) {
        const Vec3& first = points[polygon.vertices[0] - 1];
        for (std::size_t i = 1; i + 1 < polygon.vertices.size(); ++i) {
            float t = IntersectTriangle(origin, direction, first, points[polygon.vertices[i] - 1],
                                        points[polygon.vertices[i + 1] - 1]);
            if (t <= 0.0f || t >= best.distance) {
                continue;
            }
            Vec3 hit = origin + direction * t;
            auto nearest = std::min_element(
                polygon.vertices.begin(), polygon.vertices.end(),
                [&](int a, int b) { return Length(points[a - 1] - hit) < Length(points[b - 1] - hit); });
            best.distance = t;
            best.result = {&clump, *nearest, hit};
        }
    }
    for (const auto& child : clump.Children()) {
        PickClump(*child, camera, origin, direction, best);
    }
}

}  // namespace

Scene::~Scene() {
    Compact();
    for (Clump* clump : m_clumps) {
        clump->m_scene = nullptr;
        clump->m_inBatch = false;
    }
}

Light* Scene::AddLight(std::unique_ptr<Light> light) {
    if (!light) {
        return nullptr;
    }
    m_lights.push_back(std::move(light));
    return m_lights.back().get();
}

bool Scene::Add(Clump& clump) {
    if (clump.m_parent) {
        return false;
    }
    if (clump.m_scene == this) {
        return true;
    }
    clump.RemoveFromScene();
    clump.m_scene = this;
    m_places[&clump] = m_clumps.size();
    m_clumps.push_back(&clump);
    m_drawingOrderStale = true;
    if (clump.IsBatched()) {
        m_batches->Add(clump);
        clump.m_inBatch = true;
    }
    return true;
}

void Scene::Remove(Clump& clump) {
    if (clump.m_scene != this) {
        return;
    }
    const auto place = m_places.find(&clump);
    m_clumps[place->second] = nullptr;
    m_places.erase(place);
    ++m_gaps;
    // Gaps never outnumber the clumps, however long no one reads the list.
    if (m_gaps > m_places.size()) {
        Compact();
    }
    m_drawingOrderStale = true;
    if (clump.m_inBatch) {
        m_batches->Remove(clump);
        clump.m_inBatch = false;
    }
    clump.m_scene = nullptr;
}

const std::vector<Clump*>& Scene::Clumps() const {
    Compact();
    return m_clumps;
}

void Scene::Compact() const {
    if (m_gaps == 0) {
        return;
    }
    m_compactedPlaces += m_clumps.size();
    std::erase(m_clumps, nullptr);
    for (std::size_t place = 0; place < m_clumps.size(); ++place) {
        m_places[m_clumps[place]] = place;
    }
    m_gaps = 0;
}

const std::vector<const Clump*>& Scene::SingleClumps() const {
    SortForDrawing();
    return m_single;
}

std::size_t Scene::SinglesBeforeBatches() const {
    SortForDrawing();
    return m_singlesBeforeBatches;
}

void Scene::SortForDrawing() const {
    if (!m_drawingOrderStale) {
        return;
    }
    m_single.clear();
    m_singlesBeforeBatches = 0;
    bool batchSeen = false;
    for (const Clump* clump : Clumps()) {
        batchSeen = batchSeen || clump->InBatch();
        if (!clump->InBatch()) {
            m_single.push_back(clump);
            m_singlesBeforeBatches += batchSeen ? 0 : 1;
        }
    }
    m_drawingOrderStale = false;
}

void Scene::ForEachClump(const std::function<void(Clump&)>& visit) const {
    // A copy, so that the visitor may take clumps out.
    std::vector<Clump*> clumps = Clumps();
    for (Clump* clump : clumps) {
        visit(*clump);
    }
}

std::optional<PickResult> Scene::Pick(const Camera& camera, float x, float y) const {
    const Rect& viewport = camera.Viewport();
    if (x < 0 || y < 0 || x >= viewport.width || y >= viewport.height) {
        return std::nullopt;
    }
    Vec3 origin = camera.Position();
    Vec3 direction = camera.RayThrough(x + 0.5f, y + 0.5f);
    Hit best;
    for (Clump* clump : Clumps()) {
        PickClump(*clump, camera, origin, direction, best);
    }
    if (!best.result.clump) {
        return std::nullopt;
    }
    return best.result;
}

void Scene::Render(Camera& camera) const {
    if (camera.Target()) {
        camera.Target()->DrawScene(*this, camera);
    }
}

}  // namespace r3d
