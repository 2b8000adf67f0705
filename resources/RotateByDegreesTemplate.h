#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Rotate by degrees" dialog: one angle for turning the selection.
enum RotateByDegreesIds : UINT {
    IDD_ROTATE_BY_DEGREES = 231,
    IDC_ROTATE_DEGREES = 1245,
};

const DialogTemplate& RotateByDegreesTemplate();
