#include "track/CParallelTrackTool.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CPointArray.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "platform/win/WindowManager.h"
#include "resources/StringTable.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CParallelTrackDialog.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "track/CTrackChain.h"
#include "track/ParallelGeometry.h"
#include "track/TrackAngles.h"
#include "track/TrackEnds.h"
#include "track/TrackToolMessages.h"

namespace {

// A band shorter than this, in layout units, shows no side of the chain.
constexpr double kNoSide = 1e-6;

// What an elliptic arc's offset spline takes over from the arc.
void CopyTrackSettings(CParTrack& to, const CParTrack& from) {
    to.m_fGauge = from.m_fGauge;
    to.m_fTieLength = from.m_fTieLength;
    to.m_fTieSpacing = from.m_fTieSpacing;
    to.m_bShowTies = from.m_bShowTies;
    to.m_bShowAxis = from.m_bShowAxis;
    to.m_nRailMode = from.m_nRailMode;
    to.m_crRail = from.m_crRail;
    to.m_crTie = from.m_crTie;
    to.m_fTrackSeparation = from.m_fTrackSeparation;
    to.m_fBeginElevation = from.m_fBeginElevation;
    to.m_fEndElevation = from.m_fEndElevation;
    to.m_strRoadbedTexture = from.m_strRoadbedTexture;
    to.m_strTrackTexture = from.m_strTrackTexture;
    to.m_fRoadbedWidth = from.m_fRoadbedWidth;
    to.m_fRoadbedHeight = from.m_fRoadbedHeight;
    to.m_nStyle = from.m_nStyle;
}

}  // namespace

// The engine may be going away as well: the band leaves without telling it.
CParallelTrackTool::~CParallelTrackTool() {
    if (m_pBand != nullptr)
        m_pBand->SetTool(nullptr);
}

void CParallelTrackTool::Begin() {
    m_tool.m_bParallelToolActive = 1;
    m_nState = kWaiting;
    // Its own undo group: an Undo right after the command must not undo the edit before it.
    m_tool.DeselectAll(1, 1);
}

CDoublePoint CParallelTrackTool::Anchor() const {
    const int last = m_chain.Length() - 1;
    return WorldEnd(*m_chain.Piece(last), m_chain.FreeEnd(last) == 0 ? 1 : 0);
}

double CParallelTrackTool::AnchorDirection() const {
    const int last = m_chain.Length() - 1;
    return m_chain.Piece(last)->GetEndAngle(nullptr, m_chain.FreeEnd(last) == 0 ? 1 : 0);
}

void CParallelTrackTool::OnMouse(int phase, CGroup* group, const CPose* frame) {
    if (m_tool.m_bChainToolActive)
        return;
    // The chain's pieces left the layout (an Undo) while the band was out: start again.
    if (m_chain.Length() == 0)
        EndPulling();
    if (m_tool.m_toolMode != kToolSelector && m_nState == kWaiting) {
        m_tool.m_bParallelToolActive = 0;
        return;
    }
    if (phase == 1 && m_nState == kWaiting) {
        m_nState = kPicking;
        m_tool.m_bChainToolActive = 1;
        m_chain.Start(group);
    } else if (phase == 3 && m_nState == kPicking) {
        if (m_chain.Length() == 0)
            m_nState = kWaiting;
        else
            StartBand();
    } else if (phase == 3 && m_nState == kPulling && m_pBand != nullptr) {
        FollowCursor();
    } else if (phase == 1 && m_nState == kPulling) {
        AskDistance(group, frame);
    }
}

// The band is made as the dimension-line tool makes one, in plan coordinates, and is kept out
// of every group.
void CParallelTrackTool::StartBand() {
    const CDoublePoint anchor = Anchor();
    m_workingPoint = anchor;
    m_offset = CDoublePoint{};
    CPaint* made = m_tool.CreateObjectForTool(kToolDimensionLine);
    m_pBand.reset(dynamic_cast<CSizeLine*>(made));
    if (m_pBand == nullptr) {
        delete made;
        return;
    }
    m_pBand->SetOwnerGroup(nullptr);
    m_pBand->m_bExtraHandles = 0;
    m_pBand->SavePose();
    const CDoublePoint origin = m_pBand->LocalToWorld(0.0, 0.0);
    m_pBand->MoveFromSavedPose(anchor.x - origin.x, anchor.y - origin.y, 1);
    m_pBand->SavePose();
    m_pBand->RotateFromSavedPose(AnchorDirection(), anchor.x, anchor.y, 1);
    m_nState = kPulling;
}

void CParallelTrackTool::DropBand() {
    if (m_pBand == nullptr)
        return;
    const std::unique_ptr<CSizeLine> band = std::move(m_pBand);
    band->Invalidate();
    // No list of the engine ever held the band: it leaves without the engine looking for it.
    band->SetTool(nullptr);
    m_tool.m_bRedraw = 1;
}

void CParallelTrackTool::EndPulling() {
    if (m_nState != kPulling)
        return;
    m_nState = kWaiting;
    DropBand();
}

void CParallelTrackTool::DrawBand() {
    if (m_pBand != nullptr)
        m_pBand->Draw(nullptr);
}

// The band measures the cursor's distance from the line through the anchor along the chain's
// end, laid along that line's left normal.
void CParallelTrackTool::FollowCursor() {
    const CDoublePoint anchor = Anchor();
    const double dx = m_tool.m_fCurrentX - anchor.x;
    const double dy = m_tool.m_fCurrentY - anchor.y;
    const double r = std::hypot(dx, dy);
    double a = AnchorDirection();
    if (a < 0.0)
        a += kFullTurn;
    double c = PolarAngle(dx, dy) - a;
    if (c < 0.0)
        c += kFullTurn;
    const double across = r * std::sin(c);
    m_offset = CDoublePoint{-std::sin(a) * across, std::cos(a) * across};
    m_pBand->Invalidate();
    const CDoublePoint far{anchor.x + m_offset.x, anchor.y + m_offset.y};
    m_workingPoint = far;
    m_pBand->SetPoints(anchor.x, anchor.y, far.x, far.y, anchor.x + m_offset.x / 2.0,
                       anchor.y + m_offset.y / 2.0, m_pBand->m_bLabel, 0, 0);
    m_pBand->Invalidate();
    // The band is not in the picture the plan keeps of the layout: the layout is drawn again
    // where it was.
    m_tool.m_bRedraw = 1;
    m_tool.m_bStatusRefresh = 1;
    m_tool.RepaintAllViews();
}

void CParallelTrackTool::AskDistance(CGroup* group, const CPose* frame) {
    DropBand();
    const double pulled = std::hypot(m_offset.x, m_offset.y);
    const double prefilled = std::max(pulled, m_chain.Piece(m_chain.Length() - 1)->m_fTieLength);
    // The press that asks holds the plan view's capture; the dialog needs the mouse.
    if (GetCapture() != nullptr)
        ReleaseCapture();
    CToolHost* host = m_tool.m_pHost;
    CParallelTrackDialog dialog(host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex, prefilled);
    const INT_PTR result = RunPaused(m_tool, dialog);
    // A band of no length has no side: OK then builds nothing, as Cancel. A cursor set down on
    // the chain's own line leaves only rounding noise, which is no side either.
    if (result == IDOK && pulled > kNoSide) {
        // The new track lies at the distance entered, on the band's side, also when the
        // dialog offered the tie length in place of a shorter band.
        const double scale = dialog.m_fValue / pulled;
        m_offset = CDoublePoint{m_offset.x * scale, m_offset.y * scale};
        CreateParallelPieces(group, frame);
    } else {
        m_tool.m_bStatusRefresh = 1;
    }
    Finish();
}

void CParallelTrackTool::Finish() {
    m_chain.End();
    m_nState = kWaiting;
    if (m_tool.ReturnsToSelector()) {
        m_tool.m_bParallelToolActive = 0;
        m_tool.m_toolMode.m_bFlag = 0;
        m_tool.m_toolMode.Set(kToolSelector);
    }
}

int CParallelTrackTool::CreateParallelPieces(CGroup* group, const CPose* frame) {
    const double d = std::hypot(m_offset.x, m_offset.y);
    const int last = m_chain.Length() - 1;
    double gamma = PolarAngle(m_offset.x, m_offset.y) -
                   m_chain.Piece(last)->GetEndAngle(nullptr, m_chain.FreeEnd(last) == 0 ? 1 : 0);
    if (gamma < 0.0)
        gamma += kFullTurn;
    const bool right = gamma >= 0.0 && gamma <= kPi;
    m_bRadiusFailed = false;
    m_bSplineOffset = false;
    m_bFirstPlacement = true;
    std::vector<std::pair<CPaint*, int>> made;
    for (int i = 0; i < m_chain.Length(); ++i) {
        const int freeEnd = m_chain.FreeEnd(i);
        const bool inward = (!right && freeEnd == 0) || (right && freeEnd == 1);
        if (CPaint* piece = Offset(*m_chain.Piece(i), freeEnd, inward ? -d : d, !right, group))
            made.emplace_back(piece, i);
    }
    for (const auto& [piece, source] : made) {
        piece->SelectWithUndo(0, 0);
        auto* track = static_cast<CParTrack*>(piece);
        track->m_crRail = m_chain.SavedRail(source);
        track->m_crTie = m_chain.SavedTie(source);
        piece->Update3D(frame);
    }
    ReportRefusals();
    m_tool.m_bStatusRefresh = 1;
    m_tool.RepaintAllViews();
    return static_cast<int>(made.size());
}

// The first new piece starts the undo group of the pieces one distance lays; after it the
// straights and splines join the group before them, each curve starts its own.
bool CParallelTrackTool::PlacePiece(CPaint* piece, double x, double y, CGroup* group, int groupStart) {
    if (!m_tool.PlaceNewObject(piece, x, y, group, m_bFirstPlacement ? 1 : groupStart))
        return false;
    m_bFirstPlacement = false;
    return true;
}

CPaint* CParallelTrackTool::Offset(CParTrack& piece, int freeEnd, double signedDistance, bool left,
                                   CGroup* group) {
    const CString kind = piece.GetClassName();
    if (kind == "CTrack")
        return OffsetStraight(piece, freeEnd, std::fabs(signedDistance), left, group);
    if (kind == "CCircTrack")
        return OffsetCircle(piece, signedDistance, group);
    if (kind == "CArcTrack")
        return OffsetArc(piece, signedDistance, group);
    if (kind == "CSplineTrack")
        return OffsetSpline(piece, signedDistance, group);
    return nullptr;
}

CPaint* CParallelTrackTool::OffsetStraight(CParTrack& piece, int freeEnd, double distance, bool left,
                                           CGroup* group) {
    const double travel = piece.GetEndAngle(nullptr, freeEnd);
    const double side = left ? travel + kPi * 0.5 : travel - kPi * 0.5;
    const CDoublePoint o{distance * std::cos(side), distance * std::sin(side)};
    const CDoublePoint begin = WorldEnd(piece, 0);
    const CDoublePoint end = WorldEnd(piece, 1);
    auto* copy = static_cast<CTrack*>(piece.Clone());
    if (!PlacePiece(copy, begin.x + o.x, begin.y + o.y, group, 0)) {
        delete copy;
        return nullptr;
    }
    copy->SetEnds(begin.x + o.x, begin.y + o.y, end.x + o.x, end.y + o.y, 0, 0);
    return copy;
}

// A circle offset to its centre, or so near that its rails would cross, builds nothing.
CPaint* CParallelTrackTool::OffsetCircle(CParTrack& piece, double signedDistance, CGroup* group) {
    auto& circle = static_cast<CCircTrack&>(piece);
    const double radius = circle.m_fRadius + signedDistance;
    if (radius <= circle.m_fGauge / 2.0) {
        m_bRadiusFailed = true;
        m_fFailedRadius = circle.m_fRadius;
        return nullptr;
    }
    const CDoublePoint begin = WorldEnd(piece, 0);
    const CDoublePoint centre = circle.LocalToWorld(circle.m_ptCentre.x, circle.m_ptCentre.y);
    const double start = PolarAngle(begin.x - centre.x, begin.y - centre.y);
    auto* copy = static_cast<CCircTrack*>(piece.Clone());
    if (!PlacePiece(copy, begin.x, begin.y, group, 1)) {
        delete copy;
        return nullptr;
    }
    copy->SetArc(centre.x, centre.y, radius, start, circle.m_fSweep, 0, 0);
    return copy;
}

CPaint* CParallelTrackTool::OffsetArc(CParTrack& piece, double signedDistance, CGroup* group) {
    auto& arc = static_cast<CArcTrack&>(piece);
    if (arc.m_fRadiusX + signedDistance < 0.0 || arc.m_fRadiusY + signedDistance < 0.0) {
        m_bRadiusFailed = true;
        m_fFailedRadius = arc.m_fRadiusX;
        return nullptr;
    }
    const std::vector<double> angles =
        DivideArcAngles(arc.m_fStartAngle, arc.m_fSweep, arc.m_fRadiusX, arc.m_fRadiusY);
    CPointArray control;
    for (const CDoublePoint& p :
         OffsetEllipseControlPoints(angles, arc.m_fRadiusX, arc.m_fRadiusY, signedDistance))
        control.Add(arc.LocalToWorld(p.x + arc.m_ptCentre.x, p.y + arc.m_ptCentre.y));
    auto* spline = dynamic_cast<CSplineTrack*>(m_tool.CreateObjectForTool(kToolSplineTrack));
    if (spline == nullptr)
        return nullptr;
    const CDoublePoint begin = WorldEnd(piece, 0);
    if (!PlacePiece(spline, begin.x, begin.y, group, 0)) {
        delete spline;
        return nullptr;
    }
    spline->SetControlPoints(&control, 0, 0);
    CopyTrackSettings(*spline, arc);
    spline->RecomputeLength();
    return spline;
}

CPaint* CParallelTrackTool::OffsetSpline(CParTrack& piece, double signedDistance, CGroup* group) {
    auto& source = static_cast<CSplineTrack&>(piece);
    std::vector<CDoublePoint> points;
    for (int i = CSplineTrack::kFirstKnot; i <= source.LastIndex(); ++i)
        points.push_back(source.GetControlPointWorld(i));
    CPointArray control;
    for (const CDoublePoint& p : OffsetControlPolygon(points, signedDistance)) control.Add(p);
    auto* spline = dynamic_cast<CSplineTrack*>(m_tool.CreateObjectForTool(kToolSplineTrack));
    if (spline == nullptr)
        return nullptr;
    if (!PlacePiece(spline, m_workingPoint.x, m_workingPoint.y, group, 0)) {
        delete spline;
        return nullptr;
    }
    spline->SetControlPoints(&control, 0, 0);
    spline->RecomputeLength();
    m_bSplineOffset = true;
    return spline;
}

void CParallelTrackTool::ReportRefusals() {
    if (!m_bRadiusFailed && !m_bSplineOffset)
        return;
    CString inside, approximated, radius, text;
    inside.LoadString(IDS_PARALLEL_TRACK_INSIDE_RADIUS);
    approximated.LoadString(IDS_PARALLEL_SPLINE_APPROXIMATED);
    CToolHost* host = m_tool.m_pHost;
    CLengthFormat(host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex)
        .FormatLength(radius, m_fFailedRadius);
    if (m_bRadiusFailed && m_bSplineOffset)
        text.Format("1. Min Radius=%s.\n %s\n\n2. %s", radius.c_str(), inside.c_str(), approximated.c_str());
    else if (m_bRadiusFailed)
        text.Format("Min Radius=%s.\n %s", radius.c_str(), inside.c_str());
    else
        text = approximated;
    ShowPaused(m_tool, text);
}

// An Undo took the chain's last piece away while the band was out: the band goes at once.
void CParallelTrackTool::OnObjectForgotten() {
    if (m_chain.Length() == 0)
        EndPulling();
}
