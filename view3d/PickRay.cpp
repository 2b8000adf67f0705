#include "view3d/PickRay.h"

#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Matrix.h"

PickRay MakePickRay(const r3d::Camera& camera, int x, int y) {
    const r3d::Rect& viewport = camera.Viewport();
    const float vpw = static_cast<float>(viewport.width);
    const float vph = static_cast<float>(viewport.height);
    const float vw = camera.ViewWindowWidth();
    const float vh = camera.ViewWindowHeight();
    // The view window spans the whole picture at distance 1, so the ray's far end lies at z = 1.
    const r3d::Vec3 direction{static_cast<float>(x) * vw / vpw - vw * 0.5f,
                              (vph - static_cast<float>(y) - 1.0f) * vh / vph - vh * 0.5f, 1.0f};
    r3d::Matrix toWorld = camera.CameraMatrix();
    // Camera space has x to the left.
    toWorld.Scale({-1.0f, 1.0f, 1.0f}, r3d::Combine::Before);
    return PickRay{toWorld.TransformPoint({}), toWorld.TransformVector(direction)};
}

bool IntersectRayPlane(const PickRay& ray, const r3d::Vec3& normal, const r3d::Vec3& pointOnPlane, float& t) {
    const float along = r3d::Dot(ray.direction, normal);
    if (along == 0.0f)
        return false;
    t = -(r3d::Dot(ray.origin, normal) - r3d::Dot(pointOnPlane, normal)) / along;
    return true;
}

r3d::Vec3 PickGroundPoint(const r3d::Clump& clump, const r3d::Camera& camera, int x, int y) {
    const r3d::Vec3 normal = camera.Forward() * -1.0f;
    const PickRay ray = MakePickRay(camera, x, y);
    float t = 0.0f;
    IntersectRayPlane(ray, normal, clump.Position(), t);
    return ray.origin + ray.direction * t;
}
