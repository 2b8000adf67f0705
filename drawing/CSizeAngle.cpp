#include "drawing/CSizeAngle.h"

#include <algorithm>
#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/DimensionDrawing.h"
#include "drawing/DimensionSteps.h"
#include "drawing/LabelledShape.h"
#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CSizeAngle, CPaint, 2)

namespace {

constexpr double kDegreesPerRadian = 57.2958;
constexpr int kVertex = 3;
// A move of the first arm must go farther than this (squared, layout units) to fix it.
constexpr double kFixingDistanceSquared = 10.0;
// The frames reach this many pixels beyond the vertex.
constexpr double kFrameOvershootPixels = 20.0;

double AroundCircle(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, kFullTurn - d);
}

}  // namespace

CSizeAngle::CSizeAngle() = default;

CSizeAngle::CSizeAngle(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
    m_strName = CStringTable::Text(IDS_DIMENSION_ANGLE);
    m_nArrowStyle = 1;
    m_nArrowLength = 1;
    m_nArrowWidth = 1;
    m_nFrameStyle = 0;
    m_nFrameWidth = 1;
    m_crFrame = m_pen.color;
    m_labelFont.SetDescription(CLabelFont::DefaultDescription());
    m_bFirstArm = 1;
}

// ---- Angles ----

double CSizeAngle::DirectionOf(CDoublePoint p) const {
    const CDoublePoint& v = m_points[kVertex];
    const double dx = p.x - v.x, dy = p.y - v.y;
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    const double a = std::atan2(dy, dx);
    return a < 0.0 ? a + kFullTurn : a;
}

double CSizeAngle::SweepAngle() const {
    if (!HasPoints())
        return 0.0;
    const double sweep = DirectionOf(m_points[2]) - DirectionOf(m_points[1]);
    return sweep < 0.0 ? sweep + kFullTurn : sweep;
}

CString CSizeAngle::LabelText() const {
    CString text;
    text.Format("%.0f\xB0", SweepAngle() * kDegreesPerRadian);
    return text;
}

int CSizeAngle::PointFourClass() const {
    const double a1 = DirectionOf(m_points[1]), a2 = DirectionOf(m_points[2]), a4 = DirectionOf(m_points[4]);
    const bool inSweep = a1 <= a2 ? a1 <= a4 && a4 <= a2 : a4 >= a1 || a4 <= a2;
    if (inSweep)
        return 1;
    return AroundCircle(a4, a1) < AroundCircle(a4, a2) ? 2 : 3;
}

double CSizeAngle::Radius() const {
    const CDoublePoint &p4 = m_points[4], &v = m_points[kVertex];
    return VectorLength(p4.x - v.x, p4.y - v.y);
}

void CSizeAngle::ArcRange(double& start, double& end) const {
    const double a1 = DirectionOf(m_points[1]), a2 = DirectionOf(m_points[2]), a4 = DirectionOf(m_points[4]);
    const int position = PointFourClass();
    start = position == 2 ? a4 : a1;
    end = position == 3 ? a4 : a2;
    if (end < start)
        end += kFullTurn;
}

CDoublePoint CSizeAngle::CirclePoint(double angle) const {
    const CDoublePoint& v = m_points[kVertex];
    return RotatePoint(v.x, v.y, angle, v.x + Radius(), v.y);
}

bool CSizeAngle::PlacingFirstArm() const {
    return m_bFirstArm && m_pTool != nullptr && m_pTool->m_toolMode == kToolDimensionAngle;
}

// ---- Points ----

int CSizeAngle::SetPoints(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                          double y4, int label, int record, int groupStart) {
    return RunStep({WorldToLocal(x1, y1), WorldToLocal(x2, y2), WorldToLocal(x3, y3), WorldToLocal(x4, y4)},
                   label, record, groupStart);
}

int CSizeAngle::RunStep(const std::array<CDoublePoint, 4>& local, int label, int record, int groupStart) {
    return RunDimensionStep<4>(*this, kStepDimensionAngle, local, label, record, groupStart);
}

int CSizeAngle::ApplyShapeStep(CEditStep* step) {
    return ApplyDimensionStep<4>(*this, *step, m_bLabel);
}

void CSizeAngle::RebuildShape() {
    if (!HasPoints())
        return;
    Invalidate();
    annotation::RefreshBounds(*this, &m_parentPose);
}

// ---- Record ----

void CSizeAngle::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    constexpr int kOrder[] = {1, 2, 3, 4, 0};
    annotation::SerializeOutlinePoints(ar, m_points, GetDocumentFileVersion(), kOrder, kPointCount);
    m_labelFont.Serialize(ar);
    if (ar.IsLoading())
        m_bFirstArm = 0;
}

void CSizeAngle::RecreateResources(int recreate) {
    m_labelFont.RecreateResources(recreate);
}

void CSizeAngle::CopyFrom(CPaint* other) {
    if (const CSizeAngle* source = labelled::CopyLabelFont(*this, other))
        m_bFirstArm = source->m_bFirstArm;
    CPaint::CopyFrom(other);
}

CPaint* CSizeAngle::Clone() {
    return labelled::Clone(*this);
}

// ---- Figure ----

// From the arm's point through the vertex to 20 pixels beyond it.
std::array<CDoublePoint, 2> CSizeAngle::Frame(int arm) const {
    const CDoublePoint& p = m_points[arm];
    const CDoublePoint& v = m_points[kVertex];
    const double a = DirectionOf(p);
    const double beyond = a >= kPi ? a - kPi : a + kPi;
    const double reach = kFrameOvershootPixels * dimension::UnitsPerPixel(*m_pTool);
    return {p, RotatePoint(v.x, v.y, beyond, v.x + reach, v.y)};
}

// Wing 1, tip, wing 2: pointing at the arm from inside the arc, or from outside when point 4
// lies outside the sweep.
std::array<CDoublePoint, 3> CSizeAngle::Arrowhead(int arm) const {
    const double length = dimension::ArrowSize(*this, m_nArrowLength);
    const double width = dimension::ArrowSize(*this, m_nArrowWidth);
    const double inside = arm == 1 ? 1.0 : -1.0;
    const double s = PointFourClass() == 1 ? inside : -inside;
    const CDoublePoint& v = m_points[kVertex];
    const double r = Radius();
    const double a = DirectionOf(m_points[arm]);
    return {RotatePoint(v.x, v.y, a, v.x + r - width, v.y + s * length), CirclePoint(a),
            RotatePoint(v.x, v.y, a, v.x + r + width, v.y + s * length)};
}

std::array<CDoublePoint, 4> CSizeAngle::LabelBox() const {
    const double h = m_labelFont.Description().lfHeight;
    const CDoublePoint& v = m_points[kVertex];
    const double qx = v.x + Radius(), qy = v.y;
    const double a = DirectionOf(m_points[4]);
    return {RotatePoint(v.x, v.y, a, qx + 6.0, qy + h), RotatePoint(v.x, v.y, a, qx + 6.0, qy - h),
            RotatePoint(v.x, v.y, a, qx + 6.0 - h, qy - h), RotatePoint(v.x, v.y, a, qx + 6.0 - h, qy + h)};
}

// The arc at whole degrees from its start to its end, both ends included.
std::vector<CDoublePoint> CSizeAngle::ArcSamples() const {
    double start = 0.0, end = 0.0;
    ArcRange(start, end);
    // A sweep that is no number is drawn as one step.
    const double degrees = (end - start) * kDegreesPerRadian;
    const int steps =
        std::isfinite(degrees) ? static_cast<int>(std::clamp(std::ceil(degrees), 1.0, 360.0)) : 1;
    std::vector<CDoublePoint> samples;
    for (int i = 0; i <= steps; ++i) samples.push_back(CirclePoint(start + (end - start) * i / steps));
    return samples;
}

std::vector<CDoublePoint> CSizeAngle::FigurePoints() const {
    std::vector<CDoublePoint> points;
    for (int arm = 1; arm <= 2; ++arm) {
        const auto frame = Frame(arm);
        const auto head = Arrowhead(arm);
        points.insert(points.end(), frame.begin(), frame.end());
        points.insert(points.end(), head.begin(), head.end());
    }
    double start = 0.0, end = 0.0;
    ArcRange(start, end);
    points.push_back(CirclePoint(start));
    points.push_back(CirclePoint(end));
    // The circle's points in the axis directions that the arc passes.
    const CDoublePoint& v = m_points[kVertex];
    const double r = std::trunc(Radius());
    for (int quarter = 0; quarter < 8; ++quarter) {
        const double a = quarter * kPi / 2.0;
        if (a >= start && a <= end)
            points.push_back(RotatePoint(v.x, v.y, a, v.x + r, v.y));
    }
    const auto box = LabelBox();
    points.insert(points.end(), box.begin(), box.end());
    return points;
}

void CSizeAngle::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (!HasPoints() || m_pTool == nullptr)
        return;
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), FigurePoints(), minX, minY, maxX, maxY);
}

bool CSizeAngle::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points.clear();
    if (HasPoints() && m_pTool != nullptr)
        points = FigurePoints();
    return true;
}

// A flip turns the sweep around: the arms change places.
int CSizeAngle::MirrorY(double c) {
    annotation::MirrorPoints(*this, c, &CDoublePoint::y);
    SwapArms();
    return 1;
}

int CSizeAngle::MirrorX(double c) {
    annotation::MirrorPoints(*this, c, &CDoublePoint::x);
    SwapArms();
    return 1;
}

void CSizeAngle::SwapArms() {
    if (HasPoints())
        std::swap(m_points[1], m_points[2]);
}

// ---- Drawing ----

int CSizeAngle::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || GetEditState() == 4 || !HasPoints())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    const CPlacement placement(m_pose, frame);
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    DrawFigure(*dc, placement);
    if (!PlacingFirstArm() && dimension::ShowsLabel(*this, m_bLabel) && m_nActiveHandle != 3 &&
        m_nActiveHandle != 4)
        DrawLabel(*dc, placement, frame);
    if (shape::ShowsHandles(*this))
        DrawHandles(placement);
    dc->SetBkMode(previousMode);
    return 1;
}

void CSizeAngle::DrawFigure(CDC& dc, const CPlacement& placement) {
    CPen framePen;
    dimension::CreateFramePen(*this, dc, m_bLabel != 0, framePen);
    CPen* previousPen = dc.SelectObject(&framePen);
    for (int arm = 1; arm <= 2; ++arm) {
        const auto ends = Frame(arm);
        std::vector<CPoint> device;
        if (shape::OutlineToDevice(*m_pTool, placement, {ends[0], ends[1]}, device))
            dc.Polyline(device.data(), 2);
    }
    if (!PlacingFirstArm()) {
        CPen linePen;
        dimension::CreateLinePen(*this, dc, m_bLabel != 0, linePen);
        dc.SelectObject(&linePen);
        std::vector<CPoint> arc;
        if (shape::OutlineToDevice(*m_pTool, placement, ArcSamples(), arc))
            dc.Polyline(arc.data(), static_cast<int>(arc.size()));
        CBrush brush(m_pen.color);
        CBrush* previousBrush = dc.SelectObject(&brush);
        for (int arm = 1; arm <= 2; ++arm) {
            const auto head = Arrowhead(arm);
            std::vector<CPoint> device;
            if (shape::OutlineToDevice(*m_pTool, placement, {head[0], head[1], head[2]}, device))
                dimension::DrawArrowhead(*this, dc, {device[0], device[1], device[2]});
        }
        dc.SelectObject(previousBrush);
    }
    dc.SelectObject(previousPen);
}

// The text runs across the radius through point 4.
bool CSizeAngle::PlaceLabel(const CPlacement& placement, const CPose& frame, dimension::LabelLine& line,
                            int& escapement) const {
    if (!shape::ToDevice(*m_pTool, placement, LabelBox()[0], line.at))
        return false;
    const double turn = (DirectionOf(m_points[4]) + m_pose.angle + frame.angle) * kDegreesPerRadian;
    if (!std::isfinite(turn) || std::fabs(turn) > 1.0e6)
        return false;
    escapement = -10 * (90 + static_cast<int>(turn));
    line.text = LabelText();
    return true;
}

void CSizeAngle::DrawLabel(CDC& dc, const CPlacement& placement, const CPose& frame) {
    dimension::LabelLine line;
    int escapement = 0;
    if (PlaceLabel(placement, frame, line, escapement))
        dimension::DrawLabelText(dc, m_labelFont, escapement, RGB(0, 0, 0), {line});
}

void CSizeAngle::HangFixedSizeParts() {
    dimension::LabelLine line;
    int escapement = 0;
    const CPlacement placement(m_pose, m_parentPose);
    if (HasPoints() && PlaceLabel(placement, m_parentPose, line, escapement))
        HangFixedSizePart(placement.ToWorld(LabelBox()[0]), line.at,
                          m_labelExtent.Bounds(m_labelFont, escapement, line));
}

void CSizeAngle::DrawHandles(const CPlacement& placement) {
    const double h = m_pTool->GetHandleTolerance();
    ShowRotationHandleAt({m_points[2].x + 2.0 * h, m_points[2].y - 2.0 * h});
    const CDoublePoint rotationHandle = HandlePoint(0);
    dimension::DrawHandleMarkers(*this, placement, {m_points[1], m_points[2], m_points[3], m_points[4]},
                                 &rotationHandle);
}

// ---- Hit tests ----

CPaint* CSizeAngle::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    const CDoublePoint &p1 = m_points[1], &p2 = m_points[2], &v = m_points[kVertex];
    if (shape::IsBandSet(m_pTool->m_rcRubberBand)) {
        const bool hit = m_pTool->IsLayerVisible(m_nLayer) && shape::BandHitsShape(*this, {p1, v, p2}, false);
        return hit ? this : nullptr;
    }
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    for (int arm = 1; arm <= 2; ++arm) {
        const auto ends = Frame(arm);
        if (HitTestSegment(&m_parentPose, ends[0].x, ends[0].y, ends[1].x, ends[1].y))
            return this;
    }
    return CursorOnArc(WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY)) ? this : nullptr;
}

bool CSizeAngle::CursorOnArc(CDoublePoint cursor) const {
    const CDoublePoint& v = m_points[kVertex];
    const double d = VectorLength(cursor.x - v.x, cursor.y - v.y);
    const double r = Radius(), h = m_pTool->GetHandleTolerance();
    if (!(d > r - h && d < r + h))
        return false;
    double start = 0.0, end = 0.0;
    ArcRange(start, end);
    const double a = DirectionOf(cursor);
    return (a >= start && a <= end) || (a + kFullTurn >= start && a + kFullTurn <= end);
}

int CSizeAngle::HitTestHandle(const CPose* pose, double x, double y) {
    if (m_pTool == nullptr || !IsSelected() || !HasPoints())
        return -1;
    constexpr int kOrder[] = {1, 2, 3, 4, 0};
    return shape::HandleAtPoint(*this, FrameOf(pose), x, y, kOrder);
}

// ---- Mouse ----

void CSizeAngle::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    if (m_pTool->m_toolMode == kToolDimensionAngle) {
        Invalidate();
        return;
    }
    if (handle < 1) {
        CPaint::TrackCreate(pose, handle);
    } else {
        // The undo point keeps the local points themselves, so undo gives them back exactly.
        RunStep({m_points[1], m_points[2], m_points[3], m_points[4]}, m_bLabel, 1, 1);
        RecalcBounds();
    }
    m_nActiveHandle = handle;
    if (handle == 0)
        shape::BeginRotationAbout(*this, FrameOf(pose), m_points[kVertex]);
    annotation::RefreshBounds(*this, pose);
}

void CSizeAngle::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints() || handle < 0)
        return;
    Invalidate();
    const CDoublePoint cursor =
        WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (PlacingFirstArm())
        DragFirstArm(cursor);
    else if (handle < kPointCount)
        m_points[handle] = cursor;
    if (m_pTool->m_toolMode == kToolDimensionAngle && !m_bFirstArm)
        PlaceOnBisector();
    annotation::RefreshBounds(*this, pose);
}

// Points 1 and 2 follow the cursor until it turns back toward the vertex by more than a
// little: the first arm then stays where the cursor was.
void CSizeAngle::DragFirstArm(CDoublePoint cursor) {
    const CDoublePoint& v = m_points[kVertex];
    m_points[2] = cursor;
    const double dx = cursor.x - m_ptLastCursor.x, dy = cursor.y - m_ptLastCursor.y;
    const bool turnedBack = VectorLength(cursor.x - v.x, cursor.y - v.y) <
                            VectorLength(m_ptLastCursor.x - v.x, m_ptLastCursor.y - v.y);
    if (dx * dx + dy * dy > kFixingDistanceSquared && turnedBack) {
        m_bFirstArm = 0;
        return;
    }
    m_points[1] = cursor;
    m_ptLastCursor = cursor;
}

// Point 4 on the bisector of the arms at half the first arm's length.
void CSizeAngle::PlaceOnBisector() {
    const CDoublePoint &v = m_points[kVertex], &p1 = m_points[1];
    const double r = VectorLength(p1.x - v.x, p1.y - v.y) / 2.0;
    const double a1 = DirectionOf(p1), a2 = DirectionOf(m_points[2]);
    const double bisector = (a1 + a2) / 2.0 + (a2 <= a1 ? kPi : 0.0);
    m_points[4] = RotatePoint(v.x, v.y, bisector, v.x + r, v.y);
}

int CSizeAngle::FinishCreate(const CPose* pose, int handle) {
    shape::EndEdit(*this, pose, handle);
    m_nActiveHandle = 0;
    // However the stroke ended, the first arm is placed now.
    m_bFirstArm = 0;
    Invalidate();
    return IsInvalid(0) ? 0 : 1;
}

// ---- Status ----

void CSizeAngle::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CPose& frame = FrameOf(pose);
    CPieceStatusText& status = annotation::ShowStatus(*this, frame, m_points[1], m_points[2], 12);
    const CDoublePoint& v = m_points[kVertex];
    status.m_strMeasure[5] = shape::PointText(m_pTool, LocalToWorldInFrame(frame, v.x, v.y));
    status.m_strMeasure[6] = shape::LengthText(m_pTool, Radius());
    status.m_fStartAngle = SweepAngle() / kPi * 180.0;
}

void CSizeAngle::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    CString angles;
    angles.Format("; %.2f; %.2f", m_pTool->m_status.m_fStartAngle, m_pTool->m_status.m_fRotation);
    text = m_pTool->m_status.m_strMeasure[5] + angles;
}
