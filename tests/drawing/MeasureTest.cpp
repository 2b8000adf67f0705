#include <gtest/gtest.h>

#include <memory>

#include "drawing/CBoxMeasure.h"
#include "drawing/CLineMeasure.h"
#include "model/CGroup.h"
#include "model/CToolMode.h"
#include "model/Units.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinDefs.h"
#include "platform/win/WindowManager.h"
#include "resources/Resources.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"

namespace {

using Bytes = std::vector<BYTE>;
constexpr int kMeters = 6;
constexpr int kFeet = 1;

template <class T>
T* DrawMeasure(DrawingPlan& plan, int mode, double x0, double y0, double x1, double y1, UINT flags = 0) {
    const int before = plan.MemberCount();
    plan.tool.m_toolMode.Set(mode);
    plan.Drag(x0, y0, x1, y1, flags);
    plan.tool.m_toolMode.Set(kToolSelector);
    return plan.MemberCount() > before ? plan.Newest<T>() : nullptr;
}

int g_framesAsked = 0;

// A measure that counts how often its frame box is asked for.
template <class T>
class CountedMeasure : public T {
  public:
    CountedMeasure(CTool* tool, double x, double y) : T(0, tool, x, y) {}
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override {
        ++g_framesAsked;
        T::GetFrameBounds(pose, minX, minY, maxX, maxY);
    }
};

// The origin and size of every frame, outermost first.
std::vector<double> Frames(CGroup* group) {
    std::vector<double> frames;
    for (; group != nullptr; group = dynamic_cast<CGroup*>(group->m_members.front()))
        frames.insert(frames.end(),
                      {group->m_pose.x, group->m_pose.y, group->m_fFrameWidth, group->m_fFrameHeight});
    return frames;
}

}  // namespace

TEST(LineMeasure, MeasuresLengthAndDirectionAndControlOrAClickLeavesNothing) {
    DrawingPlan plan;
    auto* east = DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 1000.0, 1000.0, 2000.0, 1000.0);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->m_strName, "Measure Length");
    EXPECT_EQ(east->m_points.GetSize(), CLineMeasure::kPointCount);
    EXPECT_EQ(east->LabelText(CPose()), "100.000, 0 \xB0");
    auto* west = DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 1000.0, 1000.0, 500.0, 1000.0);
    ASSERT_NE(west, nullptr);
    EXPECT_EQ(west->LabelText(CPose()), "50.000, 180 \xB0");
    west->m_points[2] = {1000.0, -0.5};
    EXPECT_EQ(west->LabelText(CPose()), "100.000, 360 \xB0");
    west->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_nKind, 8);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[2], "100.000");

    plan.tool.DeselectAll(1, 1);
    const int count = plan.MemberCount();
    const int steps = plan.tool.GetUndoCount();
    EXPECT_EQ(DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 0.0, 0.0, 900.0, 900.0, MK_CONTROL), nullptr);
    EXPECT_EQ(DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 300.0, 300.0, 300.0, 300.0), nullptr);
    EXPECT_EQ(plan.MemberCount(), count);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
}

TEST(LineMeasure, AControlDragOfAnEndThrowsTheMeasureAwayAndUndoBringsItBack) {
    DrawingPlan plan;
    auto* measure = DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 1000.0, 1000.0, 2000.0, 1000.0);
    ASSERT_NE(measure, nullptr);
    ASSERT_TRUE(measure->IsSelected());
    // Shift keeps the dragged end on eighth turns about the other.
    plan.Drag(2000.0, 1000.0, 2000.0, 1900.0, CTool::kShiftFlag);
    EXPECT_NEAR(measure->m_points[2].x, measure->m_points[2].y, 1e-6);
    const CDoublePoint end = measure->m_points[2];
    const CDoublePoint world = measure->LocalToWorld(end.x, end.y);
    plan.Drag(world.x, world.y, 2500.0, 1500.0, MK_CONTROL);
    EXPECT_EQ(plan.MemberCount(), 0);
    plan.tool.Undo();
    ASSERT_EQ(plan.MemberCount(), 1);
    EXPECT_EQ(plan.Newest<CLineMeasure>(), measure);
}

TEST(LineMeasure, AFlipMirrorsAboutTheGivenLineAndRecordsRoundTrip) {
    DrawingPlan plan;
    auto* measure = DrawMeasure<CLineMeasure>(plan, kToolMeasureLine, 100.0, 100.0, 400.0, 300.0);
    ASSERT_NE(measure, nullptr);
    measure->MirrorX(500.0);
    EXPECT_DOUBLE_EQ(measure->m_pose.x, 900.0);
    EXPECT_EQ(measure->m_points[2], (CDoublePoint{-300.0, 200.0}));
    const CDoublePoint end = measure->LocalToWorld(measure->m_points[2].x, measure->m_points[2].y);
    EXPECT_NEAR(end.x, 600.0, 1e-6);
    measure->MirrorX(500.0);
    EXPECT_DOUBLE_EQ(measure->m_pose.x, 100.0);

    const Bytes record = StoreRecord(*measure);
    ASSERT_EQ(record.size() - CommonPartSize(*measure), 32u + 61u);
    CLineMeasure read;
    read.SetTool(&plan.tool);
    LoadRecord(read, record);
    EXPECT_EQ(StoreRecord(read), record);
    std::unique_ptr<CPaint> clone(read.Clone());
    EXPECT_EQ(StoreRecord(*clone), record);
    plan.host.m_nFileVersion = 6;
    CLineMeasure old;
    old.SetTool(&plan.tool);
    LoadRecord(old, AsVersion6Record(*measure, record));
    EXPECT_EQ(old.m_points.GetSize(), 5);
    EXPECT_EQ(old.m_points[2], measure->m_points[2]);
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST(LineMeasure, SelectedItShowsLineAndRedLabelElseOnlyHollowEnds) {
    DrawingPlan plan;
    Canvas canvas(400, 300);
    plan.DrawOn(canvas);
    CLineMeasure measure(0, &plan.tool, 500.0, 1000.0);
    measure.m_points[2] = {1500.0, 0.0};
    measure.m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    measure.ComputeExtent(nullptr);
    measure.RecalcDeviceBounds();
    EXPECT_EQ(measure.Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(120, 100), kWhite);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 400, 300)), 0);
    measure.Select();
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    EXPECT_EQ(measure.Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(120, 100), kBlue);
    EXPECT_GT(canvas.CountColor(kRed, CRect(220, 95, 400, 160)), 20);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(BoxMeasure, AreaInSquareUnitsInStatusAndLabelWhateverTheUnit) {
    DrawingPlan plan;
    plan.host.m_nUnitIndex = kMeters;
    auto* area = DrawMeasure<CBoxMeasure>(plan, kToolMeasureBox, 0.0, 0.0, 10000.0, 5000.0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->m_strName, "Measure Area");
    area->UpdateSizeInfo(nullptr);
    plan.tool.m_status.FormatPieceStatus();
    EXPECT_NE(plan.tool.m_status.m_strPane[0].Find(" S=0.50"), -1) << plan.tool.m_status.m_strPane[0];
    EXPECT_EQ(area->AreaLabel(), "0.500");
    // Each side is rounded to thousandths before they are multiplied.
    area->m_points[3] = {10004.0, 10000000.0};
    area->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[4], "1000.00");
    plan.host.m_nUnitIndex = kFeet;
    area->m_points[3] = {kFoot * 5.0, kFoot * 2.5};
    EXPECT_EQ(area->AreaLabel(), "12.500");
    // In the default unit, decimal inches, the status multiplies the sides rounded to thousandths,
    // 39.370 x 19.685 = 774.99845: "775.00". The plan's label takes the area unrounded,
    // 10000 x 5000 / 254^2 = 775.00155, rounded by its fourth decimal: "775.002".
    plan.host.m_nUnitIndex = 4;
    area->m_points[3] = {10000.0, 5000.0};
    area->UpdateSizeInfo(nullptr);
    EXPECT_EQ(plan.tool.m_status.m_strMeasure[4], "775.00");
    EXPECT_EQ(area->AreaLabel(), "775.002");
}

TEST(BoxMeasure, EdgesHitInsideDoesNotFlipsChangeNothingAndControlThrowsItAway) {
    DrawingPlan plan;
    auto* area = DrawMeasure<CBoxMeasure>(plan, kToolMeasureBox, 1000.0, 1000.0, 3000.0, 2000.0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->m_points[3], (CDoublePoint{2000.0, 1000.0}));
    EXPECT_EQ(area->HitTestHandle(nullptr, 3000.0, 2000.0), 7);
    plan.tool.m_fCurrentX = 2000.0;
    plan.tool.m_fCurrentY = 1500.0;
    EXPECT_EQ(area->HitTest(), nullptr);
    plan.tool.m_fCurrentX = 1010.0;
    EXPECT_EQ(area->HitTest(), area);
    const Bytes before = StoreRecord(*area);
    EXPECT_EQ(plan.tool.FlipHorizontal(1), 1);
    EXPECT_EQ(StoreRecord(*area), before);

    // Dragging corner 3 with Control held takes the area out; undo puts it back.
    plan.Drag(3000.0, 2000.0, 3500.0, 2500.0, MK_CONTROL);
    EXPECT_EQ(plan.MemberCount(), 0);
    plan.tool.Undo();
    EXPECT_EQ(plan.MemberCount(), 1);
    EXPECT_EQ(DrawMeasure<CBoxMeasure>(plan, kToolMeasureBox, 0.0, 0.0, 900.0, 900.0, MK_CONTROL), nullptr);
    EXPECT_EQ(DrawMeasure<CBoxMeasure>(plan, kToolMeasureBox, 50.0, 50.0, 50.0, 50.0), nullptr);
    EXPECT_EQ(plan.MemberCount(), 1);

    const Bytes record = StoreRecord(*area);
    ASSERT_EQ(record.size() - CommonPartSize(*area), 64u + 61u);
    CBoxMeasure read;
    read.SetTool(&plan.tool);
    LoadRecord(read, record);
    EXPECT_EQ(StoreRecord(read), record);
    plan.host.m_nFileVersion = 6;
    CBoxMeasure old;
    old.SetTool(&plan.tool);
    LoadRecord(old, AsVersion6Record(*area, record));
    EXPECT_EQ(old.m_points[3], area->m_points[3]);
    read.SetTool(nullptr);
    old.SetTool(nullptr);
}

TEST(BoxMeasure, SelectedItShowsOutlineAndLabelsElseOnlyHollowCorners) {
    DrawingPlan plan;
    Canvas canvas(400, 300);
    plan.DrawOn(canvas);
    CBoxMeasure area(0, &plan.tool, 500.0, 500.0);
    area.MoveBoxCorner(3, 1500.0, 1000.0, nullptr);
    area.m_pen = PenRecord{PS_SOLID, 1, 1, kBlue};
    EXPECT_EQ(area.Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(120, 50), kWhite);
    EXPECT_EQ(canvas.CountColor(kRed, CRect(0, 0, 400, 300)), 0);
    area.Select();
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    EXPECT_EQ(area.Draw(nullptr), 1);
    EXPECT_EQ(canvas.At(120, 50), kBlue);
    EXPECT_GT(canvas.CountColor(kRed, CRect(210, 90, 400, 200)), 40);
    EXPECT_GT(canvas.CountColor(kRed, CRect(80, 150, 200, 200)), 20);
    area.SetEditState(4);
    canvas.dc.FillSolidRect(0, 0, 400, 300, kWhite);
    EXPECT_EQ(area.Draw(nullptr), 0);
    EXPECT_EQ(canvas.CountColor(kWhite, CRect(0, 0, 400, 300)), 400 * 300);
    plan.tool.SetTargetDC(nullptr, nullptr);
}

TEST(MeasureFont, TheFontDialogChangesTheLabelFontAndMarksTheLayoutWithoutAnUndoStep) {
    RegisterResources();
    WindowManager::Instance().Reset();
    HeadlessHost host;
    DrawingPlan plan;
    auto* area = DrawMeasure<CBoxMeasure>(plan, kToolMeasureBox, 0.0, 0.0, 900.0, 900.0);
    ASSERT_NE(area, nullptr);
    plan.tool.MarkSaved();
    plan.host.m_bModified = FALSE;
    const int steps = plan.tool.GetUndoCount();
    host.WhenModal("Font", [&](CWnd& dialog) {
        dialog.GetDlgItem(edt3)->SetWindowText("24");
        host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });
    EXPECT_EQ(area->EditProperties(nullptr), 0);
    EXPECT_EQ(area->m_labelFont.Description().lfHeight, -35);
    EXPECT_FALSE(plan.host.m_bModified);
    host.WhenModal("Font", [&](CWnd& dialog) {
        dialog.GetDlgItem(edt3)->SetWindowText("24");
        host.ClickClient(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });
    EXPECT_EQ(area->EditProperties(nullptr), 1);
    EXPECT_EQ(area->m_labelFont.Description().lfHeight, -32);
    EXPECT_TRUE(plan.host.m_bModified);
    EXPECT_EQ(plan.tool.GetUndoCount(), steps);
    WindowManager::Instance().Reset();
}

// Reading fits each frame from the contents its member groups kept: a measure's labels reach out
// along the screen's axes at every level, so no level asks the measures again, and each frame is
// the one asking them at every level finds (which keeps a frame it agrees with to rounding).
TEST(MeasureInGroups, TurnedGroupsAroundMeasuresAreFittedWithoutAskingThemAtEachLevel) {
    for (const bool areas : {true, false}) {
        DrawingPlan plan;
        std::vector<CGroup*> levels{plan.host.CurrentGroup()};
        for (int level = 0; level < 30; ++level) {
            levels.push_back(AddToGroup(levels.back(), NewGroup(&plan.tool)));
            levels.back()->m_pose.angle = level % 2 == 0 ? 0.3 : -0.4;
        }
        for (const double x : {0.0, 5000.0, 9000.0}) {
            CPaint* measure =
                areas ? static_cast<CPaint*>(new CountedMeasure<CBoxMeasure>(&plan.tool, x, x / 3.0))
                      : new CountedMeasure<CLineMeasure>(&plan.tool, x, x / 3.0);
            for (int i = 2; i < measure->m_points.GetSize(); ++i)
                measure->m_points[i] = {3000.0, 1000.0 * (i - 3)};
            AddToGroup(levels.back(), measure);
        }
        g_framesAsked = 0;
        levels[1]->RecalcFrames();
        EXPECT_EQ(g_framesAsked, 0);
        const std::vector<double> fitted = Frames(levels[1]);
        for (auto group = levels.rbegin(); *group != levels[0]; ++group) (*group)->RecalcFrame();
        EXPECT_GE(g_framesAsked, 30 * 3);
        EXPECT_EQ(Frames(levels[1]), fitted) << areas;
    }
}
