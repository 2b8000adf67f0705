#pragma once

#include <memory>

#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/PaperChoice.h"
#include "platform/ctl/CDialog.h"

// The settings of a printer that the program prints with: the paper, the orientation and the
// resolution the pages are drawn at. OK keeps the changes in Settings().
class PrinterPropertiesDialog : public CDialog {
  public:
    PrinterPropertiesDialog(const CString& printer, const DEVMODE& settings, CWnd* parent);
    ~PrinterPropertiesDialog() override;

    INT_PTR DoModal() override;
    const DEVMODE& Settings() const { return m_settings; }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    CString m_printer;
    DEVMODE m_settings;
    std::unique_ptr<DialogTemplate> m_built;
    PaperChoice m_paper;
};
