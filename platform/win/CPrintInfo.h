#pragma once

#include <functional>
#include <memory>

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"

class CPrintDialog;
class CView;

// One print job as the view's print hooks see it: the printer (a PDF file at a resolution on a
// paper size), the pages to print, the current page and the area to draw it in.
class CPrintInfo {
public:
    void SetMinPage(UINT page) { m_minPage = page; }
    void SetMaxPage(UINT page) { m_maxPage = page; }
    UINT GetMinPage() const { return m_minPage; }
    UINT GetMaxPage() const { return m_maxPage; }
    UINT GetFromPage() const { return m_fromPage ? m_fromPage : m_minPage; }
    UINT GetToPage() const { return m_toPage ? m_toPage : m_maxPage; }
    void SetPageRange(UINT from, UINT to) { m_fromPage = from, m_toPage = to; }

    BOOL m_bDirect = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw;
    CString m_strPageDesc;

    // The printer: where its pages go, its dots per inch, its paper in tenths of a millimetre.
    CString m_strOutput;
    int m_nDpi = 300;
    int m_nPaperWidth = 2100;
    int m_nPaperHeight = 2970;
    // What the printer cannot print on, in tenths of a millimetre from each edge of the paper.
    CRect m_rectMargins;
    // The printer the command line's print-to names; empty for the session's printer.
    CString m_strPrinterName;
    // How many times the output holds the pages, one copy after another: a file holds every
    // copy, where a queue makes its copies itself.
    int m_nCopies = 1;

    // The print dialog that chose the printer (set by the print prompt), and what happens to the
    // finished PDF (a real printer's prompt sends it to the printer).
    std::shared_ptr<CPrintDialog> m_pPD;
    std::function<void(const CString& output)> m_afterPrinting;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = 0xFFFF;
    UINT m_fromPage = 0;
    UINT m_toPage = 0;
};

// How the program asks which printer and pages to use: the print dialog installs one; tests
// script one. It answers FALSE when the user cancels. Without one the default printer is used.
using PrintPrompt = std::function<BOOL(CPrintInfo& info)>;
void AfxSetPrintPrompt(PrintPrompt prompt);
const PrintPrompt& AfxGetPrintPrompt();

// How the program shows a view's print preview: the preview window installs one.
using PrintPreviewRunner = std::function<void(CView* view)>;
void AfxSetPrintPreview(PrintPreviewRunner runner);
