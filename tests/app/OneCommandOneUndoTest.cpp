#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/win/CCmdTarget.h"
#include "resources/CommandIds.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/support/DialogInput.h"

// Every command of the plan window, given after another command and with groups, nested groups
// and a mix selected, inside an edited group too: one Undo takes back exactly that command, the
// layout's bytes and the selection as they were before it, and giving the command again makes
// the same bytes it made the first time.

namespace {

// The commands a class's own table holds, Undo left out.
template <class Target>
struct OwnCommands : Target {
    static std::vector<UINT> All() {
        std::vector<UINT> ids;
        for (const CommandEntry* entry = Target::GetThisCommandMap()->entries;
             entry->kind != CommandEntry::End; ++entry)
            if (entry->kind == CommandEntry::Command && entry->firstId != ID_EDIT_UNDO)
                for (UINT id = entry->firstId; id <= entry->lastId; ++id) ids.push_back(id);
        return ids;
    }
};

// The plan window's commands and the layout's own.
std::vector<UINT> PlanCommands() {
    std::vector<UINT> ids = OwnCommands<CCVNView>::All();
    std::ranges::copy(OwnCommands<CCVNDoc>::All(), std::back_inserter(ids));
    return ids;
}

class OneCommandOneUndo : public LayoutInProgram {
  protected:
    CTool& Tool() { return layout->m_tool; }
    CPaintList Selection() { return layout->GetSelection(); }
    // What a save writes, the tool in hand left out: a command that takes up a tool keeps it.
    std::vector<BYTE> Bytes() {
        const int tool = std::exchange(Tool().m_toolMode.m_nMode, kToolSelector);
        std::vector<BYTE> bytes = Stored(*layout);
        Tool().m_toolMode.m_nMode = tool;
        return bytes;
    }
    void Choose(const std::vector<CPaint*>& objects) {
        Tool().DeselectAll(0, 0);
        for (CPaint* object : objects) object->SelectWithUndo(0, 0);
    }
    // A dialog the command opens is confirmed with a note typed where it takes one, and what it
    // opens in turn as it stands; printing and a dialog Return leaves open are cancelled.
    void Give(UINT command) {
        for (int dialogs = 0; dialogs < 3; ++dialogs)
            host.WhenModal("", [this](CWnd& dialog) {
                if (CWnd* note = dialog.GetDlgItem(IDC_PROPERTIES_NOTE))
                    DialogInput::Retype(host, note, "Noted by the walk");
                CString caption;
                dialog.GetWindowText(caption);
                host.PressKey(caption.Find("Print") >= 0 ? VK_ESCAPE : VK_RETURN);
                if (IsWindow(&dialog) && dialog.InModalLoop())
                    dialog.EndModalLoop(IDCANCEL);
            });
        Command(command);
        host.ForgetModalActions();
        EXPECT_TRUE(host.UnansweredModals().empty()) << command;
    }
    CPaint* Grouped(const std::vector<CPaint*>& objects) {
        Choose(objects);
        Command(ID_GROUP);
        return Selection().front();
    }
    // Eight boxes side by side: two grouped, two grouped inside a group with two more, two alone.
    // A ninth lies off the page.
    void Build() {
        Command(ID_TOOL_BOX);
        for (int box = 0; box < 8; ++box) Drag(CPoint(60 + 90 * box, 200), CPoint(120 + 90 * box, 260));
        Command(ID_TOOL_SELECTOR);
        std::vector<CPaint*> boxes(layout->m_rootGroup.m_members.begin(),
                                   layout->m_rootGroup.m_members.end());
        ASSERT_EQ(boxes.size(), 8u);
        std::ranges::sort(boxes, {}, [](CPaint* box) { return box->m_fMinX; });
        pair = Grouped({boxes[0], boxes[1]});
        inner = Grouped({boxes[2], boxes[3]});
        nested = Grouped({inner, boxes[4], boxes[5]});
        box = boxes[4];
        loose = boxes[6];
        earlier = boxes[7];
        // A ninth box lies wholly off the page, for Get Lost Objects to bring back.
        Command(ID_TOOL_BOX);
        Drag(CPoint(60, 300), CPoint(120, 360));
        Command(ID_TOOL_SELECTOR);
        Choose({layout->m_rootGroup.m_members.front()});
        Tool().MoveSelection(-100000.0, 0.0, 0, 0, 0);
    }
    CPaint* pair = nullptr;
    CPaint* inner = nullptr;
    CPaint* nested = nullptr;
    CPaint* box = nullptr;
    CPaint* loose = nullptr;
    CPaint* earlier = nullptr;
};

}  // namespace

TEST_F(OneCommandOneUndo, EveryCommandIsTakenBackByOneUndoWithItsSelection) {
    ASSERT_NO_FATAL_FAILURE(Build());
    const int start = Tool().GetUndoCount();
    struct Case {
        const char* name;
        bool insideGroup;
        std::vector<CPaint*> selected;
    };
    const std::vector<Case> cases = {{"a group first", false, {pair, loose}},
                                     {"only groups", false, {pair, nested}},
                                     {"nested groups", false, {nested}},
                                     {"a mix", false, {loose, nested, pair}},
                                     {"inside an edited group", true, {inner, box}},
                                     {"a box inside an edited group", true, {box}}};
    int taken = 0;
    for (const Case& selection : cases)
        for (const UINT command : PlanCommands()) {
            SCOPED_TRACE(testing::Message() << selection.name << ", command " << command);
            // An earlier command the Undo must leave alone.
            Choose({earlier});
            Command(ID_EDIT_DELETE);
            if (selection.insideGroup) {
                Choose({nested});
                Command(ID_EDIT_ENTER_GROUP);
            }
            Choose(selection.selected);
            const std::vector<BYTE> before = Bytes();
            const CPaintList chosen = Selection();
            const int steps = Tool().GetUndoCount();
            Give(command);
            if (Tool().GetUndoCount() != steps) {
                ++taken;
                const std::vector<BYTE> after = Bytes();
                Command(ID_EDIT_UNDO);
                EXPECT_EQ(Tool().GetUndoCount(), steps);
                EXPECT_TRUE(Bytes() == before);
                EXPECT_TRUE(Selection() == chosen);
                Give(command);
                EXPECT_TRUE(Bytes() == after);
            }
            while (Tool().GetUndoCount() > start) Command(ID_EDIT_UNDO);
            Command(ID_TOOL_SELECTOR);
        }
    // Duplicate, Cut, Delete, the groupings, locks, turns, flips, order and group edits recorded.
    EXPECT_GE(taken, 6 * 10);
}
