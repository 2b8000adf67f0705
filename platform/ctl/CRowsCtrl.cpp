#include "platform/ctl/CRowsCtrl.h"

#include <algorithm>
#include <climits>

#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/win/ScrollRequest.h"

IMPLEMENT_DYNAMIC(CRowsCtrl, CWnd)

int CRowsCtrl::RowsPerPage() const {
    return std::max(1, RowsArea().Height() / RowHeight());
}

int CRowsCtrl::RowTop(int index) const {
    return RowsArea().top + (index - m_top) * RowHeight();
}

int CRowsCtrl::RowAt(int y) const {
    return m_top + (y - RowsArea().top) / RowHeight();
}

void CRowsCtrl::ScrollRowsTo(int top) {
    top = std::clamp(top, 0, std::max(0, RowCount() - RowsPerPage()));
    if (top == m_top)
        return;
    m_top = top;
    if (m_hWnd)
        SetScrollPos(SB_VERT, m_top);
    Repaint();
}

void CRowsCtrl::ScrollRowIntoView(int index, bool partialOK) {
    const int page = RowsPerPage();
    if (index < m_top)
        ScrollRowsTo(index);
    else if (index >= m_top + page && !(partialOK && index == m_top + page))
        ScrollRowsTo(index - page + 1);
}

void CRowsCtrl::UpdateScrollBars() {
    if (!m_hWnd || m_layingOut)
        return;
    m_layingOut = true;
    FitScrollBars();
    m_layingOut = false;
}

void CRowsCtrl::SetScrollRanges(int width, int rows) {
    for (int pass = 0; pass < 2; ++pass) {
        CRect client;
        GetClientRect(&client);
        SCROLLINFO horizontal{sizeof(SCROLLINFO),
                              SIF_RANGE | SIF_PAGE | SIF_POS,
                              0,
                              std::max(0, width - 1),
                              static_cast<UINT>(std::max(1, static_cast<int>(client.Width()))),
                              m_scrollX,
                              0};
        SetScrollInfo(SB_HORZ, &horizontal);
        m_scrollX = GetScrollPos(SB_HORZ);
        SCROLLINFO vertical{sizeof(SCROLLINFO),
                            SIF_RANGE | SIF_PAGE | SIF_POS,
                            0,
                            std::max(0, rows - 1),
                            static_cast<UINT>(RowsPerPage()),
                            m_top,
                            0};
        SetScrollInfo(SB_VERT, &vertical);
        m_top = GetScrollPos(SB_VERT);
    }
}

void CRowsCtrl::OnSize(UINT, int, int) {
    UpdateScrollBars();
}

void CRowsCtrl::OnHScroll(UINT code, UINT position, CScrollBar*) {
    CRect client;
    GetClientRect(&client);
    ScrollColumnsTo(ScrollRequestTarget(code, position, m_scrollX, kLineStep, client.Width(), INT_MAX));
}

BOOL CRowsCtrl::OnMouseWheel(UINT, short delta, CPoint) {
    ScrollRowsTo(m_top - delta / 120 * 3);
    return TRUE;
}

void CRowsCtrl::DrawFocusWithoutRow(CDC& dc, bool rowHasFocus) {
    if (rowHasFocus || GetFocus() != this)
        return;
    const CRect area = RowsArea();
    CRect place(area.left, area.top, area.right, std::min(area.bottom, area.top + RowHeight()));
    dc.DrawFocusRect(&place);
}

void CRowsCtrl::OnSetFocus(CWnd*) {
    Repaint();
    NotifyOwner(*this, NM_SETFOCUS);
}

void CRowsCtrl::OnKillFocus(CWnd*) {
    Repaint();
    NotifyOwner(*this, NM_KILLFOCUS);
}
