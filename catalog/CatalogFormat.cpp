#include "catalog/CatalogFormat.h"

#include "platform/ctl/CListCtrl.h"

CString FormatPrice(double value) {
    CString text;
    text.Format("%.2f", value);
    return text;
}

void InsertCatalogColumns(CListCtrl& list, std::span<const CatalogColumn> columns) {
    int index = 0;
    for (const CatalogColumn& column : columns)
        list.InsertColumn(index++, column.heading, column.format, column.width);
}
