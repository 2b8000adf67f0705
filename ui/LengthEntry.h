#pragma once

#include "model/CLengthFormat.h"
#include "platform/base/CString.h"
#include "ui/CFieldFormat.h"

class CDataExchange;
class CDialog;

// The lengths a dialog's field takes, in tenths of a millimetre.
using LengthRange = FieldRange;

// 64 m: the largest length of a track piece's fields, and of the other sizes of its layout.
constexpr double kLargestFieldLength = 640000.0;

// The pattern, its two "%s" standing for the range's bounds as the unit shows them.
CString LengthRangeText(const char* pattern, const CLengthFormat& lengths, const LengthRange& range);

// A field's text read as a length in the range (CFieldFormat::ReadInRange).
bool ReadLengthInRange(const CString& text, const CLengthFormat& lengths, const LengthRange& range,
                       double& length);

// In a data exchange, after the field's DDX_Text: its length, or the refusal with this message
// (the field focused, its text selected, the exchange stopped); a text that is no length adds
// the forms the unit takes.
double DDV_Length(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                  const LengthRange& range, const CString& refusal);

// In a data exchange, after the field's DDX_Text of a field that holds any length: a text that
// is no length is refused with this message and the forms the unit takes.
void DDV_TypedLength(CDataExchange* dx, const CString& text, const CLengthFormat& lengths,
                     const CString& refusal);

// Whether a field losing the focus loses it to the dialog's Cancel button or to the dialog's
// closing: nobody reads it then, and a refusal would keep the dialog from closing.
bool IsLeftForCancel(CDialog& dialog);

// The same check of field id outside an exchange, as the field is left or at OK. FALSE after a
// refusal; the length then stays as it was.
BOOL TakeLengthField(CDialog& dialog, int id, const CLengthFormat& lengths, const LengthRange& range,
                     const CString& refusal, double& length);
