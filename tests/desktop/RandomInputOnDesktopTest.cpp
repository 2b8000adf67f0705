// The real program on a real X server given minutes of seeded random input, as a careless person
// gives it: tools chosen from the menus and the toolbar, presses, drags and releases in the plan,
// right clicks and double clicks, menu commands, accelerators, junk typed into dialogs and the
// dialogs answered with Escape or Return. It must stay up, leave no window stuck, still answer,
// report nothing on stderr and exit cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

namespace {
using namespace desktop;

constexpr int kActions = 1400;
// Under the sanitizers the program is slower; the run stops at this budget however far it got.
constexpr auto kBudget = seconds(150);

// A fixed seed, so that a failure replays; CORVANE_RANDOM_SEED tries others by hand.
std::uint32_t Seed() {
    const char* given = std::getenv("CORVANE_RANDOM_SEED");
    return given && *given ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10)) : 47;
}
constexpr std::size_t kLogLength = 40;

// Where the layout window of a new layout shows its plan, and the tool bar's row.
constexpr int kPlanLeft = 60;
constexpr int kPlanRight = 1140;
constexpr int kPlanTop = 170;
constexpr int kPlanBottom = 700;
constexpr int kToolRowY = 81;
constexpr int kToolRowLeft = 20;
constexpr int kToolRowRight = 800;

// Menu commands the run leaves alone: those that end the program or its layout, print, leave the
// program for help, or put other windows over the plan (a new or opened layout, 3D, a second view).
bool LeftAlone(UINT id) {
    static const UINT kLeftAlone[] = {
        ID_APP_EXIT,       ID_FILE_CLOSE,       ID_FILE_PRINT,     ID_FILE_PRINT_PREVIEW, ID_PRINT_3D_VIEW,
        ID_FILE_MRU_FILE1, ID_HELP_FINDER,      ID_SHOW_3D_VIEW,   ID_OPEN_2D_VIEW,       ID_WINDOW_NEW,
        ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, ID_FILE_NEW,           ID_FILE_OPEN};
    return std::find(std::begin(kLeftAlone), std::end(kLeftAlone), id) != std::end(kLeftAlone);
}

bool IsTool(UINT id) {
    static const UINT kTools[] = {ID_TOOL_SELECTOR,
                                  ID_TOOL_ROTATE_AROUND_ORIGIN,
                                  ID_TOOL_SKETCH,
                                  ID_TOOL_LINE,
                                  ID_TOOL_BOX,
                                  ID_TOOL_ROUND_BOX,
                                  ID_TOOL_ARC,
                                  ID_TOOL_OVAL,
                                  ID_TOOL_POLYGON,
                                  ID_TOOL_SPLINE,
                                  ID_TOOL_TEXT,
                                  ID_TOOL_BITMAP_PICTURE,
                                  ID_TOOL_DIMENSION_LINE,
                                  ID_TOOL_DIMENSION_ANGLE,
                                  ID_TOOL_MEASURE_LINE,
                                  ID_TOOL_MEASURE_BOX,
                                  ID_TOOL_STRAIGHT_TRACK,
                                  ID_TOOL_CURVE_TRACK,
                                  ID_TOOL_OVAL_TRACK,
                                  ID_TOOL_SPLINE_TRACK,
                                  ID_TOOL_3D_OBJECT,
                                  ID_TOOL_3D_BITMAP,
                                  ID_TOOL_BENCHWORK,
                                  ID_TOOL_CAMERA,
                                  ID_TOOL_TERRAIN,
                                  ID_TOOL_RUN_TEST_TRAIN};
    return std::find(std::begin(kTools), std::end(kTools), id) != std::end(kTools);
}

// The accelerators and keys a person presses while drawing; printing and opening are left alone.
const std::vector<std::string>& Keys() {
    static const std::vector<std::string> keys = {
        "Escape",       "Escape",       "Return",    "Delete", "ctrl+z", "ctrl+z", "ctrl+a",
        "ctrl+c",       "ctrl+v",       "ctrl+x",    "ctrl+d", "ctrl+g", "ctrl+u", "ctrl+e",
        "ctrl+i",       "ctrl+h",       "ctrl+l",    "ctrl+b", "ctrl+t", "ctrl+r", "Tab",
        "ctrl+Prior",   "ctrl+Next",    "ctrl+Home", "Left",   "Right",  "Up",     "Down",
        "shift+Delete", "shift+Insert", "space",     "a",      "1"};
    return keys;
}

// A menu item the run may choose: where it is and what it does.
struct MenuChoice {
    const MenuTitle* title = nullptr;
    int index = 0;
    UINT id = 0;
};

class RandomInputOnDesktop : public ProgramOnDesktop {
  protected:
    // Taken from the seeded engine directly: the library's distributions differ between libraries.
    int Below(int bound) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(bound)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }

    void Log(const std::string& action) {
        std::ostringstream line;
        line << m_step << ": " << action;
        m_log.push_back(line.str());
        if (m_log.size() > kLogLength)
            m_log.pop_front();
    }

    // The seed, the step and the last actions, for a failure to be replayed.
    std::string Replay() const {
        std::ostringstream text;
        text << "seed " << m_seed << ", step " << m_step << "; last actions:\n";
        for (const std::string& line : m_log) text << "  " << line << "\n";
        text << "stderr: " << m_session.ProgramErrors();
        return text.str();
    }

    void LearnChoices(const std::vector<MenuTitle>& titles) {
        for (const MenuTitle& title : titles)
            for (int index = 0; index < title.popup->GetMenuItemCount(); ++index) {
                const CMenu::Item& item = *title.popup->ItemAt(index);
                if ((item.flags & MF_SEPARATOR) || LeftAlone(item.id))
                    continue;
                (IsTool(item.id) ? m_tools : m_commands).push_back({&title, index, item.id});
            }
    }

    int PlanX() { return Between(kPlanLeft, kPlanRight); }
    int PlanY() { return Between(kPlanTop, kPlanBottom); }

    void Choose(const MenuChoice& choice, const char* what) {
        Log(std::string(what) + " " + std::string(choice.title->popup->ItemAt(choice.index)->text));
        m_session.Key(std::string("alt+") + choice.title->letter);
        if (!WaitForPopup(true))
            return;
        // A tool tip that was up as the menu opened may be gone by now, and the menu with it.
        const std::vector<DesktopSession::TopLevel> popups = m_session.Popups();
        if (popups.empty())
            return;
        const DesktopSession::TopLevel menu = popups.back();
        m_session.Click(menu.x + menu.width / 2, ItemCentreY(*choice.title->popup, choice.index, menu.y));
    }

    void Drag(unsigned int button) {
        const int x = PlanX();
        const int y = PlanY();
        const int toX = PlanX();
        const int toY = PlanY();
        Log("drag " + std::to_string(button) + " (" + std::to_string(x) + "," + std::to_string(y) + ")-(" +
            std::to_string(toX) + "," + std::to_string(toY) + ")");
        m_session.MovePointer(x, y);
        m_session.Button(button, true);
        const int steps = Between(1, 6);
        for (int step = 1; step <= steps; ++step)
            m_session.MovePointer(x + (toX - x) * step / steps, y + (toY - y) * step / steps);
        m_session.Button(button, false);
    }

    void PlanClick(unsigned int button, int clicks) {
        const int x = PlanX();
        const int y = PlanY();
        Log("click " + std::to_string(button) + " x" + std::to_string(clicks) + " (" + std::to_string(x) +
            "," + std::to_string(y) + ")");
        m_session.MovePointer(x, y);
        for (int click = 0; click < clicks; ++click) {
            m_session.Button(button, true);
            m_session.Button(button, false);
        }
    }

    void ToolBarClick() {
        const int x = Between(kToolRowLeft, kToolRowRight);
        Log("tool bar (" + std::to_string(x) + "," + std::to_string(kToolRowY) + ")");
        m_session.Click(x, kToolRowY);
    }

    void PressKey() {
        const std::string& key = Keys()[static_cast<std::size_t>(Below(static_cast<int>(Keys().size())))];
        Log("key " + key);
        m_session.Key(key);
    }

    // One random action, weighted towards gestures in the plan.
    void Act() {
        const int roll = Below(100);
        if (roll < 10)
            Choose(m_tools[static_cast<std::size_t>(Below(static_cast<int>(m_tools.size())))], "tool");
        else if (roll < 15)
            ToolBarClick();
        else if (roll < 22)
            Choose(m_commands[static_cast<std::size_t>(Below(static_cast<int>(m_commands.size())))],
                   "command");
        else if (roll < 50)
            PlanClick(1, 1);
        else if (roll < 58)
            PlanClick(1, 2);
        else if (roll < 62)
            PlanClick(3, 1);
        else if (roll < 80)
            Drag(1);
        else
            PressKey();
        m_session.WaitUntilSettled(kPatience);
    }

    // A dialog or message that came up gets junk typed into it at times, then Escape or Return;
    // false when one stays however it is answered.
    bool AnswerDialogs() {
        for (int tries = 0; tries < 12; ++tries) {
            // One that comes up after this look is answered after the next action.
            const std::vector<DesktopSession::TopLevel> dialogs = m_session.Dialogs();
            if (dialogs.empty())
                return true;
            const std::string name = dialogs.front().name;
            const int roll = Below(10);
            if (roll < 2) {
                Log("typed abc and Tab in \"" + name + "\"");
                for (const char* letter : {"a", "b", "c"}) m_session.Key(letter);
                m_session.Key("Tab");
            }
            const char* answer = roll < 7 ? "Escape" : "Return";
            Log(std::string(answer) + " in \"" + name + "\"");
            m_session.Key(answer);
            m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, milliseconds(700));
        }
        // A busy machine may take long over the answers already given.
        return m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience);
    }

    // Whatever the last actions left goes: menus are closed, dialogs answered, and a drawing under
    // way is ended by Escape, whose refusal may bring a message. The program has caught up with
    // every key so far once its Help menu opens with no dialog up: a message would have taken
    // Alt+H. False when it does not settle.
    bool Settle() {
        m_session.MovePointer(1500, 950);
        for (int round = 0; round < 5; ++round) {
            if (PopupOpen())
                CloseMenus();
            if (!AnswerDialogs())
                return false;
            Log("settling: Escape, Alt+H");
            m_session.Key("Escape");
            m_session.Key("alt+h");
            const bool caughtUp = WaitForPopup(true) && m_session.Dialogs().empty();
            if (PopupOpen())
                CloseMenus();
            if (caughtUp)
                return !PopupOpen() && m_session.Dialogs().empty();
        }
        return false;
    }

    const std::uint32_t m_seed = Seed();
    std::mt19937 m_random{m_seed};
    std::vector<MenuChoice> m_tools;
    std::vector<MenuChoice> m_commands;
    std::deque<std::string> m_log;
    int m_step = 0;
};

TEST_F(RandomInputOnDesktop, MinutesOfSeededRandomInputLeaveTheProgramUpAnsweringAndUnstuck) {
    const std::vector<MenuTitle> titles = LearnTitles();
    ASSERT_EQ(titles.size(), 10u);
    LearnChoices(titles);
    ASSERT_FALSE(m_tools.empty());
    const auto end = std::chrono::steady_clock::now() + kBudget;
    for (m_step = 0; m_step < kActions && std::chrono::steady_clock::now() < end; ++m_step) {
        Act();
        ASSERT_TRUE(m_session.ProgramRunning()) << "the program ended; " << Replay();
        ASSERT_TRUE(AnswerDialogs()) << "a dialog stays however it is answered; " << Replay();
    }
    std::printf("%d random actions\n", m_step);
    ASSERT_TRUE(Settle()) << "the program did not settle; shown:" << DialogNames() << "; " << Replay();
    ExpectAnswers();
    ASSERT_FALSE(HasFatalFailure()) << Replay();
    ExpectCleanExit();
}

}  // namespace
