#include "platform/win/CCmdUI.h"

#include "platform/win/CCmdTarget.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"

void CCmdUI::Enable(BOOL on) {
    m_bEnableChanged = TRUE;
    if (m_pMenu) {
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    } else if (m_pOther) {
        m_pOther->EnableWindow(on);
    }
}

void CCmdUI::SetCheck(int check) {
    if (m_pMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL on) {
    if (m_pMenu) m_pMenu->SetItemRadio(m_nIndex, on != FALSE);
}

void CCmdUI::SetText(LPCTSTR text) {
    if (m_pMenu) {
        m_pMenu->SetItemText(m_nIndex, text);
    } else if (m_pOther) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    // An update handler that only marks the element leaves it enabled, as a fresh menu item is:
    // a button it does not enable would otherwise keep the state it had before, whatever that was.
    if (!m_bEnableChanged && (handled || disableIfNoHandler))
        Enable(handled || HasCommandHandler(target));
    return handled;
}

BOOL CCmdUI::HasCommandHandler(CCmdTarget* target) const {
    int asking = 0;
    return target->OnCmdMsg(m_nID, CN_COMMAND, const_cast<CCmdUI*>(this), &asking);
}
