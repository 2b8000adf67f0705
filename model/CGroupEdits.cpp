#include <cmath>
#include <limits>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"

namespace {

constexpr int kRotationHandle = 0;
constexpr int kCornerHandle = 3;
constexpr int kBody = -1;

// The rescale factor of a corner drag to (lx, ly) from a frame of the saved size; a size
// with all magnitude bits zero (either signed zero) counts as zero.
double CornerFactor(double lx, double ly, double width, double height) {
    const bool noWidth = width == 0.0;
    const bool noHeight = height == 0.0;
    if (noWidth && !noHeight)
        return ly / height;
    if (noHeight && !noWidth)
        return lx / width;
    if (!noWidth && !noHeight)
        return std::max(ly / height, lx / width);
    return 1.0;
}

}  // namespace

// ---- Handle edits ----

void CGroup::TrackCreate(const CPose* pose, int handle) {
    ComputeExtent(pose);
    if (handle == kRotationHandle) {
        CPaint::TrackCreate(pose, handle);
        SavePose();
        if (m_pTool != nullptr) {
            const CDoublePoint centre =
                LocalToWorldInFrame(FrameOf(pose), m_fFrameWidth / 2.0, m_fFrameHeight / 2.0);
            m_pTool->BeginRotation(centre.x, centre.y);
        }
    } else {
        RecalcBounds();
        Invalidate();
        if (handle == kCornerHandle || handle == kBody) {
            SetEditState(-1);
            const CPose world = WorldPose(pose);
            for (CPaint* member : m_members) member->TrackCreate(&world, kBody);
            SavePose();
            m_fRescaleAX = m_fFrameWidth;
            m_fRescaleAY = m_fFrameHeight;
            m_fRescaleBX = handle == kCornerHandle ? 0.0 : m_pose.x;
            m_fRescaleBY = handle == kCornerHandle ? 0.0 : m_pose.y;
        }
    }
    if (m_bBeingEdited)
        CPaint::SavePose();
}

void CGroup::DragHandle(const CPose* pose, int handle) {
    if (handle == kCornerHandle && m_pTool != nullptr) {
        CDoublePoint local = WorldToLocalInFrame(FrameOf(pose), m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
        // The frame never shrinks below one track gauge along its longer side.
        const double least = m_pTool->m_fScaleGauge;
        if (local.y <= local.x) {
            if (local.x < least)
                local.x = least;
        } else if (local.y < least) {
            local.y = least;
        }
        RescaleWithUndo(pose, CornerFactor(local.x, local.y, m_fRescaleAX, m_fRescaleAY), 0);
    }
    ComputeExtent(pose);
}

int CGroup::FinishCreate(const CPose* pose, int flag) {
    CPaint::FinishCreate(pose, flag);
    SetEditState(-1);
    UpdateAnchorPoint();
    return 1;
}

int CGroup::Rescale(CEditStep* step) {
    const RescalePayload* rescale = step->GetPayload<RescalePayload>();
    if (rescale == nullptr)
        return 0;
    Invalidate();
    const CPose world = WorldPose(nullptr);
    for (CPaint* member : m_members) member->RescaleWithUndo(&world, rescale->factor, 0);
    RecalcFrame();
    m_pose.x = rescale->saved.x + (rescale->factor - 1.0) * rescale->bx;
    m_pose.y = rescale->saved.y + (rescale->factor - 1.0) * rescale->by;
    // The members follow the origin where it was put back.
    const CPose parent = m_parentPose;
    SetParentPose(&parent);
    ComputeExtent(&parent);
    Invalidate();
    return 1;
}

// ---- Turns caused by a track snap ----

void CGroup::TurnAboutSnapPivot(const CPose* pose, double turn) {
    Invalidate();
    const CPose& frame = FrameOf(pose);
    const CPose parent = frame;
    const CDoublePoint pivot = CPose().WorldToLocal(parent, m_pTool->m_fSnapPivotX, m_pTool->m_fSnapPivotY);
    m_pose.angle += turn;
    const CDoublePoint origin = RotatePoint(pivot.x, pivot.y, turn, m_pose.x, m_pose.y);
    m_pose.x = origin.x + m_pTool->m_fSnapOffsetX;
    m_pose.y = origin.y + m_pTool->m_fSnapOffsetY;
    const CPose world = WorldPose(&parent);
    LowerElevations(&world, m_pTool->m_fSnapElevation);
    SetParentPose(&parent);
    ComputeExtent(&parent);
}

void CGroup::RotateWithPivot(const CPose* pose) {
    if (m_pTool == nullptr)
        return;
    TurnAboutSnapPivot(pose, m_pTool->m_fSnapAngle + (m_pTool->m_bHalfTurn ? kPi : 0.0));
}

void CGroup::RotateWithPivotHalfTurn(const CPose* pose) {
    if (m_pTool == nullptr)
        return;
    // The members take the new placement here too, or they would stay drawn and hit where
    // the group was before the turn.
    TurnAboutSnapPivot(pose, m_pTool->m_fSnapAngle + kPi);
}

// ---- Mirrors ----

void CGroup::MirrorMembers(bool vertical) {
    m_pose.angle = kFullTurn - m_pose.angle;
    const CPose edited = m_pTool != nullptr ? m_pTool->GetCurrentGroupPose() : CPose();
    CPaint::SetParentPose(&edited);
    for (CPaint* member : m_members) {
        if (vertical)
            member->MirrorY(0.0);
        else
            member->MirrorX(0.0);
    }
    RecalcFrame();
}

int CGroup::MirrorY(double c) {
    m_pose.y = 2.0 * c - m_pose.y;
    MirrorMembers(true);
    return 1;
}

int CGroup::MirrorX(double c) {
    m_pose.x = 2.0 * c - m_pose.x;
    MirrorMembers(false);
    return 1;
}

// ---- Snapping ----

void CGroup::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    const CPose& frame = FrameOf(pose);
    double best = std::numeric_limits<double>::infinity();
    for (int index : {2, 0, 1, 3}) {
        const CDoublePoint local = FrameCorner(index);
        const CDoublePoint corner = LocalToWorldInFrame(frame, local.x, local.y);
        const double length = VectorLength(corner.x - x, corner.y - y);
        if (length < best) {
            best = length;
            vectorX = corner.x - x;
            vectorY = corner.y - y;
        }
    }
}

void CGroup::NearestEndPoint(double& x, double& y, const CPose* pose) {
    double best = std::numeric_limits<double>::infinity();
    x = 0.0;
    y = 0.0;
    auto offer = [&](double vx, double vy) {
        const double length = VectorLength(vx, vy);
        if (length < best) {
            best = length;
            x = vx;
            y = vy;
        }
    };
    if (IsSelected()) {
        const CPose& frame = FrameOf(pose);
        for (int index = 0; index < 4; ++index) {
            const CDoublePoint local = FrameCorner(index);
            const CDoublePoint corner = LocalToWorldInFrame(frame, local.x, local.y);
            const CDoublePoint correction = SnapOffset(corner.x, corner.y);
            offer(correction.x, correction.y);
        }
        return;
    }
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members) {
        if (!member->IsSelected())
            continue;
        double vx = kNone, vy = kNone;
        member->NearestEndPoint(vx, vy, &world);
        offer(vx, vy);
    }
}

// ---- Moving members while the group is open ----

void CGroup::MoveSelectedMembers(const CPose* pose, double dx, double dy) {
    // A selection already on its snap point records nothing, so Undo never takes back a
    // gesture that changed nothing.
    const bool moves = dx != 0.0 || dy != 0.0;
    if (moves && VectorLength(dx, dy) < kNone && m_pTool != nullptr) {
        // One step puts every moved member back where it was dropped, or the whole open group,
        // whose frame follows its members, as it stood; it belongs to the gesture's undo group,
        // never to the command before it.
        auto former = std::make_unique<PlacementsPayload>();
        for (CPaint* member : m_members)
            if (member->IsSelected() && !member->m_bLocked)
                former->Add(member, member->m_pose);
        if (!former->placements.empty()) {
            const int groupStart = m_pTool->GestureGroupStart();
            std::unique_ptr<CEditStep> step;
            if (m_bBeingEdited) {
                step = std::make_unique<CEditStep>(kStepRestoreProperties, this, groupStart);
                step->SetPayload(std::make_unique<ObjectCopyPayload>(Clone()));
            } else {
                step = std::make_unique<CEditStep>(kStepRestorePlacements, nullptr, groupStart);
                step->SetPayload(std::move(former));
            }
            m_pTool->PushUndo(step.release());
        }
        // The selection already stands where it was dropped; the correction adds to that.
        for (CPaint* member : m_members)
            if (member->IsSelected())
                member->MoveFromSavedPose(dx, dy, 0);
    }
    if (m_bBeingEdited) {
        ComputeExtent(pose);
        RecalcFrame();
        ComputeExtent(pose);
    }
}
