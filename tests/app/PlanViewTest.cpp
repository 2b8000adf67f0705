#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <vector>
#include "drawing/C2DPropertyDialog.h"
#include "drawing/CLine1Page.h"
#include "model/CEditStep.h"
#include "model/CPaint.h"
#include "model/SettingRanges.h"
#include "platform/ctl/CButton.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/AfxIds.h"
#include "platform/win/CMenuPopupWnd.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/WindowDCs.h"
#include "resources/CommandIds.h"
#include "resources/DrawingPropertiesTemplates.h"
#include "resources/RotateByDegreesTemplate.h"
#include "resources/TrackPropertiesTemplates.h"
#include "shell/CCVNView.h"
#include "tests/app/RunningProgram.h"
#include "tests/support/Deadline.h"
#include "tests/support/PdfPages.h"
#include "track/CParTrack.h"

namespace {

constexpr int kPrintDpi = 100;
// The place kind whose inverse goes onto the undo list when a piece is drawn.
constexpr int kPlaceInverseKind = -31990;

class PlanViewRoad : public RunningProgram {
  protected:
    void SetUp() override {
        RunningProgram::SetUp();
        ASSERT_TRUE(Start());
        // The splash lies over the middle of the plan window until it times out.
        host.AdvanceClock(CSplashWindow::kShowTime);
        ASSERT_EQ(CSplashWindow::Current(), nullptr);
    }
    void TearDown() override {
        AfxSetPrintPrompt(nullptr);
        RunningProgram::TearDown();
    }
    // Pixels of the page background in the view's draw buffer along the client row.
    int CountNonBackgroundPixels(CCVNView& view) {
        CRect client;
        view.GetClientRect(&client);
        view.OnPrepareDC(&view.DrawBuffer());
        view.DrawBuffer().DPtoLP(&client);
        client.NormalizeRect();
        const COLORREF background = ActiveLayout()->m_crBackground;
        int count = 0;
        for (int y = client.top; y < client.bottom; y += 5)
            for (int x = client.left; x < client.right; x += 5)
                if (view.DrawBuffer().GetPixel(x, y) != background)
                    ++count;
        return count;
    }
    CPaint* OnlyPiece() {
        auto& members = ActiveLayout()->m_rootGroup.m_members;
        return members.size() == 1 ? members.front() : nullptr;
    }
    // A page of 40 m square, far larger than the window.
    void UseLargePage() {
        ActiveLayout()->m_fPageWidth = 400000.0;
        ActiveLayout()->m_fPageHeight = 400000.0;
        View()->UpdateScrollSizes();
    }
    // An A4 sheet at kPrintDpi, the view prepared to print page `number` of `count` on it.
    bool PreparePage(CDC& printer, CPrintInfo& page, const char* file, UINT number, UINT count) {
        if (!printer.CreatePrinterDC((folder / file).c_str(), kPrintDpi, 2100, 2970))
            return false;
        page.m_nDpi = kPrintDpi;
        page.SetMaxPage(count);
        page.m_nCurPage = number;
        page.m_rectDraw = CRect(0, 0, printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
        View()->OnPrepareDC(&printer, &page);
        return true;
    }
    void DrawStraight() {
        Command(ID_TOOL_STRAIGHT_TRACK);
        // A press soon after the last one on the same spot would be a double click.
        Drag(CPoint(100, 122), CPoint(300, 160));
    }
};

}  // namespace

TEST_F(PlanViewRoad, AStraightDrawnWithTheMouseIsUndoneSavedReopenedAndPrintedOverSixPages) {
    ASSERT_NE(View(), nullptr);
    const int emptyPixels = CountNonBackgroundPixels(*View());

    DrawStraight();
    CPaint* piece = OnlyPiece();
    ASSERT_NE(piece, nullptr);
    EXPECT_STREQ(piece->GetRuntimeClass()->m_lpszClassName, "CTrack");
    // At the default view scale of a tenth each pixel is 254 / 96 units of 0.1 mm on the screen
    // and ten times that on the layout: (100, 122) is (265, -323) on the screen, (300, 160) is
    // (794, -423), so the straight starts at (2650, -3230) and runs (5290, -1000).
    auto* straight = dynamic_cast<CParTrack*>(piece);
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(piece->m_pose.x, 2650.0);
    EXPECT_EQ(piece->m_pose.y, -3230.0);
    EXPECT_EQ(straight->GetEndPoint(1), (CDoublePoint{5290.0, -1000.0}));
    EXPECT_DOUBLE_EQ(straight->m_fLength, std::hypot(5290.0, 1000.0));
    CTool& tool = ActiveLayout()->m_tool;
    ASSERT_GE(tool.GetUndoCount(), 1);
    EXPECT_EQ(tool.GetUndoStep(0)->m_nKind, kPlaceInverseKind);
    EXPECT_EQ(tool.GetUndoStep(0)->m_pObject, piece);
    EXPECT_GT(CountNonBackgroundPixels(*View()), emptyPixels);

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(OnlyPiece(), nullptr);
    EXPECT_TRUE(ActiveLayout()->m_rootGroup.m_members.empty());
    EXPECT_EQ(CountNonBackgroundPixels(*View()), emptyPixels);

    DrawStraight();
    ASSERT_NE(OnlyPiece(), nullptr);
    const std::string path = (folder / "road.cvn").string();
    ASSERT_TRUE(ActiveLayout()->OnSaveDocument(path.c_str()));
    Command(ID_FILE_CLOSE);
    CDocument* reopened = app.OpenDocumentFile(path.c_str());
    ASSERT_NE(reopened, nullptr);
    host.RunUntilIdle();
    ASSERT_NE(OnlyPiece(), nullptr);
    EXPECT_STREQ(OnlyPiece()->GetRuntimeClass()->m_lpszClassName, "CTrack");

    // At a fixed 1:1 the piece is moved to reach two and a half sheets across and one and a
    // half down: three columns of two rows.
    CCVNDoc& layout = *ActiveLayout();
    layout.m_nPrintScaleChoice = 1;
    layout.m_fPrintScale = 1.0;
    layout.m_fPageWidth = 20000.0;
    layout.m_fPageHeight = 20000.0;
    // The A4 sheet of the print job, in whole tenths of a millimetre at its resolution.
    const double sideW = 2100.0;
    const double sideH = 2969.0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    const CPose identity;
    layout.m_rootGroup.GetBounds(&identity, minX, minY, maxX, maxY);
    layout.m_tool.SelectAll(0);
    layout.m_tool.MoveSelection(2.5 * sideW - maxX, -1.5 * sideH - minY, 0, 0, 0);

    const CString pdf = (folder / "road.pdf").c_str();
    UINT offered = 0;
    AfxSetPrintPrompt([&](CPrintInfo& info) {
        offered = info.GetMaxPage();
        info.m_strOutput = pdf;
        info.m_nDpi = kPrintDpi;
        return TRUE;
    });
    View()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(offered, 6u);
    EXPECT_EQ(CountPdfPages(pdf.c_str()), 6);

    // Page 4 starts the second row: column 0, row 1, and its footer says so.
    CDC printer;
    CPrintInfo page;
    ASSERT_TRUE(PreparePage(printer, page, "page.pdf", 4, 6));
    EXPECT_EQ(layout.m_tool.m_fPrintOffsetX, 0.0);
    EXPECT_EQ(layout.m_tool.m_fPrintOffsetY, sideH);
    printer.EnableTrace(true);
    View()->DrawPageDecorations(&printer, &page);
    CString footer;
    for (const CDCTraceEntry& entry : printer.GetTrace())
        if (entry.primitive == "TextOut")
            footer = entry.text;
    EXPECT_EQ(footer, "Page 4 of 6     Scale: 1:1.00");
}

TEST_F(PlanViewRoad, ZoomKeepsTheMiddleAndFitToScreenFitsThePageOrIgnoresAnEmptyWindow) {
    CCVNView& view = *View();
    CCVNDoc& layout = *ActiveLayout();
    UseLargePage();
    view.ScrollToPosition(CPoint(3000, -2000));
    const CPoint before = view.GetCenterPoint();
    Command(ID_ZOOM_IN);
    EXPECT_EQ(view.GetZoom(), 2.0);
    const CPoint after = view.GetCenterPoint();
    EXPECT_NEAR(after.x, before.x * 2, 2);
    EXPECT_NEAR(after.y, before.y * 2, 2);
    Command(ID_ZOOM_OUT);
    EXPECT_EQ(view.GetZoom(), 1.0);
    EXPECT_NEAR(view.GetCenterPoint().x, before.x, 2);
    EXPECT_FALSE(IsEnabled(ID_ZOOM_NORMAL));

    // A page two and a half windows wide fits at a third.
    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    CRect client;
    view.GetClientRect(&client);
    dc.DPtoLP(&client);
    layout.m_fPageWidth = 2.5 * std::abs(client.Width()) * layout.m_fViewScale;
    layout.m_fPageHeight = 100.0;
    Command(ID_ZOOM_FIT);
    EXPECT_DOUBLE_EQ(view.GetZoom(), 1.0 / 3.0);
    EXPECT_TRUE(IsEnabled(ID_ZOOM_NORMAL));

    // With no height there is nothing to fit into.
    Command(ID_ZOOM_NORMAL);
    CRect frame;
    view.GetWindowRect(&frame);
    view.MoveWindow(0, 0, frame.Width(), 0);
    Command(ID_ZOOM_FIT);
    EXPECT_EQ(view.GetZoom(), 1.0);
}

namespace {

// Rows (or columns) of a picture that are the colour from end to end, in device pixels.
std::vector<int> FullLines(CDC& dc, CSize size, COLORREF colour, bool rows) {
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    std::vector<int> lines;
    const int across = rows ? size.cy : size.cx;
    const int along = rows ? size.cx : size.cy;
    for (int fixed = 0; fixed < across; ++fixed) {
        bool full = true;
        for (int i = 0; i < along && full; ++i)
            full = dc.GetPixel(rows ? i : fixed, rows ? fixed : i) == colour;
        if (full)
            lines.push_back(fixed);
    }
    return lines;
}

std::vector<int> EveryStep(int first, int step, int end) {
    std::vector<int> lines;
    for (int at = first; at < end; at += step) lines.push_back(at);
    return lines;
}

}  // namespace

// At the default view scale 1:10 and zoom 1 the default grid of 1270 (half an inch) is 127
// logical units (0.1 mm each) on the screen, which at 96 pixels to the inch is exactly 48 pixels.
TEST_F(PlanViewRoad, TheDefaultGridLiesEvery48PixelsAtTheTenthScaleAndAGridStepOfZeroDrawsOnlyTheOtherAxis) {
    CCVNView& view = *View();
    CCVNDoc& layout = *ActiveLayout();
    ASSERT_EQ(layout.m_fViewScale, 10.0);
    ASSERT_EQ(view.GetZoom(), 1.0);
    ASSERT_EQ(layout.m_nGridWidth, 1270);
    ASSERT_EQ(layout.m_nGridHeight, 1270);
    layout.m_bGridShown = 1;
    layout.m_crGrid = RGB(255, 0, 0);
    view.InvalidateAll();
    host.RunUntilIdle();
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, true),
              EveryStep(0, 48, client.Height()));
    EXPECT_EQ(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, false),
              EveryStep(0, 48, client.Width()));

    // A width of 0 leaves only the rows; 1000 at a tenth is 100 units, 37.8 pixels apart.
    layout.m_nGridWidth = 0;
    layout.m_nGridHeight = 1000;
    view.InvalidateAll();
    host.RunUntilIdle();
    std::vector<int> rows;
    for (int k = 0; k * 100 * 96 / 254.0 < client.Height(); ++k)
        rows.push_back(static_cast<int>(std::lround(k * 100 * 96 / 254.0)));
    EXPECT_EQ(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, true), rows);
    EXPECT_TRUE(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, false).empty());

    // A grid of a tenth of a millimetre at the largest view scale: lines far closer than a
    // logical unit would only fill the plan, so there are none, and the paint ends at once.
    layout.m_nGridWidth = layout.m_nGridHeight = 1;
    layout.m_fViewScale = kLargestViewScale;
    const Deadline deadline(std::chrono::seconds(60), "Painting a grid finer than a logical unit");
    view.InvalidateAll();
    host.RunUntilIdle();
    EXPECT_TRUE(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, true).empty());
    EXPECT_TRUE(FullLines(view.DrawBuffer(), client.Size(), layout.m_crGrid, false).empty());
}

// On paper at a print scale of 1:10 the grid of 1270 is 127 units of 0.1 mm, half an inch: 50
// pixels at 100 dots to the inch, the first line one step in from the page's corner.
TEST_F(PlanViewRoad, ThePrintedGridLiesEveryHalfInchOfPaperAtATenth) {
    CCVNDoc& layout = *ActiveLayout();
    layout.m_bGridShown = 1;
    layout.m_crGrid = RGB(255, 0, 0);
    layout.m_nPrintScaleChoice = 1;
    layout.m_fPrintScale = 10.0;
    CDC printer;
    CPrintInfo page;
    ASSERT_TRUE(PreparePage(printer, page, "grid.pdf", 1, 1));
    View()->OnDraw(&printer);
    const CSize sheet(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
    EXPECT_EQ(FullLines(printer, sheet, layout.m_crGrid, true), EveryStep(50, 50, sheet.cy));
    EXPECT_EQ(FullLines(printer, sheet, layout.m_crGrid, false), EveryStep(50, 50, sheet.cx));
}

TEST_F(PlanViewRoad, ArrowKeysNudgeTheSelectionByOneScreenUnitAndTheCursorFollowsTheTool) {
    DrawStraight();
    CPaint* piece = OnlyPiece();
    ASSERT_NE(piece, nullptr);
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    const CDoublePoint start{piece->m_pose.x, piece->m_pose.y};
    Command(ID_CAMERA_TURN_RIGHT);
    const double viewScale = ActiveLayout()->m_fViewScale;
    EXPECT_NEAR(piece->m_pose.x - start.x, viewScale, 1e-9);
    Command(ID_ZOOM_IN);
    Command(ID_CAMERA_MOVE_FORWARD);
    EXPECT_NEAR(piece->m_pose.y - start.y, viewScale / 2.0, 1e-9);
    Command(ID_EDIT_UNDO);
    EXPECT_NEAR(piece->m_pose.y, start.y, 1e-9);

    Command(ID_TOOL_STRAIGHT_TRACK);
    CPoint far(20, 20);
    View()->ClientToScreen(&far);
    host.MouseMove(far);
    EXPECT_EQ(View()->GetCursorId(), 339u);
    Command(ID_TOOL_ZOOM_IN);
    host.MouseMove(CPoint(far.x + 3, far.y));
    EXPECT_EQ(View()->GetCursorId(), 314u);
}

TEST_F(PlanViewRoad, DraggingOutOfTheWindowScrollsEveryTickUntilTheMouseComesBack) {
    CCVNView& view = *View();
    UseLargePage();
    CRect client;
    view.GetClientRect(&client);
    CPoint inside(client.Width() / 2, client.Height() / 2), outside(client.right + 40, client.Height() / 2);
    view.ClientToScreen(&inside);
    view.ClientToScreen(&outside);
    host.MouseDown(inside);
    host.MouseMove(outside);
    EXPECT_EQ(view.GetAutoScrollTimer(), CCVNView::kAutoScrollTimerId);
    // The step brings the pointer's place to the window's edge, once at once and again each tick:
    // the 40 pixels beyond the edge, in units of 0.1 mm at 96 pixels to the inch.
    const int step = -view.GetAutoScrollStep().cx;
    const auto logical = [](int pixels) { return static_cast<int>(std::lround(pixels * 254 / 96.0)); };
    EXPECT_EQ(step, logical(client.right + 40) - logical(client.right));
    const int first = view.GetScrollPosition().x;
    EXPECT_EQ(first, step);
    host.AdvanceClock(CCVNView::kAutoScrollPeriod);
    EXPECT_EQ(view.GetScrollPosition().x, first + step);
    host.AdvanceClock(CCVNView::kAutoScrollPeriod);
    EXPECT_EQ(view.GetScrollPosition().x, first + 2 * step);
    host.MouseMove(inside);
    EXPECT_EQ(view.GetAutoScrollTimer(), 0u);
    const int stopped = view.GetScrollPosition().x;
    host.AdvanceClock(5 * CCVNView::kAutoScrollPeriod);
    EXPECT_EQ(view.GetScrollPosition().x, stopped);
    host.MouseUp(inside);
}

TEST_F(PlanViewRoad, AnObjectScrolledIntoViewDuringADragLiesOverTheGrid) {
    CCVNView& view = *View();
    CCVNDoc& layout = *ActiveLayout();
    UseLargePage();
    layout.m_bGridShown = 1;
    layout.m_crGrid = RGB(255, 0, 0);
    layout.m_nGridWidth = layout.m_nGridHeight = 254;
    CRect client;
    view.GetClientRect(&client);
    // A filled box drawn while the view is scrolled 100 pixels on lies just beyond the right
    // edge once the view is back at the start.
    const auto logical = [](int pixels) { return static_cast<int>(std::lround(pixels * 254 / 96.0)); };
    view.ScrollToPosition(CPoint(logical(100), 0));
    Command(ID_TOOL_BOX);
    Drag(CPoint(client.right - 90, 30), CPoint(client.right - 5, 110));
    CPaint* box = OnlyPiece();
    ASSERT_NE(box, nullptr);
    box->m_bFillOn = 1;
    box->m_brush = BrushRecord{kBrushSolid, RGB(0, 160, 0), 0};
    Command(ID_TOOL_SELECTOR);
    view.ScrollToPosition(CPoint(0, 0));
    host.RunUntilIdle();

    CPoint inside(client.Width() / 2, client.Height() - 40), outside(client.right + 40, client.Height() - 40);
    view.ClientToScreen(&inside);
    view.ClientToScreen(&outside);
    host.MouseDown(inside);
    host.MouseMove(outside);
    ASSERT_EQ(view.GetAutoScrollTimer(), CCVNView::kAutoScrollTimerId);
    host.AdvanceClock(CCVNView::kAutoScrollPeriod);
    // The strip the last tick uncovered shows the box whole, no grid line across it.
    CRect strip(client.right - 30, 40, client.right - 5, 100);
    view.ClientToScreen(&strip);
    CRect frame;
    Main().GetWindowRect(&frame);
    int grid = 0, fill = 0;
    for (int y = strip.top; y < strip.bottom; ++y)
        for (int x = strip.left; x < strip.right; ++x) {
            const COLORREF shown = ColorFromPixel(Main().Surface()->At(x - frame.left, y - frame.top));
            grid += shown == layout.m_crGrid;
            fill += shown == box->m_brush.color;
        }
    EXPECT_EQ(grid, 0);
    EXPECT_EQ(fill, strip.Width() * strip.Height());
    host.MouseUp(outside);
}

TEST_F(PlanViewRoad, APrintJobWithoutPrintableAreaIsRefusedBeforeAnyPage) {
    const CString pdf = (folder / "nothing.pdf").c_str();
    AfxSetPrintPrompt([&](CPrintInfo& info) {
        info.m_strOutput = pdf;
        info.m_nPaperHeight = 0;
        return TRUE;
    });
    host.AnswerMessageBox(IDOK);
    View()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "The printer has no printable area.");
    EXPECT_FALSE(std::filesystem::exists(pdf.c_str()));
}

TEST_F(PlanViewRoad, ARepaintAcrossThePageEdgeFillsThePageAndTheWorkspaceApart) {
    CCVNView& view = *View();
    CCVNDoc& layout = *ActiveLayout();
    layout.m_crBackground = RGB(250, 250, 210);
    layout.m_fPageWidth = 3000.0;
    layout.m_fPageHeight = 3000.0;
    Command(ID_ZOOM_NORMAL);
    view.SetZoom(1.0);
    host.RunUntilIdle();
    // The page is 300 logical units wide at 1:10; the dirty area reaches 100 beyond it.
    CDC& buffer = view.DrawBuffer();
    view.OnPrepareDC(&buffer);
    CRect stale(200, -250, 400, -50);
    buffer.FillSolidRect(&stale, RGB(1, 2, 3));
    CTool& tool = layout.m_tool;
    tool.InvalidateRect(DeviceRect{200, -250, 400, -50});
    view.RepaintDirty();
    EXPECT_TRUE(tool.DirtyArea().IsEmpty());
    view.OnPrepareDC(&buffer);
    EXPECT_EQ(buffer.GetPixel(250, -150), layout.m_crBackground);
    EXPECT_EQ(buffer.GetPixel(350, -150), GetSysColor(COLOR_APPWORKSPACE));
}

TEST_F(PlanViewRoad, ShiftF10OpensTheContextMenuJustInsideTheViewAndItsCommandsReachTheView) {
    DrawStraight();
    ASSERT_NE(OnlyPiece(), nullptr);
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    CPoint corner(5, 5);
    View()->ClientToScreen(&corner);
    host.WhenModal("", [&](CWnd& popup) {
        CRect where;
        popup.GetWindowRect(&where);
        EXPECT_EQ(where.TopLeft(), corner);
        EXPECT_NE(dynamic_cast<CMenuPopupWnd&>(popup).FindItem("Cu&t\tCtrl+X"), -1);
        host.Type("d");
    });
    View()->SetFocus();
    host.KeyDown(VK_SHIFT);
    host.PressKey(VK_F10);
    host.KeyUp(VK_SHIFT);
    EXPECT_TRUE(ActiveLayout()->m_rootGroup.m_members.empty());
}

TEST_F(PlanViewRoad, TheMenuKeyOpensTheContextMenuAsShiftF10Does) {
    CPoint corner(5, 5);
    View()->ClientToScreen(&corner);
    CPoint opened;
    host.WhenModal("", [&](CWnd& popup) {
        CRect where;
        popup.GetWindowRect(&where);
        opened = where.TopLeft();
        host.PressKey(VK_ESCAPE);
    });
    View()->SetFocus();
    host.PressKey(VK_APPS);
    EXPECT_EQ(opened, corner);
}

// With a piece selected, the last item of the Edit menu is its Properties.
TEST_F(PlanViewRoad, AltEThenUpHighlightsTheLastItemOfTheEditMenu) {
    DrawStraight();
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    CString highlighted;
    host.WhenModal("", [&](CWnd& popup) {
        auto& menu = dynamic_cast<CMenuPopupWnd&>(popup);
        host.PressKey(VK_UP);
        if (const CMenu::Item* item = menu.MenuShown()->ItemAt(menu.Highlighted()))
            highlighted = item->text;
        host.PressKey(VK_ESCAPE);
    });
    View()->SetFocus();
    host.KeyDown(VK_MENU);
    host.PressKey('E');
    host.KeyUp(VK_MENU);
    EXPECT_EQ(highlighted, "Properties...");
}

TEST_F(PlanViewRoad, AClickWithTheZoomToolZoomsAndBringsTheClickedPointToTheMiddle) {
    CCVNView& view = *View();
    // Small enough that twice its size stays below the zoom limit.
    ActiveLayout()->m_fPageWidth = 100000.0;
    ActiveLayout()->m_fPageHeight = 100000.0;
    view.UpdateScrollSizes();
    view.ScrollToPosition(CPoint(4000, -4000));
    host.RunUntilIdle();
    Command(ID_TOOL_ZOOM_IN);
    CRect client;
    view.GetClientRect(&client);
    const CPoint clicked(client.Width() / 4, client.Height() / 4);
    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    CPoint logical = clicked;
    dc.DPtoLP(&logical);
    host.AdvanceClock(1000);
    host.ClickClient(&view, clicked);
    EXPECT_EQ(view.GetZoom(), 2.0);
    EXPECT_EQ(ActiveLayout()->m_tool.m_fZoomNumerator, 2.0);
    EXPECT_NEAR(view.GetCenterPoint().x, logical.x * 2, 2);
    EXPECT_NEAR(view.GetCenterPoint().y, logical.y * 2, 2);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(PlanViewRoad, DraggingAScrollBarHoldsTheTrainsUntilTheScrollEnds) {
    CCVNView& view = *View();
    UseLargePage();
    EXPECT_FALSE(view.OnScrollBy(CSize(0, 0)));
    EXPECT_FALSE(view.OnScrollBy(CSize(-10, 0)));
    // The page is 40000 units of 0.1 mm, 15118 pixels at 96 to the inch; the framework's line
    // is a hundredth of that, 151 pixels, which are 400 units.
    view.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(view.GetScrollPosition().x, 400);
    EXPECT_TRUE(Main().IsTrainPaused());
    view.SendMessage(WM_HSCROLL, SB_ENDSCROLL);
    EXPECT_FALSE(Main().IsTrainPaused());
    const int across = view.GetScrollPosition().x;
    // Its page is a tenth, 1511 pixels or 3998 units, downward.
    view.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    view.SendMessage(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(view.GetScrollPosition().y, -3998);
    EXPECT_EQ(view.GetScrollPosition().x, across);
}

TEST_F(PlanViewRoad, ARightClickOpensTheContextMenuOnceAndNotWhileADragHoldsTheMouse) {
    int menus = 0;
    auto countAndClose = [&](CWnd&) {
        ++menus;
        host.PressKey(VK_ESCAPE);
    };
    host.WhenModal("", countAndClose);
    host.WhenModal("", countAndClose);
    host.AdvanceClock(1000);
    host.ClickClient(View(), CPoint(150, 150), true);
    host.RunUntilIdle();
    EXPECT_EQ(menus, 1);

    CPoint inside(150, 150);
    View()->ClientToScreen(&inside);
    host.AdvanceClock(1000);
    host.MouseDown(inside);
    host.MouseDown(inside, true);
    host.MouseUp(inside, true);
    host.MouseUp(inside);
    EXPECT_EQ(menus, 1);
    host.PressKey(VK_ESCAPE);
}

TEST_F(PlanViewRoad, TheMenusOpenRotateByDegreesLayersPageSetupAndPreferences) {
    DrawStraight();
    CPaint* piece = OnlyPiece();
    ASSERT_NE(piece, nullptr);
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    const double angle = piece->m_pose.angle;
    host.WhenModal("Rotate by degrees", [&](CWnd& dialog) {
        dialog.GetDlgItem(IDC_ROTATE_DEGREES)->SetWindowText("90");
        host.PressKey(VK_RETURN);
    });
    Command(ID_ROTATE_BY_DEGREES);
    EXPECT_NEAR(piece->m_pose.angle - angle, 3.1415926535 * 0.5, 1e-9);
    Command(ID_EDIT_UNDO);
    EXPECT_NEAR(piece->m_pose.angle, angle, 1e-9);

    for (const auto& [command, caption] : {std::pair<UINT, const char*>{ID_LAYERS, "Layer properties"},
                                           {ID_DOCUMENT_SETUP, "Document setup"},
                                           {ID_PREFERENCES, "Preferences"}}) {
        bool opened = false;
        host.WhenModal(caption, [&](CWnd&) {
            opened = true;
            host.PressKey(VK_ESCAPE);
        });
        Command(command);
        EXPECT_TRUE(opened) << caption;
    }
}

TEST_F(PlanViewRoad, TheDrawingAndOvalTrackToolsDrawTheirShapesWithTheMouse) {
    for (const auto& [command, shape] : {std::pair<UINT, const char*>{ID_TOOL_BOX, "CBox"},
                                         {ID_TOOL_LINE, "CLine"},
                                         {ID_TOOL_ROUND_BOX, "CRoundBox"},
                                         {ID_TOOL_OVAL_TRACK, "CArcTrack"}}) {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
        Command(command);
        Drag(CPoint(100, 120), CPoint(300, 220));
        CPaint* drawn = OnlyPiece();
        ASSERT_NE(drawn, nullptr) << shape;
        EXPECT_STREQ(drawn->GetRuntimeClass()->m_lpszClassName, shape);
    }
}

TEST_F(PlanViewRoad, PropertiesOnADrawnBoxOpensItsDialogAndUndoRestoresTheBox) {
    Command(ID_TOOL_BOX);
    Drag(CPoint(100, 120), CPoint(300, 200));
    CPaint* box = OnlyPiece();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->GetClassName(), "CBox");
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    const PenRecord pen = box->m_pen;
    const int steps = ActiveLayout()->m_tool.GetUndoCount();
    host.WhenModal("2D Object properties", [&](CWnd& dialog) {
        dialog.GetDlgItem(IDC_PROPERTIES_NAME)->SetWindowText("Shed");
        auto* page = dynamic_cast<CLine1Page*>(dynamic_cast<C2DPropertyDialog&>(dialog).GetPage(0));
        ASSERT_NE(page, nullptr);
        host.ClickClient(&page->m_widthCombo, CPoint(20, 5));
        const int height = page->m_widthCombo.GetItemHeight(0);
        host.ClickClient(&page->m_widthCombo.DropList(), CPoint(20, 3 * height + height / 2));
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    Command(ID_EDIT_PROPERTIES);
    EXPECT_EQ(box->m_strName, "Shed");
    EXPECT_EQ(box->m_pen.widthX, 4);
    EXPECT_EQ(ActiveLayout()->m_tool.GetUndoCount(), steps + 1);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(box->m_pen, pen);
    EXPECT_EQ(ActiveLayout()->m_tool.GetUndoCount(), steps);
}

// The context menu's Properties opens the right-clicked box with its placement, so the dialog
// offers the selection and all objects as a double click does.
TEST_F(PlanViewRoad, PropertiesFromTheContextMenuOfferTheSelectionAndAllObjects) {
    Command(ID_TOOL_BOX);
    for (const auto& [from, to] :
         {std::pair{CPoint(100, 120), CPoint(200, 200)}, {CPoint(300, 120), CPoint(400, 200)}}) {
        Drag(from, to);
    }
    ASSERT_EQ(ActiveLayout()->m_rootGroup.m_members.size(), 2U);
    Command(ID_TOOL_SELECTOR);
    Command(ID_EDIT_SELECT_ALL);
    bool opened = false;
    host.WhenModal("", [&](CWnd& popup) {
        auto& menu = dynamic_cast<CMenuPopupWnd&>(popup);
        const int item = menu.FindItem("Properties...");
        ASSERT_NE(item, -1);
        host.ClickClient(&popup, menu.ItemRect(item).CenterPoint());
    });
    host.WhenModal("2D Object properties", [&](CWnd& dialog) {
        opened = true;
        EXPECT_TRUE(dialog.GetDlgItem(IDC_APPLY_TO_SELECTED)->IsWindowEnabled());
        EXPECT_TRUE(dialog.GetDlgItem(IDC_APPLY_TO_ALL)->IsWindowEnabled());
        EXPECT_EQ(dynamic_cast<CButton*>(dialog.GetDlgItem(IDC_APPLY_TO_SELECTED))->GetCheck(), 1);
        host.PressKey(VK_ESCAPE);
    });
    host.AdvanceClock(1000);
    host.ClickClient(View(), CPoint(400, 160), true);
    host.RunUntilIdle();
    EXPECT_TRUE(opened);
}

TEST_F(PlanViewRoad, ADoubleClickOnAStraightOpensTrackPropertiesAndUndoTakesTheChangeBack) {
    DrawStraight();
    auto* piece = dynamic_cast<CParTrack*>(OnlyPiece());
    ASSERT_NE(piece, nullptr);
    Command(ID_TOOL_SELECTOR);
    host.AdvanceClock(1000);
    const int steps = ActiveLayout()->m_tool.GetUndoCount();
    const int railMode = piece->m_nRailMode;
    bool opened = false;
    host.WhenModal("Track properties", [&](CWnd& dialog) {
        opened = true;
        EXPECT_EQ(dynamic_cast<CButton*>(dialog.GetDlgItem(IDC_TRACK_APPLY_CLICKED))->GetCheck(), 1);
        // The piece's placement is handed over, so the other pieces and the defaults are offered.
        EXPECT_TRUE(dialog.GetDlgItem(IDC_TRACK_APPLY_ALL)->IsWindowEnabled());
        EXPECT_TRUE(dialog.GetDlgItem(IDC_TRACK_APPLY_DEFAULT)->IsWindowEnabled());
        host.ClickClient(dialog.GetDlgItem(IDC_TRACK_RAIL_MODE_3), CPoint(3, 3));
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    // Two presses on one spot at once are a double click; the first selects the piece.
    host.ClickClient(View(), CPoint(200, 140));
    host.ClickClient(View(), CPoint(200, 140));
    host.RunUntilIdle();
    ASSERT_TRUE(opened);
    EXPECT_EQ(piece->m_nRailMode, 3);
    EXPECT_EQ(ActiveLayout()->m_tool.GetUndoCount(), steps + 1);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(piece->m_nRailMode, railMode);
}

TEST_F(PlanViewRoad, TheAnnotationToolsDrawWithTheMouseAndTextAndPicturesAskForTheirContent) {
    int asked = 0;
    for (const auto& [command, shape] : {std::pair<UINT, const char*>{ID_TOOL_DIMENSION_LINE, "CSizeLine"},
                                         {ID_TOOL_DIMENSION_ANGLE, "CSizeAngle"},
                                         {ID_TOOL_MEASURE_LINE, "CLineMeasure"},
                                         {ID_TOOL_MEASURE_BOX, "CBoxMeasure"},
                                         {ID_TOOL_TEXT, "CTextBox"},
                                         {ID_TOOL_BITMAP_PICTURE, "CBMP"}}) {
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_DELETE);
        for (const char* caption : {"Text properties", "Picture properties"})
            host.WhenModal(caption, [&](CWnd& dialog) {
                ++asked;
                host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
            });
        Command(command);
        Drag(CPoint(100, 120), CPoint(300, 220));
        CPaint* drawn = OnlyPiece();
        ASSERT_NE(drawn, nullptr) << shape;
        EXPECT_STREQ(drawn->GetRuntimeClass()->m_lpszClassName, shape);
    }
    EXPECT_EQ(asked, 2);
}
