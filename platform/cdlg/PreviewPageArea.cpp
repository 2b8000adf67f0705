#include "platform/cdlg/PreviewPageArea.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "platform/gdi/CDC.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CView.h"
#include "platform/win/ScrollRequest.h"
#include "platform/win/WindowDCs.h"

namespace {
constexpr int kMargin = 10;
constexpr int kShadow = 3;
constexpr int kScreenDpi = 96;
constexpr COLORREF kBackground = RGB(128, 128, 128);
}  // namespace

PreviewPageArea::PreviewPageArea(CView& view, CPrintInfo& info) : m_view(view), m_info(info) {}

void PreviewPageArea::Show(UINT firstPage, int pageCount, int zoom) {
    m_firstPage = firstPage;
    m_pageCount = zoom > 0 ? 1 : std::clamp(pageCount, 1, 2);
    m_zoom = std::clamp(zoom, 0, 2);
    UpdateScrollBars();
    Invalidate();
}

int PreviewPageArea::PageDpi() const {
    if (m_zoom > 0)
        return kScreenDpi * m_zoom;
    CRect client;
    GetClientRect(&client);
    const int slotWidth = client.Width() / m_pageCount;
    const long long across =
        static_cast<long long>(slotWidth - 2 * kMargin) * 254 / std::max(1, m_info.m_nPaperWidth);
    const long long down =
        static_cast<long long>(client.Height() - 2 * kMargin) * 254 / std::max(1, m_info.m_nPaperHeight);
    return static_cast<int>(std::clamp(std::min(across, down), 1LL, static_cast<long long>(kScreenDpi * 2)));
}

CSize PreviewPageArea::PagePixels() const {
    const int dpi = PageDpi();
    return CSize((m_info.m_nPaperWidth * dpi + 127) / 254, (m_info.m_nPaperHeight * dpi + 127) / 254);
}

CRect PreviewPageArea::PageRect(int slot) const {
    if (slot < 0 || slot >= m_pageCount)
        return CRect();
    CRect client;
    GetClientRect(&client);
    const CSize page = PagePixels();
    if (m_zoom > 0) {
        const int x = std::max(kMargin, (client.Width() - page.cx) / 2) - GetScrollPos(SB_HORZ);
        return CRect(CPoint(x, kMargin - GetScrollPos(SB_VERT)), page);
    }
    const int slotWidth = client.Width() / m_pageCount;
    const CPoint corner(slot * slotWidth + (slotWidth - page.cx) / 2, (client.Height() - page.cy) / 2);
    return CRect(corner, page);
}

void PreviewPageArea::UpdateScrollBars() {
    const CSize page = m_zoom > 0 ? PagePixels() : CSize();
    CRect client;
    GetClientRect(&client);
    for (auto [bar, extent, view] :
         {std::tuple{SB_HORZ, page.cx, client.Width()}, std::tuple{SB_VERT, page.cy, client.Height()}}) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        info.nMax = m_zoom > 0 ? extent + 2 * kMargin - 1 : 0;
        info.nPage = static_cast<UINT>(std::max(0, view));
        info.nPos = m_zoom > 0 ? std::min(GetScrollPos(bar), std::max(0, info.nMax - view + 1)) : 0;
        SetScrollInfo(bar, &info);
    }
}

bool PreviewPageArea::PageExists(UINT page) {
    if (page < m_info.GetMinPage() || page > m_info.GetMaxPage())
        return false;
    CDC probe;
    if (!probe.CreatePrinterDC(CString(), 1, m_info.m_nPaperWidth, m_info.m_nPaperHeight,
                               m_info.m_rectMargins))
        return false;
    m_info.m_nCurPage = page;
    m_info.m_bContinuePrinting = TRUE;
    m_view.OnPrepareDC(&probe, &m_info);
    const bool exists = m_info.m_bContinuePrinting != FALSE;
    m_info.m_bContinuePrinting = TRUE;
    return exists;
}

// The view prints the page into a printer DC of the page's size on screen, whose printable
// area is copied into place on the white sheet.
void PreviewPageArea::RenderPage(CDC& dc, UINT page, const CRect& where) {
    dc.FillSolidRect(&where, RGB(255, 255, 255));
    CDC printer;
    if (!printer.CreatePrinterDC(CString(), PageDpi(), m_info.m_nPaperWidth, m_info.m_nPaperHeight,
                                 m_info.m_rectMargins))
        return;
    const int saved = printer.SaveDC();
    m_info.m_nCurPage = page;
    m_info.m_bContinuePrinting = TRUE;
    m_info.m_rectDraw = CRect(0, 0, printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
    m_view.OnPrepareDC(&printer, &m_info);
    if (m_info.m_bContinuePrinting)
        m_view.OnPrint(&printer, &m_info);
    m_info.m_bContinuePrinting = TRUE;
    printer.RestoreDC(saved);
    dc.BitBlt(where.left + printer.GetDeviceCaps(PHYSICALOFFSETX),
              where.top + printer.GetDeviceCaps(PHYSICALOFFSETY), printer.GetDeviceCaps(HORZRES),
              printer.GetDeviceCaps(VERTRES), &printer, 0, 0, SRCCOPY);
}

void PreviewPageArea::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBackground);
    for (int slot = 0; slot < m_pageCount; ++slot) {
        const UINT page = m_firstPage + static_cast<UINT>(slot);
        if (slot > 0 && !PageExists(page))
            break;
        const CRect paper = PageRect(slot);
        CRect shadow(paper);
        shadow.OffsetRect(kShadow, kShadow);
        dc.FillSolidRect(&shadow, RGB(0, 0, 0));
        RenderPage(dc, page, paper);
        CRect border(paper);
        border.InflateRect(1, 1);
        CBrush black(RGB(0, 0, 0));
        dc.FrameRect(&border, &black);
    }
}

BOOL PreviewPageArea::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void PreviewPageArea::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    UpdateScrollBars();
    Invalidate();
}

void PreviewPageArea::ScrollTo(int bar, int position) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, &info);
    const int limit = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    SetScrollPos(bar, std::clamp(position, 0, limit));
    Invalidate();
}

void PreviewPageArea::OnHScroll(UINT code, UINT position, CScrollBar*) {
    CRect client;
    GetClientRect(&client);
    ScrollTo(SB_HORZ,
             ScrollRequestTarget(code, position, GetScrollPos(SB_HORZ), 16, client.Width(), INT_MAX));
}

void PreviewPageArea::OnVScroll(UINT code, UINT position, CScrollBar*) {
    CRect client;
    GetClientRect(&client);
    ScrollTo(SB_VERT,
             ScrollRequestTarget(code, position, GetScrollPos(SB_VERT), 16, client.Height(), INT_MAX));
}

BOOL PreviewPageArea::OnMouseWheel(UINT, short delta, CPoint) {
    if (m_zoom > 0)
        ScrollTo(SB_VERT, GetScrollPos(SB_VERT) - delta / 120 * 48);
    return TRUE;
}
