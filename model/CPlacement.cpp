#include "model/CPlacement.h"

#include <cmath>

CPlacement::CPlacement(const CPose& own, const CPose& parent)
    : m_world(own.ComposedWith(parent)), m_cos(std::cos(m_world.angle)), m_sin(std::sin(m_world.angle)) {}
