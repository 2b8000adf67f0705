#include "platform/ctl/CHeaderCtrl.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

namespace {
constexpr int kTextInset = 6;
constexpr int kDividerSlop = 4;
}  // namespace

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, "", style, rect, parent, id);
}

int CHeaderCtrl::PreferredHeight() {
    return ControlTextHeight() + 6;
}

int CHeaderCtrl::InsertItem(int index, const HDITEM* item) {
    if (!item || index < 0)
        return -1;
    index = std::min(index, GetItemCount());
    m_items.insert(m_items.begin() + index, Item{});
    SetItem(index, item);
    return index;
}

BOOL CHeaderCtrl::DeleteItem(int index) {
    if (!Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const {
    if (!Valid(index) || !item)
        return FALSE;
    const Item& mine = m_items[index];
    if (item->mask & HDI_WIDTH)
        item->cxy = mine.width;
    if (item->mask & HDI_FORMAT)
        item->fmt = mine.format;
    if (item->mask & HDI_LPARAM)
        item->lParam = mine.data;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        const int length = std::min(mine.text.GetLength(), item->cchTextMax - 1);
        std::copy_n(mine.text.c_str(), length, item->pszText);
        item->pszText[length] = '\0';
    }
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int index, const HDITEM* item) {
    if (!Valid(index) || !item)
        return FALSE;
    Item& mine = m_items[index];
    if (item->mask & HDI_WIDTH)
        mine.width = std::max(0, item->cxy);
    if (item->mask & HDI_FORMAT)
        mine.format = item->fmt;
    if (item->mask & HDI_LPARAM)
        mine.data = item->lParam;
    if (item->mask & HDI_TEXT)
        mine.text = item->pszText ? item->pszText : "";
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int index, RECT* rect) const {
    if (!Valid(index) || !rect)
        return FALSE;
    CRect client;
    GetClientRect(&client);
    int left = 0;
    for (int i = 0; i < index; ++i) left += m_items[i].width;
    *rect = CRect(left, 0, left + m_items[index].width, client.bottom);
    return TRUE;
}

int CHeaderCtrl::ItemAt(CPoint point) const {
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.PtInRect(point))
            return i;
    }
    return -1;
}

int CHeaderCtrl::DividerAt(CPoint point) const {
    // The rightmost divider within reach wins, so that a column shrunk to nothing can be widened.
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (std::abs(point.x - rect.right) <= kDividerSlop)
            return i;
    }
    return -1;
}

void CHeaderCtrl::Notify(UINT code, int index) {
    HDITEM item{HDI_WIDTH | HDI_FORMAT | HDI_LPARAM, 0, nullptr, nullptr, 0, 0, 0};
    GetItem(index, &item);
    NMHEADER header{{}, index, 0, &item};
    header.hdr.code = code;
    NotifyOwner(*this, header.hdr);
}

// --- Mouse --------------------------------------------------------------------------------------

void CHeaderCtrl::OnLButtonDown(UINT, CPoint point) {
    const int divider = DividerAt(point);
    if (divider >= 0) {
        CRect rect;
        GetItemRect(divider, &rect);
        m_tracking = divider;
        m_trackOffset = point.x - rect.right;
        SetCapture();
        return;
    }
    m_pressed = m_clickable ? ItemAt(point) : -1;
    if (m_pressed < 0)
        return;
    m_pressedInside = true;
    SetCapture();
    Invalidate();
}

void CHeaderCtrl::OnMouseMove(UINT, CPoint point) {
    if (m_tracking >= 0) {
        CRect rect;
        GetItemRect(m_tracking, &rect);
        const int width = std::max(0, point.x - m_trackOffset - rect.left);
        if (width == m_items[m_tracking].width)
            return;
        m_items[m_tracking].width = width;
        Invalidate();
        Notify(HDN_ITEMCHANGED, m_tracking);
        return;
    }
    if (m_pressed < 0)
        return;
    CRect rect;
    GetItemRect(m_pressed, &rect);
    const bool inside = rect.PtInRect(point) != FALSE;
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        Invalidate();
    }
}

void CHeaderCtrl::OnLButtonUp(UINT, CPoint point) {
    const int tracked = m_tracking;
    const int pressed = m_pressed;
    const bool inside = m_pressedInside && pressed >= 0 && ItemAt(point) == pressed;
    m_tracking = m_pressed = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
    if (tracked >= 0)
        Notify(HDN_ENDTRACK, tracked);
    if (inside)
        Notify(HDN_ITEMCLICK, pressed);
}

void CHeaderCtrl::OnCaptureChanged(CWnd*) {
    if (m_pressed < 0 && m_tracking < 0)
        return;
    m_pressed = m_tracking = -1;
    Invalidate();
}

// --- Painting -----------------------------------------------------------------------------------

BOOL CHeaderCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CHeaderCtrl::OnPaint() {
    CPaintDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    int right = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        right = rect.right;
        const bool pressed = i == m_pressed && m_pressedInside;
        CRect text = rect;
        if (pressed) {
            dc.Draw3dRect(&rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
            text.OffsetRect(1, 1);
        } else {
            CRect edge = rect;
            dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        }
        text.DeflateRect(kTextInset, 0);
        const int align = m_items[i].format & HDF_JUSTIFYMASK;
        const UINT format = align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT;
        dc.DrawText(m_items[i].text, &text,
                    format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    // The space right of the last column is an empty button, as wide as the window.
    CRect rest(right, 0, std::max(right, client.right) + 2, client.bottom);
    if (rest.Width() > 2)
        dc.DrawEdge(&rest, EDGE_RAISED, BF_RECT);
}
