#include "model/PatternFile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>

#include "model/CDataFolders.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/base/WholeFile.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"

namespace {

using PatternBytes = std::array<unsigned char, kPatternFileSize>;

// A name stored in a layout may name a pipe or a device: only a regular file is read.
std::optional<PatternBytes> ReadPattern(const CString& storedPath) {
    const auto content = ReadRegularFile(CWinPath::Resolve(storedPath.c_str()), kPatternFileSize);
    if (!content || content->size() < kPatternFileSize)
        return std::nullopt;
    PatternBytes bytes{};
    std::copy(content->begin(), content->end(), bytes.begin());
    return bytes;
}

std::optional<PatternBytes> FindPattern(CString& name) {
    if (auto bytes = ReadPattern(name))
        return bytes;
    CString fileName, extension;
    CWinPath::Split(name.c_str(), nullptr, nullptr, &fileName, &extension);
    const CString bare = fileName + extension;
    for (const CString& path : {CDataFolders::GetBaseFolder() + "PATTERNS\\" + bare,
                                CDataFolders::GetDataFolder(CDataFolders::Patterns) + bare}) {
        if (auto bytes = ReadPattern(path)) {
            name = path;
            return bytes;
        }
    }
    return std::nullopt;
}

}  // namespace

int LoadPatternFile(CString& name, std::unique_ptr<CBitmap>& bitmap, int) {
    if (name.IsEmpty())
        return 0;
    const std::optional<PatternBytes> found = FindPattern(name);
    PatternBytes bytes;
    if (found)
        bytes = *found;
    else
        bytes.fill(0xFF);
    auto loaded = std::make_unique<CBitmap>();
    if (!loaded->CreateBitmap(8, 8, 1, 1, bytes.data()))
        return 0;
    bitmap = std::move(loaded);
    return found ? 1 : 0;
}

BOOL SavePatternFile(const CString& name, const CBitmap* bitmap) {
    if (name.IsEmpty())
        return FALSE;
    PatternBytes bytes;
    bytes.fill(0xFF);
    if (bitmap != nullptr)
        bitmap->GetBitmapBits(kPatternFileSize, bytes.data());
    std::ofstream file(CWinPath::Resolve(name.c_str()), std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<const char*>(bytes.data()), kPatternFileSize)) {
        AfxMessageBox(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE) + " " + name, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}
