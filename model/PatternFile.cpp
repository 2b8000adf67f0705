#include "model/PatternFile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "model/CDataFileOperation.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "platform/base/CFolderListings.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/base/WholeFile.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"

namespace {

// A name stored in a layout may name a pipe or a device: only a regular file is read.
std::optional<PatternFileBytes> ReadPattern(const CString& storedPath) {
    // Opened from the folder the name was found in: that folder may have been replaced since.
    const auto content = ReadOpenedRegularFile(
        CWinPath::OpenExisting(storedPath.c_str(), kRegularFileOpenFlags), kPatternFileSize);
    if (!content || content->size() < kPatternFileSize)
        return std::nullopt;
    PatternFileBytes bytes{};
    std::copy(content->begin(), content->end(), bytes.begin());
    return bytes;
}

// The folders a pattern is looked for in after its own name, found once per operation; the
// data folder is most often the program's own, which need not be searched twice.
struct PatternFolders {
    std::optional<std::vector<CString>> folders;
};

const std::vector<CString>& SearchFolders() {
    std::optional<std::vector<CString>>& folders =
        CDataFileOperation::KeptByOperation<PatternFolders>().folders;
    if (!folders) {
        folders.emplace(1, CDataFolders::GetBaseFolder() + "PATTERNS\\");
        const CString dataFolder = CDataFolders::GetDataFolder(CDataFolders::Patterns);
        if (dataFolder != folders->front())
            folders->push_back(dataFolder);
    }
    return *folders;
}

std::optional<PatternFileBytes> FindPattern(CString& name) {
    if (auto bytes = ReadPattern(name))
        return bytes;
    const CString bare = CDataFolders::BareName(name);
    for (const CString& folder : SearchFolders()) {
        const CString path = folder + bare;
        if (auto bytes = ReadPattern(path)) {
            name = path;
            return bytes;
        }
    }
    return std::nullopt;
}

// What the running operation found for each pattern name it looked up, found or missing: many
// objects name one file, and each lookup resolves the name on three paths with folder scans.
struct PatternLookups {
    std::map<CString, std::optional<std::pair<CString, PatternFileBytes>>> found;
};

std::optional<PatternFileBytes> FindPatternOnce(CString& name) {
    auto [entry, added] = CDataFileOperation::KeptByOperation<PatternLookups>().found.try_emplace(name);
    if (added) {
        CString foundAs = name;
        if (const std::optional<PatternFileBytes> bytes = FindPattern(foundAs))
            entry->second.emplace(foundAs, *bytes);
    }
    if (!entry->second)
        return std::nullopt;
    name = entry->second->first;
    return entry->second->second;
}

void ReportUnreadable(const CString& name) {
    CMissingFileReport::ShowFile(CStringTable::Text(IDS_COULD_NOT_READ_FILE),
                                 CWinPath::ShownName(name.c_str()));
}

}  // namespace

int LoadPatternFile(CString& name, PatternFileBytes& bytes) {
    if (name.IsEmpty())
        return 0;
    if (const std::optional<PatternFileBytes> found = FindPatternOnce(name)) {
        bytes = *found;
        return 1;
    }
    ReportUnreadable(name);
    bytes.fill(0xFF);
    return 0;
}

int LoadPatternFile(CString& name, std::unique_ptr<CBitmap>& bitmap, int) {
    if (name.IsEmpty())
        return 0;
    PatternFileBytes bytes;
    const int read = LoadPatternFile(name, bytes);
    auto made = std::make_unique<CBitmap>();
    if (!made->CreateBitmap(8, 8, 1, 1, bytes.data()))
        return 0;
    bitmap = std::move(made);
    return read;
}

BOOL SavePatternFile(const CString& name, const CBitmap* bitmap) {
    if (name.IsEmpty())
        return FALSE;
    PatternFileBytes bytes;
    bytes.fill(0xFF);
    if (bitmap != nullptr)
        bitmap->GetBitmapBits(kPatternFileSize, bytes.data());
    // A file written now may be looked up again in the same operation.
    CDataFileOperation::KeptByOperation<PatternLookups>() = PatternLookups();
    std::ofstream file(CWinPath::Resolve(name.c_str()), std::ios::binary | std::ios::trunc);
    CFolderListings::Forget();
    if (!file.write(reinterpret_cast<const char*>(bytes.data()), kPatternFileSize)) {
        AfxMessageBox(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE) + " " + CWinPath::Native(name),
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}
