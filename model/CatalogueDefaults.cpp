#include "model/CatalogueDefaults.h"

#include "resources/StringTable.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CString DefaultCategory() {
    return LoadText(IDS_MISCELLANEOUS);
}

CString DefaultManufacturer() {
    return LoadText(IDS_USER);
}

CString DefaultType() {
    return LoadText(IDS_OTHER);
}
