#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/FileSystemText.h"

// One entry of a folder as a file dialog shows it: the name as the program's text, the real
// name on disk (which the text may not spell exactly), whether it is a folder, and its size.
struct FolderEntry {
    CString name;
    std::filesystem::path diskName;
    bool isFolder = false;
    std::uintmax_t size = 0;
};

// The folders of folder, then its files matching one of the patterns, each group sorted by
// name without regard to case. Hidden entries (names starting with a dot) are left out; an
// unreadable folder lists nothing.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder,
                                    const std::vector<CString>& patterns);
