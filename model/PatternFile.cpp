#include "model/PatternFile.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

#include "model/CDataFolders.h"
#include "platform/base/CWinPath.h"

namespace {

using PatternBytes = std::array<unsigned char, kPatternFileSize>;

std::optional<PatternBytes> ReadPattern(const CString& storedPath) {
    std::ifstream file(CWinPath::Resolve(storedPath.c_str()), std::ios::binary);
    PatternBytes bytes{};
    if (!file.read(reinterpret_cast<char*>(bytes.data()), kPatternFileSize))
        return std::nullopt;
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
