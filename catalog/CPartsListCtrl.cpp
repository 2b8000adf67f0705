#include "catalog/CPartsListCtrl.h"

#include "catalog/CatalogRowDrawing.h"

IMPLEMENT_DYNAMIC(CPartsListCtrl, CListCtrl)

void CPartsListCtrl::DrawItem(DRAWITEMSTRUCT* item) {
    DrawCatalogRow(*this, *item, CatalogRowStyle{true});
}
