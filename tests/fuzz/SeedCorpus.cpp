#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/PartsFile.h"
#include "drawing/CArc.h"
#include "drawing/CBMP.h"
#include "drawing/CBox.h"
#include "drawing/CBoxMeasure.h"
#include "drawing/CLine.h"
#include "drawing/CLineMeasure.h"
#include "drawing/CPolygon.h"
#include "drawing/CRoundBox.h"
#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "drawing/CSketch.h"
#include "drawing/CSpline.h"
#include "drawing/CTextBox.h"
#include "model/AssetLoaders.h"
#include "model/CGroup.h"
#include "model/DefaultTrackKind.h"
#include "model/Units.h"
#include "platform/base/CWinPath.h"
#include "platform/base/GlobalMemory.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "terrain/CBenchwork.h"
#include "terrain/CMount.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/OlderLayoutFileRecords.h"
#include "tests/model/OlderLayoutFileWriter.h"
#include "tests/support/RunLengthPictures.h"
#include "tests/ui/EveryFieldFormat.h"
#include "tools/datagen/SceneryModels.h"
#include "tools/datagen/TrainModels.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CSplineTrack.h"
#include "track/CTrack.h"
#include "ui/BitmapRoutines.h"
#include "view3d/C3D.h"
#include "view3d/CCamera.h"
#include "view3d/CSprite.h"

// Writes the seed inputs of every fuzz target, each into the folder named after its target
// under the folder given: files of the program's own making, written by its own writers.

namespace fs = std::filesystem;

namespace {

void WriteSeed(const fs::path& folder, const std::string& name, const void* data, std::size_t size) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void WriteSeed(const fs::path& folder, const std::string& name, const std::vector<unsigned char>& bytes) {
    WriteSeed(folder, name, bytes.data(), bytes.size());
}

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& text) {
    WriteSeed(folder, name, text.data(), text.size());
}

void CopySeed(const fs::path& folder, const std::string& name, const fs::path& file) {
    fs::create_directories(folder);
    fs::copy_file(file, folder / name, fs::copy_options::overwrite_existing);
}

template <class T>
T* AddTo(CGroup* group, T* object) {
    group->m_members.push_back(object);
    object->SetOwnerGroup(group);
    return object;
}

// Track of both kinds, a plain shape, groups three deep, a turned group, layers and a lock.
void BuildLayout(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CTrack* straight = AddTo(&doc.m_rootGroup, new CTrack(0, tool, 100.0, 200.0));
    straight->m_nLayer = 2;
    AddTo(&doc.m_rootGroup, new CCircTrack(0, tool, 900.0, 300.0));
    CPaint* shape = AddTo(&doc.m_rootGroup, new CPaint(0, tool, 50.0, 60.0));
    shape->m_points.Add(0.0, 0.0);
    shape->m_points.Add(400.0, 250.0);
    shape->m_bLocked = 1;
    shape->m_strNote = "a note";
    CGroup* outer = AddTo(&doc.m_rootGroup, new CGroup);
    CGroup* inner = AddTo(AddTo(outer, new CGroup), new CGroup);
    AddTo(inner, new CTrack(0, tool, 10.0, 20.0));
    AddTo(outer, new CCircTrack(0, tool, -500.0, 40.0))->m_pose.angle = 0.75;
    outer->m_pose.angle = 1.25;
    doc.m_rootGroup.SetTool(tool);
    for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    doc.m_tool.m_bLayerShown[3] = 0;
}

// Every drawing shape and the elliptic-arc and spline track, each with a shape of its own.
void BuildShapesAndCurvedTrack(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    AddTo(root, new CBox(0, tool, 100.0, 100.0))->MoveBoxCorner(3, 400.0, -300.0, nullptr);
    AddTo(root, new CLine(0, tool, 500.0, 0.0))->m_ptEnd = {300.0, 200.0};
    auto* round = AddTo(root, new CRoundBox(0, tool, 0.0, 1000.0));
    round->MoveBoxCorner(3, 600.0, 400.0, nullptr);
    round->m_fRadius = 50.0;
    AddTo(root, new CArc(0, tool, 0.0, 0.0, 0))->SetArc(2000.0, 2000.0, 300.0, 200.0, 0.5, 2.0, 0, 0, 0);
    auto* polygon = AddTo(root, new CPolygon(0, tool, 0.0, 0.0));
    for (const CDoublePoint& p :
         {CDoublePoint{0.0, 0.0}, CDoublePoint{300.0, 100.0}, CDoublePoint{100.0, 400.0}})
        polygon->m_points.Add(p.x, p.y);
    polygon->m_fPerimeter = 700.0;
    polygon->Normalize(CPose());
    AddTo(root, new CSketch(0, tool, 50.0, 50.0))->m_points.Add(1.0, 2.0);
    auto* spline = AddTo(root, new CSpline(0, tool, 0.0, 0.0));
    for (int i = 0; i < 3; ++i) spline->m_points.Add(100.0 * i, 50.0 * i);
    spline->m_fLength = 123.0;
    AddTo(root, new CArcTrack(0, tool, 1000.0, -1000.0))
        ->SetArc(1000.0, -1000.0, 900.0, 400.0, 0.5, 2.5, 0, 0);
    auto* curve = AddTo(root, new CSplineTrack(0, tool, 3000.0, -1000.0));
    CPointArray control;
    for (int k = 0; k <= 6; ++k) control.Add(3000.0 + k * 300.0, -1000.0 + (k % 3) * 250.0);
    curve->SetControlPoints(&control, 0, 0);
    root->SetTool(tool);
}

// The annotations: dimension line and angle, measuring line and area, text box, and a picture
// whose file is missing.
void BuildAnnotations(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    AddTo(root, new CSizeLine(0, tool, 200.0, 300.0))
        ->SetPoints(200.0, 300.0, 200.0, 1300.0, 700.0, 0.0, 1, 0, 0);
    auto* angle = AddTo(root, new CSizeAngle(0, tool, 1000.0, 1000.0));
    angle->SetPoints(1500.0, 1000.0, 1000.0, 1500.0, 1000.0, 1000.0, 1300.0, 1300.0, 1, 0, 0);
    angle->m_bFirstArm = 0;
    AddTo(root, new CLineMeasure(0, tool, -500.0, 0.0))->m_points[2] = {800.0, 300.0};
    AddTo(root, new CBoxMeasure(0, tool, 0.0, -900.0))->MoveBoxCorner(3, 700.0, 400.0, nullptr);
    auto* text = AddTo(root, new CTextBox(0, tool, 2000.0, 500.0));
    text->MoveBoxCorner(3, 3000.0, -1500.0, nullptr);
    text->m_strText = "Upper yard\r\nwest";
    auto* picture = AddTo(root, new CBMP(0, tool, -2000.0, -2000.0));
    picture->MoveBoxCorner(3, 1200.0, -800.0, nullptr);
    picture->m_strFile = "BITMAPS\\missing.bmp";
    root->SetTool(tool);
}

// An outline object through the vertices, its boxes fitted to them.
template <class T>
T* AddOutline(CGroup* group, CTool* tool, std::initializer_list<CDoublePoint> vertices) {
    T* object = AddTo(group, new T(0, tool, 0.0, 0.0));
    ShapeOutline(*object, vertices);
    object->m_fPerimeter = 1000.0;
    return object;
}

// A benchwork, and a terrain with edits loaded, made since and cancelling each other.
void BuildBenchworkAndTerrain(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    auto* bench =
        AddOutline<CBenchwork>(root, tool, {{0.0, 0.0}, {3000.0, 0.0}, {3000.0, 2000.0}, {0.0, 2000.0}});
    bench->m_fElevation = 600.0;
    auto* terrain =
        AddOutline<CMount>(root, tool, {{4000.0, 0.0}, {9000.0, 0.0}, {8000.0, 4000.0}, {4500.0, 3000.0}});
    terrain->m_fGridSpacing = 400.0;
    terrain->m_loadedEdits.Append({1000.0f, 1000.0f, 200.0f, 1500.0f, 0, 1});
    terrain->m_newEdits.Append({2000.0f, 1500.0f, -80.0f, 900.0f, 1, 1});
    terrain->m_newEdits.Append({0.0f, 0.0f, 0.0f, 0.0f, 0, 1});
    root->SetTool(tool);
    terrain->RebuildGrid();
    FuzzCheck(terrain->m_nInteriorCount > 50, "the terrain seed has a grid");
}

// A 3D object turned in its box, a 3D bitmap and a camera inside a turned group; their files are
// missing.
void BuildObjects3D(CCVNDoc& doc) {
    CTool* tool = &doc.m_tool;
    CGroup* root = &doc.m_rootGroup;
    auto* shape = AddTo(root, new C3D(0, tool, 500.0, 500.0));
    shape->MoveBoxCorner(3, 1500.0, -800.0, nullptr);
    shape->m_strModelFile = "SCRIPTS\\missing.3ds";
    shape->m_strTexture = "brick.bmp";
    shape->m_fHeight = 400.0;
    shape->m_bExcludeFromConforming = 1;
    shape->SetOrientation(r3d::Matrix::Rotation({1.0f, 0.0f, 0.0f}, 90.0f));
    auto* sprite = AddTo(root, new CSprite(0, tool, -900.0, 300.0));
    sprite->MoveBoxCorner(3, 200.0, 1200.0, nullptr);
    sprite->SetImage("3DBITMAPS\\missing.bmp");
    sprite->m_fElevation = 75.0;
    sprite->m_bShowOn2DPlan = 1;
    CGroup* group = AddTo(root, new CGroup);
    AddTo(group, new CCamera(0, tool, 2000.0, 2000.0))->m_fHeight = 160.0;
    group->m_pose.angle = 1.5;
    root->SetTool(tool);
    for (CPaint* member : root->m_members) member->RecalcFrames();
}

// A seed the reader refuses would leave everything after reading unexercised.
void WriteLayoutSeed(const fs::path& folder, const std::string& name,
                     const std::vector<unsigned char>& bytes) {
    WriteSeed(folder, name, bytes);
    CFuzzDoc check;
    FuzzCheck(check.OnOpenDocument((folder / name).c_str()) != FALSE, "every layout seed opens");
}

void WriteLayoutSeeds(const fs::path& folder) {
    CFuzzDoc empty;
    empty.OnNewDocument();
    WriteLayoutSeed(folder, "new.cvn", SaveLayout(empty));
    CFuzzDoc full;
    full.OnNewDocument();
    BuildLayout(full);
    WriteLayoutSeed(folder, "layout.cvn", SaveLayout(full));
    CFuzzDoc shapes;
    shapes.OnNewDocument();
    BuildShapesAndCurvedTrack(shapes);
    WriteLayoutSeed(folder, "shapes.cvn", SaveLayout(shapes));
    CFuzzDoc annotations;
    annotations.OnNewDocument();
    BuildAnnotations(annotations);
    WriteLayoutSeed(folder, "annotations.cvn", SaveLayout(annotations));
    CFuzzDoc terrain;
    terrain.OnNewDocument();
    BuildBenchworkAndTerrain(terrain);
    WriteLayoutSeed(folder, "terrain.cvn", SaveLayout(terrain));
    CFuzzDoc objects3D;
    objects3D.OnNewDocument();
    BuildObjects3D(objects3D);
    WriteLayoutSeed(folder, "objects3d.cvn", SaveLayout(objects3D));
    for (const int version : {1, 2, 4, 5, 13, 14})
        WriteLayoutSeed(folder, "version" + std::to_string(version) + ".cvn", OlderLayoutFile(version));
    // Every class as the older versions hold it, built byte by byte.
    for (const int version : {1, 6, 7})
        WriteLayoutSeed(folder, "classes" + std::to_string(version) + ".cvn",
                        OlderLayoutFile(version, {}, OlderRecordClasses()));
    WriteLayoutSeed(folder, "camera6.cvn", OlderLayoutFile(6, {}, {"CCamera", "CBox", "CTextBox"}));
    const std::vector<std::string> pointless = {"CBox", "CRoundBox", "CSpline", "CSplineTrack"};
    WriteLayoutSeed(folder, "pointless.cvn", OlderLayoutFileWithoutPoints(17, pointless, pointless));
}

void WriteLibrarySeeds(const fs::path& folder) {
    CFuzzDoc doc;
    doc.OnNewDocument();
    BuildLayout(doc);
    for (const auto& [name, members] : {std::pair{"empty.cvl", 0}, std::pair{"symbols.cvl", 5}}) {
        CFuzzDoc library;
        library.OnNewDocument();
        int added = 0;
        for (CPaint* member : doc.m_rootGroup.m_members)
            if (added++ < members)
                AddTo(&library.m_libraryGroup, member->Clone());
        library.m_libraryGroup.SetTool(&library.m_tool);
        const fs::path path = FuzzFolder() / name;
        library.m_strLibraryPath = CWinPath::FromReal(path);
        library.WriteLibrary();
        CopySeed(folder, name, path);
    }
}

void WriteSettingsSeeds(const fs::path& preferences, const fs::path& track) {
    CFuzzDoc doc;
    doc.OnNewDocument();
    doc.m_tool.m_fHandleSize = 7.0;
    doc.WritePreferences();
    CopySeed(preferences, "DefPref.Dat", FuzzFolder() / "DefPref.Dat");
    CPaint* piece = DefaultTrackAsPaint(doc.m_tool.m_pDefaultTrack);
    doc.WriteDefaultTrack(piece);
    CopySeed(track, "DefTrack.Dat", FuzzFolder() / "DefTrack.Dat");
    // Writing made a new default track of a copy.
    piece = DefaultTrackAsPaint(doc.m_tool.m_pDefaultTrack);
    piece->m_strScale = "N";
    piece->m_nLayer = 4;
    doc.WriteDefaultTrack(piece);
    CopySeed(track, "DefTrackN.Dat", FuzzFolder() / "DefTrack.Dat");
    OlderLayoutFileWriter first(1);
    first.Int(1);
    WriteOlderTrackRecord(first, 1);
    WriteSeed(track, "DefTrack1.Dat", first.Bytes());
}

// A small picture with a colour in each corner.
PixelSurface& Picture() {
    static PixelSurface surface(5, 3, 0xFFFFFF);
    surface.Set(0, 0, 0xFF0000);
    surface.Set(4, 0, 0x00FF00);
    surface.Set(0, 2, 0x0000FF);
    surface.Set(4, 2, 0x123456);
    return surface;
}

std::vector<unsigned char> PackedDibOf(int bits) {
    CBitmap bitmap;
    bitmap.CreateFromSurface(Picture(), bits == 1);
    HDIB dib = MakePackedDib(&bitmap, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(dib));
    std::vector<unsigned char> packed(bytes, bytes + GlobalSize(dib));
    GlobalUnlock(dib);
    DestroyDIB(dib);
    return packed;
}

void WriteBitmapSeeds(const fs::path& folder) {
    for (const int bits : {1, 4, 8, 16, 24, 32})
        WriteSeed(folder, "depth" + std::to_string(bits) + ".bmp", EncodeBmpFile(Picture(), bits));
    for (const int bits : {1, 8, 24})
        WriteSeed(folder, "packed" + std::to_string(bits) + ".dib", PackedDibOf(bits));
    // A picture cut short inside its pixels, which the data folders' reader still takes.
    std::vector<unsigned char> cutShort = EncodeBmpFile(Picture(), 24);
    cutShort.resize(cutShort.size() - DibStride(Picture().Width(), 24) - 5);
    WriteSeed(folder, "cut-short.bmp", cutShort);
    // A 32-bit picture whose 108-byte header holds its colour masks, as image editors write it.
    std::vector<unsigned char> masked(14 + 108 + 8, 0);
    const DWORD size = static_cast<DWORD>(masked.size()), bitsAt = 14 + 108;
    masked[0] = 'B';
    masked[1] = 'M';
    std::memcpy(masked.data() + 2, &size, 4);
    std::memcpy(masked.data() + 10, &bitsAt, 4);
    const DWORD header[] = {108, 2, 1, 1 | (32 << 16), BI_BITFIELDS, 8, 0, 0, 0, 0, 0xFF0000, 0xFF00, 0xFF};
    std::memcpy(masked.data() + 14, header, sizeof header);
    masked[14 + 108] = 0xFF;
    WriteSeed(folder, "masked.bmp", masked);
    // Run-length-compressed pictures with every escape, and one whose run passes its row.
    WriteSeed(folder, "rle8.bmp", KnownRle8Picture().file);
    WriteSeed(folder, "rle4.bmp", KnownRle4Picture().file);
    WriteSeed(folder, "rle8-past-row.bmp",
              RunLengthBmpFile(1, 3, 2, RunLengthColors(2), {5, 1, 0, 0, 2, 0, 0, 1}));
}

void WriteScriptSeeds(const fs::path& folder) {
    WriteSeed(folder, "shed.rwx", std::string(R"(ModelBegin
ClumpBegin
  Color 0.6 0.4 0.2
  Surface 0.3 0.6 0.2
  Vertex -1 0 -1 UV 0 0
  Vertex 1 0 -1 UV 1 0
  Vertex 1 2 -1 UV 1 1
  Vertex -1 2 -1 UV 0 1
  Quad 1 2 3 4 Tag 3
  AttributeBegin
    Opacity 0.25
    GeometrySampling Wireframe
    Polygon 4 4 3 2 1
  AttributeEnd
  ClumpBegin
    TransformBegin
      Rotate 0 1 0 45
      Translate 0 2 0
      Vertex -1 0 0
      Vertex 1 0 0
      Vertex 0 1 0
    TransformEnd
    Triangle 3 2 1
  ClumpEnd
ClumpEnd
ModelEnd
)"));
    WriteSeed(folder, "transform.rwx",
              std::string("ModelBegin\nClumpBegin\nIdentity\nTransform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\n"
                          "Ambient 0.3\nDiffuse 0.6\nSpecular 0.1\nTexture NULL\nVertex 0 0 0\nVertex 1 0 0\n"
                          "Vertex 0 1 0\nTriangle 1 2 3\nClumpEnd\nModelEnd\n"));
}

// The terrain's settings and edit list as the program stores them: plain, with edits of every
// kind over a free border, and at the finest spacing with the texture scale at its ends. Each
// opens inside the layout around the plain terrain's fields, as the terrain target splices it.
void WriteTerrainSeeds(const fs::path& folder) {
    CFuzzDoc plain;
    plain.OnNewDocument();
    const TerrainLayoutParts around = SplitAtTerrainFields(plain, *AddFuzzTerrain(plain, 250.0));
    const auto writeSeed = [&](const std::string& name, CCVNDoc& doc, CMount& terrain) {
        terrain.RebuildGrid();
        const FuzzBytes fields = SplitAtTerrainFields(doc, terrain).fields;
        WriteSeed(folder, name, fields);
        FuzzBytes layout = around.before;
        layout.insert(layout.end(), fields.begin(), fields.end());
        layout.insert(layout.end(), around.after.begin(), around.after.end());
        WriteLayoutSeed(FuzzFolder() / "terrain-seeds", name + ".cvn", layout);
    };
    writeSeed("plain.bin", plain, *dynamic_cast<CMount*>(plain.m_rootGroup.m_members.back()));
    CFuzzDoc edited;
    edited.OnNewDocument();
    CMount* terrain = AddFuzzTerrain(edited, 250.0);
    terrain->m_bFixedBorder = 0;
    terrain->m_nFalloffMode = 1;
    terrain->m_loadedEdits.Append({5000.0f, 3000.0f, 300.0f, 2250.0f, CTerrainEdit::kLinear, 1});
    terrain->m_newEdits.Append({7500.0f, 5000.0f, -120.0f, 1000.0f, CTerrainEdit::kSquareRoot, 1});
    terrain->m_newEdits.Append({1250.0f, 250.0f, 40.0f, 0.0f, CTerrainEdit::kLinear, 1});
    terrain->m_newEdits.Append({90000.0f, 250.0f, 40.0f, 500.0f, CTerrainEdit::kLinear, 1});
    writeSeed("edited.bin", edited, *terrain);
    CFuzzDoc fine;
    fine.OnNewDocument();
    terrain = AddFuzzTerrain(fine, CMount::kSmallestSpacing);
    terrain->m_fTextureScale = CMount::kLargestTextureScale;
    terrain->m_bAllowConform = 0;
    terrain->m_newEdits.Append({6000.0f, 3750.0f, 55.0f, 7500.0f, CTerrainEdit::kSquareRoot, 1});
    writeSeed("fine.bin", fine, *terrain);
}

// Models of the three kinds a 3D shape names: the house and the trains the program ships, and
// the script and drawing-exchange texts of the script model seeds.
void WriteModelSeeds(const fs::path& rwx, const fs::path& studio, const fs::path& dxf) {
    WriteSeed(rwx, "house.rwx", SceneryModels::House());
    for (const fs::directory_entry& entry : fs::directory_iterator(rwx.parent_path() / "script_model"))
        CopySeed(rwx, entry.path().filename().string(), entry.path());
    WriteSeed(studio, "loco.3ds", TrainModels::Locomotive());
    WriteSeed(studio, "car.3ds", TrainModels::Car());
    WriteSeed(dxf, "faces.dxf",
              std::string("0\nSECTION\n2\nENTITIES\n"
                          "0\n3DFACE\n8\n0\n62\n1\n10\n0.0\n20\n0.0\n30\n0.0\n11\n1.0\n21\n0.0\n31\n0.0\n"
                          "12\n1.0\n22\n1.0\n32\n0.0\n13\n0.0\n23\n1.0\n33\n0.0\n"
                          "0\n3DFACE\n8\nroof\n62\n5\n10\n0.0\n20\n0.0\n30\n1.0\n11\n1.0\n21\n0.0\n31\n1.0\n"
                          "12\n0.0\n22\n1.0\n32\n1.0\n13\n0.0\n23\n1.0\n33\n1.0\n"
                          "0\nENDSEC\n0\nEOF\n"));
    // A seed the loader refuses would leave the fitting and drawing unexercised.
    for (const fs::path& folder : {rwx, studio, dxf})
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            CString name = CWinPath::FromReal(entry.path());
            FuzzCheck(LoadModelFile(name) != nullptr, "every model seed loads");
        }
}

void WritePatternSeeds(const fs::path& folder) {
    const unsigned char cross[16] = {0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0, 0x18, 0, 0x24, 0, 0x42, 0, 0x81, 0};
    WriteSeed(folder, "cross.pat", cross, sizeof cross);
}

void WriteProfileSeeds(const fs::path& folder) {
    WriteSeed(folder, "corvane.ini",
              std::string("; settings\n[Paths]\nTextures=C:\\CVN\\TEXTURES\\\nLibraries = \" quoted \"\n\n"
                          "[Settings]\nUnits=2\n[Recent File List]\nFile1=C:\\a.cvn\n"));
    WriteSeed(folder, "windows.ini", std::string("[paths]\r\nPatterns=PATTERNS\\\r\nnot an entry\r\n"));
}

// Credits as the program ships them, with headings, blank lines, CR LF ends, an unfinished
// last line and no line at all.
void WriteCreditsSeeds(const fs::path& folder) {
    WriteSeed(folder, "credits.dat", std::string("^Corvane\r\n  The team  \r\n\r\n^Thanks\nEveryone"));
    WriteSeed(folder, "empty.dat", std::string());
}

// Parts files written by the parts list's own writer: clean lines, a record with every field
// blank, and the damaged kinds the reader must take (short lines, text after the ninth field,
// LF and CR line ends, an unfinished last line).
void WritePartsSeeds(const fs::path& folder) {
    CatalogueList records;
    ReadPartsRecords(
        "Track;Acme;HO;Straight;Rail;S1;2;1.50;Note;\r\nScenery;Trees;HO,N;Oak;Tree;T1;5;1.00;;\r\n", records,
        nullptr);
    records.push_back(std::make_unique<CCatalogItem>());
    WriteSeed(folder, "clean.cvp", PartsFileBytes(records));
    WriteSeed(folder, "damaged.cvp",
              std::string("A;B;C;\r\nA;B;C;D;E;F;1;2.00;N;extra\r\n\r\nA;B;C;D;E;F;1;2.00;N;\nG;H;\rI;J;"));
}

// For each field format, a value and a text a person types: a length a hair under a foot, a
// whole percent kept as a fraction, a grade, a bound of a degree field.
void WriteFormatsSeeds(const fs::path& folder) {
    const struct {
        double value;
        const char* typed;
    } seeds[] = {{3049.99, "0' 12.008\""}, {0.29, "29"}, {0.994, "0.006"}, {-1e-9, "-0"}, {kPi, "180"}};
    const std::size_t formats = EveryFieldFormat().size();
    for (std::size_t format = 0; format < formats; ++format)
        for (std::size_t seed = 0; seed < std::size(seeds); ++seed) {
            std::vector<unsigned char> bytes(1 + sizeof(double));
            bytes[0] = static_cast<unsigned char>(format);
            std::memcpy(bytes.data() + 1, &seeds[seed].value, sizeof(double));
            bytes.insert(bytes.end(), seeds[seed].typed, seeds[seed].typed + std::strlen(seeds[seed].typed));
            WriteSeed(folder, "format" + std::to_string(format) + "-" + std::to_string(seed), bytes);
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out(argv[1]);
    FuzzFolder();
    WriteLayoutSeeds(out / "layout");
    WriteLibrarySeeds(out / "library");
    WriteSettingsSeeds(out / "default_settings", out / "default_track");
    WriteBitmapSeeds(out / "bitmap");
    WriteScriptSeeds(out / "script_model");
    WritePatternSeeds(out / "pattern");
    WriteProfileSeeds(out / "profile");
    WritePartsSeeds(out / "parts_file");
    WriteCreditsSeeds(out / "credits");
    WriteFormatsSeeds(out / "formats");
    WriteTerrainSeeds(out / "terrain");
    WriteModelSeeds(out / "model_rwx", out / "model_3ds", out / "model_dxf");
    return 0;
}
