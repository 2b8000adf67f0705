#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/gdi/GdiTypes.h"

// One primitive a DC drew, for tests: its name ("LineTo", "Rectangle", "TextOut" ...), its points
// in logical coordinates, its text, and the pen and brush selected when it was drawn.
struct CDCTraceEntry {
    CString primitive;
    std::vector<POINT> points;
    CString text;
    LOGPEN pen;
    LOGBRUSH brush;
};
