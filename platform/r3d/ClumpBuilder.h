#pragma once

#include "platform/r3d/Clump.h"

#include <memory>
#include <span>
#include <vector>

namespace r3d {

// Builds one clump vertex by vertex and face by face. Faces take the current surface; the surface
// can be saved and restored around a change (PushSurface, PopSurface).
class ClumpBuilder {
  public:
    ClumpBuilder();

    void SetTag(int tag) { m_clump->SetTag(tag); }
    void SetBatched(bool batched) { m_clump->SetBatched(batched); }

    Material& Surface() { return m_surface; }
    void SetSurface(const Material& material) { m_surface = material; }
    void PushSurface() { m_saved.push_back(m_surface); }
    void PopSurface();
    void SetColor(float red, float green, float blue);
    void SetOpacity(float opacity) { m_surface.opacity = opacity; }
    void SetSurfaceFactors(float ambient, float diffuse, float specular);
    void SetDrawStyle(DrawStyle style) { m_surface.style = style; }
    void SetTexture(std::shared_ptr<Texture> texture) { m_surface.texture = std::move(texture); }

    // Returns the vertex number (from 1).
    int AddVertex(const Vec3& position) { return m_clump->AddVertex(position); }
    int AddVertex(const Vec3& position, float u, float v) { return m_clump->AddVertex(position, u, v); }
    // Faces over vertex numbers; false (and no face) when a number is out of range.
    bool AddTriangle(int a, int b, int c, int tag = 0);
    bool AddQuad(int a, int b, int c, int d, int tag = 0);
    bool AddPolygon(std::span<const int> numbers, int tag = 0);
    // Solids centred on the clump's origin: a block of the given size, and a sphere of the given
    // diameter whose smoothness grows with the level.
    void AddBlock(const Vec3& size);
    void AddSphere(float diameter, int level);

    // Hands over the finished clump; the builder is empty afterwards.
    std::unique_ptr<Clump> Finish();

  private:
    std::unique_ptr<Clump> m_clump;
    Material m_surface;
    std::vector<Material> m_saved;
};

}  // namespace r3d
