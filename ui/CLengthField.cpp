#include "ui/CLengthField.h"

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/DataExchange.h"

void CLengthField::Load(const CLengthFormat& lengths, double length) {
    lengths.FormatLength(m_text, length);
    m_loadedText = m_text;
    m_loaded = length;
}

void CLengthField::Exchange(CDataExchange* dx, int id, const CLengthFormat& lengths, const LengthRange& range,
                            const char* pattern) {
    DDX_Text(dx, id, m_text);
    if (!IsUntouched())
        DDV_Length(dx, m_text, lengths, range, LengthRangeText(pattern, lengths, range));
}

double CLengthField::Length(const CLengthFormat& lengths, const LengthRange& range) const {
    double length = m_loaded;
    if (!IsUntouched())
        ReadLengthInRange(m_text, lengths, range, length);
    return length;
}
