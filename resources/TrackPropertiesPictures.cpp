#include "resources/TrackPropertiesPictures.h"

#include <map>
#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"
#include "resources/PaintPicture.h"

namespace {

constexpr int kModeWidth = 40;
constexpr int kModeHeight = 30;
constexpr int kIconSize = 32;
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kRail = RGB(0, 0, 128);
constexpr COLORREF kTie = RGB(128, 64, 0);
constexpr COLORREF kGround = RGB(0, 128, 0);

// A picture on the button face.
template <class Draw>
BOOL Paint(CBitmap& bitmap, int width, int height, Draw draw) {
    return PaintPicture(bitmap, width, height, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, width, height, GetSysColor(COLOR_BTNFACE));
        draw(dc);
    });
}

// One to three horizontal lines between two short end bars.
void DrawRailMode(CDC& dc, int lines) {
    dc.FillSolidRect(5, 8, 2, 15, kInk);
    dc.FillSolidRect(33, 8, 2, 15, kInk);
    const int gap = 5;
    const int first = 15 - (lines - 1) * gap / 2;
    for (int i = 0; i < lines; ++i) dc.FillSolidRect(7, first + i * gap, 26, 1, kInk);
}

// A right-pointing arrow, filled when its entry row is the active one.
void DrawArrow(CDC& dc, bool filled) {
    const POINT arrow[] = {{6, 13}, {17, 13}, {17, 7}, {27, 16}, {17, 25}, {17, 19}, {6, 19}};
    CPen pen(PS_SOLID, 1, kInk);
    CBrush brush(filled ? kInk : GetSysColor(COLOR_BTNFACE));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Polygon(arrow, 7);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

// A track on its ground, rising or falling towards its end on the right.
void DrawSlope(CDC& dc, bool rising) {
    const int low = 26, high = 8;
    const int left = rising ? low : high, right = rising ? high : low;
    const POINT ground[] = {{2, left + 3}, {30, right + 3}, {30, 30}, {2, 30}};
    CBrush earth(kGround);
    CPen none(PS_NULL, 0, kInk);
    CBrush* oldBrush = dc.SelectObject(&earth);
    CPen* oldPen = dc.SelectObject(&none);
    dc.Polygon(ground, 4);
    CPen tie(PS_SOLID, 2, kTie);
    dc.SelectObject(&tie);
    for (int x = 5; x < 30; x += 5) {
        const int y = left + (right - left) * (x - 2) / 28;
        dc.MoveTo(x, y - 2);
        dc.LineTo(x, y + 2);
    }
    CPen rail(PS_SOLID, 2, kRail);
    dc.SelectObject(&rail);
    dc.MoveTo(2, left);
    dc.LineTo(30, right);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

}  // namespace

BOOL LoadTrackPropertiesPicture(UINT id, CBitmap& bitmap) {
    switch (id) {
        case IDB_RAIL_MODE_1:
        case IDB_RAIL_MODE_2:
        case IDB_RAIL_MODE_3: {
            const int lines = static_cast<int>(IDB_RAIL_MODE_1 - id) + 1;
            return Paint(bitmap, kModeWidth, kModeHeight, [lines](CDC& dc) { DrawRailMode(dc, lines); });
        }
        case IDI_ENTRY_ACTIVE:
        case IDI_ENTRY_IDLE:
            return Paint(bitmap, kIconSize, kIconSize,
                         [id](CDC& dc) { DrawArrow(dc, id == IDI_ENTRY_ACTIVE); });
        case IDI_GRADE_RISING:
        case IDI_GRADE_FALLING:
            return Paint(bitmap, kIconSize, kIconSize,
                         [id](CDC& dc) { DrawSlope(dc, id == IDI_GRADE_RISING); });
        default:
            return FALSE;
    }
}

CBitmap* TrackPropertiesPicture(UINT id) {
    static std::map<UINT, std::unique_ptr<CBitmap>> drawn;
    std::unique_ptr<CBitmap>& picture = drawn[id];
    if (picture == nullptr) {
        picture = std::make_unique<CBitmap>();
        if (!LoadTrackPropertiesPicture(id, *picture))
            picture.reset();
    }
    return picture.get();
}
