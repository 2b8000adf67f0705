#pragma once

#include <string>

#include "platform/base/CString.h"

// The clipboard's text as the program holds it (Windows-1252, CR LF) and as the desktop holds
// it (UTF-8, LF).
std::string ClipboardTextToUtf8(const CString& text);
// Characters the code page lacks become '?'.
CString ClipboardTextFromUtf8(const char* utf8);
