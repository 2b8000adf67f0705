#pragma once

// Text to number as the runtime's atof and atoi read it in the "C" locale, whatever locale the
// process runs in: leading blanks, a sign, digits, for atof a decimal point and an exponent; the
// rest of the text is ignored ("12abc" is 12) and a text without a number is 0. Null reads as 0.

double ParseDouble(const char* text);

// Values beyond the range of int are clamped to its limits.
int ParseInt(const char* text);
