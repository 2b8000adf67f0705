#include "catalog/CatalogIcons.h"

#include <functional>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/CPen.h"

namespace {

constexpr int kIconSize = 16;
constexpr COLORREF kClear = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kTick = RGB(0, 128, 0);
constexpr COLORREF kPart = RGB(0, 0, 160);
constexpr COLORREF kNestedPart = RGB(0, 128, 128);
constexpr COLORREF kFolder = RGB(224, 192, 64);
constexpr COLORREF kLocked = RGB(128, 128, 128);

using IconPainter = std::function<void(CDC&)>;

void AddIcon(CImageList& images, const IconPainter& paint) {
    CBitmap picture;
    picture.CreateBitmap(kIconSize, kIconSize, 1, 32, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, kIconSize, kIconSize, kClear);
    paint(dc);
    dc.SelectObject(previous);
    images.Add(&picture, kClear);
}

void Box(CDC& dc, const CRect& box, COLORREF fill, COLORREF ink) {
    CBrush brush(fill);
    CPen pen(PS_SOLID, 1, ink);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Rectangle(&box);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void Lines(CDC& dc, std::initializer_list<POINT> points, COLORREF ink, int width) {
    CPen pen(PS_SOLID, width, ink);
    CPen* old = dc.SelectObject(&pen);
    dc.Polyline(points.begin(), static_cast<int>(points.size()));
    dc.SelectObject(old);
}

void PartBox(CDC& dc, bool ticked) {
    Box(dc, CRect(2, 2, 14, 14), kPaper, kInk);
    if (ticked)
        Lines(dc, {{4, 8}, {7, 11}, {12, 4}}, kTick, 2);
}

// A small block standing for one part.
void Part(CDC& dc, COLORREF colour) {
    Box(dc, CRect(3, 5, 13, 11), colour, kInk);
}

// A folder for a group: closed (a plus), open (a minus) or not to be opened (shaded).
void Folder(CDC& dc, COLORREF colour, const char* sign) {
    Box(dc, CRect(1, 4, 15, 14), colour, kInk);
    Box(dc, CRect(1, 2, 7, 5), colour, kInk);
    if (sign[0] != '\0')
        Lines(dc, {{5, 9}, {12, 9}}, kInk, 1);
    if (sign[0] == '+')
        Lines(dc, {{8, 6}, {8, 13}}, kInk, 1);
}

void Start(CImageList& images) {
    images.DeleteImageList();
    images.Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK, 0, 1);
}

}  // namespace

void MakePartMarkIcons(CImageList& images) {
    Start(images);
    AddIcon(images, [](CDC& dc) { PartBox(dc, false); });
    AddIcon(images, [](CDC& dc) { PartBox(dc, true); });
}

void MakeReportRowIcons(CImageList& images) {
    Start(images);
    AddIcon(images, [](CDC& dc) { Part(dc, kPart); });
    AddIcon(images, [](CDC& dc) { Part(dc, kNestedPart); });
    AddIcon(images, [](CDC& dc) { Folder(dc, kFolder, "+"); });
    AddIcon(images, [](CDC& dc) { Folder(dc, kFolder, "-"); });
    AddIcon(images, [](CDC& dc) { Folder(dc, kLocked, ""); });
}
