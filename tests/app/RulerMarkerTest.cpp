#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "shell/CRulerBar.h"
#include "tests/app/PlanInProgram.h"

// The rulers' mouse markers are drawn again only where the mouse moved along them: a move
// that keeps a ruler's coordinate draws nothing on that ruler and leaves its pixels as they were.

namespace {

class RulerMarker : public PlanInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlanInProgram::SetUp());
        child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
        ASSERT_NE(child, nullptr);
    }
    CCVNView& View() { return *dynamic_cast<CCVNView*>(child->GetActiveView()); }
    void MouseTo(CPoint client) {
        child->TopRuler().TraceMarker(true);
        child->LeftRuler().TraceMarker(true);
        View().ClientToScreen(&client);
        host.MouseMove(client);
        host.RunUntilIdle();
    }
    std::vector<std::uint32_t> Picture(CWnd& window) {
        CRect frame, area;
        Main().GetWindowRect(&frame);
        window.GetWindowRect(&area);
        std::vector<std::uint32_t> picture;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                picture.push_back(Main().Surface()->At(x - frame.left, y - frame.top));
        return picture;
    }
    static int Lines(const CRulerBar& ruler) {
        int lines = 0;
        for (const CDCTraceEntry& entry : ruler.MarkerTrace()) lines += entry.primitive == "LineTo";
        return lines;
    }

    CChildFrame* child = nullptr;
};

}  // namespace

TEST_F(RulerMarker, AMoveThatKeepsARulersCoordinateDrawsNothingOnThatRuler) {
    CRulerBar& top = child->TopRuler();
    CRulerBar& left = child->LeftRuler();
    MouseTo(CPoint(300, 200));
    EXPECT_EQ(Lines(top), 1);
    EXPECT_EQ(Lines(left), 1);

    // Down only: the left ruler's marker goes and comes back lower; the top ruler's stays.
    const std::vector<std::uint32_t> topBefore = Picture(top);
    MouseTo(CPoint(300, 230));
    EXPECT_TRUE(top.MarkerTrace().empty());
    EXPECT_EQ(Lines(left), 2);
    EXPECT_EQ(Picture(top), topBefore);

    // Across only: the other way round.
    const std::vector<std::uint32_t> leftBefore = Picture(left);
    MouseTo(CPoint(340, 230));
    EXPECT_EQ(Lines(top), 2);
    EXPECT_TRUE(left.MarkerTrace().empty());
    EXPECT_EQ(Picture(left), leftBefore);

    // Where it was: nothing on either ruler.
    const std::vector<std::uint32_t> topNow = Picture(top);
    top.TraceMarker(true);
    left.TraceMarker(true);
    View().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(340, 230));
    host.RunUntilIdle();
    EXPECT_TRUE(top.MarkerTrace().empty());
    EXPECT_TRUE(left.MarkerTrace().empty());
    EXPECT_EQ(Picture(top), topNow);
}
