#pragma once

#include "platform/ctl/CListCtrl.h"

// One layer as the layer properties dialog edits it.
struct LayerRow {
    CString name;
    int active = 0;
    int visible = 0;
    int locked = 0;
};

// The owner-drawn report list of the layer properties dialog: a name column and the marks of
// "Active", "Visible" and "Lock". A click on a mark cell changes the row at once; a click on
// the "Visible" or "Lock" header sets or clears that flag on every row but the active one,
// which always stays shown and unlocked. Each item's data is its LayerRow.
class CLayerListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CLayerListCtrl)
    DECLARE_MESSAGE_MAP()
  public:
    enum Column { kNameColumn = 0, kActiveColumn = 1, kVisibleColumn = 2, kLockColumn = 3 };

    void DrawItem(DRAWITEMSTRUCT* item) override;
    // The name cut with "..." to fit width pixels (text plus 2 pixels of margin).
    static CString FitName(CDC& dc, const CString& name, int width);

  protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnColumnClick(NMHDR* header, LRESULT* result);

  private:
    LayerRow* RowAt(int index) const;
    // The column under the x of a client point, -1 past the last.
    int ColumnAt(int x) const;
    void MakeActive(int index);
    void ToggleFlag(int index, int column);
    void SetFlagOnInactiveRows(int LayerRow::*flag, int value);
    void DrawName(CDC& dc, const CRect& cell, const LayerRow& row, bool selected);
    void DrawMark(CDC& dc, const CRect& cell, CSize size) const;

    int m_bAllVisible = 0;
    int m_bAllLocked = 0;
};
