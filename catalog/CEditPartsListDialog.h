#pragma once

#include <array>

#include "platform/ctl/CDialog.h"

class CCatalogItem;

// "Edit Parts List": one part's texts; Quantity must be a whole number and Price a number,
// refused with the framework's message otherwise.
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

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
