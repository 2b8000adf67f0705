#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "drawing/CSketch.h"
#include "model/CToolMode.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "shell/CCVNView.h"
#include "shell/CToolBarEx.h"
#include "tests/app/PlanInProgram.h"

// How point entry ends in the running program: the right button, Escape, another tool, and a
// message box that the end of the entry raises.

namespace {

struct OutlineTool {
    UINT command;
    const char* name;
    // The fewest clicked vertices the tool keeps.
    int fewest;
};

constexpr OutlineTool kOutlineTools[] = {
    {ID_TOOL_POLYGON, "polygon", 2}, {ID_TOOL_BENCHWORK, "benchwork", 3}, {ID_TOOL_TERRAIN, "terrain", 3}};

class PointEntryEnd : public PlanInProgram {
  protected:
    CCVNDoc& Layout() { return *ActiveLayout(); }
    size_t Count() { return Layout().m_rootGroup.m_members.size(); }
    CSketch* Newest() { return dynamic_cast<CSketch*>(Layout().m_rootGroup.m_members.front()); }
    int Vertices() { return Newest()->m_points.GetSize() - CSketch::kFirstDrawnPoint; }
    // One click per vertex, too far apart for a double click, then the mouse on to `toward`,
    // where the rubber-band vertex follows it.
    void ClickThenMove(const std::vector<CPoint>& points, CPoint toward) {
        for (const CPoint& point : points) {
            host.AdvanceClock(1000);
            host.ClickClient(plan, point);
        }
        CPoint screen = toward;
        plan->ClientToScreen(&screen);
        host.MouseMove(screen);
        host.RunUntilIdle();
    }
    // A valid terrain asks for its properties; the defaults are kept.
    void KeepTerrainDefaults(const OutlineTool& tool) {
        if (tool.command == ID_TOOL_TERRAIN)
            host.WhenModal("properties", [this](CWnd& dialog) {
                host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3));
            });
    }
    CPoint ToolBarButton(UINT command) {
        CToolBarEx& tools = Main().GetToolsToolBar();
        CRect button;
        tools.GetItemRect(tools.CommandToIndex(command), &button);
        CPoint centre = button.CenterPoint();
        tools.ClientToScreen(&centre);
        return centre;
    }
    COLORREF ShownAt(CPoint client) {
        plan->ClientToScreen(&client);
        CRect frame;
        Main().GetWindowRect(&frame);
        return ColorFromPixel(Main().Surface()->At(client.x - frame.left, client.y - frame.top));
    }
    // The pixels of the hint box's colour inside the client rectangle.
    int HintPixels(const CRect& client) {
        const COLORREF background = GetSysColor(COLOR_INFOBK);
        int count = 0;
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x) count += ShownAt(CPoint(x, y)) == background;
        return count;
    }
};

}  // namespace

TEST_F(PointEntryEnd, TheRightButtonEndsTheEntryWithTheClickedVerticesAndShowsNoMenu) {
    for (const OutlineTool& tool : kOutlineTools) {
        SCOPED_TRACE(tool.name);
        Command(tool.command);
        const std::vector<BYTE> before = Stored(Layout());
        const size_t objects = Count();
        const int steps = Layout().m_tool.GetUndoCount();

        // Three clicks, the mouse on, then the right button away from them all.
        ClickThenMove({{200, 200}, {400, 200}, {400, 350}}, CPoint(250, 400));
        KeepTerrainDefaults(tool);
        host.ClickClient(plan, CPoint(220, 420), true);
        host.RunUntilIdle();
        EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        ASSERT_EQ(Count(), objects + 1);
        EXPECT_EQ(Vertices(), 3);
        EXPECT_EQ(Newest()->GetEditState(), -1);
        // The mouse no longer drags a vertex about.
        const std::vector<BYTE> finished = Stored(Layout());
        ClickThenMove({}, CPoint(600, 500));
        EXPECT_TRUE(Stored(Layout()) == finished);
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(Count(), objects);
        EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
        EXPECT_TRUE(Stored(Layout()) == before);

        // Fewer clicks than the outline needs: it goes with its creation step.
        std::vector<CPoint> clicks;
        for (int i = 0; i + 1 < tool.fewest; ++i) clicks.push_back(CPoint(200 + 150 * i, 250));
        Command(tool.command);
        ClickThenMove(clicks, CPoint(300, 450));
        host.ClickClient(plan, CPoint(300, 450), true);
        host.RunUntilIdle();
        EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_EQ(Count(), objects);
        EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
        EXPECT_TRUE(Stored(Layout()) == before);
    }
    // Away from point entry the right button still opens the menu.
    Command(ID_TOOL_SELECTOR);
    bool menu = false;
    host.WhenModal("", [&](CWnd&) {
        menu = true;
        host.PressKey(VK_ESCAPE);
    });
    host.ClickClient(plan, CPoint(300, 300), true);
    EXPECT_TRUE(menu);
}

TEST_F(PointEntryEnd, AnotherToolOrEscapeDropsTheVertexThatWasNeverClicked) {
    const std::vector<BYTE> empty = Stored(Layout());
    const int steps = Layout().m_tool.GetUndoCount();

    // One click of the terrain tool, then the Text tool on the toolbar: nothing is left.
    Command(ID_TOOL_TERRAIN);
    ClickThenMove({{300, 300}}, CPoint(500, 400));
    host.AdvanceClock(1000);
    host.Click(ToolBarButton(ID_TOOL_TEXT));
    host.RunUntilIdle();
    EXPECT_EQ(Layout().m_tool.m_toolMode, kToolText);
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
    // The file keeps the chosen tool.
    Command(ID_TOOL_SELECTOR);
    EXPECT_TRUE(Stored(Layout()) == empty);

    // Two clicks of a benchwork and Escape: too few for an outline.
    Command(ID_TOOL_BENCHWORK);
    ClickThenMove({{300, 300}, {500, 300}}, CPoint(500, 450));
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
    Command(ID_TOOL_SELECTOR);
    EXPECT_TRUE(Stored(Layout()) == empty);

    // Two clicks of a polygon and the menu command of another tool: a line of two vertices.
    Command(ID_TOOL_POLYGON);
    ClickThenMove({{300, 300}, {500, 300}}, CPoint(500, 450));
    Command(ID_TOOL_SELECTOR);
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Vertices(), 2);
    EXPECT_EQ(Newest()->m_points[CSketch::kFirstDrawnPoint + 1].y,
              Newest()->m_points[CSketch::kFirstDrawnPoint].y);

    // Three clicks of a benchwork and Escape: the triangle of the clicks.
    Command(ID_TOOL_BENCHWORK);
    ClickThenMove({{600, 300}, {800, 300}, {800, 450}}, CPoint(650, 500));
    host.PressKey(VK_ESCAPE);
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(Vertices(), 3);
}

TEST_F(PointEntryEnd, AMessageBoxRaisedByTheEntryTakesTheMouse) {
    Command(ID_TOOL_BENCHWORK);
    ClickThenMove({{300, 300}, {600, 550}, {600, 300}, {300, 550}}, CPoint(350, 500));
    ASSERT_EQ(CWnd::GetCapture(), plan);
    bool clicked = false;
    host.WhenModal("", [&](CWnd& box) {
        // The plan holds the mouse no longer: the click reaches OK.
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        CWnd* ok = box.GetDlgItem(IDOK);
        ASSERT_NE(ok, nullptr);
        CRect button;
        ok->GetClientRect(&button);
        host.ClickClient(ok, button.CenterPoint());
        clicked = !box.InModalLoop();
    });
    host.KeyDown(VK_CONTROL);
    host.PressKey('A');
    host.KeyUp(VK_CONTROL);
    host.RunUntilIdle();
    EXPECT_TRUE(clicked);
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_EQ(host.MessageBoxes().back().text, "Error. Self crossing. ");
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(Count(), 0u);
}

TEST_F(PointEntryEnd, TheHintOfAFinishedOutlineLeavesThePlan) {
    CRect client;
    plan->GetClientRect(&client);
    for (bool right : {true, false}) {
        SCOPED_TRACE(right ? "right button" : "double click");
        Command(ID_TOOL_BENCHWORK);
        ClickThenMove({{200, 200}, {400, 200}}, CPoint(420, 380));
        ASSERT_FALSE(Layout().m_tool.m_hint.m_strText.IsEmpty());
        ASSERT_GT(HintPixels(client), 50);
        host.AdvanceClock(1000);
        host.ClickClient(plan, CPoint(420, 380), right);
        if (!right)
            host.ClickClient(plan, CPoint(420, 380));
        host.RunUntilIdle();
        EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
        EXPECT_TRUE(Layout().m_tool.m_hint.m_strText.IsEmpty());
        EXPECT_EQ(HintPixels(client), 0);
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
    }
}

TEST_F(PointEntryEnd, ASplineKeepsItsClickedNodesHoweverTheEntryEnds) {
    // The right button, Escape, or another tool.
    const std::vector<std::function<void()>> endings = {
        [&] { host.ClickClient(plan, CPoint(500, 500), true); }, [&] { host.PressKey(VK_ESCAPE); },
        [&] { Command(ID_TOOL_SELECTOR); }};
    for (UINT command : {ID_TOOL_SPLINE, ID_TOOL_SPLINE_TRACK})
        for (const auto& end : endings) {
            SCOPED_TRACE(command);
            Command(command);
            const int steps = Layout().m_tool.GetUndoCount();
            // One click: a single node is no curve, and it goes with its step.
            ClickThenMove({{200, 200}}, CPoint(500, 500));
            end();
            host.RunUntilIdle();
            EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
            EXPECT_EQ(Count(), 0u);
            EXPECT_EQ(Layout().m_tool.GetUndoCount(), steps);
            // Two clicks: two nodes, each with its two handles.
            Command(command);
            ClickThenMove({{200, 200}, {350, 260}}, CPoint(500, 500));
            end();
            host.RunUntilIdle();
            ASSERT_EQ(Count(), 1u);
            EXPECT_EQ(Layout().m_rootGroup.m_members.front()->m_points.GetSize(),
                      CSketch::kFirstDrawnPoint + 4);
            Command(ID_EDIT_UNDO);
            EXPECT_EQ(Count(), 0u);
        }
}

TEST_F(PointEntryEnd, APressInAnotherPlanOfTheLayoutAddsItsPointAndLeavesNoEndWaiting) {
    CCVNView* first = plan;
    Command(ID_WINDOW_NEW);
    Command(ID_WINDOW_TILE_HORZ);
    CCVNView* second = View();
    ASSERT_NE(second, first);
    ASSERT_EQ(second->GetDocument(), first->GetDocument());

    Command(ID_TOOL_POLYGON);
    plan = first;
    ClickThenMove({{40, 40}, {140, 40}, {140, 100}}, CPoint(60, 100));
    host.AdvanceClock(1000);
    host.ClickClient(second, CPoint(60, 80));
    host.RunUntilIdle();
    EXPECT_FALSE(first->IsEntryEndPending());
    EXPECT_EQ(CWnd::GetCapture(), second);
    // Four clicked vertices and the one that follows the mouse.
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Vertices(), 5);
    // Both plans show the layout alike: the fourth vertex is where the press was in the second,
    // (20, 40) pixels from the first click, whose next two clicks were 100 right and 60 down.
    const CDoublePoint* v = &Newest()->m_points[CSketch::kFirstDrawnPoint];
    EXPECT_NEAR(v[3].x, v[0].x + (v[1].x - v[0].x) * 0.2, std::fabs(v[1].x - v[0].x) / 100.0);
    EXPECT_NEAR(v[3].y, v[1].y + (v[2].y - v[1].y) * 40.0 / 60.0, std::fabs(v[2].y - v[1].y) / 60.0);

    host.ClickClient(second, CPoint(100, 30), true);
    host.RunUntilIdle();
    EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(Vertices(), 4);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(first->IsEntryEndPending());
    EXPECT_FALSE(second->IsEntryEndPending());
}

// A close request during any point entry, from the desktop, by Alt+F4 or by Ctrl+F4, ends the entry, and
// once the entry's own dialog (a terrain's properties) is answered, goes on to the save question.
TEST_F(PointEntryEnd, ACloseRequestGoesOnToTheSaveQuestionAfterEveryPointEntry) {
    const auto chord = [&](UINT modifier) {
        host.KeyDown(modifier);
        host.PressKey(VK_F4);
        host.KeyUp(modifier);
    };
    const std::vector<std::function<void()>> closes = {[&] { Main().PostMessage(WM_CLOSE); },
                                                       [&] { chord(VK_MENU); }, [&] { chord(VK_CONTROL); }};
    CToolBarEx& tools = Main().GetToolsToolBar();
    int entries = 0;
    for (int slot = 0; slot < tools.GetCount(); ++slot)
        for (const auto& close : closes) {
            const UINT command = tools.GetItemID(slot);
            SCOPED_TRACE(command);
            if (command == 0)
                break;
            // A button that asks at once is no point entry's.
            host.WhenModal("", [](CWnd& dialog) { dialog.EndModalLoop(IDCANCEL); });
            Command(command);
            ClickThenMove({{200, 200}}, CPoint(300, 300));
            host.ForgetModalActions();
            if (Layout().m_tool.m_nMultiPoint == 0) {
                host.PressKey(VK_ESCAPE);
                break;
            }
            ++entries;
            ClickThenMove({{400, 200}, {400, 350}}, CPoint(250, 400));
            const size_t questions = host.MessageBoxes().size();
            host.WhenModal("properties",
                           [&](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(3, 3)); });
            host.AnswerMessageBox(IDCANCEL);
            close();
            host.RunUntilIdle();
            host.ForgetModalActions();
            EXPECT_EQ(Layout().m_tool.m_nMultiPoint, 0);
            ASSERT_EQ(host.MessageBoxes().size(), questions + 1);
            EXPECT_EQ(host.MessageBoxes().back().text, "Save changes to Untitled1?");
        }
    // Polygon, spline, spline track, benchwork and terrain, each closed all three ways.
    EXPECT_EQ(entries, 15);
}
