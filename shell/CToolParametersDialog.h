#pragma once

#include "platform/ctl/CDialog.h"
#include "ui/CColorButton.h"
#include "ui/CHatchCombo.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

class CFrameWnd;
class CTool;

// The modeless "Tool parameters" dialog of the main frame: the line, fill and pattern defaults
// of the active document's editing engine, which objects drawn later take. Every change
// applies at once; Enter applies, Escape and the close box hide the dialog.
class CToolParametersDialog : public CDialog {
    DECLARE_DYNAMIC(CToolParametersDialog)
    DECLARE_MESSAGE_MAP()
  public:
    // Creates the dialog hidden and top-most over the main frame.
    BOOL Create(CFrameWnd* mainFrame);
    // Whether the Tool Parameters command has shown the dialog.
    int m_bShown = 0;
    int m_bFill = 0;
    int m_bPattern = 0;

    // Reads the controls and writes the defaults into the active document's engine.
    void Apply();
    // Fills the controls from the active document's engine.
    void LoadFromEngine();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnShowWindow(BOOL show, UINT status) override;

    void OnLineColor();
    void OnFillColor();
    void OnPatternColor();
    void OnStyleSelected();
    void OnWidthSelected();
    void OnHatchSelected();
    void OnFillClicked();
    void OnPatternClicked();

  private:
    CTool* ActiveEngine() const;
    void PickColour(CColorButton& button);
    void EnableFillControls();
    void EnablePatternControls();
    void EnableControls(std::initializer_list<int> ids, bool enable);

    CFrameWnd* m_mainFrame = nullptr;
    CLineStyleCombo m_style;
    CLineWidthCombo m_width;
    CHatchCombo m_hatch;
    CColorButton m_lineColor;
    CColorButton m_fillColor;
    CColorButton m_patternColor;
};
