#pragma once

#include <span>

#include "drawing/CPages.h"
#include "platform/ctl/CButton.h"
#include "ui/CColorButton.h"
#include "ui/CHatchCombo.h"

// The "Fill" page: fill flag and colour, and a hatch or a custom pattern file drawn over the
// fill; "New" draws a pattern in the pattern editor, "Browse" picks a file. With the pattern on,
// "Pattern color" feeds the brush and "Fill color" the background; with it off, "Fill color"
// feeds the brush and "Pattern color" keeps the object's fill colour.
class CFillPage : public CPages {
    DECLARE_DYNAMIC(CFillPage)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CFillPage(CWnd* parent = nullptr);

    void SetObject(CPaint* object) override;
    void ApplyControls() override;

    CButton m_patternsButton;
    CButton m_customButton;
    int m_bFillOn = 0;
    CColorButton m_fillColorButton;
    int m_bPatternOn = 0;
    CHatchCombo m_hatchCombo;
    CColorButton m_patternColorButton;
    int m_nPatternKind = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnFill();
    void OnPattern();
    void OnHatchChosen();
    void OnPatternKind() { ApplyControls(); }
    void OnFillColor();
    void OnPatternColor();
    void OnNewPattern();
    void OnBrowsePattern();

  private:
    static bool TakesFill(const CString& className);
    void EnableControls(std::span<const int> ids, BOOL enable);
    void CheckPatternKind(int kind);
    // The working copy draws with the named pattern file from now on.
    void TakePatternFile(const CString& name);
};
