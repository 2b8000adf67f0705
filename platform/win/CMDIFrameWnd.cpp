#include "platform/win/CMDIFrameWnd.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/SystemColors.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CDocument.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CView.h"
#include "platform/win/Cursors.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
    ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTile)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

namespace {
constexpr int kCascadeStep = 22;
}  // namespace

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) {
    LPCTSTR className = AfxRegisterWndClass(0, LoadStandardCursor(IDC_ARROW), GetSysColorBrush(COLOR_APPWORKSPACE));
    return m_client.CreateEx(WS_EX_CLIENTEDGE, className, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, PaneRect(),
                             this, AFX_IDW_MDICLIENT);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::MDIChildren() const {
    std::vector<CMDIChildWnd*> children;
    for (CWnd* child : m_client.Children())
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(child)) children.push_back(frame);
    return children;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    CMDIChildWnd* active = IsWindow(m_active) ? m_active : nullptr;
    if (maximized) *maximized = active && active->IsZoomed() ? TRUE : FALSE;
    return active;
}

void CMDIFrameWnd::MDIActivate(CWnd* window) {
    auto* child = dynamic_cast<CMDIChildWnd*>(window);
    if (!child || !IsWindow(child)) return;
    child->BringWindowToTop();
    if (child == m_active) return;
    CMDIChildWnd* old = MDIGetActive();
    m_active = child;
    if (old) old->SendMessage(WM_NCPAINT);
    child->SendMessage(WM_NCPAINT);
    if (CView* view = child->GetActiveView()) {
        view->OnActivateView(TRUE, view, old ? old->GetActiveView() : nullptr);
    } else {
        child->SetFocus();
    }
    ShowMenuOf(child);
    OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::ShowMenuOf(CMDIChildWnd* child) {
    CMenu* menu = child && child->SharedMenu() ? child->SharedMenu() : m_ownedMenu.get();
    if (GetMenu() != menu) SetMenu(menu);
}

void CMDIFrameWnd::ChildClosed(CMDIChildWnd* child) {
    if (m_active != child) return;
    m_active = nullptr;
    std::vector<CMDIChildWnd*> children = MDIChildren();
    std::erase(children, child);
    if (!children.empty()) {
        MDIActivate(children.back());
        return;
    }
    ShowMenuOf(nullptr);
    OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::MDINext() {
    std::vector<CMDIChildWnd*> children = MDIChildren();
    if (children.size() > 1) MDIActivate(children.front());
}

void CMDIFrameWnd::MDICascade() {
    CRect area;
    m_client.GetClientRect(&area);
    int step = 0;
    for (CMDIChildWnd* child : MDIChildren()) {
        if (!child->IsWindowVisible()) continue;
        child->ModifyStyle(WS_MAXIMIZE, 0);
        child->MoveWindow(step, step, area.Width() * 3 / 4, area.Height() * 3 / 4);
        step += kCascadeStep;
    }
}

void CMDIFrameWnd::MDITile(UINT) {
    std::vector<CMDIChildWnd*> shown;
    for (CMDIChildWnd* child : MDIChildren())
        if (child->IsWindowVisible()) shown.push_back(child);
    if (shown.empty()) return;
    CRect area;
    m_client.GetClientRect(&area);
    const int count = static_cast<int>(shown.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int row = i / columns;
        shown[i]->ModifyStyle(WS_MAXIMIZE, 0);
        shown[i]->MoveWindow(area.Width() * column / columns, area.Height() * row / rows, area.Width() / columns,
                             area.Height() / rows);
    }
}

void CMDIFrameWnd::MDIMaximize(CWnd* child) {
    if (IsWindow(child)) child->ShowWindow(SW_SHOWMAXIMIZED);
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) {
    CFrameWnd::RecalcLayout(notify);
    if (!GetMDIClient()) return;
    CRect area;
    m_client.GetClientRect(&area);
    for (CMDIChildWnd* child : MDIChildren())
        if (child->IsZoomed()) child->MoveWindow(&area);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* active = MDIGetActive();
    return active ? static_cast<CFrameWnd*>(active) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* active = MDIGetActive();
    return active ? active->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    CMDIChildWnd* active = MDIGetActive();
    if (active && active->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    CDocument* document = GetActiveDocument();
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && document) {
        SetWindowText(m_strTitle + " - " + document->GetTitle());
    } else {
        SetWindowText(m_strTitle);
    }
}

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* document = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
    if (!docTemplate) return;
    CFrameWnd* frame = docTemplate->CreateNewFrame(document, active);
    if (frame) docTemplate->InitialUpdateFrame(frame, document, TRUE);
}
