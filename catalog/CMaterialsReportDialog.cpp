#include "catalog/CMaterialsReportDialog.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/CCataloguePrintout.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogIcons.h"
#include "catalog/ReportCategories.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/CatalogTemplates.h"

namespace {

constexpr UINT kCategoryBoxes[kReportCategoryCount] = {IDC_REPORT_TRACK, IDC_REPORT_SCENERY,
                                                       IDC_REPORT_STRUCTURES, IDC_REPORT_ROLLING_STOCK,
                                                       IDC_REPORT_MISCELLANEOUS};
constexpr int kPriceKey = CMaterialsListCtrl::kPrice;
constexpr const char* kNoteName = "Note";

// The group's total as the report shows it: its members' sum, whatever price the group
// itself is given in the layout.
double AutomaticTotal(CGroup& group, int mask) {
    const int mode = group.m_nPriceMode;
    group.m_nPriceMode = CGroup::kPriceAutomatic;
    const double total = group.GetReportPrice(mask);
    group.m_nPriceMode = mode;
    return total;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMaterialsReportDialog, CDialog)

BEGIN_MESSAGE_MAP(CMaterialsReportDialog, CDialog)
ON_BN_CLICKED(IDC_REPORT_TRACK, OnCategory)
ON_BN_CLICKED(IDC_REPORT_SCENERY, OnCategory)
ON_BN_CLICKED(IDC_REPORT_STRUCTURES, OnCategory)
ON_BN_CLICKED(IDC_REPORT_ROLLING_STOCK, OnCategory)
ON_BN_CLICKED(IDC_REPORT_MISCELLANEOUS, OnCategory)
ON_BN_CLICKED(IDC_REPORT_SORT, OnSort)
ON_BN_CLICKED(IDC_REPORT_INVENTORY, OnInventory)
ON_BN_CLICKED(IDC_CATALOG_PROPERTIES, OnProperties)
ON_BN_CLICKED(IDC_REPORT_PRINT, OnPrint)
END_MESSAGE_MAP()

CMaterialsReportDialog::CMaterialsReportDialog(CCVNDoc& document, CWnd* parent)
    : CDialog(MaterialsReportTemplate(), parent), m_document(document) {}

void CMaterialsReportDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CATALOG_LIST, m_list);
    DDX_Control(dx, IDC_REPORT_SORT_ORDER, m_tree);
}

void CMaterialsReportDialog::KeepExpandedStates(CGroup& group) {
    m_expandedAtOpen.emplace_back(&group, group.m_bReportExpanded);
    for (CPaint* member : group.m_members)
        if (auto* nested = dynamic_cast<CGroup*>(member))
            KeepExpandedStates(*nested);
}

void CMaterialsReportDialog::OnDestroy() {
    for (const auto& [group, expanded] : m_expandedAtOpen) group->m_bReportExpanded = expanded;
    m_expandedAtOpen.clear();
    CDialog::OnDestroy();
}

BOOL CMaterialsReportDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    m_pGroup = m_document.m_groupEditStack.front().m_pGroup;
    KeepExpandedStates(*m_pGroup);
    m_list.m_pTopGroup = m_pGroup;
    std::vector<CString> chain(std::begin(kKeyNames), std::end(kKeyNames));
    chain.push_back(kNoteName);
    m_tree.SetChain(std::move(chain));
    m_tree.m_onReordered = [this]() {
        ReadSortKeys();
        if (m_list.m_bSort)
            m_list.SortRows();
    };
    for (UINT box : kCategoryBoxes) CheckDlgButton(static_cast<int>(box), BST_CHECKED);
    m_list.InsertReportColumns();
    MakeReportRowIcons(m_icons);
    m_list.SetImageList(&m_icons, LVSIL_SMALL);
    CMaterialsListCtrl::CollapseAll(m_pGroup);
    Rebuild();
    return result;
}

int CMaterialsReportDialog::CategoryMask() const {
    int mask = 0;
    for (int bit = 0; bit < kReportCategoryCount; ++bit)
        if (IsDlgButtonChecked(static_cast<int>(kCategoryBoxes[bit])) == BST_CHECKED)
            mask |= 1 << bit;
    return mask;
}

double CMaterialsReportDialog::Rebuild() {
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    const int mask = CategoryMask() | kPricesShown;
    const double total = AutomaticTotal(*m_pGroup, mask);
    m_list.FillRows(m_pGroup, 0, mask);
    if (m_list.m_bSort)
        m_list.SortRows();
    if (m_list.IsInventoryView())
        m_list.MergeInventory();
    m_list.SetRedraw(TRUE);
    SetDlgItemText(IDC_REPORT_TOTAL, FormatPrice(total));
    return total;
}

void CMaterialsReportDialog::OnCategory() {
    Rebuild();
}

void CMaterialsReportDialog::OnSort() {
    m_list.m_bSort = IsDlgButtonChecked(IDC_REPORT_SORT) == BST_CHECKED;
    if (m_list.m_bSort)
        m_list.SortRows();
    else
        Rebuild();
}

void CMaterialsReportDialog::ReadSortKeys() {
    const std::vector<CString>& chain = m_tree.GetChain();
    for (size_t place = 0; place < m_list.m_sortKeys.size() && place < chain.size(); ++place) {
        const auto* name = std::find(std::begin(kKeyNames), std::end(kKeyNames), chain[place]);
        if (name != std::end(kKeyNames))
            m_list.m_sortKeys[place] = static_cast<int>(name - std::begin(kKeyNames));
    }
}

void CMaterialsReportDialog::CutPriceKey() {
    m_nPricePlace = m_tree.CutItem(kKeyNames[kPriceKey]);
}

void CMaterialsReportDialog::RestorePriceKey() {
    if (m_nPricePlace >= 0)
        m_tree.InsertItemAt(kKeyNames[kPriceKey], m_nPricePlace);
    m_nPricePlace = -1;
}

void CMaterialsReportDialog::OnInventory() {
    const bool inventory = IsDlgButtonChecked(IDC_REPORT_INVENTORY) == BST_CHECKED;
    if (inventory == m_list.IsInventoryView())
        return;
    if (inventory) {
        CutPriceKey();
        m_list.SetInventoryView(true);
        m_list.MergeInventory();
        if (m_list.GetItemCount() > 0)
            m_list.EnsureVisible(m_list.GetItemCount() - 1, FALSE);
    } else {
        RestorePriceKey();
        m_list.SetInventoryView(false);
        Rebuild();
    }
}

void CMaterialsReportDialog::OnProperties() {
    if (m_list.IsInventoryView())
        return;
    CPaint* object = m_list.ObjectAt(m_list.CurrentRow());
    if (object == nullptr)
        return;
    const int layer = object->m_nLayer;
    object->SetLayer(-2);
    const int changed = object->EditProperties(nullptr);
    object->SetLayer(layer);
    if (!changed)
        return;
    m_document.InvalidateAllViews();
    Rebuild();
}

// ---- Printing ----

CString CMaterialsReportDialog::PrintTitle() const {
    CString title = m_document.GetTitle() + " ";
    if (m_list.IsInventoryView())
        title += "Inventory ";
    return title + "Materials Report";
}

void CMaterialsReportDialog::FillPrintout(CCataloguePrintout& printout) const {
    using Column = CMaterialsListCtrl::Column;
    const bool inventory = m_list.IsInventoryView();
    std::vector<int> cells = {m_list.ColumnOf(Column::kManufacturer), m_list.ColumnOf(Column::kScale),
                              m_list.ColumnOf(Column::kName), m_list.ColumnOf(Column::kPartNo)};
    double quantities = 0.0;
    double sum = 0.0;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        std::vector<CString> texts;
        for (int column : cells) texts.push_back(m_list.GetItemText(row, column));
        const CString price = m_list.GetItemText(row, m_list.ColumnOf(Column::kPrice));
        if (inventory) {
            const CString quantity = m_list.GetItemText(row, m_list.QuantityColumn());
            texts.push_back(quantity);
            texts.push_back(FormatPrice(m_list.ObjectAt(row)->GetReportPrice(kEveryReportBit)));
            quantities += std::atof(quantity);
        }
        texts.push_back(price);
        sum += std::atof(price);
        printout.AddRow(std::move(texts));
    }
    std::vector<CString> totals(inventory ? 7 : 5);
    totals.front() = "Total";
    if (inventory)
        totals[4].Format("%.0f", quantities);
    totals.back() = FormatPrice(sum);
    printout.SetTotals(std::move(totals));
}

void CMaterialsReportDialog::OnPrint() {
    using Column = CCataloguePrintout::Column;
    std::vector<Column> columns =
        m_list.IsInventoryView()
            ? std::vector<Column>{{"Manufacturer", 0.27f, false}, {"Scale", 0.10f, false},
                                  {"Name", 0.27f, false},         {"Part", 0.12f, false},
                                  {"Qty", 0.05f, true},           {"Price", 0.09f, true},
                                  {"Total", 0.10f, true}}
            : std::vector<Column>{{"Manufacturer", 0.32f, false},
                                  {"Scale", 0.10f, false},
                                  {"Name", 0.33f, false},
                                  {"Part", 0.15f, false},
                                  {"Price", 0.10f, true}};
    CCataloguePrintout printout(PrintTitle(), std::move(columns), CCataloguePrintout::PageRule::kMillimetres);
    FillPrintout(printout);
    printout.PrintWithDialog();
}
