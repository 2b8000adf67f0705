#include "platform/ctl/CStatic.h"

#include "platform/ctl/ControlPainting.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CStatic, CControlWnd)

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(WC_STATIC, text, style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

CBitmap* CStatic::SetBitmap(CBitmap* bitmap) {
    return ReplaceShownPicture(m_bitmap, bitmap);
}

HICON CStatic::SetIcon(HICON icon) {
    return ReplaceShownPicture(m_icon, icon);
}

BOOL CStatic::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CStatic::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    switch (Kind()) {
        case SS_BITMAP:
            if (m_bitmap)
                ControlPainting::DrawBitmapCentred(dc, *m_bitmap, client);
            break;
        case SS_ICON:
            if (m_icon)
                ControlPainting::DrawBitmapCentred(dc, *IconBitmap(m_icon), client);
            break;
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            PaintText(dc, client);
            break;
        default:
            PaintFrame(dc, client);
            break;
    }
    if (GetStyle() & SS_SUNKEN)
        dc.DrawEdge(&client, BDR_SUNKENOUTER, BF_RECT);
}

void CStatic::PaintText(CDC& dc, const CRect& client) {
    CFont* old = PrepareText(dc);
    CString text;
    GetWindowText(text);
    UINT format = DT_LEFT | DT_WORDBREAK;
    switch (Kind()) {
        case SS_CENTER:
            format = DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format = DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            format = DT_LEFT | DT_SINGLELINE;
            break;
        default:
            break;
    }
    if (GetStyle() & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (GetStyle() & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    ControlPainting::DrawLabel(dc, text, client, format, IsWindowEnabled() != FALSE);
    dc.SelectObject(old);
}

void CStatic::PaintFrame(CDC& dc, const CRect& client) {
    CRect rect = client;
    auto solid = [&](int color) { dc.FillSolidRect(&rect, GetSysColor(color)); };
    auto frame = [&](int color) { dc.Draw3dRect(&rect, GetSysColor(color), GetSysColor(color)); };
    switch (Kind()) {
        case SS_BLACKRECT:
            solid(COLOR_WINDOWFRAME);
            break;
        case SS_GRAYRECT:
            solid(COLOR_BTNSHADOW);
            break;
        case SS_WHITERECT:
            solid(COLOR_WINDOW);
            break;
        case SS_BLACKFRAME:
            frame(COLOR_WINDOWFRAME);
            break;
        case SS_GRAYFRAME:
            frame(COLOR_BTNSHADOW);
            break;
        case SS_WHITEFRAME:
            frame(COLOR_WINDOW);
            break;
        case SS_ETCHEDHORZ:
            dc.DrawEdge(&rect, EDGE_ETCHED, BF_TOP);
            break;
        case SS_ETCHEDVERT:
            dc.DrawEdge(&rect, EDGE_ETCHED, BF_LEFT);
            break;
        case SS_ETCHEDFRAME:
            dc.DrawEdge(&rect, EDGE_ETCHED, BF_RECT);
            break;
        default:
            break;
    }
}

void CStatic::OnLButtonDown(UINT, CPoint) {
    if (GetStyle() & SS_NOTIFY)
        NotifyParent(STN_CLICKED);
}

void CStatic::OnLButtonDblClk(UINT, CPoint) {
    if (GetStyle() & SS_NOTIFY)
        NotifyParent(STN_DBLCLK);
}

BOOL CStatic::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_SETTEXT)
        Invalidate();
    return CControlWnd::OnWndMsg(message, wParam, lParam, result);
}
