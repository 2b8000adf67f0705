#include "model/CGroup.h"

#include <algorithm>

#include "model/CInGroupMark.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/ObjectFactory.h"
#include "model/Units.h"
#include "resources/StringTable.h"

IMPLEMENT_SERIAL(CGroup, CPaint, 2)

namespace {

void MarkInGroup(CPaint* object, int inGroup) {
    const CString name = object->GetClassName();
    if (name != "C3D" && name != "CSprite")
        return;
    if (auto* mark = dynamic_cast<CInGroupMark*>(object))
        mark->SetInGroup(inGroup);
}

}  // namespace

CGroup::CGroup() {
    m_strName.LoadString(IDS_GROUP);
    m_bShowInReport = 1;
    for (int i = 0; i < kPointCount; ++i) m_points.Add(0.0, 0.0);
}

CGroup::~CGroup() {
    // Each member is unlinked before it goes, so that nothing reaches it through this list
    // while the engine forgets it.
    while (!m_members.empty()) {
        CPaint* member = m_members.front();
        m_members.pop_front();
        delete member;
    }
}

void CGroup::ReleaseData() {
    DeleteMembers();
    CPaint::ReleaseData();
}

void CGroup::DeleteMembers() {
    while (!m_members.empty()) {
        CPaint* member = m_members.front();
        m_members.pop_front();
        member->ReleaseData();
        delete member;
    }
}

void CGroup::CopyFrom(CPaint* other) {
    if (auto* group = dynamic_cast<CGroup*>(other)) {
        m_bBeingEdited = group->m_bBeingEdited;
        m_fFrameWidth = group->m_fFrameWidth;
        m_fFrameHeight = group->m_fFrameHeight;
        m_bReportExpanded = group->m_bReportExpanded;
        m_bAllowExpansion = group->m_bAllowExpansion;
        m_nPriceMode = group->m_nPriceMode;
        m_bUseBorder = group->m_bUseBorder;
    }
    CPaint::CopyFrom(other);
}

void CGroup::RestoreFormerState(CPaint* former) {
    // A copy of a group holds copies of its members in the same order: each member takes
    // back its own former state, heights included, and stays this group's. The members come
    // back after the group's own rebuild, which reshapes them all.
    CPaint::RestoreFormerState(former);
    auto* formerGroup = dynamic_cast<CGroup*>(former);
    if (formerGroup == nullptr || formerGroup->m_members.size() != m_members.size())
        return;
    auto formerMember = formerGroup->m_members.begin();
    for (CPaint* member : m_members) {
        member->RestoreFormerState(*formerMember++);
        member->SetOwnerGroup(this);
    }
    ComputeExtent(nullptr);
}

CPaint* CGroup::Clone() {
    auto* copy = new CGroup;
    copy->CopyFrom(this);
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member) {
        (*member)->SetTool(m_pTool);
        CPaint* memberCopy = (*member)->Clone();
        // The copy's members belong to the copy, not to this group.
        memberCopy->m_pOwnerGroup = copy;
        copy->m_members.push_front(memberCopy);
    }
    return copy;
}

void CGroup::EnterEdit() {
    m_bBeingEdited = 1;
}

CPose CGroup::WorldPose(const CPose* parent) const {
    return m_pose.ComposedWith(FrameOf(parent));
}

bool CGroup::HoldsMember(const CPaint* object) const {
    return std::find(m_members.begin(), m_members.end(), object) != m_members.end();
}

bool CGroup::DetachFromOwner(CPaint* object) {
    CGroup* owner = object != nullptr ? object->m_pOwnerGroup : nullptr;
    if (owner == nullptr || !owner->HoldsMember(object))
        return false;
    owner->m_members.remove(object);
    return true;
}

void CGroup::ReinsertIntoOwner(CPaint* object) {
    CGroup* owner = object->m_pOwnerGroup;
    if (owner == nullptr)
        return;
    owner->m_members.push_front(object);
    const CPose world = owner->WorldPose(nullptr);
    object->SetParentPose(&world);
}

void CGroup::MarkFirst3DMember(int inGroup) {
    if (CPaint* model = Find3DMember())
        MarkInGroup(model, inGroup);
}

// ---- Membership ----

void CGroup::TakeMembers(CGroup* source, const CPaintList& objects) {
    if (source == nullptr || source == this)
        return;
    const bool marks = m_pTool != nullptr && !m_pTool->IsRootGroup(this);
    for (auto object = objects.rbegin(); object != objects.rend(); ++object) {
        CPaint* member = *object;
        if (member == this || !source->HoldsMember(member) || HoldsMember(member))
            continue;
        if (marks)
            MarkInGroup(member, 1);
        m_members.push_front(member);
        source->m_members.remove(member);
        member->SetOwnerGroup(this);
    }
    GetBounds(&source->m_pose, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

int CGroup::DissolveInto(CGroup* parent) {
    if (parent == nullptr || parent == this)
        return 0;
    const CPose identity;
    // The parent's world placement: members of a nested group must land where they stood.
    const CPose parentWorld = parent->WorldPose(nullptr);
    for (auto at = m_members.rbegin(); at != m_members.rend(); ++at) {
        CPaint* member = *at;
        MarkInGroup(member, 0);
        const CDoublePoint origin = LocalToWorldInFrame(identity, member->m_pose.x, member->m_pose.y);
        member->m_pose.x = origin.x;
        member->m_pose.y = origin.y;
        member->m_pose.angle += m_pose.angle;
        member->SetParentPose(&parentWorld);
        member->SetOwnerGroup(parent);
        member->SelectWithUndo(0, 0);
        parent->m_members.push_front(member);
    }
    m_members.clear();
    return 1;
}

int CGroup::GetScaleIndexForNewGroup() {
    CToolHost* host = m_pTool != nullptr ? m_pTool->m_pHost : nullptr;
    int index = host != nullptr ? host->GetDefaultTrackScaleIndex() : kDefaultScaleIndex;
    if (index < 0 || index >= kScaleCount)
        index = kDefaultScaleIndex;
    bool head = true;
    for (CPaint* member : m_members) {
        if (head || IsTrackPieceClass(member->GetClassName())) {
            const int found = FindScale(member->GetScale());
            if (found >= 0)
                index = found;
        }
        head = false;
    }
    return index;
}

// ---- Links kept over the whole tree ----

CTool* CGroup::SetTool(CTool* tool) {
    CTool* previous = CPaint::SetTool(tool);
    ForEachMember(m_members);
    return previous;
}

void CGroup::SetOwnerGroup(CGroup* group) {
    CPaint::SetOwnerGroup(group);
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member)
        (*member)->SetOwnerGroup(this);
}

void CGroup::SetParentPose(const CPose* pose) {
    CPaint::SetParentPose(pose);
    const CPose world = WorldPose(nullptr);
    for (auto member = m_members.rbegin(); member != m_members.rend(); ++member)
        (*member)->SetParentPose(&world);
}

void CGroup::SetLayer(int layer) {
    for (CPaint* member : m_members) member->SetLayer(layer);
    CPaint::SetLayer(layer);
}
