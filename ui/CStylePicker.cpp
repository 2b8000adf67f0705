#include "ui/CStylePicker.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"

IMPLEMENT_DYNAMIC(CStylePicker, CComboBox)

int CStylePicker::OnCreate(CREATESTRUCT* cs) {
    if (CComboBox::OnCreate(cs) == -1)
        return -1;
    PreSubclassWindow();
    return 0;
}

void CStylePicker::PreSubclassWindow() {
    ResetContent();
    for (int value : Values()) {
        const int index = AddString("");
        SetItemData(index, static_cast<DWORD_PTR>(value));
    }
    SetCurSel(0);
}

void CStylePicker::MeasureItem(MEASUREITEMSTRUCT* item) {
    item->itemHeight = static_cast<UINT>(ItemHeight());
}

// Every request but a bare focus change paints the whole item; no focus rectangle is drawn.
void CStylePicker::DrawItem(DRAWITEMSTRUCT* item) {
    if (static_cast<int>(item->itemID) < 0 || item->itemAction == ODA_FOCUS)
        return;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    Colours colours{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)};
    if (selected)
        colours = {GetSysColor(SelectedInWindowColour() ? COLOR_WINDOW : COLOR_CAPTIONTEXT),
                   GetSysColor(COLOR_ACTIVECAPTION)};
    CDC& dc = *item->hDC;
    const CRect area(item->rcItem);
    dc.FillSolidRect(&area, colours.paper);
    const int saved = dc.SaveDC();
    DrawSample(dc, area, static_cast<int>(item->itemData), colours);
    dc.RestoreDC(saved);
}

void CStylePicker::DrawBaseLine(CDC& dc, const CRect& item, int penStyle, int width, COLORREF ink) {
    CPen pen(penStyle, width, ink);
    CPen* oldPen = dc.SelectObject(&pen);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(item.left + 10, Mid(item));
    dc.LineTo(item.right - 10, Mid(item));
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldPen);
}

void CStylePicker::DrawArrowStrokes(CDC& dc, const CRect& item, int back, int spread, COLORREF ink) {
    CPen pen(PS_SOLID, 1, ink);
    CPen* oldPen = dc.SelectObject(&pen);
    const CPoint tip(item.right - 10, Mid(item));
    for (int side : {1, -1}) {
        dc.MoveTo(tip);
        dc.LineTo(item.right - back, Mid(item) + side * spread);
    }
    dc.SelectObject(oldPen);
}
