#pragma once

#include <vector>

#include "model/CPieceStatusText.h"

#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"

// Small layout classes for the engine's tests: a shape, a box, and a document that owns a
// root group of the real group class.
class CTestObject : public CPaint {
  public:
    using CPaint::CPaint;
    int m_nRebuilds = 0;
    int m_n3DUpdates = 0;
    int m_nRenderModes = 0;
    void RebuildShape() override { ++m_nRebuilds; }
    void ApplyRenderMode() override {
        ++m_nRenderModes;
        CPaint::ApplyRenderMode();
    }
    int Update3D(const CPose*) override {
        ++m_n3DUpdates;
        return 1;
    }
};

class CTestShape : public CTestObject {
    DECLARE_SERIAL(CTestShape)

  public:
    CTestShape() = default;
    explicit CTestShape(CTool* tool) : CTestObject(0, tool, 0.0, 0.0) {}
};

// A box-like outline: point 0 the anchor handle, points 1 to 4 the corners (1-2 and 3-4
// share x, 2-3 and 4-1 share y); its extent is the corners' bounding box in the world.
class CTestBox : public CTestObject {
  public:
    // A box from (left, bottom) to (right, top) in its own frame, corner 1 at the top left.
    CTestBox(CTool* tool, double left, double bottom, double right, double top);
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
};

// A box drawn by dragging a corner: made empty at its local origin, the dragged corner
// follows the engine's current point, and it is invalid while it has no area. Only a
// rubber band that holds its whole extent hits it.
class CTestRubberBox : public CTestBox {
  public:
    explicit CTestRubberBox(CTool* tool) : CTestBox(tool, 0.0, 0.0, 0.0, 0.0) {}
    CTestRubberBox(CTool* tool, double left, double bottom, double right, double top)
        : CTestBox(tool, left, bottom, right, top) {}
    void DragHandle(const CPose* pose, int handle) override;
    int IsInvalid(int unused) override;
    CPaint* HitTest() override;
};

// A group made for the engine's tests, linked to the engine.
CGroup* NewGroup(CTool* tool);

class CTestHost : public CToolHost {
  public:
    explicit CTestHost(CTool& tool);
    ~CTestHost() override;

    void SetModifiedFlag(BOOL modified) override { m_bModified = modified; }
    BOOL IsModified() const override { return m_bModified; }
    int GetDefaultScaleIndex() const override { return m_nDefaultScale; }
    int GetFileVersion() const override { return 17; }
    CPaintList& GetSelection() override { return m_selection; }
    BOOL IsLayerLocked(int layer) const override { return layer == m_nLockedLayer; }
    CPaint* GetRootGroup() override { return m_pRoot; }
    CGroupEditStack* GetGroupEditStack() override { return &m_editStack; }
    CPaint* GetOwnerGroup(CPaint* object) override;
    BOOL DetachFromGroup(CPaint* object) override;
    void ReinsertIntoOwnerGroup(CPaint* object) override;
    void RefreshGroupFrame(CPaint* member) override;
    CPaintList* GetClipboard() override { return &m_clipboard; }
    BOOL GetPlanViewCentre(int& centreX, int& centreY) const override;
    void ShowMessage(const CString& text) override { m_messages.push_back(text); }
    void SetModalDialogFlag(BOOL running) override { m_bModalDialog = running; }
    void ReadKeyboardState(BYTE (&state)[256]) override;
    void ShowStatusPanes(CPieceStatusText&) override { ++m_nStatusShows; }
    double GetPrintScale() const override { return m_fPrintScale; }
    int GetGridWidth() const override { return m_nGridWidth; }
    int GetGridHeight() const override { return m_nGridHeight; }
    double GetPageWidth() const override { return 21590.0; }
    double GetPageHeight() const override { return 27940.0; }
    void GetPrintableSize(int& width, int& height) const override {
        width = m_nPrintableWidth;
        height = m_nPrintableHeight;
    }
    PropertyFlags& GetPropertyFlags() override { return m_propertyFlags; }
    const CPaintList& GetGroupMembers(CPaint* group) override;
    CPaintList GetTestTrains() override { return m_trains; }
    r3d::Scene* GetScene() override { return m_pScene; }
    BOOL Has3DWindow() const override { return m_b3DWindow; }
    int Get3DDrawStyle() const override { return m_n3DDrawStyle; }
    double Get3DScale() const override { return m_f3DScale; }
    void RenderActive3DView() override { ++m_nRenders; }
    void UpdateAllViews() override { ++m_nViewUpdates; }
    BOOL GetPlanScrollSize(int& width, int& height) const override;
    BOOL InvalidatePlanView(int& centreX, int& centreY) override;

    // The group whose members the engine works on.
    CGroup* CurrentGroup() const { return m_editStack.front().m_pGroup; }
    // Opens a group for editing as the document's stack would, without an edit step.
    void OpenGroup(CGroup* group);
    void CloseGroup();

    // Every object of the layout, groups included, depth first.
    std::vector<CPaint*> AllObjects() const;
    bool IsInLayout(const CPaint* object) const;

    CTool& m_tool;
    CGroup* m_pRoot;
    CGroupEditStack m_editStack;
    // The clipboard the main frame would hold: clones owned by the list.
    CPaintList m_clipboard;
    std::vector<CString> m_messages;
    BOOL m_bModalDialog = FALSE;
    int m_nStatusShows = 0;
    // The keys the next keyboard read reports.
    bool m_bCapsLock = false;
    bool m_bShiftKey = false;
    CPaintList m_selection;
    BOOL m_bModified = FALSE;
    int m_nDefaultScale = 12;
    int m_nLockedLayer = -1;
    double m_fPrintScale = 1.0;
    int m_nGridWidth = 1270;
    int m_nGridHeight = 1270;
    int m_nPrintableWidth = 0;
    int m_nPrintableHeight = 0;
    PropertyFlags m_propertyFlags = {};
    CPaintList m_trains;
    r3d::Scene* m_pScene = nullptr;
    BOOL m_b3DWindow = FALSE;
    int m_n3DDrawStyle = 4;
    double m_f3DScale = 0.0;
    int m_nRenders = 0;
    int m_nViewUpdates = 0;
    // The active plan view: none while its scroll width is negative.
    int m_nScrollWidth = -1;
    int m_nScrollHeight = 0;
    int m_nViewCentreX = 0;
    int m_nViewCentreY = 0;
    int m_nPlanInvalidations = 0;
};

// Puts an object made with new into the current group (which then owns it).
template <class T>
T* AddToLayout(CTestHost& host, T* object) {
    CGroup* current = host.CurrentGroup();
    current->m_members.push_front(object);
    object->SetOwnerGroup(current);
    const CPose world = current->WorldPose(nullptr);
    object->SetParentPose(&world);
    object->ComputeExtent(nullptr);
    return object;
}

// Puts an object made with new into the group as its head member.
template <class T>
T* AddToGroup(CGroup* group, T* object) {
    group->m_members.push_front(object);
    object->SetOwnerGroup(group);
    const CPose world = group->WorldPose(nullptr);
    object->SetParentPose(&world);
    return object;
}

// The commands the engine's callers build, as the layout's editing commands do.
namespace TestCommands {
// Creates a shape (create kind 11) and places it in the current group; pushes its removal.
CTestShape* CreateAndPlace(CTool& tool, int groupStart = 1);
// Takes the object out of the layout; pushes the re-insert step that owns it.
void DeleteWithUndo(CTool& tool, CPaint* object, int groupStart);
// Groups the selection; pushes its ungroup.
CPaint* GroupSelection(CTool& tool);
// Dissolves a group; pushes the group step of its former members.
void UngroupWithUndo(CTool& tool, CPaint* group);
}  // namespace TestCommands
