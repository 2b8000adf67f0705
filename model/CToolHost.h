#pragma once

#include "model/PaintRecords.h"
#include "model/TrackConnectionState.h"
#include "model/Units.h"
#include "platform/base/WinTypes.h"

class CPaint;
class CGroup;

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
    // The selection, newest first.
    virtual CPaintList& GetSelection() = 0;
    virtual BOOL IsLayerLocked(int layer) const = 0;

    // Layout structure.
    virtual CPaint* GetRootGroup() = 0;
    // The group whose members the engine works on (innermost group edit, else the root).
    virtual CPaint* GetCurrentGroup() = 0;
    // The group that holds (or, for an object out of the layout, held) the object.
    virtual CPaint* GetOwnerGroup(CPaint* object) = 0;
    // Takes the object out of its owning group's members; FALSE when it was no member.
    virtual BOOL DetachFromGroup(CPaint* object) = 0;
    // Puts an object that is out of the layout back at the head of its owning group and
    // gives it that group's world placement as its parent placement.
    virtual void ReinsertIntoOwnerGroup(CPaint* object) = 0;
    // Puts a new object into the group (the current group when null) at the point.
    virtual void PlaceInGroup(CPaint* object, CGroup* group, double x, double y) = 0;
    // A new group of the objects inside the current group; null when it cannot be made.
    virtual CPaint* MakeGroup(const CPaintList& members) = 0;
    // Dissolves the group into the current group and destroys it.
    virtual BOOL DissolveGroup(CPaint* group) = 0;
    virtual BOOL EnterGroupEdit(CPaint* group) = 0;
    virtual BOOL ExitGroupEdit(CPaint* group) = 0;
    // Deletes every entry of the group-edit stack without emptying it.
    virtual void DeleteGroupEditEntries() = 0;
    // The owning group of the object (the current group when null) recomputes its frame and
    // extent, unless it is the root group.
    virtual void RefreshGroupFrame(CPaint* member) = 0;

    // Commands whose work lies outside the engine.
    virtual BOOL CutSelection() = 0;
    virtual BOOL PasteClipboard() = 0;
    virtual BOOL FlipSelection(BOOL vertical) = 0;

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
    virtual CPaintList GetGroupMembers(CPaint* group) = 0;
    // The document's test trains; each draws itself over the layout.
    virtual CPaintList GetTestTrains() { return {}; }
    // Stops every test train standing on the piece and takes the piece from it.
    virtual void StopTrainsOn(CPaint*) {}
    // The document's limits for joining track.
    virtual TrackLimits GetTrackLimits() const { return TrackLimits{}; }

    // The 3D world: the scene (null before it is made), whether a 3D window is open, the
    // draw style of the models (4 solid, 2 wireframe).
    virtual r3d::Scene* GetScene() { return nullptr; }
    virtual BOOL Has3DWindow() const { return FALSE; }
    virtual int Get3DDrawStyle() const { return 4; }
    // Renders the active view of the open 3D window at once.
    virtual void RenderActive3DView() {}
    // Every view of the document shows the layout anew.
    virtual void UpdateAllViews() {}

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
