#pragma once

#include <memory>
#include <vector>

#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/PaperChoice.h"
#include "platform/ctl/CDialog.h"

class CDC;

// The print dialog and its print setup variant. The printer is "Save as PDF" (a file) or one of
// the CUPS queues, whose properties (paper and orientation) its Properties button shows; the
// dialog also asks for the pages and the copies. Print setup chooses the printer, the paper and
// the orientation (shown as a picture of the page) for the rest of the session. The printer DC it makes
// writes a PDF: to the chosen file, or to a spool file that SendToPrinter hands to the queue.
class CPrintDialog : public CDialog {
    DECLARE_DYNAMIC(CPrintDialog)
  public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* parent = nullptr);
    ~CPrintDialog() override;

    INT_PTR DoModal() override;
    // The dialog as it shows with these flags: print, or print setup.
    static DialogTemplate Template(DWORD flags);
    // Takes the session's printer without asking: the one print setup chose, else the default.
    BOOL GetDefaults();
    // This job goes to the named printer (a print to a printer named on the command line); the
    // session's printer stays.
    void UsePrinter(const CString& printer) { m_printer = printer; }

    CString GetDeviceName() const { return m_printer; }
    CString GetDriverName() const;
    CString GetPortName() const { return GetOutputPath(); }
    DEVMODE* GetDevMode() { return &m_devMode; }
    int GetCopies() const { return m_pd.nCopies; }
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    bool PrintsToQueue() const;

    // Where the printer DC writes: the chosen PDF file, or the spool file of a queue.
    CString GetOutputPath() const;
    // A printer DC for the chosen printer, paper and orientation at 300 dots per inch; owned by
    // the dialog (PD_RETURNDC makes it when OK is pressed).
    CDC* GetPrinterDC() const { return m_dc.get(); }
    CDC* CreatePrinterDC();
    // After the document is written: a queue gets the spool file (the copies through lp), which
    // is then removed. Answers FALSE when lp failed.
    BOOL SendToPrinter();
    // Paper size in tenths of a millimetre, turned for landscape.
    CSize PaperSize() const;
    // What the chosen printer cannot print on along each edge of that paper, in tenths of a
    // millimetre: nothing for "Save as PDF", the media margins of a queue.
    CRect Margins() const;

    PRINTDLG m_pd;
    // The file "Save as PDF" and print-to-file write.
    CString m_strOutputFile;

    // Forgets the printer, paper and orientation print setup chose: the default printer again.
    static void ResetSessionPrinter();

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void FillPrinters();
    void ShowPrinterProperties();
    void UpdateFileField();
    bool ReadPageRange();
    bool ReadCopies(int& copies);
    CString SelectedPrinter() const;

    std::unique_ptr<DialogTemplate> m_built;
    std::vector<CString> m_printers;
    CString m_printer;
    DEVMODE m_devMode;
    CString m_spoolFile;
    std::unique_ptr<CDC> m_dc;
    PaperChoice m_paper;
};
