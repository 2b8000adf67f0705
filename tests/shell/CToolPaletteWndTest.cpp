#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/SystemColors.h"
#include "resources/CommandIds.h"
#include "tests/shell/ToolBarFixture.h"

namespace {
std::vector<COLORREF> Picture(const std::function<COLORREF(CPoint)>& pixel, CPoint at) {
    std::vector<COLORREF> picture;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x) picture.push_back(pixel(at + CPoint(x, y)));
    return picture;
}
}  // namespace

TEST_F(ToolBarTest, TheDropDownPaletteChoosesTheCommandAndPictureTheButtonCarries) {
    const int slot = toolsBar.CommandToIndex(ID_TOOL_DIMENSION_LINE);
    CRect item;
    toolsBar.GetItemRect(slot, &item);
    Click(toolsBar, CPoint(item.left + 11, item.top + 11));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_TOOL_DIMENSION_LINE});
    EXPECT_FALSE(toolsBar.GetPalette().IsWindowVisible());

    // The arrow opens a palette of four 22-pixel cells under the button, the second one hot.
    frame->commands.clear();
    frame->BringWindowToTop();
    Press(toolsBar, CPoint(item.left + 30, item.top + 11));
    CToolPaletteWnd& palette = toolsBar.GetPalette();
    ASSERT_TRUE(palette.IsWindowVisible());
    CRect shown;
    palette.GetWindowRect(&shown);
    const CPoint under = OnBar(toolsBar, CPoint(item.left - 1, item.bottom));
    EXPECT_EQ(shown, CRect(under.x, under.y, under.x + 24, under.y + 90));
    // Above the frame that owns it, however recently the frame came to the top.
    EXPECT_EQ(WindowManager::Instance().WindowFromPoint(shown.CenterPoint()), &palette);
    EXPECT_EQ(palette.HotCell(), 1);
    EXPECT_EQ(PixelOf(palette, CPoint(1, 23)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(palette, CPoint(0, 0)), RGB(0, 0, 0));
    EXPECT_TRUE(frame->commands.empty());
    // The top border row still counts as the first cell.
    host.MouseMove(CPoint(shown.left + 5, shown.top));
    EXPECT_EQ(palette.HotCell(), 0);

    // Over the third cell and released there: the button carries and shows the measure line.
    const CPoint third(shown.left + 10, shown.top + 1 + 2 * 22 + 5);
    host.MouseMove(third);
    EXPECT_EQ(palette.HotCell(), 2);
    const std::vector<COLORREF> chosen =
        Picture([&](CPoint p) { return PixelOf(palette, p); }, CPoint(4, 1 + 2 * 22 + 3));
    host.MouseUp(third);
    EXPECT_FALSE(palette.IsWindowVisible());
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_TOOL_MEASURE_LINE});
    EXPECT_EQ(toolsBar.GetItemID(slot), static_cast<UINT>(ID_TOOL_MEASURE_LINE));
    host.MouseMove(OnBar(toolsBar, CPoint(2, 2)));
    const std::vector<COLORREF> carried =
        Picture([&](CPoint p) { return PixelOf(toolsBar, p); }, CPoint(item.left + 3, item.top + 3));
    EXPECT_EQ(carried, chosen);

    // Released away from the palette: nothing is chosen and nothing is sent.
    frame->commands.clear();
    Press(toolsBar, CPoint(item.left + 30, item.top + 11));
    host.MouseMove(CPoint(shown.right + 50, shown.bottom + 50));
    EXPECT_EQ(palette.HotCell(), -1);
    host.MouseUp(CPoint(shown.right + 50, shown.bottom + 50));
    EXPECT_FALSE(palette.IsWindowVisible());
    // The button lets go at the next move over the bar.
    host.MouseMove(OnBar(toolsBar, CPoint(item.left + 11, item.top + 11)));
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_EQ(toolsBar.GetItemID(slot), static_cast<UINT>(ID_TOOL_MEASURE_LINE));
    EXPECT_FALSE(toolsBar.GetButtonStyle(slot) & CToolBarEx::kPressed);
}
