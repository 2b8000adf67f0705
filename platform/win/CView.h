#pragma once

#include "platform/win/CWnd.h"

class CDocument;
class CFrameWnd;
#include "platform/win/CPrintInfo.h"

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

    // --- Printing: the hooks run in this order for one job --------------------------------
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Picks the printer: the default one for direct printing, else through the print prompt.
    BOOL DoPreparePrinting(CPrintInfo* info);
    // The framework's print command (ID_FILE_PRINT, and ID_FILE_PRINT_DIRECT without asking).
    void OnFilePrint();

    CDocument* m_pDocument = nullptr;

private:
    CString DefaultPrintOutput() const;

protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    int OnMouseActivate(UINT hitTest, UINT message) override;
    void PostNcDestroy() override;
    void OnDestroy() override;
};
