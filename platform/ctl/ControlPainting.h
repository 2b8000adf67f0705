#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/CRect.h"

class CBitmap;
class CDC;

// Drawing the basic controls share, in the classic grey look.
#include "platform/win/WinDefs.h"

// Icons are pictures here: an HICON points at the CBitmap that shows it.
inline HICON IconFromBitmap(CBitmap* bitmap) {
    return bitmap;
}
inline CBitmap* IconBitmap(HICON icon) {
    return const_cast<CBitmap*>(static_cast<const CBitmap*>(icon));
}

namespace ControlPainting {
// Text in the current font; disabled text is embossed (white below right, grey on top).
void DrawLabel(CDC& dc, const CString& text, const CRect& rect, UINT format, bool enabled);
// A check box square (13 by 13) at rect's top left: unchecked, checked, or indeterminate (2).
void DrawCheckBox(CDC& dc, const CRect& box, int check, bool enabled, bool pushed);
// A radio circle (12 by 12) at rect's top left, with its dot when checked.
void DrawRadio(CDC& dc, const CRect& box, bool checked, bool enabled, bool pushed);
// An etched frame with its label cut into the top line.
void DrawGroupBox(CDC& dc, const CRect& rect, const CString& text, bool enabled);
// A bitmap centred in rect, copied as it is.
void DrawBitmapCentred(CDC& dc, CBitmap& bitmap, const CRect& rect);
// A bitmap centred in rect as a disabled control shows it: its dark pixels (those of neither its
// background, the colour of its top left corner, nor a light colour) embossed like disabled text,
// highlight below right and shadow on top, on the face left as it is.
void DrawBitmapDisabled(CDC& dc, CBitmap& bitmap, const CRect& rect);
// The size of the arrow that fits rect.
int ArrowSize(const CRect& rect);
// A small solid triangle of size rows pointing up (0), down (1), left (2) or right (3) centred
// in rect.
void DrawArrow(CDC& dc, const CRect& rect, int direction, bool enabled, int size);
}  // namespace ControlPainting
