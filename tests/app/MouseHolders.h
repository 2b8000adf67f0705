#pragma once

#include <string>
#include <vector>

#include "resources/CommandIds.h"

// Every kind of window that holds the mouse until it is let go, as the cancel table walks them:
// where the table's test makes one, and how a person reaches one in the running program on a
// desktop, where the keyboard going to another program must cancel it the same way.
namespace mouse_holders {

// Where the cancel table's test makes the window.
enum class Where { kControlBox, kPlan, k3DView, kTerrainEditor };

// What of the running program's screen a press lands on.
enum class Spot {
    kUnreached,        // only a window of the test's own holds one
    kViewMiddle,       // the middle of the layout window's view
    kPlanScrollThumb,  // the thumb of the plan's vertical scroll bar
    kSelectorButton,   // the selector's button on the tool bar
    kPaletteArrow,     // the arrow beside the dimension line's button, which opens its palette
    kMenuBarTitle,     // the menu bar's first title
    kForwardButton,    // the camera tool bar's Move Forward
    kRedModel,         // the red model of the 3D object made first, in the 3D view
    kKnotBall,         // the red ball on the selected knot in the Terrain Editor's preview
};

// What the person makes in the plan once, before the holds of a holder.
enum class Made { kNothing, k3DObject, kTerrain };

// What the person makes first, once; then each time a command chosen from the menus (0: none) and
// key chords typed (X key names, a space between chords), then a press of the button at x, y from
// the spot, the key held with it, and a drag by dragX, dragY. With no button the keys start the
// hold, and once the keyboard is back the person goes on with a click and the keys of goOn. Some
// holds show nothing until they end, some leave nothing behind when they end; afterwards puts back
// what the holders after need.
struct DesktopReach {
    Spot spot = Spot::kUnreached;
    unsigned int command = 0;
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
};

struct MouseHolder {
    const char* name;
    Where where;
    DesktopReach desktop;
};

inline const std::vector<MouseHolder>& MouseHolders() {
    static const std::vector<MouseHolder> holders = {
        {"push button", Where::kControlBox, {}},
        {"edit", Where::kControlBox, {}},
        {"combo box", Where::kControlBox, {}},
        {"combo box's list scroll bar", Where::kControlBox, {}},
        {"list box", Where::kControlBox, {}},
        {"header divider", Where::kControlBox, {}},
        {"header item", Where::kControlBox, {}},
        {"list view", Where::kControlBox, {}},
        {"tree view", Where::kControlBox, {}},
        {"scroll bar arrow", Where::kControlBox, {}},
        {"scroll bar thumb", Where::kControlBox, {}},
        {"slider thumb", Where::kControlBox, {}},
        {"spin button", Where::kControlBox, {}},
        {"colour field", Where::kControlBox, {}},
        {"luminance bar", Where::kControlBox, {}},
        {"catalogue's sort chain", Where::kControlBox, {}},
        {"3D preview", Where::kControlBox, {}},
        {"submenu", Where::kControlBox, {}},
        {"window's close button", Where::kControlBox, {}},
        {"window's move", Where::kControlBox, {}},
        // A held arrow scrolls the plan to its end before the keyboard can leave.
        {"window's scroll arrow", Where::kControlBox, {}},
        // The plan's own scroll bar is one such window's.
        {"window's scroll thumb", Where::kControlBox, {.spot = Spot::kPlanScrollThumb, .dragY = 120}},
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
