#include <gtest/gtest.h>

#include "model/CCVNDoc.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/WindowManager.h"
#include "tests/model/TestLayout.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

namespace {

// A document whose dialogs are confirmed at once, keeping count of them and of the pause.
class CommandDoc : public CCVNDoc {
  public:
    BOOL RunDocumentSetupDialog() override { return m_bConfirm; }
    BOOL RunLibraryDialog() override {
        m_bPausedInDialog = m_bPaused;
        ++m_nDialogs;
        return TRUE;
    }
    BOOL RunLibraryNotice() override {
        ++m_nDialogs;
        return TRUE;
    }
    void SetModalDialogFlag(BOOL running) override { m_bPaused = running; }
    void ReportError(const CString&) override {}

    BOOL Send(UINT id) { return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }

    BOOL m_bConfirm = TRUE;
    BOOL m_bPaused = FALSE;
    BOOL m_bPausedInDialog = FALSE;
    int m_nDialogs = 0;
};

// A menu item that keeps what the update handlers told it.
class RecordingCmdUI : public CCmdUI {
  public:
    explicit RecordingCmdUI(UINT id) { m_nID = id; }
    void Enable(BOOL on) override { m_bEnabled = on; }
    void SetCheck(int check) override { m_nCheck = check; }
    void SetRadio(BOOL on) override { m_nCheck = on ? 1 : 0; }
    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;
};

RecordingCmdUI Update(CCVNDoc& doc, UINT id) {
    RecordingCmdUI cmdUI(id);
    EXPECT_TRUE(doc.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
    return cmdUI;
}

class DocumentCommand : public testing::Test {
  protected:
    void SetUp() override { RegisterTrackPieces(); }
};

CTestShape* AddShape(CGroup& group, CTool& tool, int layer) {
    auto* shape = new CTestShape(&tool);
    shape->m_nLayer = layer;
    group.m_members.push_back(shape);
    return shape;
}

}  // namespace

TEST_F(DocumentCommand, ToolCommandsSetTheEngineModeAndShowItChecked) {
    CommandDoc doc;
    EXPECT_TRUE(doc.Send(ID_TOOL_STRAIGHT_TRACK));
    EXPECT_EQ(doc.m_tool.m_toolMode, kToolStraightTrack);
    EXPECT_EQ(Update(doc, ID_TOOL_STRAIGHT_TRACK).m_nCheck, 1);
    EXPECT_EQ(Update(doc, ID_TOOL_CURVE_TRACK).m_nCheck, 0);

    const std::pair<UINT, int> commands[] = {{ID_TOOL_LINE, kToolLine},           {ID_TOOL_SPLINE, kToolSpline},
                                             {ID_TOOL_BENCHWORK, kToolBenchwork}, {ID_TOOL_CAMERA, kToolCamera},
                                             {ID_TOOL_3D_BITMAP, kTool3DBitmap},  {ID_TOOL_SELECTOR, kToolSelector}};
    for (const auto& [id, mode] : commands) {
        doc.Send(id);
        EXPECT_EQ(doc.m_tool.m_toolMode, mode);
    }
    doc.Send(ID_TOOL_ROTATE_AROUND_ORIGIN);
    EXPECT_EQ(doc.m_tool.m_toolMode, kToolRotateAroundOrigin);
    EXPECT_EQ(doc.m_tool.m_toolMode.m_bFlag, 0);

    // The selector is not checked while the parallel-track tool runs.
    doc.Send(ID_TOOL_SELECTOR);
    EXPECT_EQ(doc.m_tool.m_toolMode.m_bFlag, 1);
    EXPECT_EQ(Update(doc, ID_TOOL_SELECTOR).m_nCheck, 1);
    doc.m_tool.m_bParallelToolActive = 1;
    EXPECT_EQ(Update(doc, ID_TOOL_SELECTOR).m_nCheck, 0);
    doc.m_tool.m_bParallelToolActive = 0;

    // Without a test-train class the train tool waits, greyed, and so does a tool whose
    // objects no class makes.
    EXPECT_FALSE(Update(doc, ID_TOOL_RUN_TEST_TRAIN).m_bEnabled);
    EXPECT_FALSE(Update(doc, ID_TOOL_3D_OBJECT).m_bEnabled);
    EXPECT_TRUE(Update(doc, ID_TOOL_STRAIGHT_TRACK).m_bEnabled);
}

TEST_F(DocumentCommand, LayersShowHideLockAndActivate) {
    CommandDoc doc;
    CTestShape* onOne = AddShape(doc.m_rootGroup, doc.m_tool, 1);
    CTestShape* onTwo = AddShape(doc.m_rootGroup, doc.m_tool, 2);
    doc.SetActiveLayer(0);
    EXPECT_EQ(Update(doc, ID_LAYER_SHOW_HIDE_0 + 3).m_nCheck, 1);

    doc.Send(ID_LAYER_SHOW_HIDE_0 + 3);
    EXPECT_EQ(doc.m_tool.m_bLayerShown[3], 0);
    EXPECT_EQ(Update(doc, ID_LAYER_SHOW_HIDE_0 + 3).m_nCheck, 0);
    doc.Send(ID_LAYER_SHOW_HIDE_0 + 3);
    EXPECT_EQ(doc.m_tool.m_bLayerShown[3], 1);

    // The active layer cannot be hidden this way.
    doc.Send(ID_LAYER_SHOW_HIDE_0);
    EXPECT_EQ(doc.m_tool.m_bLayerShown[0], 1);

    // A hidden layer chosen as active is shown.
    doc.SetLayerVisible(5, 0);
    doc.SetActiveLayer(5);
    doc.OnActiveLayerChanged();
    EXPECT_EQ(doc.GetActiveLayer(), 5);
    EXPECT_EQ(doc.m_tool.m_bLayerShown[5], 1);

    // Locking deselects exactly the layer's selected objects.
    onOne->Select();
    onTwo->Select();
    ASSERT_EQ(doc.m_selection.size(), 2u);
    doc.SetLayerLocked(1, 1);
    EXPECT_TRUE(doc.IsLayerLocked(1));
    EXPECT_FALSE(onOne->IsSelected());
    EXPECT_TRUE(onTwo->IsSelected());
    doc.SetLayerLocked(1, 0);
    EXPECT_FALSE(doc.IsLayerLocked(1));
}

TEST_F(DocumentCommand, LayoutWideSettingsRebuildTheWholeLayoutInside) {
    CommandDoc doc;
    CTestShape* outside = AddShape(doc.m_rootGroup, doc.m_tool, 0);
    CGroup* group = NewGroup(&doc.m_tool);
    doc.m_rootGroup.m_members.push_back(group);
    CGroup* inner = NewGroup(&doc.m_tool);
    group->m_members.push_back(inner);
    CTestShape* deep = AddShape(*inner, doc.m_tool, 0);
    doc.m_groupEditStack.emplace_front(group, doc.m_docPose);
    doc.m_groupEditStack.emplace_front(inner, doc.m_docPose);

    doc.Send(ID_LAYER_SHOW_HIDE_0 + 4);
    EXPECT_EQ(outside->m_n3DUpdates, 1);
    EXPECT_EQ(deep->m_n3DUpdates, 1);

    // Inside the inner group, Document Setup still rebuilds the objects outside it: the new
    // page size changes the 3D scale of every model in the scene.
    doc.m_fPageWidth = 40000.0;
    doc.m_fPageHeight = 20000.0;
    doc.Send(ID_DOCUMENT_SETUP);
    EXPECT_EQ(outside->m_n3DUpdates, 2);
    EXPECT_EQ(deep->m_n3DUpdates, 2);
    EXPECT_DOUBLE_EQ(doc.m_f3DScaleDivisor, 2500.0);
    EXPECT_DOUBLE_EQ(doc.m_fZoomedPageWidth, 40000.0 * doc.m_tool.m_fZoomNumerator / doc.m_tool.m_fZoomDenominator);

    // A cancelled setup changes nothing.
    doc.m_bConfirm = FALSE;
    doc.m_fPageWidth = 80000.0;
    doc.Send(ID_DOCUMENT_SETUP);
    EXPECT_DOUBLE_EQ(doc.m_f3DScaleDivisor, 2500.0);
    EXPECT_EQ(outside->m_n3DUpdates, 2);

    // The draw style reaches the whole layout too, not only the group being edited: the 3D
    // view shows every object, and those outside the group would keep the old style.
    EXPECT_EQ(Update(doc, ID_3D_WIREFRAME).m_nCheck, 0);
    outside->SetEditState(3);
    doc.Send(ID_3D_WIREFRAME);
    EXPECT_EQ(doc.m_n3DDrawStyle, 2);
    EXPECT_EQ(outside->m_nRenderModes, 1);
    EXPECT_EQ(deep->m_nRenderModes, 1);
    EXPECT_EQ(outside->GetEditState(), -1);
    EXPECT_EQ(outside->m_n3DUpdates, 2);
    EXPECT_EQ(Update(doc, ID_3D_WIREFRAME).m_nCheck, 1);
    doc.Send(ID_3D_WIREFRAME);
    EXPECT_EQ(doc.m_n3DDrawStyle, 4);
    doc.m_n3DDrawStyle = 1;
    doc.Send(ID_3D_WIREFRAME);
    EXPECT_EQ(doc.m_n3DDrawStyle, 4);
}

namespace {

class CPoseRecordingShape : public CTestShape {
  public:
    using CTestShape::CTestShape;
    int Update3D(const CPose* parent) override {
        m_lastParent = *parent;
        return CTestShape::Update3D(parent);
    }
    CPose m_lastParent;
};

}  // namespace

TEST_F(DocumentCommand, TheMaterialsReportRebuildsTheEnteredGroupInItsPlace) {
    CommandDoc doc;
    CGroup* group = NewGroup(&doc.m_tool);
    group->m_pose = CPose(1000.0, 500.0, 0.0);
    doc.m_rootGroup.m_members.push_back(group);
    auto* member = new CPoseRecordingShape(&doc.m_tool);
    group->m_members.push_back(member);
    doc.m_groupEditStack.emplace_front(group, group->WorldPose(nullptr));

    doc.Send(ID_MATERIALS_REPORT);
    EXPECT_EQ(member->m_n3DUpdates, 1);
    EXPECT_DOUBLE_EQ(member->m_lastParent.x, 1000.0);
    EXPECT_DOUBLE_EQ(member->m_lastParent.y, 500.0);
    EXPECT_EQ(doc.m_nLibraryReportCommand, static_cast<UINT>(ID_MATERIALS_REPORT));
    doc.m_groupEditStack.pop_front();
}

TEST_F(DocumentCommand, LibraryCommandsAskForAFileFirst) {
    // The file prompt appears on the headless screen, where nobody answers it: it is cancelled.
    WindowManager::Instance().Reset();
    HeadlessHost host;
    CommandDoc doc;
    CTestShape* shape = AddShape(doc.m_rootGroup, doc.m_tool, 0);

    // Nothing selected: no prompt at all.
    doc.Send(ID_LIBRARY_PUT_SELECTION);
    EXPECT_TRUE(host.UnansweredModals().empty());
    EXPECT_EQ(doc.m_nLibraryReportCommand, ID_LIBRARY_GET_OBJECT);

    // A cancelled file prompt ends either command without a dialog.
    shape->Select();
    doc.m_strLibraryPath.Empty();
    doc.Send(ID_LIBRARY_PUT_SELECTION);
    doc.Send(ID_LIBRARY_GET_OBJECT);
    EXPECT_EQ(host.UnansweredModals(), (std::vector<CString>{"Open", "Open"}));
    EXPECT_EQ(doc.m_nDialogs, 0);
    EXPECT_TRUE(doc.m_libraryGroup.m_members.empty());
    EXPECT_TRUE(Update(doc, ID_LIBRARY_PUT_SELECTION).m_bEnabled);

    doc.Send(ID_PARTS_LIST);
    EXPECT_EQ(doc.m_nLibraryReportCommand, ID_PARTS_LIST);
    EXPECT_FALSE(doc.m_bPaused);

    // Terrain commands inside group editing only mark the document modified.
    doc.SetModifiedFlag(FALSE);
    doc.m_groupEditStack.emplace_front(NewGroup(&doc.m_tool), doc.m_docPose);
    doc.Send(ID_RESTORE_TERRAIN);
    EXPECT_TRUE(doc.IsModified());
    CGroup* opened = doc.m_groupEditStack.front().m_pGroup;
    doc.m_groupEditStack.pop_front();
    delete opened;
    EXPECT_TRUE(Update(doc, ID_CONFORM_TRACKS_TO_TERRAIN).m_bEnabled);
    shape->Deselect();
    EXPECT_FALSE(Update(doc, ID_CONFORM_TRACKS_TO_TERRAIN).m_bEnabled);
}

TEST_F(DocumentCommand, TerrainCommandsKeepTheLayoutModifiedUntilTheNextSave) {
    TestFolder folder;
    const std::string path = (folder / "terrain.cvn").string();
    for (UINT command : {ID_CONFORM_TERRAIN, ID_RESTORE_TERRAIN}) {
        SCOPED_TRACE(command);
        CommandDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        AddShape(doc.m_rootGroup, doc.m_tool, 0)->Select();
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        ASSERT_FALSE(doc.IsModified());

        // The terrain change is on no undo step: undoing the move after it cannot reach the
        // saved layout.
        doc.Send(command);
        doc.m_tool.MoveSelection(500.0, 0.0, 0, 1, 1);
        doc.m_tool.Undo();
        EXPECT_EQ(doc.m_tool.GetUndoCount(), 0);
        EXPECT_TRUE(doc.IsModified());
        doc.m_tool.MoveSelection(500.0, 0.0, 0, 1, 1);
        doc.m_tool.Undo();
        EXPECT_TRUE(doc.IsModified());

        // The next save is the state that Undo comes back to.
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
        doc.m_tool.MoveSelection(500.0, 0.0, 0, 1, 1);
        EXPECT_TRUE(doc.IsModified());
        doc.m_tool.Undo();
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(DocumentCommand, CollectObjectsByClassSearchesGroupsDepthFirst) {
    CommandDoc doc;
    CTestShape* plain = AddShape(doc.m_rootGroup, doc.m_tool, 0);
    CGroup* outer = NewGroup(&doc.m_tool);
    CGroup* inner = NewGroup(&doc.m_tool);
    outer->m_members.push_back(inner);
    doc.m_rootGroup.m_members.push_back(outer);
    CPaintList found{plain};
    CCVNDoc::CollectObjectsByClass(found, doc.m_rootGroup.m_members, TRUE);
    // Shapes are no track, camera or 3D object; the list keeps what it held.
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front(), plain);

    plain->Select();
    EXPECT_EQ(doc.GetSelectedMount(), nullptr);
}

TEST_F(DocumentCommand, InstalledDialogsRunForEveryDocument) {
    std::vector<CString> shown;
    CCVNDoc::DocumentDialogs dialogs;
    dialogs.documentSetup = [&](CCVNDoc& doc) {
        shown.push_back("setup");
        doc.m_fPageWidth = 48000.0;
        return TRUE;
    };
    dialogs.partsList = [&](CCVNDoc&) {
        shown.push_back("parts");
        return TRUE;
    };
    CCVNDoc::InstallDialogs(std::move(dialogs));

    CCVNDoc doc;
    doc.OnCmdMsg(ID_DOCUMENT_SETUP, CN_COMMAND, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(doc.m_f3DScaleDivisor, 3000.0);
    doc.OnCmdMsg(ID_PARTS_LIST, CN_COMMAND, nullptr, nullptr);
    // Not installed: the report shows nothing, the command is still remembered.
    doc.OnCmdMsg(ID_MATERIALS_REPORT, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(shown, (std::vector<CString>{"setup", "parts"}));
    EXPECT_EQ(doc.m_nLibraryReportCommand, static_cast<UINT>(ID_MATERIALS_REPORT));

    CCVNDoc::InstallDialogs({});
    doc.m_fPageWidth = 96000.0;
    doc.OnCmdMsg(ID_DOCUMENT_SETUP, CN_COMMAND, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(doc.m_f3DScaleDivisor, 3000.0);
}
