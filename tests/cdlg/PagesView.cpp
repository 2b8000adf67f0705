#include "tests/cdlg/PagesView.h"

#include "platform/gdi/CDC.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CPrintInfo.h"

IMPLEMENT_DYNCREATE(PagesView, CView)

BOOL PagesView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(2);
    return DoPreparePrinting(info);
}

void PagesView::OnPrint(CDC* dc, CPrintInfo* info) {
    printedPages.push_back(info->m_nCurPage);
    dc->SetMapMode(MM_LOMETRIC);
    CRect page = info->m_rectDraw;
    dc->DPtoLP(&page);
    const int side = 500;
    CRect square =
        info->m_nCurPage == 1
            ? CRect(page.left + 100, page.top - 100, page.left + 100 + side, page.top - 100 - side)
            : CRect(page.right - 100 - side, page.bottom + 100 + side, page.right - 100, page.bottom + 100);
    CBrush black(RGB(0, 0, 0));
    dc->FillRect(&square, &black);
}

void PagesView::OnDraw(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(255, 255, 255));
}

PagesFrame* PagesFrame::Open() {
    auto* frame = new PagesFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(PagesView);
    if (!frame->LoadFrame(0, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        delete frame;
        return nullptr;
    }
    frame->InitialUpdateFrame(nullptr, TRUE);
    frame->MoveWindow(0, 0, 800, 700);
    return frame;
}
