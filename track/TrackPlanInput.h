#pragma once

#include "model/CTool.h"
#include "model/Geometry.h"
#include "model/PaintRecords.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/CPoint.h"

// What the track pieces' plan drawing and mouse handling share.

// The dotted centre line of a piece.
constexpr COLORREF kAxisColor = RGB(14, 173, 201);

// Whether the rubber band is unset: all four sides zero.
bool IsEmptyBand(const DeviceRect& band);
// Whether the band holds a device point, its right and bottom edges left out.
bool BandHolds(const DeviceRect& band, const CPoint& p);
// The band is in device units: a world point mapped by the engine's screen mapping.
CPoint BandPoint(const CTool& tool, const CDoublePoint& world);
// The band in layout units, each side truncated and the whole normalised.
DeviceRect BandInLayout(const CTool& tool);
// Whether the band holds either end of a segment or meets one of its sides.
bool BandMeetsSegment(const DeviceRect& band, const CPoint& a, const CPoint& b);
