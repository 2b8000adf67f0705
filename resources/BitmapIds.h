#pragma once

#include "platform/base/WinTypes.h"

// Ids of the pictures of the toolbars and their drop-down palettes.
enum BitmapId : UINT {
    IDB_COLLAPSED_BAR = 226,
    IDB_COLLAPSE_STRIP = 228,
    IDB_DROP_DOWN_ARROW = 428,
    IDB_TOOLS_TOOLBAR = 431,
    IDB_TRAIN_PALETTE = 436,
    IDB_DIMENSION_PALETTE = 437,
    IDB_LIBRARY_PALETTE = 443,
    IDB_MAIN_TOOLBAR = 444,
    IDB_CAMERA_TOOLBAR = 468,
};
