#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"

// Operations a group answers by asking its members: placements go to them as the group's
// world placement, the head (front-most) first unless the back-most must come first.

CPaint* CGroup::Find3DMember() {
    for (CPaint* member : m_members) {
        const CString name = member->GetClassName();
        if (name == "C3D" || name == "CSprite")
            return member;
        if (name == "CGroup")
            if (CPaint* found = member->Find3DMember())
                return found;
    }
    return nullptr;
}

void CGroup::RecreateResources(int recreate) {
    for (CPaint* member : m_members) member->RecreateResources(recreate);
    CPaint::RecreateResources(recreate);
}

int CGroup::HitTestEnd(const CPose* pose, double x, double y, int flag) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members) {
        const int end = member->HitTestEnd(&world, x, y, flag);
        if (end >= 0)
            return end;
    }
    return -1;
}

void CGroup::ResetDrawState() {
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) (*member)->ResetDrawState();
    m_nDrawState = 0;
}

// A member may paint past the group's frame, as a dimension's label does: the group's bounds
// take in its members' own, so that what redraws the group redraws all it shows.
void CGroup::RecalcDeviceBounds() {
    CPaint::RecalcDeviceBounds();
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) {
        (*member)->RecalcDeviceBounds();
        m_rcPaintBounds.Unite((*member)->m_rcPaintBounds);
        m_paintArea.Unite((*member)->m_paintArea);
    }
}

void CGroup::SetScale(const CString& scale) {
    m_strScale = scale;
    for (CPaint* member : m_members) member->SetScale(scale);
}

void CGroup::SetEditState(int state) {
    for (CPaint* member : m_members) member->SetEditState(state);
    CPaint::SetEditState(state);
}

int CGroup::MatchProbe(const CPose* pose, int keepOrientation) {
    const CPose world = WorldPose(pose);
    int matched = 0;
    for (CPaint* member : m_members) {
        if (m_pTool != nullptr && !m_pTool->IsLayerVisible(member->m_nLayer))
            continue;
        if (member->ProbeConnection(&world, keepOrientation))
            matched = 1;
    }
    return matched;
}

int CGroup::FindConnection(const CPose* pose) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members) {
        if (member->FindConnection(&world)) {
            // The whole group follows the member's snap.
            RotateByToolStep(pose);
            return 1;
        }
    }
    return 0;
}

void CGroup::UpdateConnections(const CPose* pose, int join) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members) member->UpdateConnections(&world, join);
}

int CGroup::ReleaseEndAt(double x, double y, int flag) {
    for (CPaint* member : m_members) member->ReleaseEndAt(x, y, flag);
    return 1;
}

int CGroup::MatchEndAt(const CPose* pose, double x, double y, double direction, double elevation,
                       int& found) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members)
        if (member->MatchEndAt(&world, x, y, direction, elevation, found))
            return 1;
    return 0;
}

int CGroup::JoinEndAt(const CPose* pose, double x, double y, double direction, int connect,
                      double elevation) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members)
        if (member->JoinEndAt(&world, x, y, direction, connect, elevation))
            return 1;
    return 0;
}

int CGroup::SnapEndAt(const CPose* pose, double x, double y, double& direction, int& passFlag, int end) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members)
        if (member->SnapEndAt(&world, x, y, direction, passFlag, end))
            return 1;
    return 0;
}

void CGroup::SetChanged(int changed) {
    for (CPaint* member : m_members) member->SetChanged(changed);
}

int CGroup::TestConnection(const CPose* pose, void* query, int mode) {
    const CPose world = WorldPose(pose);
    int connected = 0;
    // In check mode the first member that took an end marked connected ends the search, so
    // that at a turnout the route laid first wins.
    for (CPaint* member : m_members) {
        if (!member->TestConnection(&world, query, mode))
            continue;
        connected = 1;
        if (mode != 0 && m_pTool != nullptr && m_pTool->m_track.connectedEndFound)
            break;
    }
    return connected;
}

void CGroup::LowerElevations(const CPose* pose, double by) {
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member)
        (*member)->LowerElevations(pose, by);
}

void CGroup::DeselectWithUndo(int record, int groupStart) {
    bool memberRecorded = false;
    for (CPaint* member : m_members) {
        memberRecorded = memberRecorded || (record && member->IsSelected());
        member->DeselectWithUndo(record, groupStart);
    }
    // Undo selects the group again as it does a single object; the start of the undo group
    // stays with the member's step when one was recorded first.
    CPaint::DeselectWithUndo(record, memberRecorded ? 0 : groupStart);
}

void CGroup::SavePose() {
    CPaint::SavePose();
    for (CPaint* member : m_members) member->SavePose();
}

int CGroup::HitTestEndMarker(const CPose* pose) {
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members)
        if (member->HitTestEndMarker(&world))
            return 1;
    return 0;
}

int CGroup::Edit3DProperties(int flag) {
    for (CPaint* member : m_members)
        if (member->Edit3DProperties(flag))
            return 1;
    return 0;
}

int CGroup::Update3D(const CPose* pose) {
    const CPose world = WorldPose(pose);
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) (*member)->Update3D(&world);
    return 1;
}

int CGroup::Remove3D() {
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) (*member)->Remove3D();
    return 1;
}

void CGroup::ApplyRenderMode() {
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) (*member)->ApplyRenderMode();
}

int CGroup::IsInvalid(int) {
    return 0;
}

void CGroup::UpdateAnchorPoint() {
    for (CPaint* member : m_members) member->UpdateAnchorPoint();
    if (m_pTool != nullptr && m_points.GetSize() > 0)
        m_points[0] = RotationHandleAtZoom();
}

void CGroup::RebuildShape() {
    for (CPaint* member : m_members) member->RebuildShape();
}

void CGroup::PlaceOnBase() {
    for (CPaint* member : m_members) member->PlaceOnBase();
}

void CGroup::ConformToTerrain(int) {
    for (CPaint* member : m_members) member->ConformToTerrain(1);
}

void CGroup::UpdateMembers3DByLayer() {
    for (CPaint* member : m_members) member->Update3DByLayer();
}
