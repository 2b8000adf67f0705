#pragma once

#include "platform/base/WinTypes.h"

class CBitmap;

// The pictures of the "Track properties" dialog: the three rail drawing modes (40 x 30) and
// the 32 x 32 icons of its elevation section.
enum TrackPropertiesPictureId : UINT {
    IDB_RAIL_MODE_3 = 201,
    IDB_RAIL_MODE_2 = 202,
    IDB_RAIL_MODE_1 = 203,
    IDI_GRADE_RISING = 500,
    IDI_GRADE_FALLING = 501,
    IDI_ENTRY_ACTIVE = 502,
    IDI_ENTRY_IDLE = 503,
};

// Draws the picture into bitmap; FALSE for an id without a picture.
BOOL LoadTrackPropertiesPicture(UINT id, CBitmap& bitmap);
// The same picture drawn once and kept for the rest of the run, for a button or static.
CBitmap* TrackPropertiesPicture(UINT id);
