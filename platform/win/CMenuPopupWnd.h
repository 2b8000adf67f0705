#pragma once

#include "platform/win/CWnd.h"

class CMenu;

// The window of an open popup menu. It holds the mouse while open: a click on an enabled
// item chooses it, a click elsewhere or Escape closes the menu.
class CMenuPopupWnd : public CWnd {
public:
    explicit CMenuPopupWnd(CMenu* menu) : m_menuShown(menu) {}

    // Opens menu at a screen point (its owner first updates the items' states), runs it and
    // answers the chosen command id, or 0.
    // step (when given) receives -1 or 1 when Left or Right asked for the neighbouring menu.
    static UINT Track(CMenu* menu, CPoint screen, CWnd* owner, int* step = nullptr);
    // The popup being tracked, if any (for tests and hosts).
    static CMenuPopupWnd* Current();

    CMenu* MenuShown() const { return m_menuShown; }
    // An item's rectangle in client coordinates.
    CRect ItemRect(int index) const;
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
    CSize Measure() const;
    int ItemAt(CPoint point) const;
    bool Choosable(int index) const;
    void Choose(int index);
    void MoveHighlight(int step);
    // Tells the owner which item is highlighted (its prompt goes to the status bar).
    void NotifySelection();

    CMenu* m_menuShown;
    int m_highlight = -1;
    int* m_step = nullptr;
};
