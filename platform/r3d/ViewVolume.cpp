#include "platform/r3d/ViewVolume.h"

#include "platform/r3d/Camera.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace r3d {

namespace {

constexpr float kNear = 0.05f;
constexpr float kFar = 5000.0f;

// Beyond a side of the picture by less than this share of w, a corner counts as inside, so that
// rounding here and in the device never tells them apart on a pixel.
constexpr float kMargin = 1e-3f;

struct ClipPoint {
    float x, y, z, w;
};

ClipPoint ToClip(const Matrix& m, const Vec3& p) {
    auto column = [&](int c) { return p.x * m.m[0][c] + p.y * m.m[1][c] + p.z * m.m[2][c] + m.m[3][c]; };
    return {column(0), column(1), column(2), column(3)};
}

// The six sides as how far a clip point lies beyond them; positive is outside. The margin
// widens the picture's sides only: depth is kept at full precision near the far plane.
std::array<float, 6> Beyond(const ClipPoint& c) {
    const float reach = c.w + kMargin * std::abs(c.w);
    return {c.x - reach, -c.x - reach, c.y - reach, -c.y - reach, c.z - c.w, -c.z - c.w};
}

}  // namespace

Matrix ViewVolume::WorldToClip(const Camera& camera) {
    Vec3 right = camera.Right(), up = camera.Up(), back = -camera.Forward();
    Matrix view;
    view.SetRow(0, {right.x, up.x, back.x});
    view.SetRow(1, {right.y, up.y, back.y});
    view.SetRow(2, {right.z, up.z, back.z});
    view.SetRow(3, -view.TransformVector(camera.Position()));
    Matrix projection;
    projection.m[0][0] = 2.0f / camera.ViewWindowWidth();
    projection.m[1][1] = 2.0f / camera.ViewWindowHeight();
    projection.m[2][2] = (kFar + kNear) / (kNear - kFar);
    projection.m[2][3] = -1.0f;
    projection.m[3][2] = 2.0f * kFar * kNear / (kNear - kFar);
    projection.m[3][3] = 0.0f;
    return view * projection;
}

bool ViewVolume::MayShow(const Box& box) const {
    if (box.Empty()) {
        return false;
    }
    std::array<bool, 6> allBeyond;
    allBeyond.fill(true);
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
                     corner & 4 ? box.max.z : box.min.z};
        const std::array<float, 6> beyond = Beyond(ToClip(m_toClip, p));
        for (std::size_t side = 0; side < beyond.size(); ++side) {
            allBeyond[side] = allBeyond[side] && beyond[side] > 0.0f;
        }
    }
    return std::none_of(allBeyond.begin(), allBeyond.end(), [](bool beyond) { return beyond; });
}

}  // namespace r3d
