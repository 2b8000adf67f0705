#pragma once

#include "platform/base/CString.h"

class CDC;
class CListCtrl;
struct DRAWITEMSTRUCT;

// The owner-drawn row of the catalogue lists (parts list, library and materials report):
// highlight, state image, the small icon blended when highlighted or cut, each column's text
// 2 (first column) or 6 pixels inside its cell and cut with "..." when too wide, and the focus
// rectangle around a focused row.
struct CatalogRowStyle {
    // A cut text is drawn from the left whatever its column's alignment (parts and library
    // lists) or keeps the alignment (materials report).
    bool cutTextAlignsLeft = true;
};

void DrawCatalogRow(CListCtrl& list, const DRAWITEMSTRUCT& item, const CatalogRowStyle& style);
// The text as it fits width pixels: whole, or its longest beginning that fits with the ending
// (an empty beginning gives the ending alone).
CString FitCatalogText(const CDC& dc, const CString& text, int width, const char* ending);
