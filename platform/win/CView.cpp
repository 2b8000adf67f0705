#include "platform/win/CView.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CCommandLineInfo.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/Cursors.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/ViewDependent.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() = default;

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    // The views share a class of their own, so that the cursor a view installs in its class
    // shows over the views only, not over every frame, dialog and control.
    if (cs.lpszClass == nullptr)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS, LoadStandardCursor(IDC_ARROW), GetSysColorBrush(COLOR_WINDOW));
    if (cs.style & WS_BORDER) {
        cs.style &= ~static_cast<LONG>(WS_BORDER);
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return CWnd::PreCreateWindow(cs);
}

CView::~CView() {
    ViewDependent::ViewClosing(*this);
    if (m_pDocument) m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const { return dynamic_cast<CFrameWnd*>(CWnd::GetParentFrame()); }

int CView::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    // What shows this view from outside ends first, while the view is whole.
    ViewDependent::ViewClosing(*this);
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* sender, LPARAM, CObject*) {
    if (sender != this) Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
    if (activate && activateView == this) SetFocus();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(UINT hitTest, UINT message) {
    const int result = CWnd::OnMouseActivate(hitTest, message);
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return result;
    // The active view clicked while the keyboard is elsewhere takes it back.
    CWnd* focus = GetFocus();
    if (frame->GetActiveView() == this && focus != this && !IsChild(focus))
        OnActivateView(TRUE, this, this);
    else
        frame->SetActiveView(this);
    return result;
}

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    if (info->m_strOutput.IsEmpty()) info->m_strOutput = DefaultPrintOutput();
    const CWinApp* app = AfxGetApp();
    if (info->m_bDirect && app && app->m_pCmdInfo &&
        app->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo)
        info->m_strPrinterName = app->m_pCmdInfo->m_strPrinterName;
    if (info->m_bPreview) return TRUE;
    // A direct print asks the prompt too, which takes the session's printer, or the one the
    // command line named, without asking.
    const PrintPrompt& prompt = AfxGetPrintPrompt();
    return prompt ? prompt(*info) : TRUE;
}

CString CView::DefaultPrintOutput() const {
    // The default printer writes next to the document, named after it.
    CString base = m_pDocument ? m_pDocument->GetPathName() : CString();
    if (base.IsEmpty()) base = m_pDocument && !m_pDocument->GetTitle().IsEmpty() ? m_pDocument->GetTitle() : "Untitled";
    const int dot = base.ReverseFind('.');
    const int slash = std::max(base.ReverseFind('/'), base.ReverseFind('\\'));
    if (dot > slash) base = base.Left(dot);
    return base + ".pdf";
}

void CView::OnFilePrint() {
    CPrintInfo info;
    const MSG* command = GetCurrentMessage();
    info.m_bDirect = command && command->message == WM_COMMAND && LOWORD(command->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info)) return;
    CDC dc;
    if (!dc.CreatePrinterDC(info.m_strOutput, info.m_nDpi, info.m_nPaperWidth, info.m_nPaperHeight,
                            info.m_rectMargins)) {
        AfxMessageBox("The printer could not be opened.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(&dc, &info);
    const CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    if (dc.StartDoc(title) <= 0) {
        OnEndPrinting(&dc, &info);
        AfxMessageBox("The printer could not be opened.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    dc.SetPrintCopies(info.m_nCopies);
    PrintPages(dc, info);
    const bool printed = dc.EndDoc() > 0;
    OnEndPrinting(&dc, &info);
    if (printed && info.m_afterPrinting) info.m_afterPrinting(info.m_strOutput);
}

void CView::PrintPages(CDC& dc, CPrintInfo& info) {
    for (UINT page = info.GetFromPage(); page <= info.GetToPage() && info.m_bContinuePrinting; ++page) {
        info.m_nCurPage = page;
        info.m_rectDraw = CRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        OnPrepareDC(&dc, &info);
        // OnPrepareDC ends a job of unknown length by clearing the flag.
        if (!info.m_bContinuePrinting) break;
        dc.StartPage();
        OnPrint(&dc, &info);
        dc.EndPage();
    }
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handlerInfo);
}
