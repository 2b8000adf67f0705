#pragma once

#include "drawing/CPages.h"
#include "ui/CArrowLengthCombo.h"
#include "ui/CArrowStyleCombo.h"
#include "ui/CArrowWidthCombo.h"
#include "ui/CColorButton.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

// The "Line" page of the dimension objects: the pen and the arrowheads. Style and width are
// chosen independently here.
class CLinePage : public CPages {
    DECLARE_DYNAMIC(CLinePage)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CLinePage(CWnd* parent = nullptr);

    void SetObject(CPaint* object) override;
    void ApplyControls() override;

    CColorButton m_lineColorButton;
    CLineWidthCombo m_widthCombo;
    CLineStyleCombo m_styleCombo;
    CArrowWidthCombo m_arrowWidthCombo;
    CArrowStyleCombo m_arrowStyleCombo;
    CArrowLengthCombo m_arrowLengthCombo;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPickerChosen() { ApplyControls(); }
    void OnLineColor();
};
