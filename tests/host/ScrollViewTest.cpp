#include <gtest/gtest.h>

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CScrollView.h"

namespace {
// A big page with one red square at logical (300, 200).
class PageView : public CScrollView {
public:
    void OnDraw(CDC* dc) override {
        CRect box(0, 0, 2000, 2000);
        dc->FillSolidRect(&box, RGB(255, 255, 255));
        dc->FillSolidRect(300, 200, 10, 10, RGB(255, 0, 0));
    }
    void PostNcDestroy() override {}
};

class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowManager::Instance().Reset();
        ASSERT_TRUE(frame.Create(nullptr, "Pages", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 240, 200), nullptr, 0));
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 216, 166), &frame, 1));
        view.SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(100, 100), CSize(10, 10));
        host.RunUntilIdle();
    }
    CPoint OnScreen(int bar, CPoint inBar) {
        CRect window;
        view.GetWindowRect(&window);
        const CRect rect = view.ScrollBarRect(bar);
        return CPoint(window.left + rect.left + inBar.x, window.top + rect.top + inBar.y);
    }
    std::uint32_t PixelAtClient(int x, int y) {
        CPoint p(x, y);
        view.ClientToScreen(&p);
        return frame.Surface()->At(p.x, p.y);
    }

    HeadlessHost host;
    CWnd frame;
    PageView view;
};
}  // namespace

TEST_F(ScrollViewTest, BarsAppearForABigPageAndTheirPartsScroll) {
    EXPECT_TRUE(view.GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(view.GetStyle() & WS_HSCROLL);
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 200, 150));
    EXPECT_EQ(view.GetScrollLimit(SB_VERT), 800 - 150);

    host.Click(OnScreen(SB_VERT, CPoint(8, 140)));  // the down arrow
    EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 10));
    host.Click(OnScreen(SB_VERT, CPoint(8, 100)));  // the track below the thumb
    EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 110));
    host.Click(OnScreen(SB_HORZ, CPoint(5, 8)));  // the left arrow at the start: nothing to do
    EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 110));

    // The square at logical (300, 200) shows where the scroll position puts it.
    view.ScrollToPosition(CPoint(250, 150));
    host.RunUntilIdle();
    EXPECT_EQ(PixelAtClient(55, 55), 0xFF0000u);
    EXPECT_EQ(PixelAtClient(45, 45), 0xFFFFFFu);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(250, 150));
}

TEST_F(ScrollViewTest, DraggingTheThumbTracksAndEndsWhereItIsReleased) {
    const CRect bar = view.ScrollBarRect(SB_VERT);
    SCROLLINFO info{};
    view.GetScrollInfo(SB_VERT, &info);
    const CPoint thumb = OnScreen(SB_VERT, CPoint(8, 16 + 5));
    host.MouseDown(thumb);
    host.MouseMove(CPoint(thumb.x, thumb.y + 40));
    const int tracked = view.GetScrollPos(SB_VERT);
    EXPECT_GT(tracked, 0);
    host.MouseUp(CPoint(thumb.x, thumb.y + 40));
    EXPECT_EQ(view.GetScrollPos(SB_VERT), tracked);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(bar.Height(), 150);
}

TEST_F(ScrollViewTest, MetricSizesBecomePixelsAndTheWheelScrollsLines) {
    view.SetScrollSizes(MM_LOMETRIC, CSize(2540, 2540));
    int mapMode = 0;
    SIZE total, page, line;
    view.GetDeviceScrollSizes(mapMode, total, page, line);
    EXPECT_EQ(mapMode, MM_LOMETRIC);
    EXPECT_EQ(total.cx, 960);
    EXPECT_EQ(total.cy, 960);
    EXPECT_EQ(page.cy, 96);
    EXPECT_EQ(line.cy, 9);
    view.SetFocus();
    WindowManager::Instance().WheelInput(-120, CPoint(50, 50));
    EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 27));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, -71));
}
