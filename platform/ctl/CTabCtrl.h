#pragma once

#include <optional>
#include <vector>

#include "platform/ctl/CControlWnd.h"
#include "platform/ctl/CSpinButtonCtrl.h"

struct TCHITTESTINFO {
    POINT pt;
    UINT flags;
};

// A row of tabs over a raised page frame. A click (or Left and Right with the focus, or the
// dialog's Ctrl+Tab wherever its focus is) selects another tab after asking the parent
// (TCN_SELCHANGING, which it may refuse) and tells it (TCN_SELCHANGE). The parent shows the
// page; AdjustRect says where. Tabs that do not fit scroll sideways with a small pair of arrows
// at the right end of the row; the selected tab is always brought into view.
class CTabCtrl : public CControlWnd {
    DECLARE_DYNAMIC(CTabCtrl)
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, const TCITEM* item);
    BOOL SetItem(int index, const TCITEM* item);
    BOOL GetItem(int index, TCITEM* item) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    int GetCurSel() const { return m_selected; }
    // Selects without telling the parent; answers the previous selection.
    int SetCurSel(int index);
    BOOL GetItemRect(int index, RECT* rect) const;
    int HitTest(TCHITTESTINFO* info) const;
    int GetRowCount() const { return 1; }
    // larger FALSE: from the control's rectangle to its page area; TRUE: the other way.
    void AdjustRect(BOOL larger, RECT* rect) const;
    // Ctrl+Tab and Ctrl+PgDn step to the next tab (1), Ctrl+Shift+Tab and Ctrl+PgUp back (-1);
    // any other message steps nowhere (0).
    static int TurnKeyStep(const MSG& msg);
    // Selects the tab step places on, round the ends, as a click on it would.
    void TurnBy(int step);

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSetFocus(CWnd*) override { Invalidate(); }
    void OnKillFocus(CWnd*) override { Invalidate(); }
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS; }

  private:
    struct Item {
        CString text;
        int image = -1;
        LPARAM param = 0;
    };

    // The row measured in the control's font: the tab height and where each tab ends.
    struct Measures {
        LOGFONT font;
        int tabHeight;
        std::vector<int> ends;
    };

    // Measures the row again only when its tabs or its font changed since it was measured.
    const Measures& Measured() const;
    void TabsChanged() { m_measures.reset(); }
    int TabHeight() const;
    // The width of the tabs before index.
    int WidthBefore(int index) const;
    // Where a tab starts in the scrolled row.
    int ItemLeft(int index) const;
    CRect ScrollerRect() const;
    // Where the shown tabs must end: the client's right, or the arrows' left while they show.
    int RowRight() const;
    // The first tab that shows when the row is scrolled as far as it goes.
    int LastFirstShown() const;
    // Shows the arrows while the tabs do not fit, and keeps the scrolled place in range.
    void UpdateScroller();
    void ScrollTo(int firstShown);
    void EnsureVisible(int index);
    // Selects index as the user would: the parent may refuse.
    void ChooseTab(int index);
    void PaintTab(CDC& dc, int index);

    std::vector<Item> m_items;
    int m_selected = -1;
    int m_firstShown = 0;
    CSpinButtonCtrl m_scroller;
    mutable std::optional<Measures> m_measures;
};
