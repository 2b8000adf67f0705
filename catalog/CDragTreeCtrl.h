#pragma once

#include <functional>
#include <vector>

#include "platform/ctl/CTreeCtrl.h"

class CImageList;

// The materials report's "Sort order": a chain of key names, each item the only child of the
// one above it, that the user reorders by dragging an item onto another (it then stands just
// above it) or below the last (it then goes to the bottom).
class CDragTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CDragTreeCtrl)
    DECLARE_MESSAGE_MAP()
  public:
    CDragTreeCtrl();
    ~CDragTreeCtrl() override;

    void SetChain(std::vector<CString> chain);
    const std::vector<CString>& GetChain() const { return m_chain; }
    // Moves the item at index to just above the item at target (-1: to the bottom).
    void MoveAbove(int index, int target);
    // Takes the named item out of the chain; answers the index it had, -1 when not there.
    int CutItem(const CString& name);
    // Puts the named item back at index (clamped to the chain).
    void InsertItemAt(const CString& name, int index);
    // The chain's position of a tree item, -1 for none.
    int IndexOf(HTREEITEM item) const;
    HTREEITEM ItemAt(int index) const;
    bool IsDragging() const { return m_bDragging; }

    // Told after a drop changed the chain.
    std::function<void()> m_onReordered;

  protected:
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // A drag ends dropping nothing: the order stays as it was.
    void OnCancelMode() override;

  private:
    void Rebuild();
    void EndDrag();

    std::vector<CString> m_chain;
    std::unique_ptr<CImageList> m_dragImage;
    bool m_bDragging = false;
    HTREEITEM m_dragged = nullptr;
    HTREEITEM m_dropTarget = nullptr;
};
