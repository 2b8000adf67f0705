#include <utility>
#include <vector>

#include "tests/desktop/ProgramOnDesktop.h"
#include "tests/desktop/XKeyboardAway.h"

namespace desktop {
namespace {

// A strip of a caption, away from its title and buttons.
struct Strip {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class Away { kAltTab, kFocusChange, kNoWindow, kPointerRoot };

// The layout window's caption and its active plan window's show whether the keyboard is in the
// program, as the captions of the other program's window beside them would.
class CaptionOnDesktop : public ProgramOnDesktop {
  protected:
    void SetUp() override {
        ProgramOnDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_session.FindMainWindow(m_main));
        m_other = m_session.ShowOtherProgram(1400, 850);
        ASSERT_NE(m_other, 0UL) << "the other program's window did not show";
        ASSERT_TRUE(ComeBack(Away::kFocusChange));
        m_mainCaption = {m_main.x + m_main.width / 2 - 50, m_main.y + 6, 100, 6};
        // The plan window's caption is the first row of the active colour below the menu bar.
        const int x = m_main.x + m_main.width / 4;
        for (int y = m_main.y + 30; y < m_main.y + m_main.height / 2 && m_childCaption.height == 0; ++y)
            if (m_session.PixelsOtherThan(OnScreen(COLOR_ACTIVECAPTION), x, y, 100, 4) == 0)
                m_childCaption = {x, y, 100, 4};
        ASSERT_GT(m_childCaption.height, 0) << "no active plan window's caption";
    }

    bool CaptionsIn(int systemColour) const {
        const unsigned long colour = OnScreen(systemColour);
        for (const Strip& strip : {m_mainCaption, m_childCaption})
            if (m_session.PixelsOtherThan(colour, strip.x, strip.y, strip.width, strip.height) != 0)
                return false;
        return true;
    }

    bool KeyboardIsAway(Away away) const {
        const unsigned long focus = m_session.FocusWindow();
        if (away == Away::kNoWindow)
            return focus == 0;
        return away == Away::kPointerRoot ? focus == 1 : focus == m_other;
    }

    bool Leave(Away away) {
        if (away == Away::kAltTab && !m_session.AltTab(kPatience))
            return false;
        if (away == Away::kFocusChange)
            m_session.GiveKeyboardTo(m_other);
        if (away == Away::kNoWindow || away == Away::kPointerRoot)
            GiveXKeyboardAway(m_session.DisplayName(), away == Away::kNoWindow ? XKeyboardAway::kNoWindow
                                                                               : XKeyboardAway::kPointerRoot);
        return WaitUntilSettledWith([&] { return KeyboardIsAway(away) && m_session.Popups().empty(); });
    }

    bool ComeBack(Away away) {
        if (away == Away::kAltTab && !m_session.AltTab(kPatience))
            return false;
        if (away != Away::kAltTab)
            m_session.GiveKeyboardTo(m_main.id);
        return WaitUntilSettledWith(
            [&] { return m_session.FocusWindow() == m_main.id && m_session.Popups().empty(); });
    }

    // Each way away and back: the captions turn inactive, then active again.
    void WalkAway(const std::vector<std::pair<const char*, Away>>& ways) {
        for (const auto& [way, away] : ways) {
            ASSERT_TRUE(Leave(away)) << way;
            EXPECT_TRUE(PollUntil([&] { return CaptionsIn(COLOR_INACTIVECAPTION); }, kPatience))
                << "the captions stayed active with the keyboard at " << way;
            ASSERT_TRUE(ComeBack(away)) << way;
            EXPECT_TRUE(PollUntil([&] { return CaptionsIn(COLOR_ACTIVECAPTION); }, kPatience))
                << "the captions stayed inactive with the keyboard back from " << way;
        }
        m_session.CloseOtherProgram(m_other);
        ExpectCleanExit();
    }

    DesktopSession::TopLevel m_main;
    unsigned long m_other = 0;
    Strip m_mainCaption;
    Strip m_childCaption;
};

class CaptionUnderWindowManager : public CaptionOnDesktop {
  protected:
    void SetUp() override {
        if (m_session.Unavailable().empty() && !m_session.StartWindowManager())
            GTEST_SKIP() << "no window manager (Debian package openbox)";
        CaptionOnDesktop::SetUp();
    }
};

TEST_F(CaptionOnDesktop,
       TheCaptionsTurnInactiveWhileTheKeyboardIsWithAnotherProgramNoWindowOrThePointerRoot) {
    WalkAway({{"another program", Away::kFocusChange},
              {"no window", Away::kNoWindow},
              {"the pointer root", Away::kPointerRoot}});
}

TEST_F(CaptionUnderWindowManager,
       TheCaptionsTurnInactiveWhileAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkAway({{"another program by Alt+Tab", Away::kAltTab},
              {"another program by a focus change", Away::kFocusChange}});
}

}  // namespace
}  // namespace desktop
