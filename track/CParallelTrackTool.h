#pragma once

#include <vector>

#include "model/Geometry.h"

class CGroup;
class CPaint;
class CParTrack;
class CPose;
class CSizeLine;
class CTool;
class CTrackChain;

// "Create Parallel Track": the press on a piece and the drag along the track pick a chain;
// after the release a dimension line from the chain's last free end follows the mouse
// sideways; the next press asks for the distance and lays one new piece beside every chain
// piece on that side.
class CParallelTrackTool {
  public:
    static constexpr int kWaiting = 0;
    static constexpr int kPicking = 1;
    static constexpr int kPulling = 2;

    CParallelTrackTool(CTool& tool, CTrackChain& chain) : m_tool(tool), m_chain(chain) {}

    void Begin();
    void OnMouse(int phase, CGroup* group, const CPose* frame);
    // Builds the new pieces beside the chain at the offset; answers how many were made.
    int CreateParallelPieces(CGroup* group, const CPose* frame);
    void Forget(CPaint* object);

    int m_nState = kWaiting;
    CDoublePoint m_offset;
    CSizeLine* m_pBand = nullptr;
    // Where an offset spline is placed: the band's far end.
    CDoublePoint m_workingPoint;

  private:
    // The chain's last piece's free end and the direction from it back into the piece.
    CDoublePoint Anchor() const;
    double AnchorDirection() const;
    void StartBand(CGroup* group);
    void FollowCursor();
    void AskDistance(CGroup* group, const CPose* frame);
    void Finish();
    CPaint* Offset(CParTrack& piece, int freeEnd, double signedDistance, bool left, CGroup* group);
    CPaint* OffsetStraight(CParTrack& piece, int freeEnd, double distance, bool left, CGroup* group);
    CPaint* OffsetCircle(CParTrack& piece, double signedDistance, CGroup* group);
    CPaint* OffsetArc(CParTrack& piece, double signedDistance, CGroup* group);
    CPaint* OffsetSpline(CParTrack& piece, double signedDistance, CGroup* group);
    void ReportRefusals();

    CTool& m_tool;
    CTrackChain& m_chain;
    double m_fFailedRadius = 0.0;
    bool m_bRadiusFailed = false;
    bool m_bSplineOffset = false;
};
