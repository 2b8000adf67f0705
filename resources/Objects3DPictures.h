#pragma once

#include "platform/base/WinTypes.h"

class CBitmap;

// The 20 x 20 icons of the "Forward" and "Backward" buttons of the 3D object preview: an arrow
// toward a small house, and one away from it.
enum Objects3DPictureId : UINT {
    IDI_PREVIEW_FORWARD = 293,
    IDI_PREVIEW_BACKWARD = 294,
};

// The picture drawn once and kept for the rest of the run; null for an id without a picture.
CBitmap* Objects3DPicture(UINT id);
