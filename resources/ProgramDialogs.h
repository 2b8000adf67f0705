#pragma once

#include "platform/base/WinTypes.h"

// The about box and the credits dialog, with their controls.
enum DialogId : UINT {
    IDD_ABOUTBOX = 100,
    IDD_CREDITS = 348,
    IDC_ABOUT_PICTURE = 1000,
    IDC_CREDITS_PICTURE = 1291,
    IDC_CREDITS_TEXT = 1292,
    IDC_CREDITS_FORWARD = 1293,
    IDC_CREDITS_BACKWARD = 1294,
    IDC_CREDITS_RUN = 1295,
    IDC_CREDITS_STOP = 1296,
    IDC_CREDITS_FASTER = 1297,
    IDC_CREDITS_SLOWER = 1298,
};

void RegisterProgramDialogs();
