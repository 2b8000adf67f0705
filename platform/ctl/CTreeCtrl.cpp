#include "platform/ctl/CTreeCtrl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTreeCtrl, CRowsCtrl)

namespace {
constexpr int kTextBuffer = 260;

void CountItems(const CTreeCtrlItem& node, UINT& count) {
    for (const auto& child : node.children) {
        ++count;
        CountItems(*child, count);
    }
}
}  // namespace

CTreeCtrl::CTreeCtrl() {
    m_root.state = TVIS_EXPANDED;
}
CTreeCtrl::~CTreeCtrl() = default;

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(nullptr, "", style, rect, parent, id);
}

CTreeCtrlItem* CTreeCtrl::Node(HTREEITEM item) const {
    return item == TVI_ROOT || item == nullptr ? const_cast<CTreeCtrlItem*>(&m_root) : item;
}

// --- Items --------------------------------------------------------------------------------------

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCT* insert) {
    if (!insert)
        return nullptr;
    CTreeCtrlItem* parent = Node(insert->hParent);
    auto made = std::make_unique<CTreeCtrlItem>();
    const TVITEM& item = insert->item;
    if (item.mask & TVIF_TEXT) {
        made->textCallback = item.pszText == LPSTR_TEXTCALLBACK;
        if (!made->textCallback && item.pszText)
            made->text = item.pszText;
    }
    if (item.mask & TVIF_IMAGE)
        made->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE)
        made->selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_STATE)
        made->state = item.state & item.stateMask & ~TVIS_SELECTED;
    if (item.mask & TVIF_PARAM)
        made->data = item.lParam;
    if (item.mask & TVIF_CHILDREN)
        made->childrenFlag = item.cChildren;
    made->parent = parent;
    auto& siblings = parent->children;
    auto place = siblings.end();
    const HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        place = siblings.begin();
    } else if (after == TVI_SORT) {
        place = std::find_if(siblings.begin(), siblings.end(), [&](const auto& sibling) {
            return made->text.CompareNoCase(sibling->text) < 0;
        });
    } else if (after != TVI_LAST && after) {
        auto found =
            std::find_if(siblings.begin(), siblings.end(), [&](const auto& s) { return s.get() == after; });
        if (found != siblings.end())
            place = found + 1;
    }
    HTREEITEM handle = siblings.insert(place, std::move(made))->get();
    UpdateScrollBars();
    Repaint();
    return handle;
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0, 0,
                      parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state,
                                UINT stateMask, LPARAM data, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCT insert{
        parent, after,
        TVITEM{mask, nullptr, state, stateMask, const_cast<LPSTR>(text), 0, image, selectedImage, 0, data}};
    return InsertItem(&insert);
}

bool CTreeCtrl::Contains(HTREEITEM ancestor, HTREEITEM item) const {
    for (HTREEITEM walk = item; walk && walk != &m_root; walk = walk->parent)
        if (walk == ancestor)
            return true;
    return false;
}

void CTreeCtrl::ForgetDeleted(HTREEITEM item) {
    for (const auto& child : item->children) ForgetDeleted(child.get());
    NotifyTree(TVN_DELETEITEM, 0, item, nullptr);
    if (m_caret == item)
        m_caret = nullptr;
    if (m_dropTarget == item)
        m_dropTarget = nullptr;
    if (m_pressedItem == item)
        m_pressedItem = nullptr;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    CTreeCtrlItem* node = Node(item);
    if (node == &m_root) {
        for (const auto& child : m_root.children) ForgetDeleted(child.get());
        m_root.children.clear();
        m_top = 0;
    } else {
        ForgetDeleted(node);
        std::erase_if(node->parent->children, [&](const auto& child) { return child.get() == node; });
    }
    UpdateScrollBars();
    Repaint();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const {
    UINT count = 0;
    CountItems(m_root, count);
    return count;
}

void CTreeCtrl::FillItem(TVITEM& item, HTREEITEM handle) const {
    item = TVITEM{TVIF_HANDLE | TVIF_STATE | TVIF_PARAM, handle, 0, 0, nullptr, 0, 0, 0, 0, 0};
    if (!handle)
        return;
    item.state = handle->state;
    item.stateMask = 0xFFFF;
    item.lParam = handle->data;
}

BOOL CTreeCtrl::GetItem(TVITEM* item) const {
    if (!item || !item->hItem || item->hItem == TVI_ROOT)
        return FALSE;
    const CTreeCtrlItem& node = *item->hItem;
    if (item->mask & TVIF_TEXT && item->pszText && item->cchTextMax > 0) {
        const CString text = GetItemText(item->hItem);
        const int length = std::min(text.GetLength(), item->cchTextMax - 1);
        std::copy_n(text.c_str(), length, item->pszText);
        item->pszText[length] = '\0';
    }
    if (item->mask & TVIF_IMAGE)
        item->iImage = node.image;
    if (item->mask & TVIF_SELECTEDIMAGE)
        item->iSelectedImage = node.selectedImage;
    if (item->mask & TVIF_STATE)
        item->state = node.state & item->stateMask;
    if (item->mask & TVIF_PARAM)
        item->lParam = node.data;
    if (item->mask & TVIF_CHILDREN)
        item->cChildren = ItemHasChildren(item->hItem) ? 1 : 0;
    return TRUE;
}

BOOL CTreeCtrl::SetItem(const TVITEM* item) {
    if (!item || !item->hItem || item->hItem == TVI_ROOT)
        return FALSE;
    CTreeCtrlItem& node = *item->hItem;
    if (item->mask & TVIF_TEXT) {
        node.textCallback = item->pszText == LPSTR_TEXTCALLBACK;
        node.text = !node.textCallback && item->pszText ? item->pszText : "";
    }
    if (item->mask & TVIF_IMAGE)
        node.image = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE)
        node.selectedImage = item->iSelectedImage;
    if (item->mask & TVIF_PARAM)
        node.data = item->lParam;
    if (item->mask & TVIF_CHILDREN)
        node.childrenFlag = item->cChildren;
    if (item->mask & TVIF_STATE)
        SetItemState(item->hItem, item->state, item->stateMask);
    UpdateScrollBars();
    Repaint();
    return TRUE;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    if (!item || item == TVI_ROOT)
        return CString();
    if (!item->textCallback)
        return item->text;
    char buffer[kTextBuffer] = "";
    NMTVDISPINFO info{};
    info.hdr.code = TVN_GETDISPINFO;
    info.item =
        TVITEM{TVIF_TEXT | TVIF_HANDLE, item, item->state, 0, buffer, kTextBuffer, 0, 0, 0, item->data};
    NotifyOwner(*const_cast<CTreeCtrl*>(this), info.hdr);
    return info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK ? CString(info.item.pszText)
                                                                        : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
    TVITEM change{TVIF_TEXT, item, 0, 0, const_cast<LPSTR>(text), 0, 0, 0, 0, 0};
    return SetItem(&change);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    return item && item != TVI_ROOT ? static_cast<DWORD_PTR>(item->data) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    if (!item || item == TVI_ROOT)
        return FALSE;
    item->data = static_cast<LPARAM>(data);
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    return item && item != TVI_ROOT ? item->state & mask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
    if (!item || item == TVI_ROOT)
        return FALSE;
    if (mask & TVIS_SELECTED)
        Select((state & TVIS_SELECTED) ? item : (m_caret == item ? nullptr : m_caret), TVGN_CARET);
    if (mask & TVIS_DROPHILITED)
        Select((state & TVIS_DROPHILITED) ? item : (m_dropTarget == item ? nullptr : m_dropTarget),
               TVGN_DROPHILITE);
    if (mask & TVIS_EXPANDED)
        SetExpanded(item, (state & TVIS_EXPANDED) != 0);
    const UINT plain = mask & ~(TVIS_SELECTED | TVIS_DROPHILITED | TVIS_EXPANDED);
    item->state = (item->state & ~plain) | (state & plain);
    Repaint();
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    if (!item || item == TVI_ROOT)
        return FALSE;
    image = item->image;
    selectedImage = item->selectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    TVITEM change{TVIF_IMAGE | TVIF_SELECTEDIMAGE, item, 0, 0, nullptr, 0, image, selectedImage, 0, 0};
    return SetItem(&change);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    const CTreeCtrlItem* node = Node(item);
    if (node != &m_root && node->childrenFlag >= 0 && node->children.empty())
        return node->childrenFlag > 0;
    return node->children.empty() ? FALSE : TRUE;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM item) {
    auto& children = Node(item)->children;
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a->text.CompareNoCase(b->text) < 0; });
    Repaint();
    return TRUE;
}

// --- Navigation ---------------------------------------------------------------------------------

std::vector<HTREEITEM> CTreeCtrl::VisibleItems() const {
    std::vector<HTREEITEM> items;
    auto walk = [&](auto&& self, const CTreeCtrlItem& node) -> void {
        if ((node.state & TVIS_EXPANDED) == 0)
            return;
        for (const auto& child : node.children) {
            items.push_back(child.get());
            self(self, *child);
        }
    };
    walk(walk, m_root);
    return items;
}

int CTreeCtrl::VisibleIndex(HTREEITEM item) const {
    const std::vector<HTREEITEM> items = VisibleItems();
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
    const CTreeCtrlItem* node = Node(item);
    auto sibling = [&](int step) -> HTREEITEM {
        if (node == &m_root)
            return nullptr;
        const auto& siblings = node->parent->children;
        const auto found =
            std::find_if(siblings.begin(), siblings.end(), [&](const auto& s) { return s.get() == node; });
        const auto index = (found - siblings.begin()) + step;
        return index >= 0 && index < static_cast<long>(siblings.size()) ? siblings[index].get() : nullptr;
    };
    const std::vector<HTREEITEM> visible = code == TVGN_FIRSTVISIBLE || code == TVGN_NEXTVISIBLE ||
                                                   code == TVGN_PREVIOUSVISIBLE || code == TVGN_LASTVISIBLE
                                               ? VisibleItems()
                                               : std::vector<HTREEITEM>();
    const int at = static_cast<int>(std::find(visible.begin(), visible.end(), item) - visible.begin());
    switch (code) {
        case TVGN_ROOT:
            return m_root.children.empty() ? nullptr : m_root.children.front().get();
        case TVGN_NEXT:
            return sibling(1);
        case TVGN_PREVIOUS:
            return sibling(-1);
        case TVGN_PARENT:
            return node == &m_root || node->parent == &m_root ? nullptr : node->parent;
        case TVGN_CHILD:
            return node->children.empty() ? nullptr : node->children.front().get();
        case TVGN_FIRSTVISIBLE:
            return m_top < static_cast<int>(visible.size()) ? visible[m_top] : nullptr;
        case TVGN_NEXTVISIBLE:
            return at + 1 < static_cast<int>(visible.size()) ? visible[at + 1] : nullptr;
        case TVGN_PREVIOUSVISIBLE:
            return at > 0 && at < static_cast<int>(visible.size()) ? visible[at - 1] : nullptr;
        case TVGN_LASTVISIBLE:
            return visible.empty() ? nullptr : visible.back();
        case TVGN_DROPHILITE:
            return m_dropTarget;
        case TVGN_CARET:
            return m_caret;
        default:
            return nullptr;
    }
}

// --- Selection and expansion --------------------------------------------------------------------

LRESULT CTreeCtrl::NotifyTree(UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, CPoint point) {
    NMTREEVIEW info{};
    info.hdr.code = code;
    info.action = action;
    FillItem(info.itemOld, oldItem);
    FillItem(info.itemNew, newItem);
    info.ptDrag = point;
    return NotifyOwner(*this, info.hdr);
}

bool CTreeCtrl::ChangeCaret(HTREEITEM item, UINT action) {
    if (item == m_caret)
        return true;
    const HTREEITEM old = m_caret;
    if (NotifyTree(TVN_SELCHANGING, action, old, item) != 0)
        return false;
    if (old)
        old->state &= ~TVIS_SELECTED;
    m_caret = item;
    if (item) {
        item->state |= TVIS_SELECTED;
        EnsureVisible(item);
    }
    Repaint();
    NotifyTree(TVN_SELCHANGED, action, old, item);
    return true;
}

BOOL CTreeCtrl::Select(HTREEITEM item, UINT code) {
    if (item == TVI_ROOT)
        item = nullptr;
    switch (code) {
        case TVGN_CARET:
            return ChangeCaret(item, TVC_UNKNOWN) ? TRUE : FALSE;
        case TVGN_DROPHILITE:
            if (m_dropTarget)
                m_dropTarget->state &= ~TVIS_DROPHILITED;
            m_dropTarget = item;
            if (item)
                item->state |= TVIS_DROPHILITED;
            Repaint();
            return TRUE;
        case TVGN_FIRSTVISIBLE: {
            const int index = VisibleIndex(item);
            if (index < 0)
                return FALSE;
            ScrollRowsTo(index);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

bool CTreeCtrl::SetExpanded(HTREEITEM item, bool expanded) {
    const bool was = (item->state & TVIS_EXPANDED) != 0;
    if (was == expanded)
        return false;
    item->state ^= TVIS_EXPANDED;
    if (expanded)
        item->state |= TVIS_EXPANDEDONCE;
    UpdateScrollBars();
    Repaint();
    return true;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    if (!item || item == TVI_ROOT)
        return FALSE;
    const bool expand = code == TVE_EXPAND || (code == TVE_TOGGLE && (item->state & TVIS_EXPANDED) == 0);
    SetExpanded(item, expand);
    // A caret hidden under a collapsed item moves up to it.
    if (!expand && m_caret && m_caret != item && Contains(item, m_caret))
        ChangeCaret(item, TVC_UNKNOWN);
    return ItemHasChildren(item);
}

bool CTreeCtrl::ExpandByUser(HTREEITEM item, UINT code) {
    if (!item || !ItemHasChildren(item))
        return false;
    const bool expand = code == TVE_EXPAND || (code == TVE_TOGGLE && (item->state & TVIS_EXPANDED) == 0);
    if (expand == ((item->state & TVIS_EXPANDED) != 0))
        return false;
    const UINT action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (NotifyTree(TVN_ITEMEXPANDING, action, nullptr, item) != 0)
        return false;
    Expand(item, action);
    NotifyTree(TVN_ITEMEXPANDED, action, nullptr, item);
    return true;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    if (!item || item == TVI_ROOT)
        return FALSE;
    for (HTREEITEM parent = item->parent; parent && parent != &m_root; parent = parent->parent)
        SetExpanded(parent, true);
    ScrollRowIntoView(VisibleIndex(item), false);
    return TRUE;
}
