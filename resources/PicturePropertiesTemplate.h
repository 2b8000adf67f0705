#pragma once

#include "platform/ctl/DialogTemplate.h"

// "Picture properties": the file of a bitmap picture with a preview, its catalogue fields,
// "Resizeable", and whether the result goes to the clicked picture, the selection or all.
enum PicturePropertiesIds : UINT {
    IDD_PICTURE_PROPERTIES = 303,
    IDC_PICTURE_RESIZEABLE = 1095,
    IDC_PICTURE_PART_NO = 1139,
    IDC_PICTURE_PRICE = 1142,
    IDC_PICTURE_BROWSE = 1156,
    IDC_PICTURE_NAME = 1172,
    IDC_PICTURE_CATEGORY = 1175,
    IDC_PICTURE_TYPE = 1178,
    IDC_PICTURE_OBJECT_NAME = 1179,
    IDC_PICTURE_SCALE = 1183,
    IDC_PICTURE_MANUFACTURER = 1188,
    IDC_PICTURE_TO_CLICKED = 1193,
    IDC_PICTURE_TO_SELECTED = 1198,
    IDC_PICTURE_TO_ALL = 1199,
    IDC_PICTURE_NOTE = 1202,
    IDC_PICTURE_IN_REPORT = 1226,
    IDC_PICTURE_PREVIEW = 1247,
};

const DialogTemplate& PicturePropertiesTemplate();
