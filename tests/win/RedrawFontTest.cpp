#include <gtest/gtest.h>

#include "platform/gdi/CFont.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"

namespace {
class CountingWnd : public CWnd {
  public:
    int paints = 0;
    COLORREF colour = RGB(255, 255, 255);

  protected:
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, colour);
        ++paints;
    }
};

class RedrawFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        ASSERT_TRUE(
            frame.CreateEx(0, nullptr, "Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(list.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &frame, 1));
        manager.RunUntilIdle();
        frame.paints = list.paints = 0;
    }
    WindowManager& manager = WindowManager::Instance();
    CountingWnd frame;
    CountingWnd list;
};
}  // namespace

TEST_F(RedrawFontTest, AFrozenWindowPaintsNothingUntilThawedThenOnce) {
    frame.SetRedraw(FALSE);
    EXPECT_TRUE(list.IsRedrawFrozen());
    list.colour = RGB(0, 0, 255);
    for (int i = 0; i < 5; ++i) {
        list.Invalidate();
        frame.Invalidate();
        list.UpdateWindow();
        manager.RunUntilIdle();
    }
    EXPECT_EQ(frame.paints, 0);
    EXPECT_EQ(list.paints, 0);
    EXPECT_EQ(frame.Surface()->At(20, 20), 0xFFFFFFu);

    frame.SetRedraw(TRUE);
    frame.SetRedraw(TRUE);
    manager.RunUntilIdle();
    EXPECT_EQ(frame.paints, 1);
    EXPECT_EQ(list.paints, 1);
    EXPECT_EQ(frame.Surface()->At(20, 20), 0x0000FFu);
    EXPECT_FALSE(list.IsRedrawFrozen());

    // Freezing only the child leaves its parent painting.
    list.SetRedraw(FALSE);
    frame.Invalidate();
    list.Invalidate();
    manager.RunUntilIdle();
    EXPECT_EQ(frame.paints, 2);
    EXPECT_EQ(list.paints, 1);
}

TEST_F(RedrawFontTest, AWindowKeepsTheFontItIsGiven) {
    EXPECT_EQ(list.GetFont(), nullptr);
    CFont font;
    font.CreatePointFont(80, "MS Sans Serif");
    list.SetFont(&font, FALSE);
    EXPECT_EQ(list.GetFont(), &font);
    manager.RunUntilIdle();
    EXPECT_EQ(list.paints, 0);
    list.SetFont(&font);
    manager.RunUntilIdle();
    EXPECT_EQ(list.paints, 1);
}
