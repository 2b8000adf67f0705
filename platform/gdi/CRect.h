#pragma once

#include "platform/gdi/CPoint.h"
#include "platform/gdi/CSize.h"
#include "platform/gdi/GdiTypes.h"

// A rectangle whose right and bottom edges lie outside it, as the framework's.
class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* rect) { *this = *rect; }
    void NormalizeRect();
    void InflateRect(int dx, int dy) { left -= dx, top -= dy, right += dx, bottom += dy; }
    void InflateRect(SIZE by) { InflateRect(by.cx, by.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE by) { InflateRect(-by.cx, -by.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(POINT by) { OffsetRect(by.x, by.y); }
    void OffsetRect(SIZE by) { OffsetRect(by.cx, by.cy); }
    // Each answers whether the result is non-empty; an empty intersection becomes all zero.
    BOOL IntersectRect(const RECT* a, const RECT* b);
    BOOL UnionRect(const RECT* a, const RECT* b);

    bool operator==(const RECT& other) const;
    bool operator!=(const RECT& other) const { return !(*this == other); }
    CRect& operator&=(const RECT& other);
    CRect& operator|=(const RECT& other);
    CRect operator&(const RECT& other) const;
    CRect operator|(const RECT& other) const;
    CRect operator+(POINT by) const { return CRect(left + by.x, top + by.y, right + by.x, bottom + by.y); }
    CRect operator-(POINT by) const { return CRect(left - by.x, top - by.y, right - by.x, bottom - by.y); }

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }
};
