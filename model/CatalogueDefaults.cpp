#include "model/CatalogueDefaults.h"

#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"

CString DefaultCategory() {
    return CStringTable::Text(IDS_MISCELLANEOUS);
}

CString DefaultManufacturer() {
    return CStringTable::Text(IDS_USER);
}

CString DefaultType() {
    return CStringTable::Text(IDS_OTHER);
}
