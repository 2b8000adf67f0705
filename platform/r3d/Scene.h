#pragma once

#include "platform/r3d/Clump.h"
#include "platform/r3d/Light.h"
#include "platform/r3d/SceneBatches.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace r3d {

class Camera;

// What a pick found: the clump whose polygon the ray met first (a child clump reports itself),
// the corner of that polygon nearest to the hit point (a vertex number from 1), and the point.
struct PickResult {
    Clump* clump = nullptr;
    int vertex = 0;
    Vec3 point;
};

// The clumps to draw and the lights to draw them with. The scene owns its lights; it does not own
// its clumps: a clump leaves the scene when it is destroyed, and a scene that goes first lets go of them.
class Scene {
  public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene();

    Light* AddLight(std::unique_ptr<Light> light);
    const std::vector<std::unique_ptr<Light>>& Lights() const { return m_lights; }
    // Light not coming from a direction; weighed by each surface's ambient factor.
    float AmbientLight() const { return m_ambient; }
    void SetAmbientLight(float intensity) { m_ambient = intensity; }

    // A clump in another scene moves here; a child clump cannot be added on its own.
    bool Add(Clump& clump);
    void Remove(Clump& clump);
    // Top-level clumps, in the order added.
    const std::vector<Clump*>& Clumps() const;
    // The places of the clump list that closing gaps has passed over so far: the work that taking
    // clumps out costs, which must grow with their number, not with its square.
    std::size_t CompactedPlaces() const { return m_compactedPlaces; }
    // The batched clumps' shared meshes; drawing brings them up to date.
    SceneBatches& Batches() const { return *m_batches; }
    // The clumps drawn one at a time, in the order added, and how many of them come before the
    // first batched clump, whose place the shared meshes take.
    const std::vector<const Clump*>& SingleClumps() const;
    std::size_t SinglesBeforeBatches() const;
    void ForEachClump(const std::function<void(Clump&)>& visit) const;
    // Whether drawing leaves out the shared meshes the camera cannot see; on unless turned off
    // to compare a frame with one that draws them all.
    bool Culling() const { return m_culling; }
    void SetCulling(bool culling) { m_culling = culling; }

    // Pixel (x right, y down) of the camera's viewport.
    std::optional<PickResult> Pick(const Camera& camera, float x, float y) const;

    // Draws every clump into the camera's current update (after Camera::BeginUpdate).
    void Render(Camera& camera) const;

  private:
    void SortForDrawing() const;
    // Closes the gaps clumps left, keeping the order of those that stay.
    void Compact() const;

    // A clump that leaves empties its place, found through m_places, so that taking many
    // clumps out costs one pass over the list, not one each.
    mutable std::vector<Clump*> m_clumps;
    mutable std::unordered_map<const Clump*, std::size_t> m_places;
    mutable std::size_t m_gaps = 0;
    mutable std::size_t m_compactedPlaces = 0;
    // Sorted again only after clumps join or leave, not for every frame.
    mutable std::vector<const Clump*> m_single;
    mutable std::size_t m_singlesBeforeBatches = 0;
    mutable bool m_drawingOrderStale = true;
    std::unique_ptr<SceneBatches> m_batches = std::make_unique<SceneBatches>();
    std::vector<std::unique_ptr<Light>> m_lights;
    float m_ambient = 1.0f;
    bool m_culling = true;
};

}  // namespace r3d
