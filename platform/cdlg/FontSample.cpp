#include "platform/cdlg/FontSample.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

BOOL FontSample::Create(const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void FontSample::SetSampleFont(const LOGFONT& font, COLORREF color) {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
    m_color = color;
    Invalidate();
}

void FontSample::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_color);
    dc.DrawText("AaBbYyZz", &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}
