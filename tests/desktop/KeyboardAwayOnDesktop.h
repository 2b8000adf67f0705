#pragma once

// The real program beside another program's window, and the keyboard taken from it as a person
// or the desktop takes it: the window manager's Alt+Tab, a plain focus change, to no window or to
// the pointer root; and given back to the window that had it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "tests/desktop/ProgramOnDesktop.h"
#include "tests/desktop/XKeyboardAway.h"

namespace desktop {

enum class Away { kAltTab, kFocusChange, kNoWindow, kPointerRoot };

// One way the keyboard leaves, named for the test's messages.
struct Leaving {
    const char* to;
    Away away;
};

class KeyboardAwayOnDesktop : public ProgramOnDesktop {
  protected:
    // Starts the program with the other program's window shown at the given spot, the keyboard
    // back with the layout window.
    void SetUpBeside(const std::function<std::pair<int, int>()>& otherAt) {
        ProgramOnDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_session.FindMainWindow(m_main));
        const auto [x, y] = otherAt();
        m_other = m_session.ShowOtherProgram(x, y);
        ASSERT_NE(m_other, 0UL) << "the other program's window did not show";
        ASSERT_TRUE(ComeBack(Away::kFocusChange, m_main.id))
            << "the keyboard stayed with window " << m_session.FocusWindow() << ", the program "
            << (m_session.ProgramRunning() ? "running" : "ended")
            << "; stderr: " << m_session.ProgramErrors();
    }

    bool KeyboardIsAway(Away away) const {
        const unsigned long focus = m_session.FocusWindow();
        switch (away) {
            case Away::kNoWindow:
                return focus == 0;
            case Away::kPointerRoot:
                return focus == 1;
            default:
                return focus == m_other;
        }
    }

    // The dialogs shown, but the other program's window.
    std::vector<DesktopSession::TopLevel> ProgramDialogs() const {
        std::vector<DesktopSession::TopLevel> dialogs = m_session.Dialogs();
        std::erase_if(dialogs, [&](const DesktopSession::TopLevel& dialog) { return dialog.id == m_other; });
        return dialogs;
    }

    // The window manager lists the windows by when they last had the keyboard: from a dialog, the
    // program's windows under it may come before the other program, and the dialog then takes the
    // keyboard again. A person goes one window further each time.
    bool AltTabAway(unsigned long keyboard) {
        const int furthest = 1 + static_cast<int>(ProgramDialogs().size());
        // A list a control dropped stays open while the keyboard goes to the layout window and back.
        const size_t dropped = m_session.Popups().size();
        for (int tabs = 1; tabs <= furthest; ++tabs) {
            if (!m_session.AltTab(kPatience, tabs))
                return false;
            if (WaitUntilSettledWith([&] {
                    return m_session.Popups().size() <= dropped &&
                           (KeyboardIsAway(Away::kAltTab) || m_session.FocusWindow() == keyboard);
                }) &&
                KeyboardIsAway(Away::kAltTab))
                return true;
        }
        return false;
    }

    // Gives the keyboard away from the window that has it, and waits until the program has heard,
    // a window manager's list gone.
    bool Leave(Away away, unsigned long keyboard) {
        if (away == Away::kAltTab && !AltTabAway(keyboard))
            return false;
        if (away == Away::kFocusChange)
            m_session.GiveKeyboardTo(m_other);
        if (away == Away::kNoWindow || away == Away::kPointerRoot)
            GiveXKeyboardAway(m_session.DisplayName(), away == Away::kNoWindow ? XKeyboardAway::kNoWindow
                                                                               : XKeyboardAway::kPointerRoot);
        return WaitUntilSettledWith([&] { return KeyboardIsAway(away) && m_session.Popups().empty(); });
    }

    // The keyboard comes back to the window that had it.
    bool ComeBack(Away away, unsigned long window) {
        if (away == Away::kAltTab && !m_session.AltTab(kPatience))
            return false;
        if (away != Away::kAltTab)
            m_session.GiveKeyboardTo(window);
        return WaitUntilSettledWith(
            [&] { return m_session.FocusWindow() == window && m_session.Popups().empty(); });
    }

    DesktopSession::TopLevel m_main;
    unsigned long m_other = 0;
};

inline const std::vector<Leaving> kWithoutWindowManager{
    {"another program by a focus change", Away::kFocusChange},
    {"no window", Away::kNoWindow},
    {"the pointer root", Away::kPointerRoot}};
inline const std::vector<Leaving> kUnderWindowManager{
    {"another program by Alt+Tab", Away::kAltTab}, {"another program by a focus change", Away::kFocusChange}};

}  // namespace desktop
