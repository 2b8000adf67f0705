#pragma once

#include "platform/r3d/Clump.h"
#include "platform/r3d/Material.h"

#include <span>
#include <vector>

namespace r3d {

// A clump's geometry uploaded for drawing: its vertices as they are, shared by the faces, and
// indices over them: triangles grouped by surface, and the outlines of the wireframe polygons as
// line segments. Faces, surfaces or a new vertex build it again; moved vertices are sent alone.
// Faces are seen from both sides, except two faces over the same corners in opposite turns (a
// sheet with two sides, such as a ground with an underside): each of those only from its front,
// where its corners turn anticlockwise, so the two never fight for the same pixels.
class GpuMesh {
  public:
    struct Batch {
        Material material;
        int first = 0;  // in indices
        int count = 0;
        bool lines = false;
        bool frontOnly = false;
    };

    // Faces of one surface and kind gathered for drawing, as indices into a vertex list.
    struct FaceRun {
        Material material;
        bool lines = false;
        bool frontOnly = false;
        std::vector<unsigned> indices;
    };

    // Appends the polygons' faces to the runs of their surface and kind, their corners
    // numbered from the given first vertex.
    static void AddFaces(std::vector<FaceRun>& runs, const std::vector<Polygon>& polygons,
                         unsigned firstVertex);

    GpuMesh() = default;
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;
    ~GpuMesh();

    void Refresh(const Clump& clump);
    // Sends these vertices and faces as the whole mesh.
    void Upload(std::span<const Vertex> vertices, const std::vector<FaceRun>& runs);
    unsigned VertexArray() const { return m_vertexArray; }
    const std::vector<Batch>& Batches() const { return m_batches; }

  private:
    void Build(const Clump& clump);
    void SendMovedVertices(const std::vector<Vertex>& vertices);

    unsigned m_vertexArray = 0;
    unsigned m_vertexBuffer = 0;
    unsigned m_indexBuffer = 0;
    unsigned m_generation = 0;
    unsigned m_shapeGeneration = 0;
    std::vector<Vertex> m_sent;
    std::vector<Batch> m_batches;
};

}  // namespace r3d
