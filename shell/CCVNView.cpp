#include "shell/CCVNView.h"

#include <algorithm>
#include <cmath>

#include "model/CCVNDoc.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowDCs.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"

IMPLEMENT_DYNCREATE(CCVNView, CScrollView)

UINT CCVNView::s_nLastCursorId = 0;

namespace {

int Truncate(double value) {
    return static_cast<int>(value);
}

}  // namespace

CCVNView::CCVNView() : m_pMainFrame(dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
    SetScrollSizes(MM_LOMETRIC, CSize(0, 0));
}

CCVNView::~CCVNView() {
    if (m_pOldDrawBitmap != nullptr)
        m_drawDC.SelectObject(m_pOldDrawBitmap);
    if (m_pOldOverlayBitmap != nullptr)
        m_overlayDC.SelectObject(m_pOldOverlayBitmap);
    if (m_pMainFrame == nullptr || !IsWindow(m_pMainFrame))
        return;
    // The window that is active now, if any, shows its own texts again.
    m_pMainFrame->UpdateStatusPanes();
}

CCVNDoc* CCVNView::GetDocument() const {
    return dynamic_cast<CCVNDoc*>(CScrollView::GetDocument());
}

CTool& CCVNView::Tool() const {
    return GetDocument()->m_tool;
}

CMainFrame* CCVNView::MainFrame() const {
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

// ---- Life cycle ----

int CCVNView::OnCreate(CREATESTRUCT* cs) {
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    CreateBuffers();
    if (CMainFrame* main = MainFrame())
        main->ShowToolBarsFor(TRUE);
    return 0;
}

void CCVNView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    if (CMainFrame* main = MainFrame(); main != nullptr && activate)
        main->ShowToolBarsFor(TRUE);
    // The layout's status may still be the one its 3D view gave it.
    if (CCVNDoc* doc = GetDocument(); doc != nullptr && activate)
        doc->m_tool.UpdateStatus();
    CScrollView::OnActivateView(activate, activated, deactivated);
}

void CCVNView::OnDestroy() {
    StopAutoScrollTimer();
    CScrollView::OnDestroy();
    CMainFrame* main = MainFrame();
    if (main == nullptr)
        return;
    // The tools bar goes with the plan window; the view left active brings back its own bar.
    if (IsWindow(&main->GetToolsToolBar()))
        main->ShowControlBar(&main->GetToolsToolBar(), FALSE, FALSE);
    CFrameWnd* frame = main->GetActiveFrame();
    CView* active = frame != nullptr ? frame->GetActiveView() : nullptr;
    if (active != nullptr && active != this)
        main->ShowToolBarsFor(dynamic_cast<CCVNView*>(active) != nullptr);
}

void CCVNView::OnInitialUpdate() {
    UpdateScrollSizes();
    CScrollView::OnInitialUpdate();
}

void CCVNView::OnUpdate(CView*, LPARAM, CObject*) {
    UpdateScrollSizes();
}

void CCVNView::OnSize(UINT type, int cx, int cy) {
    UpdateScrollSizes();
    CScrollView::OnSize(type, cx, cy);
    GrowBuffers();
}

// ---- Mapping ----

double CCVNView::ZoomDenominator() const {
    return Tool().m_fZoomDenominator;
}

CSize CCVNView::PageExtent() const {
    const CCVNDoc* doc = GetDocument();
    if (doc == nullptr || ZoomDenominator() == 0.0)
        return CSize(0, 0);
    return CSize(Truncate(doc->m_fPageWidth * m_fZoom / ZoomDenominator()),
                 Truncate(doc->m_fPageHeight * m_fZoom / ZoomDenominator()));
}

void CCVNView::UpdateScrollSizes() {
    if (GetDocument() == nullptr)
        return;
    const CSize total = PageExtent();
    if (total != GetTotalSize())
        SetScrollSizes(MM_LOMETRIC, total);
}

void CCVNView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
    CScrollView::OnPrepareDC(dc, info);
    if (dc->IsPrinting() && info != nullptr)
        SetPrintOffsets(dc, info);
}

void CCVNView::TellEngineZoom() {
    TellEngineScale(ZoomDenominator());
}

void CCVNView::TellEngineScale(double denominator) {
    Tool().TakeMapping(CViewMapping(m_fZoom, denominator, this));
}

CViewMapping CCVNView::Mapping() const {
    return CViewMapping(m_fZoom, ZoomDenominator(), this);
}

CPoint CCVNView::ToLogical(CPoint device) {
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&device);
    return device;
}

CRect CCVNView::LogicalClientRect(CDC& dc, bool normalised) {
    CRect client;
    GetClientRect(&client);
    dc.DPtoLP(&client);
    if (normalised)
        client.NormalizeRect();
    return client;
}

CPoint CCVNView::ClientCentre() {
    CClientDC dc(this);
    OnPrepareDC(&dc);
    const CRect client = LogicalClientRect(dc, true);
    return CPoint((client.left + client.right) / 2, (client.top + client.bottom) / 2);
}

CPoint CCVNView::GetCenterPoint() {
    return ClientCentre();
}

void CCVNView::SetZoom(double zoom) {
    m_fZoom = zoom;
    ZoomEpilogue();
}

// ---- Scrolling ----

BOOL CCVNView::OnScroll(UINT code, UINT position, BOOL doScroll) {
    const CPoint before = GetScrollPosition();
    const BOOL scrolled = CScrollView::OnScroll(code, position, doScroll);
    const bool ended = (code & 0xFF) == SB_ENDSCROLL || ((code >> 8) & 0xFF) == SB_ENDSCROLL;
    if (ended) {
        if (CMainFrame* main = MainFrame())
            main->SetTrainPause(FALSE);
        InvalidateAll();
        return scrolled;
    }
    if (doScroll && GetScrollPosition() != before) {
        FollowRulers();
        RestoreFromBuffer(0, nullptr);
        if (CMainFrame* main = MainFrame())
            main->SetTrainPause(TRUE);
    }
    return scrolled;
}

BOOL CCVNView::OnScrollBy(CSize by, BOOL doScroll) {
    const DWORD style = GetStyle();
    if ((style & WS_HSCROLL) == 0)
        by.cx = 0;
    if ((style & WS_VSCROLL) == 0)
        by.cy = 0;
    const int oldX = GetScrollPos(SB_HORZ);
    const int oldY = GetScrollPos(SB_VERT);
    const int newX = std::clamp(oldX + by.cx, 0, std::max(0, GetScrollLimit(SB_HORZ)));
    const int newY = std::clamp(oldY + by.cy, 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (newX == oldX && newY == oldY)
        return FALSE;
    if (doScroll) {
        if (newX != oldX)
            SetScrollPos(SB_HORZ, newX, TRUE);
        if (newY != oldY)
            SetScrollPos(SB_VERT, newY, TRUE);
    }
    return TRUE;
}

// The wheel moves only the scroll position; the whole view is drawn anew at the new one.
BOOL CCVNView::OnMouseWheel(UINT flags, short delta, CPoint point) {
    const BOOL scrolled = CScrollView::OnMouseWheel(flags, delta, point);
    if (scrolled)
        InvalidateAll();
    return scrolled;
}

void CCVNView::SetScrollPositionQuiet(CPoint logical) {
    CClientDC dc(this);
    dc.SetMapMode(GetMapMode());
    if (GetMapMode() != MM_TEXT)
        dc.LPtoDP(&logical);
    SetScrollPos(SB_HORZ, std::clamp(static_cast<int>(logical.x), 0, std::max(0, GetScrollLimit(SB_HORZ))),
                 TRUE);
    SetScrollPos(SB_VERT, std::clamp(static_cast<int>(logical.y), 0, std::max(0, GetScrollLimit(SB_VERT))),
                 TRUE);
    FollowRulers();
}

CRulerBar* CCVNView::Ruler(bool top) const {
    auto* frame = dynamic_cast<CChildFrame*>(GetParentFrame());
    if (frame == nullptr)
        return nullptr;
    CRulerBar& ruler = top ? frame->TopRuler() : frame->LeftRuler();
    return IsWindow(&ruler) ? &ruler : nullptr;
}

void CCVNView::FollowRulers() {
    for (bool top : {true, false})
        if (CRulerBar* ruler = Ruler(top))
            ruler->FollowView();
}

// ---- Zoom ----

void CCVNView::StoreZoomedPageSize() {
    CCVNDoc* doc = GetDocument();
    const CTool& tool = Tool();
    doc->m_fZoomedPageWidth = doc->m_fPageWidth * tool.m_fZoomNumerator / tool.m_fZoomDenominator;
    doc->m_fZoomedPageHeight = doc->m_fPageHeight * tool.m_fZoomNumerator / tool.m_fZoomDenominator;
}

double CCVNView::ZoomedPageWidth() const {
    return GetDocument()->m_fPageWidth * m_fZoom / ZoomDenominator();
}

double CCVNView::ZoomedPageHeight() const {
    return GetDocument()->m_fPageHeight * m_fZoom / ZoomDenominator();
}

void CCVNView::ZoomEpilogue() {
    TellEngineZoom();
    StoreZoomedPageSize();
    UpdateScrollSizes();
    InvalidateAll();
}

// Moves the scroll position so that the logical point p (at the old zoom) comes to the middle
// of the window; an axis on which the page is narrower than the window goes to 0.
void CCVNView::ScrollKeepingCentre(double oldZoom, CPoint p, bool quiet) {
    UpdateScrollSizes();
    CClientDC dc(this);
    OnPrepareDC(&dc);
    const CRect client = LogicalClientRect(dc, true);
    const CPoint centre((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    const double factor = m_fZoom / oldZoom;
    CPoint position = GetScrollPosition();
    position.x += Truncate(p.x * factor - centre.x);
    position.y += Truncate(p.y * factor - centre.y);
    const CSize page = PageExtent();
    if (std::abs(client.Width()) > page.cx)
        position.x = 0;
    if (std::abs(client.Height()) > page.cy)
        position.y = 0;
    if (quiet)
        SetScrollPositionQuiet(position);
    else
        ScrollToPosition(position);
}

void CCVNView::OnZoomIn() {
    const double oldZoom = m_fZoom;
    m_fZoom = oldZoom * 2.0;
    TellEngineZoom();
    ScrollKeepingCentre(oldZoom, ClientCentre(), false);
    StoreZoomedPageSize();
    InvalidateAll();
}

void CCVNView::OnZoomOut() {
    const double oldZoom = m_fZoom;
    const CPoint centre = ClientCentre();
    m_fZoom = oldZoom * 0.5;
    TellEngineZoom();
    ScrollKeepingCentre(oldZoom, centre, true);
    StoreZoomedPageSize();
    InvalidateAll();
}

void CCVNView::AdoptEngineZoom(CPoint pressed) {
    ReleaseCapture();
    const double oldZoom = m_fZoom;
    m_fZoom = Tool().m_fZoomNumerator;
    TellEngineZoom();
    ScrollKeepingCentre(oldZoom, pressed, false);
    StoreZoomedPageSize();
    InvalidateAll();
}

// A minimised or zero-sized window has nothing to fit into: the command is ignored.
void CCVNView::OnZoomFit() {
    CClientDC dc(this);
    OnPrepareDC(&dc);
    const CRect client = LogicalClientRect(dc, true);
    if (client.Width() == 0 || client.Height() == 0)
        return;
    const CCVNDoc* doc = GetDocument();
    const double ry = std::fabs(doc->m_fPageHeight / (client.Height() * doc->m_fViewScale));
    const double rx = std::fabs(doc->m_fPageWidth / (client.Width() * doc->m_fViewScale));
    // An empty page counts as fitting at zoom 1.
    m_fZoom = 1.0 / std::max(1.0, std::ceil(std::max(rx, ry)));
    ZoomEpilogue();
}

void CCVNView::OnZoomNormal() {
    m_fZoom = 1.0;
    ZoomEpilogue();
}
