#pragma once

#include "platform/r3d/Material.h"

#include <vector>

namespace r3d {

class Clump;

// A clump's polygons uploaded for drawing: triangles grouped by surface, and the outlines of the
// wireframe polygons as line segments. Rebuilt when the clump's generation changes.
class GpuMesh {
  public:
    struct Batch {
        Material material;
        int first = 0;
        int count = 0;
        bool lines = false;
    };

    GpuMesh() = default;
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;
    ~GpuMesh();

    void Refresh(const Clump& clump);
    unsigned VertexArray() const { return m_vertexArray; }
    const std::vector<Batch>& Batches() const { return m_batches; }

  private:
    unsigned m_vertexArray = 0;
    unsigned m_buffer = 0;
    unsigned m_generation = 0;
    std::vector<Batch> m_batches;
};

}  // namespace r3d
