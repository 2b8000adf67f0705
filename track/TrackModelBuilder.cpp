#include "track/TrackModelBuilder.h"

#include <algorithm>
#include <cmath>

#include "model/AssetLoaders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "track/CParTrack.h"

namespace {

constexpr int kModelTag = 103;
constexpr int kTrackTopTag = 102;
// A texture repeats at most this often along or across one segment.
constexpr double kMostRepeats = 32.0;
// The tunnel roof stands this many gauges above the rails.
constexpr double kTunnelHeightInGauges = 3.6;
// The tunnel walls stand this far out, in roadbed widths.
constexpr double kTunnelWallOffset = 0.75;
// The plan's origin lies this far from the 3D origin along both axes.
constexpr double kModelOrigin = 8.0;

CToolHost* HostOf(const CParTrack& piece) {
    return piece.m_pTool != nullptr ? piece.m_pTool->m_pHost : nullptr;
}

void NormaliseInputs(CParTrack& piece) {
    piece.m_fBeginElevation = std::max(piece.m_fBeginElevation, 0.0);
    piece.m_fEndElevation = std::max(piece.m_fEndElevation, 0.0);
}

// A roadbed width of 0 stands for the ties' width, else the gauge's; the piece keeps its 0, as
// its properties show it.
double RoadbedWidthOf(const CParTrack& piece) {
    if (piece.m_fRoadbedWidth != 0.0)
        return piece.m_fRoadbedWidth;
    return piece.m_fTieLength != 0.0 ? piece.m_fTieLength : piece.m_fGauge;
}

}  // namespace

const TrackModelBuilder::SurfaceLook TrackModelBuilder::kTrackTop{0.4f, 0.4f, 0.2f, 0.5f, 0.4f, 1.0f};
const TrackModelBuilder::SurfaceLook TrackModelBuilder::kTrackTopInTunnel{0.4f,  0.4f, 0.2f,
                                                                          0.25f, 0.4f, 1.0f};
const TrackModelBuilder::SurfaceLook TrackModelBuilder::kRoadbed{0.2f, 0.2f, 0.2f, 0.4f, 0.4f, 0.0f};
const TrackModelBuilder::SurfaceLook TrackModelBuilder::kRoadbedInTunnel{0.2f, 0.2f, 0.2f, 0.2f, 0.4f, 0.0f};
const TrackModelBuilder::SurfaceLook TrackModelBuilder::kTunnelBox{0.5f, 0.5f, 0.5f, 0.2f, 0.4f, 0.2f};

TrackModelBuilder::TrackModelBuilder(CParTrack& piece) : m_host(HostOf(piece)) {
    NormaliseInputs(piece);
    if (m_host == nullptr)
        return;
    m_host->BeginWaitCursor();
    m_host->Refresh3DSearchFolders();
    m_scale = m_host->Get3DScale();
    m_gauge = piece.m_fGauge;
    m_roadbedWidth = RoadbedWidthOf(piece);
    m_roadbedHeight = piece.m_fRoadbedHeight;
    // A piece cut into terrain is a bridge whatever its own style.
    const int style = piece.m_cutTerrain.empty() ? piece.m_nStyle : Bridge;
    m_style = style >= Normal && style <= Tunnel ? static_cast<Style>(style) : Other;
    m_blockSize = m_style == Tunnel ? 20 : 12;
    m_builder.SetTag(kModelTag);
    // Track seldom changes, so the 3D view draws all of it in a few shared meshes.
    m_builder.SetBatched(true);
    m_top = MakeSurface(m_style == Tunnel ? kTrackTopInTunnel : kTrackTop, &piece.m_strTrackTexture);
    m_roadbed = MakeSurface(m_style == Tunnel ? kRoadbedInTunnel : kRoadbed, &piece.m_strRoadbedTexture);
    if (m_style == Tunnel)
        m_tunnel = MakeSurface(kTunnelBox, piece.m_bTunnelUsesTexture ? &piece.m_strTunnelTexture : nullptr);
}

TrackModelBuilder::~TrackModelBuilder() {
    if (m_host != nullptr)
        m_host->EndWaitCursor();
}

r3d::Material TrackModelBuilder::MakeSurface(const SurfaceLook& look, CString* texture) {
    m_builder.PushSurface();
    m_builder.SetDrawStyle(m_host->Get3DDrawStyle() == 2 ? r3d::DrawStyle::Wireframe : r3d::DrawStyle::Solid);
    m_builder.SetOpacity(1.0f);
    m_builder.SetColor(look.red, look.green, look.blue);
    m_builder.SetSurfaceFactors(look.ambient, look.diffuse, look.specular);
    if (texture != nullptr)
        LoadTexture(*texture, m_builder, TRUE);
    else
        m_builder.SetTexture(nullptr);
    r3d::Material surface = m_builder.Surface();
    m_builder.PopSurface();
    return surface;
}

CDoublePoint TrackModelBuilder::AcrossChord(const CDoublePoint& from, const CDoublePoint& to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return {};
    return {-dy / length, dx / length};
}

CDoublePoint TrackModelBuilder::AcrossHeading(double heading) {
    return {-std::sin(heading), std::cos(heading)};
}

void TrackModelBuilder::AddPath(const std::vector<CDoublePoint>& points, double beginElevation,
                                double endElevation, double beginHeading, double endHeading) {
    if (points.size() < 2)
        return;
    const std::size_t last = points.size() - 1;
    const double climb = (endElevation - beginElevation) / static_cast<double>(last);
    TrackSection start{points[0], AcrossHeading(beginHeading), beginElevation};
    for (std::size_t i = 1; i <= last; ++i) {
        const CDoublePoint across =
            i == last ? AcrossHeading(endHeading) : AcrossChord(points[i - 1], points[i]);
        const TrackSection end{points[i], across, beginElevation + climb * static_cast<double>(i)};
        if (AddSegment(start, end))
            start = end;
    }
}

r3d::Vec3 TrackModelBuilder::ToModel(const CDoublePoint& plan, double height) const {
    return {static_cast<float>(plan.x / m_scale - kModelOrigin), static_cast<float>(height),
            static_cast<float>(-plan.y / m_scale - kModelOrigin)};
}

CDoublePoint TrackModelBuilder::Offset(const TrackSection& section, double offset) const {
    return {section.centre.x + offset * section.across.x, section.centre.y + offset * section.across.y};
}

double TrackModelBuilder::FootHeight(const TrackSection& section) const {
    if (m_style == Bridge || m_style == Tunnel)
        return (section.elevation - m_roadbedHeight) / m_scale;
    return 0.0;
}

float TrackModelBuilder::SlopeRepeats(const TrackSection& section, double side) const {
    const r3d::Vec3 rail = ToModel(Offset(section, side * m_gauge / 2.0), section.elevation / m_scale);
    const r3d::Vec3 foot = ToModel(Offset(section, side * m_roadbedWidth / 2.0), FootHeight(section));
    const double dx = rail.x - foot.x, dy = rail.y - foot.y, dz = rail.z - foot.z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    return static_cast<float>(std::min(length / (m_gauge / m_scale), kMostRepeats));
}

bool TrackModelBuilder::AddSegment(const TrackSection& start, const TrackSection& end) {
    const double chord = std::hypot(end.centre.x - start.centre.x, end.centre.y - start.centre.y);
    if (chord == 0.0 || !HasScale())
        return false;
    const float repeats = static_cast<float>(std::min(chord / m_gauge, kMostRepeats));
    const double halfGauge = m_gauge / 2.0;
    auto rail = [&](const TrackSection& section, double side) {
        return ToModel(Offset(section, side * halfGauge), section.elevation / m_scale);
    };
    auto foot = [&](const TrackSection& section, double side) {
        return ToModel(Offset(section, side * m_roadbedWidth / 2.0), FootHeight(section));
    };
    // Track top.
    m_builder.AddVertex(rail(start, -1.0), 0.0f, 0.0f);
    m_builder.AddVertex(rail(start, 1.0), 1.0f, 0.0f);
    m_builder.AddVertex(rail(end, 1.0), 1.0f, repeats);
    m_builder.AddVertex(rail(end, -1.0), 0.0f, repeats);
    // Right slope.
    m_builder.AddVertex(foot(start, -1.0), 0.0f, 0.0f);
    m_builder.AddVertex(rail(start, -1.0), SlopeRepeats(start, -1.0), 0.0f);
    m_builder.AddVertex(rail(end, -1.0), SlopeRepeats(end, -1.0), repeats);
    m_builder.AddVertex(foot(end, -1.0), 0.0f, repeats);
    // Left slope.
    m_builder.AddVertex(rail(start, 1.0), 0.0f, 0.0f);
    m_builder.AddVertex(foot(start, 1.0), SlopeRepeats(start, 1.0), 0.0f);
    m_builder.AddVertex(foot(end, 1.0), SlopeRepeats(end, 1.0), repeats);
    m_builder.AddVertex(rail(end, 1.0), 0.0f, repeats);
    if (m_style == Tunnel)
        AddTunnelVertices(start, end, repeats);
    ++m_blocks;
    return true;
}

void TrackModelBuilder::AddTunnelVertices(const TrackSection& start, const TrackSection& end, float repeats) {
    const double wall = kTunnelWallOffset * m_roadbedWidth;
    const double roof = (kTunnelHeightInGauges * m_gauge + m_roadbedHeight) / m_scale;
    auto at = [&](const TrackSection& section, double side, double above) {
        return ToModel(Offset(section, side * wall), FootHeight(section) + above);
    };
    m_builder.AddVertex(at(start, -1.0, 0.0), 0.0f, 0.0f);
    m_builder.AddVertex(at(end, -1.0, 0.0), repeats, 0.0f);
    m_builder.AddVertex(at(end, -1.0, roof), repeats, 4.0f);
    m_builder.AddVertex(at(start, -1.0, roof), 0.0f, 4.0f);
    m_builder.AddVertex(at(end, 1.0, roof), repeats, 0.0f);
    m_builder.AddVertex(at(start, 1.0, roof), 0.0f, 0.0f);
    m_builder.AddVertex(at(start, 1.0, 0.0), 0.0f, 4.0f);
    m_builder.AddVertex(at(end, 1.0, 0.0), repeats, 4.0f);
}

void TrackModelBuilder::AddBlockFaces(int k) {
    m_builder.SetSurface(m_top);
    m_builder.AddQuad(k + 4, k + 3, k + 2, k + 1, kTrackTopTag);
    m_builder.SetSurface(m_roadbed);
    m_builder.AddQuad(k + 8, k + 7, k + 6, k + 5);
    m_builder.AddQuad(k + 12, k + 11, k + 10, k + 9);
    if (m_style != Tunnel)
        return;
    m_builder.SetSurface(m_tunnel);
    m_builder.AddQuad(k + 5, k + 13, k + 14, k + 8);
    m_builder.AddQuad(k + 13, k + 16, k + 15, k + 14);
    m_builder.AddQuad(k + 16, k + 18, k + 17, k + 15);
    m_builder.AddQuad(k + 19, k + 10, k + 11, k + 20);
    m_builder.AddQuad(k + 18, k + 19, k + 20, k + 17);
}

std::unique_ptr<r3d::Clump> TrackModelBuilder::Finish() {
    if (m_blocks == 0)
        return nullptr;
    for (int block = 0; block < m_blocks; ++block) AddBlockFaces(block * m_blockSize);
    return m_builder.Finish();
}
