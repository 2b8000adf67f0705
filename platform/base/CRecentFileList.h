#pragma once

#include <vector>

#include "platform/base/CProfile.h"
#include "platform/base/CString.h"

// The most recently used file names, newest first, kept in a profile section as "File1",
// "File2" ... The program keeps four.
class CRecentFileList {
  public:
    explicit CRecentFileList(CProfile& profile, int size = 4, const char* section = "Recent File List");

    int GetSize() const { return static_cast<int>(m_names.size()); }
    // The name at index, or an empty text for an unused place or an index out of range.
    CString operator[](int index) const;

    // Puts the name first; the same name already in the list (compared without regard to case)
    // moves up instead of appearing twice, else the oldest name drops out. An empty name is ignored.
    void Add(const char* pathName);
    void Remove(int index);

    void ReadList();
    // Rewrites the section with the used places only.
    void WriteList();

  private:
    CProfile& m_profile;
    CString m_section;
    std::vector<CString> m_names;
};
