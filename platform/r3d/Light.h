#pragma once

#include "platform/r3d/Vector.h"

namespace r3d {

// A directional light: parallel rays travelling along the direction, brightness 0 to 1.
class Light {
  public:
    Light(const Vec3& direction, float brightness) : m_direction(Normalize(direction)) {
        SetBrightness(brightness);
    }

    const Vec3& Direction() const { return m_direction; }
    void SetDirection(const Vec3& direction) { m_direction = Normalize(direction); }
    float Brightness() const { return m_brightness; }
    void SetBrightness(float brightness) {
        m_brightness = brightness < 0 ? 0 : (brightness > 1 ? 1 : brightness);
    }

  private:
    Vec3 m_direction;
    float m_brightness = 1.0f;
};

}  // namespace r3d
