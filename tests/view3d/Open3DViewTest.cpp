#include <gtest/gtest.h>

#include <set>

#include "model/CGroup.h"
#include "platform/win/CMDIChildWnd.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"
#include "tests/track/LargeLayout.h"
#include "view3d/C3DView.h"

namespace {

class Open3DView : public LayoutInProgram {};

}  // namespace

TEST_F(Open3DView, ATextureMissingForEveryPieceIsReportedOnceNotOncePerPiece) {
    // 40 pieces of the default track, whose textures no data folder holds.
    LargeLayout::Build(*layout, 4, 10);
    for (int box = 0; box < 40; ++box) host.AnswerMessageBox(IDOK);
    Command(ID_SHOW_3D_VIEW);
    ASSERT_NE(dynamic_cast<C3DView*>(Main().MDIGetActive()->GetActiveView()), nullptr);

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
