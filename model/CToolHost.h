#pragma once

#include "model/CGroupEditEntry.h"
#include "model/PaintRecords.h"
#include "model/TrackConnectionState.h"
#include "model/Units.h"
#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CPaint;
class CSelectionIndex;
class CTool;
class CGroup;
class CPieceStatusText;

namespace r3d {
class Scene;
}

// The block of flags the properties comparison fills, one per property that differs.
constexpr int kPropertyFlagCount = 64;
using PropertyFlags = int[kPropertyFlagCount];

// Positions in the block of the properties every layout object has.
enum PropertyFlag : int {
    kDiffersCategory,
    kDiffersManufacturer,
    kDiffersScale,
    kDiffersType,
    kDiffersName,
    kDiffersPartNo,
    kDiffersPrice,
    kDiffersNote,
    kDiffersShowInReport,
    kDiffersPenStyle,
    kDiffersPenWidth,
    kDiffersPenColor,
    kDiffersFill,
    kDiffersPattern,
    kDiffersArrowStyle,
    kDiffersArrowLength,
    kDiffersArrowWidth,
    kDiffersFrameStyle,
    kDiffersFrameWidth,
    kDiffersFrameColor,
    kDiffersScaleWithDocument = 24,
    // The group's own settings.
    kDiffersPriceMode = 25,
    kDiffersExpansion,
    kDiffersBorder,
    kDiffersBorderColor,
};

// What the editing engine needs of its document. The document owns the groups, the
// selection and the group-edit stack; the engine reaches them only through this interface,
// so that the document and the group classes plug in without the engine knowing them.
// Groups are passed as the layout objects they are.
class CToolHost {
  public:
    virtual ~CToolHost() = default;

    // Document state.
    // The document's editing engine; null for a host that embeds none.
    virtual CTool* GetTool() { return nullptr; }
    virtual void SetModifiedFlag(BOOL modified) = 0;
    virtual BOOL IsModified() const = 0;
    // Index of the document's default model scale in the scale table.
    virtual int GetDefaultScaleIndex() const = 0;
    // The scale of the engine's default track piece as an index of the scale table; -1 when
    // its scale is no name of the table.
    virtual int GetDefaultTrackScaleIndex() const { return GetDefaultScaleIndex(); }
    // The document's length unit, an index of the unit table.
    virtual int GetUnitIndex() const { return kDefaultUnitIndex; }
    // The layout file version being read or written.
    virtual int GetFileVersion() const = 0;
    // Names one thing a layout object read could not use as stored and mended; the host
    // that reads a file names them all in one message when the read is done.
    virtual void NoteMendedOnReading(const CString&) {}
    // The selection, newest first.
    virtual CPaintList& GetSelection() = 0;
    // Where each object lies in the selection, for a host whose selection may be large; the
    // selection's objects enter and leave it through the index. Null: the list is walked.
    virtual CSelectionIndex* GetSelectionIndex() { return nullptr; }
    virtual BOOL IsLayerLocked(int layer) const = 0;

    // Layout structure.
    virtual CPaint* GetRootGroup() = 0;
    // The document's group-edit stack; null when the document keeps none, and the root group
    // is then the only group edited.
    virtual CGroupEditStack* GetGroupEditStack() { return nullptr; }
    // The group whose members the engine works on: the innermost group edit, else the root.
    virtual CPaint* GetCurrentGroup();
    // The group that holds (or, for an object out of the layout, held) the object.
    virtual CPaint* GetOwnerGroup(CPaint* object) = 0;
    // Takes the object out of its owning group's members; FALSE when it was no member.
    virtual BOOL DetachFromGroup(CPaint* object) = 0;
    // Puts an object that is out of the layout back at the head of its owning group and
    // gives it that group's world placement as its parent placement.
    virtual void ReinsertIntoOwnerGroup(CPaint* object) = 0;
    // The owning group of the object (the current group when null) recomputes its frame and
    // extent, unless it is the root group.
    virtual void RefreshGroupFrame(CPaint* member) = 0;

    // The clipboard shared by every document: clones that belong to no engine, owned by the
    // list. Null when the program keeps none.
    virtual CPaintList* GetClipboard() { return nullptr; }
    // The centre of the active plan view's client area in logical units; FALSE when there is
    // no active plan view.
    virtual BOOL GetPlanViewCentre(int& centreX, int& centreY) const {
        centreX = 0;
        centreY = 0;
        return FALSE;
    }
    // A message box with a text of the string table.
    virtual void ShowMessage(const CString& text) { (void)text; }
    // Set while a modal dialog runs, so that the test trains pause.
    virtual void SetModalDialogFlag(BOOL running) { (void)running; }
    // The key states at this moment, one byte per virtual key (low bit: toggled, high bit:
    // pressed).
    virtual void ReadKeyboardState(BYTE (&state)[256]) { (void)state; }
    // The status bar shows the engine's five status panes.
    virtual void ShowStatusPanes(CPieceStatusText& status) { (void)status; }

    // Plan and print settings of the document, lengths in tenths of a millimetre.
    virtual double GetPrintScale() const = 0;
    virtual int GetGridWidth() const = 0;
    virtual int GetGridHeight() const = 0;
    virtual double GetPageWidth() const = 0;
    virtual double GetPageHeight() const = 0;
    // The default printer's printable width and height; zero without a printer.
    virtual void GetPrintableSize(int& width, int& height) const {
        width = 0;
        height = 0;
    }
    virtual PropertyFlags& GetPropertyFlags() = 0;

    // The members of a group, head (front-most) first; empty for an object that is no group.
    virtual const CPaintList& GetGroupMembers(CPaint* group) = 0;
    // The document's test trains; each draws itself over the layout.
    virtual CPaintList GetTestTrains() { return {}; }
    // Stops every test train standing on the piece and takes the piece from it.
    virtual void StopTrainsOn(CPaint*) {}
    // The document's limits for joining track.
    virtual TrackLimits GetTrackLimits() const { return TrackLimits{}; }
    // Takes a test train out of the document and destroys it; the train timer stops when no
    // document holds a train any more.
    virtual void DeleteTestTrain(CPaint* train) { (void)train; }
    // Puts a new test train at the head of the document's train list.
    virtual void AddTestTrain(CPaint* train) { (void)train; }
    // Whether any open document holds a test train.
    virtual BOOL AnyDocumentHasTrain() const { return FALSE; }
    // The main window's train timer: id 1 every 20 ms.
    virtual void StartTrainTimer() {}
    virtual BOOL IsTrainTimerRunning() const { return FALSE; }

    // The 3D world: the scene (null before it is made), whether a 3D window is open, the
    // draw style of the models (4 solid, 2 wireframe).
    virtual r3d::Scene* GetScene() { return nullptr; }
    virtual BOOL Has3DWindow() const { return FALSE; }
    virtual int Get3DDrawStyle() const { return 4; }
    // Plan units per 3D unit; 0 while the document has no page to scale by.
    virtual double Get3DScale() const { return 0.0; }
    // Hands the data folders to the 3D library before a model is built, so that a folder
    // changed in the preferences is searched.
    virtual void Refresh3DSearchFolders() {}
    // Renders the active view of the open 3D window at once.
    virtual void RenderActive3DView() {}
    // Benchwork stands in place of the ground plane: the plane leaves the scene, and comes
    // back when no benchwork model is left in it.
    virtual void RemoveGroundPlane() {}
    virtual void RefreshGroundPlane() {}
    // Every view of the document shows the layout anew.
    virtual void UpdateAllViews() {}
    // Every view of the document repaints whole at once.
    virtual void InvalidateAllViews() {}

    // The active plan view: FALSE when there is none. Its scroll size is in logical units.
    virtual BOOL GetPlanScrollSize(int& width, int& height) const {
        width = 0;
        height = 0;
        return FALSE;
    }
    // Invalidates the active plan view whole and answers the centre of its client area in
    // logical units; FALSE when there is no active plan view.
    virtual BOOL InvalidatePlanView(int& centreX, int& centreY) {
        centreX = 0;
        centreY = 0;
        return FALSE;
    }
    // Every plan view of the document repaints its dirty area.
    virtual void RepaintDirtyViews() {}

    // Cursor shown while a long operation runs.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};
