// Every window that the menus, the tool bars, the accelerators and the plan's context menu open,
// closed in each way a person closes one: F1 with its help closed first, Alt+F4 under a window
// manager, the window manager's close request, the close box, and the layout it shows closed
// behind it. After each the program must still answer a click on its menu bar, with no sanitizer
// report and no X error on stderr. A fault restarts the program, so that it hides no other.
#include <gtest/gtest.h>

#include <signal.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/desktop/ProgramOnDesktop.h"

// Last: the X headers' macros would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
using namespace desktop;

// What the layout must hold before the window can be opened.
enum class Holds { Nothing, Track, Terrain };

// How the window closes by its keys: a dialog on Escape, a window inside the main window on
// Ctrl+F4, Print Preview, which takes the main window over, on Escape too.
enum class Kind { Dialog, Child, Preview };

enum class Closing { HelpThenEscape, AltF4, CloseRequest, CloseBox, LayoutByCtrlF4, LayoutByFileClose };

// One step of opening a window.
struct Step {
    enum How { Menu, Keys, MainBar, ToolsBar, Context, Points } how;
    UINT command = 0;         // Menu and Context: the command chosen
    const char* keys = "";    // Keys: the chord pressed
    int left = 0;             // MainBar and ToolsBar: the button's left edge in the bar
    const char* awaits = "";  // the caption of the window this step opens, waited for
};

struct SweptWindow {
    const char* caption;  // the window's caption; what it is, for a window inside the main window
    Holds holds;
    Kind kind;
    std::vector<Step> opening;
    bool showsLayout = false;
    bool leavesLayoutChanged = false;  // the layout is made anew for the next window
};

// Where the bars' buttons are: ten pixels in from the bar's left, 22 pixels a button and 8 a
// separator; the main bar's row under the menu bar, the tools bar's under it.
constexpr int kMainRowTop = 43;
constexpr int kToolsRowTop = 70;
constexpr int kButtonSide = 22;
constexpr int Button(int buttonsBefore, int separatorsBefore) {
    return 14 + buttonsBefore * kButtonSide + separatorsBefore * 8;
}
constexpr int kStraightTrackButton = Button(2, 1);
constexpr int kPrintPreviewButton = Button(3, 0);
constexpr int kLayersButton = Button(25, 6);
constexpr int kShow3DButton = Button(23, 5);
constexpr int kTrackWizardButton = Button(17, 3);
constexpr int kLineButton = Button(7, 2);

// The 3D view opens in the second place of the main window's cascade; the layout's own window
// is in the first.
constexpr int kSecondChildCloseX = 1205;
constexpr int kSecondChildCloseY = 131;
constexpr int kFirstChildCaptionX = 400;
constexpr int kFirstChildCaptionY = 110;

// A top-level's close box: 16 by 14 pixels, 2 in from the caption's right and top, under the
// frame.
constexpr int kCloseBoxFromRight = 13;
constexpr int kCloseBoxFromTop = 12;

// The black over the 3D view's backdrop and the grey Print Preview lays behind its pages.
constexpr unsigned long kAboveBackdrop = 0x000000;
constexpr unsigned long kPreviewGrey = 0x808080;
// The grey of the main window's workspace, which an inactive child's caption shares.
constexpr unsigned long kWorkspaceGrey = 0x808080;
// The shadow along the top of a checked tool-bar button, the colour of a track piece while it is
// dragged, and the plan's paper.
constexpr unsigned long kButtonShadow = 0x808080;
constexpr unsigned long kDraggedTrack = 0xFF1CA4;
constexpr unsigned long kPaper = 0xFFFFFF;

Step Menu(UINT command, const char* awaits = "") {
    return {Step::Menu, command, "", 0, awaits};
}
Step Keys(const char* keys, const char* awaits = "") {
    return {Step::Keys, 0, keys, 0, awaits};
}
Step MainBar(int left) {
    return {Step::MainBar, 0, "", left, ""};
}
Step ToolsBar(int left, const char* awaits = "") {
    return {Step::ToolsBar, 0, "", left, awaits};
}
Step Context(UINT command) {
    return {Step::Context, command, "", 0, ""};
}
Step Points() {
    return {Step::Points, 0, "", 0, ""};
}

const std::vector<SweptWindow>& Windows() {
    static const std::vector<SweptWindow> windows = {
        {"Open", Holds::Nothing, Kind::Dialog, {Keys("ctrl+o")}},
        {"Save As", Holds::Nothing, Kind::Dialog, {Menu(ID_FILE_SAVE_AS)}},
        {"Document setup", Holds::Nothing, Kind::Dialog, {Menu(ID_DOCUMENT_SETUP)}},
        {"Preferences", Holds::Nothing, Kind::Dialog, {Menu(ID_PREFERENCES)}},
        {"Print", Holds::Nothing, Kind::Dialog, {Keys("ctrl+p")}},
        {"Print Setup", Holds::Nothing, Kind::Dialog, {Menu(ID_FILE_PRINT_SETUP)}},
        {"Track wizard", Holds::Nothing, Kind::Dialog, {ToolsBar(kTrackWizardButton)}},
        {"Layer properties", Holds::Nothing, Kind::Dialog, {MainBar(kLayersButton)}},
        {"Open", Holds::Nothing, Kind::Dialog, {Menu(ID_LIBRARY_GET_OBJECT)}},
        {"Tool parameters", Holds::Nothing, Kind::Dialog, {Menu(ID_TOOL_PARAMETERS)}},
        {"Corvane Help", Holds::Nothing, Kind::Dialog, {Keys("F1")}},
        {"About...", Holds::Nothing, Kind::Dialog, {Menu(ID_APP_ABOUT)}},
        {"Credits", Holds::Nothing, Kind::Dialog, {Menu(ID_APP_CREDITS)}},
        {"Corvane", Holds::Nothing, Kind::Dialog, {Keys("ctrl+g")}},
        {"Materials Report", Holds::Nothing, Kind::Dialog, {Menu(ID_MATERIALS_REPORT)}, true},
        // The parts file chosen is a name the layout keeps: the layout is left changed.
        {"Manufacturer Parts List",
         Holds::Nothing,
         Kind::Dialog,
         {Menu(ID_PARTS_LIST, "Open"), Keys("Return")},
         true,
         true},
        {"Print Preview", Holds::Nothing, Kind::Preview, {MainBar(kPrintPreviewButton)}, true},
        {"3D view", Holds::Nothing, Kind::Child, {MainBar(kShow3DButton)}, true},
        {"Save As",
         Holds::Nothing,
         Kind::Dialog,
         {Menu(ID_SHOW_3D_VIEW), Menu(ID_SAVE_3D_VIEW)},
         false,
         true},
        {"Print", Holds::Nothing, Kind::Dialog, {Menu(ID_SHOW_3D_VIEW), Menu(ID_PRINT_3D_VIEW)}, false, true},
        {"Terrain properties",
         Holds::Nothing,
         Kind::Dialog,
         {Menu(ID_TOOL_TERRAIN), Points(), ToolsBar(kLineButton)},
         false,
         true},
        {"Track properties", Holds::Track, Kind::Dialog, {Menu(ID_EDIT_PROPERTIES)}},
        {"Track properties", Holds::Track, Kind::Dialog, {Context(ID_EDIT_PROPERTIES)}},
        {"Rotate by degrees", Holds::Track, Kind::Dialog, {Menu(ID_ROTATE_BY_DEGREES)}},
        {"Corvane", Holds::Track, Kind::Dialog, {Menu(ID_FILE_CLOSE)}},
        {"Terrain Editor", Holds::Terrain, Kind::Dialog, {Menu(ID_TERRAIN_EDITOR)}, true},
    };
    return windows;
}

std::string NameOf(Closing closing) {
    switch (closing) {
        case Closing::HelpThenEscape:
            return "F1, help closed, Escape";
        case Closing::AltF4:
            return "Alt+F4";
        case Closing::CloseRequest:
            return "the window manager's close request";
        case Closing::CloseBox:
            return "its close box";
        case Closing::LayoutByCtrlF4:
            return "its layout closed by Ctrl+F4";
        case Closing::LayoutByFileClose:
            return "its layout closed by File > Close";
    }
    return {};
}

constexpr const char* kNotOpened = "it did not open; shown:";

bool Reported(const std::string& errors) {
    for (const char* mark : {"Sanitizer", "runtime error", "X error", "LeakSanitizer"})
        if (errors.find(mark) != std::string::npos)
            return true;
    return false;
}

class WindowSweepOnDesktop : public ProgramOnDesktop {
  protected:
    void TearDown() override {
        if (m_screen != nullptr)
            XCloseDisplay(m_screen);
    }

    // Tries every window one way; each fault names the window and the way.
    void Sweep(Closing closing) {
        m_titles = LearnTitles();
        m_context = LoadMenuResource(IDR_CONTEXT_MENU);
        int swept = 0;
        for (const SweptWindow& window : Windows()) {
            if (!Applies(window, closing))
                continue;
            std::string fault = Check(window, closing);
            // A drag that lays the track some windows need is now and then lost under a window
            // manager; the window is tried once more on a fresh program before it counts.
            if (fault.rfind(kNotOpened, 0) == 0) {
                Restart();
                fault = Check(window, closing);
            }
            EXPECT_EQ(fault, "") << window.caption << ", closed by " << NameOf(closing);
            if (!fault.empty())
                Restart();
            ++swept;
        }
        EXPECT_GT(swept, 0);
    }

    static bool Applies(const SweptWindow& window, Closing closing) {
        switch (closing) {
            case Closing::LayoutByCtrlF4:
                return window.showsLayout;
            // Print Preview has no menu bar to choose File > Close from.
            case Closing::LayoutByFileClose:
                return window.showsLayout && window.kind != Kind::Preview;
            // A window inside the main window is no top-level: the desktop closes only the main window.
            case Closing::AltF4:
            case Closing::CloseRequest:
                return window.kind != Kind::Child;
            default:
                return true;
        }
    }

    std::string Check(const SweptWindow& window, Closing closing) {
        if (!Prepare(window.holds))
            return "its layout could not be made ready; shown:" + DialogNames() + "\n" +
                   m_session.ProgramErrors();
        if (!Open(window))
            return kNotOpened + DialogNames() + "\n" + m_session.ProgramErrors();
        const std::string fault = Close(window, closing);
        if (!fault.empty())
            return fault + "; shown:" + DialogNames() + "\n" + m_session.ProgramErrors();
        return Answers();
    }

    // ---- Making the layout ready ----

    bool LayoutOpen() { return MainTitle().find("Untitled") != std::string::npos; }

    bool Prepare(Holds holds) {
        if (m_ready && m_holds == holds && LayoutOpen() && m_session.Dialogs().empty())
            return true;
        m_ready = false;
        if (!CloseLayouts())
            return false;
        m_session.Key("ctrl+n");
        if (!m_session.WaitUntil([&] { return LayoutOpen(); }, kPatience))
            return false;
        if (holds == Holds::Track && !DrawStraightTrack())
            return false;
        if (holds == Holds::Terrain && !DrawTerrain())
            return false;
        m_ready = !HasFatalFailure() && m_session.Dialogs().empty();
        m_holds = holds;
        return m_ready;
    }

    // File > Close on every layout, declining to save.
    bool CloseLayouts() {
        for (int tries = 0; tries < 4 && LayoutOpen(); ++tries) {
            Choose(ID_FILE_CLOSE);
            m_session.WaitUntil([&] { return !LayoutOpen() || Dialog("Corvane"); }, kPatience);
            if (Dialog("Corvane"))
                m_session.Key("n");
            m_session.WaitUntil([&] { return !LayoutOpen(); }, kPatience);
        }
        return !LayoutOpen() && m_session.Dialogs().empty();
    }

    // Each step waits until the program shows that it took the one before: the tool's button
    // checked, the piece following the drag, the piece laid; a busy program under a window
    // manager may be far behind the input.
    bool DrawStraightTrack() {
        Choose(ID_TOOL_STRAIGHT_TRACK);
        if (!m_session.WaitUntil(
                [&] { return PixelAt(kStraightTrackButton + 2, kToolsRowTop) == kButtonShadow; }, kPatience))
            return false;
        m_session.MovePointer(300, 400);
        m_session.Button(1, true);
        for (int x = 320; x <= 600; x += 40) m_session.MovePointer(x, 400);
        const bool dragged = m_session.WaitUntil([&] { return AcrossTrack(kDraggedTrack) > 0; }, kPatience);
        m_session.Button(1, false);
        m_session.MovePointer(1500, 950);
        return dragged &&
               m_session.WaitUntil(
                   [&] { return AcrossTrack(kDraggedTrack) == 0 && AcrossTrack(kPaper) < kAcross; },
                   kPatience);
    }

    bool DrawTerrain() {
        Choose(ID_TOOL_TERRAIN);
        ClickPoints();
        ClickBarButton(kToolsRowTop, kLineButton);
        if (!m_session.WaitUntil([&] { return Dialog("Terrain properties").has_value(); }, kPatience))
            return false;
        m_session.Key("Return");
        return m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience);
    }

    // Three corners of an outline, each once the program has handled what came before (the tool
    // chosen); they lie too far apart for a double click.
    void ClickPoints() {
        WaitForPopup(false);
        for (const auto& [x, y] : {std::pair{300, 300}, std::pair{600, 300}, std::pair{450, 550}}) {
            m_session.WaitUntilSettled(kPatience);
            m_session.Click(x, y);
        }
    }

    // ---- Opening ----

    void Choose(UINT command) {
        for (const MenuTitle& title : m_titles)
            if (const int index = IndexOf(*title.popup, command); index >= 0)
                return ChooseItem(title, index);
        ADD_FAILURE() << "no menu holds command " << command;
    }

    void ClickBarButton(int rowTop, int left) {
        DesktopSession::TopLevel main;
        if (!m_session.FindMainWindow(main))
            return;
        m_session.Click(main.x + left + kButtonSide / 2, main.y + rowTop + kButtonSide / 2);
        m_session.MovePointer(1500, 950);
    }

    void ChooseFromContextMenu(UINT command) {
        m_session.MovePointer(450, 400);
        m_session.Button(3, true);
        m_session.Button(3, false);
        if (!WaitForPopup(true))
            return;
        const CMenu& popup = *m_context->GetSubMenu(0);
        const DesktopSession::TopLevel menu = m_session.Popups().front();
        m_session.Click(menu.x + menu.width / 2, ItemCentreY(popup, IndexOf(popup, command), menu.y));
        m_session.MovePointer(1500, 950);
    }

    void Take(const Step& step) {
        switch (step.how) {
            case Step::Menu:
                return Choose(step.command);
            case Step::Keys:
                return m_session.Key(step.keys);
            case Step::MainBar:
                return ClickBarButton(kMainRowTop, step.left);
            case Step::ToolsBar:
                return ClickBarButton(kToolsRowTop, step.left);
            case Step::Context:
                return ChooseFromContextMenu(step.command);
            case Step::Points:
                return ClickPoints();
        }
    }

    bool Open(const SweptWindow& window) {
        for (const Step& step : window.opening) {
            Take(step);
            if (HasFatalFailure())
                return false;
            if (*step.awaits && !WaitUntilSettledWith([&] { return Dialog(step.awaits).has_value(); }))
                return false;
            // The 3D view, a step on the way to its own dialogs, is there before they are chosen.
            if (step.command == ID_SHOW_3D_VIEW &&
                !m_session.WaitUntil([&] { return ThreeDShown(); }, kPatience))
                return false;
        }
        if (window.leavesLayoutChanged)
            m_ready = false;
        return WaitUntilSettledWith([&] { return Shown(window); });
    }

    // ---- What is shown ----

    std::optional<DesktopSession::TopLevel> Dialog(const std::string& caption) {
        for (const DesktopSession::TopLevel& dialog : m_session.Dialogs())
            if (dialog.name == caption)
                return dialog;
        return std::nullopt;
    }

    unsigned long PixelAt(int x, int y) {
        if (m_screen == nullptr)
            m_screen = XOpenDisplay(m_session.DisplayName().c_str());
        DesktopSession::TopLevel main;
        if (m_screen == nullptr || !m_session.FindMainWindow(main))
            return ~0ul;
        XImage* image = XGetImage(m_screen, DefaultRootWindow(m_screen), main.x + x, main.y + y, 1, 1,
                                  AllPlanes, ZPixmap);
        if (image == nullptr)
            return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Pixels of the colour on the screen in a column across the middle of the drawn track.
    static constexpr int kAcross = 21;
    int AcrossTrack(unsigned long colour) {
        if (m_screen == nullptr)
            m_screen = XOpenDisplay(m_session.DisplayName().c_str());
        XImage* image = m_screen == nullptr ? nullptr
                                            : XGetImage(m_screen, DefaultRootWindow(m_screen), 450,
                                                        400 - kAcross / 2, 1, kAcross, AllPlanes, ZPixmap);
        if (image == nullptr)
            return 0;
        int count = 0;
        for (int y = 0; y < kAcross; ++y) count += (XGetPixel(image, 0, y) & 0xFFFFFF) == colour;
        XDestroyImage(image);
        return count;
    }

    // The 3D view shows black over its backdrop where the plan is white.
    bool ThreeDShown() { return m_session.Dialogs().empty() && PixelAt(600, 160) == kAboveBackdrop; }
    // Print Preview lays grey where the tool bars are.
    bool PreviewShown() { return PixelAt(1300, 56) == kPreviewGrey; }

    bool Shown(const SweptWindow& window) {
        switch (window.kind) {
            case Kind::Dialog:
                return Dialog(window.caption).has_value();
            case Kind::Child:
                return ThreeDShown();
            case Kind::Preview:
                return PreviewShown();
        }
        return false;
    }

    bool WaitGone(const SweptWindow& window) {
        if (window.kind == Kind::Dialog)
            return m_session.WaitUntil([&] { return !Dialog(window.caption); }, kPatience);
        return m_session.WaitUntil([&] { return !Shown(window) || !m_session.ProgramRunning(); }, kPatience);
    }

    // ---- Closing ----

    std::string Close(const SweptWindow& window, Closing closing) {
        switch (closing) {
            case Closing::HelpThenEscape:
                return HelpThenEscape(window);
            case Closing::AltF4:
                return ClosedBy(window, [&] {
                    // On a busy machine the window manager gives a new window the keyboard late;
                    // Alt+F4 before that would close whatever still has it.
                    const unsigned long shown = Target(window).id;
                    m_session.WaitUntil([&] { return m_session.FocusWindow() == shown; }, kPatience);
                    m_session.Key("alt+F4");
                });
            case Closing::CloseRequest:
                return ClosedBy(window, [&] { m_session.RequestClose(Target(window).id); });
            case Closing::CloseBox:
                return ClosedBy(window, [&] {
                    if (window.kind == Kind::Child)
                        return ClickInMain(kSecondChildCloseX, kSecondChildCloseY);
                    const DesktopSession::TopLevel target = Target(window);
                    m_session.Click(target.x + target.width - kCloseBoxFromRight,
                                    target.y + kCloseBoxFromTop);
                });
            case Closing::LayoutByCtrlF4:
                return LayoutClosedBehind(window, false);
            case Closing::LayoutByFileClose:
                return LayoutClosedBehind(window, true);
        }
        return {};
    }

    // The window itself, or for a window that fills the main window, the main window.
    DesktopSession::TopLevel Target(const SweptWindow& window) {
        DesktopSession::TopLevel target;
        if (window.kind == Kind::Dialog)
            return Dialog(window.caption).value_or(target);
        m_session.FindMainWindow(target);
        return target;
    }

    void ClickInMain(int x, int y) {
        DesktopSession::TopLevel main;
        if (m_session.FindMainWindow(main))
            m_session.Click(main.x + x, main.y + y);
        m_session.MovePointer(1500, 950);
    }

    void CloseByKeys(const SweptWindow& window) {
        m_session.Key(window.kind == Kind::Child ? "ctrl+F4" : "Escape");
    }

    std::string HelpThenEscape(const SweptWindow& window) {
        // The help itself and a message have no help of their own.
        if (std::string(window.caption) != "Corvane Help" && std::string(window.caption) != "Corvane") {
            m_session.Key("F1");
            if (!m_session.WaitUntil([&] { return Dialog("Corvane Help").has_value(); }, kPatience))
                return "F1 opened no help";
            m_session.Key("Escape");
            if (!m_session.WaitUntil([&] { return !Dialog("Corvane Help"); }, kPatience))
                return "Escape left the help open";
        }
        CloseByKeys(window);
        return WaitGone(window) ? "" : "its keys did not close it after the help";
    }

    // Closing Print Preview's main window ends the program, as closing the main window does.
    std::string ClosedBy(const SweptWindow& window, const std::function<void()>& close) {
        close();
        if (window.kind != Kind::Preview)
            return WaitGone(window) ? "" : "it stayed open";
        const int exitCode = m_session.WaitForExit(kPatience);
        const std::string errors = m_session.ProgramErrors();
        if (exitCode != 0 || Reported(errors))
            return "the program did not end cleanly: exit " + std::to_string(exitCode) + "\n" + errors;
        Restart();
        return {};
    }

    std::string LayoutClosedBehind(const SweptWindow& window, bool byFileClose) {
        m_ready = false;
        // The 3D view's layout is closed from the layout's own window.
        if (window.kind == Kind::Child) {
            ClickInMain(kFirstChildCaptionX, kFirstChildCaptionY);
            if (!m_session.WaitUntil([&] { return !PlanCaptionGrey(); }, kPatience))
                return "a click on its caption did not make the plan active";
        }
        if (byFileClose)
            ChooseFileClose();
        else
            m_session.Key("ctrl+F4");
        if (window.kind == Kind::Child && !byFileClose) {
            // A layout lives until its last window closes: Ctrl+F4 on its plan leaves the 3D view.
            if (const std::string fault = OutlivesItsPlan(); !fault.empty())
                return fault;
            CloseByKeys(window);
        }
        // A modal window keeps the keys and the click from the main window: it is closed first.
        if (window.kind == Kind::Dialog && Shown(window))
            CloseByKeys(window);
        if (!WaitGone(window))
            return "it did not close after its layout";
        if (window.kind == Kind::Child &&
            !m_session.WaitUntil([&] { return !m_session.ProgramRunning() || !LayoutOpen(); }, kPatience))
            return "its layout stayed open";
        return m_session.ProgramRunning() ? "" : Ended();
    }

    // A click on File, then on its Close; a modal window keeps the click from the menu bar, and
    // then nothing is chosen.
    void ChooseFileClose() {
        const MenuTitle& file = m_titles.front();
        m_session.Click(file.clickX, file.clickY);
        if (!m_session.WaitUntil([&] { return PopupOpen(); }, milliseconds(1500)))
            return;
        const DesktopSession::TopLevel menu = m_session.Popups().front();
        m_session.Click(menu.x + menu.width / 2,
                        ItemCentreY(*file.popup, IndexOf(*file.popup, ID_FILE_CLOSE), menu.y));
    }

    // The 3D view keeps its layout open, shows it and answers its keys once the plan is gone.
    std::string OutlivesItsPlan() {
        if (!m_session.WaitUntil([&] { return PlanCaptionGrey(); }, kPatience))
            return "Ctrl+F4 left the layout's plan open";
        if (!LayoutOpen() || !ThreeDShown())
            return "the layout went with its plan while the 3D view still showed it";
        m_session.Key("F1");
        if (!m_session.WaitUntil([&] { return Dialog("Corvane Help").has_value(); }, kPatience))
            return "the 3D view left alone answered no F1";
        m_session.Key("Escape");
        if (!m_session.WaitUntil([&] { return !Dialog("Corvane Help") && ThreeDShown(); }, kPatience))
            return "the 3D view left alone did not show again after its help";
        return {};
    }

    // The plan's caption, grey once the plan is gone (or inactive).
    bool PlanCaptionGrey() { return PixelAt(kFirstChildCaptionX, kFirstChildCaptionY) == kWorkspaceGrey; }

    // ---- Afterwards ----

    // The program still runs, shows nothing left over, opens its File menu on a click and has
    // reported nothing on stderr.
    std::string Answers() {
        if (!m_session.ProgramRunning())
            return Ended();
        if (!m_session.WaitUntil([&] { return m_session.Dialogs().empty(); }, kPatience))
            return "a window was left open:" + DialogNames();
        if (PopupOpen())
            return "a menu opened by itself";
        const MenuTitle& file = m_titles.front();
        m_session.Click(file.clickX, file.clickY);
        if (!WaitForPopup(true))
            return "a click on File opened no menu\n" + m_session.ProgramErrors();
        CloseMenus();
        const std::string errors = m_session.ProgramErrors();
        return Reported(errors) ? "stderr: " + errors : "";
    }

    std::string Ended() {
        return "the program ended, exit " + std::to_string(m_session.WaitForExit(kPatience));
    }

    void Restart() {
        m_session.SignalProgram(SIGKILL);
        m_session.WaitForExit(kPatience);
        m_session.StartProgram();
        m_ready = false;
        // A program that ended shows no main window: the wait ends there, and a failure says what
        // was shown instead.
        m_session.WaitUntil([&] { return MainShown() || !m_session.ProgramRunning(); }, kPatience);
        ASSERT_TRUE(MainShown()) << "no main window; running: " << m_session.ProgramRunning()
                                 << "; shown:" << DialogNames() << "\n"
                                 << m_session.ProgramErrors();
        ASSERT_TRUE(m_session.WaitUntil([&] { return m_session.Popups().empty(); }, kPatience));
    }

    std::vector<MenuTitle> m_titles;
    std::unique_ptr<CMenu> m_context;
    Display* m_screen = nullptr;
    Holds m_holds = Holds::Nothing;
    bool m_ready = false;
};

TEST_F(WindowSweepOnDesktop, EveryWindowClosesByEscapeAfterF1AndItsHelp) {
    Sweep(Closing::HelpThenEscape);
}

TEST_F(WindowSweepOnDesktop, EveryWindowClosesByAltF4UnderAWindowManager) {
    // Without openbox there is no Alt+F4 to sweep; the request it sends is swept on its own.
    if (!m_session.StartWindowManager())
        GTEST_SKIP() << "no window manager (Debian package openbox)";
    Restart();
    ASSERT_FALSE(HasFatalFailure());
    Sweep(Closing::AltF4);
}

TEST_F(WindowSweepOnDesktop, EveryWindowClosesOnTheCloseRequestOfAWindowManager) {
    Sweep(Closing::CloseRequest);
}

TEST_F(WindowSweepOnDesktop, EveryWindowClosesByItsCloseBox) {
    Sweep(Closing::CloseBox);
}

TEST_F(WindowSweepOnDesktop, EveryWindowShowingALayoutClosesAfterCtrlF4ClosedTheLayout) {
    Sweep(Closing::LayoutByCtrlF4);
}

TEST_F(WindowSweepOnDesktop, EveryWindowShowingALayoutClosesAfterFileCloseClosedTheLayout) {
    Sweep(Closing::LayoutByFileClose);
}

}  // namespace
