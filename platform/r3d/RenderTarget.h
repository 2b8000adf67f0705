#pragma once

#include "platform/r3d/Raster.h"

class PixelSurface;

#include <cstdint>
#include <memory>
#include <vector>

namespace r3d {

class Camera;
class Scene;
class Texture;
struct Rect;

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
    // How many of the scene's shared meshes the last DrawScene drew; it left out those the
    // camera could not see.
    int SharedMeshesDrawn() const { return m_sharedMeshesDrawn; }
    // The viewport's pixels into the given picture, whose storage is kept when its size already fits.
    void ReadPicture(const Rect& viewport, Raster& picture);
    // The viewport's pixels as 0x00RRGGBB words, rows from the top, into a surface of the
    // viewport's size: the form a window shows without converting them again.
    void ReadPixels(const Rect& viewport, PixelSurface& surface);

  private:
    RenderTarget(int width, int height);
    void SetViewport(const Camera& camera);
    void DrawBackdrop(const Camera& camera);
    // The viewport's pixels as the framebuffer holds them: blue, green, red, alpha, rows from the bottom.
    const std::uint8_t* ReadBack(const Rect& viewport);

    int m_width;
    int m_height;
    unsigned m_framebuffer = 0;
    unsigned m_colour = 0;
    unsigned m_depth = 0;
    std::shared_ptr<Texture> m_backdrop;
    std::shared_ptr<Raster> m_backdropSource;
    std::vector<std::uint8_t> m_readBack;
    int m_sharedMeshesDrawn = 0;
};

}  // namespace r3d
