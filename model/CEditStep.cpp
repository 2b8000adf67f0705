#include "model/CEditStep.h"

#include "model/CPaint.h"
#include "model/CTool.h"

int RecordOrApply(CPaint& object, std::unique_ptr<CEditStep> step, bool record) {
    if (!record)
        return object.ApplyEditStep(step.get());
    if (object.m_pTool == nullptr)
        return 0;
    object.m_pTool->PushUndo(step.release());
    return 1;
}

ObjectCopyPayload::~ObjectCopyPayload() {
    if (object == nullptr)
        return;
    object->ReleaseData();
    delete object;
}

StyleBackupsPayload::~StyleBackupsPayload() {
    for (Backup& backup : backups)
        if (backup.former != nullptr)
            backup.former->ReleaseData();
}

void StyleBackupsPayload::Forget(const CFreedObjects& objects) {
    std::erase_if(backups, [&objects](const Backup& backup) { return objects.contains(backup.object); });
}

void PlacementsPayload::Add(CPaint* object, const CPose& pose) {
    const CDoublePoint handle = object->m_points.GetSize() > 0 ? object->m_points[0] : CDoublePoint{};
    placements.push_back({object, pose, handle});
}

void PlacementsPayload::Forget(const CFreedObjects& objects) {
    std::erase_if(placements,
                  [&objects](const Placement& placement) { return objects.contains(placement.object); });
}

CEditStep::CEditStep(int kind, CPaint* object, int groupStart)
    : m_nKind(kind), m_pObject(object), m_bGroupStart(groupStart) {}

namespace {

void Destroy(CPaint*& object) {
    CPaint* doomed = object;
    object = nullptr;
    doomed->ReleaseData();
    delete doomed;
}

}  // namespace

CEditStep::~CEditStep() {
    if (OwnsObject())
        Destroy(m_pObject);
    if (OwnsResult())
        Destroy(m_pResult);
}
