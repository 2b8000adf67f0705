#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "drawing/CArc.h"
#include "drawing/CBox.h"
#include "drawing/CLine.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "model/CToolMode.h"
#include "tests/drawing/DrawingPlan.h"
#include "tests/gdi/Canvas.h"
#include "tests/support/TestPictures.h"

// Every shape filled, hatched, patterned and selected, drawn for a person to look at.

namespace {

constexpr int kColumnWidth = 2600;
constexpr int kRowHeight = 2200;

void Style(CPaint* shape, int row) {
    shape->m_pen = PenRecord{PS_SOLID, 2, 2, RGB(0, 0, 128)};
    shape->m_crFill = RGB(255, 255, 200);
    shape->m_brush = BrushRecord{0, RGB(200, 60, 60), 0};
    shape->m_bFillOn = row != 0 ? 1 : 0;
    if (row == 2)
        shape->m_brush = BrushRecord{2, RGB(0, 128, 0), 5};
    if (row == 3) {
        static const BYTE bits[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
        shape->m_bPatternOn = 1;
        shape->m_nPatternKind = 1;
        shape->m_strPatternFile = "checks.pat";
        shape->m_pPatternBitmap = std::make_unique<CBitmap>();
        shape->m_pPatternBitmap->CreateBitmap(8, 8, 1, 1, bits);
    }
}

void DrawShapes(DrawingPlan& plan, int row) {
    const double y = 300.0 + row * kRowHeight;
    const int tools[] = {kToolBox, kToolRoundBox, kToolOval, kToolArc, kToolLine};
    for (int column = 0; column < 5; ++column) {
        const double x = 300.0 + column * kColumnWidth;
        plan.tool.m_toolMode.Set(tools[column]);
        plan.Drag(x, y, x + 2000.0, y + 1600.0);
    }
    plan.tool.m_toolMode.Set(kToolPolygon);
    const double x = 300.0 + 5 * kColumnWidth;
    const double zoom = plan.tool.m_fZoomRatio;
    for (const CDoublePoint& p :
         {CDoublePoint{x, y}, CDoublePoint{x + 2000.0, y + 400.0}, CDoublePoint{x + 800.0, y + 1600.0}}) {
        plan.tool.OnMouseMove(0, p.x * zoom, p.y * zoom, 0);
        plan.tool.OnLButtonDown(0, p.x * zoom, p.y * zoom);
        plan.tool.OnLButtonUp(0, p.x * zoom, p.y * zoom);
    }
    plan.tool.OnLButtonDblClk(0, (x + 800.0) * zoom, (y + 1600.0) * zoom);
    plan.tool.OnLButtonUp(0, (x + 800.0) * zoom, (y + 1600.0) * zoom);
    plan.tool.m_toolMode.Set(kToolSpline);
    const double sx = 300.0 + 6 * kColumnWidth;
    for (const CDoublePoint& p :
         {CDoublePoint{sx, y}, CDoublePoint{sx + 1000.0, y + 1600.0}, CDoublePoint{sx + 2000.0, y}}) {
        plan.tool.OnMouseMove(0, p.x * zoom, p.y * zoom, 0);
        plan.tool.OnLButtonDown(0, p.x * zoom, p.y * zoom);
        plan.tool.OnLButtonUp(0, p.x * zoom, p.y * zoom);
    }
    plan.tool.OnLButtonDblClk(0, (sx + 2000.0) * zoom, y * zoom);
    plan.tool.OnLButtonUp(0, (sx + 2000.0) * zoom, y * zoom);
    plan.tool.m_toolMode.Set(kToolSketch);
    const double kx = 300.0 + 7 * kColumnWidth;
    plan.tool.OnLButtonDown(0, kx * zoom, y * zoom);
    for (int i = 1; i <= 40; ++i)
        plan.tool.OnMouseMove(0, (kx + i * 50.0) * zoom, (y + 800.0 + 700.0 * std::sin(i * 0.3)) * zoom, 1);
    plan.tool.OnLButtonUp(0, (kx + 2000.0) * zoom, y * zoom);
    plan.tool.m_toolMode.Set(kToolSelector);
}

}  // namespace

TEST(ShapeGallery, EveryShapeFilledHatchedPatternedAndSelectedWhenAsked) {
    const CString picture = TestPicturePath("shapes.png");
    if (picture.IsEmpty())
        GTEST_SKIP() << "no test pictures asked for";
    DrawingPlan plan;
    Canvas canvas(8 * kColumnWidth / 10 + 40, 5 * kRowHeight / 10 + 40);
    for (int row = 0; row < 5; ++row) {
        DrawShapes(plan, row);
        plan.tool.DeselectAll(0, 0);
        for (CPaint* shape : plan.host.CurrentGroup()->m_members)
            if (shape->m_fMinY >= 300.0 + row * kRowHeight - 10.0 &&
                shape->m_fMinY < 300.0 + (row + 1) * kRowHeight - 10.0)
                Style(shape, row == 4 ? 1 : row);
    }
    for (CPaint* shape : plan.host.CurrentGroup()->m_members)
        if (shape->m_fMinY >= 300.0 + 4 * kRowHeight - 10.0)
            shape->SelectWithUndo(0, 0);
    EXPECT_EQ(plan.MemberCount(), 40);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-10000, -10000, 10000, 10000};
    for (CPaint* shape : plan.host.CurrentGroup()->m_members) {
        shape->RecalcDeviceBounds();
        EXPECT_EQ(shape->Draw(nullptr), 1) << shape->GetClassName().c_str();
    }
    plan.tool.SetTargetDC(nullptr, nullptr);
    EXPECT_TRUE(canvas.dc.WritePng(picture));
}
