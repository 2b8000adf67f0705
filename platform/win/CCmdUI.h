#pragma once

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

class CCmdTarget;
class CMenu;

// One user-interface element (menu item, toolbar button, status pane) asking the command
// targets whether its command is enabled, checked, or what it should say.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCTSTR text);
    // Routes the update through target. An update handler that does not call Enable leaves the
    // element enabled; with no update handler the element is enabled when the command has a
    // handler, and disabled when it has none and disableIfNoHandler is set.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    void ContinueRouting() { m_bContinueRouting = TRUE; }

  private:
    BOOL HasCommandHandler(CCmdTarget* target) const;
};
