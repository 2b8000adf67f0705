#pragma once

#include "platform/base/CString.h"

class CDialog;

// The Price text of a properties dialog as a number: a text that is no number is NaN, which
// RefuseNegativePrice refuses.
double ReadPrice(const CString& text);

// The dearest price a field takes: a report's sums of prices stay readable.
constexpr double kLargestPrice = 1e9;

// A price below 0 or beyond kLargestPrice, or no number, is refused: a warning asks for a positive number and the
// focus goes to the dialog's Price field, its text selected, so that the dialog stays open on
// it. TRUE when the price was refused.
BOOL RefuseNegativePrice(CDialog& dialog, int priceId, double price);
