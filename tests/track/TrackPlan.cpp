#include "tests/track/TrackPlan.h"

#include "track/TrackPieces.h"

TrackPlan::TrackPlan(int scaleRow) : host(tool) {
    host.m_nDefaultScale = scaleRow;
    defaults = std::make_unique<CParTrack>(&tool);
    tool.m_pDefaultTrack = defaults.get();
    RegisterTrackPieces();
}

TrackPlan::~TrackPlan() {
    tool.m_pDefaultTrack = nullptr;
}

CTrack* TrackPlan::Straight(double bx, double by, double ex, double ey) {
    auto* piece = AddToLayout(host, new CTrack(0, &tool, 0.0, 0.0));
    piece->SetEnds(bx, by, ex, ey, 0, 0);
    return piece;
}

CCircTrack* TrackPlan::Curve(double cx, double cy, double radius, double start, double sweep) {
    auto* piece = AddToLayout(host, new CCircTrack(0, &tool, 0.0, 0.0));
    piece->SetArc(cx, cy, radius, start, sweep, 0, 0);
    return piece;
}

CArcTrack* TrackPlan::Oval(double cx, double cy, double rx, double ry, double start, double sweep) {
    auto* piece = AddToLayout(host, new CArcTrack(0, &tool, 0.0, 0.0));
    piece->SetArc(cx, cy, rx, ry, start, sweep, 0, 0);
    return piece;
}

CSplineTrack* TrackPlan::Spline(std::initializer_list<CDoublePoint> points) {
    auto* piece = AddToLayout(host, new CSplineTrack(0, &tool, 0.0, 0.0));
    CPointArray control;
    for (const CDoublePoint& p : points) control.Add(p);
    piece->SetControlPoints(&control, 0, 0);
    return piece;
}
