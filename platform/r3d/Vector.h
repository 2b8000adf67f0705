#pragma once

#include <cmath>

namespace r3d {

// A point or direction in 3D; the library's reals are floats.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vec3& operator+=(const Vec3& o) { return *this = *this + o; }
    bool operator==(const Vec3&) const = default;
};

inline float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

// A zero vector stays zero rather than becoming NaN.
inline Vec3 Normalize(const Vec3& v) {
    float length = Length(v);
    return length > 0.0f ? v * (1.0f / length) : v;
}

}  // namespace r3d
