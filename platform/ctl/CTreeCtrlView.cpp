// The tree view on screen: where items lie, how they are painted, and the mouse, keys and
// scroll bars.
#include <algorithm>
#include <climits>

#include "platform/ctl/CTreeCtrl.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/ScrollRequest.h"
#include "platform/win/WindowDCs.h"

namespace {
constexpr int kMinimumIndent = 4;
constexpr int kLabelPadding = 2;
constexpr int kIconGap = 3;
constexpr int kButtonHalf = 4;
constexpr int kDragDistance = 4;

int TextWidth(const CString& text) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    return dc.GetTextExtent(text).cx;
}
}  // namespace

// --- Geometry -----------------------------------------------------------------------------------

void CTreeCtrl::SetIndent(UINT indent) {
    m_indent = std::max(kMinimumIndent, static_cast<int>(indent));
    UpdateScrollBars();
    Repaint();
}

int CTreeCtrl::RowHeight() const {
    int height = ControlTextHeight() + 3;
    if (m_images[TVSIL_NORMAL])
        height = std::max(height, static_cast<int>(m_images[TVSIL_NORMAL]->GetImageSize().cy));
    return height;
}

UINT CTreeCtrl::GetVisibleCount() const {
    return static_cast<UINT>(RowsPerPage());
}

CRect CTreeCtrl::RowsArea() const {
    CRect client;
    GetClientRect(&client);
    return client;
}

int CTreeCtrl::Depth(HTREEITEM item) const {
    int depth = 0;
    for (HTREEITEM walk = item->parent; walk && walk != &m_root; walk = walk->parent) ++depth;
    return depth;
}

// Items at the root get a column for their buttons and lines only with TVS_LINESATROOT.
int CTreeCtrl::ItemLeft(HTREEITEM item) const {
    const bool rootColumn = (GetStyle() & TVS_LINESATROOT) && (GetStyle() & (TVS_HASBUTTONS | TVS_HASLINES));
    return (Depth(item) + (rootColumn ? 1 : 0)) * m_indent + kLabelPadding - m_scrollX;
}

bool CTreeCtrl::HasButton(HTREEITEM item) const {
    const bool rootColumn = (GetStyle() & TVS_LINESATROOT) || item->parent != &m_root;
    return (GetStyle() & TVS_HASBUTTONS) && rootColumn && ItemHasChildren(item);
}

int CTreeCtrl::LabelWidth(HTREEITEM item) const {
    return TextWidth(GetItemText(item)) + 2 * kLabelPadding;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
    const int index = VisibleIndex(item);
    if (index < 0 || !rect)
        return FALSE;
    CRect client;
    GetClientRect(&client);
    const int top = RowTop(index);
    if (!textOnly) {
        *rect = CRect(0, top, client.right, top + RowHeight());
        return TRUE;
    }
    int left = ItemLeft(item);
    if (const CImageList* images = m_images[TVSIL_NORMAL])
        left += images->GetImageSize().cx + kIconGap;
    *rect = CRect(left, top, left + LabelWidth(item), top + RowHeight());
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const {
    if (!info)
        return nullptr;
    info->hItem = nullptr;
    CRect client;
    GetClientRect(&client);
    const CPoint point(info->pt);
    info->flags = point.y < 0 ? TVHT_ABOVE : point.y >= client.bottom ? TVHT_BELOW : 0u;
    if (point.x < 0)
        info->flags |= TVHT_TOLEFT;
    if (point.x >= client.right)
        info->flags |= TVHT_TORIGHT;
    if (info->flags)
        return nullptr;
    const std::vector<HTREEITEM> visible = VisibleItems();
    const int index = RowAt(point.y);
    if (index >= static_cast<int>(visible.size())) {
        info->flags = TVHT_NOWHERE;
        return nullptr;
    }
    HTREEITEM item = visible[index];
    info->hItem = item;
    const int left = ItemLeft(item);
    CRect label;
    GetItemRect(item, &label, TRUE);
    if (point.x < left)
        info->flags = HasButton(item) && point.x >= left - m_indent ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (point.x < label.left)
        info->flags = TVHT_ONITEMICON;
    else if (point.x < label.right)
        info->flags = TVHT_ONITEMLABEL;
    else
        info->flags = TVHT_ONITEMRIGHT;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO info{point, 0, nullptr};
    HTREEITEM item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item;
}

// --- Scrolling ----------------------------------------------------------------------------------

void CTreeCtrl::FitScrollBars() {
    const std::vector<HTREEITEM> visible = VisibleItems();
    int widest = 0;
    for (HTREEITEM item : visible) {
        CRect label;
        GetItemRect(item, &label, TRUE);
        widest = std::max(widest, static_cast<int>(label.right) + m_scrollX);
    }
    SetScrollRanges(widest, static_cast<int>(visible.size()));
}

int CTreeCtrl::RowCount() const {
    return static_cast<int>(VisibleItems().size());
}

void CTreeCtrl::ScrollColumnsTo(int x) {
    int minimum = 0;
    int maximum = 0;
    GetScrollRange(SB_HORZ, &minimum, &maximum);
    CRect client;
    GetClientRect(&client);
    x = std::clamp(x, 0, std::max(0, maximum + 1 - static_cast<int>(client.Width())));
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    SetScrollPos(SB_HORZ, m_scrollX);
    Repaint();
}

void CTreeCtrl::OnVScroll(UINT code, UINT position, CScrollBar*) {
    const int page = std::max(1, static_cast<int>(GetVisibleCount()) - 1);
    ScrollRowsTo(ScrollRequestTarget(code, position, m_top, 1, page, INT_MAX));
}

// --- Mouse and keys -----------------------------------------------------------------------------

void CTreeCtrl::OnLButtonDown(UINT, CPoint point) {
    SetFocus();
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (!item)
        return;
    if (flags & TVHT_ONITEMBUTTON) {
        ExpandByUser(item, TVE_TOGGLE);
        return;
    }
    if ((flags & TVHT_ONITEM) == 0)
        return;
    ChangeCaret(item, TVC_BYMOUSE);
    m_pressedItem = item;
    m_pressPoint = point;
    SetCapture();
}

void CTreeCtrl::OnMouseMove(UINT, CPoint point) {
    if (GetCapture() != this || !m_pressedItem)
        return;
    if (std::abs(point.x - m_pressPoint.x) <= kDragDistance &&
        std::abs(point.y - m_pressPoint.y) <= kDragDistance)
        return;
    HTREEITEM dragged = m_pressedItem;
    m_pressedItem = nullptr;
    ReleaseCapture();
    if ((GetStyle() & TVS_DISABLEDRAGDROP) == 0)
        NotifyTree(TVN_BEGINDRAG, 0, nullptr, dragged, m_pressPoint);
}

void CTreeCtrl::OnLButtonUp(UINT, CPoint) {
    if (GetCapture() != this)
        return;
    m_pressedItem = nullptr;
    ReleaseCapture();
    NotifyOwner(*this, NM_CLICK);
}

void CTreeCtrl::OnCaptureChanged(CWnd*) {
    m_pressedItem = nullptr;
}

void CTreeCtrl::OnLButtonDblClk(UINT, CPoint point) {
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item && (flags & TVHT_ONITEMBUTTON)) {
        ExpandByUser(item, TVE_TOGGLE);
        return;
    }
    // An owner that answers non-zero has handled the double click itself.
    if (NotifyOwner(*this, NM_DBLCLK) == 0 && m_hWnd && item && (flags & TVHT_ONITEM))
        ExpandByUser(item, TVE_TOGGLE);
}

void CTreeCtrl::OnRButtonDown(UINT, CPoint) {
    SetFocus();
    NotifyOwner(*this, NM_RCLICK);
}

void CTreeCtrl::OnKeyDown(UINT key, UINT, UINT) {
    NMTVKEYDOWN down{};
    down.hdr.code = TVN_KEYDOWN;
    down.wVKey = static_cast<WORD>(key);
    NotifyOwner(*this, down.hdr);
    if (!m_hWnd)
        return;
    HTREEITEM caret = m_caret;
    auto move = [&](HTREEITEM target) {
        if (target)
            ChangeCaret(target, TVC_BYKEYBOARD);
    };
    const std::vector<HTREEITEM> visible = VisibleItems();
    if (visible.empty())
        return;
    const int at = caret ? VisibleIndex(caret) : -1;
    const int page = std::max(1, static_cast<int>(GetVisibleCount()) - 1);
    auto visibleAt = [&](int index) {
        return visible[std::clamp(index, 0, static_cast<int>(visible.size()) - 1)];
    };
    switch (key) {
        case VK_UP:
            move(at < 0 ? visible.front() : visibleAt(at - 1));
            break;
        case VK_DOWN:
            move(at < 0 ? visible.front() : visibleAt(at + 1));
            break;
        case VK_PRIOR:
            move(visibleAt(at - page));
            break;
        case VK_NEXT:
            move(visibleAt(at + page));
            break;
        case VK_HOME:
            move(visible.front());
            break;
        case VK_END:
            move(visible.back());
            break;
        case VK_LEFT:
            if (caret && (caret->state & TVIS_EXPANDED) && ItemHasChildren(caret))
                ExpandByUser(caret, TVE_COLLAPSE);
            else if (caret)
                move(GetParentItem(caret));
            break;
        case VK_RIGHT:
            if (caret && ItemHasChildren(caret) && (caret->state & TVIS_EXPANDED) == 0)
                ExpandByUser(caret, TVE_EXPAND);
            else if (caret)
                move(GetChildItem(caret));
            break;
        case VK_RETURN:
            NotifyOwner(*this, NM_RETURN);
            break;
        default:
            break;
    }
}

// --- Images -------------------------------------------------------------------------------------

CImageList* CTreeCtrl::SetImageList(CImageList* images, int kind) {
    if (kind != TVSIL_NORMAL && kind != TVSIL_STATE)
        return nullptr;
    CImageList* old = m_images[kind];
    m_images[kind] = images;
    UpdateScrollBars();
    Repaint();
    return old;
}

CImageList* CTreeCtrl::GetImageList(int kind) const {
    return kind == TVSIL_NORMAL || kind == TVSIL_STATE ? m_images[kind] : nullptr;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM item) {
    if (!item || item == TVI_ROOT)
        return nullptr;
    const CImageList* icons = m_images[TVSIL_NORMAL];
    const int iconWidth = icons ? icons->GetImageSize().cx + kIconGap : 0;
    const CSize size(iconWidth + LabelWidth(item), RowHeight());
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap picture;
    picture.CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, size.cx, size.cy, GetSysColor(COLOR_WINDOW));
    if (icons)
        const_cast<CImageList*>(icons)->Draw(&dc, item->image, CPoint(0, 0), ILD_TRANSPARENT);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CRect text(iconWidth + kLabelPadding, 0, size.cx, size.cy);
    dc.DrawText(GetItemText(item), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
    auto* images = new CImageList;
    images->Create(size.cx, size.cy, ILC_COLOR32, 1, 1);
    images->Add(&picture, static_cast<CBitmap*>(nullptr));
    return images;
}

// --- Painting -----------------------------------------------------------------------------------

void CTreeCtrl::Repaint() {
    if (m_hWnd)
        Invalidate();
}

BOOL CTreeCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTreeCtrl::OnPaint() {
    CPaintDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    const std::vector<HTREEITEM> visible = VisibleItems();
    const int rows = static_cast<int>(GetVisibleCount()) + 1;
    for (int row = 0; row < rows && m_top + row < static_cast<int>(visible.size()); ++row)
        PaintItem(dc, visible[m_top + row], row);
    DrawFocusWithoutRow(dc, GetSelectedItem() != nullptr);
}

void CTreeCtrl::PaintItem(CDC& dc, HTREEITEM item, int row) {
    CRect client;
    GetClientRect(&client);
    const CRect rowRect(0, row * RowHeight(), client.right, (row + 1) * RowHeight());
    PaintLines(dc, item, rowRect);
    if (HasButton(item))
        PaintButton(dc, item, CPoint(ItemLeft(item) - kLabelPadding - m_indent / 2, rowRect.CenterPoint().y));
    if (CImageList* images = m_images[TVSIL_NORMAL]) {
        const int image = (item->state & TVIS_SELECTED) ? item->selectedImage : item->image;
        const int y = rowRect.top + (rowRect.Height() - images->GetImageSize().cy) / 2;
        images->Draw(&dc, image, CPoint(ItemLeft(item), y), ILD_TRANSPARENT);
    }
    CRect label;
    GetItemRect(item, &label, TRUE);
    const bool focused = GetFocus() == this;
    const bool dropped = (item->state & TVIS_DROPHILITED) != 0;
    const bool selected = (item->state & TVIS_SELECTED) && !(m_dropTarget && m_dropTarget != item);
    const bool highlighted = dropped || (selected && focused);
    const bool shownUnfocused = selected && !focused && (GetStyle() & TVS_SHOWSELALWAYS);
    if (highlighted || shownUnfocused)
        dc.FillSolidRect(&label, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect text = label;
    text.DeflateRect(kLabelPadding, 0);
    dc.DrawText(GetItemText(item), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (selected && focused && !m_dropTarget)
        dc.DrawFocusRect(&label);
}

void CTreeCtrl::PaintLines(CDC& dc, HTREEITEM item, const CRect& row) {
    if ((GetStyle() & TVS_HASLINES) == 0)
        return;
    const bool rootLines = (GetStyle() & TVS_LINESATROOT) != 0;
    const COLORREF colour = GetSysColor(COLOR_BTNSHADOW);
    const int middle = row.CenterPoint().y;
    auto dottedColumn = [&](int x, int top, int bottom) {
        for (int y = top + ((top + x) & 1); y < bottom; y += 2) dc.SetPixelV(x, y, colour);
    };
    auto lineX = [&](HTREEITEM of) { return ItemLeft(of) - kLabelPadding - m_indent / 2; };
    if (item->parent != &m_root || rootLines) {
        const int x = lineX(item);
        for (int px = x + ((x + middle) & 1); px < ItemLeft(item) - 1; px += 2)
            dc.SetPixelV(px, middle, colour);
        const bool first = item->parent == &m_root && item == m_root.children.front().get();
        dottedColumn(x, first ? middle : row.top, GetNextSiblingItem(item) ? row.bottom : middle + 1);
    }
    for (HTREEITEM ancestor = item->parent; ancestor && ancestor != &m_root; ancestor = ancestor->parent)
        if (GetNextSiblingItem(ancestor) && (ancestor->parent != &m_root || rootLines))
            dottedColumn(lineX(ancestor), row.top, row.bottom);
}

void CTreeCtrl::PaintButton(CDC& dc, HTREEITEM item, CPoint centre) {
    const CRect box(centre.x - kButtonHalf, centre.y - kButtonHalf, centre.x + kButtonHalf + 1,
                    centre.y + kButtonHalf + 1);
    dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    dc.FillSolidRect(centre.x - 2, centre.y, 5, 1, sign);
    if ((item->state & TVIS_EXPANDED) == 0)
        dc.FillSolidRect(centre.x, centre.y - 2, 1, 5, sign);
}
