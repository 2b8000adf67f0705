#include "platform/r3d/Camera.h"

#include "platform/r3d/Clump.h"
#include "platform/r3d/RenderTarget.h"

#include <algorithm>
#include <cmath>

namespace r3d {

namespace {

constexpr float kNearest = 1e-4f;

}  // namespace

Camera::Camera(int rasterWidth, int rasterHeight)
    : m_rasterWidth(std::max(rasterWidth, 0)),
      m_rasterHeight(std::max(rasterHeight, 0)),
      m_viewport{0, 0, m_rasterWidth, m_rasterHeight} {}

Camera::~Camera() = default;

void Camera::Reset() {
    m_position = {};
    m_forward = {0, 0, 1};
    m_up = {0, 1, 0};
}

void Camera::SetViewWindow(float width, float height) {
    if (width > 0 && height > 0) {
        m_viewWidth = width;
        m_viewHeight = height;
    }
}

void Camera::SetViewport(const Rect& viewport) {
    int left = std::clamp(viewport.x, 0, m_rasterWidth);
    int top = std::clamp(viewport.y, 0, m_rasterHeight);
    int right = std::clamp(viewport.x + viewport.width, left, m_rasterWidth);
    int bottom = std::clamp(viewport.y + viewport.height, top, m_rasterHeight);
    if (right > left && bottom > top) {
        m_viewport = {left, top, right - left, bottom - top};
    }
}

void Camera::SetBackgroundColor(float red, float green, float blue) {
    m_background = {std::clamp(red, 0.0f, 1.0f), std::clamp(green, 0.0f, 1.0f), std::clamp(blue, 0.0f, 1.0f)};
}

void Camera::MoveBy(const Vec3& worldOffset) {
    m_position += worldOffset;
}

void Camera::LookAt(const Vec3& target) {
    Vec3 forward = Normalize(target - m_position);
    if (Length(forward) == 0.0f) {
        return;
    }
    Vec3 right = Cross(forward, {0, 1, 0});
    right = Length(right) < 1e-6f ? Vec3{1, 0, 0} : Normalize(right);
    m_forward = forward;
    m_up = Normalize(Cross(right, forward));
}

void Camera::MoveAlongAxes(const Vec3& offset) {
    m_position += Right() * offset.x + m_up * offset.y + m_forward * offset.z;
}

void Camera::Tilt(float degrees) {
    Transform(Matrix::Rotation(Right(), -degrees));
}

void Camera::Roll(float degrees) {
    Transform(Matrix::Rotation(m_forward, degrees));
}

void Camera::Turn(float degrees) {
    Transform(Matrix::Rotation(m_up, degrees));
}

void Camera::Transform(const Matrix& m) {
    Vec3 forward = Normalize(m.TransformVector(m_forward));
    Vec3 up = Normalize(m.TransformVector(m_up));
    if (Length(forward) == 0.0f || Length(up) == 0.0f) {
        return;
    }
    // Keep the frame square despite rounding or a matrix that shears.
    Vec3 right = Normalize(Cross(forward, up));
    m_forward = forward;
    m_up = Normalize(Cross(right, forward));
}

Matrix Camera::CameraMatrix() const {
    Matrix m;
    m.SetRow(0, -Right());
    m.SetRow(1, m_up);
    m.SetRow(2, m_forward);
    m.SetRow(3, m_position);
    return m;
}

Vec3 Camera::RayThrough(float x, float y) const {
    float across = (x / static_cast<float>(std::max(m_viewport.width, 1)) - 0.5f) * m_viewWidth;
    float up = (0.5f - y / static_cast<float>(std::max(m_viewport.height, 1))) * m_viewHeight;
    return m_forward + Right() * across + m_up * up;
}

std::optional<Vec3> Camera::Project(const Vec3& world) const {
    Vec3 d = world - m_position;
    float depth = Dot(d, m_forward);
    if (depth <= kNearest) {
        return std::nullopt;
    }
    float across = Dot(d, Right()) / depth / m_viewWidth;
    float up = Dot(d, m_up) / depth / m_viewHeight;
    return Vec3{(across + 0.5f) * m_viewport.width, (0.5f - up) * m_viewport.height, depth};
}

std::optional<Rect> Camera::ScreenRect(const Clump& clump) const {
    Box bounds = clump.Bounds();
    if (bounds.Empty()) {
        return std::nullopt;
    }
    Box screen;
    for (int corner = 0; corner < 8; ++corner) {
        Vec3 p{corner & 1 ? bounds.max.x : bounds.min.x, corner & 2 ? bounds.max.y : bounds.min.y,
               corner & 4 ? bounds.max.z : bounds.min.z};
        std::optional<Vec3> projected = Project(p);
        if (!projected) {
            return std::nullopt;
        }
        screen.Extend(*projected);
    }
    int left = static_cast<int>(std::floor(screen.min.x));
    int top = static_cast<int>(std::floor(screen.min.y));
    return Rect{left, top, static_cast<int>(std::ceil(screen.max.x)) - left,
                static_cast<int>(std::ceil(screen.max.y)) - top};
}

void Camera::SetBackdropOffset(int x, int y) {
    m_backdropOffsetX = x;
    m_backdropOffsetY = y;
}

bool Camera::BeginUpdate() {
    if (!m_target) {
        m_target = RenderTarget::Create(m_rasterWidth, m_rasterHeight);
    }
    return m_target && m_target->Begin(*this);
}

void Camera::Clear() {
    if (m_target) {
        m_target->Clear(*this);
    }
}

void Camera::EndUpdate() {
    if (m_target) {
        m_unreadFrame = m_viewport;
    }
}

const Raster& Camera::Picture() const {
    if (m_unreadFrame) {
        m_target->ReadPicture(*m_unreadFrame, m_picture);
        m_unreadFrame.reset();
    }
    return m_picture;
}

void Camera::ReadPixels(PixelSurface& surface) const {
    if (m_target) {
        m_target->ReadPixels(m_viewport, surface);
    }
}

}  // namespace r3d
