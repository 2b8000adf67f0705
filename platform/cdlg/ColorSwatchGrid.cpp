#include "platform/cdlg/ColorSwatchGrid.h"

#include <algorithm>

#include "platform/ctl/BasicControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

ColorSwatchGrid::ColorSwatchGrid(int columns, std::vector<COLORREF> colors)
    : m_columns(columns), m_colors(std::move(colors)) {}

BOOL ColorSwatchGrid::Create(const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

CRect ColorSwatchGrid::SwatchRect(int index) const {
    CRect client;
    GetClientRect(&client);
    const int rows = (static_cast<int>(m_colors.size()) + m_columns - 1) / m_columns;
    const int width = client.Width() / m_columns;
    const int height = client.Height() / std::max(1, rows);
    return CRect(index % m_columns * width, index / m_columns * height, index % m_columns * width + width,
                 index / m_columns * height + height);
}

COLORREF ColorSwatchGrid::GetColor(int index) const {
    return index >= 0 && index < static_cast<int>(m_colors.size()) ? m_colors[index] : RGB(0, 0, 0);
}

void ColorSwatchGrid::SetColor(int index, COLORREF color) {
    if (index < 0 || index >= static_cast<int>(m_colors.size()))
        return;
    m_colors[index] = color;
    Invalidate();
}

int ColorSwatchGrid::Find(COLORREF color) const {
    for (int i = 0; i < static_cast<int>(m_colors.size()); ++i)
        if (m_colors[i] == color)
            return i;
    return -1;
}

void ColorSwatchGrid::SetSelected(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_colors.size()) ? index : -1;
    Invalidate();
}

void ColorSwatchGrid::Choose(int index) {
    SetSelected(index);
    if (m_selected >= 0 && GetParent())
        GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(this));
}

void ColorSwatchGrid::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < static_cast<int>(m_colors.size()); ++i) {
        CRect swatch = SwatchRect(i);
        swatch.DeflateRect(3, 3);
        CRect mark(swatch);
        mark.InflateRect(2, 2);
        if (i == m_selected) {
            CBrush black(RGB(0, 0, 0));
            dc.FrameRect(&mark, &black);
        }
        // Without a chosen swatch the focus shows on the first, where the arrows start.
        if (GetFocus() == this && i == std::max(m_selected, 0)) {
            mark.InflateRect(1, 1);
            dc.DrawFocusRect(&mark);
        }
        dc.DrawEdge(&swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        dc.FillSolidRect(&swatch, m_colors[i]);
    }
}

void ColorSwatchGrid::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    for (int i = 0; i < static_cast<int>(m_colors.size()); ++i)
        if (SwatchRect(i).PtInRect(point))
            Choose(i);
}

void ColorSwatchGrid::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    const int count = static_cast<int>(m_colors.size());
    const int at = m_selected < 0 ? 0 : m_selected;
    switch (key) {
        case VK_LEFT:
            Choose(at > 0 ? at - 1 : at);
            break;
        case VK_RIGHT:
            Choose(at + 1 < count ? at + 1 : at);
            break;
        case VK_UP:
            Choose(at >= m_columns ? at - m_columns : at);
            break;
        case VK_DOWN:
            Choose(at + m_columns < count ? at + m_columns : at);
            break;
        default:
            CWnd::OnKeyDown(key, repeat, flags);
    }
}

void ColorSwatchGrid::OnSetFocus(CWnd*) {
    Invalidate();
}

void ColorSwatchGrid::OnKillFocus(CWnd*) {
    Invalidate();
}

UINT ColorSwatchGrid::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}
