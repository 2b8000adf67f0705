#pragma once

#include "platform/base/CString.h"

// The clipboard's text (what the framework's programs put there as CF_TEXT): Windows-1252, lines
// ending in CR LF. It lives with the host (the desktop's clipboard, or memory when headless).
class CClipboard {
  public:
    static void SetText(const CString& text);
    // The text on the clipboard, empty when it holds none.
    static CString GetText();
    static bool HasText() { return !GetText().IsEmpty(); }
    static void Empty() { SetText(CString()); }
};
