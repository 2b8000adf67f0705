#include "drawing/CCatalogueFields.h"

#include "model/CPaint.h"
#include "model/Units.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DataExchange.h"

void CCatalogueFields::Read(const CPaint& object) {
    m_manufacturer = object.m_strManufacturer;
    m_scale = object.m_strScale;
    m_name = object.m_strName;
    m_partNo = object.m_strPartNo;
    m_type = object.m_strType;
    m_note = object.m_strNote;
    m_price.Load(CFieldFormat::Hundredths(), object.m_fPrice);
    m_showInReport = object.m_bShowInReport;
}

void CCatalogueFields::Write(CPaint& object) const {
    object.m_strManufacturer = m_manufacturer;
    object.m_strName = m_name;
    object.m_strScale = m_scale;
    object.m_strPartNo = m_partNo;
    object.m_strType = m_type;
    object.m_strNote = m_note;
    object.m_bShowInReport = m_showInReport;
}

void CCatalogueFields::Exchange(CDataExchange* dx, const Controls& controls) {
    DDX_Text(dx, controls.manufacturer, m_manufacturer);
    DDX_Text(dx, controls.type, m_type);
    DDX_Text(dx, controls.name, m_name);
    DDX_Text(dx, controls.partNo, m_partNo);
    DDX_Text(dx, controls.price, m_price.m_text);
    DDX_Text(dx, controls.note, m_note);
    DDX_Check(dx, controls.showInReport, m_showInReport);
}

double CCatalogueFields::Price() const {
    return m_price.Value(kPrices);
}

bool CCatalogueFields::TakePrice(CDialog& dialog, int priceId, double& price) {
    return m_price.Take(dialog, priceId, kPrices, m_price.RangeText(kPriceRefused, kPrices), price) != FALSE;
}

int CCatalogueFields::ShowScales(CComboBox& combo) const {
    combo.ResetContent();
    int chosen = 0;
    for (int row = 0; row < kScaleCount; ++row) {
        combo.AddString(ScaleTable[row].name);
        if (m_scale == ScaleTable[row].name)
            chosen = row;
    }
    combo.SetCurSel(chosen);
    return chosen;
}

bool CCatalogueFields::TakeScale(const CComboBox& combo) {
    const int row = combo.GetCurSel();
    if (row < 0 || row >= kScaleCount)
        return false;
    m_scale = ScaleTable[row].name;
    return true;
}
