#include <gtest/gtest.h>

#include <vector>

#include "model/CCVNDoc.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "tests/model/LayoutBytes.h"

// Group, Ungroup, Edit Group, Lock and Unlock as the menus and keys reach them: through the
// main window's command routing to the plan window.

using GroupLockCommands = PlanInProgram;

TEST_F(GroupLockCommands, WithNothingSelectedTheyStayEnabledAndChangeNothing) {
    // A group of two straights, and a straight on its own; then a click on empty plan.
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 200), CPoint(250, 200));
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 260), CPoint(250, 260));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_GROUP);
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 330), CPoint(250, 330));
    Command(ID_TOOL_SELECTOR);
    Drag(CPoint(400, 420), CPoint(400, 420));
    CCVNDoc& layout = *ActiveLayout();
    ASSERT_EQ(layout.m_rootGroup.m_members.size(), 2u);
    ASSERT_EQ(layout.m_tool.GetSelectedCount(), 0);
    layout.SetModifiedFlag(FALSE);
    const std::vector<BYTE> before = SaveLayoutBytes(layout);
    const int steps = layout.m_tool.GetUndoCount();

    struct Case {
        UINT id;
        const char* message;  // null: none is shown
    };
    const Case cases[] = {{ID_GROUP, "No objects are selected"},
                          {ID_UNGROUP, "No groups are selected"},
                          {ID_EDIT_ENTER_GROUP, "No groups are selected"},
                          {ID_EDIT_LOCK, nullptr},
                          {ID_EDIT_UNLOCK, nullptr}};
    for (const Case& command : cases) {
        SCOPED_TRACE(command.id);
        EXPECT_TRUE(IsEnabled(command.id));
        const size_t shown = host.MessageBoxes().size();
        if (command.message != nullptr)
            host.AnswerMessageBox(IDOK);
        Command(command.id);
        ASSERT_EQ(host.MessageBoxes().size(), shown + (command.message != nullptr ? 1u : 0u));
        if (command.message != nullptr) {
            EXPECT_EQ(host.MessageBoxes().back().text, command.message);
        }
        EXPECT_EQ(layout.m_tool.GetUndoCount(), steps);
        EXPECT_EQ(layout.m_tool.GetGroupEditDepth(), 1);
        EXPECT_FALSE(layout.IsModified());
        EXPECT_EQ(SaveLayoutBytes(layout), before);
    }

    // With the lone straight selected, Lock locks it and one Undo gives the layout back.
    Drag(CPoint(175, 330), CPoint(175, 330));
    ASSERT_EQ(layout.m_tool.GetSelectedCount(), 1);
    CPaint* piece = layout.GetSelection().front();
    const std::vector<BYTE> selected = SaveLayoutBytes(layout);
    Command(ID_EDIT_LOCK);
    EXPECT_EQ(piece->m_bLocked, 1);
    EXPECT_NE(SaveLayoutBytes(layout), selected);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(piece->m_bLocked, 0);
    EXPECT_EQ(SaveLayoutBytes(layout), selected);
}
