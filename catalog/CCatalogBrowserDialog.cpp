#include "catalog/CCatalogBrowserDialog.h"

#include <algorithm>

#include "catalog/CatalogFilterLists.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DataExchange.h"
#include "resources/CatalogTemplates.h"

IMPLEMENT_DYNAMIC(CCatalogBrowserDialog, CDialog)

BEGIN_MESSAGE_MAP(CCatalogBrowserDialog, CDialog)
ON_CONTROL(CBN_SELCHANGE, IDC_CATALOG_MANUFACTURER, OnFilterChange)
ON_CONTROL(CBN_SELCHANGE, IDC_CATALOG_SCALE, OnFilterChange)
ON_CONTROL(CBN_SELCHANGE, IDC_CATALOG_TYPE, OnFilterChange)
ON_CONTROL(CBN_SELCHANGE, IDC_CATALOG_DESCRIPTION, OnFilterChange)
END_MESSAGE_MAP()

CCatalogBrowserDialog::CCatalogBrowserDialog(const DialogTemplate& dialogTemplate,
                                             const std::vector<UINT>& tabNames, CWnd* parent)
    : CDialog(dialogTemplate, parent), m_tabNameIds(tabNames) {
    m_filters.fill(kAllFilter);
}

BOOL CCatalogBrowserDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_tabNames = InsertCategoryTabs(m_tabs, m_tabNameIds);
    return TRUE;
}

void CCatalogBrowserDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CATALOG_TABS, m_tabs);
    DDX_Text(dx, IDC_CATALOG_PART_NO, m_strPartNoFilter);
    DDX_Text(dx, IDC_CATALOG_PRICE, m_fPriceFilter);
}

void CCatalogBrowserDialog::OnFilterChange() {
    const std::array<CComboBox*, 4> lists = FilterLists(*this);
    for (size_t index = 0; index < lists.size(); ++index)
        if (lists[index]->GetCurSel() >= 0)
            lists[index]->GetLBText(lists[index]->GetCurSel(), m_filters[index]);
    FillList();
}

int CCatalogBrowserDialog::ChosenTab() const {
    return std::clamp(m_tabs.GetCurSel(), 0, static_cast<int>(m_tabNames.size()) - 1);
}

void CCatalogBrowserDialog::ShowTab(int tab) {
    m_nTab = tab;
    m_tabs.SetCurSel(tab);
}
