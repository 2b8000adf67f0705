#include "ui/LengthEntry.h"

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/DataExchange.h"
#include "ui/CTypedField.h"

CString LengthRangeText(const char* pattern, const CLengthFormat& lengths, const LengthRange& range) {
    return CFieldFormat::Lengths(lengths).RangeText(pattern, range);
}

bool ReadLengthInRange(const CString& text, const CLengthFormat& lengths, const LengthRange& range,
                       double& length) {
    return CFieldFormat::Lengths(lengths).ReadInRange(text, range, length);
}

double DDV_Length(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                  const LengthRange& range, const CString& refusal) {
    double length = 0.0;
    CTypedField::Refuse(dx, text, CFieldFormat::Lengths(lengths), range, refusal, length);
    return length;
}

void DDV_TypedLength(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                     const CString& refusal) {
    double length = 0.0;
    if (dx->m_bSaveAndValidate && !lengths.ReadTypedLength(text, length))
        dx->Refuse(CFieldFormat::Lengths(lengths).RefusalFor(text, refusal));
}

bool IsLeftForCancel(CDialog& dialog) {
    return !dialog.InModalLoop() || CWnd::GetFocus() == dialog.GetDlgItem(IDCANCEL);
}

BOOL TakeLengthField(CDialog& dialog, int id, const CLengthFormat& lengths, const LengthRange& range,
                     const CString& refusal, double& length) {
    if (CDataExchange::IsRefusing())
        return FALSE;
    CDataExchange dx(&dialog, TRUE);
    try {
        CString text;
        DDX_Text(&dx, id, text);
        length = DDV_Length(&dx, text, lengths, range, refusal);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}
