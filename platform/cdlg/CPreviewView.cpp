#include "platform/cdlg/CPreviewView.h"

#include <algorithm>

#include "platform/cdlg/CPrintDialog.h"
#include "platform/ctl/DialogNavigation.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WindowDCs.h"

namespace {
constexpr int kStripHeight = 30;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 22;
constexpr int kScreenDpi = 96;
// Posted by the Print button: the preview closes, then the view prints.
constexpr UINT kClosePreviewAndPrint = WM_USER + 0x0101;

struct PreviewButton {
    UINT id;
    const char* caption;
};
constexpr PreviewButton kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "&Print..."}, {AFX_ID_PREVIEW_NEXT, "&Next Page"},
    {AFX_ID_PREVIEW_PREV, "Pre&v Page"}, {AFX_ID_PREVIEW_NUMPAGE, "&Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
    {AFX_ID_PREVIEW_CLOSE, "&Close"},
};

CFrameWnd* MainFrameOf(CView& view) {
    if (auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        return main;
    return dynamic_cast<CFrameWnd*>(view.GetTopLevelParent());
}
}  // namespace

CPreviewView::CPreviewView(CView& view) : ViewDependent(view), m_view(&view), m_area(view, m_info) {}

CPreviewView::~CPreviewView() = default;

CPreviewView* CPreviewView::Start(CView* view) {
    CFrameWnd* main = view ? MainFrameOf(*view) : nullptr;
    if (!main)
        return nullptr;
    auto preview = std::unique_ptr<CPreviewView>(new CPreviewView(*view));
    CPrintInfo& info = preview->m_info;
    info.m_bPreview = TRUE;
    auto printer = std::make_shared<CPrintDialog>(FALSE);
    const CSize paper = printer->PaperSize();
    info.m_nPaperWidth = paper.cx;
    info.m_nPaperHeight = paper.cy;
    info.m_rectMargins = printer->Margins();
    info.m_pPD = printer;
    if (!view->OnPreparePrinting(&info))
        return nullptr;
    if (!preview->m_printerDC.CreatePrinterDC(CString(), kScreenDpi, info.m_nPaperWidth, info.m_nPaperHeight,
                                              info.m_rectMargins))
        return nullptr;
    view->OnBeginPrinting(&preview->m_printerDC, &info);
    if (!preview->Create(*main))
        return nullptr;
    return preview.release();
}

bool CPreviewView::Create(CFrameWnd& main) {
    m_frames.push_back(&main);
    if (CFrameWnd* own = m_view->GetParentFrame(); own && own != &main)
        m_frames.push_back(own);
    for (CFrameWnd* frame : m_frames) {
        m_states.push_back(std::make_unique<CPrintPreviewState>());
        frame->OnSetPreviewMode(TRUE, m_states.back().get());
    }
    if (!CWnd::Create(nullptr, "Print Preview", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, main.PaneRect(),
                      &main, 0)) {
        for (std::size_t i = m_frames.size(); i-- > 0;)
            m_frames[i]->OnSetPreviewMode(FALSE, m_states[i].get());
        return false;
    }
    CreateButtons();
    CRect client;
    GetClientRect(&client);
    m_area.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                  CRect(0, kStripHeight, client.right, std::max<int>(kStripHeight, client.bottom)), this, 1);
    ShowPages(std::max(1U, m_info.GetMinPage()), 1, 0);
    SetFocus();
    return true;
}

void CPreviewView::CreateButtons() {
    m_font.CreatePointFont(80, "MS Sans Serif");
    int x = 4;
    for (const PreviewButton& entry : kButtons) {
        auto button = std::make_unique<CButton>();
        button->Create(entry.caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                       CRect(x, (kStripHeight - kButtonHeight) / 2, x + kButtonWidth,
                             (kStripHeight + kButtonHeight) / 2),
                       this, entry.id);
        button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_font), FALSE);
        m_buttons.push_back(std::move(button));
        x += kButtonWidth + 4;
    }
}

void CPreviewView::ShowPages(UINT first, int count, int zoom) {
    m_area.Show(first, count, zoom);
    UpdateButtons();
    Invalidate();
}

void CPreviewView::UpdateButtons() {
    const UINT page = m_area.FirstPage();
    GetDlgItem(AFX_ID_PREVIEW_NEXT)
        ->EnableWindow(m_area.PageExists(page + static_cast<UINT>(m_area.PageCount())));
    GetDlgItem(AFX_ID_PREVIEW_PREV)->EnableWindow(page > std::max(1U, m_info.GetMinPage()));
    GetDlgItem(AFX_ID_PREVIEW_ZOOMIN)->EnableWindow(m_area.Zoom() < 2);
    GetDlgItem(AFX_ID_PREVIEW_ZOOMOUT)->EnableWindow(m_area.Zoom() > 0);
    CWnd* pages = GetDlgItem(AFX_ID_PREVIEW_NUMPAGE);
    pages->SetWindowText(m_area.PageCount() == 2 ? "&One Page" : "&Two Page");
    pages->EnableWindow(m_area.Zoom() == 0);
}

CString CPreviewView::PageText() const {
    CString text;
    const UINT page = m_area.FirstPage();
    if (m_area.PageCount() == 2 && const_cast<PreviewPageArea&>(m_area).PageExists(page + 1))
        text.Format("Pages %u-%u", page, page + 1);
    else
        text.Format("Page %u", page);
    return text;
}

BOOL CPreviewView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED)
        return CWnd::OnCommand(wParam, lParam);
    const UINT page = m_area.FirstPage();
    const int count = m_area.PageCount();
    switch (LOWORD(wParam)) {
        case AFX_ID_PREVIEW_NEXT:
            if (m_area.PageExists(page + static_cast<UINT>(count)))
                ShowPages(page + 1, count, m_area.Zoom());
            break;
        case AFX_ID_PREVIEW_PREV:
            if (page > std::max(1U, m_info.GetMinPage()))
                ShowPages(page - 1, count, m_area.Zoom());
            break;
        case AFX_ID_PREVIEW_NUMPAGE:
            ShowPages(page, count == 1 ? 2 : 1, 0);
            break;
        case AFX_ID_PREVIEW_ZOOMIN:
            ShowPages(page, 1, m_area.Zoom() + 1);
            break;
        case AFX_ID_PREVIEW_ZOOMOUT:
            ShowPages(page, 1, m_area.Zoom() - 1);
            break;
        case AFX_ID_PREVIEW_CLOSE:
            PostMessage(WM_CLOSE);
            break;
        case AFX_ID_PREVIEW_PRINT:
            PostMessage(kClosePreviewAndPrint);
            break;
        default:
            return CWnd::OnCommand(wParam, lParam);
    }
    if (GetFocus() != this && IsWindow(this))
        SetFocus();
    return TRUE;
}

LRESULT CPreviewView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kClosePreviewAndPrint)
        return CWnd::WindowProc(message, wParam, lParam);
    CView* view = m_view;
    Close();
    if (IsWindow(view))
        view->OnFilePrint();
    return 0;
}

// The buttons' letters press them, with Alt or alone, as in a dialog without an edit; Ctrl's
// chords stay the frame's.
BOOL CPreviewView::PreTranslateMessage(MSG* msg) {
    const UINT key = static_cast<UINT>(msg->wParam);
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if ((msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || !letterOrDigit ||
        GetKeyState(VK_CONTROL) < 0)
        return FALSE;
    const DialogNavigation::AccessKeyTarget target =
        DialogNavigation::FindAccessKey(this, msg->hwnd, static_cast<char>(key));
    if (!target.control || !target.ownText)
        return FALSE;
    target.control->SendMessage(BM_CLICK);
    return TRUE;
}

void CPreviewView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    switch (key) {
        case VK_NEXT:
            SendMessage(WM_COMMAND, MAKEWPARAM(AFX_ID_PREVIEW_NEXT, BN_CLICKED));
            break;
        case VK_PRIOR:
            SendMessage(WM_COMMAND, MAKEWPARAM(AFX_ID_PREVIEW_PREV, BN_CLICKED));
            break;
        case VK_ESCAPE:
            PostMessage(WM_CLOSE);
            break;
        default:
            CWnd::OnKeyDown(key, repeat, flags);
    }
}

void CPreviewView::OnClose() {
    Close();
}

void CPreviewView::OnViewClosing(CView&) {
    m_viewGoing = true;
    Close();
}

void CPreviewView::Close() {
    if (m_closing)
        return;
    m_closing = true;
    m_view->OnEndPrintPreview(&m_printerDC, &m_info, POINT{0, 0}, this);
    for (std::size_t i = m_frames.size(); i-- > 0;) {
        CFrameWnd* frame = m_frames[i];
        if (!IsWindow(frame))
            continue;
        frame->OnSetPreviewMode(FALSE, m_states[i].get());
        if (CView* old = m_states[i]->pViewActiveOld; IsWindow(old) && !(m_viewGoing && old == m_view))
            frame->SetActiveView(old);
    }
    if (!m_viewGoing && IsWindow(m_view))
        m_view->SetFocus();
    DestroyWindow();
}

// --- Drawing -------------------------------------------------------------------------------

void CPreviewView::OnPaint() {
    CPaintDC dc(this);
    CRect strip;
    GetClientRect(&strip);
    strip.bottom = kStripHeight;
    dc.FillSolidRect(&strip, GetSysColor(COLOR_BTNFACE));
    CRect line(strip.left, strip.bottom - 1, strip.right, strip.bottom);
    dc.FillSolidRect(&line, GetSysColor(COLOR_BTNSHADOW));
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    CRect text(4 + static_cast<int>(std::size(kButtons)) * (kButtonWidth + 4) + 8, 0, strip.right,
               kStripHeight);
    dc.DrawText(PageText(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPreviewView::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (IsWindow(&m_area))
        m_area.MoveWindow(0, kStripHeight, cx, std::max(0, cy - kStripHeight));
}

void CPreviewView::PostNcDestroy() {
    delete this;
}
