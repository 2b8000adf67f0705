#pragma once

#include <array>

#include "platform/ctl/CListCtrl.h"

class CGroup;
class CPaint;

// The materials report's list: one row per object shown in reports whose category is
// ticked, groups as rows that open to list their members, an optional sort by a chain of six
// keys and an "Inventory" view that merges identical parts into one row with a quantity and a
// cost. Each row's item data is its object.
class CMaterialsListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CMaterialsListCtrl)
  public:
    // The columns of the normal view; the "Inventory" view puts "Quantity" at 1.
    enum Column : int { kManufacturer, kScale, kType, kName, kPartNo, kPrice, kNote, kColumnCount };
    // Sort keys: the first five columns, then the price.
    static constexpr int kKeyCount = 6;
    using SortKeys = std::array<int, kKeyCount>;
    // Row icons.
    enum Icon : int { kTopObject, kNestedObject, kCollapsedGroup, kExpandedGroup, kClosedGroup };

    void InsertReportColumns();
    // The rows of the group's members from row on, nested groups that are open after their
    // own row; answers the row after the last written.
    int FillRows(CGroup* group, int row, int mask);
    // Every group below the group is closed.
    static void CollapseAll(CGroup* group);
    // Deletes the rows of the group's members, through its open member groups.
    void RemoveGroupRows(CGroup* group);
    // Opens or closes the group of the row (not in the "Inventory" view).
    void ToggleGroupRow(int row);
    void SortRows();
    // Orders two objects by the keys in turn; the first that differs decides.
    static int CompareRows(CPaint* first, CPaint* second, const SortKeys& keys);
    // Identical parts (same texts, price and quantity) become one row with the summed
    // quantity and cost.
    void MergeInventory();
    void SetInventoryView(bool inventory);
    bool IsInventoryView() const { return m_bInventory; }
    // The list's column of a normal-view column, in the current view.
    int ColumnOf(Column column) const;
    int QuantityColumn() const { return 1; }
    CPaint* ObjectAt(int row) const;
    // The row the user works on: the focused row when it is selected, else -1.
    int CurrentRow() const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

    CGroup* m_pTopGroup = nullptr;
    bool m_bSort = false;
    SortKeys m_sortKeys = {0, 1, 2, 3, 4, 5};

  protected:
    void OnLButtonDblClk(UINT flags, CPoint point) override;

  private:
    int InsertObjectRow(CPaint* object, CGroup* owner, int row, int mask);
    void WritePrice(int row, CPaint* object, int mask);
    int FindRow(const CPaint* object) const;
    // Adds a row's quantity and cost to the row kept for its part.
    void MergeRowInto(int kept, int merged);

    bool m_bInventory = false;
};
