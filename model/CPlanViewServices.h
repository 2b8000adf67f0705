#pragma once

#include "platform/gdi/CPoint.h"

// What the document and its editing engine need of a plan view beyond the framework's view:
// its own zoom, repainting what the engine marked dirty, the middle of its window, and the end
// of a point entry. The
// plan view implements it; the document finds its plan views among its views.
class CPlanViewServices {
  public:
    virtual ~CPlanViewServices() = default;

    virtual void SetZoom(double zoom) = 0;
    // Redraws the engine's dirty area at once, mapped to this view's zoom; the document asks
    // every plan view of the layout, then empties the area. Answers false when the view holds
    // its repaint back and the area must wait.
    virtual bool RepaintMarkedArea() = 0;
    // The centre of the client area in logical units.
    virtual CPoint GetCenterPoint() = 0;
    // Ends a point entry under way as Escape does; nothing when none is.
    virtual void EndPointEntry() = 0;
};
