#include <gtest/gtest.h>

#include "tests/track/TrackPlan.h"

// Dragging the whole layout asks each piece about the joints near its own ends only: the
// questions put to the pieces grow with the layout, not with its square.

namespace {

// A straight piece that counts the questions about joints and snaps put to it.
class CountedStraight : public CTrack {
  public:
    CountedStraight(CTool* tool, int& asked) : CTrack(0, tool, 0.0, 0.0), m_asked(asked) {}
    int ReleaseEndAt(double x, double y, int flag) override {
        ++m_asked;
        return CTrack::ReleaseEndAt(x, y, flag);
    }
    int MatchEndAt(const CPose* pose, double x, double y, double direction, double elevation,
                   int& found) override {
        ++m_asked;
        return CTrack::MatchEndAt(pose, x, y, direction, elevation, found);
    }
    int JoinEndAt(const CPose* pose, double x, double y, double direction, int connect,
                  double elevation) override {
        ++m_asked;
        return CTrack::JoinEndAt(pose, x, y, direction, connect, elevation);
    }
    int ProbeConnection(const CPose* pose, int mode) override {
        ++m_asked;
        return CTrack::ProbeConnection(pose, mode);
    }

  private:
    int& m_asked;
};

// Select All on a row of pieces laid end to end, then a press on the first piece, a drag
// and its release: the questions the pieces were asked.
int QuestionsOfWholeDrag(int pieces) {
    TrackPlan plan;
    plan.tool.SetViewScale(1.0, 10.0);
    int asked = 0;
    for (int i = 0; i < pieces; ++i)
        AddToLayout(plan.host, new CountedStraight(&plan.tool, asked))
            ->SetEnds(i * 1000.0, 0.0, i * 1000.0 + 1000.0, 0.0, 0, 0);
    plan.tool.SettleTrackEnds();
    plan.tool.SelectAll(1);
    asked = 0;
    plan.tool.OnLButtonDown(0, 50.0, 0.0);
    plan.tool.OnMouseMove(0, 80.0, 30.0, 1);
    plan.tool.OnLButtonUp(0, 80.0, 30.0);
    plan.tool.SettleTrackEnds();
    return asked;
}

}  // namespace

TEST(WholeLayoutDrag, QuestionsAboutJointsGrowWithTheLayout) {
    const int small = QuestionsOfWholeDrag(100);
    EXPECT_GT(small, 0);
    EXPECT_LE(QuestionsOfWholeDrag(200), 2 * small + 20);
}
