#include "catalog/CMaterialsListCtrl.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalog/CatalogFormat.h"
#include "catalog/CatalogRowDrawing.h"
#include "catalog/ReportCategories.h"
#include "model/CGroup.h"
#include "platform/ctl/ListControlDefs.h"

namespace {

constexpr CatalogColumn kColumns[] = {
    {"Manufacturer", 85, LVCFMT_LEFT}, {"Scale", 50, LVCFMT_LEFT},    {"Type", 74, LVCFMT_LEFT},
    {"Name", 85, LVCFMT_LEFT},         {"Part No.", 55, LVCFMT_LEFT}, {"Price", 60, LVCFMT_RIGHT},
    {"Note", 60, LVCFMT_LEFT},
};
constexpr int kQuantityWidth = 60;

// Only plain groups open in the report; the classes built on a group are parts.
CGroup* ReportGroupOf(CPaint* object) {
    return object != nullptr && object->GetClassName() == "CGroup" ? dynamic_cast<CGroup*>(object) : nullptr;
}

// A quantity as a whole count; a value read from a file may be anything.
int WholeQuantity(double quantity) {
    if (!(quantity > INT_MIN && quantity < INT_MAX))
        return 0;
    return static_cast<int>(quantity);
}

CString KeyText(CPaint* object, int key) {
    switch (key) {
        case CMaterialsListCtrl::kManufacturer:
            return object->GetManufacturer();
        case CMaterialsListCtrl::kScale:
            return object->GetScale();
        case CMaterialsListCtrl::kType:
            return object->GetType();
        case CMaterialsListCtrl::kName:
            return object->GetName();
        default:
            return object->GetPartNo();
    }
}

int CompareByKey(CPaint* first, CPaint* second, int key) {
    if (key == CMaterialsListCtrl::kPrice) {
        const double a = first->GetReportPrice(kEveryReportBit);
        const double b = second->GetReportPrice(kEveryReportBit);
        return a < b ? -1 : (b < a ? 1 : 0);
    }
    return std::strcmp(KeyText(first, key), KeyText(second, key));
}

int CompareItems(LPARAM first, LPARAM second, LPARAM list) {
    return CMaterialsListCtrl::CompareRows(reinterpret_cast<CPaint*>(first),
                                           reinterpret_cast<CPaint*>(second),
                                           reinterpret_cast<CMaterialsListCtrl*>(list)->m_sortKeys);
}

// What makes two parts the same in the inventory: their texts, price and quantity, compared
// exactly. A part whose price or quantity is not a number equals none.
struct InventoryKey {
    std::array<std::string, 5> texts;
    double price;
    double quantity;
    auto operator<=>(const InventoryKey&) const = default;
};

std::optional<InventoryKey> InventoryKeyOf(CPaint* object) {
    InventoryKey key{{}, object->GetReportPrice(kEveryReportBit), object->GetQuantity()};
    if (std::isnan(key.price) || std::isnan(key.quantity))
        return std::nullopt;
    for (int text = CMaterialsListCtrl::kManufacturer; text <= CMaterialsListCtrl::kPartNo; ++text)
        key.texts[static_cast<size_t>(text)] = KeyText(object, text).str();
    // -0.0 and 0.0 are the same price.
    key.price += 0.0;
    key.quantity += 0.0;
    return key;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMaterialsListCtrl, CListCtrl)

void CMaterialsListCtrl::InsertReportColumns() {
    InsertCatalogColumns(*this, kColumns);
}

int CMaterialsListCtrl::ColumnOf(Column column) const {
    return m_bInventory && column != kManufacturer ? column + 1 : column;
}

CPaint* CMaterialsListCtrl::ObjectAt(int row) const {
    return row >= 0 && row < GetItemCount() ? reinterpret_cast<CPaint*>(GetItemData(row)) : nullptr;
}

int CMaterialsListCtrl::CurrentRow() const {
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused < 0 || focused >= GetItemCount() || !(GetItemState(focused, LVIS_SELECTED) & LVIS_SELECTED))
        return -1;
    return focused;
}

// ---- Rows ----

// The top group always shows its members, whatever its own mark as a nested group says.
int CMaterialsListCtrl::FillRows(CGroup* group, int row, int mask) {
    if (group == nullptr || (group != m_pTopGroup && !group->m_bReportExpanded))
        return row;
    for (CPaint* member : group->m_members) {
        if (!member->m_bShowInReport || !CategoryInReportMask(member->GetCategory(), mask))
            continue;
        CGroup* nested = ReportGroupOf(member);
        if (nested != nullptr) {
            nested->m_nReportMask = mask;
            if (!nested->m_bAllowExpansion)
                nested->m_bReportExpanded = 0;
        }
        row = InsertObjectRow(member, group, row, mask) + 1;
        if (nested != nullptr)
            row = FillRows(nested, row,
                           nested->m_nPriceMode == CGroup::kPriceFixed ? mask & ~kPricesShown : mask);
    }
    return row;
}

int CMaterialsListCtrl::InsertObjectRow(CPaint* object, CGroup* owner, int row, int mask) {
    int icon = owner == m_pTopGroup ? kTopObject : kNestedObject;
    if (CGroup* nested = ReportGroupOf(object))
        icon = !nested->m_bAllowExpansion ? kClosedGroup
                                          : (nested->m_bReportExpanded ? kExpandedGroup : kCollapsedGroup);
    row = InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, row, object->GetManufacturer(), 0, 0, icon,
                     reinterpret_cast<LPARAM>(object));
    SetItemText(row, ColumnOf(kScale), object->GetScale());
    SetItemText(row, ColumnOf(kType), object->GetType());
    SetItemText(row, ColumnOf(kName), object->GetName());
    SetItemText(row, ColumnOf(kPartNo), object->GetPartNo());
    SetItemText(row, ColumnOf(kNote), object->GetNoteText());
    WritePrice(row, object, mask);
    return row;
}

void CMaterialsListCtrl::WritePrice(int row, CPaint* object, int mask) {
    const CGroup* nested = ReportGroupOf(object);
    const bool openSum =
        nested != nullptr && nested->m_bReportExpanded && nested->m_nPriceMode == CGroup::kPriceAutomatic;
    const double price = (mask & kPricesShown) == 0 || openSum ? 0.0 : object->GetReportPrice(mask);
    SetItemText(row, ColumnOf(kPrice), FormatPrice(price));
}

void CMaterialsListCtrl::CollapseAll(CGroup* group) {
    for (CPaint* member : group->m_members)
        if (CGroup* nested = ReportGroupOf(member)) {
            nested->m_bReportExpanded = 0;
            CollapseAll(nested);
        }
}

int CMaterialsListCtrl::FindRow(const CPaint* object) const {
    for (int row = 0; row < GetItemCount(); ++row)
        if (ObjectAt(row) == object)
            return row;
    return -1;
}

void CMaterialsListCtrl::RemoveGroupRows(CGroup* group) {
    for (CPaint* member : group->m_members) {
        CGroup* nested = ReportGroupOf(member);
        if (nested != nullptr && nested->m_bReportExpanded)
            RemoveGroupRows(nested);
        const int row = FindRow(member);
        if (row >= 0)
            DeleteItem(row);
    }
}

void CMaterialsListCtrl::ToggleGroupRow(int row) {
    CGroup* group = m_bInventory ? nullptr : ReportGroupOf(ObjectAt(row));
    if (group == nullptr || !group->m_bAllowExpansion)
        return;
    const int mask = group->m_nReportMask;
    if (!group->m_bReportExpanded) {
        group->m_bReportExpanded = 1;
        FillRows(group, row + 1, group->m_nPriceMode == CGroup::kPriceFixed ? mask & ~kPricesShown : mask);
        SetItem(row, 0, LVIF_IMAGE, nullptr, kExpandedGroup, 0, 0, 0);
        if (m_bSort)
            SortRows();
    } else {
        SetItem(row, 0, LVIF_IMAGE, nullptr, kCollapsedGroup, 0, 0, 0);
        RemoveGroupRows(group);
        group->m_bReportExpanded = 0;
    }
    WritePrice(FindRow(group), group, mask);
}

void CMaterialsListCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
    CListCtrl::OnLButtonDblClk(flags, point);
    ToggleGroupRow(CurrentRow());
}

// ---- Order and inventory ----

int CMaterialsListCtrl::CompareRows(CPaint* first, CPaint* second, const SortKeys& keys) {
    for (int key : keys)
        if (const int order = CompareByKey(first, second, key); order != 0)
            return order;
    return 0;
}

void CMaterialsListCtrl::SortRows() {
    SortItems(CompareItems, reinterpret_cast<DWORD_PTR>(this));
}

void CMaterialsListCtrl::SetInventoryView(bool inventory) {
    if (inventory == m_bInventory)
        return;
    if (inventory)
        InsertColumn(QuantityColumn(), "Quantity", LVCFMT_RIGHT, kQuantityWidth);
    else
        DeleteColumn(QuantityColumn());
    m_bInventory = inventory;
    LVCOLUMN heading{};
    heading.mask = LVCF_TEXT;
    CString text = inventory ? "Cost" : "Price";
    heading.pszText = text.GetBuffer(text.GetLength());
    SetColumn(ColumnOf(kPrice), &heading);
    text.ReleaseBuffer();
}

void CMaterialsListCtrl::MergeInventory() {
    const int cost = ColumnOf(kPrice);
    std::map<InventoryKey, int> firstRows;
    std::vector<int> merged;
    for (int row = 0; row < GetItemCount(); ++row) {
        CPaint* object = ObjectAt(row);
        const std::optional<InventoryKey> key = InventoryKeyOf(object);
        if (key) {
            const auto [first, isFirst] = firstRows.emplace(*key, row);
            if (!isFirst) {
                MergeRowInto(first->second, row);
                merged.push_back(row);
                continue;
            }
        }
        // The row's cost is what all its pieces cost, from the first piece on.
        const int quantity = WholeQuantity(object->GetQuantity());
        CString count;
        count.Format("%d", quantity);
        SetItemText(row, QuantityColumn(), count);
        SetItemText(row, cost, FormatPrice(quantity * std::atof(GetItemText(row, cost))));
    }
    for (auto row = merged.rbegin(); row != merged.rend(); ++row) DeleteItem(*row);
}

void CMaterialsListCtrl::MergeRowInto(int kept, int merged) {
    const int cost = ColumnOf(kPrice);
    const int quantity = WholeQuantity(ObjectAt(merged)->GetQuantity());
    const long long sum = static_cast<long long>(std::atoi(GetItemText(kept, QuantityColumn()))) + quantity;
    CString count;
    count.Format("%d", WholeQuantity(static_cast<double>(sum)));
    SetItemText(kept, QuantityColumn(), count);
    const double added = quantity * std::atof(GetItemText(merged, cost));
    SetItemText(kept, cost, FormatPrice(std::atof(GetItemText(kept, cost)) + added));
}

void CMaterialsListCtrl::DrawItem(DRAWITEMSTRUCT* item) {
    DrawCatalogRow(*this, *item, CatalogRowStyle{false});
}
