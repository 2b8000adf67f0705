#include "catalog/CatalogDialogs.h"

#include "catalog/CMaterialsReportDialog.h"

BOOL RunMaterialsReport(CCVNDoc& document) {
    CMaterialsReportDialog dialog(document);
    dialog.DoModal();
    return TRUE;
}

void AddCatalogDialogs(CCVNDoc::DocumentDialogs& dialogs) {
    dialogs.materialsReport = RunMaterialsReport;
}
