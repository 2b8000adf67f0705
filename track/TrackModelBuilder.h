#pragma once

#include <memory>
#include <vector>

#include "model/Geometry.h"
#include "platform/base/CString.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Material.h"

class CParTrack;
class CToolHost;

// A cross-section of a track model: a centre-line point in world plan coordinates, the unit
// vector across the track there (the direction of travel turned a quarter anticlockwise) and
// the height of the rails in plan units.
struct TrackSection {
    CDoublePoint centre;
    CDoublePoint across;
    double elevation = 0.0;
};

// Builds the 3D model of one track piece from straight segments between sections: the track
// top between the rails, the roadbed slopes either side, and a tunnel box for the tunnel style.
// Every segment has vertices of its own; the faces follow once all segments are in.
class TrackModelBuilder {
  public:
    // Normalises the piece's elevations and roadbed width and reads the document's settings.
    explicit TrackModelBuilder(CParTrack& piece);
    ~TrackModelBuilder();
    TrackModelBuilder(const TrackModelBuilder&) = delete;
    TrackModelBuilder& operator=(const TrackModelBuilder&) = delete;

    // False while the piece has no document that gives a 3D scale.
    bool HasScale() const { return m_scale > 0.0; }
    // The unit vector across the chord from one point to the next; zero for a zero chord.
    static CDoublePoint AcrossChord(const CDoublePoint& from, const CDoublePoint& to);
    // The unit vector across a track heading the given plan angle.
    static CDoublePoint AcrossHeading(double heading);
    // One segment's vertices; false, adding nothing, when its chord has no length.
    bool AddSegment(const TrackSection& start, const TrackSection& end);
    // Segments along world points whose elevation climbs evenly from the begin to the end
    // elevation by point number; the end sections lie across the given headings, the others
    // across the chord that they end.
    void AddPath(const std::vector<CDoublePoint>& points, double beginElevation, double endElevation,
                 double beginHeading, double endHeading);
    // The model (tag 103) with the faces of every segment; null when no segment was added.
    std::unique_ptr<r3d::Clump> Finish();

  private:
    enum Style { Normal, Bridge, Tunnel, Other };

    // Colour and the ambient, diffuse and highlight factors of one group of faces.
    struct SurfaceLook {
        float red, green, blue;
        float ambient, diffuse, specular;
    };
    static const SurfaceLook kTrackTop, kTrackTopInTunnel, kRoadbed, kRoadbedInTunnel, kTunnelBox;

    r3d::Material MakeSurface(const SurfaceLook& look, CString* texture);
    void AddSectionVertices(const TrackSection& section, int side, float v);
    r3d::Vec3 ToModel(const CDoublePoint& plan, double height) const;
    CDoublePoint Offset(const TrackSection& section, double offset) const;
    double FootHeight(const TrackSection& section) const;
    // The texture's repeats down a roadbed slope: its 3D length in gauges, at most 32.
    float SlopeRepeats(const TrackSection& section, double side) const;
    void AddTunnelVertices(const TrackSection& start, const TrackSection& end, float lengthRepeats);
    void AddBlockFaces(int first);

    CToolHost* m_host = nullptr;
    r3d::ClumpBuilder m_builder;
    double m_scale = 0.0;
    double m_gauge = 0.0;
    double m_roadbedWidth = 0.0;
    double m_roadbedHeight = 0.0;
    Style m_style = Normal;
    r3d::Material m_top;
    r3d::Material m_roadbed;
    r3d::Material m_tunnel;
    int m_blockSize = 12;
    int m_blocks = 0;
};
