#include "shell/CChildFrame.h"

#include "shell/CMainFrame.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

namespace {
constexpr UINT kTopRulerId = 0xE820;
constexpr UINT kLeftRulerId = 0xE821;
}  // namespace

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return CMDIChildWnd::PreCreateWindow(cs);
}

BOOL CChildFrame::OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) {
    if (!CMDIChildWnd::OnCreateClient(cs, context))
        return FALSE;
    return m_wndTopRuler.Create(this, TRUE, kTopRulerId) && m_wndLeftRuler.Create(this, FALSE, kLeftRulerId);
}

// The top ruler spans the whole width, its first 22 pixels the corner over the left ruler;
// the left ruler runs down below it and the view fills the rest.
void CChildFrame::RecalcLayout(BOOL) {
    CRect area;
    GetClientRect(&area);
    const bool rulers = IsWindow(&m_wndTopRuler) && (m_wndTopRuler.GetStyle() & WS_VISIBLE) != 0;
    const int thickness = rulers ? CRulerBar::kThickness : 0;
    if (rulers) {
        m_wndTopRuler.MoveWindow(area.left, area.top, area.Width(), thickness);
        m_wndLeftRuler.MoveWindow(area.left, area.top + thickness, thickness,
                                  std::max(0, area.Height() - thickness));
    }
    if (CWnd* pane = PaneWindow())
        pane->MoveWindow(area.left + thickness, area.top + thickness, std::max(0, area.Width() - thickness),
                         std::max(0, area.Height() - thickness));
    if (rulers) {
        m_wndTopRuler.Invalidate();
        m_wndLeftRuler.Invalidate();
    }
}

void CChildFrame::OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) {
    CMDIChildWnd::OnSetPreviewMode(preview, state);
    ShowBars(!preview);
}

void CChildFrame::ShowBars(BOOL show) {
    const int command = show ? SW_SHOWNORMAL : SW_HIDE;
    if (IsWindow(&m_wndTopRuler))
        m_wndTopRuler.ShowWindow(command);
    if (IsWindow(&m_wndLeftRuler))
        m_wndLeftRuler.ShowWindow(command);
    RecalcLayout();
    if (auto* main = dynamic_cast<CMainFrame*>(GetMDIFrame())) {
        main->ShowPreviewToolBars(show);
        main->RecalcLayout();
    }
}
