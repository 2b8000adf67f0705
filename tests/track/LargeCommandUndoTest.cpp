#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>
#include <vector>

#include "model/CEditStep.h"
#include "model/CTool.h"
#include "tests/support/ByteDigest.h"
#include "tests/support/TestFolder.h"
#include "tests/track/ClipboardDoc.h"
#include "model/Units.h"
#include "track/CParTrack.h"
#include "track/TrackEnds.h"
#include "track/TrackPieces.h"

// Commands on more pieces than the undo list holds steps: one Undo takes back all of the
// command, and the layout saves the very bytes it saved before it.
namespace {

constexpr int kPiecesPerRow = 100;

class NewLayout : public ClipboardDoc {
  public:
    explicit NewLayout(int rows) {
        m_bAutoDelete = false;
        OnNewDocument();
        LargeLayout::Build(*this, rows, kPiecesPerRow);
    }
};

class LargeCommandUndo : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }

    FileBytes Saved(NewLayout& doc, const char* name) {
        return LargeLayout::SavedBytes(doc, folder / (std::string(name) + ".cvn"));
    }

    // Runs the command and one Undo, which must leave the list empty at the saved state.
    template <class Command>
    void RunAndUndo(NewLayout& doc, const char* name, Command command) {
        command(doc.m_tool);
        doc.m_tool.Undo();
        EXPECT_EQ(doc.m_tool.GetUndoCount(), 0) << name;
        EXPECT_FALSE(doc.IsModified()) << name;
    }

    TestFolder folder;
};

}  // namespace

TEST_F(LargeCommandUndo, DeleteOfEveryPieceComesBackWhole) {
    for (const int rows : {50, 500}) {
        NewLayout doc(rows);
        const size_t pieces = static_cast<size_t>(rows) * kPiecesPerRow;
        // An earlier command that the Delete's steps push off the list.
        doc.m_tool.SelectAll(1);
        const FileBytes before = Saved(doc, "before");
        RunAndUndo(doc, "delete", [&](CTool& tool) {
            tool.DeleteSelection(1);
            ASSERT_TRUE(doc.m_rootGroup.m_members.empty());
            // Its order, and a re-insert and a select per piece; nothing before it.
            ASSERT_EQ(tool.GetUndoCount(), static_cast<int>(2 * pieces + 1));
            EXPECT_EQ(tool.GetUndoStep(static_cast<int>(2 * pieces))->m_nKind, kStepRestoreOrder);
        });
        EXPECT_EQ(doc.m_rootGroup.m_members.size(), pieces);
        EXPECT_EQ(Saved(doc, "after"), before) << rows;
    }
}

// Saving takes most of the time under the sanitizers: the layout is saved once after both.
TEST_F(LargeCommandUndo, PasteAndNudgeOfFiftyThousandPiecesComeBackWhole) {
    NewLayout doc(500);
    CTool& tool = doc.m_tool;
    tool.SelectAll(0);
    tool.CopySelection();
    const FileBytes before = Saved(doc, "before");
    RunAndUndo(doc, "paste", [&](CTool& engine) {
        engine.Paste();
        ASSERT_EQ(doc.m_rootGroup.m_members.size(), 100000u);
    });
    EXPECT_EQ(doc.m_rootGroup.m_members.size(), 50000u);
    EXPECT_EQ(tool.GetSelectedCount(), 50000);
    RunAndUndo(doc, "nudge", [&](CTool& engine) { engine.MoveSelection(10.0, 0.0, 0, 1, 1); });
    EXPECT_EQ(Saved(doc, "after"), before);
}

// Closing after a command looks at each undo step at most once, not once per piece freed.
TEST_F(LargeCommandUndo, CloseAfterACommandSweepsEachStepAtMostOnce) {
    const std::pair<const char*, void (*)(CTool&)> commands[] = {
        {"paste", [](CTool& tool) { tool.Paste(); }},
        {"nudge", [](CTool& tool) { tool.MoveSelection(10.0, 0.0, 0, 1, 1); }},
        {"delete", [](CTool& tool) { tool.DeleteSelection(1); }},
    };
    for (const auto& [name, command] : commands) {
        NewLayout doc(50);
        CTool& tool = doc.m_tool;
        tool.SelectAll(0);
        tool.CopySelection();
        command(tool);
        const unsigned long steps = static_cast<unsigned long>(tool.GetUndoCount());
        const unsigned long before = tool.StepsSwept();
        doc.DeleteContents();
        EXPECT_TRUE(doc.m_rootGroup.m_members.empty()) << name;
        EXPECT_LE(tool.StepsSwept() - before, steps) << name;
    }
}

// Each whole-layout command leaves the very layout it left before it was made faster, pasted
// copies landing on the ends of the ones before them included, and each Undo the layout
// before its command.
TEST_F(LargeCommandUndo, WholeLayoutCommandsLeaveTheLayoutsTheyAlwaysLeft) {
    struct Row {
        const char* name;
        void (*command)(CTool&);
        std::uint64_t digest;
    };
    void (*const undo)(CTool&) = [](CTool& tool) { tool.Undo(); };
    void (*const paste)(CTool&) = [](CTool& tool) { tool.Paste(); };
    void (*const duplicate)(CTool&) = [](CTool& tool) { tool.DuplicateSelection(); };
    const Row rows[] = {
        {"paste", paste, 16249055912258418849ull},
        {"second paste", paste, 8103694607165887880ull},
        {"third paste", paste, 8478642300608995375ull},
        {"undo", undo, 8103694607165887880ull},
        {"undo", undo, 16249055912258418849ull},
        {"undo", undo, 14003997320927503190ull},
        {"duplicate", duplicate, 12810311319860122341ull},
        {"duplicate again", duplicate, 10847011065203391784ull},
        {"undo", undo, 12810311319860122341ull},
        {"undo", undo, 14003997320927503190ull},
        {"select all", [](CTool& tool) { tool.SelectAll(1); }, 14003997320927503190ull},
        {"delete", [](CTool& tool) { tool.DeleteSelection(1); }, 9654383855244924596ull},
        {"undo", undo, 14003997320927503190ull},
    };
    NewLayout doc(2);
    // As the program settles a layout opened, while waiting for the user.
    doc.m_tool.SettleTrackEnds();
    doc.m_tool.SelectAll(0);
    doc.m_tool.CopySelection();
    std::vector<FileBytes> beforeCommands{Saved(doc, "layout")};
    for (const Row& row : rows) {
        row.command(doc.m_tool);
        const FileBytes bytes = Saved(doc, row.name);
        if (row.command == undo) {
            beforeCommands.pop_back();
            EXPECT_EQ(bytes, beforeCommands.back()) << row.name << " " << beforeCommands.size();
        } else {
            beforeCommands.push_back(bytes);
        }
        EXPECT_EQ(ByteDigest(bytes), row.digest) << row.name;
    }
}

// A few pieces pasted three times onto each other, and duplicated, into a larger layout: the
// joints settled near them once idle save the bytes the pass over the whole layout saves, and
// so does each Undo after them.
TEST_F(LargeCommandUndo, SettlingNearPastedPiecesSavesWhatTheWholePassSaves) {
    void (*const paste)(CTool&) = [](CTool& tool) { tool.Paste(); };
    void (*const duplicate)(CTool&) = [](CTool& tool) { tool.DuplicateSelection(); };
    void (*const undo)(CTool&) = [](CTool& tool) { tool.Undo(); };
    NewLayout near(20), whole(20);
    for (NewLayout* doc : {&near, &whole}) {
        doc->m_tool.SettleTrackEnds();
        auto member = doc->m_rootGroup.m_members.begin();
        for (int i = 0; i < 30; ++i) (*member++)->Select();
        doc->m_tool.CopySelection();
    }
    for (void (*command)(CTool&) : {paste, paste, paste, duplicate, undo, undo, undo, undo}) {
        command(near.m_tool);
        command(whole.m_tool);
        near.m_tool.SettleTrackEnds();
        whole.m_tool.MarkChangedOutsideUndo();
        whole.m_tool.SettleTrackEnds();
        EXPECT_EQ(Saved(near, "near"), Saved(whole, "whole"));
    }
    EXPECT_EQ(near.m_rootGroup.m_members.size(), 2000u);
}

// Pastes landing on each other lay three and four ends of one way on one point. Settling after
// each joins one of them, in one pass over the pieces there; settling again finds nothing to do.
TEST_F(LargeCommandUndo, StackedPastesSettleInOnePassAndJoinOneEndAtEachPoint) {
    NewLayout doc(2);
    CTool& tool = doc.m_tool;
    tool.SettleTrackEnds();
    tool.SelectAll(0);
    tool.CopySelection();
    for (int paste = 0; paste < 4; ++paste) {
        tool.Paste();
        const unsigned long before = tool.PiecesPassedOver();
        tool.SettleTrackEnds();
        EXPECT_LE(tool.PiecesPassedOver() - before, doc.m_rootGroup.m_members.size()) << paste;
        const FileBytes settled = Saved(doc, "settled");
        tool.SettleTrackEnds();
        EXPECT_EQ(Saved(doc, "again"), settled) << paste;
        // The ends of one way at one point, each with how many of them are joined.
        std::map<std::tuple<long, long, int>, std::pair<int, int>> joints;
        for (CPaint* member : doc.m_rootGroup.m_members)
            for (int end = 0; end < 2; ++end) {
                CParTrack& piece = *AsTrackPiece(member);
                const CDoublePoint at = WorldEnd(piece, end);
                const long degrees = std::lround(piece.GetEndAngle(nullptr, end) * 180.0 / kPi) % 360;
                auto& [ends, joined] = joints[{std::lround(at.x), std::lround(at.y), degrees}];
                ++ends;
                joined += end == 0 ? piece.m_bBeginConnected : piece.m_bEndConnected;
            }
        for (const auto& [point, count] : joints) EXPECT_EQ(count.second, count.first > 1 ? 1 : 0) << paste;
    }
}
