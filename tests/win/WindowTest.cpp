#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
constexpr UINT ID_ALPHA = 100;
constexpr UINT ID_BETA = 101;
constexpr UINT ID_RANGE_FIRST = 200;
constexpr UINT ID_RANGE_LAST = 209;

// A window that writes down every message it is given, and paints itself in one colour.
class RecordingWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    explicit RecordingWnd(COLORREF fill = RGB(255, 0, 0)) : m_fill(fill) {}
    std::vector<std::string> log;
    bool captureOnDown = false;
    bool betaChecked = false;

    void OnAlpha() { log.push_back("alpha"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    void OnUpdateBeta(CCmdUI* cmdUI) { cmdUI->SetCheck(betaChecked ? 1 : 0); }

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_fill);
        log.push_back("paint");
    }
    void OnLButtonDown(UINT flags, CPoint p) override {
        Note("down", flags, p);
        if (captureOnDown) SetCapture();
    }
    void OnLButtonUp(UINT flags, CPoint p) override {
        Note("up", flags, p);
        if (GetCapture() == this) ReleaseCapture();
    }
    void OnLButtonDblClk(UINT flags, CPoint p) override { Note("dblclk", flags, p); }
    void OnMouseMove(UINT flags, CPoint p) override { Note("move", flags, p); }
    void OnCaptureChanged(CWnd*) override { log.push_back("capture lost"); }
    void OnTimer(UINT_PTR id) override {
        log.push_back("timer " + std::to_string(id) + " at " + std::to_string(WindowManager::Instance().Now()));
    }
    void OnKeyDown(UINT key, UINT, UINT) override { log.push_back("key " + std::to_string(key)); }
    void OnSetFocus(CWnd*) override { log.push_back("focus"); }
    void OnKillFocus(CWnd*) override { log.push_back("unfocus"); }

private:
    void Note(const char* what, UINT flags, CPoint p) {
        log.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) +
                      ((flags & MK_LBUTTON) ? " L" : ""));
    }
    COLORREF m_fill;
};

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
    ON_COMMAND(ID_ALPHA, OnAlpha)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_UPDATE_COMMAND_UI(ID_BETA, OnUpdateBeta)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    WindowManager& manager = WindowManager::Instance();
};

std::uint32_t PixelAt(const CWnd& top, int x, int y) { return top.Surface()->At(x, y); }
}  // namespace

TEST_F(WindowTest, CommandsRunTheirHandlersAndMenusFollowUpdateHandlers) {
    RecordingWnd window;
    ASSERT_TRUE(window.Create(nullptr, "Top", WS_OVERLAPPED, CRect(0, 0, 200, 100), nullptr, 0));
    window.SendMessage(WM_COMMAND, ID_ALPHA);
    window.SendMessage(WM_COMMAND, ID_RANGE_FIRST + 3);
    EXPECT_EQ(window.log, (std::vector<std::string>{"alpha", "range 203"}));

    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_ALPHA, "&Alpha");
    popup.AppendMenu(MF_STRING, ID_BETA, "&Beta");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 999, "&Nobody");
    window.betaChecked = true;
    window.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(&popup));
    EXPECT_EQ(popup.GetMenuState(ID_ALPHA, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(popup.GetMenuState(ID_BETA, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(popup.GetMenuState(999, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
}

TEST_F(WindowTest, ChildCoordinatesFollowTheParentsClientArea) {
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME, CRect(100, 50, 500, 350), nullptr, 0));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 20, 110, 70), &top, 7));
    CPoint p(0, 0);
    child.ClientToScreen(&p);
    // Top: frame 4, caption 18; child: border 1.
    EXPECT_EQ(p, CPoint(100 + 4 + 10 + 1, 50 + 4 + 18 + 20 + 1));
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 98, 48));
    child.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    EXPECT_EQ(top.GetDlgItem(7), &child);
    EXPECT_TRUE(top.IsChild(&child));
    EXPECT_EQ(child.GetTopLevelParent(), &top);

    // A sunken client edge takes two more pixels on every side.
    CWnd sunken;
    ASSERT_TRUE(sunken.CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                CRect(10, 20, 110, 70), &top, 8));
    CPoint origin(0, 0);
    sunken.ClientToScreen(&origin);
    EXPECT_EQ(origin, CPoint(100 + 4 + 10 + 1 + 2, 50 + 4 + 18 + 20 + 1 + 2));
    sunken.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 94, 44));
}

TEST_F(WindowTest, MouseButtonsArriveInTheFrameworksOrderAndCaptureKeepsTheDrag) {
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    RecordingWnd view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &top, 1));

    manager.MouseInput(WM_LBUTTONDOWN, CPoint(20, 20));
    manager.MouseInput(WM_LBUTTONUP, CPoint(20, 20));
    manager.AdvanceClock(100);
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(20, 20));
    manager.MouseInput(WM_LBUTTONUP, CPoint(20, 20));
    EXPECT_EQ(view.log, (std::vector<std::string>{"down 10,10 L", "up 10,10", "dblclk 10,10 L", "up 10,10"}));

    view.log.clear();
    view.captureOnDown = true;
    manager.AdvanceClock(2000);
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(50, 50));
    manager.MouseInput(WM_MOUSEMOVE, CPoint(200, 60));
    manager.MouseInput(WM_LBUTTONUP, CPoint(250, 70));
    manager.MouseInput(WM_MOUSEMOVE, CPoint(260, 70));
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"down 40,40 L", "move 190,50 L", "up 240,60", "capture lost"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

// A window manager may have stacked the windows otherwise: a click goes into the window the
// desktop says it fell in, which comes forward, and where it names none, to the top one there.
TEST_F(WindowTest, AClickGoesIntoTheWindowTheDesktopNames) {
    CWnd lower;
    ASSERT_TRUE(
        lower.Create(nullptr, "Lower", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    RecordingWnd lowerView;
    ASSERT_TRUE(lowerView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &lower, 1));
    CWnd upper;
    ASSERT_TRUE(
        upper.Create(nullptr, "Upper", WS_OVERLAPPED | WS_VISIBLE, CRect(100, 100, 400, 400), nullptr, 0));
    RecordingWnd upperView;
    ASSERT_TRUE(upperView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &upper, 1));
    upper.SetActiveWindow();
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(150, 150), &lower);
    manager.MouseInput(WM_LBUTTONUP, CPoint(150, 150), &lower);
    EXPECT_EQ(lowerView.log, (std::vector<std::string>{"down 150,150 L", "up 150,150"}));
    EXPECT_EQ(manager.GetActiveWindow(), &lower);
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(350, 350), &lower);
    manager.MouseInput(WM_LBUTTONUP, CPoint(350, 350), &lower);
    EXPECT_EQ(upperView.log, (std::vector<std::string>{"down 250,250 L", "up 250,250"}));
}

TEST_F(WindowTest, ChildrenOfADisabledWindowTakeNoClicks) {
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    RecordingWnd view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &top, 1));
    top.EnableWindow(FALSE);  // as while a modal dialog runs
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(20, 20));
    manager.MouseInput(WM_LBUTTONUP, CPoint(20, 20));
    EXPECT_TRUE(view.log.empty());
    top.EnableWindow(TRUE);
    manager.AdvanceClock(2000);
    manager.MouseInput(WM_LBUTTONDOWN, CPoint(20, 20));
    EXPECT_EQ(view.log, (std::vector<std::string>{"down 10,10 L"}));
}

// A modal dialog over its disabled owner, and a modeless window (help) the dialog called up.
TEST_F(WindowTest, AWindowBehindAModalOneNeverTakesTheKeysAndAHiddenWindowGivesThemBack) {
    CWnd owner;
    ASSERT_TRUE(
        owner.Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    RecordingWnd view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &owner, 1));
    CWnd dialog;
    ASSERT_TRUE(dialog.Create(nullptr, "Dialog", WS_POPUP | WS_CAPTION, CRect(50, 50, 250, 200), &owner, 0));
    RecordingWnd field;
    ASSERT_TRUE(field.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 30), &dialog, 2));
    CWnd help;
    ASSERT_TRUE(help.Create(nullptr, "Help", WS_OVERLAPPEDWINDOW, CRect(300, 0, 600, 300), &owner, 0));
    view.SetFocus();
    owner.EnableWindow(FALSE);
    dialog.ShowWindow(SW_SHOW);
    field.SetFocus();
    view.log.clear();
    bool ran = false;
    manager.SetIdleHandler([&] {
        if (std::exchange(ran, true))
            return;
        // Asked to take activation or the keys, the owner passes them to the dialog.
        owner.SetActiveWindow();
        EXPECT_EQ(manager.GetActiveWindow(), &dialog);
        view.SetFocus();
        EXPECT_EQ(manager.GetFocus(), &field);
        EXPECT_TRUE(view.log.empty());

        // The help goes: the dialog, active before it, is active again, not the disabled owner,
        // and its field has the keys again.
        help.ShowWindow(SW_SHOW);
        help.SetFocus();
        EXPECT_EQ(manager.GetActiveWindow(), &help);
        help.ShowWindow(SW_HIDE);
        EXPECT_EQ(manager.GetActiveWindow(), &dialog);
        EXPECT_EQ(manager.GetFocus(), &field);
        EXPECT_TRUE(view.log.empty());
    });
    dialog.RunModalLoop();
    manager.SetIdleHandler(nullptr);
    EXPECT_TRUE(ran);

    // With the owner enabled again, the dialog's going gives activation back to it.
    owner.EnableWindow(TRUE);
    dialog.ShowWindow(SW_HIDE);
    EXPECT_EQ(manager.GetActiveWindow(), &owner);
    view.SetFocus();
    EXPECT_EQ(manager.GetFocus(), &view);
}

// Only a window in a modal loop holds the keys from the window it belongs to: a window it owns
// that runs none (the help) is no modal window, whether it is above the loop's window or not.
TEST_F(WindowTest, OnlyAWindowInAModalLoopHoldsTheKeysFromItsOwner) {
    CWnd owner;
    ASSERT_TRUE(
        owner.Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    CWnd dialog;
    ASSERT_TRUE(dialog.Create(nullptr, "Dialog", WS_POPUP | WS_CAPTION, CRect(50, 50, 250, 200), &owner, 0));
    CWnd help;
    ASSERT_TRUE(help.Create(nullptr, "Help", WS_OVERLAPPEDWINDOW, CRect(300, 0, 600, 300), &owner, 0));
    owner.EnableWindow(FALSE);
    dialog.ShowWindow(SW_SHOW);
    help.ShowWindow(SW_SHOW);
    EXPECT_EQ(manager.ModalWindowOver(&owner), nullptr);
    CWnd* inLoop = nullptr;
    manager.SetIdleHandler([&] {
        help.BringWindowToTop();
        inLoop = manager.ModalWindowOver(&owner);
    });
    dialog.RunModalLoop();
    manager.SetIdleHandler(nullptr);
    EXPECT_EQ(inLoop, &dialog);
}

// A window made active again gives the keys back to the child that had them when it went
// inactive, whichever child it is; a child hidden meanwhile, itself or the pane it is in, leaves
// them to the window itself.
TEST_F(WindowTest, AWindowActiveAgainGivesTheKeysBackToTheChildThatHadThem) {
    CWnd main;
    ASSERT_TRUE(
        main.Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    RecordingWnd first;
    ASSERT_TRUE(first.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &main, 1));
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 300, 200), &main, 3));
    RecordingWnd second;
    ASSERT_TRUE(second.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &pane, 2));
    CWnd help;
    ASSERT_TRUE(help.Create(nullptr, "Help", WS_OVERLAPPEDWINDOW, CRect(300, 0, 600, 300), &main, 0));
    for (CWnd* hidden : std::initializer_list<CWnd*>{nullptr, &pane, &second}) {
        pane.ShowWindow(SW_SHOW);
        second.ShowWindow(SW_SHOW);
        second.SetFocus();
        help.ShowWindow(SW_SHOW);
        help.SetActiveWindow();
        EXPECT_EQ(manager.GetFocus(), &help);
        if (hidden)
            hidden->ShowWindow(SW_HIDE);
        help.ShowWindow(SW_HIDE);
        EXPECT_EQ(manager.GetActiveWindow(), &main);
        EXPECT_EQ(manager.GetFocus(), hidden ? &main : static_cast<CWnd*>(&second));
    }
}

TEST_F(WindowTest, TimersFireInTimeOrderByTheClock) {
    RecordingWnd window;
    ASSERT_TRUE(window.Create(nullptr, "Top", WS_OVERLAPPED, CRect(0, 0, 100, 100), nullptr, 0));
    window.SetTimer(1, 20);
    window.SetTimer(100, 50);
    manager.AdvanceClock(100);
    EXPECT_EQ(window.log, (std::vector<std::string>{"timer 1 at 20", "timer 1 at 40", "timer 100 at 50",
                                                    "timer 1 at 60", "timer 1 at 80", "timer 1 at 100",
                                                    "timer 100 at 100"}));
    window.log.clear();
    window.KillTimer(1);
    manager.AdvanceClock(160);
    EXPECT_EQ(window.log, (std::vector<std::string>{"timer 100 at 150"}));
    EXPECT_EQ(manager.Now(), 160u);
}

TEST_F(WindowTest, KeyboardStateKnowsShiftControlAndTheCapsLockToggle) {
    RecordingWnd window;
    ASSERT_TRUE(window.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    window.SetFocus();
    manager.KeyInput(VK_SHIFT, true);
    EXPECT_TRUE(GetKeyState(VK_SHIFT) < 0);
    manager.KeyInput(VK_SHIFT, false);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0);
    manager.KeyInput(VK_CAPITAL, true);
    manager.KeyInput(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    manager.KeyInput(VK_CAPITAL, true);
    manager.KeyInput(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    manager.KeyInput(VK_CONTROL, true);
    manager.MouseInput(WM_MOUSEMOVE, CPoint(5, 5));
    EXPECT_EQ(manager.MouseFlags(), MK_CONTROL);
    EXPECT_EQ(window.log.back(), "move 5,5");
    EXPECT_NE(std::find(window.log.begin(), window.log.end(), "key 16"), window.log.end());
}

TEST_F(WindowTest, PaintingFillsTheUpdateRegionAndLeavesChildrenAlone) {
    RecordingWnd top(RGB(0, 0, 255));
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    RecordingWnd child(RGB(255, 0, 0));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(50, 20, 100, 60), &top, 1));
    manager.PaintAll();
    EXPECT_EQ(PixelAt(top, 10, 10), 0x0000FFu);
    EXPECT_EQ(PixelAt(top, 60, 30), 0xFF0000u);

    // Only the parent is repainted; its fill must not cover the child.
    top.Invalidate();
    child.log.clear();
    manager.PaintAll();
    EXPECT_TRUE(child.log.empty());
    EXPECT_EQ(PixelAt(top, 60, 30), 0xFF0000u);

    // A DC taken outside painting draws at the client origin.
    CClientDC dc(&child);
    dc.SetPixel(0, 0, RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(top, 50, 20), 0x00FF00u);
    EXPECT_EQ(WindowFromDC(&dc), &child);

    child.ShowWindow(SW_HIDE);
    manager.PaintAll();
    EXPECT_EQ(PixelAt(top, 60, 30), 0x0000FFu);
}

TEST_F(WindowTest, ScrollingMovesThePixelsAndRepaintsTheStripThatCameIn) {
    RecordingWnd top(RGB(0, 0, 255));
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    manager.PaintAll();
    CClientDC dc(&top);
    dc.FillSolidRect(10, 10, 5, 5, RGB(255, 0, 0));
    top.ScrollWindow(20, 0);
    EXPECT_EQ(PixelAt(top, 32, 12), 0xFF0000u);
    CRect update;
    EXPECT_TRUE(top.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(0, 0, 20, 100));
    manager.PaintAll();
    EXPECT_EQ(PixelAt(top, 12, 12), 0x0000FFu);
    EXPECT_EQ(PixelAt(top, 32, 12), 0xFF0000u);
}

TEST_F(WindowTest, LeavingATrackedWindowIsNoticedAndClassCursorsAreShared) {
    struct LeaveWnd : CWnd {
        int leaves = 0;
        void OnMouseLeave() override { ++leaves; }
    };
    CWnd top;
    ASSERT_TRUE(top.Create(nullptr, "Top", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    LPCTSTR crossClass = AfxRegisterWndClass(CS_DBLCLKS, LoadStandardCursor(IDC_CROSS));
    LeaveWnd left;
    LeaveWnd right;
    ASSERT_TRUE(left.Create(crossClass, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    ASSERT_TRUE(right.Create(crossClass, nullptr, WS_CHILD | WS_VISIBLE, CRect(150, 0, 250, 100), &top, 2));

    manager.MouseInput(WM_MOUSEMOVE, CPoint(10, 10));
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_CROSS));
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, &left, 0};
    EXPECT_TRUE(TrackMouseEvent(&track));
    manager.MouseInput(WM_MOUSEMOVE, CPoint(20, 20));
    EXPECT_EQ(left.leaves, 0);
    manager.MouseInput(WM_MOUSEMOVE, CPoint(120, 20));
    EXPECT_EQ(left.leaves, 1);
    manager.MouseInput(WM_MOUSEMOVE, CPoint(10, 20));
    EXPECT_EQ(left.leaves, 1);

    // One change to the class changes the cursor over every window of it, under the mouse at once.
    EXPECT_EQ(LoadResourceCursor(339), nullptr);
    RegisterResourceCursor(339, CursorPicture());
    ASSERT_NE(LoadResourceCursor(339), nullptr);
    SetClassLongPtr(&left, GCLP_HCURSOR, reinterpret_cast<std::intptr_t>(LoadResourceCursor(339)));
    EXPECT_EQ(GetCursor(), LoadResourceCursor(339));
    manager.MouseInput(WM_MOUSEMOVE, CPoint(160, 20));
    EXPECT_EQ(GetCursor(), LoadResourceCursor(339));
    CWnd::FromHandle(&right)->BeginWaitCursor();
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_WAIT));
    right.EndWaitCursor();
    EXPECT_EQ(GetCursor(), LoadResourceCursor(339));
}
