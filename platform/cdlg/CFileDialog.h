#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FileFilter.h"
#include "platform/cdlg/FolderListing.h"
#include "platform/ctl/CDialog.h"

class CComboBox;
class CListCtrl;

// The file open and save dialog: the folder (chosen from the folders that hold it, or one level
// up), its sub-folders and the files of the chosen type, the file name and the type. A custom template
// (m_ofn.lpTemplateName with OFN_ENABLETEMPLATE, or SetTemplate) adds its controls below the standard ones;
// they are children of this dialog, and OnFileNameChange tells the dialog each time the selected file
// changes. The initial folder (m_ofn.lpstrInitialDir) and name may be in either path form; the
// dialog shows and answers paths as this system writes them. Without an initial folder that
// exists it opens in the folder of the file last chosen, else in the user's home folder.
class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
  public:
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                CWnd* parent = nullptr);
    ~CFileDialog() override;

    INT_PTR DoModal() override;
    void SetTemplate(UINT templateId) { m_ofn.lpTemplateName = MAKEINTRESOURCE(templateId); }

    // The chosen file after OK; while the dialog runs, the file it has selected or typed.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }

    OPENFILENAME m_ofn;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDrawItem(int id, DRAWITEMSTRUCT* item) override;

    // The extension's hooks, as the framework calls them.
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}
    virtual void OnTypeChange() {}
    // Answers TRUE to refuse the chosen name (the dialog stays).
    virtual BOOL OnFileNameOK() { return FALSE; }

  private:
    void BuildTemplate();
    void ShowFolder(const std::filesystem::path& folder);
    void FillFolderCombo();
    void DrawFolderChoice(const DRAWITEMSTRUCT& item);
    void FillFileList();
    std::vector<CString> CurrentPatterns() const;
    void OnFileListChanged(int item);
    void OnFileListOpened(int item);
    void OnTypeSelected();
    void OnFolderSelected();
    void OnUpOneLevel();
    // Resolves the typed name; answers false when the dialog should stay open.
    bool AcceptTypedName();
    std::filesystem::path TypedPath(const CString& typed) const;
    // The chosen file as the disk spells it; while the dialog is open, the name typed so far.
    std::filesystem::path AnswerPath() const;
    bool ConfirmChoice(const std::filesystem::path& path);
    CString EditText() const;
    CComboBox* FolderCombo() const;
    CComboBox* TypeCombo() const;
    CListCtrl* FileList() const;

    BOOL m_bOpenFileDialog;
    CString m_defaultExt;
    CString m_initialName;
    std::vector<FileType> m_types;
    std::unique_ptr<DialogTemplate> m_built;
    std::filesystem::path m_folder;
    std::vector<std::filesystem::path> m_folderChoices;
    std::vector<FolderEntry> m_entries;
    std::vector<CString> m_typedPatterns;
    std::filesystem::path m_chosen;
};
