#pragma once

#include "platform/ctl/DialogTemplate.h"

// The dialogs of the track tools: "Elevations" (the grade of selected track or of a chain)
// and "Parallel track" (the distance of a new track beside a chain).
enum TrackToolDialogIds : UINT {
    IDD_ELEVATIONS = 107,
    IDC_ELEVATION_BEGIN = 1114,
    IDC_ELEVATION_END = 1118,
    IDC_ELEVATION_GRADE = 1462,
    IDC_ELEVATION_FIX_BEGIN = 1459,
    IDC_ELEVATION_FIX_END = 1394,
    IDC_ELEVATION_EDIT_ELEVATIONS = 1404,
    IDC_ELEVATION_EDIT_GRADE = 1405,
    IDC_ELEVATION_DIRECTION = 1406,
    IDC_ELEVATION_OK = 1427,
    IDD_PARALLEL_TRACK = 457,
    IDC_PARALLEL_OFFSET = 1276,
};

// The pictures of the elevation dialog's buttons: the current mode, the other mode, a track
// rising to the right, one falling to the right.
enum TrackToolIconIds : UINT {
    IDI_ELEVATION_MODE_ON = 498,
    IDI_ELEVATION_MODE_OFF = 499,
    IDI_ELEVATION_RISING = 500,
    IDI_ELEVATION_FALLING = 501,
};

const DialogTemplate& ElevationsTemplate();
const DialogTemplate& ParallelTrackTemplate();
