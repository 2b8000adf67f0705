#pragma once

#include <memory>
#include <vector>

#include "model/CSelectionIndex.h"
#include "model/CTool.h"
#include "tests/model/TestLayout.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CParTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"

// The test host with a file version and track limits of the test's choosing.
class TrackHost : public CTestHost {
  public:
    using CTestHost::CTestHost;
    int GetFileVersion() const override { return m_nFileVersion; }
    TrackLimits GetTrackLimits() const override { return m_limits; }
    CSelectionIndex* GetSelectionIndex() override { return m_pSelectionIndex; }
    void StopTrainsOn(CPaint* piece) override { m_stopped.push_back(piece); }
    void NoteMendedOnReading(const CString& what) override { m_mended.push_back(what); }
    int GetUnitIndex() const override { return m_nUnitIndex; }
    int m_nFileVersion = 17;
    int m_nUnitIndex = kDefaultUnitIndex;
    TrackLimits m_limits;
    std::vector<CPaint*> m_stopped;
    std::vector<CString> m_mended;
    // The selection is walked unless a test hands the host an index of it.
    CSelectionIndex* m_pSelectionIndex = nullptr;
};

// A document's engine with a root group and a default track of the host's model scale;
// pieces are made as the engine's factory makes them.
struct TrackPlan {
    explicit TrackPlan(int scaleRow = 12);
    ~TrackPlan();

    // A straight piece in the root group from (bx, by) to (ex, ey), world.
    CTrack* Straight(double bx, double by, double ex, double ey);
    // A curve in the root group about a world centre.
    CCircTrack* Curve(double cx, double cy, double radius, double start, double sweep);
    // An elliptic arc in the root group about a world centre.
    CArcTrack* Oval(double cx, double cy, double rx, double ry, double start, double sweep);
    // A spline in the root group through world control points (knot, handle, handle, knot, ...).
    CSplineTrack* Spline(std::initializer_list<CDoublePoint> points);

    CTool tool;
    TrackHost host;
    std::unique_ptr<CParTrack> defaults;
};
