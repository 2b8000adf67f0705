#pragma once

#include <array>

#include "model/CPlacement.h"
#include "model/Geometry.h"
#include "platform/gdi/CPoint.h"
#include "platform/gdi/DeviceMapping.h"

class CDC;
class CTool;

// A tie's two ends, in logical units or in pixels.
using TieEnds = std::array<CPoint, 2>;

// A piece's local points in the plan's logical units, exactly as CParTrack::ToDevice puts them,
// with the zoom worked out once for all the points of one drawing instead of once a point. On a
// DC without shortcuts every point goes the tool's own way, to compare with.
class CPieceMapping {
  public:
    CPieceMapping(const CTool& tool, const CPlacement& placement, const CDC& dc);

    CPoint operator()(CDoublePoint local) const {
        const CDoublePoint world = m_placement.ToWorld(local);
        if (m_byTool)
            return ByTool(world);
        return CPoint(TruncateCoordinate(world.x * m_zoom), TruncateCoordinate(world.y * m_zoom));
    }

    // A logical point on the DC's pixels, as the DC maps it.
    CPoint Pixel(POINT logical) const { return m_pixels(logical); }

  private:
    CPoint ByTool(CDoublePoint world) const;

    const CTool& m_tool;
    const CPlacement& m_placement;
    bool m_byTool;
    double m_zoom;
    DeviceMapping m_pixels;
};
