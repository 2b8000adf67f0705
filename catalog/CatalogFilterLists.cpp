#include "catalog/CatalogFilterLists.h"

#include <algorithm>

#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/CTabCtrl.h"
#include "resources/CatalogTemplates.h"

std::array<CComboBox*, 4> FilterLists(CDialog& dialog) {
    std::array<CComboBox*, 4> lists{};
    const int ids[] = {IDC_CATALOG_MANUFACTURER, IDC_CATALOG_SCALE, IDC_CATALOG_TYPE,
                       IDC_CATALOG_DESCRIPTION};
    for (size_t index = 0; index < lists.size(); ++index)
        lists[index] = static_cast<CComboBox*>(dialog.GetDlgItem(ids[index]));
    return lists;
}

void ResetFilterList(CComboBox& list) {
    list.ResetContent();
    list.AddString(kAllFilter);
}

void AddFilterValue(CComboBox& list, const CString& value) {
    if (list.FindString(-1, value) == CB_ERR)
        list.AddString(value);
}

std::vector<CString> InsertCategoryTabs(CTabCtrl& tabs, const std::vector<UINT>& names) {
    std::vector<CString> texts;
    for (UINT id : names) {
        CString text;
        text.LoadString(id);
        tabs.InsertItem(static_cast<int>(texts.size()), text);
        texts.push_back(text);
    }
    return texts;
}

std::vector<CString> SplitScaleList(const CString& scale) {
    std::vector<CString> pieces;
    int start = 0;
    while (start <= scale.GetLength()) {
        int end = scale.Find(',', start);
        if (end < 0)
            end = scale.GetLength();
        const CString piece = scale.Mid(start, end - start);
        if (!piece.IsEmpty() && std::find(pieces.begin(), pieces.end(), piece) == pieces.end())
            pieces.push_back(piece);
        start = end + 1;
    }
    return pieces;
}

bool ScaleMatches(const CString& scale, const CString& chosen) {
    const std::vector<CString> pieces = SplitScaleList(scale);
    return std::find(pieces.begin(), pieces.end(), chosen) != pieces.end();
}
