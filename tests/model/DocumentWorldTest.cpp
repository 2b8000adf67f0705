#include <gtest/gtest.h>

#include "platform/base/CProfile.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/CMissingFileReport.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/Scene.h"
#include "tests/support/TestFolder.h"
#include "track/TrackPieces.h"

namespace {

// A document whose error boxes are kept instead of shown.
class WorldDoc : public CCVNDoc {
  public:
    void ReportError(const CString& text) override { m_errors.push_back(text); }
    std::vector<CString> m_errors;
};

void WriteBitmap(const std::filesystem::path& path) {
    const PixelSurface picture(2, 2, 0x228822);
    const std::vector<BYTE> bytes = EncodeBmpFile(picture, 24);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A program folder with the texture folders, the benchwork texture in "TEXTURES\".
class DocumentWorld : public testing::Test {
  protected:
    void SetUp() override {
        RegisterTrackPieces();
        for (const char* sub : {"TEXTURES", "3DTEXTURES", "TRAINS", "3DBITMAPS", "BITMAPS"})
            std::filesystem::create_directory(m_folder / sub);
        WriteBitmap(m_folder / "TEXTURES" / "rcgrass.bmp");
        m_previousBase = CDataFolders::GetBaseFolder();
        CDataFolders::SetBaseFolder(CWinPath::FromReal(m_folder.Path()) + "\\");
        Library().ClearSearchFolders();
        Library().ForgetTextures();
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        Library().ClearSearchFolders();
        Library().ForgetTextures();
    }
    static r3d::AssetLibrary& Library() { return r3d::AssetLibrary::Instance(); }

    TestFolder m_folder;
    CString m_previousBase;
};

void ExpectVertex(const r3d::Vertex& vertex, float x, float z, float u, float v) {
    EXPECT_NEAR(vertex.position.x, x, 1e-4);
    EXPECT_EQ(vertex.position.y, 0.0f);
    EXPECT_NEAR(vertex.position.z, z, 1e-4);
    EXPECT_NEAR(vertex.u, u, 1e-4);
    EXPECT_NEAR(vertex.v, v, 1e-4);
}

}  // namespace

TEST_F(DocumentWorld, TheDataFoldersBecomeTheSearchFoldersOnce) {
    WorldDoc doc;
    doc.SetResourcePaths();
    doc.SetResourcePaths();
    const std::vector<std::filesystem::path>& folders = Library().SearchFolders();
    ASSERT_EQ(folders.size(), 5u);
    EXPECT_EQ(folders[0].filename(), "TEXTURES");
    EXPECT_EQ(folders[1].filename(), "3DTEXTURES");
    EXPECT_EQ(folders[2].filename(), "TRAINS");
    EXPECT_EQ(folders[3].filename(), "3DBITMAPS");
    EXPECT_EQ(folders[4].filename(), "BITMAPS");

    // A texture folder chosen in the preferences is searched after the program's, and a
    // later choice replaces it.
    CProfile::Program().SetPath(m_folder / "corvane.ini");
    for (const char* other : {"old", "new"}) {
        std::filesystem::create_directory(m_folder / other);
        CProfile::Program().WriteProfileString("Paths", "Textures",
                                               CWinPath::FromReal(m_folder / other) + "\\");
        doc.SetResourcePaths();
        ASSERT_EQ(Library().SearchFolders().size(), 6u);
        EXPECT_EQ(Library().SearchFolders()[5].filename(), other);
    }
    CProfile::Program().SetPath(CProfile::DefaultPath());
}

// Building the models of a layout is one operation: the first model sets the folders, the
// others find them set; a preference changed meanwhile is searched from the next operation.
TEST_F(DocumentWorld, OneOperationSetsTheSearchFoldersOnce) {
    WorldDoc doc;
    CProfile::Program().SetPath(m_folder / "corvane.ini");
    std::filesystem::create_directory(m_folder / "chosen");
    {
        const CMissingFileReport operation;
        doc.SetResourcePaths();
        ASSERT_EQ(Library().SearchFolders().size(), 5u);
        CProfile::Program().WriteProfileString("Paths", "Textures",
                                               CWinPath::FromReal(m_folder / "chosen") + "\\");
        doc.SetResourcePaths();
        EXPECT_EQ(Library().SearchFolders().size(), 5u);
    }
    {
        const CMissingFileReport operation;
        doc.SetResourcePaths();
        ASSERT_EQ(Library().SearchFolders().size(), 6u);
        EXPECT_EQ(Library().SearchFolders()[5].filename(), "chosen");
    }
    CProfile::Program().SetPath(CProfile::DefaultPath());
}

TEST_F(DocumentWorld, ANewLayoutHasALightAndATexturedGroundPlaneTheSizeOfItsPage) {
    WorldDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_errors.empty());
    r3d::Scene* scene = doc.GetScene();
    ASSERT_NE(scene, nullptr);

    ASSERT_EQ(scene->Lights().size(), 1u);
    const r3d::Light& light = *scene->Lights()[0];
    EXPECT_EQ(&light, doc.GetLight());
    EXPECT_EQ(light.Brightness(), 1.0f);
    const float component = 1.0f / std::sqrt(3.0f);
    EXPECT_NEAR(light.Direction().x, component, 1e-5);
    EXPECT_NEAR(light.Direction().y, -component, 1e-5);
    EXPECT_NEAR(light.Direction().z, -component, 1e-5);

    ASSERT_EQ(scene->Clumps().size(), 1u);
    const r3d::Clump& plane = *scene->Clumps()[0];
    EXPECT_EQ(&plane, doc.GetGroundPlane());
    EXPECT_EQ(plane.Tag(), 4);
    ASSERT_EQ(plane.VertexCount(), 4);
    // 21590 / 1746.25 across, 16 units along the longer side.
    const float width = 21590.0f / 1746.25f;
    ExpectVertex(plane.Vertices()[0], -8.0f, 8.0f, 0.0f, 0.0f);
    ExpectVertex(plane.Vertices()[1], width - 8.0f, 8.0f, width, 0.0f);
    ExpectVertex(plane.Vertices()[2], width - 8.0f, -8.0f, width, 16.0f);
    ExpectVertex(plane.Vertices()[3], -8.0f, -8.0f, 0.0f, 16.0f);

    ASSERT_EQ(plane.Polygons().size(), 2u);
    const r3d::Polygon& top = plane.Polygons()[0];
    const r3d::Polygon& bottom = plane.Polygons()[1];
    EXPECT_EQ(top.vertices, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(bottom.vertices, (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(top.material.texture, Library().LoadTexture("rcgrass.bmp"));
    EXPECT_NE(top.material.texture, nullptr);
    EXPECT_EQ(bottom.material.texture, nullptr);
    EXPECT_EQ(top.material.green, 0.2f);
    EXPECT_EQ(bottom.material.specular, 1.0f);
    EXPECT_EQ(top.material.style, r3d::DrawStyle::Solid);
}

TEST_F(DocumentWorld, ASquarePageSpansSixteenUnitsBothWays) {
    WorldDoc doc;
    doc.m_fPageWidth = 30000.0;
    doc.m_fPageHeight = 30000.0;
    doc.ResetViewSettings();
    doc.Create3DWorld();
    const r3d::Clump* plane = doc.GetGroundPlane();
    ASSERT_NE(plane, nullptr);
    ExpectVertex(plane->Vertices()[1], 8.0f, 8.0f, 16.0f, 0.0f);
    ExpectVertex(plane->Vertices()[3], -8.0f, -8.0f, 0.0f, 16.0f);
}

TEST_F(DocumentWorld, TheGroundPlaneIsReplacedUnlessTheLayoutHasBenchwork) {
    WorldDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    r3d::Scene& scene = *doc.GetScene();

    doc.m_fPageWidth = doc.m_fPageHeight;
    doc.ResetViewSettings();
    doc.RefreshGroundPlane();
    ASSERT_EQ(scene.Clumps().size(), 1u);
    EXPECT_EQ(scene.Clumps()[0], doc.GetGroundPlane());
    EXPECT_NEAR(doc.GetGroundPlane()->Vertices()[1].position.x, 8.0f, 1e-4);

    r3d::Clump benchwork;
    benchwork.SetTag(105);
    scene.Add(benchwork);
    r3d::Clump* before = doc.GetGroundPlane();
    doc.m_fPageWidth = 1000.0;
    doc.ResetViewSettings();
    doc.RefreshGroundPlane();
    EXPECT_EQ(doc.GetGroundPlane(), before);
    EXPECT_NEAR(before->Vertices()[1].position.x, 8.0f, 1e-4);
}

TEST_F(DocumentWorld, AGroundPlaneThatCannotBeMadeIsReportedAndTheOldOneKept) {
    WorldDoc before;
    EXPECT_EQ(before.BuildGroundPlane(), nullptr);
    ASSERT_EQ(before.m_errors.size(), 1u);
    EXPECT_EQ(before.m_errors[0], "Could not create the 3D ground plane");

    WorldDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    r3d::Clump* old = doc.GetGroundPlane();
    EXPECT_EQ(doc.BuildGroundPlane((m_folder / "missing.rwx").c_str()), nullptr);
    ASSERT_EQ(doc.m_errors.size(), 1u);
    EXPECT_EQ(doc.m_errors[0], "Could not create the 3D ground plane");
    EXPECT_EQ(doc.GetGroundPlane(), old);
    ASSERT_EQ(doc.GetScene()->Clumps().size(), 1u);
    EXPECT_EQ(doc.GetScene()->Clumps()[0], old);
}
