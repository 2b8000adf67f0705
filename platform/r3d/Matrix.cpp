#include "platform/r3d/Matrix.h"

#include <algorithm>
#include <iterator>
#include <numbers>

namespace r3d {

Matrix::Matrix() : m{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}} {}

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[i][k] * b.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

Matrix Matrix::Translation(const Vec3& offset) {
    Matrix r;
    r.SetRow(3, offset);
    return r;
}

// Right-handed: a positive angle turns counter-clockwise seen from the tip of the axis.
Matrix Matrix::Rotation(const Vec3& axis, float degrees) {
    Vec3 a = Normalize(axis);
    double radians = degrees * std::numbers::pi / 180.0;
    float c = static_cast<float>(std::cos(radians));
    float s = static_cast<float>(std::sin(radians));
    float t = 1.0f - c;
    Matrix r;
    r.SetRow(0, {t * a.x * a.x + c, t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y});
    r.SetRow(1, {t * a.x * a.y - s * a.z, t * a.y * a.y + c, t * a.y * a.z + s * a.x});
    r.SetRow(2, {t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * a.z * a.z + c});
    return r;
}

Matrix Matrix::Scaling(const Vec3& factors) {
    Matrix r;
    r.m[0][0] = factors.x;
    r.m[1][1] = factors.y;
    r.m[2][2] = factors.z;
    return r;
}

void Matrix::Translate(const Vec3& offset, Combine mode) {
    Apply(Translation(offset), mode);
}

void Matrix::Rotate(const Vec3& axis, float degrees, Combine mode) {
    Apply(Rotation(axis, degrees), mode);
}

void Matrix::Scale(const Vec3& factors, Combine mode) {
    Apply(Scaling(factors), mode);
}

void Matrix::Apply(const Matrix& other, Combine mode) {
    switch (mode) {
        case Combine::Replace:
            *this = other;
            break;
        case Combine::Before:
            *this = other * *this;
            break;
        case Combine::After:
            *this = *this * other;
            break;
    }
}

void Matrix::SetRow(int r, const Vec3& v) {
    m[r][0] = v.x;
    m[r][1] = v.y;
    m[r][2] = v.z;
}

// Affine inverse: invert the 3 x 3 part by cofactors, then carry the translation through it.
// A singular matrix inverts to the identity so that callers never meet NaN.
Matrix Matrix::Inverse() const {
    Vec3 r0 = Row(0), r1 = Row(1), r2 = Row(2);
    Vec3 c0 = Cross(r1, r2), c1 = Cross(r2, r0), c2 = Cross(r0, r1);
    float det = Dot(r0, c0);
    if (std::abs(det) < 1e-20f) {
        return {};
    }
    float k = 1.0f / det;
    Matrix inv;
    inv.SetRow(0, {c0.x * k, c1.x * k, c2.x * k});
    inv.SetRow(1, {c0.y * k, c1.y * k, c2.y * k});
    inv.SetRow(2, {c0.z * k, c1.z * k, c2.z * k});
    inv.SetRow(3, -inv.TransformVector(Translation()));
    return inv;
}

Vec3 Matrix::TransformVector(const Vec3& v) const {
    return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0], v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
            v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
}

Vec3 Matrix::TransformPoint(const Vec3& p) const {
    return TransformVector(p) + Translation();
}

void Matrix::ToAxisAngle(Vec3& axis, float& degrees) const {
    Vec3 x = Normalize(Row(0)), y = Normalize(Row(1)), z = Normalize(Row(2));
    // Column-vector rotation R = transpose of the rows; its skew part gives the axis.
    float trace = x.x + y.y + z.z;
    float cosine = std::clamp((trace - 1.0f) * 0.5f, -1.0f, 1.0f);
    double angle = std::acos(cosine);
    Vec3 skew{y.z - z.y, z.x - x.z, x.y - y.x};
    if (angle < 1e-6) {
        axis = {0.0f, 1.0f, 0.0f};
        degrees = 0.0f;
        return;
    }
    if (Length(skew) < 1e-4f) {
        // Half a turn: the axis is the column of R + I with the largest length.
        Vec3 candidates[3] = {Vec3{x.x + 1, y.x, z.x}, Vec3{x.y, y.y + 1, z.y}, Vec3{x.z, y.z, z.z + 1}};
        Vec3 best = *std::max_element(std::begin(candidates), std::end(candidates),
                                      [](const Vec3& a, const Vec3& b) { return Length(a) < Length(b); });
        skew = best;
    }
    axis = Normalize(skew);
    degrees = static_cast<float>(angle * 180.0 / std::numbers::pi);
}

}  // namespace r3d
