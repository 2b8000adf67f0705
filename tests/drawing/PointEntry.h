#pragma once

#include <vector>

#include "model/CTool.h"
#include "model/CToolMode.h"

// Presses, moves and clicks of the mouse given straight to the engine, in layout units at its
// zoom, as the point-entry tools take them.
struct PointEntry {
    explicit PointEntry(CTool& tool) : tool(tool), zoom(tool.m_fZoomRatio) {}

    void Move(double x, double y, UINT flags = 0) { tool.OnMouseMove(flags, x * zoom, y * zoom, 0); }
    void Click(double x, double y, UINT flags = 0) {
        Move(x, y, flags);
        tool.OnLButtonDown(flags, x * zoom, y * zoom);
        tool.OnLButtonUp(flags, x * zoom, y * zoom);
    }
    // The order the window system reports a double click in: press, release, double click, release.
    void DoubleClick(double x, double y) {
        Click(x, y);
        tool.OnLButtonDblClk(0, x * zoom, y * zoom);
        tool.OnLButtonUp(0, x * zoom, y * zoom);
    }
    // Press, two moves and release between two layout points, with the key flags.
    void Drag(double x0, double y0, double x1, double y1, UINT flags = 0) {
        tool.OnLButtonDown(flags, x0 * zoom, y0 * zoom);
        tool.OnMouseMove(flags, (x0 + x1) / 2.0 * zoom, (y0 + y1) / 2.0 * zoom, 1);
        tool.OnMouseMove(flags, x1 * zoom, y1 * zoom, 1);
        tool.OnLButtonUp(flags, x1 * zoom, y1 * zoom);
    }
    // Draws an outline with a tool mode: a click per vertex, a double click on the last.
    void DrawOutline(int mode, const std::vector<CDoublePoint>& vertices) {
        tool.m_toolMode.Set(mode);
        for (size_t i = 0; i + 1 < vertices.size(); ++i) Click(vertices[i].x, vertices[i].y);
        DoubleClick(vertices.back().x, vertices.back().y);
        tool.m_toolMode.Set(kToolSelector);
    }

    CTool& tool;
    double zoom;
};
