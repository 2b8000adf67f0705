#pragma once

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"
#include "ui/CFieldFormat.h"

class CDataExchange;
class CDialog;

// A dialog's field showing a value the dialog was given, a length or a plain number. While it
// shows the text it was loaded with it stands for that exact value: the rounding of the text
// changes nothing, and no range judges it, since a file may hold a value a person may not type.
// A text typed in is taken in the field's range, or refused with a message naming it.
class CTypedField {
  public:
    // The text becomes the value's as the format shows it, and stands for it.
    void Load(const CFieldFormat& format, double value);
    bool IsUntouched() const { return m_text == m_loadedText; }
    // DDX_Text, then, for a text other than the loaded one, the check of Refuse with the
    // pattern's refusal (RangeText).
    void Exchange(CDataExchange* dx, int id, const FieldRange& range, const char* pattern);
    // The same outside an exchange, on the field's control as it is left or at OK: the value,
    // or the refusal (the field focused, its text selected). FALSE after a refusal, or for a
    // typed text while another refusal is under way; the value is then left as it was.
    BOOL Take(CDialog& dialog, int id, const FieldRange& range, const CString& refusal, double& value);
    // The loaded value while the text is the loaded one, else the value typed in the range; the
    // loaded value, too, for a text that is no such value.
    double Value(const FieldRange& range) const;
    // What the field shows once left: a typed value in the range as the format shows it. The
    // loaded text, and a text the check will refuse, stay as they are.
    CString Reformatted(const FieldRange& range) const;
    // The pattern with the range's ends as the field shows them (CFieldFormat::RangeText).
    CString RangeText(const char* pattern, const FieldRange& range) const;

    // In an exchange after the text's DDX_Text: a text outside the range is refused with this
    // message, one that is no value of the format with the forms it takes as well.
    static void Refuse(CDataExchange* dx, const CString& text, const CFieldFormat& format,
                       const FieldRange& range, const CString& refusal, double& value);

    CString m_text;

  private:
    void ExchangeRefusing(CDataExchange* dx, int id, const FieldRange& range, const CString& refusal);

    CFieldFormat m_format = CFieldFormat::Numbers();
    CString m_loadedText;
    double m_loaded = 0.0;
};
