#pragma once

#include "platform/ctl/DialogTemplate.h"

// The part the bitmap file dialog adds below the standard controls: the preview area and the
// "Show preview" check box.
enum FilePreviewIds : UINT {
    IDD_FILE_PREVIEW = 306,
    IDC_FILE_PREVIEW_AREA = 1111,
    // Where the file dialog puts its standard controls.
    IDC_FILE_PLACEHOLDER = 1119,
    IDC_FILE_SHOW_PREVIEW = 1259,
};

const DialogTemplate& FilePreviewTemplate();
