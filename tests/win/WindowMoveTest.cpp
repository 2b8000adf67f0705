#include <gtest/gtest.h>

#include "platform/win/CWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowManager.h"

namespace {
// A window that keeps its width at most maxWidth, may refuse to move, and is never smaller than 200 x 150.
class LimitedWnd : public CWnd {
  public:
    int maxWidth = 10000;
    bool refuseMoves = false;

  protected:
    void OnWindowPosChanging(WINDOWPOS* position) override {
        position->cx = std::min(position->cx, maxWidth);
        if (refuseMoves)
            position->flags |= SWP_NOMOVE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = CPoint(200, 150);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class WindowMoveTest : public ::testing::Test {
  protected:
    void SetUp() override { manager.Reset(); }
    void Drag(CPoint from, CPoint to) {
        manager.MouseInput(WM_MOUSEMOVE, from);
        manager.MouseInput(WM_LBUTTONDOWN, from);
        manager.MouseInput(WM_MOUSEMOVE, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        manager.MouseInput(WM_MOUSEMOVE, to);
        manager.MouseInput(WM_LBUTTONUP, to);
        manager.RunUntilIdle();
    }
    void DoubleClick(CPoint at) {
        for (int i = 0; i < 2; ++i) {
            manager.MouseInput(WM_LBUTTONDOWN, at);
            manager.MouseInput(WM_LBUTTONUP, at);
        }
        manager.RunUntilIdle();
    }
    UINT HitAt(CWnd& window, CPoint screen) {
        return static_cast<UINT>(window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    }
    static CRect RectOf(const CWnd& window) {
        CRect rect;
        window.GetWindowRect(&rect);
        return rect;
    }

    WindowManager& manager = WindowManager::Instance();
};
}  // namespace

TEST_F(WindowMoveTest, ATopLevelWindowMovesByItsCaptionAndSizesByItsBorders) {
    LimitedWnd window;
    ASSERT_TRUE(window.Create(nullptr, "Plan", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 400, 300),
                              nullptr, 0));
    EXPECT_EQ(HitAt(window, CPoint(250, 110)), HTCAPTION);
    EXPECT_EQ(HitAt(window, CPoint(399, 200)), HTRIGHT);
    EXPECT_EQ(HitAt(window, CPoint(200, 100)), HTTOP);
    EXPECT_EQ(HitAt(window, CPoint(101, 110)), HTTOPLEFT);
    EXPECT_EQ(HitAt(window, CPoint(390, 299)), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(window, CPoint(250, 200)), HTCLIENT);

    manager.MouseInput(WM_MOUSEMOVE, CPoint(399, 200));
    ASSERT_NE(manager.GetCursor(), nullptr);
    EXPECT_EQ(manager.GetCursor()->standard, IDC_SIZEWE);
    manager.MouseInput(WM_MOUSEMOVE, CPoint(390, 299));
    EXPECT_EQ(manager.GetCursor()->standard, IDC_SIZENWSE);

    Drag(CPoint(150, 110), CPoint(200, 160));
    EXPECT_EQ(RectOf(window), CRect(150, 150, 450, 350));
    EXPECT_EQ(manager.GetCapture(), nullptr);

    // The bottom-right corner sizes both ways; the window's own limit caps the width.
    window.maxWidth = 320;
    Drag(CPoint(449, 349), CPoint(529, 379));
    EXPECT_EQ(RectOf(window), CRect(150, 150, 470, 380));

    // Dragged past its minimum, the left edge stops where the window is 200 wide.
    Drag(CPoint(151, 250), CPoint(440, 250));
    EXPECT_EQ(RectOf(window), CRect(270, 150, 470, 380));
    CRect client;
    window.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200 - 8);

    // A window that refuses to move stays, however its caption is dragged.
    window.refuseMoves = true;
    Drag(CPoint(300, 160), CPoint(10, 10));
    EXPECT_EQ(RectOf(window), CRect(270, 150, 470, 380));
}

TEST_F(WindowMoveTest, AChildWindowMovesInsideItsParentAndItsCaptionMaximisesIt) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0));
    LimitedWnd child;
    ASSERT_TRUE(child.Create(nullptr, "Sketch1", WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             CRect(10, 10, 310, 210), &parent, 1));
    Drag(CPoint(100, 20), CPoint(130, 40));
    EXPECT_EQ(RectOf(child), CRect(40, 30, 340, 230));

    manager.AdvanceClock(manager.Clock() + 1000);
    DoubleClick(CPoint(100, 40));
    EXPECT_TRUE(child.IsZoomed());
    EXPECT_EQ(RectOf(child), CRect(0, 0, 600, 400));
    // A maximised window is neither moved nor sized.
    EXPECT_EQ(HitAt(child, CPoint(599, 200)), HTBORDER);
    Drag(CPoint(100, 5), CPoint(150, 50));
    EXPECT_EQ(RectOf(child), CRect(0, 0, 600, 400));

    manager.AdvanceClock(manager.Clock() + 1000);
    DoubleClick(CPoint(100, 10));
    EXPECT_FALSE(child.IsZoomed());
    EXPECT_EQ(RectOf(child), CRect(40, 30, 340, 230));
}
