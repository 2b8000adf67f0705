#pragma once

#include "platform/ctl/DialogTemplate.h"

// The modal "Group properties" dialog: catalogue fields, scale, border, report expansion,
// elevation mode, group elevation and the apply mode of a group.
enum GroupPropertiesIds : UINT {
    IDD_GROUP_PROPERTIES = 288,
    IDC_GROUP_PREVIEW = 1111,
    IDC_GROUP_PART_NO = 1139,
    IDC_GROUP_PRICE = 1142,
    IDC_GROUP_CATEGORY = 1175,
    IDC_GROUP_TYPE = 1178,
    IDC_GROUP_MANUFACTURER = 1188,
    IDC_GROUP_NAME = 1190,
    IDC_GROUP_SCALE = 1191,
    IDC_GROUP_APPLY_CLICKED = 1193,
    IDC_GROUP_APPLY_SELECTED = 1198,
    IDC_GROUP_APPLY_ALL = 1199,
    IDC_GROUP_NOTE = 1202,
    IDC_GROUP_BORDER_COLOR = 1205,
    IDC_GROUP_EXPANSION = 1207,
    IDC_GROUP_AUTOMATIC = 1208,
    IDC_GROUP_FIXED = 1210,
    IDC_GROUP_USE_BORDER = 1212,
    IDC_GROUP_SHOW_IN_REPORT = 1223,
    IDC_GROUP_3D_PROPERTIES = 1240,
    IDC_GROUP_ELEVATION = 1431,
};

const DialogTemplate& GroupPropertiesTemplate();
