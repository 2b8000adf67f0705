#include "platform/base/CRecentFileList.h"

#include <algorithm>
#include <string>

#include "platform/base/Windows1252.h"

namespace {

std::string EntryKey(int index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(CProfile& profile, int size, const char* section)
    : m_profile(profile), m_section(section), m_names(static_cast<size_t>(std::max(size, 0))) {}

CString CRecentFileList::operator[](int index) const {
    if (index < 0 || index >= GetSize()) {
        return CString();
    }
    return m_names[static_cast<size_t>(index)];
}

void CRecentFileList::Add(const char* pathName) {
    if (!pathName || !*pathName || m_names.empty()) {
        return;
    }
    auto same = std::find_if(m_names.begin(), m_names.end(), [&](const CString& name) {
        return CompareAnsiNoCase(name.view(), pathName) == 0;
    });
    auto last = same == m_names.end() ? m_names.end() - 1 : same;
    std::rotate(m_names.begin(), last, last + 1);
    m_names.front() = pathName;
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= GetSize()) {
        return;
    }
    m_names.erase(m_names.begin() + index);
    m_names.emplace_back();
}

void CRecentFileList::ReadList() {
    for (int i = 0; i < GetSize(); ++i) {
        m_names[static_cast<size_t>(i)] = m_profile.GetProfileString(m_section, EntryKey(i).c_str());
    }
}

void CRecentFileList::WriteList() {
    m_profile.WriteProfileString(m_section, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        if (!m_names[static_cast<size_t>(i)].IsEmpty()) {
            m_profile.WriteProfileString(m_section, EntryKey(i).c_str(), m_names[static_cast<size_t>(i)]);
        }
    }
}
