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

void CTestRubberBox::DragHandle(const CPose* pose, int handle) {
    const CPose& parent = pose != nullptr ? *pose : m_parentPose;
    const CDoublePoint local = WorldToLocalInFrame(parent, m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    MoveBoxCorner(handle, local.x, local.y, nullptr);
    CTestBox::DragHandle(pose, handle);
}

int CTestRubberBox::IsInvalid(int) {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    GetBounds(nullptr, minX, minY, maxX, maxY);
    return maxX - minX <= 0.0 || maxY - minY <= 0.0 ? 1 : 0;
}

CPaint* CTestRubberBox::HitTest() {
    const DeviceRect& band = m_pTool->m_rcRubberBand;
    if (band.left == 0 && band.top == 0 && band.right == 0 && band.bottom == 0)
        return CTestBox::HitTest();
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    GetBounds(nullptr, minX, minY, maxX, maxY);
    // The band is in device units, as the plan view drew it.
    const CPoint low = m_pTool->LayoutToDevice(minX, minY, 0), high = m_pTool->LayoutToDevice(maxX, maxY, 0);
    const bool inside =
        low.x >= band.left && high.x <= band.right && low.y >= band.top && high.y <= band.bottom;
    return inside ? this : nullptr;
}

CGroup* NewGroup(CTool* tool) {
    auto* group = new CGroup;
    group->SetTool(tool);
    return group;
}

CTestHost::CTestHost(CTool& tool) : m_tool(tool), m_pRoot(NewGroup(&tool)) {
    m_editStack.emplace_front(m_pRoot, CPose());
    tool.m_pHost = this;
    RegisterObjectMaker(kStepCreateFirst, [](CTool* engine) -> CPaint* { return new CTestShape(engine); });
    RegisterObjectMaker(kStepCreateFirst + 1,
                        [](CTool* engine) -> CPaint* { return new CTestRubberBox(engine); });
}

CTestHost::~CTestHost() {
    m_tool.ClearUndoList();
    m_tool.ClearClipboard();
    delete m_pRoot;
    m_tool.m_pHost = nullptr;
}

CPaint* CTestHost::GetOwnerGroup(CPaint* object) {
    return object != nullptr ? object->m_pOwnerGroup : nullptr;
}

BOOL CTestHost::DetachFromGroup(CPaint* object) {
    return CGroup::DetachFromOwner(object) ? TRUE : FALSE;
}

void CTestHost::ReinsertIntoOwnerGroup(CPaint* object) {
    CGroup::ReinsertIntoOwner(object);
}

void CTestHost::OpenGroup(CGroup* group) {
    m_editStack.emplace_front(group, group->WorldPose(nullptr));
    group->EnterEdit();
}

void CTestHost::CloseGroup() {
    if (m_editStack.size() <= 1)
        return;
    m_editStack.front().m_pGroup->m_bBeingEdited = 0;
    m_editStack.pop_front();
}

BOOL CTestHost::GetPlanViewCentre(int& centreX, int& centreY) const {
    centreX = m_nViewCentreX;
    centreY = m_nViewCentreY;
    return m_nScrollWidth >= 0;
}

void CTestHost::ReadKeyboardState(BYTE (&state)[256]) {
    state[20] = m_bCapsLock ? 1 : 0;
    state[16] = m_bShiftKey ? 0x80 : 0;
}

void CTestHost::RefreshGroupFrame(CPaint* member) {
    CPaint* group = member != nullptr ? GetOwnerGroup(member) : CurrentGroup();
    if (group == nullptr || group == m_pRoot)
        return;
    group->RecalcFrame();
    group->ComputeExtent(nullptr);
}

const CPaintList& CTestHost::GetGroupMembers(CPaint* object) {
    static const CPaintList none;
    auto* group = dynamic_cast<CGroup*>(object);
    return group != nullptr ? group->m_members : none;
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
    auto inverse = std::make_unique<CEditStep>(kStepGroup, ungroup.m_pResult, 1);
    ungroup.m_pResult = nullptr;
    inverse->SetPayload(std::move(members));
    tool.PushUndo(inverse.release());
}

}  // namespace TestCommands
