#include "platform/base/CIniDocument.h"

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

}  // namespace

CIniDocument::Line CIniDocument::ParseLine(std::string text) {
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

CIniDocument::CIniDocument(std::string_view content) {
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        std::string text(
            content.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
            m_lineEnd = "\r\n";
        }
        m_lines.push_back(ParseLine(std::move(text)));
        start = end == std::string::npos ? content.size() : end + 1;
    }
}

std::optional<std::string> CIniDocument::Value(std::string_view section, std::string_view key) const {
    std::optional<size_t> entry = FindEntry(section, key);
    if (!entry) {
        return std::nullopt;
    }
    const std::string& text = m_lines[*entry].text;
    return DecodeValue(std::string_view(text).substr(text.find('=') + 1));
}

void CIniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
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

void CIniDocument::RemoveKey(std::string_view section, std::string_view key) {
    if (std::optional<size_t> entry = FindEntry(section, key)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*entry));
    }
}

void CIniDocument::RemoveSection(std::string_view section) {
    if (std::optional<size_t> header = FindSection(section)) {
        auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(*header);
        auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(EndOfSection(*header));
        m_lines.erase(first, last);
    }
}

std::string CIniDocument::Content() const {
    std::string content;
    for (const Line& line : m_lines) {
        content += line.text;
        content += m_lineEnd;
    }
    return content;
}

std::optional<size_t> CIniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Section && CompareAnsiNoCase(m_lines[i].name, section) == 0) {
            return i;
        }
    }
    return std::nullopt;
}

size_t CIniDocument::EndOfSection(size_t header) const {
    size_t end = header + 1;
    while (end < m_lines.size() && m_lines[end].kind != Line::Section) {
        ++end;
    }
    return end;
}

size_t CIniDocument::LastNonBlankOfSection(size_t header) const {
    size_t last = header;
    for (size_t i = header + 1; i < EndOfSection(header); ++i) {
        if (!Trimmed(m_lines[i].text).empty()) {
            last = i;
        }
    }
    return last;
}

std::optional<size_t> CIniDocument::FindEntry(std::string_view section, std::string_view key) const {
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
