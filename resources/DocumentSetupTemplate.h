#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Document setup" dialog: page size, view scale and printing of a layout.
enum DocumentSetupIds : UINT {
    IDD_DOCUMENT_SETUP = 223,
    IDC_SETUP_VIEW_SCALE = 1028,
    IDC_SETUP_WIDTH = 1097,
    IDC_SETUP_HEIGHT = 1098,
    IDC_SETUP_PRINT_SCALE = 1280,
    IDC_SETUP_FIT_TO_PAGE = 1281,
    IDC_SETUP_FIXED_SCALE = 1282,
    IDC_SETUP_PAGE_MARKERS = 1285,
    IDC_SETUP_PAGE_NUMBERS = 1286,
};

const DialogTemplate& DocumentSetupTemplate();
