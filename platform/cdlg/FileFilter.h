#pragma once

#include <string>
#include <vector>

#include "platform/base/CString.h"

// The file types a file dialog offers: "desc|pattern|desc|pattern||" as the program writes it,
// each pattern one or more wildcards separated by semicolons ("*.bmp;*.dib").
struct FileType {
    CString description;
    std::vector<CString> patterns;
};

std::vector<FileType> ParseFileFilter(const CString& filter);

// Whether name matches the wildcard (* any run, ? one character), without regard to case, as
// the Windows file system matches; "*.*" matches every name, with or without a dot.
bool MatchesWildcard(const CString& name, const CString& pattern);
bool MatchesAny(const CString& name, const std::vector<CString>& patterns);
bool HasWildcard(const CString& text);
// The patterns of a wildcard text typed as a file name ("*.pat;*.bmp").
std::vector<CString> SplitPatterns(const CString& text);
