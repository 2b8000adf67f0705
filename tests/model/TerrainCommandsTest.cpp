#include <gtest/gtest.h>

#include "model/CTerrainSurface.h"
#include "model/CTool.h"
#include "tests/model/TestLayout.h"

namespace {

// A layout object that answers to a class name and records what the terrain commands ask.
class CRecorder : public CTestObject {
  public:
    CRecorder(CTool* tool, const char* name, bool changes)
        : CTestObject(0, tool, 0.0, 0.0), m_name(name), m_bChanges(changes) {}
    CString GetClassName() override { return m_name; }
    void PlaceOnBase() override { ++m_nPlaced; }
    void ConformToTerrain(int) override {
        m_bConformed = m_bChanges ? 1 : 0;
        m_nRebuildsSeenAtConform = m_nBuilt;
    }
    int Update3D(const CPose*) override { return ++m_nBuilt; }
    CString m_name;
    bool m_bChanges;
    int m_nPlaced = 0;
    int m_nBuilt = 0;
    int m_nRebuildsSeenAtConform = -1;
};

class CTerrain : public CRecorder, public CTerrainSurface {
  public:
    explicit CTerrain(CTool* tool) : CRecorder(tool, "CMount", true) {}
    void ClearCuts() override { ++m_nCleared; }
    void SetRebuild(int rebuild) override { m_nRebuild = rebuild; }
    int m_nCleared = 0;
    int m_nRebuild = 0;
};

}  // namespace

TEST(TerrainCommands, ConformTracksLiftsOnlyTheSelectedPiecesButRebuildsEverySelected) {
    CTool tool;
    CTestHost host(tool);
    auto* track = AddToLayout(host, new CRecorder(&tool, "CTrack", false));
    auto* line = AddToLayout(host, new CRecorder(&tool, "CLine", false));
    auto* other = AddToLayout(host, new CRecorder(&tool, "C3D", false));
    tool.ConformTracksToTerrain();  // nothing selected
    EXPECT_EQ(track->m_nPlaced + other->m_nPlaced + track->m_nBuilt + line->m_nBuilt, 0);
    track->Select();
    line->Select();
    tool.ConformTracksToTerrain();
    EXPECT_EQ(track->m_nPlaced, 1);
    EXPECT_EQ(line->m_nPlaced, 0);
    EXPECT_EQ(line->m_nBuilt, 1);
    EXPECT_EQ(track->m_nBuilt, 1);
    EXPECT_EQ(other->m_nPlaced, 0);
}

TEST(TerrainCommands, ConformThenRestoreTerrain) {
    CTool tool;
    CTestHost host(tool);
    tool.ConformTerrain();  // no terrain at all: only the flag
    EXPECT_EQ(tool.m_bTerrainConformed, 1);

    auto* terrain = AddToLayout(host, new CTerrain(&tool));
    auto* track = AddToLayout(host, new CRecorder(&tool, "CTrack", true));
    auto* still = AddToLayout(host, new CRecorder(&tool, "CTrack", false));
    tool.ConformTerrain();
    EXPECT_EQ(terrain->m_nRebuildsSeenAtConform, 0);  // everything conforms before any rebuild
    EXPECT_EQ(track->m_nRebuildsSeenAtConform, 0);
    EXPECT_EQ(terrain->m_nRebuild, 1);
    EXPECT_EQ(terrain->m_nBuilt, 1);
    EXPECT_EQ(track->m_nBuilt, 1);
    EXPECT_EQ(still->m_nBuilt, 0);
    EXPECT_EQ(terrain->m_bConformed + track->m_bConformed, 0);

    terrain->m_nRebuild = 0;
    tool.RestoreTerrain();
    EXPECT_EQ(tool.m_bTerrainConformed, 0);
    EXPECT_EQ(terrain->m_nCleared, 1);
    EXPECT_EQ(terrain->m_nRebuild, 1);
    EXPECT_EQ(terrain->m_nBuilt, 2);
    EXPECT_EQ(track->m_nBuilt, 1);
    tool.RestoreTerrain();
    EXPECT_EQ(terrain->m_nCleared, 2);
    EXPECT_EQ(terrain->m_nBuilt, 3);
    EXPECT_EQ(track->m_nBuilt, 1);
}

namespace {

class CEndProbe : public CTestObject {
  public:
    CEndProbe(CTool* tool, int answerOnWalk)
        : CTestObject(0, tool, 0.0, 0.0), m_nAnswerOnWalk(answerOnWalk) {}
    int SnapEndAt(const CPose*, double, double, double& direction, int& passFlag, int) override {
        ++m_nAsked;
        if (m_nAsked == 1 && m_nAnswerOnWalk == 0) {
            direction = 1.25;  // reports its end direction without joining
            passFlag = 1;
            return 0;
        }
        m_fDirectionSeen = direction;
        return m_nAsked == m_nAnswerOnWalk ? 1 : 0;
    }
    int MatchProbe(const CPose*, int) override { return 7; }
    int m_nAnswerOnWalk;
    int m_nAsked = 0;
    double m_fDirectionSeen = 0.0;
};

}  // namespace

TEST(TerrainCommands, EndSearchWalksTwiceWithTheFirstWalksDirection) {
    CTool tool;
    CTestHost host(tool);
    auto* joiner = AddToLayout(host, new CEndProbe(&tool, 2));
    auto* reporter = AddToLayout(host, new CEndProbe(&tool, 0));  // the head member
    tool.FindInCurrentGroup(10.0, 20.0, 1);
    EXPECT_EQ(reporter->m_nAsked, 2);
    EXPECT_EQ(joiner->m_nAsked, 2);
    EXPECT_EQ(joiner->m_fDirectionSeen, 1.25);
    EXPECT_EQ(tool.QueryRootGroup(0), 1);  // the root group asks its unselected members
}

namespace {

// A box with its own band test: hit when its extent meets the band.
class CBandBox : public CTestBox {
  public:
    using CTestBox::CTestBox;
    CPaint* HitTest() override {
        const DeviceRect& band = m_pTool->m_rcRubberBand;
        const bool meets =
            m_fMinX < band.right && m_fMaxX > band.left && m_fMinY < band.bottom && m_fMaxY > band.top;
        return meets ? this : nullptr;
    }
};

}  // namespace

TEST(TerrainCommands, LostObjectsComeBackToTheViewCentre) {
    CTool tool;
    CTestHost host(tool);
    tool.SetViewScale(1.0, 10.0);
    auto* box = AddToLayout(host, new CTestBox(&tool, 0, 0, 100, 100));
    tool.BringLostObjectsIntoView();  // no active view: nothing happens
    EXPECT_EQ(host.m_nPlanInvalidations, 0);
    host.m_nScrollWidth = 100;
    host.m_nViewCentreX = 50;
    host.m_nViewCentreY = -50;
    tool.BringLostObjectsIntoView();
    EXPECT_EQ(host.m_nPlanInvalidations, 1);
    EXPECT_EQ(box->m_pose.x, 0.0);  // a band hits a plain object, so it is never lost
    EXPECT_EQ(tool.m_rcRubberBand, DeviceRect{});

    auto* lost = AddToLayout(host, new CBandBox(&tool, 0, 0, 100, 100));
    auto* onPage = AddToLayout(host, new CBandBox(&tool, 0, 0, 100, 100));
    lost->m_pose = CPose(50000.0, 50000.0, 0.0);
    lost->ComputeExtent(nullptr);
    // The page runs down from its top edge at y = 0.
    onPage->m_pose = CPose(1000.0, -1000.0, 0.0);
    onPage->ComputeExtent(nullptr);
    tool.BringLostObjectsIntoView();
    EXPECT_EQ(lost->m_pose.x, 450.0);  // its extent's centre lands on the view centre (500, -500)
    EXPECT_EQ(lost->m_pose.y, -550.0);
    EXPECT_EQ(lost->m_n3DUpdates, 1);
    EXPECT_EQ(onPage->m_pose.x, 1000.0);
}
