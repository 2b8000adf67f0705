#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

// One part of a manufacturer parts file: nine texts in file order, its line number, a mark
// for printing (never saved) and its edit state since the last save.
class CCatalogItem : public CObject {
    DECLARE_DYNAMIC(CCatalogItem)
  public:
    enum Field : int {
        kCategory,
        kManufacturer,
        kScale,
        kType,
        kDescription,
        kPartNo,
        kQuantity,
        kPrice,
        kNote,
        kFieldCount
    };
    enum EditState : int { kSaved = 0, kAdded = 1, kDeleted = 2 };

    // The field to change: the values as saved are kept aside first, once per record edited.
    CString& operator[](int field);
    const CString& operator[](int field) const { return m_fields[static_cast<size_t>(field)]; }
    // atof(Quantity) x atof(Price), the row's total.
    double GetTotal() const;
    // The values as saved become the current ones again (after a discard), or the current
    // ones become the saved ones (after a read or a save).
    void RestoreSavedFields();
    void KeepFieldsAsSaved() { m_savedFields.reset(); }
    // Whether a field was changed since the values were saved: only then is their copy kept.
    bool HasSavedCopy() const { return m_savedFields != nullptr; }
    // A copy in state "added": the nine texts and the mark.
    std::unique_ptr<CCatalogItem> Duplicate() const;

    std::array<CString, kFieldCount> m_fields;
    int m_nSequence = 0;
    int m_bChecked = 0;
    int m_nEditState = kSaved;

  private:
    std::unique_ptr<std::array<CString, kFieldCount>> m_savedFields;
};

// The records of the open parts file, in file order, owned by the document.
using CatalogueList = std::vector<std::unique_ptr<CObject>>;

// The record an entry of the list holds; null for anything else.
inline CCatalogItem* CatalogItemOf(const std::unique_ptr<CObject>& entry) {
    return dynamic_cast<CCatalogItem*>(entry.get());
}
