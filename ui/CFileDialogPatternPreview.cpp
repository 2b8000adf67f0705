#include "ui/CFileDialogPatternPreview.h"

#include "model/PatternFile.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/ControlFactory.h"
#include "platform/gdi/SystemColors.h"
#include "resources/FilePreviewTemplate.h"
#include "ui/DataFolderFileDialog.h"

IMPLEMENT_DYNAMIC(CFileDialogPatternPreview, CPreviewFileDialog)

CFileDialogPatternPreview::CFileDialogPatternPreview(BOOL openFileDialog, LPCTSTR defaultExt,
                                                     LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                                                     CWnd* parent)
    : CPreviewFileDialog(openFileDialog, defaultExt, fileName, flags, filter, parent) {}

BOOL CFileDialogPatternPreview::ChoosePattern(const CString& currentName, CWnd* parent, CString& chosen) {
    const CString initialName = currentName.IsEmpty() ? CString("*.pat") : currentName;
    CFileDialogPatternPreview dialog(TRUE, "pat", initialName.c_str(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                                     kFilter, parent);
    return RunFileDialogIn(dialog, CDataFolders::Patterns, chosen) == IDOK;
}

BOOL CFileDialogPatternPreview::OnInitDialog() {
    const BOOL defaultFocus = CPreviewFileDialog::OnInitDialog();
    ControlFactory::Subclass(m_preview, IDC_FILE_PREVIEW_AREA, this);
    ControlFactory::Subclass(m_showPreview, IDC_FILE_SHOW_PREVIEW, this);
    ShowBlank();
    m_currentPath.Empty();
    return defaultFocus;
}

void CFileDialogPatternPreview::OnFileNameChange() {
    m_currentPath = GetPathName();
    ShowSelectedPattern();
}

void CFileDialogPatternPreview::ShowBlank() {
    m_previewBrush = std::make_unique<CBrush>(GetSysColor(COLOR_WINDOW));
    if (m_preview.m_hWnd)
        m_preview.SetBrush(m_previewBrush.get());
}

void CFileDialogPatternPreview::ShowSelectedPattern() {
    if (!m_preview.m_hWnd || !IsPreviewShown())
        return;
    CString title, extension;
    CWinPath::Split(m_currentPath.c_str(), nullptr, nullptr, &title, &extension);
    if (title.IsEmpty() || title == "*")
        return;
    CString name = m_currentPath;
    std::unique_ptr<CBitmap> bitmap;
    if (!LoadPatternFile(name, bitmap, 0) || !bitmap)
        return;
    m_previewBitmap = std::move(bitmap);
    m_previewBrush = std::make_unique<CBrush>();
    m_previewBrush->CreatePatternBrush(m_previewBitmap.get());
    m_preview.SetBrush(m_previewBrush.get());
}

void CFileDialogPatternPreview::OnShowPreviewClicked() {
    ShowPreviewAsChecked();
}

void CFileDialogPatternPreview::ShowPreviewAsChecked() {
    if (IsPreviewShown())
        ShowSelectedPattern();
    else
        ShowBlank();
}
