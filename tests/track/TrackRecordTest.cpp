#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CArchiveException.h"
#include "platform/base/CMemFile.h"
#include "tests/track/TrackPlan.h"

namespace {

using Bytes = std::vector<BYTE>;

// The record of a piece as the layout file holds it, built by hand.
struct Record {
    Record& Int(int value) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        bytes.insert(bytes.end(), p, p + 4);
        return *this;
    }
    Record& Double(double value) {
        const BYTE* p = reinterpret_cast<const BYTE*>(&value);
        bytes.insert(bytes.end(), p, p + 8);
        return *this;
    }
    Record& Text(const std::string& text) {
        bytes.push_back(static_cast<BYTE>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    Bytes bytes;
};

// The track part of a file of the given version for a piece with distinct values.
Bytes TrackPart(int version, double length = 1000.0) {
    Record r;
    if (version >= 16)
        r.Int(3);
    if (version >= 15)
        r.Int(2);
    r.Double(165.0).Double(269.874).Double(110.0).Double(330.0).Double(41.25);
    r.Int(1).Int(0).Int(3).Int(0x800000).Int(0x3F3A70);
    r.Double(330.0).Int(1).Int(0).Double(10.0).Double(20.0);
    r.Double(0.0).Double(0.0).Double(1000.0).Double(0.0);
    r.Double(120.0).Double(0.0).Double(0.0).Double(0.0);
    r.Text("agragate.bmp").Text("track1.bmp").Int(2).Double(length);
    if (version >= 8)
        r.Double(400.0).Double(900.0).Text(version >= 12 ? "Ballast Gray.bmp" : "old.bmp");
    if (version >= 12)
        r.Int(1).Text("Ballast Gray.bmp");
    return r.bytes;
}

// The common part every layout object's record begins with, carrying that many points.
Bytes CommonPart(int points) {
    CPaint paint;
    paint.m_points.SetSize(points);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    paint.Serialize(ar);
    ar.Close();
    return file.Detach();
}

Bytes Straight(int version, int points = CTrack::kPointCount, double length = 1000.0) {
    Bytes bytes = CommonPart(points);
    const Bytes track = TrackPart(version, length);
    bytes.insert(bytes.end(), track.begin(), track.end());
    Record own;
    own.Double(0.0).Double(0.0).Double(1000.0).Double(0.0);
    bytes.insert(bytes.end(), own.bytes.begin(), own.bytes.end());
    return bytes;
}

template <class Piece>
Bytes Store(Piece& piece) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    piece.Serialize(ar);
    ar.Close();
    return file.Detach();
}

template <class Piece>
void Load(Piece& piece, const Bytes& bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    piece.Serialize(ar);
    EXPECT_EQ(ar.BytesRemaining(), 0u);
}

}  // namespace

TEST(TrackRecord, EveryVersionGateReadsItsFieldsAndStoresTheFullRecord) {
    for (int version : {7, 8, 11, 12, 14, 15, 16, 17}) {
        SCOPED_TRACE(version);
        TrackPlan plan;
        plan.host.m_nFileVersion = version;
        CTrack piece;
        piece.SetTool(&plan.tool);
        Load(piece, Straight(version));
        EXPECT_EQ(piece.m_nTieLineWidth, version >= 16 ? 3 : 1);
        EXPECT_EQ(piece.m_nRailLineWidth, version >= 15 ? 2 : 1);
        EXPECT_DOUBLE_EQ(piece.m_fGauge, 165.0);
        EXPECT_DOUBLE_EQ(piece.m_fCutDistance, 165.0);
        EXPECT_EQ(piece.m_nRailMode, 3);
        EXPECT_EQ(piece.m_crRail, 0x800000u);
        EXPECT_EQ(piece.m_bBeginConnected, 1);
        EXPECT_DOUBLE_EQ(piece.m_fEndElevation, 20.0);
        EXPECT_EQ(piece.m_ptBeginMarker, (CDoublePoint{120.0, 0.0}));
        EXPECT_EQ(piece.m_nStyle, 2);
        EXPECT_EQ(piece.m_ptSecond, (CDoublePoint{1000.0, 0.0}));
        EXPECT_DOUBLE_EQ(piece.m_fTunnelWidth, version >= 8 ? 400.0 : 330.0);
        EXPECT_DOUBLE_EQ(piece.m_fTunnelHeight, version >= 8 ? 900.0 : 742.5);
        EXPECT_EQ(piece.m_strTunnelTexture, version >= 12  ? "Ballast Gray.bmp"
                                            : version >= 8 ? "old.bmp"
                                                           : "Ballast Gray.bmp");
        EXPECT_EQ(piece.m_bTunnelUsesTexture, version >= 12 ? 1 : 0);
        EXPECT_EQ(piece.m_points.GetSize(), CTrack::kPointCount);
        // Saving always writes today's full record.
        plan.host.m_nFileVersion = 17;
        piece.m_strTunnelTexture = "Ballast Gray.bmp";
        piece.m_nTieLineWidth = 3;
        piece.m_nRailLineWidth = 2;
        piece.m_fTunnelWidth = 400.0;
        piece.m_fTunnelHeight = 900.0;
        piece.m_bTunnelUsesTexture = 1;
        EXPECT_EQ(Store(piece), Straight(17));
        piece.SetTool(nullptr);
    }
}

TEST(TrackRecord, DefaultTrackAndCurveRoundTrip) {
    TrackPlan plan;
    const Bytes stored = Store(*plan.defaults);
    CParTrack read;
    read.SetTool(&plan.tool);
    Load(read, stored);
    EXPECT_EQ(Store(read), stored);
    EXPECT_DOUBLE_EQ(read.m_fTieSpacing, plan.defaults->m_fTieSpacing);
    read.SetTool(nullptr);

    CCircTrack* curve = plan.Curve(100.0, 200.0, 2000.0, 0.5, 1.25);
    Bytes curveBytes = Store(*curve);
    Record own;
    own.Double(100.0).Double(200.0).Double(2000.0).Double(1.25).Double(0.5);
    ASSERT_GE(curveBytes.size(), own.bytes.size());
    EXPECT_TRUE(std::equal(own.bytes.begin(), own.bytes.end(), curveBytes.end() - 40));
    CCircTrack back;
    back.SetTool(&plan.tool);
    Load(back, curveBytes);
    EXPECT_DOUBLE_EQ(back.m_fRadius, 2000.0);
    EXPECT_DOUBLE_EQ(back.m_fSweep, 1.25);
    EXPECT_DOUBLE_EQ(back.m_fStartAngle, 0.5);
    EXPECT_EQ(Store(back), curveBytes);
    back.SetTool(nullptr);
}

// The circular and elliptic pieces keep their class records directly beneath the track
// base, under the names and schema the files carry, and a fresh piece its own sweep.
TEST(TrackRecord, ArcPiecesKeepTheirClassRecordsAndFreshSweeps) {
    for (const CRuntimeClass* record : {RUNTIME_CLASS(CCircTrack), RUNTIME_CLASS(CArcTrack)}) {
        EXPECT_EQ(record->m_pBaseClass, RUNTIME_CLASS(CParTrack));
        EXPECT_EQ(record->m_wSchema, 3u);
        EXPECT_EQ(CRuntimeClass::FromName(record->m_lpszClassName), record);
    }
    EXPECT_STREQ(RUNTIME_CLASS(CCircTrack)->m_lpszClassName, "CCircTrack");
    EXPECT_STREQ(RUNTIME_CLASS(CArcTrack)->m_lpszClassName, "CArcTrack");
    const CCircTrack circle;
    const CArcTrack arc;
    EXPECT_EQ(circle.m_fSweep, 0.0);
    EXPECT_EQ(arc.m_fSweep, 3.1415926535 * 0.5);
    EXPECT_EQ(circle.m_fStartAngle, 3.1415926535 * 1.5);
    EXPECT_EQ(arc.m_fStartAngle, 3.1415926535 * 1.5);
}

// Reading keeps the seven points a curve has, however many stray ones the file holds, so a file
// read and saved again saves the same bytes.
TEST(TrackRecord, StoringACurveLeavesItsPointsAndReadingTrimsTheStrayOnes) {
    TrackPlan plan;
    CCircTrack* curve = plan.Curve(0.0, 0.0, 2000.0, 0.0, 1.0);
    curve->m_points.Add(5.0, 5.0);
    curve->m_points.Add(6.0, 6.0);
    const Bytes bytes = Store(*curve);
    EXPECT_EQ(curve->m_points.GetSize(), 9);
    EXPECT_EQ(Store(*curve), bytes);  // storing twice writes the same and changes nothing
    CCircTrack read;
    read.SetTool(&plan.tool);
    read.m_points.Copy(curve->m_points);  // as the object part of the record brings them
    Load(read, bytes);
    EXPECT_EQ(read.m_points.GetSize(), 7);
    EXPECT_EQ(read.m_points[6], curve->m_points[6]);
    read.SetTool(nullptr);
}

TEST(TrackRecord, ShortRecordsFailAndMissingOutlinesAreRebuilt) {
    TrackPlan plan;
    CTrack outline;
    outline.SetTool(&plan.tool);
    Load(outline, Straight(17, 0));
    EXPECT_EQ(outline.m_points.GetSize(), CTrack::kPointCount);
    EXPECT_DOUBLE_EQ(outline.m_points[3].x, 1000.0);
    EXPECT_DOUBLE_EQ(outline.m_points[3].y, 165.0);
    outline.SetTool(nullptr);
    Bytes bytes = Straight(17);
    bytes.erase(bytes.end() - 3, bytes.end());
    CTrack piece;
    piece.SetTool(&plan.tool);
    EXPECT_ANY_THROW(Load(piece, bytes));
    piece.SetTool(nullptr);
}

namespace {

Bytes Piece(int version, int points, std::initializer_list<double> own) {
    Bytes bytes = CommonPart(points);
    const Bytes track = TrackPart(version);
    bytes.insert(bytes.end(), track.begin(), track.end());
    Record tail;
    for (double value : own) tail.Double(value);
    bytes.insert(bytes.end(), tail.bytes.begin(), tail.bytes.end());
    return bytes;
}

}  // namespace

TEST(TrackRecord, ArcAndSplineRecordsReadAtEveryGateAndRoundTrip) {
    for (int version : {7, 8, 11, 12, 14, 15, 16, 17}) {
        SCOPED_TRACE(version);
        TrackPlan plan;
        plan.host.m_nFileVersion = version;
        CArcTrack arc;
        arc.SetTool(&plan.tool);
        // Centre, radii, then the sweep before the start.
        Load(arc, Piece(version, CArcTrack::kPointCount, {10.0, 20.0, 1000.0, 500.0, 1.5, 0.25}));
        EXPECT_EQ(arc.m_ptCentre, (CDoublePoint{10.0, 20.0}));
        EXPECT_DOUBLE_EQ(arc.m_fRadiusY, 500.0);
        EXPECT_DOUBLE_EQ(arc.m_fSweep, 1.5);
        EXPECT_DOUBLE_EQ(arc.m_fStartAngle, 0.25);
        EXPECT_EQ(arc.m_nTieLineWidth, version >= 16 ? 3 : 1);
        CSplineTrack spline;
        spline.SetTool(&plan.tool);
        Load(spline, Piece(version, 9, {-1.0, 2.0, 3.0, -4.0}));
        EXPECT_DOUBLE_EQ(spline.m_fBoundsMinX, -1.0);
        EXPECT_DOUBLE_EQ(spline.m_fBoundsMaxY, 2.0);
        EXPECT_DOUBLE_EQ(spline.m_fBoundsMaxX, 3.0);
        EXPECT_DOUBLE_EQ(spline.m_fBoundsMinY, -4.0);
        EXPECT_DOUBLE_EQ(spline.m_fTunnelWidth, version >= 8 ? 400.0 : 330.0);
        arc.SetTool(nullptr);
        spline.SetTool(nullptr);
    }
    TrackPlan plan;
    CArcTrack* arc = plan.Oval(100.0, 200.0, 2000.0, 700.0, 0.5, 1.25);
    const Bytes arcBytes = Store(*arc);
    Record own;
    own.Double(100.0).Double(200.0).Double(2000.0).Double(700.0).Double(1.25).Double(0.5);
    EXPECT_TRUE(std::equal(own.bytes.begin(), own.bytes.end(), arcBytes.end() - 48));
    CArcTrack arcBack;
    arcBack.SetTool(&plan.tool);
    Load(arcBack, arcBytes);
    EXPECT_EQ(Store(arcBack), arcBytes);
    arcBack.SetTool(nullptr);

    CSplineTrack* spline =
        plan.Spline({{0, 0}, {100, 300}, {200, 300}, {300, 0}, {400, -300}, {500, 0}, {600, 50}});
    spline->MirrorX(0.0);  // bounds and frame no longer the same box
    const Bytes splineBytes = Store(*spline);
    CSplineTrack splineBack;
    splineBack.SetTool(&plan.tool);
    Load(splineBack, splineBytes);
    EXPECT_EQ(Store(splineBack), splineBytes);
    EXPECT_EQ(splineBack.m_points.GetSize(), 12);
    EXPECT_NEAR(splineBack.m_fLength, spline->m_fLength, 1e-9);
    splineBack.SetTool(nullptr);
}

TEST(TrackRecord, HostileArcAndSplineRecordsAreRefused) {
    TrackPlan plan;
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    for (int points : {7, 8, 10, 13}) {
        SCOPED_TRACE(points);
        CSplineTrack spline;
        spline.SetTool(&plan.tool);
        EXPECT_ANY_THROW(Load(spline, Piece(17, points, {0.0, 0.0, 0.0, 0.0})));
        spline.SetTool(nullptr);
    }
    // A piece short of control points starts again with the points of a new piece.
    for (int points : {0, 5, 6, 9, 12}) {
        CSplineTrack spline;
        spline.SetTool(&plan.tool);
        EXPECT_NO_THROW(Load(spline, Piece(17, points, {0.0, 0.0, 0.0, 0.0})));
        EXPECT_EQ(spline.m_points.GetSize(), std::max(points, 6));
        spline.SetTool(nullptr);
    }
    CSplineTrack infinite;
    infinite.SetTool(&plan.tool);
    EXPECT_ANY_THROW(Load(infinite, Piece(17, 9, {0.0, inf, 0.0, 0.0})));
    infinite.SetTool(nullptr);
    for (int field = 0; field < 6; ++field) {
        SCOPED_TRACE(field);
        double values[6] = {0.0, 0.0, 1000.0, 500.0, 1.0, 0.0};
        values[field] = field % 2 == 0 ? nan : -inf;
        CArcTrack arc;
        arc.SetTool(&plan.tool);
        EXPECT_ANY_THROW(
            Load(arc, Piece(17, 7, {values[0], values[1], values[2], values[3], values[4], values[5]})));
        arc.SetTool(nullptr);
    }
    // Out of range is read as it is, then drawn as nothing and reported invalid.
    CArcTrack wide;
    wide.SetTool(&plan.tool);
    Load(wide, Piece(17, 7, {0.0, 0.0, 1000.0, 500.0, 9.0, -1.0}));
    EXPECT_DOUBLE_EQ(wide.m_fSweep, 9.0);
    EXPECT_EQ(wide.IsInvalid(0), 1);
    wide.SetTool(nullptr);
}

TEST(TrackRecord, ALengthBelowZeroOrNotFiniteIsMeasuredAgainInEveryVersion) {
    for (int version : {7, 14, 17}) {
        SCOPED_TRACE(version);
        TrackPlan plan;
        plan.host.m_nFileVersion = version;
        for (const double length : {-5e301, -1e-9, std::nan(""), HUGE_VAL, -HUGE_VAL, 0.0, 1e9}) {
            SCOPED_TRACE(length);
            CTrack piece;
            piece.SetTool(&plan.tool);
            EXPECT_NO_THROW(Load(piece, Straight(version, CTrack::kPointCount, length)));
            // The piece runs from (0, 0) to (1000, 0).
            EXPECT_EQ(piece.m_fLength, length >= 0.0 && std::isfinite(length) ? length : 1000.0);
            piece.SetTool(nullptr);
        }
        // The default track has no shape: its length is none.
        Bytes defaults = CommonPart(0);
        const Bytes track = TrackPart(version, std::nan(""));
        defaults.insert(defaults.end(), track.begin(), track.end());
        CParTrack piece;
        piece.SetTool(&plan.tool);
        EXPECT_NO_THROW(Load(piece, defaults));
        EXPECT_EQ(piece.m_fLength, 0.0);
        piece.SetTool(nullptr);
    }
}

// A curve rebuilt from what a file gives keeps a length the file can hold again: its measure
// turned the right way, or nothing when the measure runs beyond any number.
TEST(TrackRecord, ACurveRebuiltFromItsRecordKeepsALengthItsFileReadsBack) {
    TrackPlan plan;
    const struct {
        double radius, sweep, length;
    } cases[] = {
        {2000.0, 1.25, 2500.0}, {2000.0, -1.25, 2500.0}, {1e300, 1e10, 0.0}, {1e300, std::nan(""), 0.0}};
    for (const auto& given : cases) {
        SCOPED_TRACE(given.sweep);
        CCircTrack curve;
        curve.SetTool(&plan.tool);
        Load(curve, Piece(17, 0, {0.0, 0.0, given.radius, given.sweep, 0.5}));
        EXPECT_EQ(curve.m_fLength, given.length);
        CCircTrack back;
        back.SetTool(&plan.tool);
        EXPECT_NO_THROW(Load(back, Store(curve)));
        EXPECT_EQ(back.m_fLength, given.length);
        back.SetTool(nullptr);
        curve.SetTool(nullptr);
    }
}

// A sampled piece keeps a stored length that a measure of its shape could give, so the file
// saves the bytes it was read from; one further off is measured again and named to the reader.
TEST(TrackRecord, ASampledLengthItsShapeCannotGiveIsMeasuredAgainAndNamed) {
    TrackPlan plan;
    CArcTrack* arc = plan.Oval(0.0, 0.0, 4000.0, 2000.0, 0.5, 3.0);
    CSplineTrack* spline = plan.Spline({{0, 0}, {1000, 3000}, {2000, 3000}, {3000, 0}});
    arc->m_strName = "arc";
    spline->m_strName = "spline";
    const auto read = [&plan](CParTrack& piece) {
        std::unique_ptr<CParTrack> back(static_cast<CParTrack*>(piece.GetRuntimeClass()->CreateObject()));
        back->SetTool(&plan.tool);
        Load(*back, Store(piece));
        back->SetTool(nullptr);
        return back;
    };
    for (CParTrack* piece : std::initializer_list<CParTrack*>{arc, spline}) {
        SCOPED_TRACE(piece->m_strName.c_str());
        const double measured = piece->m_fLength;
        ASSERT_GT(measured, 5000.0);
        for (const double stored : {measured * 1.009, measured * 0.991, measured * 1.02, 5.0}) {
            SCOPED_TRACE(stored);
            plan.host.m_mended.clear();
            piece->m_fLength = stored;
            const bool kept = std::fabs(stored - measured) < measured * 0.01;
            EXPECT_EQ(read(*piece)->m_fLength, kept ? stored : measured);
            EXPECT_EQ(plan.host.m_mended.size(), kept ? 0u : 1u);
        }
        EXPECT_EQ(plan.host.m_mended.back(),
                  "Track \"" + piece->m_strName + "\": length measured again from its shape");
        piece->m_fLength = measured;
    }
    // Mirrored, the arc's degrees fall elsewhere; moved, the spline's samples fall elsewhere on
    // the grid. Neither measures its length again, and each reads back as it was saved.
    arc->MirrorX(100.0);
    spline->m_pose = CPose(0.5, 0.25, 0.3);
    plan.host.m_mended.clear();
    for (CParTrack* piece : std::initializer_list<CParTrack*>{arc, spline}) {
        const double stored = piece->m_fLength;
        piece->RecomputeLength();
        EXPECT_NE(piece->m_fLength, stored);
        piece->m_fLength = stored;
        EXPECT_EQ(Store(*read(*piece)), Store(*piece));
    }
    EXPECT_TRUE(plan.host.m_mended.empty());
}

// A tie spacing far below any tie's, which only a file gives, reads as the shortest length a
// piece takes; a track's own spacing, or none, reads as stored.
TEST(TrackRecord, ATieSpacingReadIsAtLeastTheShortestLength) {
    TrackPlan plan;
    for (const auto& [stored, read] :
         {std::pair{2e-311, 10.0}, {0.5, 10.0}, {110.0, 110.0}, {0.0, 0.0}, {-5.0, -5.0}}) {
        SCOPED_TRACE(stored);
        CTrack piece, again;
        piece.SetTool(&plan.tool);
        again.SetTool(&plan.tool);
        Load(piece, Straight(17));
        piece.m_fTieSpacing = stored;
        Load(again, Store(piece));
        EXPECT_EQ(again.m_fTieSpacing, read);
        piece.SetTool(nullptr);
        again.SetTool(nullptr);
    }
}

// A curve a file holds with no radius reads with the radius its drawing gives it, so a drawing
// after the read changes no stored byte.
TEST(TrackRecord, ACurveWithoutARadiusReadsAsItsDrawingTakesIt) {
    TrackPlan plan;
    CCircTrack* curve = plan.Curve(0.0, 0.0, 2000.0, 0.0, 1.0);
    curve->m_fRadius = 0.0;
    CCircTrack read;
    read.SetTool(&plan.tool);
    Load(read, Store(*curve));
    EXPECT_EQ(read.m_fRadius, 1.0);
    const Bytes stored = Store(read);
    CPointArray line;
    read.AppendCentreLine(line, 0);
    read.RebuildShape();
    EXPECT_EQ(Store(read), stored);
    read.SetTool(nullptr);
}
