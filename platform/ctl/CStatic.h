#pragma once

#include "platform/ctl/CControlWnd.h"

class CBitmap;

// Static text (left, centred, right, wrapped or not), frames and rectangles (black, grey,
// white, etched lines and frames) and pictures (a bitmap or an icon), all by SS_ style.
class CStatic : public CControlWnd {
    DECLARE_DYNAMIC(CStatic)
  public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    CBitmap* SetBitmap(CBitmap* bitmap);
    CBitmap* GetBitmap() const { return m_bitmap; }
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon; }

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    UINT OnGetDlgCode() override { return DLGC_STATIC; }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    DWORD Kind() const { return GetStyle() & SS_TYPEMASK; }
    void PaintText(CDC& dc, const CRect& client);
    void PaintFrame(CDC& dc, const CRect& client);

    CBitmap* m_bitmap = nullptr;
    HICON m_icon = nullptr;
};
