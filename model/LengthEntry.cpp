#include "model/LengthEntry.h"

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/DataExchange.h"

namespace {

CString Shown(const CLengthFormat& lengths, double length) {
    CString text;
    lengths.FormatLength(text, length);
    return text;
}

// The text of a bound, as a refusal names it, reads as a length a little outside the range.
bool ShowsBound(const CLengthFormat& lengths, CString text, double bound) {
    return text.Trim() == Shown(lengths, bound);
}

}  // namespace

CString LengthRangeText(const char* pattern, const CLengthFormat& lengths, const LengthRange& range) {
    CString text;
    text.Format(pattern, Shown(lengths, range.minimum).c_str(), Shown(lengths, range.maximum).c_str());
    return text;
}

bool ReadLengthInRange(const CString& text, const CLengthFormat& lengths, const LengthRange& range,
                       double& length) {
    double typed = 0.0;
    if (!lengths.ReadTypedLength(text, typed))
        return false;
    if (ShowsBound(lengths, text, range.minimum))
        typed = range.minimum;
    if (ShowsBound(lengths, text, range.maximum))
        typed = range.maximum;
    if (!(typed >= range.minimum && typed <= range.maximum))
        return false;
    length = typed;
    return true;
}

double DDV_Length(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                  const LengthRange& range, const CString& refusal) {
    double length = 0.0;
    if (dx->m_bSaveAndValidate && !ReadLengthInRange(text, lengths, range, length))
        dx->Refuse(refusal);
    return length;
}

void DDX_LengthText(CDataExchange* dx, int id, CString& text, const CLengthFormat& lengths,
                    const LengthRange& range, const char* pattern) {
    DDX_Text(dx, id, text);
    DDV_Length(dx, text, lengths, range, LengthRangeText(pattern, lengths, range));
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
