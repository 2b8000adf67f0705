#pragma once

#include "platform/win/CWnd.h"

// A page standing upright (portrait) or lying on its side (landscape), with a folded corner
// and lines of text, beside the orientation choice of the print dialogs.
class OrientationPicture : public CWnd {
  public:
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    void SetLandscape(bool landscape);
    bool IsLandscape() const { return m_landscape; }
    // The page's rectangle in client coordinates.
    CRect PageRect() const;

  protected:
    void OnPaint() override;

  private:
    bool m_landscape = false;
};
