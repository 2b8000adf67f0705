#include "platform/win/WindowDCs.h"

#include "platform/win/WindowManager.h"

CWindowBoundDC::~CWindowBoundDC() {
    // What was drawn outside a paint cycle must reach the screen too.
    if (IsWindow(m_hWnd)) WindowManager::Instance().TopLevelChanged(m_hWnd->GetTopLevelParent());
}

CClientDC::CClientDC(CWnd* window) {
    m_hWnd = window;
    if (IsWindow(window)) window->AttachClientDC(*this, nullptr);
}

CWindowDC::CWindowDC(CWnd* window) {
    m_hWnd = window;
    if (IsWindow(window)) window->AttachWindowDC(*this);
}

CPaintDC::CPaintDC(CWnd* window) {
    m_hWnd = window;
    if (IsWindow(window)) window->BeginPaintInto(*this, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (IsWindow(m_hWnd)) m_hWnd->EndPaint(&m_ps);
}

CWnd* WindowFromDC(const CDC* dc) {
    const auto* bound = dynamic_cast<const CWindowBoundDC*>(dc);
    return bound && IsWindow(bound->m_hWnd) ? bound->m_hWnd : nullptr;
}
