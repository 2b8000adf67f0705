#pragma once

#include <functional>

#include "platform/base/CString.h"

// The text clipboard the controls cut, copy and paste through. It lives in the process unless
// a host installs the desktop's clipboard in its place.
namespace Clipboard {
void SetText(const CString& text);
CString GetText();
bool HasText();
// A host's clipboard; empty functions put the in-process one back.
void Install(std::function<void(const CString&)> set, std::function<CString()> get);
}  // namespace Clipboard
