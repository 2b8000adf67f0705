#include "platform/base/FileSystemText.h"

#include <string>
#include <string_view>

#include "platform/base/Windows1252.h"

std::filesystem::path DiskPath(const char* text) {
    const std::string_view name = text ? text : "";
    if (name.find('?') != std::string_view::npos)
        return {};
    return std::filesystem::path(AnsiToUtf8(name));
}

CString PathText(const std::filesystem::path& path) {
    std::string ansi;
    Utf8ToAnsi(path.native(), ansi);
    return CString(std::move(ansi));
}
