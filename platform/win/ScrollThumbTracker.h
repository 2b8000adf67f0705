#pragma once

#include "platform/win/CWnd.h"

// Holds the mouse while a scroll-bar thumb is dragged: each move tells the window the
// thumb's position (SB_THUMBTRACK), the release or a cancel the final one (SB_THUMBPOSITION).
class ScrollThumbTracker : public CWnd {
public:
    static void Start(CWnd* target, int bar, int grabOffset);

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

private:
    ScrollThumbTracker(CWnd* target, int bar, int grabOffset) : m_target(target), m_bar(bar), m_grab(grabOffset) {}
    int PositionAt(CPoint screen) const;
    void Tell(UINT code, int position);

    CWnd* m_target;
    int m_bar;
    int m_grab;
    int m_position = 0;
};
