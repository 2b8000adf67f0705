#include "ui/CTypedField.h"

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/DataExchange.h"

void CTypedField::Load(const CFieldFormat& format, double value) {
    m_format = format;
    m_text = format.Show(value);
    m_loadedText = m_text;
    m_loaded = value;
}

void CTypedField::Exchange(CDataExchange* dx, int id, const FieldRange& range, const char* pattern) {
    ExchangeRefusing(dx, id, range, RangeText(pattern, range));
}

void CTypedField::ExchangeRefusing(CDataExchange* dx, int id, const FieldRange& range,
                                   const CString& refusal) {
    DDX_Text(dx, id, m_text);
    double value = m_loaded;
    if (!IsUntouched())
        Refuse(dx, m_text, m_format, range, refusal, value);
}

BOOL CTypedField::Take(CDialog& dialog, int id, const FieldRange& range, const CString& refusal,
                       double& value) {
    dialog.GetDlgItemText(id, m_text);
    if (IsUntouched()) {
        value = m_loaded;
        return TRUE;
    }
    if (CDataExchange::IsRefusing())
        return FALSE;
    CDataExchange dx(&dialog, TRUE);
    try {
        ExchangeRefusing(&dx, id, range, refusal);
    } catch (const CUserException&) {
        return FALSE;
    }
    value = Value(range);
    return TRUE;
}

double CTypedField::Value(const FieldRange& range) const {
    double value = m_loaded;
    if (!IsUntouched())
        m_format.ReadInRange(m_text, range, value);
    return value;
}

CString CTypedField::Reformatted(const FieldRange& range) const {
    double value = 0.0;
    if (IsUntouched() || !m_format.ReadInRange(m_text, range, value))
        return m_text;
    return m_format.Show(value);
}

CString CTypedField::RangeText(const char* pattern, const FieldRange& range) const {
    return m_format.RangeText(pattern, range);
}

void CTypedField::Refuse(CDataExchange* dx, const CString& text, const CFieldFormat& format,
                         const FieldRange& range, const CString& refusal, double& value) {
    if (dx->m_bSaveAndValidate && !format.ReadInRange(text, range, value))
        dx->Refuse(format.RefusalFor(text, refusal));
}
