#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"

// The fast paths (one-pixel lines, solid fills, plain copies) against the general way, on the same
// drawing calls: every pixel of the surface must come out the same.
namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 110;

enum class Target { Colour, Monochrome, Window };
enum class Mapping { Text, Lometric, Anisotropic };
enum class Clip { None, Rectangle, Complex };

struct DrawingSetup {
    Target target;
    Mapping mapping;
    Clip clip;
};

std::vector<DrawingSetup> EverySetup() {
    std::vector<DrawingSetup> setups;
    for (Target t : {Target::Colour, Target::Monochrome, Target::Window})
        for (Mapping m : {Mapping::Text, Mapping::Lometric, Mapping::Anisotropic})
            for (Clip c : {Clip::None, Clip::Rectangle, Clip::Complex}) setups.push_back({t, m, c});
    return setups;
}

std::string Describe(const DrawingSetup& s) {
    return "target " + std::to_string(static_cast<int>(s.target)) + ", mapping " +
           std::to_string(static_cast<int>(s.mapping)) + ", clip " + std::to_string(static_cast<int>(s.clip));
}

// A DC over a surface of noise, mapped and clipped as the setup says.
class Side {
  public:
    Side(const DrawingSetup& setup, bool fast) {
        const bool mono = setup.target == Target::Monochrome;
        if (setup.target == Target::Window) {
            // A window's DC: its client area sits inside a larger surface, off the corner.
            m_surface = std::make_shared<PixelSurface>(kWidth + 30, kHeight + 20);
            dc.AttachSurface(m_surface, CPoint(17, 9), CRect(0, 0, kWidth, kHeight));
        } else {
            dc.CreateCompatibleDC(nullptr);
            m_bitmap.CreateBitmap(kWidth, kHeight, 1, mono ? 1 : 32, nullptr);
            dc.SelectObject(&m_bitmap);
            m_surface = m_bitmap.Surface();
        }
        std::mt19937 noise(7);
        for (int y = 0; y < m_surface->Height(); ++y)
            for (int x = 0; x < m_surface->Width(); ++x)
                m_surface->Set(x, y, mono ? (noise() & 1) * 0xFFFFFFu : noise() & 0xFFFFFF);
        Map(setup.mapping);
        ClipTo(setup.clip);
        dc.EnableFastPaths(fast);
    }

    const std::vector<std::uint32_t> Pixels() const {
        return {m_surface->Data(), m_surface->Data() + m_surface->Width() * m_surface->Height()};
    }
    PixelSurface& Surface() { return *m_surface; }

    CDC dc;

  private:
    void Map(Mapping mapping) {
        switch (mapping) {
            case Mapping::Text:
                dc.SetWindowOrg(-3, 5);
                break;
            case Mapping::Lometric:
                dc.SetMapMode(MM_LOMETRIC);
                dc.SetViewportOrg(4, kHeight - 6);
                break;
            case Mapping::Anisotropic:
                dc.SetMapMode(MM_ANISOTROPIC);
                dc.SetWindowExt(7, -13);
                dc.SetViewportExt(23, 9);
                dc.SetWindowOrg(-5, 3);
                dc.SetViewportOrg(11, 17);
                break;
        }
    }

    void ClipTo(Clip clip) {
        if (clip == Clip::None)
            return;
        CRgn region;
        region.CreateRectRgn(12, 9, kWidth - 20, kHeight - 14);
        if (clip == Clip::Complex) {
            const POINT star[] = {{75, 2}, {100, 100}, {10, 35}, {140, 35}, {45, 100}};
            CRgn starRegion, both;
            starRegion.CreatePolygonRgn(star, 5, ALTERNATE);
            both.CreateRectRgn(0, 0, 1, 1);
            both.CombineRgn(&region, &starRegion, RGN_XOR);
            dc.SelectClipRgn(&both);
            dc.ExcludeClipRect(60, 40, 70, 80);
            return;
        }
        dc.SelectClipRgn(&region);
    }

    std::shared_ptr<PixelSurface> m_surface;
    CBitmap m_bitmap;
};

// The same setup twice, one side drawing the fast way and one the general way.
class Twins {
  public:
    explicit Twins(const DrawingSetup& setup)
        : m_fast(setup, true), m_general(setup, false), m_start(m_fast.Pixels()) {}

    template <typename Draw>
    void Both(Draw&& draw) {
        draw(m_fast.dc);
        draw(m_general.dc);
    }
    bool Same() const { return m_fast.Pixels() == m_general.Pixels(); }
    bool Changed() const { return m_fast.Pixels() != m_start; }
    // A logical point near device point (x, y).
    POINT Logical(int x, int y) {
        POINT p{x, y};
        m_fast.dc.DPtoLP(&p);
        return p;
    }
    Side& Fast() { return m_fast; }
    Side& General() { return m_general; }

  private:
    Side m_fast;
    Side m_general;
    std::vector<std::uint32_t> m_start;
};

COLORREF RandomColor(std::mt19937& random) {
    return random() & 0xFFFFFF;
}

int Between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

// v moved by d, held within the range of device coordinates.
int Moved(LONG v, int d) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(v) + d, -2147483647, 2147483647));
}

// Segment ends of every kind: short steps on from the current position, long, steep, zero-length,
// off the surface, and logical coordinates so large that the device ones saturate.
POINT NextEnd(Twins& twins, std::mt19937& random, CPoint current) {
    switch (Between(random, 0, 7)) {
        case 0:
        case 1:
        case 2: {
            POINT device = current;
            twins.Fast().dc.LPtoDP(&device);
            return twins.Logical(Moved(device.x, Between(random, -3, 3)),
                                 Moved(device.y, Between(random, -3, 3)));
        }
        case 3:
            return twins.Logical(Between(random, -2 * kWidth, 3 * kWidth),
                                 Between(random, -2 * kHeight, 3 * kHeight));
        case 4: {
            POINT device = current;
            twins.Fast().dc.LPtoDP(&device);
            return twins.Logical(Moved(device.x, Between(random, -1, 1)),
                                 Between(random, -kHeight, 2 * kHeight));
        }
        case 5:
            return current;
        case 6:
            return twins.Logical(Between(random, -100000, 100000), Between(random, -100000, 100000));
        default:
            return {Between(random, -2147483647, 2147483647), Between(random, -2147483647, 2147483647)};
    }
}

// Pens that are one pixel wide on the device (width 0, 1, a few tenths of a millimetre, inside-frame)
// and some that are not (wide, dotted, null), which take the general way on both sides.
LOGPEN RandomPen(std::mt19937& random) {
    static const LOGPEN pens[] = {{PS_SOLID, {0, 0}, 0},       {PS_SOLID, {1, 0}, 0}, {PS_SOLID, {3, 0}, 0},
                                  {PS_INSIDEFRAME, {1, 0}, 0}, {PS_SOLID, {2, 0}, 0}, {PS_DOT, {0, 0}, 0},
                                  {PS_NULL, {1, 0}, 0},        {PS_SOLID, {0, 0}, 0}};
    LOGPEN pen = pens[Between(random, 0, 7)];
    pen.lopnColor = RandomColor(random);
    return pen;
}

// Mostly the copying pen, now and then any other raster operation.
int RandomRop(std::mt19937& random) {
    return Between(random, 0, 3) == 0 ? Between(random, R2_BLACK, R2_WHITE) : R2_COPYPEN;
}

}  // namespace

TEST(FastPaths, OnePixelLinesPickTheGeneralPixels) {
    std::mt19937 random(34);
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        for (int segment = 0; segment < 700; ++segment) {
            const CPoint from = twins.Fast().dc.GetCurrentPosition();
            const POINT to = NextEnd(twins, random, from);
            LOGPEN logPen = RandomPen(random);
            CPen pen;
            pen.CreatePenIndirect(&logPen);
            const int rop2 = RandomRop(random);
            const bool jump = Between(random, 0, 9) == 0;
            twins.Both([&](CDC& dc) {
                dc.SelectObject(&pen);
                dc.SetROP2(rop2);
                if (jump)
                    dc.MoveTo(to);
                else
                    dc.LineTo(to);
            });
            ASSERT_TRUE(twins.Same())
                << Describe(setup) << ", segment " << segment << " from (" << from.x << ", " << from.y
                << ") to (" << to.x << ", " << to.y << "), rop " << rop2;
            twins.Both([](CDC& dc) { dc.SelectStockObject(BLACK_PEN); });
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}

// A line whose ends the caller mapped to pixels draws as MoveTo and LineTo would, with every pen,
// inside a path too, and leaves the same current position.
TEST(FastPaths, LinesBetweenMappedEndsDrawAsMoveToAndLineTo) {
    std::mt19937 random(38);
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        for (int segment = 0; segment < 300; ++segment) {
            const POINT from = NextEnd(twins, random, twins.Fast().dc.GetCurrentPosition());
            const POINT to = NextEnd(twins, random, from);
            LOGPEN logPen = RandomPen(random);
            logPen.lopnWidth.x = Between(random, 0, 2) == 0 ? Between(random, 2, 12) : logPen.lopnWidth.x;
            CPen pen;
            pen.CreatePenIndirect(&logPen);
            const int rop2 = RandomRop(random);
            const bool inPath = Between(random, 0, 9) == 0;
            twins.Both([&](CDC& dc) {
                dc.SelectObject(&pen);
                dc.SetROP2(rop2);
                if (inPath)
                    dc.BeginPath();
                if (dc.FastPathsEnabled()) {
                    POINT pixels[2] = {from, to};
                    dc.LPtoDP(pixels, 2);
                    dc.LineBetween(from, to, pixels[0], pixels[1]);
                } else {
                    dc.MoveTo(from);
                    dc.LineTo(to);
                }
                if (inPath) {
                    dc.EndPath();
                    dc.StrokePath();
                }
                dc.SelectStockObject(BLACK_PEN);
            });
            ASSERT_TRUE(twins.Same())
                << Describe(setup) << ", segment " << segment << " from (" << from.x << ", " << from.y
                << ") to (" << to.x << ", " << to.y << "), rop " << rop2 << ", in a path " << inPath;
            ASSERT_EQ(twins.Fast().dc.GetCurrentPosition(), twins.General().dc.GetCurrentPosition());
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}

// Small thin circles and arcs, such as the handles' markers, are stamped from shapes drawn once:
// at every place, partly off the surface, with every size on both sides of the reach kept and
// radial points near and far.
TEST(FastPaths, SmallThinArcsPickTheGeneralPixels) {
    std::mt19937 random(39);
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        for (int arc = 0; arc < 250; ++arc) {
            const POINT corner{Between(random, -40, kWidth + 10), Between(random, -40, kHeight + 10)};
            const int reach = Between(random, 0, 4) == 0 ? 90 : 24;
            const POINT far{corner.x + Between(random, 0, reach), corner.y + Between(random, 0, reach)};
            const int spread = Between(random, 0, 4) == 0 ? 200 : 30;
            auto radial = [&] {
                return twins.Logical(corner.x + Between(random, -spread, spread),
                                     corner.y + Between(random, -spread, spread));
            };
            const POINT a = twins.Logical(corner.x, corner.y), b = twins.Logical(far.x, far.y);
            const POINT start = radial();
            const POINT end = Between(random, 0, 2) == 0 ? start : radial();
            LOGPEN logPen = RandomPen(random);
            CPen pen;
            pen.CreatePenIndirect(&logPen);
            const int rop2 = RandomRop(random);
            twins.Both([&](CDC& dc) {
                dc.SelectObject(&pen);
                dc.SetROP2(rop2);
                dc.Arc(a.x, a.y, b.x, b.y, start.x, start.y, end.x, end.y);
                dc.SelectStockObject(BLACK_PEN);
            });
            ASSERT_TRUE(twins.Same()) << Describe(setup) << ", arc " << arc << " in (" << a.x << ", " << a.y
                                      << ") - (" << b.x << ", " << b.y << "), rop " << rop2;
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}

namespace {

// One line with the pen and raster operation on both sides.
void LineOnBoth(Twins& twins, CPen& pen, int rop2, POINT from, POINT to) {
    twins.Both([&](CDC& dc) {
        dc.SelectObject(&pen);
        dc.SetROP2(rop2);
        dc.MoveTo(from);
        dc.LineTo(to);
        dc.SelectStockObject(BLACK_PEN);
    });
}

}  // namespace

// Short wide lines are stamped from shapes drawn once: at every place, with every end cap, join,
// width up to the widest kept and beyond, and lengths on both sides of the reach kept.
TEST(FastPaths, ShortWideLinesPickTheGeneralPixels) {
    std::mt19937 random(37);
    const UINT caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
    const UINT joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        for (int segment = 0; segment < 300; ++segment) {
            const POINT device{Between(random, -30, kWidth + 30), Between(random, -30, kHeight + 30)};
            const int reach = Between(random, 0, 3) == 0 ? 40 : 6;
            const POINT from = twins.Logical(device.x, device.y);
            const POINT to = twins.Logical(device.x + Between(random, -reach, reach),
                                           device.y + Between(random, -reach, reach));
            const UINT style = (Between(random, 0, 4) == 0 ? PS_DOT : PS_SOLID) |
                               caps[Between(random, 0, 2)] | joins[Between(random, 0, 2)];
            CPen pen(static_cast<int>(style), Between(random, 2, 20), RandomColor(random));
            const int rop2 = RandomRop(random);
            LineOnBoth(twins, pen, rop2, from, to);
            ASSERT_TRUE(twins.Same())
                << Describe(setup) << ", segment " << segment << " from (" << from.x << ", " << from.y
                << ") to (" << to.x << ", " << to.y << "), style " << style << ", rop " << rop2;
        }
        // As joint markers come: runs of the same shape, and shapes that differ only in width,
        // cap or direction one after the other.
        CPen wide(PS_SOLID, 4, RGB(255, 0, 0));
        CPen wider(PS_SOLID | PS_ENDCAP_FLAT, 5, RGB(0, 0, 255));
        for (int marker = 0; marker < 200; ++marker) {
            const int x = Between(random, 0, kWidth), y = Between(random, 0, kHeight);
            const int dx = marker / 50 % 2 == 0 ? 2 : (marker % 2 == 0 ? 1 : -1);
            const POINT from = twins.Logical(x, y), to = twins.Logical(x + dx, y + marker % 3);
            CPen& pen = marker / 100 == 0 || marker % 2 == 0 ? wide : wider;
            LineOnBoth(twins, pen, R2_COPYPEN, from, to);
            ASSERT_TRUE(twins.Same()) << Describe(setup) << ", marker " << marker;
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}

TEST(FastPaths, SolidFillsPickTheGeneralPixels) {
    std::mt19937 random(35);
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        for (int fill = 0; fill < 150; ++fill) {
            const bool huge = Between(random, 0, 9) == 0;
            // Huge rectangles stay within a billion of the origin, so that their extents are ints.
            const POINT a =
                huge ? POINT{Between(random, -1000000000, 0), Between(random, -1000000000, 0)}
                     : twins.Logical(Between(random, -40, kWidth + 20), Between(random, -40, kHeight + 20));
            const POINT b =
                huge ? POINT{Between(random, 0, 1000000000), Between(random, 0, 1000000000)}
                     : twins.Logical(Between(random, -20, kWidth + 40), Between(random, -20, kHeight + 40));
            const CRect rect(a, b);
            const COLORREF color = RandomColor(random);
            const int kind = Between(random, 0, 5);
            CBrush solid(color), hatched(HS_DIAGCROSS, color);
            CRgn region;
            region.CreateRectRgn(Between(random, -10, kWidth), Between(random, -10, kHeight),
                                 Between(random, 0, kWidth + 10), Between(random, 0, kHeight + 10));
            twins.Both([&](CDC& dc) {
                switch (kind) {
                    case 0:
                        dc.FillSolidRect(a.x, a.y, b.x - a.x, b.y - a.y, color);
                        break;
                    case 1:
                        dc.FillRect(&rect, &solid);
                        break;
                    case 2:
                        dc.FrameRect(&rect, &solid);
                        break;
                    case 3:
                        dc.FillRgn(&region, &solid);
                        break;
                    case 4:
                        dc.FillRect(&rect, &hatched);
                        break;
                    default:
                        dc.InvertRect(&rect);
                        break;
                }
            });
            ASSERT_TRUE(twins.Same()) << Describe(setup) << ", fill " << fill << " of kind " << kind;
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}

TEST(FastPaths, PlainCopiesPickTheGeneralPixels) {
    std::mt19937 random(36);
    for (const DrawingSetup& setup : EverySetup()) {
        Twins twins(setup);
        // Sources: a colour picture, a monochrome one, and each side's own surface.
        CDC colour, mono;
        CBitmap colourBits, monoBits;
        colour.CreateCompatibleDC(nullptr);
        colourBits.CreateBitmap(90, 70, 1, 32, nullptr);
        colour.SelectObject(&colourBits);
        mono.CreateCompatibleDC(nullptr);
        monoBits.CreateBitmap(90, 70, 1, 1, nullptr);
        mono.SelectObject(&monoBits);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 90; ++x) {
                colourBits.Surface()->Set(x, y, random() | 0xFF000000u);  // stray high bytes are not copied
                monoBits.Surface()->Set(x, y, (random() & 1) * 0xFFFFFFu);
            }
        for (int blit = 0; blit < 150; ++blit) {
            const POINT at = twins.Logical(Between(random, -40, kWidth), Between(random, -40, kHeight));
            const POINT end =
                twins.Logical(Between(random, -20, kWidth + 30), Between(random, -20, kHeight + 30));
            const int xSrc = Between(random, -30, 100), ySrc = Between(random, -30, 80);
            const int kind = Between(random, 0, 5);
            const DWORD rop = Between(random, 0, 4) == 0 ? SRCINVERT : SRCCOPY;
            twins.Both([&](CDC& dc) {
                const int w = end.x - at.x, h = end.y - at.y;
                switch (kind) {
                    case 0:
                    case 1:
                        dc.BitBlt(at.x, at.y, w, h, &colour, xSrc, ySrc, rop);
                        break;
                    case 2:
                        dc.BitBlt(at.x, at.y, w, h, &mono, xSrc, ySrc, rop);
                        break;
                    case 3:
                        dc.BitBlt(at.x, at.y, w, h, &dc, xSrc, ySrc, rop);
                        break;
                    case 4:
                        dc.StretchBlt(at.x, at.y, w, h, &colour, xSrc, ySrc, w, h, rop);
                        break;
                    default:
                        dc.StretchBlt(at.x, at.y, w, h, &colour, xSrc + w, ySrc, -w, h, rop);
                        break;
                }
            });
            ASSERT_TRUE(twins.Same())
                << Describe(setup) << ", copy " << blit << " of kind " << kind << ", rop " << rop;
        }
        EXPECT_TRUE(twins.Changed()) << Describe(setup);
    }
}
