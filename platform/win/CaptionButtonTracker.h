#pragma once

#include "platform/win/CWnd.h"

// Holds the mouse while a caption button is pressed: the button looks pushed in while the mouse
// is on it, and a release there sends its system command (SC_CLOSE, SC_MAXIMIZE ...) to the
// target. A release anywhere else does nothing.
class CaptionButtonTracker : public CWnd {
  public:
    // Where the button is drawn: the window showing it, what it is there (hit and part, as
    // NonClientPress names it) and its rectangle in that window's coordinates.
    struct Button {
        CWnd* shownOn;
        UINT hit;
        int part;
        CRect rect;
    };
    static void Start(const Button& button, CWnd* target, UINT command, CPoint screen);

  protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;
    void PostNcDestroy() override { delete this; }

  private:
    CaptionButtonTracker(const Button& button, CWnd* target, UINT command)
        : m_button(button), m_target(target), m_command(command) {}
    bool Over(CPoint screen) const;
    void ShowPressed(CPoint screen);

    Button m_button;
    CWnd* m_target;
    UINT m_command;
    bool m_ended = false;
};
