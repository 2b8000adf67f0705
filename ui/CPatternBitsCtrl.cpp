#include "ui/CPatternBitsCtrl.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

namespace {
constexpr int kCell = 13;
constexpr int kFirstCellPixel = 1;
constexpr int kLastCellPixel = 8 * kCell;
constexpr int kGridSide = kLastCellPixel + 2;
constexpr std::uint16_t kBlankRow = 0xFFFF;

bool InCellArea(int coordinate) {
    return coordinate >= kFirstCellPixel && coordinate <= kLastCellPixel;
}
}  // namespace

IMPLEMENT_DYNAMIC(CPatternBitsCtrl, CStatic)

CPatternBitsCtrl::CPatternBitsCtrl() {
    SetBlank();
    RebuildBrush();
}

void CPatternBitsCtrl::SetBlank() {
    m_bits.fill(kBlankRow);
}

CPatternBitsCtrl::PatternBytes CPatternBitsCtrl::Bytes() const {
    PatternBytes bytes{};
    for (size_t row = 0; row < m_bits.size(); ++row) {
        bytes[2 * row] = static_cast<BYTE>(m_bits[row] & 0xFF);
        bytes[2 * row + 1] = static_cast<BYTE>(m_bits[row] >> 8);
    }
    return bytes;
}

void CPatternBitsCtrl::RebuildBrush() {
    const PatternBytes bytes = Bytes();
    m_bitmap = std::make_unique<CBitmap>();
    m_bitmap->CreateBitmap(8, 8, 1, 1, bytes.data());
    m_brush = std::make_unique<CBrush>();
    m_brush->CreatePatternBrush(m_bitmap.get());
}

void CPatternBitsCtrl::LoadPattern(CString& name) {
    PatternBytes bytes;
    bytes.fill(0xFF);
    const bool read = LoadPatternFile(name, bytes) != 0;
    for (size_t row = 0; row < m_bits.size(); ++row)
        m_bits[row] = static_cast<std::uint16_t>(bytes[2 * row] | (bytes[2 * row + 1] << 8));
    m_modified = FALSE;
    m_newPattern = read ? FALSE : TRUE;
    RebuildBrush();
}

void CPatternBitsCtrl::Clear() {
    SetBlank();
    Changed();
    m_newPattern = TRUE;
}

void CPatternBitsCtrl::Changed() {
    RebuildBrush();
    if (m_hWnd)
        Invalidate();
    if (m_onChange)
        m_onChange();
    m_modified = TRUE;
}

void CPatternBitsCtrl::OnLButtonDown(UINT, CPoint point) {
    if (!InCellArea(point.x) || !InCellArea(point.y))
        return;
    const int column = (point.x - kFirstCellPixel) / kCell;
    const int row = (point.y - kFirstCellPixel) / kCell;
    m_bits[static_cast<size_t>(row)] ^= static_cast<std::uint16_t>(1u << (7 - column));
    Changed();
}

// Drawn off screen and copied in one transfer, so a click does not flicker.
void CPatternBitsCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap offscreen;
    offscreen.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* previous = memory.SelectObject(&offscreen);
    PaintGrid(memory, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

void CPatternBitsCtrl::PaintGrid(CDC& dc, const CRect& client) const {
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CBrush frame(GetSysColor(COLOR_BTNTEXT));
    const CRect square(0, 0, kGridSide, kGridSide);
    dc.FrameRect(&square, &frame);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const bool ink = (m_bits[static_cast<size_t>(row)] & (1u << (7 - column))) == 0;
            dc.FillSolidRect(kCell * column + kFirstCellPixel, kCell * row + kFirstCellPixel, kCell, kCell,
                             GetSysColor(ink ? COLOR_WINDOWTEXT : COLOR_WINDOW));
        }
    }
}
