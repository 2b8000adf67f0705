#pragma once

#include "platform/ctl/DialogTemplate.h"

// "3D Objects properties" (281): the model and texture of a 3D shape with a turning preview,
// its orientation, catalogue fields, height and elevation. "3D Bitmap properties" (301): the
// picture of a 3D bitmap with a preview, its catalogue fields and elevation.
enum Objects3DIds : UINT {
    IDD_3D_OBJECT_PROPERTIES = 281,
    IDD_3D_BITMAP_PROPERTIES = 301,
    IDC_3D_RESIZEABLE = 1095,
    IDC_3D_REVOLVE = 1100,
    IDC_3D_ELEVATION = 1101,
    IDC_3D_PREVIEW_SPIN = 1111,
    IDC_3D_PART_NO = 1139,
    IDC_3D_PRICE = 1142,
    IDC_3D_BITMAP_BROWSE = 1156,
    IDC_3D_PREVIEW = 1167,
    IDC_3D_MODEL_NAME = 1169,
    IDC_3D_TEXTURE_NAME = 1172,
    IDC_3D_CATEGORY = 1175,
    IDC_3D_TYPE = 1178,
    IDC_3D_OBJECT_NAME = 1179,
    IDC_3D_SCALE = 1183,
    IDC_3D_MANUFACTURER = 1188,
    IDC_3D_TO_CLICKED = 1193,
    IDC_3D_TO_SELECTED = 1198,
    IDC_3D_TO_ALL = 1199,
    IDC_3D_NOTE = 1202,
    IDC_3D_FORWARD = 1209,
    IDC_3D_BACKWARD = 1211,
    IDC_3D_SHOW_ON_PLAN = 1223,
    IDC_3D_IN_REPORT = 1226,
    IDC_3D_HEIGHT = 1227,
    IDC_3D_RESTORE = 1230,
    IDC_3D_ADJUST = 1232,
    IDC_3D_HEIGHT_LABEL = 1236,
    IDC_3D_ELEVATION_LABEL = 1237,
    IDC_3D_HIDE_BOX = 1242,
    IDC_3D_BITMAP_PREVIEW = 1247,
    IDC_3D_TILT = 1375,
    IDC_3D_PAN = 1376,
    IDC_3D_EXCLUDE = 1408,
    IDC_3D_MODEL_BROWSE = 33145,
    IDC_3D_TEXTURE_BROWSE = 33151,
};

const DialogTemplate& Object3DPropertiesTemplate();
const DialogTemplate& Bitmap3DPropertiesTemplate();
