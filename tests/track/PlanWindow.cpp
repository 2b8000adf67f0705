#include "tests/track/PlanWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/CRgn.h"
#include "tests/support/ByteDigest.h"

PlanWindow::PlanWindow(int width, int height) : m_client(0, 0, width, height) {
    m_dc.CreateCompatibleDC(nullptr);
    m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    m_dc.SelectObject(&m_bitmap);
    m_dc.SetMapMode(MM_LOMETRIC);
    m_dc.DPtoLP(&m_client);
}

double PlanWindow::FittingZoom(const CCVNDoc& doc) const {
    const double rx = std::fabs(doc.m_fPageWidth / (m_client.Width() * doc.m_fViewScale));
    const double ry = std::fabs(doc.m_fPageHeight / (m_client.Height() * doc.m_fViewScale));
    return 1.0 / std::ceil(std::max(rx, ry));
}

void PlanWindow::Repaint(CCVNDoc& doc, double zoom) {
    RepaintArea(doc, zoom, m_client);
}

void PlanWindow::RepaintArea(CCVNDoc& doc, double zoom, const CRect& area) {
    Paint(doc, zoom, area, true);
}

void PlanWindow::RepaintSelection(CCVNDoc& doc, double zoom, const CRect& area) {
    Paint(doc, zoom, area, false);
}

void PlanWindow::Paint(CCVNDoc& doc, double zoom, const CRect& area, bool layout) {
    CTool& tool = doc.m_tool;
    tool.SetViewScale(zoom, doc.m_fViewScale);
    CRect clip = area;
    m_dc.LPtoDP(&clip);
    clip.NormalizeRect();
    CRgn region;
    region.CreateRectRgnIndirect(&clip);
    m_dc.SelectClipRgn(&region);
    m_dc.FillSolidRect(&area, doc.m_crBackground);
    tool.SetTargetDC(&m_dc, &m_dc);
    CRect update = area;
    update.NormalizeRect();
    tool.m_rcUpdate = DeviceRect{update.left, update.top, update.right, update.bottom};
    tool.DrawSelection();
    if (layout)
        tool.DrawLayout();
    tool.SetTargetDC(nullptr, nullptr);
    m_dc.SelectClipRgn(nullptr);
}

std::uint64_t PlanWindow::PictureDigest() const {
    BITMAP size{};
    m_bitmap.GetBitmap(&size);
    std::vector<BYTE> bits(static_cast<size_t>(size.bmWidthBytes) * static_cast<size_t>(size.bmHeight));
    m_bitmap.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
    return ByteDigest(bits);
}

std::vector<std::uint32_t> PlanWindow::Pixels() const {
    BITMAP size{};
    m_bitmap.GetBitmap(&size);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
    m_bitmap.GetBitmapBits(static_cast<DWORD>(pixels.size() * sizeof(std::uint32_t)), pixels.data());
    return pixels;
}
