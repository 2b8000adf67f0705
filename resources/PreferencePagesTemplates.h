#pragma once

#include "platform/ctl/DialogTemplate.h"

// The five pages of the "Preferences" sheet.
enum MetricPageIds : UINT {
    IDD_METRIC_PAGE = 236,
    IDC_METRIC_GRID_WIDTH = 1097,
    IDC_METRIC_GRID_HEIGHT = 1098,
    IDC_METRIC_UNITS = 1143,
    IDC_METRIC_GRID_COLOR = 1229,
    IDC_METRIC_GRID_SHOWN = 1231,
    IDC_METRIC_BACK_COLOR = 1233,
    IDC_METRIC_TRAIN_SCALE = 1248,
    IDC_METRIC_WIDTH_LABEL = 1300,
    IDC_METRIC_HEIGHT_LABEL = 1301,
    IDC_METRIC_COLOR_LABEL = 1302,
};

enum View3DPageIds : UINT {
    IDD_3D_VIEW_PAGE = 256,
    IDC_3D_BACKDROP = 1102,
    IDC_3D_TEXTURE = 1192,
    IDC_3D_USE_BACKDROP = 1200,
    IDC_3D_BACKGROUND = 1255,
    IDC_3D_BROWSE_BACKDROP = 1303,
    IDC_3D_BROWSE_TEXTURE = 1304,
};

enum TrainPageIds : UINT {
    IDD_TRAIN_PAGE = 257,
    IDC_TRAIN_CONNECTION_DISTANCE = 1276,
    IDC_TRAIN_ELEVATION_GAP = 1277,
    IDC_TRAIN_GRADE = 1278,
    IDC_TRAIN_ANGLE = 1279,
    IDC_TRAIN_BEND_DEFORMATION = 1280,
};

enum OtherPageIds : UINT {
    IDD_OTHER_PAGE = 254,
    IDC_OTHER_SNAP_RANGE = 1097,
    IDC_OTHER_HANDLE_SIZE = 1098,
};

enum DirectoryPageIds : UINT {
    IDD_DIRECTORY_PAGE = 345,
    IDC_DIR_LIBRARIES = 1099,
    IDC_DIR_TRAINS = 1103,
    IDC_DIR_BITMAPS = 1105,
    IDC_DIR_3D_TEXTURES = 1108,
    IDC_DIR_3D_BITMAPS = 1110,
    IDC_DIR_3D_OBJECTS = 1113,
    IDC_DIR_BACKDROPS = 1116,
    IDC_DIR_PATTERNS = 1131,
    IDC_DIR_TEXTURES = 1290,
    IDC_DIR_DATABASES = 1291,
};

const DialogTemplate& MetricPageTemplate();
const DialogTemplate& View3DPageTemplate();
const DialogTemplate& TrainPageTemplate();
const DialogTemplate& OtherPageTemplate();
const DialogTemplate& DirectoryPageTemplate();
