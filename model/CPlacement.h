#pragma once

#include "model/CPose.h"
#include "model/Geometry.h"

// A local frame placed in the world: an own placement composed onto its parent's once, with
// the cosine and sine of its turn, so that placing many points costs no more turning.
class CPlacement {
  public:
    CPlacement(const CPose& own, const CPose& parent);

    CDoublePoint ToWorld(double localX, double localY) const {
        return {localX * m_cos - localY * m_sin + m_world.x, localX * m_sin + localY * m_cos + m_world.y};
    }
    CDoublePoint ToWorld(CDoublePoint local) const { return ToWorld(local.x, local.y); }
    // The composed placement itself.
    const CPose& World() const { return m_world; }

  private:
    CPose m_world;
    double m_cos;
    double m_sin;
};
