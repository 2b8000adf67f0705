#include "track/CParTrack.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/LayoutFile.h"
#include "model/ObjectFactory.h"
#include "model/Units.h"
#include "platform/base/CArchive.h"
#include "platform/base/CStringTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/LogicalPixelSize.h"
#include "platform/gdi/SystemColors.h"
#include "platform/r3d/Clump.h"
#include "resources/StringTable.h"
#include "track/TrackAngles.h"
#include "track/TrackFieldRanges.h"
#include "track/TrackPayloads.h"

IMPLEMENT_SERIAL(CParTrack, CPaint, 2)

namespace {

constexpr int kTunnelTextureVersion = 8;
constexpr int kTunnelFlagVersion = 12;
constexpr int kRailWidthVersion = 15;
constexpr int kTieWidthVersion = 16;
constexpr const char* kTunnelTexture = "Ballast Gray.bmp";
constexpr int kLabelBox = 10;
// Two measures of one shape differ by their samples: drawing once measured an arc from whole
// degrees a handle apart, which falls short of every whole degree by less than a hundredth for
// an arc drawn with radii of two handles or more, and a mirrored arc's degrees fall elsewhere
// on the ellipse. A stored length further off than this share came from no measure of the shape.
constexpr double kSamplingShare = 0.01;

// A letter centred on a point, in pixels whatever the mapping: a preview fitting a piece of next
// to no extent maps a few units onto the whole window, and a font sized in those units would
// fill it.
void DrawLetterOnScreen(CDC& dc, CPoint at, const char* letter) {
    dc.LPtoDP(&at);
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.TextOut(at.x, at.y - dc.GetTextExtent(letter, 1).cy / 2, letter, 1);
    dc.RestoreDC(saved);
}

// What the pixels of a layout unit depend on outside printing: the zoom and the DC's mapping.
struct PixelScaleKey {
    double zoomNumerator;
    double zoomDenominator;
    CPoint windowOrg;
    CSize windowExt;
    CPoint viewportOrg;
    CSize viewportExt;
    bool operator==(const PixelScaleKey&) const = default;
};

int ValidScaleRow(int row) {
    return row >= 0 && row < kScaleCount ? row : kDefaultScaleIndex;
}

CLengthFormat LengthFormatOf(CTool* tool) {
    const int unit =
        tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->GetUnitIndex() : kDefaultUnitIndex;
    return CLengthFormat(unit);
}

CString FormatLengthIn(CTool* tool, double length) {
    CString text;
    LengthFormatOf(tool).FormatLength(text, length);
    return text;
}

}  // namespace

// ---- Construction ----

CParTrack::CParTrack() {
    Init();
}

CParTrack::CParTrack(int selected, CTool* tool, double x, double y) : CPaint(selected, tool, x, y) {
    Init();
    if (tool != nullptr && tool->m_pDefaultTrack != nullptr)
        CopyDefaultTrack(*tool->m_pDefaultTrack);
}

CParTrack::CParTrack(CTool* tool) {
    m_pTool = tool;
    Init();
    ApplyScale();
    m_crRail = RGB(0, 0, 128);
    m_crTie = RGB(112, 58, 63);
    m_bScaleWithDocument = 1;
    m_bShowTies = 1;
    m_nRailMode = 2;
    m_bShowAxis = 0;
    m_strRoadbedTexture = "agragate.bmp";
    m_strTrackTexture = "track1.bmp";
    m_nStyle = 0;
    m_strTunnelTexture = kTunnelTexture;
    m_bTunnelUsesTexture = 0;
    m_fCutDistance = m_fGauge;
}

CParTrack::~CParTrack() {
    DetachFromTerrain();
}

void CParTrack::Init() {
    m_nRailLineWidth = 1;
    m_nTieLineWidth = 1;
    m_ptBeginMarker = {};
    m_ptEndMarker = {};
    m_strCategory = CStringTable::Text(IDS_TRACK_PIECE_CATEGORY);
    m_bShowInReport = 1;
    m_fLength = 0.0;
    m_bBeginConnected = 0;
    m_bEndConnected = 0;
    m_ptBegin = {};
    m_ptEnd = {};
    m_bAttachMark = 0;
    m_bRecheck = 1;
    m_bChanged = 0;
    m_fTunnelWidth = 0.0;
    m_fTunnelHeight = 0.0;
    m_strTunnelTexture = kTunnelTexture;
    m_bTunnelUsesTexture = 0;
}

void CParTrack::CopyDefaultTrack(const CParTrack& defaults) {
    m_nRailLineWidth = defaults.m_nRailLineWidth;
    m_nTieLineWidth = defaults.m_nTieLineWidth;
    m_strScale = defaults.m_strScale;
    m_fGauge = defaults.m_fGauge;
    m_fTieLength = defaults.m_fTieLength;
    m_fTieSpacing = defaults.m_fTieSpacing;
    m_fTrackSeparation = defaults.m_fTrackSeparation;
    m_fRoadbedWidth = defaults.m_fRoadbedWidth;
    m_fRoadbedHeight = defaults.m_fRoadbedHeight;
    m_crRail = defaults.m_crRail;
    m_crTie = defaults.m_crTie;
    m_bScaleWithDocument = defaults.m_bScaleWithDocument;
    m_bShowTies = defaults.m_bShowTies;
    m_bShowAxis = defaults.m_bShowAxis;
    m_nRailMode = defaults.m_nRailMode;
    m_fBeginElevation = defaults.m_fRoadbedHeight;
    m_fEndElevation = defaults.m_fRoadbedHeight;
    m_strRoadbedTexture = defaults.m_strRoadbedTexture;
    m_strTrackTexture = defaults.m_strTrackTexture;
    m_nStyle = defaults.m_nStyle;
    m_fTunnelWidth = defaults.m_fTunnelWidth;
    m_fTunnelHeight = defaults.m_fTunnelHeight;
    m_strTunnelTexture = defaults.m_strTunnelTexture;
    m_bTunnelUsesTexture = defaults.m_bTunnelUsesTexture;
    m_fCutDistance = m_fGauge;
}

void CParTrack::ApplyScale() {
    const int documentRow =
        m_pTool != nullptr && m_pTool->m_pHost != nullptr ? m_pTool->m_pHost->GetDefaultScaleIndex() : -1;
    const ScaleRow& row = ScaleTable[ValidScaleRow(documentRow)];
    m_strScale = row.name;
    ApplyGaugeSizes(row.gauge);
    SetDefaultTunnelSize();
}

void CParTrack::ApplyGaugeSizes(double gauge) {
    m_fGauge = gauge;
    m_fTieLength = kTieLengthFactor * gauge;
    m_fTieSpacing = gauge * kTieSpacingFactor;
    m_fTrackSeparation = 2.0 * gauge;
    m_fRoadbedWidth = 2.0 * gauge;
    m_fRoadbedHeight = gauge * 0.25;
}

void CParTrack::SetDefaultTunnelSize() {
    m_fTunnelWidth = 2.0 * m_fGauge;
    m_fTunnelHeight = (2.0 * m_fGauge + m_fRoadbedHeight) * 2.0;
}

void CParTrack::SetScale(const CString& scale) {
    const int to = FindScale(scale);
    if (to >= 0) {
        const int from = FindScale(m_strScale);
        const double oldGauge = from >= 0 ? ScaleTable[from].gauge : m_fGauge;
        const double newGauge = ScaleTable[to].gauge;
        m_fBeginElevation += (newGauge - oldGauge) * 0.25;
        m_fEndElevation += (newGauge - oldGauge) * 0.25;
        ApplyGaugeSizes(newGauge);
    }
    CPaint::SetScale(scale);
}

void CParTrack::CopyFrom(CPaint* other) {
    auto* source = dynamic_cast<CParTrack*>(other);
    if (source != nullptr) {
        m_nRailLineWidth = source->m_nRailLineWidth;
        m_nTieLineWidth = source->m_nTieLineWidth;
        m_fTunnelWidth = source->m_fTunnelWidth;
        m_fTunnelHeight = source->m_fTunnelHeight;
        m_strTunnelTexture = source->m_strTunnelTexture;
        m_fGauge = source->m_fGauge;
        m_fTieLength = source->m_fTieLength;
        m_fTieSpacing = source->m_fTieSpacing;
        m_fRoadbedWidth = source->m_fRoadbedWidth;
        m_fRoadbedHeight = source->m_fRoadbedHeight;
        m_bShowTies = source->m_bShowTies;
        m_bShowAxis = source->m_bShowAxis;
        m_nRailMode = source->m_nRailMode;
        m_crRail = source->m_crRail;
        m_crTie = source->m_crTie;
        m_fTrackSeparation = source->m_fTrackSeparation;
        m_ptBegin = source->m_ptBegin;
        m_ptEnd = source->m_ptEnd;
        m_strRoadbedTexture = source->m_strRoadbedTexture;
        m_strTrackTexture = source->m_strTrackTexture;
        m_nStyle = source->m_nStyle;
        m_fBeginElevation = source->m_fBeginElevation;
        m_fEndElevation = source->m_fEndElevation;
        m_fLength = source->m_fLength;
        m_bTunnelUsesTexture = source->m_bTunnelUsesTexture;
        m_fCutDistance = source->m_fCutDistance;
    }
    // A copy is never connected.
    m_bBeginConnected = 0;
    m_bEndConnected = 0;
    CPaint::CopyFrom(other);
}

CPaint* CParTrack::Clone() {
    auto* copy = new CParTrack;
    copy->CopyFrom(this);
    return copy;
}

void CParTrack::ReleaseData() {
    if (m_pTool != nullptr && m_pTool->m_pHost != nullptr)
        m_pTool->m_pHost->StopTrainsOn(this);
}

// ---- Records ----

int CParTrack::FileVersion() const {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return kCurrentFileVersion;
    return m_pTool->m_pHost->GetFileVersion();
}

void CParTrack::Serialize(CArchive& ar) {
    CPaint::Serialize(ar);
    if (ar.IsStoring()) {
        StoreTrackPart(ar);
        SerializeShape(ar);
        return;
    }
    const bool lengthSound = LoadTrackPart(ar);
    SerializeShape(ar);
    KeepOrMendLength(lengthSound);
}

void CParTrack::SerializeShape(CArchive&) {}

void CParTrack::RecomputeLength() {
    m_fLength = 0.0;
}

void CParTrack::KeepOrMendLength(bool storedSound) {
    const double stored = m_fLength;
    RecomputeLength();
    if (storedSound && KeepsStoredLength(stored)) {
        m_fLength = stored;
        return;
    }
    if (m_pTool != nullptr && m_pTool->m_pHost != nullptr)
        m_pTool->m_pHost->NoteMendedOnReading(MendedLengthText());
}

// The default track has no shape to measure: its length is only cleared.
CString CParTrack::MendedLengthText() const {
    if (GetRuntimeClass() == RUNTIME_CLASS(CParTrack))
        return "Default track: a length no track can have was cleared";
    return "Track \"" + m_strName + "\": length measured again from its shape";
}

bool CParTrack::KeepsStoredLength(double) const {
    return true;
}

bool CParTrack::WithinSampling(double stored, double allowance) const {
    return std::fabs(stored - m_fLength) <= m_fLength * kSamplingShare + allowance;
}

void CParTrack::StoreTrackPart(CArchive& ar) {
    ar << m_nTieLineWidth << m_nRailLineWidth;
    ar << m_fGauge << m_fTieLength << m_fTieSpacing << m_fRoadbedWidth << m_fRoadbedHeight;
    ar << m_bShowTies << m_bShowAxis << m_nRailMode << static_cast<int>(m_crRail)
       << static_cast<int>(m_crTie);
    ar << m_fTrackSeparation << m_bBeginConnected << m_bEndConnected << m_fBeginElevation << m_fEndElevation;
    ar << m_ptBegin.x << m_ptBegin.y << m_ptEnd.x << m_ptEnd.y;
    ar << m_ptBeginMarker.x << m_ptBeginMarker.y << m_ptEndMarker.x << m_ptEndMarker.y;
    ar << m_strRoadbedTexture << m_strTrackTexture << m_nStyle << m_fLength;
    ar << m_fTunnelWidth << m_fTunnelHeight << m_strTunnelTexture << m_bTunnelUsesTexture
       << m_strTunnelTexture;
}

bool CParTrack::LoadTrackPart(CArchive& ar) {
    const int version = FileVersion();
    if (version >= kTieWidthVersion)
        ar >> m_nTieLineWidth;
    if (version >= kRailWidthVersion)
        ar >> m_nRailLineWidth;
    ar >> m_fGauge >> m_fTieLength >> m_fTieSpacing >> m_fRoadbedWidth >> m_fRoadbedHeight;
    m_fTieSpacing = BoundedTieSpacing(m_fTieSpacing);
    int railColor = 0, tieColor = 0;
    ar >> m_bShowTies >> m_bShowAxis >> m_nRailMode >> railColor >> tieColor;
    m_crRail = static_cast<COLORREF>(railColor);
    m_crTie = static_cast<COLORREF>(tieColor);
    ar >> m_fTrackSeparation >> m_bBeginConnected >> m_bEndConnected >> m_fBeginElevation >> m_fEndElevation;
    ar >> m_ptBegin.x >> m_ptBegin.y >> m_ptEnd.x >> m_ptEnd.y;
    ar >> m_ptBeginMarker.x >> m_ptBeginMarker.y >> m_ptEndMarker.x >> m_ptEndMarker.y;
    ar >> m_strRoadbedTexture >> m_strTrackTexture >> m_nStyle >> m_fLength;
    // Ties are counted along the length: no piece is shorter than nothing, or endless.
    const bool lengthSound = m_fLength >= 0.0 && std::isfinite(m_fLength);
    if (!lengthSound)
        m_fLength = 0.0;
    m_fCutDistance = m_fGauge;
    if (version < kTunnelTextureVersion) {
        SetDefaultTunnelSize();
        return lengthSound;
    }
    ar >> m_fTunnelWidth >> m_fTunnelHeight >> m_strTunnelTexture;
    if (version >= kTunnelFlagVersion)
        ar >> m_bTunnelUsesTexture >> m_strTunnelTexture;
    return lengthSound;
}

// ---- Ends and their geometry ----

CDoublePoint CParTrack::GetEndPoint(int index) const {
    return index == 0 ? m_ptBegin : m_ptEnd;
}

double CParTrack::GetEndAngle(const CPose*, int) {
    return 0.0;
}

CDoublePoint CParTrack::EndWorldPoint(const CPose* pose, int index) const {
    const CDoublePoint local = GetEndPoint(index);
    return LocalToWorldInFrame(FrameOf(pose), local.x, local.y);
}

void CParTrack::SetLength(const CPose*, double) {}

int CParTrack::AppendCentreLine(CPointArray&, int) {
    return 0;
}

int CParTrack::ApplyCutStep(CEditStep*) {
    return 0;
}

int CParTrack::SampleCentreLine(std::vector<CDoublePoint>&, std::vector<double>&, double&) {
    return 0;
}

// Ties are drawn a spacing apart along the piece: a spacing far below any tie's, which only a
// file gives, has a piece draw as many ties as it is allowed, each one over the last. It is
// raised to the shortest length a piece takes; none (0 or less) still draws none.
double CParTrack::BoundedTieSpacing(double stored) {
    return stored > 0.0 ? std::max(stored, track_fields::kSmallestLength) : stored;
}

double CParTrack::KeptLength(double measured) {
    const double length = std::fabs(measured);
    return std::isfinite(length) ? length : 0.0;
}

int CParTrack::IsAwayFromEnds(double x, double y) const {
    const CDoublePoint point{x, y};
    if (PointDistance(point, m_ptBegin) < m_fCutDistance)
        return 0;
    return PointDistance(point, m_ptEnd) >= m_fCutDistance ? 1 : 0;
}

TrackLimits CParTrack::Limits() const {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return TrackLimits{};
    if (m_pTool->m_track.passEnds != nullptr)
        return m_pTool->m_track.passLimits;
    return m_pTool->m_pHost->GetTrackLimits();
}

double CParTrack::HandleTolerance() const {
    return m_pTool != nullptr ? m_pTool->GetHandleTolerance() : 10.0;
}

void CParTrack::CreateTrackPen(CDC& dc, CPen& pen, int width, COLORREF color) {
    pen.CreatePen(PS_SOLID, width * LogicalPixelSize(&dc), DrawColor(color));
}

int CParTrack::BeginPlanDrawing(CDC& dc, CPen& railPen) {
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    CreateTrackPen(dc, railPen, m_nRailLineWidth, m_crRail);
    return previousMode;
}

void CParTrack::DrawJointMarkers(CDC& dc, CDoublePoint begin, CDoublePoint end, const CPlacement& placement) {
    if (m_bBeginConnected)
        DrawConnectedMarker(dc, begin, m_ptBeginMarker, placement);
    if (m_bEndConnected)
        DrawConnectedMarker(dc, end, m_ptEndMarker, placement);
}

bool CParTrack::ShowsSelectionMarkers() {
    const bool dragging = m_pTool->m_bButtonDown && m_pTool->m_bMoved;
    return IsSelected() && !dragging && !m_pTool->IsPrinting() && GetEditState() != 4;
}

bool CParTrack::HoldsHandle(const CDoublePoint& point, int px, int py) const {
    const double h = HandleTolerance();
    return px >= static_cast<int>(point.x - h) && px < static_cast<int>(point.x + h) &&
           py >= static_cast<int>(point.y - h) && py < static_cast<int>(point.y + h);
}

int CParTrack::SampleAlong(const CPointArray& line, std::vector<CDoublePoint>& points,
                           std::vector<double>& elevations, double& step) const {
    if (line.GetSize() < 2)
        return static_cast<int>(points.size());
    auto run = [&line](int i) { return PointDistance(line[i], line[i - 1]); };
    double length = 0.0;
    for (int i = 1; i < line.GetSize(); ++i) length += run(i);
    constexpr double kMostSteps = 100000.0;
    const double wanted = step > 0.0 && std::isfinite(step) ? length / step : 0.0;
    const int count = wanted >= 1.0 ? static_cast<int>(std::min(wanted, kMostSteps)) : 0;
    step = count > 0 ? length / count : length;
    const double bed = m_pTool != nullptr && m_pTool->m_pDefaultTrack != nullptr
                           ? m_pTool->m_pDefaultTrack->m_fRoadbedHeight
                           : m_fRoadbedHeight;
    const double rise = length != 0.0 ? (m_fEndElevation - m_fBeginElevation) / length * step : 0.0;
    auto add = [&](const CDoublePoint& local, double elevation) {
        points.push_back(LocalToWorld(local.x, local.y));
        elevations.push_back(elevation);
    };
    add(line[0], m_fBeginElevation - bed);
    int segment = 1;
    double before = 0.0;
    for (int i = 1; i < count; ++i) {
        const double at = i * step;
        while (before + run(segment) < at && segment + 1 < line.GetSize()) before += run(segment++);
        const double t = run(segment) > 0.0 ? (at - before) / run(segment) : 0.0;
        const CDoublePoint& a = line[segment - 1];
        const CDoublePoint& b = line[segment];
        add({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, m_fBeginElevation - bed + rise * i);
    }
    add(line[line.GetSize() - 1], m_fEndElevation - bed);
    return static_cast<int>(points.size());
}

bool CParTrack::PlaceCutCopy(CParTrack* copy) {
    if (copy == nullptr)
        return false;
    const CDoublePoint origin = LocalToWorld(0.0, 0.0);
    if (m_pTool == nullptr || !m_pTool->PlaceNewObject(copy, origin.x, origin.y, m_pOwnerGroup, 0)) {
        delete copy;
        return false;
    }
    return true;
}

void CParTrack::FinishCut(CParTrack* copy) {
    copy->Deselect();
    if (ReturnsToSelector(m_pTool))
        m_pTool->m_toolMode.Set(kToolSelector);
    copy->Update3D(&copy->m_parentPose);
    Update3D(&m_parentPose);
}

namespace {

// The end angle of an arc, less a whole turn when it reaches one.
double ReducedEndAngle(double startAngle, double sweep) {
    const double end = startAngle + sweep;
    return end >= kFullTurn ? end - kFullTurn : end;
}

}  // namespace

void CParTrack::MirrorArcX(double c, CDoublePoint& centre, double& startAngle, double sweep) {
    MirrorArcAlong(c, m_pose.x, &CDoublePoint::x, centre);
    const double start = kPi - ReducedEndAngle(startAngle, sweep);
    startAngle = start < 0.0 ? start + kFullTurn : start;
    m_fCornerX1 = -m_fCornerX1;
    m_fCornerX2 = -m_fCornerX2;
}

void CParTrack::MirrorArcY(double c, CDoublePoint& centre, double& startAngle, double sweep) {
    MirrorArcAlong(c, m_pose.y, &CDoublePoint::y, centre);
    startAngle = kFullTurn - ReducedEndAngle(startAngle, sweep);
    m_fCornerY1 = -m_fCornerY1;
    m_fCornerY2 = -m_fCornerY2;
}

void CParTrack::MirrorArcAlong(double c, double& origin, double CDoublePoint::*axis, CDoublePoint& centre) {
    origin = (c - origin) * 2.0 + origin;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i <= 6; ++i) m_points[i].*axis = -(m_points[i].*axis);
    centre.*axis = -(centre.*axis);
    // The ends change places, and each takes its joint along.
    std::swap(m_points[5], m_points[6]);
    std::swap(m_bBeginConnected, m_bEndConnected);
    m_ptBegin = m_points[5];
    m_ptEnd = m_points[6];
}

bool CParTrack::CutAngleAtToolPoint(const CDoublePoint& centre, double startAngle, double& delta) const {
    if (m_pTool == nullptr)
        return false;
    const CDoublePoint local = WorldToLocal(m_pTool->m_fCurrentX, m_pTool->m_fCurrentY);
    if (!IsAwayFromEnds(local.x, local.y))
        return false;
    delta = PolarAngle(local.x - centre.x, local.y - centre.y) - startAngle;
    if (delta <= 0.0)
        delta += kFullTurn;
    return true;
}

void CParTrack::DescribeArc(const CPose* pose, int kind, const CDoublePoint& centre, double startAngle,
                            double sweep) {
    CPieceStatusText& status = m_pTool->m_status;
    status.m_nKind = kind;
    status.m_fRotation = RotationDegrees(pose);
    const CDoublePoint world = LocalToWorldInFrame(FrameOf(pose), centre.x, centre.y);
    status.m_strMeasure[5] = "(" + LengthText(world.x) + "," + LengthText(-world.y) + ")";
    status.m_fStartAngle = startAngle * 180.0 / kPi;
    status.m_fArcAngle = sweep * 180.0 / kPi;
}

double CParTrack::RotationDegrees(const CPose* pose) const {
    double angle = m_pose.angle + FrameOf(pose).angle;
    if (angle < 0.0)
        angle += kFullTurn;
    return angle * 180.0 / kPi;
}

CString CParTrack::LengthText(double length) const {
    return FormatLengthIn(m_pTool, length);
}

double CParTrack::LargestWidth() const {
    return std::max(std::max(m_fGauge, m_fTieLength), m_fTrackSeparation);
}

CPoint CParTrack::ToDevice(const CPlacement& placement, CDoublePoint local) const {
    const CDoublePoint world = placement.ToWorld(local);
    return m_pTool->LayoutToDevice(world.x, world.y, 1);
}

double CParTrack::PixelsPerLayoutUnit(const CDC& dc) const {
    if (!dc.FastPathsEnabled())
        return 0.0;
    // Every piece of a repaint asks with the same zoom and mapping: the last answer is kept.
    static thread_local std::optional<std::pair<PixelScaleKey, double>> last;
    const PixelScaleKey key{m_pTool->Mapping().Numerator(),
                            m_pTool->Mapping().Denominator(),
                            dc.GetWindowOrg(),
                            dc.GetWindowExt(),
                            dc.GetViewportOrg(),
                            dc.GetViewportExt()};
    const bool printing = m_pTool->IsPrinting();
    if (!printing && last && last->first == key)
        return last->second;
    // A long probe, so that the rounding to whole device units is lost in it.
    constexpr double kProbe = 1048576.0;
    POINT probe[3] = {m_pTool->LayoutToDevice(0.0, 0.0, 1), m_pTool->LayoutToDevice(kProbe, 0.0, 1),
                      m_pTool->LayoutToDevice(0.0, kProbe, 1)};
    dc.LPtoDP(probe, 3);
    const double across = std::hypot(probe[1].x - probe[0].x, probe[1].y - probe[0].y);
    const double down = std::hypot(probe[2].x - probe[0].x, probe[2].y - probe[0].y);
    const double pixels = std::max(across, down) / kProbe;
    if (!printing)
        last.emplace(key, pixels);
    return pixels;
}

bool CParTrack::IsTrackClass(CPaint* object) {
    return IsTrackPieceClass(object->GetClassName());
}

// ---- Drawing shared by the pieces ----

void CParTrack::DrawConnectedMarker(CDC& dc, CDoublePoint end, CDoublePoint marker,
                                    const CPlacement& placement) {
    CPen red(PS_SOLID, 4, RGB(255, 0, 0));
    CPen* previous = dc.SelectObject(&red);
    dc.MoveTo(ToDevice(placement, end));
    dc.LineTo(ToDevice(placement, marker));
    dc.SelectObject(previous);
}

void CParTrack::DrawEndLabels(CPoint begin, CPoint end, int which) {
    CDC* dc = m_pTool != nullptr ? m_pTool->GetTargetDC() : nullptr;
    if (dc == nullptr || !m_pTool->IsRootGroup(m_pOwnerGroup))
        return;
    const int previousMode = dc->SetBkMode(OPAQUE);
    const COLORREF previousColor = dc->SetBkColor(GetSysColor(COLOR_WINDOW));
    const UINT previousAlign = dc->SetTextAlign(TA_CENTER | TA_TOP);
    CSize box(kLabelBox, kLabelBox);
    dc->DPtoLP(&box);
    const double dx = end.x - begin.x;
    const double dy = end.y - begin.y;
    const double length = VectorLength(dx, dy);
    // Ends on each other give no direction: the letters then stand apart sideways.
    const bool degenerate = length < 1e-9;
    const int ox = degenerate ? std::abs(box.cx) : static_cast<int>(std::fabs(dx / length) * box.cx);
    const int oy = degenerate ? 0 : static_cast<int>(std::fabs(dy / length) * box.cy);
    const int sx = degenerate || dx > 0.0 ? -1 : 1;
    const int sy = dy > 0.0 ? -1 : 1;
    if (which == 1 || which == 3)
        DrawLetterOnScreen(*dc, CPoint(begin.x + sx * ox, begin.y + sy * oy), "B");
    if (which == 2 || which == 3)
        DrawLetterOnScreen(*dc, CPoint(end.x - sx * ox, end.y - sy * oy), "E");
    dc->SetTextAlign(previousAlign);
    dc->SetBkColor(previousColor);
    dc->SetBkMode(previousMode);
}

// ---- Elevations ----

void CParTrack::FormatGradeLabel(const CPose* pose, double cx, double cy, double ax, double ay, double bx,
                                 double by, int begin) {
    if (m_pTool == nullptr)
        return;
    auto directionOf = [](double dx, double dy) {
        const double length = VectorLength(dx, dy);
        if (length == 0.0)
            return 0.0;
        const double alpha = std::acos(std::clamp(dx / length, -1.0, 1.0));
        return dy < 0.0 ? kFullTurn - alpha : alpha;
    };
    const double alpha = directionOf(ax - bx, ay - by);
    const double d = VectorLength(cx - ax, cy - ay);
    const double dead =
        m_pTool->m_nPivotMarkSize / 3.0 / (m_pTool->ZoomRatio() > 0.0 ? m_pTool->ZoomRatio() : 1.0);
    if (d > dead) {
        const double beta = directionOf(cx - ax, cy - ay);
        const double lever = d * std::sin(beta - alpha);
        const double px = cx + lever * std::sin(alpha);
        const double py = cy - lever * std::cos(alpha);
        double h = VectorLength(px - ax, py - ay);
        double between = std::fabs(beta - alpha);
        if (between > kPi)
            between = kFullTurn - between;
        if (between > 1.57079632675)
            h = -h;
        if (begin)
            m_fBeginElevation = m_fSavedBeginElevation + h;
        else
            m_fEndElevation = m_fSavedEndElevation + h;
    }
    m_fBeginElevation = std::max(m_fBeginElevation, 0.0);
    m_fEndElevation = std::max(m_fEndElevation, 0.0);
    ShowGradeLabel(FrameOf(pose), {ax, ay}, {bx, by}, begin);
    UpdateSizeInfo(&FrameOf(pose));
}

void CParTrack::ShowGradeLabel(const CPose& frame, CDoublePoint dragged, CDoublePoint direction, int begin) {
    const double grade = m_fLength != 0.0 ? (m_fBeginElevation - m_fEndElevation) / m_fLength * 100.0 : 0.0;
    const CString height = FormatLengthIn(m_pTool, begin ? m_fBeginElevation : m_fEndElevation);
    m_pTool->m_hint.m_strText.Format("h=%s,grade=%.2f%%", height.c_str(), grade);
    const CDoublePoint anchor = LocalToWorldInFrame(frame, dragged.x, dragged.y);
    const CDoublePoint guide = LocalToWorldInFrame(frame, direction.x, direction.y);
    m_pTool->m_fHintX = anchor.x;
    m_pTool->m_fHintY = anchor.y;
    m_pTool->m_fGuideX = guide.x;
    m_pTool->m_fGuideY = guide.y;
}

int CParTrack::ChangeEndElevation(int end, double elevation, int record, int groupStart) {
    const int beginEnd = end != 0 ? 1 : 0;
    std::unique_ptr<EndElevationPayload> inverse;
    if (record) {
        inverse = std::make_unique<EndElevationPayload>();
        inverse->end = beginEnd;
        inverse->elevation = beginEnd ? m_fBeginElevation : m_fEndElevation;
    }
    CEditStep step(kStepTrackEndElevation, this, groupStart);
    auto payload = std::make_unique<EndElevationPayload>();
    payload->end = beginEnd;
    payload->elevation = elevation;
    step.SetPayload(std::move(payload));
    if (ApplyEditStep(&step) && inverse != nullptr && m_pTool != nullptr) {
        auto undo = std::make_unique<CEditStep>(kStepTrackEndElevation, this, groupStart);
        undo->SetPayload(std::move(inverse));
        m_pTool->PushUndo(undo.release());
    }
    return 1;
}

int CParTrack::ApplyElevationStep(CEditStep* step) {
    const EndElevationPayload* payload = step->GetPayload<EndElevationPayload>();
    if (payload == nullptr)
        return 0;
    if (payload->end != 0)
        m_fBeginElevation = payload->elevation;
    else
        m_fEndElevation = payload->elevation;
    Update3D(&m_parentPose);
    return 1;
}

void CParTrack::LowerElevations(const CPose*, double by) {
    m_fBeginElevation -= by;
    m_fEndElevation -= by;
}

BOOL CParTrack::GetLowestElevation(double& elevation) const {
    elevation = std::min(m_fBeginElevation, m_fEndElevation);
    return TRUE;
}

void CParTrack::RotateWithPivot(const CPose* pose) {
    CPaint::RotateWithPivot(pose);
    if (m_pTool != nullptr)
        LowerElevations(pose, m_pTool->m_fSnapElevation);
}

void CParTrack::RotateWithPivotHalfTurn(const CPose* pose) {
    CPaint::RotateWithPivotHalfTurn(pose);
    if (m_pTool != nullptr)
        LowerElevations(pose, m_pTool->m_fSnapElevation);
}

// ---- Ends of an interactive edit ----

int CParTrack::HitTestEndMarker(const CPose* pose) {
    if (ReattachEnd(pose, 0))
        return 1;
    return ReattachEnd(pose, 1);
}

int CParTrack::ReattachEnd(const CPose* pose, int index) {
    const CDoublePoint end = GetEndPoint(index);
    const CDoublePoint marker = index == 0 ? m_ptBeginMarker : m_ptEndMarker;
    if (!EndConnected(index) || m_pTool == nullptr || !HitTestSegment(pose, end.x, end.y, marker.x, marker.y))
        return 0;
    m_bAttachMark = 1;
    const CDoublePoint world = EndWorldPoint(pose, index);
    m_pTool->FindInCurrentGroup(world.x, world.y, index);
    EndConnected(index) = 0;
    m_bAttachMark = 0;
    Invalidate();
    return 1;
}

int CParTrack::FinishCreate(const CPose* pose, int flag) {
    if (IsInvalid(0))
        return 0;
    const int state = GetEditState();
    if (state != 1 && state != -1) {
        Invalidate();
        Update3D(pose);
        InvalidateBounds();
        return 1;
    }
    CPaint::FinishCreate(pose, flag);
    return 1;
}

void CParTrack::ApplyStyle(const CPose* pose, CPaint* pattern, int mode) {
    auto* source = dynamic_cast<CParTrack*>(pattern);
    if (source != nullptr && IsTrackClass(pattern)) {
        m_nRailLineWidth = source->m_nRailLineWidth;
        m_nTieLineWidth = source->m_nTieLineWidth;
        m_bScaleWithDocument = source->m_bScaleWithDocument;
        m_fGauge = source->m_fGauge;
        m_fTieLength = source->m_fTieLength;
        m_fTieSpacing = source->m_fTieSpacing;
        m_bShowTies = source->m_bShowTies;
        m_bShowAxis = source->m_bShowAxis;
        m_nRailMode = source->m_nRailMode;
        m_crRail = source->m_crRail;
        m_crTie = source->m_crTie;
        m_fTrackSeparation = source->m_fTrackSeparation;
        m_strRoadbedTexture = source->m_strRoadbedTexture;
        m_strTrackTexture = source->m_strTrackTexture;
        m_fRoadbedWidth = source->m_fRoadbedWidth;
        m_fRoadbedHeight = source->m_fRoadbedHeight;
        m_nStyle = source->m_nStyle;
    } else if (pattern != nullptr && pattern->GetClassName() == "CGroup") {
        SetScale(pattern->m_strScale);
    }
    CPaint::ApplyStyle(pose, pattern, mode);
    DragHandle(pose, -1);
}

int CParTrack::ApplyEditStep(CEditStep* step) {
    if (step->m_nKind == kStepCutTrack) {
        ApplyCutStep(step);
        return 1;
    }
    if (step->m_nKind == kStepRestoreJointMarkers) {
        const JointMarkersPayload* former = step->GetPayload<JointMarkersPayload>();
        if (former == nullptr)
            return 0;
        m_ptBeginMarker = former->begin;
        m_ptEndMarker = former->end;
        Invalidate();
        return 1;
    }
    return CPaint::ApplyEditStep(step);
}

// ---- Status texts and snapping ----

void CParTrack::UpdateSizeInfo(const CPose* pose) {
    CPaint::UpdateSizeInfo(pose);
    if (m_pTool == nullptr)
        return;
    auto pointText = [this, pose](int index) {
        const CDoublePoint world = EndWorldPoint(pose, index);
        return "(" + FormatLengthIn(m_pTool, world.x) + "," + FormatLengthIn(m_pTool, -world.y) + ")";
    };
    CPieceStatusText& status = m_pTool->m_status;
    status.m_strMeasure[0] = pointText(0);
    status.m_strMeasure[1] = pointText(1);
    status.m_strMeasure[2] = FormatLengthIn(m_pTool, m_fLength);
    status.m_strMeasure[10] = FormatLengthIn(m_pTool, m_fBeginElevation);
    status.m_strMeasure[11] = FormatLengthIn(m_pTool, m_fEndElevation);
    status.m_fGrade = m_fLength != 0.0 ? (m_fBeginElevation - m_fEndElevation) / m_fLength * 100.0 : 0.0;
}

// An end's elevation drag keeps the grade label its piece wrote in front of the measures.
void CParTrack::AppendStatusText(CString& text) {
    if (m_pTool == nullptr)
        return;
    const CString measures = HandleMeasures();
    text = m_pTool->m_toolMode == kToolDragHandle && !text.IsEmpty() ? text + "; " + measures : measures;
}

CString CParTrack::HandleMeasures() {
    CString angle;
    angle.Format("; %.2f\xB0", m_pTool->m_status.m_fRotation);
    return LengthText(m_fLength) + angle;
}

void CParTrack::NearestEndPoint(double& x, double& y, const CPose* pose) {
    const CDoublePoint begin = EndWorldPoint(pose, 0);
    const CDoublePoint end = EndWorldPoint(pose, 1);
    const CDoublePoint toBegin = SnapOffset(begin.x, begin.y);
    const CDoublePoint toEnd = SnapOffset(end.x, end.y);
    const bool beginNearer = VectorLength(toBegin.x, toBegin.y) < VectorLength(toEnd.x, toEnd.y);
    x = beginNearer ? toBegin.x : toEnd.x;
    y = beginNearer ? toBegin.y : toEnd.y;
}

void CParTrack::GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) {
    const CDoublePoint begin = EndWorldPoint(pose, 0);
    const CDoublePoint end = EndWorldPoint(pose, 1);
    const bool endNearer = VectorLength(end.x - x, end.y - y) < VectorLength(begin.x - x, begin.y - y);
    vectorX = (endNearer ? end.x : begin.x) - x;
    vectorY = (endNearer ? end.y : begin.y) - y;
}

void CParTrack::WorldBoundsOf(const CPose* pose, const CDoublePoint* points, int count, double& minX,
                              double& minY, double& maxX, double& maxY) const {
    for (int i = 0; i < count; ++i) {
        const CDoublePoint world = LocalToWorldInFrame(FrameOf(pose), points[i].x, points[i].y);
        minX = i == 0 ? world.x : std::min(minX, world.x);
        minY = i == 0 ? world.y : std::min(minY, world.y);
        maxX = i == 0 ? world.x : std::max(maxX, world.x);
        maxY = i == 0 ? world.y : std::max(maxY, world.y);
    }
}

void CParTrack::WorldBoundsOfBox(const CPose* pose, CDoublePoint a, CDoublePoint b, double& minX,
                                 double& minY, double& maxX, double& maxY) const {
    const CDoublePoint corners[4] = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}};
    WorldBoundsOf(pose, corners, 4, minX, minY, maxX, maxY);
}

int CParTrack::RecordOrApply(std::unique_ptr<CEditStep> step, bool record) {
    return ::RecordOrApply(*this, std::move(step), record);
}

double CParTrack::PointDistance(const CDoublePoint& a, const CDoublePoint& b) {
    return VectorLength(a.x - b.x, a.y - b.y);
}

void CParTrack::MirrorPoseAndPoints(double c, double CDoublePoint::*axis) {
    double& placed = axis == &CDoublePoint::x ? m_pose.x : m_pose.y;
    placed = 2.0 * c - placed;
    m_pose.angle = kFullTurn - m_pose.angle;
    for (int i = 1; i < m_points.GetSize(); ++i) m_points[i].*axis = -(m_points[i].*axis);
}

void CParTrack::ExecuteRescale(double factor, CDoublePoint a, CDoublePoint b) {
    if (m_pTool == nullptr)
        return;
    CEditStep step(kStepRescale, this, 0);
    auto payload = std::make_unique<RescalePayload>();
    payload->factor = factor;
    payload->saved = GetSavedPose();
    payload->ax = a.x;
    payload->ay = a.y;
    payload->bx = b.x;
    payload->by = b.y;
    step.SetPayload(std::move(payload));
    m_pTool->Execute(&step);
}
