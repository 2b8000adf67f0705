#pragma once

#include <memory>
#include <vector>

#include "model/CPaint.h"
#include "model/CPlacement.h"
#include "model/CTrackEndSource.h"
#include "model/TrackConnectionState.h"
#include "platform/gdi/CPoint.h"

class CEditStep;

class CDC;
class CPen;

// The base of every track piece: gauge and the sizes derived from it, the two ends with
// their points, elevations and connected flags, how rails and ties are drawn, the roadbed,
// the textures and style of the 3D model. End 0 is the begin end, end 1 the end end; end
// points are local. A joint is only the two connected flags of ends lying on each other:
// no piece refers to another.
//
// The document also keeps one object of this class itself as its default track, the
// template every new piece copies its settings from.
class CParTrack : public CPaint, public CTrackEndSource {
    DECLARE_SERIAL(CParTrack)

  public:
    // The layout file version written today; older files lack later fields.
    static constexpr int kCurrentFileVersion = 17;
    // Two ends lie on each other when they are closer than this.
    static constexpr double kEndTolerance = 10.0;
    // Two directions are the same when they differ by less than this (5 degrees).
    static constexpr double kDirectionTolerance = 3.1415926535 / 36.0;
    static constexpr double kTieLengthFactor = 1.6356;
    static constexpr double kTieSpacingFactor = 0.6666666666666666;
    static constexpr COLORREF kDragColor = RGB(255, 28, 164);

    // A piece about to be read from a layout.
    CParTrack();
    // A new piece: the engine's drawing defaults and the engine's default track's settings.
    CParTrack(int selected, CTool* tool, double x, double y);
    // The document's default track, sized for the document's model scale.
    explicit CParTrack(CTool* tool);
    ~CParTrack() override;

    // Whether the object is one of the plan's track pieces: straight, circular, elliptic or spline.
    static bool IsTrackClass(CPaint* object);

    // Gauge and the sizes derived from it for the document's model scale.
    void ApplyScale();
    void SetDefaultTunnelSize();
    // 1 when (x, y) keeps the cut distance from both ends.
    int IsAwayFromEnds(double x, double y) const;
    // "B" and "E" beside the ends' device points; which 1 begin, 2 end, 3 both.
    void DrawEndLabels(CPoint begin, CPoint end, int which);
    // The file version of the layout being read or written.
    int FileVersion() const;

    // Operations only track pieces have.
    virtual CDoublePoint GetEndPoint(int index) const;
    // The world direction from the end into the piece, in [0, 2 pi).
    virtual double GetEndAngle(const CPose* pose, int index);
    // The elevation drag of one end, with its grade label; points local.
    virtual void FormatGradeLabel(const CPose* pose, double cx, double cy, double ax, double ay, double bx,
                                  double by, int begin);
    virtual void SetLength(const CPose* pose, double length);
    virtual int AppendCentreLine(CPointArray& points, int reversed);
    virtual int ApplyCutStep(CEditStep* step);
    virtual int SampleCentreLine(std::vector<CDoublePoint>& points, std::vector<double>& elevations,
                                 double& step);
    // Measures the length from the shape; the default track has no shape and no length.
    virtual void RecomputeLength();

    // The track part, then the piece's own fields. A stored length that no piece can have, or
    // that its shape cannot give, is measured again from the shape read, and the piece is
    // named to the document reading it.
    void Serialize(CArchive& ar) final;
    int HitTestEnd(const CPose* pose, double x, double y, int record) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void SetScale(const CString& scale) override;
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
    void AddEndsTo(CTrackEndIndex& index, const CPose& frame) override;
    bool AwaitsConnectionPass() const override;
    bool MarkedByPass() const override;
    bool PassReadMark() const override { return m_bMarkRead; }
    void MarkForPass() override;
    void ReleaseOwnEnds() override;
    void JoinEndsIn(const CPose& frame, const std::function<bool(CDoublePoint)>& taken) override;
    bool ProbeMeetsOwnEnd(const CPose& frame) override;
    CTrackEndSource* TrackEndSource() override { return this; }
    void LowerElevations(const CPose* pose, double by) override;
    BOOL GetLowestElevation(double& elevation) const override;
    int ChangeEndElevation(int end, double elevation, int record, int groupStart) override;
    int ApplyElevationStep(CEditStep* step) override;
    void ReleaseData() override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int HitTestEndMarker(const CPose* pose) override;
    int FinishCreate(const CPose* pose, int flag) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    int ApplyEditStep(CEditStep* step) override;
    void UpdateSizeInfo(const CPose* pose) override;
    // "Track properties" on a copy of the piece, applied to it, the selection, all pieces or
    // the default track of new layouts; 1 after OK.
    int EditProperties(const CPose* pose) override;
    void RestoreFormerState(CPaint* former) override;
    // Benchwork and terrain: the ends take the height of what lies under them, the bed is cut
    // into every terrain of the current group, and every cut is taken out again.
    void PlaceOnBase() override;
    void ConformToTerrain(int report) override;
    void DetachFromTerrain() override;
    // Index 1 sets the begin elevation, 2 the end elevation.
    int ApplyHeightStep(CEditStep* step) override;
    int IsCutInto(CPaint* terrain) const;
    void AddCutTerrain(CPaint* terrain);
    void RemoveCutTerrain(CPaint* terrain);

    int m_nRailLineWidth = 1;
    int m_nTieLineWidth = 1;
    // The terrain objects this piece's bed is cut into, each once.
    std::vector<CPaint*> m_cutTerrain;
    int m_bTunnelUsesTexture = 0;
    double m_fCutDistance = 0.0;
    double m_fTunnelWidth = 0.0;
    double m_fTunnelHeight = 0.0;
    CString m_strTunnelTexture;
    double m_fGauge = 0.0;
    double m_fTieLength = 0.0;
    double m_fTieSpacing = 0.0;
    int m_bShowTies = 0;
    int m_bShowAxis = 0;
    // 1 the centre line, 2 the two rails, 3 both.
    int m_nRailMode = 2;
    COLORREF m_crRail = 0;
    COLORREF m_crTie = 0;
    double m_fTrackSeparation = 0.0;
    double m_fLength = 0.0;
    double m_fBeginElevation = 0.0;
    double m_fEndElevation = 0.0;
    int m_bBeginConnected = 0;
    int m_bEndConnected = 0;
    CDoublePoint m_ptBegin;
    CDoublePoint m_ptEnd;
    // Set while a released connected end waits to be joined again, and while the piece is
    // the marked piece of a re-marking.
    int m_bAttachMark = 0;
    // The next connection pass joins this piece's ends.
    int m_bRecheck = 1;
    // Whether the connection pass read the attach mark, since the pass began.
    bool m_bMarkRead = false;
    CString m_strRoadbedTexture;
    CString m_strTrackTexture;
    double m_fRoadbedWidth = 0.0;
    double m_fRoadbedHeight = 0.0;
    // 0 normal, 1 bridge, 2 tunnel.
    int m_nStyle = 0;
    CDoublePoint m_ptBeginMarker;
    CDoublePoint m_ptEndMarker;
    // Both end elevations when an end drag began.
    double m_fSavedBeginElevation = 0.0;
    double m_fSavedEndElevation = 0.0;

  protected:
    // A shape step either goes unrun onto the undo list (record) or is run on this piece at once.
    int RecordOrApply(std::unique_ptr<CEditStep> step, bool record);
    // Runs the rescale step by the factor through the engine, for undo, with the saved pose and
    // the two reference points the piece kept at its last press.
    void ExecuteRescale(double factor, CDoublePoint a, CDoublePoint b);
    // The distance between two points as the pieces' own geometry measures it.
    static double PointDistance(const CDoublePoint& a, const CDoublePoint& b);
    // A measured length as a piece keeps it, and a file holds it: never below nothing, and
    // nothing when the measure runs beyond any number.
    static double KeptLength(double measured);
    // A tie spacing a file gives, at least the shortest length a piece takes (1 mm).
    static double BoundedTieSpacing(double stored);
    // Whether a sound stored length stays beside the length just measured. The straight and
    // circular pieces keep what is stored; a sampled piece keeps what sampling explains.
    virtual bool KeepsStoredLength(double stored) const;
    // Whether the stored length lies as near the length just measured as another measure of
    // the same shape could: within a share of it, and the given allowance more.
    bool WithinSampling(double stored, double allowance) const;
    // Mirrors the placement about the line x = c (axis x) or y = c (axis y) and negates that
    // coordinate of every point but the rotation handle.
    void MirrorPoseAndPoints(double c, double CDoublePoint::*axis);
    // The world box of local points placed under the pose (the parent placement when null).
    void WorldBoundsOf(const CPose* pose, const CDoublePoint* points, int count, double& minX, double& minY,
                       double& maxX, double& maxY) const;
    // The world box of the local box between corners a and b, placed under the pose.
    void WorldBoundsOfBox(const CPose* pose, CDoublePoint a, CDoublePoint b, double& minX, double& minY,
                          double& maxX, double& maxY) const;
    // The world point of an end under the parent placement (the own one when null).
    CDoublePoint EndWorldPoint(const CPose* pose, int index) const;
    double EndElevation(int index) const { return index == 0 ? m_fBeginElevation : m_fEndElevation; }
    int& EndConnected(int index) { return index == 0 ? m_bBeginConnected : m_bEndConnected; }
    TrackLimits Limits() const;
    // The engine's handle size in layout units (the stored pixels when there is no engine).
    double HandleTolerance() const;
    // Whether a local point, truncated to (px, py), lies in the square handle about a point at
    // the handle tolerance, the right and bottom edges left out.
    bool HoldsHandle(const CDoublePoint& point, int px, int py) const;
    // Track-bed samples along a local polyline: equal steps of run length, the elevation
    // rising evenly from end to end, less the roadbed height; the step becomes the one used.
    int SampleAlong(const CPointArray& line, std::vector<CDoublePoint>& points,
                    std::vector<double>& elevations, double& step) const;
    // The copy a cut makes joins this piece's group beside it; false (the copy deleted) when
    // it cannot.
    bool PlaceCutCopy(CParTrack* copy);
    // After a cut: the copy leaves the selection, the tool may return to the selector and
    // both pieces' models are rebuilt.
    void FinishCut(CParTrack* copy);
    // Mirrors a piece whose centre line is an arc about a centre, its ends at points 5 and 6
    // of at least seven: about the vertical line x = c, or the horizontal line y = c.
    void MirrorArcX(double c, CDoublePoint& centre, double& startAngle, double sweep);
    void MirrorArcY(double c, CDoublePoint& centre, double& startAngle, double sweep);
    // The angle from the start angle, in (0, 2 pi], at which the engine's cut point lies
    // about the centre; false when there is no engine or the point is too near an end.
    bool CutAngleAtToolPoint(const CDoublePoint& centre, double startAngle, double& delta) const;
    // The status of a piece on an arc: its kind, turn, world centre, start angle and sweep.
    void DescribeArc(const CPose* pose, int kind, const CDoublePoint& centre, double startAngle,
                     double sweep);
    // The piece's turn on the plan under the placement, in degrees from 0 up to 360.
    double RotationDegrees(const CPose* pose) const;
    // A length in the document's unit.
    CString LengthText(double length) const;
    // The measures the hint beside the mouse shows while a handle of the piece is dragged,
    // joined by "; ": the straight's length and direction.
    virtual CString HandleMeasures();
    double LargestWidth() const;
    // Pens drawn with: the rail or tie colour, or the drag colour while edited.
    COLORREF DrawColor(COLORREF color) { return GetEditState() == -1 ? color : kDragColor; }
    // Rail mode 1 draws the centre line, 2 the two rails, 3 both.
    bool DrawsCentreLine() const { return m_nRailMode == 1 || m_nRailMode == 3; }
    bool DrawsRails() const { return m_nRailMode == 2 || m_nRailMode == 3; }
    // A solid pen for rails or ties: the width in the target's logical pixels, in the draw colour.
    void CreateTrackPen(CDC& dc, CPen& pen, int width, COLORREF color);
    // Starts drawing the piece on the plan: a transparent background behind dotted lines and
    // the rail pen made. Returns the background mode to put back at the end.
    int BeginPlanDrawing(CDC& dc, CPen& railPen);
    // The joint markers of the connected ends, at the local begin and end points.
    void DrawJointMarkers(CDC& dc, CDoublePoint begin, CDoublePoint end, const CPlacement& placement);
    // The ends and rotation handle show on a selected piece on screen, except while the mouse
    // drags it or it is being placed.
    bool ShowsSelectionMarkers();
    void DrawConnectedMarker(CDC& dc, CDoublePoint end, CDoublePoint marker, const CPlacement& placement);
    CPoint ToDevice(const CPlacement& placement, CDoublePoint local) const;
    // The pixels a layout unit takes on the target, to leave out detail below the device's
    // reach; 0 where the target draws every detail.
    double PixelsPerLayoutUnit(const CDC& dc) const;
    void ShowGradeLabel(const CPose& frame, CDoublePoint dragged, CDoublePoint direction, int begin);

  private:
    // What both arc mirrors do: the origin coordinate, the turn, points 1 to 6 and the centre
    // flipped along one axis; the ends change places.
    void MirrorArcAlong(double c, double& origin, double CDoublePoint::*axis, CDoublePoint& centre);
    void ApplyPropertiesCopy(const CPose* pose, CParTrack* copy, int mode, CDoublePoint before,
                             CDoublePoint after);
    void ApplyToThisPiece(const CPose* pose, CParTrack* copy, CDoublePoint before, CDoublePoint after);
    void MakeDefaultTrack(CParTrack* copy);
    void Init();
    void CopyDefaultTrack(const CParTrack& defaults);
    void ApplyGaugeSizes(double gauge);
    // Offers the end, lying at the world point, to the engine's snap probe.
    int OfferEnd(const CPose* pose, CDoublePoint world, int index, int keepOrientation);
    int TestEndForTrain(const CPose* pose, TrackConnectionQuery& query, int index, double distance);
    // Within a connection pass: lets go of the ends, or joins them when marked for a recheck.
    void UpdateConnectionsInPass(const CPose* pose, int join);
    void JoinEnd(const CPose* pose, const CPlacement& placement, int index);
    void AddEndsUnder(CTrackEndIndex& index, const CPose& frame);
    // A shape rebuilt as an end joins; the pass looks the ends up again when they moved.
    void RebuildJoinedShape();
    // Joins an end. In a pass that records its joins, the markers the piece had before go onto
    // the undo list, in the undo group of the gesture or paste that made the joint.
    void ConnectEnd(int index);
    void ReleaseEndsNear(const CDoublePoint& local);
    int ReattachEnd(const CPose* pose, int index);
    // The fields a piece stores after the track part; the default track stores none.
    virtual void SerializeShape(CArchive& ar);
    void StoreTrackPart(CArchive& ar);
    // Answers whether the stored length is one a piece can have.
    bool LoadTrackPart(CArchive& ar);
    void KeepOrMendLength(bool storedSound);
    CString MendedLengthText() const;
};
