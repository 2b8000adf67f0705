#include "platform/r3d/GpuMesh.h"

#include "platform/r3d/Clump.h"
#include "platform/r3d/GlContext.h"

#include <epoxy/gl.h>

namespace r3d {

namespace {

// Position, normal, texture coordinates.
constexpr int kFloatsPerVertex = 8;

struct PendingBatch {
    Material material;
    bool lines = false;
    std::vector<float> data;
};

void Emit(std::vector<float>& data, const Vertex& v, const Vec3& normal) {
    data.insert(data.end(),
                {v.position.x, v.position.y, v.position.z, normal.x, normal.y, normal.z, v.u, v.v});
}

PendingBatch& BatchFor(std::vector<PendingBatch>& batches, const Material& material, bool lines) {
    // Builders give long runs of one surface, so the last batch is nearly always the one.
    for (auto it = batches.rbegin(); it != batches.rend(); ++it) {
        if (it->lines == lines && it->material == material) {
            return *it;
        }
    }
    batches.push_back({material, lines, {}});
    return batches.back();
}

}  // namespace

GpuMesh::~GpuMesh() {
    GlContext::ReleaseBuffer(m_buffer);
    GlContext::ReleaseVertexArray(m_vertexArray);
}

void GpuMesh::Refresh(const Clump& clump) {
    if (m_generation == clump.Generation() && m_vertexArray) {
        return;
    }
    m_generation = clump.Generation();
    const std::vector<Vertex>& vertices = clump.Vertices();
    std::vector<PendingBatch> pending;
    for (const Polygon& polygon : clump.Polygons()) {
        Vec3 normal = clump.PolygonNormal(polygon);
        bool lines = polygon.material.style == DrawStyle::Wireframe;
        std::vector<float>& data = BatchFor(pending, polygon.material, lines).data;
        std::size_t count = polygon.vertices.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (lines) {
                Emit(data, vertices[polygon.vertices[i] - 1], normal);
                Emit(data, vertices[polygon.vertices[(i + 1) % count] - 1], normal);
            } else if (i + 2 < count) {
                Emit(data, vertices[polygon.vertices[0] - 1], normal);
                Emit(data, vertices[polygon.vertices[i + 1] - 1], normal);
                Emit(data, vertices[polygon.vertices[i + 2] - 1], normal);
            }
        }
    }
    std::vector<float> all;
    m_batches.clear();
    for (PendingBatch& batch : pending) {
        int first = static_cast<int>(all.size() / kFloatsPerVertex);
        all.insert(all.end(), batch.data.begin(), batch.data.end());
        m_batches.push_back({std::move(batch.material), first,
                             static_cast<int>(batch.data.size() / kFloatsPerVertex), batch.lines});
    }
    if (!m_vertexArray) {
        glGenVertexArrays(1, &m_vertexArray);
        glGenBuffers(1, &m_buffer);
    }
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(all.size() * sizeof(float)), all.data(),
                 GL_STATIC_DRAW);
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(6 * sizeof(float)));
    glBindVertexArray(0);
}

}  // namespace r3d
