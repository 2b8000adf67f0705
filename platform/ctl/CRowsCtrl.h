#pragma once

#include "platform/win/CWnd.h"

// What the list view and the tree view share: rows scrolled a row at a time, a horizontal
// scroll in pixels, the ranges of both scroll bars, the wheel, and a repaint with a notice to
// the owner when the focus comes or goes.
class CRowsCtrl : public CWnd {
    DECLARE_DYNAMIC(CRowsCtrl)

  protected:
    // The pixels a click on a horizontal scroll arrow moves.
    static constexpr int kLineStep = 16;

    // The part of the client area the rows take, and the height of one row.
    virtual CRect RowsArea() const = 0;
    virtual int RowHeight() const = 0;
    // The whole rows that fit, at least one.
    int RowsPerPage() const;
    // The top of the row at this index, and the index of the row at this height, in the
    // client area with the rows scrolled.
    int RowTop(int index) const;
    int RowAt(int y) const;
    // How many rows there are to scroll through.
    virtual int RowCount() const = 0;
    // Puts this row at the top, as far as the rows allow, and repaints.
    void ScrollRowsTo(int top);
    // Scrolls as little as brings the row into sight; partialOK takes the row just below the
    // last whole one as in sight.
    void ScrollRowIntoView(int index, bool partialOK);
    virtual void ScrollColumnsTo(int x) = 0;
    virtual void Repaint() = 0;
    // Sets both scroll bars for the content as it is now (with SetScrollRanges), and what hangs
    // on them.
    virtual void FitScrollBars() = 0;

    // FitScrollBars, once at a time: a bar coming or going resizes the control, which asks again.
    void UpdateScrollBars();

    // Sets both scroll bars for content this wide and this many rows, taking back the positions
    // they allow; twice, as one bar coming or going changes the room the other has.
    void SetScrollRanges(int width, int rows);

    // With the focus and no row holding it, the place of the first row shows it, so that Tab
    // into a list without a caret row is seen.
    void DrawFocusWithoutRow(CDC& dc, bool rowHasFocus);

    void OnSize(UINT type, int cx, int cy) override;
    // Arrow keys move the selection and letters find items, even inside a dialog.
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;

    int m_top = 0;
    int m_scrollX = 0;

  private:
    bool m_layingOut = false;
};
