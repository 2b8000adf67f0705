#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Edit pattern" dialog: an 8 by 8 grid of cells, its preview tiled over a larger
// area, the pattern's file name and the buttons to browse, start anew, keep or drop it.
enum PatternEditIds : UINT {
    IDD_PATTERN_EDIT = 307,
    IDC_PATTERN_FILE_NAME = 1270,
    IDC_PATTERN_EDIT_BROWSE = 1271,
    IDC_PATTERN_BITS = 1272,
    IDC_PATTERN_PREVIEW = 1273,
    IDC_PATTERN_EDIT_NEW = 1274,
};

const DialogTemplate& PatternEditTemplate();
