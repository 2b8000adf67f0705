#pragma once

#include <array>
#include <vector>

#include "platform/ctl/CDialog.h"
#include "platform/ctl/CTabCtrl.h"

// What the parts list and the library dialog share: category tabs over a list narrowed by
// four filter lists ("All" means no filter), a part-number field (empty means none) and a
// price field (0 means none).
class CCatalogBrowserDialog : public CDialog {
    DECLARE_DYNAMIC(CCatalogBrowserDialog)
    DECLARE_MESSAGE_MAP()
  public:
    CCatalogBrowserDialog(const DialogTemplate& dialogTemplate, const std::vector<UINT>& tabNames,
                          CWnd* parent);

    virtual void FillList() = 0;
    int GetCurrentTab() const { return m_nTab; }

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // A filter list changed: the filters take the lists' texts and the rows are filled again.
    void OnFilterChange();
    // The tab the control shows, kept in range.
    int ChosenTab() const;
    bool OnAllTab() const { return m_nTab == static_cast<int>(m_tabNames.size()) - 1; }
    const CString& CurrentTabName() const { return m_tabNames[static_cast<size_t>(m_nTab)]; }
    void ShowTab(int tab);

    CTabCtrl m_tabs;
    std::vector<CString> m_tabNames;
    int m_nTab = 0;
    std::array<CString, 4> m_filters;
    CString m_strPartNoFilter;
    double m_fPriceFilter = 0.0;

  private:
    std::vector<UINT> m_tabNameIds;
};
