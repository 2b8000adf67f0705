#include "model/PatternFile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"
#include "platform/base/WholeFile.h"

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

std::optional<PatternBytes> FindPattern(const CString& name) {
    if (auto bytes = ReadPattern(name))
        return bytes;
    CString fileName, extension;
    CWinPath::Split(name.c_str(), nullptr, nullptr, &fileName, &extension);
    const CString bare = fileName + extension;
    if (auto bytes = ReadPattern(CDataFolders::GetBaseFolder() + "PATTERNS\\" + bare))
        return bytes;
    return ReadPattern(CDataFolders::GetDataFolder(CDataFolders::Patterns) + bare);
}

}  // namespace

int LoadPatternFile(const CString& name, std::unique_ptr<CBitmap>& bitmap, int) {
    if (name.IsEmpty())
        return 0;
    const std::optional<PatternBytes> bytes = FindPattern(name);
    if (!bytes)
        return 0;
    auto loaded = std::make_unique<CBitmap>();
    if (!loaded->CreateBitmap(8, 8, 1, 1, bytes->data()))
        return 0;
    bitmap = std::move(loaded);
    return 1;
}
