#include "platform/base/CProfile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/base/NumberParsing.h"
#include "platform/base/Windows1252.h"

namespace {

constexpr const char* kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsQuoted(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

// A stored value loses its surrounding blanks and one pair of surrounding quotes, as on Windows.
std::string DecodeValue(std::string_view stored) {
    std::string_view value = Trimmed(stored);
    if (IsQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Quotes a value only when reading it back would otherwise change it.
std::string EncodeValue(std::string_view value) {
    if (DecodeValue(value) == value) {
        return std::string(value);
    }
    return "\"" + std::string(value) + "\"";
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// One line of the file, as read; section and key lines also carry their names.
struct Line {
    enum Kind { Other, Section, Entry } kind = Other;
    std::string text;
    std::string name;
};

std::optional<std::string> SectionName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(Trimmed(trimmed.substr(1, close - 1)));
}

Line ParseLine(std::string text) {
    Line line{Line::Other, std::move(text), {}};
    std::string_view trimmed = Trimmed(line.text);
    if (std::optional<std::string> section = SectionName(trimmed)) {
        line.kind = Line::Section;
        line.name = *section;
    } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.find('=') != std::string_view::npos) {
        line.kind = Line::Entry;
        line.name = std::string(Trimmed(trimmed.substr(0, trimmed.find('='))));
    }
    return line;
}

// The whole file; a missing file reads as empty. False when it exists but cannot be read.
bool ReadContent(const std::filesystem::path& file, std::string& content) {
    int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT;
    }
    struct stat status {};
    bool readable = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    char buffer[4096];
    ssize_t count = 0;
    while (readable && (count = read(descriptor, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<size_t>(count));
    }
    close(descriptor);
    return readable && count == 0;
}

// The file's lines with the positions of sections and keys; edits keep every other line.
class IniLines {
  public:
    explicit IniLines(const std::filesystem::path& file) {
        std::string content;
        m_readable = ReadContent(file, content);
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\n', start);
            std::string text =
                content.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!text.empty() && text.back() == '\r') {
                text.pop_back();
                m_lineEnd = "\r\n";
            }
            m_lines.push_back(ParseLine(std::move(text)));
            start = end == std::string::npos ? content.size() : end + 1;
        }
    }

    // False when the file exists but could not be read; rewriting it would then lose its content.
    bool Readable() const { return m_readable; }

    std::optional<std::string> Value(std::string_view section, std::string_view key) const {
        std::optional<size_t> entry = FindEntry(section, key);
        if (!entry) {
            return std::nullopt;
        }
        const std::string& text = m_lines[*entry].text;
        return DecodeValue(std::string_view(text).substr(text.find('=') + 1));
    }

    void SetValue(std::string_view section, std::string_view key, std::string_view value) {
        std::string encoded = EncodeValue(value);
        if (std::optional<size_t> entry = FindEntry(section, key)) {
            std::string& text = m_lines[*entry].text;
            text = text.substr(0, text.find('=') + 1) + encoded;
            return;
        }
        std::optional<size_t> header = FindSection(section);
        if (!header) {
            m_lines.push_back(ParseLine("[" + std::string(section) + "]"));
            header = m_lines.size() - 1;
        }
        size_t at = LastNonBlankOfSection(*header) + 1;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at),
                       ParseLine(std::string(key) + "=" + encoded));
    }

    void RemoveKey(std::string_view section, std::string_view key) {
        if (std::optional<size_t> entry = FindEntry(section, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*entry));
        }
    }

    void RemoveSection(std::string_view section) {
        if (std::optional<size_t> header = FindSection(section)) {
            auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(*header);
            auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(EndOfSection(*header));
            m_lines.erase(first, last);
        }
    }

    std::string Content() const {
        std::string content;
        for (const Line& line : m_lines) {
            content += line.text;
            content += m_lineEnd;
        }
        return content;
    }

  private:
    std::optional<size_t> FindSection(std::string_view section) const {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Line::Section && CompareAnsiNoCase(m_lines[i].name, section) == 0) {
                return i;
            }
        }
        return std::nullopt;
    }

    size_t EndOfSection(size_t header) const {
        size_t end = header + 1;
        while (end < m_lines.size() && m_lines[end].kind != Line::Section) {
            ++end;
        }
        return end;
    }

    size_t LastNonBlankOfSection(size_t header) const {
        size_t last = header;
        for (size_t i = header + 1; i < EndOfSection(header); ++i) {
            if (!Trimmed(m_lines[i].text).empty()) {
                last = i;
            }
        }
        return last;
    }

    std::optional<size_t> FindEntry(std::string_view section, std::string_view key) const {
        std::optional<size_t> header = FindSection(section);
        if (!header) {
            return std::nullopt;
        }
        for (size_t i = *header + 1; i < EndOfSection(*header); ++i) {
            if (m_lines[i].kind == Line::Entry && CompareAnsiNoCase(m_lines[i].name, key) == 0) {
                return i;
            }
        }
        return std::nullopt;
    }

    std::vector<Line> m_lines;
    std::string m_lineEnd = "\n";
    bool m_readable = true;
};

bool WriteAll(int descriptor, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        ssize_t count = write(descriptor, content.data() + written, content.size() - written);
        if (count < 0) {
            return false;
        }
        written += static_cast<size_t>(count);
    }
    return true;
}

// Writes a temporary neighbour and renames it over the file, so that a failed write leaves the
// old file whole.
bool ReplaceFile(const std::filesystem::path& file, const std::string& content) {
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    std::string temporary = file.string() + ".XXXXXX";
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        return false;
    }
    struct stat existing {};
    fchmod(descriptor, stat(file.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644);
    bool written = WriteAll(descriptor, content) && fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    if (!written || rename(temporary.c_str(), file.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
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
    std::optional<std::string> value = IniLines(m_path).Value(section, key);
    return value ? CString(std::move(*value)) : CString(defaultValue);
}

UINT CProfile::GetProfileInt(const char* section, const char* key, int defaultValue) const {
    if (!section || !key) {
        return static_cast<UINT>(defaultValue);
    }
    std::optional<std::string> value = IniLines(m_path).Value(section, key);
    return static_cast<UINT>(value ? ParseInt(value->c_str()) : defaultValue);
}

BOOL CProfile::WriteProfileString(const char* section, const char* key, const char* value) {
    if (!section || !ValidNames(section, key, value)) {
        return FALSE;
    }
    IniLines lines(m_path);
    if (!lines.Readable()) {
        return FALSE;
    }
    if (!key) {
        lines.RemoveSection(section);
    } else if (!value) {
        lines.RemoveKey(section, key);
    } else {
        lines.SetValue(section, key, value);
    }
    return ReplaceFile(m_path, lines.Content()) ? TRUE : FALSE;
}

BOOL CProfile::WriteProfileInt(const char* section, const char* key, int value) {
    return WriteProfileString(section, key, std::to_string(value).c_str());
}
