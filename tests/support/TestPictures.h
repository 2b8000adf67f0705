#pragma once

#include "platform/base/CString.h"

// Pictures a test draws for a person to look at are written only when asked for: the
// environment variable CORVANE_TEST_PICTURES names the folder they go to. Answers the path of
// the named picture in that folder, or an empty text when no pictures are asked for.
CString TestPicturePath(const CString& name);
