#include "drawing/DimensionDrawing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "drawing/CLabelFont.h"
#include "drawing/ShapeSupport.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/LogicalPixelSize.h"

namespace dimension {

namespace {

constexpr int kNoArrowheads = 0;
constexpr int kFilledArrowheads = 2;
// A pixel and more at the screen's 96 dots per inch, in tenths of a millimetre.
constexpr int kLabelMargin = 5;

void CreateStyledPen(CPaint& shape, CDC& dc, bool labelled, int width, CPen& pen) {
    if (!labelled) {
        pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        return;
    }
    pen.CreatePen(shape.m_pen.style, width * LogicalPixelSize(&dc), shape::OutlineColor(shape));
}

}  // namespace

void CreateFramePen(CPaint& shape, CDC& dc, bool labelled, CPen& pen) {
    CreateStyledPen(shape, dc, labelled, shape.m_nFrameWidth, pen);
}

void CreateLinePen(CPaint& shape, CDC& dc, bool labelled, CPen& pen) {
    CreateStyledPen(shape, dc, labelled, shape.m_pen.widthX, pen);
}

double UnitsPerPixel(const CTool& tool) {
    const double ratio = tool.ZoomRatio();
    return ratio > 0.0 ? 1.0 / ratio : 1.0;
}

double ArrowSize(const CPaint& shape, int index) {
    if (shape.m_nArrowStyle == kNoArrowheads || shape.m_pTool == nullptr)
        return 0.0;
    const double pixels = index == 0 ? 10.0 : index == 1 ? 15.0 : 20.0;
    return std::trunc(UnitsPerPixel(*shape.m_pTool) * pixels);
}

void DrawArrowhead(const CPaint& shape, CDC& dc, const std::array<CPoint, 3>& head) {
    if (shape.m_nArrowStyle == kNoArrowheads)
        return;
    if (shape.m_nArrowStyle != kFilledArrowheads) {
        dc.Polyline(head.data(), 3);
        return;
    }
    dc.BeginPath();
    dc.MoveTo(head[0]);
    dc.LineTo(head[1]);
    dc.LineTo(head[2]);
    dc.LineTo(head[0]);
    dc.EndPath();
    dc.FillPath();
}

bool ShowsLabel(CPaint& shape, int labelFlag) {
    if (labelFlag == 0)
        return false;
    const CTool& tool = *shape.m_pTool;
    return !shape.IsSelected() || (tool.m_toolMode != kToolRotateAroundOrigin && tool.m_nDragState != 0);
}

void DrawLabelText(CDC& dc, const CLabelFont& font, int escapement, COLORREF colour,
                   std::initializer_list<LabelLine> lines) {
    const std::unique_ptr<CFont> turned = font.MakeTurned(escapement);
    CFont* previousFont = dc.SelectObject(turned.get());
    const COLORREF previousColor = dc.SetTextColor(colour);
    for (const LabelLine& line : lines) dc.TextOut(line.at.x, line.at.y, line.text);
    dc.SetTextColor(previousColor);
    dc.SelectObject(previousFont);
}

DeviceRect LabelBounds(const CLabelFont& font, int escapement, const LabelLine& line) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(MM_LOMETRIC);
    const std::unique_ptr<CFont> upright = font.MakeTurned(0);
    CFont* previousFont = dc.SelectObject(upright.get());
    const CSize size = dc.GetTextExtent(line.text);
    dc.SelectObject(previousFont);
    // The text runs along the escapement from its point, its lines below it.
    const double turn = escapement / 10.0 * std::numbers::pi / 180.0;
    const CDoublePoint along{std::cos(turn) * size.cx, std::sin(turn) * size.cx};
    const CDoublePoint down{std::sin(turn) * size.cy, -std::cos(turn) * size.cy};
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    for (const CDoublePoint& corner : {along, down, CDoublePoint{along.x + down.x, along.y + down.y}}) {
        minX = std::min(minX, corner.x);
        minY = std::min(minY, corner.y);
        maxX = std::max(maxX, corner.x);
        maxY = std::max(maxY, corner.y);
    }
    // Smoothed glyph edges may stray a pixel past the text's cell.
    DeviceRect box{
        line.at.x + static_cast<int>(std::floor(minX)), line.at.y + static_cast<int>(std::floor(minY)),
        line.at.x + static_cast<int>(std::ceil(maxX)), line.at.y + static_cast<int>(std::ceil(maxY))};
    box.Inflate(kLabelMargin);
    return box;
}

void DrawHandleMarkers(CPaint& shape, const CPlacement& placement, const std::vector<CDoublePoint>& circles,
                       const CDoublePoint* rotationHandle) {
    CDC* dc = shape.m_pTool->GetTargetDC();
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&black);
    CPoint device;
    for (const CDoublePoint& circle : circles)
        if (shape::ToDevice(*shape.m_pTool, placement, circle, device))
            shape.DrawCircleMarker(device.x, device.y);
    if (rotationHandle != nullptr && shape::ToDevice(*shape.m_pTool, placement, *rotationHandle, device))
        shape.DrawCrossMarker(device.x, device.y);
    dc->SelectObject(previous);
}

}  // namespace dimension
