#pragma once

#include "platform/gdi/CPoint.h"

// What the document and its editing engine need of a plan view beyond the framework's view:
// its own zoom, repainting what the engine marked dirty, and the middle of its window. The
// plan view implements it; the document finds its plan views among its views.
class CPlanViewServices {
  public:
    virtual ~CPlanViewServices() = default;

    virtual void SetZoom(double zoom) = 0;
    // Redraws the engine's dirty area at once.
    virtual void RepaintDirty() = 0;
    // The centre of the client area in logical units.
    virtual CPoint GetCenterPoint() = 0;
};
