#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "model/CToolMode.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "tests/track/TrackPlan.h"
#include "track/TrackAngles.h"

// A piece drawn from a track end with the Straight, Curve or Oval Track tool is placed exactly
// as the last move drew it, whichever way the mouse went from whichever end of whatever piece.

namespace {

// Far enough that no far end comes within the snap distance of the start piece's other end.
constexpr double kDragLength = 1600.0;
constexpr double kSame = 1e-6;
// A curve's ends stand on its circle through the ten-decimal half turn, a hair off for a
// large radius.
constexpr double kOnPoint = 1e-4;

struct StartPiece {
    const char* name;
    std::function<CParTrack*(TrackPlan&)> make;
};

const std::vector<StartPiece>& StartPieces() {
    static const std::vector<StartPiece> pieces = {
        {"straight", [](TrackPlan& plan) { return plan.Straight(0.0, 0.0, 1000.0, 0.0); }},
        {"curve", [](TrackPlan& plan) { return plan.Curve(0.0, 0.0, 2000.0, 0.3, 1.1); }},
        {"elliptic curve", [](TrackPlan& plan) { return plan.Oval(0.0, 0.0, 2500.0, 1500.0, 0.4, 1.2); }},
    };
    return pieces;
}

CDoublePoint WorldEnd(CParTrack* piece, int end) {
    const CDoublePoint local = piece->GetEndPoint(end);
    return piece->LocalToWorld(local.x, local.y);
}

double Gap(const CDoublePoint& a, const CDoublePoint& b) {
    return VectorLength(a.x - b.x, a.y - b.y);
}

// The centre line as the plan holds it: both ends and the world points along it.
std::vector<CDoublePoint> CentreLine(CParTrack* piece) {
    std::vector<CDoublePoint> points{WorldEnd(piece, 0), WorldEnd(piece, 1)};
    std::vector<double> elevations;
    double step = 100.0;
    piece->SampleCentreLine(points, elevations, step);
    return points;
}

struct Gesture {
    int tool;
    int end;
    double angle;
};

class DrawnFromAnEnd {
  public:
    DrawnFromAnEnd(const StartPiece& start, const Gesture& gesture) : m_gesture(gesture) {
        m_plan.tool.SetViewScale(1.0, 10.0);
        m_start = start.make(m_plan);
        m_joint = WorldEnd(m_start, gesture.end);
        m_mouse = {m_joint.x + kDragLength * std::cos(gesture.angle),
                   m_joint.y + kDragLength * std::sin(gesture.angle)};
    }

    // Presses on the end, moves out to the mouse in steps and keeps what the last move drew.
    void Draw() {
        m_plan.tool.m_toolMode.Set(m_gesture.tool);
        m_plan.tool.OnLButtonDown(0, Device(m_joint.x), Device(m_joint.y));
        for (int step = 1; step <= 4; ++step) {
            const double f = step / 4.0;
            m_plan.tool.OnMouseMove(0, Device(m_joint.x + f * (m_mouse.x - m_joint.x)),
                                    Device(m_joint.y + f * (m_mouse.y - m_joint.y)), 1);
        }
        if (CParTrack* piece = NewPiece())
            m_drawn = CentreLine(piece);
    }
    void Release() { m_plan.tool.OnLButtonUp(0, Device(m_mouse.x), Device(m_mouse.y)); }

    CParTrack* NewPiece() {
        auto& members = m_plan.host.m_pRoot->m_members;
        return members.size() == 2 ? dynamic_cast<CParTrack*>(members.front()) : nullptr;
    }
    // The near end lies on the joint. The far end of a curve lies at the mouse; a straight's
    // as far from the joint as the mouse, along the start piece's end on the side the mouse
    // went. An oval's corner follows the mouse, not its end.
    void ExpectOnItsEnds(CParTrack* piece) {
        const int near = Gap(WorldEnd(piece, 0), m_joint) < kOnPoint ? 0 : 1;
        EXPECT_LT(Gap(WorldEnd(piece, near), m_joint), kOnPoint);
        if (m_gesture.tool != kToolOvalTrack) {
            EXPECT_LT(Gap(WorldEnd(piece, 1 - near), FarEndWanted()), kOnPoint);
        }
    }

    TrackPlan m_plan;
    Gesture m_gesture;
    CParTrack* m_start = nullptr;
    CDoublePoint m_joint, m_mouse;
    std::vector<CDoublePoint> m_drawn;

  private:
    CDoublePoint FarEndWanted() {
        if (m_gesture.tool == kToolCurveTrack)
            return m_mouse;
        const double along = ReduceAngle(m_start->GetEndAngle(nullptr, m_gesture.end) - kPi);
        const double side = std::cos(m_gesture.angle - along) >= 0.0 ? 1.0 : -1.0;
        return {m_joint.x + side * kDragLength * std::cos(along),
                m_joint.y + side * kDragLength * std::sin(along)};
    }
    double Device(double layout) const { return layout * m_plan.tool.m_fZoomRatio; }
};

}  // namespace

TEST(PlacedAsDrawn, APieceDrawnFromATrackEndIsPlacedAsTheLastMoveDrewIt) {
    for (const StartPiece& start : StartPieces())
        for (int tool : {kToolCurveTrack, kToolStraightTrack, kToolOvalTrack})
            for (int end = 0; end < 2; ++end)
                for (int k = 0; k < 8; ++k) {
                    const Gesture gesture{tool, end, (22.5 + 45.0 * k) * kPi / 180.0};
                    SCOPED_TRACE(testing::Message() << start.name << ", tool " << tool << ", end " << end
                                                    << ", towards " << 22.5 + 45.0 * k << " degrees");
                    DrawnFromAnEnd drawing(start, gesture);
                    drawing.Draw();
                    CParTrack* piece = drawing.NewPiece();
                    ASSERT_NE(piece, nullptr);
                    ASSERT_EQ(piece->IsInvalid(0), 0);
                    drawing.ExpectOnItsEnds(piece);

                    drawing.Release();
                    ASSERT_EQ(drawing.NewPiece(), piece);
                    EXPECT_EQ(piece->GetEditState(), -1);
                    const std::vector<CDoublePoint> placed = CentreLine(piece);
                    ASSERT_EQ(placed.size(), drawing.m_drawn.size());
                    double apart = 0.0;
                    for (size_t i = 0; i < placed.size(); ++i)
                        apart = std::max(apart, Gap(placed[i], drawing.m_drawn[i]));
                    EXPECT_LT(apart, kSame);
                    drawing.ExpectOnItsEnds(piece);
                }
}

// Built on one end, a piece still snaps its far end onto a free end it is let go near.
TEST(PlacedAsDrawn, APieceBuiltOnATrackEndSnapsItsFarEndOntoAnotherEnd) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    plan.Straight(0.0, 0.0, 1000.0, 0.0);
    plan.Straight(2700.0, 0.0, 3700.0, 0.0);
    plan.tool.m_toolMode.Set(kToolStraightTrack);
    plan.tool.OnLButtonDown(0, 100.0, 0.0);
    plan.tool.OnMouseMove(0, 180.0, 0.0, 1);
    plan.tool.OnMouseMove(0, 250.0, 0.0, 1);
    plan.tool.OnLButtonUp(0, 250.0, 0.0);
    auto* piece = dynamic_cast<CParTrack*>(plan.host.m_pRoot->m_members.front());
    ASSERT_NE(piece, nullptr);
    EXPECT_LT(Gap(WorldEnd(piece, 1), {2700.0, 0.0}), kOnPoint);
}
