#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/AssetLoaders.h"
#include "model/CDataFolders.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/ClumpBuilder.h"
#include "tests/support/TestFolder.h"

namespace {

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteBitmap(const std::filesystem::path& path, int width, int height, std::uint32_t colour) {
    const PixelSurface picture(width, height, colour);
    WriteBytes(path, EncodeBmpFile(picture, 24));
}

// A .3ds file of one triangle: main chunk, editor, object, mesh with its vertices and face.
std::vector<std::uint8_t> OneTriangle3ds() {
    auto chunk = [](std::uint16_t id, const std::vector<std::uint8_t>& content) {
        std::vector<std::uint8_t> out(6);
        const std::uint32_t length = static_cast<std::uint32_t>(content.size() + 6);
        std::memcpy(out.data(), &id, 2);
        std::memcpy(out.data() + 2, &length, 4);
        out.insert(out.end(), content.begin(), content.end());
        return out;
    };
    auto append = [](std::vector<std::uint8_t>& to, const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        to.insert(to.end(), p, p + size);
    };
    std::vector<std::uint8_t> vertices;
    const std::uint16_t three = 3;
    append(vertices, &three, 2);
    const float points[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    append(vertices, points, sizeof points);
    std::vector<std::uint8_t> faces;
    const std::uint16_t face[5] = {1, 0, 1, 2, 7};
    append(faces, face, sizeof face);
    std::vector<std::uint8_t> mesh = chunk(0x4110, vertices);
    const std::vector<std::uint8_t> faceChunk = chunk(0x4120, faces);
    mesh.insert(mesh.end(), faceChunk.begin(), faceChunk.end());
    std::vector<std::uint8_t> object = {'T', 'R', 'I', 0};
    const std::vector<std::uint8_t> meshChunk = chunk(0x4100, mesh);
    object.insert(object.end(), meshChunk.begin(), meshChunk.end());
    return chunk(0x4D4D, chunk(0x3D3D, chunk(0x4000, object)));
}

// A program folder with its data subfolders and a profile of the test's own.
class AssetLoaders : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* sub : {"SCRIPTS", "TEXTURES", "3DBITMAPS", "BACKDROPS", "Elsewhere"})
            std::filesystem::create_directory(m_folder / sub);
        m_previousBase = CDataFolders::GetBaseFolder();
        m_previousProfile = CProfile::Program().GetPath();
        CProfile::Program().SetPath(m_folder / "corvane.ini");
        CDataFolders::SetBaseFolder(Stored(m_folder.Path()) + "\\");
        r3d::AssetLibrary::Instance().ClearSearchFolders();
        r3d::AssetLibrary::Instance().ForgetTextures();
    }
    void TearDown() override {
        CDataFolders::SetBaseFolder(m_previousBase);
        CProfile::Program().SetPath(m_previousProfile);
        r3d::AssetLibrary::Instance().ClearSearchFolders();
        r3d::AssetLibrary::Instance().ForgetTextures();
    }
    static CString Stored(const std::filesystem::path& path) { return CWinPath::FromReal(path); }

    HeadlessHost host;
    TestFolder m_folder;
    CString m_previousBase;
    std::filesystem::path m_previousProfile;
};

}  // namespace

TEST_F(AssetLoaders, ModelsGoToTheReaderOfTheirExtensionInAnyCase) {
    WriteBytes(m_folder / "SCRIPTS" / "X.3DS", OneTriangle3ds());
    WriteBytes(m_folder / "SCRIPTS" / "Y.rwx", OneTriangle3ds());

    CString name = "X.3DS";
    std::unique_ptr<r3d::Clump> model = LoadModelFile(name);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Polygons().size(), 1u);
    EXPECT_EQ(name, Stored(m_folder / "SCRIPTS" / "X.3DS"));

    // The same bytes under .rwx go to the script reader, which refuses them.
    CString script = "Y.rwx";
    EXPECT_EQ(LoadModelFile(script), nullptr);
    EXPECT_EQ(script, "Y.rwx");
    // No extension, another extension, an empty or a missing name: no model.
    for (const char* bad : {"X", "X.obj", "", "Missing.3ds"}) {
        CString badName = bad;
        EXPECT_EQ(LoadModelFile(badName), nullptr) << bad;
        EXPECT_EQ(badName, bad);
    }
    // A truncated file fails without harm.
    WriteBytes(m_folder / "SCRIPTS" / "Broken.3ds", {0x4D, 0x4D, 0xFF, 0xFF, 0xFF, 0x7F, 0x00});
    CString broken = "Broken.3ds";
    EXPECT_EQ(LoadModelFile(broken), nullptr);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(AssetLoaders, ScriptModelsAreReadFromTheScriptsFolderUnderAnyName) {
    std::ofstream(m_folder / "SCRIPTS" / "hut.rwx")
        << "ModelBegin\nClumpBegin\nColor 1 0 0\nVertex 0 0 0\nVertex 1 0 0\nVertex 1 1 0\n"
           "Triangle 1 2 3\nClumpEnd\nModelEnd\n";
    CString name = "hut.rwx";
    std::unique_ptr<r3d::Clump> model = LoadRwxModel(name);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Polygons().size(), 1u);
    EXPECT_EQ(name, Stored(m_folder / "SCRIPTS" / "hut.rwx"));
    // The script reader refuses what is no script; an empty or missing name gives nothing.
    WriteBytes(m_folder / "SCRIPTS" / "X.rwx", OneTriangle3ds());
    for (const char* bad : {"X.rwx", "", "Missing.rwx"}) {
        CString badName = bad;
        EXPECT_EQ(LoadRwxModel(badName), nullptr) << bad;
        EXPECT_EQ(badName, bad);
    }
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(AssetLoaders, EachModelKindHasItsOwnLoaderOverTheScriptFolders) {
    WriteBytes(m_folder / "SCRIPTS" / "Tri.3ds", OneTriangle3ds());
    const char* faceDxf =
        "0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n"
        "11\n1.0\n21\n0.0\n31\n0.0\n12\n1.0\n22\n1.0\n32\n0.0\n13\n0.0\n23\n1.0\n"
        "33\n0.0\n0\nENDSEC\n0\nEOF\n";
    std::ofstream(m_folder / "Elsewhere" / "Face.dxf") << faceDxf;
    CProfile::Program().WriteProfileString("Paths", "Scripts", Stored(m_folder / "Elsewhere") + "\\");

    CString studio = "Tri.3ds";
    std::unique_ptr<r3d::Clump> triangle = Load3dsModel(studio);
    ASSERT_NE(triangle, nullptr);
    EXPECT_EQ(triangle->Polygons().size(), 1u);
    EXPECT_EQ(studio, Stored(m_folder / "SCRIPTS" / "Tri.3ds"));

    CString drawing = "Face.dxf";
    std::unique_ptr<r3d::Clump> face = LoadDxfModel(drawing);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Polygons().size(), 1u);
    EXPECT_EQ(drawing, Stored(m_folder / "Elsewhere" / "Face.dxf"));

    // Each reads its own kind only, and a refusal leaves the name as it was.
    CString dxfAsStudio = "Face.dxf";
    EXPECT_EQ(Load3dsModel(dxfAsStudio), nullptr);
    EXPECT_EQ(dxfAsStudio, "Face.dxf");
    CString studioAsDxf = "Tri.3ds";
    EXPECT_EQ(LoadDxfModel(studioAsDxf), nullptr);
    EXPECT_EQ(studioAsDxf, "Tri.3ds");
    CString empty;
    EXPECT_EQ(Load3dsModel(empty), nullptr);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(AssetLoaders, TexturesFoundInTheirFolderTakeTheFullPath) {
    WriteBitmap(m_folder / "TEXTURES" / "track1.bmp", 4, 4, 0x808080);
    CString name = "C:\\nowhere\\track1.bmp";
    ASSERT_NE(LoadTextureFile(name), nullptr);
    EXPECT_EQ(name, Stored(m_folder / "TEXTURES" / "track1.bmp"));

    // The surface loader writes the same path back and textures the surface being built.
    r3d::ClumpBuilder builder;
    CString surfaceName = "track1.bmp";
    EXPECT_TRUE(LoadTexture(surfaceName, builder, TRUE));
    EXPECT_EQ(surfaceName, name);
    EXPECT_NE(builder.Surface().texture, nullptr);
    // A name that works as it stands is left alone.
    EXPECT_TRUE(LoadTexture(surfaceName, builder, TRUE));
    EXPECT_EQ(surfaceName, name);
    EXPECT_TRUE(host.MessageBoxes().empty());

    // The profile's folder is searched after the program folder's.
    WriteBitmap(m_folder / "Elsewhere" / "stone.bmp", 2, 2, 0x404040);
    CProfile::Program().WriteProfileString("Paths", "Textures", Stored(m_folder / "Elsewhere").c_str());
    CString stone = "stone.bmp";
    EXPECT_NE(LoadTextureFile(stone), nullptr);
    EXPECT_EQ(stone, Stored(m_folder / "Elsewhere" / "stone.bmp"));

    // Found only through the 3D library's search folders: the bare name.
    std::filesystem::create_directory(m_folder / "Library");
    WriteBitmap(m_folder / "Library" / "grass.bmp", 2, 2, 0x00FF00);
    r3d::AssetLibrary::Instance().AddSearchFolder(m_folder / "Library");
    CString grass = "D:\\old\\grass.bmp";
    EXPECT_NE(LoadTextureFile(grass), nullptr);
    EXPECT_EQ(grass, "grass.bmp");
}

TEST_F(AssetLoaders, MissingOrBrokenTexturesAreReported) {
    std::ofstream(m_folder / "TEXTURES" / "bad.bmp") << "not a picture";
    CString missing = "C:\\x\\gone.bmp";
    EXPECT_EQ(LoadTextureFile(missing), nullptr);
    EXPECT_EQ(missing, "C:\\x\\gone.bmp");
    r3d::ClumpBuilder builder;
    CString bad = "bad.bmp";
    EXPECT_FALSE(LoadTexture(bad, builder, TRUE));
    EXPECT_EQ(builder.Surface().texture, nullptr);
    EXPECT_FALSE(LoadTexture(bad, builder, FALSE));
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Could not open texture file gone.bmp");
    EXPECT_EQ(host.MessageBoxes()[1].text, "Could not open texture file bad.bmp");
    EXPECT_EQ(host.MessageBoxes()[1].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    // A damaged name that holds only a folder is still named.
    CString folderOnly = "C:\\TEXTURES\\";
    EXPECT_EQ(LoadTextureFile(folderOnly), nullptr);
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(host.MessageBoxes()[2].text, "Could not open texture file /TEXTURES/");

    // No name asks for no texture: nothing is missing, and no message without a name shows.
    CString none;
    EXPECT_EQ(LoadTextureFile(none), nullptr);
    EXPECT_FALSE(LoadTexture(none, builder, TRUE));
    EXPECT_EQ(host.MessageBoxes().size(), 3u);
}

TEST_F(AssetLoaders, BackdropsAndBitmapMasksAreFoundSilently) {
    WriteBitmap(m_folder / "BACKDROPS" / "summits.bmp", 8, 2, 0x3366CC);
    CString backdrop = "summits.bmp";
    std::shared_ptr<r3d::Raster> panorama = LoadBackdrop(backdrop);
    ASSERT_NE(panorama, nullptr);
    EXPECT_EQ(panorama->Width(), 8);
    EXPECT_EQ(backdrop, Stored(m_folder / "BACKDROPS" / "summits.bmp"));

    WriteBitmap(m_folder / "3DBITMAPS" / "tree.msk", 3, 3, 0xFFFFFF);
    CString mask = "tree.msk";
    EXPECT_NE(Load3DBitmapRaster(mask), nullptr);
    EXPECT_EQ(mask, Stored(m_folder / "3DBITMAPS" / "tree.msk"));

    std::ofstream(m_folder / "BACKDROPS" / "torn.bmp") << "BM";
    for (const char* bad : {"torn.bmp", "none.bmp", ""}) {
        CString name = bad;
        EXPECT_EQ(LoadBackdrop(name), nullptr);
        EXPECT_EQ(Load3DBitmapRaster(name), nullptr);
        EXPECT_EQ(name, bad);
    }
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(MaskFileName("C:\\pics\\tree.bmp"), "C:\\pics\\tree.msk");
    EXPECT_EQ(MaskFileName(""), "");
}

TEST_F(AssetLoaders, TheMaskedFormWinsOnEverySearchPathBeforeThePlainOne) {
    for (const char* sub : {"Mine", "Library"}) std::filesystem::create_directory(m_folder / sub);
    CProfile::Program().WriteProfileString("Paths", "Textures", Stored(m_folder / "Elsewhere").c_str());
    r3d::AssetLibrary::Instance().AddSearchFolder(m_folder / "Library");
    // Each folder's picture has a colour of its own; a mask is black in its left half.
    const auto picture = [&](const char* folder, const char* file, std::uint32_t colour) {
        WriteBitmap(m_folder / folder / file, 4, 4, colour);
    };
    const auto mask = [&](const char* folder, const char* file) {
        PixelSurface leftHidden(4, 4, 0xFFFFFF);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 2; ++x) leftHidden.Set(x, y, 0x000000);
        WriteBytes(m_folder / folder / file, EncodeBmpFile(leftHidden, 24));
    };
    struct Loaded {
        CString name;
        bool masked;
        r3d::Raster::Rgb colour;
    };
    const auto load = [&](const CString& stored) {
        r3d::AssetLibrary::Instance().ForgetTextures();
        r3d::ClumpBuilder builder;
        CString name = stored;
        EXPECT_TRUE(LoadTexture(name, builder, TRUE)) << stored;
        const std::shared_ptr<r3d::Texture> texture = builder.Surface().texture;
        if (texture == nullptr)
            return Loaded{name, false, {}};
        const bool masked =
            texture->HasMask() && texture->Rgba()[3] == 0 && texture->Rgba()[3 * 4 + 3] == 255;
        return Loaded{name, masked, texture->Image().Pixel(3, 0)};
    };
    const CString mine = Stored(m_folder / "Mine" / "wood.bmp");
    const CString textures = Stored(m_folder / "TEXTURES" / "wood.bmp");
    const CString elsewhere = Stored(m_folder / "Elsewhere" / "wood.bmp");

    // Plain under the stored name, masked in the program's TEXTURES folder: the masked one, and
    // the layout keeps its path.
    picture("Mine", "wood.bmp", 0x0000FF);
    picture("TEXTURES", "wood.bmp", 0x00FF00);
    mask("TEXTURES", "wood.msk");
    Loaded found = load(mine);
    EXPECT_EQ(found.name, textures);
    EXPECT_TRUE(found.masked);
    EXPECT_EQ(found.colour, (r3d::Raster::Rgb{0, 255, 0}));

    // Masked only in the profile's folder: that one beats the two plain pictures.
    std::filesystem::remove(m_folder / "TEXTURES" / "wood.msk");
    picture("Elsewhere", "wood.bmp", 0xFF0000);
    mask("Elsewhere", "wood.msk");
    found = load(mine);
    EXPECT_EQ(found.name, elsewhere);
    EXPECT_TRUE(found.masked);
    EXPECT_EQ(found.colour, (r3d::Raster::Rgb{255, 0, 0}));

    // Masked under the stored name too: it wins, and the name stays as it was.
    mask("Mine", "wood.msk");
    found = load(mine);
    EXPECT_EQ(found.name, mine);
    EXPECT_TRUE(found.masked);
    EXPECT_EQ(found.colour, (r3d::Raster::Rgb{0, 0, 255}));

    // No mask anywhere: the plain forms in the same order.
    std::filesystem::remove(m_folder / "Mine" / "wood.msk");
    std::filesystem::remove(m_folder / "Elsewhere" / "wood.msk");
    found = load(mine);
    EXPECT_EQ(found.name, mine);
    EXPECT_FALSE(found.masked);
    std::filesystem::remove(m_folder / "Mine" / "wood.bmp");
    found = load(mine);
    EXPECT_EQ(found.name, textures);
    EXPECT_FALSE(found.masked);

    // Last the bare name through the 3D library's folders, masked before plain.
    picture("Library", "moss.bmp", 0x808080);
    mask("Library", "moss.msk");
    found = load("D:\\old\\moss.bmp");
    EXPECT_EQ(found.name, "moss.bmp");
    EXPECT_TRUE(found.masked);
    EXPECT_TRUE(host.MessageBoxes().empty());
}
