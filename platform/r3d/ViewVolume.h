#pragma once

#include "platform/r3d/Box.h"
#include "platform/r3d/Matrix.h"

namespace r3d {

class Camera;

// What a camera shows: the space between its near and far planes and inside the four sides of
// its picture. Answers whether a box may show, so that what cannot is not drawn.
class ViewVolume {
  public:
    // World to eye (the eye looks down its -z), then the perspective whose window at distance 1
    // is the camera's view window; as a row-vector matrix to clip coordinates.
    static Matrix WorldToClip(const Camera& camera);

    explicit ViewVolume(const Camera& camera) : m_toClip(WorldToClip(camera)) {}

    // False only when every corner lies beyond one and the same side: then nothing in the box
    // can reach a pixel. A box across a side or a corner of the volume may show.
    bool MayShow(const Box& box) const;

  private:
    Matrix m_toClip;
};

}  // namespace r3d
