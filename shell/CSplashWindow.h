#pragma once

#include "platform/gdi/CBitmap.h"
#include "platform/win/CWnd.h"

// The picture shown for four seconds while the main window comes up.
class CSplashWindow : public CWnd {
  public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kShowTime = 4000;

    // Shows the splash over parent when the switch is on and none is shown.
    static void ShowSplash(CWnd* parent);
    static void EnableSplash(BOOL enable) { s_enabled = enable; }
    // The splash on the screen, null when none is.
    static CSplashWindow* Current() { return s_current; }

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void PostNcDestroy() override;

  private:
    BOOL CreateSplash(CWnd* parent);

    CBitmap m_bitmap;
    static BOOL s_enabled;
    static CSplashWindow* s_current;
};
