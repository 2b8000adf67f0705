#pragma once

#include "platform/base/CString.h"

// The category bits of the materials report, lowest first: "Track" 1, "Scenery" 2,
// "Structures" 4, "Rolling stock" 8, "Miscellaneous" 16; 0x100 means prices are shown.
inline constexpr int kReportCategoryCount = 5;
inline constexpr int kAllReportCategories = 0x1F;
inline constexpr int kPricesShown = 0x100;
inline constexpr int kEveryReportBit = kAllReportCategories | kPricesShown;

// Whether the category's text is exactly that of a bit set in the mask.
bool CategoryInReportMask(const CString& category, int mask);
