#include "ui/DataFolderFileDialog.h"

#include <filesystem>
#include <system_error>

#include "platform/base/CWinPath.h"

INT_PTR RunFileDialogIn(CFileDialog& dialog, CDataFolders::Folder folder, CString& chosen) {
    const CString dataFolder = CDataFolders::GetDataFolder(folder);
    dialog.m_ofn.lpstrInitialDir = dataFolder.c_str();
    const INT_PTR result = dialog.DoModal();
    dialog.m_ofn.lpstrInitialDir = nullptr;
    if (result == IDOK)
        chosen = CWinPath::Stored(dialog.GetPathName());
    RestoreWorkingFolder();
    return result;
}

void RestoreWorkingFolder() {
    const CString programFolder = CDataFolders::GetBaseFolder();
    if (programFolder.IsEmpty())
        return;
    std::error_code error;
    std::filesystem::current_path(CWinPath::Resolve(programFolder.c_str()), error);
}
