// The main tool bar of the real program on a real X server, clicked as a person clicks it.
#include <gtest/gtest.h>

#include "platform/win/AfxIds.h"
#include "platform/win/WindowManager.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

// Last: the X headers' macros would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
using namespace desktop;

// Where the main bar's buttons are in the main window: the row under the caption and the menu
// bar, ten pixels in from the bar's left, 22 pixels a button and 8 a separator.
constexpr int kRowTop = 43;
constexpr int kTrackSnapLeft = 464;
constexpr int kButtonSide = 22;
constexpr int kSnapToGridLeft = kTrackSnapLeft + kButtonSide;
constexpr unsigned long kShadow = 0x808080;

class ToolBarOnDesktop : public ProgramOnDesktop {
  protected:
    void TearDown() override {
        if (m_screen != nullptr)
            XCloseDisplay(m_screen);
    }
    // A checked button is framed sunken: its left edge in the shadow colour.
    bool LooksChecked(int buttonLeft) {
        if (m_screen == nullptr)
            m_screen = XOpenDisplay(m_session.DisplayName().c_str());
        DesktopSession::TopLevel main;
        if (m_screen == nullptr || !m_session.FindMainWindow(main))
            return false;
        XImage* image = XGetImage(m_screen, DefaultRootWindow(m_screen), main.x + buttonLeft,
                                  main.y + kRowTop + kButtonSide / 2, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return false;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel == kShadow;
    }
    void ClickButton(int buttonLeft) {
        DesktopSession::TopLevel main;
        ASSERT_TRUE(m_session.FindMainWindow(main));
        m_session.Click(main.x + buttonLeft + kButtonSide / 2, main.y + kRowTop + kButtonSide / 2);
        // Away from the bar, so that no button is framed as under the mouse.
        m_session.MovePointer(1500, 950);
    }

    Display* m_screen = nullptr;
};

TEST_F(ToolBarOnDesktop, ASnapButtonTakesAfterFileCloseAndNew) {
    const std::vector<MenuTitle> titles = LearnTitles();
    const MenuTitle& file = titles[0];
    const int close = IndexOf(*file.popup, ID_FILE_CLOSE);
    ASSERT_GE(close, 0);
    ChooseItem(file, close);
    ASSERT_TRUE(
        m_session.WaitUntil([&] { return MainTitle().find("Untitled") == std::string::npos; }, kPatience))
        << MainTitle();
    m_session.Key("ctrl+n");
    ASSERT_TRUE(
        m_session.WaitUntil([&] { return MainTitle().find("Untitled") != std::string::npos; }, kPatience));

    // A new layout snaps to track.
    ASSERT_TRUE(PollUntil([&] { return LooksChecked(kTrackSnapLeft); }, kPatience));
    ASSERT_FALSE(LooksChecked(kSnapToGridLeft));
    ClickButton(kSnapToGridLeft);
    EXPECT_TRUE(PollUntil([&] { return LooksChecked(kSnapToGridLeft); }, kPatience))
        << "Snap To Grid did not take the click";
    EXPECT_FALSE(LooksChecked(kTrackSnapLeft));
    // A second click, beside the first so as to make no double click, turns snapping off.
    ClickButton(kSnapToGridLeft + GetSystemMetrics(SM_CXDOUBLECLK));
    EXPECT_TRUE(PollUntil([&] { return !LooksChecked(kSnapToGridLeft); }, kPatience));
    EXPECT_FALSE(LooksChecked(kTrackSnapLeft));
    ExpectAnswers();
    ExpectCleanExit();
}

}  // namespace

TEST_F(ToolBarOnDesktop, AButtonsTipIsNeitherADialogNorAMenu) {
    ASSERT_TRUE(m_session.WaitUntil(
        [&] { return MainTitle().find("Untitled") != std::string::npos && m_session.Dialogs().empty(); },
        kPatience))
        << DialogNames();
    DesktopSession::TopLevel main;
    ASSERT_TRUE(m_session.FindMainWindow(main));
    m_session.MovePointer(main.x + kSnapToGridLeft + kButtonSide / 2, main.y + kRowTop + kButtonSide / 2);
    const auto tipShown = [&] {
        for (const DesktopSession::TopLevel& window : m_session.TopLevels())
            if (window.popup && !window.name.empty())
                return true;
        return false;
    };
    ASSERT_TRUE(m_session.WaitUntil(tipShown, kPatience));
    EXPECT_TRUE(m_session.Dialogs().empty()) << DialogNames();
    EXPECT_TRUE(m_session.Popups().empty());
}
