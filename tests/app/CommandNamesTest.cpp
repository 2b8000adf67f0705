#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/win/AfxIds.h"
#include "platform/win/CMenu.h"
#include "resources/CommandTexts.h"
#include "resources/ProgramMenus.h"
#include "shell/CToolBarEx.h"
#include "tests/app/PlanInProgram.h"

namespace {

// A command as the user meets it: its menu entry (null where no menu offers it), the status-bar
// prompt (null where the text is the framework's own wording, which only has to be there) and
// its tool tip (null where the command has no button of its own).
struct Expected {
    UINT id;
    const char* menu;
    const char* prompt;
    const char* tip;
};

const Expected kExpected[] = {
    {ID_FILE_NEW, "&New...\tCtrl+N", nullptr, "New"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", nullptr, "Open"},
    {ID_FILE_CLOSE, "&Close", nullptr, nullptr},
    {ID_FILE_SAVE, "&Save\tCtrl+S", nullptr, "Save"},
    {ID_FILE_SAVE_AS, "Save &As...", nullptr, nullptr},
    {ID_DOCUMENT_SETUP, "Document Setup...", "Change Page Options", nullptr},
    {ID_PREFERENCES, "Preferences...", "Set Preferences", nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", nullptr, "Print"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", nullptr, "Print Preview"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", nullptr, nullptr},
    {ID_FILE_MRU_FILE1, "Recent File", nullptr, nullptr},
    {ID_APP_EXIT, "E&xit", nullptr, nullptr},

    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", nullptr, "Undo"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", nullptr, "Cut"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", nullptr, "Copy"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", nullptr, "Paste"},
    {ID_EDIT_DELETE, "&Delete\tDel", "Delete", nullptr},
    {ID_EDIT_DUPLICATE, "Duplicate", "Duplicate", nullptr},
    {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A", "Select All", nullptr},
    {ID_GROUP, "Group...\tCtrl+G", "Group", "Group"},
    {ID_UNGROUP, "Ungroup...\tCtrl+U", "Ungroup", "Ungroup"},
    {ID_EDIT_ENTER_GROUP, "Edit Group\tCtrl+E", "Edit Group", nullptr},
    {ID_EDIT_EXIT_GROUP, "Exit Edit Group\tCtrl+I", "Exit Edit Group", nullptr},
    {ID_EDIT_LOCK, "Lock", "Lock", nullptr},
    {ID_EDIT_UNLOCK, "Unlock", "Unlock", nullptr},
    {ID_BRING_TO_FRONT, "Bring to &Front", "Bring To Front", "Bring To Front"},
    {ID_SEND_TO_BACK, "Send to &Back", "Send To Back", "Send To Back"},
    {ID_ROTATE_LEFT, "Rotate Left (90)", "Rotate Left", "Rotate Left"},
    {ID_ROTATE_RIGHT, "Rotate Right (90)", "Rotate Right", "Rotate Right"},
    {ID_ROTATE_180, "Rotate (180)", "Rotate (180)", nullptr},
    {ID_ROTATE_BY_DEGREES, "Rotate By &Degrees", "Rotate By Degrees", nullptr},
    {ID_FLIP_2D_HORIZONTAL, "Flip 2D Horizontal\tCtrl+H", "Flip 2D Horizontal", "Flip 2D Horizontal"},
    {ID_FLIP_2D_VERTICAL, "Flip 2D Vertical\tCtrl+L", "Flip 2D Vertical", "Flip 2D Vertical"},
    {ID_EDIT_PROPERTIES, "Properties...", "Properties", nullptr},

    {ID_ZOOM_IN, "Zoom &In\tCtrl+PgUp", "Zoom In", nullptr},
    {ID_ZOOM_OUT, "Zoom &Out\tCtrl+PgDn", "Zoom Out", nullptr},
    {ID_ZOOM_FIT, "&Fit To Screen", "Fit To Screen", nullptr},
    {ID_ZOOM_NORMAL, "&Normal  Zoom\tCtrl+Home", "Normal  Zoom", nullptr},
    {ID_TOOL_ZOOM_IN, nullptr, "Zoom In", "Zoom In"},
    {ID_TOOL_ZOOM_OUT, nullptr, "Zoom Out", "Zoom Out"},
    {ID_SHOW_GRID, "&Grid", "Show Grid", "Show Grid"},
    {ID_TRACK_SNAP, "Track Snap", "Track Snap", "Track Snap"},
    {ID_SNAP_TO_GRID, "Snap To &Grid", "Snap To Grid", "Snap To Grid"},
    {ID_SNAP_TO_OBJECT_CORNERS, "Snap To &Object Corners", "Snap To Object Corners",
     "Snap To Object Corners"},
    {ID_TOOL_PARAMETERS, "&Tool Parameters", "Tool Parameters", nullptr},
    {ID_OBJECT_SIZES, "O&bject Sizes", "Object Sizes", nullptr},
    {ID_SHOW_3D_VIEW, "Show 3D View", "Show 3D View", "3D View"},
    {ID_OPEN_2D_VIEW, "Open &2D View", "Open Or Activate 2D View For The Active Document", nullptr},
    {ID_GET_LOST_OBJECTS, "Get Lost Objects", "Pick Lost Objects", nullptr},

    {ID_TOOL_SELECTOR, "&Selector", "Set Select Mode", "Select"},
    {ID_TOOL_ROTATE_AROUND_ORIGIN, "Rotate &Around Origin", "Rotate Around Origin", "Rotate Around Origin"},
    {ID_TOOL_SKETCH, "Sketch", "Draw Sketch", "Draw Sketch"},
    {ID_TOOL_LINE, "&Line", "Draw Line", "Draw Line"},
    {ID_TOOL_BOX, "&Box", "Draw Box", "Draw Box"},
    {ID_TOOL_ROUND_BOX, "Round Box", "Draw Round Box", "Draw Round Box"},
    {ID_TOOL_ARC, "&Arc", "Draw Arc", "Draw Arc"},
    {ID_TOOL_OVAL, "Oval", "Draw Circle", "Draw Circle"},
    {ID_TOOL_POLYGON, "Polygon", "Draw Polygon", "Draw Polygon"},
    {ID_TOOL_SPLINE, "Spline", "Draw Spline", "Draw Spline"},
    {ID_TOOL_TEXT, "Text", "Insert Text", "Draw Text"},
    {ID_TOOL_BITMAP_PICTURE, "2D Bitmap Picture", "Insert 2D Bitmap Picture", "Insert 2D Bitmap Picture"},
    {ID_TOOL_DIMENSION_LINE, "Draw Dimension Line", "Draw Dimension Line", "Draw Dimension Line"},
    {ID_TOOL_DIMENSION_ANGLE, "Draw Dimension Angle", "Draw Dimension Angle", "Draw Dimension Angle"},
    {ID_TOOL_MEASURE_LINE, "Measure Line", "Draw Measure Line", "Draw Measure Line"},
    {ID_TOOL_MEASURE_BOX, "Measure Box", "Draw Measure Box", "Draw Measure Box"},

    {ID_TOOL_STRAIGHT_TRACK, "Straight Track", "Straight Track", "Straight Track"},
    {ID_TOOL_CURVE_TRACK, "Curve Track", "Curve Track", "Curve Track"},
    {ID_TOOL_OVAL_TRACK, "Oval Track", "Oval Track", "Oval Track"},
    {ID_TOOL_SPLINE_TRACK, "Spline Track", "Spline Track", "Spline Track"},
    {ID_TRACK_WIZARD, "Track Wizard...", "Track Wizard", "Track Wizard"},
    {ID_SELECT_TRACK_CHAIN, "Select Track Cha&in", "Select Track Chain", "Select Track Chain"},
    {ID_CONNECT_USING_SPLINE, "Connect Using Spline", "Connect Using Spline", "Connect Using Spline"},
    {ID_CONNECT_USING_CURVE_STRAIGHT, "Connect Using Curve-Straight", "Connect Using Curve-Straight",
     "Connect Using Curve-Straight"},
    {ID_CUT_TRACK, "Cut Track", "Cut Track", "Cut Track"},
    {ID_CREATE_PARALLEL_TRACK, "Create Parallel Track", "Create Parallel Track", "Create Parallel Track"},
    {ID_SET_SELECTED_TRACK_ELEVATIONS, "Set Selected Track Elevations", "Set Selected Track Elevations",
     "Set Selected Track Elevations"},
    {ID_CHAIN_TRACK_ELEVATIONS, "Chain Track Elevations ", "Chain Track Elevations",
     "Chain Track Elevations"},
    {ID_CONFORM_TRACKS_TO_TERRAIN, "Conform tracks to terrain.", "Conform tracks to terrain.", nullptr},

    {ID_TOOL_3D_OBJECT, "3D Object", "Insert 3D Object", "Insert 3D Object"},
    {ID_TOOL_3D_BITMAP, "3D Bitmap", "Insert 3D Bitmap", "Insert 3D Bitmap"},
    {ID_TOOL_BENCHWORK, "Benchwork", "Insert Benchwork", "Insert Benchwork"},
    {ID_TOOL_CAMERA, "Set Camera &Position", "Set Camera Position", "Set Camera Position"},
    {ID_TOOL_TERRAIN, "Terrain", "Terrain", "Terrain"},
    {ID_TERRAIN_EDITOR, "Terrain Editor...", "Terrain Editor", nullptr},
    {ID_CONFORM_TERRAIN, "Conform Terrain To Objects\tCtrl+T",
     "Conform Terrain To Tracks And 3D Objects (Make Tunnels Etc.)", nullptr},
    {ID_RESTORE_TERRAIN, "Restore Terrain\tCtrl+R", "Cleat Terrain From Tunnels, Etc.", nullptr},
    {ID_3D_WIREFRAME, "Show 3D As Wireframe", "3D Wireframe", "3D Wireframe"},
    {ID_LIGHTEN, "Lighten", "Lighten", "Lighten"},
    {ID_DARKEN, "Darken", "Darken", "Darken"},
    {ID_CAMERA_RESET, "Reset Camera", "Reset Camera", "Reset Camera"},
    {ID_VIEW_BIRDS_EYE, "Bird-Eye View", "Bird-Eye View", "From Birds Eye View"},
    {ID_VIEW_LEFT_SIDE, "Left Side View", "Left Side View", "From Left Side View"},
    {ID_VIEW_RIGHT_SIDE, "Right Side View", "Right Side View", "From Right Side View"},
    {ID_VIEW_FRONT, "Front View", "Front View", "Front View"},
    {ID_VIEW_BACK, "Back View", "Back View", "Back View"},
    {ID_SAVE_3D_VIEW, "Save 3D View...", "Save 3D View", nullptr},
    {ID_PRINT_3D_VIEW, "Print 3D View", "Print 3D View", nullptr},
    {ID_TOOL_RUN_TEST_TRAIN, "&Run Test Train", "Run Test Train", "Run Test Train"},
    {ID_STOP_TEST_TRAIN, "St&op Test Train", "Stop Test Train", "Stop Test Train"},
    {ID_CAMERA_MOVE_FORWARD, nullptr, "Camera Move Forward", "Camera Move Forward"},
    {ID_CAMERA_MOVE_BACKWARD, nullptr, "Camera Move Backward", "Camera Move Backward"},
    {ID_CAMERA_TURN_LEFT, nullptr, "Camera Turn Left", "Camera Turn Left"},
    {ID_CAMERA_TURN_RIGHT, nullptr, "Camera Turn Right", "Camera Turn Right"},
    {ID_CAMERA_MOVE_UP, nullptr, "Camera Move Up", "Camera Move Up"},
    {ID_CAMERA_MOVE_DOWN, nullptr, "Camera Move Down", "Camera Move Down"},
    {ID_CAMERA_MOVE_LEFT, nullptr, "Camera Move Left", "Camera Move Left"},
    {ID_CAMERA_MOVE_RIGHT, nullptr, "Camera Move Right", "Camera Move Right"},
    {ID_CAMERA_LOOK_DOWN, nullptr, "Camera Tilt Forward", "Camera Look Down"},
    {ID_CAMERA_LOOK_UP, nullptr, "Camera Tilt Backward", "Camera Look Up"},
    {ID_CAMERA_TILT_LEFT, nullptr, "Camera Tilt Left", "Camera Tilt Left"},
    {ID_CAMERA_TILT_RIGHT, nullptr, "Camera Tilt Right", "Camera Tilt Right"},

    {ID_LAYERS, "&Layers...", "Layers", "Layers"},
    {ID_LAYER_SHOW_HIDE_0, "Show/Hide Layer 0", "Show/Hide Layer 0", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 1, "Show/Hide Layer 1", "Show/Hide Layer 1", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 2, "Show/Hide Layer 2", "Show/Hide Layer 2", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 3, "Show/Hide Layer 3", "Show/Hide Layer 3", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 4, "Show/Hide Layer 4", "Show/Hide Layer 4", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 5, "Show/Hide Layer 5", "Show/Hide Layer 5", nullptr},
    {ID_LAYER_SHOW_HIDE_0 + 6, "Show/Hide Layer 6", "Show/Hide Layer 6", nullptr},
    {ID_LAYER_SHOW_HIDE_7, "Show/Hide Layer 7", "Show/Hide Layer 7", nullptr},
    {ID_CHOOSE_ACTIVE_LAYER, nullptr, "Choose Active Layer", nullptr},

    {ID_LIBRARY_GET_OBJECT, "Get Object From Library...", "Get Object From Library",
     "Get Object From Library"},
    {ID_LIBRARY_PUT_SELECTION, "Put Selection Into Library", "Put Selection Into Library",
     "Put Selection Into Library"},
    {ID_MATERIALS_REPORT, "Create Materials Report", "Create Materials Report", "Create Materials Report"},
    {ID_PARTS_LIST, "Manufacturer Parts List", "Manufacturer Parts List", "Manufacturer Parts List"},

    {ID_WINDOW_NEW, "&New Window", nullptr, "2D View"},
    {ID_WINDOW_CASCADE, "&Cascade", nullptr, nullptr},
    {ID_WINDOW_TILE_HORZ, "&Tile", nullptr, nullptr},
    {ID_WINDOW_ARRANGE, "&Arrange Icons", nullptr, nullptr},

    {ID_HELP_FINDER, "&Help Topics", nullptr, nullptr},
    {ID_APP_ABOUT, "&About Corvane...", nullptr, nullptr},
    {ID_APP_CREDITS, "Credits...", "Credits", nullptr},
};

std::map<UINT, const Expected*> ExpectedById() {
    std::map<UINT, const Expected*> byId;
    for (const Expected& expected : kExpected) byId[expected.id] = &expected;
    return byId;
}

class CommandNames : public PlanInProgram {
  protected:
    // Every entry of the menu bar's popups, and its texts against the table; the ids seen.
    std::set<UINT> CheckEntries(const CMenu& bar, const char* which) {
        const std::map<UINT, const Expected*> byId = ExpectedById();
        std::set<UINT> seen;
        for (int title = 0; title < bar.GetMenuItemCount(); ++title) {
            const CMenu* popup = bar.GetSubMenu(title);
            for (int index = 0; index < popup->GetMenuItemCount(); ++index) {
                const UINT id = popup->GetMenuItemID(index);
                if (id == 0)
                    continue;
                seen.insert(id);
                CString text;
                popup->GetMenuString(index, text, MF_BYPOSITION);
                const auto found = byId.find(id);
                if (found == byId.end()) {
                    ADD_FAILURE() << which << ": an entry outside the table: " << id << " " << text.c_str();
                    continue;
                }
                EXPECT_EQ(std::string(text.c_str()), found->second->menu ? found->second->menu : "(no entry)")
                    << which << ", command " << id;
            }
        }
        return seen;
    }
    std::string StatusPromptOf(UINT id) {
        Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(id, 0));
        host.RunUntilIdle();
        const CString shown = Main().GetStatusBar().GetPaneText(0);
        Main().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF));
        return shown.c_str();
    }
    std::string TipOf(CToolBarEx& bar, int slot) {
        // Away from every bar first, so that each button's tip comes up after its own wait.
        host.MouseMove(CPoint(500, 500));
        host.AdvanceClock(1000);
        CRect item;
        bar.GetItemRect(slot, &item);
        CPoint centre(item.left + 11, item.top + 11);
        bar.ClientToScreen(&centre);
        host.MouseMove(centre);
        host.AdvanceClock(600);
        return bar.GetToolTips().ShownText().c_str();
    }
};

}  // namespace

TEST_F(CommandNames, MenusPromptsAndToolTipsAreTheCommandsOwnTexts) {
    // The layout window's menu bar, and the bar of the main window without a layout.
    const std::set<UINT> inLayoutMenu = CheckEntries(*Main().GetMenu(), "layout menu");
    for (const Expected& expected : kExpected)
        EXPECT_EQ(inLayoutMenu.count(expected.id) != 0, expected.menu != nullptr)
            << "command " << expected.id << " " << (expected.menu ? expected.menu : "");
    CheckEntries(*LoadMenuResource(IDR_MAINFRAME_MENU), "main menu");
    CheckEntries(*LoadMenuResource(IDR_CONTEXT_MENU), "context menu");
    // One text per command: a second row for an id would give its menu and its prompt two sources.
    std::set<UINT> rows;
    for (const CommandText& text : CommandTexts()) EXPECT_TRUE(rows.insert(text.id).second) << text.id;

    // The prompt in the status bar as an entry is selected.
    for (const Expected& expected : kExpected) {
        const std::string shown = StatusPromptOf(expected.id);
        if (expected.prompt != nullptr)
            EXPECT_EQ(shown, expected.prompt) << "command " << expected.id;
        else
            EXPECT_FALSE(shown.empty() || shown == "Ready") << "command " << expected.id << " has no prompt";
    }

    // The tool tip of every button of the three bars as the mouse rests on it; the camera bar
    // shows while a 3D window is active.
    const std::map<UINT, const Expected*> byId = ExpectedById();
    std::set<UINT> onBars;
    for (CToolBarEx* bar :
         {&Main().GetMainToolBar(), &Main().GetToolsToolBar(), &Main().GetCameraToolBar()}) {
        if (bar == &Main().GetCameraToolBar()) {
            Main().SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
            host.RunUntilIdle();
        }
        ASSERT_TRUE(bar->IsWindowVisible());
        for (int slot = 0; slot < bar->GetCount(); ++slot) {
            const UINT id = bar->GetItemID(slot);
            if (id == 0 || id == ID_CHOOSE_ACTIVE_LAYER)
                continue;
            onBars.insert(id);
            const auto found = byId.find(id);
            ASSERT_NE(found, byId.end()) << "a button outside the table: " << id;
            ASSERT_NE(found->second->tip, nullptr) << "command " << id;
            EXPECT_EQ(TipOf(*bar, slot), found->second->tip) << "command " << id;
        }
    }
    // The commands offered by the bars' drop-down palettes tell their tips the same way.
    for (const Expected& expected : kExpected)
        if (expected.tip != nullptr && onBars.count(expected.id) == 0) {
            CString prompt;
            prompt.LoadString(expected.id);
            EXPECT_EQ(std::string(prompt.Mid(prompt.Find('\n') + 1).c_str()), expected.tip)
                << "command " << expected.id;
        }
}

TEST_F(CommandNames, The3DMenuIsTitled3DViewInThePlanAndThe3DWindow) {
    auto titles = [&] {
        std::vector<std::string> shown;
        const CMenu& bar = *Main().GetMenu();
        for (int title = 0; title < bar.GetMenuItemCount(); ++title) {
            CString text;
            bar.GetMenuString(title, text, MF_BYPOSITION);
            shown.push_back(text.c_str());
        }
        return shown;
    };
    const std::vector<std::string> expected{"&File",    "&Edit",   "&View",    "&Draw",   "&Track",
                                            "&3D View", "&Layers", "L&ibrary", "&Window", "&Help"};
    EXPECT_EQ(titles(), expected);
    Main().SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
    host.RunUntilIdle();
    ASSERT_NE(ActiveLayout(), nullptr);
    ASSERT_EQ(std::string(Main().MDIGetActive()->GetClassName()), "C3DChildFrame");
    EXPECT_EQ(titles(), expected);
}
