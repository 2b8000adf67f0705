#pragma once

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/RectRegion.h"

// A region: rectangles, polygons and ellipses combined. Right and bottom edges lie outside.
class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
  public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(const RECT* rect);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(const RECT* rect);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(const RECT* rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
    // Combines two regions into this one (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT by) { return OffsetRgn(by.x, by.y); }
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(const RECT* rect) const;
    int GetRgnBox(RECT* rect) const;

    const RectRegion& Region() const { return m_region; }
    void SetRegion(RectRegion region);

  private:
    RectRegion m_region;
};
