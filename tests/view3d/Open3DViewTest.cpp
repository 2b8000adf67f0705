#include <gtest/gtest.h>

#include <set>

#include "model/CGroup.h"
#include "platform/base/CProfile.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/win/CMDIChildWnd.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/track/LargeLayout.h"
#include "tools/datagen/DataPictures.h"
#include "view3d/C3DView.h"

namespace {

class Open3DView : public LayoutInProgram {
  protected:
    // The profile's reads from the disk and the 3D library's look-ups on it while "3D View" opens.
    struct DiskWork {
        unsigned profileReads = 0;
        unsigned lookUps = 0;
        std::size_t cursorChanges = 0;
    };
    DiskWork Open3DViewCountingDiskWork() {
        const unsigned profileReads = CProfile::Program().DiskReads();
        const unsigned lookUps = r3d::AssetLibrary::Instance().DiskLookUps();
        const std::size_t cursorChanges = host.CursorChanges();
        Command(ID_SHOW_3D_VIEW);
        EXPECT_NE(dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView()), nullptr);
        return {CProfile::Program().DiskReads() - profileReads,
                r3d::AssetLibrary::Instance().DiskLookUps() - lookUps, host.CursorChanges() - cursorChanges};
    }
};

// Each of the 40 pieces looks up two textures and their masks and reads the profile's data
// folders five times; the opening does so on the disk a few times in all.
constexpr unsigned kFewProfileReads = 2;
constexpr unsigned kFewLookUps = 10;
// The wait cursor shows once for the whole build, not once per piece.
constexpr std::size_t kFewCursorChanges = 6;

}  // namespace

TEST_F(Open3DView, ATextureMissingForEveryPieceIsReportedOnceNotOncePerPiece) {
    // 40 pieces of the default track, whose textures no data folder holds.
    LargeLayout::Build(*layout, 4, 10);
    for (int box = 0; box < 40; ++box) host.AnswerMessageBox(IDOK);
    const DiskWork work = Open3DViewCountingDiskWork();
    EXPECT_LE(work.profileReads, kFewProfileReads);
    EXPECT_LE(work.lookUps, kFewLookUps);

    const auto& boxes = host.MessageBoxes();
    ASSERT_FALSE(boxes.empty());
    std::set<CString> texts;
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text.Find("Could not open texture file "), 0) << box.text.c_str();
        texts.insert(box.text);
    }
    EXPECT_EQ(texts.size(), boxes.size());
    EXPECT_LT(boxes.size(), 40u);
    // Every piece has its model all the same.
    for (CPaint* piece : layout->m_rootGroup.m_members) EXPECT_NE(piece->m_hModel, nullptr);
}

TEST_F(Open3DView, TexturesInTheProfilesFolderAreLookedUpOncePerOpeningNotOncePerPiece) {
    ASSERT_TRUE(DataPictures::WriteAll(folder.Path()));
    ASSERT_TRUE(CProfile::Program().WriteProfileString("Paths", "Textures", (folder / "TEXTURES").c_str()));
    LargeLayout::Build(*layout, 4, 10);
    const DiskWork work = Open3DViewCountingDiskWork();
    EXPECT_LE(work.profileReads, kFewProfileReads);
    EXPECT_LE(work.lookUps, kFewLookUps);
    EXPECT_LE(work.cursorChanges, kFewCursorChanges);
    EXPECT_TRUE(host.MessageBoxes().empty());
    for (CPaint* piece : layout->m_rootGroup.m_members) EXPECT_NE(piece->m_hModel, nullptr);
}
