#pragma once

#include "platform/base/CString.h"

class CCmdUI;
class CRecentFileList;

// The recent files as File menu items: "&1 name" ... under ID_FILE_MRU_FILE1 and the ids after
// it, or the greyed "Recent File" while the list is empty.
namespace RecentFileMenu {
// A long name keeps its first folder and as many of its last parts as fit, "&" doubled.
CString ItemText(int index, const CString& pathName);
// Replaces the items of the list in the menu being updated (the one at cmdUI's index and the
// recent-file items after it) and leaves cmdUI's index on the last one put in.
void Update(CCmdUI& cmdUI, const CRecentFileList& list);
}  // namespace RecentFileMenu
