#include "resources/ProgramMenus.h"

#include <initializer_list>
#include <memory>

#include "platform/win/AfxIds.h"
#include "platform/win/CMenu.h"
#include "resources/CommandIds.h"

namespace {

struct MenuLine {
    UINT id;  // 0 for a separator
    const char* text;
};
constexpr MenuLine kSeparator = {0, nullptr};

CMenu* Popup(std::initializer_list<MenuLine> lines) {
    auto popup = std::make_unique<CMenu>();
    popup->CreatePopupMenu();
    for (const MenuLine& line : lines)
        popup->AppendMenu(line.id ? MF_STRING : MF_SEPARATOR, line.id, line.text);
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
    return Popup({{ID_HELP_FINDER, "&Help Topics"},
                  kSeparator,
                  {ID_APP_ABOUT, "&About Corvane..."},
                  {ID_APP_CREDITS, "Credits..."}});
}

std::unique_ptr<CMenu> MainFrameMenu() {
    auto bar = Bar();
    AppendPopup(*bar, "&File",
                Popup({{ID_FILE_NEW, "&New...\tCtrl+N"},
                       {ID_FILE_OPEN, "&Open...\tCtrl+O"},
                       kSeparator,
                       {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
                       kSeparator,
                       {ID_FILE_MRU_FILE1, "Recent File"},
                       kSeparator,
                       {ID_APP_EXIT, "E&xit"}}));
    AppendPopup(*bar, "&View",
                Popup({{ID_TOOL_PARAMETERS, "&Tool Parameters"}, {ID_OBJECT_SIZES, "O&bject Sizes"}}));
    AppendPopup(*bar, "&Help", HelpPopup());
    return bar;
}

CMenu* LayoutFilePopup() {
    return Popup({{ID_FILE_NEW, "&New...\tCtrl+N"},
                  {ID_FILE_OPEN, "&Open...\tCtrl+O"},
                  {ID_FILE_CLOSE, "&Close"},
                  {ID_FILE_SAVE, "&Save\tCtrl+S"},
                  {ID_FILE_SAVE_AS, "Save &As..."},
                  kSeparator,
                  {ID_DOCUMENT_SETUP, "&Document Setup..."},
                  {ID_PREFERENCES, "Pr&eferences..."},
                  kSeparator,
                  {ID_FILE_PRINT, "&Print...\tCtrl+P"},
                  {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
                  {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
                  kSeparator,
                  {ID_FILE_MRU_FILE1, "Recent File"},
                  kSeparator,
                  {ID_APP_EXIT, "E&xit"}});
}

CMenu* LayoutEditPopup() {
    return Popup({{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
                  kSeparator,
                  {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
                  {ID_EDIT_COPY, "&Copy\tCtrl+C"},
                  {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
                  {ID_EDIT_DELETE, "&Delete\tDel"},
                  {ID_EDIT_DUPLICATE, "Duplicate\tCtrl+D"},
                  {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
                  kSeparator,
                  {ID_GROUP, "Group...\tCtrl+G"},
                  {ID_UNGROUP, "Ungroup...\tCtrl+U"},
                  {ID_EDIT_ENTER_GROUP, "Edit Group\tCtrl+E"},
                  {ID_EDIT_EXIT_GROUP, "Exit Edit Group\tCtrl+I"},
                  {ID_EDIT_LOCK, "Lock"},
                  {ID_EDIT_UNLOCK, "Unlock"},
                  kSeparator,
                  {ID_BRING_TO_FRONT, "Bring to &Front"},
                  {ID_SEND_TO_BACK, "Send to &Back"},
                  kSeparator,
                  {ID_ROTATE_LEFT, "Rotate Left (90)"},
                  {ID_ROTATE_RIGHT, "Rotate Right (90)"},
                  {ID_ROTATE_180, "Rotate (180)"},
                  {ID_ROTATE_BY_DEGREES, "Rotate By &Degrees"},
                  {ID_FLIP_2D_HORIZONTAL, "Flip 2D Horizontal\tCtrl+H"},
                  {ID_FLIP_2D_VERTICAL, "Flip 2D Vertical\tCtrl+L"},
                  kSeparator,
                  {ID_EDIT_PROPERTIES, "Properties..."}});
}

CMenu* LayoutViewPopup() {
    return Popup({{ID_ZOOM_IN, "Zoom &In\tCtrl+PgUp"},
                  {ID_ZOOM_OUT, "Zoom &Out\tCtrl+PgDn"},
                  {ID_ZOOM_FIT, "&Fit To Screen"},
                  {ID_ZOOM_NORMAL, "&Normal  Zoom\tCtrl+Home"},
                  kSeparator,
                  {ID_SHOW_GRID, "&Grid"},
                  {ID_TRACK_SNAP, "Track Snap"},
                  {ID_SNAP_TO_GRID, "Snap To &Grid"},
                  {ID_SNAP_TO_OBJECT_CORNERS, "Snap To &Object Corners"},
                  kSeparator,
                  {ID_TOOL_PARAMETERS, "&Tool Parameters"},
                  {ID_OBJECT_SIZES, "O&bject Sizes"},
                  kSeparator,
                  {ID_SHOW_3D_VIEW, "3D View"},
                  {ID_OPEN_2D_VIEW, "2D View"},
                  {ID_GET_LOST_OBJECTS, "Get Lost Objects"}});
}

CMenu* LayoutDrawPopup() {
    return Popup({{ID_TOOL_SELECTOR, "&Select"},
                  {ID_TOOL_ROTATE_AROUND_ORIGIN, "Rotate Around Origin"},
                  kSeparator,
                  {ID_TOOL_SKETCH, "Draw Sketch"},
                  {ID_TOOL_LINE, "Draw Line"},
                  {ID_TOOL_BOX, "Draw Box"},
                  {ID_TOOL_ROUND_BOX, "Draw Round Box"},
                  {ID_TOOL_ARC, "Draw Arc"},
                  {ID_TOOL_OVAL, "Draw Circle"},
                  {ID_TOOL_POLYGON, "Draw Polygon"},
                  {ID_TOOL_SPLINE, "Draw Spline"},
                  {ID_TOOL_TEXT, "Draw Text"},
                  {ID_TOOL_BITMAP_PICTURE, "Insert 2D Bitmap Picture"},
                  kSeparator,
                  {ID_TOOL_DIMENSION_LINE, "Draw Dimension Line"},
                  {ID_TOOL_DIMENSION_ANGLE, "Draw Dimension Angle"},
                  {ID_TOOL_MEASURE_LINE, "Draw Measure Line"},
                  {ID_TOOL_MEASURE_BOX, "Draw Measure Box"}});
}

CMenu* LayoutTrackPopup() {
    return Popup({{ID_TOOL_STRAIGHT_TRACK, "Straight Track"},
                  {ID_TOOL_CURVE_TRACK, "Curve Track"},
                  {ID_TOOL_OVAL_TRACK, "Oval Track"},
                  {ID_TOOL_SPLINE_TRACK, "Spline Track"},
                  kSeparator,
                  {ID_TRACK_WIZARD, "Track Wizard"},
                  {ID_SELECT_TRACK_CHAIN, "Select Track Cha&in"},
                  {ID_CONNECT_USING_SPLINE, "Connect Using Spline"},
                  {ID_CONNECT_USING_CURVE_STRAIGHT, "Connect Using Curve-Straight"},
                  {ID_CUT_TRACK, "Cut Track"},
                  {ID_CREATE_PARALLEL_TRACK, "Create Parallel Track\tCtrl+B"},
                  kSeparator,
                  {ID_SET_SELECTED_TRACK_ELEVATIONS, "Set Selected Track Elevations"},
                  {ID_CHAIN_TRACK_ELEVATIONS, "Chain Track Elevations "},
                  {ID_CONFORM_TRACKS_TO_TERRAIN, "Conform Tracks To Terrain"}});
}

CMenu* Layout3DPopup() {
    return Popup({{ID_TOOL_3D_OBJECT, "Insert 3D Object"},
                  {ID_TOOL_3D_BITMAP, "Insert 3D Bitmap"},
                  {ID_TOOL_BENCHWORK, "Insert Benchwork"},
                  {ID_TOOL_CAMERA, "Set Camera Position"},
                  kSeparator,
                  {ID_TOOL_TERRAIN, "Terrain"},
                  {ID_TERRAIN_EDITOR, "Terrain Editor..."},
                  {ID_CONFORM_TERRAIN, "Conform Terrain To Objects\tCtrl+T"},
                  {ID_RESTORE_TERRAIN, "Restore Terrain\tCtrl+R"},
                  kSeparator,
                  {ID_3D_WIREFRAME, "3D Wireframe"},
                  {ID_LIGHTEN, "Lighten"},
                  {ID_DARKEN, "Darken"},
                  {ID_CAMERA_RESET, "Reset Camera"},
                  {ID_VIEW_BIRDS_EYE, "From Birds Eye View"},
                  {ID_VIEW_LEFT_SIDE, "From Left Side View"},
                  {ID_VIEW_RIGHT_SIDE, "From Right Side View"},
                  {ID_VIEW_FRONT, "Front View"},
                  {ID_VIEW_BACK, "Back View"},
                  {ID_SAVE_3D_VIEW, "Save 3D View..."},
                  {ID_PRINT_3D_VIEW, "Print 3D View"},
                  kSeparator,
                  {ID_TOOL_RUN_TEST_TRAIN, "Run Test Train"},
                  {ID_STOP_TEST_TRAIN, "St&op Test Train"}});
}

CMenu* LayoutLayersPopup() {
    return Popup({{ID_LAYERS, "&Layers..."},
                  kSeparator,
                  {ID_LAYER_SHOW_HIDE_0, "Show/Hide Layer 0"},
                  {ID_LAYER_SHOW_HIDE_0 + 1, "Show/Hide Layer 1"},
                  {ID_LAYER_SHOW_HIDE_0 + 2, "Show/Hide Layer 2"},
                  {ID_LAYER_SHOW_HIDE_0 + 3, "Show/Hide Layer 3"},
                  {ID_LAYER_SHOW_HIDE_0 + 4, "Show/Hide Layer 4"},
                  {ID_LAYER_SHOW_HIDE_0 + 5, "Show/Hide Layer 5"},
                  {ID_LAYER_SHOW_HIDE_0 + 6, "Show/Hide Layer 6"},
                  {ID_LAYER_SHOW_HIDE_7, "Show/Hide Layer 7"}});
}

CMenu* LayoutLibraryPopup() {
    return Popup({{ID_LIBRARY_GET_OBJECT, "Get Object From Library"},
                  {ID_LIBRARY_PUT_SELECTION, "Put Selection Into Library"},
                  kSeparator,
                  {ID_MATERIALS_REPORT, "Create Materials Report"},
                  {ID_PARTS_LIST, "Manufacturer Parts List"}});
}

CMenu* LayoutWindowPopup() {
    return Popup({{ID_WINDOW_NEW, "&New Window"},
                  {ID_WINDOW_CASCADE, "&Cascade"},
                  {ID_WINDOW_TILE_HORZ, "&Tile"},
                  {ID_WINDOW_ARRANGE, "&Arrange Icons"}});
}

std::unique_ptr<CMenu> LayoutMenu() {
    auto bar = Bar();
    AppendPopup(*bar, "&File", LayoutFilePopup());
    AppendPopup(*bar, "&Edit", LayoutEditPopup());
    AppendPopup(*bar, "&View", LayoutViewPopup());
    AppendPopup(*bar, "&Draw", LayoutDrawPopup());
    AppendPopup(*bar, "&Track", LayoutTrackPopup());
    AppendPopup(*bar, "&3D", Layout3DPopup());
    AppendPopup(*bar, "&Layers", LayoutLayersPopup());
    AppendPopup(*bar, "L&ibrary", LayoutLibraryPopup());
    AppendPopup(*bar, "&Window", LayoutWindowPopup());
    AppendPopup(*bar, "&Help", HelpPopup());
    return bar;
}

std::unique_ptr<CMenu> ContextMenu() {
    auto bar = Bar();
    AppendPopup(*bar, "Context",
                Popup({{ID_EDIT_CUT, "Cu&t\tCtrl+X"},
                       {ID_EDIT_COPY, "&Copy\tCtrl+C"},
                       {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
                       {ID_EDIT_DELETE, "&Delete\tDel"},
                       kSeparator,
                       {ID_EDIT_DUPLICATE, "Duplicate"},
                       kSeparator,
                       {ID_SEND_TO_BACK, "Send to &Back"},
                       {ID_BRING_TO_FRONT, "Bring to &Front"},
                       kSeparator,
                       {ID_EDIT_PROPERTIES, "Properties..."}}));
    return bar;
}

}  // namespace

void RegisterProgramMenus() {
    RegisterMenuResource(IDR_MAINFRAME_MENU, MainFrameMenu);
    RegisterMenuResource(IDR_LAYOUT_MENU, LayoutMenu);
    RegisterMenuResource(IDR_CONTEXT_MENU, ContextMenu);
}
