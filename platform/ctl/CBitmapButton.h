#pragma once

#include "platform/ctl/CButton.h"
#include "platform/gdi/CBitmap.h"

// An owner-drawn push button shown by pictures: up, down (pressed), focused and disabled; the
// up picture stands in for any that is missing.
class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
  public:
    // Reads the pictures from .bmp files; empty names leave those pictures out.
    BOOL LoadBitmaps(const CString& up, const CString& down = CString(), const CString& focus = CString(),
                     const CString& disabled = CString());
    // Fits the button to its up picture.
    void SizeToContent();
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void PreSubclassWindow() override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
