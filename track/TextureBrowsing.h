#pragma once

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

class CWnd;

// Lets the user pick a texture .bmp in the bitmap file dialog, opened in the program's
// "TEXTURES\" folder (or the profile's "Textures" folder when the program has none) on the
// current name ("*.bmp" when it is empty). On OK the name becomes the chosen file's full path
// in stored form and TRUE is answered; Cancel leaves it. Either way the working folder is the
// program folder afterwards.
BOOL BrowseTextureFile(CWnd* owner, CString& name);
