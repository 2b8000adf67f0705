#pragma once

#include "platform/base/CString.h"

// One operation that may load many patterns (opening a layout, applying a dialog, one undo):
// while one lives, a pattern file that cannot be read is reported once, not once per object
// that names it. Operations nest; the outermost one ends the batch.
class CPatternFileOperation {
  public:
    CPatternFileOperation();
    ~CPatternFileOperation();
    CPatternFileOperation(const CPatternFileOperation&) = delete;
    CPatternFileOperation& operator=(const CPatternFileOperation&) = delete;

    // True when the file's failure is to be shown: always outside an operation, and the first
    // time inside one.
    static bool FirstReportOf(const CString& fileName);
};
