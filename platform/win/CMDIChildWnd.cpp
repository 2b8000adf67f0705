#include "platform/win/CMDIChildWnd.h"

#include <algorithm>

#include "platform/win/CDocument.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    m_mdiFrame = dynamic_cast<CMDIFrameWnd*>(parent ? parent : AfxGetMainWnd());
    if (!m_mdiFrame || !m_mdiFrame->GetMDIClient()) return FALSE;
    return CFrameWnd::LoadFrame(resourceId, style | WS_CHILD | WS_CLIPSIBLINGS, m_mdiFrame->GetMDIClient(), context);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (m_mdiFrame && cs.x == CW_USEDEFAULT) {
        const CRect place = m_mdiFrame->NextCascadePlace();
        cs.x = place.left;
        cs.y = place.top;
        cs.cx = place.Width();
        cs.cy = place.Height();
    }
    return CFrameWnd::PreCreateWindow(cs);
}

CRect CMDIChildWnd::NonClientInsets() const {
    return IsZoomed() ? CRect() : CFrameWnd::NonClientInsets();
}

void CMDIChildWnd::OnNcPaint() {
    if (!IsZoomed())
        CFrameWnd::OnNcPaint();
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy) {
    CFrameWnd::OnSize(type, cx, cy);
    // Maximised or back again: the frame's menu bar gains or loses this child's buttons, and
    // its title this child's name.
    if (m_mdiFrame && IsWindow(m_mdiFrame)) {
        m_mdiFrame->DrawMenuBar();
        m_mdiFrame->OnUpdateFrameTitle(TRUE);
        if (type == SIZE_MINIMIZED) m_mdiFrame->ChildMinimised(this);
    }
}

void CMDIChildWnd::MDIActivate() {
    if (m_mdiFrame) m_mdiFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize() {
    if (m_mdiFrame) m_mdiFrame->MDIMaximize(this);
}

void CMDIChildWnd::ActivateFrame(int command) {
    ShowWindow(command == -1 ? SW_SHOW : command);
    MDIActivate();
}

bool CMDIChildWnd::IsCaptionActive() const {
    return m_mdiFrame && m_mdiFrame->MDIGetActive() == this && m_mdiFrame->IsCaptionActive();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    CDocument* document = GetActiveDocument();
    if (addToTitle && document) {
        CString title = document->GetTitle();
        const int frames = document->FrameCount();
        if (frames > 1) {
            // Several windows on one document are told apart by their number.
            int number = 1;
            for (CView* view : document->Views()) {
                if (view->GetParentFrame() == this) break;
                ++number;
            }
            CString suffix;
            suffix.Format(":%d", std::min(number, frames));
            title += suffix;
        }
        SetWindowText(title);
    } else {
        SetWindowText(m_strTitle);
    }
    if (m_mdiFrame) m_mdiFrame->OnUpdateFrameTitle(TRUE);
}

int CMDIChildWnd::OnMouseActivate(UINT hitTest, UINT message) {
    MDIActivate();
    return CFrameWnd::OnMouseActivate(hitTest, message);
}

void CMDIChildWnd::OnDestroy() {
    CFrameWnd::OnDestroy();
    if (m_mdiFrame && IsWindow(m_mdiFrame)) m_mdiFrame->ChildClosed(this);
}
