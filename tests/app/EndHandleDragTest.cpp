#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"

// A track piece between two straights, its begin end pressed at the joint and dragged right
// in steps: the release lays it where the last move drew it, and the hint beside the mouse
// shows its length as a line's does.

namespace {

class EndHandleDrag : public LayoutInProgram {
  protected:
    CTool& Tool() { return layout->m_tool; }

    CTrack* Straight(CDoublePoint from, CDoublePoint to) {
        auto* piece = Place(new CTrack(0, &Tool(), from.x, from.y));
        piece->SetEnds(from.x, from.y, to.x, to.y, 0, 0);
        return piece;
    }
    CDoublePoint EndOf(CParTrack* piece, int end) {
        const CDoublePoint local = piece->GetEndPoint(end);
        return piece->LocalToWorld(local.x, local.y);
    }
    // A straight along each end of the piece, the one at its end turned off its line by kink.
    void LayNeighbours(CParTrack* piece, double kink) {
        const CPose identity;
        const double length = 3000.0;
        const CDoublePoint begin = EndOf(piece, 0), end = EndOf(piece, 1);
        const double out0 = piece->GetEndAngle(&identity, 0) + kPi;
        const double out1 = piece->GetEndAngle(&identity, 1) + kPi + kink;
        Straight({begin.x + length * std::cos(out0), begin.y + length * std::sin(out0)}, begin);
        Straight(end, {end.x + length * std::cos(out1), end.y + length * std::sin(out1)});
        layout->m_rootGroup.SetChanged(1);
        layout->m_rootGroup.UpdateConnections(&identity, 1);
        layout->m_rootGroup.SetChanged(0);
        // The piece answers a press on the joint before its neighbour does.
        layout->m_rootGroup.m_members.remove(piece);
        layout->m_rootGroup.m_members.push_back(piece);
        // Drawn, as a person sees it before pressing on it.
        plan->Invalidate();
        plan->UpdateWindow();
    }
    void ClearPlan() {
        if (layout->m_rootGroup.m_members.empty())
            return;
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
        host.RunUntilIdle();
    }
};

struct PieceKind {
    const char* name;
    // Lays the piece with its begin end at b, heading right.
    std::function<CParTrack*(CDoublePoint b)> lay;
    int beginHandle;
    // How far off its line the straight at the piece's end lies.
    double kink;
};

}  // namespace

TEST_F(EndHandleDrag, TheReleaseLaysEachPieceAsItsLastMoveDrewItAndTheHintShowsItsLength) {
    const PieceKind kinds[] = {
        {"straight",
         [this](CDoublePoint b) {
             return Straight(b, {b.x + 4572.0, b.y});
         },
         1, 0.0},
        {"curve",
         [this](CDoublePoint b) {
             auto* piece = Place(new CCircTrack(0, &Tool(), b.x, b.y));
             piece->SetArc(b.x, b.y + 6000.0, 6000.0, 1.5 * kPi, kPi / 4.0, 0, 0);
             return piece;
         },
         5, kPi / 6.0},
        {"elliptic arc",
         [this](CDoublePoint b) {
             auto* piece = Place(new CArcTrack(0, &Tool(), b.x, b.y));
             piece->SetArc(b.x, b.y + 4000.0, 8000.0, 4000.0, 1.5 * kPi, kPi / 3.0, 0, 0);
             return piece;
         },
         5, kPi / 6.0},
        {"spline",
         [this](CDoublePoint b) {
             auto* piece = Place(new CSplineTrack(0, &Tool(), 0.0, 0.0));
             CPointArray control;
             for (const CDoublePoint& p :
                  {b, CDoublePoint{b.x + 1500.0, b.y}, CDoublePoint{b.x + 3000.0, b.y + 1000.0},
                   CDoublePoint{b.x + 4500.0, b.y + 1000.0}})
                 control.Add(p);
             piece->SetControlPoints(&control, 0, 0);
             piece->ComputeExtent(nullptr);
             return piece;
         },
         CSplineTrack::kFirstKnot, kPi / 6.0},
    };
    const CLengthFormat format(layout->GetUnitIndex());
    // Each snap the release makes: onto track ends, as the program starts, then to the grid.
    const UINT snaps[] = {ID_TRACK_SNAP, ID_SNAP_TO_GRID};
    for (UINT snap : snaps) {
        if (!IsChecked(snap))
            Command(snap);
        ASSERT_TRUE(IsChecked(snap));
        for (const PieceKind& kind : kinds) {
            SCOPED_TRACE(kind.name);
            SCOPED_TRACE(snap);
            ClearPlan();
            CParTrack* piece = kind.lay(LayoutAt(CPoint(250, 250)));
            LayNeighbours(piece, kind.kink);
            host.AdvanceClock(1000);
            Command(ID_EDIT_SELECT_ALL);
            host.AdvanceClock(1000);

            const CPoint pressed = ScreenOfPlan(EndOf(piece, 0));
            host.MouseDown(pressed);
            ASSERT_EQ(Tool().m_nDraggedHandle, kind.beginHandle);
            ASSERT_TRUE(piece->IsSelected());
            for (int step = 1; step <= 5; ++step) host.MouseMove(CPoint(pressed.x + 40 * step, pressed.y));
            host.RunUntilIdle();
            const CDoublePoint drawnBegin = EndOf(piece, 0), drawnEnd = EndOf(piece, 1);
            CString length;
            format.FormatLength(length, piece->m_fLength);
            const CString hint = Tool().m_hint.m_strText;
            EXPECT_GE(hint.Find(length), 0) << hint.c_str();
            EXPECT_NE(hint.Left(2), "; ") << hint.c_str();

            host.MouseUp(CPoint(pressed.x + 200, pressed.y));
            host.RunUntilIdle();
            EXPECT_NEAR(EndOf(piece, 0).x, drawnBegin.x, 1e-6);
            EXPECT_NEAR(EndOf(piece, 0).y, drawnBegin.y, 1e-6);
            EXPECT_NEAR(EndOf(piece, 1).x, drawnEnd.x, 1e-6);
            EXPECT_NEAR(EndOf(piece, 1).y, drawnEnd.y, 1e-6);
            EXPECT_GT(drawnBegin.x, LayoutAt(CPoint(250, 250)).x);
        }
    }
}
