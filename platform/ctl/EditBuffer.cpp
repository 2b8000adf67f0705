#include "platform/ctl/EditBuffer.h"

#include <algorithm>
#include <cctype>

namespace {
bool IsWordChar(char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) != 0 || ch == '_';
}
bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}
}  // namespace

void EditBuffer::SetText(const CString& text) {
    m_text = text;
    m_anchor = m_caret = 0;
    m_canUndo = false;
}

int EditBuffer::Clamp(int position) const {
    return std::clamp(position, 0, Length());
}

void EditBuffer::Select(int anchor, int caret) {
    if (anchor < 0) {
        m_anchor = m_caret = Clamp(m_caret);
        return;
    }
    m_anchor = Clamp(anchor);
    m_caret = caret < 0 ? Length() : Clamp(caret);
}

void EditBuffer::MoveCaret(int position, bool extend) {
    m_caret = Clamp(position);
    if (!extend)
        m_anchor = m_caret;
}

void EditBuffer::RememberForUndo() {
    m_canUndo = true;
    m_undoText = m_text;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
}

bool EditBuffer::ReplaceSelection(const CString& text, bool* truncated) {
    const int room = m_limit - (Length() - (SelEnd() - SelStart()));
    CString inserted = text;
    if (truncated)
        *truncated = inserted.GetLength() > std::max(0, room);
    if (inserted.GetLength() > room)
        inserted = inserted.Left(std::max(0, room));
    if (inserted.IsEmpty() && !HasSelection())
        return false;
    RememberForUndo();
    const int start = SelStart();
    m_text.Delete(start, SelEnd() - start);
    m_text.Insert(start, inserted);
    m_anchor = m_caret = start + inserted.GetLength();
    return true;
}

bool EditBuffer::DeleteBackward() {
    if (!HasSelection()) {
        if (m_caret == 0)
            return false;
        m_anchor = m_caret;
        m_caret = StepLeft(m_caret);
    }
    return ReplaceSelection("");
}

bool EditBuffer::DeleteForward() {
    if (!HasSelection()) {
        if (m_caret == Length())
            return false;
        m_anchor = m_caret;
        m_caret = StepRight(m_caret);
    }
    return ReplaceSelection("");
}

bool EditBuffer::Undo() {
    if (!m_canUndo)
        return false;
    const CString text = m_text;
    const int anchor = m_anchor;
    const int caret = m_caret;
    m_text = m_undoText;
    m_anchor = m_undoAnchor;
    m_caret = m_undoCaret;
    m_undoText = text;
    m_undoAnchor = anchor;
    m_undoCaret = caret;
    return true;
}

std::vector<int> EditBuffer::LineStarts() const {
    std::vector<int> starts{0};
    for (int at = m_text.Find("\r\n"); at >= 0; at = m_text.Find("\r\n", at + 2)) starts.push_back(at + 2);
    return starts;
}

int EditBuffer::LineFromChar(int position) const {
    const std::vector<int> starts = LineStarts();
    const auto after = std::upper_bound(starts.begin(), starts.end(), Clamp(position));
    return static_cast<int>(after - starts.begin()) - 1;
}

int EditBuffer::LineIndex(int line) const {
    const std::vector<int> starts = LineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size()))
        return -1;
    return starts[static_cast<std::size_t>(line)];
}

int EditBuffer::LineLength(int line) const {
    const std::vector<int> starts = LineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size()))
        return 0;
    const std::size_t index = static_cast<std::size_t>(line);
    const int end = index + 1 < starts.size() ? starts[index + 1] - 2 : Length();
    return end - starts[index];
}

void EditBuffer::WordAround(int position, int* start, int* end) const {
    const int at = Clamp(position);
    *start = *end = at;
    if (Length() == 0)
        return;
    const int probe = at < Length() ? at : at - 1;
    const char kind = m_text[probe];
    auto same = [&](char ch) {
        return IsWordChar(kind) ? IsWordChar(ch) : (!IsWordChar(ch) && !IsBlank(ch));
    };
    if (IsBlank(kind))
        return;
    int s = probe;
    while (s > 0 && same(m_text[s - 1])) --s;
    int e = probe + 1;
    while (e < Length() && same(m_text[e])) ++e;
    *start = s;
    *end = e;
}

int EditBuffer::StepLeft(int position) const {
    if (position <= 0)
        return 0;
    if (position >= 2 && m_text[position - 1] == '\n' && m_text[position - 2] == '\r')
        return position - 2;
    return position - 1;
}

int EditBuffer::StepRight(int position) const {
    if (position >= Length())
        return Length();
    if (m_text[position] == '\r' && position + 1 < Length() && m_text[position + 1] == '\n')
        return position + 2;
    return position + 1;
}
