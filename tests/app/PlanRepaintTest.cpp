#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "model/CCVNDoc.h"
#include "platform/gdi/CDC.h"
#include "shell/CCVNView.h"
#include "tests/app/PlanInProgram.h"
#include "tests/track/LargeLayout.h"

namespace {

class PlanRepaint : public PlanInProgram {
  protected:
    CCVNView& View() { return *dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView()); }

    // Every pixel of the window as the draw buffer holds it.
    std::vector<COLORREF> Picture() {
        CCVNView& view = View();
        CRect client;
        view.GetClientRect(&client);
        CDC& buffer = view.DrawBuffer();
        view.OnPrepareDC(&buffer);
        std::vector<COLORREF> pixels;
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x) {
                CPoint point(x, y);
                buffer.DPtoLP(&point);
                pixels.push_back(buffer.GetPixel(point.x, point.y));
            }
        return pixels;
    }
};

}  // namespace

// The pieces are moved about a layout large enough for the groups to draw through their member
// indexes, as a drag moves them and as a recorded move does; each time, the area the engine
// marked is drawn again, then the piece's new place alone, and the window shows what a redraw
// of the whole window shows.
TEST_F(PlanRepaint, APartialRepaintAfterEachMoveShowsWhatAWholeRedrawShows) {
    CCVNDoc& layout = *ActiveLayout();
    LargeLayout::Build(layout, 6, 30);
    // A move lets go of its partners' marks, which are drawn again with it.
    LargeLayout::MarkMeetingEnds(layout);
    CCVNView& view = View();
    view.OnZoomFit();
    host.RunUntilIdle();
    CTool& tool = layout.m_tool;
    const double moves[][2] = {{1500.0, 0.0}, {-800.0, 2500.0}, {0.0, -4000.0}, {3000.0, 3000.0}};
    int next = 7;
    int record = 0;
    for (const auto& move : moves) {
        view.InvalidateAll();
        view.UpdateWindow();
        CPaint* piece = *std::next(layout.m_rootGroup.m_members.begin(), next);
        next = (next * 13 + 5) % static_cast<int>(layout.m_rootGroup.m_members.size());
        tool.DeselectAll(0, 0);
        piece->Select();
        tool.ForgetDirtyArea();
        tool.MoveSelection(move[0], move[1], 0, record, record);
        tool.DeselectAll(record, record);
        record = 1 - record;
        ASSERT_FALSE(tool.DirtyArea().IsEmpty());
        tool.m_bRedraw = 1;
        view.RepaintDirty();
        // Then the piece's new place alone, as when something else changes there.
        piece->Invalidate();
        tool.m_bRedraw = 1;
        view.RepaintDirty();
        const std::vector<COLORREF> repaired = Picture();
        view.InvalidateAll();
        view.UpdateWindow();
        const std::vector<COLORREF> whole = Picture();
        EXPECT_TRUE(repaired == whole) << move[0] << ", " << move[1];
    }
}
