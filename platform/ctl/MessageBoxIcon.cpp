#include "platform/ctl/MessageBoxIcon.h"

#include <initializer_list>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"

namespace {
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Rows of a small picture: '#' is a pixel in the ink, anything else is left alone.
void DrawPattern(CDC& dc, CPoint at, std::initializer_list<const char*> rows, COLORREF ink) {
    int y = at.y;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x)
            if (row[x] == '#')
                dc.SetPixel(at.x + x, y, ink);
        ++y;
    }
}

void DrawShape(CDC& dc, COLORREF fill, COLORREF outline, const auto& draw) {
    CBrush brush(fill);
    CPen pen(PS_SOLID, 1, outline);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    draw();
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void DrawStop(CDC& dc, CPoint at) {
    DrawShape(dc, RGB(255, 0, 0), RGB(128, 0, 0),
              [&] { dc.Ellipse(at.x + 1, at.y + 1, at.x + 31, at.y + 31); });
    for (int step = 0; step < 12; ++step) {
        dc.FillSolidRect(at.x + 9 + step, at.y + 10 + step, 3, 1, kWhite);
        dc.FillSolidRect(at.x + 20 - step, at.y + 10 + step, 3, 1, kWhite);
    }
}

void DrawExclamation(CDC& dc, CPoint at) {
    const POINT corners[] = {{at.x + 15, at.y + 1}, {at.x + 30, at.y + 29}, {at.x + 1, at.y + 29}};
    DrawShape(dc, RGB(255, 255, 0), kBlack, [&] { dc.Polygon(corners, 3); });
    dc.FillSolidRect(at.x + 14, at.y + 9, 4, 12, kBlack);
    dc.FillSolidRect(at.x + 14, at.y + 23, 4, 3, kBlack);
}

// A round white balloon with its tail down at the left.
void DrawBalloon(CDC& dc, CPoint at) {
    DrawShape(dc, kWhite, kBlack, [&] { dc.Ellipse(at.x + 1, at.y + 1, at.x + 31, at.y + 26); });
    const POINT tail[] = {{at.x + 8, at.y + 22}, {at.x + 5, at.y + 30}, {at.x + 15, at.y + 23}};
    DrawShape(dc, kWhite, kWhite, [&] { dc.Polygon(tail, 3); });
    dc.MoveTo(tail[0]);
    dc.LineTo(tail[1]);
    dc.LineTo(tail[2]);
}

void DrawQuestion(CDC& dc, CPoint at) {
    DrawBalloon(dc, at);
    DrawPattern(dc, CPoint(at.x + 11, at.y + 5),
                {"..#####..", ".#######.", "###...###", "##.....##", "......###", ".....###.", "....###..",
                 "....##...", "....##...", ".........", "....##...", "....##..."},
                RGB(0, 0, 255));
}

void DrawInformation(CDC& dc, CPoint at) {
    DrawBalloon(dc, at);
    DrawPattern(dc, CPoint(at.x + 13, at.y + 4),
                {".###.", ".###.", ".....", "####.", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.",
                 "#####", "#####"},
                RGB(0, 0, 255));
}
}  // namespace

namespace MessageBoxIcon {

bool Shown(UINT type) {
    const UINT icon = type & MB_ICONMASK;
    return icon == MB_ICONSTOP || icon == MB_ICONEXCLAMATION || icon == MB_ICONQUESTION ||
           icon == MB_ICONINFORMATION;
}

void Draw(CDC& dc, CPoint topLeft, UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            DrawStop(dc, topLeft);
            break;
        case MB_ICONEXCLAMATION:
            DrawExclamation(dc, topLeft);
            break;
        case MB_ICONQUESTION:
            DrawQuestion(dc, topLeft);
            break;
        case MB_ICONINFORMATION:
            DrawInformation(dc, topLeft);
            break;
        default:
            break;
    }
}

}  // namespace MessageBoxIcon
