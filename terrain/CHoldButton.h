#pragma once

#include <functional>

#include "platform/ctl/CButton.h"

// A push button that also tells when the mouse presses it and lets it go, so that holding it
// can repeat its action on a timer of the owner's.
class CHoldButton : public CButton {
    DECLARE_DYNAMIC(CHoldButton)
  public:
    // Called with true on the press and false on the release, before the click is reported.
    void SetHoldHandler(std::function<void(bool pressed)> handler) { m_onHold = std::move(handler); }

  protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

  private:
    std::function<void(bool pressed)> m_onHold;
    bool m_held = false;
};
