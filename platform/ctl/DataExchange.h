#pragma once

// Moving values between a dialog's members and its controls (DDX_) and checking them (DDV_),
// with the framework's behaviour: a text that is not a number, or a number out of range, is
// refused with a message box, the control gets the focus and the exchange stops.
#include "platform/base/CString.h"
#include "platform/ctl/CDataExchange.h"

class CWnd;

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// A path kept in the program's stored form, shown as this system writes it; the user may type
// either form, and a text left as shown keeps the stored value exactly as it was.
void DDX_PathText(CDataExchange* dx, int id, CString& storedPath);
// The same reading outside an exchange: storedPath takes the path that the control's text stands
// for, and stays exactly as it was while the text is the one shown for it.
void ReadPathText(CWnd& control, CString& storedPath);
// A check box: 0 clear, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// A radio group named by its first button: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Combo boxes and list boxes: the selected index (-1 for none), or its text. Loading a text
// selects the first item that starts with it; a combo box with an edit field shows it anyway.
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
// Scroll bars and sliders: their position.
void DDX_Scroll(CDataExchange* dx, int id, int& value);
void DDX_Slider(CDataExchange* dx, int id, int& value);
// Makes control (a member of the dialog) the window for id, in place of the one the template
// made; the first exchange does it, later ones leave it.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// A number the dialog keeps as its text, read as DDX_Text reads a double: TRUE and its value for
// a text that is one number and nothing else.
bool ReadNumberText(const CString& text, double& value);
// After the text's DDX_Text: its number, or the refusal DDX_Text gives a double.
void DDV_NumberText(CDataExchange* dx, const CString& text, double& value);
// A number as ReadNumberText reads it that has no fraction ("12", "1e3"; not "12.5").
bool ReadWholeNumberText(const CString& text, double& value);
// After the text's DDX_Text: its whole number from minimum to maximum, or the refusal naming
// them (kEnterIntegerBetween), whatever else the text is.
void DDV_WholeNumberText(CDataExchange* dx, const CString& text, int minimum, int maximum, int& value);

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minimum, long maximum);
void DDV_MinMaxShort(CDataExchange* dx, short value, short minimum, short maximum);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minimum, BYTE maximum);
void DDV_MinMaxFloat(CDataExchange* dx, float value, float minimum, float maximum);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minimum, double maximum);
// Saving refuses a longer text; loading limits the edit to that many characters.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

// The messages of a refusal, with %s standing for the limits.
namespace DataExchangeMessages {
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";
inline constexpr const char* kEnterNumber = "Please enter a number.";
inline constexpr const char* kEnterIntegerBetween = "Please enter an integer between %s and %s.";
inline constexpr const char* kEnterNumberBetween = "Please enter a number between %s and %s.";
inline constexpr const char* kEnterNoMoreThan = "Please enter no more than %s characters.";
}  // namespace DataExchangeMessages
