#include "resources/ProgramMenus.h"

#include <initializer_list>
#include <memory>

#include "platform/win/AfxIds.h"
#include "platform/win/CMenu.h"
#include "resources/CommandIds.h"
#include "resources/CommandTexts.h"

namespace {

// The entries of a popup by command id, each with its text from the command texts; 0 for a
// separator.
CMenu* Popup(std::initializer_list<UINT> ids) {
    auto popup = std::make_unique<CMenu>();
    popup->CreatePopupMenu();
    for (const UINT id : ids)
        popup->AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, id ? MenuTextOf(id) : nullptr);
    return popup.release();
}

void AppendPopup(CMenu& bar, const char* title, CMenu* popup) {
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
}

std::unique_ptr<CMenu> Bar() {
    auto bar = std::make_unique<CMenu>();
    bar->CreateMenu();
    return bar;
}

CMenu* HelpPopup() {
    return Popup({ID_HELP_FINDER, 0, ID_APP_ABOUT, ID_APP_CREDITS});
}

std::unique_ptr<CMenu> MainFrameMenu() {
    auto bar = Bar();
    AppendPopup(
        *bar, "&File",
        Popup({ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0, ID_FILE_MRU_FILE1, 0, ID_APP_EXIT}));
    AppendPopup(*bar, "&View", Popup({ID_TOOL_PARAMETERS, ID_OBJECT_SIZES}));
    AppendPopup(*bar, "&Help", HelpPopup());
    return bar;
}

CMenu* LayoutFilePopup() {
    return Popup({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                  ID_DOCUMENT_SETUP, ID_PREFERENCES, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                  ID_FILE_PRINT_SETUP, 0, ID_FILE_MRU_FILE1, 0, ID_APP_EXIT});
}

CMenu* LayoutEditPopup() {
    return Popup({ID_EDIT_UNDO,
                  0,
                  ID_EDIT_CUT,
                  ID_EDIT_COPY,
                  ID_EDIT_PASTE,
                  ID_EDIT_DELETE,
                  ID_EDIT_DUPLICATE,
                  ID_EDIT_SELECT_ALL,
                  0,
                  ID_GROUP,
                  ID_UNGROUP,
                  ID_EDIT_ENTER_GROUP,
                  ID_EDIT_EXIT_GROUP,
                  ID_EDIT_LOCK,
                  ID_EDIT_UNLOCK,
                  0,
                  ID_BRING_TO_FRONT,
                  ID_SEND_TO_BACK,
                  0,
                  ID_ROTATE_LEFT,
                  ID_ROTATE_RIGHT,
                  ID_ROTATE_180,
                  ID_ROTATE_BY_DEGREES,
                  ID_FLIP_2D_HORIZONTAL,
                  ID_FLIP_2D_VERTICAL,
                  0,
                  ID_EDIT_PROPERTIES});
}

CMenu* LayoutViewPopup() {
    return Popup({ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT, ID_ZOOM_NORMAL, 0, ID_SHOW_GRID, ID_TRACK_SNAP,
                  ID_SNAP_TO_GRID, ID_SNAP_TO_OBJECT_CORNERS, 0, ID_TOOL_PARAMETERS, ID_OBJECT_SIZES, 0,
                  ID_SHOW_3D_VIEW, ID_OPEN_2D_VIEW, ID_GET_LOST_OBJECTS});
}

CMenu* LayoutDrawPopup() {
    return Popup({ID_TOOL_SELECTOR, ID_TOOL_ROTATE_AROUND_ORIGIN, 0, ID_TOOL_SKETCH, ID_TOOL_LINE,
                  ID_TOOL_BOX, ID_TOOL_ROUND_BOX, ID_TOOL_ARC, ID_TOOL_OVAL, ID_TOOL_POLYGON, ID_TOOL_SPLINE,
                  ID_TOOL_TEXT, ID_TOOL_BITMAP_PICTURE, 0, ID_TOOL_DIMENSION_LINE, ID_TOOL_DIMENSION_ANGLE,
                  ID_TOOL_MEASURE_LINE, ID_TOOL_MEASURE_BOX});
}

CMenu* LayoutTrackPopup() {
    return Popup({ID_TOOL_STRAIGHT_TRACK, ID_TOOL_CURVE_TRACK, ID_TOOL_OVAL_TRACK, ID_TOOL_SPLINE_TRACK, 0,
                  ID_TRACK_WIZARD, ID_SELECT_TRACK_CHAIN, ID_CONNECT_USING_SPLINE,
                  ID_CONNECT_USING_CURVE_STRAIGHT, ID_CUT_TRACK, ID_CREATE_PARALLEL_TRACK, 0,
                  ID_SET_SELECTED_TRACK_ELEVATIONS, ID_CHAIN_TRACK_ELEVATIONS, ID_CONFORM_TRACKS_TO_TERRAIN});
}

CMenu* Layout3DPopup() {
    return Popup({ID_TOOL_3D_OBJECT,
                  ID_TOOL_3D_BITMAP,
                  ID_TOOL_BENCHWORK,
                  ID_TOOL_CAMERA,
                  0,
                  ID_TOOL_TERRAIN,
                  ID_TERRAIN_EDITOR,
                  ID_CONFORM_TERRAIN,
                  ID_RESTORE_TERRAIN,
                  0,
                  ID_3D_WIREFRAME,
                  ID_LIGHTEN,
                  ID_DARKEN,
                  ID_CAMERA_RESET,
                  ID_VIEW_BIRDS_EYE,
                  ID_VIEW_LEFT_SIDE,
                  ID_VIEW_RIGHT_SIDE,
                  ID_VIEW_FRONT,
                  ID_VIEW_BACK,
                  ID_SAVE_3D_VIEW,
                  ID_PRINT_3D_VIEW,
                  0,
                  ID_TOOL_RUN_TEST_TRAIN,
                  ID_STOP_TEST_TRAIN});
}

CMenu* LayoutLayersPopup() {
    return Popup({ID_LAYERS, 0, ID_LAYER_SHOW_HIDE_0, ID_LAYER_SHOW_HIDE_0 + 1, ID_LAYER_SHOW_HIDE_0 + 2,
                  ID_LAYER_SHOW_HIDE_0 + 3, ID_LAYER_SHOW_HIDE_0 + 4, ID_LAYER_SHOW_HIDE_0 + 5,
                  ID_LAYER_SHOW_HIDE_0 + 6, ID_LAYER_SHOW_HIDE_7});
}

CMenu* LayoutLibraryPopup() {
    return Popup({ID_LIBRARY_GET_OBJECT, ID_LIBRARY_PUT_SELECTION, 0, ID_MATERIALS_REPORT, ID_PARTS_LIST});
}

CMenu* LayoutWindowPopup() {
    return Popup({ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE});
}

std::unique_ptr<CMenu> LayoutMenu() {
    auto bar = Bar();
    AppendPopup(*bar, "&File", LayoutFilePopup());
    AppendPopup(*bar, "&Edit", LayoutEditPopup());
    AppendPopup(*bar, "&View", LayoutViewPopup());
    AppendPopup(*bar, "&Draw", LayoutDrawPopup());
    AppendPopup(*bar, "&Track", LayoutTrackPopup());
    AppendPopup(*bar, "&3D View", Layout3DPopup());
    AppendPopup(*bar, "&Layers", LayoutLayersPopup());
    AppendPopup(*bar, "L&ibrary", LayoutLibraryPopup());
    AppendPopup(*bar, "&Window", LayoutWindowPopup());
    AppendPopup(*bar, "&Help", HelpPopup());
    return bar;
}

std::unique_ptr<CMenu> ContextMenu() {
    auto bar = Bar();
    AppendPopup(*bar, "Context",
                Popup({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, 0, ID_EDIT_DUPLICATE, 0,
                       ID_SEND_TO_BACK, ID_BRING_TO_FRONT, 0, ID_EDIT_PROPERTIES}));
    return bar;
}

}  // namespace

void RegisterProgramMenus() {
    RegisterMenuResource(IDR_MAINFRAME_MENU, MainFrameMenu);
    RegisterMenuResource(IDR_LAYOUT_MENU, LayoutMenu);
    RegisterMenuResource(IDR_CONTEXT_MENU, ContextMenu);
}
