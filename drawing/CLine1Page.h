#pragma once

#include "drawing/CPages.h"
#include "ui/CColorButton.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

// The "Line" page of every 2D object but the dimension objects: style, width and colour of the
// pen. A styled line is always one pixel wide here, so choosing one resets the other.
class CLine1Page : public CPages {
    DECLARE_DYNAMIC(CLine1Page)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CLine1Page(CWnd* parent = nullptr);

    void SetObject(CPaint* object) override;
    void ApplyControls() override;

    CColorButton m_fillColorButton;
    CColorButton m_pointsColorButton;
    CLineWidthCombo m_widthCombo;
    CLineStyleCombo m_styleCombo;
    CColorButton m_lineColorButton;
    int m_bFillOn = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnStyleChosen();
    void OnWidthChosen();
    void OnLineColor();
};
