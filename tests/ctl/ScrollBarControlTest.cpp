#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ctl/CListBox.h"
#include "platform/ctl/CScrollBar.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/ScrollBarGeometry.h"
#include "platform/win/ScrollRepeater.h"
#include "platform/win/WindowManager.h"
#include "tests/support/ScrollBarPixels.h"

using ScrollBarPixels::InkBox;
using ScrollBarPixels::IsDithered;

namespace {
// Writes down the codes its horizontal scroll bar sends.
class ScrolledParent : public CWnd {
  public:
    std::vector<UINT> codes;

  protected:
    void OnHScroll(UINT code, UINT, CScrollBar*) override { codes.push_back(code); }
};

class ScrollBarControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(10, 20, 210, 36), &parent, 1));
        bar.SetScrollRange(0, 100);
        manager.RunUntilIdle();
    }
    // A part of the bar in the parent's pixels.
    CRect Part(ScrollBarGeometry::Part part) const {
        SCROLLINFO info{};
        bar.GetScrollInfo(&info);
        CRect rect = ScrollBarGeometry(CRect(0, 0, 200, 16), false, info).PartRect(part);
        rect.OffsetRect(10, 20);
        return rect;
    }
    static CRect Inside(CRect button) {
        button.DeflateRect(2, 2);
        return button;
    }
    CRect Glyph(ScrollBarGeometry::Part arrow, int colourIndex) const {
        return InkBox(*parent.Surface(), Inside(Part(arrow)), GetSysColor(colourIndex));
    }

    void Advance(unsigned long long milliseconds) {
        manager.AdvanceClock(manager.Clock() + milliseconds);
        manager.RunUntilIdle();
    }
    int Count(UINT code) const {
        return static_cast<int>(std::count(parent.codes.begin(), parent.codes.end(), code));
    }

    WindowManager& manager = WindowManager::Instance();
    ScrolledParent parent;
    CScrollBar bar;
};
}  // namespace

TEST_F(ScrollBarControlTest, TheTrackIsDitheredAndADisabledBarIsGreyWithoutAThumb) {
    const PixelSurface& pixels = *parent.Surface();
    EXPECT_TRUE(IsDithered(pixels, Part(ScrollBarGeometry::PageDown)));
    EXPECT_FALSE(Glyph(ScrollBarGeometry::LineUp, COLOR_BTNTEXT).IsRectEmpty());

    bar.EnableWindow(FALSE);
    manager.RunUntilIdle();
    const CRect track(Part(ScrollBarGeometry::LineUp).right, 20, Part(ScrollBarGeometry::LineDown).left, 36);
    EXPECT_TRUE(IsDithered(pixels, track));
    for (ScrollBarGeometry::Part arrow : {ScrollBarGeometry::LineUp, ScrollBarGeometry::LineDown}) {
        EXPECT_TRUE(Glyph(arrow, COLOR_BTNTEXT).IsRectEmpty());
        const CRect grey = Glyph(arrow, COLOR_3DSHADOW);
        EXPECT_EQ(grey.Size(), CSize(4, 7));
        EXPECT_EQ(Glyph(arrow, COLOR_3DHIGHLIGHT).BottomRight(), CPoint(grey.right + 1, grey.bottom + 1));
    }

    // An empty range leaves nothing to scroll: the same grey look.
    bar.EnableWindow(TRUE);
    bar.SetScrollRange(0, 0);
    manager.RunUntilIdle();
    EXPECT_TRUE(IsDithered(pixels, track));
    EXPECT_TRUE(Glyph(ScrollBarGeometry::LineDown, COLOR_BTNTEXT).IsRectEmpty());
}

TEST_F(ScrollBarControlTest, AHeldArrowLooksPressedWhileTheMouseIsOnIt) {
    const PixelSurface& pixels = *parent.Surface();
    const CRect arrow = Part(ScrollBarGeometry::LineDown);
    const CRect raised = Glyph(ScrollBarGeometry::LineDown, COLOR_BTNTEXT);
    const auto looksPressed = [&] {
        CRect moved = raised;
        moved.OffsetRect(1, 1);
        return pixels.At(arrow.right - 1, arrow.bottom - 1) == PixelFromColor(GetSysColor(COLOR_3DSHADOW)) &&
               Glyph(ScrollBarGeometry::LineDown, COLOR_BTNTEXT) == moved;
    };
    EXPECT_FALSE(looksPressed());
    manager.MouseInput(WM_LBUTTONDOWN, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_TRUE(looksPressed());
    EXPECT_EQ(Count(SB_LINEDOWN), 1);
    // The control repeats on the same beat as a window's own scroll bars: the press, a step
    // after the first pause, then one each period.
    Advance(ScrollRepeater::kFirstDelay - 1);
    EXPECT_EQ(Count(SB_LINEDOWN), 1);
    Advance(1);
    EXPECT_EQ(Count(SB_LINEDOWN), 2);
    Advance(1000 - ScrollRepeater::kFirstDelay);
    const int held = Count(SB_LINEDOWN);
    EXPECT_EQ(held,
              2 + static_cast<int>((1000 - ScrollRepeater::kFirstDelay) / ScrollRepeater::kRepeatPeriod));

    // Off the arrow it springs back and stops stepping; back on it goes on.
    manager.MouseInput(WM_MOUSEMOVE, CPoint(100, 80));
    manager.RunUntilIdle();
    EXPECT_FALSE(looksPressed());
    Advance(1000);
    EXPECT_EQ(Count(SB_LINEDOWN), held);
    manager.MouseInput(WM_MOUSEMOVE, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_TRUE(looksPressed());
    // The repeat kept its beat while the mouse was away: steps at 2050 and 2100 ms.
    Advance(100);
    EXPECT_EQ(Count(SB_LINEDOWN), held + 2);
    manager.MouseInput(WM_LBUTTONUP, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_FALSE(looksPressed());
    EXPECT_EQ(parent.codes.back(), SB_ENDSCROLL);
}

// A list box's sunken edge runs round its scroll bars; they are whole inside it and grey out
// with the list.
TEST(ControlScrollBars, AListBoxsEdgeSurroundsItsBarsWhichGreyOutWithIt) {
    WindowManager& manager = WindowManager::Instance();
    manager.Reset();
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT,
                            CRect(10, 10, 160, 130), &parent, 1));
    list.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    for (int i = 0; i < 30; ++i) list.AddString("An item of the list");
    list.SetScrollRange(SB_HORZ, 0, 300);
    manager.RunUntilIdle();
    const PixelSurface& pixels = *parent.Surface();
    const auto colour = [](int index) { return PixelFromColor(GetSysColor(index)); };

    // The bars in the list's window: right and bottom, inside the two-pixel edge.
    EXPECT_EQ(list.ScrollBarRect(SB_VERT), CRect(132, 2, 148, 102));
    EXPECT_EQ(list.ScrollBarRect(SB_HORZ), CRect(2, 102, 132, 118));
    // The edge's outer and inner rings at the list's right and bottom, outside the bars.
    EXPECT_EQ(pixels.At(159, 60), colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(pixels.At(158, 60), colour(COLOR_3DLIGHT));
    EXPECT_EQ(pixels.At(60, 129), colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(pixels.At(60, 128), colour(COLOR_3DLIGHT));
    EXPECT_EQ(pixels.At(159, 129), colour(COLOR_3DHIGHLIGHT));
    // The corners of the bars: the upper arrow's top left and black right side, the size box.
    EXPECT_EQ(pixels.At(142, 12), colour(COLOR_3DLIGHT));
    EXPECT_EQ(pixels.At(157, 20), colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixels.At(12, 112), colour(COLOR_3DLIGHT));
    EXPECT_EQ(pixels.At(20, 127), colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixels.At(150, 120), colour(COLOR_3DFACE));
    EXPECT_TRUE(IsDithered(pixels, CRect(142, 60, 158, 90)));

    list.EnableWindow(FALSE);
    manager.RunUntilIdle();
    CRect arrow(144, 14, 156, 26);
    EXPECT_TRUE(InkBox(pixels, arrow, GetSysColor(COLOR_BTNTEXT)).IsRectEmpty());
    EXPECT_FALSE(InkBox(pixels, arrow, GetSysColor(COLOR_3DSHADOW)).IsRectEmpty());
}
