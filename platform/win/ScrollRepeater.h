#pragma once

#include "platform/win/CWnd.h"
#include "platform/win/ScrollBarGeometry.h"

// Holds the mouse while a scroll-bar arrow or page area is pressed: one step at once, then,
// after a pause, a step at each tick of its timer while the mouse stays on that part (a page
// area stops when the thumb reaches the mouse). The release ends it with SB_ENDSCROLL.
class ScrollRepeater : public CWnd {
  public:
    // Every scroll bar of the program, a window's own or a control, repeats on this beat.
    static constexpr UINT kFirstDelay = 400;
    static constexpr UINT kRepeatPeriod = 50;

    static void Start(CWnd* target, int bar, ScrollBarGeometry::Part part, CPoint screen);

  protected:
    void OnTimer(UINT_PTR id) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

  private:
    ScrollRepeater(CWnd* target, int bar, ScrollBarGeometry::Part part, CPoint screen)
        : m_target(target), m_bar(bar), m_part(part), m_mouse(screen) {}
    bool MouseOnPart() const;
    // An arrow looks pushed in while the mouse is on it.
    void ShowPressed();
    void Step();
    void Tell(UINT code);

    CWnd* m_target;
    int m_bar;
    ScrollBarGeometry::Part m_part;
    CPoint m_mouse;
    bool m_ended = false;
};
