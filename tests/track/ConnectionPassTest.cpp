#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "model/CEditStep.h"
#include "model/CPlacement.h"
#include "model/CSnapProbe.h"
#include "model/CTrackEndIndex.h"
#include "model/CTrackEndSource.h"
#include "model/Units.h"
#include "tests/track/TrackPlan.h"

namespace {

// A random layout: pieces whose ends fall near a few shared joints (some within the joining
// tolerance, some just outside), either way round, at elevations inside and outside the
// gap, some connected already, some in turned groups inside turned groups, some with a
// stale parent placement, a curve whose ends move when it is rebuilt, two pieces meeting far
// out and one placed far away whose end comes back among the others.
class RandomLayout {
  public:
    // Without oddities: no stale parent placement and none of the edge cases.
    RandomLayout(TrackPlan& plan, unsigned seed, bool oddities = true)
        : m_plan(plan), m_random(seed), m_bOddities(oddities) {
        CGroup* root = plan.host.m_pRoot;
        if (Chance(0.3)) {
            root->m_pose = CPose(Uniform(-500, 500), Uniform(-500, 500), Uniform(0, kFullTurn));
            root->m_parentPose = CPose(Uniform(-50, 50), 0.0, Uniform(0, 1));
        }
        if (Chance(0.2))
            plan.host.m_limits.maxElevationGap = 0.0;
        for (int i = 0; i < 5; ++i) m_joints.push_back({Uniform(0, 4000), Uniform(0, 4000)});
        std::vector<CGroup*> groups{root};
        for (int i = 0; i < 3; ++i) groups.push_back(NestedGroup(groups[Index(groups.size())]));
        for (int i = 0; i < 70; ++i) Vary(AddPiece(groups[Chance(0.6) ? 0 : Index(groups.size())]));
        if (m_bOddities)
            AddEdgeCases(root);
    }

  private:
    CGroup* NestedGroup(CGroup* parent) {
        CGroup* group = NewGroup(&m_plan.tool);
        group->m_pose = CPose(Uniform(-2000, 2000), Uniform(-2000, 2000), Uniform(0, kFullTurn));
        AddToGroup(parent, group);
        return group;
    }

    CParTrack* AddPiece(CGroup* group) {
        const CDoublePoint from = NearJoint();
        if (Chance(0.6)) {
            auto* straight = AddToGroup(group, new CTrack(0, &m_plan.tool, 0.0, 0.0));
            const CDoublePoint to = NearJoint();
            straight->SetEnds(from.x, from.y, to.x, to.y, 0, 0);
            return straight;
        }
        auto* curve = AddToGroup(group, new CCircTrack(0, &m_plan.tool, 0.0, 0.0));
        const double radius = Uniform(300, 3000), start = Uniform(0, kFullTurn);
        curve->SetArc(from.x - radius * std::cos(start), from.y - radius * std::sin(start), radius, start,
                      Uniform(0.1, 3.0), 0, 0);
        if (Chance(0.05)) {
            // Rebuilt, its ends move out to a radius of one.
            curve->m_fRadius = 0.0;
            curve->RebuildShape();
        }
        return curve;
    }

    void Vary(CParTrack* piece) {
        piece->m_bBeginConnected = Chance(0.3);
        piece->m_bEndConnected = Chance(0.3);
        piece->m_bAttachMark = Chance(0.1);
        piece->m_fBeginElevation = Elevation();
        piece->m_fEndElevation = Elevation();
        if (m_bOddities && Chance(0.1))
            piece->m_parentPose.x += Chance(0.5) ? 1e-9 : Uniform(-20, 20);
        piece->RebuildShape();
    }

    void AddEdgeCases(CGroup* root) {
        // Beyond the grid, still within the plan's device coordinates.
        for (double x : {1.5e9, 1.5e9 + 5.0}) {
            auto* far = AddToGroup(root, new CTrack(0, &m_plan.tool, 0.0, 0.0));
            far->SetEnds(x, 1.6e9, x - 1000.0, 1.6e9, 0, 0);
        }
        // Placed far away, its end comes back onto a joint.
        CGroup* away = NewGroup(&m_plan.tool);
        away->m_pose = CPose(1e12, -1e12, 0.0);
        AddToGroup(root, away);
        const CDoublePoint joint = m_joints[0];
        auto* back = AddToGroup(away, new CTrack(0, &m_plan.tool, 0.0, 0.0));
        back->SetEnds(joint.x + 3.0, joint.y, joint.x + 1003.0, joint.y + Uniform(-20, 20), 0, 0);
        back->m_bBeginConnected = 1;
        // Two ends the width of a hair inside the tolerance, leaving the same way.
        const CDoublePoint side = m_joints[1];
        for (double x : {0.0, 9.9995}) {
            auto* piece = AddToGroup(root, new CTrack(0, &m_plan.tool, 0.0, 0.0));
            piece->SetEnds(side.x + x, side.y, side.x + 1000.0, side.y + x, 0, 0);
            piece->m_bBeginConnected = 1;
        }
    }

    CDoublePoint NearJoint() {
        const CDoublePoint joint = m_joints[Index(m_joints.size())];
        return {joint.x + Uniform(-12, 12), joint.y + Uniform(-12, 12)};
    }
    double Elevation() { return Chance(0.7) ? 0.0 : Uniform(0, 40); }
    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    size_t Index(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(m_random); }

    TrackPlan& m_plan;
    std::mt19937 m_random;
    std::vector<CDoublePoint> m_joints;
    bool m_bOddities;
};

// The pass as the root group answers it, every end asking every piece.
void PlainPass(CPaint* root) {
    root->SetChanged(1);
    root->UpdateConnections(nullptr, 0);
    root->UpdateConnections(nullptr, 1);
    root->SetChanged(0);
}

struct PieceState {
    int begin, end, attach, recheck, changed;
    CDoublePoint first, second, beginMarker, endMarker;
    bool operator==(const PieceState&) const = default;
};

// Failures show the flags and the ends' places.
[[maybe_unused]] void PrintTo(const PieceState& state, std::ostream* out) {
    *out << "{" << state.begin << state.end << state.attach << state.recheck << state.changed << " ("
         << state.first.x << "," << state.first.y << ")-(" << state.second.x << "," << state.second.y << ")}";
}

std::vector<PieceState> States(TrackPlan& plan) {
    std::vector<PieceState> states;
    for (CPaint* object : plan.host.AllObjects())
        if (auto* piece = dynamic_cast<CParTrack*>(object))
            states.push_back({piece->m_bBeginConnected, piece->m_bEndConnected, piece->m_bAttachMark,
                              piece->m_bRecheck, piece->m_bChanged, piece->GetEndPoint(0),
                              piece->GetEndPoint(1), piece->m_ptBeginMarker, piece->m_ptEndMarker});
    return states;
}

std::vector<PieceState> States(const std::vector<CParTrack*>& pieces) {
    std::vector<PieceState> states;
    for (CParTrack* piece : pieces)
        states.push_back({piece->m_bBeginConnected, piece->m_bEndConnected, piece->m_bAttachMark,
                          piece->m_bRecheck, piece->m_bChanged, piece->GetEndPoint(0), piece->GetEndPoint(1),
                          piece->m_ptBeginMarker, piece->m_ptEndMarker});
    return states;
}

std::vector<CParTrack*> Pieces(TrackPlan& plan) {
    std::vector<CParTrack*> pieces;
    for (CPaint* object : plan.host.AllObjects())
        if (auto* piece = dynamic_cast<CParTrack*>(object))
            pieces.push_back(piece);
    return pieces;
}

// Selects about a third of the root group's members in a random order, some of them on a
// hidden layer, so that they stay selected through a Delete.
void SelectSome(TrackPlan& plan, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<CPaint*> members(plan.host.m_pRoot->m_members.begin(), plan.host.m_pRoot->m_members.end());
    std::shuffle(members.begin(), members.end(), random);
    plan.tool.m_bLayerShown[3] = 0;
    for (size_t i = 0; i < members.size(); i += 3) {
        if (i % 5 == 0)
            members[i]->m_nLayer = 3;
        members[i]->Select();
    }
}

// Delete as it ran before it had the index of track ends: every end of every deleted member
// asks the whole layout, through the root group, to let go of it.
// Answers the place in the selection each deleted piece had when it left it.
std::vector<int> PlainDelete(TrackPlan& plan, std::vector<std::unique_ptr<CPaint>>& taken) {
    CGroup* root = plan.host.m_pRoot;
    const CPose world = root->WorldPose(nullptr);
    std::vector<CPaint*> doomed;
    for (CPaint* member : root->m_members)
        if (member->IsSelected() && plan.tool.IsLayerVisible(member->m_nLayer))
            doomed.push_back(member);
    std::vector<int> places;
    for (CPaint* member : doomed) {
        const CPaintList& selection = plan.host.m_selection;
        // A group keeps its place on the undo list as any other object does.
        places.push_back(static_cast<int>(
            std::distance(selection.begin(), std::find(selection.begin(), selection.end(), member))));
        member->Deselect();
        root->m_members.remove(member);
        member->SetChanged(1);
        member->UpdateConnections(&world, 0);
        member->SetChanged(0);
        taken.emplace_back(member);
    }
    return places;
}

// The places the Undo steps of a Delete give the members back in the selection, oldest first.
std::vector<int> RecordedPlaces(CTool& tool) {
    std::vector<int> places;
    for (int step = tool.GetUndoCount() - 1; step >= 0; --step)
        if (auto* place = tool.GetUndoStep(step)->GetPayload<SelectionPayload>())
            places.push_back(place->position);
    return places;
}

int ConnectedEnds(const std::vector<PieceState>& states) {
    int count = 0;
    for (const PieceState& state : states) count += state.begin + state.end;
    return count;
}

// Some objects selected, some changed, some on a hidden layer: the walk from the root group
// holds those back from a probe.
void HoldBackAtRandom(TrackPlan& plan, unsigned seed) {
    std::mt19937 random(seed);
    auto chance = [&random](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };
    plan.tool.m_fSnapDistance = 40.0;
    plan.tool.m_bLayerShown[3] = 0;
    for (CPaint* object : plan.host.AllObjects()) {
        object->m_bSelected = chance(0.15) ? 1 : 0;
        object->m_bChanged = chance(0.15) ? 1 : 0;
        if (chance(0.1))
            object->m_nLayer = 3;
    }
}

}  // namespace

// The index answers with the ends as they are after a piece was rebuilt.
TEST(ConnectionPass, AReshapedPieceIsLookedUpWhereItsEndsNowLie) {
    TrackPlan plan;
    CTrack* piece = plan.Straight(0.0, 0.0, 1000.0, 0.0);
    CTrackEndIndex ends;
    ends.Rebuild(plan.host.m_pRoot);
    auto asks = [&ends](double x, double y) {
        int asked = 0;
        ends.AskNear(x, y, [&asked](CPaint*, const CPose&) { return ++asked > 9; });
        return asked;
    };
    EXPECT_EQ(asks(9.0, 0.0), 1);
    EXPECT_EQ(asks(11.0, 0.0), 0);
    piece->SetEnds(500.0, 500.0, 1000.0, 0.0, 0, 0);
    EXPECT_EQ(asks(500.0, 505.0), 0);
    ends.Refresh(piece);
    EXPECT_EQ(asks(500.0, 505.0), 1);
    EXPECT_EQ(asks(0.0, 0.0), 0);
    EXPECT_EQ(asks(1000.0, 0.0), 1);
    // Points no grid cell can hold ask every piece.
    EXPECT_EQ(asks(5e9, 0.0), 1);
    // Collected again many times over, between two places, it answers at the last only.
    for (int i = 0; i < 1000; ++i) {
        piece->SetEnds(0.0, i % 2 * 300.0, 1000.0, 0.0, 0, 0);
        ends.Refresh(piece);
    }
    EXPECT_EQ(asks(0.0, 300.0), 1);
    EXPECT_EQ(asks(0.0, 0.0), 0);
    EXPECT_EQ(asks(1000.0, 0.0), 1);
    // Filed again for a wider reach and back, it answers as collected for each.
    EXPECT_EQ(asks(1050.0, 0.0), 0);
    ends.Regrid(100.0);
    EXPECT_EQ(asks(1050.0, 0.0), 1);
    ends.Regrid(0.0);
    EXPECT_EQ(asks(1050.0, 0.0), 0);
    EXPECT_EQ(asks(1005.0, 0.0), 1);
    EXPECT_EQ(ends.PlaceOf(piece), 0);
    EXPECT_EQ(ends.PlaceOf(nullptr), -1);
}

// Pieces lying on each other are asked once each and in member order, also after some were
// collected again.
TEST(ConnectionPass, PiecesOnOnePointAreAskedOnceEachInMemberOrder) {
    TrackPlan plan;
    std::vector<CPaint*> pieces;
    for (int i = 0; i < 5; ++i) plan.Straight(0.0, 0.0, 1000.0, i * 2.0);
    for (CPaint* member : plan.host.m_pRoot->m_members) pieces.push_back(member);
    CTrackEndIndex ends;
    ends.Rebuild(plan.host.m_pRoot);
    ends.Refresh(pieces[3]);
    ends.Refresh(pieces[1]);
    for (const double x : {0.0, 1000.0}) {
        std::vector<CPaint*> asked;
        ends.AskNear(x, 0.0, [&asked](CPaint* object, const CPose&) {
            asked.push_back(object);
            return false;
        });
        EXPECT_EQ(asked, pieces) << x;
    }
}

// The engine's pass after an Undo looks ends up by place; it joins and releases exactly the
// ends the plain search through the root group does.
TEST(ConnectionPass, FindsTheConnectionsThePlainSearchFinds) {
    int changedLayouts = 0, joinedLayouts = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan indexed, plain;
        RandomLayout(indexed, seed);
        RandomLayout(plain, seed);
        const std::vector<PieceState> before = States(plain);
        ASSERT_EQ(States(indexed), before);
        indexed.tool.Undo();
        PlainPass(plain.host.m_pRoot);
        const std::vector<PieceState> after = States(plain);
        EXPECT_EQ(States(indexed), after);
        joinedLayouts += ConnectedEnds(after) > 0;
        changedLayouts += after != before;
    }
    EXPECT_GE(joinedLayouts, 40);
    EXPECT_EQ(changedLayouts, 60);
}

// Where every piece lies under its own parent placement within the grid, each lets go of its
// own ends rather than being asked at every end near them; the joints come out the same.
TEST(ConnectionPass, PiecesLettingGoOfTheirOwnEndsJoinAsThePlainSearchJoins) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan indexed, plain;
        RandomLayout(indexed, seed, false);
        RandomLayout(plain, seed, false);
        indexed.tool.Undo();
        PlainPass(plain.host.m_pRoot);
        EXPECT_EQ(States(indexed), States(plain));
    }
}

// A pasted layout's members look for partners near their ends through the index; each probe
// finds the very candidate the walk from the root group finds, with hidden layers, selected
// groups and pieces, and changed ones held back as the walk holds them back.
TEST(ConnectionPass, AProbeThroughTheIndexFindsTheCandidateTheWalkFinds) {
    int probesFound = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan plan;
        RandomLayout(plan, seed);
        HoldBackAtRandom(plan, seed);
        std::vector<CDoublePoint> probes;
        for (CPaint* object : plan.host.AllObjects()) {
            if (auto* piece = dynamic_cast<CParTrack*>(object))
                for (int end = 0; end < 2; ++end) {
                    const CDoublePoint at =
                        CPlacement(piece->m_pose, piece->m_parentPose).ToWorld(piece->GetEndPoint(end));
                    probes.push_back(at);
                    probes.push_back({at.x + 15.0, at.y - 10.0});
                }
        }
        CTrackEndIndex ends;
        ends.Rebuild(plan.host.m_pRoot, plan.tool.m_fSnapDistance);
        for (const CDoublePoint& probe : probes)
            for (int mode = 0; mode < 2; ++mode) {
                TrackConnectionState& state = plan.tool.m_track;
                state.probeX = probe.x;
                state.probeY = probe.y;
                state.candidate = TrackEndCandidate{};
                const int walked = plan.tool.QueryRootGroup(mode);
                const TrackEndCandidate byWalk = state.candidate;
                state.candidate = TrackEndCandidate{};
                const CSnapProbe probe(state, ends);
                const int indexed = plan.tool.QueryRootGroup(mode);
                ASSERT_EQ(indexed, walked);
                EXPECT_EQ(state.candidate.piece, byWalk.piece);
                EXPECT_EQ(state.candidate.end, byWalk.end);
                EXPECT_EQ(state.candidate.distance, byWalk.distance);
                probesFound += walked;
            }
    }
    EXPECT_GE(probesFound, 500);
}

// After a paste the root's members look for partners; one that is sure to meet its own end
// is not asked, and the probe it is spared would have found a connection.
TEST(ConnectionPass, APieceSureToMeetItsOwnEndFindsAConnection) {
    int sure = 0, unsure = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan plan;
        RandomLayout(plan, seed);
        HoldBackAtRandom(plan, seed);
        if (seed % 8 == 0)
            plan.tool.m_fSnapDistance = 0.0;
        CGroup* root = plan.host.m_pRoot;
        CTrackEndIndex ends;
        ends.Rebuild(root, plan.tool.m_fSnapDistance);
        const CSnapProbe probe(plan.tool.m_track, ends);
        const CPose identity;
        const CPose frame = root->WorldPose(&identity);
        for (CPaint* member : root->m_members) {
            auto* source = dynamic_cast<CTrackEndSource*>(member);
            if (source == nullptr || !source->ProbeMeetsOwnEnd(frame)) {
                ++unsure;
                continue;
            }
            ++sure;
            EXPECT_EQ(member->FindConnection(nullptr), 1);
        }
    }
    EXPECT_GE(sure, 500);
    EXPECT_GE(unsure, 200);
}

// Delete of the selection lets go of the deleted members' ends through the index of track
// ends and the selection's index: the same flags and the same places in the selection as
// the walk through the whole layout, and Undo puts back the members in their order and the
// selection.
TEST(ConnectionPass, DeleteReleasesTheEndsTheWalkReleasesAndUndoRestoresTheOrder) {
    int changedLayouts = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        CSelectionIndex selectionIndex;
        TrackPlan indexed, plain;
        indexed.host.m_pSelectionIndex = &selectionIndex;
        RandomLayout(indexed, seed);
        RandomLayout(plain, seed);
        SelectSome(indexed, seed);
        SelectSome(plain, seed);
        const std::vector<CParTrack*> indexedPieces = Pieces(indexed), plainPieces = Pieces(plain);
        const std::vector<PieceState> before = States(plainPieces);
        const CPaintList members = indexed.host.m_pRoot->m_members;
        const CPaintList selection = indexed.host.m_selection;

        indexed.tool.DeleteSelection(1);
        std::vector<std::unique_ptr<CPaint>> taken;
        const std::vector<int> places = PlainDelete(plain, taken);
        EXPECT_EQ(RecordedPlaces(indexed.tool), places);
        const std::vector<PieceState> after = States(plainPieces);
        EXPECT_EQ(States(indexedPieces), after);
        EXPECT_EQ(indexed.host.m_pRoot->m_members.size(), plain.host.m_pRoot->m_members.size());
        EXPECT_EQ(indexed.host.m_selection.size(), plain.host.m_selection.size());
        changedLayouts += after != before;

        indexed.tool.Undo();
        EXPECT_EQ(indexed.host.m_pRoot->m_members, members);
        std::multiset<CPaint*> selected(indexed.host.m_selection.begin(), indexed.host.m_selection.end());
        EXPECT_EQ(selected, std::multiset<CPaint*>(selection.begin(), selection.end()));
        for (CPaint* object : members) EXPECT_EQ(object->IsSelected(), object->m_bSelected);
    }
    EXPECT_GE(changedLayouts, 50);
}

namespace {

// A straight that counts the releases asked of it.
class CountingStraight : public CTrack {
  public:
    explicit CountingStraight(CTool* tool) : CTrack(0, tool, 0.0, 0.0) {}
    int ReleaseEndAt(double x, double y, int flag) override {
        ++asked;
        return CTrack::ReleaseEndAt(x, y, flag);
    }
    // Asked at each of its two ends.
    void ReleaseOwnEnds() override {
        asked += 2;
        CTrack::ReleaseOwnEnds();
    }
    int MatchProbe(const CPose* pose, int keepOrientation) override {
        ++probed;
        return CTrack::MatchProbe(pose, keepOrientation);
    }
    int asked = 0;
    int probed = 0;
};

// A row of 400 counting straights laid end to end, their ends marked connected or not.
std::vector<CountingStraight*> CountingRow(TrackPlan& plan, int connected) {
    std::vector<CountingStraight*> row;
    for (int i = 0; i < 400; ++i) {
        auto* piece = AddToLayout(plan.host, new CountingStraight(&plan.tool));
        piece->SetEnds(i * 100.0, 0.0, i * 100.0 + 100.0, 0.0, 0, 0);
        piece->m_bBeginConnected = piece->m_bEndConnected = connected;
        row.push_back(piece);
    }
    return row;
}

int AskedOf(const std::vector<CountingStraight*>& row,
            int CountingStraight::*count = &CountingStraight::asked) {
    int asked = 0;
    for (const CountingStraight* piece : row) asked += piece->*count;
    return asked;
}

}  // namespace

// Deleting pieces asks only the pieces with an end near the deleted ends to let go, not every
// piece of the layout for every deleted end.
TEST(ConnectionPass, DeleteAsksOnlyThePiecesNearTheDeletedEnds) {
    TrackPlan plan;
    const std::vector<CountingStraight*> row = CountingRow(plan, 1);
    for (int i = 100; i < 110; ++i) row[static_cast<size_t>(i)]->Select();
    plan.tool.DeleteSelection(1);
    const int asked = AskedOf(row);
    // Each of the 20 deleted ends has two pieces on it, one of them perhaps deleted already.
    EXPECT_LE(asked, 40);
    EXPECT_EQ(row[99]->m_bEndConnected, 0);
    EXPECT_EQ(row[110]->m_bBeginConnected, 0);
    EXPECT_EQ(row[98]->m_bEndConnected, 1);
}

// The connection pass through the editing engine over the whole layout, as an Undo that does
// more than move pieces runs it; nothing is selected before or after.
void WholePassThroughTool(TrackPlan& plan) {
    plan.tool.SelectAll(1);
    plan.tool.Undo();
}

// Random moves followed by Undo, several on each layout, on layouts whose joints are as the
// pass leaves them, some with pieces left marked by an earlier edit, some moved twice before
// the Undo, some with a change of stacking order, of the limits or a duplicate in between:
// each Undo's pass, over the joints the moves touched since the last pass (or, with the
// oddities or after a change it cannot follow, over the whole layout), leaves every piece with
// the flags of the plain pass through the root group.
TEST(ConnectionPass, UndoOfAMoveJoinsWhatThePlainPassJoins) {
    int changedUndos = 0;
    for (unsigned seed = 1; seed <= 100; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan indexed, plain;
        std::mt19937 random(seed);
        auto uniform = [&random](double low, double high) {
            return std::uniform_real_distribution<double>(low, high)(random);
        };
        const bool oddities = seed % 5 == 0;
        std::vector<double> draws;
        for (int i = 0; i < 200; ++i) draws.push_back(uniform(0, 1));
        RandomLayout(indexed, seed, oddities);
        RandomLayout(plain, seed, oddities);
        WholePassThroughTool(indexed);
        PlainPass(plain.host.m_pRoot);
        for (TrackPlan* plan : {&indexed, &plain}) {
            size_t i = 0;
            for (CPaint* member : plan->host.m_pRoot->m_members) {
                auto* piece = dynamic_cast<CParTrack*>(member);
                const double draw = draws[i++ % draws.size()];
                // Left marked by an edit, as Delete leaves the pieces it let go of.
                if (piece != nullptr && draw > 0.95) {
                    piece->m_bRecheck = 1;
                    piece->m_bAttachMark = draw > 0.97;
                    piece->m_bEndConnected = 0;
                }
            }
            // A change the engine cannot follow: the next Undo's pass covers the whole layout.
            plan->tool.MarkChangedOutsideUndo();
        }
        for (int round = 0; round < 4; ++round) {
            SCOPED_TRACE(round);
            const bool far = uniform(0, 1) < 0.3, twice = uniform(0, 1) < 0.3;
            const bool settle = uniform(0, 1) < 0.2, reorder = uniform(0, 1) < 0.1;
            const bool duplicate = uniform(0, 1) < 0.05, limits = uniform(0, 1) < 0.1;
            const double dx = far ? uniform(-3000, 3000) : uniform(-15, 15);
            const double dy = far ? uniform(-3000, 3000) : uniform(-15, 15);
            const double share = uniform(0.02, 0.15), offset = uniform(0, 1);
            for (TrackPlan* plan : {&indexed, &plain}) {
                plan->tool.DeselectAll(0, 0);
                size_t i = 0;
                for (CPaint* member : plan->host.m_pRoot->m_members) {
                    const double draw = std::fmod(draws[i++ % draws.size()] + offset, 1.0);
                    if (dynamic_cast<CParTrack*>(member) != nullptr && draw < share)
                        member->Select();
                }
                if (plan->host.m_selection.empty())
                    Pieces(*plan).front()->Select();
                if (reorder)
                    plan->tool.BringToFront();
                // The preferences' limits change: ends at different heights join or part.
                if (limits)
                    plan->host.m_limits.maxElevationGap =
                        plan->host.m_limits.maxElevationGap > 0.0 ? 0.0 : 30.0;
                if (duplicate)
                    plan->tool.DuplicateSelection();
                if (twice)
                    plan->tool.MoveSelection(dy, dx, 0, 1, 1);
                plan->tool.MoveSelection(dx, dy, 0, 1, 1);
                if (settle)
                    PlainPass(plan->host.m_pRoot);
            }
            const std::vector<PieceState> moved = States(plain);
            ASSERT_EQ(States(indexed), moved);
            indexed.tool.Undo();
            plain.tool.Execute(plain.tool.GetUndoStep(0));
            plain.tool.DiscardUndoSteps(1);
            PlainPass(plain.host.m_pRoot);
            const std::vector<PieceState> after = States(plain);
            ASSERT_EQ(States(indexed), after);
            changedUndos += after != moved;
        }
    }
    EXPECT_GE(changedUndos, 150);
}

// Undo of a move of a few pieces asks only the pieces near where they lay and lie to let go,
// not every piece of the layout.
TEST(ConnectionPass, UndoOfAMoveAsksOnlyThePiecesNearIt) {
    TrackPlan plan;
    const std::vector<CountingStraight*> row = CountingRow(plan, 0);
    // The first pass joins the new pieces; the second finds every joint as the first left it.
    WholePassThroughTool(plan);
    WholePassThroughTool(plan);
    for (int i = 100; i < 110; ++i) row[static_cast<size_t>(i)]->Select();
    // Moved once or twice since the last pass; the index of track ends follows.
    for (int moves : {1, 2, 1}) {
        CDoublePoint before;
        for (int move = 0; move < moves; ++move) {
            before = row[100]->GetEndPoint(0);
            plan.tool.MoveSelection(5000.0, 3000.0 * move, 1, 1, 1);
        }
        for (CountingStraight* piece : row) piece->asked = 0;
        plan.tool.Undo();
        EXPECT_GT(AskedOf(row), 0);
        EXPECT_LE(AskedOf(row), 100);
        EXPECT_EQ(row[100]->GetEndPoint(0), before);
    }
}

namespace {

// A counting straight that takes the height the terrain has for it, and records no undo step.
class TerrainStraight : public CountingStraight {
  public:
    TerrainStraight(CTool* tool, double height) : CountingStraight(tool), m_fHeight(height) {}
    void ConformToTerrain(int) override { m_fBeginElevation = m_fEndElevation = m_fHeight; }
    double m_fHeight;
};

}  // namespace

// Once the pieces took the terrain's heights, which decide whether ends join, the next Undo of
// a move joins the whole layout again, as it cannot know which joints the heights changed.
TEST(ConnectionPass, UndoAfterTheTerrainsHeightsJoinsTheWholeLayout) {
    TrackPlan plan;
    std::vector<CountingStraight*> row;
    for (int i = 0; i < 400; ++i) {
        auto* piece = AddToLayout(plan.host, new TerrainStraight(&plan.tool, i % 2 * 500.0));
        piece->SetEnds(i * 100.0, 0.0, i * 100.0 + 100.0, 0.0, 0, 0);
        row.push_back(piece);
    }
    WholePassThroughTool(plan);
    WholePassThroughTool(plan);
    row[100]->Select();
    for (bool terrain : {false, true}) {
        plan.tool.MoveSelection(1000.0, 0.0, 0, 1, 1);
        plan.tool.Undo();
        if (terrain)
            plan.tool.ConformTerrain();
        for (CountingStraight* piece : row) piece->asked = 0;
        plan.tool.MoveSelection(1000.0, 0.0, 0, 1, 1);
        plan.tool.Undo();
        if (terrain)
            EXPECT_GE(AskedOf(row), 400);
        else
            EXPECT_LE(AskedOf(row), 20);
    }
}

namespace {

// A straight that notes whether its snap probe was handed the layout's ends by place, then
// fails.
class FailingProbe : public CTrack {
  public:
    explicit FailingProbe(CTool* tool) : CTrack(0, tool, 0.0, 0.0) {}
    int FindConnection(const CPose*) override {
        probedByPlace = m_pTool->m_track.probeEnds != nullptr;
        throw std::runtime_error("probe failed");
    }
    // Asked even where it would meet its own end.
    bool ProbeMeetsOwnEnd(const CPose&) override { return false; }
    bool probedByPlace = false;
};

}  // namespace

// Every command whose pieces probe for partners hands them the layout's ends by place while
// they probe, and takes them back when the probing ends, even by a failure.
TEST(ConnectionPass, ProbesHoldTheLayoutsEndsOnlyWhileTheyProbe) {
    const std::pair<const char*, void (*)(CTool&, CPoint)> commands[] = {
        {"paste", [](CTool& tool, CPoint) { tool.Paste(); }},
        {"drag",
         [](CTool& tool, CPoint at) {
             tool.OnLButtonDown(0, at.x, at.y);
             tool.OnMouseMove(0, at.x + 30, at.y + 20, 1);
             tool.OnLButtonUp(0, at.x + 30, at.y + 20);
         }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        TrackPlan plan;
        plan.tool.SetViewScale(1.0, 10.0);
        plan.host.m_nScrollWidth = 0;
        auto* piece = AddToGroup(plan.host.m_pRoot, new FailingProbe(&plan.tool));
        piece->SetEnds(0.0, 0.0, 1000.0, 0.0, 0, 0);
        piece->Select();
        EXPECT_THROW(command(plan.tool, plan.tool.LayoutToDevice(500.0, 0.0, 0)), std::runtime_error);
        EXPECT_TRUE(piece->probedByPlace);
        EXPECT_EQ(plan.tool.m_track.probeEnds, nullptr);
    }
}

// A probe that meets an end at no distance asks no piece after it: none could lie nearer.
TEST(ConnectionPass, AProbeStopsAtAnEndItMeetsAtNoDistance) {
    TrackPlan plan;
    std::vector<CountingStraight*> stack;
    for (int i = 0; i < 6; ++i) {
        stack.push_back(AddToLayout(plan.host, new CountingStraight(&plan.tool)));
        stack.back()->SetEnds(0.0, 0.0, 100.0, 0.0, 0, 0);
    }
    CTrackEndIndex ends;
    ends.Rebuild(plan.host.m_pRoot, plan.tool.m_fSnapDistance);
    TrackConnectionState& state = plan.tool.m_track;
    state.probeX = 100.0;
    state.probeY = 0.0;
    const CSnapProbe probe(state, ends);
    EXPECT_EQ(plan.tool.QueryRootGroup(0), 1);
    EXPECT_EQ(state.candidate.piece, plan.host.m_pRoot->m_members.front());
    EXPECT_EQ(AskedOf(stack, &CountingStraight::probed), 1);
}

// Once idle after a duplicate of a few pieces, the program joins only near the copies, and
// leaves the joints the pass over the whole layout leaves.
TEST(ConnectionPass, SettlingAfterADuplicateAsksOnlyThePiecesNearTheCopies) {
    TrackPlan near, whole;
    const std::vector<CountingStraight*> nearRow = CountingRow(near, 0), wholeRow = CountingRow(whole, 0);
    for (TrackPlan* plan : {&near, &whole}) {
        plan->tool.SettleTrackEnds();
        for (int i = 100; i < 110; ++i) Pieces(*plan)[static_cast<size_t>(i)]->Select();
        plan->tool.DuplicateSelection();
    }
    // A change the engine cannot follow: its pass covers the whole layout.
    whole.tool.MarkChangedOutsideUndo();
    for (const auto* row : {&nearRow, &wholeRow})
        for (CountingStraight* piece : *row) piece->asked = 0;
    near.tool.SettleTrackEnds();
    whole.tool.SettleTrackEnds();
    EXPECT_LE(AskedOf(nearRow), 20);
    // The whole pass has each piece let go of its own two ends, and asks no piece at another's.
    EXPECT_EQ(AskedOf(wholeRow), 800);
    EXPECT_EQ(States(near), States(whole));
    EXPECT_EQ(near.host.m_pRoot->m_members.size(), 410u);
}

namespace {

// Chains of turnouts, each a straight and a curve leaving one point the same way, the next
// turnout of a chain facing back from the curve's far end, in turned groups inside turned
// groups, with a straight beside some of them leaving the same way at the reach of a joint, a
// hair inside or outside it.
void TurnoutLayout(TrackPlan& plan, unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    std::vector<CGroup*> groups{plan.host.m_pRoot};
    auto group = [&] { return groups[std::uniform_int_distribution<size_t>(0, groups.size() - 1)(random)]; };
    for (int i = 0; i < 3; ++i) {
        CGroup* nested = NewGroup(&plan.tool);
        nested->m_pose = CPose(uniform(-2000, 2000), uniform(-2000, 2000), uniform(0, kFullTurn));
        AddToGroup(group(), nested);
        groups.push_back(nested);
    }
    for (int chain = 0; chain < 4; ++chain) {
        CDoublePoint at{uniform(0, 3000), uniform(0, 3000)};
        double heading = uniform(0, kFullTurn);
        for (int turnout = 0; turnout < 4; ++turnout) {
            const double radius = uniform(500, 3000), sweep = uniform(0.1, 0.5);
            const CDoublePoint ahead{std::cos(heading), std::sin(heading)}, left{-ahead.y, ahead.x};
            AddToGroup(group(), new CTrack(0, &plan.tool, 0.0, 0.0))
                ->SetEnds(at.x, at.y, at.x + 800.0 * ahead.x, at.y + 800.0 * ahead.y, 0, 0);
            const CDoublePoint centre{at.x + radius * left.x, at.y + radius * left.y};
            AddToGroup(group(), new CCircTrack(0, &plan.tool, 0.0, 0.0))
                ->SetArc(centre.x, centre.y, radius, std::fmod(heading + 1.5 * kPi, kFullTurn), sweep, 0, 0);
            if (uniform(0, 1) < 0.5) {
                const double reach =
                    uniform(0, 1) < 0.5 ? CParTrack::kEndTolerance : CParTrack::kEndTolerance + 1e-3;
                const double apart = reach + (uniform(0, 1) < 0.5 ? -1e-7 : 1e-7);
                const CDoublePoint from{at.x + apart * left.x, at.y + apart * left.y};
                AddToGroup(group(), new CTrack(0, &plan.tool, 0.0, 0.0))
                    ->SetEnds(from.x, from.y, from.x + 600.0 * ahead.x, from.y + 600.0 * ahead.y, 0, 0);
            }
            const double reached = heading - kPi / 2 + sweep;
            at = {centre.x + radius * std::cos(reached), centre.y + radius * std::sin(reached)};
            heading = std::fmod(heading + sweep + kPi, kFullTurn);
        }
    }
}

}  // namespace

// A layout of turnouts duplicated whole, its copies moved back onto the originals, then a few
// pieces moved at a time and the move taken back, the joints settled now and then as the
// program settles them while idle: each Undo's pass near the moved pieces leaves every piece
// as the pass over the whole layout does, also at a joint it does not join again whose
// outcome hangs on a mark of a piece that it changes.
TEST(ConnectionPass, UndoAmongCopiesMovedOntoTheirOriginalsJoinsAsTheWholePass) {
    int nearPasses = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        TrackPlan near, whole;
        for (TrackPlan* plan : {&near, &whole}) {
            TurnoutLayout(*plan, seed);
            WholePassThroughTool(*plan);
            plan->tool.SelectAll(0);
            plan->tool.DuplicateSelection();
            if (seed % 2 == 0)
                plan->tool.SettleTrackEnds();
            const CDoublePoint offset = plan->tool.DeviceToLayout(127.0, -127.0);
            plan->tool.MoveSelection(-offset.x, -offset.y, 0, 1, 1);
            if (seed % 3 == 0)
                plan->tool.SettleTrackEnds();
        }
        std::mt19937 random(seed);
        for (int round = 0; round < 4; ++round) {
            SCOPED_TRACE(round);
            const double step = std::uniform_real_distribution<double>(-15, 15)(random);
            const auto pick = static_cast<unsigned>(random());
            for (TrackPlan* plan : {&near, &whole}) {
                plan->tool.DeselectAll(0, 0);
                const std::vector<CParTrack*> pieces = Pieces(*plan);
                for (size_t i = 0; i < pieces.size(); ++i)
                    if (pieces[i]->m_pOwnerGroup == plan->host.m_pRoot && (pick >> (i % 32) & 7) == 0)
                        pieces[i]->Select();
                plan->tool.MoveSelection(step, -step, 0, 1, 1);
                if (pick % 3 == 0)
                    plan->tool.SettleTrackEnds();
            }
            ASSERT_EQ(States(near), States(whole));
            const unsigned long passedBefore = near.tool.PiecesPassedOver();
            near.tool.Undo();
            nearPasses += near.tool.PiecesPassedOver() - passedBefore < Pieces(near).size();
            // A change the engine cannot follow: its pass covers the whole layout.
            whole.tool.MarkChangedOutsideUndo();
            whole.tool.Undo();
            ASSERT_EQ(States(near), States(whole));
        }
    }
    EXPECT_GE(nearPasses, 600);
}
