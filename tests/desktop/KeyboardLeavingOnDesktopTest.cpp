// A press held in the running program while the keyboard goes to another program (by the window
// manager's Alt+Tab or a plain focus change), to no window or to the pointer root: whatever
// followed the mouse ends where it was then, and the moves and the release that X still sends
// the program change nothing. The holders are those of the cancel table a person reaches here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/MouseHolders.h"
#include "tests/desktop/ProgramOnDesktop.h"
#include "tests/desktop/XKeyboardAway.h"

namespace desktop {
namespace {
using namespace mouse_holders;

enum class Away { kAltTab, kFocusChange, kNoWindow, kPointerRoot };

struct Leaving {
    const char* to;
    Away away;
};

struct Point {
    int x = 0;
    int y = 0;
};

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The other program stands in the layout window's corner, below the part of the view the test
// watches: the view from this far right of the layout window's left edge, and this far below its
// top and above its foot, the plan's scroll bar included.
constexpr Point kOtherProgramFromCorner{140, 90};
constexpr int kWatchedFromLeft = 60;
constexpr int kWatchedFromTop = 130;
constexpr int kWatchedFromFoot = 130;
// The menu bar and the tool bars are watched too, below the caption: from this far below the
// layout window's top, this high.
constexpr int kBarsFromTop = 21;
constexpr int kBarsHeight = 71;
// Where a press lands on them, from the layout window's top left corner: the menu bar's first
// title, and the buttons of the tool bar's row, which the camera tool bar takes in the 3D view.
constexpr Point kMenuBarTitle{35, 31};
constexpr int kToolRowMiddle = 81;
constexpr int kSelectorMiddle = 24;
constexpr int kPaletteArrowMiddle = 758;
constexpr int kForwardMiddle = 247;
// The plan's vertical scroll bar, maximised: its middle this far in from the layout window's right
// edge, its arrows this far below its top and above its foot (over the horizontal bar's).
constexpr int kScrollBarFromRight = 16;
constexpr int kUpArrowFromTop = 129;
constexpr int kDownArrowFromFoot = 53;
constexpr int kArrowHeight = 16;
// A thumb is drawn plain, where the track it moves in is dotted.
constexpr int kThumbRun = 6;
// How many polls in a row the view must stay as the keyboard left it.
constexpr int kStillPolls = 25;
// The plan's mark under the mouse follows it after the release; a tracking going on would change
// far more pixels than it covers.
constexpr size_t kMouseMark = 40;
// A button of the bars is framed while the mouse is over it, as it may be when the keyboard leaves.
constexpr size_t kButtonFrame = 4 * 22;
// How many times Zoom In zooms the plan in: its scroll bars then have room to move.
constexpr int kZoomSteps = 5;
// A red block twice as wide and deep as it is high, as a model file of the person's own.
constexpr const char* kRedBlock =
    "ModelBegin\nClumpBegin\nColor 1 0 0\n"
    "Vertex 0 0 0\nVertex 2 0 0\nVertex 0 1 0\nVertex 2 1 0\n"
    "Vertex 0 0 2\nVertex 2 0 2\nVertex 0 1 2\nVertex 2 1 2\n"
    "Quad 1 2 4 3\nQuad 5 7 8 6\nQuad 1 5 6 2\nQuad 3 4 8 7\nQuad 1 3 7 5\n"
    "Quad 2 6 8 4\nClumpEnd\nModelEnd\n";
// Where the 3D object's box is dragged out in the plan, from the view's middle, and how far.
constexpr Point kObjectFromMiddle{-250, -150};
constexpr int kObjectSide = 200;
constexpr const char* kTerrainEditor = "Terrain Editor";
// The corners of the terrain's outline, from the view's middle: wide enough for knots inside its
// border, which alone a drag may lift.
constexpr Point kTerrainCorners[] = {{-600, -280}, {600, -280}, {600, 300}};

// Lit red, as the red model and the knot's ball show, whatever their shading.
bool IsRed(unsigned long colour) {
    const unsigned long red = colour >> 16 & 0xFF, green = colour >> 8 & 0xFF, blue = colour & 0xFF;
    return red >= 96 && red > 3 * green && red > 3 * blue;
}

// The X key chord that types the character of a path; empty for one it cannot type.
std::string ChordOf(char character) {
    const unsigned char c = static_cast<unsigned char>(character);
    if (std::islower(c) || std::isdigit(c))
        return std::string(1, character);
    if (std::isupper(c))
        return "shift+" + std::string(1, static_cast<char>(std::tolower(c)));
    switch (character) {
        case '/':
            return "slash";
        case '.':
            return "period";
        case '-':
            return "minus";
        case '_':
            return "shift+minus";
        default:
            return {};
    }
}

class KeyboardLeavingOnDesktop : public ProgramOnDesktop {
  protected:
    void SetUp() override {
        ProgramOnDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_session.FindMainWindow(m_main));
        m_other = m_session.ShowOtherProgram(OtherProgram().x, OtherProgram().y);
        ASSERT_NE(m_other, 0UL) << "the other program's window did not show";
        ASSERT_TRUE(ComeBack(Away::kFocusChange, m_main.id));
        // The plan fills the layout window by its system menu's Maximize.
        m_session.Key("alt+minus");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("x");
        ASSERT_TRUE(WaitUntilSettledWith([&] { return !PopupOpen(); }));
        for (int step = 0; step < kZoomSteps; ++step) Choose(ID_ZOOM_IN);
    }

    Point OtherProgram() const {
        return {m_main.x + m_main.width - kOtherProgramFromCorner.x,
                m_main.y + m_main.height - kOtherProgramFromCorner.y};
    }

    Point Middle() const { return {m_main.x + m_main.width / 2, m_main.y + m_main.height / 2}; }

    Point SpotOf(Spot spot) const {
        switch (spot) {
            case Spot::kPlanScrollThumb:
                return ThumbMiddle();
            case Spot::kSelectorButton:
                return FromCorner({kSelectorMiddle, kToolRowMiddle});
            case Spot::kPaletteArrow:
                return FromCorner({kPaletteArrowMiddle, kToolRowMiddle});
            case Spot::kForwardButton:
                return FromCorner({kForwardMiddle, kToolRowMiddle});
            case Spot::kMenuBarTitle:
                return FromCorner(kMenuBarTitle);
            case Spot::kRedModel:
                return RedShown([&] { return View(); });
            case Spot::kKnotBall:
                return RedShown([&] {
                    const DesktopSession::TopLevel editor = Dialog(kTerrainEditor);
                    return Area{editor.x, editor.y, editor.width, editor.height};
                });
            default:
                return Middle();
        }
    }

    // Where the button comes up, in the view away from where the holds start.
    Point LettingGo() const { return {Middle().x - 240, Middle().y + 200}; }

    Point FromCorner(Point offset) const { return {m_main.x + offset.x, m_main.y + offset.y}; }

    Area View() const {
        return {m_main.x + kWatchedFromLeft, m_main.y + kWatchedFromTop, m_main.width - kWatchedFromLeft,
                m_main.height - kWatchedFromTop - kWatchedFromFoot};
    }

    DesktopSession::TopLevel Dialog(const std::string& name) const {
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs())
            if (dialog.name == name)
                return dialog;
        return {};
    }

    // Once it is drawn, the middle of what shows red in the area.
    Point RedShown(const std::function<Area()>& area) const {
        Point found{-1, -1};
        m_session.WaitUntil(
            [&] {
                found = RedMiddle(area());
                return found.x >= 0;
            },
            kPatience);
        return found;
    }

    // The middle of what shows red in the area, by the median of its red pixels each way; a
    // smaller red thing beside it cannot draw it out. {-1, -1} when nothing there is red.
    Point RedMiddle(const Area& area) const {
        const std::vector<unsigned long> pixels = m_session.Pixels(area.x, area.y, area.width, area.height);
        std::vector<int> across, down;
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (!IsRed(pixels[i]))
                continue;
            across.push_back(area.x + static_cast<int>(i) % area.width);
            down.push_back(area.y + static_cast<int>(i) / area.width);
        }
        if (across.empty())
            return {-1, -1};
        std::nth_element(across.begin(), across.begin() + across.size() / 2, across.end());
        std::nth_element(down.begin(), down.begin() + down.size() / 2, down.end());
        return {across[across.size() / 2], down[down.size() / 2]};
    }

    int ScrollBarX() const { return m_main.x + m_main.width - kScrollBarFromRight; }

    // The middle of the first plain run down the scroll bar between its arrows.
    Point ThumbMiddle() const {
        const int top = m_main.y + kUpArrowFromTop + kArrowHeight;
        const int foot = m_main.y + m_main.height - kDownArrowFromFoot - kArrowHeight / 2;
        const std::vector<unsigned long> column = m_session.Pixels(ScrollBarX(), top, 1, foot - top);
        size_t start = 0;
        for (size_t row = 1; row < column.size(); ++row) {
            if (column[row] == column[start])
                continue;
            if (row - start >= kThumbRun)
                return {ScrollBarX(), top + static_cast<int>(start + row) / 2};
            start = row;
        }
        return {ScrollBarX(), top + static_cast<int>(start + column.size()) / 2};
    }

    std::vector<unsigned long> Watched() const {
        std::vector<unsigned long> watched =
            m_session.Pixels(m_main.x, m_main.y + kBarsFromTop, m_main.width, kBarsHeight);
        const Area shown = View();
        const std::vector<unsigned long> view = m_session.Pixels(shown.x, shown.y, shown.width, shown.height);
        watched.insert(watched.end(), view.begin(), view.end());
        return watched;
    }

    // Types the chords, each once the program has handled the one before.
    void Type(const char* chords) {
        std::istringstream each(chords ? chords : "");
        for (std::string chord; each >> chord;) {
            m_session.Key(chord);
            m_session.WaitUntilSettled(kPatience);
        }
    }

    // The keys of the reach, the press with the key held, and its drag in small steps.
    void Press(const DesktopReach& reach, Point at) {
        m_session.MovePointer(at.x, at.y);
        m_session.WaitUntilSettled(kPatience);
        Type(reach.keys);
        if (reach.key)
            m_session.HoldKey(reach.key, true);
        if (reach.button != 0)
            m_session.Button(reach.button, true);
        if (reach.key)
            m_session.HoldKey(reach.key, false);
        constexpr int kSteps = 8;
        for (int step = 1; step <= kSteps; ++step)
            m_session.MovePointer(at.x + reach.dragX * step / kSteps, at.y + reach.dragY * step / kSteps);
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

    // The window manager lists the windows the keyboard was with last first: from a dialog, the
    // layout window under it comes before the other program.
    int AltTabSteps(unsigned long keyboard) const { return keyboard == m_main.id ? 1 : 2; }

    // Gives the keyboard away, and waits until the program has heard, a window manager's list gone.
    bool Leave(Away away, unsigned long keyboard) {
        if (away == Away::kAltTab && !m_session.AltTab(kPatience, AltTabSteps(keyboard)))
            return false;
        if (away == Away::kFocusChange)
            m_session.GiveKeyboardTo(m_other);
        if (away == Away::kNoWindow || away == Away::kPointerRoot)
            GiveXKeyboardAway(m_session.DisplayName(), away == Away::kNoWindow ? XKeyboardAway::kNoWindow
                                                                               : XKeyboardAway::kPointerRoot);
        return WaitUntilSettledWith([&] { return KeyboardIsAway(away) && m_session.Popups().empty(); });
    }

    // The window that takes the keyboard back: the dialog the spot lies in, else the layout window.
    unsigned long KeyboardHome(Spot spot) const {
        return spot == Spot::kKnotBall ? Dialog(kTerrainEditor).id : m_main.id;
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

    // The mouse goes on over the view, onto the other program and back.
    void Wander(Point from) {
        const Point path[] = {{from.x + 40, from.y + 30},
                              {Middle().x - 200, Middle().y + 150},
                              {OtherProgram().x + 60, OtherProgram().y + 40},
                              {Middle().x + 220, Middle().y - 180}};
        for (const Point point : path) {
            m_session.MovePointer(point.x, point.y);
            m_session.WaitUntilSettled(kPatience);
        }
    }

    static size_t DifferingPixels(const std::vector<unsigned long>& one,
                                  const std::vector<unsigned long>& other) {
        size_t differing = 0;
        for (size_t i = 0; i < one.size() && i < other.size(); ++i) differing += one[i] != other[i];
        return differing;
    }

    bool StaysAs(const std::vector<unsigned long>& left, size_t allowed) {
        int still = 0;
        std::vector<unsigned long> last = Watched();
        return m_session.WaitUntil(
            [&] {
                const std::vector<unsigned long> now = Watched();
                still = now == last && DifferingPixels(left, now) <= allowed ? still + 1 : 0;
                last = now;
                return still >= kStillPolls;
            },
            kPatience);
    }

    void Walk(const MouseHolder& holder, const Leaving& leaving) {
        SCOPED_TRACE(std::string(holder.name) + ", the keyboard going to " + leaving.to);
        const DesktopReach& reach = holder.desktop;
        if (reach.command != 0)
            Choose(reach.command);
        const Point spot = SpotOf(reach.spot);
        ASSERT_GE(spot.x, 0) << "nothing red shows to press on";
        const Point at{spot.x + reach.x, spot.y + reach.y};
        const std::vector<unsigned long> before = Watched();
        const size_t dialogs = m_session.Dialogs().size();
        const unsigned long keyboard = KeyboardHome(reach.spot);
        Press(reach, at);
        if (reach.shown) {
            EXPECT_TRUE(m_session.WaitUntil([&] { return Watched() != before; }, kPatience))
                << "the press did nothing";
        }
        ASSERT_TRUE(Leave(leaving.away, keyboard))
            << "the keyboard did not leave: it is with window " << m_session.FocusWindow() << ", "
            << m_session.Popups().size() << " menus or tips shown";
        const std::vector<unsigned long> left = Watched();
        Wander({at.x + reach.dragX, at.y + reach.dragY});
        ASSERT_TRUE(ComeBack(leaving.away, keyboard)) << "the keyboard did not come back";
        GoOn(reach, at);
        // A hold that leaves nothing behind must leave the view as it was before, the mouse off the
        // bars in both.
        const std::vector<unsigned long>& expected = reach.leavesNothing ? before : left;
        EXPECT_TRUE(StaysAs(expected, reach.leavesNothing ? kMouseMark : kMouseMark + kButtonFrame))
            << "the view went on changing after the keyboard left, in "
            << DifferingPixels(expected, Watched()) << " pixels";
        EXPECT_FALSE(PopupOpen());
        EXPECT_EQ(m_session.Dialogs().size(), dialogs) << "a window came of the hold:" << DialogNames();
        Type(reach.afterwards);
        ASSERT_TRUE(WaitUntilSettledWith([&] { return !PopupOpen(); }));
    }

    // The person lets go, or clicks and types on after a hold of keys, then leaves the bars alone.
    void GoOn(const DesktopReach& reach, Point pressed) {
        const Point release = reach.letGoWherePressed ? pressed : LettingGo();
        m_session.MovePointer(release.x, release.y);
        if (reach.button != 0) {
            m_session.Button(reach.button, false);
        } else {
            m_session.Click(release.x, release.y);
            Type(reach.goOn);
        }
        m_session.MovePointer(LettingGo().x, LettingGo().y);
        ASSERT_TRUE(m_session.WaitUntilSettled(kPatience));
    }

    // What the person makes once before a holder's holds, with the plan in front.
    void Make(Made made) {
        if (made == Made::kNothing)
            return;
        SCOPED_TRACE(made == Made::k3DObject ? "making a 3D object" : "outlining a terrain");
        // The plan is the Window menu's first.
        Type("alt+w 1");
        if (made == Made::k3DObject)
            Make3DObject();
        else
            MakeTerrain();
    }

    // Dragged out in the plan with the 3D Object tool, its model found by Browse; then looked at
    // in the 3D view, the Window menu's second.
    void Make3DObject() {
        const std::filesystem::path model = m_session.Folder() / "block.rwx";
        std::ofstream(model) << kRedBlock;
        Choose(ID_TOOL_3D_OBJECT);
        const Point from{Middle().x + kObjectFromMiddle.x, Middle().y + kObjectFromMiddle.y};
        Press({.dragX = kObjectSide, .dragY = kObjectSide}, from);
        m_session.Button(1, false);
        ASSERT_TRUE(WaitForDialog("3D Objects properties"));
        // Browse follows the model's name, which the keyboard starts in.
        Type("Tab space");
        ASSERT_TRUE(WaitForDialog("Open"));
        for (const char character : model.string()) {
            ASSERT_NE(ChordOf(character), "") << "the model's path cannot be typed: " << model;
            m_session.Key(ChordOf(character));
        }
        m_session.Key("Return");
        ASSERT_TRUE(WaitForDialog("Open", false)) << "the model was not taken";
        // Return from the texture's name, past Browse, is OK's.
        Type("Tab Return");
        ASSERT_TRUE(WaitForDialog("3D Objects properties", false));
        Type("alt+w 2");
    }

    // Three corners clicked with the Terrain tool; choosing another tool ends the outline, and the
    // terrain keeps the properties proposed.
    void MakeTerrain() {
        Choose(ID_TOOL_TERRAIN);
        for (const Point corner : kTerrainCorners) {
            m_session.WaitUntilSettled(kPatience);
            m_session.Click(Middle().x + corner.x, Middle().y + corner.y);
        }
        m_session.WaitUntilSettled(kPatience);
        Choose(ID_TOOL_SELECTOR);
        ASSERT_TRUE(WaitForDialog("Terrain properties"));
        m_session.Key("Return");
        ASSERT_TRUE(WaitForDialog("Terrain properties", false));
    }

    bool WaitForDialog(const std::string& name, bool shown = true) {
        const bool done = WaitUntilSettledWith([&] { return (Dialog(name).id != 0) == shown; });
        EXPECT_TRUE(done) << name << (shown ? " did not open" : " did not close")
                          << "; shown:" << DialogNames();
        return done;
    }

    // Walks the cancel table's holders reached here, the keyboard leaving each way in turn.
    void WalkTheTable(const std::vector<Leaving>& leavings) {
        int walked = 0;
        for (const MouseHolder& holder : MouseHolders()) {
            if (holder.desktop.spot == Spot::kUnreached)
                continue;
            ASSERT_NO_FATAL_FAILURE(Make(holder.desktop.made));
            for (const Leaving& leaving : leavings) Walk(holder, leaving);
            ++walked;
        }
        EXPECT_GT(walked, 0);
        m_session.CloseOtherProgram(m_other);
        ExpectAnswers();
        ExpectCleanExit();
    }

    DesktopSession::TopLevel m_main;
    unsigned long m_other = 0;
};

// The same, with openbox managing the windows.
class KeyboardLeavingUnderWindowManager : public KeyboardLeavingOnDesktop {
  protected:
    void SetUp() override {
        if (m_session.Unavailable().empty() && !m_session.StartWindowManager())
            GTEST_SKIP() << "no window manager (Debian package openbox)";
        KeyboardLeavingOnDesktop::SetUp();
    }
};

// A window manager would give the keyboard straight back from no window or the pointer root.
TEST_F(KeyboardLeavingOnDesktop, EveryHoldEndsWhenTheKeyboardGoesToAnotherProgramNoWindowOrThePointerRoot) {
    WalkTheTable({{"another program by a focus change", Away::kFocusChange},
                  {"no window", Away::kNoWindow},
                  {"the pointer root", Away::kPointerRoot}});
}

TEST_F(KeyboardLeavingUnderWindowManager,
       EveryHoldEndsWhenAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkTheTable({{"another program by Alt+Tab", Away::kAltTab},
                  {"another program by a focus change", Away::kFocusChange}});
}

}  // namespace
}  // namespace desktop
