#pragma once

#include "platform/base/CString.h"

class CWnd;

// The Price text of a properties dialog as a number: text that is no number is 0.0.
double ReadPrice(const CString& text);

// A price below 0 is refused: a warning asks for a positive number and the focus goes to the
// dialog's Price field, so that the dialog stays open on it. TRUE when the price was refused.
BOOL RefuseNegativePrice(CWnd& dialog, int priceId, double price);
