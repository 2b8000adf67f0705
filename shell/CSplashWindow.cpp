#include "shell/CSplashWindow.h"

#include "platform/gdi/CDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowDCs.h"
#include "resources/ProgramBitmaps.h"

BOOL CSplashWindow::s_enabled = TRUE;
CSplashWindow* CSplashWindow::s_current = nullptr;

void CSplashWindow::ShowSplash(CWnd* parent) {
    if (!s_enabled || s_current != nullptr)
        return;
    auto* splash = new CSplashWindow;
    if (!splash->CreateSplash(parent)) {
        delete splash;
        return;
    }
    s_current = splash;
    splash->UpdateWindow();
}

BOOL CSplashWindow::CreateSplash(CWnd* parent) {
    if (!LoadProgramBitmap(IDB_SPLASH, m_bitmap))
        return FALSE;
    BITMAP info{};
    m_bitmap.GetBitmap(&info);
    return CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, info.bmWidth, info.bmHeight), parent,
                    0);
}

int CSplashWindow::OnCreate(CREATESTRUCT* cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CenterWindow();
    SetTimer(kTimerId, kShowTime);
    return 0;
}

void CSplashWindow::OnPaint() {
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    BITMAP info{};
    m_bitmap.GetBitmap(&info);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSplashWindow::OnTimer(UINT_PTR) {
    KillTimer(kTimerId);
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}

void CSplashWindow::PostNcDestroy() {
    s_current = nullptr;
    delete this;
}
