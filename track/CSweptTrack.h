#pragma once

#include "track/CParTrack.h"

// What the circular and the elliptic pieces share: a centre line swept anticlockwise about a
// local centre from the start angle through the sweep, the ends at points 5 and 6 of seven.
// It has no record of its own: each piece stores itself under its own class name, directly
// beneath the track base.
class CSweptTrack : public CParTrack {
  public:
    static constexpr int kPointCount = 7;

    double EndAngleLocal() const { return m_fStartAngle + m_fSweep; }

    int MirrorY(double c) override;
    int MirrorX(double c) override;

    double m_fSweep;
    double m_fStartAngle = 3.1415926535 * 1.5;
    CDoublePoint m_ptCentre;

  protected:
    explicit CSweptTrack(double sweep) : m_fSweep(sweep) {}
    CSweptTrack(double sweep, int selected, CTool* tool, double x, double y)
        : CParTrack(selected, tool, x, y), m_fSweep(sweep) {}

    // Gives the point array its seven points.
    virtual void EnsurePoints() = 0;
    double Margin() const;
    double WorldAngleOffset() const { return m_pose.angle + m_parentPose.angle; }
    // How far round from an end its connected marker stands on a curve of this radius.
    double MarkerAngle(double radius) const;
    // The start angle of the part beyond a cut at delta from the start, within a turn.
    double StartAfterCut(double delta) const;
    // Runs the cut step at the value at once, in the undo group given.
    int ApplyCutNow(double value, int groupStart);
};
