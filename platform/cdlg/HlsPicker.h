#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/cdlg/ColorSpace.h"
#include "platform/win/CWnd.h"

class CDC;

// A picture of colours in a sunken edge that the user picks from with the mouse (a click, or a
// drag while the button is held), with a mark at the colour it holds. Each pick tells the owner
// with BN_CLICKED under the picker's id.
class HlsPicker : public CWnd {
  public:
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    const HlsColor& GetHls() const { return m_hls; }
    void SetHls(const HlsColor& hls);
    // Where the colours are drawn, in client coordinates.
    CRect PictureRect() const;

  protected:
    // The colour of a pixel of the picture, for the colour the picker holds.
    virtual COLORREF ColorAt(CPoint pixel, CSize picture) const = 0;
    // The colour the picker holds after a pick at a pixel of the picture.
    virtual HlsColor PickAt(CPoint pixel, CSize picture) const = 0;
    virtual void DrawMark(CDC& dc) const = 0;
    // Whether the picture drawn while holding a is the one drawn while holding b.
    virtual bool SamePicture(const HlsColor& a, const HlsColor& b) const = 0;
    // Room kept right of the picture, for a mark drawn beside it.
    virtual int RoomBeside() const { return 0; }

    // value (0..from) scaled to 0..to, rounded.
    static int Scale(int value, int from, int to);

    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

  private:
    // The picture's pixels, worked out again only when its size or its colours changed.
    const std::vector<std::uint32_t>& PicturePixels(CSize size);
    void DrawPicture(CDC& dc, const CRect& picture);
    void Pick(CPoint point);

    HlsColor m_hls;
    std::vector<std::uint32_t> m_pixels;
    CSize m_pixelsSize;
    std::optional<HlsColor> m_pixelsHeld;
};
