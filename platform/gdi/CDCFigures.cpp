#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CDCState.h"
#include "platform/gdi/PixelLine.h"
#include "platform/gdi/RasterOps.h"
#include "platform/gdi/SystemColors.h"

namespace {

// Cosmetic dash patterns in pixels, on then off.
std::vector<int> DashPattern(UINT style) {
    switch (style & PS_STYLE_MASK) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

long long RoundedStep(long long i, long long delta, long long steps) {
    const long long numerator = 2 * i * delta;
    const long long q =
        numerator >= 0 ? (numerator + steps) / (2 * steps) : -((-numerator + steps) / (2 * steps));
    return q;
}

// Pixels of thin lines: on-pixels and, for styled pens, the gaps.
class ThinLines {
  public:
    ThinLines(const CRect& limit, std::vector<int> dashes) : m_limit(limit), m_dashes(std::move(dashes)) {
        for (int d : m_dashes) m_period += d;
    }

    // The segment from a to b without the pixel at b, each step rounded by division.
    void Segment(POINT a, POINT b) {
        const PixelLine line(a, b, m_limit);
        for (long long i = line.First(); i <= line.Last(); ++i) {
            const int x = static_cast<int>(a.x + RoundedStep(i, line.DeltaX(), line.Steps()));
            const int y = static_cast<int>(a.y + RoundedStep(i, line.DeltaY(), line.Steps()));
            Plot(x, y, m_phase + i);
        }
        m_phase += line.Steps();
    }

    const std::vector<POINT>& On() const { return m_on; }
    const std::vector<POINT>& Off() const { return m_off; }

  private:
    void Plot(int x, int y, long long phase) {
        if (!m_limit.PtInRect(CPoint(x, y)))
            return;
        if (m_period == 0 || IsDash(phase)) {
            m_on.push_back({x, y});
        } else {
            m_off.push_back({x, y});
        }
    }

    bool IsDash(long long phase) const {
        int at = static_cast<int>(phase % m_period);
        for (std::size_t i = 0; i < m_dashes.size(); ++i) {
            if (at < m_dashes[i])
                return i % 2 == 0;
            at -= m_dashes[i];
        }
        return true;
    }

    CRect m_limit;
    std::vector<int> m_dashes;
    int m_period = 0;
    long long m_phase = 0;
    std::vector<POINT> m_on;
    std::vector<POINT> m_off;
};

POINT RoundPoint(PointD p) {
    const auto toInt = [](double v) { return static_cast<LONG>(std::clamp(std::floor(v + 0.5), -1e9, 1e9)); };
    return {toInt(p.x), toInt(p.y)};
}

void StrokeThinly(ThinLines& lines, const DevicePath& path) {
    for (const auto& polyline : FlattenPath(path)) {
        for (std::size_t i = 0; i + 1 < polyline.size(); ++i)
            lines.Segment(RoundPoint(polyline[i]), RoundPoint(polyline[i + 1]));
    }
}

// An arc (kind 0), pie (1) or chord (2) inside the device box, from the direction of s to that of e.
void AddDeviceArc(DevicePath& path, int kind, const CRect& box, CPoint s, CPoint e) {
    const double cx = (box.left + box.right - 1) / 2.0, cy = (box.top + box.bottom - 1) / 2.0;
    const double rx = std::max((box.Width() - 1) / 2.0, 0.5), ry = std::max((box.Height() - 1) / 2.0, 0.5);
    const double a1 = std::atan2((s.y - cy) / ry, (s.x - cx) / rx);
    double a2 = std::atan2((e.y - cy) / ry, (e.x - cx) / rx);
    if (a2 >= a1)
        a2 -= 2 * std::numbers::pi;  // counterclockwise on the device: decreasing angles
    if (kind == 1)
        path.MoveTo(cx, cy);
    path.ArcTo(cx, cy, rx, ry, a1, a2, false);
    if (kind != 0)
        path.Close();
}

// Small thin arcs, such as the handles' circles, kept by their box's size and their end points
// relative to its corner.
constexpr int kThinArcReach = 64;
constexpr LONG kThinArcFarthest = 100000000;
constexpr std::size_t kMostThinArcs = 1 << 12;

CPoint FromCorner(CPoint p, CPoint corner) {
    return CPoint(p.x - corner.x, p.y - corner.y);
}

bool NearCorner(CPoint p, CPoint corner) {
    return std::abs(p.x - corner.x) <= kThinArcReach && std::abs(p.y - corner.y) <= kThinArcReach;
}

// The pixels the general stroke of a one-pixel pen sets for the arc, in the order it sets them.
const std::vector<POINT>& ThinArcStamp(CSize size, CPoint start, CPoint end) {
    static thread_local std::unordered_map<std::uint64_t, std::vector<POINT>> kept;
    const auto field = [](LONG v, int shift) {
        return static_cast<std::uint64_t>(v + kThinArcReach) << shift;
    };
    const std::uint64_t key = field(size.cx, 0) | field(size.cy, 8) | field(start.x, 16) |
                              field(start.y, 24) | field(end.x, 32) | field(end.y, 40);
    if (auto found = kept.find(key); found != kept.end())
        return found->second;
    if (kept.size() >= kMostThinArcs)
        kept.clear();
    DevicePath path;
    AddDeviceArc(path, 0, CRect(0, 0, size.cx, size.cy), start, end);
    constexpr LONG kUnlimited = 1 << 20;
    ThinLines lines(CRect(-kUnlimited, -kUnlimited, kUnlimited, kUnlimited), {});
    StrokeThinly(lines, path);
    return kept.emplace(key, lines.On()).first->second;
}

}  // namespace

// --- Painting machinery ----------------------------------------------------------------------

CRect CDC::DrawingLimit() const {
    if (!m_surface)
        return CRect();
    CRect surface(-m_origin.x, -m_origin.y, m_surface->Width() - m_origin.x,
                  m_surface->Height() - m_origin.y);
    return surface & m_surfaceClip;
}

const RectRegion& CDC::VisibleRegion() const {
    const CRect limit = DrawingLimit();
    if (!m_visible || m_visible->limit != limit || m_visible->clipVersion != m_state->clipVersion) {
        RectRegion visible(limit);
        if (m_state->clip)
            visible = RectRegion::Combine(visible, *m_state->clip, RGN_AND);
        m_visible = VisibleCache{limit, m_state->clipVersion, std::move(visible)};
    }
    return m_visible->region;
}

void CDC::SetClip(std::optional<RectRegion> clip) {
    // Shared by every DC, since a state saved by one may be given to another.
    static std::atomic<std::uint64_t> lastVersion{0};
    m_state->clip = std::move(clip);
    m_state->clipVersion = ++lastVersion;
}

CDC::Brush CDC::SolidBrush(COLORREF color) const {
    Brush brush;
    brush.kind = Brush::Solid;
    brush.color = PixelFromColor(color);
    return brush;
}

CDC::Brush CDC::BrushOf(const CBrush* object) const {
    if (!object || !object->GetSafeHandle())
        return Brush();
    const LOGBRUSH& lb = object->LogBrush();
    Brush brush;
    brush.color = PixelFromColor(lb.lbColor);
    brush.background = PixelFromColor(m_state->bkColor);
    brush.opaqueGaps = m_state->bkMode == OPAQUE;
    switch (lb.lbStyle) {
        case BS_SOLID:
            brush.kind = Brush::Solid;
            break;
        case BS_HATCHED:
            brush.kind = Brush::Hatch, brush.hatch = static_cast<int>(lb.lbHatch);
            break;
        case BS_PATTERN:
            brush.kind = object->Pattern() ? Brush::Pattern : Brush::None;
            brush.pattern = object->Pattern();
            brush.monochromePattern = object->PatternIsMonochrome();
            brush.zeroBits = PixelFromColor(m_state->textColor);
            brush.oneBits = PixelFromColor(m_state->bkColor);
            break;
        default:
            break;
    }
    return brush;
}

CDC::Brush CDC::CurrentBrush() const {
    Brush brush;
    const State& s = *m_state;
    brush.color = PixelFromColor(s.brush.lbColor);
    brush.background = PixelFromColor(s.bkColor);
    brush.opaqueGaps = s.bkMode == OPAQUE;
    switch (s.brush.lbStyle) {
        case BS_SOLID:
            brush.kind = Brush::Solid;
            break;
        case BS_HATCHED:
            brush.kind = Brush::Hatch, brush.hatch = static_cast<int>(s.brush.lbHatch);
            break;
        case BS_PATTERN:
            brush.kind = s.brushPattern ? Brush::Pattern : Brush::None;
            brush.pattern = s.brushPattern;
            brush.monochromePattern = s.brushPatternMonochrome;
            brush.zeroBits = PixelFromColor(s.textColor);
            brush.oneBits = PixelFromColor(s.bkColor);
            break;
        default:
            break;
    }
    return brush;
}

// Applies the brush through the raster operation to every visible pixel that covered() accepts.
template <typename Covered>
void CDC::Paint(const CRect& bounds, Covered&& covered, const Brush& brush, int rop2) {
    if (!m_surface || bounds.IsRectEmpty() || brush.kind == Brush::None)
        return;
    m_surface->PullFromDibSection();
    const bool monochrome = IsMonochrome();
    const bool plainCopy = brush.kind == Brush::Solid && rop2 == R2_COPYPEN;
    const std::uint32_t solid = monochrome ? MonochromePixel(brush.color) : brush.color;
    const RectRegion visible = VisibleRegion();
    for (const CRect& area : visible.Rects()) {
        const CRect part = area & bounds;
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* row = m_surface->Row(y + m_origin.y) + m_origin.x;
            for (int x = part.left; x < part.right; ++x) {
                if (!covered(x, y))
                    continue;
                if (plainCopy) {
                    row[x] = solid;
                    continue;
                }
                std::uint32_t color;
                if (!brush.At(x - m_state->brushOrg.x, y - m_state->brushOrg.y, color))
                    continue;
                if (monochrome)
                    color = MonochromePixel(color);
                row[x] = ApplyRop2(rop2, color, row[x]);
            }
        }
    }
    WriteBack();
}

void CDC::FillMask(const CoverageMask& mask, const Brush& brush, int rop2) {
    Paint(
        mask.Bounds(), [&mask](int x, int y) { return mask.Covers(x, y); }, brush, rop2);
}

void CDC::PaintPixels(const std::vector<POINT>& pixels, const Brush& brush, int rop2, CPoint offset) {
    if (!m_surface || pixels.empty() || brush.kind == Brush::None)
        return;
    m_surface->PullFromDibSection();
    const bool monochrome = IsMonochrome();
    const RectRegion& visible = VisibleRegion();
    const bool simple = visible.Rects().size() == 1;
    const CRect only = simple ? visible.Rects()[0] : CRect();
    // A solid brush gives every pixel the same colour, worked out once.
    const bool solid = brush.kind == Brush::Solid;
    const std::uint32_t ink = monochrome ? MonochromePixel(brush.color) : brush.color;
    for (const POINT& stamped : pixels) {
        const CPoint p(stamped.x + offset.x, stamped.y + offset.y);
        if (simple ? !only.PtInRect(p) : !visible.Contains(p.x, p.y))
            continue;
        std::uint32_t color = ink;
        if (!solid) {
            if (!brush.At(p.x - m_state->brushOrg.x, p.y - m_state->brushOrg.y, color))
                continue;
            if (monochrome)
                color = MonochromePixel(color);
        }
        std::uint32_t& target = m_surface->Row(p.y + m_origin.y)[p.x + m_origin.x];
        target = rop2 == R2_COPYPEN ? color : ApplyRop2(rop2, color, target);
    }
    WriteBack();
}

void CDC::WriteBack() {
    m_surface->PushToDibSection();
}

void CDC::FillDeviceRect(const CRect& rect, const Brush& brush, int rop2) {
    if (m_fastPaths && brush.kind == Brush::Solid && rop2 == R2_COPYPEN) {
        FillRows(rect, IsMonochrome() ? MonochromePixel(brush.color) : brush.color);
        return;
    }
    Paint(
        rect, [](int, int) { return true; }, brush, rop2);
}

void CDC::FillFigure(const DevicePath& path, bool winding, const Brush& brush) {
    if (brush.kind == Brush::None)
        return;
    FillMask(::FillMask(path, winding, DrawingLimit()), brush, m_state->rop2);
}

void CDC::StrokeFigure(const DevicePath& path, bool) {
    const LOGPEN& pen = m_state->pen;
    const UINT style = pen.lopnStyle & PS_STYLE_MASK;
    if (style == PS_NULL || !m_surface)
        return;
    const Brush ink = SolidBrush(pen.lopnColor);
    const int width = PenWidthInPixels();
    if (width > 1) {
        // Wide cosmetic pens draw solid whatever their style.
        const CoverageMask mask = StrokeMask(path.Shifted(0.5), width, pen.lopnStyle & PS_ENDCAP_MASK,
                                             pen.lopnStyle & PS_JOIN_MASK, {}, DrawingLimit());
        FillMask(mask, ink, m_state->rop2);
        return;
    }
    const bool styled = style >= PS_DASH && style <= PS_DASHDOTDOT;
    ThinLines lines(DrawingLimit(), styled ? DashPattern(style) : std::vector<int>());
    StrokeThinly(lines, path);
    PaintPixels(lines.On(), ink, m_state->rop2);
    if (styled && m_state->bkMode == OPAQUE)
        PaintPixels(lines.Off(), SolidBrush(m_state->bkColor), m_state->rop2);
}

int CDC::PenWidthInPixels() const {
    const LONG width = m_state->pen.lopnWidth.x;
    if (width == 0)
        return 1;
    const double pixels =
        std::abs(static_cast<double>(width) * m_state->viewportExt.cx / m_state->windowExt.cx);
    // Every line drawn asks this: rounded inline, as the mapping rounds points.
    return std::max<int>(1, DeviceMapping::Round(pixels));
}

void CDC::DrawFigure(const DevicePath& path, bool winding, bool closed, bool fill) {
    if (m_state->inPath) {
        RecordPath(path);
        return;
    }
    if (fill)
        FillFigure(path.Shifted(0.5), winding, CurrentBrush());
    StrokeFigure(path, closed);
}

void CDC::Trace(const char* primitive, std::vector<POINT> points, const char* text, int length) {
    if (!m_tracing)
        return;
    m_trace.push_back({primitive, std::move(points), text ? CString(text, length) : CString(), m_state->pen,
                       m_state->brush});
}

void CDC::RecordPath(const DevicePath& figure) {
    m_state->path.Append(figure);
}

void CDC::AddPolyline(DevicePath& path, const POINT* points, int count, bool close) const {
    for (int i = 0; i < count; ++i) {
        const CPoint p = ToDevice(points[i].x, points[i].y);
        if (i == 0)
            path.MoveTo(p.x, p.y);
        else
            path.LineTo(p.x, p.y);
    }
    if (close)
        path.Close();
}

// --- Lines -----------------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) {
    const CPoint previous = m_state->position;
    m_state->position = CPoint(x, y);
    if (m_state->inPath) {
        const CPoint d = ToDevice(x, y);
        m_state->path.MoveTo(d.x, d.y);
    }
    return previous;
}

BOOL CDC::LineTo(int x, int y) {
    if (m_tracing)
        Trace("LineTo", {m_state->position, {x, y}});
    if (!m_surface)
        return FALSE;
    const DeviceMapping mapping = Mapping();
    const CPoint from = mapping(m_state->position), to = mapping(x, y);
    m_state->position = CPoint(x, y);
    StrokeLine(from, to);
    return TRUE;
}

BOOL CDC::LineBetween(POINT from, POINT to, POINT fromPixel, POINT toPixel) {
    m_state->position = from;
    if (m_state->inPath)
        m_state->path.MoveTo(fromPixel.x, fromPixel.y);
    if (m_tracing)
        Trace("LineTo", {from, to});
    if (!m_surface)
        return FALSE;
    m_state->position = to;
    StrokeLine(fromPixel, toPixel);
    return TRUE;
}

void CDC::StrokeLine(CPoint from, CPoint to) {
    if (m_state->inPath) {
        if (m_state->path.IsEmpty())
            m_state->path.MoveTo(from.x, from.y);
        m_state->path.LineTo(to.x, to.y);
        return;
    }
    const int width = m_fastPaths ? PenWidthInPixels() : 0;
    if (width == 1 && PenStrokesSolid()) {
        DrawOnePixelLine(from, to);
        return;
    }
    if (m_fastPaths && CanStampLine(from, to, width)) {
        StampWideLine(from, to, width);
        return;
    }
    DevicePath path;
    path.MoveTo(from.x, from.y);
    path.LineTo(to.x, to.y);
    StrokeFigure(path, false);
}

CPoint CDC::GetCurrentPosition() const {
    return m_state->position;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (points && count > 0)
        Trace("Polyline", {points, points + count});
    if (!m_surface || !points || count < 2)
        return FALSE;
    DevicePath path;
    AddPolyline(path, points, count, false);
    DrawFigure(path, false, false, false);
    return TRUE;
}

BOOL CDC::PolyBezier(const POINT* points, int count) {
    if (points && count > 0)
        Trace("PolyBezier", {points, points + count});
    if (!m_surface || !points || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    DevicePath path;
    const CPoint start = ToDevice(points[0].x, points[0].y);
    path.MoveTo(start.x, start.y);
    for (int i = 1; i + 2 < count; i += 3) {
        const CPoint a = ToDevice(points[i].x, points[i].y), b = ToDevice(points[i + 1].x, points[i + 1].y),
                     c = ToDevice(points[i + 2].x, points[i + 2].y);
        path.CurveTo(a.x, a.y, b.x, b.y, c.x, c.y);
    }
    DrawFigure(path, false, false, false);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (points && count > 0)
        Trace("Polygon", {points, points + count});
    if (!m_surface || !points || count < 2)
        return FALSE;
    DevicePath path;
    AddPolyline(path, points, count, true);
    if (m_state->inPath) {
        RecordPath(path);
        return TRUE;
    }
    // Polygon interiors follow the vertices themselves: pixel centres inside the outline.
    FillFigure(path, m_state->polyFillMode == WINDING, CurrentBrush());
    StrokeFigure(path, true);
    return TRUE;
}

BOOL CDC::PolyPolygon(const POINT* points, const int* counts, int polygons) {
    if (!m_surface || !points || !counts || polygons <= 0)
        return FALSE;
    DevicePath path;
    int offset = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return FALSE;
        AddPolyline(path, points + offset, counts[i], true);
        offset += counts[i];
    }
    FillFigure(path, m_state->polyFillMode == WINDING, CurrentBrush());
    StrokeFigure(path, true);
    return TRUE;
}

// --- Figures in a bounding rectangle -------------------------------------------------------------

namespace {
// Half the pen width inside the box, for PS_INSIDEFRAME pens.
CRect InsideFrame(CRect box, const LOGPEN& pen, int deviceWidth) {
    if ((pen.lopnStyle & PS_STYLE_MASK) == PS_INSIDEFRAME && deviceWidth > 1)
        box.DeflateRect(deviceWidth / 2, deviceWidth / 2);
    return box;
}
}  // namespace

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    Trace("Rectangle", {{x1, y1}, {x2, y2}});
    if (!m_surface)
        return FALSE;
    const int penWidth = std::abs(static_cast<int>(DeviceX(m_state->pen.lopnWidth.x) - DeviceX(0)));
    const CRect box = InsideFrame(DeviceRect(x1, y1, x2, y2), m_state->pen, penWidth);
    if (box.IsRectEmpty())
        return TRUE;
    const int r = box.right - 1, b = box.bottom - 1;
    DevicePath outline;
    outline.MoveTo(box.left, box.top);
    outline.LineTo(r, box.top);
    outline.LineTo(r, b);
    outline.LineTo(box.left, b);
    outline.Close();
    if (m_state->inPath) {
        RecordPath(outline);
        return TRUE;
    }
    FillFigure(outline, false, CurrentBrush());
    StrokeFigure(outline, true);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    Trace("Ellipse", {{x1, y1}, {x2, y2}});
    if (!m_surface)
        return FALSE;
    const int penWidth = std::abs(static_cast<int>(DeviceX(m_state->pen.lopnWidth.x) - DeviceX(0)));
    const CRect box = InsideFrame(DeviceRect(x1, y1, x2, y2), m_state->pen, penWidth);
    if (box.IsRectEmpty())
        return TRUE;
    DevicePath path;
    const double cx = (box.left + box.right - 1) / 2.0, cy = (box.top + box.bottom - 1) / 2.0;
    path.ArcTo(cx, cy, (box.Width() - 1) / 2.0, (box.Height() - 1) / 2.0, 0, 2 * std::numbers::pi, true);
    path.Close();
    DrawFigure(path, false, true, true);
    return TRUE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int width, int height) {
    Trace("RoundRect", {{x1, y1}, {x2, y2}, {width, height}});
    if (!m_surface)
        return FALSE;
    const CRect box = DeviceRect(x1, y1, x2, y2);
    if (box.IsRectEmpty())
        return TRUE;
    const double l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
    const double rw = std::min(std::abs(DeviceX(width) - DeviceX(0)) / 2, (r - l) / 2);
    const double rh = std::min(std::abs(DeviceY(height) - DeviceY(0)) / 2, (b - t) / 2);
    const double pi = std::numbers::pi;
    DevicePath path;
    path.MoveTo(l + rw, t);
    path.ArcTo(r - rw, t + rh, rw, rh, -pi / 2, 0, true);
    path.ArcTo(r - rw, b - rh, rw, rh, 0, pi / 2, true);
    path.ArcTo(l + rw, b - rh, rw, rh, pi / 2, pi, true);
    path.ArcTo(l + rw, t + rh, rw, rh, pi, 3 * pi / 2, true);
    path.Close();
    DrawFigure(path, false, true, true);
    return TRUE;
}

// kind: 0 arc, 1 pie, 2 chord.
void CDC::AddArcFigure(DevicePath& path, int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                       int y4) const {
    AddDeviceArc(path, kind, DeviceRect(x1, y1, x2, y2), ToDevice(x3, y3), ToDevice(x4, y4));
}

// An arc (kind 0, outline only), pie (1) or chord (2) through the bounding box and the two
// radial points.
BOOL CDC::DrawArcFigure(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    if (!m_surface)
        return FALSE;
    DevicePath path;
    AddArcFigure(path, kind, x1, y1, x2, y2, x3, y3, x4, y4);
    const bool closed = kind != 0;
    DrawFigure(path, false, closed, closed);
    return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Trace("Arc", {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}});
    if (m_surface && m_fastPaths) {
        const CRect box = DeviceRect(x1, y1, x2, y2);
        const CPoint start = ToDevice(x3, y3), end = ToDevice(x4, y4);
        if (CanStampThinArc(box, start, end)) {
            StampThinArc(box, start, end);
            return TRUE;
        }
    }
    return DrawArcFigure(0, x1, y1, x2, y2, x3, y3, x4, y4);
}

bool CDC::CanStampThinArc(const CRect& box, CPoint start, CPoint end) const {
    const CPoint corner = box.TopLeft();
    return !m_state->inPath && PenIsOnePixelSolid() && box.Width() <= kThinArcReach &&
           box.Height() <= kThinArcReach && std::abs(corner.x) <= kThinArcFarthest &&
           std::abs(corner.y) <= kThinArcFarthest && NearCorner(start, corner) && NearCorner(end, corner);
}

// The general stroke's pixels of the same arc, moved by whole pixels from where it was made.
void CDC::StampThinArc(const CRect& box, CPoint start, CPoint end) {
    const CPoint corner = box.TopLeft();
    const std::vector<POINT>& stamp =
        ThinArcStamp(box.Size(), FromCorner(start, corner), FromCorner(end, corner));
    PaintPixels(stamp, SolidBrush(m_state->pen.lopnColor), m_state->rop2, corner);
}

BOOL CDC::Arc(const RECT* rect, POINT start, POINT end) {
    return Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Trace("Pie", {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}});
    return DrawArcFigure(1, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(const RECT* rect, POINT start, POINT end) {
    return Pie(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Trace("Chord", {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}});
    return DrawArcFigure(2, x1, y1, x2, y2, x3, y3, x4, y4);
}

// --- Rectangles --------------------------------------------------------------------------------

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (rect)
        Trace("FillRect", {{rect->left, rect->top}, {rect->right, rect->bottom}});
    if (!rect || !m_surface)
        return;
    FillDeviceRect(DeviceRect(rect->left, rect->top, rect->right, rect->bottom), BrushOf(brush), R2_COPYPEN);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
    if (rect)
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    if (m_tracing)
        Trace("FillSolidRect", {{x, y}, {x + cx, y + cy}});
    SetBkColor(color);
    if (!m_surface)
        return;
    FillDeviceRect(DeviceRect(x, y, x + cx, y + cy), SolidBrush(color), R2_COPYPEN);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) {
    if (!rect || !m_surface)
        return;
    const CRect r = DeviceRect(rect->left, rect->top, rect->right, rect->bottom);
    if (r.IsRectEmpty())
        return;
    const Brush ink = BrushOf(brush);
    FillDeviceRect(CRect(r.left, r.top, r.right, r.top + 1), ink, R2_COPYPEN);
    FillDeviceRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), ink, R2_COPYPEN);
    FillDeviceRect(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), ink, R2_COPYPEN);
    FillDeviceRect(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), ink, R2_COPYPEN);
}

void CDC::InvertRect(const RECT* rect) {
    if (!rect || !m_surface)
        return;
    FillDeviceRect(DeviceRect(rect->left, rect->top, rect->right, rect->bottom), SolidBrush(0), R2_NOT);
}

void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight) {
    if (rect)
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
                   bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags) {
    if (!rect || !m_surface)
        return FALSE;
    const COLORREF saved = GetBkColor();
    CRect r(*rect);
    const auto drawBorder = [&](COLORREF tl, COLORREF br) {
        const int w = r.Width(), h = r.Height();
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, w, 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, h, tl);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, h, br);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, w, 1, br);
        r.DeflateRect((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? 1 : 0,
                      (flags & BF_BOTTOM) ? 1 : 0);
    };
    if (edge & BDR_RAISEDOUTER)
        drawBorder(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        drawBorder(GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    if (edge & BDR_RAISEDINNER)
        drawBorder(GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW));
    else if (edge & BDR_SUNKENINNER)
        drawBorder(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    if (flags & BF_MIDDLE)
        FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    SetBkColor(saved);
    return TRUE;
}

void CDC::DrawFocusRect(const RECT* rect) {
    if (!rect || !m_surface)
        return;
    const CRect r = DeviceRect(rect->left, rect->top, rect->right, rect->bottom);
    if (r.IsRectEmpty())
        return;
    std::vector<POINT> dots;
    for (int x = r.left; x < r.right; ++x) {
        if ((x + r.top) % 2 == 0)
            dots.push_back({x, r.top});
        if ((x + r.bottom - 1) % 2 == 0 && r.bottom - 1 > r.top)
            dots.push_back({x, r.bottom - 1});
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        if ((r.left + y) % 2 == 0)
            dots.push_back({r.left, y});
        if ((r.right - 1 + y) % 2 == 0 && r.right - 1 > r.left)
            dots.push_back({r.right - 1, y});
    }
    PaintPixels(dots, SolidBrush(RGB(255, 255, 255)), R2_XORPEN);
}

BOOL CDC::DrawFrameControl(RECT* rect, UINT type, UINT state) {
    if (!rect || !m_surface || type != DFC_BUTTON)
        return FALSE;
    CRect r(*rect);
    const COLORREF saved = GetBkColor();
    if ((state & 0x1F) == DFCS_BUTTONPUSH) {
        if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
            Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
            r.DeflateRect(1, 1);
            Draw3dRect(&r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
            r.DeflateRect(1, 1);
            FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
        } else {
            DrawEdge(&r, (state & DFCS_FLAT) ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
    } else {
        // A check box: a sunken white square with a tick when checked.
        DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillSolidRect(&r, GetSysColor((state & DFCS_INACTIVE) ? COLOR_3DFACE : COLOR_WINDOW));
        if (state & DFCS_CHECKED) {
            CPen tick(PS_SOLID, 1, GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            CPen* previous = SelectObject(&tick);
            const int x = r.left + 2, y = r.top + r.Height() / 2 - 1;
            for (int row = 0; row < 3; ++row) {
                MoveTo(x, y + row);
                LineTo(x + 2, y + 2 + row);
                LineTo(x + 7, y - 3 + row);
            }
            SelectObject(previous);
        }
    }
    SetBkColor(saved);
    return TRUE;
}

// --- Regions ---------------------------------------------------------------------------------

namespace {
RectRegion Framed(const RectRegion& region, int w, int h) {
    RectRegion inner = region;
    for (const auto& [dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, h}, std::pair{0, -h}}) {
        RectRegion moved = region;
        moved.Offset(dx, dy);
        inner = RectRegion::Combine(inner, moved, RGN_AND);
    }
    return RectRegion::Combine(region, inner, RGN_DIFF);
}
}  // namespace

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    if (!region || !m_surface)
        return FALSE;
    const Brush ink = BrushOf(brush);
    for (const CRect& r : region->Region().Rects())
        FillDeviceRect(DeviceRect(r.left, r.top, r.right, r.bottom), ink, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* region) {
    if (!region || !m_surface)
        return FALSE;
    const Brush ink = CurrentBrush();
    for (const CRect& r : region->Region().Rects())
        FillDeviceRect(DeviceRect(r.left, r.top, r.right, r.bottom), ink, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height) {
    if (!region || !m_surface)
        return FALSE;
    const Brush ink = BrushOf(brush);
    const RectRegion frame = Framed(region->Region(), width, height);
    for (const CRect& r : frame.Rects())
        FillDeviceRect(DeviceRect(r.left, r.top, r.right, r.bottom), ink, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* region) {
    if (!region || !m_surface)
        return FALSE;
    for (const CRect& r : region->Region().Rects())
        FillDeviceRect(DeviceRect(r.left, r.top, r.right, r.bottom), SolidBrush(0), R2_NOT);
    return TRUE;
}

// --- Pixels ----------------------------------------------------------------------------------

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    Trace("SetPixel", {{x, y}});
    if (!m_surface)
        return CLR_INVALID;
    const CPoint d = ToDevice(x, y);
    if (!VisibleRegion().Contains(d.x, d.y))
        return CLR_INVALID;
    m_surface->PullFromDibSection();
    const std::uint32_t pixel =
        IsMonochrome() ? MonochromePixel(PixelFromColor(color)) : PixelFromColor(color);
    m_surface->Set(d.x + m_origin.x, d.y + m_origin.y, pixel);
    WriteBack();
    return ColorFromPixel(pixel);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) {
    return SetPixel(x, y, color) != CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_surface)
        return CLR_INVALID;
    const CPoint d = ToDevice(x, y);
    if (!VisibleRegion().Contains(d.x, d.y))
        return CLR_INVALID;
    m_surface->PullFromDibSection();
    return ColorFromPixel(m_surface->At(d.x + m_origin.x, d.y + m_origin.y));
}

// --- Paths -----------------------------------------------------------------------------------

BOOL CDC::BeginPath() {
    m_state->inPath = true;
    m_state->pathReady = false;
    m_state->path = DevicePath();
    return TRUE;
}

BOOL CDC::EndPath() {
    if (!m_state->inPath)
        return FALSE;
    m_state->inPath = false;
    m_state->pathReady = true;
    return TRUE;
}

BOOL CDC::AbortPath() {
    m_state->inPath = m_state->pathReady = false;
    m_state->path = DevicePath();
    return TRUE;
}

BOOL CDC::CloseFigure() {
    if (!m_state->inPath)
        return FALSE;
    m_state->path.Close();
    return TRUE;
}

BOOL CDC::FillPath() {
    if (!m_state->pathReady || !m_surface)
        return FALSE;
    FillFigure(m_state->path, m_state->polyFillMode == WINDING, CurrentBrush());
    return AbortPath();
}

BOOL CDC::StrokePath() {
    if (!m_state->pathReady || !m_surface)
        return FALSE;
    StrokeFigure(m_state->path, false);
    return AbortPath();
}

BOOL CDC::StrokeAndFillPath() {
    if (!m_state->pathReady || !m_surface)
        return FALSE;
    FillFigure(m_state->path, m_state->polyFillMode == WINDING, CurrentBrush());
    StrokeFigure(m_state->path, true);
    return AbortPath();
}

// --- Clipping --------------------------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* region) {
    if (!region) {
        SetClip(std::nullopt);
    } else {
        SetClip(region->Region());
    }
    return VisibleRegion().Complexity();
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
    if (mode == RGN_COPY || (!region && mode != RGN_COPY))
        return SelectClipRgn(mode == RGN_COPY ? region : nullptr);
    const RectRegion current = m_state->clip ? *m_state->clip : RectRegion(DrawingLimit());
    SetClip(RectRegion::Combine(current, region->Region(), mode));
    return VisibleRegion().Complexity();
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    const RectRegion rect(DeviceRect(x1, y1, x2, y2));
    SetClip(m_state->clip ? RectRegion::Combine(*m_state->clip, rect, RGN_AND) : rect);
    return VisibleRegion().Complexity();
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
    const RectRegion current = m_state->clip ? *m_state->clip : RectRegion(DrawingLimit());
    SetClip(RectRegion::Combine(current, RectRegion(DeviceRect(x1, y1, x2, y2)), RGN_DIFF));
    return VisibleRegion().Complexity();
}

int CDC::OffsetClipRgn(int dx, int dy) {
    if (m_state->clip) {
        CSize by(dx, dy);
        LPtoDP(&by);
        RectRegion moved = *m_state->clip;
        moved.Offset(by.cx, by.cy);
        SetClip(std::move(moved));
    }
    return VisibleRegion().Complexity();
}

int CDC::GetClipBox(RECT* rect) const {
    const RectRegion visible = VisibleRegion();
    if (rect) {
        CRect box = visible.Bounds();
        DPtoLP(static_cast<RECT*>(&box));
        box.NormalizeRect();
        *rect = box;
    }
    return visible.Complexity();
}

BOOL CDC::PtVisible(int x, int y) const {
    const CPoint d = ToDevice(x, y);
    return VisibleRegion().Contains(d.x, d.y);
}

BOOL CDC::RectVisible(const RECT* rect) const {
    return rect && VisibleRegion().Intersects(DeviceRect(rect->left, rect->top, rect->right, rect->bottom));
}
