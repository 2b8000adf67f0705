#include "catalog/CCatalogItem.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CCatalogItem, CObject)

double CCatalogItem::GetTotal() const {
    return std::atof((*this)[kQuantity]) * std::atof((*this)[kPrice]);
}

std::unique_ptr<CCatalogItem> CCatalogItem::Duplicate() const {
    auto copy = std::make_unique<CCatalogItem>();
    copy->m_fields = m_fields;
    copy->m_bChecked = m_bChecked;
    copy->m_nEditState = kAdded;
    return copy;
}
