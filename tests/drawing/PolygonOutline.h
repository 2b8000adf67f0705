#pragma once

#include <algorithm>
#include <vector>

#include "drawing/CPolygon.h"
#include "model/CPose.h"

// Gives the outline object (a polygon, a benchwork, a terrain) the vertices, its corners and
// reference box fitted to them.
inline void ShapeOutline(CPolygon& object, const std::vector<CDoublePoint>& vertices) {
    object.m_points.SetSize(CSketch::kFirstDrawnPoint);
    double minX = vertices[0].x, maxX = minX, minY = vertices[0].y, maxY = minY;
    for (const CDoublePoint& v : vertices) {
        object.m_points.Add(v.x, v.y);
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    object.m_fCornerX1 = object.m_fReferenceX1 = minX;
    object.m_fCornerY1 = object.m_fReferenceY1 = maxY;
    object.m_fCornerX2 = object.m_fReferenceX2 = maxX;
    object.m_fCornerY2 = object.m_fReferenceY2 = minY;
    object.Normalize(CPose());
}
