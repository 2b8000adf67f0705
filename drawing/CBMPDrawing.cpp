#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "drawing/CBMP.h"
#include "drawing/CPictureSource.h"
#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "drawing/StepLine.h"
#include "model/CTool.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/CRect.h"
#include "platform/gdi/PixelSurface.h"
#include "ui/BitmapRoutines.h"

// The turned picture: two integer walks along the edges from corner 4 give, for every pixel of
// the turned rectangle, the picture column and row; the pixels go from a section holding the
// picture into a section holding the work box, which one transfer puts on the output.

namespace {

// More pixels than any screen or page shows at once; a larger work box is not drawn.
constexpr std::int64_t kLargestWorkPixels = std::int64_t{1} << 26;
// Longer walks are not made: their picture is wider than any view by far.
constexpr std::size_t kLongestWalk = std::size_t{1} << 22;

// Pixels per row step that keep rows in whole 4-byte words.
int RowMultiple(int bitCount) {
    switch (bitCount) {
        case 8:
        case 24:
            return 4;
        case 16:
            return 2;
        case 32:
            return 1;
        default:
            return 8;
    }
}

int RoundUp(int value, int multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

// The header and colour table of the picture's packed bitmap, without its pixels: the format of
// the work section.
bool ReadDibTemplate(CBitmap& picture, const BITMAP& size, std::vector<BYTE>& format) {
    const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                                  size.bmWidth,
                                  size.bmHeight,
                                  1,
                                  static_cast<WORD>(PackedBitCount(size)),
                                  BI_RGB,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0};
    format.assign(sizeof header + DibPaletteSize(&header), 0);
    std::memcpy(format.data(), &header, sizeof header);
    return CDC::GetDIBits(&picture, 0, static_cast<UINT>(size.bmHeight), nullptr,
                          reinterpret_cast<BITMAPINFO*>(format.data()), DIB_RGB_COLORS) != 0;
}

// A top-down section of the template's format in a memory context.
class CSectionImage {
  public:
    bool Create(std::vector<BYTE> format, int width, int height) {
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(format.data());
        header->biWidth = width;
        header->biHeight = -height;
        header->biSizeImage = 0;
        void* bits = nullptr;
        if (!m_bitmap.CreateDIBSection(reinterpret_cast<BITMAPINFO*>(format.data()), DIB_RGB_COLORS, &bits) ||
            bits == nullptr || !m_dc.CreateCompatibleDC(nullptr))
            return false;
        m_pPrevious = m_dc.SelectObject(&m_bitmap);
        m_pBits = static_cast<BYTE*>(bits);
        return true;
    }
    ~CSectionImage() {
        if (m_pPrevious != nullptr)
            m_dc.SelectObject(m_pPrevious);
    }
    CDC& DC() { return m_dc; }
    BYTE* Bits() const { return m_pBits; }

  private:
    CBitmap m_bitmap;
    CDC m_dc;
    CBitmap* m_pPrevious = nullptr;
    BYTE* m_pBits = nullptr;
};

// The device context's state, put back on every exit.
struct SavedDC {
    CDC& dc;
    int saved;
    ~SavedDC() { dc.RestoreDC(saved); }
};

// The walk from one corner toward another, each record with its picture column or row.
bool WalkEdge(CPoint from, CPoint to, int pictureSize, std::vector<WalkRecord>& records) {
    const std::int64_t dx = std::int64_t{to.x} - from.x, dy = std::int64_t{to.y} - from.y;
    if (static_cast<std::size_t>(std::llabs(dx) + std::llabs(dy)) > kLongestWalk)
        return false;
    const int steps = StepLine(from.x, from.y, to.x, to.y, records);
    records.resize(static_cast<std::size_t>(steps));
    const double length =
        steps == 0
            ? 1.0
            : std::max(1.0, std::trunc(std::hypot(records.back().x - from.x, records.back().y - from.y)));
    for (WalkRecord& record : records)
        record.s = static_cast<int>(std::hypot(record.x - from.x, record.y - from.y) * pictureSize / length);
    return true;
}

// The records of a walk whose coordinate, which moves one way only along it, lies in [low, high].
std::pair<std::size_t, std::size_t> RecordsWithin(const std::vector<WalkRecord>& records,
                                                  int WalkRecord::*axis, int low, int high) {
    if (records.empty())
        return {0, 0};
    const int sign = records.back().*axis < records.front().*axis ? -1 : 1;
    const int first = sign > 0 ? low : -high, last = sign > 0 ? high : -low;
    const auto begin = std::partition_point(records.begin(), records.end(),
                                            [&](const WalkRecord& r) { return sign * (r.*axis) < first; });
    const auto end = std::partition_point(begin, records.end(),
                                          [&](const WalkRecord& r) { return sign * (r.*axis) <= last; });
    return {static_cast<std::size_t>(begin - records.begin()),
            static_cast<std::size_t>(end - records.begin())};
}

struct WorkBox {
    int minX, minY, width, height;
};

struct PixelCopy {
    // The picture's own pixels, read where they show.
    const PixelSurface& source;
    BYTE* work;
    // When given, every pixel the picture covers is cleared in it.
    BYTE* mask;
    const WorkBox& box;
    int bytesPerPixel;
    CPoint origin;
};

int BitCount(const std::vector<BYTE>& format) {
    return reinterpret_cast<const BITMAPINFOHEADER*>(format.data())->biBitCount;
}

std::size_t SectionBytes(int width, int height, int bitCount) {
    return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4 * static_cast<std::size_t>(height);
}

// The picture's size and the format the work section takes.
bool ReadSource(CBitmap& picture, CPictureSource::Pixels& pixels) {
    BITMAP& size = pixels.size;
    return picture.GetBitmap(&size) && size.bmWidth > 0 && size.bmHeight > 0 &&
           ReadDibTemplate(picture, size, pixels.format);
}

// The picture's pixel in the work format, as a copy into a section of that format encodes it.
// The format is 24 bits for a true-colour picture; a monochrome one's holds no whole bytes a
// pixel, and none are copied.
void PutPixel(std::uint32_t pixel, BYTE* at) {
    at[0] = static_cast<BYTE>(pixel & 0xFF);
    at[1] = static_cast<BYTE>((pixel >> 8) & 0xFF);
    at[2] = static_cast<BYTE>((pixel >> 16) & 0xFF);
}

// Every record pair of the two walks whose pixel falls in the work box.
void CopyPixels(const std::vector<WalkRecord>& columns, const std::vector<WalkRecord>& rows,
                const PixelCopy& copy) {
    const WorkBox& box = copy.box;
    const int p = copy.bytesPerPixel;
    for (const WalkRecord& a : columns) {
        if (a.s < 0 || a.s >= copy.source.Width())
            continue;
        const int offsetX = a.x - copy.origin.x, offsetY = a.y - copy.origin.y;
        const auto [xBegin, xEnd] =
            RecordsWithin(rows, &WalkRecord::x, box.minX - offsetX, box.minX + box.width - 1 - offsetX);
        const auto [yBegin, yEnd] =
            RecordsWithin(rows, &WalkRecord::y, box.minY - offsetY, box.minY + box.height - 1 - offsetY);
        for (std::size_t j = std::max(xBegin, yBegin); j < std::min(xEnd, yEnd); ++j) {
            const WalkRecord& b = rows[j];
            if (b.s < 0 || b.s >= copy.source.Height())
                continue;
            const std::int64_t x = b.x + offsetX - box.minX, y = b.y + offsetY - box.minY;
            const std::int64_t at = (y * box.width + x) * p;
            if (p == 3)
                PutPixel(copy.source.At(a.s, b.s), copy.work + at);
            if (copy.mask != nullptr)
                std::memset(copy.mask + at, 0, static_cast<std::size_t>(p));
        }
    }
}

// The device pixels a picture's edge from its origin is drawn across.
int EdgePixels(CPoint origin, CPoint end) {
    const double pixels = std::hypot(end.x - double(origin.x), end.y - double(origin.y));
    return static_cast<int>(std::min(std::ceil(pixels), double{kLongestWalk}));
}

}  // namespace

int CBMP::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    const CPlacement placement(m_pose, FrameOf(parent));
    std::vector<CPoint> corners;
    if (dc == nullptr || !shape::OutlineToDevice(*m_pTool, placement, Corners(), corners))
        return 0;
    // A picture that cannot be drawn shows as one whose file was missing.
    if (m_pPicture == nullptr || GetEditState() != -1 || !RenderPicture(*dc, corners))
        DrawOutline(*dc, corners);
    DrawHandles(FrameOf(parent));
    return 1;
}

void CBMP::DrawOutline(CDC& dc, const std::vector<CPoint>& corners) {
    CShapePen pen(*this, dc);
    dc.MoveTo(corners.back());
    for (const CPoint& corner : corners) dc.LineTo(corner);
}

void CBMP::DrawHandles(const CPose& frame) {
    if (shape::ShowsHandles(*this))
        shape::DrawBoxHandles(*this, frame);
}

// The picture read for the turned drawing, kept until the picture is another.
const CPictureSource::Pixels* CBMP::SourcePixels() {
    if (const CPictureSource::Pixels* kept = m_source.Find(*m_pPicture))
        return kept;
    CPictureSource::Pixels made;
    if (!ReadSource(*m_pPicture, made))
        return nullptr;
    return &m_source.Keep(*m_pPicture, std::move(made));
}

bool CBMP::RenderPicture(CDC& dc, const std::vector<CPoint>& logicalCorners) {
    const CPictureSource::Pixels* pixels = SourcePixels();
    if (pixels == nullptr)
        return false;
    const std::vector<BYTE>& format = pixels->format;
    const int bitCount = BitCount(format);
    // D4, D1, D2, D3 in device pixels. The picture's first column and row lie at corner 1, the
    // press, its columns run toward corner 4 and its rows toward corner 2: drawn from its top
    // left corner it shows upright.
    std::vector<CPoint> d = logicalCorners;
    dc.LPtoDP(d.data(), static_cast<int>(d.size()));
    const CPoint origin = d[1];
    // A picture not held for want of memory is read back at about the size it shows at.
    const std::shared_ptr<PixelSurface> shown =
        CDecodedPictures::Shown(m_pPicture->Surface(), EdgePixels(origin, d[0]), EdgePixels(origin, d[2]));
    if (shown == nullptr)
        return false;
    std::vector<WalkRecord> columns, rows;
    if (!WalkEdge(origin, d[0], shown->Width(), columns) || !WalkEdge(origin, d[2], shown->Height(), rows))
        return false;

    SavedDC saved{dc, dc.SaveDC()};
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    CRect bounds(d[0].x, d[0].y, d[0].x + 1, d[0].y + 1);
    for (const CPoint& corner : d) {
        const CRect pixel(corner.x, corner.y, corner.x + 1, corner.y + 1);
        bounds.UnionRect(&bounds, &pixel);
    }
    // Only what the output can show is worked on.
    CRect visible;
    dc.GetClipBox(&visible);
    CRect clipped;
    if (!clipped.IntersectRect(&bounds, &visible))
        return true;
    const int multiple = RowMultiple(bitCount);
    const WorkBox box{clipped.left, clipped.top, RoundUp(clipped.Width(), multiple), clipped.Height()};
    if (std::int64_t{box.width} * box.height > kLargestWorkPixels)
        return false;

    CSectionImage work, mask;
    const bool printing = dc.IsPrinting() != FALSE;
    const bool own = GetRuntimeClass() == RUNTIME_CLASS(CBMP);
    const bool masked = own && printing;
    if (!work.Create(format, box.width, box.height) ||
        (masked && !mask.Create(format, box.width, box.height)))
        return false;
    const std::size_t workBytes = SectionBytes(box.width, box.height, bitCount);
    if (own && !printing) {
        work.DC().BitBlt(0, 0, box.width, box.height, &dc, box.minX, box.minY, SRCCOPY);
        m_dwRop = SRCCOPY;
    } else {
        std::memset(work.Bits(), 0, workBytes);
        if (own)
            m_dwRop = SRCPAINT;
    }
    if (masked)
        std::memset(mask.Bits(), 0xFF, workBytes);
    shown->PullFromDibSection();
    CopyPixels(columns, rows,
               PixelCopy{*shown, work.Bits(), masked ? mask.Bits() : nullptr, box, bitCount / 8, origin});
    // On paper the picture is added onto the pixels it covers, cleared first, and no others.
    if (masked)
        dc.BitBlt(box.minX, box.minY, box.width, box.height, &mask.DC(), 0, 0, SRCAND);
    dc.BitBlt(box.minX, box.minY, box.width, box.height, &work.DC(), 0, 0, m_dwRop);
    return true;
}
