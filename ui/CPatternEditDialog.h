#pragma once

#include "platform/ctl/CDialog.h"
#include "ui/CColorSwatch.h"
#include "ui/CPatternBitsCtrl.h"

// The "Edit pattern" dialog: the user draws an 8 by 8 fill pattern cell by cell and keeps it
// in a pattern file; "Ok" writes a changed pattern, asking for a name when it has none.
class CPatternEditDialog : public CDialog {
    DECLARE_DYNAMIC(CPatternEditDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CPatternEditDialog(CWnd* parent = nullptr);

    // Before the dialog runs: the pattern to edit.
    void SetPatternName(const CString& name);
    // After it ran: the full path of the loaded or saved pattern, or empty.
    CString GetPatternName() const { return m_patternName; }
    void RefreshPreview();
    const CPatternBitsCtrl& Grid() const { return m_grid; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnBrowse();
    void OnNew();

  private:
    void ShowName();
    // FALSE when the pattern could not be written and the dialog should stay open.
    BOOL SaveChangedPattern();

    CPatternBitsCtrl m_grid;
    CColorSwatch m_preview;
    CString m_patternName;
};
