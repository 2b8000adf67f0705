#pragma once

#include "platform/base/WinTypes.h"

class CBitmap;

// The pictures of the splash window, the about box and the credits dialog.
enum PictureId : UINT {
    IDB_SPLASH = 106,
    IDB_ABOUT = 347,
    IDB_CREDITS_FORWARD = 351,
    IDB_CREDITS_BACKWARD = 352,
    IDB_CREDITS_RUN = 353,
    IDB_CREDITS_STOP = 354,
    IDB_CREDITS_BACKWARD_DOWN = 355,
    IDB_CREDITS_FORWARD_DOWN = 356,
    IDB_CREDITS_RUN_DOWN = 357,
    IDB_CREDITS_STOP_DOWN = 358,
    IDB_CREDITS_RUN_FOCUS = 359,
    IDB_CREDITS_BACKWARD_FOCUS = 360,
    IDB_CREDITS_FORWARD_FOCUS = 361,
    IDB_CREDITS_STOP_FOCUS = 362,
    IDB_CREDITS_FASTER = 363,
    IDB_CREDITS_FASTER_DOWN = 364,
    IDB_CREDITS_FASTER_FOCUS = 365,
    IDB_CREDITS_SLOWER = 366,
    IDB_CREDITS_SLOWER_DOWN = 367,
    IDB_CREDITS_SLOWER_FOCUS = 368,
    IDB_CREDITS_SLOWER_DISABLED = 369,
    IDB_CREDITS_FASTER_DISABLED = 371,
    IDB_CREDITS_BANNER = 372,
};

// Draws the picture into bitmap; FALSE for an id without a picture.
BOOL LoadProgramBitmap(UINT id, CBitmap& bitmap);
