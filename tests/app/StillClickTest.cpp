#include <gtest/gtest.h>

#include <vector>

#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CTrack.h"

// A click on a piece, its press and release on one point, selects it and nothing else: the
// release snaps it onto nearby track ends, or the grid, only after it moved.

namespace {

class StillClick : public LayoutInProgram {
  protected:
    CTrack* Straight(CDoublePoint from, CDoublePoint to) {
        auto* piece = Place(new CTrack(0, &layout->m_tool, from.x, from.y));
        piece->SetEnds(from.x, from.y, to.x, to.y, 0, 0);
        return piece;
    }
    CDoublePoint EndOf(CTrack* piece, int end) {
        const CDoublePoint local = piece->GetEndPoint(end);
        return piece->LocalToWorld(local.x, local.y);
    }
    void Gesture(CPoint from, CPoint to) {
        host.AdvanceClock(1000);
        host.MouseDown(from);
        if (to != from)
            host.MouseMove(to);
        host.MouseUp(to);
        host.RunUntilIdle();
    }
};

}  // namespace

TEST_F(StillClick, SelectsWithoutSnappingWhileADragStillSnaps) {
    const CDoublePoint b = LayoutAt(CPoint(250, 250));
    const UINT snaps[] = {ID_TRACK_SNAP, ID_SNAP_TO_GRID};
    for (UINT snap : snaps) {
        SCOPED_TRACE(snap);
        if (!layout->m_rootGroup.m_members.empty()) {
            Command(ID_EDIT_SELECT_ALL);
            Command(ID_EDIT_DELETE);
        }
        if (!IsChecked(snap))
            Command(snap);
        // Off the grid, its end a little short of and beside the other's begin.
        CTrack* moved = Straight({b.x + 7.0, b.y + 3.0}, {b.x + 3007.0, b.y + 3.0});
        CTrack* other = Straight({b.x + 3127.0, b.y + 83.0}, {b.x + 6127.0, b.y + 83.0});
        plan->Invalidate();
        plan->UpdateWindow();
        host.RunUntilIdle();
        const std::vector<BYTE> before = Stored(*layout);

        const CPoint on = ScreenOfPlan({b.x + 1507.0, b.y + 3.0});
        Gesture(on, on);
        EXPECT_TRUE(moved->IsSelected());
        EXPECT_EQ(Stored(*layout), before);

        Gesture(on, CPoint(on.x + 2, on.y));
        const CDoublePoint end = EndOf(moved, 1);
        if (snap == ID_TRACK_SNAP) {
            EXPECT_NEAR(end.x, EndOf(other, 0).x, 1e-6);
            EXPECT_NEAR(end.y, EndOf(other, 0).y, 1e-6);
        } else {
            EXPECT_NE(Stored(*layout), before);
        }
    }
}
