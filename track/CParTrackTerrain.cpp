#include <algorithm>

#include "model/CEditStep.h"
#include "model/CGroundSurface.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "track/CParTrack.h"

// A piece on benchwork and terrain: its ends placed on what lies under them, its bed cut into
// the terrains of its group and taken out again.

namespace {

bool IsGround(CPaint* member) {
    const CString name = member->GetClassName();
    return name == "CBenchwork" || name == "CMount";
}

const CPaintList* CurrentMembers(CTool* tool) {
    CGroup* group = tool != nullptr ? tool->GetCurrentGroup() : nullptr;
    return group != nullptr ? &static_cast<const CPaintList&>(group->m_members) : nullptr;
}

}  // namespace

void CParTrack::PlaceOnBase() {
    const CPaintList* members = CurrentMembers(m_pTool);
    if (members == nullptr)
        return;
    const double roadbed =
        m_pTool->m_pDefaultTrack != nullptr ? m_pTool->m_pDefaultTrack->m_fRoadbedHeight : 0.0;
    for (int end = 0; end < 2; ++end) {
        const CDoublePoint probe = EndWorldPoint(nullptr, end);
        m_pTool->m_fProbeX = probe.x;
        m_pTool->m_fProbeY = probe.y;
        double highest = 0.0;
        for (CPaint* member : *members) {
            auto* ground = dynamic_cast<CGroundSurface*>(member);
            if (ground != nullptr && IsGround(member) && member->m_nLayer == m_nLayer &&
                ground->PtInOutline())
                highest = std::max(highest, ground->GetTopAt(probe.x, probe.y));
        }
        double& elevation = end == 0 ? m_fBeginElevation : m_fEndElevation;
        const double old = elevation;
        elevation = roadbed + highest;
        SetHeight(end + 1, old, 0, 1, 0);
    }
}

int CParTrack::ApplyHeightStep(CEditStep* step) {
    const HeightPayload* height = step->GetPayload<HeightPayload>();
    if (height == nullptr || (height->index != 1 && height->index != 2))
        return 0;
    (height->index == 1 ? m_fBeginElevation : m_fEndElevation) = height->value;
    return 1;
}

void CParTrack::ConformToTerrain(int report) {
    const CPaintList* members = CurrentMembers(m_pTool);
    if (members == nullptr || m_pTool->m_pHost == nullptr || !m_pTool->m_pHost->Has3DWindow() ||
        !m_pTool->IsLayerVisible(m_nLayer))
        return;
    for (CPaint* terrain : m_pTool->CurrentTerrains()) {
        const int was = IsCutInto(terrain);
        dynamic_cast<CGroundSurface*>(terrain)->CutTrackBed(this, report);
        if (IsCutInto(terrain) || was)
            m_bConformed = 1;
    }
}

void CParTrack::DetachFromTerrain() {
    // The list empties first, so that a piece brought back by Undo builds without the cut.
    const std::vector<CPaint*> terrains = std::move(m_cutTerrain);
    m_cutTerrain.clear();
    for (CPaint* terrain : terrains)
        if (auto* ground = dynamic_cast<CGroundSurface*>(terrain))
            ground->RemoveTrackCut(this);
}

int CParTrack::IsCutInto(CPaint* terrain) const {
    return std::find(m_cutTerrain.begin(), m_cutTerrain.end(), terrain) != m_cutTerrain.end() ? 1 : 0;
}

void CParTrack::AddCutTerrain(CPaint* terrain) {
    if (!IsCutInto(terrain))
        m_cutTerrain.push_back(terrain);
}

void CParTrack::RemoveCutTerrain(CPaint* terrain) {
    std::erase(m_cutTerrain, terrain);
}
