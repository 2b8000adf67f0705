#include "shell/ToolBarButtons.h"

#include <algorithm>

#include "platform/win/AfxIds.h"
#include "resources/BitmapIds.h"
#include "resources/CommandIds.h"

namespace {

const UINT kMainButtons[] = {
    ID_FILE_NEW,
    ID_FILE_OPEN,
    ID_FILE_SAVE,
    ID_FILE_PRINT_PREVIEW,
    ID_FILE_PRINT,
    ID_SEPARATOR,
    ID_EDIT_CUT,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    ID_EDIT_UNDO,
    ID_SEPARATOR,
    ID_TOOL_ZOOM_IN,
    ID_TOOL_ZOOM_OUT,
    ID_SEPARATOR,
    ID_BRING_TO_FRONT,
    ID_SEND_TO_BACK,
    ID_GROUP,
    ID_UNGROUP,
    ID_ROTATE_RIGHT,
    ID_ROTATE_LEFT,
    ID_FLIP_2D_VERTICAL,
    ID_FLIP_2D_HORIZONTAL,
    ID_SEPARATOR,
    ID_TRACK_SNAP,
    ID_SNAP_TO_GRID,
    ID_SNAP_TO_OBJECT_CORNERS,
    ID_SHOW_GRID,
    ID_SEPARATOR,
    ID_SHOW_3D_VIEW,
    ID_WINDOW_NEW,
    ID_SEPARATOR,
    ID_LAYERS,
    ID_SEPARATOR,
};

const UINT kToolsButtons[] = {
    ID_TOOL_SELECTOR,
    ID_TOOL_ROTATE_AROUND_ORIGIN,
    ID_SEPARATOR,
    ID_TOOL_STRAIGHT_TRACK,
    ID_TOOL_CURVE_TRACK,
    ID_TOOL_OVAL_TRACK,
    ID_TOOL_SPLINE_TRACK,
    ID_SEPARATOR,
    ID_TOOL_SKETCH,
    ID_TOOL_LINE,
    ID_TOOL_BOX,
    ID_TOOL_ROUND_BOX,
    ID_TOOL_ARC,
    ID_TOOL_OVAL,
    ID_TOOL_POLYGON,
    ID_TOOL_SPLINE,
    ID_TOOL_TEXT,
    ID_TOOL_BITMAP_PICTURE,
    ID_SEPARATOR,
    ID_SELECT_TRACK_CHAIN,
    ID_TRACK_WIZARD,
    ID_CONNECT_USING_SPLINE,
    ID_CONNECT_USING_CURVE_STRAIGHT,
    ID_CUT_TRACK,
    ID_CREATE_PARALLEL_TRACK,
    ID_SET_SELECTED_TRACK_ELEVATIONS,
    ID_CHAIN_TRACK_ELEVATIONS,
    ID_SEPARATOR,
    ID_TOOL_3D_BITMAP,
    ID_TOOL_3D_OBJECT,
    ID_TOOL_BENCHWORK,
    ID_TOOL_CAMERA,
    ID_TOOL_TERRAIN,
    ID_SEPARATOR,
    ID_TOOL_RUN_TEST_TRAIN,
    ID_TOOL_DIMENSION_LINE,
    ID_LIBRARY_GET_OBJECT,
};

const UINT kCameraButtons[] = {
    ID_3D_WIREFRAME,
    ID_SEPARATOR,
    ID_LIGHTEN,
    ID_DARKEN,
    ID_SEPARATOR,
    ID_CAMERA_RESET,
    ID_VIEW_BIRDS_EYE,
    ID_VIEW_LEFT_SIDE,
    ID_VIEW_RIGHT_SIDE,
    ID_VIEW_FRONT,
    ID_VIEW_BACK,
    ID_SEPARATOR,
    ID_CAMERA_MOVE_FORWARD,
    ID_CAMERA_MOVE_BACKWARD,
    ID_CAMERA_TURN_LEFT,
    ID_CAMERA_TURN_RIGHT,
    ID_CAMERA_MOVE_UP,
    ID_CAMERA_MOVE_DOWN,
    ID_CAMERA_MOVE_LEFT,
    ID_CAMERA_MOVE_RIGHT,
    ID_CAMERA_LOOK_DOWN,
    ID_CAMERA_LOOK_UP,
    ID_CAMERA_TILT_LEFT,
    ID_CAMERA_TILT_RIGHT,
};

const UINT kLibraryCommands[] = {ID_LIBRARY_GET_OBJECT, ID_LIBRARY_PUT_SELECTION, ID_MATERIALS_REPORT,
                                 ID_PARTS_LIST};
const UINT kTrainCommands[] = {ID_TOOL_RUN_TEST_TRAIN, ID_STOP_TEST_TRAIN};
const UINT kDimensionCommands[] = {ID_TOOL_DIMENSION_LINE, ID_TOOL_DIMENSION_ANGLE, ID_TOOL_MEASURE_LINE,
                                   ID_TOOL_MEASURE_BOX};

const ToolBarDropDown kDropDowns[] = {
    {ID_LIBRARY_GET_OBJECT, IDB_LIBRARY_PALETTE, kLibraryCommands},
    {ID_TOOL_RUN_TEST_TRAIN, IDB_TRAIN_PALETTE, kTrainCommands},
    {ID_TOOL_DIMENSION_LINE, IDB_DIMENSION_PALETTE, kDimensionCommands},
};

const UINT kRepeatingCommands[] = {
    ID_CAMERA_LOOK_UP,    ID_CAMERA_LOOK_DOWN, ID_CAMERA_TILT_LEFT,    ID_CAMERA_TILT_RIGHT,
    ID_CAMERA_MOVE_UP,    ID_CAMERA_MOVE_DOWN, ID_CAMERA_MOVE_LEFT,    ID_CAMERA_MOVE_RIGHT,
    ID_CAMERA_TURN_RIGHT, ID_CAMERA_TURN_LEFT, ID_CAMERA_MOVE_FORWARD, ID_CAMERA_MOVE_BACKWARD,
    ID_LIGHTEN,           ID_DARKEN,
};

}  // namespace

std::span<const UINT> MainToolBarButtons() {
    return kMainButtons;
}
std::span<const UINT> ToolsToolBarButtons() {
    return kToolsButtons;
}
std::span<const UINT> CameraToolBarButtons() {
    return kCameraButtons;
}
std::span<const ToolBarDropDown> ToolsToolBarDropDowns() {
    return kDropDowns;
}

bool IsRepeatingCommand(UINT command) {
    return std::ranges::find(kRepeatingCommands, command) != std::end(kRepeatingCommands);
}
