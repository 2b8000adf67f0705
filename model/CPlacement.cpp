#include "model/CPlacement.h"

#include <cmath>

CPlacement::CPlacement(const CPose& own, const CPose& parent) : m_world(own.ComposedWith(parent)) {
    // One angle in a local, so that both come from one sincos.
    const double angle = m_world.angle;
    m_cos = std::cos(angle);
    m_sin = std::sin(angle);
}
