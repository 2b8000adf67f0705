#include "shell/CommandIcons.h"

#include <cmath>
#include <functional>
#include <map>

#include "platform/gdi/PixelSurface.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"

namespace {
// One palette for every icon, so that the bars read as one set.
constexpr std::uint32_t kInk = 0x000000;
constexpr std::uint32_t kGreyDark = 0x808080;
constexpr std::uint32_t kRail = 0x404040;
constexpr std::uint32_t kPaper = 0xFFFFFF;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kSky = 0x00C0FF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kMaroon = 0x800000;
constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kLime = 0x00C000;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kOlive = 0x808000;
constexpr std::uint32_t kWood = 0xA05000;
constexpr double kPi = 3.1415926535;

// Pixel drawing inside one 16 x 15 cell of a strip.
class Cell {
  public:
    Cell(PixelSurface& strip, int left) : m_strip(strip), m_left(left) {}

    void Dot(int x, int y, std::uint32_t colour) const {
        if (x >= 0 && x < kIconWidth && y >= 0 && y < kIconHeight && m_strip.Contains(m_left + x, y))
            m_strip.Set(m_left + x, y, colour);
    }
    void Line(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            Dot(x0, y0, colour);
            if (x0 == x1 && y0 == y1)
                return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }
    void Frame(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
        Line(x0, y0, x1, y0, colour);
        Line(x0, y1, x1, y1, colour);
        Line(x0, y0, x0, y1, colour);
        Line(x1, y0, x1, y1, colour);
    }
    void Fill(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
        for (int y = y0; y <= y1; ++y) Line(x0, y, x1, y, colour);
    }
    void Box(int x0, int y0, int x1, int y1, std::uint32_t fill, std::uint32_t outline = kInk) const {
        Fill(x0, y0, x1, y1, fill);
        Frame(x0, y0, x1, y1, outline);
    }
    // An elliptic arc from angle a0 to a1 (radians, counter-clockwise, y up).
    void Arc(double cx, double cy, double rx, double ry, double a0, double a1, std::uint32_t colour) const {
        for (double a = a0; a <= a1; a += 0.02)
            Dot(static_cast<int>(std::lround(cx + rx * std::cos(a))),
                static_cast<int>(std::lround(cy - ry * std::sin(a))), colour);
    }
    void Ellipse(double cx, double cy, double rx, double ry, std::uint32_t colour) const {
        Arc(cx, cy, rx, ry, 0, 2 * kPi, colour);
    }
    void Disc(double cx, double cy, double r, std::uint32_t colour) const {
        for (int y = 0; y < kIconHeight; ++y)
            for (int x = 0; x < kIconWidth; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    Dot(x, y, colour);
    }
    // A solid arrowhead with its tip at (x, y) pointing along (dx, dy), one of the four axes.
    void Head(int x, int y, int dx, int dy, int size, std::uint32_t colour) const {
        for (int step = 0; step < size; ++step)
            Line(x - dx * step - dy * step, y - dy * step - dx * step, x - dx * step + dy * step,
                 y - dy * step + dx * step, colour);
    }
    // A straight arrow from (x0, y0) to its tip at (x1, y1) along one axis.
    void Arrow(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
        const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
        Line(x0, y0, x1, y1, colour);
        Line(x0 + dy, y0 + dx, x1 + dy - 3 * dx, y1 + dx - 3 * dy, colour);
        Head(x1, y1, dx, dy, 4, colour);
    }
    // Track along a curve: sleepers across it every three pixels, then the two rails.
    void Track(const std::function<std::pair<double, double>(double)>& curve,
               std::uint32_t rail = kRail) const {
        constexpr int kSteps = 400;
        double walked = 0;
        std::pair<double, double> last = curve(0);
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i <= kSteps; ++i) {
                const double t = static_cast<double>(i) / kSteps;
                const auto [x, y] = curve(t);
                const auto [nx0, ny0] = curve(std::min(1.0, t + 0.01));
                const auto [px, py] = curve(std::max(0.0, t - 0.01));
                double tx = nx0 - px, ty = ny0 - py;
                const double length = std::hypot(tx, ty);
                tx /= length;
                ty /= length;
                if (pass == 0) {
                    walked += std::hypot(x - last.first, y - last.second);
                    last = {x, y};
                    if (i == 0 || walked >= 3) {
                        walked = 0;
                        Line(Round(x - 3 * ty), Round(y + 3 * tx), Round(x + 3 * ty), Round(y - 3 * tx),
                             kWood);
                    }
                } else {
                    Dot(Round(x - 2 * ty), Round(y + 2 * tx), rail);
                    Dot(Round(x + 2 * ty), Round(y - 2 * tx), rail);
                }
            }
    }
    void StraightTrack(double x0, double y0, double x1, double y1) const {
        Track([=](double t) { return std::pair{x0 + (x1 - x0) * t, y0 + (y1 - y0) * t}; });
    }
    static int Round(double v) { return static_cast<int>(std::lround(v)); }

  private:
    PixelSurface& m_strip;
    int m_left;
};

using IconPainter = void (*)(const Cell&);

// --- Files and the clipboard ---------------------------------------------------------------------

void Page(const Cell& c, int x0, int y0, int x1, int y1) {
    c.Box(x0, y0, x1, y1, kPaper);
    c.Fill(x1 - 2, y0, x1, y0 + 2, 0xC0C0C0);
    c.Line(x1 - 3, y0, x1, y0 + 3, kInk);
    c.Line(x1 - 3, y0, x1 - 3, y0 + 3, kInk);
    c.Line(x1 - 3, y0 + 3, x1, y0 + 3, kInk);
}
void TextLines(const Cell& c, int x0, int x1, int y0, int y1) {
    for (int y = y0; y <= y1; y += 2) c.Line(x0, y, x1, y, kGreyDark);
}
void New(const Cell& c) {
    Page(c, 3, 1, 12, 14);
}
void Open(const Cell& c) {
    c.Box(1, 4, 5, 5, kYellow);
    c.Box(1, 5, 12, 13, kYellow);
    for (int y = 8; y <= 13; ++y) c.Line(3 + (13 - y) / 2 + 1, y, 14 - (13 - y) / 2, y, kOlive);
    c.Line(3, 8, 15, 8, kInk);
    c.Line(15, 8, 12, 13, kInk);
    c.Line(3, 8, 1, 13, kInk);
    c.Arrow(10, 4, 14, 4, kNavy);
}
void Save(const Cell& c) {
    c.Box(1, 1, 14, 14, kNavy, kInk);
    c.Box(4, 1, 11, 7, kPaper);
    c.Box(4, 10, 11, 14, 0xC0C0C0);
    c.Fill(5, 11, 6, 13, kNavy);
}
void Magnifier(const Cell& c, int cx, int cy) {
    c.Disc(cx, cy, 3.6, kSky);
    c.Ellipse(cx, cy, 4, 4, kInk);
    c.Line(cx + 3, cy + 3, cx + 6, cy + 6, kInk);
    c.Line(cx + 4, cy + 3, cx + 7, cy + 6, kInk);
}
void PrintPreview(const Cell& c) {
    Page(c, 1, 0, 10, 13);
    TextLines(c, 3, 8, 5, 11);
    Magnifier(c, 9, 8);
}
void Print(const Cell& c) {
    c.Box(4, 1, 11, 7, kPaper);
    c.Box(1, 6, 14, 11, 0xC0C0C0);
    c.Line(2, 7, 13, 7, kPaper);
    c.Dot(12, 9, kLime);
    c.Box(3, 11, 12, 14, kPaper);
    TextLines(c, 5, 10, 3, 5);
}
void Cut(const Cell& c) {
    c.Line(5, 1, 9, 9, kRail);
    c.Line(10, 1, 6, 9, kRail);
    c.Ellipse(4, 11, 2, 2, kInk);
    c.Ellipse(11, 11, 2, 2, kInk);
}
void Copy(const Cell& c) {
    Page(c, 1, 1, 9, 11);
    Page(c, 6, 4, 14, 14);
    TextLines(c, 8, 12, 8, 12);
}
void Paste(const Cell& c) {
    c.Box(1, 2, 11, 14, kWood);
    c.Box(4, 1, 8, 3, 0xC0C0C0);
    Page(c, 6, 6, 14, 14);
    TextLines(c, 8, 12, 10, 12);
}
void Undo(const Cell& c) {
    c.Arc(8, 9, 5, 4.5, -kPi / 2, kPi / 2 + 0.3, kNavy);
    c.Arc(8, 9, 4, 3.5, -kPi / 2, kPi / 2 + 0.3, kNavy);
    c.Line(3, 13, 8, 13, kNavy);
    c.Head(3, 5, -1, 0, 4, kNavy);
}

// --- Zoom, stacking, grouping, rotating and mirroring ---------------------------------------------

void ZoomIn(const Cell& c) {
    Magnifier(c, 6, 6);
    c.Line(4, 6, 8, 6, kInk);
    c.Line(6, 4, 6, 8, kInk);
}
void ZoomOut(const Cell& c) {
    Magnifier(c, 6, 6);
    c.Line(4, 6, 8, 6, kInk);
}
void BringToFront(const Cell& c) {
    c.Box(1, 1, 8, 8, kPaper, kGreyDark);
    c.Box(7, 6, 14, 13, kBlue);
    c.Box(4, 4, 11, 10, kRed);
}
void SendToBack(const Cell& c) {
    c.Box(4, 4, 11, 10, kRed);
    c.Box(1, 1, 8, 8, kPaper, kGreyDark);
    c.Box(7, 6, 14, 13, kBlue);
}
void Handles(const Cell& c, int x0, int y0, int x1, int y1) {
    for (int x : {x0, x1})
        for (int y : {y0, y1}) c.Box(x - 1, y - 1, x + 1, y + 1, kInk);
}
void Group(const Cell& c) {
    c.Box(3, 3, 8, 8, kBlue);
    c.Disc(10, 10, 2.6, kRed);
    for (int x = 1; x <= 14; x += 2) {
        c.Dot(x, 1, kGreyDark);
        c.Dot(x, 13, kGreyDark);
    }
    for (int y = 1; y <= 13; y += 2) {
        c.Dot(1, y, kGreyDark);
        c.Dot(14, y, kGreyDark);
    }
    Handles(c, 1, 1, 14, 13);
}
void Ungroup(const Cell& c) {
    c.Box(1, 1, 6, 6, kBlue);
    Handles(c, 1, 1, 6, 6);
    c.Disc(11, 10, 2.6, kRed);
    Handles(c, 8, 7, 14, 13);
}
void RotateArrow(const Cell& c, bool clockwise) {
    c.Fill(6, 6, 9, 9, kBlue);
    c.Frame(6, 6, 9, 9, kInk);
    c.Arc(7.5, 7.5, 6, 6, kPi * 0.15, kPi * 1.85, kNavy);
    if (clockwise)
        c.Head(13, 9, 0, 1, 3, kNavy);
    else
        c.Head(13, 6, 0, -1, 3, kNavy);
}
void RotateRight(const Cell& c) {
    RotateArrow(c, true);
}
void RotateLeft(const Cell& c) {
    RotateArrow(c, false);
}
void FlipVertical(const Cell& c) {
    for (int row = 0; row < 5; ++row) {
        c.Line(7 - row - 1, 1 + row, 8 + row + 1, 1 + row, kBlue);
        c.Line(7 - row - 1, 13 - row, 8 + row + 1, 13 - row, kSky);
    }
    for (int x = 0; x < 16; x += 2) c.Dot(x, 7, kRed);
}
void FlipHorizontal(const Cell& c) {
    for (int column = 0; column < 5; ++column) {
        c.Line(1 + column, 7 - column - 1, 1 + column, 7 + column + 1, kBlue);
        c.Line(14 - column, 7 - column - 1, 14 - column, 7 + column + 1, kSky);
    }
    for (int y = 0; y < 15; y += 2) c.Dot(7, y, kRed);
    for (int y = 1; y < 15; y += 2) c.Dot(8, y, kRed);
}

// --- Snapping, grid, views and layers -------------------------------------------------------------

void TrackSnap(const Cell& c) {
    c.StraightTrack(0, 7, 6, 7);
    c.StraightTrack(9, 7, 15, 7);
    c.Head(6, 2, 1, 0, 3, kRed);
    c.Head(9, 2, -1, 0, 3, kRed);
}
void GridDots(const Cell& c) {
    for (int x = 1; x < 16; x += 4)
        for (int y = 1; y < 15; y += 4) c.Dot(x, y, kInk);
}
void SnapToGrid(const Cell& c) {
    GridDots(c);
    c.Line(7, 3, 7, 11, kRed);
    c.Line(3, 7, 11, 7, kRed);
    c.Frame(5, 5, 9, 9, kRed);
}
void SnapToCorners(const Cell& c) {
    c.Box(1, 4, 10, 13, kPaper, kBlue);
    c.Line(10, 0, 10, 8, kRed);
    c.Line(6, 4, 14, 4, kRed);
    c.Frame(8, 2, 12, 6, kRed);
}
void ShowGrid(const Cell& c) {
    for (int i = 1; i < 16; i += 4) {
        c.Line(i, 1, i, 13, kGreyDark);
        c.Line(1, i, 13, i, kGreyDark);
    }
}
void Cube(const Cell& c, bool solid) {
    if (solid) {
        c.Fill(2, 5, 10, 13, kSky);
        for (int y = 2; y <= 4; ++y) c.Line(5 - y + 2 + 1, y, 13 - y + 2, y, kPaper);
        for (int x = 11; x <= 13; ++x) c.Line(x, 5 - (x - 10) + 1, x, 13 - (x - 10), kBlue);
    }
    c.Frame(2, 5, 10, 13, kInk);
    c.Line(2, 5, 5, 2, kInk);
    c.Line(10, 5, 13, 2, kInk);
    c.Line(10, 13, 13, 10, kInk);
    c.Line(5, 2, 13, 2, kInk);
    c.Line(13, 2, 13, 10, kInk);
    if (!solid) {
        c.Line(5, 2, 5, 10, kGreyDark);
        c.Line(5, 10, 13, 10, kGreyDark);
        c.Line(2, 13, 5, 10, kGreyDark);
    }
}
void Show3DView(const Cell& c) {
    Cube(c, true);
}
void Show2DView(const Cell& c) {
    c.Box(0, 1, 15, 13, kPaper, kNavy);
    c.Fill(1, 2, 14, 3, kNavy);
    c.Box(3, 6, 8, 11, kSky, kBlue);
    c.Line(6, 9, 12, 5, kInk);
    c.Ellipse(11, 10, 1.5, 1.5, kRed);
}
void Layers(const Cell& c) {
    const std::uint32_t colours[] = {kSky, kLime, kYellow};
    for (int layer = 0; layer < 3; ++layer) {
        const int y = 9 - 3 * layer;
        for (int row = 0; row < 4; ++row) c.Line(4 - row + 1, y + row, 14 - row, y + row, colours[layer]);
        c.Line(5, y, 14, y, kInk);
        c.Line(1, y + 4, 10, y + 4, kInk);
        c.Line(5, y, 1, y + 4, kInk);
        c.Line(14, y, 10, y + 4, kInk);
    }
}

// --- Tools ---------------------------------------------------------------------------------------

void Pointer(const Cell& c, int x0, int y0) {
    for (int row = 0; row < 9; ++row) c.Line(x0, y0 + row, x0 + row * 6 / 9, y0 + row, kPaper);
    c.Line(x0, y0, x0, y0 + 10, kInk);
    c.Line(x0, y0, x0 + 7, y0 + 7, kInk);
    c.Line(x0 + 7, y0 + 7, x0 + 4, y0 + 7, kInk);
    c.Line(x0, y0 + 10, x0 + 2, y0 + 8, kInk);
    c.Line(x0 + 3, y0 + 8, x0 + 5, y0 + 12, kInk);
    c.Line(x0 + 4, y0 + 7, x0 + 6, y0 + 11, kInk);
    c.Dot(x0 + 5, y0 + 12, kInk);
}
void Select(const Cell& c) {
    Pointer(c, 5, 1);
}
void RotateAroundOrigin(const Cell& c) {
    c.Line(6, 4, 6, 10, kRed);
    c.Line(3, 7, 9, 7, kRed);
    c.Arc(6, 7, 6, 6, kPi * 0.1, kPi * 1.5, kNavy);
    c.Head(6, 13, 1, 0, 3, kNavy);
}
void StraightTrack(const Cell& c) {
    c.StraightTrack(1, 12, 14, 2);
}
void CurveTrack(const Cell& c) {
    c.Track([](double t) {
        const double a = kPi * (0.5 - 0.5 * t);
        return std::pair{1.0 + 12.0 * std::cos(a) + 0.5, 13.0 - 11.0 * std::sin(a)};
    });
}
void OvalTrack(const Cell& c) {
    c.Track([](double t) {
        return std::pair{7.5 + 5.0 * std::cos(2 * kPi * t), 7.0 + 4.0 * std::sin(2 * kPi * t)};
    });
}
void SplineTrack(const Cell& c) {
    c.Track([](double t) { return std::pair{1.5 + 12.5 * t, 7.0 - 4.0 * std::sin(2 * kPi * t)}; });
}
void Pencil(const Cell& c, int x, int y) {
    for (int i = 0; i < 6; ++i) {
        c.Line(x + i + 1, y - i - 3, x + i + 3, y - i - 1, kYellow);
        c.Dot(x + i + 1, y - i - 3, kInk);
        c.Dot(x + i + 3, y - i - 1, kInk);
    }
    c.Line(x, y, x + 1, y - 2, kInk);
    c.Line(x, y, x + 2, y - 1, kInk);
    c.Fill(x + 7, y - 9, x + 8, y - 8, kRed);
}
void Sketch(const Cell& c) {
    for (int x = 1; x < 11; ++x) c.Dot(x, Cell::Round(11 + 2.5 * std::sin(x * 0.9)), kBlue);
    Pencil(c, 6, 12);
}
void DrawLine(const Cell& c) {
    c.Line(2, 12, 13, 2, kInk);
    c.Box(1, 11, 3, 13, kLime);
    c.Box(12, 1, 14, 3, kLime);
}
void DrawBox(const Cell& c) {
    c.Box(2, 3, 13, 12, kPaper);
}
void DrawRoundBox(const Cell& c) {
    c.Fill(3, 4, 12, 11, kPaper);
    c.Fill(2, 5, 13, 10, kPaper);
    c.Line(4, 3, 11, 3, kInk);
    c.Line(4, 12, 11, 12, kInk);
    c.Line(2, 5, 2, 10, kInk);
    c.Line(13, 5, 13, 10, kInk);
    for (const auto& [x, y] : {std::pair{3, 4}, std::pair{12, 4}, std::pair{3, 11}, std::pair{12, 11}})
        c.Dot(x, y, kInk);
}
void DrawArc(const Cell& c) {
    c.Arc(8, 12, 6, 9, 0, kPi, kInk);
    c.Dot(2, 12, kRed);
    c.Dot(14, 12, kRed);
}
void DrawCircle(const Cell& c) {
    c.Disc(7.5, 7, 5.6, kPaper);
    c.Ellipse(7.5, 7, 6, 6, kInk);
}
void DrawPolygon(const Cell& c) {
    const int x[] = {2, 8, 14, 11, 4};
    const int y[] = {6, 1, 5, 13, 12};
    for (int i = 0; i < 5; ++i) c.Line(x[i], y[i], x[(i + 1) % 5], y[(i + 1) % 5], kInk);
}
void DrawSpline(const Cell& c) {
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        c.Dot(Cell::Round(1 + 13 * t), Cell::Round(7 - 5 * std::sin(2 * kPi * t)), kInk);
    }
    c.Line(1, 7, 4, 1, kGreyDark);
    c.Line(14, 7, 11, 13, kGreyDark);
    c.Box(3, 0, 5, 2, kLime);
    c.Box(10, 12, 12, 14, kLime);
}
void DrawText(const Cell& c) {
    c.Line(3, 13, 7, 1, kInk);
    c.Line(4, 13, 8, 1, kInk);
    c.Line(8, 1, 12, 13, kInk);
    c.Line(9, 1, 13, 13, kInk);
    c.Line(5, 9, 11, 9, kInk);
    c.Line(2, 13, 5, 13, kInk);
    c.Line(11, 13, 14, 13, kInk);
}
void BitmapPicture(const Cell& c) {
    c.Box(0, 1, 15, 13, kSky);
    c.Disc(11, 4, 1.6, kYellow);
    for (int x = 1; x < 15; ++x) {
        const int top = 12 - std::max(0, 7 - std::abs(x - 5));
        c.Line(x, top, x, 12, kGreen);
    }
}
void SelectTrackChain(const Cell& c) {
    c.Track([](double t) { return std::pair{1.0 + 13.0 * t, 9.0 - 5.0 * std::sin(kPi * t)}; }, kBlue);
    c.Box(0, 8, 2, 10, kRed);
    c.Box(13, 8, 15, 10, kRed);
}
void TrackWizard(const Cell& c) {
    c.StraightTrack(0, 11, 15, 11);
    c.Track([](double t) { return std::pair{1.0 + 13.0 * t, 11.0 - 8.0 * t * t}; });
    for (const auto& [x, y] : {std::pair{4, 3}, std::pair{10, 1}, std::pair{13, 6}}) {
        c.Line(x - 1, y, x + 1, y, kRed);
        c.Line(x, y - 1, x, y + 1, kRed);
    }
}
void TrackEnds(const Cell& c) {
    c.StraightTrack(0, 12, 4, 12);
    c.StraightTrack(11, 2, 15, 2);
}
void ConnectSpline(const Cell& c) {
    TrackEnds(c);
    for (int i = 0; i <= 40; i += 3) {
        const double t = i / 40.0;
        c.Dot(Cell::Round(4 + 7 * t), Cell::Round(12 - 10 * (3 * t * t - 2 * t * t * t)), kRed);
    }
}
void ConnectCurveStraight(const Cell& c) {
    TrackEnds(c);
    c.Arc(4, 7, 5, 5, -kPi / 2, 0, kRed);
    c.Line(9, 7, 11, 2, kRed);
}
void CutTrack(const Cell& c) {
    c.StraightTrack(0, 7, 15, 7);
    c.Line(7, 0, 7, 14, kRed);
    c.Line(8, 0, 8, 14, kRed);
}
void ParallelTrack(const Cell& c) {
    c.StraightTrack(0, 4, 15, 4);
    c.StraightTrack(0, 11, 15, 11);
}
void Elevations(const Cell& c) {
    c.StraightTrack(0, 11, 10, 11);
    c.Arrow(13, 13, 13, 1, kRed);
}
void ChainElevations(const Cell& c) {
    c.StraightTrack(0, 13, 15, 4);
    c.Arrow(4, 7, 4, 1, kRed);
    c.Arrow(11, 4, 11, 0, kRed);
}
void Tree(const Cell& c, int x) {
    c.Fill(x - 1, 10, x, 14, kWood);
    c.Disc(x - 0.5, 6, 4.5, kGreen);
    c.Disc(x - 1.5, 5, 2, kLime);
}
void Insert3DBitmap(const Cell& c) {
    c.Frame(0, 0, 15, 14, kGreyDark);
    Tree(c, 8);
}
void House(const Cell& c) {
    c.Box(3, 7, 12, 14, kPaper);
    for (int row = 0; row < 6; ++row) c.Line(7 - row, 2 + row, 8 + row, 2 + row, kRed);
    c.Line(1, 8, 7, 2, kInk);
    c.Line(8, 2, 14, 8, kInk);
    c.Box(6, 10, 8, 14, kWood);
    c.Box(10, 9, 11, 10, kSky);
}
void Benchwork(const Cell& c) {
    c.Box(0, 4, 15, 6, kWood);
    c.Box(1, 7, 2, 14, kWood);
    c.Box(13, 7, 14, 14, kWood);
    c.Line(3, 10, 12, 10, kWood);
}
void Camera(const Cell& c) {
    c.Box(1, 4, 14, 13, kRail);
    c.Box(4, 2, 7, 4, kRail);
    c.Disc(8, 8.5, 3.2, kSky);
    c.Ellipse(8, 8.5, 3.5, 3.5, kInk);
    c.Dot(12, 6, kYellow);
}
void Terrain(const Cell& c) {
    for (int x = 0; x < 16; ++x) {
        const double h = std::max(4.0 + 5.0 * std::exp(-(x - 5) * (x - 5) / 8.0),
                                  3.0 + 7.0 * std::exp(-(x - 11) * (x - 11) / 6.0));
        c.Line(x, 14 - Cell::Round(h), x, 14, kGreen);
        c.Dot(x, 14 - Cell::Round(h), kInk);
    }
    c.Fill(10, 4, 11, 5, kPaper);
}
void Locomotive(const Cell& c, std::uint32_t body) {
    c.Box(1, 5, 10, 11, body);
    c.Box(8, 2, 13, 11, body);
    c.Box(10, 3, 12, 5, kSky);
    c.Box(2, 2, 3, 5, kInk);
    c.Line(0, 12, 15, 12, kRail);
    for (int x : {3, 7, 11}) {
        c.Disc(x, 12.5, 1.6, kInk);
    }
}
void RunTrain(const Cell& c) {
    Locomotive(c, kGreen);
}
void StopTrain(const Cell& c) {
    const int x[] = {5, 10, 14, 14, 10, 5, 1, 1};
    const int y[] = {0, 0, 4, 9, 13, 13, 9, 4};
    for (int row = 0; row <= 13; ++row) {
        const int inset = row < 4 ? 4 - row : row > 9 ? row - 9 : 0;
        c.Line(1 + inset, row, 14 - inset, row, kRed);
    }
    for (int i = 0; i < 8; ++i) c.Line(x[i], y[i], x[(i + 1) % 8], y[(i + 1) % 8], kMaroon);
    c.Fill(4, 6, 11, 7, kPaper);
}
void DimensionLine(const Cell& c) {
    c.Line(1, 3, 1, 12, kInk);
    c.Line(14, 3, 14, 12, kInk);
    c.Line(2, 7, 13, 7, kBlue);
    c.Head(2, 7, -1, 0, 3, kBlue);
    c.Head(13, 7, 1, 0, 3, kBlue);
}
void DimensionAngle(const Cell& c) {
    c.Line(1, 13, 14, 13, kInk);
    c.Line(1, 13, 11, 1, kInk);
    c.Arc(1, 13, 9, 9, 0.05, 0.85, kBlue);
    c.Head(10, 12, 0, 1, 2, kBlue);
}
void MeasureLine(const Cell& c) {
    c.Box(0, 5, 15, 10, kYellow);
    for (int x = 2; x < 15; x += 2) c.Line(x, 6, x, x % 4 == 2 ? 8 : 7, kInk);
}
void MeasureBox(const Cell& c) {
    for (int x = 1; x <= 14; x += 2) {
        c.Dot(x, 2, kBlue);
        c.Dot(x, 12, kBlue);
    }
    for (int y = 2; y <= 12; y += 2) {
        c.Dot(1, y, kBlue);
        c.Dot(14, y, kBlue);
    }
    c.Fill(4, 5, 11, 9, kYellow);
    c.Frame(4, 5, 11, 9, kInk);
}
void Book(const Cell& c) {
    c.Box(1, 2, 9, 14, kMaroon);
    c.Line(3, 2, 3, 14, kInk);
    c.Fill(5, 4, 8, 5, kYellow);
}
void GetFromLibrary(const Cell& c) {
    Book(c);
    c.Arrow(7, 9, 15, 9, kGreen);
}
void PutIntoLibrary(const Cell& c) {
    Book(c);
    c.Arrow(15, 9, 7, 9, kBlue);
}
void MaterialsReport(const Cell& c) {
    Page(c, 2, 0, 13, 14);
    TextLines(c, 4, 11, 4, 12);
    c.Line(4, 12, 8, 12, kInk);
}
void PartsList(const Cell& c) {
    c.Box(1, 0, 14, 14, kPaper);
    for (int y = 3; y <= 11; y += 4) {
        c.Fill(3, y - 1, 4, y, kRed);
        c.Line(6, y, 12, y, kInk);
    }
}

// --- The 3D view ---------------------------------------------------------------------------------

void Wireframe(const Cell& c) {
    Cube(c, false);
}
void Sun(const Cell& c, std::uint32_t body, std::uint32_t rays) {
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        c.Line(Cell::Round(7.5 + 5 * std::cos(a)), Cell::Round(7 + 5 * std::sin(a)),
               Cell::Round(7.5 + 7 * std::cos(a)), Cell::Round(7 + 7 * std::sin(a)), rays);
    }
    c.Disc(7.5, 7, 3.7, body);
    c.Ellipse(7.5, 7, 4, 4, kInk);
}
void Lighten(const Cell& c) {
    Sun(c, kYellow, kOlive);
}
void Darken(const Cell& c) {
    Sun(c, kGreyDark, kRail);
}
void ResetCamera(const Cell& c) {
    Camera(c);
    c.Fill(6, 7, 10, 10, kPaper);
    c.Line(6, 7, 6, 10, kInk);
    c.Line(6, 7, 10, 7, kInk);
}
void Eye(const Cell& c, int cy) {
    c.Arc(7.5, cy + 4, 7, 7, kPi * 0.25, kPi * 0.75, kInk);
    c.Arc(7.5, cy - 4, 7, 7, kPi * 1.25, kPi * 1.75, kInk);
    c.Disc(7.5, cy, 2, kBlue);
    c.Dot(7, cy - 1, kPaper);
}
void BirdsEye(const Cell& c) {
    Eye(c, 3);
    for (int row = 0; row < 4; ++row) c.Line(3 - row, 10 + row, 13 - row, 10 + row, kLime);
    c.Frame(0, 10, 13, 13, kGreen);
}
void ViewFrom(const Cell& c, int dx, int dy) {
    c.Box(5, 4, 10, 10, kSky);
    if (dx != 0)
        c.Arrow(dx < 0 ? 0 : 15, 7, dx < 0 ? 4 : 11, 7, kRed);
    else
        c.Arrow(7, dy < 0 ? 14 : 0, 7, dy < 0 ? 11 : 3, kRed);
}
void LeftSide(const Cell& c) {
    ViewFrom(c, -1, 0);
}
void RightSide(const Cell& c) {
    ViewFrom(c, 1, 0);
}
void Front(const Cell& c) {
    ViewFrom(c, 0, -1);
}
void Back(const Cell& c) {
    ViewFrom(c, 0, 1);
}
void MoveForward(const Cell& c) {
    c.Arrow(7, 14, 7, 1, kGreen);
}
void MoveBackward(const Cell& c) {
    c.Arrow(7, 0, 7, 13, kGreen);
}
// Up from the bottom, then round to the side the camera turns to.
void TurnArrow(const Cell& c, bool left) {
    const auto x = [left](int v) { return left ? v : 15 - v; };
    for (int shaft : {10, 11}) {
        c.Line(x(shaft), 14, x(shaft), 8, kGreen);
        c.Arc(x(6), 8, shaft - 6, shaft - 6, left ? 0 : kPi / 2, left ? kPi / 2 : kPi, kGreen);
    }
    c.Head(x(2), 3, left ? -1 : 1, 0, 4, kGreen);
    c.Line(x(3), 3, x(6), 3, kGreen);
}
void TurnLeft(const Cell& c) {
    TurnArrow(c, true);
}
void TurnRight(const Cell& c) {
    TurnArrow(c, false);
}
void Ground(const Cell& c) {
    c.Line(0, 14, 15, 14, kOlive);
}
void MoveUp(const Cell& c) {
    Ground(c);
    c.Arrow(7, 12, 7, 1, kBlue);
}
void MoveDown(const Cell& c) {
    Ground(c);
    c.Arrow(7, 0, 7, 12, kBlue);
}
void MoveLeft(const Cell& c) {
    c.Arrow(14, 7, 1, 7, kBlue);
}
void MoveRight(const Cell& c) {
    c.Arrow(1, 7, 14, 7, kBlue);
}
void LookDown(const Cell& c) {
    Eye(c, 3);
    c.Arrow(7, 7, 7, 14, kRed);
}
void LookUp(const Cell& c) {
    Eye(c, 11);
    c.Arrow(7, 7, 7, 0, kRed);
}
void Tilt(const Cell& c, bool left) {
    for (int x = 0; x < kIconWidth; ++x) {
        const int horizon = left ? 12 - (x * 9) / 15 : 3 + (x * 9) / 15;
        c.Line(x, horizon, x, 14, kLime);
        c.Dot(x, horizon, kGreen);
    }
    c.Arc(7.5, 7.5, 6, 6, left ? kPi * 0.55 : kPi * 0.1, left ? kPi * 0.9 : kPi * 0.45, kRed);
    if (left)
        c.Head(2, 5, 0, 1, 3, kRed);
    else
        c.Head(13, 5, 0, 1, 3, kRed);
}
void TiltLeft(const Cell& c) {
    Tilt(c, true);
}
void TiltRight(const Cell& c) {
    Tilt(c, false);
}

const std::map<UINT, IconPainter>& Painters() {
    static const std::map<UINT, IconPainter> painters{
        {ID_FILE_NEW, New},
        {ID_FILE_OPEN, Open},
        {ID_FILE_SAVE, Save},
        {ID_FILE_PRINT_PREVIEW, PrintPreview},
        {ID_FILE_PRINT, Print},
        {ID_EDIT_CUT, Cut},
        {ID_EDIT_COPY, Copy},
        {ID_EDIT_PASTE, Paste},
        {ID_EDIT_UNDO, Undo},
        {ID_TOOL_ZOOM_IN, ZoomIn},
        {ID_TOOL_ZOOM_OUT, ZoomOut},
        {ID_BRING_TO_FRONT, BringToFront},
        {ID_SEND_TO_BACK, SendToBack},
        {ID_GROUP, Group},
        {ID_UNGROUP, Ungroup},
        {ID_ROTATE_RIGHT, RotateRight},
        {ID_ROTATE_LEFT, RotateLeft},
        {ID_FLIP_2D_VERTICAL, FlipVertical},
        {ID_FLIP_2D_HORIZONTAL, FlipHorizontal},
        {ID_TRACK_SNAP, TrackSnap},
        {ID_SNAP_TO_GRID, SnapToGrid},
        {ID_SNAP_TO_OBJECT_CORNERS, SnapToCorners},
        {ID_SHOW_GRID, ShowGrid},
        {ID_SHOW_3D_VIEW, Show3DView},
        {ID_WINDOW_NEW, Show2DView},
        {ID_LAYERS, Layers},
        {ID_TOOL_SELECTOR, Select},
        {ID_TOOL_ROTATE_AROUND_ORIGIN, RotateAroundOrigin},
        {ID_TOOL_STRAIGHT_TRACK, StraightTrack},
        {ID_TOOL_CURVE_TRACK, CurveTrack},
        {ID_TOOL_OVAL_TRACK, OvalTrack},
        {ID_TOOL_SPLINE_TRACK, SplineTrack},
        {ID_TOOL_SKETCH, Sketch},
        {ID_TOOL_LINE, DrawLine},
        {ID_TOOL_BOX, DrawBox},
        {ID_TOOL_ROUND_BOX, DrawRoundBox},
        {ID_TOOL_ARC, DrawArc},
        {ID_TOOL_OVAL, DrawCircle},
        {ID_TOOL_POLYGON, DrawPolygon},
        {ID_TOOL_SPLINE, DrawSpline},
        {ID_TOOL_TEXT, DrawText},
        {ID_TOOL_BITMAP_PICTURE, BitmapPicture},
        {ID_SELECT_TRACK_CHAIN, SelectTrackChain},
        {ID_TRACK_WIZARD, TrackWizard},
        {ID_CONNECT_USING_SPLINE, ConnectSpline},
        {ID_CONNECT_USING_CURVE_STRAIGHT, ConnectCurveStraight},
        {ID_CUT_TRACK, CutTrack},
        {ID_CREATE_PARALLEL_TRACK, ParallelTrack},
        {ID_SET_SELECTED_TRACK_ELEVATIONS, Elevations},
        {ID_CHAIN_TRACK_ELEVATIONS, ChainElevations},
        {ID_TOOL_3D_BITMAP, Insert3DBitmap},
        {ID_TOOL_3D_OBJECT, House},
        {ID_TOOL_BENCHWORK, Benchwork},
        {ID_TOOL_CAMERA, Camera},
        {ID_TOOL_TERRAIN, Terrain},
        {ID_TOOL_RUN_TEST_TRAIN, RunTrain},
        {ID_STOP_TEST_TRAIN, StopTrain},
        {ID_TOOL_DIMENSION_LINE, DimensionLine},
        {ID_TOOL_DIMENSION_ANGLE, DimensionAngle},
        {ID_TOOL_MEASURE_LINE, MeasureLine},
        {ID_TOOL_MEASURE_BOX, MeasureBox},
        {ID_LIBRARY_GET_OBJECT, GetFromLibrary},
        {ID_LIBRARY_PUT_SELECTION, PutIntoLibrary},
        {ID_MATERIALS_REPORT, MaterialsReport},
        {ID_PARTS_LIST, PartsList},
        {ID_3D_WIREFRAME, Wireframe},
        {ID_LIGHTEN, Lighten},
        {ID_DARKEN, Darken},
        {ID_CAMERA_RESET, ResetCamera},
        {ID_VIEW_BIRDS_EYE, BirdsEye},
        {ID_VIEW_LEFT_SIDE, LeftSide},
        {ID_VIEW_RIGHT_SIDE, RightSide},
        {ID_VIEW_FRONT, Front},
        {ID_VIEW_BACK, Back},
        {ID_CAMERA_MOVE_FORWARD, MoveForward},
        {ID_CAMERA_MOVE_BACKWARD, MoveBackward},
        {ID_CAMERA_TURN_LEFT, TurnLeft},
        {ID_CAMERA_TURN_RIGHT, TurnRight},
        {ID_CAMERA_MOVE_UP, MoveUp},
        {ID_CAMERA_MOVE_DOWN, MoveDown},
        {ID_CAMERA_MOVE_LEFT, MoveLeft},
        {ID_CAMERA_MOVE_RIGHT, MoveRight},
        {ID_CAMERA_LOOK_DOWN, LookDown},
        {ID_CAMERA_LOOK_UP, LookUp},
        {ID_CAMERA_TILT_LEFT, TiltLeft},
        {ID_CAMERA_TILT_RIGHT, TiltRight},
    };
    return painters;
}
}  // namespace

bool HasCommandIcon(UINT command) {
    return Painters().count(command) != 0;
}

void DrawCommandIcon(PixelSurface& strip, int left, UINT command) {
    const auto found = Painters().find(command);
    if (found != Painters().end())
        found->second(Cell(strip, left));
}
