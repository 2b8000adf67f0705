#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WindowDCs.h"
#include "shell/CCVNView.h"
#include "tests/model/LayoutBytes.h"
#include "tests/wizard/WizardFixture.h"
#include "track/CTrack.h"
#include "wizard/CPageTurnout.h"

namespace {

// A turnout of the wizard dragged with the mouse onto a track end in the plan window.
class TurnoutSnap : public WizardInProgram {};

}  // namespace

TEST_F(TurnoutSnap, OneUndoPutsADraggedTurnoutBackUnturnedAndAtItsHeights) {
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(20, 20), CPoint(120, 60));
    Command(ID_TOOL_SELECTOR);
    auto* straight = dynamic_cast<CTrack*>(Newest());
    ASSERT_NE(straight, nullptr);
    straight->m_fEndElevation = 33.3;
    CTrack* entry = nullptr;
    CTrack* through = nullptr;
    RunWizard([&](CSheetWizard& sheet) {
        auto& page = Show<CPageTurnout>(sheet, kTurnoutPage);
        entry = page.m_pEntryTrack;
        through = page.m_pThrough;
        sheet.PressButton(PSBTN_OK);
    });
    CPaint* turnout = Newest();
    ASSERT_NE(turnout, straight);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(turnout->IsSelected());
    // The layout keeps the unit the plan window was last painted in; the fixture chose one.
    View()->Invalidate();
    host.RunUntilIdle();
    const std::vector<BYTE> before = SaveLayoutBytes(*layout);
    const int steps = layout->m_tool.GetUndoCount();
    const double throughEnd = through->m_fEndElevation;
    const double angle = turnout->m_pose.angle;

    // Picked up on its through route and dropped with its entry near the straight's end.
    const CDoublePoint joint = WorldEnd(straight, 1);
    const CDoublePoint entryEnd = WorldEnd(entry, 0);
    const CDoublePoint a = WorldEnd(through, 0);
    const CDoublePoint b = WorldEnd(through, 1);
    const CDoublePoint grab{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
    const CDoublePoint drop{grab.x + joint.x - entryEnd.x + 150.0, grab.y + joint.y - entryEnd.y - 100.0};
    Drag(ClientAt(grab), ClientAt(drop));
    EXPECT_POINT_NEAR(WorldEnd(entry, 0), joint.x, joint.y, 1e-6);
    EXPECT_NE(turnout->m_pose.angle, angle);
    EXPECT_NEAR(entry->m_fBeginElevation, 33.3, 1e-9);
    EXPECT_NEAR(through->m_fEndElevation, 33.3, 1e-9);
    const std::vector<BYTE> snapped = SaveLayoutBytes(*layout);

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(SaveLayoutBytes(*layout), before);
    EXPECT_EQ(layout->m_tool.GetUndoCount(), steps);
    EXPECT_EQ(through->m_fEndElevation, throughEnd);
    // The same drag again gives the same snapped layout, and one Undo takes it back again.
    Drag(ClientAt(grab), ClientAt(drop));
    EXPECT_EQ(SaveLayoutBytes(*layout), snapped);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(SaveLayoutBytes(*layout), before);
}
