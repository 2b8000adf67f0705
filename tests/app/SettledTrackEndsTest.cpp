#include <memory>
#include <vector>

#include "model/CGroup.h"
#include "model/CTrackEndIndex.h"
#include "model/CTrackEndSource.h"
#include "platform/base/CRuntimeClass.h"
#include "tests/app/RunningProgram.h"
#include "tests/track/LargeLayout.h"
#include "track/CParTrack.h"

// The program settles an opened layout's index of track ends while it waits for the user, so
// that even the first Undo of a move joins only near the moved pieces.

namespace {

class SettledTrackEnds : public RunningProgram {
  protected:
    // Every piece's joint flags, in member order.
    static std::vector<unsigned> FlagsOf(CCVNDoc& layout) {
        std::vector<unsigned> flags;
        for (CPaint* member : layout.m_rootGroup.m_members)
            if (auto* piece = dynamic_cast<CParTrack*>(member))
                flags.push_back((piece->m_bBeginConnected ? 1u : 0u) | (piece->m_bEndConnected ? 2u : 0u) |
                                (piece->m_bAttachMark ? 4u : 0u) | (piece->m_bChanged ? 8u : 0u));
        return flags;
    }
};

}  // namespace

TEST_F(SettledTrackEnds, AnOpenedLayoutIsJoinedWhileIdleAndItsFirstUndoOfAMoveJoinsOnlyNearIt) {
    ASSERT_TRUE(Start());
    const std::filesystem::path path = folder / "club.cvn";
    CCVNDoc* made = ActiveLayout();
    LargeLayout::Build(*made, 5);
    LargeLayout::MarkMeetingEnds(*made);
    // Made in code, as an edit the index cannot follow; once idle, joined as the program joins.
    made->m_tool.ClearUndoList();
    host.RunUntilIdle();
    // The pass let go of the marks of ends meeting head to tail; where it changed joints, they
    // were joined again at once, so that nothing is left over for the first Undo.
    EXPECT_TRUE(made->m_tool.TrackEndFollower().Settled(made->GetTrackLimits()));
    EXPECT_TRUE(made->m_tool.TrackEndFollower().Unsettled().empty());
    ASSERT_TRUE(made->OnSaveDocument(path.c_str()));
    made->OnCloseDocument();
    host.RunUntilIdle();

    auto* layout = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(layout, nullptr);
    CTool& tool = layout->m_tool;
    const TrackLimits limits = layout->GetTrackLimits();
    ASSERT_FALSE(tool.TrackEndFollower().Settled(limits));
    const std::vector<unsigned> opened = FlagsOf(*layout);
    const std::vector<BYTE> bytes = Stored(*layout);
    // With a drawing tool chosen a piece may be half made between clicks: the pass waits.
    Main().SendMessage(WM_COMMAND, ID_TOOL_LINE);
    host.RunUntilIdle();
    EXPECT_FALSE(tool.TrackEndFollower().Settled(limits));
    Main().SendMessage(WM_COMMAND, ID_TOOL_SELECTOR);
    host.RunUntilIdle();
    EXPECT_TRUE(tool.TrackEndFollower().Settled(limits));
    EXPECT_EQ(FlagsOf(*layout), opened);
    EXPECT_EQ(Stored(*layout), bytes);
    EXPECT_FALSE(layout->IsModified());

    // The idle pass collected the layout's ends; the Undo collects them no more.
    const unsigned long collections = tool.TrackEnds().Collections();
    auto member = layout->m_rootGroup.m_members.begin();
    for (int i = 0; i < 100; ++i) (*member++)->Select();
    tool.MoveSelection(500.0, 300.0, 0, 1, 1);
    host.RunUntilIdle();
    tool.Undo();
    EXPECT_EQ(tool.TrackEnds().Collections(), collections);
    EXPECT_TRUE(tool.TrackEndFollower().Settled(limits));
    EXPECT_EQ(FlagsOf(*layout), opened);
    EXPECT_EQ(Stored(*layout), bytes);
}

// The index asks each object for its track ends without a cross cast: every class of the
// program that has ends must hand them over, or its pieces would never be joined.
TEST(TrackEndSources, EveryClassWithTrackEndsHandsThemToTheIndex) {
    int withEnds = 0;
    for (const CRuntimeClass* runtime : CRuntimeClass::Creatable()) {
        const std::unique_ptr<CObject> object(runtime->CreateObject());
        auto* paint = dynamic_cast<CPaint*>(object.get());
        if (paint == nullptr)
            continue;
        auto* source = dynamic_cast<CTrackEndSource*>(paint);
        EXPECT_EQ(paint->TrackEndSource(), source) << runtime->m_lpszClassName;
        withEnds += source != nullptr;
    }
    EXPECT_GT(withEnds, 0);
}
