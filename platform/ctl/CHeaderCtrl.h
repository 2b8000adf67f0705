#pragma once

#include <vector>

#include "platform/ctl/ListControlDefs.h"

// The row of column buttons above a list view: titles with their alignment and widths. A click
// on a button reports HDN_ITEMCLICK; dragging a divider resizes the column to its left and
// reports HDN_ITEMCHANGED.
class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
  public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Answers the new item's index, or -1.
    int InsertItem(int index, const HDITEM* item);
    BOOL DeleteItem(int index);
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, const HDITEM* item);
    BOOL GetItemRect(int index, RECT* rect) const;
    // The height the header wants for the controls' font.
    static int PreferredHeight();
    // Buttons that can be pressed (a list view without LVS_NOSORTHEADER).
    void SetClickable(bool clickable) { m_clickable = clickable; }

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* window) override;

  private:
    struct Item {
        CString text;
        int width = 0;
        int format = HDF_LEFT;
        LPARAM data = 0;
    };
    bool Valid(int index) const { return index >= 0 && index < GetItemCount(); }
    int ItemAt(CPoint point) const;
    int DividerAt(CPoint point) const;
    void Notify(UINT code, int index);

    std::vector<Item> m_items;
    bool m_clickable = true;
    int m_pressed = -1;
    bool m_pressedInside = false;
    int m_tracking = -1;
    int m_trackOffset = 0;
};
