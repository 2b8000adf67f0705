#pragma once

#include "platform/win/CWnd.h"

class CDocument;
class CFrameWnd;
class CPreviewView;
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
    // A bordered view (WS_BORDER) takes the sunken client edge instead.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // --- Printing: the hooks run in this order for one job --------------------------------
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Picks the printer: the default one for direct printing, else through the print prompt.
    BOOL DoPreparePrinting(CPrintInfo* info);
    // The framework's print command (ID_FILE_PRINT, and ID_FILE_PRINT_DIRECT without asking).
    void OnFilePrint();
    // The framework's print preview (ID_FILE_PRINT_PREVIEW), run by the installed preview.
    void OnFilePrintPreview();
    // The preview closes: by default the end of a print job.
    virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT point, CPreviewView* view);

    CDocument* m_pDocument = nullptr;

private:
    CString DefaultPrintOutput() const;
    // Each page of the range once, as one copy of the job.
    void PrintPages(CDC& dc, CPrintInfo& info);

protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    int OnMouseActivate(UINT hitTest, UINT message) override;
    void PostNcDestroy() override;
    void OnDestroy() override;
};
