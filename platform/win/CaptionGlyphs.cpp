#include "platform/win/CaptionGlyphs.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

namespace {
void DrawCross(CDC& dc, CPoint origin, COLORREF ink) {
    for (int i = 0; i < 7; ++i) {
        dc.FillSolidRect(origin.x + 4 + i, origin.y + 3 + i, 2, 1, ink);
        dc.FillSolidRect(origin.x + 10 - i, origin.y + 3 + i, 2, 1, ink);
    }
}

// A window outline with its thick title edge on top.
void DrawBox(CDC& dc, const CRect& box, COLORREF ink) {
    dc.FillSolidRect(box.left, box.top, box.Width(), 2, ink);
    dc.FillSolidRect(box.left, box.bottom - 1, box.Width(), 1, ink);
    dc.FillSolidRect(box.left, box.top, 1, box.Height(), ink);
    dc.FillSolidRect(box.right - 1, box.top, 1, box.Height(), ink);
}

void DrawRestore(CDC& dc, CPoint origin, COLORREF ink) {
    // A window in front of another.
    DrawBox(dc, CRect(origin.x + 6, origin.y + 2, origin.x + 13, origin.y + 8), ink);
    const CRect front(origin.x + 3, origin.y + 5, origin.x + 10, origin.y + 11);
    dc.FillSolidRect(&front, GetSysColor(COLOR_BTNFACE));
    DrawBox(dc, front, ink);
}

void DrawGlyph(CDC& dc, CPoint origin, CaptionGlyphs::Glyph glyph) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    switch (glyph) {
        case CaptionGlyphs::Close:
            DrawCross(dc, origin, ink);
            return;
        case CaptionGlyphs::Maximise:
            DrawBox(dc, CRect(origin.x + 3, origin.y + 2, origin.x + 12, origin.y + 11), ink);
            return;
        case CaptionGlyphs::Restore:
            DrawRestore(dc, origin, ink);
            return;
        case CaptionGlyphs::Minimise:
            dc.FillSolidRect(origin.x + 4, origin.y + 9, 6, 2, ink);
            return;
    }
}
}  // namespace

namespace CaptionGlyphs {

void DrawButton(CDC& dc, const CRect& button, Glyph glyph, bool pressed) {
    CRect box = button;
    dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    DrawGlyph(dc, CPoint(button.left + (pressed ? 1 : 0), button.top + (pressed ? 1 : 0)), glyph);
}

void DrawSystemIcon(CDC& dc, CPoint topLeft) {
    // A baseboard seen from above with an oval of track on it: a layout plan in miniature.
    const int x = topLeft.x;
    const int y = topLeft.y;
    const COLORREF board = RGB(0, 128, 0);
    const COLORREF rail = RGB(224, 224, 224);
    const COLORREF sleeper = RGB(128, 64, 0);
    dc.FillSolidRect(x + 1, y + 2, 14, 12, RGB(0, 0, 0));
    dc.FillSolidRect(x + 2, y + 3, 12, 10, board);
    // Sleepers under the straights, then the rails of the oval.
    for (int across = 5; across < 11; across += 2) {
        dc.FillSolidRect(x + across, y + 4, 1, 3, sleeper);
        dc.FillSolidRect(x + across, y + 9, 1, 3, sleeper);
    }
    dc.FillSolidRect(x + 5, y + 5, 6, 1, rail);
    dc.FillSolidRect(x + 5, y + 10, 6, 1, rail);
    dc.FillSolidRect(x + 3, y + 7, 1, 2, rail);
    dc.FillSolidRect(x + 12, y + 7, 1, 2, rail);
    dc.FillSolidRect(x + 4, y + 6, 1, 1, rail);
    dc.FillSolidRect(x + 4, y + 9, 1, 1, rail);
    dc.FillSolidRect(x + 11, y + 6, 1, 1, rail);
    dc.FillSolidRect(x + 11, y + 9, 1, 1, rail);
    // A red train on the near straight.
    dc.FillSolidRect(x + 6, y + 9, 4, 2, RGB(192, 0, 0));
}

}  // namespace CaptionGlyphs
