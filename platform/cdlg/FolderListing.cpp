#include "platform/cdlg/FolderListing.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/base/Windows1252.h"
#include "platform/cdlg/FileFilter.h"

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder,
                                    const std::vector<CString>& patterns) {
    std::vector<FolderEntry> folders;
    std::vector<FolderEntry> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied,
                                           error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::path diskName = it->path().filename();
        if (diskName.string().starts_with('.'))
            continue;
        FolderEntry entry{PathText(diskName), diskName, it->is_directory(error), 0};
        if (entry.isFolder) {
            folders.push_back(entry);
        } else if (MatchesAny(entry.name, patterns)) {
            entry.size = it->file_size(error);
            files.push_back(entry);
        }
        error.clear();
    }
    auto byName = [](const FolderEntry& a, const FolderEntry& b) {
        const int order = CompareAnsiNoCase(a.name.c_str(), b.name.c_str());
        return order != 0 ? order < 0 : a.diskName < b.diskName;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}
