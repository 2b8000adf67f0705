#include "catalog/CLibraryListCtrl.h"

IMPLEMENT_DYNAMIC(CLibraryListCtrl, CPartsListCtrl)
