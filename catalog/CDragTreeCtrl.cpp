#include "catalog/CDragTreeCtrl.h"

#include <algorithm>

#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CImageList.h"

namespace {
constexpr UINT kIndent = 15;
}  // namespace

IMPLEMENT_DYNAMIC(CDragTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CDragTreeCtrl, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
END_MESSAGE_MAP()

CDragTreeCtrl::CDragTreeCtrl() = default;
CDragTreeCtrl::~CDragTreeCtrl() = default;

void CDragTreeCtrl::SetChain(std::vector<CString> chain) {
    m_chain = std::move(chain);
    Rebuild();
}

// Each name under the one before, every item open.
void CDragTreeCtrl::Rebuild() {
    if (m_hWnd == nullptr)
        return;
    DeleteAllItems();
    SetIndent(kIndent);
    HTREEITEM parent = TVI_ROOT;
    for (const CString& name : m_chain) parent = InsertItem(name, parent);
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetChildItem(item)) Expand(item, TVE_EXPAND);
}

int CDragTreeCtrl::IndexOf(HTREEITEM item) const {
    int index = 0;
    for (HTREEITEM at = GetRootItem(); at != nullptr; at = GetChildItem(at), ++index)
        if (at == item)
            return index;
    return -1;
}

HTREEITEM CDragTreeCtrl::ItemAt(int index) const {
    HTREEITEM at = GetRootItem();
    for (; at != nullptr && index > 0; --index) at = GetChildItem(at);
    return index == 0 ? at : nullptr;
}

void CDragTreeCtrl::MoveAbove(int index, int target) {
    const int count = static_cast<int>(m_chain.size());
    if (index < 0 || index >= count || index == target || target >= count)
        return;
    const CString moved = m_chain[static_cast<size_t>(index)];
    m_chain.erase(m_chain.begin() + index);
    if (target < 0)
        m_chain.push_back(moved);
    else
        m_chain.insert(m_chain.begin() + (target > index ? target - 1 : target), moved);
    Rebuild();
}

int CDragTreeCtrl::CutItem(const CString& name) {
    const auto found = std::find(m_chain.begin(), m_chain.end(), name);
    if (found == m_chain.end())
        return -1;
    const int index = static_cast<int>(found - m_chain.begin());
    m_chain.erase(found);
    Rebuild();
    return index;
}

void CDragTreeCtrl::InsertItemAt(const CString& name, int index) {
    index = std::clamp(index, 0, static_cast<int>(m_chain.size()));
    m_chain.insert(m_chain.begin() + index, name);
    Rebuild();
}

// ---- Dragging ----

void CDragTreeCtrl::OnBeginDrag(NMHDR* header, LRESULT* result) {
    const auto* info = reinterpret_cast<NMTREEVIEW*>(header);
    *result = 0;
    m_dragged = info->itemNew.hItem;
    if (m_dragged == nullptr)
        return;
    m_dragImage.reset(CreateDragImage(m_dragged));
    if (m_dragImage) {
        m_dragImage->BeginDrag(0, CPoint(0, 0));
        CImageList::DragEnter(this, info->ptDrag);
    }
    m_bDragging = true;
    m_dropTarget = nullptr;
    SetCapture();
}

void CDragTreeCtrl::OnMouseMove(UINT flags, CPoint point) {
    if (!m_bDragging) {
        CTreeCtrl::OnMouseMove(flags, point);
        return;
    }
    if (m_dragImage)
        CImageList::DragMove(point);
    m_dropTarget = HitTest(point);
    SelectDropTarget(m_dropTarget);
}

void CDragTreeCtrl::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_bDragging) {
        CTreeCtrl::OnLButtonUp(flags, point);
        return;
    }
    const int from = IndexOf(m_dragged);
    const int to = IndexOf(HitTest(point));
    EndDrag();
    if (from < 0 || from == to)
        return;
    MoveAbove(from, to);
    if (m_onReordered)
        m_onReordered();
}

void CDragTreeCtrl::OnCancelMode() {
    if (m_bDragging)
        EndDrag();
    CTreeCtrl::OnCancelMode();
}

void CDragTreeCtrl::EndDrag() {
    if (m_dragImage) {
        CImageList::DragLeave(this);
        CImageList::EndDrag();
        m_dragImage.reset();
    }
    SelectDropTarget(nullptr);
    m_bDragging = false;
    m_dragged = m_dropTarget = nullptr;
    ReleaseCapture();
}
