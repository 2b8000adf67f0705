#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of an INI file as lines: [section] headers, key=value entries and every other line
// (comments, blanks, lines it does not understand), which edits keep as they were. Sections and
// keys are found without regard to case; the first of equal names counts.
class CIniDocument {
  public:
    explicit CIniDocument(std::string_view content = {});

    // The value as written: blanks around it and one pair of surrounding quotes are not part of it.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces the value of an entry, or adds the entry after the last line of its section, or
    // the section at the end. The value is quoted when its blanks or quotes would otherwise be lost.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    // Removes the header and every line up to the next section.
    void RemoveSection(std::string_view section);

    // The lines, each ended as the first line of the read text was ("\r\n" or "\n").
    std::string Content() const;

  private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string text;
        std::string name;
    };

    static Line ParseLine(std::string text);
    std::optional<size_t> FindSection(std::string_view section) const;
    std::optional<size_t> FindEntry(std::string_view section, std::string_view key) const;
    size_t EndOfSection(size_t header) const;
    size_t LastNonBlankOfSection(size_t header) const;

    std::vector<Line> m_lines;
    std::string m_lineEnd = "\n";
};
