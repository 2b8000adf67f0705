#pragma once

#include "platform/win/CWnd.h"

class CImageList;

// The popup under the arrow of a drop-down toolbar button: a column of cells, one per image of
// the list it is lent, with a raised frame on the cell under the mouse. The toolbar decides
// what the chosen cell means.
class CToolPaletteWnd : public CWnd {
    DECLARE_DYNAMIC(CToolPaletteWnd)
  public:
    CToolPaletteWnd();

    BOOL Create(CWnd* parent);
    void SetImageList(CImageList* images) { m_images = images; }
    // Shows the palette at a screen point with cells of pitch rows and cellWidth columns;
    // the second cell starts highlighted.
    void ShowAt(int x, int y, int pitch, int cellWidth);
    void Hide();
    // Hot-cell tracking for a screen point, while the toolbar holds the mouse.
    void TrackPoint(int screenX, int screenY);
    int HotCell() const { return m_hotCell; }

  protected:
    void OnPaint() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

  private:
    void TrackClientPoint(CPoint point);
    CRect CellRect(int cell) const;

    CImageList* m_images = nullptr;
    int m_pitch = 22;
    int m_cellWidth = 22;
    CSize m_imageSize;
    int m_hotCell = -1;
    COLORREF m_shadow;
    COLORREF m_highlight;
};
