#pragma once

#include <span>

#include "platform/base/CString.h"

class CListCtrl;

// A price or cost as the catalogue shows it: "%.2f".
CString FormatPrice(double value);

// One column of a catalogue list: its title, width in pixels and alignment (LVCFMT_).
struct CatalogColumn {
    const char* heading;
    int width;
    int format;
};
void InsertCatalogColumns(CListCtrl& list, std::span<const CatalogColumn> columns);
