#include "track/CPieceMapping.h"

#include "model/CTool.h"
#include "platform/gdi/CDC.h"

CPieceMapping::CPieceMapping(const CTool& tool, const CPlacement& placement, const CDC& dc)
    : m_tool(tool),
      m_placement(placement),
      m_byTool(!dc.FastPathsEnabled() || tool.MapsForPrint()),
      m_zoom(tool.ZoomFactor()),
      m_pixels(dc.Mapping()) {}

CPoint CPieceMapping::ByTool(CDoublePoint world) const {
    return m_tool.LayoutToDevice(world.x, world.y, 1);
}
