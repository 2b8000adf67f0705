#pragma once

#include "platform/r3d/Matrix.h"
#include "platform/r3d/Raster.h"

#include <memory>
#include <optional>

class PixelSurface;

namespace r3d {

class Clump;
class RenderTarget;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// A perspective camera with its own picture raster. The view window is the full width and height
// of what the camera sees at distance 1 from the eye; the viewport is the pixel rectangle of the
// raster the view fills. A new or reset camera stands at the origin looking along +z, up +y.
class Camera {
  public:
    Camera(int rasterWidth, int rasterHeight);
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;
    ~Camera();

    int RasterWidth() const { return m_rasterWidth; }
    int RasterHeight() const { return m_rasterHeight; }

    void Reset();
    void SetViewWindow(float width, float height);
    float ViewWindowWidth() const { return m_viewWidth; }
    float ViewWindowHeight() const { return m_viewHeight; }
    // Clipped to the raster; an empty rectangle leaves the viewport as it was.
    void SetViewport(const Rect& viewport);
    const Rect& Viewport() const { return m_viewport; }
    void SetBackgroundColor(float red, float green, float blue);
    Vec3 BackgroundColor() const { return m_background; }

    Vec3 Position() const { return m_position; }
    Vec3 Forward() const { return m_forward; }
    Vec3 Up() const { return m_up; }
    Vec3 Right() const { return Cross(m_forward, m_up); }

    void MoveBy(const Vec3& worldOffset);
    // Straight up or down the camera's right side becomes world +x.
    void LookAt(const Vec3& target);
    // x to the right, y up, z forward.
    void MoveAlongAxes(const Vec3& offset);
    // Positive degrees look down.
    void Tilt(float degrees);
    // Positive degrees lean the picture's up to the right.
    void Roll(float degrees);
    // Positive degrees turn left.
    void Turn(float degrees);
    // Turns the camera by the matrix's rotation about its own position.
    void Transform(const Matrix& m);
    // Camera to world. Camera space has x to the LEFT, y up and z forward, so a caller building a
    // ray with x to the right mirrors x first.
    Matrix CameraMatrix() const;

    // Viewport pixel (x right, y down, fractions allowed) to a world ray direction, and back.
    Vec3 RayThrough(float x, float y) const;
    std::optional<Vec3> Project(const Vec3& world) const;
    // The viewport rectangle the clump's bounds cover, or nothing when it is behind the camera.
    std::optional<Rect> ScreenRect(const Clump& clump) const;

    // The backdrop is drawn into the viewport behind the scene, repeated sideways.
    void SetBackdrop(std::shared_ptr<Raster> backdrop) { m_backdrop = std::move(backdrop); }
    const std::shared_ptr<Raster>& Backdrop() const { return m_backdrop; }
    void SetBackdropRect(const Rect& rect) { m_backdropRect = rect; }
    const Rect& BackdropRect() const { return m_backdropRect; }
    void SetBackdropOffset(int x, int y);
    int BackdropOffsetX() const { return m_backdropOffsetX; }
    int BackdropOffsetY() const { return m_backdropOffsetY; }

    // The frame: BeginUpdate, Clear (background and backdrop), Scene::Render, EndUpdate; the
    // picture then holds the viewport's pixels. BeginUpdate fails when no rendering context can be had.
    bool BeginUpdate();
    void Clear();
    void EndUpdate();
    // Read from the frame when first asked for, so that a frame only shown costs no copy here.
    const Raster& Picture() const;
    // The last frame's pixels into a surface of the viewport's size, for showing in a window.
    void ReadPixels(PixelSurface& surface) const;
    RenderTarget* Target() const { return m_target.get(); }

  private:
    int m_rasterWidth;
    int m_rasterHeight;
    Vec3 m_position;
    Vec3 m_forward{0, 0, 1};
    Vec3 m_up{0, 1, 0};
    float m_viewWidth = 1.0f;
    float m_viewHeight = 1.0f;
    Rect m_viewport;
    Vec3 m_background;
    std::shared_ptr<Raster> m_backdrop;
    Rect m_backdropRect;
    int m_backdropOffsetX = 0;
    int m_backdropOffsetY = 0;
    mutable Raster m_picture;
    // The viewport of the frame the picture has yet to be read from.
    mutable std::optional<Rect> m_unreadFrame;
    std::unique_ptr<RenderTarget> m_target;
};

}  // namespace r3d
