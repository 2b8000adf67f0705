#pragma once

#include "platform/r3d/Vector.h"

namespace r3d {

// How a new transform meets the content of a matrix. Points are row vectors (p x M), so
// Before acts on the point first and After acts on the result of the existing content.
enum class Combine { Replace = 1, Before = 2, After = 3 };

// An affine 4 x 4 transform; a new matrix is the identity.
class Matrix {
  public:
    Matrix();

    static Matrix Translation(const Vec3& offset);
    static Matrix Rotation(const Vec3& axis, float degrees);
    static Matrix Scaling(const Vec3& factors);

    void Translate(const Vec3& offset, Combine mode);
    void Rotate(const Vec3& axis, float degrees, Combine mode);
    void Scale(const Vec3& factors, Combine mode);
    void Apply(const Matrix& other, Combine mode);

    Matrix Inverse() const;
    Vec3 TransformPoint(const Vec3& p) const;
    Vec3 TransformVector(const Vec3& v) const;
    Vec3 Translation() const { return {m[3][0], m[3][1], m[3][2]}; }
    Vec3 Row(int r) const { return {m[r][0], m[r][1], m[r][2]}; }
    void SetRow(int r, const Vec3& v);

    // The rotation part as a unit axis and an angle in degrees (0 with axis (0, 1, 0) when none);
    // scaling is divided out first.
    void ToAxisAngle(Vec3& axis, float& degrees) const;

    // Sixteen floats, row after row; uploaded unchanged they form the column-vector matrix.
    const float* Data() const { return &m[0][0]; }

    friend Matrix operator*(const Matrix& a, const Matrix& b);

    float m[4][4];
};

}  // namespace r3d
