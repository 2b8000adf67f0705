#include "ui/CColorSwatch.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CColorSwatch, CStatic)

void CColorSwatch::SetBrush(CBrush* brush) {
    m_brush = brush;
    Invalidate();
}

// A monochrome pattern paints its 0 bits in the window-text colour and its 1 bits in the
// window colour.
void CColorSwatch::OnPaint() {
    CPaintDC dc(this);
    if (!m_brush)
        return;
    CRect client;
    GetClientRect(&client);
    const COLORREF text = dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    const COLORREF background = dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    dc.FillRect(&client, m_brush);
    dc.SetTextColor(text);
    dc.SetBkColor(background);
}
