#include "shell/CDirectoryPage.h"

#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/MessageBoxes.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/StringTable.h"

namespace {
struct FolderField {
    UINT editId;
    const char* key;
    const char* subFolder;
};

constexpr FolderField kFields[CDirectoryPage::kFolderCount] = {
    {IDC_DIR_3D_OBJECTS, "Scripts", "SCRIPTS\\"},        {IDC_DIR_BACKDROPS, "Backdrops", "BACKDROPS\\"},
    {IDC_DIR_TEXTURES, "Textures", "TEXTURES\\"},        {IDC_DIR_TRAINS, "Trains", "TRAINS\\"},
    {IDC_DIR_3D_TEXTURES, "3DTextures", "3DTEXTURES\\"}, {IDC_DIR_3D_BITMAPS, "3DBitmaps", "3DBITMAPS\\"},
    {IDC_DIR_DATABASES, "Databases", "DATABASES\\"},     {IDC_DIR_LIBRARIES, "Libraries", "LIBRARIES\\"},
    {IDC_DIR_PATTERNS, "Patterns", "PATTERNS\\"},        {IDC_DIR_BITMAPS, "Bitmaps", "BITMAPS\\"},
};

using Folder = CDirectoryPage::Folder;
// The order of the profile's keys, for reading and writing.
constexpr Folder kProfileOrder[] = {CDirectoryPage::kBackdrops,  CDirectoryPage::kTextures,
                                    CDirectoryPage::k3DTextures, CDirectoryPage::k3DObjects,
                                    CDirectoryPage::kTrains,     CDirectoryPage::k3DBitmaps,
                                    CDirectoryPage::kDatabases,  CDirectoryPage::kLibraries,
                                    CDirectoryPage::kPatterns,   CDirectoryPage::kBitmaps};
// The order in which leaving the page checks the folders.
constexpr Folder kCheckOrder[] = {CDirectoryPage::kBackdrops,  CDirectoryPage::kTextures,
                                  CDirectoryPage::k3DTextures, CDirectoryPage::kTrains,
                                  CDirectoryPage::k3DObjects,  CDirectoryPage::k3DBitmaps,
                                  CDirectoryPage::kDatabases,  CDirectoryPage::kLibraries,
                                  CDirectoryPage::kBitmaps,    CDirectoryPage::kPatterns};
constexpr const char* kPaths = "Paths";
}  // namespace

IMPLEMENT_DYNAMIC(CDirectoryPage, CPropertyPage)

CDirectoryPage::CDirectoryPage() : CPropertyPage(DirectoryPageTemplate()) {}

void CDirectoryPage::ReadFolders() {
    const CString programFolder = CDataFolders::GetBaseFolder();
    for (Folder folder : kProfileOrder) {
        const FolderField& field = kFields[folder];
        m_folders[folder] =
            CProfile::Program().GetProfileString(kPaths, field.key, programFolder + field.subFolder);
    }
}

void CDirectoryPage::WriteFolders() const {
    for (Folder folder : kProfileOrder)
        CProfile::Program().WriteProfileString(kPaths, kFields[folder].key, m_folders[folder]);
}

void CDirectoryPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    for (int folder = 0; folder < kFolderCount; ++folder)
        DDX_PathText(dx, kFields[folder].editId, m_folders[folder]);
}

BOOL CDirectoryPage::OnInitDialog() {
    ReadFolders();
    return CPropertyPage::OnInitDialog();
}

BOOL CDirectoryPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    for (Folder folder : kCheckOrder) {
        if (CDataFolders::FolderExists(m_folders[folder]))
            continue;
        CString message;
        message.LoadString(IDS_INVALID_PATH);
        CString path;
        path.Format(" %s", CWinPath::Native(m_folders[folder]).c_str());
        AfxMessageBox(message + path, MB_OK | MB_ICONSTOP);
        GotoDlgCtrl(GetDlgItem(kFields[folder].editId));
    }
    UpdateData(FALSE);
    return TRUE;
}

void CDirectoryPage::OnOK() {
    WriteFolders();
    CPropertyPage::OnOK();
}
