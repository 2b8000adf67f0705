#include "shell/HelpContexts.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/ctl/DialogTemplate.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CWinApp.h"
#include "resources/CatalogTemplates.h"
#include "resources/CommandIds.h"
#include "resources/DocumentSetupTemplate.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/FilePreviewTemplate.h"
#include "resources/GroupPropertiesTemplate.h"
#include "resources/LayerPropertiesTemplate.h"
#include "resources/Objects3DTemplates.h"
#include "resources/PatternEditTemplate.h"
#include "resources/PicturePropertiesTemplate.h"
#include "resources/PreferencePagesTemplates.h"
#include "resources/ProgramDialogs.h"
#include "resources/RotateByDegreesTemplate.h"
#include "resources/StringTable.h"
#include "resources/TerrainEditorTemplates.h"
#include "resources/TextPropertiesTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "resources/TrackToolTemplates.h"
#include "resources/TrainPropertiesTemplate.h"
#include "resources/WizardPageTemplates.h"

// Its control ids share names with the shapes' property pages, so only its template is named.
const DialogTemplate& ToolParametersTemplate();

namespace {

constexpr HelpContext kCommands[] = {
    {ID_FILE_NEW, "file-new"},
    {ID_FILE_OPEN, "file-open"},
    {ID_FILE_CLOSE, "file-close"},
    {ID_FILE_SAVE, "file-save"},
    {ID_FILE_SAVE_AS, "file-save-as"},
    {ID_DOCUMENT_SETUP, "document-setup"},
    {ID_PREFERENCES, "preferences"},
    {ID_FILE_PRINT, "file-print"},
    {ID_FILE_PRINT_PREVIEW, "print-preview"},
    {ID_FILE_PRINT_SETUP, "print-setup"},
    {ID_APP_EXIT, "exit"},
    {ID_EDIT_UNDO, "undo"},
    {ID_EDIT_CUT, "cut"},
    {ID_EDIT_COPY, "copy"},
    {ID_EDIT_PASTE, "paste"},
    {ID_EDIT_DELETE, "delete"},
    {ID_EDIT_DUPLICATE, "duplicate"},
    {ID_EDIT_SELECT_ALL, "select-all"},
    {ID_GROUP, "group"},
    {ID_UNGROUP, "ungroup"},
    {ID_EDIT_ENTER_GROUP, "edit-group"},
    {ID_EDIT_EXIT_GROUP, "exit-edit-group"},
    {ID_EDIT_LOCK, "lock"},
    {ID_EDIT_UNLOCK, "unlock"},
    {ID_BRING_TO_FRONT, "bring-to-front"},
    {ID_SEND_TO_BACK, "send-to-back"},
    {ID_ROTATE_LEFT, "rotate-left"},
    {ID_ROTATE_RIGHT, "rotate-right"},
    {ID_ROTATE_180, "rotate-180"},
    {ID_ROTATE_BY_DEGREES, "rotate-by-degrees"},
    {ID_FLIP_2D_HORIZONTAL, "flip-horizontal"},
    {ID_FLIP_2D_VERTICAL, "flip-vertical"},
    {ID_EDIT_PROPERTIES, "properties"},
    {ID_ZOOM_IN, "zoom-in"},
    {ID_ZOOM_OUT, "zoom-out"},
    {ID_ZOOM_FIT, "zoom-fit"},
    {ID_ZOOM_NORMAL, "zoom-normal"},
    {ID_TOOL_ZOOM_IN, "tool-zoom"},
    {ID_TOOL_ZOOM_OUT, "tool-zoom"},
    {ID_SHOW_GRID, "show-grid"},
    {ID_TRACK_SNAP, "track-snap"},
    {ID_SNAP_TO_GRID, "snap-to-grid"},
    {ID_SNAP_TO_OBJECT_CORNERS, "snap-to-corners"},
    {ID_TOOL_PARAMETERS, "tool-parameters"},
    {ID_OBJECT_SIZES, "object-sizes"},
    {ID_SHOW_3D_VIEW, "show-3d-view"},
    {ID_OPEN_2D_VIEW, "open-2d-view"},
    {ID_GET_LOST_OBJECTS, "get-lost-objects"},
    {ID_TOOL_SELECTOR, "tool-selector"},
    {ID_TOOL_ROTATE_AROUND_ORIGIN, "tool-rotate"},
    {ID_TOOL_SKETCH, "tool-sketch"},
    {ID_TOOL_LINE, "tool-line"},
    {ID_TOOL_BOX, "tool-box"},
    {ID_TOOL_ROUND_BOX, "tool-round-box"},
    {ID_TOOL_ARC, "tool-arc"},
    {ID_TOOL_OVAL, "tool-oval"},
    {ID_TOOL_POLYGON, "tool-polygon"},
    {ID_TOOL_SPLINE, "tool-spline"},
    {ID_TOOL_TEXT, "tool-text"},
    {ID_TOOL_BITMAP_PICTURE, "tool-picture"},
    {ID_TOOL_DIMENSION_LINE, "tool-dimension-line"},
    {ID_TOOL_DIMENSION_ANGLE, "tool-dimension-angle"},
    {ID_TOOL_MEASURE_LINE, "tool-measure-line"},
    {ID_TOOL_MEASURE_BOX, "tool-measure-box"},
    {ID_TOOL_STRAIGHT_TRACK, "tool-straight-track"},
    {ID_TOOL_CURVE_TRACK, "tool-curve-track"},
    {ID_TOOL_OVAL_TRACK, "tool-oval-track"},
    {ID_TOOL_SPLINE_TRACK, "tool-spline-track"},
    {ID_TRACK_WIZARD, "track-wizard"},
    {ID_SELECT_TRACK_CHAIN, "select-track-chain"},
    {ID_CONNECT_USING_SPLINE, "connect-spline"},
    {ID_CONNECT_USING_CURVE_STRAIGHT, "connect-curve-straight"},
    {ID_CUT_TRACK, "cut-track"},
    {ID_CREATE_PARALLEL_TRACK, "parallel-track"},
    {ID_SET_SELECTED_TRACK_ELEVATIONS, "set-elevations"},
    {ID_CHAIN_TRACK_ELEVATIONS, "chain-elevations"},
    {ID_CONFORM_TRACKS_TO_TERRAIN, "conform-tracks"},
    {ID_TOOL_3D_OBJECT, "tool-3d-object"},
    {ID_TOOL_3D_BITMAP, "tool-3d-bitmap"},
    {ID_TOOL_BENCHWORK, "tool-benchwork"},
    {ID_TOOL_CAMERA, "tool-camera"},
    {ID_TOOL_TERRAIN, "tool-terrain"},
    {ID_TERRAIN_EDITOR, "terrain-editor"},
    {ID_CONFORM_TERRAIN, "conform-terrain"},
    {ID_RESTORE_TERRAIN, "restore-terrain"},
    {ID_3D_WIREFRAME, "wireframe"},
    {ID_LIGHTEN, "lighten"},
    {ID_DARKEN, "darken"},
    {ID_CAMERA_RESET, "camera-reset"},
    {ID_VIEW_BIRDS_EYE, "camera-views"},
    {ID_VIEW_LEFT_SIDE, "camera-views"},
    {ID_VIEW_RIGHT_SIDE, "camera-views"},
    {ID_VIEW_FRONT, "camera-views"},
    {ID_VIEW_BACK, "camera-views"},
    {ID_SAVE_3D_VIEW, "save-3d-view"},
    {ID_PRINT_3D_VIEW, "print-3d-view"},
    {ID_TOOL_RUN_TEST_TRAIN, "run-test-train"},
    {ID_STOP_TEST_TRAIN, "stop-test-train"},
    {ID_CAMERA_MOVE_FORWARD, "camera-moves"},
    {ID_CAMERA_MOVE_BACKWARD, "camera-moves"},
    {ID_CAMERA_TURN_LEFT, "camera-moves"},
    {ID_CAMERA_TURN_RIGHT, "camera-moves"},
    {ID_CAMERA_MOVE_UP, "camera-moves"},
    {ID_CAMERA_MOVE_DOWN, "camera-moves"},
    {ID_CAMERA_MOVE_LEFT, "camera-moves"},
    {ID_CAMERA_MOVE_RIGHT, "camera-moves"},
    {ID_CAMERA_LOOK_DOWN, "camera-moves"},
    {ID_CAMERA_LOOK_UP, "camera-moves"},
    {ID_CAMERA_TILT_LEFT, "camera-moves"},
    {ID_CAMERA_TILT_RIGHT, "camera-moves"},
    {ID_LAYERS, "layers"},
    {ID_CHOOSE_ACTIVE_LAYER, "layer-selector"},
    {ID_LIBRARY_GET_OBJECT, "get-object"},
    {ID_LIBRARY_PUT_SELECTION, "put-selection"},
    {ID_MATERIALS_REPORT, "materials-report"},
    {ID_PARTS_LIST, "parts-list"},
    {ID_WINDOW_NEW, "window-new"},
    {ID_WINDOW_CASCADE, "window-cascade"},
    {ID_WINDOW_TILE_HORZ, "window-tile"},
    {ID_WINDOW_ARRANGE, "window-arrange"},
    {ID_HELP_FINDER, "help-topics"},
    {ID_HELP, "help-topics"},
    {ID_CONTEXT_HELP, "context-help"},
    {ID_APP_ABOUT, "about"},
    {ID_APP_CREDITS, "credits"},
    {ID_NEXT_PANE, "keys"},
    {ID_PREV_PANE, "keys"},
};

constexpr HelpContext kDialogs[] = {
    {IDD_ABOUTBOX, "about"},
    {IDD_CREDITS, "credits"},
    {IDD_DOCUMENT_SETUP, "document-setup"},
    {IDD_METRIC_PAGE, "preferences-units"},
    {IDD_3D_VIEW_PAGE, "preferences-3d-view"},
    {IDD_TRAIN_PAGE, "preferences-trains"},
    {IDD_OTHER_PAGE, "preferences-other"},
    {IDD_DIRECTORY_PAGE, "preferences-folders"},
    {IDD_ROTATE_BY_DEGREES, "rotate-by-degrees"},
    {IDD_LAYER_PROPERTIES, "layers"},
    {IDD_TRACK_PROPERTIES, "track-properties"},
    {IDD_TRACK_MORE, "track-more"},
    {IDD_ELEVATIONS, "set-elevations"},
    {IDD_PARALLEL_TRACK, "parallel-track"},
    {IDD_TEXT_PROPERTIES, "text-properties"},
    {IDD_2D_PROPERTIES, "shape-properties"},
    {IDD_LINE1_PAGE, "shape-size-page"},
    {IDD_LINE_PAGE, "shape-line-page"},
    {IDD_FRAMES_PAGE, "shape-frames-page"},
    {IDD_FILL_PAGE, "shape-fill-page"},
    {IDD_GROUP_PROPERTIES, "group-properties"},
    {IDD_PATTERN_EDIT, "pattern-edit"},
    {IDD_FILE_PREVIEW, "file-preview"},
    {IDD_PICTURE_PROPERTIES, "picture-properties"},
    {IDD_3D_OBJECT_PROPERTIES, "object-3d-properties"},
    {IDD_3D_BITMAP_PROPERTIES, "bitmap-3d-properties"},
    {IDD_BENCHWORK_PAGE, "benchwork-properties"},
    {IDD_TERRAIN_EDITOR, "terrain-editor"},
    {IDD_TRAIN_PROPERTIES, "train-properties"},
    {IDD_WIZARD_STRAIGHT, "wizard-straight"},
    {IDD_WIZARD_CURVED, "wizard-curved"},
    {IDD_WIZARD_TURNOUT, "wizard-turnout"},
    {IDD_WIZARD_CURVED_TURNOUT, "wizard-curved-turnout"},
    {IDD_WIZARD_3WAY, "wizard-3way"},
    {IDD_WIZARD_CROSSING, "wizard-crossing"},
    {IDD_WIZARD_CROSSOVER, "wizard-crossover"},
    {IDD_WIZARD_SLIP_SWITCH, "wizard-slip-switch"},
    {IDD_WIZARD_TURNTABLE, "wizard-turntable"},
    {IDD_WIZARD_HELIX, "wizard-helix"},
    {IDD_WIZARD_SPIRAL, "wizard-spiral"},
    {IDD_LIBRARY, "library-dialog"},
    {IDD_LIBRARY_NOTICE, "library-notice"},
    {IDD_MATERIALS_REPORT, "materials-report"},
    {IDD_PARTS_LIST, "parts-list"},
    {IDD_EDIT_PARTS_LIST, "edit-parts-list"},
    // The windows the pointer can pick out under Shift+F1.
    {IDR_MAINFRAME, "main-window"},
};

CString TopicIn(std::span<const HelpContext> table, UINT id) {
    const auto found =
        std::find_if(table.begin(), table.end(), [id](const HelpContext& c) { return c.id == id; });
    return found == table.end() ? CString() : CString(found->topic);
}

bool IsRecentFileCommand(UINT id) {
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE16;
}

}  // namespace

std::span<const HelpContext> CommandHelpContexts() {
    return kCommands;
}

std::span<const HelpContext> DialogHelpContexts() {
    static const std::vector<HelpContext> dialogs = [] {
        std::vector<HelpContext> all(std::begin(kDialogs), std::end(kDialogs));
        all.push_back({ToolParametersTemplate().id, "tool-parameters"});
        return all;
    }();
    return dialogs;
}

CString HelpTopicOfContext(DWORD_PTR context) {
    if (context >= HID_BASE_RESOURCE)
        return TopicIn(DialogHelpContexts(), static_cast<UINT>(context - HID_BASE_RESOURCE));
    if (context < HID_BASE_COMMAND)
        return "";
    const UINT id = static_cast<UINT>(context - HID_BASE_COMMAND);
    if (IsRecentFileCommand(id) || (id >= ID_LAYER_SHOW_HIDE_0 && id <= ID_LAYER_SHOW_HIDE_7))
        return IsRecentFileCommand(id) ? "recent-files" : "layer-show-hide";
    return TopicIn(kCommands, id);
}
