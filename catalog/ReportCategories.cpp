#include "catalog/ReportCategories.h"

#include "resources/StringTable.h"

bool CategoryInReportMask(const CString& category, int mask) {
    for (int bit = 0; bit < kReportCategoryCount; ++bit) {
        CString text;
        text.LoadString(IDS_TRACK + static_cast<UINT>(bit));
        if ((mask & (1 << bit)) != 0 && category == text)
            return true;
    }
    return false;
}
