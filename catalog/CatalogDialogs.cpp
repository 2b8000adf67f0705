#include "catalog/CatalogDialogs.h"

#include "catalog/CLibraryDialog.h"
#include "catalog/CLibraryNoticeDialog.h"
#include "catalog/CMaterialsReportDialog.h"
#include "catalog/CPartsListDialog.h"

BOOL RunMaterialsReport(CCVNDoc& document) {
    CMaterialsReportDialog dialog(document);
    dialog.DoModal();
    return TRUE;
}

// Without a parts file the user chooses one first; without one chosen nothing is shown.
BOOL RunPartsList(CCVNDoc& document) {
    if (document.m_strPartsPath.IsEmpty() && !CPartsListDialog::OpenFirstPartsFile(document))
        return FALSE;
    CPartsListDialog dialog(document);
    return dialog.DoModal() == IDOK;
}

BOOL RunLibrary(CCVNDoc& document) {
    CLibraryDialog dialog(document);
    return dialog.DoModal() == IDOK;
}

BOOL RunLibraryNotice(CCVNDoc&) {
    CLibraryNoticeDialog notice;
    notice.DoModal();
    return TRUE;
}

void AddCatalogDialogs(CCVNDoc::DocumentDialogs& dialogs) {
    dialogs.materialsReport = RunMaterialsReport;
    dialogs.partsList = RunPartsList;
    dialogs.library = RunLibrary;
    dialogs.libraryNotice = RunLibraryNotice;
}
