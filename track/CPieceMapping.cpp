#include "track/CPieceMapping.h"

#include "model/CTool.h"
#include "platform/gdi/CDC.h"

CPieceMapping::CPieceMapping(const CTool& tool, const CPlacement& placement, const CDC& dc)
    : m_tool(tool),
      m_placement(placement),
      m_byTool(!dc.FastPathsEnabled() || (tool.IsPrinting() && tool.m_pHost != nullptr)),
      m_zoom(tool.m_fZoomDenominator != 0.0 ? tool.m_fZoomNumerator / tool.m_fZoomDenominator : 0.0),
      m_pixels(dc.Mapping()) {}

CPoint CPieceMapping::ByTool(CDoublePoint world) const {
    return m_tool.LayoutToDevice(world.x, world.y, 1);
}
