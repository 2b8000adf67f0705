#include "platform/ctl/CTabCtrl.h"

#include <algorithm>
#include <cstring>

#include "platform/ctl/ControlPainting.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CControlWnd)

namespace {
constexpr int kTabPadding = 6;
constexpr int kPageInset = 4;
constexpr int kSelectedRaise = 2;
constexpr UINT kScrollerId = 1;
}  // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(WC_TABCONTROL, "", style, rect, parent, id))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

int CTabCtrl::InsertItem(int index, LPCTSTR text) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(text);
    return InsertItem(index, &item);
}

int CTabCtrl::InsertItem(int index, const TCITEM* item) {
    if (!item || index < 0)
        return -1;
    Item added;
    if ((item->mask & TCIF_TEXT) && item->pszText)
        added.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        added.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        added.param = item->lParam;
    const int at = std::min(index, GetItemCount());
    m_items.insert(m_items.begin() + at, added);
    TabsChanged();
    if (m_selected < 0)
        m_selected = 0;
    else if (at <= m_selected && GetItemCount() > 1)
        ++m_selected;
    UpdateScroller();
    Invalidate();
    return at;
}

BOOL CTabCtrl::SetItem(int index, const TCITEM* item) {
    if (!item || index < 0 || index >= GetItemCount())
        return FALSE;
    Item& target = m_items[static_cast<std::size_t>(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText)
        target.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        target.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        target.param = item->lParam;
    TabsChanged();
    UpdateScroller();
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const {
    if (!item || index < 0 || index >= GetItemCount())
        return FALSE;
    const Item& source = m_items[static_cast<std::size_t>(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const int count = std::min(item->cchTextMax - 1, source.text.GetLength());
        std::memcpy(item->pszText, source.text.c_str(), static_cast<std::size_t>(count));
        item->pszText[count] = '\0';
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = source.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = source.param;
    return TRUE;
}

BOOL CTabCtrl::DeleteItem(int index) {
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + index);
    TabsChanged();
    if (m_selected >= GetItemCount() || index < m_selected)
        --m_selected;
    if (m_selected < 0 && GetItemCount() > 0)
        m_selected = 0;
    UpdateScroller();
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
    m_items.clear();
    TabsChanged();
    m_selected = -1;
    UpdateScroller();
    Invalidate();
    return TRUE;
}

int CTabCtrl::SetCurSel(int index) {
    const int old = m_selected;
    if (index < 0 || index >= GetItemCount())
        return -1;
    m_selected = index;
    EnsureVisible(index);
    Invalidate();
    return old;
}

const CTabCtrl::Measures& CTabCtrl::Measured() const {
    CFont* font = GetFont();
    const LOGFONT& logFont = font->LogFont();
    if (m_measures && std::memcmp(&m_measures->font, &logFont, sizeof logFont) == 0)
        return *m_measures;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    Measures measures{logFont, metrics.tmHeight + 2 * 3 + kSelectedRaise, {}};
    int end = 0;
    for (const Item& item : m_items) {
        CString shown = item.text;
        shown.Remove('&');
        end += dc.GetTextExtent(shown).cx + 2 * kTabPadding;
        measures.ends.push_back(end);
    }
    m_measures = std::move(measures);
    return *m_measures;
}

int CTabCtrl::TabHeight() const {
    return Measured().tabHeight;
}

int CTabCtrl::WidthBefore(int index) const {
    const std::vector<int>& ends = Measured().ends;
    const int count = std::min(index, static_cast<int>(ends.size()));
    return count > 0 ? ends[static_cast<std::size_t>(count - 1)] : 0;
}

int CTabCtrl::ItemLeft(int index) const {
    return kSelectedRaise + WidthBefore(index) - WidthBefore(m_firstShown);
}

BOOL CTabCtrl::GetItemRect(int index, RECT* rect) const {
    if (!rect || index < 0 || index >= GetItemCount())
        return FALSE;
    const int x = ItemLeft(index);
    const int width = WidthBefore(index + 1) - WidthBefore(index);
    *rect = CRect(x, kSelectedRaise, x + width, TabHeight());
    return TRUE;
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
    if (!info || info->pt.x >= RowRight())
        return -1;
    for (int i = m_firstShown; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.PtInRect(info->pt))
            return i;
    }
    return -1;
}

// --- Scrolling ------------------------------------------------------------------------------

// Two arrow buttons as broad as they are high, at the right end of the tab row.
CRect CTabCtrl::ScrollerRect() const {
    CRect client;
    GetClientRect(&client);
    const int height = TabHeight() - kSelectedRaise - 1;
    return CRect(client.right - 2 * height, kSelectedRaise, client.right, kSelectedRaise + height);
}

int CTabCtrl::RowRight() const {
    CRect client;
    GetClientRect(&client);
    return m_scroller.m_hWnd && m_scroller.IsWindowVisible() ? ScrollerRect().left : client.right;
}

int CTabCtrl::LastFirstShown() const {
    CRect client;
    GetClientRect(&client);
    const int total = WidthBefore(GetItemCount());
    if (kSelectedRaise + total + kSelectedRaise <= client.right)
        return 0;
    const int room = ScrollerRect().left - kSelectedRaise;
    int first = 0;
    while (first < GetItemCount() - 1 && total - WidthBefore(first) > room) ++first;
    return first;
}

void CTabCtrl::UpdateScroller() {
    if (!m_hWnd)
        return;
    const int last = LastFirstShown();
    if (last > 0 && !m_scroller.m_hWnd)
        m_scroller.Create(WS_CHILD | UDS_HORZ, ScrollerRect(), this, kScrollerId);
    if (m_scroller.m_hWnd) {
        const CRect place = ScrollerRect();
        m_scroller.MoveWindow(&place);
        m_scroller.SetRange(0, last);
        m_scroller.ShowWindow(last > 0 ? SW_SHOWNA : SW_HIDE);
    }
    ScrollTo(m_firstShown);
}

void CTabCtrl::ScrollTo(int firstShown) {
    m_firstShown = std::clamp(firstShown, 0, LastFirstShown());
    if (m_scroller.m_hWnd)
        m_scroller.SetPos(m_firstShown);
    Invalidate();
}

void CTabCtrl::EnsureVisible(int index) {
    if (!m_hWnd)
        return;
    int first = std::min(m_firstShown, index);
    while (first < index && kSelectedRaise + WidthBefore(index + 1) - WidthBefore(first) > RowRight())
        ++first;
    ScrollTo(first);
}

void CTabCtrl::OnHScroll(UINT code, UINT position, CScrollBar*) {
    if (code == SB_THUMBPOSITION)
        ScrollTo(static_cast<int>(position));
}

void CTabCtrl::OnSize(UINT, int, int) {
    UpdateScroller();
}

BOOL CTabCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const BOOL handled = CControlWnd::OnWndMsg(message, wParam, lParam, result);
    if (message == WM_SETFONT)
        UpdateScroller();
    return handled;
}

void CTabCtrl::AdjustRect(BOOL larger, RECT* rect) const {
    if (!rect)
        return;
    const int top = TabHeight() + kPageInset - 2;
    if (larger) {
        rect->left -= kPageInset;
        rect->right += kPageInset;
        rect->top -= top;
        rect->bottom += kPageInset;
    } else {
        rect->left += kPageInset;
        rect->right -= kPageInset;
        rect->top += top;
        rect->bottom -= kPageInset;
    }
}

// --- Painting -------------------------------------------------------------------------------

BOOL CTabCtrl::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CTabCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CRect page(client.left, TabHeight() - 1, client.right, client.bottom);
    dc.DrawEdge(&page, EDGE_RAISED, BF_RECT);
    CFont* old = PrepareText(dc);
    // Tabs that start past the right edge cannot show.
    for (int i = m_firstShown; i < GetItemCount() && ItemLeft(i) < client.right; ++i)
        if (i != m_selected)
            PaintTab(dc, i);
    if (m_selected >= m_firstShown)
        PaintTab(dc, m_selected);
    dc.SelectObject(old);
}

void CTabCtrl::PaintTab(CDC& dc, int index) {
    CRect tab;
    GetItemRect(index, &tab);
    const bool selected = index == m_selected;
    if (selected)
        tab.InflateRect(kSelectedRaise, kSelectedRaise, kSelectedRaise, 1);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    dc.FillSolidRect(&tab, GetSysColor(COLOR_BTNFACE));
    // Left and top in the light colour with a cut corner, right side shadowed.
    dc.FillSolidRect(tab.left, tab.top + 2, 1, tab.Height() - 2, light);
    dc.FillSolidRect(tab.left + 1, tab.top + 1, 1, 1, light);
    dc.FillSolidRect(tab.left + 2, tab.top, tab.Width() - 4, 1, light);
    dc.FillSolidRect(tab.right - 2, tab.top + 1, 1, tab.Height() - 1, shadow);
    dc.FillSolidRect(tab.right - 1, tab.top + 2, 1, tab.Height() - 2, dark);
    if (!selected)
        dc.FillSolidRect(tab.left, tab.bottom - 1, tab.Width(), 1, light);
    CRect label = tab;
    if (!selected)
        label.top += 1;
    ControlPainting::DrawLabel(dc, m_items[static_cast<std::size_t>(index)].text, label,
                               DT_CENTER | DT_SINGLELINE | DT_VCENTER, IsWindowEnabled() != FALSE);
    if (selected && GetFocus() == this) {
        CRect focus = tab;
        focus.DeflateRect(3, 3, 3, 2);
        dc.DrawFocusRect(&focus);
    }
}

// --- Input ----------------------------------------------------------------------------------

void CTabCtrl::ChooseTab(int index) {
    if (index < 0 || index >= GetItemCount() || index == m_selected)
        return;
    NMHDR header{};
    if (SendNotify(header, TCN_SELCHANGING))
        return;
    SetCurSel(index);
    SendNotify(header, TCN_SELCHANGE);
}

int CTabCtrl::TurnKeyStep(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000))
        return 0;
    switch (msg.wParam) {
        case VK_TAB:
            return (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        case VK_NEXT:
            return 1;
        case VK_PRIOR:
            return -1;
        default:
            return 0;
    }
}

void CTabCtrl::TurnBy(int step) {
    const int count = GetItemCount();
    if (count > 0)
        ChooseTab(((m_selected + step) % count + count) % count);
}

void CTabCtrl::OnLButtonDown(UINT, CPoint point) {
    TCHITTESTINFO info{point, 0};
    const int index = HitTest(&info);
    if (index < 0)
        return;
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    ChooseTab(index);
}

void CTabCtrl::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_LEFT)
        ChooseTab(m_selected - 1);
    if (key == VK_RIGHT)
        ChooseTab(m_selected + 1);
}
