#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"

class CDC;

// Menu and caption texts in the interface font: "&File" draws F underlined, a tab separates
// the shortcut shown at the right.
namespace MenuText {
int Width(const CString& text);
int Height();
void Draw(CDC& dc, const CString& text, const CRect& rect, bool grayed, UINT align, bool highlighted = false);
// How a menu-bar title is shown: sunken while its menu is open, raised while the keyboard
// highlights it with no menu dropped.
enum class BarItemLook { kPlain, kHighlighted, kOpen };
// A menu-bar title.
void DrawBarItem(CDC& dc, const CString& text, const CRect& rect, bool grayed, BarItemLook look);
void DrawCaption(CDC& dc, const CString& text, const CRect& rect, COLORREF color);
// The access key of a text ('F' for "&File"), upper case, or 0.
char AccessKey(const CString& text);
// The text as shown: each "&" dropped, "&&" shown as one "&".
CString WithoutPrefixMarks(const CString& text);
// The item text as shown, without the shortcut after the tab.
CString Plain(const CString& text);
}  // namespace MenuText
