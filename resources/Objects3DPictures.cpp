#include "resources/Objects3DPictures.h"

#include <map>
#include <memory>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"
#include "resources/PaintPicture.h"

namespace {

constexpr int kIconSize = 20;
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kWall = RGB(230, 220, 190);
constexpr COLORREF kRoof = RGB(170, 40, 30);

void DrawPolygon(CDC& dc, const POINT* points, int count, COLORREF fill) {
    CPen pen(PS_SOLID, 1, kInk);
    CBrush brush(fill);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Polygon(points, count);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

// A small house on the right and an arrow on the left pointing to it or away from it.
void DrawPreviewStep(CDC& dc, bool forward) {
    dc.FillSolidRect(0, 0, kIconSize, kIconSize, GetSysColor(COLOR_BTNFACE));
    const POINT wall[] = {{12, 9}, {18, 9}, {18, 16}, {12, 16}};
    const POINT roof[] = {{11, 9}, {15, 4}, {19, 9}};
    DrawPolygon(dc, wall, 4, kWall);
    DrawPolygon(dc, roof, 3, kRoof);
    const POINT toward[] = {{1, 11}, {6, 11}, {6, 8}, {10, 12}, {6, 16}, {6, 13}, {1, 13}};
    const POINT away[] = {{10, 11}, {5, 11}, {5, 8}, {1, 12}, {5, 16}, {5, 13}, {10, 13}};
    DrawPolygon(dc, forward ? toward : away, 7, kInk);
}

}  // namespace

CBitmap* Objects3DPicture(UINT id) {
    if (id != IDI_PREVIEW_FORWARD && id != IDI_PREVIEW_BACKWARD)
        return nullptr;
    static std::map<UINT, std::unique_ptr<CBitmap>> drawn;
    std::unique_ptr<CBitmap>& picture = drawn[id];
    if (picture == nullptr) {
        picture = std::make_unique<CBitmap>();
        const bool forward = id == IDI_PREVIEW_FORWARD;
        if (!PaintPicture(*picture, kIconSize, kIconSize,
                          [forward](CDC& dc) { DrawPreviewStep(dc, forward); }))
            picture.reset();
    }
    return picture.get();
}
