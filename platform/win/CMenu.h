#pragma once

#include <memory>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RETURNCMD = 0x0100;

// A menu: a bar or a popup of items, each a command (id, text, grey and check states), a
// separator or a popup of its own. Popups belong to the menu they are appended to.
class CMenu : public CObject {
public:
    struct Item {
        UINT flags = 0;
        UINT id = 0;
        CString text;
        std::unique_ptr<CMenu> popup;
    };

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_created ? const_cast<CMenu*>(this) : nullptr; }

    // idOrPopup is a command id, or (with MF_POPUP) a CMenu* given up to this menu.
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }

    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    UINT GetMenuItemID(int position) const;
    CMenu* GetSubMenu(int position) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags);
    void SetItemRadio(UINT position, bool on);
    void SetItemText(UINT position, LPCTSTR text);
    const Item* ItemAt(int position) const;

    // Shows the menu at a screen point and runs it until an item is chosen or it is dismissed.
    // The chosen command goes to owner (WM_COMMAND), or is answered with TPM_RETURNCMD.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect = nullptr);

private:
    // The position of item (a command id searched through popups too, or a position), or -1;
    // menu receives the menu holding it.
    int Find(UINT item, UINT flags, CMenu** menu) const;
    static Item MakeItem(UINT flags, UINT_PTR idOrPopup, LPCTSTR text);

    std::vector<Item> m_items;
    bool m_created = false;
};

// Menus registered by resource id; LoadMenuResource builds a fresh copy, or null.
void RegisterMenuResource(UINT id, std::unique_ptr<CMenu> (*build)());
std::unique_ptr<CMenu> LoadMenuResource(UINT id);
