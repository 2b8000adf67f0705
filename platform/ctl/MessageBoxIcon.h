#pragma once

#include "platform/gdi/CPoint.h"
#include "platform/win/WinDefs.h"

class CDC;

// The four classic message-box icons, 32 by 32 pixels, drawn by us: stop (a red disc with a white
// cross), exclamation (a yellow triangle with a black mark), question and information (a white
// balloon with a blue question mark or letter i).
namespace MessageBoxIcon {
constexpr int kSize = 32;
// Whether a message-box type (MB_ICON...) asks for an icon.
bool Shown(UINT type);
void Draw(CDC& dc, CPoint topLeft, UINT type);
}  // namespace MessageBoxIcon
