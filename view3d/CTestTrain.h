#pragma once

#include <vector>

#include "model/CPaint.h"
#include "model/CRunningTrain.h"
#include "platform/base/CString.h"

class CParTrack;

// A test train: a locomotive and its cars dropped on the plan, running along connected track
// on the main window's train timer until the next piece breaks one of the layout's track
// limits. It belongs to its document's train list, never to a group, and is never stored.
// Lengths are in layout units (tenths of a millimetre) unless they say gauges.
class CTestTrain : public CPaint, public CRunningTrain {
    DECLARE_DYNCREATE(CTestTrain)

  public:
    // One track piece the train has entered: its share of the path's points, in the piece's
    // own coordinates.
    struct PathSegment {
        int count = 0;
        CPose pose;
        CPaint* piece = nullptr;
        // 1 when the train runs from the piece's begin to its end.
        int forward = 1;
    };

    static constexpr int kDefaultCarCount = 2;
    static constexpr double kDefaultSpeed = 40.0;
    static constexpr COLORREF kDefaultColor = 0x8080FF;

    // A train whose head is at the layout point, laid out towards -y.
    CTestTrain(CTool* tool, double x, double y);
    // A train of no document, at the origin.
    CTestTrain() : CTestTrain(nullptr, 0.0, 0.0) {}
    ~CTestTrain() override;

    // Makes the train known to the editing engine by its maker and by its class name.
    static void Register();

    // CPaint.
    int IsSelected() override { return m_bSelected; }
    int FindConnection(const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void ReleaseData() override;
    int Draw(const CPose* parent) override;
    // Drawn wherever it is asked to, and selected on its own.
    bool DrawsByBoundsAndSelection() const override { return false; }
    CPaint* HitTest() override;
    int EditProperties(const CPose* pose) override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;
    int Update3D(const CPose* pose) override;
    void UpdateSizeInfo(const CPose*) override {}

    // CRunningTrain.
    void StepTrain(int ticks) override;
    void MarkSelected() override;
    void MarkDeselected() override;
    void MoveBy(double dx, double dy, int flag) override;
    void ResetRun() override;
    void Stop() override { m_bRunning = 0; }
    bool IsRunning() const override { return m_bRunning != 0; }
    UINT GetStatusId() const override { return static_cast<UINT>(m_nStatus); }
    void ForgetPiece(CPaint* piece) override;

    // The train's model: the locomotive (tag 30) and one car (tag 31) per car under one parent;
    // null without a locomotive name or two vehicle points.
    std::unique_ptr<r3d::Clump> BuildTrainClumps();
    int QueryFlag(int) const { return 1; }
    // The four corners of every vehicle from its two points.
    void BuildOutline();
    // Moves the head along the path by multiplier x distance, appending pieces as it reaches
    // the path's end, and places the vehicles behind it. Answers the head, or (0, 0) when a
    // vehicle stands on a piece that is gone.
    CDoublePoint AdvanceAlongTrack(int multiplier, double distance);
    // The point the given length behind a point along the path; may stop the train when the
    // chord is too short for the length.
    CDoublePoint PointBehindOnPath(const CDoublePoint& point, double length);
    // Path point i in world coordinates; (0, 0) when its piece is gone.
    CDoublePoint GetPathPoint(int index) const;
    // The segment that holds path point i and the index of its first point; null outside the path.
    const PathSegment* SegmentAt(int index, int& first) const;

    // The car count changes (cars added behind the last vehicle, in -y) and the outline follows.
    void ResizeCars(int count);

    int m_bRunning = 0;
    std::vector<CDoublePoint> m_vehicles;
    std::vector<double> m_elevations;
    std::vector<CDoublePoint> m_path;
    std::vector<PathSegment> m_segments;
    double m_fExtraSpacing = 0.0;
    double m_fCarLength = 10.0;
    double m_fCouplerGap = 1.0;
    CString m_strLocoFile;
    CString m_strCarFile;
    int m_nCarCount = kDefaultCarCount;
    double m_fSpeed = kDefaultSpeed;
    int m_nStatus;
    CPaint* m_pCurrentPiece = nullptr;
    CDoublePoint m_headOffset;
    int m_nHeadIndex = 0;
    double m_fGauge = 0.0;
    int m_nWalkIndex = 0;
    int m_bRebuild3D = 1;

  private:
    // Body length and the gap between two bodies, in layout units.
    double BodyLength() const { return (m_fCarLength - 2.0 * m_fCouplerGap) * m_fGauge; }
    double BodyGap() const { return (2.0 * m_fCouplerGap + m_fExtraSpacing) * m_fGauge; }
    int VehicleCount() const { return m_nCarCount + 1; }
    void LayOutCarsFrom(int firstCar);
    void RecomputeExtent();
    bool AppendCandidate();
    bool StartSearch();
    bool NextPieceSearch();
    bool ExtendPath();
    bool PlaceVehicles(const CDoublePoint& head);
    bool ElevationAt(const CDoublePoint& point, double& elevation) const;
    void DropPassedTrack();
    void DrawVehicle(CDC& dc, int vehicle);
    void DrawLine(CDC& dc, const CDoublePoint& from, const CDoublePoint& to) const;
    POINT ToDevice(const CDoublePoint& point) const;
    bool VehicleHolds(int vehicle, int x, int y) const;
    void PlaceVehicleModel(r3d::Clump& model, int vehicle) const;
    std::unique_ptr<r3d::Clump> LoadVehicleModel(CString& file, int tag) const;
    CParTrack* CurrentTrack() const;
    // The unit direction from path point 1 to path point 0; (0, 0) without two points.
    CDoublePoint StartDirection() const;
};
