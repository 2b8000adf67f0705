#include "resources/ProgramBitmaps.h"

#include <algorithm>
#include <array>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/SystemColors.h"
#include "resources/PaintPicture.h"

// The pictures are drawn here rather than shipped as files: each is a few shapes and a title.

namespace {

constexpr int kButtonSize = 24;
constexpr COLORREF kSky = RGB(40, 78, 132);
constexpr COLORREF kGround = RGB(84, 122, 62);
constexpr COLORREF kRail = RGB(200, 200, 205);
constexpr COLORREF kSleeper = RGB(110, 78, 48);

enum class Face { Up, Down, Focus, Disabled };
enum class Symbol { Forward, Backward, Run, Stop, Faster, Slower };

void DrawTrack(CDC& dc, int width, int railY) {
    for (int x = 4; x < width; x += 12) dc.FillSolidRect(x, railY - 4, 5, 22, kSleeper);
    dc.FillSolidRect(0, railY, width, 3, kRail);
    dc.FillSolidRect(0, railY + 11, width, 3, kRail);
}

void DrawTitle(CDC& dc, const CRect& area, const char* text, int height, int weight, COLORREF colour) {
    CFont font;
    font.CreateFont(-height, 0, 0, 0, weight, FALSE, FALSE, 0, 0, 0, 0, 0, 0, "Arial");
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colour);
    CRect box = area;
    dc.DrawText(text, &box, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    dc.SelectObject(old);
}

constexpr int kSmallestText = 12;

// Sky, ground and a track, with the title over them and, when there is room, a subtitle.
void DrawScene(CDC& dc, int width, int height, const char* title, const char* subtitle) {
    dc.FillSolidRect(0, 0, width, height, kSky);
    const int horizon = height * 2 / 3;
    dc.FillSolidRect(0, horizon, width, height - horizon, kGround);
    DrawTrack(dc, width, horizon + (height - horizon) / 2 - 7);
    if (subtitle == nullptr) {
        DrawTitle(dc, CRect(0, 0, width, horizon), title, horizon / 2, FW_BOLD, RGB(255, 255, 255));
        return;
    }
    DrawTitle(dc, CRect(0, 0, width, horizon * 2 / 3), title, height / 5, FW_BOLD, RGB(255, 255, 255));
    DrawTitle(dc, CRect(0, horizon * 2 / 3, width, horizon), subtitle, std::max(kSmallestText, height / 14),
              FW_NORMAL, RGB(220, 230, 245));
}

void DrawButtonFace(CDC& dc, Face face) {
    const CRect box(0, 0, kButtonSize, kButtonSize);
    dc.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    const bool down = face == Face::Down;
    dc.Draw3dRect(&box, down ? GetSysColor(COLOR_BTNSHADOW) : GetSysColor(COLOR_BTNHIGHLIGHT),
                  down ? GetSysColor(COLOR_BTNHIGHLIGHT) : RGB(0, 0, 0));
    if (face == Face::Focus) {
        CRect focus = box;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(&focus);
    }
}

std::array<POINT, 3> Triangle(Symbol symbol, int shift) {
    const int c = kButtonSize / 2 + shift;
    switch (symbol) {
        case Symbol::Forward:
            return {{{c - 6, c + 3}, {c + 6, c + 3}, {c, c - 4}}};
        case Symbol::Backward:
            return {{{c - 6, c - 3}, {c + 6, c - 3}, {c, c + 4}}};
        default:
            return {{{c - 3, c - 6}, {c - 3, c + 6}, {c + 4, c}}};
    }
}

void DrawSymbol(CDC& dc, Symbol symbol, Face face) {
    const int shift = face == Face::Down ? 1 : 0;
    const COLORREF colour = face == Face::Disabled ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    const int c = kButtonSize / 2 + shift;
    if (symbol == Symbol::Stop) {
        dc.Rectangle(c - 5, c - 5, c + 5, c + 5);
    } else if (symbol == Symbol::Faster || symbol == Symbol::Slower) {
        dc.Rectangle(c - 6, c - 1, c + 6, c + 1);
        if (symbol == Symbol::Faster)
            dc.Rectangle(c - 1, c - 6, c + 1, c + 6);
    } else {
        const std::array<POINT, 3> points = Triangle(symbol, shift);
        dc.Polygon(points.data(), 3);
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

BOOL PaintButton(CBitmap& bitmap, Symbol symbol, Face face) {
    return PaintPicture(bitmap, kButtonSize, kButtonSize, [&](CDC& dc) {
        DrawButtonFace(dc, face);
        DrawSymbol(dc, symbol, face);
    });
}

struct ButtonPicture {
    UINT id;
    Symbol symbol;
    Face face;
};

constexpr std::array<ButtonPicture, 20> kButtonPictures = {{
    {IDB_CREDITS_FORWARD, Symbol::Forward, Face::Up},
    {IDB_CREDITS_FORWARD_DOWN, Symbol::Forward, Face::Down},
    {IDB_CREDITS_FORWARD_FOCUS, Symbol::Forward, Face::Focus},
    {IDB_CREDITS_BACKWARD, Symbol::Backward, Face::Up},
    {IDB_CREDITS_BACKWARD_DOWN, Symbol::Backward, Face::Down},
    {IDB_CREDITS_BACKWARD_FOCUS, Symbol::Backward, Face::Focus},
    {IDB_CREDITS_RUN, Symbol::Run, Face::Up},
    {IDB_CREDITS_RUN_DOWN, Symbol::Run, Face::Down},
    {IDB_CREDITS_RUN_FOCUS, Symbol::Run, Face::Focus},
    {IDB_CREDITS_STOP, Symbol::Stop, Face::Up},
    {IDB_CREDITS_STOP_DOWN, Symbol::Stop, Face::Down},
    {IDB_CREDITS_STOP_FOCUS, Symbol::Stop, Face::Focus},
    {IDB_CREDITS_FASTER, Symbol::Faster, Face::Up},
    {IDB_CREDITS_FASTER_DOWN, Symbol::Faster, Face::Down},
    {IDB_CREDITS_FASTER_FOCUS, Symbol::Faster, Face::Focus},
    {IDB_CREDITS_FASTER_DISABLED, Symbol::Faster, Face::Disabled},
    {IDB_CREDITS_SLOWER, Symbol::Slower, Face::Up},
    {IDB_CREDITS_SLOWER_DOWN, Symbol::Slower, Face::Down},
    {IDB_CREDITS_SLOWER_FOCUS, Symbol::Slower, Face::Focus},
    {IDB_CREDITS_SLOWER_DISABLED, Symbol::Slower, Face::Disabled},
}};

}  // namespace

BOOL LoadProgramBitmap(UINT id, CBitmap& bitmap) {
    switch (id) {
        case IDB_SPLASH:
            return PaintPicture(bitmap, 420, 260, [](CDC& dc) {
                DrawScene(dc, 420, 260, "Corvane", "Model railway layouts in plan and 3D");
            });
        case IDB_ABOUT:
            return PaintPicture(bitmap, 240, 120, [](CDC& dc) {
                DrawScene(dc, 240, 120, "Corvane", "Version " CORVANE_VERSION_TEXT);
            });
        case IDB_CREDITS_BANNER:
            return PaintPicture(bitmap, 240, 60, [](CDC& dc) { DrawScene(dc, 240, 60, "Credits", nullptr); });
        default:
            break;
    }
    for (const ButtonPicture& picture : kButtonPictures)
        if (picture.id == id)
            return PaintButton(bitmap, picture.symbol, picture.face);
    return FALSE;
}
