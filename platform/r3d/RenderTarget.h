#pragma once

#include "platform/r3d/Raster.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace r3d {

class Camera;
class Scene;
class Texture;

// A camera's offscreen framebuffer (colour and depth, the size of the camera's raster) and the
// drawing into it.
class RenderTarget {
  public:
    // nullptr when no rendering context can be had or the size is empty.
    static std::unique_ptr<RenderTarget> Create(int width, int height);
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;
    ~RenderTarget();

    bool Begin(const Camera& camera);
    void Clear(const Camera& camera);
    void DrawScene(const Scene& scene, const Camera& camera);
    // Into the given picture, whose storage is kept when its size already fits.
    void ReadPicture(const Camera& camera, Raster& picture);

  private:
    RenderTarget(int width, int height);
    void SetViewport(const Camera& camera);
    void DrawBackdrop(const Camera& camera);

    int m_width;
    int m_height;
    unsigned m_framebuffer = 0;
    unsigned m_colour = 0;
    unsigned m_depth = 0;
    std::shared_ptr<Texture> m_backdrop;
    std::shared_ptr<Raster> m_backdropSource;
    std::vector<std::uint8_t> m_readBack;
};

}  // namespace r3d
