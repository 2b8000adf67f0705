#pragma once

#include "platform/ctl/DialogTemplate.h"

class CBitmap;

// The "Terrain Editor" dialog and the benchwork and terrain page of "2D Object properties".
enum TerrainEditorIds : UINT {
    IDD_BENCHWORK_PAGE = 309,
    IDD_TERRAIN_EDITOR = 450,

    IDC_THICKNESS_LABEL = 1450,
    IDC_BENCHWORK_THICKNESS = 1253,
    IDC_BENCHWORK_ELEVATION = 1101,
    IDC_TEXTURE_LABEL = 1455,
    IDC_BENCHWORK_TEXTURE = 1172,
    IDC_BENCHWORK_BROWSE = 1156,
    IDC_GRID_SPACING_LABEL = 1448,
    IDC_GRID_SPACING = 1257,
    IDC_OPEN_TERRAIN_EDITOR = 1159,
    IDC_TEXTURE_SCALE_LABEL = 1458,
    IDC_TEXTURE_SCALE = 1183,
    IDC_ALLOW_CONFORM = 1398,
    IDC_FIXED_BORDER = 1399,

    IDC_TERRAIN_PREVIEW = 1167,
    IDC_CHANGE_SELECTED_ONLY = 1446,
    IDC_CHANGE_NEARBY = 1193,
    IDC_ELASTIC_PERCENT = 1442,
    IDC_FALLOFF_LINEAR = 1396,
    IDC_FALLOFF_CUBICAL = 1444,
    IDC_KNOT_ELEVATION = 1187,
    IDC_SELECT_FORWARD = 1209,
    IDC_SELECT_BACK = 1211,
    IDC_SELECT_LEFT = 1437,
    IDC_SELECT_RIGHT = 1213,
    IDC_ROTATE_LEFT = 1456,
    IDC_ROTATE_RIGHT = 1457,
    IDC_ROLL_BACK = 1445,
    IDC_RESET_TERRAIN = 1447,

    // The arrows on the four "Select point" buttons: forward, back, left, right.
    IDI_ARROW_FORWARD = 293,
    IDI_ARROW_BACK = 294,
    IDI_ARROW_LEFT = 455,
    IDI_ARROW_RIGHT = 456,
};

const DialogTemplate& BenchworkPageTemplate();
const DialogTemplate& TerrainEditorTemplate();
// Draws the arrow of one of the four icons into a fresh 16 by 16 bitmap.
BOOL PaintArrowIcon(CBitmap& bitmap, UINT iconId);
