#include "platform/cdlg/OrientationPicture.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

namespace {
// The page's short side to its long side, as a sheet of A4.
constexpr int kShortSide = 210;
constexpr int kLongSide = 297;
constexpr int kFold = 6;
constexpr int kMargin = 4;
constexpr int kLineGap = 3;
}  // namespace

BOOL OrientationPicture::Create(const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void OrientationPicture::SetLandscape(bool landscape) {
    m_landscape = landscape;
    Invalidate();
}

CRect OrientationPicture::PageRect() const {
    CRect client;
    GetClientRect(&client);
    const int longSide = std::min(client.Width(), client.Height());
    const int shortSide = longSide * kShortSide / kLongSide;
    const CSize page = m_landscape ? CSize(longSide, shortSide) : CSize(shortSide, longSide);
    const CPoint centre = client.CenterPoint();
    return CRect(centre.x - page.cx / 2, centre.y - page.cy / 2, centre.x - page.cx / 2 + page.cx,
                 centre.y - page.cy / 2 + page.cy);
}

void OrientationPicture::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    const CRect page = PageRect();
    const COLORREF black = RGB(0, 0, 0);
    dc.FillSolidRect(&page, black);
    CRect paper = page;
    paper.DeflateRect(1, 1);
    dc.FillSolidRect(&paper, RGB(255, 255, 255));
    // The folded top right corner: cut away, with the fold's edge drawn.
    for (int row = 0; row < kFold; ++row) {
        dc.FillSolidRect(page.right - kFold + row, page.top + row, kFold - row, 1,
                         GetSysColor(COLOR_BTNFACE));
        dc.SetPixel(page.right - kFold + row, page.top + row, black);
        dc.SetPixel(page.right - kFold, page.top + row, black);
    }
    dc.FillSolidRect(page.right - kFold, page.top + kFold - 1, kFold, 1, black);
    const COLORREF ink = GetSysColor(COLOR_BTNSHADOW);
    for (int y = page.top + kFold + kMargin; y < page.bottom - kMargin; y += kLineGap)
        dc.FillSolidRect(page.left + kMargin, y, page.Width() - 2 * kMargin, 1, ink);
}
