#include <gtest/gtest.h>

#include <vector>

#include "model/CCVNDoc.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "shell/CSplashWindow.h"
#include "tests/app/PlanInProgram.h"

// View > Get Lost Objects brings back what lies wholly off the page, and one Undo puts it back.

namespace {

bool SamePlace(const CPose& a, const CPose& b) {
    return a.x == b.x && a.y == b.y && a.angle == b.angle;
}

class LostObjects : public PlanInProgram {
  protected:
    CPaint* DrawStraight(CPoint from, CPoint to) {
        Command(ID_TOOL_STRAIGHT_TRACK);
        // A press soon after the last one on the same spot would be a double click.
        host.AdvanceClock(1000);
        host.DragClient(Main().MDIGetActive()->GetActiveView(), from, to, 6);
        host.RunUntilIdle();
        Command(ID_TOOL_SELECTOR);
        return ActiveLayout()->m_rootGroup.m_members.front();
    }
};

}  // namespace

TEST_F(LostObjects, OnlyPiecesWhollyOffThePageMoveAndOneUndoPutsThemBack) {
    CCVNDoc& layout = *ActiveLayout();
    CPaint* inside = DrawStraight(CPoint(100, 200), CPoint(250, 200));
    CPaint* across = DrawStraight(CPoint(780, 250), CPoint(880, 250));
    CPaint* outside = DrawStraight(CPoint(860, 300), CPoint(890, 320));
    CPaint* alsoOutside = DrawStraight(CPoint(870, 100), CPoint(895, 100));
    Command(ID_EDIT_SELECT_ALL);
    const CPose insidePose = inside->m_pose, acrossPose = across->m_pose;
    const CPose outsidePose = outside->m_pose, alsoOutsidePose = alsoOutside->m_pose;
    const std::vector<BYTE> before = Stored(layout);

    Command(ID_GET_LOST_OBJECTS);
    EXPECT_TRUE(SamePlace(inside->m_pose, insidePose));
    EXPECT_TRUE(SamePlace(across->m_pose, acrossPose));
    EXPECT_FALSE(SamePlace(outside->m_pose, outsidePose));
    EXPECT_FALSE(SamePlace(alsoOutside->m_pose, alsoOutsidePose));
    // The page ends at about 815 pixels from the left at the starting zoom.
    const double right = layout.m_fPageWidth;
    EXPECT_LT(inside->m_fMaxX, right);
    EXPECT_LT(across->m_fMinX, right);
    EXPECT_GT(across->m_fMaxX, right);
    EXPECT_LT(outside->m_fMaxX, right);

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Stored(layout), before);
    EXPECT_TRUE(SamePlace(outside->m_pose, outsidePose));
    EXPECT_TRUE(SamePlace(alsoOutside->m_pose, alsoOutsidePose));
}
