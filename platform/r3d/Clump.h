#pragma once

#include "platform/r3d/Box.h"
#include "platform/r3d/Matrix.h"
#include "platform/r3d/Polygon.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace r3d {

class Camera;
class GpuMesh;
class Scene;

struct Vertex {
    Vec3 position;
    float u = 0.0f;
    float v = 0.0f;
};

// A model: vertices, polygons, an integer tag, child clumps it owns, and two transforms.
// A vertex p of the model lands at p x orientation x modelling x (the parent's world matrix).
class Clump {
  public:
    Clump();
    Clump(const Clump&) = delete;
    Clump& operator=(const Clump&) = delete;
    ~Clump();

    // An upright textured rectangle one unit high, standing on y = 0 and centred on x = 0,
    // that always turns about the vertical to face the camera.
    static std::unique_ptr<Clump> MakeSprite(std::shared_ptr<Texture> texture);
    // A deep copy (geometry, surfaces, transforms and children), in no scene.
    std::unique_ptr<Clump> Clone() const;

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    bool IsSprite() const { return m_sprite; }
    // A batched clump is drawn merged with the scene's other batched clumps, in a few shared
    // meshes: for the many models that seldom change, such as track. Read when it joins a scene.
    bool IsBatched() const { return m_batched; }
    void SetBatched(bool batched) { m_batched = batched; }
    // Whether the scene draws it inside one of its shared meshes.
    bool InBatch() const { return m_inBatch; }

    // Returns the new vertex's number (from 1).
    int AddVertex(const Vec3& position, float u = 0.0f, float v = 0.0f);
    int VertexCount() const { return static_cast<int>(m_vertices.size()); }
    bool GetVertex(int number, Vec3& position) const;
    bool SetVertex(int number, const Vec3& position);
    const std::vector<Vertex>& Vertices() const { return m_vertices; }

    // Needs at least three valid vertex numbers; returns the polygon or nullptr.
    Polygon* AddPolygon(std::span<const int> numbers, const Material& material, int tag = 0);
    const std::vector<Polygon>& Polygons() const { return m_polygons; }
    void ForEachPolygon(const std::function<void(Polygon&)>& visit);
    void SetDrawStyle(DrawStyle style);
    void SetTexture(const std::shared_ptr<Texture>& texture);
    // The polygon whose corners are exactly these vertex numbers (in any rotation), or nullptr.
    Polygon* FindPolygon(std::span<const int> numbers);
    // Unit normal in the clump's own coordinates, counter-clockwise corners facing the viewer.
    Vec3 PolygonNormal(const Polygon& polygon) const;

    void Transform(const Matrix& m, Combine mode);
    void Orient(const Matrix& m, Combine mode);
    void ResetTransform();
    Matrix LocalMatrix() const { return m_orientation * m_modelling; }
    Matrix WorldMatrix() const;
    // As WorldMatrix, turned to face the camera when the clump is a sprite.
    Matrix WorldMatrixSeenBy(const Camera& camera) const;
    Vec3 Position() const { return WorldMatrix().Translation(); }
    // World bounds of the clump's own vertices (not its children's).
    Box Bounds() const;

    Clump* Parent() const { return m_parent; }
    const std::vector<std::unique_ptr<Clump>>& Children() const { return m_children; }
    Clump* AddChild(std::unique_ptr<Clump> child);
    Scene* InScene() const { return m_scene; }
    void RemoveFromScene();

    // Changes whenever geometry or surfaces change, so that cached device copies are refreshed.
    unsigned Generation() const { return m_generation; }
    // Changes with the faces, their surfaces and the number of vertices, not when vertices move.
    unsigned ShapeGeneration() const { return m_shapeGeneration; }
    std::unique_ptr<GpuMesh>& DeviceMesh() const { return m_mesh; }

  private:
    friend class Scene;

    void ShapeChanged();
    // Tells the scene's shared meshes, when they hold this clump's model, that it changed.
    void ReportChange();

    std::vector<Vertex> m_vertices;
    std::vector<Polygon> m_polygons;
    std::vector<std::unique_ptr<Clump>> m_children;
    Matrix m_orientation;
    Matrix m_modelling;
    Clump* m_parent = nullptr;
    Scene* m_scene = nullptr;
    int m_tag = 0;
    bool m_sprite = false;
    bool m_batched = false;
    bool m_inBatch = false;
    unsigned m_generation = 1;
    unsigned m_shapeGeneration = 1;
    mutable std::unique_ptr<GpuMesh> m_mesh;
};

}  // namespace r3d
