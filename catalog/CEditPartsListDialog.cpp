#include "catalog/CEditPartsListDialog.h"

#include <cstdlib>

#include "catalog/CCatalogItem.h"
#include "drawing/CCatalogueFields.h"
#include "platform/ctl/DataExchange.h"
#include "resources/CatalogTemplates.h"

namespace {

// The record's text fields and the edits that show them, in the order of m_texts.
struct TextField {
    int field;
    int control;
};
constexpr TextField kTextFields[] = {
    {CCatalogItem::kCategory, IDC_EDIT_CATEGORY},
    {CCatalogItem::kManufacturer, IDC_EDIT_MANUFACTURER},
    {CCatalogItem::kScale, IDC_EDIT_SCALE},
    {CCatalogItem::kType, IDC_EDIT_TYPE},
    {CCatalogItem::kDescription, IDC_EDIT_DESCRIPTION},
    {CCatalogItem::kPartNo, IDC_EDIT_PART_NO},
    {CCatalogItem::kNote, IDC_EDIT_NOTE},
};

}  // namespace

IMPLEMENT_DYNAMIC(CEditPartsListDialog, CDialog)

CEditPartsListDialog::CEditPartsListDialog(CWnd* parent) : CDialog(EditPartsListTemplate(), parent) {
    m_price.Load(CFieldFormat::Hundredths(), m_fPrice);
}

void CEditPartsListDialog::LoadFrom(const CCatalogItem& item) {
    for (size_t text = 0; text < m_texts.size(); ++text) m_texts[text] = item[kTextFields[text].field];
    m_nQuantity = std::atoi(item[CCatalogItem::kQuantity]);
    m_fPrice = std::atof(item[CCatalogItem::kPrice]);
    m_price.Load(CFieldFormat::Hundredths(), m_fPrice);
}

void CEditPartsListDialog::StoreInto(CCatalogItem& item) const {
    for (size_t text = 0; text < m_texts.size(); ++text) item[kTextFields[text].field] = m_texts[text];
    item[CCatalogItem::kQuantity].Format("%d", m_nQuantity);
    item[CCatalogItem::kPrice].Format("%.2f", m_fPrice);
}

void CEditPartsListDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (size_t text = 0; text < m_texts.size(); ++text)
        DDX_Text(dx, kTextFields[text].control, m_texts[text]);
    DDX_Text(dx, IDC_EDIT_QUANTITY, m_nQuantity);
    m_price.Exchange(dx, IDC_CATALOG_PRICE, CCatalogueFields::kPrices, CCatalogueFields::kPriceRefused);
    if (dx->m_bSaveAndValidate)
        m_fPrice = m_price.Value(CCatalogueFields::kPrices);
}
