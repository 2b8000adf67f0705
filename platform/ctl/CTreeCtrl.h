#pragma once

#include <memory>
#include <vector>

#include "platform/ctl/CRowsCtrl.h"
#include "platform/ctl/ListControlDefs.h"

class CImageList;

// One item of a tree view; HTREEITEM points at it.
class CTreeCtrlItem {
  public:
    CString text;
    bool textCallback = false;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    LPARAM data = 0;
    int childrenFlag = -1;  // TVIF_CHILDREN: 1 shows a button without children, -1 follows the children
    CTreeCtrlItem* parent = nullptr;
    std::vector<std::unique_ptr<CTreeCtrlItem>> children;
};

// Items in a hierarchy, each with a text, images, states and item data; parents expand and
// collapse with buttons, keys and double clicks; one item holds the caret (the selection) and
// one may be the drop target. Sends TVN_SELCHANGING/TVN_SELCHANGED, TVN_ITEMEXPANDING/
// TVN_ITEMEXPANDED (for the user's actions), TVN_BEGINDRAG, TVN_DELETEITEM and NM_ codes.
class CTreeCtrl : public CRowsCtrl {
    DECLARE_DYNAMIC(CTreeCtrl)
  public:
    CTreeCtrl();
    ~CTreeCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // --- Items ----------------------------------------------------------------------------
    HTREEITEM InsertItem(const TVINSERTSTRUCT* insert);
    HTREEITEM InsertItem(LPCTSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                         LPARAM data, HTREEITEM parent, HTREEITEM after);
    // TVI_ROOT (or null) deletes every item.
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    UINT GetCount() const;
    BOOL GetItem(TVITEM* item) const;
    BOOL SetItem(const TVITEM* item);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCTSTR text);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    BOOL ItemHasChildren(HTREEITEM item) const;
    BOOL SortChildren(HTREEITEM item);

    // --- Navigation -----------------------------------------------------------------------
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return m_caret; }
    HTREEITEM GetDropHilightItem() const { return m_dropTarget; }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }

    // --- Selection, expansion, drop target ------------------------------------------------
    BOOL Select(HTREEITEM item, UINT code);
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    // Done by the program: no TVN_ITEMEXPANDING/TVN_ITEMEXPANDED.
    BOOL Expand(HTREEITEM item, UINT code);
    BOOL EnsureVisible(HTREEITEM item);

    // --- Geometry -------------------------------------------------------------------------
    UINT GetIndent() const { return static_cast<UINT>(m_indent); }
    void SetIndent(UINT indent);
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const;
    BOOL GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const;
    UINT GetVisibleCount() const;
    int RowHeight() const override;

    CImageList* SetImageList(CImageList* images, int kind);
    CImageList* GetImageList(int kind) const;
    // A picture of the item's icon and text (the caller deletes it), for showing while dragging.
    CImageList* CreateDragImage(HTREEITEM item);

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnCaptureChanged(CWnd* window) override;

  private:
    CTreeCtrlItem* Node(HTREEITEM item) const;
    std::vector<HTREEITEM> VisibleItems() const;
    int VisibleIndex(HTREEITEM item) const;
    int Depth(HTREEITEM item) const;
    int ItemLeft(HTREEITEM item) const;
    int LabelWidth(HTREEITEM item) const;
    bool HasButton(HTREEITEM item) const;
    bool Contains(HTREEITEM ancestor, HTREEITEM item) const;
    void ForgetDeleted(HTREEITEM item);
    bool ChangeCaret(HTREEITEM item, UINT action);
    bool ExpandByUser(HTREEITEM item, UINT code);
    bool SetExpanded(HTREEITEM item, bool expanded);
    LRESULT NotifyTree(UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, CPoint point = CPoint());
    void FillItem(TVITEM& item, HTREEITEM handle) const;
    void FitScrollBars() override;
    CRect RowsArea() const override;
    int RowCount() const override;
    void ScrollColumnsTo(int x) override;
    void Repaint() override;

    void PaintItem(CDC& dc, HTREEITEM item, int row);
    void PaintLines(CDC& dc, HTREEITEM item, const CRect& row);
    void PaintButton(CDC& dc, HTREEITEM item, CPoint centre);

    CTreeCtrlItem m_root;
    HTREEITEM m_caret = nullptr;
    HTREEITEM m_dropTarget = nullptr;
    CImageList* m_images[3] = {nullptr, nullptr, nullptr};
    int m_indent = 19;
    HTREEITEM m_pressedItem = nullptr;
    CPoint m_pressPoint;
};
