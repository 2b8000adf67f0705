#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "model/Units.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"

// An object's begin handle pressed (a track piece's at its joint with a straight) and dragged
// right in steps: the release lays the object where the last move drew it, under each snap (the
// dragged end on the grid under the grid's), and the hint beside the mouse shows its length.

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
    // The begin and end of a track piece, or a line's start and end.
    std::array<CDoublePoint, 2> EndsOf(CPaint* object) {
        if (auto* piece = dynamic_cast<CParTrack*>(object))
            return {EndOf(piece, 0), EndOf(piece, 1)};
        const CPointArray& points = object->m_points;
        return {object->LocalToWorld(points[1].x, points[1].y),
                object->LocalToWorld(points[2].x, points[2].y)};
    }
    void ClearPlan() {
        if (layout->m_rootGroup.m_members.empty())
            return;
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
        host.RunUntilIdle();
    }
};

struct EditedKind {
    const char* name;
    // Lays the object with its begin handle near b, heading right.
    std::function<CPaint*(CDoublePoint b)> lay;
    int beginHandle;
    // How far off its line the straight at a track piece's end lies.
    double kink;
    // Whether the dragged end lies under the mouse at the drag's end; a curve's stops short
    // where its arc would fold.
    bool endAtMouse;
};

}  // namespace

TEST_F(EndHandleDrag, TheReleaseLaysEachObjectAsItsLastMoveDrewItUnderEachSnapAndTheHintShowsItsLength) {
    const EditedKind kinds[] = {
        {"line",
         [this](CDoublePoint) {
             DrawLine(CPoint(250, 250), CPoint(350, 300));
             return layout->m_rootGroup.m_members.back();
         },
         1, 0.0, true},
        {"straight",
         [this](CDoublePoint b) {
             return Straight(b, {b.x + 4572.0, b.y});
         },
         1, 0.0, true},
        {"curve",
         [this](CDoublePoint b) {
             auto* piece = Place(new CCircTrack(0, &Tool(), b.x, b.y));
             piece->SetArc(b.x, b.y + 6000.0, 6000.0, 1.5 * kPi, kPi / 4.0, 0, 0);
             return piece;
         },
         5, kPi / 6.0, false},
        {"elliptic arc",
         [this](CDoublePoint b) {
             auto* piece = Place(new CArcTrack(0, &Tool(), b.x, b.y));
             piece->SetArc(b.x, b.y + 4000.0, 8000.0, 4000.0, 1.5 * kPi, kPi / 3.0, 0, 0);
             return piece;
         },
         5, kPi / 6.0, false},
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
         CSplineTrack::kFirstKnot, kPi / 6.0, true},
    };
    // Each snap the release makes: onto track ends, as the program starts, then to the grid.
    const UINT snaps[] = {ID_TRACK_SNAP, ID_SNAP_TO_GRID};
    for (UINT snap : snaps) {
        if (!IsChecked(snap))
            Command(snap);
        ASSERT_TRUE(IsChecked(snap));
        for (const EditedKind& kind : kinds) {
            SCOPED_TRACE(kind.name);
            SCOPED_TRACE(snap);
            ClearPlan();
            CPaint* object = kind.lay(LayoutAt(CPoint(250, 250)));
            if (auto* piece = dynamic_cast<CParTrack*>(object))
                LayNeighbours(piece, kind.kink);
            Command(ID_TOOL_SELECTOR);
            host.AdvanceClock(1000);
            Command(ID_EDIT_SELECT_ALL);
            host.AdvanceClock(1000);

            const CDoublePoint begin = EndsOf(object)[0];
            const CPoint pressed = ScreenOfPlan(begin);
            host.MouseDown(pressed);
            ASSERT_EQ(Tool().m_nDraggedHandle, kind.beginHandle);
            ASSERT_TRUE(object->IsSelected());
            for (int step = 1; step <= 5; ++step) host.MouseMove(CPoint(pressed.x + 40 * step, pressed.y));
            host.RunUntilIdle();
            const std::array<CDoublePoint, 2> drawn = EndsOf(object);
            const CString hint = Tool().m_hint.m_strText;
            const CString length = Tool().m_status.m_strMeasure[2];
            EXPECT_GT(length.GetLength(), 1);
            EXPECT_GE(hint.Find(length + "; "), 0) << hint.c_str();
            EXPECT_NE(hint.Left(2), "; ") << hint.c_str();

            host.MouseUp(CPoint(pressed.x + 200, pressed.y));
            host.RunUntilIdle();
            for (int end = 0; end < 2; ++end) {
                EXPECT_NEAR(EndsOf(object)[end].x, drawn[end].x, 1e-6) << end;
                EXPECT_NEAR(EndsOf(object)[end].y, drawn[end].y, 1e-6) << end;
            }
            EXPECT_GT(drawn[0].x, begin.x + 1000.0);
            if (snap == ID_SNAP_TO_GRID && kind.endAtMouse) {
                EXPECT_NEAR(std::remainder(drawn[0].x, layout->GetGridWidth()), 0.0, 1e-6);
                EXPECT_NEAR(std::remainder(drawn[0].y, layout->GetGridHeight()), 0.0, 1e-6);
            }
        }
    }
}
