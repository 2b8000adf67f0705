#include <gtest/gtest.h>

#include "model/CToolMode.h"
#include "platform/win/WindowDCs.h"
#include "shell/CCVNView.h"
#include "shell/CToolBarEx.h"
#include "terrain/CBenchwork.h"
#include "tests/app/PlanInProgram.h"

namespace {

const CString kSelfCrossing = "Error. Self crossing. ";

// Benchwork drawn, refused and copied in the running program, as a person does it.
class OutlineEntryProgram : public PlanInProgram {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlanInProgram::SetUp());
        FindLayout();
    }
    void FindLayout() {
        layout = ActiveLayout();
        ASSERT_NE(layout, nullptr);
        plan = dynamic_cast<CCVNView*>(Main().MDIGetActive()->GetActiveView());
        ASSERT_NE(plan, nullptr);
    }
    void PressCtrl(char key) {
        host.KeyDown(VK_CONTROL);
        host.PressKey(static_cast<UINT>(key));
        host.KeyUp(VK_CONTROL);
    }
    // One click per point, far enough apart in time that none becomes a double click.
    void ClickPoints(const std::vector<CPoint>& points) {
        for (const CPoint& point : points) {
            host.AdvanceClock(1000);
            host.ClickClient(plan, point);
        }
    }
    void DoubleClick(CPoint point) {
        host.AdvanceClock(1000);
        host.ClickClient(plan, point);
        host.ClickClient(plan, point);
    }
    size_t Count() const { return layout->m_rootGroup.m_members.size(); }
    CBenchwork* Benchwork(size_t index) const {
        auto member = layout->m_rootGroup.m_members.begin();
        std::advance(member, index);
        return dynamic_cast<CBenchwork*>(*member);
    }
    int SelfCrossingMessages() const {
        int shown = 0;
        for (const auto& box : host.MessageBoxes()) shown += box.text == kSelfCrossing ? 1 : 0;
        return shown;
    }
    // The client point of the middle of an outline edge, from vertex `from` to the next.
    CPoint EdgeMiddle(CBenchwork& benchwork, size_t from) {
        const std::vector<CDoublePoint> vertices = benchwork.OutlineVertices();
        const CDoublePoint a = benchwork.LocalToWorld(vertices[from].x, vertices[from].y);
        const CDoublePoint& next = vertices[(from + 1) % vertices.size()];
        const CDoublePoint b = benchwork.LocalToWorld(next.x, next.y);
        CPoint point = layout->m_tool.LayoutToDevice((a.x + b.x) / 2, (a.y + b.y) / 2, 0);
        CClientDC dc(plan);
        plan->OnPrepareDC(&dc);
        dc.LPtoDP(&point);
        return point;
    }
    // A benchwork drawn as a rectangle, then made a bow tie by swapping two of its vertices,
    // as a layout stored it.
    void SaveAndReopenBowTie(const std::filesystem::path& path, int unchecked) {
        Command(ID_TOOL_BENCHWORK);
        ClickPoints({{300, 300}, {600, 300}, {600, 550}});
        DoubleClick({300, 550});
        ASSERT_EQ(Count(), 1u);
        CBenchwork& drawn = *Benchwork(0);
        ASSERT_EQ(drawn.OutlineVertices().size(), 4u);
        std::swap(drawn.m_points[CSketch::kFirstDrawnPoint + 1], drawn.m_points[CSketch::kFirstDrawnPoint + 2]);
        drawn.m_bUncheckedOutline = unchecked;
        ASSERT_TRUE(drawn.HasSelfCrossing());
        // The swap stands for an edit of the outline, which measures the crossed perimeter.
        ASSERT_TRUE(drawn.IsSelected());
        drawn.MeasureShape();
        ASSERT_TRUE(layout->OnSaveDocument(path.c_str()));
        Command(ID_FILE_CLOSE);
        ASSERT_NE(app.OpenDocumentFile(path.c_str()), nullptr);
        host.RunUntilIdle();
        FindLayout();
        ASSERT_EQ(Count(), 1u);
    }
    // Select All, Copy and Paste with the keys, then a click on the copy's edge.
    void CopyPasteAndClickTheCopy() {
        Command(ID_TOOL_SELECTOR);
        PressCtrl('A');
        PressCtrl('C');
        PressCtrl('V');
        ASSERT_EQ(Count(), 2u);
        CBenchwork* copy = Benchwork(0);
        ASSERT_NE(copy, nullptr);
        ASSERT_TRUE(copy->IsSelected());
        ClickPoints({EdgeMiddle(*copy, 1)});
    }

    CCVNDoc* layout = nullptr;
    CCVNView* plan = nullptr;
};

}  // namespace

TEST_F(OutlineEntryProgram, ABowTieLeftOpenIsRefusedBeforeSelectAllCopyAndPaste) {
    const std::vector<BYTE> empty = Stored(*layout);
    Command(ID_TOOL_BENCHWORK);
    ClickPoints({{300, 300}, {600, 550}, {600, 300}, {300, 550}});
    ASSERT_EQ(Count(), 1u);
    ASSERT_EQ(layout->m_tool.m_nMultiPoint, 2);

    // Ctrl+A ends the drawing first, as the right button would: the bow tie is refused.
    host.AnswerMessageBox(IDOK);
    PressCtrl('A');
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(SelfCrossingMessages(), 1);
    EXPECT_EQ(Count(), 0u);
    PressCtrl('C');
    PressCtrl('V');
    EXPECT_EQ(Count(), 0u);

    // The double click starts and ends a new outline of one point, which is dropped.
    DoubleClick({300, 550});
    EXPECT_EQ(Count(), 0u);
    Command(ID_TOOL_SELECTOR);
    PressCtrl('A');
    PressCtrl('C');
    PressCtrl('V');
    ClickPoints({{600, 425}});
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(SelfCrossingMessages(), 1);
    EXPECT_TRUE(Stored(*layout) == empty);
}

TEST_F(OutlineEntryProgram, AStoredBowTieCopiedAndClickedKeepsThePasteAndItsUndo) {
    SaveAndReopenBowTie(folder / "bowtie.cvn", 0);
    const std::vector<BYTE> stored = Stored(*layout);
    host.AnswerMessageBox(IDOK);
    CopyPasteAndClickTheCopy();
    // The click changed nothing of the copy: the refusal takes back no one else's step.
    EXPECT_EQ(SelfCrossingMessages(), 1);
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(Benchwork(0)->OutlineVertices().size(), 4u);
    EXPECT_EQ(Benchwork(1)->OutlineVertices().size(), 4u);
    EXPECT_TRUE(Benchwork(0)->IsSelected());
    EXPECT_FALSE(Benchwork(1)->IsSelected());

    // Undo takes back the paste and gives the stored layout's bytes.
    Command(ID_EDIT_UNDO);
    ASSERT_EQ(Count(), 1u);
    EXPECT_TRUE(Benchwork(0)->HasSelfCrossing());
    Benchwork(0)->Deselect();
    EXPECT_TRUE(Stored(*layout) == stored);
}

TEST_F(OutlineEntryProgram, AnOlderLayoutsBowTieStaysUncheckedInItsCopy) {
    SaveAndReopenBowTie(folder / "older.cvn", 1);
    CopyPasteAndClickTheCopy();
    EXPECT_EQ(SelfCrossingMessages(), 0);
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(Benchwork(0)->m_bUncheckedOutline, 1);
    EXPECT_EQ(Benchwork(1)->m_bUncheckedOutline, 1);
}

TEST_F(OutlineEntryProgram, AToolbarClickOrEscapeEndsTheDrawingWithoutAVertex) {
    CToolBarEx& tools = Main().GetToolsToolBar();
    CRect button;
    tools.GetItemRect(tools.CommandToIndex(ID_TOOL_SELECTOR), &button);
    CPoint selector = button.CenterPoint();
    tools.ClientToScreen(&selector);

    // Scrolled down, the pointer on its way up to the toolbar scrolls the plan back.
    plan->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    Command(ID_TOOL_BENCHWORK);
    ClickPoints({{300, 300}, {600, 300}, {600, 550}});
    host.AdvanceClock(1000);
    host.MouseMove(selector);
    EXPECT_NE(plan->GetAutoScrollTimer(), 0u);
    host.Click(selector);
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(plan->GetAutoScrollTimer(), 0u);
    // The click reached the button, and the triangle kept its three vertices.
    EXPECT_EQ(layout->m_tool.m_toolMode, kToolSelector);
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Benchwork(0)->OutlineVertices().size(), 3u);
    EXPECT_EQ(Benchwork(0)->GetEditState(), -1);

    Command(ID_TOOL_BENCHWORK);
    ClickPoints({{700, 300}, {800, 300}, {800, 450}, {700, 450}});
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(Benchwork(0)->OutlineVertices().size(), 4u);
    // A click after Escape starts a new outline rather than adding a vertex to the last one.
    ClickPoints({{200, 600}});
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(Benchwork(1)->OutlineVertices().size(), 4u);
    host.PressKey(VK_ESCAPE);
    EXPECT_EQ(Count(), 2u);
    EXPECT_EQ(SelfCrossingMessages(), 0);
}

TEST_F(OutlineEntryProgram, SelectAllCopyAndPasteWhileDrawingCopyTheFinishedOutline) {
    for (UINT tool : {ID_TOOL_BENCHWORK, ID_TOOL_POLYGON}) {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
        Command(tool);
        ClickPoints({{300, 300}, {600, 300}, {600, 550}});
        PressCtrl('A');
        EXPECT_EQ(layout->m_tool.m_nMultiPoint, 0) << tool;
        ASSERT_EQ(Count(), 1u) << tool;
        auto* drawn = dynamic_cast<CSketch*>(layout->m_rootGroup.m_members.front());
        ASSERT_NE(drawn, nullptr);
        EXPECT_TRUE(drawn->IsSelected());
        EXPECT_EQ(drawn->GetEditState(), -1);
        const int points = drawn->m_points.GetSize();
        EXPECT_EQ(points, CSketch::kFirstDrawnPoint + 3) << tool;
        PressCtrl('C');
        PressCtrl('V');
        ASSERT_EQ(Count(), 2u) << tool;
        auto* copy = dynamic_cast<CSketch*>(layout->m_rootGroup.m_members.front());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->m_points.GetSize(), points) << tool;
        EXPECT_EQ(copy->GetEditState(), -1) << tool;
    }
}
