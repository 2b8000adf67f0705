#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDCTrace.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRect.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/DeviceMapping.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/RectRegion.h"

class PixelSurface;
class CoverageMask;
class DevicePath;
class DeviceFont;
struct PrintJob;

// A device context: GDI's drawing model (mapping mode, selected objects, current position,
// colours, raster operation, clip region) over a surface of pixels. Figures are drawn in device
// space without antialiasing; every raster operation is applied pixel by pixel.
//
// A DC draws on one of: a window's backing surface (AttachSurface, with the window's origin and
// clip), the bitmap selected into a memory DC (CreateCompatibleDC), or the current page of a
// printer DC (CreatePrinterDC), whose pages go one image each into a PDF file.
class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
  public:
    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // --- Making the DC --------------------------------------------------------------------
    // A memory DC holding a 1x1 monochrome bitmap, like the screen (or like dc) otherwise.
    BOOL CreateCompatibleDC(CDC* dc);
    // A DC over a surface: device point (0, 0) is surface point origin; drawing stays inside clip
    // (device coordinates of this DC).
    void AttachSurface(std::shared_ptr<PixelSurface> surface, CPoint origin, const CRect& clip);
    // A printer at dpi dots per inch on paper of the given size (tenths of a millimetre) that
    // writes its pages to pdfPath (StartDoc may name another file). Its device surface is the
    // printable area inside the margins (tenths of a millimetre from each edge): device point
    // (0, 0) lies at the printing offset, and each page of the PDF is the whole sheet.
    BOOL CreatePrinterDC(const CString& pdfPath, int dpi = 300, int paperWidth = 2100, int paperHeight = 2970,
                         const CRect& margins = CRect());
    BOOL DeleteDC();
    HGDIOBJ GetSafeHdc() const { return m_surface ? const_cast<CDC*>(this) : nullptr; }
    HGDIOBJ m_hDC = nullptr;
    HGDIOBJ m_hAttribDC = nullptr;

    // --- Device ---------------------------------------------------------------------------
    int GetDeviceCaps(int index) const;
    BOOL IsPrinting() const { return m_printJob != nullptr; }
    bool IsMonochrome() const;
    const std::shared_ptr<PixelSurface>& Surface() const { return m_surface; }
    CPoint SurfaceOrigin() const { return m_origin; }
    // The DC's pixels (its device rectangle) as a PNG file.
    BOOL WritePng(const CString& path) const;
    // For tests: while on, every primitive drawn is also recorded (the drawing itself is unchanged).
    void EnableTrace(bool on) { m_tracing = on; }
    const std::vector<CDCTraceEntry>& GetTrace() const { return m_trace; }
    void ClearTrace() { m_trace.clear(); }
    // For tests: with fast paths off, every primitive goes the general way, and the drawing above
    // draws every detail however small on the device, to compare pixels with.
    void EnableFastPaths(bool on) { m_fastPaths = on; }
    bool FastPathsEnabled() const { return m_fastPaths; }
    // The logical-to-device mapping as it stands, for mapping many points at once.
    DeviceMapping Mapping() const;

    // --- Printing -------------------------------------------------------------------------
    int StartDoc(const DOCINFO* docInfo);
    int StartDoc(LPCTSTR docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    // A file has no printer to make the copies: the document's pages, drawn once, are repeated
    // after it until it holds that many copies.
    void SetPrintCopies(int copies);
    int AbortDoc();

    // --- Mapping --------------------------------------------------------------------------
    int SetMapMode(int mapMode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const { LPtoDP(reinterpret_cast<POINT*>(rect), 2); }
    void LPtoDP(SIZE* size) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const { DPtoLP(reinterpret_cast<POINT*>(rect), 2); }
    void DPtoLP(SIZE* size) const;

    // --- Objects and attributes -----------------------------------------------------------
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    // Selects a copy of the region as the clip region; answers the region's complexity.
    int SelectObject(CRgn* region);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette() { return 0; }
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetStretchBltMode(int mode);
    CPoint SetBrushOrg(int x, int y);

    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // --- Lines and figures (logical coordinates) ------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    // MoveTo(from) and LineTo(to), for a caller that has already mapped both points to pixels
    // with LPtoDP: a dense run of short lines maps each point once.
    BOOL LineBetween(POINT from, POINT to, POINT fromPixel, POINT toPixel);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL PolyBezier(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const int* counts, int polygons);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(const RECT* rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int width, int height);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(const RECT* rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    // Arcs go counterclockwise (as seen on the device) from the start radial to the end radial.
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(const RECT* rect, POINT start, POINT end);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(const RECT* rect, POINT start, POINT end);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    void FillRect(const RECT* rect, CBrush* brush);
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(const RECT* rect, CBrush* brush);
    void InvertRect(const RECT* rect);
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
    void DrawFocusRect(const RECT* rect);
    BOOL DrawFrameControl(RECT* rect, UINT type, UINT state);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL PaintRgn(CRgn* region);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);

    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // --- Paths ----------------------------------------------------------------------------
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL CloseFigure();
    BOOL FillPath();
    BOOL StrokePath();
    BOOL StrokeAndFillPath();

    // --- Clipping (regions in device units, rectangles in logical ones) ---------------------
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(const RECT* rect) {
        return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(const RECT* rect) {
        return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    int OffsetClipRgn(int dx, int dy);
    // The clip box in logical coordinates.
    int GetClipBox(RECT* rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(const RECT* rect) const;

    // --- Text -----------------------------------------------------------------------------
    BOOL TextOut(int x, int y, const char* text, int length);
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.c_str(), text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, int length,
                    const int* widths);
    int DrawText(const char* text, int length, RECT* rect, UINT format);
    int DrawText(const CString& text, RECT* rect, UINT format) {
        return DrawText(text.c_str(), text.GetLength(), rect, format);
    }
    CSize GetTextExtent(const char* text, int length) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text.c_str(), text.GetLength()); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    CSize GetTabbedTextExtent(const CString& text, int, const int*) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
    BOOL GetCharWidth(UINT first, UINT last, int* widths) const;
    int GetTextFace(int count, char* faceName) const;

    // --- Bitmaps and blocks ---------------------------------------------------------------
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                      const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                          UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
    // Rows of a bitmap as a DIB in the format info asks for (its colour table filled in); with
    // bits null only the header (image size, colours) is completed. Answers the rows copied.
    static int GetDIBits(CBitmap* bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
                         UINT usage);
    static int SetDIBits(CBitmap* bitmap, UINT startScan, UINT scanLines, const void* bits,
                         const BITMAPINFO* info, UINT usage);
    // A bitmap compatible with this DC from a DIB (CBM_INIT copies the bits).
    BOOL CreateDIBitmap(CBitmap* bitmap, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                        const BITMAPINFO* info, UINT usage);

  private:
    struct Brush;
    struct Pen;
    struct State;
    class KeptClip;
    class Painter;

    // Mapping helpers.
    CPoint ToDevice(int x, int y) const;
    double DeviceX(double x) const;
    double DeviceY(double y) const;
    CRect DeviceRect(int x1, int y1, int x2, int y2) const;
    void AdjustIsotropic();
    void SetFixedScale(int mapMode);

    // Drawing helpers.
    CRect DrawingLimit() const;
    const RectRegion& VisibleRegion() const;
    // Every change of the clip goes through here, so that it takes a new version.
    void SetClip(std::optional<RectRegion> clip);
    Brush BrushOf(const CBrush* brush) const;
    Brush CurrentBrush() const;
    Brush SolidBrush(COLORREF color) const;
    template <typename Covered>
    void Paint(const CRect& bounds, Covered&& covered, const Brush& brush, int rop2);
    void FillMask(const CoverageMask& mask, const Brush& brush, int rop2);
    // The pixels, each moved by the offset, in the brush's colours.
    void PaintPixels(const std::vector<POINT>& pixels, const Brush& brush, int rop2,
                     CPoint offset = CPoint());
    void FillFigure(const DevicePath& path, bool winding, const Brush& brush);
    void StrokeFigure(const DevicePath& thinPath, bool closed);
    int PenWidthInPixels() const;
    bool PenIsOnePixelSolid() const;
    // Neither null nor dashed nor dotted, whatever its width.
    bool PenStrokesSolid() const;
    void DrawOnePixelLine(CPoint from, CPoint to);
    // width is the pen's in pixels, worked out once per line.
    bool CanStampLine(CPoint from, CPoint to, int width) const;
    void StampWideLine(CPoint from, CPoint to, int width);
    void StrokeLine(CPoint from, CPoint to);
    bool CanStampThinArc(const CRect& box, CPoint start, CPoint end) const;
    void StampThinArc(const CRect& box, CPoint start, CPoint end);
    void FillRows(const CRect& rect, std::uint32_t pixel);
    void CopyRows(const CRect& target, const PixelSurface& source, long long sourceX, long long sourceY);
    void DrawFigure(const DevicePath& path, bool winding, bool closed, bool fill);
    void AddPolyline(DevicePath& path, const POINT* points, int count, bool close) const;
    void FillDeviceRect(const CRect& rect, const Brush& brush, int rop2);
    BOOL DrawArcFigure(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void AddArcFigure(DevicePath& path, int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                      int y4) const;
    void BlitFrom(const CRect& dest, const PixelSurface* source, CPoint sourceOrigin, const CRect& sourceRect,
                  bool sourceMono, COLORREF sourceBk, DWORD rop);
    DeviceFont SelectedDeviceFont() const;
    double FontAngle() const;
    std::string WithEllipsis(std::string text, int width) const;
    void DrawTextLine(const char* text, int length, int x, int y, UINT format, int underlineAt);
    void RecordPath(const DevicePath& figure);
    void WriteBack();
    void Trace(const char* primitive, std::vector<POINT> points, const char* text = nullptr, int length = 0);

    std::shared_ptr<PixelSurface> m_surface;
    CPoint m_origin;
    CRect m_surfaceClip;
    std::unique_ptr<State> m_state;
    std::vector<State> m_saved;
    CBitmap m_defaultBitmap;
    std::unique_ptr<PrintJob> m_printJob;
    bool m_memoryDC = false;
    int m_dpi = 96;
    CSize m_paper;  // the printable area in tenths of a millimetre, printers only
    bool m_tracing = false;
    bool m_fastPaths = true;
    // The visible region, kept while the drawing limit and clip it was made from stay the same.
    struct VisibleCache {
        CRect limit;
        std::uint64_t clipVersion;
        RectRegion region;
    };
    mutable std::optional<VisibleCache> m_visible;
    std::vector<CDCTraceEntry> m_trace;
};
