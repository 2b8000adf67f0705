#include <gtest/gtest.h>

#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "tests/support/WhiteWnd.h"

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

class CaretTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(
            window.CreateEx(0, nullptr, "Caret", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 50), nullptr, 0));
        manager.RunUntilIdle();
    }
    std::uint32_t Pixel(int x, int y) const { return window.Surface()->At(x, y); }
    void Advance(unsigned long long milliseconds) {
        manager.AdvanceClock(manager.Clock() + milliseconds);
        manager.RunUntilIdle();
    }

    WindowManager& manager = WindowManager::Instance();
    WhiteWnd window;
};
}  // namespace

TEST_F(CaretTest, BlinksByTheClockAndSurvivesPaints) {
    window.CreateSolidCaret(2, 10);
    CWnd::SetCaretPos(CPoint(5, 5));
    EXPECT_EQ(Pixel(5, 5), kWhite) << "a new caret is hidden";
    window.ShowCaret();
    EXPECT_EQ(Pixel(5, 5), kBlack);
    EXPECT_EQ(Pixel(6, 14), kBlack);
    EXPECT_EQ(Pixel(7, 5), kWhite);
    EXPECT_EQ(Pixel(5, 15), kWhite);
    EXPECT_EQ(manager.TimeToNextTimer(), 530);

    Advance(529);
    EXPECT_EQ(Pixel(5, 5), kBlack);
    Advance(1);
    EXPECT_EQ(Pixel(5, 5), kWhite);
    Advance(530);
    EXPECT_EQ(Pixel(5, 5), kBlack);
    // Two blinks at once leave it as it was.
    Advance(1060);
    EXPECT_EQ(Pixel(5, 5), kBlack);

    // A paint over a lit caret keeps it lit, and the next blink really darkens it.
    window.Invalidate();
    manager.RunUntilIdle();
    EXPECT_EQ(Pixel(5, 5), kBlack);
    Advance(530);
    EXPECT_EQ(Pixel(5, 5), kWhite);
    window.Invalidate();
    manager.RunUntilIdle();
    EXPECT_EQ(Pixel(5, 5), kWhite);
    Advance(530);
    EXPECT_EQ(Pixel(5, 5), kBlack);

    // Moving lights it at once in the new place and restarts the blink.
    Advance(300);
    CWnd::SetCaretPos(CPoint(20, 5));
    EXPECT_EQ(Pixel(5, 5), kWhite);
    EXPECT_EQ(Pixel(20, 5), kBlack);
    EXPECT_EQ(CWnd::GetCaretPos(), CPoint(20, 5));
    EXPECT_EQ(manager.TimeToNextTimer(), 530);
}

TEST_F(CaretTest, HidingNestsAndTheCaretDiesWithItsWindow) {
    window.CreateSolidCaret(1, 8);
    window.ShowCaret();
    window.HideCaret();
    window.HideCaret();
    EXPECT_EQ(Pixel(0, 0), kWhite);
    window.ShowCaret();
    EXPECT_EQ(Pixel(0, 0), kWhite);
    window.ShowCaret();
    EXPECT_EQ(Pixel(0, 0), kBlack);
    EXPECT_EQ(manager.TimeToNextTimer(), 530);

    // Only the owner shows or hides it.
    WhiteWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    other.HideCaret();
    EXPECT_EQ(Pixel(0, 0), kBlack);

    DestroyCaret();
    EXPECT_EQ(Pixel(0, 0), kWhite);
    EXPECT_EQ(manager.TimeToNextTimer(), -1);

    window.CreateSolidCaret(1, 8);
    window.ShowCaret();
    window.DestroyWindow();
    EXPECT_EQ(manager.GetCaret().Owner(), nullptr);
    EXPECT_EQ(manager.TimeToNextTimer(), -1);
}
