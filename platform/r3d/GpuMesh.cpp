#include "platform/r3d/GpuMesh.h"

#include "platform/r3d/GlContext.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <set>
#include <type_traits>

namespace r3d {

namespace {

static_assert(std::is_standard_layout_v<Vertex> && sizeof(Vertex) == 5 * sizeof(float),
              "vertices go to the device as they are: position, then texture coordinates");

using FaceRun = GpuMesh::FaceRun;

FaceRun& RunFor(std::vector<FaceRun>& runs, const Material& material, bool lines, bool frontOnly) {
    // Builders give long runs of one surface, so the last run is nearly always the one.
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (it->lines == lines && it->frontOnly == frontOnly && it->material == material) {
            return *it;
        }
    }
    runs.push_back({material, lines, frontOnly, {}});
    return runs.back();
}

// The corners turned to start at the lowest one, so a face names one sequence however it starts.
std::vector<int> FromLowestCorner(std::vector<int> corners) {
    std::rotate(corners.begin(), std::min_element(corners.begin(), corners.end()), corners.end());
    return corners;
}

// For each polygon: whether another face has its corners in the opposite turn.
std::vector<bool> BackToBackFaces(const std::vector<Polygon>& polygons) {
    std::set<std::vector<int>> faces;
    for (const Polygon& polygon : polygons) {
        if (polygon.vertices.size() >= 3)
            faces.insert(FromLowestCorner(polygon.vertices));
    }
    std::vector<bool> backToBack(polygons.size(), false);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const std::vector<int>& corners = polygons[i].vertices;
        if (corners.size() >= 3)
            backToBack[i] = faces.count(FromLowestCorner({corners.rbegin(), corners.rend()})) > 0;
    }
    return backToBack;
}

// Wireframe polygons as their edges, the others as a fan of triangles from the first corner.
void AddIndices(std::vector<unsigned>& indices, const Polygon& polygon, bool lines, unsigned firstVertex) {
    const std::vector<int>& corners = polygon.vertices;
    std::size_t count = corners.size();
    auto at = [&](std::size_t i) { return firstVertex + static_cast<unsigned>(corners[i] - 1); };
    for (std::size_t i = 0; i < count; ++i) {
        if (lines) {
            indices.insert(indices.end(), {at(i), at((i + 1) % count)});
        } else if (i + 2 < count) {
            indices.insert(indices.end(), {at(0), at(i + 1), at(i + 2)});
        }
    }
}

bool SameVertex(const Vertex& a, const Vertex& b) {
    return std::memcmp(&a, &b, sizeof(Vertex)) == 0;
}

}  // namespace

GpuMesh::~GpuMesh() {
    GlContext::ReleaseBuffer(m_vertexBuffer);
    GlContext::ReleaseBuffer(m_indexBuffer);
    GlContext::ReleaseVertexArray(m_vertexArray);
}

void GpuMesh::Refresh(const Clump& clump) {
    if (m_generation == clump.Generation() && m_vertexArray) {
        return;
    }
    m_generation = clump.Generation();
    if (m_shapeGeneration == clump.ShapeGeneration() && m_vertexArray) {
        SendMovedVertices(clump.Vertices());
        return;
    }
    m_shapeGeneration = clump.ShapeGeneration();
    Build(clump);
}

void GpuMesh::AddFaces(std::vector<FaceRun>& runs, const std::vector<Polygon>& polygons,
                       unsigned firstVertex) {
    const std::vector<bool> backToBack = BackToBackFaces(polygons);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        const Polygon& polygon = polygons[i];
        bool lines = polygon.material.style == DrawStyle::Wireframe;
        AddIndices(RunFor(runs, polygon.material, lines, backToBack[i] && !lines).indices, polygon, lines,
                   firstVertex);
    }
}

void GpuMesh::Build(const Clump& clump) {
    std::vector<FaceRun> runs;
    AddFaces(runs, clump.Polygons(), 0);
    m_sent = clump.Vertices();
    Upload(m_sent, runs);
}

void GpuMesh::Upload(std::span<const Vertex> vertices, const std::vector<FaceRun>& runs) {
    static_assert(sizeof(unsigned) == sizeof(GLuint));
    std::vector<GLuint> indices;
    m_batches.clear();
    for (const FaceRun& run : runs) {
        m_batches.push_back({run.material, static_cast<int>(indices.size()),
                             static_cast<int>(run.indices.size()), run.lines, run.frontOnly});
        indices.insert(indices.end(), run.indices.begin(), run.indices.end());
    }
    if (!m_vertexArray) {
        glGenVertexArrays(1, &m_vertexArray);
        glGenBuffers(1, &m_vertexBuffer);
        glGenBuffers(1, &m_indexBuffer);
    }
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    const GLsizei stride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, u)));
    glBindVertexArray(0);
}

// Sends the run from the first to the last vertex that moved since the last upload.
void GpuMesh::SendMovedVertices(const std::vector<Vertex>& vertices) {
    std::size_t first = 0, end = vertices.size();
    while (first < end && SameVertex(vertices[first], m_sent[first])) {
        ++first;
    }
    while (end > first && SameVertex(vertices[end - 1], m_sent[end - 1])) {
        --end;
    }
    if (first == end) {
        return;
    }
    std::copy(vertices.begin() + first, vertices.begin() + end, m_sent.begin() + first);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(first * sizeof(Vertex)),
                    static_cast<GLsizeiptr>((end - first) * sizeof(Vertex)), &m_sent[first]);
}

}  // namespace r3d
