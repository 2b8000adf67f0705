#include "view3d/CCamera.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "drawing/LabelledShape.h"
#include "drawing/ShapeSupport.h"
#include "model/C3DViewServices.h"
#include "model/CCVNDoc.h"
#include "model/CTool.h"
#include "model/CToolMode.h"
#include "model/RecordReading.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CCamera, CPaint, 2)

namespace {

constexpr double kHalfTurn = 3.1415926535;
constexpr double kTwoPi = 2.0 * kHalfTurn;
// Points in the stored order: 1 to 5, then 0.
constexpr int kStoredOrder[] = {1, 2, 3, 4, 5, 0};
constexpr int kHeightVersion = 3;
constexpr int kOutlinePointsVersion = 7;
constexpr double kWidestHalfAngle = 89.0 * kHalfTurn / 180.0;

double Normalised(double angle) {
    angle = std::fmod(angle, kTwoPi);
    return angle < 0.0 ? angle + kTwoPi : angle;
}

}  // namespace

CCamera::CCamera() {
    m_pen.style = PS_SOLID;
}

CCamera::CCamera(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    m_strName = CStringTable::Text(IDS_CAMERA);
    m_nArrowStyle = m_nArrowLength = m_nArrowWidth = 1;
    m_labelFont.SetDescription(CLabelFont::DefaultDescription());
    m_fHeight = tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->Get3DScale() : kDefaultHeight;
    const double z = PixelSize();
    const double h = tool != nullptr ? tool->m_fHandleSize : 0.0;
    const CDoublePoint points[kPointCount] = {{-10.0 * z - 2.0 * z * h, -30.0 * z - 2.0 * z * h},
                                              {40.0 * z, 30.0 * z},
                                              {0.0, 0.0},
                                              {40.0 * z, 0.0},
                                              {-20.0 * z, 30.0 * z},
                                              {-10.0 * z, -30.0 * z},
                                              {0.0, 0.0}};
    for (const CDoublePoint& point : points) m_points.Add(point.x, point.y);
}

double CCamera::PixelSize() const {
    const double ratio = m_pTool != nullptr ? m_pTool->ZoomRatio() : 0.0;
    return ratio > 0.0 ? 1.0 / ratio : 1.0;
}

// ---- Geometry ----

double CCamera::AngleOf(CDoublePoint p) const {
    const double dx = p.x - m_points[2].x, dy = p.y - m_points[2].y;
    const double d = std::hypot(dx, dy);
    if (d == 0.0)
        return 0.0;
    const double angle = std::asin(std::clamp(dy / d, -1.0, 1.0));
    return Normalised(dx < 0.0 ? kHalfTurn - angle : angle);
}

double CCamera::HalfAngle() const {
    return HasPoints() ? AngleOf(m_points[1]) : 0.0;
}

CString CCamera::AngleLabel() const {
    double full = 2.0 * HalfAngle();
    if (full < 0.0)
        full += kTwoPi;
    CString text;
    text.Format("%.0f \xB0", full * 57.2958);
    return text;
}

CDoublePoint CCamera::MirroredEdge() const {
    return {m_points[1].x, m_points[2].y - std::fabs(m_points[1].y - m_points[2].y)};
}

std::vector<CDoublePoint> CCamera::BodyCorners() const {
    const CDoublePoint &p2 = m_points[2], &p4 = m_points[4];
    const double low = p2.y - std::fabs(p4.y - p2.y);
    return {{p4.x, p4.y}, {p2.x, p4.y}, {p2.x, low}, {p4.x, low}};
}

std::vector<CDoublePoint> CCamera::LabelCorners() const {
    const double z = PixelSize();
    const double height = std::fabs(static_cast<double>(m_labelFont.Description().lfHeight));
    const double lx = (m_points[1].x - m_points[2].x) / 2.0 + 6.0, ly = m_points[2].y;
    return {{lx, ly - z * 2.0 * height},
            {lx + z * height, ly - z * 2.0 * height},
            {lx + z * height, ly + z * 2.0 * height},
            {lx, ly + z * 2.0 * height}};
}

int CCamera::ThreeAngleTest(CDoublePoint first, CDoublePoint second, CDoublePoint third) const {
    const double a1 = AngleOf(first), a2 = AngleOf(second), a3 = AngleOf(third);
    if (a1 <= a2 && a1 <= a3 && a3 <= a2)
        return 1;
    if (a1 > a2 && (a3 < a2 || a3 > a1))
        return 1;
    auto wrapped = [](double a, double b) { return std::min(std::fabs(a - b), kTwoPi - std::fabs(a - b)); };
    return wrapped(a2, a3) <= wrapped(a1, a3) ? 3 : 2;
}

void CCamera::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    if (!HasPoints())
        return;
    std::vector<CDoublePoint> points = BodyCorners();
    points.push_back(m_points[1]);
    points.push_back(MirroredEdge());
    for (const CDoublePoint& corner : LabelCorners()) points.push_back(corner);
    shape::WorldBounds(CPlacement(m_pose, FrameOf(pose)), points, minX, minY, maxX, maxY);
}

bool CCamera::GetFrameOutline(std::vector<CDoublePoint>& points) {
    points.clear();
    if (!HasPoints())
        return true;
    points = BodyCorners();
    points.push_back(m_points[1]);
    points.push_back(MirroredEdge());
    for (const CDoublePoint& corner : LabelCorners()) points.push_back(corner);
    return true;
}

void CCamera::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    const CDoublePoint lens = LocalToWorldInFrame(FrameOf(pose), m_points[2].x, m_points[2].y);
    vectorX = lens.x - x;
    vectorY = lens.y - y;
}

void CCamera::NearestEndPoint(double& x, double& y, const CPose* pose) {
    const CDoublePoint lens = LocalToWorldInFrame(FrameOf(pose), m_points[2].x, m_points[2].y);
    const CDoublePoint correction = SnapOffset(lens.x, lens.y);
    x = correction.x;
    y = correction.y;
}

void CCamera::LowerElevations(const CPose*, double by) {
    m_fHeight -= by;
}

BOOL CCamera::GetLowestElevation(double& elevation) const {
    elevation = m_fHeight;
    return TRUE;
}

// ---- Record and copies ----

void CCamera::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        for (int i : kStoredOrder) ar << m_points[i].x << m_points[i].y;
        ar << m_nReserved1 << m_nReserved2;
        m_labelFont.Store(ar);
        ar << m_fHeight;
        return;
    }
    const int version = GetDocumentFileVersion();
    // Older point arrays lack the stored outline points: one zero point is added for each.
    if (version < kOutlinePointsVersion)
        for (int i = 0; i < static_cast<int>(std::size(kStoredOrder)); ++i) m_points.Add(0.0, 0.0);
    while (m_points.GetSize() < kPointCount) m_points.Add(0.0, 0.0);
    // Held as the common part holds its coordinates.
    for (int i : kStoredOrder) {
        const double x = CoordinateInRange(ReadDouble(ar));
        m_points[i] = {x, CoordinateInRange(ReadDouble(ar))};
    }
    ar >> m_nReserved1 >> m_nReserved2;
    m_labelFont.Load(ar);
    if (version >= kHeightVersion)
        ar >> m_fHeight;
}

void CCamera::RecreateResources(int recreate) {
    m_labelFont.RecreateResources(recreate);
}

void CCamera::CopyFrom(CPaint* other) {
    if (const CCamera* source = labelled::CopyLabelFont(*this, other)) {
        m_fHeight = source->m_fHeight;
        m_nReserved1 = source->m_nReserved1;
        m_nReserved2 = source->m_nReserved2;
    }
    CPaint::CopyFrom(other);
}

CPaint* CCamera::Clone() {
    auto* copy = new CCamera;
    copy->m_pTool = m_pTool;
    copy->CopyFrom(this);
    return copy;
}

// ---- 3D ----

// A camera inside a turned group looks where the group turns it: the world lens point and
// the heading with the group's angle added.
CameraAim CCamera::Aim(const CPose& frame) const {
    CameraAim aim;
    const CDoublePoint lens = LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y);
    aim.x = lens.x;
    aim.y = lens.y;
    aim.height = m_fHeight;
    aim.direction = m_pose.angle + frame.angle;
    // A cone edge dragged straight across the lens would ask for a view window of infinite width.
    aim.halfAngle = std::min(HalfAngle(), kWidestHalfAngle);
    return aim;
}

int CCamera::Update3D(const CPose* pose) {
    auto* doc = m_pTool != nullptr ? dynamic_cast<CCVNDoc*>(m_pTool->m_pHost) : nullptr;
    C3DViewServices* view = doc != nullptr ? doc->Active3DView() : nullptr;
    if (view == nullptr || !HasPoints())
        return 0;
    const CameraAim aim = Aim(FrameOf(pose));
    view->SetCameraFromObject(&aim);
    doc->UpdateAllViews();
    return 1;
}

// ---- Status ----

void CCamera::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr || !HasPoints())
        return;
    const CPose& frame = FrameOf(pose);
    CPieceStatusText& status = m_pTool->m_status;
    status.m_nKind = 5;
    status.m_strMeasure[5] =
        shape::PointText(m_pTool, LocalToWorldInFrame(frame, m_points[2].x, m_points[2].y));
    status.m_fRotation = shape::Degrees(m_pose.angle + frame.angle);
    status.m_strMeasure[9].Format("%.2f\xB0", status.m_fRotation);
    status.m_strMeasure[10] = shape::LengthText(m_pTool, m_fHeight);
}

void CCamera::AppendStatusText(CString& text) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    CString angles;
    angles.Format("; %.2f; %.2f", HalfAngle() * 114.5916, m_pTool->m_status.m_fRotation);
    // A height drag's label comes first.
    text += (text.IsEmpty() ? "" : "; ") + m_pTool->m_status.m_strMeasure[5] + angles;
}

// ---- Mirrors ----

int CCamera::MirrorY(double c) {
    m_pose.y = 2.0 * c - m_pose.y;
    m_pose.angle = Normalised(kTwoPi - m_pose.angle);
    return 1;
}

int CCamera::MirrorX(double c) {
    m_pose.x = 2.0 * c - m_pose.x;
    m_pose.angle = Normalised(kTwoPi - m_pose.angle);
    SavePose();
    const CDoublePoint lens = LocalToWorld(m_points[2].x, m_points[2].y);
    RotateFromSavedPose(kHalfTurn, lens.x, lens.y, 1);
    return 1;
}
