#pragma once

#include "platform/gdi/CDC.h"
#include "tests/gdi/Canvas.h"
#include "tests/track/TrackPlan.h"

// A track plan drawn on a canvas at a twentieth (one pixel per 2 mm) with y growing upward,
// rails and ties in colours of their own; a test adds its pieces, then starts the trace.
struct PlanCanvas {
    static constexpr COLORREF kRail = RGB(0, 0, 128);
    static constexpr COLORREF kTie = RGB(112, 58, 63);

    explicit PlanCanvas(int railMode);
    ~PlanCanvas();

    void Draw();
    // The canvas pixel of a layout point.
    CPoint Pixel(double x, double y) const;
    // Whether a pixel of the colour lies within one pixel of a layout point.
    bool Near(double x, double y, COLORREF color);

    TrackPlan plan;
    Canvas canvas;
};
