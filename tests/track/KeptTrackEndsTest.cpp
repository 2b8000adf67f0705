#include <gtest/gtest.h>

#include <iterator>
#include <ostream>
#include <vector>

#include "model/CGroup.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "tests/track/ClipboardDoc.h"
#include "tests/track/LargeLayout.h"
#include "track/CParTrack.h"
#include "track/TrackPieces.h"

// The editing engine keeps its index of track ends from one Undo to the next. Whatever came in
// between (opening another layout into the document, a paste, a group opened for editing),
// Undo of a move leaves every piece with the flags of the pass over the whole layout.

namespace {

struct Flags {
    int begin, end, attach, recheck;
    bool operator==(const Flags&) const = default;
};

[[maybe_unused]] void PrintTo(const Flags& flags, std::ostream* out) {
    *out << flags.begin << flags.end << flags.attach << flags.recheck;
}

void AddFlags(const CPaint* object, std::vector<Flags>& flags) {
    if (const auto* group = dynamic_cast<const CGroup*>(object))
        for (const CPaint* member : group->m_members) AddFlags(member, flags);
    if (const auto* piece = dynamic_cast<const CParTrack*>(object))
        flags.push_back(
            {piece->m_bBeginConnected, piece->m_bEndConnected, piece->m_bAttachMark, piece->m_bRecheck});
}

std::vector<Flags> FlagsOf(const CCVNDoc& doc) {
    std::vector<Flags> flags;
    AddFlags(&doc.m_rootGroup, flags);
    return flags;
}

int ConnectedEnds(const std::vector<Flags>& flags) {
    int count = 0;
    for (const Flags& piece : flags) count += piece.begin + piece.end;
    return count;
}

void SelectMembers(CCVNDoc& doc, int first, int count) {
    doc.m_tool.DeselectAll(0, 0);
    int at = 0;
    for (CPaint* member : doc.m_rootGroup.m_members)
        if (at++ >= first && count-- > 0)
            member->Select();
}

// Two pieces on every place: their ends leave each joint the same way, and join.
void BuildPairedLayout(CCVNDoc& doc) {
    doc.OnNewDocument();
    LargeLayout::Build(doc, 2, 50);
    LargeLayout::Build(doc, 2, 50);
}

// Moves the selection and takes the move back, with the reference made to run the whole pass.
void MoveAndUndo(CCVNDoc& doc, CCVNDoc& reference, double dx, double dy) {
    for (CCVNDoc* each : {&doc, &reference}) each->m_tool.MoveSelection(dx, dy, 0, 1, 1);
    reference.m_tool.MarkChangedOutsideUndo();
    doc.m_tool.Undo();
    reference.m_tool.Undo();
}

class KeptTrackEnds : public ::testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }
};

}  // namespace

// Opened into a document whose engine had settled its joints, a layout whose stored joints the
// pass would change (marks where pieces meet head to tail) has them all changed by the next
// Undo, as the whole pass changes them.
TEST_F(KeptTrackEnds, ALayoutOpenedIntoTheDocumentIsJoinedAsTheWholePassJoinsIt) {
    TestFolder folder;
    QuietDoc stored;
    stored.OnNewDocument();
    LargeLayout::Build(stored, 2, 50);
    LargeLayout::MarkMeetingEnds(stored);
    ASSERT_TRUE(stored.OnSaveDocument((folder / "marked.cvn").c_str()));
    const int storedEnds = ConnectedEnds(FlagsOf(stored));

    QuietDoc doc, reference;
    doc.OnNewDocument();
    LargeLayout::Build(doc, 2, 50);
    SelectMembers(doc, 10, 5);
    for (int settle = 0; settle < 3; ++settle) {
        doc.m_tool.MoveSelection(40.0, 0.0, 0, 1, 1);
        doc.m_tool.Undo();
    }
    ASSERT_TRUE(doc.OnOpenDocument((folder / "marked.cvn").c_str()));
    ASSERT_TRUE(reference.OnOpenDocument((folder / "marked.cvn").c_str()));
    ASSERT_EQ(FlagsOf(doc), FlagsOf(reference));
    SelectMembers(doc, 10, 5);
    SelectMembers(reference, 10, 5);
    MoveAndUndo(doc, reference, 300.0, 200.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    EXPECT_LT(ConnectedEnds(FlagsOf(doc)), storedEnds);
}

// A paste, and a move inside a group opened for editing, between moves and their Undo, on a
// layout whose pieces lie two by two on each other.
TEST_F(KeptTrackEnds, PasteAndGroupEditKeepTheJoinsOfTheWholePass) {
    ClipboardDoc doc, reference;
    for (ClipboardDoc* each : {&doc, &reference}) {
        BuildPairedLayout(*each);
        SelectMembers(*each, 20, 10);
    }
    MoveAndUndo(doc, reference, 500.0, 0.0);
    MoveAndUndo(doc, reference, 3.0, 4.0);
    ASSERT_EQ(FlagsOf(doc), FlagsOf(reference));

    const size_t laid = doc.m_rootGroup.m_members.size();
    for (ClipboardDoc* each : {&doc, &reference}) {
        each->m_tool.CopySelection();
        each->m_tool.Paste();
        ASSERT_EQ(each->m_rootGroup.m_members.size(), laid + 10);
    }
    ASSERT_EQ(FlagsOf(doc), FlagsOf(reference));
    MoveAndUndo(doc, reference, 7.0, -2.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    MoveAndUndo(doc, reference, 1000.0, 0.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));

    for (ClipboardDoc* each : {&doc, &reference}) {
        SelectMembers(*each, 40, 8);
        ASSERT_TRUE(each->m_tool.GroupSelection(1));
        ASSERT_TRUE(each->m_tool.EnterGroupEdit(1));
        auto* group = static_cast<CGroup*>(each->m_tool.GetCurrentGroup());
        each->m_tool.DeselectAll(0, 0);
        group->m_members.front()->Select();
    }
    MoveAndUndo(doc, reference, 6.0, 0.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    for (ClipboardDoc* each : {&doc, &reference}) {
        each->m_tool.ExitGroupEdit(1);
        SelectMembers(*each, 60, 5);
    }
    MoveAndUndo(doc, reference, 0.0, 9.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    EXPECT_GT(ConnectedEnds(FlagsOf(doc)), 0);
}

// A piece nudged by the keys joins nothing until the next pass; the next Undo, of a move
// far away, joins it where it lies now as the whole pass does.
TEST_F(KeptTrackEnds, APieceNudgedOntoAnotherJoinsAtTheNextUndo) {
    QuietDoc doc, reference;
    for (QuietDoc* each : {&doc, &reference}) {
        BuildPairedLayout(*each);
        SelectMembers(*each, 130, 1);
        each->m_tool.MoveSelection(100000.0, 0.0, 0, 1, 1);
        SelectMembers(*each, 10, 1);
    }
    MoveAndUndo(doc, reference, 40.0, 0.0);
    MoveAndUndo(doc, reference, 40.0, 0.0);
    ASSERT_EQ(FlagsOf(doc), FlagsOf(reference));
    const int apart = ConnectedEnds(FlagsOf(doc));

    for (QuietDoc* each : {&doc, &reference}) {
        SelectMembers(*each, 130, 1);
        each->m_tool.MoveSelection(-100000.0, 0.0, 0, 1, 1);
        SelectMembers(*each, 10, 1);
    }
    MoveAndUndo(doc, reference, 40.0, 0.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    EXPECT_GT(ConnectedEnds(FlagsOf(reference)), apart);
}

// Inside a turned group open for editing, pieces nudged by the keys and turned by a command
// come back with one Undo each: the saved bytes are those saved before, and the joints those of
// the whole pass.
TEST_F(KeptTrackEnds, NudgesAndTurnsInsideATurnedGroupComeBackExactly) {
    TestFolder folder;
    QuietDoc doc, reference;
    for (QuietDoc* each : {&doc, &reference}) {
        BuildPairedLayout(*each);
        SelectMembers(*each, 30, 20);
        ASSERT_TRUE(each->m_tool.GroupSelection(1));
        each->m_tool.RotateSelection(0.5, nullptr, 1, 1, 1);
        ASSERT_TRUE(each->m_tool.EnterGroupEdit(1));
        each->m_tool.DeselectAll(0, 0);
        auto* group = static_cast<CGroup*>(each->m_tool.GetCurrentGroup());
        (*std::next(group->m_members.begin(), 5))->Select();
    }
    MoveAndUndo(doc, reference, 40.0, 0.0);
    ASSERT_TRUE(doc.OnSaveDocument((folder / "before.cvn").c_str()));
    const FileBytes before = ReadFileBytes(folder / "before.cvn");
    MoveAndUndo(doc, reference, 2500.0, 700.0);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    ASSERT_TRUE(doc.OnSaveDocument((folder / "moved.cvn").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "moved.cvn"), before);
    for (QuietDoc* each : {&doc, &reference}) each->m_tool.RotateSelection(0.3, nullptr, 1, 1, 1);
    reference.m_tool.MarkChangedOutsideUndo();
    doc.m_tool.Undo();
    reference.m_tool.Undo();
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    ASSERT_TRUE(doc.OnSaveDocument((folder / "turned.cvn").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "turned.cvn"), before);
}

// An Undo the follower of track ends cannot follow (nothing known since the layout was built)
// collects the layout's ends once, for its pass over the whole layout; the next Undo of a move
// collects none.
TEST_F(KeptTrackEnds, AnUndoThatCannotFollowCollectsTheLayoutOnce) {
    QuietDoc doc, reference;
    for (QuietDoc* each : {&doc, &reference}) {
        each->OnNewDocument();
        LargeLayout::Build(*each, 2, 50);
        SelectMembers(*each, 10, 5);
    }
    doc.m_tool.MarkChangedOutsideUndo();
    const CTrackEndIndex& ends = doc.m_tool.TrackEnds();
    const unsigned long before = ends.Collections();
    MoveAndUndo(doc, reference, 40.0, 0.0);
    EXPECT_EQ(ends.Collections(), before + 1);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
    MoveAndUndo(doc, reference, 300.0, 200.0);
    EXPECT_EQ(ends.Collections(), before + 1);
    EXPECT_EQ(FlagsOf(doc), FlagsOf(reference));
}
