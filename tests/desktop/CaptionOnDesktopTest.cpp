#include <utility>
#include <vector>

#include "tests/desktop/KeyboardAwayOnDesktop.h"

namespace desktop {
namespace {

// A strip of a caption, away from its title and buttons.
struct Strip {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The layout window's caption and its active plan window's show whether the keyboard is in the
// program, as the captions of the other program's window beside them would.
class CaptionOnDesktop : public KeyboardAwayOnDesktop {
  protected:
    void SetUp() override {
        SetUpBeside([] { return std::pair{1400, 850}; });
        if (IsSkipped() || HasFatalFailure())
            return;
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

    // Each way away and back: the captions turn inactive, then active again.
    void WalkAway(const std::vector<Leaving>& ways) {
        for (const auto& [way, away] : ways) {
            ASSERT_TRUE(Leave(away, m_main.id)) << way;
            EXPECT_TRUE(PollUntil([&] { return CaptionsIn(COLOR_INACTIVECAPTION); }, kPatience))
                << "the captions stayed active with the keyboard at " << way;
            ASSERT_TRUE(ComeBack(away, m_main.id)) << way;
            EXPECT_TRUE(PollUntil([&] { return CaptionsIn(COLOR_ACTIVECAPTION); }, kPatience))
                << "the captions stayed inactive with the keyboard back from " << way;
        }
        m_session.CloseOtherProgram(m_other);
        ExpectCleanExit();
    }

    Strip m_mainCaption;
    Strip m_childCaption;
};

using CaptionUnderWindowManager = UnderWindowManager<CaptionOnDesktop>;

TEST_F(CaptionOnDesktop,
       TheCaptionsTurnInactiveWhileTheKeyboardIsWithAnotherProgramNoWindowOrThePointerRoot) {
    WalkAway(kWithoutWindowManager);
}

TEST_F(CaptionUnderWindowManager,
       TheCaptionsTurnInactiveWhileAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkAway(kUnderWindowManager);
}

}  // namespace
}  // namespace desktop
