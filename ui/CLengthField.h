#pragma once

#include "model/CLengthFormat.h"
#include "platform/base/CString.h"
#include "ui/LengthEntry.h"

class CDataExchange;

// A dialog's length field showing a length the dialog was given. While it shows the text it
// was loaded with, it stands for that exact length: the rounding of the text changes nothing,
// and no range judges it, since a file may hold a length a person may not type.
class CLengthField {
  public:
    // The text becomes the length's in the unit, and stands for it.
    void Load(const CLengthFormat& lengths, double length);
    // DDX_Text, then DDV_Length for a text other than the loaded one, with the refusal of the
    // pattern (see LengthRangeText).
    void Exchange(CDataExchange* dx, int id, const CLengthFormat& lengths, const LengthRange& range,
                  const char* pattern);
    // The loaded length while the text is the loaded one, else the length typed in the range;
    // the loaded length, too, for a text that is no such length.
    double Length(const CLengthFormat& lengths, const LengthRange& range) const;
    bool IsUntouched() const { return m_text == m_loadedText; }

    CString m_text;

  private:
    CString m_loadedText;
    double m_loaded = 0.0;
};
