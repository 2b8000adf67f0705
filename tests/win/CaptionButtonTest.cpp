#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CWnd.h"
#include "platform/win/CaptionGlyphs.h"
#include "platform/win/NonClientPainter.h"
#include "platform/win/WindowManager.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/ScrollBarPixels.h"

using ScrollBarPixels::InkBox;

namespace {
class CaptionButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(window.CreateEx(0, nullptr, "Captioned", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    CRect(100, 100, 400, 300), nullptr, 0));
        manager.RunUntilIdle();
    }
    CRect Button(UINT hit) const { return NonClientPainter::CaptionButtonRect(window, hit); }
    // A point of the window in screen coordinates.
    CPoint Screen(CPoint point) const {
        CRect rect;
        window.GetWindowRect(&rect);
        return CPoint(rect.left + point.x, rect.top + point.y);
    }
    void Mouse(UINT message, CPoint windowPoint) {
        manager.MouseInput(message, Screen(windowPoint));
        manager.RunUntilIdle();
    }
    CRect Glyph(UINT hit) const {
        CRect inside = Button(hit);
        inside.DeflateRect(2, 2);
        return InkBox(*window.Surface(), inside, GetSysColor(COLOR_BTNTEXT));
    }
    // Pushed in: the dark outer ring of a pressed button at its top left.
    bool LooksPressed(UINT hit) const {
        const CRect button = Button(hit);
        return window.Surface()->At(button.left, button.top) == PixelFromColor(GetSysColor(COLOR_3DDKSHADOW));
    }

    WindowManager& manager = WindowManager::Instance();
    CWnd window;
};
}  // namespace

TEST_F(CaptionButtonTest, TheCaptionShowsTheSystemIconAndMinimiseMaximiseAndCloseButtons) {
    // Close at the right end, then a gap, then maximise with minimise beside it.
    EXPECT_EQ(Button(HTCLOSE), CRect(278, 6, 294, 20));
    EXPECT_EQ(Button(HTMAXBUTTON), CRect(260, 6, 276, 20));
    EXPECT_EQ(Button(HTMINBUTTON), CRect(244, 6, 260, 20));
    EXPECT_EQ(Button(HTSYSMENU), CRect(5, 5, 21, 21));
    for (UINT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTSYSMENU})
        EXPECT_EQ(NonClientPainter::HitTest(window, Button(hit).CenterPoint()), hit);

    // Minimise: a short bar low in the button.
    const CRect bar = Glyph(HTMINBUTTON);
    EXPECT_EQ(bar.Size(), CSize(6, 2));
    EXPECT_EQ(bar.bottom, Button(HTMINBUTTON).bottom - 3);
    // The icon is a picture of its own on the caption's blue, its 16 x 16 pixels exactly those of
    // the system icon drawn on that blue.
    const std::uint32_t caption = PixelFromColor(GetSysColor(COLOR_ACTIVECAPTION));
    int iconPixels = 0;
    const CRect icon = Button(HTSYSMENU);
    Canvas own(CaptionGlyphs::kIconSize, CaptionGlyphs::kIconSize, GetSysColor(COLOR_ACTIVECAPTION));
    CaptionGlyphs::DrawSystemIcon(own.dc, CPoint(0, 0));
    for (int y = icon.top; y < icon.bottom; ++y)
        for (int x = icon.left; x < icon.right; ++x) {
            iconPixels += window.Surface()->At(x, y) != caption;
            EXPECT_EQ(ColorFromPixel(window.Surface()->At(x, y)), own.At(x - icon.left, y - icon.top))
                << x << "," << y;
        }
    EXPECT_GT(iconPixels, 100);

    // A dialog's caption has only its close button and no icon.
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                CRect(10, 10, 200, 100), nullptr, 0));
    EXPECT_FALSE(NonClientPainter::CaptionButtonRect(dialog, HTCLOSE).IsRectEmpty());
    EXPECT_TRUE(NonClientPainter::CaptionButtonRect(dialog, HTMINBUTTON).IsRectEmpty());
    EXPECT_TRUE(NonClientPainter::CaptionButtonRect(dialog, HTSYSMENU).IsRectEmpty());
}

TEST_F(CaptionButtonTest, AButtonActsOnReleaseOverItAndLooksPushedInWhileHeld) {
    const CRect close = Button(HTCLOSE);
    const CRect raisedCross = Glyph(HTCLOSE);
    Mouse(WM_LBUTTONDOWN, close.CenterPoint());
    ASSERT_TRUE(IsWindow(&window));
    EXPECT_TRUE(LooksPressed(HTCLOSE));
    CRect moved = raisedCross;
    moved.OffsetRect(1, 1);
    EXPECT_EQ(Glyph(HTCLOSE), moved);
    // Off the button it springs back; a release there does nothing.
    Mouse(WM_MOUSEMOVE, CPoint(150, 12));
    EXPECT_FALSE(LooksPressed(HTCLOSE));
    EXPECT_EQ(Glyph(HTCLOSE), raisedCross);
    Mouse(WM_LBUTTONUP, CPoint(150, 12));
    EXPECT_TRUE(IsWindow(&window));
    EXPECT_EQ(manager.GetCapture(), nullptr);

    // Maximise and restore on release over the button.
    Mouse(WM_LBUTTONDOWN, Button(HTMAXBUTTON).CenterPoint());
    EXPECT_FALSE(window.IsZoomed());
    EXPECT_TRUE(LooksPressed(HTMAXBUTTON));
    Mouse(WM_LBUTTONUP, Button(HTMAXBUTTON).CenterPoint());
    EXPECT_TRUE(window.IsZoomed());
    EXPECT_FALSE(LooksPressed(HTMAXBUTTON));
    Mouse(WM_LBUTTONDOWN, Button(HTMAXBUTTON).CenterPoint());
    Mouse(WM_LBUTTONUP, Button(HTMAXBUTTON).CenterPoint());
    EXPECT_FALSE(window.IsZoomed());
    CRect rect;
    window.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(100, 100, 400, 300));

    // Leaving the button and coming back before the release still acts.
    Mouse(WM_LBUTTONDOWN, close.CenterPoint());
    Mouse(WM_MOUSEMOVE, CPoint(150, 12));
    Mouse(WM_MOUSEMOVE, close.CenterPoint());
    EXPECT_TRUE(LooksPressed(HTCLOSE));
    Mouse(WM_LBUTTONUP, close.CenterPoint());
    EXPECT_FALSE(IsWindow(&window));
}

TEST_F(CaptionButtonTest, MinimisingATopLevelWindowTakesItOffTheScreenUntilRestored) {
    const CPoint inside = Screen(CPoint(150, 150));
    EXPECT_EQ(manager.WindowFromPoint(inside), &window);
    Mouse(WM_LBUTTONDOWN, Button(HTMINBUTTON).CenterPoint());
    EXPECT_FALSE(window.IsIconic());
    Mouse(WM_LBUTTONUP, Button(HTMINBUTTON).CenterPoint());
    EXPECT_TRUE(window.IsIconic());
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_EQ(manager.WindowFromPoint(inside), nullptr);

    window.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(window.IsIconic());
    CRect rect;
    window.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(100, 100, 400, 300));
    EXPECT_EQ(manager.WindowFromPoint(inside), &window);
}
