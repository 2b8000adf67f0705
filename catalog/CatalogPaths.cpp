#include "catalog/CatalogPaths.h"

#include "platform/base/CWinPath.h"
#include "platform/cdlg/FolderListing.h"

CString RealCatalogPath(const CString& stored) {
    return stored.IsEmpty() ? CString() : PathText(CWinPath::Resolve(stored));
}

CString StoredFolderOf(const CString& stored) {
    CString drive;
    CString folder;
    CWinPath::Split(stored, &drive, &folder, nullptr, nullptr);
    return drive + folder;
}
