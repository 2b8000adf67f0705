#pragma once

#include <memory>
#include <vector>

#include "drawing/CSizeLine.h"
#include "model/Geometry.h"

class CGroup;
class CPaint;
class CParTrack;
class CPose;
class CTool;
class CTrackChain;

// "Create Parallel Track": the press on a piece and the drag along the track pick a chain;
// after the release a dimension line from the chain's last free end follows the mouse
// sideways; the next press asks for the distance and lays one new piece beside every chain
// piece on that side. The dimension line is the tool's own, drawn over the plan: it never
// enters the layout, so no file, count, report or printout holds it.
class CParallelTrackTool {
  public:
    static constexpr int kWaiting = 0;
    static constexpr int kPicking = 1;
    static constexpr int kPulling = 2;

    CParallelTrackTool(CTool& tool, CTrackChain& chain) : m_tool(tool), m_chain(chain) {}
    ~CParallelTrackTool();
    CParallelTrackTool(const CParallelTrackTool&) = delete;
    CParallelTrackTool& operator=(const CParallelTrackTool&) = delete;

    void Begin();
    void OnMouse(int phase, CGroup* group, const CPose* frame);
    // Builds the new pieces beside the chain at the offset; answers how many were made.
    int CreateParallelPieces(CGroup* group, const CPose* frame);
    void OnObjectForgotten();
    // The chain ends while the band is out (another tool): the band goes, the tool waits.
    void EndPulling();
    void DrawBand();
    // The rubber band while it follows the mouse; null otherwise.
    const CSizeLine* Band() const { return m_pBand.get(); }

    int m_nState = kWaiting;
    CDoublePoint m_offset;
    // Where an offset spline is placed: the band's far end.
    CDoublePoint m_workingPoint;

  private:
    // The chain's last piece's free end and the direction from it back into the piece.
    CDoublePoint Anchor() const;
    double AnchorDirection() const;
    void StartBand();
    void DropBand();
    void FollowCursor();
    void AskDistance(CGroup* group, const CPose* frame);
    void Finish();
    bool PlacePiece(CPaint* piece, double x, double y, CGroup* group, int groupStart);
    CPaint* Offset(CParTrack& piece, int freeEnd, double signedDistance, bool left, CGroup* group);
    CPaint* OffsetStraight(CParTrack& piece, int freeEnd, double distance, bool left, CGroup* group);
    CPaint* OffsetCircle(CParTrack& piece, double signedDistance, CGroup* group);
    CPaint* OffsetArc(CParTrack& piece, double signedDistance, CGroup* group);
    CPaint* OffsetSpline(CParTrack& piece, double signedDistance, CGroup* group);
    void ReportRefusals();

    CTool& m_tool;
    CTrackChain& m_chain;
    std::unique_ptr<CSizeLine> m_pBand;
    double m_fFailedRadius = 0.0;
    bool m_bRadiusFailed = false;
    bool m_bSplineOffset = false;
    bool m_bFirstPlacement = true;
};
