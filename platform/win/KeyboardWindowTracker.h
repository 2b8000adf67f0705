#pragma once

#include "platform/win/CWnd.h"

// Moves or sizes a window from the keyboard, as the system menu's Move and Size do: each arrow
// key moves the window (Move) or an edge of it (Size: the first arrow picks the edge) by a step;
// Enter or a click keeps the place, Esc puts the window back where it was.
class KeyboardWindowTracker : public CWnd {
  public:
    static constexpr int kStep = 8;
    static void Start(CWnd* target, bool sizing);

  protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

  private:
    KeyboardWindowTracker(CWnd* target, bool sizing) : m_target(target), m_sizing(sizing) {}
    void Arrow(UINT key);
    // The edge an arrow picks when sizing: HTLEFT, HTRIGHT, HTTOP or HTBOTTOM.
    static UINT EdgeOf(UINT key);
    void Place(const CRect& rect);
    void Finish();

    CWnd* m_target;
    bool m_sizing;
    UINT m_edge = 0;
    CRect m_startRect;
    CRect m_rect;
};
