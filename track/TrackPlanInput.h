#pragma once

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
// While the engine tests a band it holds it in layout units: a world point truncated to them.
CPoint BandPoint(const CDoublePoint& world);
// Whether the band holds either end of a segment or meets one of its sides.
bool BandMeetsSegment(const DeviceRect& band, const CPoint& a, const CPoint& b);
