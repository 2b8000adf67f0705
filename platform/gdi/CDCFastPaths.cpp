// The shortcuts the most frequent drawing takes: one-pixel lines, short wide lines, solid fills and
// plain copies.
// Each picks exactly the pixels of the general way, which EnableFastPaths(false) keeps to compare.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CDCState.h"
#include "platform/gdi/PixelLine.h"
#include "platform/gdi/RasterOps.h"
#include "platform/gdi/StrokeStamps.h"

namespace {

constexpr std::uint32_t kColorBits = 0x00FFFFFF;
constexpr LONG kFarthest = 1000000000;

// Device points held within a billion pixels, as the general stroke rounds them.
POINT Held(CPoint p) {
    return {std::clamp<LONG>(p.x, -kFarthest, kFarthest), std::clamp<LONG>(p.y, -kFarthest, kFarthest)};
}

// count pixels of source's row y from column x on; those outside the source read as black.
void ReadSpan(std::uint32_t* out, const PixelSurface& source, long long x, long long y, int count) {
    if (y < 0 || y >= source.Height()) {
        std::fill_n(out, count, 0);
        return;
    }
    const long long inside = std::clamp<long long>(-x, 0, count);
    const long long end = std::clamp<long long>(source.Width() - x, inside, count);
    const std::uint32_t* row = source.Row(static_cast<int>(y));
    std::fill(out, out + inside, 0);
    if (end > inside)
        std::transform(row + (x + inside), row + (x + end), out + inside,
                       [](std::uint32_t p) { return p & kColorBits; });
    std::fill(out + end, out + count, 0);
}

}  // namespace

bool CDC::PenIsOnePixelSolid() const {
    return PenStrokesSolid() && PenWidthInPixels() == 1;
}

bool CDC::PenStrokesSolid() const {
    const UINT style = m_state->pen.lopnStyle & PS_STYLE_MASK;
    const bool styled = style >= PS_DASH && style <= PS_DASHDOTDOT;
    return style != PS_NULL && !styled;
}

void CDC::DrawOnePixelLine(CPoint from, CPoint to) {
    const POINT a = Held(from), b = Held(to);
    // A line leaves out its last pixel: one that ends where it starts sets none, and one of a
    // single step only the pixel it starts on, which needs no stepping.
    if (a.x == b.x && a.y == b.y)
        return;
    const bool oneStep = std::abs(b.x - a.x) <= 1 && std::abs(b.y - a.y) <= 1;
    std::optional<PixelLine> line;
    if (!oneStep) {
        line.emplace(a, b, DrawingLimit());
        if (line->First() > line->Last())
            return;
    }
    m_surface->PullFromDibSection();
    const std::uint32_t color = PixelFromColor(m_state->pen.lopnColor);
    const std::uint32_t ink = IsMonochrome() ? MonochromePixel(color) : color;
    const int rop2 = m_state->rop2;
    const RectRegion& visible = VisibleRegion();
    const bool simple = visible.Rects().size() == 1;
    const CRect only = simple ? visible.Rects()[0] : CRect();
    auto paint = [&](int x, int y) {
        if (simple ? !only.PtInRect(CPoint(x, y)) : !visible.Contains(x, y))
            return;
        std::uint32_t& target = m_surface->Row(y + m_origin.y)[x + m_origin.x];
        target = rop2 == R2_COPYPEN ? ink : ApplyRop2(rop2, ink, target);
    };
    if (oneStep)
        paint(a.x, a.y);
    else
        line->ForEach(paint);
    WriteBack();
}

bool CDC::CanStampLine(CPoint from, CPoint to, int width) const {
    return (m_state->pen.lopnStyle & PS_STYLE_MASK) != PS_NULL && StrokeStamps::Fits(from, to, width);
}

void CDC::StampWideLine(CPoint from, CPoint to, int width) {
    const LOGPEN& pen = m_state->pen;
    const auto& spans = StrokeStamps::Of(CSize(to.x - from.x, to.y - from.y), width,
                                         pen.lopnStyle & PS_ENDCAP_MASK, pen.lopnStyle & PS_JOIN_MASK);
    m_surface->PullFromDibSection();
    const std::uint32_t color = PixelFromColor(pen.lopnColor);
    const std::uint32_t ink = IsMonochrome() ? MonochromePixel(color) : color;
    const int rop2 = m_state->rop2;
    for (const CRect& area : VisibleRegion().Rects()) {
        for (const StrokeStamps::Span& span : spans) {
            const int y = from.y + span.y;
            if (y < area.top || y >= area.bottom)
                continue;
            const int left = std::max<int>(from.x + span.left, area.left);
            const int right = std::min<int>(from.x + span.right, area.right);
            std::uint32_t* row = m_surface->Row(y + m_origin.y) + m_origin.x;
            for (int x = left; x < right; ++x)
                row[x] = rop2 == R2_COPYPEN ? ink : ApplyRop2(rop2, ink, row[x]);
        }
    }
    WriteBack();
}

void CDC::FillRows(const CRect& rect, std::uint32_t pixel) {
    if (!m_surface || rect.IsRectEmpty())
        return;
    m_surface->PullFromDibSection();
    for (const CRect& area : VisibleRegion().Rects()) {
        const CRect part = area & rect;
        for (int y = part.top; y < part.bottom; ++y)
            std::fill_n(m_surface->Row(y + m_origin.y) + m_origin.x + part.left, part.Width(), pixel);
    }
    WriteBack();
}

// target takes the same-sized block of source whose upper-left pixel is (sourceX, sourceY).
void CDC::CopyRows(const CRect& target, const PixelSurface& source, long long sourceX, long long sourceY) {
    const_cast<PixelSurface&>(source).PullFromDibSection();
    if (&source == m_surface.get()) {
        // Source and target may overlap: the block is read out first.
        PixelSurface block(target.Width(), target.Height());
        for (int y = 0; y < block.Height(); ++y)
            ReadSpan(block.Row(y), source, sourceX, sourceY + y, block.Width());
        CopyRows(target, block, 0, 0);
        return;
    }
    m_surface->PullFromDibSection();
    for (const CRect& area : VisibleRegion().Rects()) {
        const CRect part = area & target;
        for (int y = part.top; y < part.bottom; ++y)
            ReadSpan(m_surface->Row(y + m_origin.y) + m_origin.x + part.left, source,
                     sourceX + part.left - target.left, sourceY + y - target.top, part.Width());
    }
    WriteBack();
}
