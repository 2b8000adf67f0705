#pragma once

#include "platform/gdi/CSize.h"
#include "platform/gdi/GdiTypes.h"

// A point in logical or device units.
class CPoint : public POINT {
  public:
    CPoint() : POINT{0, 0} {}
    CPoint(int xValue, int yValue) : POINT{xValue, yValue} {}
    CPoint(POINT point) : POINT(point) {}
    explicit CPoint(SIZE size) : POINT{size.cx, size.cy} {}

    void Offset(int dx, int dy) { x += dx, y += dy; }
    void Offset(POINT by) { Offset(by.x, by.y); }
    void SetPoint(int xValue, int yValue) { x = xValue, y = yValue; }

    bool operator==(const POINT& other) const { return x == other.x && y == other.y; }
    bool operator!=(const POINT& other) const { return !(*this == other); }
    CPoint& operator+=(SIZE by) { return x += by.cx, y += by.cy, *this; }
    CPoint& operator-=(SIZE by) { return x -= by.cx, y -= by.cy, *this; }
    CPoint& operator+=(POINT by) { return x += by.x, y += by.y, *this; }
    CPoint& operator-=(POINT by) { return x -= by.x, y -= by.y, *this; }
    CPoint operator+(SIZE by) const { return CPoint(x + by.cx, y + by.cy); }
    CPoint operator-(SIZE by) const { return CPoint(x - by.cx, y - by.cy); }
    CPoint operator+(POINT by) const { return CPoint(x + by.x, y + by.y); }
    CSize operator-(POINT other) const { return CSize(x - other.x, y - other.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};
