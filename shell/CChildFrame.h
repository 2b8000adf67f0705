#pragma once

#include "platform/win/CMDIChildWnd.h"
#include "shell/CRulerBar.h"

// A plan window: the plan view with a ruler along its top and one along its left edge.
class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
  public:
    CRulerBar& TopRuler() { return m_wndTopRuler; }
    CRulerBar& LeftRuler() { return m_wndLeftRuler; }
    void RecalcLayout(BOOL notify = TRUE) override;
    void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) override;

  protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;

  private:
    void ShowBars(BOOL show);

    CRulerBar m_wndTopRuler;
    CRulerBar m_wndLeftRuler;
};
