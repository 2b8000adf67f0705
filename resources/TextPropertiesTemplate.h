#pragma once

#include "platform/ctl/DialogTemplate.h"

// "Text properties": the text of a text box, and its font and colour through the font dialog.
enum TextPropertiesIds : UINT {
    IDD_TEXT_PROPERTIES = 244,
    IDC_TEXT_EDIT = 1097,
    ID_TEXT_FONT = 33149,
};

const DialogTemplate& TextPropertiesTemplate();
