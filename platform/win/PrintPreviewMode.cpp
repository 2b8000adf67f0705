#include <utility>

#include "platform/win/CControlBar.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPrintPreviewState.h"
#include "platform/win/CView.h"

// The frame's side of print preview: its bars, its pane and its menu make way for the preview.
void CFrameWnd::OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) {
    if (!state)
        return;
    if (preview) {
        state->pViewActiveOld = m_pViewActive;
        for (CWnd* child : Children()) {
            auto* bar = dynamic_cast<CControlBar*>(child);
            if (bar && (bar->GetStyle() & WS_VISIBLE)) {
                bar->ShowWindow(SW_HIDE);
                state->hiddenBars.push_back(bar);
            }
        }
        if (CWnd* pane = PaneWindow(); pane && pane->IsWindowVisible()) {
            pane->ShowWindow(SW_HIDE);
            state->hiddenPane = pane;
        }
        state->menu = GetMenu();
        if (state->menu)
            SetMenu(nullptr);
    } else {
        for (CControlBar* bar : std::exchange(state->hiddenBars, {}))
            if (IsWindow(bar))
                bar->ShowWindow(SW_SHOWNA);
        if (IsWindow(state->hiddenPane))
            state->hiddenPane->ShowWindow(SW_SHOW);
        state->hiddenPane = nullptr;
        if (state->menu)
            SetMenu(state->menu);
        state->menu = nullptr;
    }
    RecalcLayout();
}
