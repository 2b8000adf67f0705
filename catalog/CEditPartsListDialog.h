#pragma once

#include <array>

#include "platform/ctl/CDialog.h"
#include "ui/CTypedField.h"

class CCatalogItem;

// "Edit Parts List": one part's texts; Quantity must be a whole number, refused with the
// framework's message otherwise, and Price one in the range a price field takes, refused naming
// it. A price left as shown keeps the record's value exactly.
class CEditPartsListDialog : public CDialog {
    DECLARE_DYNAMIC(CEditPartsListDialog)
  public:
    explicit CEditPartsListDialog(CWnd* parent = nullptr);

    void LoadFrom(const CCatalogItem& item);
    // Quantity written "%d", Price "%.2f".
    void StoreInto(CCatalogItem& item) const;

    std::array<CString, 7> m_texts;
    int m_nQuantity = 0;
    double m_fPrice = 0.0;
    CTypedField m_price;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
