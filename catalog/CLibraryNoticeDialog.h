#pragma once

#include "platform/ctl/CDialog.h"

// The short notice after "Put Selection Into Library": one line of text that closes itself
// on the fifth tick of its half-second timer, about 2.5 s after each showing.
class CLibraryNoticeDialog : public CDialog {
    DECLARE_DYNAMIC(CLibraryNoticeDialog)
  public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTickPeriod = 500;
    static constexpr int kTicksShown = 5;

    explicit CLibraryNoticeDialog(CWnd* parent = nullptr);

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

  private:
    UINT_PTR m_nTimer = 0;
    int m_nTicks = 0;
};
