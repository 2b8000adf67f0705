#include "catalog/CCatalogItem.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CCatalogItem, CObject)

CString& CCatalogItem::operator[](int field) {
    if (!m_savedFields)
        m_savedFields = std::make_unique<std::array<CString, kFieldCount>>(m_fields);
    return m_fields[static_cast<size_t>(field)];
}

void CCatalogItem::RestoreSavedFields() {
    if (m_savedFields)
        m_fields = *m_savedFields;
    m_savedFields.reset();
}

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
