#include "model/CDataFolders.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/base/CWinPath.h"
#include "platform/base/Windows1252.h"

namespace {

constexpr CDataFolders::Entry kFolders[CDataFolders::FolderCount] = {
    {"Backdrops", "BACKDROPS\\"}, {"Databases", "DATABASES\\"},   {"Libraries", "LIBRARIES\\"},
    {"Patterns", "PATTERNS\\"},   {"Bitmaps", "BITMAPS\\"},       {"3DBitmaps", "3DBITMAPS\\"},
    {"Textures", "TEXTURES\\"},   {"3DTextures", "3DTEXTURES\\"}, {"Scripts", "SCRIPTS\\"},
    {"Trains", "TRAINS\\"},
};

CString& BaseFolder() {
    static CString folder;
    return folder;
}

bool CanEnter(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) && access(folder.c_str(), X_OK) == 0;
}

}  // namespace

std::span<const CDataFolders::Entry> CDataFolders::Table() {
    return kFolders;
}

CString CDataFolders::GetBaseFolder() {
    return BaseFolder();
}

void CDataFolders::SetBaseFolder(const CString& folder) {
    BaseFolder() = folder;
}

int CDataFolders::FolderExists(CString& folder) {
    if (folder.IsEmpty()) {
        return 0;
    }
    if (folder[folder.GetLength() - 1] != '\\') {
        folder += '\\';
    }
    return CanEnter(CWinPath::Resolve(folder)) ? 1 : 0;
}

CString CDataFolders::GetDataFolder(Folder folder, const CProfile& profile) {
    if (folder < 0 || folder >= FolderCount) {
        return CString();
    }
    CString path = GetBaseFolder() + kFolders[folder].subFolder;
    if (FolderExists(path)) {
        return path;
    }
    path = profile.GetProfileString("Paths", kFolders[folder].key, path);
    FolderExists(path);
    return path;
}

CString CDataFolders::BareName(const CString& path) {
    CString name;
    CString extension;
    CWinPath::Split(path.c_str(), nullptr, nullptr, &name, &extension);
    return name + extension;
}

CString CDataFolders::GetDataFolder(const char* key, const CProfile& profile) {
    for (int i = 0; i < FolderCount; ++i) {
        if (key && CompareAnsiNoCase(kFolders[i].key, key) == 0) {
            return GetDataFolder(static_cast<Folder>(i), profile);
        }
    }
    return CString();
}
