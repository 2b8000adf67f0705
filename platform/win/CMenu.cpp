#include "platform/win/CMenu.h"

#include <map>

#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/WindowManager.h"

BOOL CMenu::CreateMenu() {
    m_items.clear();
    m_created = true;
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() { return CreateMenu(); }

BOOL CMenu::DestroyMenu() {
    m_items.clear();
    m_created = false;
    return TRUE;
}

CMenu::Item CMenu::MakeItem(UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    Item item;
    item.flags = flags & ~MF_BYPOSITION;
    item.text = text ? text : "";
    if (flags & MF_POPUP) {
        item.popup.reset(reinterpret_cast<CMenu*>(idOrPopup));
    } else {
        item.id = static_cast<UINT>(idOrPopup);
    }
    return item;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    m_items.push_back(MakeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    CMenu* menu = this;
    int at = Find(position, flags, &menu);
    if (at < 0) return AppendMenu(flags, idOrPopup, text);
    menu->m_items.insert(menu->m_items.begin() + at, MakeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    CMenu* menu = this;
    int at = Find(position, flags, &menu);
    if (at < 0) return FALSE;
    menu->m_items[at] = MakeItem(flags, idOrPopup, text);
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
    CMenu* menu = this;
    int at = Find(position, flags, &menu);
    if (at < 0) return FALSE;
    menu->m_items.erase(menu->m_items.begin() + at);
    return TRUE;
}

int CMenu::Find(UINT item, UINT flags, CMenu** menu) const {
    if (flags & MF_BYPOSITION) {
        *menu = const_cast<CMenu*>(this);
        return item < m_items.size() ? static_cast<int>(item) : -1;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].popup) {
            int inner = m_items[i].popup->Find(item, flags, menu);
            if (inner >= 0) return inner;
        } else if ((m_items[i].flags & MF_SEPARATOR) == 0 && m_items[i].id == item) {
            *menu = const_cast<CMenu*>(this);
            return static_cast<int>(i);
        }
    }
    return -1;
}

const CMenu::Item* CMenu::ItemAt(int position) const {
    return position >= 0 && position < GetMenuItemCount() ? &m_items[position] : nullptr;
}

UINT CMenu::GetMenuItemID(int position) const {
    const Item* item = ItemAt(position);
    if (!item) return 0;
    if (item->popup) return static_cast<UINT>(-1);
    return (item->flags & MF_SEPARATOR) ? 0 : item->id;
}

CMenu* CMenu::GetSubMenu(int position) const {
    const Item* item = ItemAt(position);
    return item ? item->popup.get() : nullptr;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    CMenu* menu = nullptr;
    int at = Find(item, flags, &menu);
    text = at >= 0 ? menu->m_items[at].text : CString();
    return text.GetLength();
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    CMenu* menu = nullptr;
    int at = Find(item, flags, &menu);
    return at >= 0 ? menu->m_items[at].flags : static_cast<UINT>(-1);
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    CMenu* menu = nullptr;
    int at = Find(item, enable, &menu);
    if (at < 0) return static_cast<UINT>(-1);
    UINT& flags = menu->m_items[at].flags;
    const UINT old = flags & (MF_GRAYED | MF_DISABLED);
    flags = (flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    CMenu* menu = nullptr;
    int at = Find(item, check, &menu);
    if (at < 0) return static_cast<UINT>(-1);
    UINT& flags = menu->m_items[at].flags;
    const UINT old = flags & MF_CHECKED;
    flags = (flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
    for (UINT each = first; each <= last; ++each) {
        CMenu* menu = nullptr;
        int at = Find(each, flags, &menu);
        if (at < 0) continue;
        UINT& state = menu->m_items[at].flags;
        state = (state & ~(MF_CHECKED | MFT_RADIOCHECK)) | (each == item ? (MF_CHECKED | MFT_RADIOCHECK) : 0);
    }
    return TRUE;
}

void CMenu::SetItemRadio(UINT position, bool on) {
    if (position >= m_items.size()) return;
    UINT& flags = m_items[position].flags;
    flags = (flags & ~(MF_CHECKED | MFT_RADIOCHECK)) | (on ? (MF_CHECKED | MFT_RADIOCHECK) : 0);
}

void CMenu::SetItemText(UINT position, LPCTSTR text) {
    if (position < m_items.size()) m_items[position].text = text ? text : "";
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT*) {
    const UINT chosen = CMenuPopupWnd::Track(this, CPoint(x, y), owner);
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && IsWindow(owner)) owner->PostMessage(WM_COMMAND, chosen, 0);
    return chosen ? TRUE : FALSE;
}

namespace {
std::map<UINT, std::unique_ptr<CMenu> (*)()>& MenuBuilders() {
    static std::map<UINT, std::unique_ptr<CMenu> (*)()> builders;
    return builders;
}
}  // namespace

void RegisterMenuResource(UINT id, std::unique_ptr<CMenu> (*build)()) { MenuBuilders()[id] = build; }

std::unique_ptr<CMenu> LoadMenuResource(UINT id) {
    auto found = MenuBuilders().find(id);
    return found == MenuBuilders().end() ? nullptr : found->second();
}
