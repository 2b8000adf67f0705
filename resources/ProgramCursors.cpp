#include "resources/ProgramCursors.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "platform/win/Cursors.h"

// The cursors are drawn here in black; each gets a white rim one pixel wide, so that it shows
// on the dark and on the light parts of the plan alike. The drawing tools share a cross-hair
// whose lower right corner carries a small sign of the tool; the tools that point at objects
// share the arrow, with a sign of what a press would do.

namespace {

constexpr int kSize = CursorPicture::kSize;
constexpr double kPi = 3.14159265358979;

// The black pixels of a cursor before its rim is added.
class Ink {
  public:
    void Dot(int x, int y) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize)
            m_ink[y][x] = true;
    }
    void Line(int x0, int y0, int x1, int y1) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
            Dot(static_cast<int>(std::lround(x0 + t * (x1 - x0))),
                static_cast<int>(std::lround(y0 + t * (y1 - y0))));
        }
    }
    void Frame(int x0, int y0, int x1, int y1) {
        Line(x0, y0, x1, y0);
        Line(x1, y0, x1, y1);
        Line(x1, y1, x0, y1);
        Line(x0, y1, x0, y0);
    }
    void Fill(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y) Line(x0, y, x1, y);
    }
    // An elliptic arc from angle a0 to a1 (degrees, counter-clockwise, y up).
    void Arc(double cx, double cy, double rx, double ry, double a0, double a1) {
        for (double a = a0; a <= a1; a += 2.0) {
            const double r = a * kPi / 180.0;
            Dot(static_cast<int>(std::lround(cx + rx * std::cos(r))),
                static_cast<int>(std::lround(cy - ry * std::sin(r))));
        }
    }
    void Polyline(std::initializer_list<POINT> points) {
        const POINT* previous = nullptr;
        for (const POINT& point : points) {
            if (previous)
                Line(previous->x, previous->y, point.x, point.y);
            previous = &point;
        }
    }
    // Inks the '#' of each row, the first row at the top.
    void Rows(std::initializer_list<const char*> rows) {
        int y = 0;
        for (const char* row : rows) {
            for (int x = 0; row[x] != '\0'; ++x)
                if (row[x] == '#')
                    Dot(x, y);
            ++y;
        }
    }
    // Fills the triangle through the three points, its edges included.
    void Triangle(POINT a, POINT b, POINT c) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (Inside(a, b, c, x, y))
                    m_ink[y][x] = true;
    }

    // Black where drawn, white on the pixels around, the rest transparent.
    CursorPicture Picture(CPoint hotSpot) const {
        CursorPicture picture;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (m_ink[y][x])
                    picture.Set(x, y, CursorPicture::Pixel::Black);
                else if (Touches(x, y))
                    picture.Set(x, y, CursorPicture::Pixel::White);
        picture.SetHotSpot(hotSpot);
        return picture;
    }

  private:
    static long Side(POINT a, POINT b, int x, int y) {
        return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    }
    static bool Inside(POINT a, POINT b, POINT c, int x, int y) {
        const long ab = Side(a, b, x, y), bc = Side(b, c, x, y), ca = Side(c, a, x, y);
        return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
    }
    bool Touches(int x, int y) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && nx < kSize && ny >= 0 && ny < kSize && m_ink[ny][nx])
                    return true;
            }
        return false;
    }

    std::array<std::array<bool, kSize>, kSize> m_ink{};
};

using Sign = std::function<void(Ink&)>;

// The signs sit in the 12 x 12 square whose top-left corner is (19, 19).
constexpr int kSignLeft = 19;
constexpr int kSignRight = 30;

const CPoint kCrossHotSpot(9, 9);
const CPoint kArrowHotSpot(0, 0);

void CrossHair(Ink& ink) {
    ink.Line(9, 0, 9, 7);
    ink.Line(9, 11, 9, 18);
    ink.Line(0, 9, 7, 9);
    ink.Line(11, 9, 18, 9);
    ink.Dot(9, 9);
}

void Arrow(Ink& ink) {
    ink.Rows({"#", "##", "###", "####", "#####", "######", "#######", "########", "#########", "##########",
              "###########", "######", "###-##", "##--##", "#----##", "-----##", "------##", "------##"});
}

CursorPicture CrossWith(const Sign& sign) {
    Ink ink;
    CrossHair(ink);
    sign(ink);
    return ink.Picture(kCrossHotSpot);
}

CursorPicture ArrowWith(const Sign& sign) {
    Ink ink;
    Arrow(ink);
    sign(ink);
    return ink.Picture(kArrowHotSpot);
}

void Rails(Ink& ink) {
    ink.Line(kSignLeft, 22, kSignRight, 22);
    ink.Line(kSignLeft, 27, kSignRight, 27);
    for (int x = kSignLeft + 1; x < kSignRight; x += 3) ink.Line(x, 21, x, 28);
}

void Ring(Ink& ink) {
    ink.Arc(24.5, 24.5, 5, 5, 0, 360);
}

void UpDown(Ink& ink) {
    ink.Line(24, 19, 24, 30);
    ink.Triangle({24, 19}, {20, 23}, {28, 23});
    ink.Triangle({24, 30}, {20, 26}, {28, 26});
}

void Scissors(Ink& ink) {
    ink.Line(20, 19, 29, 27);
    ink.Line(29, 19, 20, 27);
    ink.Arc(20, 29, 2, 2, 0, 360);
    ink.Arc(29, 29, 2, 2, 0, 360);
}

void Chain(Ink& ink) {
    ink.Arc(22.5, 22.5, 3.5, 2.5, 0, 360);
    ink.Arc(27.5, 27.5, 3.5, 2.5, 0, 360);
}

void Parallel(Ink& ink) {
    ink.Line(kSignLeft, 27, 27, kSignLeft);
    ink.Line(22, kSignRight, kSignRight, 22);
}

// A dragged corner: a small box with its corner square.
void GrabbedBox(Ink& ink) {
    ink.Frame(20, 20, 28, 28);
    ink.Fill(27, 27, 30, 30);
}

void FourArrows(Ink& ink, int c, int reach) {
    ink.Line(c - reach, c, c + reach, c);
    ink.Line(c, c - reach, c, c + reach);
    ink.Triangle({c - reach, c}, {c - reach + 4, c - 4}, {c - reach + 4, c + 4});
    ink.Triangle({c + reach, c}, {c + reach - 4, c - 4}, {c + reach - 4, c + 4});
    ink.Triangle({c, c - reach}, {c - 4, c - reach + 4}, {c + 4, c - reach + 4});
    ink.Triangle({c, c + reach}, {c - 4, c + reach - 4}, {c + 4, c + reach - 4});
}

CursorPicture Move() {
    Ink ink;
    FourArrows(ink, 15, 14);
    return ink.Picture(CPoint(15, 15));
}

// A corner or side handle: a two-headed arrow along the diagonal over a small square.
CursorPicture Handle() {
    Ink ink;
    ink.Line(4, 4, 26, 26);
    ink.Triangle({3, 3}, {11, 4}, {4, 11});
    ink.Triangle({27, 27}, {19, 26}, {26, 19});
    ink.Frame(12, 12, 18, 18);
    return ink.Picture(CPoint(15, 15));
}

CursorPicture Rotate() {
    Ink ink;
    ink.Arc(15, 15, 10, 10, 30, 330);
    ink.Arc(15, 15, 9, 9, 30, 330);
    ink.Triangle({28, 7}, {19, 9}, {26, 16});
    ink.Fill(14, 14, 16, 16);
    return ink.Picture(CPoint(15, 15));
}

CursorPicture Pencil() {
    Ink ink;
    ink.Line(0, 31, 3, 24);
    ink.Line(0, 31, 7, 28);
    ink.Line(3, 24, 22, 5);
    ink.Line(7, 28, 26, 9);
    ink.Line(22, 5, 26, 9);
    ink.Line(19, 8, 23, 12);
    ink.Fill(0, 29, 2, 31);
    return ink.Picture(CPoint(0, 31));
}

CursorPicture IBeam() {
    Ink ink;
    ink.Line(15, 4, 15, 26);
    ink.Line(11, 3, 14, 3);
    ink.Line(16, 3, 19, 3);
    ink.Line(11, 27, 14, 27);
    ink.Line(16, 27, 19, 27);
    return ink.Picture(CPoint(15, 15));
}

CursorPicture Magnifier(bool in) {
    Ink ink;
    ink.Arc(11, 11, 8, 8, 0, 360);
    ink.Arc(11, 11, 9, 9, 0, 360);
    ink.Line(17, 18, 27, 28);
    ink.Line(18, 17, 28, 27);
    ink.Line(18, 18, 28, 28);
    ink.Line(7, 11, 15, 11);
    if (in)
        ink.Line(11, 7, 11, 15);
    return ink.Picture(CPoint(11, 11));
}

const std::map<UINT, std::function<CursorPicture()>>& Cursors() {
    static const std::map<UINT, std::function<CursorPicture()>> cursors = {
        {308, [] { return ArrowWith([](Ink&) {}); }},
        {373, Move},
        {374, Handle},
        {335, Rotate},
        {316, Pencil},
        {336, IBeam},
        {314, [] { return Magnifier(true); }},
        {315, [] { return Magnifier(false); }},
        {311, [] { return ArrowWith(GrabbedBox); }},
        {378, [] { return ArrowWith(Ring); }},
        {454, [] { return ArrowWith(UpDown); }},
        {427, [] { return ArrowWith(Scissors); }},
        {525, [] { return ArrowWith(Chain); }},
        {451, [] { return ArrowWith(Parallel); }},
        {515, [] { return CrossWith([](Ink& ink) { ink.Line(20, 30, 30, 20); }); }},
        {517, [] { return CrossWith([](Ink& ink) { ink.Frame(19, 21, 30, 29); }); }},
        {518,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Polyline({{21, 21},
                               {28, 21},
                               {30, 23},
                               {30, 27},
                               {28, 29},
                               {21, 29},
                               {19, 27},
                               {19, 23},
                               {21, 21}});
             });
         }},
        {513, [] { return CrossWith([](Ink& ink) { ink.Arc(19, 30, 11, 11, 0, 90); }); }},
        {519, [] { return CrossWith([](Ink& ink) { ink.Arc(24.5, 25, 5.5, 4.5, 0, 360); }); }},
        {520,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Polyline({{24, 19}, {30, 24}, {28, 30}, {20, 30}, {19, 24}, {24, 19}});
             });
         }},
        {516,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Arc(22, 24, 3, 4, 90, 270);
                 ink.Arc(27, 24, 3, 4, -90, 90);
             });
         }},
        {522,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Line(19, 25, 30, 25);
                 ink.Line(19, 21, 19, 29);
                 ink.Line(30, 21, 30, 29);
             });
         }},
        {523,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Line(19, 30, 30, 30);
                 ink.Line(19, 30, 28, 19);
                 ink.Arc(19, 30, 7, 7, 0, 50);
             });
         }},
        {322,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 24, 30, 29);
                 for (int x = 21; x < 30; x += 2) ink.Line(x, 24, x, x % 4 == 1 ? 27 : 26);
             });
         }},
        {521,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 19, 30, 30);
                 for (int i = 21; i < 30; i += 3) {
                     ink.Line(i, 19, i, 21);
                     ink.Line(19, i, 21, i);
                 }
             });
         }},
        {318,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 22, 30, 30);
                 ink.Fill(21, 20, 24, 21);
                 ink.Arc(24.5, 26, 2.5, 2.5, 0, 360);
             });
         }},
        {319,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 19, 30, 30);
                 ink.Polyline({{20, 29}, {24, 23}, {27, 27}, {29, 25}});
             });
         }},
        {321,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 22, 27, 30);
                 ink.Polyline({{19, 22}, {22, 19}, {30, 19}, {30, 27}, {27, 30}});
                 ink.Line(27, 22, 30, 19);
             });
         }},
        {320,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 19, 30, 30);
                 ink.Triangle({24, 21}, {21, 28}, {28, 28});
             });
         }},
        {339, [] { return CrossWith(Rails); }},
        {338,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Fill(19, 21, 30, 22);
                 ink.Line(20, 23, 20, 30);
                 ink.Line(29, 23, 29, 30);
                 ink.Line(20, 26, 29, 26);
             });
         }},
        {461,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Polyline({{19, 30}, {23, 22}, {26, 26}, {28, 23}, {30, 30}, {19, 30}});
             });
         }},
        {337,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Frame(19, 21, 30, 27);
                 ink.Fill(26, 19, 28, 21);
                 ink.Arc(22, 29, 1.5, 1.5, 0, 360);
                 ink.Arc(28, 29, 1.5, 1.5, 0, 360);
             });
         }},
        {379,
         [] {
             return CrossWith([](Ink& ink) {
                 ink.Fill(19, 28, 21, 30);
                 ink.Fill(28, 19, 30, 21);
                 ink.Arc(20, 20, 9, 9, -90, 0);
             });
         }},
        {463, [] { return CrossWith(UpDown); }},
        {462, [] { return CrossWith(Scissors); }},
        {524, [] { return CrossWith(Chain); }},
        {464, [] { return CrossWith(Parallel); }},
    };
    return cursors;
}

}  // namespace

bool DrawProgramCursor(UINT id, CursorPicture& picture) {
    const auto found = Cursors().find(id);
    if (found == Cursors().end())
        return false;
    picture = found->second();
    return true;
}

void RegisterProgramCursors() {
    for (const auto& [id, draw] : Cursors()) RegisterResourceCursor(id, draw());
}
