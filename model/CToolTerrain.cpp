#include "model/CGroundSurface.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTerrainPass.h"
#include "model/CTerrainSurface.h"
#include "model/CTool.h"
#include "model/CToolHost.h"

namespace {

bool LiesOnBase(const CString& name) {
    for (const char* kind : {"CSplineTrack", "CTrack", "CArcTrack", "CCircTrack", "C3D", "CSprite"})
        if (name == kind)
            return true;
    return false;
}

CTerrainSurface* AsTerrain(CPaint* object) {
    if (object->GetClassName() != "CMount")
        return nullptr;
    return dynamic_cast<CTerrainSurface*>(object);
}

}  // namespace

void CTool::ConformTracksToTerrain() {
    const CPaintList members = CurrentGroupMembers();
    // Each height records a step of its own; one Undo takes them all back, and only them.
    const unsigned long before = m_nLastSerial;
    for (CPaint* member : members)
        if (member->IsSelected() && LiesOnBase(member->GetClassName()))
            member->PlaceOnBase();
    OpenUndoGroupAfter(before);
    for (CPaint* member : members)
        if (member->IsSelected())
            member->Update3D(&member->m_parentPose);
}

std::vector<CPaint*> CTool::CurrentTerrains() const {
    if (m_pPassTerrains != nullptr)
        return *m_pPassTerrains;
    std::vector<CPaint*> terrains;
    const CGroup* group = GetCurrentGroup();
    if (group == nullptr)
        return terrains;
    for (CPaint* member : group->m_members)
        if (member->GetClassName() == "CMount" && dynamic_cast<CGroundSurface*>(member) != nullptr)
            terrains.push_back(member);
    return terrains;
}

void CTool::ConformTerrain() {
    if (m_pHost != nullptr)
        m_pHost->BeginWaitCursor();
    // The pieces take the terrain's heights, which decide whether their ends join.
    m_trackEndFollower.Lose();
    const CPaintList members = CurrentGroupMembers();
    const CTerrainPass pass(*this);
    // Every terrain takes every cut before anything is rebuilt.
    for (CPaint* member : members) member->ConformToTerrain(1);
    for (CPaint* member : members) {
        if (!member->m_bConformed)
            continue;
        if (CTerrainSurface* terrain = AsTerrain(member))
            terrain->SetRebuild(1);
        member->Update3D(&member->m_parentPose);
    }
    for (CPaint* member : members) member->m_bConformed = 0;
    if (m_pHost != nullptr)
        m_pHost->EndWaitCursor();
    m_bTerrainConformed = 1;
}

void CTool::RestoreTerrain() {
    for (CPaint* member : CurrentGroupMembers()) {
        CTerrainSurface* terrain = AsTerrain(member);
        if (terrain == nullptr)
            continue;
        terrain->ClearCuts();
        terrain->SetRebuild(1);
        member->Update3D(&member->m_parentPose);
    }
    m_bTerrainConformed = 0;
}
