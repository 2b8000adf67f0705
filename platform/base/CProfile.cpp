#include "platform/base/CProfile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/base/NumberParsing.h"
#include "platform/base/WholeFile.h"

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
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

void CProfile::SetPath(std::filesystem::path file) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_path = std::move(file);
    m_trusted = false;
}

unsigned CProfile::DiskReads() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_diskReads;
}

const CIniDocument& CProfile::Document() const {
    if (!m_trusted || FileStamp::Of(m_path) != m_stamp)
        ReadFromDisk();
    return m_document;
}

void CProfile::ReadFromDisk() const {
    const std::timespec moment = FileStamp::FileClockNow();
    std::string content;
    std::optional<FileStamp> stamp;
    m_readable = ReadWholeFile(m_path, content, &stamp);
    ++m_diskReads;
    m_document = CIniDocument(content);
    m_stamp = stamp;
    // A file stamped in this very tick of the file system's clock could still be rewritten in
    // place with the same size and the same stamp; it is read again next time.
    m_trusted = m_readable && (!stamp || stamp->IsOlderThan(moment));
}

CString CProfile::GetProfileString(const char* section, const char* key, const char* defaultValue) const {
    if (!section || !key) {
        return CString(defaultValue);
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::optional<std::string> value = Document().Value(section, key);
    return value ? CString(std::move(*value)) : CString(defaultValue);
}

UINT CProfile::GetProfileInt(const char* section, const char* key, int defaultValue) const {
    if (!section || !key) {
        return static_cast<UINT>(defaultValue);
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::optional<std::string> value = Document().Value(section, key);
    return static_cast<UINT>(value ? ParseInt(value->c_str()) : defaultValue);
}

BOOL CProfile::WriteProfileString(const char* section, const char* key, const char* value) {
    if (!section || !ValidNames(section, key, value)) {
        return FALSE;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    CIniDocument lines = Document();
    if (!m_readable) {
        return FALSE;
    }
    if (!key) {
        lines.RemoveSection(section);
    } else if (!value) {
        lines.RemoveKey(section, key);
    } else {
        lines.SetValue(section, key, value);
    }
    if (!ReplaceWholeFile(m_path, lines.Content())) {
        return FALSE;
    }
    // The new file is ours alone until another program notices it, so what was written is what
    // the file holds while it keeps the stamp it has now.
    m_document = std::move(lines);
    m_stamp = FileStamp::Of(m_path);
    m_trusted = m_stamp.has_value();
    return TRUE;
}

BOOL CProfile::WriteProfileInt(const char* section, const char* key, int value) {
    return WriteProfileString(section, key, std::to_string(value).c_str());
}
