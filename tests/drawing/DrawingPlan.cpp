#include "tests/drawing/DrawingPlan.h"

#include "drawing/DrawingObjects.h"

DrawingPlan::DrawingPlan() : host(tool) {
    tool.SetViewScale(1.0, 10.0);
    RegisterDrawingObjects();
}

void DrawingPlan::Drag(double x0, double y0, double x1, double y1, UINT flags) {
    const double zoom = tool.m_fZoomRatio;
    tool.OnLButtonDown(flags, x0 * zoom, y0 * zoom);
    tool.OnMouseMove(flags, (x0 + x1) / 2.0 * zoom, (y0 + y1) / 2.0 * zoom, 1);
    tool.OnMouseMove(flags, x1 * zoom, y1 * zoom, 1);
    tool.OnLButtonUp(flags, x1 * zoom, y1 * zoom);
}

void DrawingPlan::Click(double x, double y) {
    const double zoom = tool.m_fZoomRatio;
    tool.OnLButtonDown(0, x * zoom, y * zoom);
    tool.OnLButtonUp(0, x * zoom, y * zoom);
}
