#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/CGroup.h"
#include "platform/win/AfxIds.h"
#include "platform/win/WindowDCs.h"
#include "resources/RotateByDegreesTemplate.h"
#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"

// A few hundred gestures in the plan window, drawn from a fixed seed, then Undo until the
// undo list is empty: the layout is byte for byte the one it started from.

namespace {

constexpr int kGestures = 300;
constexpr int kFirstPieces = 12;
constexpr size_t kMostObjects = 150;
constexpr DWORD kClickPause = 1000;
constexpr int kSnapModes[] = {-1, 0, 2, 3};
constexpr UINT kDrawingTools[] = {ID_TOOL_STRAIGHT_TRACK, ID_TOOL_CURVE_TRACK, ID_TOOL_LINE, ID_TOOL_BOX};
constexpr UINT kSelectionCommands[] = {
    ID_EDIT_DELETE, ID_EDIT_DUPLICATE,    ID_EDIT_COPY,          ID_ROTATE_LEFT,      ID_ROTATE_RIGHT,
    ID_ROTATE_180,  ID_ROTATE_BY_DEGREES, ID_FLIP_2D_HORIZONTAL, ID_FLIP_2D_VERTICAL, ID_GROUP,
    ID_UNGROUP,     ID_EDIT_ENTER_GROUP,  ID_EDIT_EXIT_GROUP};

class RandomGestureUndo : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
    }
    CTool& Tool() { return layout->m_tool; }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    template <class T, size_t N>
    T Any(const T (&choices)[N]) {
        return choices[Between(0, static_cast<int>(N) - 1)];
    }
    CPoint AnyPoint() { return CPoint(Between(60, 700), Between(60, 500)); }
    void Drag(CPoint from, CPoint to) {
        // A press soon after the last one on the same spot would be a double click.
        host.AdvanceClock(kClickPause);
        host.DragClient(View(), from, to, 4);
        host.RunUntilIdle();
    }
    // The client point of the plan window over the middle of an object of the current group,
    // or any point when that lies outside the window: a press there would land on its frame.
    CPoint OnAnyObject() {
        const CPaintList& members = Tool().GetCurrentGroup()->m_members;
        if (members.empty())
            return AnyPoint();
        auto at = members.begin();
        std::advance(at, Between(0, static_cast<int>(members.size()) - 1));
        CClientDC dc(View());
        View()->OnPrepareDC(&dc);
        CPoint client = Tool().LayoutToDevice(((*at)->m_fMinX + (*at)->m_fMaxX) / 2.0,
                                              ((*at)->m_fMinY + (*at)->m_fMaxY) / 2.0, 0);
        dc.LPtoDP(&client);
        CRect inside;
        View()->GetClientRect(&inside);
        return inside.PtInRect(client) ? client : AnyPoint();
    }
    void Draw() {
        Command(Any(kDrawingTools));
        Drag(AnyPoint(), AnyPoint());
        Command(ID_TOOL_SELECTOR);
    }
    void DragSomething() {
        Tool().m_nSnapMode = Any(kSnapModes);
        const CPoint from = Between(0, 3) == 0 ? AnyPoint() : OnAnyObject();
        const CPoint to = Between(0, 3) == 0 ? from : from + CSize(Between(-80, 80), Between(-80, 80));
        if (Between(0, 4) == 0)
            host.KeyDown(VK_SHIFT);
        Drag(from, to);
        host.KeyUp(VK_SHIFT);
    }
    void AnswerRotateByDegrees() {
        const CString degrees = std::to_string(Between(-360, 360)).c_str();
        host.WhenModal("Rotate by degrees", [this, degrees](CWnd& dialog) {
            dialog.GetDlgItem(IDC_ROTATE_DEGREES)->SetWindowText(degrees);
            host.PressKey(VK_RETURN);
        });
    }
    bool AnyGroupSelected() {
        for (CPaint* member : Tool().GetCurrentGroup()->m_members)
            if (member->IsSelected() && dynamic_cast<CGroup*>(member) != nullptr)
                return true;
        return false;
    }
    void CommandOnSelection() {
        if (Tool().GetSelectedCount() == 0)
            return;
        const UINT command = Any(kSelectionCommands);
        // Ungroup or Edit Group without a group among the selection, and Exit Group with none
        // open, only say so in a message box.
        if ((command == ID_UNGROUP || command == ID_EDIT_ENTER_GROUP) && !AnyGroupSelected())
            return;
        if (command == ID_EDIT_EXIT_GROUP && Tool().GetGroupEditDepth() < 2)
            return;
        // Duplicating everything again and again would double the layout each time.
        const bool copies = command == ID_EDIT_DUPLICATE || command == ID_EDIT_COPY;
        if (copies && layout->m_rootGroup.m_members.size() > kMostObjects)
            return;
        if (command == ID_ROTATE_BY_DEGREES)
            AnswerRotateByDegrees();
        Command(command);
        if (command == ID_EDIT_COPY)
            Command(ID_EDIT_PASTE);
    }
    void AnyGesture() {
        switch (Between(0, 9)) {
            case 0:
            case 1:
                Draw();
                break;
            case 2:
            case 3:
            case 4:
            case 5:
                DragSomething();
                break;
            case 6:
            case 7:
                CommandOnSelection();
                break;
            default:
                Command(ID_EDIT_SELECT_ALL);
                break;
        }
    }

    std::mt19937 random;
    CCVNDoc* layout = nullptr;
};

class RandomGestureUndoOfSeed : public RandomGestureUndo, public testing::WithParamInterface<unsigned> {
  protected:
    void SetUp() override {
        RandomGestureUndo::SetUp();
        random.seed(GetParam());
    }
};

}  // namespace

TEST_P(RandomGestureUndoOfSeed, UndoingEveryStepGivesBackTheLayoutItStartedFrom) {
    const int snapMode = Tool().m_nSnapMode;
    // A layout with pieces in it: the undo list of the gestures begins above their making.
    for (int piece = 0; piece < kFirstPieces; ++piece) Draw();
    const int made = Tool().GetUndoCount();
    const std::vector<BYTE> start = Stored(*layout);
    for (int gesture = 0; gesture < kGestures; ++gesture) AnyGesture();
    EXPECT_GT(Tool().GetUndoCount(), made + kGestures);
    // Each Undo takes back one whole command: none reaches below the gestures.
    while (Tool().GetUndoCount() > made) Command(ID_EDIT_UNDO);
    EXPECT_EQ(Tool().GetUndoCount(), made);
    // The snap mode is a setting the layout keeps, which no Undo takes back.
    Tool().m_nSnapMode = snapMode;
    EXPECT_EQ(Stored(*layout), start);
}

// Seeds that have failed: on a line's or a straight's handle that drawing places anew, on a
// flip's stale handles in a group, on rounding in a moved, turned or refitted placement, on
// joints the connection pass of Undo made, and on a layout grown by Duplicate until the undo
// list overflowed.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomGestureUndoOfSeed, testing::Values(3u, 5u, 16u, 18u, 4711u));

TEST_F(RandomGestureUndo, OneUndoTakesBackADeleteOrAPasteOfSeveralObjects) {
    Command(ID_TOOL_LINE);
    for (int line = 0; line < 4; ++line) Drag(CPoint(100, 100 + 40 * line), CPoint(300, 120 + 40 * line));
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_COPY);
    // The two objects at the back, so that putting them back in front would show.
    Command(ID_EDIT_SELECT_ALL);
    const CPaintList members = layout->m_rootGroup.m_members;
    ASSERT_EQ(members.size(), 4u);
    for (CPaint* front : {members.front(), *std::next(members.begin())}) front->DeselectWithUndo(1, 1);
    ASSERT_EQ(Tool().GetSelectedCount(), 2);
    const std::vector<BYTE> before = Stored(*layout);
    const int steps = Tool().GetUndoCount();
    Command(ID_EDIT_DELETE);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Stored(*layout), before);
    EXPECT_EQ(Tool().GetUndoCount(), steps);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(layout->m_rootGroup.m_members.size(), 8u);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Stored(*layout), before);
    EXPECT_EQ(Tool().GetUndoCount(), steps);
}

TEST_F(RandomGestureUndo, UndoAfterDuplicatingOntoAnEarlierCopyKeepsTheJointsTheDuplicateLeft) {
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 300), CPoint(300, 300));
    Command(ID_TOOL_SELECTOR);
    // The second Duplicate lays a copy exactly over the first copy, end on end.
    std::vector<BYTE> once;
    for (int copies = 0; copies < 2; ++copies) {
        once = Stored(*layout);
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DUPLICATE);
    }
    const std::vector<BYTE> duplicated = Stored(*layout);
    const int steps = Tool().GetUndoCount();
    Command(ID_TOOL_LINE);
    Drag(CPoint(400, 100), CPoint(500, 150));
    Command(ID_TOOL_SELECTOR);
    while (Tool().GetUndoCount() > steps) Command(ID_EDIT_UNDO);
    EXPECT_EQ(Stored(*layout), duplicated);
    // Undoing the Duplicate and the Select All before it takes the joints back too.
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Stored(*layout), once);
}
