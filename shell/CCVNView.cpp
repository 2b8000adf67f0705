#include "shell/CCVNView.h"

#include "model/CCVNDoc.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"

IMPLEMENT_DYNCREATE(CCVNView, CScrollView)

BEGIN_MESSAGE_MAP(CCVNView, CScrollView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnPrintPreview)
ON_UPDATE_COMMAND_UI(ID_DOCUMENT_SETUP, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_PREFERENCES, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_LIBRARY_GET_OBJECT, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_LIBRARY_PUT_SELECTION, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_MATERIALS_REPORT, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_PARTS_LIST, OnUpdateDialogToCome)
ON_UPDATE_COMMAND_UI(ID_TRACK_WIZARD, OnUpdateDialogToCome)
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kPageColour = RGB(255, 255, 255);
constexpr int kTitleHeight = -50;  // 5 mm in logical units
constexpr int kTitleMargin = 50;
}  // namespace

CCVNDoc* CCVNView::GetDocument() const {
    return dynamic_cast<CCVNDoc*>(CScrollView::GetDocument());
}

CSize CCVNView::ZoomedPageSize() const {
    const CCVNDoc* doc = GetDocument();
    if (doc == nullptr)
        return CSize(0, 0);
    const CTool& tool = doc->m_tool;
    const double zoom = tool.m_fZoomNumerator / tool.m_fZoomDenominator;
    return CSize(static_cast<int>(doc->GetPageWidth() * zoom), static_cast<int>(doc->GetPageHeight() * zoom));
}

void CCVNView::OnInitialUpdate() {
    SetScrollSizes(MM_LOMETRIC, ZoomedPageSize());
    CScrollView::OnInitialUpdate();
}

BOOL CCVNView::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_APPWORKSPACE));
    return TRUE;
}

void CCVNView::OnDraw(CDC* dc) {
    const CSize page = ZoomedPageSize();
    dc->FillSolidRect(0, 0, page.cx, -page.cy, kPageColour);
    const CCVNDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    CFont font;
    font.CreateFont(kTitleHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, 0, 0, 0, 0, 0, "Arial");
    CFont* old = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->TextOut(kTitleMargin, -kTitleMargin, doc->GetTitle());
    dc->SelectObject(old);
}

void CCVNView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    CScrollView::OnActivateView(activate, activated, deactivated);
    if (!activate)
        return;
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        main->ShowToolBarsFor(TRUE);
}

void CCVNView::OnMouseMove(UINT flags, CPoint point) {
    CScrollView::OnMouseMove(flags, point);
    if (auto* frame = dynamic_cast<CChildFrame*>(GetParentFrame())) {
        frame->TopRuler().ShowMousePosition(point.x, point.y, FALSE);
        frame->LeftRuler().ShowMousePosition(point.x, point.y, FALSE);
    }
}

BOOL CCVNView::OnPreparePrinting(CPrintInfo* info) {
    // One page: the page as the window shows it.
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}

void CCVNView::OnPrintPreview() {
    auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (main != nullptr)
        main->SetTrainPause(TRUE);
    OnFilePrintPreview();
    if (main != nullptr)
        main->SetTrainPause(FALSE);
}

void CCVNView::OnUpdateDialogToCome(CCmdUI* cmdUI) {
    cmdUI->Enable(FALSE);
}

void CCVNView::SetZoom(double) {}

void CCVNView::RepaintDirty() {
    Invalidate(FALSE);
}

CPoint CCVNView::GetCenterPoint() {
    CRect client;
    GetClientRect(&client);
    CPoint centre = client.CenterPoint();
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&centre);
    return centre;
}
