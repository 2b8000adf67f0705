#pragma once

#include <vector>

#include "platform/base/CString.h"

// The text of an edit control with its selection, lines ("\r\n" separates them), a limit and
// one level of undo. Positions are byte offsets; the caret is the moving end of the selection.
class EditBuffer {
  public:
    const CString& Text() const { return m_text; }
    // Replaces everything; the caret goes to the start, undo is forgotten.
    void SetText(const CString& text);
    int Length() const { return m_text.GetLength(); }

    int Anchor() const { return m_anchor; }
    int Caret() const { return m_caret; }
    int SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    int SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    CString SelectedText() const { return m_text.Mid(SelStart(), SelEnd() - SelStart()); }
    // A negative start removes the selection; end -1 means the end of the text.
    void Select(int anchor, int caret);
    // Moves the caret; extend keeps the anchor where it is.
    void MoveCaret(int position, bool extend);

    // Puts text in place of the selection, cut short at the limit. Answers whether the text
    // changed; *truncated tells whether some of it did not fit.
    bool ReplaceSelection(const CString& text, bool* truncated = nullptr);
    // Backspace and Delete: the selection, or the character before (after) the caret. A line
    // break goes as a whole.
    bool DeleteBackward();
    bool DeleteForward();
    bool CanUndo() const { return m_canUndo; }
    bool Undo();

    void SetLimit(int limit) { m_limit = limit > 0 ? limit : kDefaultLimit; }
    int Limit() const { return m_limit; }

    // --- Lines ----------------------------------------------------------------------------
    std::vector<int> LineStarts() const;
    int LineCount() const { return static_cast<int>(LineStarts().size()); }
    int LineFromChar(int position) const;
    int LineIndex(int line) const;
    int LineLength(int line) const;
    CString Line(int line) const { return m_text.Mid(LineIndex(line), LineLength(line)); }
    // The word (a run of letters and digits, or of anything else but blanks) around position.
    void WordAround(int position, int* start, int* end) const;
    // Positions one step left or right, stepping over a whole line break.
    int StepLeft(int position) const;
    int StepRight(int position) const;

    static constexpr int kDefaultLimit = 32767;

  private:
    void RememberForUndo();
    int Clamp(int position) const;

    CString m_text;
    int m_anchor = 0;
    int m_caret = 0;
    int m_limit = kDefaultLimit;
    bool m_canUndo = false;
    CString m_undoText;
    int m_undoAnchor = 0;
    int m_undoCaret = 0;
};
