#include "platform/win/CView.h"

#include "platform/win/CCreateContext.h"
#include "platform/win/CDocument.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() = default;

CView::~CView() {
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
    if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
    return result;
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handlerInfo);
}
