#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "tests/track/TrackPlan.h"

TEST(DefaultTrack, SizesFollowTheDocumentScale) {
    TrackPlan ho;
    const CParTrack& h = *ho.defaults;
    EXPECT_EQ(h.m_strScale, "HO");
    EXPECT_DOUBLE_EQ(h.m_fGauge, 165.0);
    EXPECT_DOUBLE_EQ(h.m_fTieLength, 269.874);
    EXPECT_DOUBLE_EQ(h.m_fTieSpacing, 110.0);
    EXPECT_DOUBLE_EQ(h.m_fTrackSeparation, 330.0);
    EXPECT_DOUBLE_EQ(h.m_fRoadbedWidth, 330.0);
    EXPECT_DOUBLE_EQ(h.m_fRoadbedHeight, 41.25);
    EXPECT_DOUBLE_EQ(h.m_fTunnelWidth, 330.0);
    EXPECT_DOUBLE_EQ(h.m_fTunnelHeight, 742.5);
    EXPECT_DOUBLE_EQ(h.m_fCutDistance, 165.0);
    EXPECT_EQ(h.m_crRail, RGB(0, 0, 128));
    EXPECT_EQ(h.m_crTie, RGB(112, 58, 63));
    EXPECT_EQ(h.m_nRailMode, 2);
    EXPECT_EQ(h.m_bShowTies, 1);
    EXPECT_EQ(h.m_bShowAxis, 0);
    EXPECT_EQ(h.m_strRoadbedTexture, "agragate.bmp");
    EXPECT_EQ(h.m_strTrackTexture, "track1.bmp");
    EXPECT_EQ(h.m_strTunnelTexture, "Ballast Gray.bmp");
    EXPECT_EQ(h.m_bShowInReport, 1);

    TrackPlan n(15);
    const CParTrack& g = *n.defaults;
    EXPECT_EQ(g.m_strScale, "N");
    EXPECT_DOUBLE_EQ(g.m_fGauge, 89.7);
    EXPECT_DOUBLE_EQ(g.m_fTieLength, 146.71332);
    EXPECT_DOUBLE_EQ(g.m_fTieSpacing, 59.8);
    EXPECT_DOUBLE_EQ(g.m_fTrackSeparation, 179.4);
    EXPECT_DOUBLE_EQ(g.m_fRoadbedWidth, 179.4);
    EXPECT_DOUBLE_EQ(g.m_fRoadbedHeight, 22.425);
    EXPECT_DOUBLE_EQ(g.m_fTunnelWidth, 179.4);
    EXPECT_DOUBLE_EQ(g.m_fTunnelHeight, 403.65);
}

TEST(DefaultTrack, NewPiecesCopyItAndStandOnItsRoadbed) {
    TrackPlan n(15);
    n.defaults->m_nRailMode = 3;
    n.defaults->m_nRailLineWidth = 2;
    n.defaults->m_bBeginConnected = 1;
    CTrack piece(0, &n.tool, 100.0, 200.0);
    EXPECT_DOUBLE_EQ(piece.m_fBeginElevation, 22.425);
    EXPECT_DOUBLE_EQ(piece.m_fEndElevation, 22.425);
    EXPECT_DOUBLE_EQ(piece.m_fGauge, 89.7);
    EXPECT_DOUBLE_EQ(piece.m_fCutDistance, 89.7);
    EXPECT_EQ(piece.m_nRailMode, 3);
    EXPECT_EQ(piece.m_nRailLineWidth, 2);
    EXPECT_EQ(piece.m_bBeginConnected, 0);
    EXPECT_EQ(piece.m_strScale, "N");
    EXPECT_EQ(piece.m_strName, "Straight track");
    CString track;
    track.LoadString(IDS_TRACK_PIECE_CATEGORY);
    EXPECT_EQ(piece.m_strCategory, track);
    EXPECT_EQ(piece.m_points.GetSize(), CTrack::kPointCount);
    EXPECT_DOUBLE_EQ(piece.m_pose.x, 100.0);
}

TEST(DefaultTrack, ScaleChangeMovesElevationsButKeepsTheTunnel) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->SetScale("N");
    EXPECT_NEAR(piece->m_fBeginElevation, 41.25 - 18.825, 1e-9);
    EXPECT_NEAR(piece->m_fEndElevation, 41.25 - 18.825, 1e-9);
    EXPECT_DOUBLE_EQ(piece->m_fGauge, 89.7);
    EXPECT_DOUBLE_EQ(piece->m_fTunnelWidth, 330.0);
    EXPECT_DOUBLE_EQ(piece->m_fTunnelHeight, 742.5);
    EXPECT_DOUBLE_EQ(piece->m_fCutDistance, 165.0);
    EXPECT_EQ(piece->m_strScale, "N");
    // A name outside the table reads nothing outside it.
    piece->SetScale("No such scale");
    EXPECT_DOUBLE_EQ(piece->m_fGauge, 89.7);
}

TEST(DefaultTrack, CopiesAreNeverConnectedAndCutsKeepTheirDistance) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    piece->m_bBeginConnected = 1;
    piece->m_bEndConnected = 1;
    std::unique_ptr<CPaint> copy(piece->Clone());
    auto* straight = dynamic_cast<CTrack*>(copy.get());
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(straight->m_bBeginConnected, 0);
    EXPECT_EQ(straight->m_bEndConnected, 0);
    EXPECT_EQ(straight->m_ptSecond, (CDoublePoint{1000.0, 0.0}));
    EXPECT_EQ(piece->IsAwayFromEnds(165.0, 0.0), 1);
    EXPECT_EQ(piece->IsAwayFromEnds(164.9, 0.0), 0);
    EXPECT_EQ(piece->IsAwayFromEnds(835.0, 0.0), 1);
    EXPECT_EQ(piece->IsAwayFromEnds(835.1, 0.0), 0);
}
