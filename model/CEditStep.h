#pragma once

#include <memory>
#include <vector>

#include "model/CPose.h"
#include "model/Geometry.h"
#include "model/PaintRecords.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CGroup;
class CPaint;

// Kind-specific data of an edit step. The step owns its payload and frees it with itself.
class CStepPayload {
  public:
    virtual ~CStepPayload() = default;
    // The objects are being destroyed: the payload lets go of every mention of them.
    virtual void Forget(const CFreedObjects&) {}
};

// Select (kind -31989) as the inverse of a deselection: where the object stood in the
// selection list, so that undo puts it back in the same order.
struct SelectionPayload : CStepPayload {
    int position = 0;
};

// Rescale (kind 1): the factor, the saved placement and the two rescale points.
struct RescalePayload : CStepPayload {
    double factor = 1.0;
    CPose saved;
    double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
};

// Change geometry (kind 2): the handle goes to the point.
struct GeometryPayload : CStepPayload {
    double x = 0.0, y = 0.0;
    int handle = 0;
};

// Set height (kind 3): 0 elevation, 1 begin, 2 end.
struct HeightPayload : CStepPayload {
    int index = 0;
    double value = 0.0;
};

// Move selection (kind 4); relative 1 measures from the saved placement.
struct MovePayload : CStepPayload {
    double dx = 0.0, dy = 0.0;
    int relative = 0;
};

// Restore placements (kind 51): where each object moved by a gesture stood before it, put
// back exactly where moving back by the same distance would leave rounding, with its rotation
// handle, which drawing the moved object may have placed anew.
struct PlacementsPayload : CStepPayload {
    struct Placement {
        CPaint* object;
        CPose pose;
        CDoublePoint handle;
    };
    // The object as it stands at the placement.
    void Add(CPaint* object, const CPose& pose);
    void Forget(const CFreedObjects& objects) override;
    std::vector<Placement> placements;
};

// Rotate selection (kind 5).
struct RotatePayload : CStepPayload {
    double pivotX = 0.0, pivotY = 0.0, angle = 0.0;
    int relative = 0;
};

// Cut track (kind 8): the cut point data of the track piece.
struct CutTrackPayload : CStepPayload {
    unsigned char data[16] = {};
};

// Place new object (kind 35); the step does not own the target group.
struct PlacePayload : CStepPayload {
    double x = 0.0, y = 0.0;
    CGroup* group = nullptr;
};

// Track end elevation (kind 37): 1 begin, 0 end.
struct EndElevationPayload : CStepPayload {
    int end = 0;
    double elevation = 0.0;
};

// Restore properties (kinds 47 to 49): a copy of an object's former state, owned.
struct ObjectCopyPayload : CStepPayload {
    explicit ObjectCopyPayload(CPaint* copy) : object(copy) {}
    ObjectCopyPayload(const ObjectCopyPayload&) = delete;
    ObjectCopyPayload& operator=(const ObjectCopyPayload&) = delete;
    ~ObjectCopyPayload() override;
    CPaint* object;
};

// Group and reselect (kinds -31997, -31986): the objects stay where they are.
struct ObjectListPayload : CStepPayload {
    void Forget(const CFreedObjects& freed) override {
        objects.remove_if([&freed](const CPaint* object) { return freed.contains(object); });
    }
    CPaintList objects;
};

// Restore properties of the selection or of all objects (kinds 48, 49): each object the
// change reached, with a copy of its former state (groups keep only their own style).
struct StyleBackupsPayload : CStepPayload {
    struct Backup {
        CPaint* object;
        std::unique_ptr<CPaint> former;
        CString groupScale;
        int groupUseBorder = 0;
    };
    StyleBackupsPayload() = default;
    StyleBackupsPayload(const StyleBackupsPayload&) = delete;
    StyleBackupsPayload& operator=(const StyleBackupsPayload&) = delete;
    ~StyleBackupsPayload() override;
    void Forget(const CFreedObjects& objects) override;
    std::vector<Backup> backups;
};

// The edit-step kinds: below 1 the engine's own commands, from 1 object edits, creation and
// placement.
enum EditStepKind : int {
    kStepLock = -31999,
    kStepUnlock = -31998,
    kStepGroup = -31997,
    kStepUngroup = -31996,
    kStepEnterGroupEdit = -31995,
    kStepExitGroupEdit = -31994,
    kStepCut = -31993,
    kStepPaste = -31991,
    kStepRemoveObject = -31990,
    kStepSelect = -31989,
    kStepDeselect = -31988,
    kStepDeselectAll = -31987,
    kStepReselect = -31986,
    // Puts the members of a group (the object) back in a former order (the object list):
    // the inverse of Send to Back and Bring to Front.
    kStepRestoreOrder = -31985,
    kStepRescale = 1,
    kStepChangeGeometry = 2,
    kStepSetHeight = 3,
    kStepMoveSelection = 4,
    kStepRotateSelection = 5,
    kStepCutTrack = 8,
    kStepFlipVertical = 9,
    kStepFlipHorizontal = 10,
    kStepCreateFirst = 11,
    kStepCreateLast = 34,
    kStepPlaceNewObject = 35,
    kStepReinsertObject = 36,
    kStepTrackEndElevation = 37,
    kStepTerrainEditGroup = 38,
    kStepShapeFirst = 39,
    kStepShapeLast = 45,
    kStepProperties = 46,
    kStepRestoreProperties = 47,
    kStepRestoreSelectionProperties = 48,
    kStepRestoreAllProperties = 49,
    // Puts back the connected-end markers a track piece had before one of its ends joined.
    kStepRestoreJointMarkers = 50,
    kStepRestorePlacements = 51,
};

// One editing action: what to do, to which object, whether it starts its command's undo
// group, and its payload. A step owns an object it holds out of the layout: a deleted object
// waiting in its re-insert step, a dissolved group waiting in the regroup step that undoes
// an Ungroup, and the group an Ungroup has just emptied until someone takes it.
class CEditStep : public CObject {
  public:
    CEditStep(int kind, CPaint* object, int groupStart);
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;
    ~CEditStep() override;

    void SetPayload(std::unique_ptr<CStepPayload> payload) { m_pPayload = std::move(payload); }
    // The payload as the kind's type, or null when the step has none of that type.
    template <class T>
    T* GetPayload() const {
        return dynamic_cast<T*>(m_pPayload.get());
    }
    bool OwnsObject() const {
        return (m_nKind == kStepReinsertObject || m_nKind == kStepGroup) && m_pObject != nullptr;
    }
    bool OwnsResult() const { return m_nKind == kStepUngroup && m_pResult != nullptr; }
    // Objects are being destroyed: the payload drops every mention of them.
    void ForgetInPayload(const CFreedObjects& objects) {
        if (m_pPayload != nullptr)
            m_pPayload->Forget(objects);
    }

    int m_nKind;
    CPaint* m_pObject;
    int m_bGroupStart;
    CPaint* m_pResult = nullptr;

  private:
    std::unique_ptr<CStepPayload> m_pPayload;
};

// With record set, pushes the step for undo without running it; else the object runs it at
// once.
int RecordOrApply(CPaint& object, std::unique_ptr<CEditStep> step, bool record);
