#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CWnd.h"
#include "platform/win/ScrollBarGeometry.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "tests/support/ScrollBarPixels.h"
#include "tests/support/WhiteWnd.h"

using ScrollBarPixels::InkBox;
using ScrollBarPixels::IsDithered;

namespace {
class ScrollBarLookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(window.CreateEx(WS_EX_CLIENTEDGE, nullptr, "Bars", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 200, 150), nullptr, 0));
        SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, 0, 0};
        window.SetScrollInfo(SB_VERT, &vertical);
        SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 300, 50, 0, 0};
        window.SetScrollInfo(SB_HORZ, &horizontal);
        manager.RunUntilIdle();
    }
    ScrollBarGeometry Geometry(int bar) const {
        SCROLLINFO info{};
        window.GetScrollInfo(bar, &info);
        return ScrollBarGeometry(window.ScrollBarRect(bar), bar == SB_VERT, info);
    }
    CRect Part(int bar, ScrollBarGeometry::Part part) const { return Geometry(bar).PartRect(part); }
    std::uint32_t At(int x, int y) const { return window.Surface()->At(x, y); }
    static std::uint32_t Colour(int index) { return PixelFromColor(GetSysColor(index)); }
    // Inside an arrow button, clear of its border.
    static CRect Inside(CRect button) {
        button.DeflateRect(2, 2);
        return button;
    }

    WindowManager& manager = WindowManager::Instance();
    // A white client area with a sunken client edge and both scroll bars.
    WhiteWnd window;
};
}  // namespace

// The sunken edge runs round the window's outside; the bars sit whole inside it, next to the
// client area, with the size box between them.
TEST_F(ScrollBarLookTest, TheClientEdgeSurroundsBothBars) {
    EXPECT_EQ(window.ScrollBarRect(SB_VERT), CRect(182, 2, 198, 132));
    EXPECT_EQ(window.ScrollBarRect(SB_HORZ), CRect(2, 132, 182, 148));
    CRect client;
    window.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 180, 130));

    // The edge at the left, top, right and bottom, outer ring then inner ring.
    EXPECT_EQ(At(0, 75), Colour(COLOR_3DSHADOW));
    EXPECT_EQ(At(1, 75), Colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(100, 0), Colour(COLOR_3DSHADOW));
    EXPECT_EQ(At(100, 1), Colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(199, 75), Colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(198, 75), Colour(COLOR_3DLIGHT));
    EXPECT_EQ(At(100, 149), Colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(100, 148), Colour(COLOR_3DLIGHT));
    // The corners: the window's lower right belongs to the edge, the size box inside it.
    EXPECT_EQ(At(199, 149), Colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(198, 148), Colour(COLOR_3DLIGHT));
    EXPECT_EQ(At(190, 140), Colour(COLOR_3DFACE));
    EXPECT_EQ(At(197, 147), Colour(COLOR_3DFACE));

    // The upper arrow keeps all of its raised border: light at its top left, black at its right.
    EXPECT_EQ(At(182, 2), Colour(COLOR_3DLIGHT));
    EXPECT_EQ(At(183, 3), Colour(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(197, 10), Colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(196, 10), Colour(COLOR_3DSHADOW));
    // The left arrow of the lower bar, and the right one's black bottom row.
    EXPECT_EQ(At(2, 140), Colour(COLOR_3DLIGHT));
    EXPECT_EQ(At(10, 147), Colour(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(175, 147), Colour(COLOR_3DDKSHADOW));
    // No line of the edge runs along the bars' inner sides: their tracks reach the client area.
    for (int along = 60; along < 70; ++along) {
        EXPECT_NE(At(182, along), Colour(COLOR_3DLIGHT)) << along;
        EXPECT_NE(At(183, along), Colour(COLOR_3DLIGHT)) << along;
        EXPECT_NE(At(along + 40, 132), Colour(COLOR_3DLIGHT)) << along;
        EXPECT_NE(At(along + 40, 133), Colour(COLOR_3DLIGHT)) << along;
    }
    // The client area starts inside the edge.
    EXPECT_EQ(At(2, 2), PixelFromColor(RGB(255, 255, 255)));
    EXPECT_EQ(At(181, 131), PixelFromColor(RGB(255, 255, 255)));
}

TEST_F(ScrollBarLookTest, TheTrackIsDitheredAndABarWithNothingToScrollIsGrey) {
    const PixelSurface& pixels = *window.Surface();
    const CRect thumb = Part(SB_VERT, ScrollBarGeometry::Thumb);
    const CRect below(thumb.left, thumb.bottom, thumb.right, Part(SB_VERT, ScrollBarGeometry::LineDown).top);
    ASSERT_FALSE(below.IsRectEmpty());
    EXPECT_TRUE(IsDithered(pixels, below));
    EXPECT_TRUE(IsDithered(pixels, Part(SB_HORZ, ScrollBarGeometry::PageDown)));
    const CRect up = Part(SB_VERT, ScrollBarGeometry::LineUp);
    EXPECT_FALSE(InkBox(pixels, Inside(up), GetSysColor(COLOR_BTNTEXT)).IsRectEmpty());

    // Kept on screen with nothing to scroll: grey arrows, raised by a white shadow, and no thumb.
    SCROLLINFO empty{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 10, 20, 0, 0};
    window.SetScrollInfo(SB_VERT, &empty);
    manager.RunUntilIdle();
    ASSERT_EQ(window.ScrollBarRect(SB_VERT), CRect(182, 2, 198, 132));
    const CRect track(182, 18, 198, 116);
    EXPECT_TRUE(IsDithered(pixels, track));
    for (ScrollBarGeometry::Part arrow : {ScrollBarGeometry::LineUp, ScrollBarGeometry::LineDown}) {
        const CRect inside = Inside(Part(SB_VERT, arrow));
        EXPECT_TRUE(InkBox(pixels, inside, GetSysColor(COLOR_BTNTEXT)).IsRectEmpty());
        const CRect grey = InkBox(pixels, inside, GetSysColor(COLOR_3DSHADOW));
        const CRect white = InkBox(pixels, inside, GetSysColor(COLOR_3DHIGHLIGHT));
        ASSERT_FALSE(grey.IsRectEmpty());
        EXPECT_EQ(grey.Width(), 7);
        EXPECT_EQ(grey.Height(), 4);
        EXPECT_EQ(white.BottomRight(), CPoint(grey.right + 1, grey.bottom + 1));
    }

    // A disabled window's bars are grey too.
    window.EnableWindow(FALSE);
    manager.RunUntilIdle();
    EXPECT_TRUE(InkBox(pixels, Inside(Part(SB_HORZ, ScrollBarGeometry::LineUp)), GetSysColor(COLOR_BTNTEXT))
                    .IsRectEmpty());
}

TEST_F(ScrollBarLookTest, AHeldArrowLooksPressedWhileTheMouseIsOnIt) {
    const PixelSurface& pixels = *window.Surface();
    const CRect arrow = Part(SB_VERT, ScrollBarGeometry::LineDown);
    const CRect raisedGlyph = InkBox(pixels, Inside(arrow), GetSysColor(COLOR_BTNTEXT));
    ASSERT_FALSE(raisedGlyph.IsRectEmpty());
    const auto looksPressed = [&] {
        // A flat grey border all round, the glyph one pixel down and right.
        CRect moved = raisedGlyph;
        moved.OffsetRect(1, 1);
        return pixels.At(arrow.left, arrow.top) == Colour(COLOR_3DSHADOW) &&
               pixels.At(arrow.right - 1, arrow.bottom - 1) == Colour(COLOR_3DSHADOW) &&
               pixels.At(arrow.left + 1, arrow.top + 1) == Colour(COLOR_3DFACE) &&
               InkBox(pixels, Inside(arrow), GetSysColor(COLOR_BTNTEXT)) == moved;
    };
    EXPECT_FALSE(looksPressed());

    manager.MouseInput(WM_LBUTTONDOWN, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_TRUE(looksPressed());
    manager.MouseInput(WM_MOUSEMOVE, CPoint(50, 50));
    manager.RunUntilIdle();
    EXPECT_FALSE(looksPressed());
    manager.MouseInput(WM_MOUSEMOVE, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_TRUE(looksPressed());
    manager.MouseInput(WM_LBUTTONUP, arrow.CenterPoint());
    manager.RunUntilIdle();
    EXPECT_FALSE(looksPressed());
    EXPECT_EQ(InkBox(pixels, Inside(arrow), GetSysColor(COLOR_BTNTEXT)), raisedGlyph);
}

// A child's frame drawn again (its scroll bars moved) stays under a sibling that covers it.
TEST(ScrollBarCover, AChildsBarsRepaintOnlyWhereNoSiblingCoversThem) {
    WindowManager& manager = WindowManager::Instance();
    manager.Reset();
    WhiteWnd top, lower, upper;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(lower.CreateEx(0, nullptr, "Lower", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS,
                               CRect(10, 10, 150, 150), &top, 1));
    ASSERT_TRUE(upper.CreateEx(0, nullptr, "Upper", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                               CRect(100, 10, 250, 150), &top, 2));
    SCROLLINFO range{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 20, 0, 0};
    lower.SetScrollInfo(SB_VERT, &range);
    manager.RunUntilIdle();
    const CRect bar = lower.ScrollBarRect(SB_VERT);
    const CPoint covered(10 + bar.CenterPoint().x, 10 + bar.CenterPoint().y);
    ASSERT_GT(covered.x, 100);
    EXPECT_EQ(top.Surface()->At(covered.x, covered.y), PixelFromColor(RGB(255, 255, 255)));

    range.nPos = 100;
    lower.SetScrollInfo(SB_VERT, &range);
    lower.SendMessage(WM_NCPAINT);
    EXPECT_EQ(top.Surface()->At(covered.x, covered.y), PixelFromColor(RGB(255, 255, 255)));
}
