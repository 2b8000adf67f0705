#pragma once

#include "model/CGroupContents.h"
#include "model/CMemberIndex.h"
#include "model/CMemberList.h"
#include "model/CPaint.h"
#include "model/PaintRecords.h"

class CGroupPropertiesDialog;
class CToolHost;

// A layout object that owns other layout objects, its members, in z-order: the head of the
// list is the front-most member. Members keep their placements in the group's frame; most
// operations are handed to every member under the group's world placement (its own
// placement composed onto the parent placement it is given). The document's whole layout
// is one such group, the root group.
//
// Ownership: a member is in exactly one group's list and its owner-group link names that
// group. Destroying a group destroys its members; each member's destructor tells the
// editing engine, so no undo step outlives the object it names.
class CGroup : public CPaint {
    DECLARE_SERIAL(CGroup)

  public:
    // The report categories a price mask selects, one bit each.
    static constexpr int kCategoryTrack = 1;
    static constexpr int kCategoryScenery = 2;
    static constexpr int kCategoryStructures = 4;
    static constexpr int kCategoryRollingStock = 8;
    static constexpr int kCategoryMiscellaneous = 16;
    static constexpr int kAllCategories = 0x1FF;
    // The report's own bit, cleared for a member group with a fixed price.
    static constexpr int kReportBit = 256;
    enum PriceMode : int { kPriceAutomatic = 0, kPriceFixed = 1 };
    // The extent reaches this many track gauges beyond the frame.
    static constexpr double kExtentMarginFactor = 0.81785;
    // The status-bar kind that describes a group.
    static constexpr int kStatusKind = 6;
    // Groups read inside one another (the layout's own group counting as one) at most this
    // deep: far beyond any real layout, and shallow enough for every walk of the tree.
    static constexpr int kMaxNesting = 1000;
    // The points a group keeps, its anchor handle first.
    static constexpr int kPointCount = 5;

    CGroup();
    ~CGroup() override;
    void Serialize(CArchive& ar) override;

    // Moves the listed objects that are members of the source group into this group, at the
    // head, keeping their order; objects that are not members of the source are left alone.
    void TakeMembers(CGroup* source, const CPaintList& objects);
    // The scale-table row of a new group: the default track's, then the head member's, then
    // each later track piece's. Scales that are no name of the table are passed over.
    int GetScaleIndexForNewGroup();
    // Ends a drag of selected members while the group is open for editing.
    void MoveSelectedMembers(const CPose* pose, double dx, double dy);
    // Every member shows its 3D model when its layer is visible and removes it otherwise.
    void UpdateMembers3DByLayer();
    // The placement members lie under: the own placement composed onto the parent (the own
    // parent placement when null).
    CPose WorldPose(const CPose* parent) const;
    bool HoldsMember(const CPaint* object) const;
    // Takes an object out of its owner group's members; false when it has no owner or is not
    // among them.
    static bool DetachFromOwner(CPaint* object);
    // Puts an object back first among its owner group's members, placed in the group's frame.
    static void ReinsertIntoOwner(CPaint* object);
    // Sets or clears the in-group mark of the 3D member that Find3DMember finds: set while
    // the group is closed, clear while it is open for editing.
    void MarkFirst3DMember(int inGroup);

    void CompareProperties(CPaint* other) override;
    CPaint* Find3DMember() override;
    void RecreateResources(int recreate) override;
    void SetParentPose(const CPose* pose) override;
    void SetOwnerGroup(CGroup* group) override;
    int HitTestEnd(const CPose* pose, double x, double y, int flag) override;
    int DrawIfSelected(const CPose* parent) override;
    int DrawIfUnselected(const CPose* parent) override;
    bool DrawsByBoundsAndSelection() const override;
    void ResetDrawState() override;
    void RecalcDeviceBounds() override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    double GetReportPrice(int categoryMask) override;
    void SetScale(const CString& scale) override;
    CTool* SetTool(CTool* tool) override;
    void SetEditState(int state) override;
    void ComputeExtent(const CPose* pose) override;
    void EnterEdit() override;
    int MatchProbe(const CPose* pose, int keepOrientation) override;
    void RotateWithPivot(const CPose* pose) override;
    void RotateWithPivotHalfTurn(const CPose* pose) override;
    int FindConnection(const CPose* pose) override;
    void UpdateConnections(const CPose* pose, int join) override;
    int ReleaseEndAt(double x, double y, int flag) override;
    int MatchEndAt(const CPose* pose, double x, double y, double direction, double elevation,
                   int& found) override;
    int JoinEndAt(const CPose* pose, double x, double y, double direction, int connect,
                  double elevation) override;
    int SnapEndAt(const CPose* pose, double x, double y, double& direction, int& passFlag, int end) override;
    void SetChanged(int changed) override;
    int TestConnection(const CPose* pose, void* query, int mode) override;
    void LowerElevations(const CPose* pose, double by) override;
    int DissolveInto(CGroup* group) override;
    void RecalcFrame() override;
    void RecalcFrames() override;
    void GetFrameBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    void MoveOriginTo(const double* point) override;
    void DeselectWithUndo(int record, int groupStart) override;
    void ReleaseData() override;
    // Each member releases its data and goes, unlinked first.
    void DeleteMembers();
    void CopyFrom(CPaint* other) override;
    void RestoreFormerState(CPaint* former) override;
    CPaint* Clone() override;
    void SavePose() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    int HitTestEndMarker(const CPose* pose) override;
    int HitTestHandle(const CPose* pose, double x, double y) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int flag) override;
    int Rescale(CEditStep* step) override;
    int Edit3DProperties(int flag) override;
    int EditProperties(const CPose* pose) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    int Update3D(const CPose* pose) override;
    int Remove3D() override;
    void ApplyRenderMode() override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;
    void SetLayer(int layer) override;
    void UpdateAnchorPoint() override;
    int MirrorY(double c) override;
    int MirrorX(double c) override;
    void RebuildShape() override;
    void PlaceOnBase() override;
    void ConformToTerrain(int flag) override;

    int m_bUseBorder = 1;
    int m_bAllowExpansion = 1;
    int m_nPriceMode = kPriceAutomatic;
    int m_bReportExpanded = 1;
    // The category mask the materials report last priced this group with.
    int m_nReportMask = 0;
    int m_nExtraFlag = 1;
    int m_bBeingEdited = 0;
    double m_fFrameWidth = 0.0;
    double m_fFrameHeight = 0.0;
    CMemberList m_members;

  private:
    void LoadMembers(CArchive& ar);
    // Moves the origin to the lower-left corner of the members' box, unturned, and makes the
    // frame that box; the members' placements below are left as they were. When the member
    // groups are fitted already, the contents each one's fit kept stand for its own, and the
    // group keeps its contents in turn when asked to.
    void FitFrameToMembers(bool membersFitted, bool keepContents);
    void FitFramesBottomUp(bool keepContents);
    // Makes the box the frame, keeping the origin and sizes found where they agree with it to
    // rounding; answers the new origin in the measuring frame.
    CDoublePoint FitFrameToBox(double minX, double minY, double maxX, double maxY);
    // The world extent of the group and of its members, nested groups included, invalidating
    // only what is not a group.
    void ComputeSubtreeExtent(const CPose* pose);
    // The members' contents under the placement they lie in, the member groups fitted already.
    CGroupContents MeasureFittedMembers(const CPose& world) const;
    // Gives the members, and theirs in turn, the placements under the own parent placement.
    void HandDownParentPose();
    // Whether an object read as a member already has a place: a back reference of the
    // archive to a member of some group, to the default track or to this group.
    bool IsClaimed(const CObject* object) const;
    // The frame corner at index 0 to 3: (0, 0), (width, 0), (width, height), (0, height).
    CDoublePoint FrameCorner(int index) const;
    void DrawFrame(const CPose& parent);
    // Outside the frame's corner 1, two handle tolerances along each axis.
    CDoublePoint RotationHandleAtZoom() const;
    void DrawEditFrame(const CPose& parent, int penStyle);
    int HitTestFrame();
    void TurnAboutSnapPivot(const CPose* pose, double turn);
    void MirrorMembers(bool vertical);
    void ApplyScaleChange(const CPose* pose, const CString& oldScale, const CString& newScale);
    // After CompareProperties: whether any property the dialog shows was changed.
    bool DiffersInProperties() const;
    int ApplyToClickedGroup(const CPose* pose, CGroup* result, CGroupPropertiesDialog& dialog);
    double MemberPrice(CPaint* member, int categoryMask);
    // Whether drawing asks the member index rather than every member: on the screen, in
    // groups large enough for the index to pay.
    bool DrawsThroughIndex() const;
    // Asks visit for each member that may draw within the update rectangle, back-most first.
    template <class Visit>
    void ForMembersInUpdate(Visit visit);

    CMemberIndex m_memberIndex;
    // The contents in the own frame as the fit on reading measured them, kept until the group
    // around has been fitted; not stored.
    CGroupContents m_contents;
};
