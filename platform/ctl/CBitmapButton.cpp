#include "platform/ctl/CBitmapButton.h"

#include "platform/ctl/ControlPainting.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {
bool Has(const CBitmap& bitmap) {
    return bitmap.GetSafeHandle() != nullptr;
}
}  // namespace

BOOL CBitmapButton::LoadBitmaps(const CString& up, const CString& down, const CString& focus,
                                const CString& disabled) {
    if (!m_bitmap.LoadBitmapFile(up))
        return FALSE;
    if (!down.IsEmpty())
        m_bitmapSel.LoadBitmapFile(down);
    if (!focus.IsEmpty())
        m_bitmapFocus.LoadBitmapFile(focus);
    if (!disabled.IsEmpty())
        m_bitmapDisabled.LoadBitmapFile(disabled);
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

void CBitmapButton::PreSubclassWindow() {
    SetButtonStyle(BS_OWNERDRAW, FALSE);
}

void CBitmapButton::SizeToContent() {
    if (!Has(m_bitmap))
        return;
    const CSize size = m_bitmap.GetBitmapDimension();
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
    CBitmap* picture = &m_bitmap;
    if ((item->itemState & ODS_DISABLED) && Has(m_bitmapDisabled))
        picture = &m_bitmapDisabled;
    else if ((item->itemState & ODS_SELECTED) && Has(m_bitmapSel))
        picture = &m_bitmapSel;
    else if ((item->itemState & ODS_FOCUS) && Has(m_bitmapFocus))
        picture = &m_bitmapFocus;
    if (Has(*picture))
        ControlPainting::DrawBitmapCentred(*item->hDC, *picture, CRect(item->rcItem));
}
