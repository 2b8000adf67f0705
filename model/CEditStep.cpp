#include "model/CEditStep.h"

#include "model/CPaint.h"

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

void StyleBackupsPayload::Forget(CPaint* object) {
    std::erase_if(backups, [object](const Backup& backup) { return backup.object == object; });
}

void PlacementsPayload::Add(CPaint* object, const CPose& pose) {
    const CDoublePoint handle = object->m_points.GetSize() > 0 ? object->m_points[0] : CDoublePoint{};
    placements.push_back({object, pose, handle});
}

void PlacementsPayload::Forget(CPaint* object) {
    std::erase_if(placements, [object](const Placement& placement) { return placement.object == object; });
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
