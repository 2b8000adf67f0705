#include "platform/gdi/CRgn.h"

#include <cmath>
#include <vector>

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    if (m_hObject)
        return FALSE;
    m_region = RectRegion(CRect(x1, y1, x2, y2));
    MarkCreated();
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* rect) {
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (m_hObject || !points || count < 0)
        return FALSE;
    m_region = RectRegion::FromPolygon(points, count, fillMode == WINDING ? WINDING : ALTERNATE);
    MarkCreated();
    return TRUE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    CRect box(x1, y1, x2, y2);
    box.NormalizeRect();
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
    std::vector<POINT> outline;
    const int steps = std::max(16, static_cast<int>(std::min(4096.0, (rx + ry) * 2)));
    for (int i = 0; i < steps; ++i) {
        const double a = 2 * M_PI * i / steps;
        outline.push_back({static_cast<LONG>(std::lround(cx + rx * std::cos(a))),
                           static_cast<LONG>(std::lround(cy + ry * std::sin(a)))});
    }
    return CreatePolygonRgn(outline.data(), static_cast<int>(outline.size()), ALTERNATE);
}

BOOL CRgn::CreateEllipticRgnIndirect(const RECT* rect) {
    return rect && CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
    m_region = RectRegion(CRect(x1, y1, x2, y2));
    MarkCreated();
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    if (!a || (mode != RGN_COPY && !b))
        return ERROR;
    m_region = RectRegion::Combine(a->m_region, b ? b->m_region : RectRegion(), mode);
    MarkCreated();
    return m_region.Complexity();
}

BOOL CRgn::EqualRgn(const CRgn* other) const {
    return other && m_region == other->m_region;
}

int CRgn::OffsetRgn(int dx, int dy) {
    m_region.Offset(dx, dy);
    return m_region.Complexity();
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return m_region.Contains(x, y);
}

BOOL CRgn::RectInRegion(const RECT* rect) const {
    return rect && m_region.Intersects(CRect(*rect));
}

int CRgn::GetRgnBox(RECT* rect) const {
    if (!m_hObject)
        return ERROR;
    if (rect)
        *rect = m_region.Bounds();
    return m_region.Complexity();
}

void CRgn::SetRegion(RectRegion region) {
    m_region = std::move(region);
    MarkCreated();
}
