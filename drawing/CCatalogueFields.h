#pragma once

#include "platform/base/CString.h"
#include "ui/CTypedField.h"

class CComboBox;
class CDataExchange;
class CDialog;
class CPaint;

// The catalogue fields of one object as a property dialog edits them: the texts, the scale,
// the price as typed and "Show in report". The category and the checking of the price stay
// with the dialog.
class CCatalogueFields {
  public:
    // The dearest price a field takes: a report's sums of prices stay readable.
    static constexpr double kLargestPrice = 1e9;
    static constexpr FieldRange kPrices{0.0, kLargestPrice};
    static constexpr const char* kPriceRefused = "Please enter a price between %s and %s.";

    // The controls of a dialog that show the fields.
    struct Controls {
        int manufacturer;
        int type;
        int name;
        int partNo;
        int price;
        int note;
        int showInReport;
    };

    // Takes the object's fields, the price with two places.
    void Read(const CPaint& object);
    // Gives the object every field but the price, which the dialog checks before it takes it.
    void Write(CPaint& object) const;
    // The price shown, its loaded one exactly while untouched, else the one typed from 0 to
    // kLargestPrice; else the range is named, the focus on the field. False after a refusal,
    // the price then left.
    bool TakePrice(CDialog& dialog, int priceId, double& price);
    // The price the field stands for now: the typed one in the range, else the loaded one.
    double Price() const;
    void Exchange(CDataExchange* dx, const Controls& controls);
    // Lists the scale table in the combo box and selects the last row with the scale's name, or
    // the first row; answers the row selected.
    int ShowScales(CComboBox& combo) const;
    // Takes the scale of the combo box's selected row; false, the scale as it was, without one.
    bool TakeScale(const CComboBox& combo);

    CString m_manufacturer;
    CString m_type;
    CString m_name;
    CString m_partNo;
    CTypedField m_price;
    CString m_note;
    CString m_scale;
    int m_showInReport = 0;
};
