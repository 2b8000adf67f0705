#pragma once

#include "platform/r3d/Vector.h"

namespace r3d {
class Camera;
class Clump;
}  // namespace r3d

// A ray in world space through a pixel of a camera's viewport.
struct PickRay {
    r3d::Vec3 origin;
    r3d::Vec3 direction;
};

// The ray from the eye through window pixel (x, y) of the camera's viewport.
PickRay MakePickRay(const r3d::Camera& camera, int x, int y);
// FALSE when the ray runs parallel to the plane; else TRUE with the ray parameter of the meeting point.
bool IntersectRayPlane(const PickRay& ray, const r3d::Vec3& normal, const r3d::Vec3& pointOnPlane, float& t);
// The point under pixel (x, y) on the plane through the clump's position that faces the camera.
r3d::Vec3 PickGroundPoint(const r3d::Clump& clump, const r3d::Camera& camera, int x, int y);
