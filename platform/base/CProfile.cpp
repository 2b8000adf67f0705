#include "platform/base/CProfile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/base/CIniDocument.h"
#include "platform/base/NumberParsing.h"
#include "platform/base/WholeFile.h"

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

CIniDocument ReadDocument(const std::filesystem::path& file) {
    std::string content;
    ReadWholeFile(file, content);
    return CIniDocument(content);
}

bool ValidNames(const char* section, const char* key, const char* value) {
    std::string_view sectionName = section;
    if (sectionName.empty() || HasLineBreak(sectionName) || sectionName.find(']') != std::string_view::npos) {
        return false;
    }
    if (key && (*key == '\0' || HasLineBreak(key) ||
                std::string_view(key).find('=') != std::string_view::npos || *key == '[' || *key == ';')) {
        return false;
    }
    return !value || !HasLineBreak(value);
}

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : ".";
}

}  // namespace

CProfile::CProfile(std::filesystem::path file) : m_path(std::move(file)) {}

std::filesystem::path CProfile::DefaultPath() {
    std::filesystem::path configHome;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && std::filesystem::path(xdg).is_absolute()) {
        configHome = xdg;
    } else {
        configHome = HomeFolder() / ".config";
    }
    return configHome / "corvane" / "corvane.ini";
}

CProfile& CProfile::Program() {
    static CProfile profile;
    return profile;
}

CString CProfile::GetProfileString(const char* section, const char* key, const char* defaultValue) const {
    if (!section || !key) {
        return CString(defaultValue);
    }
    std::optional<std::string> value = ReadDocument(m_path).Value(section, key);
    return value ? CString(std::move(*value)) : CString(defaultValue);
}

UINT CProfile::GetProfileInt(const char* section, const char* key, int defaultValue) const {
    if (!section || !key) {
        return static_cast<UINT>(defaultValue);
    }
    std::optional<std::string> value = ReadDocument(m_path).Value(section, key);
    return static_cast<UINT>(value ? ParseInt(value->c_str()) : defaultValue);
}

BOOL CProfile::WriteProfileString(const char* section, const char* key, const char* value) {
    if (!section || !ValidNames(section, key, value)) {
        return FALSE;
    }
    std::string content;
    if (!ReadWholeFile(m_path, content)) {
        return FALSE;
    }
    CIniDocument lines(content);
    if (!key) {
        lines.RemoveSection(section);
    } else if (!value) {
        lines.RemoveKey(section, key);
    } else {
        lines.SetValue(section, key, value);
    }
    return ReplaceWholeFile(m_path, lines.Content()) ? TRUE : FALSE;
}

BOOL CProfile::WriteProfileInt(const char* section, const char* key, int value) {
    return WriteProfileString(section, key, std::to_string(value).c_str());
}
