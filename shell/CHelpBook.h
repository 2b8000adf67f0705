#pragma once

#include <filesystem>
#include <map>
#include <vector>

#include "platform/base/CString.h"

// A help topic: its key (the name of its file), its title and its text lines.
struct HelpTopic {
    CString key;
    CString title;
    std::vector<CString> lines;
};

// A chapter of the contents: a title and the keys of its topics in order.
struct HelpChapter {
    CString title;
    std::vector<CString> keys;
};

// The program's help as it lies in its folder: "index.txt" lists the chapters ("+ title" lines)
// and under each the keys of its topics; each topic is the file "key.txt", whose first line is
// its title. Lines of the index that start with "#" are notes.
class CHelpBook {
  public:
    static constexpr const char* kIndexFile = "index.txt";

    // Reads the index and every topic it names; FALSE when the index cannot be read. Topics
    // whose files are missing are left out of the contents.
    BOOL Load(const std::filesystem::path& folder);
    const HelpTopic* Find(const CString& key) const;
    const std::vector<HelpChapter>& Chapters() const { return m_chapters; }
    // The topic the help opens on when asked for no topic in particular.
    CString FirstKey() const;

  private:
    void ReadIndexLine(const CString& line, const std::filesystem::path& folder);
    bool ReadTopic(const CString& key, const std::filesystem::path& folder);

    std::vector<HelpChapter> m_chapters;
    std::map<CString, HelpTopic> m_topics;
};
