#pragma once

#include "platform/base/WinTypes.h"

class CBitmap;
class CImageList;

// The toolbar pictures by bitmap id: the button strips and palettes (16 x 15 cells, light grey
// transparent), the drop-down arrow and the collapse strip, drawn when they are loaded.
BOOL LoadToolBarPicture(UINT bitmapId, CBitmap& bitmap);

// Puts image from of list source in place of image to of list target, transparency included.
BOOL CopyImage(CImageList& source, int from, CImageList& target, int to);
