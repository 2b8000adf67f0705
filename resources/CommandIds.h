#pragma once

#include "platform/base/WinTypes.h"

// The menu and tool-bar commands of the layout document.
enum CommandId : UINT {
    // The tools from the selector to the test train take the ids between the first and the
    // last; the camera and the 3D bitmap have ids of their own outside that run.
    ID_TOOL_SELECTOR = 32800,
    ID_TOOL_ROTATE_AROUND_ORIGIN = 32801,
    ID_TOOL_MEASURE_LINE = 32804,
    ID_TOOL_MEASURE_BOX = 32805,
    ID_TOOL_TEXT = 32806,
    ID_TOOL_SKETCH = 32807,
    ID_TOOL_LINE = 32808,
    ID_TOOL_BOX = 32809,
    ID_TOOL_ROUND_BOX = 32810,
    ID_TOOL_ARC = 32811,
    ID_TOOL_OVAL = 32812,
    ID_TOOL_POLYGON = 32813,
    ID_TOOL_SPLINE = 32814,
    ID_TOOL_DIMENSION_LINE = 32815,
    ID_TOOL_DIMENSION_ANGLE = 32816,
    ID_TOOL_CAMERA = 32878,
    ID_TOOL_BITMAP_PICTURE = 32818,
    ID_TOOL_3D_OBJECT = 32819,
    ID_TOOL_STRAIGHT_TRACK = 32820,
    ID_TOOL_CURVE_TRACK = 32821,
    ID_TOOL_OVAL_TRACK = 32822,
    ID_TOOL_SPLINE_TRACK = 32823,
    ID_TOOL_3D_BITMAP = 32979,
    ID_TOOL_BENCHWORK = 32825,
    ID_TOOL_RUN_TEST_TRAIN = 32829,

    ID_DOCUMENT_SETUP = 32840,
    ID_PREFERENCES = 32841,
    ID_LIBRARY_GET_OBJECT = 32785,
    ID_LIBRARY_PUT_SELECTION = 32784,
    ID_MATERIALS_REPORT = 32949,
    ID_PARTS_LIST = 32978,
    ID_3D_WIREFRAME = 32846,
    ID_GET_LOST_OBJECTS = 32847,
    ID_OPEN_2D_VIEW = 32848,

    // Show/Hide Layer 0 to 7 take eight consecutive ids.
    ID_LAYER_SHOW_HIDE_0 = 32860,
    ID_LAYER_SHOW_HIDE_7 = 32867,
    // The layer selector sits in the main tool bar as a control and answers to its control id.
    ID_CHOOSE_ACTIVE_LAYER = 105,

    ID_CONFORM_TRACKS_TO_TERRAIN = 33029,
    ID_CONFORM_TERRAIN = 33033,
    ID_RESTORE_TERRAIN = 33034,

    ID_SETUP_TOOLBARS = 32792,
    ID_SHOW_3D_VIEW = 32894,
    ID_TOOL_PARAMETERS = 32895,
    ID_OBJECT_SIZES = 32993,
    ID_TRACK_WIZARD = 33011,
};
