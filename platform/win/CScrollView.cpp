#include "platform/win/CScrollView.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/CDC.h"
#include "platform/win/ScrollRequest.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {
// Logical units of a mapping mode as device pixels (extents only, always positive).
CSize ToDevice(int mapMode, SIZE size) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(mapMode);
    CSize device = size;
    dc.LPtoDP(&device);
    return CSize(std::abs(device.cx), std::abs(device.cy));
}

bool IsDefault(const SIZE& size) { return size.cx == 0 && size.cy == 0; }
}  // namespace

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
    m_nMapMode = mapMode;
    m_totalLog = total;
    m_totalDev = ToDevice(mapMode, total);
    m_pageDev = IsDefault(page) ? CSize(m_totalDev.cx / 10, m_totalDev.cy / 10) : ToDevice(mapMode, page);
    m_lineDev = IsDefault(line) ? CSize(m_pageDev.cx / 10, m_pageDev.cy / 10) : ToDevice(mapMode, line);
    m_lineDev = CSize(std::max<int>(1, m_lineDev.cx), std::max<int>(1, m_lineDev.cy));
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const {
    mapMode = m_nMapMode;
    total = m_totalDev;
    page = m_pageDev;
    line = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

CPoint CScrollView::GetScrollPosition() const {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(m_nMapMode);
    CPoint position = GetDeviceScrollPosition();
    dc.DPtoLP(&position);
    return position;
}

void CScrollView::ScrollToPosition(POINT logical) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(m_nMapMode);
    CPoint device = logical;
    dc.LPtoDP(&device);
    ScrollToDevicePosition(device);
}

void CScrollView::ScrollToDevicePosition(CPoint position) {
    const CPoint old = GetDeviceScrollPosition();
    SetScrollPos(SB_HORZ, position.x);
    SetScrollPos(SB_VERT, position.y);
    const CPoint now = GetDeviceScrollPosition();
    if (now != old) ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::UpdateBars() {
    if (m_updating) return;
    m_updating = true;
    // Twice: a bar that appears narrows the client, which may call for the other bar.
    for (int round = 0; round < 2; ++round) {
        CRect client;
        GetClientRect(&client);
        SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, m_totalDev.cx - 1,
                              static_cast<UINT>(std::max(0, client.Width())), 0, 0};
        SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, m_totalDev.cy - 1,
                            static_cast<UINT>(std::max(0, client.Height())), 0, 0};
        SetScrollInfo(SB_HORZ, &horizontal);
        SetScrollInfo(SB_VERT, &vertical);
    }
    m_updating = false;
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    dc->SetMapMode(m_nMapMode);
    if (!dc->IsPrinting()) dc->SetViewportOrg(-GetDeviceScrollPosition());
    CView::OnPrepareDC(dc, info);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

int CScrollView::NewPosition(int bar, UINT code, UINT thumb) const {
    const int line = bar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    const int page = bar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    return ScrollRequestTarget(code, thumb, GetScrollPos(bar), line, page, GetScrollLimit(bar));
}

BOOL CScrollView::OnScroll(UINT code, UINT position, BOOL doScroll) {
    const UINT horizontalCode = code & 0xFF;
    const UINT verticalCode = (code >> 8) & 0xFF;
    CSize by(0, 0);
    if (horizontalCode != 0xFF) by.cx = NewPosition(SB_HORZ, horizontalCode, position) - GetScrollPos(SB_HORZ);
    if (verticalCode != 0xFF) by.cy = NewPosition(SB_VERT, verticalCode, position) - GetScrollPos(SB_VERT);
    return OnScrollBy(by, doScroll);
}

BOOL CScrollView::OnScrollBy(CSize by, BOOL doScroll) {
    const CPoint old = GetDeviceScrollPosition();
    const CPoint wanted(std::clamp<int>(old.x + by.cx, 0, GetScrollLimit(SB_HORZ)),
                        std::clamp<int>(old.y + by.cy, 0, GetScrollLimit(SB_VERT)));
    if (wanted == old) return FALSE;
    if (doScroll) ScrollToDevicePosition(wanted);
    return TRUE;
}

void CScrollView::OnHScroll(UINT code, UINT position, CScrollBar*) { OnScroll(code | 0xFF00, position); }
void CScrollView::OnVScroll(UINT code, UINT position, CScrollBar*) { OnScroll(0xFF | (code << 8), position); }

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint) {
    const int lines = -delta / 120 * 3;
    return OnScrollBy(CSize(0, lines * m_lineDev.cy));
}
