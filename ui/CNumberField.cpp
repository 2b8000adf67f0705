#include "ui/CNumberField.h"

#include <cfloat>

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/DataExchange.h"

void CNumberField::Load(double number) {
    m_text.Format("%.*g", DBL_DIG, number);
    m_loadedText = m_text;
    m_loaded = number;
}

void CNumberField::Exchange(CDataExchange* dx, int id, double minimum, double maximum) {
    DDX_Text(dx, id, m_text);
    if (IsUntouched())
        return;
    double number = 0.0;
    DDV_NumberText(dx, m_text, number);
    DDV_MinMaxDouble(dx, number, minimum, maximum);
}

double CNumberField::Number() const {
    double number = m_loaded;
    if (!IsUntouched())
        ReadNumberText(m_text, number);
    return number;
}
