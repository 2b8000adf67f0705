#pragma once

#include <vector>

#include "platform/ctl/ListControlDefs.h"

// A list of strings (or, owner-drawn without strings, of item data) with one or several
// selected, as high as its whole rows unless LBS_NOINTEGRALHEIGHT. Sorted lists keep their strings in order
// ignoring case. A combo box keeps its items in a list box of this kind shown as its drop-down.
class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // --- Items ----------------------------------------------------------------------------
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Each answers the new item's index, or LB_ERR.
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemDataPtr(int index, void* data) {
        return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
    }
    // Items after start (wrapping round; -1 searches from the top) whose text begins with text,
    // or equals it, ignoring case.
    int FindString(int start, LPCTSTR text) const;
    int FindStringExact(int start, LPCTSTR text) const;

    // --- Selection ------------------------------------------------------------------------
    int GetCurSel() const;
    // Single selection: selects index (-1: none); answers LB_ERR when index is out of range.
    int SetCurSel(int index);
    int SelectString(int start, LPCTSTR text);
    int GetSel(int index) const;
    // Multiple selection: selects or deselects index (-1: every item).
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maxItems, int* indexes) const;
    int GetCaretIndex() const { return m_caret; }
    int SetCaretIndex(int index, BOOL scroll = TRUE);

    // --- Layout ---------------------------------------------------------------------------
    int GetItemHeight(int index = 0) const;
    int SetItemHeight(int index, UINT height);
    int GetItemRect(int index, RECT* rect) const;
    int GetTopIndex() const { return m_top; }
    int SetTopIndex(int index);
    // The item under a client point; outside is set when the point lies below the last item.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;

    // Owner-drawn items: the owner (or a subclass) paints and measures them.
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void MeasureItem(MEASUREITEMSTRUCT* item) override;

    // A combo box shows this list as its drop-down: owner-draw requests then name the combo.
    void ServeCombo(CWnd* combo, bool ownerDrawn, bool sorted, bool hasStrings);
    // The item the mouse or the keys point at in a combo's drop-down (also the selection).
    void SetHighlight(int index);

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    // Arrow keys move the selection and letters find items, even inside a dialog.
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;

  private:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
        bool selected = false;
    };

    bool Multiple() const;
    bool OwnerDrawn() const;
    bool HasStrings() const;
    bool Sorted() const;
    bool Valid(int index) const { return index >= 0 && index < GetCount(); }
    int VisibleCount() const;
    int SortedPlace(const CString& text) const;
    int Find(int start, LPCTSTR text, bool exact) const;
    void SelectOnly(int index);
    void ClickItem(int index, UINT flags);
    void MoveCaretTo(int index, UINT flags);
    void Notify(UINT code);
    void EnsureVisible(int index);
    void UpdateScrollBar();
    void TrimToWholeRows();
    void PaintItem(CDC& dc, int index, const CRect& rect);
    CWnd* DrawingOwner() const;

    std::vector<Item> m_items;
    int m_top = 0;
    int m_caret = 0;
    int m_anchor = 0;
    mutable int m_itemHeight = 0;
    bool m_scrolls = false;  // shows a vertical bar when the items do not fit
    CWnd* m_combo = nullptr;
    DWORD m_comboStyle = 0;
};
