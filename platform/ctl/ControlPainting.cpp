#include "platform/ctl/ControlPainting.h"

#include <array>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"

namespace {
// The classic 12-pixel radio button, one letter a pixel: g shadow and D dark shadow above left,
// W highlight and L light below right, w the well and x the dot; blanks are left alone.
constexpr std::array<const char*, 12> kRadioPicture{
    "    gggg    ", "  ggDDDDgg  ", " gDDwwwwDDW ", " gDwwxxwwLW ", "gDwwxxxxwwLW", "gDwwxxxxwwLW",
    "gDwwxxxxwwLW", "gDwwwxxwwwLW", " gDwwwwwwLW ", " gLLwwwwLLW ", "  WWLLLLWW  ", "    WWWW    ",
};

// A colour lighter than this (by the sum of its red, green and blue) is no ink of a picture.
constexpr int kLightSum = 3 * 0xC0;

bool IsInk(std::uint32_t pixel, std::uint32_t background) {
    const int sum = static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
    return pixel != background && sum < kLightSum;
}

// Paints the ink pixels of surface in colour, its top left at origin.
void PaintInk(CDC& dc, const PixelSurface& surface, CPoint origin, COLORREF colour) {
    const std::uint32_t background = surface.At(0, 0);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (IsInk(surface.At(x, y), background))
                dc.FillSolidRect(origin.x + x, origin.y + y, 1, 1, colour);
}
}  // namespace

namespace ControlPainting {

void DrawLabel(CDC& dc, const CString& text, const CRect& rect, UINT format, bool enabled) {
    dc.SetBkMode(TRANSPARENT);
    CRect area = rect;
    if (!enabled) {
        CRect shifted = rect;
        shifted.OffsetRect(1, 1);
        dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.DrawText(text, &shifted, format);
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else {
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    }
    dc.DrawText(text, &area, format);
}

void DrawCheckBox(CDC& dc, const CRect& box, int check, bool enabled, bool pushed) {
    CRect square(box.left, box.top, box.left + 13, box.top + 13);
    UINT state = DFCS_BUTTONCHECK;
    if (check != 0)
        state |= DFCS_CHECKED;
    if (!enabled || pushed || check == 2)
        state |= DFCS_INACTIVE;
    dc.DrawFrameControl(&square, DFC_BUTTON, state);
}

void DrawRadio(CDC& dc, const CRect& box, bool checked, bool enabled, bool pushed) {
    const COLORREF well = GetSysColor(enabled && !pushed ? COLOR_WINDOW : COLOR_BTNFACE);
    const COLORREF dot = checked ? GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT) : well;
    const auto colour = [&](char code) {
        switch (code) {
            case 'g':
                return GetSysColor(COLOR_BTNSHADOW);
            case 'D':
                return GetSysColor(COLOR_3DDKSHADOW);
            case 'W':
                return GetSysColor(COLOR_BTNHIGHLIGHT);
            case 'L':
                return GetSysColor(COLOR_3DLIGHT);
            case 'x':
                return dot;
            default:
                return well;
        }
    };
    for (int y = 0; y < static_cast<int>(kRadioPicture.size()); ++y)
        for (int x = 0; kRadioPicture[y][x] != '\0'; ++x)
            if (kRadioPicture[y][x] != ' ')
                dc.FillSolidRect(box.left + x, box.top + y, 1, 1, colour(kRadioPicture[y][x]));
}

void DrawGroupBox(CDC& dc, const CRect& rect, const CString& text, bool enabled) {
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    CRect frame = rect;
    frame.top += metrics.tmHeight / 2;
    dc.DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
    if (text.IsEmpty())
        return;
    CString shown = text;
    shown.Remove('&');
    const CSize extent = dc.GetTextExtent(shown);
    CRect label(rect.left + 8, rect.top, rect.left + 8 + extent.cx + 4, rect.top + metrics.tmHeight);
    dc.FillSolidRect(&label, GetSysColor(COLOR_BTNFACE));
    label.left += 2;
    DrawLabel(dc, text, label, DT_LEFT | DT_SINGLELINE | DT_TOP, enabled);
}

void DrawBitmapCentred(CDC& dc, CBitmap& bitmap, const CRect& rect) {
    const CSize size = bitmap.GetBitmapDimension();
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    dc.BitBlt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2, size.cx,
              size.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void DrawBitmapDisabled(CDC& dc, CBitmap& bitmap, const CRect& rect) {
    const PixelSurface* surface = bitmap.Surface().get();
    if (!surface || surface->Width() == 0 || surface->Height() == 0)
        return;
    const CPoint origin(rect.left + (rect.Width() - surface->Width()) / 2,
                        rect.top + (rect.Height() - surface->Height()) / 2);
    PaintInk(dc, *surface, origin + CPoint(1, 1), GetSysColor(COLOR_3DHILIGHT));
    PaintInk(dc, *surface, origin, GetSysColor(COLOR_3DSHADOW));
}

int ArrowSize(const CRect& rect) {
    return std::max(2, std::min(rect.Width(), rect.Height()) / 4 + 1);
}

void DrawArrow(CDC& dc, const CRect& rect, int direction, bool enabled, int size) {
    const CPoint centre = rect.CenterPoint();
    auto paint = [&](int dx, int dy, COLORREF color) {
        for (int row = 0; row < size; ++row) {
            const int half = row;
            const int along = (direction == 0 || direction == 2) ? row - size / 2 : size / 2 - row;
            if (direction <= 1)
                dc.FillSolidRect(centre.x - half + dx, centre.y + along + dy, 2 * half + 1, 1, color);
            else
                dc.FillSolidRect(centre.x + along + dx, centre.y - half + dy, 1, 2 * half + 1, color);
        }
    };
    if (!enabled)
        paint(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    paint(0, 0, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

}  // namespace ControlPainting
