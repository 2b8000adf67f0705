#pragma once

#include "platform/base/CString.h"

class CDataExchange;

// A dialog's number field showing a number the dialog was given, as DDX_Text shows a double.
// While it shows the text it was loaded with, it stands for that exact number: the digits the
// text leaves out change nothing, and no range judges it, since a file may hold a number a
// person may not type.
class CNumberField {
  public:
    // The text becomes the number's, and stands for it.
    void Load(double number);
    // DDX_Text, then, for a text other than the loaded one, DDV_NumberText and DDV_MinMaxDouble.
    void Exchange(CDataExchange* dx, int id, double minimum, double maximum);
    // The loaded number while the text is the loaded one, else the number typed; the loaded
    // number, too, for a text that is none.
    double Number() const;
    bool IsUntouched() const { return m_text == m_loadedText; }

    CString m_text;

  private:
    CString m_loadedText;
    double m_loaded = 0.0;
};
