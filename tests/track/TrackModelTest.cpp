#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "tests/support/TestFolder.h"
#include "tests/track/TrackPlan.h"

namespace {

constexpr std::uint32_t kTrackColour = 0x804020;
constexpr std::uint32_t kStoneColour = 0x606060;

void WriteBitmap(const std::filesystem::path& path, std::uint32_t colour) {
    const PixelSurface picture(2, 2, colour);
    const std::vector<BYTE> bytes = EncodeBmpFile(picture, 24);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The colour of a face's texture, or -1 without one.
long TextureColour(const r3d::Polygon& face) {
    if (face.material.texture == nullptr)
        return -1;
    const r3d::Raster::Rgb pixel = face.material.texture->Image().Pixel(0, 0);
    return (pixel.r << 16) | (pixel.g << 8) | pixel.b;
}

void ExpectVertex(const r3d::Vertex& vertex, float x, float y, float z, float u, float v) {
    EXPECT_NEAR(vertex.position.x, x, 1e-4);
    EXPECT_NEAR(vertex.position.y, y, 1e-4);
    EXPECT_NEAR(vertex.position.z, z, 1e-4);
    EXPECT_NEAR(vertex.u, u, 1e-4);
    EXPECT_NEAR(vertex.v, v, 1e-4);
}

// A plan with a 3D scale of 100 plan units per 3D unit and the two default track textures.
class TrackModel : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(m_folder / "TEXTURES");
        WriteBitmap(m_folder / "TEXTURES" / "track1.bmp", kTrackColour);
        WriteBitmap(m_folder / "TEXTURES" / "agragate.bmp", kStoneColour);
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousProfile = CProfile::Program().GetPath();
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
        r3d::AssetLibrary::Instance().ForgetTextures();
        m_plan.host.m_f3DScale = 100.0;
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        CProfile::Program().SetPath(m_previousProfile);
        r3d::AssetLibrary::Instance().ForgetTextures();
    }
    // The sizes of the done-when model: g = 165, W = 300, H = 50, both ends at 100.
    static void Size(CParTrack& piece) {
        piece.m_fGauge = 165.0;
        piece.m_fRoadbedWidth = 300.0;
        piece.m_fRoadbedHeight = 50.0;
        piece.m_fBeginElevation = 100.0;
        piece.m_fEndElevation = 100.0;
        piece.m_strTrackTexture = "track1.bmp";
        piece.m_strRoadbedTexture = "agragate.bmp";
    }

    HeadlessHost m_host;
    TestFolder m_folder;
    CString m_previousBase;
    std::filesystem::path m_previousProfile;
    TrackPlan m_plan;
};

}  // namespace

TEST_F(TrackModel, AStraightIsOneBlockOfTwelveVerticesAndThreeFaces) {
    CTrack* piece = m_plan.Straight(0.0, 0.0, 1000.0, 0.0);
    Size(*piece);
    std::unique_ptr<r3d::Clump> model = piece->Build3D(nullptr);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Tag(), 103);
    const std::vector<r3d::Vertex>& vertices = model->Vertices();
    ASSERT_EQ(vertices.size(), 12u);
    ExpectVertex(vertices[0], -8.0f, 1.0f, -7.175f, 0.0f, 0.0f);
    ExpectVertex(vertices[2], 2.0f, 1.0f, -8.825f, 1.0f, 6.0606f);
    // Normal style: the feet stand on the ground, W/2 out.
    ExpectVertex(vertices[4], -8.0f, 0.0f, -6.5f, 0.0f, 0.0f);
    const float slope = static_cast<float>(std::hypot(0.675, 1.0) / 1.65);
    EXPECT_NEAR(vertices[5].u, slope, 1e-4);
    ASSERT_EQ(model->Polygons().size(), 3u);
    const r3d::Polygon& top = model->Polygons()[0];
    EXPECT_EQ(top.vertices, (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(top.tag, 102);
    EXPECT_EQ(TextureColour(top), static_cast<long>(kTrackColour));
    EXPECT_NEAR(top.material.red, 0.4f, 1e-6);
    EXPECT_NEAR(top.material.specular, 1.0f, 1e-6);
    EXPECT_EQ(model->Polygons()[1].vertices, (std::vector<int>{8, 7, 6, 5}));
    EXPECT_EQ(model->Polygons()[2].vertices, (std::vector<int>{12, 11, 10, 9}));
    for (int i : {1, 2}) {
        EXPECT_EQ(TextureColour(model->Polygons()[i]), static_cast<long>(kStoneColour));
        EXPECT_EQ(model->Polygons()[i].tag, 0);
    }
    EXPECT_EQ(piece->m_strTrackTexture, CWinPath::FromReal(m_folder / "TEXTURES" / "track1.bmp"));
    EXPECT_TRUE(m_host.MessageBoxes().empty());

    // Equal ends: no model.
    CTrack* point = m_plan.Straight(50.0, 50.0, 50.0, 50.0);
    Size(*point);
    EXPECT_EQ(point->Build3D(nullptr), nullptr);
}

TEST_F(TrackModel, StylesTexturesAndNormalisedInputs) {
    CTrack* piece = m_plan.Straight(0.0, 0.0, 10000.0, 0.0);
    Size(*piece);
    piece->m_fBeginElevation = -5.0;
    piece->m_fRoadbedWidth = 0.0;
    piece->m_fTieLength = 270.0;
    piece->m_nStyle = 2;
    piece->m_strTrackTexture = "missing.bmp";
    std::unique_ptr<r3d::Clump> tunnel = piece->Build3D(nullptr);
    ASSERT_NE(tunnel, nullptr);
    EXPECT_EQ(piece->m_fBeginElevation, 0.0);
    // A roadbed width of 0 is built as wide as the ties and kept as 0.
    EXPECT_EQ(piece->m_fRoadbedWidth, 0.0);
    ASSERT_EQ(tunnel->Vertices().size(), 20u);
    ASSERT_EQ(tunnel->Polygons().size(), 8u);
    // The texture repeats at most 32 times along a segment.
    EXPECT_NEAR(tunnel->Vertices()[2].v, 32.0f, 1e-4);
    // Tunnel: the wall 0.75 W out, the roof 3.6 g above the rails over the foot H below them.
    ExpectVertex(tunnel->Vertices()[12], -8.0f, -0.5f, -8.0f + 2.025f, 0.0f, 0.0f);
    EXPECT_NEAR(tunnel->Vertices()[15].position.y, -0.5f + (3.6f * 165.0f + 50.0f) / 100.0f, 1e-4);
    EXPECT_EQ(TextureColour(tunnel->Polygons()[0]), -1);
    EXPECT_NEAR(tunnel->Polygons()[0].material.ambient, 0.25f, 1e-6);
    ASSERT_EQ(m_host.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.MessageBoxes()[0].text, "Could not open texture file missing.bmp");

    // Cut into terrain: a bridge, whose feet stand H below the rails.
    CTrack* bridge = m_plan.Straight(0.0, 0.0, 1000.0, 0.0);
    Size(*bridge);
    bridge->m_cutTerrain.push_back(piece);
    std::unique_ptr<r3d::Clump> model = bridge->Build3D(nullptr);
    ASSERT_EQ(model->Vertices().size(), 12u);
    EXPECT_NEAR(model->Vertices()[4].position.y, 0.5f, 1e-6);
    m_plan.host.m_n3DDrawStyle = 2;
    EXPECT_EQ(bridge->Build3D(nullptr)->Polygons()[0].material.style, r3d::DrawStyle::Wireframe);

    // Without a 3D scale there is nothing to build.
    m_plan.host.m_f3DScale = 0.0;
    EXPECT_EQ(bridge->Build3D(nullptr), nullptr);
}

TEST_F(TrackModel, ACurveIsCutIntoFiveDegreeSegments) {
    const double degree = 3.1415926535 / 180.0;
    CCircTrack* curve = m_plan.Curve(0.0, 0.0, 2000.0, 0.0, 92.0 * degree);
    Size(*curve);
    curve->m_fEndElevation = 300.0;
    std::unique_ptr<r3d::Clump> model = curve->Build3D(nullptr);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Tag(), 103);
    ASSERT_EQ(model->Vertices().size(), 228u);
    ASSERT_EQ(model->Polygons().size(), 57u);
    EXPECT_EQ(model->Polygons()[54].vertices, (std::vector<int>{220, 219, 218, 217}));
    // The first section lies along the radius at the begin elevation, the last at the end one.
    const r3d::Vertex& first = model->Vertices()[0];
    EXPECT_NEAR(first.position.y, 1.0f, 1e-5);
    EXPECT_NEAR(model->Vertices()[227].position.y, 3.0f, 1e-5);
    const CDoublePoint begin = curve->LocalToWorld(curve->m_ptCentre.x + 2000.0, curve->m_ptCentre.y);
    EXPECT_NEAR(first.position.x, begin.x / 100.0 - 8.0 + 0.825, 1e-4);
    EXPECT_NEAR(first.position.z, -begin.y / 100.0 - 8.0, 1e-4);
    // Blocks share no vertices, but the next starts where the last ended.
    EXPECT_EQ(model->Vertices()[12].position, model->Vertices()[3].position);
    EXPECT_EQ(model->Vertices()[12].v, 0.0f);

    // A small curve is one segment; a curve of no sweep or no radius has no model.
    CCircTrack* small = m_plan.Curve(0.0, 0.0, 2000.0, 0.0, 3.0 * degree);
    Size(*small);
    EXPECT_EQ(small->Build3D(nullptr)->Vertices().size(), 12u);
    small->m_fSweep = 0.0;
    EXPECT_EQ(small->Build3D(nullptr), nullptr);
    small->m_fSweep = degree;
    small->m_fRadius = 0.0;
    EXPECT_EQ(small->Build3D(nullptr), nullptr);
}

TEST_F(TrackModel, AnEllipticArcJoinsWholeDegreesAGaugeApart) {
    const double pi = 3.1415926535;
    // A circle of radius 2000: a degree's chord is 34.9, so every fifth degree is taken.
    CArcTrack* arc = m_plan.Oval(0.0, 0.0, 2000.0, 2000.0, 0.0, pi / 2.0);
    Size(*arc);
    arc->m_fEndElevation = 280.0;
    arc->m_fRoadbedHeight = -20.0;
    std::unique_ptr<r3d::Clump> model = arc->Build3D(nullptr);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Tag(), 103);
    EXPECT_EQ(arc->m_fRoadbedHeight, 0.0);
    ASSERT_EQ(model->Vertices().size(), 18u * 12u);
    ASSERT_EQ(model->Polygons().size(), 18u * 3u);
    const std::vector<r3d::Vertex>& vertices = model->Vertices();
    // The begin section lies along the radius.
    ExpectVertex(vertices[0], 12.825f, 1.0f, -8.0f, 0.0f, 0.0f);
    ExpectVertex(vertices[1], 11.175f, 1.0f, -8.0f, 1.0f, 0.0f);
    const double chord = 2.0 * 2000.0 * std::sin(2.5 * pi / 180.0);
    EXPECT_NEAR(vertices[2].v, chord / 165.0, 1e-4);
    // Inner sections lie across the chord they end.
    const double c5 = std::cos(5.0 * pi / 180.0), s5 = std::sin(5.0 * pi / 180.0);
    const CDoublePoint across{-(2000.0 * s5) / chord, (2000.0 * c5 - 2000.0) / chord};
    EXPECT_NEAR(vertices[2].position.x, (2000.0 * c5 + 82.5 * across.x) / 100.0 - 8.0, 1e-4);
    EXPECT_NEAR(vertices[2].position.z, -(2000.0 * s5 + 82.5 * across.y) / 100.0 - 8.0, 1e-4);
    // Point i climbs by i / 18 of the rise; the end section lies along the radius at h1.
    EXPECT_NEAR(vertices[9 * 12].position.y, 1.9f, 1e-5);
    ExpectVertex(vertices[17 * 12 + 3], -8.0f, 2.8f, -28.825f, 0.0f, static_cast<float>(chord / 165.0));
    EXPECT_EQ(model->Polygons()[51].vertices, (std::vector<int>{208, 207, 206, 205}));

    // Tunnel: twenty vertices and eight faces a block; cut into terrain: a bridge.
    arc->m_nStyle = 2;
    std::unique_ptr<r3d::Clump> tunnel = arc->Build3D(nullptr);
    EXPECT_EQ(tunnel->Vertices().size(), 18u * 20u);
    EXPECT_EQ(tunnel->Polygons().size(), 18u * 8u);
    EXPECT_EQ(tunnel->Polygons()[8].vertices, (std::vector<int>{24, 23, 22, 21}));
    arc->m_nStyle = 0;
    arc->m_fRoadbedHeight = 50.0;
    arc->m_cutTerrain.push_back(arc);
    EXPECT_NEAR(arc->Build3D(nullptr)->Vertices()[4].position.y, 0.5f, 1e-5);
    arc->m_cutTerrain.clear();

    // No room between the rails, or no sweep: no model.
    arc->m_fRadiusY = 82.5;
    EXPECT_EQ(arc->Build3D(nullptr), nullptr);
    arc->m_fRadiusY = 2000.0;
    arc->m_fSweep = 0.0;
    EXPECT_EQ(arc->Build3D(nullptr), nullptr);
}

TEST_F(TrackModel, ASplineIsThirtyTwoSegmentsPerCubic) {
    CSplineTrack* spline = m_plan.Spline({{0, 0}, {1000, 0}, {2000, 0}, {3000, 0}});
    Size(*spline);
    spline->m_fEndElevation = 420.0;
    std::unique_ptr<r3d::Clump> model = spline->Build3D(nullptr);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Tag(), 103);
    ASSERT_EQ(model->Vertices().size(), 32u * 12u);
    ASSERT_EQ(model->Polygons().size(), 32u * 3u);
    const std::vector<r3d::Vertex>& vertices = model->Vertices();
    // Samples are truncated to whole plan units: the first ends at 93.
    ExpectVertex(vertices[0], -8.0f, 1.0f, -7.175f, 0.0f, 0.0f);
    ExpectVertex(vertices[2], -7.07f, 1.1f, -8.825f, 1.0f, 93.0f / 165.0f);
    // Sub-segment m starts at h0 + (h1 - h0) m / 32.
    EXPECT_NEAR(vertices[16 * 12].position.y, 2.6f, 1e-5);
    // The last runs from 2906 to 3000.
    ExpectVertex(vertices[31 * 12 + 3], 22.0f, 4.2f, -7.175f, 0.0f, 94.0f / 165.0f);
    EXPECT_EQ(model->Polygons()[93].vertices, (std::vector<int>{376, 375, 374, 373}));

    // One point more than a whole cubic: the list is never read past its end.
    spline->m_points.Add({4000.0, 0.0});
    EXPECT_EQ(spline->Build3D(nullptr)->Vertices().size(), 32u * 12u);
    // Two more: still one cubic, whose end reaches the end elevation.
    spline->m_points.Add({5000.0, 0.0});
    model = spline->Build3D(nullptr);
    ASSERT_EQ(model->Vertices().size(), 32u * 12u);
    EXPECT_NEAR(model->Vertices()[31 * 12 + 3].position.y, 4.2f, 1e-5);

    // Control points on one spot: no non-zero chord, no model.
    CSplineTrack* spot = m_plan.Spline({{500, 500}, {500, 500}, {500, 500}, {500, 500}});
    Size(*spot);
    EXPECT_EQ(spot->Build3D(nullptr), nullptr);
}
