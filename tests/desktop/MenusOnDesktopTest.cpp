#include "tests/desktop/ProgramOnDesktop.h"

namespace desktop {
namespace {
using MenusOnDesktop = ProgramOnDesktop;
}  // namespace

TEST_F(MenusOnDesktop, AnOpenMenuClosesWhenTheKeyboardGoesToAnotherProgram) {
    m_session.Key("alt+e");
    ASSERT_TRUE(WaitForPopup(true));
    const unsigned long other = m_session.FocusOtherProgram();
    ASSERT_NE(other, 0UL);
    EXPECT_TRUE(WaitForPopup(false)) << "the menu stayed open";
    EXPECT_EQ(m_session.FocusWindow(), other);
    EXPECT_TRUE(m_session.ProgramRunning()) << m_session.ProgramErrors();
}
}  // namespace desktop
