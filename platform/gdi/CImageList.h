#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CPoint.h"
#include "platform/gdi/GdiTypes.h"

class CDC;
class CWnd;
class PixelSurface;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
// The draw-style bits that lay overlay image n (1 to 15, see SetOverlayImage) over the picture.
constexpr UINT INDEXTOOVERLAYMASK(int index) { return static_cast<UINT>(index) << 8; }
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// Images of one size, each with an optional mask, drawn plain, transparent or blended with the
// selection colour. Strips added are cut into cells of the list's width.
class CImageList {
  public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list made of the cells of a strip, pixels of maskColor transparent.
    BOOL Create(CBitmap* strip, int cx, int grow, COLORREF maskColor);
    BOOL DeleteImageList();
    void* GetSafeHandle() const { return m_created ? const_cast<CImageList*>(this) : nullptr; }

    // Each answers the index of the first image added, or -1.
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF maskColor);
    BOOL Replace(int index, CBitmap* image, CBitmap* mask);
    BOOL Remove(int index);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    CSize GetImageSize() const { return m_size; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }

    // Makes image the overlay drawn for INDEXTOOVERLAYMASK(overlay), overlay 1 to 15.
    BOOL SetOverlayImage(int image, int overlay);
    BOOL Draw(CDC* dc, int index, POINT at, UINT style);

    // Dragging: image follows the pointer with its pixel hotSpot under it, laid over the locked
    // window (or the screen) without touching the window's pixels. Points are relative to the
    // lock window's upper-left corner. One drag at a time, for the whole program.
    BOOL BeginDrag(int image, CPoint hotSpot);
    static BOOL DragEnter(CWnd* lock, CPoint point);
    static BOOL DragMove(CPoint point);
    static BOOL DragShowNolock(BOOL show);
    static BOOL DragLeave(CWnd* lock);
    static void EndDrag();

  private:
    struct Image {
        std::shared_ptr<PixelSurface> pixels;
        std::vector<bool> transparent;  // row by row
    };
    int AddCells(const PixelSurface& pixels, const PixelSurface* mask, const COLORREF* maskColor);
    Image Cell(const PixelSurface& pixels, const PixelSurface* mask, const COLORREF* maskColor,
               int left) const;

    bool m_created = false;
    bool m_masked = false;
    CSize m_size;
    COLORREF m_bkColor = CLR_NONE;
    std::vector<Image> m_images;
    int m_overlays[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
