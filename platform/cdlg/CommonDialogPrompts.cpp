#include "platform/cdlg/CommonDialogPrompts.h"

#include <algorithm>
#include <memory>

#include "platform/cdlg/CFileDialog.h"
#include "platform/cdlg/CPreviewView.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/win/CDocTemplate.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBoxes.h"

namespace {
// "Layout Files (*.cvn)|*.cvn|" for a template that names its type and extension.
CString TemplateFilter(CDocTemplate* docTemplate, CString* defaultExt) {
    CString name, extension;
    if (!docTemplate || !docTemplate->GetDocString(name, CDocTemplate::filterName) ||
        !docTemplate->GetDocString(extension, CDocTemplate::filterExt) || name.IsEmpty() ||
        extension.IsEmpty())
        return CString();
    if (defaultExt && defaultExt->IsEmpty())
        *defaultExt = CString(extension).TrimLeft(".");
    return name + "|*" + extension + "|";
}

BOOL PromptFileName(CString& fileName, BOOL open, CDocTemplate* docTemplate) {
    CString defaultExt;
    CString filter;
    if (docTemplate) {
        filter = TemplateFilter(docTemplate, &defaultExt);
    } else if (CWinApp* app = AfxGetApp()) {
        for (CDocTemplate* each : app->Templates()) filter += TemplateFilter(each, &defaultExt);
    }
    filter += "All Files (*.*)|*.*||";
    const DWORD flags = OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialog dialog(open, defaultExt.IsEmpty() ? nullptr : defaultExt.c_str(), fileName, flags, filter,
                       AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

BOOL PromptPrinter(CPrintInfo& info) {
    auto dialog = std::make_shared<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION,
                                                 AfxGetMainWnd());
    dialog->m_pd.nMinPage = static_cast<WORD>(info.GetMinPage());
    dialog->m_pd.nMaxPage = static_cast<WORD>(info.GetMaxPage());
    dialog->m_pd.nFromPage = static_cast<WORD>(info.GetFromPage());
    dialog->m_pd.nToPage = static_cast<WORD>(info.GetToPage());
    dialog->m_strOutputFile = info.m_strOutput;
    if (!info.m_strPrinterName.IsEmpty())
        dialog->UsePrinter(info.m_strPrinterName);
    // A direct print goes to the session's printer, paper and margins as a confirmed dialog would.
    if (!info.m_bDirect && dialog->DoModal() != IDOK)
        return FALSE;
    if (dialog->PrintRange())
        info.SetPageRange(static_cast<UINT>(dialog->GetFromPage()), static_cast<UINT>(dialog->GetToPage()));
    const CSize paper = dialog->PaperSize();
    info.m_nPaperWidth = paper.cx;
    info.m_nPaperHeight = paper.cy;
    info.m_rectMargins = dialog->Margins();
    info.m_strOutput = dialog->GetOutputPath();
    info.m_pPD = dialog;
    if (!dialog->PrintsToQueue())
        info.m_nCopies = std::max(1, dialog->GetCopies());
    if (dialog->PrintsToQueue()) {
        info.m_afterPrinting = [dialog](const CString&) {
            if (!dialog->SendToPrinter())
                AfxMessageBox(
                    "The document could not be sent to the printer \"" + dialog->GetDeviceName() + "\".",
                    MB_OK | MB_ICONEXCLAMATION);
        };
    }
    return TRUE;
}
}  // namespace

void AfxInstallCommonDialogs() {
    AfxSetFilePrompt(PromptFileName);
    AfxSetPrintPrompt(PromptPrinter);
    AfxSetPrintPreview([](CView* view) { CPreviewView::Start(view); });
}
