#include "tests/fuzz/FuzzSupport.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "drawing/CPolygon.h"
#include "drawing/DrawingObjects.h"
#include "model/CDataFolders.h"
#include "platform/base/CException.h"
#include "platform/base/CProfile.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "resources/Resources.h"
#include "terrain/CMount.h"
#include "terrain/TerrainObjects.h"
#include "tests/model/LayoutBytes.h"
#include "track/TrackPieces.h"
#include "view3d/Objects3D.h"

namespace {

constexpr int kCanvasSide = 128;

void RemoveFuzzFolder();

constexpr std::string_view kFolderPrefix = "corvane-fuzz-";

// The process a fuzz folder's name gives, or 0 for another name.
pid_t OwnerOf(const std::string& name) {
    if (!name.starts_with(kFolderPrefix))
        return 0;
    const char* digits = name.c_str() + kFolderPrefix.size();
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    return end != digits && *end == '-' && pid > 0 ? static_cast<pid_t>(pid) : 0;
}

bool HasEnded(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

std::filesystem::path MakeFuzzFolder() {
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    RemoveStaleFuzzFolders(parent);
    std::string pattern =
        (parent / (std::string(kFolderPrefix) + std::to_string(getpid()) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    const std::filesystem::path folder(pattern);
    // The program's start-up, pointed at the fuzz folder instead of the user's own.
    CProfile::Program().SetPath(folder / "corvane.ini");
    setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);
    CDataFolders::SetBaseFolder(CWinPath::FromReal(folder) + "\\");
    RegisterResources();
    RegisterTrackPieces();
    RegisterDrawingObjects();
    RegisterTerrainObjects();
    Register3DObjects();
    return folder;
}

void RemoveFuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FuzzFolder(), ignored);
}

void DrawLayout(CCVNDoc& doc) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(kCanvasSide, kCanvasSide, 1, 32, nullptr);
    CBitmap* previous = dc.SelectObject(&bitmap);
    doc.m_tool.SetTargetDC(&dc, nullptr);
    doc.m_tool.m_rcUpdate = DeviceRect{-kCanvasSide, -kCanvasSide, kCanvasSide, kCanvasSide};
    doc.m_tool.DrawLayout();
    doc.m_tool.DrawUnselectedObjects();
    doc.m_tool.DrawSelection();
    doc.m_tool.SetTargetDC(nullptr, nullptr);
    dc.SelectObject(previous);
}

void HitTestLayout(CCVNDoc& doc) {
    for (const double at : {0.0, 100.0, 1000.5, -2500.0}) {
        doc.m_tool.m_fCurrentX = at;
        doc.m_tool.m_fCurrentY = at;
        doc.m_rootGroup.HitTest();
    }
}

FuzzBytes ReadBackAndSave(const FuzzBytes& saved) {
    CFuzzDoc reread;
    try {
        LoadLayoutBytes(reread, saved);
    } catch (const CException&) {
        FuzzCheck(false, "a saved layout reads back");
    }
    return SaveLayout(reread);
}

}  // namespace

const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = MakeFuzzFolder();
    // Registered once the path is whole, so that it is removed before the path is destroyed.
    static const int removal = std::atexit(RemoveFuzzFolder);
    (void)removal;
    return folder;
}

void RemoveStaleFuzzFolders(const std::filesystem::path& parent) {
    std::error_code error;
    for (std::filesystem::directory_iterator at(parent, error), end; !error && at != end;
         at.increment(error)) {
        const pid_t owner = OwnerOf(at->path().filename().string());
        std::error_code ignored;
        if (owner != 0 && at->is_directory(ignored) && HasEnded(owner))
            std::filesystem::remove_all(at->path(), ignored);
    }
}

FuzzBytes ReadFuzzFile(const char* name) {
    std::ifstream in(FuzzFolder() / name, std::ios::binary);
    return FuzzBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path WriteFuzzFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = FuzzFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

void FuzzCheck(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

FuzzBytes SaveLayout(CCVNDoc& doc) {
    return SaveLayoutBytes(doc);
}

void DrawAndHitTestLayout(CCVNDoc& doc) {
    for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    doc.m_rootGroup.ComputeExtent(nullptr);
    doc.m_tool.UpdateDeviceBounds();
    DrawLayout(doc);
    for (CPaint* member : doc.m_rootGroup.m_members) member->Select();
    DrawLayout(doc);
    HitTestLayout(doc);
    FuzzCheck(CDecodedPictures::HeldBytes() <= CDecodedPictures::HeldBound(),
              "the pictures a layout shows stay within their budget");
}

void ExerciseLayout(CCVNDoc& doc) {
    DrawAndHitTestLayout(doc);
    for (CPaint* member : doc.m_rootGroup.m_members) member->Deselect();
    // The names of the library and parts files are not taken from a layout, so the first file
    // read back may save other names; from then on the bytes stay.
    const FuzzBytes once = ReadBackAndSave(SaveLayout(doc));
    FuzzCheck(ReadBackAndSave(once) == once, "a layout read back saves the same bytes");
}

CMount* AddFuzzTerrain(CCVNDoc& doc, double spacing) {
    auto* terrain = new CMount(0, &doc.m_tool, 0.0, 0.0);
    doc.m_rootGroup.m_members.push_back(terrain);
    terrain->SetOwnerGroup(&doc.m_rootGroup);
    ShapeOutline(*terrain, {{1000.0, 0.0}, {11000.0, 0.0}, {10000.0, 7500.0}, {1500.0, 6500.0}});
    terrain->m_fGridSpacing = spacing;
    doc.m_rootGroup.SetTool(&doc.m_tool);
    terrain->RebuildGrid();
    return terrain;
}

TerrainLayoutParts SplitAtTerrainFields(CCVNDoc& doc, CMount& terrain) {
    // The elastic, stored right after the spacing, marks where the terrain's own fields begin.
    constexpr double kMarker = 1234.0625;
    const double elastic = std::exchange(terrain.m_fElastic, kMarker);
    const FuzzBytes marked = SaveLayout(doc);
    terrain.m_fElastic = elastic;
    unsigned char marker[sizeof kMarker];
    std::memcpy(marker, &kMarker, sizeof marker);
    const auto found = std::search(marked.begin(), marked.end(), std::begin(marker), std::end(marker));
    FuzzCheck(found != marked.end(), "the terrain's fields are found in the saved layout");
    const auto begin = found - marked.begin() - static_cast<long>(sizeof(double));
    const long size =
        8 + 8 + 4 + 4 + 8 + 4 + 4 + 4 + terrain.EffectiveEdits().GetCount() * CTerrainEdit::kStoredSize;
    const FuzzBytes saved = SaveLayout(doc);
    FuzzCheck(begin >= 0 && begin + size <= static_cast<long>(saved.size()),
              "the terrain's fields lie inside the saved layout");
    return {FuzzBytes(saved.begin(), saved.begin() + begin),
            FuzzBytes(saved.begin() + begin, saved.begin() + begin + size),
            FuzzBytes(saved.begin() + begin + size, saved.end())};
}
