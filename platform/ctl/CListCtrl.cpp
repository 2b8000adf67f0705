#include "platform/ctl/CListCtrl.h"

#include <algorithm>

#include "platform/gdi/CImageList.h"

IMPLEMENT_DYNAMIC(CListCtrl, CRowsCtrl)

namespace {
constexpr UINT kHeaderId = 0;
constexpr int kTextBuffer = 260;

bool MatchesFlags(UINT state, UINT flags) {
    const UINT wanted = (flags & LVNI_FOCUSED ? LVIS_FOCUSED : 0u) |
                        (flags & LVNI_SELECTED ? LVIS_SELECTED : 0u) | (flags & LVNI_CUT ? LVIS_CUT : 0u) |
                        (flags & LVNI_DROPHILITED ? LVIS_DROPHILITED : 0u);
    return (state & wanted) == wanted;
}
}  // namespace

CListCtrl::CListCtrl() = default;
CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, "", style, rect, parent, id);
}

int CListCtrl::OnCreate(CREATESTRUCT* cs) {
    if (!m_header.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, cs->cx, HeaderHeight()), this, kHeaderId))
        return -1;
    ShowScrollBar(SB_BOTH, FALSE);
    return CWnd::OnCreate(cs);
}

// --- Columns ------------------------------------------------------------------------------------

int CListCtrl::InsertColumn(int index, const LVCOLUMN* column) {
    if (!column || index < 0)
        return -1;
    index = std::min(index, static_cast<int>(m_columns.size()));
    Column inserted;
    if (column->mask & LVCF_TEXT)
        inserted.heading = column->pszText ? column->pszText : "";
    if (column->mask & LVCF_WIDTH)
        inserted.width = std::max(0, column->cx);
    if (column->mask & LVCF_FMT)
        inserted.format = column->fmt & LVCFMT_JUSTIFYMASK;
    m_columns.insert(m_columns.begin() + index, inserted);
    for (Item& item : m_items)
        if (static_cast<int>(item.cells.size()) > index && index > 0)
            item.cells.insert(item.cells.begin() + index, Cell{});
    SyncHeader();
    return index;
}

int CListCtrl::InsertColumn(int index, LPCTSTR heading, int format, int width, int) {
    LVCOLUMN column{LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0u),
                    format,
                    width,
                    const_cast<LPSTR>(heading),
                    0,
                    index};
    if (width < 0) {
        column.mask |= LVCF_WIDTH;
        column.cx = 60;
    }
    return InsertColumn(index, &column);
}

BOOL CListCtrl::DeleteColumn(int index) {
    if (index < 0 || index >= static_cast<int>(m_columns.size()))
        return FALSE;
    m_columns.erase(m_columns.begin() + index);
    for (Item& item : m_items)
        if (static_cast<int>(item.cells.size()) > index && (index > 0 || item.cells.size() > 1))
            item.cells.erase(item.cells.begin() + index);
    SyncHeader();
    return TRUE;
}

BOOL CListCtrl::GetColumn(int index, LVCOLUMN* column) const {
    if (!column || index < 0 || index >= static_cast<int>(m_columns.size()))
        return FALSE;
    const Column& mine = m_columns[index];
    if (column->mask & LVCF_FMT)
        column->fmt = mine.format;
    if (column->mask & LVCF_WIDTH)
        column->cx = mine.width;
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = index;
    if ((column->mask & LVCF_TEXT) && column->pszText && column->cchTextMax > 0) {
        const int length = std::min(mine.heading.GetLength(), column->cchTextMax - 1);
        std::copy_n(mine.heading.c_str(), length, column->pszText);
        column->pszText[length] = '\0';
    }
    return TRUE;
}

BOOL CListCtrl::SetColumn(int index, const LVCOLUMN* column) {
    if (!column || index < 0 || index >= static_cast<int>(m_columns.size()))
        return FALSE;
    Column& mine = m_columns[index];
    if (column->mask & LVCF_TEXT)
        mine.heading = column->pszText ? column->pszText : "";
    if (column->mask & LVCF_WIDTH)
        mine.width = std::max(0, column->cx);
    if (column->mask & LVCF_FMT)
        mine.format = column->fmt & LVCFMT_JUSTIFYMASK;
    SyncHeader();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int index) const {
    return index >= 0 && index < static_cast<int>(m_columns.size()) ? m_columns[index].width : 0;
}

BOOL CListCtrl::SetColumnWidth(int index, int width) {
    LVCOLUMN column{LVCF_WIDTH, 0, width, nullptr, 0, 0};
    return SetColumn(index, &column);
}

void CListCtrl::SyncHeader() {
    while (m_header.GetItemCount() > static_cast<int>(m_columns.size()))
        m_header.DeleteItem(m_header.GetItemCount() - 1);
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i) {
        const Column& column = m_columns[i];
        HDITEM item{HDI_TEXT | HDI_WIDTH | HDI_FORMAT,
                    column.width,
                    const_cast<LPSTR>(column.heading.c_str()),
                    nullptr,
                    0,
                    HDF_STRING | column.format,
                    0};
        if (i < m_header.GetItemCount())
            m_header.SetItem(i, &item);
        else
            m_header.InsertItem(i, &item);
    }
    UpdateScrollBars();
    Repaint();
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHEADER*>(lParam);
    if (!header || header->hdr.hwndFrom != &m_header)
        return CWnd::OnNotify(wParam, lParam, result);
    const int column = header->iItem;
    if (header->hdr.code == HDN_ITEMCLICK)
        NotifyList(LVN_COLUMNCLICK, -1, column);
    if (header->hdr.code == HDN_ITEMCHANGED && header->pitem && column >= 0 &&
        column < static_cast<int>(m_columns.size())) {
        m_columns[column].width = header->pitem->cxy;
        UpdateScrollBars();
        Repaint();
    }
    return TRUE;
}

// --- Items --------------------------------------------------------------------------------------

int CListCtrl::InsertItem(const LVITEM* item) {
    if (!item || item->iSubItem != 0)
        return -1;
    const int index = std::clamp(item->iItem, 0, GetItemCount());
    Item inserted;
    inserted.cells.resize(1);
    if (item->mask & LVIF_TEXT) {
        inserted.cells[0].callback = item->pszText == LPSTR_TEXTCALLBACK;
        if (!inserted.cells[0].callback && item->pszText)
            inserted.cells[0].text = item->pszText;
    }
    if (item->mask & LVIF_IMAGE)
        inserted.image = item->iImage;
    if (item->mask & LVIF_STATE)
        inserted.state = item->state & item->stateMask;
    if (item->mask & LVIF_PARAM)
        inserted.data = item->lParam;
    if (item->mask & LVIF_INDENT)
        inserted.indent = item->iIndent;
    m_items.insert(m_items.begin() + index, inserted);
    if (m_anchor >= index)
        ++m_anchor;
    UpdateScrollBars();
    Repaint();
    NotifyList(LVN_INSERTITEM, index);
    return index;
}

int CListCtrl::InsertItem(int index, LPCTSTR text) {
    return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, LPCTSTR text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image,
                          LPARAM data) {
    LVITEM item{mask, index, 0, state, stateMask, const_cast<LPSTR>(text), 0, image, data, 0};
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int index) {
    if (!Valid(index))
        return FALSE;
    NotifyList(LVN_DELETEITEM, index);
    if (!Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    if (m_anchor > index)
        --m_anchor;
    if (m_anchor >= GetItemCount())
        m_anchor = GetItemCount() - 1;
    UpdateScrollBars();
    Repaint();
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    if (NotifyList(LVN_DELETEALLITEMS, -1) == 0)
        for (int i = 0; i < GetItemCount(); ++i) NotifyList(LVN_DELETEITEM, i);
    m_items.clear();
    m_top = 0;
    m_anchor = -1;
    UpdateScrollBars();
    Repaint();
    return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0)
        return FALSE;
    const Item& mine = m_items[item->iItem];
    if (item->mask & LVIF_TEXT)
        GetItemText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
    if (item->mask & LVIF_IMAGE)
        item->iImage = item->iSubItem == 0 ? CellImage(item->iItem) : -1;
    if (item->mask & LVIF_STATE)
        item->state = mine.state & item->stateMask;
    if (item->mask & LVIF_PARAM)
        item->lParam = mine.data;
    if (item->mask & LVIF_INDENT)
        item->iIndent = mine.indent;
    return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0)
        return FALSE;
    const int index = item->iItem;
    if ((item->mask & LVIF_TEXT)) {
        std::vector<Cell>& cells = m_items[index].cells;
        if (static_cast<int>(cells.size()) <= item->iSubItem)
            cells.resize(item->iSubItem + 1);
        Cell& cell = cells[item->iSubItem];
        cell.callback = item->pszText == LPSTR_TEXTCALLBACK;
        cell.text = !cell.callback && item->pszText ? item->pszText : "";
    }
    if (item->iSubItem == 0) {
        if (item->mask & LVIF_IMAGE)
            m_items[index].image = item->iImage;
        if (item->mask & LVIF_PARAM)
            m_items[index].data = item->lParam;
        if (item->mask & LVIF_INDENT)
            m_items[index].indent = item->iIndent;
        if (item->mask & LVIF_STATE)
            ChangeState(index, item->state, item->stateMask);
    }
    InvalidateItem(index);
    return TRUE;
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state,
                        UINT stateMask, LPARAM data) {
    LVITEM item{mask, index, subItem, state, stateMask, const_cast<LPSTR>(text), 0, image, data, 0};
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    if (!Valid(index) || subItem < 0)
        return CString();
    const std::vector<Cell>& cells = m_items[index].cells;
    if (subItem >= static_cast<int>(cells.size()))
        return CString();
    if (!cells[subItem].callback)
        return cells[subItem].text;
    char buffer[kTextBuffer] = "";
    NMLVDISPINFO info{};
    info.hdr.code = LVN_GETDISPINFO;
    info.item = LVITEM{LVIF_TEXT, index, subItem, 0, 0, buffer, kTextBuffer, 0, m_items[index].data, 0};
    NotifyOwner(*const_cast<CListCtrl*>(this), info.hdr);
    return info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK ? CString(info.item.pszText)
                                                                        : CString();
}

int CListCtrl::GetItemText(int index, int subItem, LPTSTR buffer, int length) const {
    if (!buffer || length <= 0)
        return 0;
    const CString text = GetItemText(index, subItem);
    const int copied = std::min(text.GetLength(), length - 1);
    std::copy_n(text.c_str(), copied, buffer);
    buffer[copied] = '\0';
    return copied;
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text) {
    return SetItem(index, subItem, LVIF_TEXT, text, 0, 0, 0, 0);
}

int CListCtrl::CellImage(int index) const {
    const Item& item = m_items[index];
    if (item.image != I_IMAGECALLBACK)
        return item.image;
    NMLVDISPINFO info{};
    info.hdr.code = LVN_GETDISPINFO;
    info.item = LVITEM{LVIF_IMAGE, index, 0, 0, 0, nullptr, 0, -1, item.data, 0};
    NotifyOwner(*const_cast<CListCtrl*>(this), info.hdr);
    return info.item.iImage;
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    return Valid(index) ? static_cast<DWORD_PTR>(m_items[index].data) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    if (!Valid(index))
        return FALSE;
    m_items[index].data = static_cast<LPARAM>(data);
    return TRUE;
}

UINT CListCtrl::GetItemState(int index, UINT mask) const {
    return Valid(index) ? m_items[index].state & mask : 0;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    if (index == -1) {
        for (int i = 0; i < GetItemCount(); ++i) ChangeState(i, state, mask);
        return TRUE;
    }
    if (!Valid(index))
        return FALSE;
    ChangeState(index, state, mask);
    return TRUE;
}

bool CListCtrl::ChangeState(int index, UINT state, UINT mask) {
    if (!Valid(index))
        return false;
    const UINT old = m_items[index].state;
    const UINT wanted = (old & ~mask) | (state & mask);
    if (wanted == old)
        return false;
    if (NotifyList(LVN_ITEMCHANGING, index, 0, old, wanted, LVIF_STATE) != 0 || !Valid(index))
        return false;
    // One item holds the focus; a single-selection list holds one selected item.
    if (wanted & ~old & LVIS_FOCUSED)
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != index && (m_items[i].state & LVIS_FOCUSED))
                ChangeState(i, 0, LVIS_FOCUSED);
    if ((wanted & ~old & LVIS_SELECTED) && SingleSelection())
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != index && (m_items[i].state & LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
    if (!Valid(index))
        return false;
    m_items[index].state = wanted;
    InvalidateItem(index);
    NotifyList(LVN_ITEMCHANGED, index, 0, old, wanted, LVIF_STATE);
    return true;
}

int CListCtrl::GetSelectedCount() const {
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(),
                                          [](const Item& item) { return item.state & LVIS_SELECTED; }));
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    if (flags & LVNI_ABOVE) {
        for (int i = std::min(start, GetItemCount()) - 1; i >= 0; --i)
            if (MatchesFlags(m_items[i].state, flags))
                return i;
        return -1;
    }
    for (int i = std::max(-1, start) + 1; i < GetItemCount(); ++i)
        if (MatchesFlags(m_items[i].state, flags))
            return i;
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    const int index = static_cast<int>(reinterpret_cast<std::uintptr_t>(position)) - 1;
    const int next = GetNextItem(index, LVNI_SELECTED);
    position = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(next + 1));
    return index;
}

int CListCtrl::FindItem(const LVFINDINFO* find, int start) const {
    if (!find || GetItemCount() == 0)
        return -1;
    const int count = GetItemCount();
    const int first = std::max(-1, std::min(start, count - 1)) + 1;
    const int steps = (find->flags & LVFI_WRAP) ? count : count - first;
    const CString wanted = find->psz ? find->psz : "";
    for (int step = 0; step < steps; ++step) {
        const int index = (first + step) % count;
        if (find->flags & LVFI_PARAM) {
            if (m_items[index].data == find->lParam)
                return index;
            continue;
        }
        CString text = GetItemText(index, 0);
        if (find->flags & LVFI_PARTIAL)
            text = text.Left(wanted.GetLength());
        if (text.CompareNoCase(wanted) == 0)
            return index;
    }
    return -1;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    if (!compare)
        return FALSE;
    std::stable_sort(m_items.begin(), m_items.end(), [&](const Item& a, const Item& b) {
        return compare(a.data, b.data, static_cast<LPARAM>(data)) < 0;
    });
    Repaint();
    return TRUE;
}

LRESULT CListCtrl::NotifyList(UINT code, int index, int subItem, UINT oldState, UINT newState, UINT changed,
                              CPoint point) {
    NMLISTVIEW info{};
    info.hdr.code = code;
    info.iItem = index;
    info.iSubItem = subItem;
    info.uOldState = oldState;
    info.uNewState = newState;
    info.uChanged = changed;
    info.ptAction = point;
    info.lParam = Valid(index) ? m_items[index].data : 0;
    return NotifyOwner(*this, info.hdr);
}

// --- Images, styles, redraw ---------------------------------------------------------------------

CImageList* CListCtrl::SetImageList(CImageList* images, int kind) {
    if (kind < LVSIL_NORMAL || kind > LVSIL_STATE)
        return nullptr;
    CImageList* old = m_images[kind];
    m_images[kind] = images;
    m_ownerRowHeight = 0;
    UpdateScrollBars();
    Repaint();
    return old;
}

CImageList* CListCtrl::GetImageList(int kind) const {
    return kind >= LVSIL_NORMAL && kind <= LVSIL_STATE ? m_images[kind] : nullptr;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    const DWORD old = m_extendedStyle;
    m_extendedStyle = style;
    Repaint();
    return old;
}

void CListCtrl::SetRedraw(BOOL redraw) {
    if (redraw)
        UpdateScrollBars();
    CWnd::SetRedraw(redraw);
}

void CListCtrl::Repaint() {
    if (!IsRedrawFrozen() && m_hWnd)
        Invalidate();
}

void CListCtrl::InvalidateItem(int index) {
    if (IsRedrawFrozen() || !m_hWnd)
        return;
    CRect row;
    if (GetItemRect(index, &row, LVIR_BOUNDS)) {
        CRect client;
        GetClientRect(&client);
        row.left = 0;
        row.right = client.right;
        InvalidateRect(&row);
    }
}

BOOL CListCtrl::RedrawItems(int first, int last) {
    for (int i = std::max(0, first); i <= last && i < GetItemCount(); ++i) InvalidateItem(i);
    return TRUE;
}

void CListCtrl::DrawItem(DRAWITEMSTRUCT*) {}
