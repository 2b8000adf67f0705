#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/PixelSurface.h"
#include "resources/BitmapIds.h"
#include "shell/CommandIcons.h"
#include "shell/ToolBarButtons.h"
#include "shell/ToolBarPictures.h"

namespace {
std::vector<std::uint32_t> CellPixels(const PixelSurface& strip, int cell) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kIconHeight; ++y)
        for (int x = 0; x < kIconWidth; ++x) pixels.push_back(strip.At(cell * kIconWidth + x, y));
    return pixels;
}

void ExpectOnePictureEach(UINT bitmapId, std::span<const UINT> commands) {
    CBitmap strip;
    ASSERT_TRUE(LoadToolBarPicture(bitmapId, strip));
    std::vector<UINT> buttons;
    for (UINT id : commands)
        if (id != 0)
            buttons.push_back(id);
    ASSERT_EQ(strip.GetBitmapDimension(), CSize(kIconWidth * static_cast<int>(buttons.size()), kIconHeight));
    std::set<std::vector<std::uint32_t>> seen;
    for (std::size_t cell = 0; cell < buttons.size(); ++cell) {
        EXPECT_TRUE(HasCommandIcon(buttons[cell])) << buttons[cell];
        const std::vector<std::uint32_t> pixels = CellPixels(*strip.Surface(), static_cast<int>(cell));
        EXPECT_TRUE(seen.insert(pixels).second)
            << "picture " << cell << " of bitmap " << bitmapId << " repeats";
        // Every picture keeps light grey (transparent) somewhere and draws something.
        EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0xC0C0C0u), 0);
        EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != 0xC0C0C0u; }),
                  12);
    }
}
}  // namespace

TEST(ToolBarPictures, EveryButtonAndPaletteCellHasAPictureOfItsOwn) {
    ExpectOnePictureEach(IDB_MAIN_TOOLBAR, MainToolBarButtons());
    ExpectOnePictureEach(IDB_TOOLS_TOOLBAR, ToolsToolBarButtons());
    ExpectOnePictureEach(IDB_CAMERA_TOOLBAR, CameraToolBarButtons());
    for (const ToolBarDropDown& dropDown : ToolsToolBarDropDowns())
        ExpectOnePictureEach(dropDown.paletteBitmap, dropDown.commands);
    CBitmap none;
    EXPECT_FALSE(LoadToolBarPicture(1, none));
}

TEST(ToolBarPictures, TheArrowIsAMaskAndAPictureSideBySide) {
    CBitmap arrow;
    ASSERT_TRUE(LoadToolBarPicture(IDB_DROP_DOWN_ARROW, arrow));
    ASSERT_EQ(arrow.GetBitmapDimension(), CSize(18, 15));
    const PixelSurface& pixels = *arrow.Surface();
    int inked = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(pixels.At(9 + x, y), 0u);
            inked += pixels.At(x, y) == 0 ? 1 : 0;
        }
    EXPECT_EQ(inked, 5 + 3 + 1);
    CBitmap strip, collapsed;
    ASSERT_TRUE(LoadToolBarPicture(IDB_COLLAPSE_STRIP, strip));
    ASSERT_TRUE(LoadToolBarPicture(IDB_COLLAPSED_BAR, collapsed));
    EXPECT_EQ(strip.GetBitmapDimension(), CSize(6, 19));
    EXPECT_EQ(collapsed.GetBitmapDimension(), CSize(25, 6));
}
