#include "shell/CToolPaletteWnd.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CToolPaletteWnd, CWnd)

CToolPaletteWnd::CToolPaletteWnd()
    : m_shadow(GetSysColor(COLOR_BTNSHADOW)), m_highlight(GetSysColor(COLOR_BTNHIGHLIGHT)) {}

BOOL CToolPaletteWnd::Create(CWnd* parent) {
    static const LPCTSTR className = AfxRegisterWndClass(0);
    if (!CreateEx(0, className, "", WS_POPUP, CRect(), parent ? parent->GetTopLevelParent() : nullptr, 0))
        return FALSE;
    SetOwner(parent);
    return TRUE;
}

void CToolPaletteWnd::ShowAt(int x, int y, int pitch, int cellWidth) {
    m_imageSize = m_images && m_images->GetImageCount() > 0 ? m_images->GetImageSize() : CSize();
    m_pitch = pitch;
    m_cellWidth = cellWidth;
    const int count = m_images ? m_images->GetImageCount() : 0;
    SetWindowPos(nullptr, x, y, cellWidth + 2, count * pitch + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    m_hotCell = 1;
    Invalidate();
}

void CToolPaletteWnd::Hide() {
    ShowWindow(SW_HIDE);
}

void CToolPaletteWnd::TrackPoint(int screenX, int screenY) {
    CPoint point(screenX, screenY);
    ScreenToClient(&point);
    TrackClientPoint(point);
}

void CToolPaletteWnd::OnMouseMove(UINT, CPoint point) {
    TrackClientPoint(point);
}

void CToolPaletteWnd::OnLButtonUp(UINT, CPoint) {
    Default();
    Hide();
}

CRect CToolPaletteWnd::CellRect(int cell) const {
    CRect client;
    GetClientRect(&client);
    const int top = 1 + cell * m_pitch;
    return CRect(1, top, client.right - 1, top + m_pitch);
}

void CToolPaletteWnd::TrackClientPoint(CPoint point) {
    CRect client;
    GetClientRect(&client);
    const int hot = client.PtInRect(point) && m_pitch > 0 ? (point.y - 1) / m_pitch : -1;
    if (hot == m_hotCell)
        return;
    for (int cell : {hot, m_hotCell}) {
        if (cell < 0)
            continue;
        const int top = 1 + cell * m_pitch;
        const CRect area(1, top, m_cellWidth + 1, top + m_pitch);
        InvalidateRect(&area);
    }
    m_hotCell = hot;
    UpdateWindow();
}

void CToolPaletteWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CBrush black(RGB(0, 0, 0));
    dc.FrameRect(&client, &black);
    const int count = m_images ? m_images->GetImageCount() : 0;
    for (int cell = 0; cell < count; ++cell) {
        const CRect area = CellRect(cell);
        const CPoint at(area.left + (area.Width() - m_imageSize.cx) / 2,
                        area.top + (m_pitch - m_imageSize.cy) / 2);
        m_images->Draw(&dc, cell, at, ILD_TRANSPARENT);
        if (cell == m_hotCell)
            dc.Draw3dRect(&area, m_highlight, m_shadow);
    }
}
