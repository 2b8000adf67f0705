#include "tests/model/TestLayout.h"

#include <algorithm>
#include <memory>

#include "model/CEditStep.h"
#include "model/ObjectFactory.h"
#include "model/Units.h"

IMPLEMENT_SERIAL(CTestShape, CPaint, 1)

namespace {

void CollectObjects(const CGroup* group, std::vector<CPaint*>& into) {
    for (CPaint* member : group->m_members) {
        into.push_back(member);
        if (auto* inner = dynamic_cast<CGroup*>(member))
            CollectObjects(inner, into);
    }
}

}  // namespace

CTestBox::CTestBox(CTool* tool, double left, double bottom, double right, double top)
    : CTestObject(0, tool, 0.0, 0.0) {
    m_points.Add(0.0, 0.0);
    m_points.Add(left, top);
    m_points.Add(left, bottom);
    m_points.Add(right, bottom);
    m_points.Add(right, top);
    UpdateAnchorPoint();
}

void CTestBox::GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) {
    const CPose& parent = pose != nullptr ? *pose : m_parentPose;
    for (int i = 1; i <= 4; ++i) {
        const CDoublePoint world = LocalToWorldInFrame(parent, m_points[i].x, m_points[i].y);
        minX = i == 1 ? world.x : std::min(minX, world.x);
        minY = i == 1 ? world.y : std::min(minY, world.y);
        maxX = i == 1 ? world.x : std::max(maxX, world.x);
        maxY = i == 1 ? world.y : std::max(maxY, world.y);
    }
}

CGroup* NewGroup(CTool* tool) {
    auto* group = new CGroup;
    group->SetTool(tool);
    return group;
}

CTestHost::CTestHost(CTool& tool) : m_tool(tool), m_pRoot(NewGroup(&tool)) {
    m_editStack.push_back(m_pRoot);
    tool.m_pHost = this;
    RegisterObjectMaker(kStepCreateFirst, [](CTool* engine) -> CPaint* { return new CTestShape(engine); });
}

CTestHost::~CTestHost() {
    m_tool.ClearUndoList();
    delete m_pRoot;
    m_tool.m_pHost = nullptr;
}

CPaint* CTestHost::GetOwnerGroup(CPaint* object) {
    return object != nullptr ? object->m_pOwnerGroup : nullptr;
}

BOOL CTestHost::DetachFromGroup(CPaint* object) {
    CGroup* owner = object->m_pOwnerGroup;
    if (owner == nullptr || !owner->HoldsMember(object))
        return FALSE;
    owner->m_members.remove(object);
    return TRUE;
}

void CTestHost::ReinsertIntoOwnerGroup(CPaint* object) {
    CGroup* owner = object->m_pOwnerGroup;
    if (owner == nullptr)
        return;
    owner->m_members.push_front(object);
    const CPose world = owner->WorldPose(nullptr);
    object->SetParentPose(&world);
}

void CTestHost::PlaceInGroup(CPaint* object, CGroup* group, double, double) {
    AddToGroup(group != nullptr ? group : m_editStack.back(), object);
    object->ComputeExtent(nullptr);
}

CPaint* CTestHost::MakeGroup(const CPaintList& members) {
    CGroup* current = m_editStack.back();
    CGroup* group = NewGroup(&m_tool);
    group->TakeMembers(current, members);
    current->m_members.push_front(group);
    group->m_strScale = ScaleTable[group->GetScaleIndexForNewGroup()].name;
    group->m_pose = CPose();
    group->SetLayer(m_tool.m_nActiveLayer);
    group->DeselectWithUndo(0, 0);
    group->SelectWithUndo(0, 0);
    group->RecalcFrame();
    const CPose world = current->WorldPose(nullptr);
    group->SetParentPose(&world);
    group->SetOwnerGroup(current);
    return group;
}

BOOL CTestHost::DissolveGroup(CPaint* object) {
    auto* group = dynamic_cast<CGroup*>(object);
    CGroup* current = m_editStack.back();
    if (group == nullptr || group == m_pRoot || !current->HoldsMember(group))
        return FALSE;
    group->ComputeExtent(nullptr);
    group->Invalidate();
    if (group->DissolveInto(current))
        group->ComputeExtent(nullptr);
    group->DeselectWithUndo(0, 0);
    current->m_members.remove(group);
    delete group;
    return TRUE;
}

BOOL CTestHost::EnterGroupEdit(CPaint* object) {
    auto* group = dynamic_cast<CGroup*>(object);
    if (group == nullptr)
        return FALSE;
    m_editStack.push_back(group);
    group->EnterEdit();
    return TRUE;
}

BOOL CTestHost::ExitGroupEdit(CPaint*) {
    if (m_editStack.size() <= 1)
        return FALSE;
    m_editStack.back()->m_bBeingEdited = 0;
    m_editStack.pop_back();
    return TRUE;
}

void CTestHost::RefreshGroupFrame(CPaint* member) {
    CPaint* group = member != nullptr ? GetOwnerGroup(member) : GetCurrentGroup();
    if (group == nullptr || group == m_pRoot)
        return;
    group->RecalcFrame();
    group->ComputeExtent(nullptr);
}

CPaintList CTestHost::GetGroupMembers(CPaint* object) {
    auto* group = dynamic_cast<CGroup*>(object);
    return group != nullptr ? group->m_members : CPaintList{};
}

BOOL CTestHost::GetPlanScrollSize(int& width, int& height) const {
    width = m_nScrollWidth;
    height = m_nScrollHeight;
    return m_nScrollWidth >= 0;
}

BOOL CTestHost::InvalidatePlanView(int& centreX, int& centreY) {
    centreX = m_nViewCentreX;
    centreY = m_nViewCentreY;
    if (m_nScrollWidth < 0)
        return FALSE;
    ++m_nPlanInvalidations;
    return TRUE;
}

std::vector<CPaint*> CTestHost::AllObjects() const {
    std::vector<CPaint*> objects;
    CollectObjects(m_pRoot, objects);
    return objects;
}

bool CTestHost::IsInLayout(const CPaint* object) const {
    const std::vector<CPaint*> objects = AllObjects();
    return std::find(objects.begin(), objects.end(), object) != objects.end();
}

namespace TestCommands {

CTestShape* CreateAndPlace(CTool& tool, int groupStart) {
    CEditStep create(kStepCreateFirst, nullptr, 0);
    if (!tool.Execute(&create))
        return nullptr;
    auto place = std::make_unique<CEditStep>(kStepPlaceNewObject, create.m_pObject, 1);
    place->SetPayload(std::make_unique<PlacePayload>());
    if (!tool.Execute(place.get()))
        return nullptr;
    tool.PushUndo(new CEditStep(kStepRemoveObject, create.m_pObject, groupStart));
    return dynamic_cast<CTestShape*>(create.m_pObject);
}

void DeleteWithUndo(CTool& tool, CPaint* object, int groupStart) {
    object->Deselect();
    if (!tool.m_pHost->DetachFromGroup(object))
        return;
    object->Remove3D();
    tool.PushUndo(new CEditStep(kStepReinsertObject, object, groupStart));
}

CPaint* GroupSelection(CTool& tool) {
    CEditStep group(kStepGroup, nullptr, 1);
    auto list = std::make_unique<ObjectListPayload>();
    list->objects = tool.m_pHost->GetSelection();
    group.SetPayload(std::move(list));
    if (!tool.Execute(&group))
        return nullptr;
    tool.PushUndo(new CEditStep(kStepUngroup, group.m_pResult, 1));
    return group.m_pResult;
}

void UngroupWithUndo(CTool& tool, CPaint* object) {
    auto* group = dynamic_cast<CGroup*>(object);
    if (group == nullptr)
        return;
    auto members = std::make_unique<ObjectListPayload>();
    members->objects = group->m_members;
    CEditStep ungroup(kStepUngroup, group, 1);
    if (!tool.Execute(&ungroup))
        return;
    auto inverse = std::make_unique<CEditStep>(kStepGroup, nullptr, 1);
    inverse->SetPayload(std::move(members));
    tool.PushUndo(inverse.release());
}

}  // namespace TestCommands
