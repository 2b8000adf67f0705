#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "model/CGroup.h"
#include "model/CGroupEditEntry.h"
#include "model/CPose.h"
#include "model/CSelectionIndex.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/LayoutFile.h"
#include "model/PaintRecords.h"
#include "platform/base/CString.h"
#include "platform/win/CDocument.h"
#include "resources/CommandIds.h"

class CFrameWnd;
class CMainFrameServices;
class CMultiDocTemplate;
class CPlanViewServices;
class C3DViewServices;
class CPropertyPage;
class CView;

namespace r3d {
class Clump;
class Light;
class Scene;
}  // namespace r3d

// The document of one open layout: its settings, the root group with every layout object,
// the editing engine, the selection, the group-edit stack, the test trains and the library
// group. The track subsystem must have registered its pieces (RegisterTrackPieces) before
// the first document is made, so that the default track can be built and read.
class CCVNDoc : public CDocument, public CToolHost {
    DECLARE_DYNCREATE(CCVNDoc)

  public:
    static constexpr int kHeaderMarker = 3;
    static constexpr int kProductMarker = 3;
    static constexpr double kDefaultPageWidth = 21590.0;
    static constexpr double kDefaultPageHeight = 27940.0;
    static constexpr int kDefaultGridSize = 1270;
    // Model tags of the ground plane and of benchwork.
    static constexpr int kGroundPlaneTag = 4;
    static constexpr int kBenchworkTag = 105;

    CCVNDoc();
    ~CCVNDoc() override;

    // The whole layout: document record, engine record, root group.
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR pathName) override;
    BOOL OnSaveDocument(LPCTSTR pathName) override;
    // Before a layout is read, after a read that failed and when the document goes: the
    // layout holds no object, selection or undo step, and the root group is the one edited.
    // The settings stay; test trains are no part of a layout file.
    void DeleteContents() override;
    // Every plan window of every layout is redrawn when a window comes, goes or closes its
    // layout, so that the windows left show the current state.
    void OnChangedViewList() override;
    void OnCloseDocument() override;
    // The test trains stand still while the save-changes question is open; when the close
    // goes on they stay paused until the document has gone.
    BOOL SaveModified() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;
    // Whether the plan may be drawn from the document. It may not from the start of an open
    // until the file has been read whole (a failed open leaves it so until the document goes),
    // nor while it holds the settings of the default-settings file for a moment: the views
    // then keep the picture they have.
    BOOL IsPaintable() const { return m_bPaintable; }
    // Takes the copies of view scale and unit and the mapping of a new or opened layout.
    void ResetViewSettings();
    // The built-in settings of a layout when no default-settings file gives others.
    void SetBuiltInDefaults();

    // The 3D world. The data folders become the 3D library's search folders.
    void SetResourcePaths();
    // The scene, its directional light and the ground plane, made at New and Open.
    void Create3DWorld();
    // Builds the ground plane (or reads it from a script model) and puts it into the scene in
    // place of the old one; null, with the old one kept, when no plane could be made.
    r3d::Clump* BuildGroundPlane(const char* scriptName = nullptr);
    // After a change of page or texture, or when a benchwork model goes: a layout without
    // benchwork gets a new ground plane.
    void RefreshGroundPlane() override;
    // Destroys the ground plane, so that benchwork stands alone.
    void RemoveGroundPlane() override;
    r3d::Light* GetLight() const { return m_pLight; }
    r3d::Clump* GetGroundPlane() const { return m_pGroundPlane.get(); }
    // An error box with the stop icon.
    virtual void ReportError(const CString& text);

    // The default-settings files of the program folder. The readers fall back to the built-in
    // defaults (a damaged file is reported at the next New or Open, once per run); the
    // writers answer FALSE, after an error box, when the file could not be written.
    void ReadPreferences();
    BOOL WritePreferences();
    void ReadDefaultTrack();
    // A copy of the given track becomes the document's default track and is written.
    BOOL WriteDefaultTrack(CPaint* track);
    // The settings backup shared by every document: save non-zero copies this document's
    // default settings into it, save 0 copies them back (the handle size as a whole number).
    void SaveSettingsBackup(int save);
    // The track becomes the default track of new layouts, and its scale their train scale;
    // this document keeps its own settings, with that scale. FALSE when a file could not be
    // written.
    BOOL MakeDefaultTrack(CPaint* track);

    // The layers: the active one, shown and locked flags, held by the editing engine.
    int GetActiveLayer() const { return m_tool.m_nActiveLayer; }
    void SetActiveLayer(int layer) { m_tool.m_nActiveLayer = layer; }
    void SetLayerVisible(int layer, int visible);
    // Locking a layer deselects its objects.
    void SetLayerLocked(int layer, int locked);
    // The user picked the active layer in the main frame's layer selector; it is shown.
    void OnActiveLayerChanged();
    // Every view of the document is redrawn whole.
    void InvalidateAllViews() override;
    // One tick of the train timer: every test train moves on by the steps that have passed.
    void StepTrains(int ticks);
    // The open 3D window of this layout, null when there is none.
    CFrameWnd* Get3DFrame() const;
    void Set3DFrame(CFrameWnd* frame) { m_p3DFrame = frame; }
    // The template through which 3D windows of this layout are opened.
    CMultiDocTemplate* Get3DTemplate() const { return m_p3DTemplate.get(); }
    // The main window's services; null when the program has no such main window.
    static CMainFrameServices* GetMainFrameServices();
    // The track pieces and cameras of the list, and with include3D its 3D objects and
    // sprites, appended to output in order; groups are searched depth first.
    static void CollectObjectsByClass(CPaintList& output, const CPaintList& source, BOOL include3D);
    // Visits the same objects in the same order until visit answers false; answers whether it
    // stopped early. A command's enabled state asks this of the whole selection many times a
    // second, and the first track piece found answers it.
    static bool VisitObjectsByClass(const CPaintList& source, BOOL include3D,
                                    const std::function<bool(CPaint*)>& visit);
    // The selected terrain object: the one selected object when it is a terrain, else null.
    CPaint* GetSelectedMount();

    // Asks for a library file and reads it; FALSE when the user cancelled, or when the
    // modified library could not be written first (it then stays open).
    BOOL BrowseLibrary();
    // The symbol library at the library path. Reading appends the file's objects to the
    // library group; FALSE, after an error box, when no file was found or it is damaged (the
    // library group is then as it was).
    BOOL ReadLibrary();
    // FALSE, after an error box, when the file could not be written; the library and its
    // modified mark then stay. A library on a read-only medium is left unwritten.
    BOOL WriteLibrary();

    // Lengths in the document's unit.
    void FormatLength(CString& text, double length) const;
    void FormatLengthValue(CString& text, double length, int negativeAsDecimal) const;
    void FormatLengthFraction(CString& text, double value) const;

    // CToolHost.
    CTool* GetTool() override { return &m_tool; }
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL IsModified() override;
    BOOL IsModified() const override;
    // A setting the layout file keeps that changed since the layout was saved, read or last
    // looked at marks the layout modified: the program looks when it idles after a command and
    // before asking to save.
    void TakeSettingsChanges();
    int GetDefaultScaleIndex() const override { return m_nDefaultScaleIndex; }
    int GetUnitIndex() const override { return m_nUnitIndex; }
    int GetFileVersion() const override { return m_nFileVersion; }
    void NoteMendedOnReading(const CString& what) override { m_mendedOnReading.push_back(what); }
    CPaintList& GetSelection() override { return m_selection; }
    CSelectionIndex* GetSelectionIndex() override { return &m_selectionIndex; }
    BOOL IsLayerLocked(int layer) const override;
    CPaint* GetRootGroup() override { return &m_rootGroup; }
    CGroupEditStack* GetGroupEditStack() override { return &m_groupEditStack; }
    CPaint* GetOwnerGroup(CPaint* object) override;
    BOOL DetachFromGroup(CPaint* object) override;
    void ReinsertIntoOwnerGroup(CPaint* object) override;
    void RefreshGroupFrame(CPaint* member) override;
    double GetPrintScale() const override { return m_fPrintScale; }
    int GetGridWidth() const override { return m_nGridWidth; }
    int GetGridHeight() const override { return m_nGridHeight; }
    double GetPageWidth() const override { return m_fPageWidth; }
    double GetPageHeight() const override { return m_fPageHeight; }
    PropertyFlags& GetPropertyFlags() override { return m_propertyFlags; }
    const CPaintList& GetGroupMembers(CPaint* group) override;
    CPaintList GetTestTrains() override { return m_testTrains; }
    void DeleteTestTrain(CPaint* train) override;
    void AddTestTrain(CPaint* train) override { m_testTrains.push_front(train); }
    void StopTrainsOn(CPaint* piece) override;
    BOOL AnyDocumentHasTrain() const override;
    void StartTrainTimer() override;
    BOOL IsTrainTimerRunning() const override;
    TrackLimits GetTrackLimits() const override { return m_limits; }
    void ShowMessage(const CString& text) override;
    void SetModalDialogFlag(BOOL running) override;
    CPaintList* GetClipboard() override;
    void ShowStatusPanes(CPieceStatusText& status) override;
    BOOL Has3DWindow() const override { return Get3DFrame() != nullptr; }
    void RenderActive3DView() override;
    // The active view of the open 3D window, or null.
    C3DViewServices* Active3DView() const;
    void GetPrintableSize(int& width, int& height) const override;
    void ReadKeyboardState(BYTE (&state)[256]) override;
    void BeginWaitCursor() override { CDocument::BeginWaitCursor(); }
    void EndWaitCursor() override { CDocument::EndWaitCursor(); }
    BOOL GetPlanViewCentre(int& centreX, int& centreY) const override;
    BOOL GetPlanScrollSize(int& width, int& height) const override;
    BOOL InvalidatePlanView(int& centreX, int& centreY) override;
    void RepaintDirtyViews() override;
    void UpdateAllViews() override { CDocument::UpdateAllViews(nullptr); }
    r3d::Scene* GetScene() override { return m_pScene.get(); }
    int Get3DDrawStyle() const override { return m_n3DDrawStyle; }
    double Get3DScale() const override { return m_f3DScaleDivisor; }
    void Refresh3DSearchFolders() override { SetResourcePaths(); }

    int m_nFileVersion = kLayoutFileVersion;
    CPaintList m_testTrains;
    CGroupEditStack m_groupEditStack;
    CPose m_docPose;
    CTool m_tool;
    CGroup m_rootGroup;
    int m_nHeaderMarker = kHeaderMarker;
    double m_fPageWidth = 0.0;
    double m_fPageHeight = 0.0;
    int m_nProductMarker = kProductMarker;
    double m_fZoomedPageWidth = 0.0;
    double m_fZoomedPageHeight = 0.0;
    int m_nPrintScaleChoice = 0;
    double m_fPrintScale = 1.0;
    double m_fViewScale = 10.0;
    double m_fViewScaleCopy = 10.0;
    int m_nReserved = 0;
    int m_nUnitIndex = 4;
    int m_nDefaultScaleIndex = 12;
    int m_nUnitIndexCopy = 4;
    CGroup m_libraryGroup;
    CString m_strLibraryPath;
    CString m_strLibraryFileName;
    int m_bLibraryModified = 0;
    CString m_strPartsPath;
    CString m_strPartsFileName;
    int m_bGridShown = 0;
    int m_nGridWidth = 1270;
    int m_nGridHeight = 1270;
    COLORREF m_crGrid = 0;
    COLORREF m_crBackground = 0;
    CString m_strSpare;
    int m_nSpareFlag = 1;
    CString m_strBenchworkTexture;
    int m_bUseBackdrop = 1;
    CString m_strBackdrop;
    float m_fLightBrightness = 1.0f;
    COLORREF m_cr3DBackground = 0;
    TrackLimits m_limits;
    int m_bShowPageMarkers = 1;
    int m_bShowPageNumbers = 1;
    // "Object Sizes": kept for the session, never stored.
    int m_bObjectSizes = 0;
    double m_f3DScaleDivisor = 0.0;
    int m_n3DDrawStyle = 4;
    CPaintList m_selection;
    CSelectionIndex m_selectionIndex;
    PropertyFlags m_propertyFlags = {};
    // The scene lets go of the models still in it when it goes first.
    std::unique_ptr<r3d::Scene> m_pScene;
    r3d::Light* m_pLight = nullptr;
    std::unique_ptr<r3d::Clump> m_pGroundPlane;
    // What went wrong reading the default-settings files, shown at the next New or Open.
    CString m_strSettingsWarning;
    // What reading the default track mended, named with what the next New or Open reads.
    std::vector<CString> m_mendedDefaultTrack;
    BOOL m_bPaintable = TRUE;

    // The commands last chosen from the drop-down tool buttons.
    UINT m_nLibraryReportCommand = ID_LIBRARY_GET_OBJECT;
    UINT m_nTestTrainCommand = ID_TOOL_RUN_TEST_TRAIN;
    UINT m_nDimensionCommand = ID_TOOL_DIMENSION_LINE;
    // The track wizard's pages, made on its first use and kept, with what the user typed
    // into them, until the document goes; and the page it showed last.
    static constexpr int kWizardPageCount = 11;
    std::array<std::unique_ptr<CPropertyPage>, kWizardPageCount> m_wizardPages;
    int m_nWizardPage = 0;
    // The items the manufacturer parts list read from its parts file.
    std::vector<std::unique_ptr<CObject>> m_partsCatalogue;

    // The dialogs the document commands run. They are built on top of the document and
    // installed by the program at start-up; each answers TRUE when the user confirmed it.
    using DocumentDialog = std::function<BOOL(CCVNDoc&)>;
    struct DocumentDialogs {
        DocumentDialog documentSetup;
        DocumentDialog preferences;
        DocumentDialog library;
        DocumentDialog libraryNotice;
        DocumentDialog materialsReport;
        DocumentDialog partsList;
    };
    static void InstallDialogs(DocumentDialogs dialogs);

  protected:
    // A dialog that is not installed shows nothing and answers FALSE.
    virtual BOOL RunDocumentSetupDialog() { return RunInstalled(&DocumentDialogs::documentSetup); }
    virtual BOOL RunPreferencesSheet() { return RunInstalled(&DocumentDialogs::preferences); }
    virtual BOOL RunLibraryDialog() { return RunInstalled(&DocumentDialogs::library); }
    virtual BOOL RunLibraryNotice() { return RunInstalled(&DocumentDialogs::libraryNotice); }
    virtual BOOL RunMaterialsReport() { return RunInstalled(&DocumentDialogs::materialsReport); }
    virtual BOOL RunPartsList() { return RunInstalled(&DocumentDialogs::partsList); }
    BOOL RunInstalled(DocumentDialog DocumentDialogs::*dialog);

    void OnToolCommand(UINT id);
    void OnUpdateToolCommand(CCmdUI* cmdUI);
    void OnDocumentSetup();
    void OnPreferences();
    void OnGetObjectFromLibrary();
    void OnPutSelectionIntoLibrary();
    void OnUpdateLibraryCommand(CCmdUI* cmdUI);
    void OnMaterialsReport();
    void OnPartsList();
    void On3DWireframe();
    void OnUpdate3DWireframe(CCmdUI* cmdUI);
    void OnTrackWizard();
    void OnOpen2DView();
    void OnUpdateOpen2DView(CCmdUI* cmdUI);
    void OnUpdateChooseActiveLayer(CCmdUI* cmdUI);
    void OnGetLostObjects();
    void OnShowHideLayer(UINT id);
    void OnUpdateShowHideLayer(CCmdUI* cmdUI);
    void OnConformTracksToTerrain();
    void OnUpdateConformTracksToTerrain(CCmdUI* cmdUI);
    void OnConformTerrain();
    void OnRestoreTerrain();
    void OnUpdateTerrainCommand(CCmdUI* cmdUI);
    DECLARE_MESSAGE_MAP()

  private:
    // Every layout object rebuilds its 3D model: the whole layout, not only the group open
    // for editing, since page, style and layer settings concern every object.
    void UpdateLayout3D(bool rebuild);
    bool IsEditingGroup() const { return m_groupEditStack.size() != 1; }
    std::unique_ptr<r3d::Clump> MakeGroundModel() const;
    void LoadPreferences(CArchive& ar);
    void StorePreferences(CArchive& ar, double handleSize) const;
    BOOL WriteSettingsFile(const char* fileName, const std::function<void(CArchive&)>& store);
    void NoteDamagedSettings(const char* fileName);
    void ShowSettingsWarning();
    // What reading the default track mended is named, once in a run, in the message of what
    // the next New or Open mended.
    void KeepMendedDefaultTrack();
    void AddMendedDefaultTrack();
    // A new or opened layout starts with the view settings, the selector tool and the light
    // of a fresh one, its 3D world built.
    void StartSession();
    // The file read into the document and its session started, the missing files reported.
    BOOL ReadAndStartSession(LPCTSTR pathName);
    // Names what the read mended in one message, then forgets it.
    void ShowMendedOnReading();
    // The scale and unit the plan's rulers were last brought up to: the file keeps them, but
    // they follow the view scale and unit at the next paint, so they mark nothing themselves.
    struct RulersShown {
        double viewScale = 0.0;
        int unitIndex = 0;
    };
    void StoreDocumentRecord(CArchive& ar, const RulersShown& rulers) const;
    // What a save writes of the document's and the engine's records, as bytes to compare, with
    // the state of the work (rulers, tool, snapping, zoom, active layer, conformed flag) masked.
    std::vector<BYTE> SettingsRecords() const;
    // The present layout and settings are the saved ones.
    void MarkSaved();
    void LoadDocumentRecord(CArchive& ar);
    // The version a file begins with; it must be at least 1, and a newer one is read as ours.
    void ReadFileVersion(CArchive& ar);
    // The limits for joining track; a stored value that is not finite gives the default.
    void ReadTrackLimits(CArchive& ar);
    void CreateDefaultTrack();
    // The plan views of this layout (views that give the plan view's services), and the
    // first of them, null when none is open.
    std::vector<CPlanViewServices*> PlanViews() const;
    CView* FindPlanView() const;
    // The plan view the user works in: the main window's active one when it shows this
    // layout, else the first of this layout's; null when none is open.
    CView* ActivePlanView() const;
    bool CreateWizardPages();
    void ReleaseTestTrains();

    std::unique_ptr<CMultiDocTemplate> m_p3DTemplate;
    CFrameWnd* m_p3DFrame = nullptr;
    // What the running read of a layout or library mended, in the order read.
    std::vector<CString> m_mendedOnReading;
    // The settings records as the layout last saved, read or looked at had them.
    std::vector<BYTE> m_settingsRecords;
};
