#pragma once

#include <array>
#include <vector>

#include "platform/base/CString.h"

class CComboBox;
class CDialog;
class CTabCtrl;

// What the parts list and the library dialog share: the category tabs, the four filter lists
// ("All" means no filter) and the fields that narrow the rows.
inline constexpr const char* kAllFilter = "All";

// The four filter lists in their order: manufacturer, scale, type and the fourth (description
// or name).
std::array<CComboBox*, 4> FilterLists(CDialog& dialog);
// Empties a list and puts "All" into it.
void ResetFilterList(CComboBox& list);
// Adds the value unless an entry already begins with it (compared without regard to case),
// so "Al" is not added while "All" is there.
void AddFilterValue(CComboBox& list, const CString& value);
// The tab names from the string table, in order, inserted into the tab control.
std::vector<CString> InsertCategoryTabs(CTabCtrl& tabs, const std::vector<UINT>& names);
// The pieces of a scale text cut at every ",", as they stand; empty and repeated pieces left out.
std::vector<CString> SplitScaleList(const CString& scale);
bool ScaleMatches(const CString& scale, const CString& chosen);
