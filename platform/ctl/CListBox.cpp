#include "platform/ctl/CListBox.h"

#include <algorithm>

#include "platform/gdi/SystemColors.h"
#include "platform/win/ScrollRequest.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace {
constexpr int kTextInset = 2;
}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, "", style, rect, parent, id);
}

int CListBox::OnCreate(CREATESTRUCT* cs) {
    m_scrolls = (cs->style & WS_VSCROLL) != 0;
    if (m_scrolls)
        ShowScrollBar(SB_VERT, FALSE);
    return CWnd::OnCreate(cs);
}

void CListBox::ServeCombo(CWnd* combo, bool ownerDrawn, bool sorted, bool hasStrings) {
    m_combo = combo;
    m_comboStyle =
        (ownerDrawn ? LBS_OWNERDRAWFIXED : 0) | (sorted ? LBS_SORT : 0) | (hasStrings ? LBS_HASSTRINGS : 0);
}

bool CListBox::Multiple() const {
    return !m_combo && (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}
bool CListBox::OwnerDrawn() const {
    return ((m_combo ? m_comboStyle : GetStyle()) & LBS_OWNERDRAWFIXED) != 0;
}
bool CListBox::HasStrings() const {
    return !OwnerDrawn() || ((m_combo ? m_comboStyle : GetStyle()) & LBS_HASSTRINGS) != 0;
}
bool CListBox::Sorted() const {
    return ((m_combo ? m_comboStyle : GetStyle()) & LBS_SORT) != 0 && HasStrings();
}
CWnd* CListBox::DrawingOwner() const {
    return m_combo ? m_combo->GetOwner() : GetOwner();
}

// --- Items ------------------------------------------------------------------------------------

int CListBox::SortedPlace(const CString& text) const {
    const auto place =
        std::upper_bound(m_items.begin(), m_items.end(), text,
                         [](const CString& t, const Item& item) { return t.CompareNoCase(item.text) < 0; });
    return static_cast<int>(place - m_items.begin());
}

int CListBox::AddString(LPCTSTR text) {
    const CString value = HasStrings() && text ? CString(text) : CString();
    return InsertString(Sorted() ? SortedPlace(value) : GetCount(), text);
}

int CListBox::InsertString(int index, LPCTSTR text) {
    if (index == -1)
        index = GetCount();
    if (index < 0 || index > GetCount())
        return LB_ERR;
    Item item;
    if (HasStrings())
        item.text = text ? text : "";
    else
        item.data = reinterpret_cast<DWORD_PTR>(text);
    m_items.insert(m_items.begin() + index, item);
    if (m_caret >= index && GetCount() > 1)
        ++m_caret;
    UpdateScrollBar();
    Invalidate();
    return index;
}

int CListBox::DeleteString(UINT index) {
    if (!Valid(static_cast<int>(index)))
        return LB_ERR;
    m_items.erase(m_items.begin() + index);
    if (m_caret > static_cast<int>(index) || m_caret >= GetCount())
        m_caret = std::max(0, m_caret - 1);
    m_top = std::clamp(m_top, 0, std::max(0, GetCount() - 1));
    UpdateScrollBar();
    Invalidate();
    return GetCount();
}

void CListBox::ResetContent() {
    m_items.clear();
    m_top = m_caret = m_anchor = 0;
    UpdateScrollBar();
    Invalidate();
}

int CListBox::GetText(int index, CString& text) const {
    if (!Valid(index))
        return LB_ERR;
    text = m_items[index].text;
    return text.GetLength();
}

int CListBox::GetTextLen(int index) const {
    return Valid(index) ? m_items[index].text.GetLength() : LB_ERR;
}

DWORD_PTR CListBox::GetItemData(int index) const {
    return Valid(index) ? m_items[index].data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    if (!Valid(index))
        return LB_ERR;
    m_items[index].data = data;
    return 0;
}

int CListBox::Find(int start, LPCTSTR text, bool exact) const {
    const CString wanted = text ? text : "";
    const int count = GetCount();
    if (start < -1 || start >= count)
        start = -1;
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (!HasStrings()) {
            if (m_items[index].data == reinterpret_cast<DWORD_PTR>(text))
                return index;
            continue;
        }
        const CString& candidate = m_items[index].text;
        const CString compared = exact ? candidate : candidate.Left(wanted.GetLength());
        if (compared.CompareNoCase(wanted) == 0)
            return index;
    }
    return LB_ERR;
}

int CListBox::FindString(int start, LPCTSTR text) const {
    return Find(start, text, false);
}
int CListBox::FindStringExact(int start, LPCTSTR text) const {
    return Find(start, text, true);
}

// --- Selection ----------------------------------------------------------------------------------

int CListBox::GetCurSel() const {
    if (Multiple())
        return Valid(m_caret) && m_items[m_caret].selected ? m_caret : LB_ERR;
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[i].selected)
            return i;
    return LB_ERR;
}

void CListBox::SelectOnly(int index) {
    for (int i = 0; i < GetCount(); ++i) m_items[i].selected = i == index;
    if (Valid(index))
        m_caret = m_anchor = index;
    Invalidate();
}

int CListBox::SetCurSel(int index) {
    if (Multiple())
        return LB_ERR;
    SelectOnly(Valid(index) ? index : -1);
    if (!Valid(index))
        return LB_ERR;
    EnsureVisible(index);
    return index;
}

void CListBox::SetHighlight(int index) {
    if (!Valid(index) || m_items[index].selected)
        return;
    SelectOnly(index);
    EnsureVisible(index);
}

int CListBox::SelectString(int start, LPCTSTR text) {
    const int found = FindString(start, text);
    if (found != LB_ERR)
        Multiple() ? SetSel(found) : SetCurSel(found);
    return found;
}

int CListBox::GetSel(int index) const {
    return Valid(index) ? (m_items[index].selected ? 1 : 0) : LB_ERR;
}

int CListBox::SetSel(int index, BOOL select) {
    if (!Multiple())
        return LB_ERR;
    if (index == -1) {
        for (Item& item : m_items) item.selected = select != FALSE;
    } else if (Valid(index)) {
        m_items[index].selected = select != FALSE;
    } else {
        return LB_ERR;
    }
    Invalidate();
    return 0;
}

int CListBox::GetSelCount() const {
    if (!Multiple())
        return LB_ERR;
    return static_cast<int>(
        std::count_if(m_items.begin(), m_items.end(), [](const Item& i) { return i.selected; }));
}

int CListBox::GetSelItems(int maxItems, int* indexes) const {
    if (!Multiple() || !indexes)
        return LB_ERR;
    int found = 0;
    for (int i = 0; i < GetCount() && found < maxItems; ++i)
        if (m_items[i].selected)
            indexes[found++] = i;
    return found;
}

int CListBox::SetCaretIndex(int index, BOOL scroll) {
    if (!Valid(index))
        return LB_ERR;
    m_caret = index;
    if (scroll)
        EnsureVisible(index);
    Invalidate();
    return 0;
}

// --- Layout -------------------------------------------------------------------------------------

int CListBox::GetItemHeight(int) const {
    if (m_itemHeight > 0)
        return m_itemHeight;
    m_itemHeight = ControlTextHeight() + 2;
    if (OwnerDrawn()) {
        CWnd* control = m_combo ? m_combo : const_cast<CListBox*>(this);
        MEASUREITEMSTRUCT measure{
            m_combo ? ODT_COMBOBOX : ODT_LISTBOX, static_cast<UINT>(control->GetDlgCtrlID()), 0, 0,
            static_cast<UINT>(m_itemHeight),      GetCount() > 0 ? m_items[0].data : 0};
        if (CWnd* owner = DrawingOwner())
            owner->SendMessage(WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        if (measure.itemHeight > 0)
            m_itemHeight = static_cast<int>(measure.itemHeight);
    }
    return m_itemHeight;
}

int CListBox::SetItemHeight(int, UINT height) {
    if (height == 0 || height > 255)
        return LB_ERR;
    m_itemHeight = static_cast<int>(height);
    UpdateScrollBar();
    Invalidate();
    return 0;
}

int CListBox::GetItemRect(int index, RECT* rect) const {
    if (!Valid(index) || !rect)
        return LB_ERR;
    CRect client;
    GetClientRect(&client);
    const int top = (index - m_top) * GetItemHeight();
    *rect = CRect(0, top, client.right, top + GetItemHeight());
    return 0;
}

int CListBox::VisibleCount() const {
    CRect client;
    GetClientRect(&client);
    return std::max(1, client.Height() / GetItemHeight());
}

int CListBox::SetTopIndex(int index) {
    if (!Valid(index) && !(index == 0 && GetCount() == 0))
        return LB_ERR;
    m_top = std::clamp(index, 0, std::max(0, GetCount() - VisibleCount()));
    UpdateScrollBar();
    Invalidate();
    return 0;
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
    CRect client;
    GetClientRect(&client);
    const int index = point.y < 0 ? m_top - 1 : m_top + point.y / GetItemHeight();
    outside = !client.PtInRect(point) || !Valid(index);
    return static_cast<UINT>(std::clamp(index, 0, std::max(0, GetCount() - 1)));
}

void CListBox::EnsureVisible(int index) {
    if (!Valid(index))
        return;
    const int visible = VisibleCount();
    if (index < m_top)
        SetTopIndex(index);
    else if (index >= m_top + visible)
        SetTopIndex(index - visible + 1);
}

void CListBox::UpdateScrollBar() {
    if (!m_hWnd || !m_scrolls)
        return;
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    std::max(0, GetCount() - 1),
                    static_cast<UINT>(VisibleCount()),
                    m_top,
                    0};
    SetScrollInfo(SB_VERT, &info);
}

void CListBox::OnSize(UINT, int, int) {
    TrimToWholeRows();
    m_top = std::clamp(m_top, 0, std::max(0, GetCount() - VisibleCount()));
    UpdateScrollBar();
}

// Unless LBS_NOINTEGRALHEIGHT, the list drops the part of a row that would show cut in half.
void CListBox::TrimToWholeRows() {
    if (m_combo || (GetStyle() & LBS_NOINTEGRALHEIGHT))
        return;
    CRect client;
    GetClientRect(&client);
    const int rest = client.Height() % GetItemHeight();
    if (rest == 0 || client.Height() < GetItemHeight())
        return;
    CRect window;
    GetWindowRect(&window);
    if (CWnd* parent = GetParent(); parent && !IsTopLevel())
        parent->ScreenToClient(&window);
    MoveWindow(window.left, window.top, window.Width(), window.Height() - rest);
}

// --- Painting -----------------------------------------------------------------------------------

BOOL CListBox::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CListBox::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    const int height = GetItemHeight();
    int y = 0;
    for (int index = m_top; index < GetCount() && y < client.bottom; ++index, y += height)
        PaintItem(dc, index, CRect(0, y, client.right, y + height));
    if (y < client.bottom)
        dc.FillSolidRect(CRect(0, y, client.right, client.bottom), GetSysColor(COLOR_WINDOW));
}

void CListBox::PaintItem(CDC& dc, int index, const CRect& rect) {
    const Item& item = m_items[index];
    const bool focused = GetFocus() == this || (m_combo && GetFocus() == m_combo);
    const bool caret = index == m_caret && focused && (Multiple() || m_combo == nullptr);
    if (OwnerDrawn()) {
        CWnd* control = m_combo ? m_combo : this;
        DRAWITEMSTRUCT draw{m_combo ? ODT_COMBOBOX : ODT_LISTBOX,
                            static_cast<UINT>(control->GetDlgCtrlID()),
                            static_cast<UINT>(index),
                            ODA_DRAWENTIRE,
                            (item.selected ? ODS_SELECTED : 0u) | (caret ? ODS_FOCUS : 0u),
                            control,
                            &dc,
                            rect,
                            item.data};
        const int saved = dc.SaveDC();
        if (CWnd* owner = DrawingOwner())
            owner->SendMessage(WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        dc.RestoreDC(saved);
        return;
    }
    dc.FillSolidRect(&rect, GetSysColor(item.selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(item.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect text = rect;
    text.left += kTextInset;
    dc.DrawText(item.text, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (caret)
        dc.DrawFocusRect(&rect);
}

void CListBox::DrawItem(DRAWITEMSTRUCT*) {}
void CListBox::MeasureItem(MEASUREITEMSTRUCT*) {}

// --- Mouse and keys -----------------------------------------------------------------------------

void CListBox::Notify(UINT code) {
    if (m_combo) {
        m_combo->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), static_cast<int>(code)),
                             reinterpret_cast<LPARAM>(this));
        return;
    }
    if (GetStyle() & LBS_NOTIFY)
        CommandOwner(*this, code);
}

void CListBox::ClickItem(int index, UINT flags) {
    const std::vector<Item> before = m_items;
    if (GetStyle() & LBS_EXTENDEDSEL) {
        if (flags & MK_SHIFT) {
            for (int i = 0; i < GetCount(); ++i)
                m_items[i].selected = (i >= std::min(m_anchor, index) && i <= std::max(m_anchor, index)) ||
                                      ((flags & MK_CONTROL) && m_items[i].selected);
        } else if (flags & MK_CONTROL) {
            m_items[index].selected = !m_items[index].selected;
            m_anchor = index;
        } else {
            SelectOnly(index);
        }
        m_caret = index;
    } else if (Multiple()) {
        m_items[index].selected = !m_items[index].selected;
        m_caret = m_anchor = index;
    } else {
        SelectOnly(index);
    }
    EnsureVisible(index);
    Invalidate();
    const bool changed = !std::equal(before.begin(), before.end(), m_items.begin(), m_items.end(),
                                     [](const Item& a, const Item& b) { return a.selected == b.selected; });
    if (changed)
        Notify(LBN_SELCHANGE);
}

void CListBox::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_combo)
        SetFocus();
    BOOL outside = FALSE;
    const UINT index = ItemFromPoint(point, outside);
    if (outside || m_combo)
        return;
    ClickItem(static_cast<int>(index), flags);
    SetCapture();
}

void CListBox::OnMouseMove(UINT flags, CPoint point) {
    BOOL outside = FALSE;
    const int index = static_cast<int>(ItemFromPoint(point, outside));
    if (m_combo) {
        if (!outside)
            SetHighlight(index);
        return;
    }
    if (GetCapture() != this || (flags & MK_LBUTTON) == 0 || Multiple() || GetCount() == 0)
        return;
    if (index != GetCurSel())
        ClickItem(index, 0);
}

void CListBox::OnLButtonUp(UINT, CPoint point) {
    if (GetCapture() == this)
        ReleaseCapture();
    BOOL outside = FALSE;
    const UINT index = ItemFromPoint(point, outside);
    if (m_combo && !outside) {
        SetHighlight(static_cast<int>(index));
        Notify(LBN_DBLCLK);  // the combo closes its drop-down with this item chosen
    }
}

void CListBox::OnLButtonDblClk(UINT flags, CPoint point) {
    BOOL outside = FALSE;
    ItemFromPoint(point, outside);
    if (m_combo) {
        OnLButtonUp(flags, point);
        return;
    }
    if (!outside)
        Notify(LBN_DBLCLK);
}

BOOL CListBox::OnMouseWheel(UINT, short delta, CPoint) {
    SetTopIndex(std::max(0, m_top - delta / 120 * 3));
    return TRUE;
}

void CListBox::MoveCaretTo(int index, UINT flags) {
    if (GetCount() == 0)
        return;
    index = std::clamp(index, 0, GetCount() - 1);
    if (GetStyle() & LBS_MULTIPLESEL) {
        m_caret = index;
        EnsureVisible(index);
        Invalidate();
        return;
    }
    ClickItem(index, flags & MK_SHIFT);
}

void CListBox::OnKeyDown(UINT key, UINT, UINT) {
    const UINT flags = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0u);
    const int page = std::max(1, VisibleCount() - 1);
    switch (key) {
        case VK_UP:
            MoveCaretTo(m_caret - 1, flags);
            break;
        case VK_DOWN:
            MoveCaretTo(GetCurSel() == LB_ERR && !Multiple() ? 0 : m_caret + 1, flags);
            break;
        case VK_PRIOR:
            MoveCaretTo(m_caret - page, flags);
            break;
        case VK_NEXT:
            MoveCaretTo(m_caret + page, flags);
            break;
        case VK_HOME:
            MoveCaretTo(0, flags);
            break;
        case VK_END:
            MoveCaretTo(GetCount() - 1, flags);
            break;
        case VK_SPACE:
            if (Multiple() && Valid(m_caret))
                ClickItem(m_caret, MK_CONTROL);
            break;
        default:
            break;
    }
}

void CListBox::OnChar(UINT ch, UINT, UINT) {
    if (ch <= ' ' || !HasStrings())
        return;
    const char text[2] = {static_cast<char>(ch), '\0'};
    const int found = FindString(m_caret, text);
    if (found != LB_ERR)
        MoveCaretTo(found, 0);
}

void CListBox::OnVScroll(UINT code, UINT position, CScrollBar*) {
    const int page = std::max(1, VisibleCount() - 1);
    const int target = ScrollRequestTarget(code, position, m_top, 1, page, GetCount() - 1);
    SetTopIndex(std::clamp(target, 0, std::max(0, GetCount() - 1)));
}

void CListBox::OnSetFocus(CWnd*) {
    Invalidate();
    Notify(LBN_SETFOCUS);
}

void CListBox::OnKillFocus(CWnd*) {
    Invalidate();
    Notify(LBN_KILLFOCUS);
}
