#include "platform/cdlg/HlsPicker.h"

#include <algorithm>
#include <vector>

#include "platform/ctl/BasicControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr int kEdge = 2;
}  // namespace

BOOL HlsPicker::Create(const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void HlsPicker::SetHls(const HlsColor& hls) {
    m_hls = hls;
    Invalidate();
}

int HlsPicker::Scale(int value, int from, int to) {
    return from <= 0 ? 0 : (value * to + from / 2) / from;
}

CRect HlsPicker::PictureRect() const {
    CRect client;
    GetClientRect(&client);
    client.right -= RoomBeside();
    client.DeflateRect(kEdge, kEdge);
    return client;
}

void HlsPicker::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    const CRect picture = PictureRect();
    CRect edge = picture;
    edge.InflateRect(kEdge, kEdge);
    dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
    if (picture.IsRectEmpty())
        return;
    DrawPicture(dc, picture);
    DrawMark(dc);
}

const std::vector<std::uint32_t>& HlsPicker::PicturePixels(CSize size) {
    if (m_pixelsHeld && m_pixelsSize == size && SamePicture(*m_pixelsHeld, m_hls))
        return m_pixels;
    m_pixels.assign(static_cast<std::size_t>(size.cx) * size.cy, 0);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF color = ColorAt(CPoint(x, y), size);
            m_pixels[static_cast<std::size_t>(y) * size.cx + x] = PixelFromColor(color);
        }
    m_pixelsSize = size;
    m_pixelsHeld = m_hls;
    return m_pixels;
}

void HlsPicker::DrawPicture(CDC& dc, const CRect& picture) {
    const CSize size = picture.Size();
    const std::vector<std::uint32_t>& pixels = PicturePixels(size);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc.SetDIBitsToDevice(picture.left, picture.top, static_cast<DWORD>(size.cx), static_cast<DWORD>(size.cy),
                         0, 0, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
}

void HlsPicker::Pick(CPoint point) {
    const CRect picture = PictureRect();
    if (picture.IsRectEmpty())
        return;
    const CPoint pixel(std::clamp<int>(point.x - picture.left, 0, picture.Width() - 1),
                       std::clamp<int>(point.y - picture.top, 0, picture.Height() - 1));
    SetHls(PickAt(pixel, picture.Size()));
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                            reinterpret_cast<LPARAM>(this));
}

void HlsPicker::OnLButtonDown(UINT, CPoint point) {
    SetCapture();
    Pick(point);
}

void HlsPicker::OnMouseMove(UINT, CPoint point) {
    if (GetCapture() == this)
        Pick(point);
}

void HlsPicker::OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() != this)
        return;
    Pick(point);
    ReleaseCapture();
}
