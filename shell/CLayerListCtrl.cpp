#include "shell/CLayerListCtrl.h"

#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"

namespace {
const CSize kActiveMark(9, 9);
const CSize kFlagMark(12, 7);
constexpr COLORREF kActiveName = RGB(0, 0, 255);
constexpr COLORREF kActiveSelectedName = RGB(0, 255, 255);
constexpr COLORREF kRowLine = RGB(128, 128, 128);
constexpr UINT kNameFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
}  // namespace

IMPLEMENT_DYNAMIC(CLayerListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CLayerListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

LayerRow* CLayerListCtrl::RowAt(int index) const {
    return index >= 0 && index < GetItemCount() ? reinterpret_cast<LayerRow*>(GetItemData(index)) : nullptr;
}

int CLayerListCtrl::ColumnAt(int x) const {
    int right = 0;
    for (int column = 0; column <= kLockColumn; ++column) {
        right += GetColumnWidth(column);
        if (x < right)
            return column;
    }
    return -1;
}

// --- Clicks ---------------------------------------------------------------------------------

void CLayerListCtrl::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    const int index = HitTest(point);
    if (!RowAt(index))
        return;
    CRect row;
    GetItemRect(index, &row, LVIR_BOUNDS);
    const int column = ColumnAt(point.x - row.left);
    if (column == kActiveColumn)
        MakeActive(index);
    else if (column == kVisibleColumn || column == kLockColumn)
        ToggleFlag(index, column);
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    RedrawItems(index, index);
}

void CLayerListCtrl::MakeActive(int index) {
    LayerRow* chosen = RowAt(index);
    if (chosen->active)
        return;
    for (int i = 0; i < GetItemCount(); ++i) RowAt(i)->active = 0;
    chosen->active = 1;
    chosen->locked = 0;
    chosen->visible = 1;
    RedrawItems(0, GetItemCount() - 1);
}

void CLayerListCtrl::ToggleFlag(int index, int column) {
    LayerRow* row = RowAt(index);
    if (row->active)
        return;
    int& flag = column == kVisibleColumn ? row->visible : row->locked;
    flag = !flag;
}

void CLayerListCtrl::OnColumnClick(NMHDR* header, LRESULT* result) {
    const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    if (column == kVisibleColumn) {
        m_bAllVisible = !m_bAllVisible;
        SetFlagOnInactiveRows(&LayerRow::visible, m_bAllVisible);
    } else if (column == kLockColumn) {
        m_bAllLocked = !m_bAllLocked;
        SetFlagOnInactiveRows(&LayerRow::locked, m_bAllLocked);
    }
    *result = 0;
}

void CLayerListCtrl::SetFlagOnInactiveRows(int LayerRow::*flag, int value) {
    for (int i = 0; i < GetItemCount(); ++i) {
        LayerRow* row = RowAt(i);
        if (!row->active)
            row->*flag = value;
    }
    RedrawItems(0, GetItemCount() - 1);
}

// --- Drawing --------------------------------------------------------------------------------

void CLayerListCtrl::DrawItem(DRAWITEMSTRUCT* item) {
    const LayerRow* row = RowAt(static_cast<int>(item->itemID));
    if (!row)
        return;
    CDC& dc = *item->hDC;
    CRect bounds(item->rcItem);
    CRect inner = bounds;
    inner.DeflateRect(1, 1);
    dc.FillSolidRect(&inner, GetSysColor(COLOR_WINDOW));
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    CRect cell = bounds;
    cell.right = cell.left + GetColumnWidth(kNameColumn);
    DrawName(dc, cell, *row, selected);
    const int marks[] = {row->active, row->visible, row->locked};
    for (int column = kActiveColumn; column <= kLockColumn; ++column) {
        cell.left = cell.right;
        cell.right = cell.left + GetColumnWidth(column);
        if (marks[column - 1])
            DrawMark(dc, cell, column == kActiveColumn ? kActiveMark : kFlagMark);
    }
    CPen line(PS_SOLID, 1, kRowLine);
    CPen* previous = dc.SelectObject(&line);
    dc.MoveTo(bounds.left, bounds.bottom - 1);
    dc.LineTo(bounds.right, bounds.bottom - 1);
    dc.SelectObject(previous);
}

CString CLayerListCtrl::FitName(CDC& dc, const CString& name, int width) {
    if (dc.GetTextExtent(name).cx + 2 <= width)
        return name;
    CString kept = name;
    while (kept.GetLength() > 1 && dc.GetTextExtent(kept + "...").cx + 2 > width)
        kept = kept.Left(kept.GetLength() - 1);
    return kept + "...";
}

void CLayerListCtrl::DrawName(CDC& dc, const CRect& cell, const LayerRow& row, bool selected) {
    CRect text = cell;
    text.DeflateRect(1, 1);
    const CString shown = FitName(dc, row.name, text.Width());
    dc.SetBkMode(TRANSPARENT);
    if (selected) {
        dc.FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.DrawText(shown, &text, kNameFormat);
        dc.DrawFocusRect(&text);
    } else {
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(shown, &text, kNameFormat);
    }
    if (row.active) {
        dc.SetTextColor(selected ? kActiveSelectedName : kActiveName);
        dc.DrawText(shown, &text, kNameFormat);
    }
}

// A tick mark of the given size, centred in the cell.
void CLayerListCtrl::DrawMark(CDC& dc, const CRect& cell, CSize size) const {
    const int left = cell.left + (cell.Width() - size.cx) / 2;
    const int top = cell.top + (cell.Height() - size.cy) / 2;
    const POINT tick[] = {
        {left, top + size.cy / 2}, {left + size.cx / 3, top + size.cy - 1}, {left + size.cx - 1, top}};
    CPen ink(PS_SOLID, 2, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&ink);
    dc.Polyline(tick, 3);
    dc.SelectObject(previous);
}
