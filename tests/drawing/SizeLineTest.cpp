#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "drawing/CSizeLine.h"
#include "drawing/DimensionSteps.h"
#include "model/CEditStep.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

using Bytes = std::vector<BYTE>;

CSizeLine* DrawSizeLine(DrawingPlan& plan, double x0, double y0, double x1, double y1, UINT flags = 0) {
    plan.tool.m_toolMode.Set(kToolDimensionLine);
    plan.Drag(x0, y0, x1, y1, flags);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.Newest<CSizeLine>();
}

// Points 1 to 4; point 0 follows them.
std::vector<CDoublePoint> PointsOf(const CSizeLine& line) {
    std::vector<CDoublePoint> points;
    for (int i = 1; i < line.m_points.GetSize(); ++i) points.push_back(line.m_points[i]);
    return points;
}

// A size line at (1000, 1000) measuring 1000 downward on the canvas, its dimension line at
// device x 200, drawn at the starting zoom (ten layout units a pixel).
struct DrawnSizeLine {
    explicit DrawnSizeLine(DrawingPlan& plan) : line(0, &plan.tool, 1000.0, 1000.0), tool(plan.tool) {
        plan.DrawOn(canvas);
        line.m_points[1] = {0.0, 0.0};
        line.m_points[2] = {0.0, 1000.0};
        line.m_points[3] = {1000.0, 500.0};
        line.m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
        line.RebuildShape();
        line.RecalcDeviceBounds();
    }
    ~DrawnSizeLine() { tool.SetTargetDC(nullptr, nullptr); }
    void Draw() {
        canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
        EXPECT_EQ(line.Draw(nullptr), 1);
    }
    Canvas canvas{400, 300};
    CSizeLine line;
    CTool& tool;
};

}  // namespace

TEST(SizeLine, ACreationDragTurnsTheLineOntoTheCursorAndShiftSnapsToEighthTurns) {
    DrawingPlan plan;
    CSizeLine* down = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->GetClassName(), "CSizeLine");
    EXPECT_EQ(down->m_strName, "Dimension line");
    EXPECT_EQ(down->m_pose.angle, 0.0);
    EXPECT_EQ(down->m_points[2], (CDoublePoint{0.0, -1000.0}));
    EXPECT_EQ(down->m_points[3], (CDoublePoint{0.0, -500.0}));
    EXPECT_EQ(down->LabelText(), "100.000");
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);

    CSizeLine* right = DrawSizeLine(plan, 1000.0, 2000.0, 2000.0, 2000.0);
    ASSERT_NE(right, nullptr);
    EXPECT_NEAR(right->m_pose.angle, kPi / 2.0, 1e-12);
    EXPECT_NEAR(right->m_points[2].y, -1000.0, 1e-9);
    EXPECT_NEAR(right->m_points[3].y, -500.0, 1e-9);

    // Unsnapped the angle would be pi/6; Shift takes it to pi/4.
    const double a = kPi / 6.0 - kPi / 2.0;
    CSizeLine* snapped =
        DrawSizeLine(plan, 0.0, 0.0, 2000.0 * std::cos(a), 2000.0 * std::sin(a), CTool::kShiftFlag);
    ASSERT_NE(snapped, nullptr);
    EXPECT_DOUBLE_EQ(snapped->m_pose.angle, kPi / 4.0);
    EXPECT_NEAR(snapped->m_points[2].y, -2000.0, 1e-6);

    down->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 13);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[0], "(100.000,-200.000)");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[1], "(100.000,-100.000)");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[2], "100.000");
    CString hint;
    down->AppendStatusText(hint);
    EXPECT_EQ(hint, "100.000; 0.00");

    // In the program's default unit, decimal inches: 1000 / 254 = 3.937 and 2000 / 254 = 7.874.
    plan.host.m_nUnitIndex = 4;
    EXPECT_EQ(down->LabelText(), "3.937");
    down->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[0], "(3.937,-7.874)");
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[2], "3.937");
}

TEST(SizeLine, HandleDragsAreUndoneExactlyAndPointThreeOnlyMovesSideways) {
    DrawingPlan plan;
    CSizeLine* line = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(line->IsSelected());
    const std::vector<CDoublePoint> before = PointsOf(*line);
    plan.host.m_bModified = FALSE;
    plan.Drag(1000.0, 1500.0, 1400.0, 1200.0);
    EXPECT_EQ(line->m_points[3], (CDoublePoint{400.0, -500.0}));
    EXPECT_EQ(line->m_points[1], before[0]);
    EXPECT_EQ(line->m_points[2], before[1]);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, kStepDimensionLine);
    EXPECT_TRUE(plan.host.m_bModified);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*line), before);
    // Point 0 went beside point 1, on the side away from the dimension line.
    const double h = plan.tool.GetHandleTolerance();
    plan.Drag(1000.0, 2000.0, 900.0, 2000.0);
    EXPECT_EQ(line->m_points[1], (CDoublePoint{-100.0, 0.0}));
    EXPECT_EQ(line->m_points[0], (CDoublePoint{-100.0 - 2.0 * h, -2.0 * h}));
    EXPECT_EQ(line->m_points[3].y, -500.0);
    plan.tool.Undo();
    EXPECT_EQ(PointsOf(*line), before);
}

// The rotation handle is stored with the points: taking the line out and back, moving it or
// copying it, at whatever zoom, leaves the handle where it was; only moving point 1 moves it.
TEST(SizeLine, TheStoredRotationHandleStaysThroughDeleteMoveAndDuplicate) {
    DrawingPlan plan;
    CSizeLine* line = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    const double h = plan.tool.GetHandleTolerance();
    // Fresh from its tool the line lies on its measured line, the handle left of point 1.
    ASSERT_EQ(line->m_points[1].x, line->m_points[3].x);
    const CDoublePoint handle{-2.0 * h, -2.0 * h};
    EXPECT_EQ(line->m_points[0], handle);
    plan.tool.SetViewScale(1.0, 5.0);
    plan.tool.SelectAll(0);
    plan.tool.DeleteSelection(1);
    plan.tool.Undo();
    EXPECT_EQ(line->m_points[0], handle);
    plan.tool.MoveSelection(300.0, 200.0, 0, 1, 1);
    EXPECT_EQ(line->m_points[0], handle);
    plan.tool.DuplicateSelection();
    const auto* copy = plan.Newest<CSizeLine>();
    ASSERT_NE(copy, line);
    EXPECT_EQ(copy->m_points[0], handle);
    // A step that gives back points 2 and 3 only leaves the handle; one that moves point 1
    // places it beside point 1 for the zoom of the moment.
    const CDoublePoint p1 = line->m_points[1];
    CEditStep sideways(kStepDimensionLine, line, 1);
    auto payload = std::make_unique<DimensionPayload<3>>();
    payload->points = {p1, line->m_points[2], CDoublePoint{p1.x - 500.0, 0.0}};
    sideways.SetPayload(std::move(payload));
    EXPECT_EQ(line->ApplyEditStep(&sideways), 1);
    EXPECT_EQ(line->m_points[0], handle);
    const double zoomed = plan.tool.GetHandleTolerance();
    EXPECT_NE(zoomed, h);
    CEditStep along(kStepDimensionLine, line, 1);
    payload = std::make_unique<DimensionPayload<3>>();
    payload->points = {CDoublePoint{p1.x, p1.y + 100.0}, line->m_points[2], line->m_points[3]};
    along.SetPayload(std::move(payload));
    EXPECT_EQ(line->ApplyEditStep(&along), 1);
    EXPECT_EQ(line->m_points[0], (CDoublePoint{p1.x + 2.0 * zoomed, p1.y + 100.0 - 2.0 * zoomed}));
}

TEST(SizeLine, SetPointsRecordsWithoutChangingOrRunsAtOnce) {
    DrawingPlan plan;
    CSizeLine* line = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    const std::vector<CDoublePoint> before = PointsOf(*line);
    EXPECT_EQ(line->SetPoints(0.0, 0.0, 500.0, 0.0, 0.0, 300.0, 0, 1, 1), 1);
    EXPECT_EQ(PointsOf(*line), before);
    EXPECT_EQ(line->m_bLabel, 1);
    ASSERT_EQ(plan.tool.GetUndoCount(), 2);
    EXPECT_EQ(plan.tool.GetUndoStep(0)->m_nKind, 44);
    EXPECT_TRUE(plan.tool.GetUndoStep(0)->m_bGroupStart);
    plan.tool.Undo();
    EXPECT_EQ(line->m_points[1], (CDoublePoint{-1000.0, -2000.0}));
    EXPECT_EQ(line->m_bLabel, 0);

    // Run at once: point 3's y goes midway, nothing is recorded.
    EXPECT_EQ(line->SetPoints(1000.0, 2000.0, 1000.0, 3000.0, 1500.0, 0.0, 1, 0, 0), 1);
    EXPECT_EQ(plan.tool.GetUndoCount(), 1);
    EXPECT_EQ(line->m_points[2], (CDoublePoint{0.0, 1000.0}));
    EXPECT_EQ(line->m_points[3], (CDoublePoint{500.0, 500.0}));
    EXPECT_EQ(line->m_bLabel, 1);
    EXPECT_DOUBLE_EQ(line->m_fMaxY, 3000.0);
    EXPECT_DOUBLE_EQ(line->m_fMaxX, 1500.0);
}

TEST(SizeLine, RecordsRoundTripIn125BytesAndVersion6AddsTheOutlinePoints) {
    DrawingPlan plan;
    CSizeLine* line = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    line->m_points[4] = {7.0, 8.0};
    const Bytes record = StoreRecord(*line);
    const size_t common = CommonPartSize(*line);
    ASSERT_EQ(record.size() - common, 125u);
    const BYTE* font = record.data() + common + 64;
    int height = 0;
    std::memcpy(&height, font, 4);
    EXPECT_EQ(height, -35);
    EXPECT_EQ(font[20 + 3], 204);
    EXPECT_EQ(font[20 + 7], 34);
    EXPECT_EQ(font[28], 32);
    const Bytes face(font + 29, font + 61);
    Bytes expected = {'A', 'r', 'i', 'a', 'l'};
    expected.resize(32, 0);
    EXPECT_EQ(face, expected);

    CSizeLine read;
    read.SetTool(&plan.tool);
    read.m_bLabel = 0;
    LoadRecord(read, record);
    EXPECT_EQ(StoreRecord(read), record);
    EXPECT_EQ(read.m_points[4], (CDoublePoint{7.0, 8.0}));
    EXPECT_EQ(read.m_bLabel, 1);
    EXPECT_TRUE(read.m_labelFont.HasFont());
    std::unique_ptr<CPaint> clone(read.Clone());
    EXPECT_EQ(StoreRecord(*clone), record);

    // A version-6 point array holds no outline points: five are added before the record's are read.
    plan.host.m_nFileVersion = 6;
    const Bytes older = AsVersion6Record(*line, record);
    CSizeLine old;
    old.SetTool(&plan.tool);
    LoadRecord(old, older);
    ASSERT_EQ(old.m_points.GetSize(), CSizeLine::kPointCount);
    EXPECT_EQ(old.m_points[3], line->m_points[3]);
    EXPECT_EQ(old.m_points[0], (CDoublePoint{0.0, 0.0}));
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST(SizeLine, DrawsFramesLineArrowheadsAndLabelByItsFlags) {
    DrawingPlan plan;
    DrawnSizeLine drawn(plan);
    CSizeLine& line = drawn.line;
    drawn.Draw();
    Canvas& canvas = drawn.canvas;
    // Frames overshoot the dimension line by twice the handle size, 2 pixels here.
    EXPECT_EQ(canvas.At(150, 100), kBlue);
    EXPECT_EQ(canvas.At(201, 100), kBlue);
    EXPECT_EQ(canvas.At(204, 100), kWhite);
    EXPECT_EQ(canvas.At(200, 150), kBlue);
    // Open arrowheads 15 pixels long and 15 to each side: the wing ends but not inside.
    EXPECT_EQ(canvas.At(186, 114), kBlue);
    EXPECT_EQ(canvas.At(214, 186), kBlue);
    EXPECT_EQ(canvas.At(195, 111), kWhite);
    // The label, black, hangs from point 3.
    EXPECT_GT(canvas.CountColor(kBlack, CRect(200, 150, 300, 200)), 20);

    line.m_nArrowStyle = 2;
    drawn.Draw();
    EXPECT_EQ(canvas.At(195, 111), kBlue);
    line.m_nArrowStyle = 0;
    drawn.Draw();
    EXPECT_EQ(canvas.CountColor(kBlue, CRect(180, 102, 199, 120)), 0);

    // Without the label flag every line is black and one pixel, and no label shows.
    line.m_bLabel = 0;
    line.m_pen.widthX = 5;
    drawn.Draw();
    EXPECT_EQ(canvas.At(200, 150), kBlack);
    EXPECT_EQ(canvas.At(202, 150), kWhite);
    EXPECT_EQ(canvas.CountColor(kBlue, CRect(0, 0, 400, 300)), 0);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(203, 150, 300, 200)), 0);

    // While the press that creates it holds, nothing is drawn.
    line.SetEditState(4);
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    EXPECT_EQ(line.Draw(nullptr), 0);
    EXPECT_EQ(canvas.CountColor(kBlack, CRect(0, 0, 400, 300)), 0);
}

// The label is measured once however often the plan under it is redrawn and wherever it moves;
// a new text or font is measured again. The bounds are always those of a line measured afresh.
TEST(SizeLine, TheLabelIsMeasuredOnceUntilItsTextOrFontChanges) {
    DrawingPlan plan;
    DrawnSizeLine drawn(plan);
    CSizeLine& line = drawn.line;
    const auto expectFreshBounds = [&] {
        CSizeLine fresh(0, &plan.tool, 0.0, 0.0);
        fresh.CopyFrom(&line);
        fresh.m_parentPose = line.m_parentPose;
        fresh.RecalcDeviceBounds();
        EXPECT_EQ(line.m_rcPaintBounds, fresh.m_rcPaintBounds);
    };
    EXPECT_EQ(line.m_labelExtent.MeasureCount(), 1);
    for (int i = 0; i < 5; ++i) line.Invalidate();
    EXPECT_EQ(line.m_labelExtent.MeasureCount(), 1);
    const DeviceRect before = line.m_rcPaintBounds;
    line.m_pose.x += 100.0;
    line.RecalcDeviceBounds();
    EXPECT_EQ(line.m_labelExtent.MeasureCount(), 1);
    EXPECT_EQ(line.m_rcPaintBounds.right, before.right + 10);
    expectFreshBounds();

    line.m_points[2] = {0.0, 12345.0};
    line.RebuildShape();
    EXPECT_EQ(line.m_labelExtent.MeasureCount(), 2);
    expectFreshBounds();
    LOGFONT larger = line.m_labelFont.Description();
    larger.lfHeight *= 3;
    line.m_labelFont.SetDescription(larger);
    line.Invalidate();
    EXPECT_EQ(line.m_labelExtent.MeasureCount(), 3);
    expectFreshBounds();
}

TEST(SizeLine, MirrorsHitsAndHandles) {
    DrawingPlan plan;
    CSizeLine* line = DrawSizeLine(plan, 1000.0, 2000.0, 1000.0, 1000.0);
    ASSERT_NE(line, nullptr);
    line->m_points[3].x = 300.0;
    line->MirrorX(500.0);
    EXPECT_EQ(line->m_pose.x, 0.0);
    EXPECT_EQ(line->m_points[3].x, -300.0);
    EXPECT_DOUBLE_EQ(line->m_pose.angle, kFullTurn);
    line->MirrorX(500.0);
    EXPECT_EQ(line->m_points[3].x, 300.0);
    line->MirrorY(0.0);
    EXPECT_EQ(line->m_points[2].y, 1000.0);
    EXPECT_EQ(line->m_pose.y, -2000.0);
    line->MirrorY(0.0);
    line->RebuildShape();

    // The frame from point 1 to the dimension line is hit; a point beside it is not.
    plan.tool.m_fCurrentX = 1150.0;
    plan.tool.m_fCurrentY = 2000.0;
    EXPECT_EQ(line->HitTest(), line);
    plan.tool.m_fCurrentX = 1150.0;
    plan.tool.m_fCurrentY = 1700.0;
    EXPECT_EQ(line->HitTest(), nullptr);
    EXPECT_EQ(line->HitTestHandle(nullptr, 1300.0, 1500.0), 3);
    EXPECT_EQ(line->HitTestHandle(nullptr, 1000.0, 1000.0), 2);
    line->Deselect();
    EXPECT_EQ(line->HitTestHandle(nullptr, 1000.0, 1000.0), -1);
}
