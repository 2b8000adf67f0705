#pragma once

#include "platform/ctl/CControlWnd.h"
#include "platform/win/ScrollBarGeometry.h"

// A scroll bar as a control of its own (SBS_HORZ or SBS_VERT). It tells its parent what the
// mouse asks (WM_HSCROLL or WM_VSCROLL with itself as the sender); the parent moves it.
class CScrollBar : public CControlWnd {
    DECLARE_DYNAMIC(CScrollBar)
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int SetScrollPos(int position, BOOL redraw = TRUE);
    int GetScrollPos() const { return m_info.nPos; }
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE);
    void GetScrollRange(int* minimum, int* maximum) const;
    BOOL SetScrollInfo(const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollLimit() const;
    bool IsVertical() const { return (GetStyle() & SBS_VERT) != 0; }

  protected:
    void OnPaint() override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override { OnLButtonDown(flags, point); }
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void OnTimer(UINT_PTR id) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS; }

  private:
    void Tell(UINT code, int position = 0);
    int Clamp(int position) const;
    ScrollBarGeometry Geometry() const;
    // The mouse is on the held part, or left it: a held arrow looks pushed in, and the
    // repeating steps go on, only while the mouse is on it.
    void NoteMouseOnHeld(bool on);

    SCROLLINFO m_info{sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};
    UINT m_repeatCode = SB_ENDSCROLL;
    bool m_dragging = false;
    int m_grab = 0;
    ScrollBarGeometry::Part m_held = ScrollBarGeometry::None;
    bool m_mouseOnHeld = false;
    CPoint m_mouse;
};
