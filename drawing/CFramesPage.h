#pragma once

#include "drawing/CPages.h"
#include "ui/CColorButton.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

// The "Frames" page of the dimension objects: style, width and colour of the extension lines.
class CFramesPage : public CPages {
    DECLARE_DYNAMIC(CFramesPage)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CFramesPage(CWnd* parent = nullptr);

    void SetObject(CPaint* object) override;
    void ApplyControls() override;

    CLineWidthCombo m_widthCombo;
    CLineStyleCombo m_styleCombo;
    CColorButton m_colorButton;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPickerChosen() { ApplyControls(); }
    void OnFramesColor();
};
