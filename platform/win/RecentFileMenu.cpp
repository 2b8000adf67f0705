#include "platform/win/RecentFileMenu.h"

#include "platform/base/CRecentFileList.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"

namespace {
constexpr int kLongestName = 30;

bool IsSeparator(char ch) {
    return ch == '/' || ch == '\\';
}

CString Abbreviated(const CString& path) {
    if (path.GetLength() <= kLongestName)
        return path;
    int firstEnd = 1;
    while (firstEnd < path.GetLength() && !IsSeparator(path[firstEnd])) ++firstEnd;
    int lastStart = path.GetLength() - 1;
    while (lastStart > 0 && !IsSeparator(path[lastStart - 1])) --lastStart;
    if (firstEnd >= lastStart)
        return path;
    const char separator = path[firstEnd];
    const CString head = path.Left(firstEnd + 1) + "..." + CString(separator);
    // Whole folder names are added from the end while the name stays short enough.
    int start = lastStart;
    for (int at = lastStart - 2; at > firstEnd; --at) {
        if (!IsSeparator(path[at]))
            continue;
        if (head.GetLength() + path.GetLength() - (at + 1) > kLongestName)
            break;
        start = at + 1;
    }
    return head + path.Mid(start);
}

CString DoubledAmpersands(const CString& text) {
    CString doubled;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '&')
            doubled += '&';
        doubled += text[i];
    }
    return doubled;
}
}  // namespace

namespace RecentFileMenu {

CString ItemText(int index, const CString& pathName) {
    CString text;
    text.Format("&%d ", index + 1);
    return text + DoubledAmpersands(Abbreviated(pathName));
}

void Update(CCmdUI& cmdUI, const CRecentFileList& list) {
    CMenu* menu = cmdUI.m_pMenu;
    if (!menu)
        return;
    for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id)
        while (menu->DeleteMenu(id, MF_BYCOMMAND)) {
        }
    UINT position = cmdUI.m_nIndex;
    int shown = 0;
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i].IsEmpty())
            continue;
        menu->InsertMenu(position++, MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FILE1 + static_cast<UINT>(shown),
                         ItemText(shown, list[i]));
        ++shown;
    }
    if (shown == 0) {
        menu->InsertMenu(position++, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
    }
    cmdUI.m_nIndex = position - 1;
    cmdUI.m_bEnableChanged = TRUE;
}

}  // namespace RecentFileMenu
