#include <gtest/gtest.h>

#include <cstdlib>

#include "model/CToolMode.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "tests/app/LayoutInProgram.h"
#include "track/CTrack.h"

namespace {

// The hint box beside the mouse while a handle is dragged, as the plan window shows it.
class PlanHint : public LayoutInProgram {
  protected:
    COLORREF ShownAt(CPoint screen) {
        CRect frame;
        Main().GetWindowRect(&frame);
        return ColorFromPixel(Main().Surface()->At(screen.x - frame.left, screen.y - frame.top));
    }
    int CountShown(COLORREF colour, const CRect& screen) {
        int count = 0;
        for (int y = screen.top; y < screen.bottom; ++y)
            for (int x = screen.left; x < screen.right; ++x) count += ShownAt(CPoint(x, y)) == colour;
        return count;
    }
    // The hint box on the screen, from its rectangle in the view's logical units.
    CRect HintOnScreen() {
        const DeviceRect& rect = layout->m_tool.m_hint.m_rect;
        CRect box(ScreenOfLogical(CPoint(rect.left, rect.top)),
                  ScreenOfLogical(CPoint(rect.right, rect.bottom)));
        box.NormalizeRect();
        return box;
    }
};

}  // namespace

TEST_F(PlanHint, ACtrlDragOfATrackEndShowsItsHeightGradeAndMeasuresAtTheEnd) {
    Command(ID_TOOL_STRAIGHT_TRACK);
    host.DragClient(plan, CPoint(100, 200), CPoint(400, 200), 6);
    host.RunUntilIdle();
    auto* straight = dynamic_cast<CTrack*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(straight, nullptr);
    Command(ID_TOOL_SELECTOR);
    const CDoublePoint endLocal = straight->GetEndPoint(1);
    const CDoublePoint end = straight->LocalToWorld(endLocal.x, endLocal.y);
    const CDoublePoint beginLocal = straight->GetEndPoint(0);
    const CDoublePoint begin = straight->LocalToWorld(beginLocal.x, beginLocal.y);
    host.AdvanceClock(1000);
    host.Click(ScreenOfPlan({(begin.x + end.x) / 2.0, (begin.y + end.y) / 2.0}));
    ASSERT_TRUE(straight->IsSelected());

    // Ctrl on the end, then along the track toward its middle, the button held.
    host.AdvanceClock(1000);
    host.KeyDown(VK_CONTROL);
    const CPoint pressed = ScreenOfPlan(end);
    host.MouseDown(pressed);
    ASSERT_EQ(layout->m_tool.m_toolMode, kToolDragHandle);
    for (int step = 1; step <= 3; ++step) host.MouseMove(CPoint(pressed.x - 20 * step, pressed.y));
    host.RunUntilIdle();
    const CString hint = layout->m_tool.m_hint.m_strText;
    EXPECT_EQ(hint.Left(2), "h=");
    EXPECT_GE(hint.Find("grade="), 0);
    EXPECT_GE(hint.Find("; "), 0);

    // The box hangs beside the dragged end, not beside the mouse, its text inside it.
    const CRect box = HintOnScreen();
    // 20 logical units right of the anchor, less the box's margin of 3.
    const CPoint anchor = layout->m_tool.LayoutToDevice(layout->m_tool.m_fHintX, layout->m_tool.m_fHintY, 1);
    EXPECT_NEAR(box.left, ScreenOfLogical(CPoint(anchor.x + 17, anchor.y)).x, 1);
    EXPECT_GT(std::abs(box.left - pressed.x + 60), 10);
    EXPECT_GT(box.Width(), 60);
    const COLORREF background = GetSysColor(COLOR_INFOBK);
    const COLORREF text = GetSysColor(COLOR_INFOTEXT);
    // The border runs whole along the top, the text's background inside it.
    EXPECT_EQ(CountShown(text, CRect(box.left, box.top, box.right, box.top + 1)), box.Width());
    EXPECT_EQ(CountShown(background, CRect(box.left, box.top - 2, box.right, box.top)), 0);
    EXPECT_EQ(ShownAt(CPoint(box.left + 2, box.bottom - 3)), background);
    EXPECT_EQ(ShownAt(CPoint(box.right - 3, box.bottom - 3)), background);
    const CRect inside(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    EXPECT_GT(CountShown(text, CRect(inside.left, inside.top, inside.CenterPoint().x, inside.bottom)), 30);
    // The measures after the grade reach into the right half.
    EXPECT_GT(CountShown(text, CRect(inside.CenterPoint().x, inside.top, inside.right, inside.bottom)), 30);

    // The release takes the box away.
    host.MouseUp(CPoint(pressed.x - 60, pressed.y));
    host.KeyUp(VK_CONTROL);
    host.RunUntilIdle();
    EXPECT_EQ(CountShown(background, box), 0);
}
