#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/ModelReaders.h"
#include "tests/r3d/PictureFile.h"
#include "tests/support/TestFolder.h"
#include "tools/datagen/StudioChunk.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace r3d;

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

// The asset library is shared by the whole program; each test starts it afresh.
class Assets : public ::testing::Test {
  protected:
    void SetUp() override { Restart(); }
    void TearDown() override { Restart(); }

    static void Restart() {
        AssetLibrary& library = AssetLibrary::Instance();
        library.ClearSearchFolders();
        library.ForgetTextures();
        library.SetImageReader(ReadPpm);
    }

    static void WritePicture(const std::filesystem::path& path, Raster::Rgb colour) {
        Raster raster(2, 2);
        raster.Fill(colour);
        WritePpm(raster, path);
    }

    TestFolder folder;
};

// A red material and one object: a unit square of two triangles plus a lone triangle above it.
void WriteSmall3ds(const std::filesystem::path& path) {
    StudioChunk material(0xAFFF);
    material.Add(StudioChunk(0xA000).Text("RED"));
    material.Add(StudioChunk(0xA020).Add(StudioChunk(0x0011).U8(255).U8(0).U8(0)));
    StudioChunk vertices(0x4110);
    const float points[][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 2}, {1, 0, 2}, {0, 1, 2}};
    vertices.U16(7);
    for (const auto& p : points) {
        vertices.F32(p[0]).F32(p[1]).F32(p[2]);
    }
    StudioChunk faces(0x4120);
    faces.U16(3);
    for (const auto& f : {std::array<int, 3>{0, 1, 2}, {0, 2, 3}, {4, 5, 6}}) {
        faces.U16(static_cast<std::uint16_t>(f[0])).U16(static_cast<std::uint16_t>(f[1]));
        faces.U16(static_cast<std::uint16_t>(f[2])).U16(7);
    }
    faces.Add(StudioChunk(0x4130).Text("RED").U16(3).U16(0).U16(1).U16(2));
    StudioChunk mesh(0x4100);
    mesh.Add(vertices).Add(faces);
    StudioChunk object(0x4000);
    object.Text("BOX").Add(mesh);
    StudioChunk editor(0x3D3D);
    editor.Add(StudioChunk(0x3D3E).U16(3)).Add(material).Add(object);
    StudioChunk main(0x4D4D);
    main.Add(StudioChunk(0x0002).U16(3)).Add(editor);
    std::vector<std::uint8_t> bytes = main.Serialise();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Two 3DFACE entities: a red quad (colour 1) and a blue triangle (colour 5, fourth corner repeated).
constexpr const char* kSmallDxf = R"(0
SECTION
2
ENTITIES
0
3DFACE
8
0
62
1
10
0.0
20
0.0
30
0.0
11
1.0
21
0.0
31
0.0
12
1.0
22
1.0
32
0.0
13
0.0
23
1.0
33
0.0
0
3DFACE
8
0
62
5
10
0.0
20
0.0
30
1.0
11
1.0
21
0.0
31
1.0
12
0.0
22
1.0
32
1.0
13
0.0
23
1.0
33
1.0
0
ENDSEC
0
EOF
)";

}  // namespace

TEST_F(Assets, SearchFoldersAreAddedOnceAndFilesFoundWhateverTheirCase) {
    AssetLibrary& library = AssetLibrary::Instance();
    std::filesystem::create_directories(folder / "Textures");
    WritePicture(folder / "Textures" / "Rail.ppm", {10, 20, 30});
    for (int build = 0; build < 5; ++build) {
        library.AddSearchFolder(folder / "Textures");
        library.AddSearchFolder((folder / "Textures").string() + "/");
    }
    EXPECT_EQ(library.SearchFolders().size(), 1u);
    auto found = library.Find("RAIL.PPM");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "Rail.ppm");
    EXPECT_TRUE(library.Find("C:\\Layouts\\Textures\\rail.ppm"));  // a stored Windows name, by its file name
    EXPECT_FALSE(library.Find("missing.ppm"));
    EXPECT_FALSE(library.Find(""));

    auto texture = library.LoadTexture("rail.ppm");
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->Image().Pixel(1, 1), (Raster::Rgb{10, 20, 30}));
    EXPECT_EQ(library.LoadTexture((folder / "Textures" / "Rail.ppm").string()), texture);  // one per file
    EXPECT_FALSE(library.LoadTexture("missing.ppm"));

    WritePicture(folder / "Textures" / "rail.msk", {0, 0, 0});
    auto masked = library.LoadTexture("rail.ppm", "rail.msk");
    ASSERT_TRUE(masked);
    EXPECT_NE(masked, texture);
    EXPECT_TRUE(masked->HasMask());
    EXPECT_EQ(masked->Rgba()[3], 0);

    // The masked load asks for both files: without a readable mask it finds nothing, while the
    // plain load above keeps the picture alone.
    EXPECT_EQ(library.LoadMaskedTexture("rail.ppm", "rail.msk"), masked);
    WriteText(folder / "Textures" / "torn.msk", "P6\n2 2\n255\nxx");
    for (const char* mask : {"none.msk", "torn.msk", ""})
        EXPECT_FALSE(library.LoadMaskedTexture("rail.ppm", mask)) << mask;
    EXPECT_FALSE(library.LoadMaskedTexture("missing.ppm", "rail.msk"));
    auto unmasked = library.LoadTexture("rail.ppm", "torn.msk");
    ASSERT_TRUE(unmasked);
    EXPECT_FALSE(unmasked->HasMask());

    auto raster = library.LoadRaster("rail.ppm");
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->Width(), 2);
    WriteText(folder / "Textures" / "broken.ppm", "P6\n2 2\n255\nxx");
    EXPECT_FALSE(library.LoadRaster("broken.ppm"));
}

TEST_F(Assets, ScriptModelWithSurfacesTransformsAndNestedClumps) {
    AssetLibrary::Instance().AddSearchFolder(folder.Path());
    WritePicture(folder / "brick.ppm", {200, 50, 50});
    WriteText(folder / "house.rwx", R"(# a small house
ModelBegin
ClumpBegin
  Color 1.0 0.0 0.0
  Surface 0.5 0.4 0.1
  Vertex 0 0 0 UV 0 1
  Vertex 1 0 0 UV 1 1
  Vertex 1 1 0 UV 1 0
  Vertex 0 1 0 UV 0 0
  Texture brick.ppm
  Quad 1 2 3 4
  Texture NULL
  TransformBegin
    Translate 0 0 5
    Vertex 0 0 0
  TransformEnd
  Vertex 0 0 1
  AttributeBegin
    Color 0 0 1
    Opacity 0.5
    GeometrySampling Wireframe
    Triangle 1 5 6 Tag 7
  AttributeEnd
  Polygon 3 1 2 6
  ClumpBegin
    Rotate 0 0 1 90
    Scale 2 2 2
    Vertex 1 0 0
    Vertex 1 1 0
    Vertex 0 1 0
    Triangle 1 2 3
  ClumpEnd
ClumpEnd
ModelEnd
)");
    auto clump = ReadRwxModel("HOUSE.RWX");
    ASSERT_TRUE(clump);
    EXPECT_EQ(clump->VertexCount(), 9);
    ASSERT_EQ(clump->Polygons().size(), 4u);
    const Polygon& quad = clump->Polygons()[0];
    EXPECT_EQ(quad.material.red, 1.0f);
    EXPECT_EQ(quad.material.diffuse, 0.4f);
    ASSERT_TRUE(quad.material.texture);
    EXPECT_EQ(clump->Vertices()[0].v, 1.0f);
    const Polygon& triangle = clump->Polygons()[1];
    EXPECT_EQ(triangle.material.blue, 1.0f);
    EXPECT_EQ(triangle.material.opacity, 0.5f);
    EXPECT_EQ(triangle.material.style, DrawStyle::Wireframe);
    EXPECT_EQ(triangle.tag, 7);
    EXPECT_FALSE(triangle.material.texture);
    EXPECT_EQ(clump->Polygons()[2].material.red, 1.0f);  // attributes restored
    EXPECT_EQ(clump->Polygons()[2].material.opacity, 1.0f);
    Vec3 p;
    ASSERT_TRUE(clump->GetVertex(5, p));
    EXPECT_EQ(p, (Vec3{0, 0, 5}));
    ASSERT_TRUE(clump->GetVertex(6, p));
    EXPECT_EQ(p, (Vec3{0, 0, 1}));  // the transform block ended
    // The nested clump counts its vertices from 1 again and applies scale before rotation.
    EXPECT_EQ(clump->Polygons()[3].vertices, (std::vector<int>{7, 8, 9}));
    ASSERT_TRUE(clump->GetVertex(7, p));
    EXPECT_NEAR(p.x, 0, 1e-5f);
    EXPECT_NEAR(p.y, 2, 1e-5f);
}

TEST_F(Assets, MalformedOrMissingModelsGiveNothing) {
    AssetLibrary::Instance().AddSearchFolder(folder.Path());
    EXPECT_FALSE(ReadRwxModel("nowhere.rwx"));
    EXPECT_FALSE(Read3dsModel("nowhere.3ds"));
    EXPECT_FALSE(ReadDxfModel("nowhere.dxf"));
    const char* broken[] = {
        "ModelBegin\nClumpBegin\nVertex 0 0\nClumpEnd\nModelEnd\n",
        "ModelBegin\nClumpBegin\nVertex 0 0 0\nVertex 1 0 0\nVertex 0 1 0\nTriangle 1 2 "
        "4\nClumpEnd\nModelEnd\n",
        "ModelBegin\nClumpBegin\nVertex 0 0 0\nTriangle 1 1 x\nClumpEnd\nModelEnd\n",
        "ModelBegin\nClumpBegin\nVertex 0 0 0\nPolygon 99999999 1 1 1\nClumpEnd\nModelEnd\n",
        "ModelBegin\nClumpEnd\nModelEnd\n",
        // Vertex numbers that overflow when the inner clump's first vertex is added.
        "ModelBegin\nClumpBegin\nVertex 0 0 0\nClumpBegin\nVertex 0 0 0\nTriangle 1 1 2147483647\n"
        "ClumpEnd\nClumpEnd\nModelEnd\n",
        "ModelBegin\nClumpBegin\nVertex 0 0 0\nClumpBegin\nVertex 0 0 0\nTriangle 1 1 -2147483648\n"
        "ClumpEnd\nClumpEnd\nModelEnd\n",
        "just some words\n",
        "",
    };
    for (const char* text : broken) {
        WriteText(folder / "bad.rwx", text);
        EXPECT_FALSE(ReadRwxModel("bad.rwx")) << text;
        EXPECT_FALSE(ReadRwxText(text)) << text;
    }
    // A name of a pipe reads nothing, and does not wait for bytes to arrive.
    ASSERT_EQ(mkfifo((folder / "pipe.rwx").c_str(), 0600), 0);
    EXPECT_FALSE(ReadRwxModel((folder / "pipe.rwx").string()));
    std::ofstream(folder / "bad.3ds", std::ios::binary) << std::string("\x4d\x4d\xff\xff\xff\x7f\x00\x3d", 8);
    EXPECT_FALSE(Read3dsModel("bad.3ds"));
    WriteText(folder / "bad.dxf", "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n10\nnot a number\n");
    EXPECT_FALSE(ReadDxfModel("bad.dxf"));
    WriteText(folder / "text.3ds", "ModelBegin\n");
    EXPECT_FALSE(Read3dsModel("text.3ds"));
}

TEST_F(Assets, StudioModelWithMaterialColour) {
    AssetLibrary::Instance().AddSearchFolder(folder.Path());
    WriteSmall3ds(folder / "box.3ds");
    auto clump = Read3dsModel("box.3ds");
    ASSERT_TRUE(clump);
    EXPECT_EQ(clump->Polygons().size(), 3u);
    EXPECT_EQ(clump->VertexCount(), 7);
    bool anyRed = false;
    for (const Polygon& polygon : clump->Polygons()) {
        anyRed = anyRed || (polygon.material.red > 0.9f && polygon.material.green < 0.1f);
    }
    EXPECT_TRUE(anyRed);
    Box bounds = clump->Bounds();
    Vec3 extent = bounds.max - bounds.min;
    EXPECT_NEAR(std::max({extent.x, extent.y, extent.z}), 2.0f, 1e-4f);
}

TEST_F(Assets, DrawingExchangeFacesWithColourIndices) {
    AssetLibrary::Instance().AddSearchFolder(folder.Path());
    WriteText(folder / "faces.dxf", kSmallDxf);
    auto clump = ReadDxfModel("faces.dxf");
    ASSERT_TRUE(clump);
    ASSERT_EQ(clump->Polygons().size(), 2u);
    int corners = 0;
    bool red = false, blue = false;
    for (const Polygon& polygon : clump->Polygons()) {
        corners += static_cast<int>(polygon.vertices.size());
        const Material& m = polygon.material;
        red = red || (m.red > 0.9f && m.green < 0.1f && m.blue < 0.1f);
        blue = blue || (m.blue > 0.9f && m.red < 0.5f && m.green < 0.5f);
    }
    EXPECT_EQ(corners, 7);
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
}
