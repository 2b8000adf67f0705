#pragma once

#include <array>

#include "platform/ctl/CBitmapButton.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBitmap.h"
#include "shell/CCreditsCtrl.h"

// The credits dialog: a picture, the scrolling credits and the buttons that steer them.
class CCreditsDialog : public CDialog {
    DECLARE_MESSAGE_MAP()
  public:
    // Throws CFileException when the credits file is missing or cannot be read.
    CCreditsDialog();
    CCreditsCtrl& Credits() { return m_credits; }

  protected:
    BOOL OnInitDialog() override;

    void OnForward();
    void OnBackward();
    void OnRun();
    void OnStop();
    void OnFaster();
    void OnSlower();

  private:
    void SetUpButtons();
    // After a speed change: the button at its limit goes grey and hands the focus over.
    void UpdateSpeedButtons(CWnd* pressed, CWnd* other, bool atLimit);

    CCreditsCtrl m_credits;
    CStatic m_picture;
    CBitmap m_pictureBitmap;
    std::array<CBitmapButton, 6> m_buttons;
};
