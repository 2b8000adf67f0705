#pragma once

#include <vector>

#include "platform/base/CString.h"

// The faces the font dialog offers: the ones the program's texts name, which resolve to the
// installed fonts, and the installed families themselves.
const std::vector<CString>& FontFaceNames();
