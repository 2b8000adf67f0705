#include "ui/DataFolderFileDialog.h"

#include <filesystem>
#include <system_error>

#include "platform/base/CWinPath.h"

INT_PTR RunFileDialogIn(CFileDialog& dialog, CDataFolders::Folder folder, CString& chosen) {
    // The file dialog works in the disk's own paths, the program in its stored form.
    const CString diskFolder(CWinPath::Resolve(CDataFolders::GetDataFolder(folder).c_str()).string().c_str());
    dialog.m_ofn.lpstrInitialDir = diskFolder.c_str();
    const INT_PTR result = dialog.DoModal();
    dialog.m_ofn.lpstrInitialDir = nullptr;
    if (result == IDOK)
        chosen = CWinPath::FromReal(std::filesystem::path(dialog.GetPathName().c_str()));
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

CString DiskNameOf(const CString& storedName) {
    if (storedName.FindOneOf("*?") >= 0)
        return storedName;
    return CString(CWinPath::Resolve(storedName.c_str()).string().c_str());
}
