#include <algorithm>
#include <array>
#include <utility>

#include "model/CCVNDoc.h"
#include "model/CMainFrameServices.h"
#include "model/CPlanViewServices.h"
#include "model/ObjectFactory.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CView.h"

// The menu and tool-bar commands that concern the whole layout rather than one window.

namespace {

struct ToolCommand {
    UINT id;
    int mode;
};

constexpr std::array<ToolCommand, 25> kToolCommands = {{
    {ID_TOOL_SELECTOR, kToolSelector},
    {ID_TOOL_ROTATE_AROUND_ORIGIN, kToolRotateAroundOrigin},
    {ID_TOOL_MEASURE_LINE, kToolMeasureLine},
    {ID_TOOL_MEASURE_BOX, kToolMeasureBox},
    {ID_TOOL_TEXT, kToolText},
    {ID_TOOL_SKETCH, kToolSketch},
    {ID_TOOL_LINE, kToolLine},
    {ID_TOOL_BOX, kToolBox},
    {ID_TOOL_ROUND_BOX, kToolRoundBox},
    {ID_TOOL_ARC, kToolArc},
    {ID_TOOL_OVAL, kToolOval},
    {ID_TOOL_POLYGON, kToolPolygon},
    {ID_TOOL_SPLINE, kToolSpline},
    {ID_TOOL_DIMENSION_LINE, kToolDimensionLine},
    {ID_TOOL_DIMENSION_ANGLE, kToolDimensionAngle},
    {ID_TOOL_CAMERA, kToolCamera},
    {ID_TOOL_BITMAP_PICTURE, kToolBitmapPicture},
    {ID_TOOL_3D_OBJECT, kTool3DObject},
    {ID_TOOL_STRAIGHT_TRACK, kToolStraightTrack},
    {ID_TOOL_CURVE_TRACK, kToolCurveTrack},
    {ID_TOOL_OVAL_TRACK, kToolOvalTrack},
    {ID_TOOL_SPLINE_TRACK, kToolSplineTrack},
    {ID_TOOL_3D_BITMAP, kTool3DBitmap},
    {ID_TOOL_BENCHWORK, kToolBenchwork},
    {ID_TOOL_RUN_TEST_TRAIN, kToolRunTestTrain},
}};

int ToolModeOfCommand(UINT id) {
    for (const ToolCommand& command : kToolCommands)
        if (command.id == id)
            return command.mode;
    return -1;
}

constexpr int kSolidStyle = 4;
constexpr int kWireframeStyle = 2;
constexpr double kScaleDivisorFactor = 0.0625;

bool IsCollectedClass(const CString& name, BOOL include3D) {
    for (const char* kind : {"CTrack", "CArcTrack", "CCircTrack", "CSplineTrack", "CCamera"})
        if (name == kind)
            return true;
    return include3D && (name == "C3D" || name == "CSprite");
}

// The layout's own commands, not the closing and saving it takes from every document: those
// may end the layout, and they record no Undo.
bool IsLayoutCommand(const CommandMap* map, UINT id) {
    for (const CommandEntry* entry = map->entries; entry->kind != CommandEntry::End; ++entry)
        if ((entry->kind == CommandEntry::Command || entry->kind == CommandEntry::CommandEx) &&
            id >= entry->firstId && id <= entry->lastId)
            return true;
    return false;
}

}  // namespace

BOOL CCVNDoc::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    if (code != CN_COMMAND || handlerInfo != nullptr || !IsLayoutCommand(GetThisCommandMap(), id))
        return CDocument::OnCmdMsg(id, code, extra, handlerInfo);
    // Whatever steps a command pushes, one Undo takes back the whole command and no more.
    const unsigned long before = m_tool.NewestUndoSerial();
    const BOOL done = CDocument::OnCmdMsg(id, code, extra, handlerInfo);
    m_tool.OpenUndoGroupAfter(before);
    return done;
}

BEGIN_MESSAGE_MAP(CCVNDoc, CDocument)
ON_COMMAND_RANGE(ID_TOOL_SELECTOR, ID_TOOL_RUN_TEST_TRAIN, OnToolCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_SELECTOR, ID_TOOL_RUN_TEST_TRAIN, OnUpdateToolCommand)
ON_COMMAND_RANGE(ID_TOOL_CAMERA, ID_TOOL_CAMERA, OnToolCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_CAMERA, ID_TOOL_CAMERA, OnUpdateToolCommand)
ON_COMMAND_RANGE(ID_TOOL_3D_BITMAP, ID_TOOL_3D_BITMAP, OnToolCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_3D_BITMAP, ID_TOOL_3D_BITMAP, OnUpdateToolCommand)
ON_COMMAND(ID_DOCUMENT_SETUP, OnDocumentSetup)
ON_COMMAND(ID_PREFERENCES, OnPreferences)
ON_COMMAND(ID_LIBRARY_GET_OBJECT, OnGetObjectFromLibrary)
ON_UPDATE_COMMAND_UI(ID_LIBRARY_GET_OBJECT, OnUpdateLibraryCommand)
ON_COMMAND(ID_LIBRARY_PUT_SELECTION, OnPutSelectionIntoLibrary)
ON_UPDATE_COMMAND_UI(ID_LIBRARY_PUT_SELECTION, OnUpdateLibraryCommand)
ON_COMMAND(ID_MATERIALS_REPORT, OnMaterialsReport)
ON_COMMAND(ID_PARTS_LIST, OnPartsList)
ON_COMMAND(ID_3D_WIREFRAME, On3DWireframe)
ON_UPDATE_COMMAND_UI(ID_3D_WIREFRAME, OnUpdate3DWireframe)
ON_COMMAND(ID_TRACK_WIZARD, OnTrackWizard)
ON_COMMAND(ID_GET_LOST_OBJECTS, OnGetLostObjects)
ON_COMMAND(ID_OPEN_2D_VIEW, OnOpen2DView)
ON_UPDATE_COMMAND_UI(ID_OPEN_2D_VIEW, OnUpdateOpen2DView)
ON_UPDATE_COMMAND_UI(ID_CHOOSE_ACTIVE_LAYER, OnUpdateChooseActiveLayer)
ON_COMMAND_RANGE(ID_LAYER_SHOW_HIDE_0, ID_LAYER_SHOW_HIDE_7, OnShowHideLayer)
ON_UPDATE_COMMAND_UI_RANGE(ID_LAYER_SHOW_HIDE_0, ID_LAYER_SHOW_HIDE_7, OnUpdateShowHideLayer)
ON_COMMAND(ID_CONFORM_TRACKS_TO_TERRAIN, OnConformTracksToTerrain)
ON_UPDATE_COMMAND_UI(ID_CONFORM_TRACKS_TO_TERRAIN, OnUpdateConformTracksToTerrain)
ON_COMMAND(ID_CONFORM_TERRAIN, OnConformTerrain)
ON_UPDATE_COMMAND_UI(ID_CONFORM_TERRAIN, OnUpdateTerrainCommand)
ON_COMMAND(ID_RESTORE_TERRAIN, OnRestoreTerrain)
ON_UPDATE_COMMAND_UI(ID_RESTORE_TERRAIN, OnUpdateTerrainCommand)
END_MESSAGE_MAP()

// ---- Dialogs ----

namespace {

CCVNDoc::DocumentDialogs& InstalledDialogs() {
    static CCVNDoc::DocumentDialogs dialogs;
    return dialogs;
}

}  // namespace

void CCVNDoc::InstallDialogs(DocumentDialogs dialogs) {
    InstalledDialogs() = std::move(dialogs);
}

BOOL CCVNDoc::RunInstalled(DocumentDialog DocumentDialogs::*dialog) {
    const DocumentDialog& run = InstalledDialogs().*dialog;
    return run ? run(*this) : FALSE;
}

// ---- Tools ----

void CCVNDoc::OnToolCommand(UINT id) {
    // Ids between the tools' ids select nothing.
    const int mode = ToolModeOfCommand(id);
    if (mode < 0)
        return;
    m_tool.m_toolMode.Set(mode);
    // Rotating about the press point is marked by the mode record's second value being clear.
    if (mode == kToolRotateAroundOrigin)
        m_tool.m_toolMode.m_bFlag = 0;
}

void CCVNDoc::OnUpdateToolCommand(CCmdUI* cmdUI) {
    const int mode = ToolModeOfCommand(cmdUI->m_nID);
    bool checked = m_tool.m_toolMode == mode;
    if (mode == kToolSelector)
        checked = checked && !m_tool.m_bParallelToolActive;
    // A tool whose objects no class makes yet would draw nothing: it waits, greyed.
    const int kind = GetCreateKindForTool(mode);
    const bool makesObjects = kind == 0 || HasObjectMakerForKind(kind);
    if (mode == kToolRunTestTrain)
        cmdUI->Enable(CRuntimeClass::FromName("CTestTrain") != nullptr && !IsEditingGroup());
    else
        cmdUI->Enable(makesObjects);
    cmdUI->SetRadio(checked);
}

// ---- Page, preferences, library, reports ----

void CCVNDoc::OnDocumentSetup() {
    if (!RunDocumentSetupDialog())
        return;
    for (CPlanViewServices* plan : PlanViews()) plan->SetZoom(1.0);
    m_tool.SetViewScale(1.0, m_fViewScale);
    const double divisorBefore = std::exchange(
        m_f3DScaleDivisor, std::max(m_fPageWidth * kScaleDivisorFactor, m_fPageHeight * kScaleDivisorFactor));
    // A build stores the paths its textures were found under, so only a new 3D scale rebuilds.
    if (m_f3DScaleDivisor != divisorBefore)
        UpdateLayout3D(true);
    RefreshGroundPlane();
    m_fZoomedPageWidth = m_tool.m_fZoomNumerator / m_tool.m_fZoomDenominator * m_fPageWidth;
    m_fZoomedPageHeight = m_fPageHeight / m_tool.m_fZoomDenominator * m_tool.m_fZoomNumerator;
    m_tool.UpdateDeviceBounds();
    UpdateAllViews();
    InvalidateAllViews();
}

void CCVNDoc::OnPreferences() {
    RunPreferencesSheet();
}

void CCVNDoc::OnGetObjectFromLibrary() {
    m_nLibraryReportCommand = ID_LIBRARY_GET_OBJECT;
    if (m_strLibraryPath.IsEmpty() && !BrowseLibrary())
        return;
    SetModalDialogFlag(TRUE);
    RunLibraryDialog();
    RepaintDirtyViews();
    SetModalDialogFlag(FALSE);
}

void CCVNDoc::OnPutSelectionIntoLibrary() {
    if (m_selection.empty())
        return;
    m_nLibraryReportCommand = ID_LIBRARY_PUT_SELECTION;
    if (m_strLibraryPath.IsEmpty() && !BrowseLibrary())
        return;
    auto* group = dynamic_cast<CGroup*>(GetCurrentGroup());
    if (group != nullptr) {
        for (CPaint* member : group->m_members) {
            if (!member->IsSelected())
                continue;
            CPaint* copy = member->Clone();
            if (copy != nullptr)
                m_libraryGroup.m_members.push_front(copy);
        }
    }
    RunLibraryNotice();
    m_bLibraryModified = 1;
}

void CCVNDoc::OnUpdateLibraryCommand(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
}

void CCVNDoc::OnMaterialsReport() {
    m_nLibraryReportCommand = ID_MATERIALS_REPORT;
    SetModalDialogFlag(TRUE);
    RunMaterialsReport();
    // The entry of an entered group holds its world placement already; composing the group's
    // own placement onto it again would place the members twice over.
    const CPose world = m_groupEditStack.front().m_pose;
    for (CPaint* member : m_groupEditStack.front().m_pGroup->m_members) {
        member->SetEditState(-1);
        if (member->GetClassName() != "CCamera")
            member->Update3D(&world);
    }
    SetModalDialogFlag(FALSE);
}

void CCVNDoc::OnPartsList() {
    m_nLibraryReportCommand = ID_PARTS_LIST;
    SetModalDialogFlag(TRUE);
    RunPartsList();
    SetModalDialogFlag(FALSE);
}

void CCVNDoc::OnGetLostObjects() {
    m_tool.BringLostObjectsIntoView();
}

// ---- 3D ----

void CCVNDoc::On3DWireframe() {
    m_n3DDrawStyle = m_n3DDrawStyle == kSolidStyle ? kWireframeStyle : kSolidStyle;
    UpdateLayout3D(false);
    for (CPaint* train : m_testTrains) train->ApplyRenderMode();
    UpdateAllViews();
}

void CCVNDoc::OnUpdate3DWireframe(CCmdUI* cmdUI) {
    cmdUI->SetCheck(m_n3DDrawStyle == kWireframeStyle ? 1 : 0);
}

void CCVNDoc::UpdateLayout3D(bool rebuild) {
    // The bottom of the stack, not the group being edited: rebuilding only that group's members
    // would leave every other model at the old 3D scale or draw style.
    const CGroupEditEntry& bottom = m_groupEditStack.back();
    const CPose world = bottom.m_pGroup->WorldPose(&bottom.m_pose);
    for (CPaint* member : bottom.m_pGroup->m_members) {
        member->SetEditState(-1);
        if (rebuild)
            member->Update3D(&world);
        else
            member->ApplyRenderMode();
    }
}

// ---- Layers ----

void CCVNDoc::SetLayerVisible(int layer, int visible) {
    if (layer >= 0 && layer < CTool::kLayerCount)
        m_tool.m_bLayerShown[layer] = visible;
}

void CCVNDoc::SetLayerLocked(int layer, int locked) {
    if (layer < 0 || layer >= CTool::kLayerCount)
        return;
    m_tool.m_bLayerLocked[layer] = locked;
    if (locked)
        m_tool.ExecuteDeselect(layer);
}

void CCVNDoc::OnShowHideLayer(UINT id) {
    const int layer = static_cast<int>(id - ID_LAYER_SHOW_HIDE_0);
    const bool hide = m_tool.m_bLayerShown[layer] && layer != m_tool.m_nActiveLayer;
    m_tool.m_bLayerShown[layer] = hide ? 0 : 1;
    m_tool.UpdateStatus();
    UpdateLayout3D(true);
    InvalidateAllViews();
}

void CCVNDoc::OnUpdateShowHideLayer(CCmdUI* cmdUI) {
    const int layer = static_cast<int>(cmdUI->m_nID - ID_LAYER_SHOW_HIDE_0);
    cmdUI->SetCheck(m_tool.m_bLayerShown[layer] ? 1 : 0);
}

void CCVNDoc::OnActiveLayerChanged() {
    const int layer = m_tool.m_nActiveLayer;
    if (CMainFrameServices* services = GetMainFrameServices())
        services->ShowActiveLayer(layer);
    if (layer >= 0 && layer < CTool::kLayerCount)
        m_tool.m_bLayerShown[layer] = 1;
    UpdateLayout3D(true);
    InvalidateAllViews();
}

// ---- Terrain ----

void CCVNDoc::OnConformTracksToTerrain() {
    if (!IsEditingGroup())
        m_tool.ConformTracksToTerrain();
}

void CCVNDoc::OnUpdateConformTracksToTerrain(CCmdUI* cmdUI) {
    cmdUI->Enable(!m_selection.empty());
}

void CCVNDoc::OnConformTerrain() {
    if (!IsEditingGroup())
        m_tool.ConformTerrain();
    m_tool.MarkChangedOutsideUndo();
}

void CCVNDoc::OnUpdateTerrainCommand(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
}

void CCVNDoc::OnRestoreTerrain() {
    if (!IsEditingGroup())
        m_tool.RestoreTerrain();
    m_tool.MarkChangedOutsideUndo();
}

// ---- Views and objects ----

void CCVNDoc::CollectObjectsByClass(CPaintList& output, const CPaintList& source, BOOL include3D) {
    VisitObjectsByClass(source, include3D, [&output](CPaint* object) {
        output.push_back(object);
        return true;
    });
}

bool CCVNDoc::VisitObjectsByClass(const CPaintList& source, BOOL include3D,
                                  const std::function<bool(CPaint*)>& visit) {
    for (CPaint* object : source) {
        const CString name = object->GetClassName();
        if (IsCollectedClass(name, include3D)) {
            if (!visit(object))
                return true;
        } else if (name == "CGroup") {
            auto* group = dynamic_cast<CGroup*>(object);
            if (group != nullptr && VisitObjectsByClass(group->m_members, include3D, visit))
                return true;
        }
    }
    return false;
}

CPaint* CCVNDoc::GetSelectedMount() {
    if (m_selection.size() != 1 || m_selection.front()->GetClassName() != "CMount")
        return nullptr;
    return m_selection.front();
}
