#include "catalog/CatalogRowDrawing.h"

#include "platform/ctl/CListCtrl.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/SystemColors.h"

namespace {

constexpr int kFirstInset = 2;
constexpr int kOtherInset = 6;
constexpr int kIconSize = 16;
constexpr int kNarrowestIcon = 2;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;

UINT AlignmentOf(const CListCtrl& list, int column) {
    LVCOLUMN info{};
    info.mask = LVCF_FMT;
    list.GetColumn(column, &info);
    switch (info.fmt & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        case LVCFMT_CENTER:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

void DrawImages(CListCtrl& list, CDC& dc, int index, const CRect& row, bool highlighted) {
    const UINT state = list.GetItemState(index, LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK | LVIS_CUT);
    const int stateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
    if (CImageList* states = list.GetImageList(LVSIL_STATE); states != nullptr && stateImage > 0)
        states->Draw(&dc, stateImage - 1, CPoint(row.left, row.top), ILD_TRANSPARENT);
    CRect icon;
    list.GetItemRect(index, &icon, LVIR_ICON);
    CImageList* small = list.GetImageList(LVSIL_SMALL);
    if (small == nullptr || icon.Width() < kNarrowestIcon)
        return;
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    list.GetItem(&item);
    UINT style = ILD_TRANSPARENT | (state & LVIS_OVERLAYMASK);
    if (highlighted || (state & LVIS_CUT) != 0)
        style |= ILD_BLEND50;
    const int top = icon.top + (icon.Height() - kIconSize) / 2;
    small->Draw(&dc, item.iImage, CPoint(icon.left, top), style);
}

void DrawCell(CDC& dc, const CString& text, CRect space, UINT alignment, const CatalogRowStyle& style) {
    const CString shown = FitCatalogText(dc, text, space.Width(), "...");
    const bool cut = shown != text;
    const UINT format = kTextFormat | (cut && style.cutTextAlignsLeft ? DT_LEFT : alignment);
    dc.DrawText(shown, &space, format);
}

}  // namespace

CString FitCatalogText(const CDC& dc, const CString& text, int width, const char* ending) {
    if (dc.GetTextExtent(text).cx <= width)
        return text;
    CString kept = text;
    while (!kept.IsEmpty() && dc.GetTextExtent(kept + ending).cx > width)
        kept = kept.Left(kept.GetLength() - 1);
    return kept + ending;
}

void DrawCatalogRow(CListCtrl& list, const DRAWITEMSTRUCT& item, const CatalogRowStyle& style) {
    CDC& dc = *item.hDC;
    const int index = static_cast<int>(item.itemID);
    const bool highlighted = (list.GetItemState(index, LVIS_SELECTED | LVIS_DROPHILITED) &
                              (LVIS_SELECTED | LVIS_DROPHILITED)) != 0;
    CRect row(item.rcItem);
    CRect label;
    list.GetItemRect(index, &label, LVIR_LABEL);
    CRect fill(label.left, row.top, row.right, row.bottom);
    const COLORREF oldText = dc.GetTextColor();
    const COLORREF oldBack = dc.GetBkColor();
    dc.FillSolidRect(&fill, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    DrawImages(list, dc, index, row, highlighted);

    CRect first = label;
    first.DeflateRect(kFirstInset, 0);
    DrawCell(dc, list.GetItemText(index, 0), first, AlignmentOf(list, 0), style);
    int left = row.left + list.GetColumnWidth(0);
    LVCOLUMN info{};
    info.mask = LVCF_FMT;
    for (int column = 1; list.GetColumn(column, &info); ++column) {
        const int width = list.GetColumnWidth(column);
        CRect cell(left + kOtherInset, row.top, left + width - kOtherInset, row.bottom);
        DrawCell(dc, list.GetItemText(index, column), cell, AlignmentOf(list, column), style);
        left += width;
    }
    if (list.GetItemState(index, LVIS_FOCUSED) & LVIS_FOCUSED)
        dc.DrawFocusRect(&row);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
}
