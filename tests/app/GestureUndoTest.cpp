#include <cmath>
#include <functional>
#include <vector>

#include "model/CEditStep.h"
#include "platform/win/AfxIds.h"
#include "platform/win/WindowDCs.h"
#include "resources/RotateByDegreesTemplate.h"
#include "shell/CCVNView.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"

// One Ctrl+Z after any gesture in the plan window puts the layout back byte for byte, however
// the gesture snapped: onto the grid, onto corners or onto a track end, with or without a turn.

namespace {

// The pages before the spiral's: a press anywhere on the spiral grabs one of its handles.
constexpr int kWizardPagesBeforeSpiral = 10;

class GestureUndo : public WizardInProgram {
  protected:
    void SetUp() override {
        WizardInProgram::SetUp();
        // Any point lies within snap distance of a grid point (the grid is 1270 wide).
        layout->m_tool.m_fSnapDistance = 1000.0;
    }
    CPaint* Draw(UINT tool, CPoint from, CPoint to) {
        Command(tool);
        Drag(from, to);
        Command(ID_TOOL_SELECTOR);
        return Newest();
    }
    CPaint* PlaceFromWizard(int page) {
        RunWizard([&](CSheetWizard& sheet) {
            sheet.SetActivePage(page);
            sheet.PressButton(PSBTN_OK);
        });
        return Newest();
    }
    // A group of a straight and a line.
    CPaint* DrawGroup() {
        Draw(ID_TOOL_STRAIGHT_TRACK, CPoint(300, 400), CPoint(400, 400));
        Draw(ID_TOOL_LINE, CPoint(300, 430), CPoint(400, 450));
        host.KeyDown(VK_SHIFT);
        Drag(CPoint(350, 400), CPoint(350, 400));
        host.KeyUp(VK_SHIFT);
        EXPECT_EQ(layout->m_tool.GetSelectedCount(), 2);
        Command(ID_GROUP);
        return Newest();
    }
    // A group of a wizard curve, a wizard turnout and a straight.
    CPaint* DrawGroupOfWizardPieces() {
        PlaceFromWizard(kCurvedPage);
        PlaceFromWizard(kTurnoutPage);
        Draw(ID_TOOL_STRAIGHT_TRACK, CPoint(100, 150), CPoint(200, 130));
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_GROUP);
        return Newest();
    }
    void DeleteAll() {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
    }
    // Turns the selection with the Rotate by Degrees dialog.
    void RotateBy(const char* degrees) {
        host.WhenModal("Rotate by degrees", [&](CWnd& dialog) {
            dialog.GetDlgItem(IDC_ROTATE_DEGREES)->SetWindowText(degrees);
            host.PressKey(VK_RETURN);
        });
        Command(ID_ROTATE_BY_DEGREES);
    }
    // An object the tests make afresh for each case, named for the trace.
    struct MadeObject {
        const char* name;
        std::function<CPaint*()> make;
    };
    MadeObject AStraight() {
        return {"straight",
                [this] { return Draw(ID_TOOL_STRAIGHT_TRACK, CPoint(300, 400), CPoint(400, 380)); }};
    }
    MadeObject ACurve() {
        return {"curve", [this] { return PlaceFromWizard(kCurvedPage); }};
    }
    MadeObject ABox() {
        return {"box", [this] { return Draw(ID_TOOL_BOX, CPoint(300, 300), CPoint(410, 370)); }};
    }
    MadeObject AGroupOfWizardPieces() {
        return {"group of wizard pieces", [this] { return DrawGroupOfWizardPieces(); }};
    }
    // A point half way along a track piece, away from the markers of its joined ends.
    CPoint ClientOn(CParTrack* piece) {
        if (auto* curve = dynamic_cast<CCircTrack*>(piece)) {
            const double middle = curve->m_fStartAngle + curve->m_fSweep / 2.0;
            return ClientAt(curve->LocalToWorld(curve->m_ptCentre.x + curve->m_fRadius * std::cos(middle),
                                                curve->m_ptCentre.y + curve->m_fRadius * std::sin(middle)));
        }
        const CDoublePoint a = WorldEnd(piece, 0);
        const CDoublePoint b = WorldEnd(piece, 1);
        return ClientAt({(a.x + b.x) / 2.0, (a.y + b.y) / 2.0});
    }
    // A press at the pivot, a move out by `reference` and on round to `to` from the pivot,
    // and the release there.
    void TurnAbout(CPoint pivot, CSize reference, CSize to) {
        host.AdvanceClock(kClickPause);
        CPoint screen = pivot;
        View()->ClientToScreen(&screen);
        host.MouseDown(screen);
        host.MouseMove(screen + reference);
        host.MouseMove(screen + CSize((reference.cx + to.cx) / 2, (reference.cy + to.cy) / 2));
        host.MouseMove(screen + to);
        host.MouseUp(screen + to);
        host.RunUntilIdle();
    }
    // The piece itself, or the first track piece of a group.
    static CParTrack* TrackOf(CPaint* object) {
        if (auto* piece = dynamic_cast<CParTrack*>(object))
            return piece;
        for (CPaint* member : Members(object).m_members)
            if (auto* piece = dynamic_cast<CParTrack*>(member))
                return piece;
        return nullptr;
    }
    // Runs the gesture and checks that it changed the layout and that one Ctrl+Z takes back
    // exactly that change.
    template <class Gesture>
    void ExpectOneUndoTakesBack(const char* what, Gesture gesture) {
        SCOPED_TRACE(what);
        const std::vector<BYTE> before = Stored(*layout);
        gesture();
        EXPECT_NE(Stored(*layout), before);
        Command(ID_EDIT_UNDO);
        ASSERT_EQ(Stored(*layout), before);
    }
    // The object, grabbed at `grab`, dragged so that the end of `piece` lands on `joint`, give or
    // take a pixel.
    void DragEndOnto(CPoint grab, CParTrack* piece, int end, const CDoublePoint& joint) {
        const CPoint to = ClientAt(joint);
        const CPoint from = ClientAt(WorldEnd(piece, end));
        Drag(grab, CPoint(grab.x + to.x - from.x + 1, grab.y + to.y - from.y + 1));
    }
    // The drags of the selector on a selected object, in every snap mode.
    void ExpectEachGestureUndoneAlone(CPaint* object) {
        CParTrack* piece = TrackOf(object);
        ASSERT_NE(piece, nullptr);
        ASSERT_TRUE(object->IsSelected());
        Command(ID_TOOL_SELECTOR);
        // Just made: the nudge's snap must not join the making of the object.
        layout->m_tool.m_nSnapMode = kGridSnap;
        ExpectOneUndoTakesBack("nudge onto the grid",
                               [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(1, 0)); });
        ASSERT_FALSE(HasFatalFailure());
        layout->m_tool.m_nSnapMode = kSnapOff;
        ExpectOneUndoTakesBack("plain drag", [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(37, 23)); });
        ASSERT_FALSE(HasFatalFailure());
        layout->m_tool.m_nSnapMode = kGridSnap;
        ExpectOneUndoTakesBack("drag onto the grid",
                               [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(31, 17)); });
        ASSERT_FALSE(HasFatalFailure());
        layout->m_tool.m_nSnapMode = kCornerSnap;
        ExpectOneUndoTakesBack("drag onto a corner", [&] { DragEndOnto(ClientOn(piece), piece, 0, anchor); });
        ASSERT_FALSE(HasFatalFailure());
        ExpectTrackSnapUndoneAlone("snap onto a track end in line", object, piece, 0.0);
        ASSERT_FALSE(HasFatalFailure());
        ExpectTrackSnapUndoneAlone("snap onto a track end with a turn", object, piece, kPi / 3.0);
    }
    // A straight whose free end lies beside the piece's begin end, leaving it at `bend` from the
    // line the piece's end continues: the piece, dragged onto it, turns by `bend` to join it.
    CParTrack* DrawPartner(CParTrack* piece, double bend) {
        const CDoublePoint end = WorldEnd(piece, 0);
        const double away = piece->GetEndAngle(nullptr, 0) + kPi + bend;
        const CDoublePoint free{end.x - 600.0, end.y + 900.0};
        const CDoublePoint far{free.x + 1500.0 * std::cos(away), free.y + 1500.0 * std::sin(away)};
        layout->m_tool.m_nSnapMode = kSnapOff;
        return dynamic_cast<CParTrack*>(Draw(ID_TOOL_STRAIGHT_TRACK, ClientAt(free), ClientAt(far)));
    }
    // The object dragged by its piece so that the piece's begin end snaps onto a partner's
    // free end: one Undo takes back the move, the turn and the joint, markers included.
    void ExpectTrackSnapUndoneAlone(const char* what, CPaint* object, CParTrack* piece, double bend) {
        SCOPED_TRACE(what);
        CParTrack* partner = DrawPartner(piece, bend);
        ASSERT_NE(partner, nullptr);
        Drag(ClientOn(piece), ClientOn(piece));
        ASSERT_TRUE(object->IsSelected());
        layout->m_tool.m_nSnapMode = kTrackSnap;
        layout->m_tool.m_fSnapDistance = 300.0;
        ExpectOneUndoTakesBack("drag", [&] {
            DragEndOnto(ClientOn(piece), piece, 0, WorldEnd(partner, 0));
            EXPECT_NEAR(std::remainder(layout->m_tool.m_fSnapAngle - bend, kFullTurn), 0.0, 0.05);
            const CDoublePoint end = WorldEnd(piece, 0);
            const CDoublePoint joint = WorldEnd(partner, 0);
            EXPECT_LT(std::hypot(end.x - joint.x, end.y - joint.y), 1.0);
        });
        layout->m_tool.m_fSnapDistance = 1000.0;
        layout->m_tool.m_nSnapMode = kSnapOff;
        Drag(ClientOn(partner), ClientOn(partner));
        Command(ID_EDIT_DELETE);
    }

    static constexpr int kTrackSnap = 0;
    static constexpr int kGridSnap = 2;
    static constexpr int kCornerSnap = 3;
    static constexpr int kSnapOff = -1;
    CDoublePoint anchor;
};

// The rotation handle where the plan shows it, apart from the stored points.
CDoublePoint RotationHandleOf(CPaint& object) {
    return object.HandlePoint(0);
}

}  // namespace

TEST_F(GestureUndo, OneUndoTakesBackEachDragAndSnappingClickOfAStraightACurveATurnoutAndAGroup) {
    const MadeObject cases[] = {
        AStraight(),
        ACurve(),
        {"turnout", [&] { return PlaceFromWizard(kTurnoutPage); }},
        {"group", [&] { return DrawGroup(); }},
    };
    for (const MadeObject& each : cases) {
        SCOPED_TRACE(each.name);
        DeleteAll();
        // The corners of a line to snap onto.
        CPaint* line = Draw(ID_TOOL_LINE, CPoint(40, 60), CPoint(90, 80));
        double right = 0.0, bottom = 0.0;
        line->GetBounds(nullptr, anchor.x, anchor.y, right, bottom);
        ExpectEachGestureUndoneAlone(each.make());
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(GestureUndo, TakingBackTheFirstDragLeavesThePieceOfEveryWizardPageAsPlaced) {
    layout->m_tool.m_nSnapMode = kSnapOff;
    for (int page = 0; page < kWizardPagesBeforeSpiral; ++page) {
        SCOPED_TRACE(page);
        DeleteAll();
        CParTrack* piece = TrackOf(PlaceFromWizard(page));
        ASSERT_NE(piece, nullptr);
        ExpectOneUndoTakesBack("drag", [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(5, 5)); });
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(GestureUndo, ExitEditGroupWithAFullUndoListIsTakenBackByOneUndo) {
    DrawGroup();
    Command(ID_EDIT_ENTER_GROUP);
    ASSERT_EQ(layout->m_tool.GetGroupEditDepth(), 2);
    Command(ID_EDIT_SELECT_ALL);
    ASSERT_EQ(layout->m_tool.GetSelectedCount(), 2);
    // Commands that change nothing fill the list, and every step before them falls off it.
    CTool& tool = layout->m_tool;
    for (int i = 0; i < CTool::kUndoLimit; ++i) tool.PushUndo(new CEditStep(kStepCutTrack, nullptr, 1));
    const std::vector<BYTE> inGroup = Stored(*layout);

    Command(ID_EDIT_EXIT_GROUP);
    EXPECT_EQ(tool.GetGroupEditDepth(), 1);
    EXPECT_EQ(tool.GetSelectedCount(), 1);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit);

    // One Undo opens the group again with both members selected.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(tool.GetGroupEditDepth(), 2);
    EXPECT_EQ(tool.GetSelectedCount(), 2);
    EXPECT_EQ(Stored(*layout), inGroup);
    EXPECT_EQ(tool.GetUndoCount(), CTool::kUndoLimit - 3);
    // The fillers change nothing: the group stays open to the end of the list.
    while (tool.GetUndoCount() > 0) Command(ID_EDIT_UNDO);
    EXPECT_EQ(tool.GetGroupEditDepth(), 2);
    EXPECT_EQ(tool.GetSelectedCount(), 2);
    EXPECT_EQ(Stored(*layout), inGroup);
}

TEST_F(GestureUndo, OneUndoTakesBackEachTurnAndFlipOfAStraightACurveABoxAndGroups) {
    const MadeObject cases[] = {
        AStraight(), ACurve(), ABox(), {"group", [&] { return DrawGroup(); }}, AGroupOfWizardPieces(),
    };
    for (const MadeObject& each : cases) {
        SCOPED_TRACE(each.name);
        DeleteAll();
        ASSERT_NE(each.make(), nullptr);
        Command(ID_EDIT_SELECT_ALL);
        // Each turn and flip starts where the one before left the object, so that the next
        // starts from positions with bits in all places.
        for (const UINT command : {ID_ROTATE_LEFT, ID_ROTATE_RIGHT, ID_ROTATE_180}) {
            ExpectOneUndoTakesBack("fixed turn", [&] { Command(command); });
            Command(command);
        }
        for (const char* degrees : {"90", "17", "-17"}) {
            ExpectOneUndoTakesBack(degrees, [&] { RotateBy(degrees); });
            RotateBy(degrees);
        }
        for (const UINT command : {ID_FLIP_2D_HORIZONTAL, ID_FLIP_2D_VERTICAL}) {
            ExpectOneUndoTakesBack("flip", [&] { Command(command); });
            Command(command);
        }
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(GestureUndo, OneUndoTakesBackEachGroupAndUngroupOfTurnedPieces) {
    DrawGroup();
    Draw(ID_TOOL_STRAIGHT_TRACK, CPoint(100, 150), CPoint(200, 130));
    Draw(ID_TOOL_BOX, CPoint(100, 200), CPoint(210, 270));
    PlaceFromWizard(kCurvedPage);
    ASSERT_EQ(layout->m_rootGroup.m_members.size(), 4u);
    // Turned by an odd angle, the placements have bits in all places.
    Command(ID_EDIT_SELECT_ALL);
    RotateBy("17");
    ExpectOneUndoTakesBack("group", [&] { Command(ID_GROUP); });
    Command(ID_GROUP);
    ExpectOneUndoTakesBack("turn of the group", [&] { Command(ID_ROTATE_LEFT); });
    Command(ID_ROTATE_LEFT);
    ExpectOneUndoTakesBack("ungroup of the outer group", [&] { Command(ID_UNGROUP); });
    Command(ID_UNGROUP);
    Command(ID_EDIT_SELECT_ALL);
    ExpectOneUndoTakesBack("ungroup of the inner group", [&] { Command(ID_UNGROUP); });
}

TEST_F(GestureUndo, OneUndoTakesBackEachTurnByTheMouse) {
    const MadeObject cases[] = {
        AStraight(),
        ACurve(),
        ABox(),
        AGroupOfWizardPieces(),
    };
    layout->m_tool.m_nSnapMode = kSnapOff;
    for (const MadeObject& each : cases) {
        SCOPED_TRACE(each.name);
        DeleteAll();
        CPaint* object = each.make();
        ASSERT_NE(object, nullptr);
        Command(ID_EDIT_SELECT_ALL);
        // Each turn starts where the one before left the object.
        Command(ID_TOOL_ROTATE_AROUND_ORIGIN);
        for (const CSize& sweep : {CSize(60, 70), CSize(-30, -110)}) {
            ExpectOneUndoTakesBack("rotate tool", [&] {
                TurnAbout(CPoint(250, 250), CSize(90, 0), sweep);
                EXPECT_GT(std::fabs(layout->m_tool.m_fRotationAngle), 0.5);
            });
            TurnAbout(CPoint(250, 250), CSize(90, 0), sweep);
        }
        Command(ID_TOOL_SELECTOR);
        const CDoublePoint local = RotationHandleOf(*object);
        const CPoint handle = ClientAt(object->LocalToWorld(local.x, local.y));
        ExpectOneUndoTakesBack("rotation handle", [&] {
            Drag(handle, handle + CSize(70, 50));
            EXPECT_GT(std::fabs(layout->m_tool.m_fRotationAngle), 0.1);
        });
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(GestureUndo, OneUndoTakesBackEachDragOfTurnedAndFlippedObjects) {
    Draw(ID_TOOL_STRAIGHT_TRACK, CPoint(300, 300), CPoint(420, 260));
    Draw(ID_TOOL_LINE, CPoint(300, 350), CPoint(420, 390));
    Draw(ID_TOOL_BOX, CPoint(450, 300), CPoint(520, 380));
    DrawGroup();
    Command(ID_EDIT_SELECT_ALL);
    // Turned by an odd angle, the placements have bits in all places; flipped, the handles
    // stand where the flip left them until the pieces are drawn selected.
    RotateBy("17");
    Command(ID_FLIP_2D_VERTICAL);
    layout->m_tool.m_nSnapMode = kSnapOff;
    for (CPaint* object : CPaintList(layout->m_rootGroup.m_members)) {
        SCOPED_TRACE(object->GetClassName().c_str());
        // A group is grabbed by its straight, the others in the middle of their bounds.
        CParTrack* piece = dynamic_cast<CGroup*>(object) != nullptr ? TrackOf(object) : nullptr;
        const CPoint middle = piece != nullptr ? ClientOn(piece)
                                               : ClientAt({(object->m_fMinX + object->m_fMaxX) / 2.0,
                                                           (object->m_fMinY + object->m_fMaxY) / 2.0});
        Command(ID_EDIT_SELECT_ALL);
        for (const CSize& by : {CSize(37, 23), CSize(-13, 29), CSize(7, -41)})
            ExpectOneUndoTakesBack("drag of all", [&] { Drag(middle, middle + by); });
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(GestureUndo, OneUndoTakesBackEachDragInsideAnOpenGroup) {
    CPaint* group = DrawGroupOfWizardPieces();
    ASSERT_TRUE(group->IsSelected());
    // Turned by an odd angle, the frame's refit leaves rounding that moving back would keep.
    RotateBy("17");
    Command(ID_EDIT_ENTER_GROUP);
    ASSERT_EQ(layout->m_tool.GetGroupEditDepth(), 2);
    CParTrack* piece = TrackOf(group);
    ASSERT_NE(piece, nullptr);
    // The group's frame follows the dragged member: its origin and its members' handles move.
    for (const int snap : {kSnapOff, kGridSnap}) {
        layout->m_tool.m_nSnapMode = snap;
        Drag(ClientOn(piece), ClientOn(piece));
        ExpectOneUndoTakesBack("drag of one member",
                               [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(-37, 23)); });
        Command(ID_EDIT_SELECT_ALL);
        ExpectOneUndoTakesBack("drag of all members",
                               [&] { Drag(ClientOn(piece), ClientOn(piece) + CSize(41, -19)); });
        ASSERT_FALSE(HasFatalFailure());
    }
}
