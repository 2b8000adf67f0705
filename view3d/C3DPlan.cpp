#include <cmath>

#include "drawing/AnnotationSupport.h"
#include "drawing/CShapePen.h"
#include "drawing/ShapeSupport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/CToolMode.h"
#include "model/CatalogueDefaults.h"
#include "platform/gdi/CDC.h"
#include "platform/r3d/Clump.h"
#include "platform/win/WinDefs.h"
#include "view3d/C3D.h"
#include "view3d/C3DPropertyDialog.h"
#include "view3d/CreationDialog.h"
#include "view3d/CrossBox.h"
#include "view3d/HeightDrag.h"

// A 3D shape on the plan: its cross box or footprint, hit tests, handles, the Ctrl height drag
// and its properties.

namespace {

// Dragged corner and the opposite corner it moves against, by handle.
constexpr int kOpposite[] = {0, 3, 4, 1, 2};

}  // namespace

int C3D::Draw(const CPose* parent) {
    if (!CPaint::Draw(parent) || !HasPoints() || m_pTool->GetTargetDC() == nullptr)
        return 0;
    const CPose& frame = FrameOf(parent);
    // A shape read from a file or pasted draws its footprint from a model built on demand.
    if (m_bShowOn2DPlan && m_hModel == nullptr && !m_strModelFile.IsEmpty() && !m_bMissingReported)
        Update3D(parent);
    CDC& dc = *m_pTool->GetTargetDC();
    {
        CShapePen pen(*this, dc);
        const bool footprint = m_hModel != nullptr && !m_footprint.empty() && m_bShowOn2DPlan;
        if (footprint && GetEditState() == -1)
            for (const r3d::Polygon& polygon : m_hModel->Polygons()) DrawFootprintPolygon(polygon);
        else if (m_bShowBoxWhenGrouped || !m_bGrouped)
            DrawCrossBox(*m_pTool, CPlacement(m_pose, frame), Corners());
    }
    if (shape::ShowsHandles(*this))
        shape::DrawBoxHandles(*this, frame);
    return 1;
}

// The polygon's own vertex count sizes the walk, and a vertex whose read failed has no
// footprint point: the polygon ends there.
void C3D::DrawFootprintPolygon(const r3d::Polygon& polygon) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr)
        return;
    const int count = static_cast<int>(m_footprint.size());
    bool first = true;
    for (int index : polygon.vertices) {
        if (index < 1 || index > count)
            return;
        const CDoublePoint& world = m_footprint[static_cast<size_t>(index - 1)];
        const CPoint device = m_pTool->LayoutToDevice(world.x, world.y, 0);
        if (first)
            dc->MoveTo(device);
        else
            dc->LineTo(device);
        first = false;
    }
}

CPaint* C3D::HitTest() {
    if (m_pTool == nullptr || !HasPoints())
        return nullptr;
    if (shape::IsBandSet(m_pTool->m_rcRubberBand))
        return shape::BandHitsShape(*this, Corners(), true) ? this : nullptr;
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    if ((m_bShowOn2DPlan || (m_bGrouped && !m_bShowBoxWhenGrouped)) &&
        annotation::CursorInsideBox(*this, m_points[1], m_points[3]))
        return this;
    const std::vector<CDoublePoint> corners = Corners();
    const std::vector<CDoublePoint> lines = {corners[0], corners[1], corners[2], corners[3],
                                             corners[0], corners[2], corners[1], corners[3]};
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (i != 4 && i != 6 &&
            HitTestSegment(&m_parentPose, lines[i].x, lines[i].y, lines[i + 1].x, lines[i + 1].y))
            return this;
    return HitTestSegment(&m_parentPose, lines[4].x, lines[4].y, lines[5].x, lines[5].y) ||
                   HitTestSegment(&m_parentPose, lines[6].x, lines[6].y, lines[7].x, lines[7].y)
               ? this
               : nullptr;
}

void C3D::TrackCreate(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints())
        return;
    Invalidate();
    const bool creating = m_pTool->m_toolMode == kTool3DObject;
    const CPose& frame = FrameOf(pose);
    if (!creating) {
        if (handle == -1) {
            annotation::SaveRescaleReferences(*this, 3, 1);
            m_fSavedHeight = m_fHeight;
        }
        if (handle <= 0)
            CPaint::TrackCreate(pose, handle);
        else
            RecalcBounds();
    }
    if (handle == 0) {
        SavePose();
        const CDoublePoint centre = BoxCentre();
        const CDoublePoint world = LocalToWorldInFrame(frame, centre.x, centre.y);
        m_pTool->BeginRotation(world.x, world.y);
    } else if (handle >= 1 && handle <= 4 && !creating && (m_pTool->m_nMouseFlags & MK_CONTROL) != 0) {
        m_pTool->m_toolMode.Set(kToolDragHandle);
        m_fSavedHeight = m_fHeight;
        SetEditState(3);
    }
    Invalidate();
}

void C3D::DragHandle(const CPose* pose, int handle) {
    if (m_pTool == nullptr || !HasPoints() || handle < 1 || handle > 4)
        return;
    Invalidate();
    const CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (IsResizeable() && GetEditState() == 3)
        DragHeight(pose, local, handle, kOpposite[handle]);
    else if (IsResizeable())
        MoveBoxCorner(handle, local.x, local.y, nullptr);
    else
        UpdateAnchorPoint();
    GetBounds(pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    Invalidate();
}

void C3D::DragHeight(const CPose* pose, CDoublePoint cursor, int grabbed, int opposite) {
    const CDoublePoint a = m_points[grabbed], b = m_points[opposite];
    double along = 0.0;
    if (height_drag::DistanceAlong(cursor, a, b, height_drag::DeadZone(*m_pTool), along))
        m_fHeight = m_fSavedHeight + along;
    if (m_fHeight < 0.0)
        m_fHeight = 0.0;
    const CPose& frame = FrameOf(pose);
    height_drag::ShowHeightHint(*m_pTool, m_fHeight, LocalToWorldInFrame(frame, a.x, a.y),
                                LocalToWorldInFrame(frame, b.x, b.y));
}

int C3D::FinishCreate(const CPose* pose, int flag) {
    const bool valid = !IsInvalid(0);
    if (m_pTool == nullptr)
        return valid ? 1 : 0;
    if (m_pTool->m_toolMode != kTool3DObject) {
        if (GetEditState() == 3)
            Update3D(pose);
        const int result = CPaint::FinishCreate(pose, flag);
        SetEditState(-1);
        Invalidate();
        return result;
    }
    RunCreationDialog(*m_pTool, [&] {
        if (valid)
            RunDialog(pose, true);
    });
    if ((m_pTool->m_keyState[kCapsLockKey] & 1) != 0)
        m_pTool->m_toolMode.Set(kToolSelector);
    Invalidate();
    SetEditState(-1);
    return valid ? 1 : 0;
}

int C3D::Edit3DProperties(int) {
    EditProperties(nullptr);
    return 1;
}

int C3D::EditProperties(const CPose* pose) {
    return RunDialog(pose, false);
}

// A new shape opens the dialog in its creation form: only the shape itself can change.
int C3D::RunDialog(const CPose* pose, bool creating) {
    RefreshElevationFromModel();
    C3DPropertyDialog dialog;
    const BOOL multiple = m_pTool != nullptr && m_pTool->GetSelectedCount() > 1;
    const CPose* clicked = creating ? nullptr : pose;
    dialog.SetObject(this, multiple, clicked);
    if (dialog.DoModal() != IDOK)
        return 0;
    Invalidate();
    C3D* result = nullptr;
    int mode = 0;
    // A new shape is built by the apply, even when the dialog changed nothing.
    if (dialog.GetResult(result, mode) &&
        (creating || !DropsUntouchedResult(result, mode, clicked, multiple)))
        ApplyDialogResult(pose, result, mode);
    return 1;
}

// No undo step is recorded, but the layout counts as changed, so closing it asks to save.
void C3D::ApplyDialogResult(const CPose* pose, C3D* result, int mode) {
    const std::vector<BYTE> storedBefore = StoredBytes();
    CompareProperties(result);
    m_bNeedsRebuild = 1;
    if (mode == 0) {
        Invalidate();
        const int selected = m_bSelected;
        CopyFrom(result);
        m_bSelected = selected;
        // From the group dialog, without a placement, the model takes its own frame.
        Update3D(pose);
        Invalidate();
    } else if (m_pTool != nullptr && m_pTool->m_pHost != nullptr &&
               m_pTool->m_pHost->GetRootGroup() != nullptr) {
        const CPose identity;
        m_pTool->m_pHost->GetRootGroup()->ApplyStyle(&identity, result, mode);
    }
    if (mode == 0)
        MarkChangedSince(storedBefore);
    else if (m_pTool != nullptr)
        m_pTool->MarkChangedOutsideUndo();
    result->ReleaseData();
    delete result;
}
