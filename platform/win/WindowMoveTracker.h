#pragma once

#include "platform/win/CWnd.h"

// Holds the mouse while a window is dragged by its caption (moved) or by a sizing border
// (resized). Each move asks the window for its size limits (WM_GETMINMAXINFO) and goes through
// SetWindowPos, where WM_WINDOWPOSCHANGING may change or refuse it.
class WindowMoveTracker : public CWnd {
  public:
    // hit: HTCAPTION, or HTLEFT ... HTBOTTOMRIGHT; screen: where the button went down.
    static void Start(CWnd* target, UINT hit, CPoint screen);
    static bool Tracks(UINT hit) { return hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT); }
    // The size limits of target: the screen's, as target's WM_GETMINMAXINFO changes them.
    static MINMAXINFO LimitsOf(CWnd& target);
    // Makes a tracker's window, invisible and borderless at the screen's origin so that its
    // client points are screen points, and keeps target's rectangle in its parent's client
    // coordinates; false when the window could not be made.
    static bool CreateOver(CWnd& tracker, CWnd* target, CRect& startRect);

  protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

  private:
    WindowMoveTracker(CWnd* target, UINT hit, CPoint start) : m_target(target), m_hit(hit), m_start(start) {}
    // The rectangle (in the parent's client coordinates) the mouse at screen asks for.
    CRect RectFor(CPoint screen) const;

    CWnd* m_target;
    UINT m_hit;
    CPoint m_start;
    CRect m_startRect;
};
