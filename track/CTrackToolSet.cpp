#include "track/CTrackToolSet.h"

#include <cmath>

#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/Units.h"
#include "platform/win/CWinApp.h"
#include "track/CCircTrack.h"
#include "track/CElevationsDialog.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "track/ConnectingSpline.h"
#include "track/TrackEnds.h"
#include "track/TrackToolMessages.h"
#include "track/TransitionBuilder.h"

namespace {

constexpr double kShortestStraight = 10.0;

// The elevation of the end of a chain's end piece that its neighbour does not touch.
double OuterElevation(const CParTrack& piece, const CParTrack& neighbour) {
    return CElevationDistribution::BeginTouches(piece, neighbour) ? piece.m_fEndElevation
                                                                  : piece.m_fBeginElevation;
}

}  // namespace

void CTrackToolSet::OnTrackChainMouse(int phase, CGroup* group, const CPose* frame) {
    if (phase == 1)
        m_chain.Start(group);
    else if (phase == 3)
        m_chain.Follow(group);
    else
        ReleaseChain(group, frame);
}

// Another tool was chosen: a rubber band pulled from the chain goes with it.
void CTrackToolSet::EndTrackChain() {
    m_parallel.EndPulling();
    m_chain.End();
}

void CTrackToolSet::ReleaseChain(CGroup* group, const CPose* frame) {
    m_tool.m_bChainToolActive = 0;
    const int mode = m_tool.m_toolMode;
    if (mode == kToolChainTrackElevations) {
        OpenChainElevations();
    } else if (mode == kToolSelectTrackChain) {
        m_tool.m_toolMode.m_bFlag = 1;
        SelectChain();
        if (m_tool.ReturnsToSelector())
            m_tool.m_toolMode.Set(kToolSelector);
        else
            m_chain.End();
    } else {
        m_tool.m_toolMode.m_bFlag = 0;
        m_tool.m_toolMode.Set(kToolSelector);
        m_parallel.OnMouse(3, group, frame);
    }
}

// One Undo takes the whole chain out of the selection again.
void CTrackToolSet::SelectChain() {
    for (int i = 0; i < m_chain.Length(); ++i) m_chain.Piece(i)->SelectWithUndo(1, i == 0 ? 1 : 0);
}

void CTrackToolSet::OpenChainElevations() {
    const int count = m_chain.Length();
    if (count > 0) {
        std::vector<CPaint*> pieces;
        for (int i = 0; i < count; ++i) pieces.push_back(m_chain.Piece(i));
        CParTrack& first = *m_chain.Piece(0);
        CParTrack& last = *m_chain.Piece(count - 1);
        TrackPickedEnd* span = m_tool.m_track.picked;
        span[0].elevation = count > 1 ? OuterElevation(first, *m_chain.Piece(1)) : first.m_fBeginElevation;
        span[1].elevation =
            count > 1 ? OuterElevation(last, *m_chain.Piece(count - 2)) : last.m_fEndElevation;
        CElevationsDialog dialog(m_tool, AfxGetMainWnd(), pieces);
        RunPaused(m_tool, dialog);
        m_chain.End();
    }
    if (m_tool.ReturnsToSelector())
        m_tool.m_toolMode.Set(kToolSelector);
    else
        m_tool.m_bChainToolActive = 1;
}

void CTrackToolSet::OnElevationToolMouse(int phase, CGroup* group, const CPose* frame) {
    m_elevations.OnMouse(phase, group, frame);
}

void CTrackToolSet::OnCreateParallelTrack() {
    m_parallel.Begin();
}

void CTrackToolSet::OnParallelTrackMouse(int phase, CGroup* group, const CPose* frame) {
    m_parallel.OnMouse(phase, group, frame);
}

void CTrackToolSet::ConnectPickedEnds(int mode, CGroup* group, const CPose* frame) {
    if (mode == kToolConnectCurveStraight)
        ConnectByTransition(group, frame);
    else
        ConnectBySpline(group);
}

void CTrackToolSet::ConnectByTransition(CGroup* group, const CPose* frame) {
    const TrackPickedEnd& first = m_tool.m_track.picked[0];
    const TrackPickedEnd& second = m_tool.m_track.picked[1];
    const double gauge = m_tool.m_pDefaultTrack != nullptr ? m_tool.m_pDefaultTrack->m_fGauge : 0.0;
    const Transition transition = BuildTransition(first, second, gauge);
    m_tool.m_probe.tangent1X = transition.tangent1.x;
    m_tool.m_probe.tangent1Y = transition.tangent1.y;
    m_tool.m_probe.tangent2X = transition.tangent2.x;
    m_tool.m_probe.tangent2Y = transition.tangent2.y;
    m_tool.m_probe.order = transition.beginsAtFirst;
    if (transition.refusal != 0) {
        ShowResourceMessage(m_tool, transition.refusal);
        return;
    }
    const double x = m_tool.m_fCurrentX, y = m_tool.m_fCurrentY;
    if (transition.radius != 0.0) {
        if (auto* curve = dynamic_cast<CCircTrack*>(m_tool.CreateObjectForTool(kToolCurveTrack));
            curve != nullptr && m_tool.PlaceNewObject(curve, x, y, group, 1)) {
            const bool fromFirst = transition.beginsAtFirst != 0;
            curve->m_fBeginElevation = fromFirst ? transition.firstElevation : transition.secondElevation;
            curve->m_fEndElevation = fromFirst ? transition.secondElevation : transition.firstElevation;
            curve->SetArc(transition.centre.x, transition.centre.y, transition.radius,
                          NormalizeAngle(transition.startAngle), NormalizeAngle(transition.sweep), 0, 0);
            curve->Update3D(frame);
        }
    }
    const auto straight = [&](const TrackPickedEnd& end, const CDoublePoint& tangent, double elevation) {
        if (std::hypot(tangent.x - end.x, tangent.y - end.y) <= kShortestStraight)
            return;
        auto* piece = dynamic_cast<CTrack*>(m_tool.CreateObjectForTool(kToolStraightTrack));
        if (piece == nullptr || !m_tool.PlaceNewObject(piece, x, y, group, 1))
            return;
        piece->m_fBeginElevation = end.elevation;
        piece->m_fEndElevation = elevation;
        piece->SetEnds(end.x, end.y, tangent.x, tangent.y, 0, 0);
        piece->Update3D(frame);
    };
    straight(first, transition.tangent1, transition.firstElevation);
    straight(second, transition.tangent2, transition.secondElevation);
}

// Two ends on each other would give a spline of no length: nothing is placed.
void CTrackToolSet::ConnectBySpline(CGroup* group) {
    const TrackPickedEnd& first = m_tool.m_track.picked[0];
    const TrackPickedEnd& second = m_tool.m_track.picked[1];
    if (std::hypot(first.x - second.x, first.y - second.y) < kShortestConnection)
        return;
    auto* spline = dynamic_cast<CSplineTrack*>(m_tool.CreateObjectForTool(kToolConnectSpline));
    if (spline == nullptr)
        return;
    if (!m_tool.PlaceNewObject(spline, m_tool.m_fCurrentX, m_tool.m_fCurrentY, group, 1)) {
        delete spline;
        return;
    }
    BuildConnectingSpline(*spline, first, second);
}

void CTrackToolSet::ForgetObject(CPaint* object) {
    m_chain.Forget(object);
    m_parallel.OnObjectForgotten();
}

void CTrackToolSet::DrawPreview() {
    m_parallel.DrawBand();
}
