#include "track/TextureBrowsing.h"

#include <filesystem>

#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "ui/CFileDialogWithPreview.h"

BOOL BrowseTextureFile(CWnd* owner, CString& name) {
    const CString programFolder = CDataFolders::GetBaseFolder() + "TEXTURES\\";
    CString folder = programFolder;
    if (!CDataFolders::FolderExists(folder)) {
        folder = CProfile::Program().GetProfileString("Paths", "Textures", programFolder);
        CDataFolders::FolderExists(folder);
    }
    CFileDialogWithPreview dialog(TRUE, "bmp", name.IsEmpty() ? CString("*.bmp") : name,
                                  OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Bitmap Files (*.bmp)|*.bmp||",
                                  owner);
    // The file dialog works in the disk's own paths, the program in its stored form.
    const CString diskFolder(CWinPath::Resolve(folder).string().c_str());
    dialog.m_ofn.lpstrInitialDir = diskFolder.c_str();
    if (dialog.DoModal() != IDOK)
        return FALSE;
    name = CWinPath::FromReal(std::filesystem::path(dialog.GetPathName().c_str()));
    return TRUE;
}
