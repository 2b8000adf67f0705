#pragma once

#include "platform/win/CWnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

// A window showing a document. Commands it does not handle go on to its document.
class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;

    CDocument* m_pDocument = nullptr;

protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    int OnMouseActivate(UINT hitTest, UINT message) override;
    void PostNcDestroy() override;
    void OnDestroy() override;
};
