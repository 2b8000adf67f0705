#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "catalog/CDragTreeCtrl.h"
#include "catalog/CMaterialsListCtrl.h"
#include "platform/ctl/CDialog.h"
#include "platform/gdi/CImageList.h"

class CCVNDoc;
class CGroup;

// "Create Materials Report": the report of the group being edited (the layout's top group
// when none is), with its category boxes, "Sort" by the order of the "Sort order" chain,
// "Inventory", the total, "Properties" of the current row and "Print".
class CMaterialsReportDialog : public CDialog {
    DECLARE_DYNAMIC(CMaterialsReportDialog)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr const char* kKeyNames[CMaterialsListCtrl::kKeyCount] = {
        "Manufacturer", "Scale", "Type", "Name", "Part No.", "Price"};

    explicit CMaterialsReportDialog(CCVNDoc& document, CWnd* parent = nullptr);

    // Lists the rows anew from the ticked categories and answers the total shown.
    double Rebuild();
    // The sort keys from the first six items of the chain; "Note" keeps a place's key.
    void ReadSortKeys();
    const CMaterialsListCtrl::SortKeys& GetSortKeys() const { return m_list.m_sortKeys; }
    CMaterialsListCtrl& GetList() { return m_list; }
    CDragTreeCtrl& GetTree() { return m_tree; }
    // The printout of the rows as shown.
    void FillPrintout(class CCataloguePrintout& printout) const;
    CString PrintTitle() const;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnCategory();
    void OnSort();
    void OnInventory();
    void OnProperties();
    void OnPrint();
    void OnDestroy() override;

  private:
    void KeepExpandedStates(CGroup& group);
    int CategoryMask() const;
    void CutPriceKey();
    void RestorePriceKey();

    CCVNDoc& m_document;
    CGroup* m_pGroup = nullptr;
    CMaterialsListCtrl m_list;
    CDragTreeCtrl m_tree;
    CImageList m_icons;
    // Where "Price" stood in the chain while the "Inventory" view has it cut out.
    int m_nPricePlace = -1;
    // Each group's stored expanded state as the report opened: opening and closing rows is no
    // edit of the layout.
    std::vector<std::pair<CGroup*, int>> m_expandedAtOpen;
};
