#pragma once

#include <vector>

#include "platform/win/CWnd.h"

// A grid of colour swatches; a click (or the arrow keys) selects one and tells the owner with
// BN_CLICKED under the grid's id.
class ColorSwatchGrid : public CWnd {
  public:
    ColorSwatchGrid(int columns, std::vector<COLORREF> colors);

    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    int GetSelected() const { return m_selected; }
    void SetSelected(int index);
    COLORREF GetColor(int index) const;
    void SetColor(int index, COLORREF color);
    int Find(COLORREF color) const;
    // The swatch's rectangle in client coordinates.
    CRect SwatchRect(int index) const;

  protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    UINT OnGetDlgCode() override;

  private:
    void Choose(int index);

    int m_columns;
    std::vector<COLORREF> m_colors;
    int m_selected = -1;
};
