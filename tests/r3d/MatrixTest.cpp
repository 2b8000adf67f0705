#include "platform/r3d/Matrix.h"

#include <gtest/gtest.h>

using namespace r3d;

namespace {

void ExpectNear(const Vec3& actual, const Vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

}  // namespace

TEST(Matrix, NewMatrixIsIdentityAndRotationsAreRightHanded) {
    Matrix m;
    ExpectNear(m.TransformPoint({1, 2, 3}), {1, 2, 3});
    // A plan direction (cos a, sin a) is (cos a, 0, -sin a) in 3D; turning about +y by a gets it there.
    ExpectNear(Matrix::Rotation({0, 1, 0}, 90).TransformVector({1, 0, 0}), {0, 0, -1});
    ExpectNear(Matrix::Rotation({1, 0, 0}, 90).TransformVector({0, 1, 0}), {0, 0, 1});
    ExpectNear(Matrix::Rotation({0, 0, 1}, 90).TransformVector({1, 0, 0}), {0, 1, 0});
}

TEST(Matrix, CombineModesReplaceBeforeAndAfter) {
    Matrix m;
    m.Translate({10, 0, 0}, Combine::Replace);
    m.Scale({2, 2, 2}, Combine::After);  // scales the translated point
    ExpectNear(m.TransformPoint({1, 0, 0}), {22, 0, 0});
    m.Translate({10, 0, 0}, Combine::Replace);
    m.Scale({2, 2, 2}, Combine::Before);  // scales before translating
    ExpectNear(m.TransformPoint({1, 0, 0}), {12, 0, 0});
    m.Rotate({0, 1, 0}, 90, Combine::Replace);
    ExpectNear(m.Translation(), {0, 0, 0});
    // A vector ignores the translation, a point does not.
    m.Translate({0, 5, 0}, Combine::After);
    ExpectNear(m.TransformVector({1, 0, 0}), {0, 0, -1});
    ExpectNear(m.TransformPoint({1, 0, 0}), {0, 5, -1});
}

TEST(Matrix, InverseUndoesAndSingularGivesIdentity) {
    Matrix m = Matrix::Rotation({1, 2, 3}, 37);
    m.Scale({2, 3, 0.5f}, Combine::After);
    m.Translate({4, -5, 6}, Combine::After);
    Vec3 p{0.3f, -7, 2};
    ExpectNear(m.Inverse().TransformPoint(m.TransformPoint(p)), p);
    ExpectNear(Matrix::Scaling({0, 1, 1}).Inverse().TransformPoint(p), p);
}

TEST(Matrix, AxisAngleOfRotations) {
    Vec3 axis;
    float degrees = 0;
    Matrix::Rotation({0, 1, 0}, 30).ToAxisAngle(axis, degrees);
    ExpectNear(axis, {0, 1, 0});
    EXPECT_NEAR(degrees, 30, 1e-3f);
    Matrix::Rotation({1, 0, 0}, -45).ToAxisAngle(axis, degrees);
    ExpectNear(axis, {-1, 0, 0});
    EXPECT_NEAR(degrees, 45, 1e-3f);
    Matrix::Rotation({0, 0, 1}, 180).ToAxisAngle(axis, degrees);
    ExpectNear(axis, {0, 0, 1});
    EXPECT_NEAR(degrees, 180, 1e-3f);
    Matrix().ToAxisAngle(axis, degrees);
    EXPECT_EQ(degrees, 0.0f);
    // Scaling does not disturb the reading.
    Matrix scaled = Matrix::Rotation({0, 1, 0}, 60);
    scaled.Scale({3, 2, 5}, Combine::Before);
    scaled.ToAxisAngle(axis, degrees);
    EXPECT_NEAR(degrees, 60, 1e-2f);
}
