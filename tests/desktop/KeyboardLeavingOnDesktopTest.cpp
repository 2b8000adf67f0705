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
#include <thread>
#include <vector>

#include "platform/cdlg/CColorDialog.h"
#include "platform/cdlg/CFontDialog.h"
#include "platform/cdlg/CPrintDialog.h"
#include "platform/ctl/DialogUnits.h"
#include "platform/win/CaptionGlyphs.h"
#include "platform/win/WindowManager.h"
#include "tests/app/EveryDialogTemplate.h"
#include "tests/app/MouseHolders.h"
#include "tests/desktop/KeyboardAwayOnDesktop.h"
#include "tests/support/WalkPart.h"

namespace desktop {
namespace {
using namespace mouse_holders;

// How the dialog a hold lies in opens; the walks of each kind have a test of their own.
enum class Opened { kNoDialog, kByTheMenus, kByAToolsDrag };

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

// The program's dialog templates, and those the platform builds for the dialogs it shows itself.
std::vector<const DialogTemplate*> DialogTemplates() {
    static const DialogTemplate print = CPrintDialog::Template(0);
    static const DialogTemplate printSetup = CPrintDialog::Template(PD_PRINTSETUP);
    static const DialogTemplate colour = CColorDialog::Template(0);
    static const DialogTemplate font = CFontDialog::Template(CF_SCREENFONTS | CF_EFFECTS);
    std::vector<const DialogTemplate*> all = EveryDialogTemplate();
    all.insert(all.end(), {&print, &printSetup, &colour, &font});
    return all;
}

// The template of the dialog captioned so, or null.
const DialogTemplate* TemplateCaptioned(const std::string& caption) {
    for (const DialogTemplate* dialog : DialogTemplates())
        if (caption == dialog->caption.c_str())
            return dialog;
    return nullptr;
}

// The template's first control of the reach's window class and kind, or null.
const DialogItem* ControlOf(const DialogTemplate& dialog, const DesktopReach& reach) {
    for (const DialogItem& item : dialog.items)
        if (CString(item.className).CompareNoCase(reach.control) == 0 &&
            (item.style & reach.kindMask) == reach.kind &&
            (reach.controlId == 0 || item.id == reach.controlId))
            return &item;
    return nullptr;
}

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
// A caption's frame above it and its edge below.
constexpr int kCaptionFrame = 4;
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
// The arrow of a dropped list's scroll bar, this far in from the list's bottom right corner.
constexpr int kDroppedListArrowFromCorner = 9;
// A list view's header: the rows below the control's top, from the first for so many, that only
// its dividers fill, and how far in from the control's left its first divider lies at the least.
constexpr Point kHeaderRows{4, 12};
constexpr int kHeaderFromBorder = 4;
// Longer than a held arrow waits before it repeats.
constexpr std::chrono::milliseconds kRepeatingDelay{800};
// How many reads in a row, so far apart, the view must stay as the keyboard left it.
constexpr int kStillPolls = 25;
constexpr std::chrono::milliseconds kStillPause{20};
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
// A drag that a tool opens its dialog on: a text's box, a test train set down.
constexpr DesktopReach kOpeningDrag{.dragX = 60, .dragY = 30};
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

class KeyboardLeavingOnDesktop : public KeyboardAwayOnDesktop, public WalkPart {
  protected:
    void SetUp() override {
        SetUpBeside([&] { return std::pair{OtherProgram().x, OtherProgram().y}; });
        if (IsSkipped() || HasFatalFailure())
            return;
        // The plan fills the layout window by its system menu's Maximize.
        m_session.Key("alt+minus");
        ASSERT_TRUE(WaitForPopup(true));
        m_session.Key("x");
        ASSERT_TRUE(WaitUntilSettledWith([&] { return !PopupOpen(); }));
        ZoomInFromNormal();
    }

    // From Normal Zoom, whose page fits the window unscrolled, in to the closest zoom about the
    // page's middle: the plan shows the same part however the walks before scrolled it.
    void ZoomInFromNormal() {
        Type("ctrl+Home");
        for (int step = 0; step < kZoomSteps; ++step) Choose(ID_ZOOM_IN);
        // At the closest zoom Zoom In is grey, and a click on it leaves its menu open.
        if (PopupOpen())
            CloseMenus();
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
            case Spot::kPlanDownArrow:
                return {ScrollBarX(), m_main.y + m_main.height - kDownArrowFromFoot - kArrowHeight / 2};
            case Spot::kSelectorButton:
                return FromCorner({kSelectorMiddle, kToolRowMiddle});
            case Spot::kPaletteArrow:
                return FromCorner({kPaletteArrowMiddle, kToolRowMiddle});
            case Spot::kForwardButton:
                return FromCorner({kForwardMiddle, kToolRowMiddle});
            case Spot::kMenuBarTitle:
                return FromCorner(kMenuBarTitle);
            case Spot::kControlMiddle:
                return {m_control.x + m_control.width / 2, m_control.y + m_control.height / 2};
            case Spot::kControlTopLeft:
                return {m_control.x, m_control.y};
            case Spot::kControlTopRight:
                return {m_control.x + m_control.width, m_control.y};
            case Spot::kCloseButton:
                return CloseButton();
            case Spot::kCaption:
                return {m_dialog.x + m_dialog.width / 2, m_dialog.y + (m_border + m_clientTop) / 2};
            case Spot::kHeaderDivider:
                return HeaderDivider();
            case Spot::kControlThumb:
                return ControlThumb();
            case Spot::kDroppedListDownArrow:
                return DroppedListDownArrow();
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

    // The middle of the first plain run down the plan's scroll bar between its arrows.
    Point ThumbMiddle() const {
        const int top = m_main.y + kUpArrowFromTop + kArrowHeight;
        const int foot = m_main.y + m_main.height - kDownArrowFromFoot - kArrowHeight / 2;
        return {ScrollBarX(), top + PlainRunMiddle(m_session.Pixels(ScrollBarX(), top, 1, foot - top))};
    }

    // The middle of the first plain run along the dialog's scroll bar, between its arrows, which
    // are as wide as the bar is high.
    Point ControlThumb() const {
        const int left = m_control.x + m_control.height, y = m_control.y + m_control.height / 2;
        return {left + PlainRunMiddle(m_session.Pixels(left, y, m_control.width - 2 * m_control.height, 1)),
                y};
    }

    // Where along the line the first plain run of a thumb's length has its middle.
    static int PlainRunMiddle(const std::vector<unsigned long>& line) {
        size_t start = 0;
        for (size_t at = 1; at < line.size(); ++at) {
            if (line[at] == line[start])
                continue;
            if (at - start >= kThumbRun)
                return static_cast<int>(start + at) / 2;
            start = at;
        }
        return static_cast<int>(start + line.size()) / 2;
    }

    // A click on the combo box's arrow drops its list.
    void DropList() {
        if (PopupOpen())
            return;
        m_session.Click(m_control.x + m_control.width - kArrowInFromCorner,
                        m_control.y + kArrowInFromCorner);
        ASSERT_TRUE(WaitForPopup(true)) << "the combo box dropped no list";
    }

    // The dropped list's down arrow: the foot of its scroll bar, inside its frame.
    Point DroppedListDownArrow() const {
        const DesktopSession::TopLevel list = m_session.Popups().front();
        return {list.x + list.width - kDroppedListArrowFromCorner,
                list.y + list.height - kDroppedListArrowFromCorner};
    }

    std::vector<unsigned long> Watched() const {
        if (m_dialog.id != 0)
            return PixelsBesideCaptions({m_dialog.x, m_dialog.y, m_dialog.width, m_dialog.height});
        std::vector<unsigned long> watched =
            m_session.Pixels(m_main.x, m_main.y + kBarsFromTop, m_main.width, kBarsHeight);
        const std::vector<unsigned long> view = PixelsBesideCaptions(View());
        watched.insert(watched.end(), view.begin(), view.end());
        return watched;
    }

    // The area's pixels, the captions of the program's dialogs in it drawn as if active: they show
    // whether the keyboard is in the program, not what a hold did (a pushed caption button shows).
    std::vector<unsigned long> PixelsBesideCaptions(const Area& area) const {
        std::vector<unsigned long> pixels = m_session.Pixels(area.x, area.y, area.width, area.height);
        if (pixels.empty())
            return pixels;
        const unsigned long inactive = OnScreen(COLOR_INACTIVECAPTION),
                            inactiveText = OnScreen(COLOR_INACTIVECAPTIONTEXT);
        const unsigned long active = OnScreen(COLOR_ACTIVECAPTION), activeText = OnScreen(COLOR_CAPTIONTEXT);
        const int band = GetSystemMetrics(SM_CYCAPTION) + kCaptionFrame;
        for (const DesktopSession::TopLevel& dialog : ProgramDialogs())
            for (int y = std::max(dialog.y, area.y); y < std::min(dialog.y + band, area.y + area.height); ++y)
                for (int x = std::max(dialog.x, area.x);
                     x < std::min(dialog.x + dialog.width, area.x + area.width); ++x) {
                    unsigned long& pixel =
                        pixels[static_cast<size_t>((y - area.y) * area.width + x - area.x)];
                    pixel = pixel == inactive ? active : pixel == inactiveText ? activeText : pixel;
                }
        return pixels;
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

    // The window that takes the keyboard back: the dialog the spot lies in, else the layout window.
    unsigned long KeyboardHome(Spot spot) const {
        if (spot == Spot::kKnotBall)
            return Dialog(kTerrainEditor).id;
        return m_dialog.id != 0 ? m_dialog.id : m_main.id;
    }

    // Opens the dialog of the reach's command, unless it is open already, and pushes the buttons
    // the reach names in it once.
    void OpenDialogOf(const DesktopReach& reach) {
        const std::string pushed = reach.pushed ? reach.pushed : "";
        if (m_dialog.id != 0 && m_dialogCommand == reach.command && m_dialogPushed == pushed)
            return FindInDialog(reach);
        CloseDialog();
        Type(reach.opening);
        Choose(reach.command);
        if (reach.dragOpens) {
            Press(kOpeningDrag, Middle());
            m_session.Button(1, false);
        }
        ASSERT_TRUE(WaitForKeyboardInDialog(1));
        m_dialogCommand = reach.command;
        m_dialogPushed = pushed;
        std::istringstream buttons(pushed);
        for (std::string caption; std::getline(buttons, caption, '|');)
            ASSERT_NO_FATAL_FAILURE(Push(caption));
        ASSERT_NO_FATAL_FAILURE(FindInDialog(reach));
    }

    // By its Alt letter where its caption has one, else by a click, in the dialog with the
    // keyboard; a dialog it opens takes the keyboard.
    void Push(const std::string& caption) {
        const size_t dialogs = ProgramDialogs().size();
        if (const size_t amp = caption.find('&'); amp != std::string::npos && amp + 1 < caption.size()) {
            m_session.Key(std::string("alt+") + static_cast<char>(std::tolower(caption[amp + 1])));
        } else {
            ASSERT_NO_FATAL_FAILURE(FindInDialog({}));
            const Area button = PlaceOf(ItemCaptioned(caption));
            ASSERT_GT(button.width, 0) << m_dialog.name << " holds no button captioned " << caption;
            m_session.Click(button.x + button.width / 2, button.y + button.height / 2);
        }
        m_session.WaitUntilSettled(kPatience);
        if (ProgramDialogs().size() > dialogs) {
            ASSERT_TRUE(WaitForKeyboardInDialog(dialogs + 1));
        }
    }

    // So many of the program's dialogs are shown, and one of them has the keyboard.
    bool WaitForKeyboardInDialog(size_t count) {
        const bool done = WaitUntilSettledWith([&] {
            const std::vector<DesktopSession::TopLevel> dialogs = ProgramDialogs();
            return dialogs.size() == count && KeyboardDialog().id != 0;
        });
        EXPECT_TRUE(done) << "no dialog took the keyboard; shown:" << DialogNames();
        return done;
    }

    // The program's dialog that has the keyboard; none when no dialog has.
    DesktopSession::TopLevel KeyboardDialog() const {
        for (const DesktopSession::TopLevel& dialog : ProgramDialogs())
            if (m_session.FocusWindow() == dialog.id)
                return dialog;
        return {};
    }

    // Finds the dialog's frame and the reach's control from its template: the client area is
    // framed alike left, right and below, the caption above.
    void FindInDialog(const DesktopReach& reach) {
        // Where it is now: a walk before may have moved it.
        m_dialog = KeyboardDialog();
        ASSERT_NE(m_dialog.id, 0UL) << "no dialog has the keyboard; shown:" << DialogNames();
        m_template = TemplateCaptioned(m_dialog.name);
        ASSERT_NE(m_template, nullptr) << "no template is captioned " << m_dialog.name;
        const DialogUnits units(m_template->fontFace, m_template->fontPointSize);
        const CRect client = units.ToPixels(CRect(0, 0, m_template->rect.Width(), m_template->rect.Height()));
        m_border = (m_dialog.width - client.Width()) / 2;
        m_clientTop = m_dialog.height - client.Height() - m_border;
        ASSERT_GE(m_border, 0);
        ASSERT_GE(m_clientTop, m_border);
        if (!reach.control)
            return;
        const DialogItem* item = ControlOf(*m_template, reach);
        ASSERT_NE(item, nullptr) << m_dialog.name << " holds no " << reach.control;
        m_control = PlaceOf(item);
    }

    const DialogItem* ItemCaptioned(const std::string& caption) const {
        for (const DialogItem& item : m_template->items)
            if (item.text == caption.c_str())
                return &item;
        return nullptr;
    }

    // Where the dialog's item lies on the screen; empty for none.
    Area PlaceOf(const DialogItem* item) const {
        if (item == nullptr)
            return {};
        const CRect place = DialogUnits(m_template->fontFace, m_template->fontPointSize).ToPixels(item->rect);
        return {m_dialog.x + m_border + place.left, m_dialog.y + m_clientTop + place.top, place.Width(),
                place.Height()};
    }

    // The first column of the control's header drawn dark from the header's top to its foot,
    // which the captions' letters are not; {-1, -1} when none is.
    Point HeaderDivider() const {
        const int top = m_control.y + kHeaderRows.x, rows = kHeaderRows.y;
        const std::vector<unsigned long> strip = m_session.Pixels(m_control.x, top, m_control.width, rows);
        for (int x = kHeaderFromBorder; x < m_control.width; ++x) {
            bool dark = true;
            for (int row = 0; row < rows && dark; ++row) dark = strip[row * m_control.width + x] == 0;
            if (dark)
                return {m_control.x + x, top + rows / 2};
        }
        return {-1, -1};
    }

    // The close button ends the row of caption buttons, a little in from the frame.
    Point CloseButton() const {
        return {m_dialog.x + m_dialog.width - m_border - 2 - CaptionGlyphs::kButtonWidth / 2,
                m_dialog.y + m_border + 2 + CaptionGlyphs::kButtonHeight / 2};
    }

    static bool InDialog(Spot spot) {
        return spot == Spot::kControlMiddle || spot == Spot::kControlTopLeft ||
               spot == Spot::kControlTopRight || spot == Spot::kCloseButton || spot == Spot::kCaption ||
               spot == Spot::kHeaderDivider || spot == Spot::kControlThumb ||
               spot == Spot::kDroppedListDownArrow;
    }

    // Each dialog by Escape, the one over the others first.
    void CloseDialog() {
        if (m_dialog.id == 0)
            return;
        m_dialog = {};
        for (size_t shown = ProgramDialogs().size(); shown > 0; --shown) {
            m_session.Key("Escape");
            ASSERT_TRUE(WaitUntilSettledWith([&] { return ProgramDialogs().size() < shown; }))
                << "the dialog did not close; shown:" << DialogNames();
        }
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

    // The view must match once the program has settled, then stay so for a run of reads. A read of
    // the whole view costs far more than a poll's pause on a busy machine, so the wait is bounded
    // by settlings: counted in polls, a view that never matched kept the test for many minutes.
    bool StaysAs(const std::vector<unsigned long>& left, size_t allowed) {
        constexpr int kMostSettlings = 10;
        for (int settling = 0; settling < kMostSettlings; ++settling) {
            if (!m_session.WaitUntilSettled(kPatience))
                return false;
            if (StillAs(left, allowed))
                return true;
        }
        return false;
    }

    // Every try reads the whole run, so that ten tries outlast a timer the program repaints by.
    bool StillAs(const std::vector<unsigned long>& left, size_t allowed) const {
        const std::vector<unsigned long> first = Watched();
        bool still = DifferingPixels(left, first) <= allowed;
        for (int read = 0; read < kStillPolls; ++read) {
            std::this_thread::sleep_for(kStillPause);
            still = Watched() == first && still;
        }
        return still;
    }

    void Walk(const MouseHolder& holder, const Leaving& leaving) {
        SCOPED_TRACE(std::string(holder.name) + ", the keyboard going to " + leaving.to);
        const DesktopReach& reach = holder.desktop;
        if (InDialog(reach.spot)) {
            ASSERT_NO_FATAL_FAILURE(OpenDialogOf(reach));
            if (reach.spot == Spot::kDroppedListDownArrow) {
                ASSERT_NO_FATAL_FAILURE(DropList());
            }
        } else {
            ASSERT_NO_FATAL_FAILURE(CloseDialog());
            if (reach.command != 0)
                Choose(reach.command);
        }
        const Point spot = SpotOf(reach.spot);
        ASSERT_GE(spot.x, 0) << "what to press on was not found on the screen";
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
        // Back over what was pressed, a hold that went on would repeat there.
        if (reach.letGoWherePressed)
            std::this_thread::sleep_for(kRepeatingDelay);
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
        ASSERT_NO_FATAL_FAILURE(CloseDialog());
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
        ZoomInFromNormal();
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

    static Opened OpenedFor(const DesktopReach& reach) {
        if (!InDialog(reach.spot))
            return Opened::kNoDialog;
        return reach.dragOpens ? Opened::kByAToolsDrag : Opened::kByTheMenus;
    }

    // Walks this part's share of the cancel table's holders reached here in the dialogs so
    // opened, or out of dialogs. A dialog opens afresh for each holder, so a part takes every
    // kWalkParts-th holder, the keyboard leaving each way in turn. Out of dialogs the holders
    // build on one another (the 3D view that one opens serves those after it), so a part takes
    // each holder in turn, the keyboard leaving one way.
    void WalkTheTable(const std::vector<Leaving>& leavings, Opened opened) {
        const bool byLeaving = opened == Opened::kNoDialog;
        int found = 0;
        int walked = 0;
        for (const MouseHolder& holder : MouseHolders()) {
            if (holder.desktop.spot == Spot::kUnreached || OpenedFor(holder.desktop) != opened ||
                !(byLeaving || Takes(found++)))
                continue;
            ASSERT_NO_FATAL_FAILURE(Make(holder.desktop.made));
            for (size_t way = 0; way < leavings.size(); ++way)
                if (!byLeaving || static_cast<int>(way) == GetParam())
                    Walk(holder, leavings[way]);
            ++walked;
        }
        EXPECT_GT(walked, 0) << "a part of the walk found none of " << found << " holders";
        ASSERT_NO_FATAL_FAILURE(CloseDialog());
        m_session.CloseOtherProgram(m_other);
        ExpectAnswers();
        ExpectCleanExit();
    }

    // The dialog the holders walk in, while it is open, the command that opened it, and the place
    // on the screen of the control a press lands on.
    DesktopSession::TopLevel m_dialog;
    UINT m_dialogCommand = 0;
    std::string m_dialogPushed;
    const DialogTemplate* m_template = nullptr;
    Area m_control;
    // The dialog's frame: its border, and how far below its top its client area begins.
    int m_border = 0;
    int m_clientTop = 0;
};

using KeyboardLeavingUnderWindowManager = UnderWindowManager<KeyboardLeavingOnDesktop>;
// Out of dialogs, a part for each way the keyboard leaves.
class KeyboardLeavingOutsideDialogs : public KeyboardLeavingOnDesktop {};
using KeyboardLeavingOutsideDialogsUnderWindowManager = UnderWindowManager<KeyboardLeavingOutsideDialogs>;

// A window manager would give the keyboard straight back from no window or the pointer root.
TEST_P(KeyboardLeavingOutsideDialogs, EveryHoldEndsWhenTheKeyboardGoesToAnotherProgramNoWindowOrThePointerRoot) {
    WalkTheTable(kWithoutWindowManager, Opened::kNoDialog);
}

TEST_P(KeyboardLeavingOnDesktop,
       EveryHoldInADialogTheMenusOpenEndsWhenTheKeyboardGoesToAnotherProgramNoWindowOrThePointerRoot) {
    WalkTheTable(kWithoutWindowManager, Opened::kByTheMenus);
}

TEST_P(KeyboardLeavingOnDesktop,
       EveryHoldInADialogAToolOpensEndsWhenTheKeyboardGoesToAnotherProgramNoWindowOrThePointerRoot) {
    WalkTheTable(kWithoutWindowManager, Opened::kByAToolsDrag);
}

TEST_P(KeyboardLeavingOutsideDialogsUnderWindowManager,
       EveryHoldEndsWhenAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkTheTable(kUnderWindowManager, Opened::kNoDialog);
}

TEST_P(KeyboardLeavingUnderWindowManager,
       EveryHoldInADialogTheMenusOpenEndsWhenAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkTheTable(kUnderWindowManager, Opened::kByTheMenus);
}

TEST_P(KeyboardLeavingUnderWindowManager,
       EveryHoldInADialogAToolOpensEndsWhenAltTabOrAFocusChangeGivesAnotherProgramTheKeyboard) {
    WalkTheTable(kUnderWindowManager, Opened::kByAToolsDrag);
}

INSTANTIATE_TEST_SUITE_P(EachPart, KeyboardLeavingOnDesktop, testing::Range(0, kWalkParts));
INSTANTIATE_TEST_SUITE_P(EachPart, KeyboardLeavingUnderWindowManager, testing::Range(0, kWalkParts));
INSTANTIATE_TEST_SUITE_P(EachPart, KeyboardLeavingOutsideDialogs,
                         testing::Range(0, static_cast<int>(kWithoutWindowManager.size())));
INSTANTIATE_TEST_SUITE_P(EachPart, KeyboardLeavingOutsideDialogsUnderWindowManager,
                         testing::Range(0, static_cast<int>(kUnderWindowManager.size())));

}  // namespace
}  // namespace desktop
