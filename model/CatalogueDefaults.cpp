#include "model/CatalogueDefaults.h"

CString DefaultCategory() { return "Miscellaneous"; }

CString DefaultManufacturer() { return "User"; }

CString DefaultType() { return "Other"; }
