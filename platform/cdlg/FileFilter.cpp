#include "platform/cdlg/FileFilter.h"

#include "platform/base/Windows1252.h"

std::vector<CString> SplitPatterns(const CString& text) {
    std::vector<CString> patterns;
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find(';', start);
        if (end < 0)
            end = text.GetLength();
        CString pattern = text.Mid(start, end - start);
        pattern.Trim();
        if (!pattern.IsEmpty())
            patterns.push_back(pattern);
        start = end + 1;
    }
    return patterns;
}

std::vector<FileType> ParseFileFilter(const CString& filter) {
    std::vector<CString> fields;
    int start = 0;
    for (int bar = filter.Find('|'); bar >= 0; bar = filter.Find('|', start)) {
        fields.push_back(filter.Mid(start, bar - start));
        start = bar + 1;
    }
    if (start < filter.GetLength())
        fields.push_back(filter.Mid(start));
    std::vector<FileType> types;
    // The list ends at the first empty description ("||"); a description without a pattern is dropped.
    for (std::size_t i = 0; i + 1 < fields.size() && !fields[i].IsEmpty(); i += 2)
        types.push_back({fields[i], SplitPatterns(fields[i + 1])});
    return types;
}

namespace {
bool Match(const char* name, const char* pattern) {
    while (*pattern) {
        if (*pattern == '*') {
            while (*pattern == '*') ++pattern;
            if (!*pattern)
                return true;
            for (const char* at = name; *at; ++at)
                if (Match(at, pattern))
                    return true;
            return Match("", pattern);
        }
        if (!*name)
            return false;
        if (*pattern != '?' && AnsiToUpper(*pattern) != AnsiToUpper(*name))
            return false;
        ++pattern;
        ++name;
    }
    return *name == '\0';
}
}  // namespace

bool MatchesWildcard(const CString& name, const CString& pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    // "*." asks for names without an extension.
    if (pattern == "*.")
        return name.Find('.') < 0;
    return Match(name.c_str(), pattern.c_str());
}

bool MatchesAny(const CString& name, const std::vector<CString>& patterns) {
    for (const CString& pattern : patterns)
        if (MatchesWildcard(name, pattern))
            return true;
    return false;
}

bool HasWildcard(const CString& text) {
    return text.FindOneOf("*?") >= 0;
}
