#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win/CWnd.h"
#include "platform/win/ScrollBarGeometry.h"
#include "platform/win/ScrollRepeater.h"
#include "platform/win/WindowManager.h"

namespace {
// A window scrolled over 0..200 in pages of 20, which writes down every scroll code it gets.
class ScrolledWnd : public CWnd {
  public:
    std::vector<UINT> codes;

  protected:
    void OnVScroll(UINT code, UINT, CScrollBar*) override {
        codes.push_back(code);
        int position = GetScrollPos(SB_VERT);
        if (code == SB_LINEDOWN)
            position += 1;
        if (code == SB_LINEUP)
            position -= 1;
        if (code == SB_PAGEDOWN)
            position += 20;
        if (code == SB_PAGEUP)
            position -= 20;
        SetScrollPos(SB_VERT, position);
    }
};

class ScrollRepeatTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(window.CreateEx(0, nullptr, "Scrolled", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 300),
                                    nullptr, 0));
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, 0, 0};
        window.SetScrollInfo(SB_VERT, &info);
        manager.RunUntilIdle();
    }
    CPoint PartCentre(ScrollBarGeometry::Part part) const {
        SCROLLINFO info{};
        window.GetScrollInfo(SB_VERT, &info);
        return ScrollBarGeometry(window.ScrollBarRect(SB_VERT), true, info).PartRect(part).CenterPoint();
    }
    void Advance(unsigned long long milliseconds) {
        manager.AdvanceClock(manager.Clock() + milliseconds);
        manager.RunUntilIdle();
    }
    int Count(UINT code) const {
        return static_cast<int>(std::count(window.codes.begin(), window.codes.end(), code));
    }

    WindowManager& manager = WindowManager::Instance();
    ScrolledWnd window;
};
}  // namespace

TEST_F(ScrollRepeatTest, AHeldArrowRepeatsByTheClockUntilReleased) {
    const CPoint arrow = PartCentre(ScrollBarGeometry::LineDown);
    manager.MouseInput(WM_LBUTTONDOWN, arrow);
    EXPECT_EQ(window.codes, std::vector<UINT>{SB_LINEDOWN});
    Advance(ScrollRepeater::kFirstDelay - 1);
    EXPECT_EQ(Count(SB_LINEDOWN), 1);
    Advance(1);
    EXPECT_EQ(Count(SB_LINEDOWN), 2);
    Advance(10 * ScrollRepeater::kRepeatPeriod);
    EXPECT_EQ(Count(SB_LINEDOWN), 12);
    EXPECT_EQ(window.GetScrollPos(SB_VERT), 12);

    // Off the arrow it pauses; back on it goes on.
    manager.MouseInput(WM_MOUSEMOVE, CPoint(arrow.x, arrow.y - 100));
    Advance(5 * ScrollRepeater::kRepeatPeriod);
    EXPECT_EQ(Count(SB_LINEDOWN), 12);
    manager.MouseInput(WM_MOUSEMOVE, arrow);
    Advance(ScrollRepeater::kRepeatPeriod);
    EXPECT_EQ(Count(SB_LINEDOWN), 13);

    manager.MouseInput(WM_LBUTTONUP, arrow);
    manager.RunUntilIdle();
    EXPECT_EQ(window.codes.back(), SB_ENDSCROLL);
    Advance(1000);
    EXPECT_EQ(Count(SB_LINEDOWN), 13);
    EXPECT_EQ(Count(SB_ENDSCROLL), 1);
    EXPECT_EQ(manager.GetCapture(), nullptr);
}

TEST_F(ScrollRepeatTest, AHeldPageAreaPagesUntilTheThumbReachesTheMouse) {
    const CRect bar = window.ScrollBarRect(SB_VERT);
    const CPoint low(bar.CenterPoint().x, bar.bottom - 20);
    manager.MouseInput(WM_LBUTTONDOWN, low);
    Advance(2000);
    manager.MouseInput(WM_LBUTTONUP, low);
    manager.RunUntilIdle();
    // The thumb stops under the mouse, before the end of the range. Between the 16-pixel
    // arrows the track is 268 long, the thumb 268 x 20 / 201 = 26 of it, leaving 242 for 181
    // positions: at 160 the thumb spans rows 229 to 254, still above the mouse at row 280; at
    // 180 it spans rows 256 to 281 and holds the mouse. So nine pages, the last of them 300 ms
    // after the first repeat.
    EXPECT_EQ(Count(SB_PAGEDOWN), 9);
    EXPECT_EQ(window.GetScrollPos(SB_VERT), 180);
    SCROLLINFO info{};
    window.GetScrollInfo(SB_VERT, &info);
    const ScrollBarGeometry geometry(bar, true, info);
    EXPECT_EQ(geometry.PartAt(low), ScrollBarGeometry::Thumb);
    EXPECT_EQ(window.codes.back(), SB_ENDSCROLL);
}
