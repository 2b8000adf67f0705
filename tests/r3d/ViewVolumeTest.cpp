#include "platform/r3d/Camera.h"
#include "platform/r3d/ViewVolume.h"

#include <gtest/gtest.h>

using namespace r3d;

namespace {

Box Cube(const Vec3& middle, float half) {
    Box box;
    box.Extend(middle - Vec3{half, half, half});
    box.Extend(middle + Vec3{half, half, half});
    return box;
}

}  // namespace

TEST(ViewVolume, BoxesShowInsideTheCameraViewAndAcrossItsSidesButNotBeyondOneSide) {
    // At the origin looking along +z; the view window spans 1 x 0.5 at distance 1, so at
    // distance 10 the picture's sides are 5 to the left and right and 2.5 above and below.
    Camera camera(400, 200);
    camera.SetViewWindow(1.0f, 0.5f);
    const ViewVolume volume(camera);

    EXPECT_TRUE(volume.MayShow(Cube({0, 0, 10}, 0.5f))) << "straight ahead";
    EXPECT_TRUE(volume.MayShow(Cube({0, 0, 0}, 0.5f))) << "around the eye";
    EXPECT_TRUE(volume.MayShow(Cube({5.2f, 0, 10}, 0.5f))) << "across the right side";
    EXPECT_TRUE(volume.MayShow(Cube({0, 2.9f, 10}, 0.5f))) << "across the top";
    Box wide;
    wide.Extend(Vec3{-50, -1, 10});
    wide.Extend(Vec3{50, 1, 11});
    EXPECT_TRUE(volume.MayShow(wide)) << "beyond both sides but across the middle";

    EXPECT_FALSE(volume.MayShow(Cube({0, 0, -10}, 0.5f))) << "behind the eye";
    EXPECT_FALSE(volume.MayShow(Cube({6.0f, 0, 10}, 0.5f))) << "beyond the right side";
    EXPECT_FALSE(volume.MayShow(Cube({-6.0f, 0, 10}, 0.5f))) << "beyond the left side";
    EXPECT_FALSE(volume.MayShow(Cube({0, 3.5f, 10}, 0.5f))) << "above the top";
    EXPECT_FALSE(volume.MayShow(Cube({0, -3.5f, 10}, 0.5f))) << "below the bottom";
    EXPECT_FALSE(volume.MayShow(Cube({0, 0, 6000}, 0.5f))) << "beyond the far plane";
    EXPECT_FALSE(volume.MayShow(Box())) << "empty";

    // Turned to look along +x, what was ahead is now beyond the left side.
    camera.LookAt({10, 0, 0});
    const ViewVolume turned(camera);
    EXPECT_TRUE(turned.MayShow(Cube({10, 0, 0}, 0.5f)));
    EXPECT_FALSE(turned.MayShow(Cube({0, 0, 10}, 0.5f)));
}
