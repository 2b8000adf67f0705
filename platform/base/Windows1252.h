#pragma once

#include <string>
#include <string_view>

// The program's text is single-byte Windows-1252; the file system speaks UTF-8. These convert at
// that boundary and compare names the way the Windows file system does (without regard to case).

// Every byte has a character: the five bytes the code page leaves undefined become U+0081 and the
// like, so that converting back gives the same bytes.
std::string AnsiToUtf8(std::string_view ansi);

// The Windows-1252 form of UTF-8 text. Characters the code page lacks, and invalid UTF-8, become '?'
// and make the answer false.
bool Utf8ToAnsi(std::string_view utf8, std::string& ansi);

// Upper case of a Windows-1252 letter (ASCII and the accented letters); other bytes are unchanged.
char AnsiToUpper(char ch);

// Negative, zero or positive, comparing the upper-case forms byte by byte.
int CompareAnsiNoCase(std::string_view a, std::string_view b);
