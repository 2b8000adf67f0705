#include "platform/cdlg/FolderPictures.h"

#include "platform/ctl/BasicControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"

namespace FolderPictures {
namespace {
constexpr COLORREF kOutline = RGB(128, 128, 0);
constexpr COLORREF kFill = RGB(255, 255, 0);
constexpr COLORREF kShine = RGB(255, 255, 255);
constexpr int kTabWidth = 6;
constexpr int kTabHeight = 2;
constexpr int kArrowHalf = 3;
constexpr int kStem = 4;

void FrameBox(CDC& dc, const CRect& box, COLORREF outline, COLORREF fill) {
    dc.FillSolidRect(&box, outline);
    CRect inside = box;
    inside.DeflateRect(1, 1);
    dc.FillSolidRect(&inside, fill);
}

// A black arrow pointing up, its tip at tip.
void DrawUpArrow(CDC& dc, CPoint tip, COLORREF color) {
    for (int row = 0; row < kArrowHalf; ++row)
        dc.FillSolidRect(tip.x - row, tip.y + row, 2 * row + 1, 1, color);
    dc.FillSolidRect(tip.x - 1, tip.y + kArrowHalf, 3, kStem, color);
}
}  // namespace

void DrawFolder(CDC& dc, CPoint topLeft, bool enabled) {
    const COLORREF outline = enabled ? kOutline : GetSysColor(COLOR_GRAYTEXT);
    const COLORREF fill = enabled ? kFill : GetSysColor(COLOR_BTNFACE);
    const int x = topLeft.x;
    const int y = topLeft.y;
    FrameBox(dc, CRect(x + 1, y, x + 1 + kTabWidth, y + kTabHeight + 1), outline, fill);
    FrameBox(dc, CRect(x, y + kTabHeight, x + kIconWidth - 1, y + kIconHeight), outline, fill);
    if (enabled)
        dc.FillSolidRect(x + 1, y + kTabHeight + 1, kIconWidth - 3, 1, kShine);
}

void DrawUpOneLevelButton(CDC& dc, const CRect& rect, bool pushed, bool enabled, bool focused) {
    CRect face = rect;
    dc.FillSolidRect(&face, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&face, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = pushed ? 1 : 0;
    const CPoint centre = rect.CenterPoint() + CPoint(shift, shift);
    const CPoint folder(centre.x - kIconWidth / 2, centre.y - kIconHeight / 2 + 2);
    DrawFolder(dc, folder, enabled);
    DrawUpArrow(dc, CPoint(folder.x + kIconWidth / 2, folder.y - 3),
                GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (focused) {
        face.DeflateRect(3, 3);
        dc.DrawFocusRect(&face);
    }
}
}  // namespace FolderPictures
