#pragma once

#include <functional>

#include "platform/win/CWnd.h"

class CMenu;

// The window of an open popup menu. It holds the mouse while open: a click on an enabled
// item chooses it, a click elsewhere or Escape closes the menu. An item with a popup of its own
// opens it beside this one (a submenu, run the same way) when the mouse rests on the item, on a
// click, Enter, Right or its access key; Left and Escape close a submenu again.
class CMenuPopupWnd : public CWnd {
  public:
    explicit CMenuPopupWnd(CMenu* menu, CMenuPopupWnd* parent = nullptr)
        : m_menuShown(menu), m_parent(parent) {}

    // What a key in a menu dropped from a menu bar asks of the bar once the menu has closed:
    // nothing, the neighbouring menu (Left or Right), or its title highlighted again (Escape).
    enum class BarStep { kNone, kPrevious, kNext, kTitle };

    // Opens menu at a screen point (its owner first updates the items' states), runs it and
    // answers the chosen command id, or 0.
    // step (when given, for a menu dropped from a bar) receives what the keys asked of the bar.
    // barItem: the owner's menu-bar item the menu drops from (shown pressed meanwhile), or -1.
    // highlightFirst: the menu opens with its first selectable item highlighted, as by a key.
    static UINT Track(CMenu* menu, CPoint screen, CWnd* owner, BarStep* step = nullptr, int barItem = -1,
                      bool highlightFirst = false);
    // Opens menu under a screen rectangle (a window's icon), or above it where the screen has no
    // room below, so that the menu never covers it; runs it as Track does.
    static UINT TrackBeside(CMenu* menu, const CRect& clear, CWnd* owner);
    // The innermost popup being tracked, if any (for tests and hosts).
    static CMenuPopupWnd* Current();
    // The item of window's menu bar whose popup is open, or -1.
    static int OpenBarItem(const CWnd* window);
    // Closes the menus open for window or one of its children at once, as a dialog about to run
    // asks: their loops end when the dialog's has, but the keyboard and mouse are free before.
    // A menu bar the keyboard holds lets go as well.
    static void CancelMenus(const CWnd* window);
    // Closes whatever menu is open, as when the keyboard has gone to another program.
    static void CancelAllMenus();

    CMenu* MenuShown() const { return m_menuShown; }
    int Highlighted() const { return m_highlight; }
    // An item's rectangle in client coordinates.
    CRect ItemRect(int index) const;
    // The centre of an item's check mark in client coordinates.
    CPoint CheckMarkCentre(int index) const;
    // The index of the item with this text (ignoring '&' and the shortcut), or -1.
    int FindItem(const CString& text) const;
    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;

  private:
    // Why a submenu closed, which decides what its parent does next.
    enum class Closing { kAll, kByKeyboard, kByMouse };

    // Shows the menu at a screen point and runs it; answers the chosen command id, or 0.
    UINT Run(CPoint screen, CWnd* owner, bool highlightFirst);
    CSize Measure() const;
    int ItemAt(CPoint point) const;
    bool Selectable(int index) const;
    bool HasSubmenu(int index) const;
    // Gives the item's command, or opens its submenu (its first item highlighted when asked by key).
    void Choose(int index, bool byKeyboard);
    void Close(Closing closing);
    // Hides this popup and its parents and gives back the keyboard and mouse they held.
    void CloseAll();
    void OpenSubmenu(int index, bool highlightFirst);
    Closing RunSubmenu(int index, bool highlightFirst);
    // Follows the mouse at a screen point: closes this submenu when the mouse went back to another
    // item of a parent, else highlights the item under it. Answers the item whose submenu opens, or -1.
    int FollowMouse(CPoint screen);
    // A key asked the bar for a neighbouring menu or for the title again.
    void StepAlongBar(BarStep step);
    // Alt+F4 closes the menus and goes on to the owner's window, as it would with no menu open.
    void CloseOwnerByKey(const MSG& msg);
    // Where a submenu of the item opens: beside this popup, on the side the screen has room for.
    CPoint SubmenuPosition(int index, CSize size) const;
    // Whether a screen point is over one of the popups this one was opened from.
    bool OverParents(CPoint screen) const;
    // Whether a screen point is over the parent's item that opened this popup.
    bool OverOpener(CPoint screen) const;
    void Highlight(int index);
    void MoveHighlight(int step);
    // Highlights the first selectable item after from, going by step (round the end).
    void HighlightFrom(int from, int step);
    // The first item after from, going by step round the end, that matches; -1 when none does.
    int NextItem(int from, int step, const std::function<bool(int)>& matches) const;
    void TakeLetter(char typed);
    // Tells the owner which item is highlighted (its prompt goes to the status bar).
    void NotifySelection();

    CMenu* m_menuShown;
    CMenuPopupWnd* m_parent;
    CWnd* m_menuOwner = nullptr;
    // The popup and the keyboard holder there were before this popup opened.
    CMenuPopupWnd* m_outerPopup = nullptr;
    CWnd* m_outerGrab = nullptr;
    int m_highlight = -1;
    int m_barItem = -1;
    BarStep* m_step = nullptr;
    Closing m_closing = Closing::kAll;
};
