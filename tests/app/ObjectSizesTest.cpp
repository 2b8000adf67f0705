#include <gtest/gtest.h>

#include "platform/win/CView.h"
#include "resources/CommandIds.h"
#include "tests/app/CountingView.h"
#include "tests/app/RunningProgram.h"

namespace {

class ObjectSizes : public RunningProgram {
  protected:
    // The menu state the update handler gives the command: enabled, and whether checked.
    UINT MenuState() { return MenuStateOf(ID_OBJECT_SIZES); }
};

}  // namespace

TEST_F(ObjectSizes, TheCommandFlipsEveryLayoutsFlagChecksTheActiveOneAndUpdatesTheViews) {
    ASSERT_TRUE(Start());
    CCVNDoc* first = ActiveLayout();
    Main().SendMessage(WM_COMMAND, ID_FILE_NEW);
    host.RunUntilIdle();
    CCVNDoc* second = ActiveLayout();
    ASSERT_NE(first, second);
    CountingView firstViews, secondViews;
    first->AddView(&firstViews);
    second->AddView(&secondViews);

    EXPECT_EQ(MenuState() & (MF_GRAYED | MF_CHECKED), 0u);
    Main().SendMessage(WM_COMMAND, ID_OBJECT_SIZES);
    EXPECT_EQ(first->m_bObjectSizes, 1);
    EXPECT_EQ(second->m_bObjectSizes, 1);
    EXPECT_EQ(firstViews.updates, 1);
    EXPECT_EQ(secondViews.updates, 1);
    EXPECT_EQ(MenuState() & (MF_GRAYED | MF_CHECKED), MF_CHECKED);

    // Flags that differed are each flipped; the check follows the active layout.
    first->m_bObjectSizes = 0;
    Main().SendMessage(WM_COMMAND, ID_OBJECT_SIZES);
    EXPECT_EQ(first->m_bObjectSizes, 1);
    EXPECT_EQ(second->m_bObjectSizes, 0);
    EXPECT_EQ(firstViews.updates, 2);
    EXPECT_EQ(secondViews.updates, 2);
    EXPECT_EQ(MenuState() & MF_CHECKED, 0u);
    Main().MDINext();
    host.RunUntilIdle();
    ASSERT_EQ(ActiveLayout(), first);
    EXPECT_EQ(MenuState() & MF_CHECKED, MF_CHECKED);

    // The flag is the session's: a saved layout is the same with it on or off.
    const std::vector<BYTE> withSizes = Stored(*first);
    first->m_bObjectSizes = 0;
    EXPECT_EQ(Stored(*first), withSizes);
    first->RemoveView(&firstViews);
    second->RemoveView(&secondViews);
}
