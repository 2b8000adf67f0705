#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CChildFrame.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/PixelDigest.h"

// The main window as the plan window, its rulers and the status bar leave it after zooming,
// scrolling, a change of unit and the mouse crossing the plan, pixel for pixel: held to the
// pictures the program drew before its rulers and status panes were spared repeated work.

namespace {

constexpr int kMillimetres = 8;

class PlanWindowPicture : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        host.AdvanceClock(CSplashWindow::kShowTime);
    }
    CCVNView& View() { return *dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }
    void Command(UINT id) {
        Main().SendMessage(WM_COMMAND, id);
        host.RunUntilIdle();
    }
    void Scroll(UINT message, UINT code, int times) {
        for (int i = 0; i < times; ++i) {
            View().SendMessage(message, MAKEWPARAM(code, 0));
            host.RunUntilIdle();
        }
        View().SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0));
        host.RunUntilIdle();
    }
    void MouseTo(CPoint client) {
        View().ClientToScreen(&client);
        host.MouseMove(client);
    }
    std::uint64_t MainWindowDigest() { return PixelDigest(*Main().Surface()); }
};

}  // namespace

TEST_F(PlanWindowPicture, ZoomScrollUnitsAndTheMouseLeaveThePictureAsBefore) {
    CCVNDoc& layout = *ActiveLayout();
    layout.m_fPageWidth = 400000.0;
    layout.m_fPageHeight = 400000.0;
    View().UpdateScrollSizes();
    View().InvalidateAll();
    // A straight drawn with the mouse fills the status panes.
    Command(ID_TOOL_STRAIGHT_TRACK);
    host.DragClient(&View(), CPoint(100, 120), CPoint(300, 160), 6);
    MouseTo(CPoint(300, 200));
    std::vector<std::uint64_t> digests{MainWindowDigest()};

    Command(ID_ZOOM_IN);
    Command(ID_ZOOM_IN);
    MouseTo(CPoint(310, 240));
    digests.push_back(MainWindowDigest());

    Scroll(WM_HSCROLL, SB_PAGERIGHT, 3);
    Scroll(WM_VSCROLL, SB_PAGEDOWN, 2);
    MouseTo(CPoint(420, 260));
    digests.push_back(MainWindowDigest());

    // SB_BOTTOM is the far right end on the horizontal bar.
    Scroll(WM_HSCROLL, SB_BOTTOM, 1);
    Scroll(WM_VSCROLL, SB_BOTTOM, 1);
    MouseTo(CPoint(200, 300));
    MouseTo(CPoint(205, 302));
    digests.push_back(MainWindowDigest());

    layout.m_nUnitIndex = kMillimetres;
    View().InvalidateAll();
    host.RunUntilIdle();
    MouseTo(CPoint(150, 100));
    digests.push_back(MainWindowDigest());

    Command(ID_ZOOM_FIT);
    MouseTo(CPoint(250, 150));
    digests.push_back(MainWindowDigest());

    EXPECT_EQ(digests, (std::vector<std::uint64_t>{17940338199269711200ull, 6548871123057802261ull,
                                                   13390023887013307664ull, 196771609130268608ull,
                                                   12370782110394716953ull, 7993806772830179929ull}));
}

// A ruler is painted again only when the plan moves along it, and then with the other
// windows' paints rather than at once.
TEST_F(PlanWindowPicture, ARulerWaitsToBePaintedAndOnlyWhenThePlanMovesAlongIt) {
    ActiveLayout()->m_fPageWidth = 400000.0;
    ActiveLayout()->m_fPageHeight = 400000.0;
    View().UpdateScrollSizes();
    host.RunUntilIdle();
    auto* child = dynamic_cast<CChildFrame*>(Main().MDIGetActive());
    ASSERT_NE(child, nullptr);
    CRulerBar& top = child->TopRuler();
    CRulerBar& left = child->LeftRuler();

    View().InvalidateAll();
    View().UpdateWindow();
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());
    EXPECT_TRUE(left.UpdateRegion().IsEmpty());

    View().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0));
    EXPECT_FALSE(top.UpdateRegion().IsEmpty());
    EXPECT_TRUE(left.UpdateRegion().IsEmpty());
    host.RunUntilIdle();
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());

    View().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_TRUE(top.UpdateRegion().IsEmpty());
    EXPECT_FALSE(left.UpdateRegion().IsEmpty());
    host.RunUntilIdle();

    ActiveLayout()->m_nUnitIndex = kMillimetres;
    View().InvalidateAll();
    View().UpdateWindow();
    EXPECT_FALSE(top.UpdateRegion().IsEmpty());
    EXPECT_FALSE(left.UpdateRegion().IsEmpty());
}
