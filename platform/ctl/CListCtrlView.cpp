// The list view on screen: where rows and cells lie, how they are painted, and the mouse,
// keys and scroll bars.
#include <algorithm>
#include <climits>

#include "platform/ctl/CListCtrl.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/ScrollRequest.h"
#include "platform/win/WindowDCs.h"

namespace {
constexpr int kFirstColumnInset = 2;
constexpr int kColumnInset = 6;
constexpr int kDragDistance = 4;
}  // namespace

// --- Geometry -----------------------------------------------------------------------------------

int CListCtrl::HeaderHeight() const {
    return (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : CHeaderCtrl::PreferredHeight();
}

int CListCtrl::TotalWidth() const {
    int width = 0;
    for (const Column& column : m_columns) width += column.width;
    return width;
}

int CListCtrl::ColumnLeft(int column) const {
    int left = -m_scrollX;
    for (int i = 0; i < column && i < static_cast<int>(m_columns.size()); ++i) left += m_columns[i].width;
    return left;
}

CRect CListCtrl::RowsArea() const {
    CRect client;
    GetClientRect(&client);
    client.top = std::min(client.bottom, HeaderHeight());
    return client;
}

int CListCtrl::RowHeight() const {
    const CImageList* small = m_images[LVSIL_SMALL];
    const CImageList* state = m_images[LVSIL_STATE];
    int height = ControlTextHeight() + 3;
    if (small)
        height = std::max(height, static_cast<int>(small->GetImageSize().cy) + 1);
    if (state)
        height = std::max(height, static_cast<int>(state->GetImageSize().cy) + 1);
    if ((GetStyle() & LVS_OWNERDRAWFIXED) == 0)
        return height;
    if (m_ownerRowHeight == 0) {
        MEASUREITEMSTRUCT measure{
            ODT_LISTVIEW, static_cast<UINT>(GetDlgCtrlID()), 0, 0, static_cast<UINT>(height), 0};
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        m_ownerRowHeight = measure.itemHeight > 0 ? static_cast<int>(measure.itemHeight) : height;
    }
    return m_ownerRowHeight;
}

int CListCtrl::GetCountPerPage() const {
    return RowsPerPage();
}

BOOL CListCtrl::GetItemRect(int index, RECT* rect, UINT code) const {
    if (!Valid(index) || !rect)
        return FALSE;
    const int top = RowTop(index);
    const CRect row(-m_scrollX, top, TotalWidth() - m_scrollX, top + RowHeight());
    const int stateWidth = m_images[LVSIL_STATE] ? m_images[LVSIL_STATE]->GetImageSize().cx : 0;
    const int iconWidth = m_images[LVSIL_SMALL] ? m_images[LVSIL_SMALL]->GetImageSize().cx : 0;
    const int firstRight = row.left + GetColumnWidth(0);
    const CRect icon(std::min(row.left + stateWidth, firstRight), top,
                     std::min(row.left + stateWidth + iconWidth, firstRight), row.bottom);
    const CRect label(icon.right, top, std::max(icon.right, firstRight), row.bottom);
    switch (code) {
        case LVIR_BOUNDS:
            *rect = row;
            return TRUE;
        case LVIR_ICON:
            *rect = icon;
            return TRUE;
        case LVIR_LABEL:
            *rect = label;
            return TRUE;
        case LVIR_SELECTBOUNDS:
            *rect = (m_extendedStyle & LVS_EX_FULLROWSELECT) ? row
                                                             : CRect(icon.left, top, label.right, row.bottom);
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, RECT* rect) const {
    if (subItem == 0)
        return GetItemRect(index, rect, code == LVIR_BOUNDS ? LVIR_BOUNDS : static_cast<UINT>(code));
    if (!Valid(index) || !rect || subItem < 0 || subItem >= static_cast<int>(m_columns.size()))
        return FALSE;
    CRect row;
    GetItemRect(index, &row, LVIR_BOUNDS);
    *rect = CRect(ColumnLeft(subItem), row.top, ColumnLeft(subItem) + m_columns[subItem].width, row.bottom);
    return TRUE;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const {
    if (!info)
        return -1;
    const CPoint point(info->pt);
    info->flags = LVHT_NOWHERE;
    info->iItem = info->iSubItem = -1;
    const CRect area = RowsArea();
    if (point.y < area.top) {
        info->flags = LVHT_ABOVE;
        return -1;
    }
    const int index = RowAt(point.y);
    if (!Valid(index)) {
        info->flags = LVHT_BELOW;
        return -1;
    }
    if (point.x >= TotalWidth() - m_scrollX) {
        info->flags = LVHT_TORIGHT;
        return -1;
    }
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column)
        if (point.x >= ColumnLeft(column) && point.x < ColumnLeft(column + 1))
            info->iSubItem = column;
    CRect icon;
    GetItemRect(index, &icon, LVIR_ICON);
    info->flags = point.x < icon.left    ? LVHT_ONITEMSTATEICON
                  : point.x < icon.right ? LVHT_ONITEMICON
                                         : LVHT_ONITEMLABEL;
    info->iItem = index;
    return index;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
    return SubItemHitTest(info);
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info{point, 0, -1, -1};
    const int index = SubItemHitTest(&info);
    if (flags)
        *flags = info.flags;
    return index;
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOK) {
    if (!Valid(index))
        return FALSE;
    ScrollRowIntoView(index, partialOK);
    return TRUE;
}

// --- Scrolling ----------------------------------------------------------------------------------

void CListCtrl::FitScrollBars() {
    SetScrollRanges(TotalWidth(), GetItemCount());
    LayoutHeader();
}

void CListCtrl::LayoutHeader() {
    if (!m_header.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int height = HeaderHeight();
    m_header.ShowWindow(height > 0 ? SW_SHOWNA : SW_HIDE);
    m_header.SetClickable((GetStyle() & LVS_NOSORTHEADER) == 0);
    m_header.MoveWindow(-m_scrollX, 0, std::max(TotalWidth(), static_cast<int>(client.Width()) + m_scrollX),
                        height);
}

void CListCtrl::ScrollColumnsTo(int x) {
    CRect client;
    GetClientRect(&client);
    x = std::clamp(x, 0, std::max(0, TotalWidth() - static_cast<int>(client.Width())));
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    SetScrollPos(SB_HORZ, m_scrollX);
    LayoutHeader();
    Repaint();
}

void CListCtrl::OnVScroll(UINT code, UINT position, CScrollBar*) {
    const int page = std::max(1, GetCountPerPage() - 1);
    ScrollRowsTo(ScrollRequestTarget(code, position, m_top, 1, page, GetItemCount()));
}

// --- Selection by mouse and keys ----------------------------------------------------------------

void CListCtrl::Focus(int index) {
    ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    EnsureVisible(index, FALSE);
}

void CListCtrl::SelectOnly(int index) {
    for (int i = 0; i < GetItemCount(); ++i)
        if (i != index)
            ChangeState(i, 0, LVIS_SELECTED);
    ChangeState(index, LVIS_SELECTED, LVIS_SELECTED);
}

void CListCtrl::SelectRange(int from, int to, bool keepOthers) {
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    for (int i = 0; i < GetItemCount(); ++i) {
        const bool inside = i >= low && i <= high;
        if (inside)
            ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
        else if (!keepOthers)
            ChangeState(i, 0, LVIS_SELECTED);
    }
}

void CListCtrl::ClickItem(int index, UINT flags) {
    const bool single = SingleSelection();
    if (!single && (flags & MK_SHIFT) && Valid(m_anchor)) {
        SelectRange(m_anchor, index, (flags & MK_CONTROL) != 0);
    } else if (!single && (flags & MK_CONTROL)) {
        ChangeState(index, GetItemState(index, LVIS_SELECTED) ^ LVIS_SELECTED, LVIS_SELECTED);
        m_anchor = index;
    } else {
        SelectOnly(index);
        m_anchor = index;
    }
    if (Valid(index))
        Focus(index);
}

void CListCtrl::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    const int index = HitTest(point);
    m_deferredSelect = false;
    if (index < 0) {
        if ((flags & (MK_SHIFT | MK_CONTROL)) == 0)
            SetItemState(-1, 0, LVIS_SELECTED);
    } else if ((GetItemState(index, LVIS_SELECTED) && (flags & (MK_SHIFT | MK_CONTROL)) == 0)) {
        // A press on a selected item may start dragging the whole selection: the others are
        // deselected only when the button comes up without a drag.
        m_deferredSelect = true;
        Focus(index);
    } else {
        ClickItem(index, flags);
    }
    m_pressedItem = index;
    m_pressPoint = point;
    m_pressRight = false;
    SetCapture();
}

void CListCtrl::OnMouseMove(UINT, CPoint point) {
    if (GetCapture() != this || m_pressedItem < 0)
        return;
    if (std::abs(point.x - m_pressPoint.x) <= kDragDistance &&
        std::abs(point.y - m_pressPoint.y) <= kDragDistance)
        return;
    const int dragged = m_pressedItem;
    m_pressedItem = -1;
    m_deferredSelect = false;
    ReleaseCapture();
    NotifyList(m_pressRight ? LVN_BEGINRDRAG : LVN_BEGINDRAG, dragged, 0, 0, 0, 0, m_pressPoint);
}

void CListCtrl::OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() != this)
        return;
    const int pressed = m_pressedItem;
    const bool deferred = m_deferredSelect;
    m_pressedItem = -1;
    m_deferredSelect = false;
    ReleaseCapture();
    if (deferred && Valid(pressed)) {
        SelectOnly(pressed);
        m_anchor = pressed;
    }
    LVHITTESTINFO hit{point, 0, -1, -1};
    SubItemHitTest(&hit);
    NotifyList(NM_CLICK, hit.iItem, hit.iSubItem, 0, 0, 0, point);
}

void CListCtrl::OnCaptureChanged(CWnd*) {
    m_pressedItem = -1;
    m_deferredSelect = false;
}

void CListCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
    SetFocus();
    LVHITTESTINFO hit{point, 0, -1, -1};
    if (SubItemHitTest(&hit) >= 0 && !(GetItemState(hit.iItem, LVIS_SELECTED) && (flags & MK_CONTROL) == 0))
        ClickItem(hit.iItem, flags);
    NotifyList(NM_DBLCLK, hit.iItem, hit.iSubItem, 0, 0, 0, point);
}

void CListCtrl::OnRButtonDown(UINT, CPoint point) {
    SetFocus();
    LVHITTESTINFO hit{point, 0, -1, -1};
    if (SubItemHitTest(&hit) >= 0 && !GetItemState(hit.iItem, LVIS_SELECTED))
        ClickItem(hit.iItem, 0);
    NotifyList(NM_RCLICK, hit.iItem, hit.iSubItem, 0, 0, 0, point);
}

void CListCtrl::MoveFocusTo(int index) {
    if (GetItemCount() == 0)
        return;
    index = std::clamp(index, 0, GetItemCount() - 1);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (control && !shift) {
        Focus(index);
        return;
    }
    if (shift && !SingleSelection() && Valid(m_anchor)) {
        SelectRange(m_anchor, index, false);
        Focus(index);
        return;
    }
    ClickItem(index, 0);
}

void CListCtrl::OnKeyDown(UINT key, UINT, UINT) {
    NMLVKEYDOWN down{};
    down.hdr.code = LVN_KEYDOWN;
    down.wVKey = static_cast<WORD>(key);
    NotifyOwner(*this, down.hdr);
    if (!m_hWnd)
        return;
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    const int page = std::max(1, GetCountPerPage() - 1);
    switch (key) {
        case VK_UP:
            MoveFocusTo(focused < 0 ? 0 : focused - 1);
            break;
        case VK_DOWN:
            MoveFocusTo(focused < 0 ? 0 : focused + 1);
            break;
        case VK_PRIOR:
            MoveFocusTo(focused - page);
            break;
        case VK_NEXT:
            MoveFocusTo(focused + page);
            break;
        case VK_HOME:
            MoveFocusTo(0);
            break;
        case VK_END:
            MoveFocusTo(GetItemCount() - 1);
            break;
        case VK_LEFT:
            ScrollColumnsTo(m_scrollX - kLineStep);
            break;
        case VK_RIGHT:
            ScrollColumnsTo(m_scrollX + kLineStep);
            break;
        case VK_SPACE:
            if (Valid(focused))
                ClickItem(focused, GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0u);
            break;
        case VK_RETURN:
            NotifyList(NM_RETURN, focused);
            break;
        default:
            break;
    }
}

// --- Painting -----------------------------------------------------------------------------------

COLORREF CListCtrl::GetBkColor() const {
    return GetSysColor(COLOR_WINDOW);
}
COLORREF CListCtrl::GetTextColor() const {
    return GetSysColor(COLOR_WINDOWTEXT);
}

BOOL CListCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CListCtrl::OnPaint() {
    CPaintDC dc(this);
    if (IsRedrawFrozen())
        return;
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    const CRect area = RowsArea();
    const int height = RowHeight();
    int y = area.top;
    for (int index = m_top; index < GetItemCount() && y < area.bottom; ++index, y += height) {
        CRect row;
        GetItemRect(index, &row, LVIR_BOUNDS);
        dc.FillSolidRect(CRect(0, row.top, area.right, row.bottom), GetBkColor());
        PaintRow(dc, index, row);
    }
    if (y < area.bottom)
        dc.FillSolidRect(CRect(area.left, y, area.right, area.bottom), GetBkColor());
    DrawFocusWithoutRow(dc, GetNextItem(-1, LVNI_FOCUSED) >= 0);
}

void CListCtrl::PaintRow(CDC& dc, int index, const CRect& row) {
    const UINT state = m_items[index].state;
    const bool hasFocus = GetFocus() == this;
    if (GetStyle() & LVS_OWNERDRAWFIXED) {
        DRAWITEMSTRUCT draw{ODT_LISTVIEW,
                            static_cast<UINT>(GetDlgCtrlID()),
                            static_cast<UINT>(index),
                            ODA_DRAWENTIRE,
                            ((state & LVIS_SELECTED) ? ODS_SELECTED : 0u) |
                                ((state & LVIS_FOCUSED) && hasFocus ? ODS_FOCUS : 0u),
                            this,
                            &dc,
                            row,
                            static_cast<std::uintptr_t>(m_items[index].data)};
        const int saved = dc.SaveDC();
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        dc.RestoreDC(saved);
        return;
    }
    const bool shown = hasFocus || (GetStyle() & LVS_SHOWSELALWAYS);
    const bool highlighted = ((state & LVIS_SELECTED) && shown) || (state & LVIS_DROPHILITED);
    PaintRowImages(dc, index, row, highlighted);
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        const CRect cell(ColumnLeft(column), row.top, ColumnLeft(column + 1), row.bottom);
        PaintCell(dc, index, column, cell, highlighted);
    }
    if (m_extendedStyle & LVS_EX_GRIDLINES) {
        dc.FillSolidRect(row.left, row.bottom - 1, row.Width(), 1, GetSysColor(COLOR_BTNFACE));
        for (int column = 1; column <= static_cast<int>(m_columns.size()); ++column)
            dc.FillSolidRect(ColumnLeft(column) - 1, row.top, 1, row.Height(), GetSysColor(COLOR_BTNFACE));
    }
    if ((state & LVIS_FOCUSED) && hasFocus) {
        // Around the label's text, or around the whole row when whole rows are selected.
        CRect focus;
        GetItemRect(index, &focus, (m_extendedStyle & LVS_EX_FULLROWSELECT) ? LVIR_BOUNDS : LVIR_LABEL);
        if ((m_extendedStyle & LVS_EX_FULLROWSELECT) == 0)
            focus.right = std::min(
                focus.right, focus.left + dc.GetTextExtent(GetItemText(index, 0)).cx + 2 * kFirstColumnInset);
        dc.DrawFocusRect(&focus);
    }
}

void CListCtrl::PaintRowImages(CDC& dc, int index, const CRect& row, bool highlighted) {
    const UINT state = m_items[index].state;
    const int stateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
    if (CImageList* images = m_images[LVSIL_STATE]; images && stateImage > 0) {
        const int y = row.top + (row.Height() - images->GetImageSize().cy) / 2;
        images->Draw(&dc, stateImage - 1, CPoint(row.left, y), ILD_TRANSPARENT);
    }
    CRect icon;
    GetItemRect(index, &icon, LVIR_ICON);
    CImageList* images = m_images[LVSIL_SMALL];
    if (!images || icon.Width() < 2)
        return;
    const int image = CellImage(index);
    if (image < 0)
        return;
    const UINT blend = highlighted ? ILD_BLEND50 : (state & LVIS_CUT) ? ILD_BLEND25 : 0u;
    const int y = icon.top + (icon.Height() - images->GetImageSize().cy) / 2;
    images->Draw(&dc, image, CPoint(icon.left, y), ILD_TRANSPARENT | blend | (state & LVIS_OVERLAYMASK));
}

void CListCtrl::PaintCell(CDC& dc, int index, int column, const CRect& cell, bool highlighted) {
    CRect text = cell;
    if (column == 0) {
        GetItemRect(index, &text, LVIR_LABEL);
        text.DeflateRect(kFirstColumnInset, 0);
    } else {
        text.DeflateRect(kColumnInset, 0);
    }
    const CString content = GetItemText(index, column);
    const bool marked = highlighted && (column == 0 || (m_extendedStyle & LVS_EX_FULLROWSELECT));
    const bool focused = GetFocus() == this || (m_items[index].state & LVIS_DROPHILITED);
    if (marked) {
        CRect fill = column == 0 ? text : cell;
        if (column == 0) {
            const int width = dc.GetTextExtent(content).cx + 2 * kFirstColumnInset;
            fill.InflateRect(kFirstColumnInset, 0);
            if (!(m_extendedStyle & LVS_EX_FULLROWSELECT))
                fill.right = std::min(fill.right, fill.left + width);
        }
        dc.FillSolidRect(&fill, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(marked && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int align = m_columns[column].format & LVCFMT_JUSTIFYMASK;
    const UINT format = align == LVCFMT_RIGHT ? DT_RIGHT : align == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    dc.DrawText(content, &text, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}
