#pragma once

#include <string>
#include <vector>

#include "platform/cdlg/CColorDialog.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"

// Every kind of window that holds the mouse until it is let go, as the cancel table walks them:
// where the table's test makes one, and how a person reaches one in the running program on a
// desktop, where the keyboard going to another program must cancel it the same way.
namespace mouse_holders {

// A combo box's arrow, and the right arrow of a scroll bar lying across, this far in from the
// control's right and below its top.
constexpr int kArrowInFromCorner = 6;

// Where the cancel table's test makes the window.
enum class Where { kControlBox, kPlan, k3DView, kTerrainEditor };

// What of the running program's screen a press lands on.
enum class Spot {
    kUnreached,        // only a window of the test's own holds one
    kViewMiddle,       // the middle of the layout window's view
    kPlanScrollThumb,  // the thumb of the plan's vertical scroll bar
    kPlanDownArrow,    // the down arrow of the plan's vertical scroll bar
    kSelectorButton,   // the selector's button on the tool bar
    kPaletteArrow,     // the arrow beside the dimension line's button, which opens its palette
    kMenuBarTitle,     // the menu bar's first title
    kForwardButton,    // the camera tool bar's Move Forward
    // A control of the dialog that the command opens: its middle, or its top left or top right corner.
    kControlMiddle,
    kControlTopLeft,
    kControlTopRight,
    kCloseButton,           // the close button on the caption of the dialog that the command opens
    kCaption,               // the middle of that dialog's caption
    kHeaderDivider,         // the first divider of the header of that dialog's list view, found on screen
    kControlThumb,          // the thumb of that dialog's scroll bar, found on screen
    kDroppedListDownArrow,  // the down arrow of the list that a click on the combo box's arrow drops
    kRedModel,              // the red model of the 3D object made first, in the 3D view
    kKnotBall,              // the red ball on the selected knot in the Terrain Editor's preview
};

// What the person makes in the plan once, before the holds of a holder.
enum class Made { kNothing, k3DObject, kTerrain };

// What the person makes first, once; then each time key chords typed (X key names, a space between
// chords), a command chosen from the menus (0: none), a drag across the view's middle where the
// command chose a tool that opens its dialog so, the dialog's buttons of these captions (a bar
// between them) pushed in turn once it opens, each in the dialog with the keyboard then, and more
// key chords; then a press of the button at x, y from the spot, the key held with it, and a drag by
// dragX, dragY. With no button the keys start the hold, and once the keyboard is back the person
// goes on with a click and the keys of goOn. Some holds show nothing until they end, some leave
// nothing behind when they end; afterwards puts back what the holders after need. A press in a
// dialog lands on its template's first control of the window class whose styles under kindMask are
// kind, and of controlId where it is not 0.
struct DesktopReach {
    Spot spot = Spot::kUnreached;
    const char* opening = nullptr;
    unsigned int command = 0;
    bool dragOpens = false;
    const char* pushed = nullptr;
    const char* keys = nullptr;
    int x = 0;
    int y = 0;
    int dragX = 0;
    int dragY = 0;
    const char* key = nullptr;
    unsigned int button = 1;
    bool letGoWherePressed = false;
    bool shown = true;
    bool leavesNothing = false;
    const char* goOn = nullptr;
    const char* afterwards = nullptr;
    Made made = Made::kNothing;
    const char* control = nullptr;
    DWORD kind = 0;
    DWORD kindMask = 0;
    unsigned int controlId = 0;
};

struct MouseHolder {
    const char* name;
    Where where;
    DesktopReach desktop;
};

// A test train's colour button, then the colour dialog's editor.
inline constexpr const char* kTrainColourEditor = "Train color|&Define Custom Colors >>";

// Normal Zoom, whose page fits the window unscrolled, then Zoom In about the page's middle up to
// the closest zoom, all by their keys.
inline constexpr const char* kBackToTheClosestZoom =
    "ctrl+Home ctrl+Prior ctrl+Prior ctrl+Prior ctrl+Prior ctrl+Prior";

inline const std::vector<MouseHolder>& MouseHolders() {
    static const std::vector<MouseHolder> holders = {
        // Document setup's Cancel, let go over itself once the keyboard is back: the dialog stays.
        {"push button",
         Where::kControlBox,
         {.spot = Spot::kControlMiddle,
          .command = ID_DOCUMENT_SETUP,
          .letGoWherePressed = true,
          .control = WC_BUTTON,
          .kind = BS_PUSHBUTTON,
          .kindMask = BS_TYPEMASK}},
        // Its selection is let go after, so that the next press selects anew.
        {"edit",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_DOCUMENT_SETUP,
          .x = 3,
          .y = 6,
          .dragX = 20,
          .afterwards = "End",
          .control = WC_EDIT}},
        // A press on its arrow drops its list.
        {"combo box",
         Where::kControlBox,
         {.spot = Spot::kControlTopRight,
          .command = ID_DOCUMENT_SETUP,
          .x = -kArrowInFromCorner,
          .y = kArrowInFromCorner,
          .control = WC_COMBOBOX}},
        // Document setup's scales, their list scrolled down by its arrow, let go over it.
        {"combo box's list scroll bar",
         Where::kControlBox,
         {.spot = Spot::kDroppedListDownArrow,
          .command = ID_DOCUMENT_SETUP,
          .letGoWherePressed = true,
          .control = WC_COMBOBOX}},
        // The sizes of a new text's font, chosen down the list from its first; Home after chooses
        // the first again.
        {"list box",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_TOOL_TEXT,
          .dragOpens = true,
          .pushed = "Font...",
          .x = 10,
          .y = 5,
          .dragY = 40,
          .afterwards = "Home",
          .control = WC_LISTBOX,
          .controlId = lst3}},
        // The layers' list: its first column widened, its first header item pushed.
        {"header divider",
         Where::kControlBox,
         {.spot = Spot::kHeaderDivider, .command = ID_LAYERS, .dragX = 30, .control = WC_LISTVIEW}},
        // Let go over itself once the keyboard is back: no click comes of it.
        {"header item",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_LAYERS,
          .x = 30,
          .y = 10,
          .letGoWherePressed = true,
          .control = WC_LISTVIEW}},
        // The program's own list views show nothing of a hold: the layers' list holds no mouse, and
        // the reports' lists tell their dialogs only of the click that ends one.
        {"list view", Where::kControlBox, {}},
        // The materials report's sort order, its first key chosen; its last after.
        {"tree view",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_MATERIALS_REPORT,
          .x = 20,
          .y = 8,
          .afterwards = "End",
          .control = WC_TREEVIEW}},
        // A test train's speed counted up by its bar's right arrow, let go over it; Home after
        // starts the next hold from naught.
        {"scroll bar arrow",
         Where::kControlBox,
         {.spot = Spot::kControlTopRight,
          .command = ID_TOOL_RUN_TEST_TRAIN,
          .dragOpens = true,
          .x = -kArrowInFromCorner,
          .y = kArrowInFromCorner,
          .letGoWherePressed = true,
          .afterwards = "Home",
          .control = WC_SCROLLBAR}},
        {"scroll bar thumb",
         Where::kControlBox,
         {.spot = Spot::kControlThumb,
          .command = ID_TOOL_RUN_TEST_TRAIN,
          .dragOpens = true,
          .dragX = 40,
          .afterwards = "Home",
          .control = WC_SCROLLBAR}},
        // No window of the program holds a slider.
        {"slider thumb", Where::kControlBox, {}},
        // The print dialog's copies counted up by the spin's upper arrow, let go over it.
        {"spin button",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_FILE_PRINT,
          .x = 5,
          .y = 4,
          .letGoWherePressed = true,
          .control = UPDOWN_CLASS}},
        // A test train's colour picked in the colour dialog its properties open, its editor opened;
        // after, saturation or luminosity typed as naught, so that the next hold changes it again.
        {"colour field",
         Where::kControlBox,
         {.spot = Spot::kControlMiddle,
          .command = ID_TOOL_RUN_TEST_TRAIN,
          .dragOpens = true,
          .pushed = kTrainColourEditor,
          .dragX = 30,
          .dragY = 20,
          .afterwards = "alt+s 0",
          .control = WC_STATIC,
          .controlId = COLOR_RAINBOW}},
        {"luminance bar",
         Where::kControlBox,
         {.spot = Spot::kControlMiddle,
          .command = ID_TOOL_RUN_TEST_TRAIN,
          .dragOpens = true,
          .pushed = kTrainColourEditor,
          .dragY = 30,
          .afterwards = "alt+l 0",
          .control = WC_STATIC,
          .controlId = COLOR_LUMSCROLL}},
        // The report's second key dragged down the chain.
        {"catalogue's sort chain",
         Where::kControlBox,
         {.spot = Spot::kControlTopLeft,
          .command = ID_MATERIALS_REPORT,
          .x = 30,
          .y = 22,
          .dragY = 14,
          .control = WC_TREEVIEW}},
        // The model turned in the 3D object's properties, opened from the plan with the object
        // still selected since it was made; it spins until its orientation is to be adjusted.
        {"3D preview",
         Where::kControlBox,
         {.spot = Spot::kControlMiddle,
          .opening = "alt+w 1",
          .command = ID_EDIT_PROPERTIES,
          .pushed = "   Adjust orientation",
          .dragX = 40,
          .made = Made::k3DObject,
          .control = WC_STATIC,
          .kind = SS_BLACKFRAME,
          .kindMask = SS_TYPEMASK}},
        // The program's menus hold no submenus.
        {"submenu", Where::kControlBox, {}},
        // Document setup's, let go over itself once the keyboard is back: the dialog stays.
        {"window's close button",
         Where::kControlBox,
         {.spot = Spot::kCloseButton, .command = ID_DOCUMENT_SETUP, .letGoWherePressed = true}},
        {"window's move",
         Where::kControlBox,
         {.spot = Spot::kCaption, .command = ID_DOCUMENT_SETUP, .dragX = 30, .dragY = 20}},
        // The plan's own down arrow, held at the closest zoom and let go over it; after, Normal Zoom
        // and Zoom In up to the closest show the part of the plan shown before.
        {"window's scroll arrow",
         Where::kControlBox,
         {.spot = Spot::kPlanDownArrow, .letGoWherePressed = true, .afterwards = kBackToTheClosestZoom}},
        // The plan's own scroll bar is one such window's.
        {"window's scroll thumb",
         Where::kControlBox,
         {.spot = Spot::kPlanScrollThumb, .dragY = 120, .afterwards = kBackToTheClosestZoom}},
        // On the desktop, a straight track's drag.
        {"plan drag",
         Where::kPlan,
         {.spot = Spot::kViewMiddle, .command = ID_TOOL_STRAIGHT_TRACK, .dragX = 160, .dragY = 90}},
        {"selection band",
         Where::kPlan,
         {.spot = Spot::kViewMiddle,
          .command = ID_TOOL_SELECTOR,
          .x = 200,
          .y = -120,
          .dragX = -100,
          .dragY = 60}},
        // Let go over the button once the keyboard is back: no click comes of it.
        {"tool bar button",
         Where::kPlan,
         {.spot = Spot::kSelectorButton,
          .command = ID_TOOL_LINE,
          .letGoWherePressed = true,
          .leavesNothing = true}},
        {"tool bar's palette",
         Where::kPlan,
         {.spot = Spot::kPaletteArrow, .command = ID_TOOL_SELECTOR, .dragY = 40, .leavesNothing = true}},
        // A click after would ask for help on the plan.
        {"context help",
         Where::kPlan,
         {.spot = Spot::kViewMiddle, .keys = "shift+F1", .button = 0, .shown = false, .leavesNothing = true}},
        {"menu", Where::kPlan, {.spot = Spot::kMenuBarTitle, .dragY = 60, .leavesNothing = true}},
        // Its letter would open a menu.
        {"menu bar held by the keyboard",
         Where::kPlan,
         {.spot = Spot::kViewMiddle, .keys = "Alt_L", .button = 0, .leavesNothing = true, .goOn = "f"}},
        // The plan is restored to be moved, and an arrow would move it on; maximised again after.
        {"plan's system menu move by keys",
         Where::kPlan,
         {.spot = Spot::kViewMiddle,
          .keys = "alt+minus r alt+minus m Right Right",
          .button = 0,
          .goOn = "Right",
          .afterwards = "alt+minus x"}},
        {"3D drive",
         Where::k3DView,
         {.spot = Spot::kViewMiddle, .command = ID_SHOW_3D_VIEW, .dragX = 60, .dragY = -40}},
        {"3D camera lift",
         Where::k3DView,
         {.spot = Spot::kViewMiddle, .command = ID_CAMERA_RESET, .dragY = -60, .key = "shift"}},
        {"camera tool bar's held button",
         Where::k3DView,
         {.spot = Spot::kForwardButton, .command = ID_CAMERA_RESET}},
        // The right button lifts a 3D object, placed first with a model file of the person's own.
        {"3D object lift",
         Where::k3DView,
         {.spot = Spot::kRedModel,
          .command = ID_CAMERA_RESET,
          .dragY = -40,
          .button = 3,
          .made = Made::k3DObject}},
        // Ctrl and a press on the ball drag the knot of a terrain outlined first; Escape closes the
        // editor, and with it what the drag did.
        {"terrain preview",
         Where::kTerrainEditor,
         {.spot = Spot::kKnotBall,
          .command = ID_TERRAIN_EDITOR,
          .dragY = -60,
          .key = "ctrl",
          .afterwards = "Escape",
          .made = Made::kTerrain}},
    };
    return holders;
}

inline Where WhereOf(const std::string& name) {
    for (const MouseHolder& holder : MouseHolders())
        if (name == holder.name)
            return holder.where;
    return Where::kControlBox;
}

}  // namespace mouse_holders
