#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi/DragImage.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/CWnd.h"
#include "platform/win/TopLevelPicture.h"
#include "platform/win/WindowManager.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000;

class DragPicture : public testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        window.CreateEx(0, nullptr, "Drop", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0);
        manager.RunUntilIdle();
        DragImage::Instance().Begin(std::make_shared<PixelSurface>(4, 4, kRed), std::vector<bool>(16, false),
                                    CPoint(0, 0));
    }
    void TearDown() override {
        DragImage::Instance().End();
        window.DestroyWindow();
        manager.Reset();
    }
    std::uint32_t Own(int x, int y) const { return window.Surface()->At(x, y); }

    WindowManager& manager = WindowManager::Instance();
    CWnd window;
};

}  // namespace

// The picture made for one present is made again for the next only while no one holds it: a
// picture still held keeps what it showed, and the next shows the image only where it now is.
TEST_F(DragPicture, APictureStillHeldKeepsWhatItShowedAndTheNextLeavesNoTrail) {
    DragImage& drag = DragImage::Instance();
    ASSERT_TRUE(drag.Enter(&window, CPoint(10, 10)));
    const std::shared_ptr<const PixelSurface> first = TopLevelPicture(&window);
    ASSERT_NE(first, window.Surface());
    EXPECT_EQ(first->At(11, 11), kRed);

    drag.Move(CPoint(50, 50));
    std::shared_ptr<const PixelSurface> second = TopLevelPicture(&window);
    EXPECT_NE(second, first);
    EXPECT_EQ(first->At(11, 11), kRed);
    EXPECT_EQ(first->At(51, 51), Own(51, 51));
    EXPECT_EQ(second->At(51, 51), kRed);
    EXPECT_EQ(second->At(11, 11), Own(11, 11));

    const PixelSurface* let = second.get();
    second.reset();
    drag.Move(CPoint(80, 60));
    const std::shared_ptr<const PixelSurface> third = TopLevelPicture(&window);
    EXPECT_EQ(third.get(), let);
    EXPECT_EQ(third->At(81, 61), kRed);
    EXPECT_EQ(third->At(51, 51), Own(51, 51));
    EXPECT_EQ(first->At(11, 11), kRed);

    drag.Leave();
    EXPECT_EQ(TopLevelPicture(&window), window.Surface());
}
