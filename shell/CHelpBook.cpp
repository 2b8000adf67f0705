#include "shell/CHelpBook.h"

#include <fstream>
#include <string>

namespace {

constexpr char kNoteMark = '#';
constexpr char kChapterMark = '+';
constexpr const char* kTopicExtension = ".txt";

std::vector<CString> ReadLines(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<CString> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.emplace_back(line.c_str());
    }
    return lines;
}

CString Trimmed(CString text) {
    return text.Trim();
}

}  // namespace

BOOL CHelpBook::Load(const std::filesystem::path& folder) {
    m_chapters.clear();
    m_topics.clear();
    const std::filesystem::path index = folder / kIndexFile;
    std::error_code error;
    if (!std::filesystem::is_regular_file(index, error))
        return FALSE;
    for (const CString& line : ReadLines(index)) ReadIndexLine(Trimmed(line), folder);
    return TRUE;
}

void CHelpBook::ReadIndexLine(const CString& line, const std::filesystem::path& folder) {
    if (line.IsEmpty() || line[0] == kNoteMark)
        return;
    if (line[0] == kChapterMark) {
        m_chapters.push_back({Trimmed(line.Mid(1)), {}});
        return;
    }
    if (!m_chapters.empty() && ReadTopic(line, folder))
        m_chapters.back().keys.push_back(line);
}

bool CHelpBook::ReadTopic(const CString& key, const std::filesystem::path& folder) {
    std::vector<CString> lines = ReadLines(folder / (std::string(key.c_str()) + kTopicExtension));
    if (lines.empty())
        return false;
    HelpTopic topic{key, Trimmed(lines.front()), {}};
    topic.lines.assign(lines.begin() + 1, lines.end());
    m_topics.insert_or_assign(key, std::move(topic));
    return true;
}

const HelpTopic* CHelpBook::Find(const CString& key) const {
    const auto found = m_topics.find(key);
    return found == m_topics.end() ? nullptr : &found->second;
}

CString CHelpBook::FirstKey() const {
    for (const HelpChapter& chapter : m_chapters)
        if (!chapter.keys.empty())
            return chapter.keys.front();
    return "";
}
