#include "ui/CPreviewFileDialog.h"

#include "resources/FilePreviewTemplate.h"

IMPLEMENT_DYNAMIC(CPreviewFileDialog, CFileDialog)

BEGIN_MESSAGE_MAP(CPreviewFileDialog, CFileDialog)
ON_BN_CLICKED(IDC_FILE_SHOW_PREVIEW, OnShowPreviewClicked)
END_MESSAGE_MAP()

CPreviewFileDialog::CPreviewFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                                       LPCTSTR filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExt, fileName, flags, filter, parent) {
    RegisterDialogTemplate(FilePreviewTemplate());
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
    SetTemplate(IDD_FILE_PREVIEW);
}

BOOL CPreviewFileDialog::OnInitDialog() {
    const BOOL defaultFocus = CFileDialog::OnInitDialog();
    CheckDlgButton(IDC_FILE_SHOW_PREVIEW, BST_CHECKED);
    return defaultFocus;
}

bool CPreviewFileDialog::IsPreviewShown() const {
    return IsDlgButtonChecked(IDC_FILE_SHOW_PREVIEW) == BST_CHECKED;
}
