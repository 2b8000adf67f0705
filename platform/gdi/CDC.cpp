#include "platform/gdi/CDC.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/base/FileSystemText.h"
#include "platform/base/Windows1252.h"
#include "platform/gdi/CDCState.h"
#include "platform/gdi/RasterOps.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {
constexpr int kScreenDpi = 96;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kJobId = 1;
constexpr int kSpError = -1;

long long RoundDiv(long long numerator, long long denominator) {
    const double q = static_cast<double>(numerator) / static_cast<double>(denominator);
    return static_cast<long long>(std::floor(q + 0.5));
}

int MillimetresOf(int pixels, int dpi) {
    return static_cast<int>(RoundDiv(pixels * 254LL, dpi * 10LL));
}
}  // namespace

// One document being printed: the PDF and the page being drawn.
struct PrintJob {
    CString path;
    int dpi = 300;
    CSize pagePixels;  // the printable area
    CSize sheetPixels;
    CPoint offsetPixels;  // of the printable area from the sheet's top-left corner
    CSize paper;          // tenths of a millimetre
    cairo_surface_t* pdf = nullptr;
    bool pageOpen = false;
    int copies = 1;
    // The pages of the first copy, kept for the others while copies are asked for.
    std::vector<cairo_surface_t*> pages;

    void PaintPage(cairo_surface_t* page) {
        cairo_t* cr = cairo_create(pdf);
        cairo_scale(cr, 72.0 / dpi, 72.0 / dpi);
        cairo_set_source_surface(cr, page, offsetPixels.x, offsetPixels.y);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_show_page(cr);
        cairo_destroy(cr);
    }
    // Each copy paints the kept pages again: the PDF holds each picture once.
    void RepeatPages() {
        for (int copy = 1; copy < copies; ++copy)
            for (cairo_surface_t* page : pages) PaintPage(page);
    }
    ~PrintJob() {
        for (cairo_surface_t* page : pages) cairo_surface_destroy(page);
        if (pdf)
            cairo_surface_destroy(pdf);
    }
};

bool CDC::Brush::HatchBitAt(int x, int y) const {
    return HatchBit(hatch, x, y);
}

CDC::CDC() : m_state(std::make_unique<State>()) {
    m_state->font = CFont::DefaultLogFont();
    SelectStockObject(BLACK_PEN);
    SelectStockObject(WHITE_BRUSH);
    SelectStockObject(SYSTEM_FONT);
}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_surface)
        return FALSE;
    m_memoryDC = true;
    m_dpi = dc ? dc->m_dpi : kScreenDpi;
    m_defaultBitmap.CreateBitmap(1, 1, 1, 1, nullptr);
    SelectObject(&m_defaultBitmap);
    m_hDC = m_hAttribDC = this;
    return TRUE;
}

void CDC::AttachSurface(std::shared_ptr<PixelSurface> surface, CPoint origin, const CRect& clip) {
    m_surface = std::move(surface);
    m_origin = origin;
    m_surfaceClip = clip;
    m_hDC = m_hAttribDC = this;
}

BOOL CDC::CreatePrinterDC(const CString& pdfPath, int dpi, int paperWidth, int paperHeight,
                          const CRect& margins) {
    const bool marginsFit = margins.left >= 0 && margins.top >= 0 && margins.right >= 0 &&
                            margins.bottom >= 0 && 0LL + margins.left + margins.right < paperWidth &&
                            0LL + margins.top + margins.bottom < paperHeight;
    if (m_surface || dpi <= 0 || paperWidth <= 0 || paperHeight <= 0 || !marginsFit)
        return FALSE;
    const auto pixels = [dpi](long long tenths) { return static_cast<int>(RoundDiv(tenths * dpi, 254)); };
    m_printJob = std::make_unique<PrintJob>();
    m_printJob->path = pdfPath;
    m_printJob->dpi = dpi;
    m_printJob->paper = CSize(paperWidth, paperHeight);
    m_printJob->sheetPixels = CSize(pixels(paperWidth), pixels(paperHeight));
    m_printJob->offsetPixels = CPoint(pixels(margins.left), pixels(margins.top));
    m_printJob->pagePixels = CSize(pixels(paperWidth - margins.right) - m_printJob->offsetPixels.x,
                                   pixels(paperHeight - margins.bottom) - m_printJob->offsetPixels.y);
    if (m_printJob->pagePixels.cx <= 0 || m_printJob->pagePixels.cy <= 0) {
        m_printJob.reset();
        return FALSE;
    }
    m_dpi = dpi;
    m_paper = CSize(paperWidth - margins.left - margins.right, paperHeight - margins.top - margins.bottom);
    AttachSurface(
        std::make_shared<PixelSurface>(m_printJob->pagePixels.cx, m_printJob->pagePixels.cy, 0xFFFFFF),
        CPoint(), CRect(CPoint(), m_printJob->pagePixels));
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_surface)
        return FALSE;
    if (m_printJob && m_printJob->pdf)
        AbortDoc();
    m_printJob.reset();
    m_surface.reset();
    m_saved.clear();
    m_hDC = m_hAttribDC = nullptr;
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const {
    const bool printer = m_printJob != nullptr;
    const int width = printer ? m_printJob->pagePixels.cx : kScreenWidth;
    const int height = printer ? m_printJob->pagePixels.cy : kScreenHeight;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return m_dpi;
        case HORZRES:
            return width;
        case VERTRES:
            return height;
        case PHYSICALWIDTH:
            return printer ? m_printJob->sheetPixels.cx : width;
        case PHYSICALHEIGHT:
            return printer ? m_printJob->sheetPixels.cy : height;
        case HORZSIZE:
            return printer ? m_paper.cx / 10 : MillimetresOf(width, m_dpi);
        case VERTSIZE:
            return printer ? m_paper.cy / 10 : MillimetresOf(height, m_dpi);
        case PHYSICALOFFSETX:
            return printer ? m_printJob->offsetPixels.x : 0;
        case PHYSICALOFFSETY:
            return printer ? m_printJob->offsetPixels.y : 0;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case SIZEPALETTE:
        case RASTERCAPS:
            return 0;
        case TECHNOLOGY:
            return printer ? DT_RASPRINTER : DT_RASDISPLAY;
        default:
            return 0;
    }
}

bool CDC::IsMonochrome() const {
    return m_memoryDC && m_state->bitmapMonochrome;
}

BOOL CDC::WritePng(const CString& path) const {
    if (!m_surface)
        return FALSE;
    const CRect limit = DrawingLimit();
    if (limit.IsRectEmpty())
        return FALSE;
    m_surface->PullFromDibSection();
    PixelSurface copy(limit.Width(), limit.Height());
    for (int y = 0; y < limit.Height(); ++y)
        for (int x = 0; x < limit.Width(); ++x)
            copy.Set(x, y, m_surface->At(limit.left + x + m_origin.x, limit.top + y + m_origin.y));
    return copy.WritePng(path) ? TRUE : FALSE;
}

// --- Printing ------------------------------------------------------------------------------

int CDC::StartDoc(const DOCINFO* docInfo) {
    if (!m_printJob || m_printJob->pdf)
        return kSpError;
    if (docInfo && docInfo->lpszOutput && *docInfo->lpszOutput)
        m_printJob->path = docInfo->lpszOutput;
    const double points = 72.0 / 254.0;
    m_printJob->pdf = cairo_pdf_surface_create(DiskPath(m_printJob->path).c_str(),
                                               m_printJob->paper.cx * points, m_printJob->paper.cy * points);
    if (cairo_surface_status(m_printJob->pdf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_printJob->pdf);
        m_printJob->pdf = nullptr;
        return kSpError;
    }
    if (docInfo && docInfo->lpszDocName)
        cairo_pdf_surface_set_metadata(m_printJob->pdf, CAIRO_PDF_METADATA_TITLE,
                                       AnsiToUtf8(docInfo->lpszDocName).c_str());
    return kJobId;
}

int CDC::StartDoc(LPCTSTR docName) {
    const DOCINFO info{sizeof(DOCINFO), docName, nullptr, nullptr, 0};
    return StartDoc(&info);
}

int CDC::StartPage() {
    if (!m_printJob || !m_printJob->pdf || m_printJob->pageOpen)
        return kSpError;
    m_surface->Fill(0xFFFFFF);
    m_printJob->pageOpen = true;
    return 1;
}

int CDC::EndPage() {
    if (!m_printJob || !m_printJob->pageOpen)
        return kSpError;
    m_printJob->pageOpen = false;
    cairo_surface_t* page = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(m_surface->Data()), CAIRO_FORMAT_RGB24, m_surface->Width(),
        m_surface->Height(), m_surface->Width() * 4);
    // A kept page owns its pixels: the next page is drawn into the same surface.
    if (m_printJob->copies > 1) {
        cairo_surface_t* copy =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_surface->Width(), m_surface->Height());
        cairo_t* cr = cairo_create(copy);
        cairo_set_source_surface(cr, page, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(page);
        page = copy;
        m_printJob->pages.push_back(cairo_surface_reference(page));
    }
    m_printJob->PaintPage(page);
    cairo_surface_destroy(page);
    return cairo_surface_status(m_printJob->pdf) == CAIRO_STATUS_SUCCESS ? 1 : kSpError;
}

void CDC::SetPrintCopies(int copies) {
    if (m_printJob)
        m_printJob->copies = std::max(1, copies);
}

int CDC::EndDoc() {
    if (!m_printJob || !m_printJob->pdf)
        return kSpError;
    if (m_printJob->pageOpen)
        EndPage();
    m_printJob->RepeatPages();
    cairo_surface_finish(m_printJob->pdf);
    const bool ok = cairo_surface_status(m_printJob->pdf) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(m_printJob->pdf);
    m_printJob->pdf = nullptr;
    return ok ? 1 : kSpError;
}

int CDC::AbortDoc() {
    if (!m_printJob || !m_printJob->pdf)
        return kSpError;
    cairo_surface_destroy(m_printJob->pdf);
    m_printJob->pdf = nullptr;
    m_printJob->pageOpen = false;
    std::remove(DiskPath(m_printJob->path).c_str());
    return 1;
}

// --- Mapping -------------------------------------------------------------------------------

void CDC::SetFixedScale(int mapMode) {
    int unitsPerInch = 254;
    switch (mapMode) {
        case MM_HIMETRIC:
            unitsPerInch = 2540;
            break;
        case MM_LOENGLISH:
            unitsPerInch = 100;
            break;
        case MM_HIENGLISH:
            unitsPerInch = 1000;
            break;
        case MM_TWIPS:
            unitsPerInch = 1440;
            break;
        default:
            break;
    }
    m_state->windowExt = CSize(unitsPerInch, unitsPerInch);
    m_state->viewportExt = CSize(m_dpi, -m_dpi);
}

int CDC::SetMapMode(int mapMode) {
    if (mapMode < MM_TEXT || mapMode > MM_ANISOTROPIC)
        return 0;
    const int previous = m_state->mapMode;
    m_state->mapMode = mapMode;
    if (mapMode == MM_TEXT) {
        m_state->windowExt = m_state->viewportExt = CSize(1, 1);
    } else if (mapMode == MM_ISOTROPIC) {
        SetFixedScale(MM_LOMETRIC);
    } else if (mapMode != MM_ANISOTROPIC) {
        SetFixedScale(mapMode);
    }
    return previous;
}

int CDC::GetMapMode() const {
    return m_state->mapMode;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    const CPoint previous = m_state->windowOrg;
    m_state->windowOrg = CPoint(x, y);
    return previous;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
    return SetWindowOrg(m_state->windowOrg.x + dx, m_state->windowOrg.y + dy);
}

CPoint CDC::GetWindowOrg() const {
    return m_state->windowOrg;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint previous = m_state->viewportOrg;
    m_state->viewportOrg = CPoint(x, y);
    return previous;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(m_state->viewportOrg.x + dx, m_state->viewportOrg.y + dy);
}

CPoint CDC::GetViewportOrg() const {
    return m_state->viewportOrg;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    const CSize previous = m_state->windowExt;
    if (m_state->mapMode != MM_ISOTROPIC && m_state->mapMode != MM_ANISOTROPIC)
        return previous;
    if (cx == 0 || cy == 0)
        return previous;
    m_state->windowExt = CSize(cx, cy);
    AdjustIsotropic();
    return previous;
}

CSize CDC::GetWindowExt() const {
    return m_state->windowExt;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize previous = m_state->viewportExt;
    if (m_state->mapMode != MM_ISOTROPIC && m_state->mapMode != MM_ANISOTROPIC)
        return previous;
    if (cx == 0 || cy == 0)
        return previous;
    m_state->viewportExt = CSize(cx, cy);
    AdjustIsotropic();
    return previous;
}

CSize CDC::GetViewportExt() const {
    return m_state->viewportExt;
}

// Equal units on both axes: the viewport extent of the axis that would scale more shrinks.
void CDC::AdjustIsotropic() {
    if (m_state->mapMode != MM_ISOTROPIC)
        return;
    CSize& we = m_state->windowExt;
    CSize& ve = m_state->viewportExt;
    const long long wx = std::llabs(we.cx), wy = std::llabs(we.cy);
    const long long vx = std::llabs(ve.cx), vy = std::llabs(ve.cy);
    if (vx * wy > vy * wx) {
        const long long adjusted = RoundDiv(vy * wx, wy);
        ve.cx = static_cast<LONG>(ve.cx < 0 ? -adjusted : adjusted);
    } else {
        const long long adjusted = RoundDiv(vx * wy, wx);
        ve.cy = static_cast<LONG>(ve.cy < 0 ? -adjusted : adjusted);
    }
}

DeviceMapping CDC::Mapping() const {
    const State& s = *m_state;
    return DeviceMapping(s.windowOrg, s.windowExt, s.viewportOrg, s.viewportExt);
}

double CDC::DeviceX(double x) const {
    return Mapping().X(x);
}

double CDC::DeviceY(double y) const {
    return Mapping().Y(y);
}

CPoint CDC::ToDevice(int x, int y) const {
    return Mapping()(x, y);
}

CRect CDC::DeviceRect(int x1, int y1, int x2, int y2) const {
    CRect r(ToDevice(x1, y1), ToDevice(x2, y2));
    r.NormalizeRect();
    return r;
}

void CDC::LPtoDP(POINT* points, int count) const {
    const DeviceMapping mapping = Mapping();
    for (int i = 0; points && i < count; ++i) points[i] = mapping(points[i]);
}

void CDC::LPtoDP(SIZE* size) const {
    const State& s = *m_state;
    size->cx = DeviceMapping::Round(static_cast<double>(size->cx) * s.viewportExt.cx / s.windowExt.cx);
    size->cy = DeviceMapping::Round(static_cast<double>(size->cy) * s.viewportExt.cy / s.windowExt.cy);
}

void CDC::DPtoLP(POINT* points, int count) const {
    const State& s = *m_state;
    for (int i = 0; points && i < count; ++i) {
        points[i].x = DeviceMapping::Round((static_cast<double>(points[i].x) - s.viewportOrg.x) *
                                               s.windowExt.cx / s.viewportExt.cx +
                                           s.windowOrg.x);
        points[i].y = DeviceMapping::Round((static_cast<double>(points[i].y) - s.viewportOrg.y) *
                                               s.windowExt.cy / s.viewportExt.cy +
                                           s.windowOrg.y);
    }
}

void CDC::DPtoLP(SIZE* size) const {
    const State& s = *m_state;
    size->cx = DeviceMapping::Round(static_cast<double>(size->cx) * s.windowExt.cx / s.viewportExt.cx);
    size->cy = DeviceMapping::Round(static_cast<double>(size->cy) * s.windowExt.cy / s.viewportExt.cy);
}

// --- Objects and attributes ----------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->GetSafeHandle())
        return nullptr;
    CPen* previous = m_state->penObject;
    m_state->pen = pen->LogPen();
    m_state->penObject = pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->GetSafeHandle())
        return nullptr;
    CBrush* previous = m_state->brushObject;
    m_state->brush = brush->LogBrush();
    m_state->brushPattern = brush->Pattern();
    m_state->brushPatternMonochrome = brush->PatternIsMonochrome();
    m_state->brushObject = brush;
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->GetSafeHandle())
        return nullptr;
    CFont* previous = m_state->fontObject;
    m_state->font = font->LogFont();
    m_state->fontObject = font;
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!m_memoryDC || !bitmap || !bitmap->GetSafeHandle())
        return nullptr;
    CBitmap* previous = m_state->bitmapObject;
    m_state->bitmapObject = bitmap;
    m_state->bitmapSurface = bitmap->Surface();
    m_state->bitmapMonochrome = bitmap->IsMonochrome();
    m_surface = m_state->bitmapSurface;
    m_origin = CPoint();
    m_surfaceClip = CRect(0, 0, m_surface->Width(), m_surface->Height());
    return previous;
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (auto* pen = dynamic_cast<CPen*>(object))
        return SelectObject(pen);
    if (auto* brush = dynamic_cast<CBrush*>(object))
        return SelectObject(brush);
    if (auto* font = dynamic_cast<CFont*>(object))
        return SelectObject(font);
    if (auto* bitmap = dynamic_cast<CBitmap*>(object))
        return SelectObject(bitmap);
    if (auto* palette = dynamic_cast<CPalette*>(object))
        return SelectPalette(palette, FALSE);
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return SelectObject(StockObject(index));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL) {
    CPalette* previous = m_state->paletteObject;
    if (!previous)
        previous = static_cast<CPalette*>(StockObject(DEFAULT_PALETTE));
    m_state->paletteObject = palette;
    return previous;
}

CPen* CDC::GetCurrentPen() const {
    return m_state->penObject;
}
CBrush* CDC::GetCurrentBrush() const {
    return m_state->brushObject;
}
CFont* CDC::GetCurrentFont() const {
    return m_state->fontObject;
}
CBitmap* CDC::GetCurrentBitmap() const {
    return m_state->bitmapObject;
}

int CDC::SetBkMode(int mode) {
    const int previous = m_state->bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE)
        m_state->bkMode = mode;
    return previous;
}
int CDC::GetBkMode() const {
    return m_state->bkMode;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    const COLORREF previous = m_state->bkColor;
    m_state->bkColor = color & 0xFFFFFF;
    return previous;
}
COLORREF CDC::GetBkColor() const {
    return m_state->bkColor;
}

COLORREF CDC::SetTextColor(COLORREF color) {
    const COLORREF previous = m_state->textColor;
    m_state->textColor = color & 0xFFFFFF;
    return previous;
}
COLORREF CDC::GetTextColor() const {
    return m_state->textColor;
}

UINT CDC::SetTextAlign(UINT flags) {
    const UINT previous = m_state->textAlign;
    m_state->textAlign = flags;
    return previous;
}
UINT CDC::GetTextAlign() const {
    return m_state->textAlign;
}

int CDC::SetROP2(int mode) {
    const int previous = m_state->rop2;
    if (mode >= R2_BLACK && mode <= R2_WHITE)
        m_state->rop2 = mode;
    return previous;
}
int CDC::GetROP2() const {
    return m_state->rop2;
}

int CDC::SetPolyFillMode(int mode) {
    const int previous = m_state->polyFillMode;
    if (mode == ALTERNATE || mode == WINDING)
        m_state->polyFillMode = mode;
    return previous;
}
int CDC::GetPolyFillMode() const {
    return m_state->polyFillMode;
}

int CDC::SetStretchBltMode(int mode) {
    const int previous = m_state->stretchMode;
    m_state->stretchMode = mode;
    return previous;
}

CPoint CDC::SetBrushOrg(int x, int y) {
    const CPoint previous = m_state->brushOrg;
    m_state->brushOrg = CPoint(x, y);
    return previous;
}

int CDC::SaveDC() {
    m_saved.push_back(*m_state);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
    const int count = static_cast<int>(m_saved.size());
    const int index = savedDC < 0 ? count + savedDC : savedDC - 1;
    if (index < 0 || index >= count)
        return FALSE;
    *m_state = m_saved[index];
    m_saved.resize(index);
    if (m_memoryDC && m_state->bitmapSurface) {
        m_surface = m_state->bitmapSurface;
        m_surfaceClip = CRect(0, 0, m_surface->Width(), m_surface->Height());
    }
    return TRUE;
}
