#include "ui/CColorButton.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CColorButton, CButton)

// The colour field moves one pixel right and down while the button is held down.
void CColorButton::DrawItem(DRAWITEMSTRUCT* item) {
    CDC& dc = *item->hDC;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    CRect area(item->rcItem);
    CBrush black(RGB(0, 0, 0));
    if (item->itemState & ODS_FOCUS) {
        dc.FrameRect(&area, &black);
        area.DeflateRect(1, 1);
    }
    dc.DrawFrameControl(&area, DFC_BUTTON,
                        DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0u) |
                            ((item->itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0u));
    if (selected)
        area.DeflateRect(5, 5, 4, 4);
    else
        area.DeflateRect(4, 4, 5, 5);
    dc.FrameRect(&area, &black);
    area.DeflateRect(1, 1);
    CBrush colour(m_color);
    dc.FillRect(&area, &colour);
}
