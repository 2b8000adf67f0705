#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/app/PlanInProgram.h"

namespace {

using Ids = std::set<UINT>;

Ids operator+(Ids a, const Ids& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// Greyed while nothing is selected: they act on the selection.
const Ids kActOnTheSelection{ID_EDIT_CUT,           ID_EDIT_COPY,
                             ID_EDIT_DELETE,        ID_EDIT_DUPLICATE,
                             ID_BRING_TO_FRONT,     ID_SEND_TO_BACK,
                             ID_ROTATE_LEFT,        ID_ROTATE_RIGHT,
                             ID_ROTATE_180,         ID_ROTATE_BY_DEGREES,
                             ID_FLIP_2D_HORIZONTAL, ID_FLIP_2D_VERTICAL,
                             ID_EDIT_PROPERTIES,    ID_CONFORM_TRACKS_TO_TERRAIN};

// Greyed without a 3D window: they act on its camera, light or picture.
const Ids kActOnThe3DWindow{ID_LIGHTEN,        ID_DARKEN,          ID_CAMERA_RESET, ID_VIEW_BIRDS_EYE,
                            ID_VIEW_LEFT_SIDE, ID_VIEW_RIGHT_SIDE, ID_VIEW_FRONT,   ID_VIEW_BACK,
                            ID_SAVE_3D_VIEW,   ID_PRINT_3D_VIEW};

// Greyed while a 3D window is active: the plan window's own commands.
const Ids kPlanWindowCommands{ID_FILE_PRINT,
                              ID_FILE_PRINT_PREVIEW,
                              ID_EDIT_UNDO,
                              ID_EDIT_CUT,
                              ID_EDIT_COPY,
                              ID_EDIT_PASTE,
                              ID_EDIT_DELETE,
                              ID_EDIT_DUPLICATE,
                              ID_EDIT_SELECT_ALL,
                              ID_GROUP,
                              ID_UNGROUP,
                              ID_EDIT_ENTER_GROUP,
                              ID_EDIT_EXIT_GROUP,
                              ID_EDIT_LOCK,
                              ID_EDIT_UNLOCK,
                              ID_BRING_TO_FRONT,
                              ID_SEND_TO_BACK,
                              ID_ROTATE_LEFT,
                              ID_ROTATE_RIGHT,
                              ID_ROTATE_180,
                              ID_ROTATE_BY_DEGREES,
                              ID_FLIP_2D_HORIZONTAL,
                              ID_FLIP_2D_VERTICAL,
                              ID_EDIT_PROPERTIES,
                              ID_ZOOM_IN,
                              ID_ZOOM_OUT,
                              ID_ZOOM_FIT,
                              ID_ZOOM_NORMAL,
                              ID_SHOW_GRID,
                              ID_TRACK_SNAP,
                              ID_SNAP_TO_GRID,
                              ID_SNAP_TO_OBJECT_CORNERS,
                              ID_SELECT_TRACK_CHAIN,
                              ID_CONNECT_USING_SPLINE,
                              ID_CONNECT_USING_CURVE_STRAIGHT,
                              ID_CUT_TRACK,
                              ID_CREATE_PARALLEL_TRACK,
                              ID_SET_SELECTED_TRACK_ELEVATIONS,
                              ID_CHAIN_TRACK_ELEVATIONS,
                              ID_TOOL_TERRAIN,
                              ID_TERRAIN_EDITOR,
                              ID_STOP_TEST_TRAIN,
                              ID_LAYERS};

// Each greyed for a state of its own: no recent file yet, nothing on the clipboard, the plan
// already at normal zoom, no track piece selected, no terrain selected, nothing done yet, the
// light already at its brightest.
const Ids kNoRecentFile{ID_FILE_MRU_FILE1};
const Ids kEmptyClipboard{ID_EDIT_PASTE};
const Ids kAtNormalZoom{ID_ZOOM_NORMAL};
const Ids kNoTrackSelected{ID_SET_SELECTED_TRACK_ELEVATIONS};
const Ids kNoTerrainSelected{ID_TERRAIN_EDITOR};
const Ids kNothingToUndo{ID_EDIT_UNDO};
const Ids kLightAtFull{ID_LIGHTEN};
// Without a layout the tool parameters have nothing to set.
const Ids kNoLayout{ID_TOOL_PARAMETERS};

class MenuStates : public PlanInProgram {
  protected:
    // Walks every entry of the menu bar shown now: greyed exactly when it is one of greyed.
    void ExpectGreyedExactly(const Ids& greyed, const char* state) {
        const CMenu& bar = *Main().GetMenu();
        int walked = 0;
        for (int title = 0; title < bar.GetMenuItemCount(); ++title) {
            const CMenu* popup = bar.GetSubMenu(title);
            for (int index = 0; index < popup->GetMenuItemCount(); ++index) {
                const UINT id = popup->GetMenuItemID(index);
                if (id == 0)
                    continue;
                ++walked;
                CString text;
                popup->GetMenuString(index, text, MF_BYPOSITION);
                EXPECT_EQ(IsEnabled(id), greyed.count(id) == 0)
                    << state << ": \"" << text.c_str() << "\" (" << id << ")";
            }
        }
        EXPECT_GT(walked, 5) << state;
    }
};

}  // namespace

TEST_F(MenuStates, NoEntryIsGreyedButForItsRule) {
    ExpectGreyedExactly(kActOnTheSelection + kActOnThe3DWindow + kNoRecentFile + kEmptyClipboard +
                            kAtNormalZoom + kNoTrackSelected + kNoTerrainSelected + kNothingToUndo,
                        "a new layout, nothing selected");

    DrawLine();
    Main().SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    host.RunUntilIdle();
    ExpectGreyedExactly(kActOnThe3DWindow + kNoRecentFile + kEmptyClipboard + kAtNormalZoom +
                            kNoTrackSelected + kNoTerrainSelected,
                        "a line drawn and selected");

    Main().SendMessage(WM_COMMAND, ID_SHOW_3D_VIEW);
    host.RunUntilIdle();
    ASSERT_EQ(std::string(Main().MDIGetActive()->GetClassName()), "C3DChildFrame");
    ExpectGreyedExactly(kPlanWindowCommands + kNoRecentFile + kLightAtFull, "the 3D window active");

    // No layout open: the main window's own menu.
    for (CDocTemplate* docTemplate : app.Templates())
        for (CDocument* document : docTemplate->Documents()) document->SetModifiedFlag(FALSE);
    Main().SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    host.RunUntilIdle();
    ASSERT_EQ(Main().MDIGetActive(), nullptr);
    ExpectGreyedExactly(kNoRecentFile + kNoLayout, "no layout open");
}

// A group entered after Select All (the group and a line beside it) leaves nothing selected,
// inside it or out: what acts on the selection is greyed until a member is selected, and Undo
// gives back the selection the group was entered from.
TEST_F(MenuStates, WhatActsOnTheSelectionIsGreyedInAGroupEnteredWithNothingSelectedInIt) {
    DrawLine();
    DrawLine(CPoint(120, 300), CPoint(260, 340));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    DrawLine(CPoint(120, 400), CPoint(260, 440));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    const CPaintList outside = ActiveLayout()->GetSelection();
    Command(ID_EDIT_ENTER_GROUP);
    ASSERT_EQ(ActiveLayout()->m_tool.GetGroupEditDepth(), 2);
    // The line left outside is no longer selected: a turn or a delete would act on it unseen.
    for (UINT command : kActOnTheSelection) EXPECT_FALSE(IsEnabled(command)) << command;
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(IsEnabled(ID_EDIT_PROPERTIES));
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(ActiveLayout()->m_tool.GetGroupEditDepth(), 1);
    EXPECT_TRUE(ActiveLayout()->GetSelection() == outside);
}
