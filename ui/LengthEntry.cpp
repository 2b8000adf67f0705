#include "ui/LengthEntry.h"

#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CDialog.h"
#include "platform/ctl/DataExchange.h"

namespace {

CString Shown(const CLengthFormat& lengths, double length) {
    CString text;
    lengths.FormatLength(text, length);
    return text;
}

// A length that the unit shows as a bound is that bound, however it was typed ("0", "0.000"),
// so the bounds a refusal names are always taken.
double OnBoundShownAlike(const CLengthFormat& lengths, double length, const LengthRange& range) {
    const CString shown = Shown(lengths, length);
    if (shown == Shown(lengths, range.minimum))
        return range.minimum;
    if (shown == Shown(lengths, range.maximum))
        return range.maximum;
    return length;
}

// A text that is no length at all is told the forms its unit takes.
CString RefusalFor(const CString& text, const CLengthFormat& lengths, const CString& refusal) {
    double length = 0.0;
    if (lengths.ReadTypedLength(text, length))
        return refusal;
    return refusal + "\n\n" + lengths.DescribeTypedForms();
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
    typed = OnBoundShownAlike(lengths, typed, range);
    if (!(typed >= range.minimum && typed <= range.maximum))
        return false;
    length = typed;
    return true;
}

double DDV_Length(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                  const LengthRange& range, const CString& refusal) {
    double length = 0.0;
    if (dx->m_bSaveAndValidate && !ReadLengthInRange(text, lengths, range, length))
        dx->Refuse(RefusalFor(text, lengths, refusal));
    return length;
}

void DDV_TypedLength(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                     const CString& refusal) {
    double length = 0.0;
    if (dx->m_bSaveAndValidate && !lengths.ReadTypedLength(text, length))
        dx->Refuse(RefusalFor(text, lengths, refusal));
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
