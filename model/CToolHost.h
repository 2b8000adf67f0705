#pragma once

#include "model/PaintRecords.h"
#include "platform/base/WinTypes.h"

class CPaint;
class CGroup;

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

    // Cursor shown while a long operation runs.
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};
