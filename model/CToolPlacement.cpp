#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/ObjectFactory.h"

CPaint* CTool::CreateObjectForTool(int mode) {
    const int kind = GetCreateKindForTool(mode);
    if (kind == 0)
        return nullptr;
    CEditStep create(kind, nullptr, 1);
    return Execute(&create) ? create.m_pObject : nullptr;
}

int CTool::ExecuteCreate(CEditStep* step) {
    CPaint* object = MakeObjectForKind(step->m_nKind, this);
    if (object == nullptr)
        return 0;
    object->SetLayer(m_nActiveLayer);
    if (m_pHost != nullptr)
        object->SetOwnerGroup(dynamic_cast<CGroup*>(m_pHost->GetRootGroup()));
    object->SetParentPose(nullptr);
    step->m_pObject = object;
    return 1;
}

int CTool::PlaceNewObject(CPaint* object, double x, double y, CGroup* group, int groupStart) {
    DeselectAll(1, 1);
    CEditStep place(kStepPlaceNewObject, object, 1);
    auto payload = std::make_unique<PlacePayload>();
    payload->x = x;
    payload->y = y;
    payload->group = group;
    place.SetPayload(std::move(payload));
    const int done = Execute(&place);
    if (done)
        PushUndo(new CEditStep(kStepRemoveObject, object, groupStart));
    return done;
}

int CTool::ExecutePlace(CEditStep* step) {
    PlacePayload* place = step->GetPayload<PlacePayload>();
    CPaint* object = step->m_pObject;
    CGroup* group = place != nullptr && place->group != nullptr ? place->group : GetCurrentGroup();
    if (place == nullptr || object == nullptr || group == nullptr)
        return 0;
    const CPose world = group->WorldPose(nullptr);
    object->SetLayer(m_nActiveLayer);
    object->SetOwnerGroup(group);
    group->m_members.push_front(object);
    object->SelectWithUndo(0, 0);
    object->SetParentPose(&world);
    object->SavePose();
    const CDoublePoint origin = object->LocalToWorld(0.0, 0.0);
    object->MoveFromSavedPose(place->x - origin.x, place->y - origin.y, 1);
    return 1;
}

int CTool::AddObjectWithUndo(CPaint* object, int record, int groupStart) {
    CEditStep reinsert(kStepReinsertObject, object, 1);
    const int done = Execute(&reinsert);
    if (done && record)
        PushUndo(new CEditStep(kStepRemoveObject, object, groupStart));
    return done;
}

int CTool::ExecuteReinsert(CEditStep* step) {
    CPaint* object = step->m_pObject;
    if (m_pHost == nullptr || object == nullptr)
        return 0;
    m_pHost->ReinsertIntoOwnerGroup(object);
    object->SelectWithUndo(0, 0);
    // The object comes back as it left: the rebuild readies what it draws with, but what it
    // stores of its shape, handles placed for the zoom of their day among it, stays as it was.
    CPointArray points;
    points.Copy(object->m_points);
    const double extent[] = {object->m_fMinX, object->m_fMinY, object->m_fMaxX, object->m_fMaxY};
    object->RebuildShape();
    object->m_points = std::move(points);
    object->m_fMinX = extent[0];
    object->m_fMinY = extent[1];
    object->m_fMaxX = extent[2];
    object->m_fMaxY = extent[3];
    object->RecreateResources(1);
    object->Update3D(nullptr);
    object->Invalidate();
    step->m_pObject = nullptr;
    return 1;
}

int CTool::ExecuteRemove(CEditStep* step) {
    CPaint* object = step->m_pObject;
    if (object == nullptr)
        return 1;
    object->Invalidate();
    if (!DetachObject(object))
        return 1;
    object->Remove3D();
    object->ReleaseData();
    delete object;
    return 1;
}

int CTool::MoveSelection(double dx, double dy, int relative, int record, int groupStart) {
    if (m_pHost == nullptr)
        return 0;
    const CPaintList& selected = m_pHost->GetSelection();
    if (std::all_of(selected.begin(), selected.end(), [](CPaint* p) { return p->m_bLocked != 0; }))
        return 0;
    // A move measured from the saved placement starts from there.
    std::unique_ptr<CEditStep> formerPlacements;
    if (record)
        formerPlacements = FormerPlacementsOf(selected, relative != 0, groupStart);
    CEditStep move(kStepMoveSelection, nullptr, 0);
    auto payload = std::make_unique<MovePayload>();
    payload->dx = dx;
    payload->dy = dy;
    payload->relative = relative;
    move.SetPayload(std::move(payload));
    const int done = Execute(&move);
    if (done && record)
        PushUndo(formerPlacements.release());
    return done;
}

std::unique_ptr<CEditStep> CTool::FormerPlacementsOf(const CPaintList& objects, bool saved, int groupStart) {
    auto step = std::make_unique<CEditStep>(kStepRestorePlacements, nullptr, groupStart);
    auto payload = std::make_unique<PlacementsPayload>();
    for (CPaint* object : objects)
        if (!object->m_bLocked)
            payload->Add(object, saved ? object->GetSavedPose() : object->m_pose);
    step->SetPayload(std::move(payload));
    return step;
}

int CTool::ExecuteRestorePlacements(CEditStep* step) {
    PlacementsPayload* payload = step->GetPayload<PlacementsPayload>();
    if (payload == nullptr)
        return 0;
    for (const PlacementsPayload::Placement& placement : payload->placements) {
        CPaint* object = placement.object;
        object->RestorePlacement(placement.pose);
        if (step->m_bGroupStart)
            object->Update3D(nullptr);
        object->RebuildShape();
        if (object->m_points.GetSize() > 0)
            object->m_points[0] = placement.handle;
    }
    return 1;
}

int CTool::ExecuteMove(CEditStep* step) {
    MovePayload* move = step->GetPayload<MovePayload>();
    if (move == nullptr || m_pHost == nullptr)
        return 0;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        object->MoveFromSavedPose(move->dx, move->dy, move->relative);
        if (step->m_bGroupStart)
            object->Update3D(nullptr);
        object->RebuildShape();
    }
    return 1;
}

int CTool::RotateSelection(double angle, const CDoublePoint* pivot, int relative, int record,
                           int groupStart) {
    if (m_pHost == nullptr || m_pHost->GetSelection().empty())
        return 0;
    const CPaintList selected = m_pHost->GetSelection();
    CDoublePoint centre;
    if (pivot != nullptr) {
        centre = *pivot;
    } else {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        bool first = true;
        for (CPaint* object : selected) {
            double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
            object->GetBounds(nullptr, x0, y0, x1, y1);
            minX = first ? x0 : std::min(minX, x0);
            minY = first ? y0 : std::min(minY, y0);
            maxX = first ? x1 : std::max(maxX, x1);
            maxY = first ? y1 : std::max(maxY, y1);
            first = false;
            object->SavePose();
        }
        centre = {(minX + maxX) * 0.5, (minY + maxY) * 0.5};
    }
    // Undo puts back the objects' former states: turning them back would leave rounding.
    std::vector<std::unique_ptr<CEditStep>> formerStates;
    if (record)
        formerStates = FormerStatesOfChangedObjects(groupStart);
    CEditStep rotate(kStepRotateSelection, nullptr, 1);
    auto payload = std::make_unique<RotatePayload>();
    payload->pivotX = centre.x;
    payload->pivotY = centre.y;
    payload->angle = angle;
    payload->relative = relative;
    rotate.SetPayload(std::move(payload));
    const int done = Execute(&rotate);
    if (pivot == nullptr)
        for (CPaint* object : selected) object->FinishCreate(nullptr, 0);
    if (done)
        PushSteps(formerStates);
    return done;
}

// The steps that put back the selected objects, or the whole of an open group whose frame
// follows its members, exactly as they stand now.
std::vector<std::unique_ptr<CEditStep>> CTool::FormerStatesOfChangedObjects(int groupStart) {
    CGroup* current = GetCurrentGroup();
    const CPaintList changed =
        current == nullptr || IsRootGroup(current) ? m_pHost->GetSelection() : CPaintList{current};
    return FormerStatesOf(changed, groupStart);
}

// An inverse turn, mirror or change of frame would leave rounding in the last bits of the
// placements, where a copy of each object puts it back exactly.
std::vector<std::unique_ptr<CEditStep>> CTool::FormerStatesOf(const CPaintList& objects, int groupStart) {
    std::vector<std::unique_ptr<CEditStep>> steps;
    for (CPaint* object : objects) {
        auto back =
            std::make_unique<CEditStep>(kStepRestoreProperties, object, steps.empty() ? groupStart : 0);
        back->SetPayload(std::make_unique<ObjectCopyPayload>(object->Clone()));
        steps.push_back(std::move(back));
    }
    return steps;
}

void CTool::PushSteps(std::vector<std::unique_ptr<CEditStep>>& steps) {
    for (std::unique_ptr<CEditStep>& step : steps) PushUndo(step.release());
}

int CTool::ExecuteRotate(CEditStep* step) {
    RotatePayload* rotate = step->GetPayload<RotatePayload>();
    if (rotate == nullptr || m_pHost == nullptr)
        return 0;
    const CPaintList selected = m_pHost->GetSelection();
    for (CPaint* object : selected) {
        object->RotateFromSavedPose(rotate->angle, rotate->pivotX, rotate->pivotY, rotate->relative);
        object->RebuildShape();
    }
    return 1;
}
