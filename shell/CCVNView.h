#pragma once

#include "model/CPlanViewServices.h"
#include "platform/win/CScrollView.h"

class CCVNDoc;

// The plan window's view. For now it shows the layout's page, white on the grey around it,
// with the layout's name on it, scrolled at the document's zoom; drawing the layout and
// handing the mouse to the editing engine come with the full plan view.
class CCVNView : public CScrollView, public CPlanViewServices {
    DECLARE_DYNCREATE(CCVNView)
    DECLARE_MESSAGE_MAP()
  public:
    CCVNDoc* GetDocument() const;
    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;

    void SetZoom(double zoom) override;
    void RepaintDirty() override;
    CPoint GetCenterPoint() override;

    // The page in logical units (0.1 mm on the screen) at the document's zoom.
    CSize ZoomedPageSize() const;

  protected:
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    // The rulers mark where the mouse is.
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
    // The trains stand still while the preview is up.
    void OnPrintPreview();
    // The document's commands whose dialogs the program does not have yet stay grey.
    void OnUpdateDialogToCome(CCmdUI* cmdUI);
};
