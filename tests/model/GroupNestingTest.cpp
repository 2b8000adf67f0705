#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "model/CCVNDoc.h"
#include "platform/base/CWinPath.h"
#include "tests/gdi/Canvas.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/RecordingDoc.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

namespace {

using Bytes = std::vector<BYTE>;

// A shape that counts how often it is asked its frame box, given an owner, given the
// placement of its group, drawn and hit-tested.
class CCountingShape : public CTestShape {
    DECLARE_SERIAL(CCountingShape)

  public:
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override {
        ++s_nBoundsAsked;
        CTestShape::GetFrameBounds(pose, minX, minY, maxX, maxY);
    }
    void SetOwnerGroup(CGroup* group) override {
        ++s_nOwnersGiven;
        CTestShape::SetOwnerGroup(group);
    }
    void SetParentPose(const CPose* pose) override {
        ++s_nParentPosesGiven;
        CTestShape::SetParentPose(pose);
    }
    int Draw(const CPose* parent) override {
        ++s_nDrawn;
        return CTestShape::Draw(parent);
    }
    CPaint* HitTest() override {
        ++s_nHitTested;
        return CTestShape::HitTest();
    }
    void RecalcDeviceBounds() override {
        ++s_nDeviceBoundsMade;
        CTestShape::RecalcDeviceBounds();
    }
    static void ResetCounts() {
        s_nBoundsAsked = s_nOwnersGiven = s_nParentPosesGiven = s_nDrawn = s_nHitTested =
            s_nDeviceBoundsMade = 0;
    }
    static inline int s_nBoundsAsked = 0;
    static inline int s_nOwnersGiven = 0;
    static inline int s_nParentPosesGiven = 0;
    static inline int s_nDrawn = 0;
    static inline int s_nHitTested = 0;
    static inline int s_nDeviceBoundsMade = 0;
};

IMPLEMENT_SERIAL(CCountingShape, CTestShape, 1)

// A box a layout file keeps: its corners are its points.
class CSavedBox : public CTestBox {
    DECLARE_SERIAL(CSavedBox)

  public:
    CSavedBox() : CTestBox(nullptr, 0.0, 0.0, 0.0, 0.0) {}
    CSavedBox(CTool* tool, double x, double y, double width = 5080.0, double height = 2540.0)
        : CTestBox(tool, 0.0, 0.0, width, height) {
        m_pose = CPose(x, y, 0.0);
    }
};

IMPLEMENT_SERIAL(CSavedBox, CPaint, 1)

// A document whose error messages are kept instead of shown.
class ErrorRecordingDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_reported.push_back(text); }
    std::vector<CString> m_reported;
};

class GroupNesting : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }

    static Bytes Save(CCVNDoc& doc) { return SaveLayoutBytes(doc); }

    // A layout of groups each holding the next, each turned by the angle in the one around it
    // (every second one the other way when alternating), the innermost holding the shape when given.
    static Bytes NestedLayout(int depth, CPaint* (*innermost)(CTool*), double turn = 0.0,
                              bool alternating = false) {
        CCVNDoc doc;
        EXPECT_TRUE(doc.OnNewDocument());
        CGroup* group = &doc.m_rootGroup;
        for (int level = 0; level < depth; ++level) {
            group = AddToGroup(group, NewGroup(&doc.m_tool));
            group->m_pose.angle = alternating && level % 2 == 1 ? -turn : turn;
        }
        if (innermost != nullptr)
            AddToGroup(group, innermost(&doc.m_tool));
        return Save(doc);
    }

    static CPaint* CountingShape(CTool* tool) {
        auto* shape = new CCountingShape;
        shape->SetTool(tool);
        return shape;
    }

    static CPaint* Square(CTool* tool) { return new CSavedBox(tool, 0.0, 0.0, 80.0, 80.0); }

    // The bytes saved after opening the layout, and after opening those bytes again.
    std::pair<Bytes, Bytes> SavedTwice(const Bytes& layout) {
        RecordingDoc first, second;
        EXPECT_TRUE(Open(first, layout));
        const Bytes once = Save(first);
        EXPECT_TRUE(Open(second, once));
        return {once, Save(second)};
    }

    // Groups each holding the next, written as the document's library.
    Bytes NestedLibrary(int depth) {
        CCVNDoc doc;
        EXPECT_TRUE(doc.OnNewDocument());
        CGroup* group = &doc.m_libraryGroup;
        for (int level = 0; level < depth; ++level) group = AddToGroup(group, NewGroup(&doc.m_tool));
        const std::filesystem::path path = m_folder / "written.cvl";
        doc.m_strLibraryPath = CWinPath::FromReal(path);
        EXPECT_TRUE(doc.WriteLibrary());
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The file of empty groups nested to any depth, built from the files of two and three levels
    // without making (or recursing through) the deep one: each level adds the same bytes.
    static Bytes Deepened(const Bytes& two, const Bytes& three, int depth) {
        const auto split = std::mismatch(two.begin(), two.end(), three.begin()).first - two.begin();
        const Bytes level(three.begin() + split, three.begin() + split + (three.size() - two.size()));
        Bytes deep(two.begin(), two.begin() + split);
        for (int i = 2; i < depth; ++i) deep.insert(deep.end(), level.begin(), level.end());
        deep.insert(deep.end(), two.begin() + split, two.end());
        return deep;
    }

    static Bytes DeepLayout(int depth) {
        return Deepened(NestedLayout(2, nullptr), NestedLayout(3, nullptr), depth);
    }

    bool Open(RecordingDoc& doc, const Bytes& bytes) {
        const std::string path = (m_folder / "nested.cvn").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return doc.OnOpenDocument(path.c_str()) != FALSE;
    }

    static int Depth(const CGroup& root) {
        int depth = 0;
        for (const CGroup* group = &root; !group->m_members.empty(); ++depth) {
            group = dynamic_cast<const CGroup*>(group->m_members.front());
            if (group == nullptr)
                break;
        }
        return depth;
    }

    // Groups the objects as the Group command does, and turns the group about its origin.
    static CPaint* GroupAndTurn(CCVNDoc& doc, std::initializer_list<CPaint*> objects, double degrees) {
        doc.m_tool.DeselectAll(0, 0);
        for (CPaint* object : objects) object->SelectWithUndo(0, 0);
        doc.m_tool.GroupSelection(0);
        CPaint* group = doc.m_rootGroup.m_members.front();
        const CDoublePoint pivot = group->LocalToWorld(0.0, 0.0);
        group->RotateFromSavedPose(degrees * kPi / 180.0, pivot.x, pivot.y, 0);
        return group;
    }

    // Two boxes grouped and turned, grouped with a third and turned again, then grouped with a
    // fourth; the boxes moved by the shift along x and 0.7 times it along y.
    static Bytes TurnedGroupsInGroups(double middleTurn = 15.0, double shift = 0.0) {
        CCVNDoc doc;
        EXPECT_TRUE(doc.OnNewDocument());
        const auto box = [&doc, shift](double x, double y) {
            return AddToGroup(&doc.m_rootGroup, new CSavedBox(&doc.m_tool, x + shift, y + 0.7 * shift));
        };
        CPaint* a = box(0.0, 0.0);
        CPaint* b = box(6350.0, 3810.0);
        CPaint* c = box(-5080.0, -2540.0);
        CPaint* d = box(-12700.0, -7620.0);
        CPaint* inner = GroupAndTurn(doc, {a, b}, 30.0);
        CPaint* middle = GroupAndTurn(doc, {inner, c}, middleTurn);
        GroupAndTurn(doc, {middle, d}, 0.0);
        return Save(doc);
    }

    // The frames every group gets from measuring its members' contents, members first.
    static void RefitFromContents(CGroup& group) {
        for (CPaint* member : group.m_members)
            if (auto* inner = dynamic_cast<CGroup*>(member))
                RefitFromContents(*inner);
        group.RecalcFrame();
    }

    TestFolder m_folder;
};

TEST_F(GroupNesting, OpeningAsksTheInnermostObjectOnce) {
    for (const int depth : {10, 20}) {
        const Bytes bytes = NestedLayout(depth, CountingShape);
        CCountingShape::ResetCounts();
        RecordingDoc doc;
        ASSERT_TRUE(Open(doc, bytes));
        // The innermost group's frame asks for it; every level above is fitted to the frame of
        // the group it holds.
        EXPECT_EQ(CCountingShape::s_nBoundsAsked, 1) << depth;
        // Reading gives the object its group once; the document then gives every object its
        // owner once more.
        EXPECT_EQ(CCountingShape::s_nOwnersGiven, 1) << depth;
        EXPECT_EQ(Depth(doc.m_rootGroup), depth);
    }
}

TEST_F(GroupNesting, OpeningAsksTheInnermostObjectOfTurnedGroupsAFixedNumberOfTimes) {
    // Every group stands for its contents by the outline its own fit kept, turned or not.
    std::vector<int> asked;
    for (const int depth : {20, 40}) {
        const Bytes bytes = NestedLayout(depth, CountingShape, 0.5);
        CCountingShape::ResetCounts();
        RecordingDoc doc;
        ASSERT_TRUE(Open(doc, bytes));
        asked.push_back(CCountingShape::s_nBoundsAsked);
    }
    EXPECT_EQ(asked[0], asked[1]);
    EXPECT_LT(asked[0], 20);
}

TEST_F(GroupNesting, PlacingDrawingAndHitTestingVisitTheInnermostObjectAFixedNumberOfTimes) {
    // Opening hands the placements down once after every frame is fitted, and drawing, hit
    // testing and recomputing the extents pass each level once: the object below is visited
    // equally often at any depth, so this work grows linearly with the depth.
    struct Visits {
        int placed, drawn, hit, extentsMade;
    };
    std::vector<Visits> visits;
    for (const int depth : {10, 20, 40}) {
        const Bytes bytes = NestedLayout(depth, CountingShape);
        CCountingShape::ResetCounts();
        RecordingDoc doc;
        ASSERT_TRUE(Open(doc, bytes));
        const int placed = CCountingShape::s_nParentPosesGiven;
        Canvas canvas(50, 50);
        doc.m_tool.SetTargetDC(&canvas.dc, nullptr);
        doc.m_tool.DrawLayout();
        doc.m_tool.SetTargetDC(nullptr, nullptr);
        doc.m_rootGroup.HitTest();
        const int madeBefore = CCountingShape::s_nDeviceBoundsMade;
        doc.m_rootGroup.ComputeExtent(nullptr);
        visits.push_back({placed, CCountingShape::s_nDrawn, CCountingShape::s_nHitTested,
                          CCountingShape::s_nDeviceBoundsMade - madeBefore});
    }
    for (const Visits& at : visits) {
        EXPECT_EQ(at.placed, 2);  // once as it is read, once when the frames are fitted
        EXPECT_EQ(at.drawn, 1);
        EXPECT_EQ(at.hit, 1);
        EXPECT_EQ(at.extentsMade, visits.front().extentsMade);
    }
}

TEST_F(GroupNesting, TurnedGroupsInGroupsOpenWithTheFramesOfTheirContents) {
    const Bytes built = TurnedGroupsInGroups();
    RecordingDoc doc;
    ASSERT_TRUE(Open(doc, built));
    const Bytes saved = Save(doc);
    // Every frame read is, to the last bit, the one measuring its group's contents gives ...
    RecordingDoc refitted;
    LoadLayoutBytes(refitted, built);
    for (CPaint* member : refitted.m_rootGroup.m_members) RefitFromContents(*static_cast<CGroup*>(member));
    EXPECT_EQ(Save(refitted), saved);
    // ... and the layout saved then opens and saves byte for byte.
    RecordingDoc again;
    ASSERT_TRUE(Open(again, saved));
    EXPECT_EQ(Save(again), saved);
}

// A square and a diamond around the same middle, their eight corners all on the hull, in a group
// turned an eighth of a turn: each corner of the square then bounds the frame around on its side.
TEST_F(GroupNesting, EveryHullCornerBeyondTheExtremeFourBoundsTheTurnedFrameAround) {
    CCVNDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CGroup* outer = AddToGroup(&doc.m_rootGroup, NewGroup(&doc.m_tool));
    CGroup* inner = AddToGroup(outer, NewGroup(&doc.m_tool));
    inner->m_pose.angle = kPi / 4.0;
    AddToGroup(inner, new CSavedBox(&doc.m_tool, -1000.0, -1000.0, 2000.0, 2000.0));
    const double side = 1200.0 * std::sqrt(2.0);
    AddToGroup(inner, new CSavedBox(&doc.m_tool, 0.0, -1200.0, side, side))->m_pose.angle = kPi / 4.0;
    outer->RecalcFrames();
    EXPECT_NEAR(outer->m_fFrameWidth, 2000.0 * std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(outer->m_fFrameHeight, 2000.0 * std::sqrt(2.0), 1e-6);
}

TEST_F(GroupNesting, TurnedFramesAreExactAtAnyDepth) {
    for (const int depth : {16, 100, 999}) {
        RecordingDoc doc;
        ASSERT_TRUE(Open(doc, NestedLayout(depth, Square, 0.1)));
        const auto* outer = static_cast<const CGroup*>(doc.m_rootGroup.m_members.front());
        const double a = (depth - 1) * 0.1;
        EXPECT_NEAR(outer->m_fFrameWidth, 80.0 * (std::abs(std::cos(a)) + std::abs(std::sin(a))), 1e-9)
            << depth;
    }
}

TEST_F(GroupNesting, TurnedGroupsSavedByTheProgramSaveAgainByteForByte) {
    const Bytes layouts[] = {TurnedGroupsInGroups(80.0, 1234.5678),
                             NestedLayout(20, Square, kPi / 4.0, true)};
    for (const Bytes& layout : layouts) {
        const auto [once, twice] = SavedTwice(layout);
        EXPECT_TRUE(once == twice) << &layout - layouts;
    }
}

TEST_F(GroupNesting, TheBuiltDeepFilesAreTheSavedOnes) {
    EXPECT_EQ(DeepLayout(5), NestedLayout(5, nullptr));
    EXPECT_EQ(Deepened(NestedLibrary(2), NestedLibrary(3), 5), NestedLibrary(5));
}

TEST_F(GroupNesting, ALayoutNestedFarBeyondAnyRealOneFailsWithTheFileError) {
    for (const int depth : {CGroup::kMaxNesting, 100000}) {
        RecordingDoc doc;
        EXPECT_FALSE(Open(doc, DeepLayout(depth))) << depth;
        ASSERT_EQ(doc.m_errors.size(), 1u) << depth;
        EXPECT_NE(doc.m_errors[0].Find("unexpected error"), -1) << doc.m_errors[0].c_str();
        EXPECT_TRUE(doc.m_rootGroup.m_members.empty());
    }
}

TEST_F(GroupNesting, ALibraryNestedFarBeyondAnyRealOneIsNotRead) {
    const Bytes two = NestedLibrary(2), three = NestedLibrary(3);
    for (const int depth : {CGroup::kMaxNesting - 1, CGroup::kMaxNesting, 100000}) {
        const Bytes bytes = Deepened(two, three, depth);
        const std::filesystem::path path = m_folder / "deep.cvl";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ErrorRecordingDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_strLibraryPath = CWinPath::FromReal(path);
        const bool accepted = depth < CGroup::kMaxNesting;
        EXPECT_EQ(doc.ReadLibrary() != FALSE, accepted) << depth;
        EXPECT_EQ(doc.m_reported.size(), accepted ? 0u : 1u) << depth;
        EXPECT_EQ(doc.m_libraryGroup.m_members.size(), accepted ? 1u : 0u) << depth;
    }
}

TEST_F(GroupNesting, TheDeepestLayoutReadIsDrawnHitTestedAndSavedTheSame) {
    const int depth = CGroup::kMaxNesting - 1;
    const Bytes bytes = DeepLayout(depth);
    RecordingDoc doc;
    ASSERT_TRUE(Open(doc, bytes)) << (doc.m_errors.empty() ? "" : doc.m_errors[0].c_str());
    EXPECT_EQ(Depth(doc.m_rootGroup), depth);

    Canvas canvas(100, 100);
    doc.m_tool.SetTargetDC(&canvas.dc, nullptr);
    doc.m_tool.DrawLayout();
    doc.m_tool.DrawUnselectedObjects();
    doc.m_tool.SetTargetDC(nullptr, nullptr);
    EXPECT_EQ(canvas.CountColor(kWhite, CRect(0, 0, 100, 100)), 100 * 100);  // empty groups show nothing
    EXPECT_EQ(doc.m_rootGroup.HitTest(), nullptr);
    // Saved as read (the library's names aside, which every layout reads anew) and read back.
    const Bytes saved = Save(doc);
    EXPECT_EQ(saved.size(), bytes.size());
    RecordingDoc again;
    ASSERT_TRUE(Open(again, saved));
    EXPECT_EQ(Save(again), saved);
}

}  // namespace
