#include "catalog/CatalogDialogs.h"

#include "catalog/CMaterialsReportDialog.h"
#include "catalog/CPartsListDialog.h"

BOOL RunMaterialsReport(CCVNDoc& document) {
    CMaterialsReportDialog dialog(document);
    dialog.DoModal();
    return TRUE;
}

BOOL RunPartsList(CCVNDoc& document) {
    CPartsListDialog dialog(document);
    return dialog.DoModal() == IDOK;
}

void AddCatalogDialogs(CCVNDoc::DocumentDialogs& dialogs) {
    dialogs.materialsReport = RunMaterialsReport;
    dialogs.partsList = RunPartsList;
}
