#include "platform/ctl/CEdit.h"

#include <algorithm>
#include <cctype>

#include "platform/ctl/CSpinButtonCtrl.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CClipboard.h"
#include "platform/win/ScrollRequest.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

IMPLEMENT_DYNAMIC(CEdit, CControlWnd)

namespace {
constexpr int kMarginX = 2;
constexpr int kMarginY = 1;
constexpr int kWheelLines = 3;

bool KeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}
}  // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(WC_EDIT, "", style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

// --- Selection ------------------------------------------------------------------------------

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    m_buffer.Select(start, end);
    if (!noScroll)
        ScrollCaretIntoView();
    Invalidate();
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
    SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::GetSel(int& start, int& end) const {
    start = m_buffer.SelStart();
    end = m_buffer.SelEnd();
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(MAKELONG(m_buffer.SelStart(), m_buffer.SelEnd()));
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL) {
    bool truncated = false;
    if (m_buffer.ReplaceSelection(text ? text : "", &truncated)) {
        m_modified = true;
        TextChanged();
    }
    if (truncated)
        NotifyParent(EN_MAXTEXT);
}

// --- Clipboard and undo ---------------------------------------------------------------------

void CEdit::Copy() {
    if (m_buffer.HasSelection())
        CClipboard::SetText(m_buffer.SelectedText());
}

void CEdit::Cut() {
    if (IsReadOnly() || !m_buffer.HasSelection())
        return;
    Copy();
    Clear();
}

void CEdit::Paste() {
    if (IsReadOnly())
        return;
    CString text = CClipboard::GetText();
    if (!IsMultiLine()) {
        const int lineEnd = text.FindOneOf("\r\n");
        if (lineEnd >= 0)
            text = text.Left(lineEnd);
    }
    if (!text.IsEmpty())
        ReplaceSel(text, TRUE);
}

void CEdit::Clear() {
    if (!IsReadOnly() && m_buffer.HasSelection())
        ReplaceSel("", TRUE);
}

BOOL CEdit::Undo() {
    if (IsReadOnly() || !m_buffer.Undo())
        return FALSE;
    m_modified = true;
    TextChanged();
    return TRUE;
}

void CEdit::EmptyUndoBuffer() {
    const int anchor = m_buffer.Anchor();
    const int caret = m_buffer.Caret();
    m_buffer.SetText(m_buffer.Text());
    m_buffer.Select(anchor, caret);
}

// --- State ----------------------------------------------------------------------------------

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    Invalidate();
    return TRUE;
}

int CEdit::LineFromChar(int index) const {
    return Rows().FromChar(index < 0 ? m_buffer.SelStart() : index);
}

int CEdit::LineIndex(int line) const {
    return Rows().Start(line < 0 ? LineFromChar(-1) : line);
}

int CEdit::LineLength(int line) const {
    return Rows().Length(line < 0 ? LineFromChar(-1) : line);
}

int CEdit::GetLine(int line, LPTSTR buffer, int maxLength) const {
    if (!buffer || maxLength <= 0)
        return 0;
    const CString text = m_buffer.Text().Mid(Rows().Start(line), Rows().Length(line));
    const int count = std::min(maxLength, text.GetLength());
    std::copy(text.c_str(), text.c_str() + count, buffer);
    return count;
}

void CEdit::LineScroll(int lines, int chars) {
    if (IsMultiLine())
        m_firstLine = std::clamp(m_firstLine + lines, 0, std::max(0, Rows().Count() - 1));
    m_scrollX = std::max(0, m_scrollX + chars * TextWidth("x"));
    UpdateScrollBar();
    Invalidate();
}

// --- Editing --------------------------------------------------------------------------------

void CEdit::TextChanged() {
    CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_buffer.Text().c_str()));
    ScrollCaretIntoView();
    UpdateScrollBar();
    Invalidate();
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

void CEdit::InsertTyped(const CString& text) {
    if (IsReadOnly())
        return;
    ReplaceSel(text, TRUE);
}

void CEdit::MoveCaretTo(int position, bool extend) {
    m_buffer.MoveCaret(position, extend);
    ScrollCaretIntoView();
    Invalidate();
}

// Keys with Ctrl: select all, copy, cut, paste, undo. Answers whether the key was one of them.
bool CEdit::HandleControlKey(UINT key) {
    switch (key) {
        case 'A':
            SetSel(0, -1);
            return true;
        case 'C':
            Copy();
            return true;
        case 'X':
            Cut();
            return true;
        case 'V':
            Paste();
            return true;
        case 'Z':
            Undo();
            return true;
        case VK_INSERT:
            Copy();
            return true;
        default:
            return false;
    }
}

void CEdit::OnKeyDown(UINT key, UINT, UINT) {
    const bool shift = KeyDown(VK_SHIFT);
    const bool control = KeyDown(VK_CONTROL);
    if (control && HandleControlKey(key))
        return;
    const int caret = m_buffer.Caret();
    const int line = Rows().FromChar(caret);
    switch (key) {
        case VK_LEFT:
            if (m_buffer.HasSelection() && !shift)
                MoveCaretTo(m_buffer.SelStart(), false);
            else
                MoveCaretTo(m_buffer.StepLeft(caret), shift);
            break;
        case VK_RIGHT:
            if (m_buffer.HasSelection() && !shift)
                MoveCaretTo(m_buffer.SelEnd(), false);
            else
                MoveCaretTo(m_buffer.StepRight(caret), shift);
            break;
        case VK_HOME:
            MoveCaretTo(control ? 0 : Rows().Start(line), shift);
            break;
        case VK_END:
            MoveCaretTo(control ? m_buffer.Length() : Rows().Start(line) + Rows().Length(line), shift);
            break;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: {
            if (!IsMultiLine()) {
                PassArrowToSpin(WM_KEYDOWN, key);
                break;
            }
            const int step = (key == VK_PRIOR || key == VK_NEXT) ? std::max(1, VisibleLines()) : 1;
            const int target = line + ((key == VK_UP || key == VK_PRIOR) ? -step : step);
            CPoint point = PositionToPoint(caret);
            point.y += (std::clamp(target, 0, Rows().Count() - 1) - line) * LineHeight();
            MoveCaretTo(PointToPosition(point), shift);
            break;
        }
        case VK_DELETE:
            if (shift) {
                Cut();
            } else if (!IsReadOnly() && m_buffer.DeleteForward()) {
                m_modified = true;
                TextChanged();
            }
            break;
        case VK_BACK:
            if (!IsReadOnly() && m_buffer.DeleteBackward()) {
                m_modified = true;
                TextChanged();
            }
            break;
        case VK_INSERT:
            if (shift)
                Paste();
            break;
        case VK_RETURN:
            if (IsMultiLine())
                InsertTyped("\r\n");
            break;
        default:
            break;
    }
}

void CEdit::OnKeyUp(UINT key, UINT, UINT) {
    if (!IsMultiLine())
        PassArrowToSpin(WM_KEYUP, key);
}

// A spin that has this field as its buddy and takes its arrow keys (UDS_ARROWKEYS) steps with
// Up and Down.
void CEdit::PassArrowToSpin(UINT message, UINT key) {
    CWnd* parent = GetParent();
    if ((key != VK_UP && key != VK_DOWN) || !parent)
        return;
    // The runtime class is asked first: it answers far sooner than a cast for each sibling.
    for (CWnd* sibling : parent->Children()) {
        if (!sibling->IsKindOf(RUNTIME_CLASS(CSpinButtonCtrl)))
            continue;
        auto* spin = static_cast<CSpinButtonCtrl*>(sibling);
        if (spin->GetBuddy() == this && (spin->GetStyle() & UDS_ARROWKEYS)) {
            spin->SendMessage(message, key);
            return;
        }
    }
}

void CEdit::OnChar(UINT ch, UINT, UINT) {
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x20 || byte == 0x7F || KeyDown(VK_CONTROL))
        return;
    char typed = static_cast<char>(byte);
    if ((GetStyle() & ES_NUMBER) && !std::isdigit(byte))
        return;
    if (GetStyle() & ES_UPPERCASE)
        typed = static_cast<char>(std::toupper(byte));
    if (GetStyle() & ES_LOWERCASE)
        typed = static_cast<char>(std::tolower(byte));
    InsertTyped(CString(typed));
}

// --- Mouse and focus ------------------------------------------------------------------------

CWnd* CEdit::FocusHolder() const {
    return m_combo ? m_combo : const_cast<CEdit*>(this);
}

void CEdit::OnLButtonDown(UINT, CPoint point) {
    if (!HasFocus())
        FocusHolder()->SetFocus();
    MoveCaretTo(PointToPosition(point), KeyDown(VK_SHIFT));
    m_selecting = true;
    SetCapture();
}

void CEdit::OnLButtonDblClk(UINT, CPoint point) {
    int start = 0;
    int end = 0;
    m_buffer.WordAround(PointToPosition(point), &start, &end);
    SetSel(start, end);
}

void CEdit::OnMouseMove(UINT, CPoint point) {
    if (m_selecting && GetCapture() == this)
        MoveCaretTo(PointToPosition(point), true);
}

void CEdit::OnLButtonUp(UINT, CPoint) {
    m_selecting = false;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CEdit::OnSetFocus(CWnd*) {
    Invalidate();
    NotifyParent(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd*) {
    m_selecting = false;
    Invalidate();
    NotifyParent(EN_KILLFOCUS);
}

UINT CEdit::OnGetDlgCode() {
    return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
}

// --- Scrolling ------------------------------------------------------------------------------

void CEdit::OnVScroll(UINT code, UINT position, CScrollBar*) {
    const int last = std::max(0, Rows().Count() - VisibleLines());
    int line = ScrollRequestTarget(code, position, m_firstLine, 1, std::max(1, VisibleLines()), last);
    line = std::clamp(line, 0, last);
    if (line == m_firstLine)
        return;
    m_firstLine = line;
    UpdateScrollBar();
    Invalidate();
    NotifyParent(EN_VSCROLL);
}

BOOL CEdit::OnMouseWheel(UINT, short delta, CPoint) {
    if (!IsMultiLine())
        return FALSE;
    for (int step = 0; step < kWheelLines; ++step) OnVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

void CEdit::OnSize(UINT, int, int) {
    ScrollCaretIntoView();
    UpdateScrollBar();
}

void CEdit::UpdateScrollBar() {
    if (!IsMultiLine() || (GetStyle() & WS_VSCROLL) == 0)
        return;
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_ALL | SIF_DISABLENOSCROLL,
                    0,
                    std::max(0, Rows().Count() - 1),
                    static_cast<UINT>(std::max(1, VisibleLines())),
                    m_firstLine,
                    0};
    SetScrollInfo(SB_VERT, &info, TRUE);
}

// --- Layout ---------------------------------------------------------------------------------

int CEdit::LineHeight() const {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

int CEdit::TextWidth(const CString& text) const {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    return dc.GetTextExtent(text).cx;
}

CRect CEdit::TextArea() const {
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(kMarginX, kMarginY);
    if (!IsMultiLine()) {
        const int spare = client.Height() - LineHeight();
        client.top += std::max(0, spare / 2);
    }
    return client;
}

const EditRows& CEdit::Rows() const {
    const int width = WrapsWords() ? std::max(1, TextArea().Width()) : 0;
    if (width != m_laidWidth || GetFont() != m_laidFont || m_buffer.Text() != m_laidText) {
        m_rows.Lay(m_buffer, width, [this](const CString& text) { return TextWidth(text); });
        m_laidText = m_buffer.Text();
        m_laidWidth = width;
        m_laidFont = GetFont();
    }
    return m_rows;
}

int CEdit::VisibleLines() const {
    return IsMultiLine() ? std::max(1, TextArea().Height() / LineHeight()) : 1;
}

CPoint CEdit::PositionToPoint(int position) const {
    const int line = Rows().FromChar(position);
    const int start = Rows().Start(line);
    const CRect area = TextArea();
    return CPoint(area.left + TextWidth(m_buffer.Text().Mid(start, position - start)) - m_scrollX,
                  area.top + (line - GetFirstVisibleLine()) * LineHeight());
}

int CEdit::PointToPosition(CPoint point) const {
    const CRect area = TextArea();
    const int row = (point.y - area.top) < 0 ? -1 : (point.y - area.top) / LineHeight();
    const int line = std::clamp(GetFirstVisibleLine() + row, 0, Rows().Count() - 1);
    const CString text = m_buffer.Text().Mid(Rows().Start(line), Rows().Length(line));
    const int x = point.x - area.left + m_scrollX;
    int best = 0;
    for (int count = 1; count <= text.GetLength(); ++count) {
        const int left = TextWidth(text.Left(count - 1));
        const int right = TextWidth(text.Left(count));
        if (x < (left + right) / 2)
            break;
        best = count;
    }
    return Rows().Start(line) + best;
}

void CEdit::ScrollCaretIntoView() {
    const int caret = m_buffer.Caret();
    if (IsMultiLine()) {
        const int line = Rows().FromChar(caret);
        if (line < m_firstLine)
            m_firstLine = line;
        if (line >= m_firstLine + VisibleLines())
            m_firstLine = line - VisibleLines() + 1;
    }
    // Wrapped rows fit the width: the text never scrolls sideways.
    if (WrapsWords())
        return;
    const CRect area = TextArea();
    const int line = Rows().FromChar(caret);
    const int start = Rows().Start(line);
    const int x = TextWidth(m_buffer.Text().Mid(start, caret - start));
    const int width = std::max(1, area.Width());
    if (x < m_scrollX)
        m_scrollX = std::max(0, x - width / 3);
    if (x >= m_scrollX + width)
        m_scrollX = x - width + width / 3;
}

// --- Painting -------------------------------------------------------------------------------

BOOL CEdit::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    const bool grey = IsReadOnly() || !IsWindowEnabled();
    dc->FillSolidRect(&client, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    return TRUE;
}

void CEdit::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    OnEraseBkgnd(&dc);
    CFont* old = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    CRect area = TextArea();
    CRect clip = area;
    clip.InflateRect(1, 0);
    dc.IntersectClipRect(&clip);
    const int first = GetFirstVisibleLine();
    const int last = std::min(Rows().Count(), first + VisibleLines() + 1);
    for (int line = first; line < last; ++line) PaintLine(dc, line, area.top + (line - first) * LineHeight());
    if (HasFocus() && !m_buffer.HasSelection()) {
        const CPoint caret = PositionToPoint(m_buffer.Caret());
        dc.FillSolidRect(caret.x, caret.y, 1, LineHeight(), GetSysColor(COLOR_WINDOWTEXT));
    }
    dc.SelectObject(old);
}

void CEdit::PaintLine(CDC& dc, int line, int y) {
    const CRect area = TextArea();
    const int start = Rows().Start(line);
    const CString text = m_buffer.Text().Mid(start, Rows().Length(line));
    const int x = area.left - m_scrollX;
    const bool showSelection = HasFocus() || (GetStyle() & ES_NOHIDESEL);
    const int selStart = std::clamp(m_buffer.SelStart() - start, 0, text.GetLength());
    const int selEnd = std::clamp(m_buffer.SelEnd() - start, 0, text.GetLength());
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.TextOut(x, y, text);
    if (!showSelection || selStart >= selEnd)
        return;
    const int left = x + TextWidth(text.Left(selStart));
    const int right = x + TextWidth(text.Left(selEnd));
    dc.FillSolidRect(left, y, right - left, LineHeight(), GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    dc.TextOut(left, y, text.Mid(selStart, selEnd - selStart));
}

// --- Messages -------------------------------------------------------------------------------

BOOL CEdit::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
        case WM_CREATE: {
            const BOOL handled = CControlWnd::OnWndMsg(message, wParam, lParam, result);
            CString text;
            GetWindowText(text);
            m_buffer.SetText(text);
            return handled;
        }
        case WM_SETTEXT: {
            m_buffer.SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
            m_modified = false;
            m_firstLine = 0;
            m_scrollX = 0;
            CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_buffer.Text().c_str()));
            UpdateScrollBar();
            Invalidate();
            if (!IsMultiLine()) {
                NotifyParent(EN_UPDATE);
                NotifyParent(EN_CHANGE);
            }
            *result = TRUE;
            return TRUE;
        }
        case EM_GETSEL:
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_buffer.SelStart());
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_buffer.SelEnd());
            *result = static_cast<LRESULT>(GetSel());
            return TRUE;
        case EM_SETSEL:
            SetSel(static_cast<int>(static_cast<std::intptr_t>(wParam)), static_cast<int>(lParam));
            return TRUE;
        case EM_REPLACESEL:
            ReplaceSel(reinterpret_cast<const char*>(lParam), static_cast<BOOL>(wParam));
            return TRUE;
        case EM_GETMODIFY:
            *result = m_modified;
            return TRUE;
        case EM_SETMODIFY:
            m_modified = wParam != 0;
            return TRUE;
        case EM_GETLINECOUNT:
            *result = GetLineCount();
            return TRUE;
        case EM_LIMITTEXT:
            SetLimitText(static_cast<UINT>(wParam));
            return TRUE;
        case EM_SETREADONLY:
            *result = SetReadOnly(static_cast<BOOL>(wParam));
            return TRUE;
        case WM_GETDLGCODE:
            // Enter stays in a multi-line edit that wants it; Tab still leaves.
            *result = OnGetDlgCode();
            if (IsMultiLine() && (GetStyle() & ES_WANTRETURN) && wParam == VK_RETURN)
                *result |= DLGC_WANTALLKEYS;
            return TRUE;
        case WM_CUT:
            Cut();
            return TRUE;
        case WM_COPY:
            Copy();
            return TRUE;
        case WM_PASTE:
            Paste();
            return TRUE;
        case WM_CLEAR:
            Clear();
            return TRUE;
        default:
            return CControlWnd::OnWndMsg(message, wParam, lParam, result);
    }
}
