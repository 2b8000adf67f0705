#pragma once

#include "catalog/CPartsListCtrl.h"

// The library dialog's list, drawn row by row as the parts list draws its rows.
class CLibraryListCtrl : public CPartsListCtrl {
    DECLARE_DYNAMIC(CLibraryListCtrl)
};
