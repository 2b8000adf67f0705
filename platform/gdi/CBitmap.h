#pragma once

#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/CSize.h"

class CDC;
class PixelSurface;

// A bitmap: monochrome (1 bit) or colour. Colour bitmaps hold 32-bit pixels whatever depth they
// were created with; the depth is kept for GetBitmap and the bits calls.
class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
  public:
    // bits: rows top-down, each padded to a multiple of 16 bits, or null for a black bitmap.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    // A bitmap the DC can draw into: monochrome for a memory DC holding its default bitmap.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // A DIB section: *bits receives the pixels in the DIB's own format, which drawing keeps current.
    BOOL CreateDIBSection(const BITMAPINFO* info, UINT usage, void** bits);
    // A bitmap from a .bmp file.
    BOOL LoadBitmapFile(const CString& path);
    // A bitmap holding a copy of surface's pixels.
    BOOL CreateFromSurface(const PixelSurface& surface, bool monochrome = false);
    // A bitmap showing surface's pixels themselves, shared with every bitmap made from the same
    // surface: for pictures that are only read, never drawn into.
    BOOL ShareSurface(std::shared_ptr<PixelSurface> surface, bool monochrome = false);

    int GetBitmap(BITMAP* bitmap) const;
    CSize GetBitmapDimension() const;
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    // Writes a .bmp at 1, 4, 8, 16, 24 or 32 bits; a PNG for looking at.
    BOOL SaveBmpFile(const CString& path, int bitCount) const;
    BOOL WritePng(const CString& path) const;

    bool IsMonochrome() const { return m_bitsPixel == 1; }
    int BitsPixel() const { return m_bitsPixel; }
    const std::shared_ptr<PixelSurface>& Surface() const { return m_surface; }

  protected:
    void Release() override;

  private:
    BOOL Adopt(std::shared_ptr<PixelSurface> surface, int bitsPixel);
    int BitsStride() const;

    std::shared_ptr<PixelSurface> m_surface;
    int m_bitsPixel = 32;
    void* m_dibBits = nullptr;
    // The bits last set: no pixel covers the padding at the end of each row, which the bits
    // calls give back as they were set.
    std::vector<BYTE> m_setBits;
};
