#include "drawing/AnnotationSupport.h"

#include <cmath>
#include <memory>

#include "drawing/ShapeSupport.h"
#include "model/CEditStep.h"
#include "model/CTool.h"
#include "model/RecordReading.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"

namespace annotation {

namespace {
constexpr int kVersionOutlinePoints = 7;
constexpr int kOutlinePoints = 5;
}  // namespace

void PrepareOutlinePoints(CPointArray& points, int fileVersion, int count) {
    if (fileVersion < kVersionOutlinePoints)
        for (int i = 0; i < kOutlinePoints; ++i) points.Add(0.0, 0.0);
    if (points.GetSize() < count)
        points.SetSize(count);
}

void SerializeOutlinePoints(CArchive& ar, CPointArray& points, int fileVersion, std::span<const int> order,
                            int count) {
    if (ar.IsStoring()) {
        for (int i : order) ar << points[i].x << points[i].y;
        return;
    }
    PrepareOutlinePoints(points, fileVersion, count);
    // Held as the common part holds its coordinates: a point beyond reach reaches no drawing.
    for (int i : order) {
        const double x = CoordinateInRange(ReadDouble(ar));
        points[i] = {x, CoordinateInRange(ReadDouble(ar))};
    }
}

void PushCornerUndo(CPaint& shape, const CPose& frame, int handle) {
    if (shape.m_pTool == nullptr || handle < 0 || handle >= shape.m_points.GetSize())
        return;
    const CDoublePoint corner =
        shape.LocalToWorldInFrame(frame, shape.m_points[handle].x, shape.m_points[handle].y);
    auto payload = std::make_unique<GeometryPayload>();
    payload->x = corner.x;
    payload->y = corner.y;
    payload->handle = handle;
    auto step = std::make_unique<CEditStep>(kStepChangeGeometry, &shape, 1);
    step->SetPayload(std::move(payload));
    shape.m_pTool->PushUndo(step.release());
}

void SaveRescaleReferences(CPaint& shape, int movedCorner, int anchorCorner) {
    shape::KeepRescalePoints(shape, shape.m_points[movedCorner], shape.m_points[anchorCorner]);
    shape.SavePose();
}

int RescaleBoxCorner(CPaint& shape, CEditStep* step, int movedCorner, int anchorCorner) {
    const RescalePayload* rescale = shape::RescaleOf(shape, step);
    if (rescale == nullptr || shape.m_points.GetSize() < kOutlinePoints)
        return 0;
    shape::PlaceBoxCorner(shape.m_points, movedCorner,
                          shape::RescaledFrom(*rescale, shape.m_points[anchorCorner]));
    shape::MoveOriginForRescale(shape, *rescale);
    return 1;
}

void SnapToNearestCorner(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& corners,
                         double x, double y, double& vectorX, double& vectorY) {
    CDoublePoint vector;
    if (!shape::NearestPointVector(shape, frame, corners, x, y, vector))
        return;
    vectorX = vector.x;
    vectorY = vector.y;
}

void SmallestCornerCorrection(CPaint& shape, const CPose& frame, const std::vector<CDoublePoint>& corners,
                              double& x, double& y) {
    CDoublePoint correction;
    if (!shape::SmallestSnapCorrection(shape, frame, corners, correction))
        return;
    x = correction.x;
    y = correction.y;
}

void BeginBoxRotation(CPaint& shape, const CPose& frame, int corner, int oppositeCorner) {
    shape::BeginRotationBetween(shape, frame, shape.m_points[corner], shape.m_points[oppositeCorner]);
}

void DragBoxCorner(CPaint& shape, const CPose* pose, const CPose& frame, int handle) {
    shape.Invalidate();
    const CDoublePoint local =
        shape.WorldToLocalInFrame(frame, shape.m_pTool->m_fCurrentX, shape.m_pTool->m_fCurrentY);
    shape.MoveBoxCorner(handle, local.x, local.y, nullptr);
    shape.GetBounds(pose, shape.m_fMinX, shape.m_fMinY, shape.m_fMaxX, shape.m_fMaxY);
    shape.Invalidate();
}

CPieceStatusText& ShowStatus(CPaint& shape, const CPose& frame, CDoublePoint first, CDoublePoint second,
                             int kind) {
    CTool* tool = shape.m_pTool;
    CPieceStatusText& status = tool->m_status;
    status.m_strName = shape.m_strName;
    status.m_strMeasure[0] = shape::PointText(tool, shape.LocalToWorldInFrame(frame, first.x, first.y));
    status.m_strMeasure[1] = shape::PointText(tool, shape.LocalToWorldInFrame(frame, second.x, second.y));
    status.m_fRotation = shape::Degrees(shape.m_pose.angle + frame.angle);
    status.m_nKind = kind;
    return status;
}

void ShowBoxStatus(CPaint& shape, const CPose& frame, CDoublePoint first, CDoublePoint second, double height,
                   double width, int kind) {
    CPieceStatusText& status = ShowStatus(shape, frame, first, second, kind);
    status.m_strMeasure[2] = shape::LengthText(shape.m_pTool, height);
    status.m_strMeasure[3] = shape::LengthText(shape.m_pTool, width);
}

void MirrorPoints(CPaint& shape, double c, double CDoublePoint::*axis) {
    double& placed = axis == &CDoublePoint::x ? shape.m_pose.x : shape.m_pose.y;
    placed = 2.0 * c - placed;
    shape.m_pose.angle = kFullTurn - shape.m_pose.angle;
    for (int i = 1; i < shape.m_points.GetSize(); ++i) shape.m_points[i].*axis = -(shape.m_points[i].*axis);
}

bool CursorInsideBox(const CPaint& shape, CDoublePoint corner, CDoublePoint opposite) {
    const CDoublePoint p = shape.WorldToLocal(shape.m_pTool->m_fCurrentX, shape.m_pTool->m_fCurrentY);
    return std::fmin(corner.x, opposite.x) < p.x && p.x < std::fmax(corner.x, opposite.x) &&
           std::fmin(corner.y, opposite.y) < p.y && p.y < std::fmax(corner.y, opposite.y);
}

void RefreshBounds(CPaint& shape, const CPose* pose) {
    shape.GetBounds(pose, shape.m_fMinX, shape.m_fMinY, shape.m_fMaxX, shape.m_fMaxY);
    shape.Invalidate();
}

}  // namespace annotation
