#pragma once

#include <vector>

#include "platform/win/CFrameWnd.h"
#include "platform/win/CPrintPreviewState.h"
#include "platform/win/CView.h"

// A view of a two-page document for the printing tests: page 1 has a black square at its top
// left, page 2 one at its bottom right, each 5 cm wide, drawn in tenths of a millimetre.
class PagesView : public CView {
    DECLARE_DYNCREATE(PagesView)
  public:
    std::vector<UINT> printedPages;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnDraw(CDC* dc) override;
};

// A single-document frame holding a PagesView; it notes each preview-mode change.
class PagesFrame : public CFrameWnd {
  public:
    std::vector<BOOL> previewModes;
    static PagesFrame* Open();
    PagesView* View() const {
        return static_cast<PagesView*>(GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    }
    void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) override {
        previewModes.push_back(preview);
        CFrameWnd::OnSetPreviewMode(preview, state);
    }
};
