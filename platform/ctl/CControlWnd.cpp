#include "platform/ctl/CControlWnd.h"

#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CControlWnd, CWnd)

CFont* CControlWnd::DefaultFont() {
    static CFont font;
    if (!font.GetSafeHandle())
        font.CreatePointFont(80, "MS Sans Serif");
    return &font;
}

CFont* CControlWnd::GetFont() const {
    CFont* font = CWnd::GetFont();
    return font ? font : DefaultFont();
}

void CControlWnd::NotifyParent(UINT code) {
    CommandOwner(*this, code);
}

LRESULT CControlWnd::SendNotify(NMHDR& header, UINT code) {
    header.hwndFrom = this;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = code;
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

CFont* CControlWnd::PrepareText(CDC& dc) const {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    return dc.SelectObject(GetFont());
}

CRect CControlWnd::NonClientInsets() const {
    CRect insets(0, 0, 0, 0);
    if (GetStyle() & WS_BORDER)
        insets = CRect(1, 1, 1, 1);
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        insets = CRect(insets.left + 2, insets.top + 2, insets.right + 2, insets.bottom + 2);
    if (GetStyle() & WS_VSCROLL)
        insets.right += GetSystemMetrics(SM_CXVSCROLL);
    if (GetStyle() & WS_HSCROLL)
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return insets;
}

void CControlWnd::OnNcPaint() {
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    CRect frame(0, 0, window.Width(), window.Height());
    if (GetStyle() & WS_BORDER) {
        dc.Draw3dRect(&frame, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        frame.DeflateRect(1, 1);
    }
    if (GetExStyle() & WS_EX_CLIENTEDGE)
        dc.DrawEdge(&frame, EDGE_SUNKEN, BF_RECT);
    NonClientPainter::PaintScrollBars(*this, dc);
}

void CControlWnd::PostNcDestroy() {
    if (m_autoDelete)
        delete this;
}
