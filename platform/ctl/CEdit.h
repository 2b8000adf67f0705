#pragma once

#include "platform/ctl/CControlWnd.h"
#include "platform/ctl/EditBuffer.h"
#include "platform/ctl/EditRows.h"

// A text field: one line (scrolling sideways) or several (ES_MULTILINE, "\r\n" between lines,
// Enter kept with ES_WANTRETURN, a vertical scroll bar with WS_VSCROLL; words wrap at the right
// edge unless the field scrolls sideways, ES_AUTOHSCROLL or WS_HSCROLL). The lines the field
// counts and indexes are the rows it shows. Selection with the
// mouse and the keyboard, cut, copy and paste through the clipboard, one level of undo, a
// length limit, read-only at run time, the modified flag, and the EN_ notifications.
class CEdit : public CControlWnd {
    DECLARE_DYNAMIC(CEdit)
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // --- Selection ------------------------------------------------------------------------
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);

    // --- Clipboard and undo ---------------------------------------------------------------
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    BOOL Undo();
    BOOL CanUndo() const { return m_buffer.CanUndo(); }
    void EmptyUndoBuffer();

    // --- State ----------------------------------------------------------------------------
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const { return m_modified; }
    void SetModify(BOOL modified = TRUE) { m_modified = modified != FALSE; }
    void LimitText(int maxChars = 0) { SetLimitText(static_cast<UINT>(maxChars)); }
    void SetLimitText(UINT maxChars) { m_buffer.SetLimit(static_cast<int>(maxChars)); }
    UINT GetLimitText() const { return static_cast<UINT>(m_buffer.Limit()); }

    // --- Lines ----------------------------------------------------------------------------
    int GetLineCount() const { return Rows().Count(); }
    int LineFromChar(int index = -1) const;
    int LineIndex(int line = -1) const;
    int LineLength(int line = -1) const;
    int GetLine(int line, LPTSTR buffer, int maxLength) const;
    int GetFirstVisibleLine() const { return IsMultiLine() ? m_firstLine : 0; }
    void LineScroll(int lines, int chars = 0);

    bool IsMultiLine() const { return (GetStyle() & ES_MULTILINE) != 0; }
    bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    bool WrapsWords() const { return IsMultiLine() && (GetStyle() & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0; }

    // Makes the field the edit part of a drop-down combo: the combo holds the focus and hands
    // the field its keys, and a click in the field focuses the combo.
    void ServeCombo(CWnd* combo) { m_combo = combo; }

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnSize(UINT type, int cx, int cy) override;
    UINT OnGetDlgCode() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    // The window whose focus is the field's: the field, or the combo it serves.
    CWnd* FocusHolder() const;
    bool HasFocus() const { return GetFocus() == FocusHolder(); }

    // --- Editing --------------------------------------------------------------------------
    // Stores the buffer's text as the window text and tells the parent (EN_UPDATE, EN_CHANGE).
    void TextChanged();
    void InsertTyped(const CString& text);
    void MoveCaretTo(int position, bool extend);
    bool HandleControlKey(UINT key);
    void PassArrowToSpin(UINT message, UINT key);

    // --- Layout ---------------------------------------------------------------------------
    // The rows of the text as shown now, laid out again when the text, width or font changed.
    const EditRows& Rows() const;
    int LineHeight() const;
    int VisibleLines() const;
    CRect TextArea() const;
    int TextWidth(const CString& text) const;
    CPoint PositionToPoint(int position) const;
    int PointToPosition(CPoint point) const;
    void ScrollCaretIntoView();
    void UpdateScrollBar();

    void PaintLine(CDC& dc, int line, int y);

    CWnd* m_combo = nullptr;
    EditBuffer m_buffer;
    mutable EditRows m_rows;
    mutable CString m_laidText;
    mutable int m_laidWidth = -1;
    mutable CFont* m_laidFont = nullptr;
    bool m_modified = false;
    bool m_selecting = false;
    int m_firstLine = 0;
    int m_scrollX = 0;
};
