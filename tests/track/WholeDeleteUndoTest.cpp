#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"
#include "track/CTrack.h"
#include "track/TrackPieces.h"

namespace {

void DeleteEverythingAndUndo(CCVNDoc& doc) {
    doc.m_tool.SelectAll(0);
    doc.m_tool.DeleteSelection(1);
    ASSERT_TRUE(doc.m_rootGroup.m_members.empty());
    doc.m_tool.Undo();
}

int ConnectedEnds(CCVNDoc& doc) {
    int count = 0;
    for (CPaint* member : doc.m_rootGroup.m_members) {
        const auto* piece = static_cast<CParTrack*>(member);
        count += piece->m_bBeginConnected + piece->m_bEndConnected;
    }
    return count;
}

void AddStraight(CCVNDoc& doc, double x1, double y1, double x2, double y2) {
    auto* piece = new CTrack(0, &doc.m_tool, x1, y1);
    doc.m_rootGroup.m_members.push_front(piece);
    piece->SetOwnerGroup(&doc.m_rootGroup);
    const CPose world = doc.m_rootGroup.WorldPose(nullptr);
    piece->SetParentPose(&world);
    piece->SetEnds(x1, y1, x2, y2, 0, 0);
    piece->ComputeExtent(nullptr);
}

class NewLayout : public QuietDoc {
  public:
    NewLayout() {
        m_bAutoDelete = false;
        OnNewDocument();
    }
};

class WholeDeleteUndo : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }

    TestFolder folder;
};

}  // namespace

// One Undo of a Delete of everything gives back the layout's exact bytes: the connection pass
// after it makes the very joints the layout had, whether the program made them or the layout
// has none.
TEST_F(WholeDeleteUndo, OneUndoGivesBackTheExactBytes) {
    // The test layout's rows meet head to tail: the pass leaves their ends as built.
    NewLayout rows;
    LargeLayout::Build(rows, 4, 20);
    const FileBytes built = LargeLayout::SavedBytes(rows, folder / "built.cvn");
    DeleteEverythingAndUndo(rows);
    EXPECT_EQ(LargeLayout::SavedBytes(rows, folder / "rows.cvn"), built);

    // Branches leaving a straight's ends nearly the same way as it does, as at a turnout; the
    // first Undo's pass joins them.
    NewLayout doc;
    for (int row = 0; row < 3; ++row) {
        const double y = -1000.0 - row * 800.0;
        AddStraight(doc, 1000.0, y, 3000.0, y);
        AddStraight(doc, 1000.0, y, 3000.0, y - 50.0);
        AddStraight(doc, 3000.0, y, 1000.0, y + 50.0);
        AddStraight(doc, 3000.0, y, 5000.0, y);
    }
    DeleteEverythingAndUndo(doc);
    EXPECT_EQ(ConnectedEnds(doc), 6);  // one end at each branch point
    const FileBytes joined = LargeLayout::SavedBytes(doc, folder / "joined.cvn");
    DeleteEverythingAndUndo(doc);
    EXPECT_EQ(LargeLayout::SavedBytes(doc, folder / "branches.cvn"), joined);
}
