#include "resources/CommandTexts.h"

#include <algorithm>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"

namespace {

// Texts are byte-exact: access keys, key names after the tab, dots and blanks included.
const CommandText kTexts[] = {
    // File
    {ID_FILE_NEW, "&New...\tCtrl+N", "Create a new layout\nNew"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing layout\nOpen"},
    {ID_FILE_CLOSE, "&Close", "Close the active layout\nClose"},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active layout\nSave"},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active layout under a new name\nSave As"},
    {ID_DOCUMENT_SETUP, "Document Setup...", "Change Page Options"},
    {ID_PREFERENCES, "Preferences...", "Set Preferences"},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active layout\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_MRU_FILE1, "Recent File", "Open this layout"},
    {ID_APP_EXIT, "E&xit", "Quit the program; asks to save changed layouts\nExit"},

    // Edit
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the clipboard\nCut"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the clipboard\nCopy"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert the clipboard contents\nPaste"},
    {ID_EDIT_DELETE, "&Delete\tDel", "Delete"},
    {ID_EDIT_DUPLICATE, "Duplicate", "Duplicate"},
    {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A", "Select All"},
    {ID_GROUP, "Group...\tCtrl+G", "Group\nGroup"},
    {ID_UNGROUP, "Ungroup...\tCtrl+U", "Ungroup\nUngroup"},
    {ID_EDIT_ENTER_GROUP, "Edit Group\tCtrl+E", "Edit Group"},
    {ID_EDIT_EXIT_GROUP, "Exit Edit Group\tCtrl+I", "Exit Edit Group"},
    {ID_EDIT_LOCK, "Lock", "Lock"},
    {ID_EDIT_UNLOCK, "Unlock", "Unlock"},
    {ID_BRING_TO_FRONT, "Bring to &Front", "Bring To Front\nBring To Front"},
    {ID_SEND_TO_BACK, "Send to &Back", "Send To Back\nSend To Back"},
    {ID_ROTATE_LEFT, "Rotate Left (90)", "Rotate Left\nRotate Left"},
    {ID_ROTATE_RIGHT, "Rotate Right (90)", "Rotate Right\nRotate Right"},
    {ID_ROTATE_180, "Rotate (180)", "Rotate (180)"},
    {ID_ROTATE_BY_DEGREES, "Rotate By &Degrees", "Rotate By Degrees"},
    {ID_FLIP_2D_HORIZONTAL, "Flip 2D Horizontal\tCtrl+H", "Flip 2D Horizontal\nFlip 2D Horizontal"},
    {ID_FLIP_2D_VERTICAL, "Flip 2D Vertical\tCtrl+L", "Flip 2D Vertical\nFlip 2D Vertical"},
    {ID_EDIT_PROPERTIES, "Properties...", "Properties"},

    // View
    {ID_ZOOM_IN, "Zoom &In\tCtrl+PgUp", "Zoom In"},
    {ID_ZOOM_OUT, "Zoom &Out\tCtrl+PgDn", "Zoom Out"},
    {ID_ZOOM_FIT, "&Fit To Screen", "Fit To Screen"},
    {ID_ZOOM_NORMAL, "&Normal  Zoom\tCtrl+Home", "Normal  Zoom"},
    {ID_TOOL_ZOOM_IN, nullptr, "Zoom In\nZoom In"},
    {ID_TOOL_ZOOM_OUT, nullptr, "Zoom Out\nZoom Out"},
    {ID_SHOW_GRID, "&Grid", "Show Grid\nShow Grid"},
    {ID_TRACK_SNAP, "Track Snap", "Track Snap\nTrack Snap"},
    {ID_SNAP_TO_GRID, "Snap To &Grid", "Snap To Grid\nSnap To Grid"},
    {ID_SNAP_TO_OBJECT_CORNERS, "Snap To &Object Corners", "Snap To Object Corners\nSnap To Object Corners"},
    {ID_TOOL_PARAMETERS, "&Tool Parameters", "Tool Parameters"},
    {ID_OBJECT_SIZES, "O&bject Sizes", "Object Sizes"},
    {ID_SHOW_3D_VIEW, "Show 3D View", "Show 3D View\n3D View"},
    {ID_OPEN_2D_VIEW, "Open &2D View", "Open Or Activate 2D View For The Active Document"},
    {ID_GET_LOST_OBJECTS, "Get Lost Objects", "Pick Lost Objects"},

    // Draw: the tool modes of the drawing objects.
    {ID_TOOL_SELECTOR, "&Selector", "Set Select Mode\nSelect"},
    {ID_TOOL_ROTATE_AROUND_ORIGIN, "Rotate &Around Origin", "Rotate Around Origin\nRotate Around Origin"},
    {ID_TOOL_SKETCH, "Sketch", "Draw Sketch\nDraw Sketch"},
    {ID_TOOL_LINE, "&Line", "Draw Line\nDraw Line"},
    {ID_TOOL_BOX, "&Box", "Draw Box\nDraw Box"},
    {ID_TOOL_ROUND_BOX, "Round Box", "Draw Round Box\nDraw Round Box"},
    {ID_TOOL_ARC, "&Arc", "Draw Arc\nDraw Arc"},
    {ID_TOOL_OVAL, "Oval", "Draw Circle\nDraw Circle"},
    {ID_TOOL_POLYGON, "Polygon", "Draw Polygon\nDraw Polygon"},
    {ID_TOOL_SPLINE, "Spline", "Draw Spline\nDraw Spline"},
    {ID_TOOL_TEXT, "Text", "Insert Text\nDraw Text"},
    {ID_TOOL_BITMAP_PICTURE, "2D Bitmap Picture", "Insert 2D Bitmap Picture\nInsert 2D Bitmap Picture"},
    {ID_TOOL_DIMENSION_LINE, "Draw Dimension Line", "Draw Dimension Line\nDraw Dimension Line"},
    {ID_TOOL_DIMENSION_ANGLE, "Draw Dimension Angle", "Draw Dimension Angle\nDraw Dimension Angle"},
    {ID_TOOL_MEASURE_LINE, "Measure Line", "Draw Measure Line\nDraw Measure Line"},
    {ID_TOOL_MEASURE_BOX, "Measure Box", "Draw Measure Box\nDraw Measure Box"},

    // Track
    {ID_TOOL_STRAIGHT_TRACK, "Straight Track", "Straight Track\nStraight Track"},
    {ID_TOOL_CURVE_TRACK, "Curve Track", "Curve Track\nCurve Track"},
    {ID_TOOL_OVAL_TRACK, "Oval Track", "Oval Track\nOval Track"},
    {ID_TOOL_SPLINE_TRACK, "Spline Track", "Spline Track\nSpline Track"},
    {ID_TRACK_WIZARD, "Track Wizard...", "Track Wizard\nTrack Wizard"},
    {ID_SELECT_TRACK_CHAIN, "Select Track Cha&in", "Select Track Chain\nSelect Track Chain"},
    {ID_CONNECT_USING_SPLINE, "Connect Using Spline", "Connect Using Spline\nConnect Using Spline"},
    {ID_CONNECT_USING_CURVE_STRAIGHT, "Connect Using Curve-Straight", "Connect Using Curve-Straight"},
    {ID_CUT_TRACK, "Cut Track", "Cut Track\nCut Track"},
    {ID_CREATE_PARALLEL_TRACK, "Create Parallel Track", "Create Parallel Track\nCreate Parallel Track"},
    {ID_SET_SELECTED_TRACK_ELEVATIONS, "Set Selected Track Elevations",
     "Set Selected Track Elevations\nSet Selected Track Elevations"},
    {ID_CHAIN_TRACK_ELEVATIONS, "Chain Track Elevations ", "Chain Track Elevations\nChain Track Elevations"},
    {ID_CONFORM_TRACKS_TO_TERRAIN, "Conform tracks to terrain.", "Conform tracks to terrain."},

    // 3D View
    {ID_TOOL_3D_OBJECT, "3D Object", "Insert 3D Object\nInsert 3D Object"},
    {ID_TOOL_3D_BITMAP, "3D Bitmap", "Insert 3D Bitmap\nInsert 3D Bitmap"},
    {ID_TOOL_BENCHWORK, "Benchwork", "Insert Benchwork\nInsert Benchwork"},
    {ID_TOOL_CAMERA, "Set Camera &Position", "Set Camera Position\nSet Camera Position"},
    {ID_TOOL_TERRAIN, "Terrain", "Terrain\nTerrain"},
    {ID_TERRAIN_EDITOR, "Terrain Editor...", "Terrain Editor"},
    {ID_CONFORM_TERRAIN, "Conform Terrain To Objects\tCtrl+T",
     "Conform Terrain To Tracks And 3D Objects (Make Tunnels Etc.)"},
    {ID_RESTORE_TERRAIN, "Restore Terrain\tCtrl+R", "Cleat Terrain From Tunnels, Etc."},
    {ID_3D_WIREFRAME, "Show 3D As Wireframe", "3D Wireframe\n3D Wireframe"},
    {ID_LIGHTEN, "Lighten", "Lighten\nLighten"},
    {ID_DARKEN, "Darken", "Darken\nDarken"},
    {ID_CAMERA_RESET, "Reset Camera", "Reset Camera\nReset Camera"},
    {ID_VIEW_BIRDS_EYE, "Bird-Eye View", "Bird-Eye View\nFrom Birds Eye View"},
    {ID_VIEW_LEFT_SIDE, "Left Side View", "Left Side View\nFrom Left Side View"},
    {ID_VIEW_RIGHT_SIDE, "Right Side View", "Right Side View\nFrom Right Side View"},
    {ID_VIEW_FRONT, "Front View", "Front View\nFront View"},
    {ID_VIEW_BACK, "Back View", "Back View\nBack View"},
    {ID_SAVE_3D_VIEW, "Save 3D View...", "Save 3D View"},
    {ID_PRINT_3D_VIEW, "Print 3D View", "Print 3D View"},
    {ID_TOOL_RUN_TEST_TRAIN, "&Run Test Train", "Run Test Train\nRun Test Train"},
    {ID_STOP_TEST_TRAIN, "St&op Test Train", "Stop Test Train\nStop Test Train"},
    // The camera commands sit on the camera bar and the arrow keys only.
    {ID_CAMERA_MOVE_FORWARD, nullptr, "Camera Move Forward\nCamera Move Forward"},
    {ID_CAMERA_MOVE_BACKWARD, nullptr, "Camera Move Backward\nCamera Move Backward"},
    {ID_CAMERA_TURN_LEFT, nullptr, "Camera Turn Left\nCamera Turn Left"},
    {ID_CAMERA_TURN_RIGHT, nullptr, "Camera Turn Right\nCamera Turn Right"},
    {ID_CAMERA_MOVE_UP, nullptr, "Camera Move Up\nCamera Move Up"},
    {ID_CAMERA_MOVE_DOWN, nullptr, "Camera Move Down\nCamera Move Down"},
    {ID_CAMERA_MOVE_LEFT, nullptr, "Camera Move Left\nCamera Move Left"},
    {ID_CAMERA_MOVE_RIGHT, nullptr, "Camera Move Right\nCamera Move Right"},
    {ID_CAMERA_LOOK_DOWN, nullptr, "Camera Tilt Forward\nCamera Look Down"},
    {ID_CAMERA_LOOK_UP, nullptr, "Camera Tilt Backward\nCamera Look Up"},
    {ID_CAMERA_TILT_LEFT, nullptr, "Camera Tilt Left\nCamera Tilt Left"},
    {ID_CAMERA_TILT_RIGHT, nullptr, "Camera Tilt Right\nCamera Tilt Right"},

    // Layers
    {ID_LAYERS, "&Layers...", "Layers\nLayers"},
    {ID_LAYER_SHOW_HIDE_0, "Show/Hide Layer 0", "Show/Hide Layer 0"},
    {ID_LAYER_SHOW_HIDE_0 + 1, "Show/Hide Layer 1", "Show/Hide Layer 1"},
    {ID_LAYER_SHOW_HIDE_0 + 2, "Show/Hide Layer 2", "Show/Hide Layer 2"},
    {ID_LAYER_SHOW_HIDE_0 + 3, "Show/Hide Layer 3", "Show/Hide Layer 3"},
    {ID_LAYER_SHOW_HIDE_0 + 4, "Show/Hide Layer 4", "Show/Hide Layer 4"},
    {ID_LAYER_SHOW_HIDE_0 + 5, "Show/Hide Layer 5", "Show/Hide Layer 5"},
    {ID_LAYER_SHOW_HIDE_0 + 6, "Show/Hide Layer 6", "Show/Hide Layer 6"},
    {ID_LAYER_SHOW_HIDE_7, "Show/Hide Layer 7", "Show/Hide Layer 7"},
    {ID_CHOOSE_ACTIVE_LAYER, nullptr, "Choose Active Layer\nChoose Active Layer"},

    // Library
    {ID_LIBRARY_GET_OBJECT, "Get Object From Library...", "Get Object From Library\nGet Object From Library"},
    {ID_LIBRARY_PUT_SELECTION, "Put Selection Into Library",
     "Put Selection Into Library\nPut Selection Into Library"},
    {ID_MATERIALS_REPORT, "Create Materials Report", "Create Materials Report\nCreate Materials Report"},
    {ID_PARTS_LIST, "Manufacturer Parts List", "Manufacturer Parts List\nManufacturer Parts List"},

    // Window
    {ID_WINDOW_NEW, "&New Window", "Open another plan window of the layout\n2D View"},
    {ID_WINDOW_CASCADE, "&Cascade", "Arrange the windows so that they overlap\nCascade Windows"},
    {ID_WINDOW_TILE_HORZ, "&Tile", "Arrange the windows side by side\nTile Windows"},
    {ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange the minimised windows along the bottom\nArrange Icons"},

    // Help
    {ID_HELP_FINDER, "&Help Topics", "List the help topics\nHelp Topics"},
    {ID_APP_ABOUT, "&About Corvane...", "Show the program's version and copyright\nAbout"},
    {ID_APP_CREDITS, "Credits...", "Credits"},
};

}  // namespace

std::span<const CommandText> CommandTexts() {
    return kTexts;
}

const char* MenuTextOf(UINT id) {
    const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                    [id](const CommandText& text) { return text.id == id; });
    return found == std::end(kTexts) ? nullptr : found->menu;
}
