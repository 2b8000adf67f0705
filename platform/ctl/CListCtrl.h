#pragma once

#include <memory>
#include <vector>

#include "platform/base/POSITION.h"
#include "platform/ctl/CHeaderCtrl.h"
#include "platform/ctl/CRowsCtrl.h"

class CImageList;

// A list view in report mode: rows of cells under a header of columns, with images, states
// (selected, focused, cut, drop-highlighted, overlay and state images), item data, texts asked
// of the owner (LPSTR_TEXTCALLBACK with LVN_GETDISPINFO), owner-drawn rows (LVS_OWNERDRAWFIXED),
// single or multiple selection and sorting by a comparison callback. Every view style is laid
// out as a report.
class CListCtrl : public CRowsCtrl {
    DECLARE_DYNAMIC(CListCtrl)
  public:
    CListCtrl();
    ~CListCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // --- Columns --------------------------------------------------------------------------
    int InsertColumn(int index, const LVCOLUMN* column);
    int InsertColumn(int index, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int index);
    // FALSE past the last column.
    BOOL GetColumn(int index, LVCOLUMN* column) const;
    BOOL SetColumn(int index, const LVCOLUMN* column);
    int GetColumnWidth(int index) const;
    BOOL SetColumnWidth(int index, int width);
    CHeaderCtrl* GetHeaderCtrl() { return &m_header; }

    // --- Items ----------------------------------------------------------------------------
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Each answers the new item's index, or -1.
    int InsertItem(const LVITEM* item);
    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    int InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM data);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItem(const LVITEM* item);
    BOOL SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                 LPARAM data);
    // Callback texts are asked of the owner.
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPTSTR buffer, int length) const;
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const;
    // index -1: every item.
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, const LVITEM* item) {
        return item ? SetItemState(index, item->state, item->stateMask) : FALSE;
    }
    int GetSelectedCount() const;
    UINT GetSelectedColumn() const { return 0; }
    // The next item after start (-1: from the top) with the states of flags (LVNI_).
    int GetNextItem(int start, UINT flags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    int FindItem(const LVFINDINFO* find, int start = -1) const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

    // --- Geometry -------------------------------------------------------------------------
    BOOL GetItemRect(int index, RECT* rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, RECT* rect) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;
    BOOL EnsureVisible(int index, BOOL partialOK);
    int GetTopIndex() const { return m_top; }
    int GetCountPerPage() const;
    BOOL RedrawItems(int first, int last);
    BOOL Update(int index) { return RedrawItems(index, index); }
    // Row height: the font, the small images, or what the owner says for owner-drawn rows.
    int RowHeight() const override;

    // --- Images and styles ----------------------------------------------------------------
    CImageList* SetImageList(CImageList* images, int kind);
    CImageList* GetImageList(int kind) const;
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_extendedStyle; }
    COLORREF GetBkColor() const;
    COLORREF GetTextColor() const;
    // While off, changes are not drawn; turning it on again redraws everything.
    void SetRedraw(BOOL redraw = TRUE);

    void DrawItem(DRAWITEMSTRUCT* item) override;

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnCaptureChanged(CWnd* window) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    struct Cell {
        CString text;
        bool callback = false;
    };
    struct Item {
        std::vector<Cell> cells;  // one per sub-item, grown on demand
        int image = 0;
        UINT state = 0;
        LPARAM data = 0;
        int indent = 0;
    };
    // A column shows the sub-item of its own index; inserting or deleting a column moves the
    // cells of the columns after it along.
    struct Column {
        CString heading;
        int width = 0;
        int format = LVCFMT_LEFT;
    };

    bool Valid(int index) const { return index >= 0 && index < GetItemCount(); }
    bool SingleSelection() const { return (GetStyle() & LVS_SINGLESEL) != 0; }
    int HeaderHeight() const;
    int TotalWidth() const;
    CRect RowsArea() const override;
    int ColumnLeft(int column) const;
    void SyncHeader();
    void LayoutHeader();
    void FitScrollBars() override;
    int RowCount() const override { return GetItemCount(); }
    void ScrollColumnsTo(int x) override;
    void InvalidateItem(int index);
    void Repaint() override;

    // Changes states with LVN_ITEMCHANGING/LVN_ITEMCHANGED; answers whether the change was made.
    bool ChangeState(int index, UINT state, UINT mask);
    void SelectOnly(int index);
    void SelectRange(int from, int to, bool keepOthers);
    void Focus(int index);
    void ClickItem(int index, UINT flags);
    void MoveFocusTo(int index);
    LRESULT NotifyList(UINT code, int index, int subItem = 0, UINT oldState = 0, UINT newState = 0,
                       UINT changed = 0, CPoint point = CPoint());
    int CellImage(int index) const;

    void PaintRow(CDC& dc, int index, const CRect& row);
    void PaintCell(CDC& dc, int index, int column, const CRect& cell, bool highlighted);
    void PaintRowImages(CDC& dc, int index, const CRect& row, bool highlighted);

    CHeaderCtrl m_header;
    std::vector<Column> m_columns;
    std::vector<Item> m_items;
    CImageList* m_images[3] = {nullptr, nullptr, nullptr};
    DWORD m_extendedStyle = 0;
    int m_anchor = -1;
    bool m_deferredSelect = false;
    mutable int m_ownerRowHeight = 0;
    // A press on an item that may become a drag.
    int m_pressedItem = -1;
    CPoint m_pressPoint;
    bool m_pressRight = false;
};
