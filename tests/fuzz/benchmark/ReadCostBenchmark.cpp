#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "drawing/CBMP.h"
#include "drawing/CBox.h"
#include "drawing/CBoxMeasure.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CDecodedPictures.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/PlainPictures.h"
#include "tests/support/RunLengthPictures.h"

// What opening a small layout costs when its objects name many files or nest deeply, each
// beside its plain twin, opened and drawn as the fuzz targets open and draw a layout.

namespace {

namespace fs = std::filesystem;

constexpr int kBoxes = 5000;
constexpr int kNestedGroups = 999;
constexpr int kMissingPictures = 150;
constexpr int kCrowdedEntries = 3000;
constexpr int kLargePictures = 16;
constexpr int kLargeSide = 4096;

template <class T>
T* AddTo(CGroup* group, T* object) {
    group->m_members.push_back(object);
    object->SetOwnerGroup(group);
    return object;
}

fs::path Folder(const char* name, int entries) {
    const fs::path folder = FuzzFolder() / name;
    fs::create_directories(folder);
    for (int entry = 0; entry < entries; ++entry) std::ofstream(folder / ("entry" + std::to_string(entry)));
    return folder;
}

fs::path WriteLayout(const char* name, const std::function<void(CCVNDoc&)>& build) {
    CFuzzDoc doc;
    doc.OnNewDocument();
    build(doc);
    doc.m_rootGroup.SetTool(&doc.m_tool);
    const FuzzBytes bytes = SaveLayout(doc);
    return WriteFuzzFile(name, bytes.data(), bytes.size());
}

CBox* AddBox(CGroup* group, CTool* tool, int index) {
    auto* box = AddTo(group, new CBox(0, tool, 100.0 * (index % 100), 100.0 * (index / 100)));
    box->MoveBoxCorner(3, 80.0, -80.0, nullptr);
    return box;
}

CBMP* AddPicture(CGroup* group, CTool* tool, int index, const CString& file) {
    auto* picture = AddTo(group, new CBMP(0, tool, 1000.0 * index, 0.0));
    picture->MoveBoxCorner(3, 800.0, -800.0, nullptr);
    picture->m_strFile = file;
    return picture;
}

CString Numbered(const fs::path& folder, const char* name, int number) {
    return CWinPath::FromReal(folder / (name + std::to_string(number)));
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void OpenAndDraw(benchmark::State& state, const fs::path& layout) {
    for (auto _ : state) {
        CFuzzDoc doc;
        benchmark::DoNotOptimize(doc.OnOpenDocument(layout.c_str()));
        DrawAndHitTestLayout(doc);
        state.counters["held_MB"] = static_cast<double>(CDecodedPictures::HeldBytes()) / (1 << 20);
    }
    state.counters["peak_RSS_MB"] = PeakMegabytes();
}

void BoxesNamingMissingPatterns(benchmark::State& state, bool named) {
    const fs::path folder = Folder("patterns", kCrowdedEntries);
    const fs::path layout = WriteLayout("patterns.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kBoxes; ++index) {
            CBox* box = AddBox(&doc.m_rootGroup, &doc.m_tool, index);
            if (named)
                box->m_strPatternFile = Numbered(folder, "missing", index) + ".pat";
        }
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesNamingMissingPatterns, named, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingMissingPatterns, plain, false)->Unit(benchmark::kMillisecond);

void PicturesNamingMissingFiles(benchmark::State& state, int entries) {
    const fs::path folder = Folder(entries > 0 ? "crowded" : "empty", entries);
    const fs::path layout = WriteLayout("missing-pictures.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kMissingPictures; ++index)
            AddPicture(&doc.m_rootGroup, &doc.m_tool, index, Numbered(folder, "missing", index) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(PicturesNamingMissingFiles, crowded, kCrowdedEntries)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PicturesNamingMissingFiles, empty, 0)->Unit(benchmark::kMillisecond);

void BoxesInGroups(benchmark::State& state, int depth) {
    const fs::path layout = WriteLayout("nested.cvn", [&](CCVNDoc& doc) {
        CGroup* group = &doc.m_rootGroup;
        for (int level = 0; level < depth; ++level) group = AddTo(group, new CGroup);
        for (int index = 0; index < kBoxes; ++index) AddBox(group, &doc.m_tool, index);
        for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesInGroups, nested, kNestedGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesInGroups, one, 1)->Unit(benchmark::kMillisecond);

// Sixteen pictures of 4096 by 4096 from small run-length files, each its own file or all one.
void LargePictures(benchmark::State& state, bool distinct) {
    const fs::path folder = Folder("large", 0);
    for (int index = 0; index < kLargePictures; ++index)
        WriteFileBytes(folder / ("large" + std::to_string(index) + ".bmp"),
                       RunLengthBmpFile(1, kLargeSide, kLargeSide, RunLengthColors(2), {0, 1}));
    const fs::path layout = WriteLayout("large-pictures.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kLargePictures; ++index)
            AddPicture(&doc.m_rootGroup, &doc.m_tool, index,
                       Numbered(folder, "large", distinct ? index : 0) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(LargePictures, distinct, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LargePictures, one_file, false)->Unit(benchmark::kMillisecond);

// One plan of 8192 by 8192 pixels at one bit a pixel, opened and drawn: the drawing reads the
// pixels it shows from the picture and holds no copy of it.
void LargePlan(benchmark::State& state) {
    constexpr int kPlanSide = 8192;
    const fs::path folder = Folder("plan", 0);
    WriteFileBytes(folder / "plan0.bmp", OneBitPicture(kPlanSide));
    const fs::path layout = WriteLayout("large-plan.cvn", [&](CCVNDoc& doc) {
        AddPicture(&doc.m_rootGroup, &doc.m_tool, 0, Numbered(folder, "plan", 0) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK(LargePlan)->Unit(benchmark::kMillisecond);

constexpr int kWideSide = 32768;
constexpr int kWideRows = 512;
constexpr int kWidePictures = 40;

// A plain .bmp at 8 bits a pixel with the colour table given, every pixel of colour 1.
FileBytes EightBitPlain(int width, int height, const std::vector<std::uint32_t>& colors) {
    return BmpFile(8, 0, width, height, colors, FileBytes(static_cast<std::size_t>(width) * height, 1));
}

// Forty pictures of 32,768 by 512 from run-length files of 2 KB setting one pixel a row, each
// its own colours, or forty plain pictures of the same file size: reading costs what the codes set.
// Pictures read whole on a background other than black still pay for filling it.
void WideRunLengthPictures(benchmark::State& state, bool runLength, std::uint32_t background) {
    const fs::path folder = Folder(runLength ? "wide" : "wide-plain", 0);
    for (int index = 0; index < kWidePictures; ++index) {
        const std::vector<std::uint32_t> colors = {background,
                                                   0x010203u * static_cast<std::uint32_t>(index + 1)};
        const FileBytes file =
            runLength ? RunLengthBmpFile(1, kWideSide, kWideRows, colors, OnePixelARow(kWideRows))
                      : EightBitPlain(32, 64, colors);
        WriteFileBytes(folder / ("wide" + std::to_string(index) + ".bmp"), file);
    }
    const fs::path layout = WriteLayout("wide-pictures.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kWidePictures; ++index)
            AddPicture(&doc.m_rootGroup, &doc.m_tool, index, Numbered(folder, "wide", index) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(WideRunLengthPictures, one_pixel_a_row, true, 0x000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WideRunLengthPictures, plain, false, 0x000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WideRunLengthPictures, one_pixel_a_row_on_white, true, 0xFFFFFF)
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

constexpr int kWalkedFolders = 3000;
constexpr int kWalkingBoxes = 40;
constexpr int kStampedBoxes = 3000;

fs::path FolderOfFolders(const char* name, int folders) {
    const fs::path folder = FuzzFolder() / name;
    for (int sub = 0; sub < folders; ++sub) fs::create_directories(folder / ("s" + std::to_string(sub)));
    return folder;
}

// One box's way through "big": into its share of the sub-folders and back out of each, written
// with "." and ".." steps and in upper case, so that no step is found as written.
std::string WalkThroughBig(int box) {
    constexpr int kSteps = kWalkedFolders / kWalkingBoxes;
    std::string walk = "\\BIG";
    for (int step = 0; step < kSteps; ++step) {
        const std::string sub = "\\S" + std::to_string(box * kSteps + step);
        if (step % 3 == 0)
            walk += sub + "\\..";
        else if (step % 3 == 1)
            walk += "\\." + sub + "\\.\\..";
        else
            walk += sub + "\\..\\..\\Big";
    }
    return walk;
}

// Boxes whose pattern names walk a folder of 3,000 sub-folders, or go straight into one each.
void BoxesWalkingAFolder(benchmark::State& state, bool walking) {
    const fs::path big = FolderOfFolders("big", kWalkedFolders);
    const CString parent = CWinPath::FromReal(big.parent_path());
    const fs::path layout = WriteLayout("walks.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kWalkingBoxes; ++index) {
            const std::string way = walking ? WalkThroughBig(index) : "\\BIG\\S" + std::to_string(index);
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                parent + way.c_str() + "\\missing.pat";
        }
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesWalkingAFolder, spelled, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesWalkingAFolder, plain, false)->Unit(benchmark::kMillisecond);

// Boxes whose pattern names pass through a link again and again (/proc/self/root leads back to
// the root), or take as many bytes of "." steps.
void BoxesPassingThroughLinks(benchmark::State& state, bool links) {
    constexpr int kPasses = 500;
    const std::string pass = links ? "\\proc\\self\\root" : "\\.\\.\\.\\.\\.\\.\\.\\.";
    std::string way = "C:";
    for (int step = 0; step < kPasses; ++step) way += pass;
    const fs::path layout = WriteLayout("links.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kWalkingBoxes; ++index)
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                way.c_str() + Numbered(FuzzFolder(), "missing", index).Mid(2) + ".pat";
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesPassingThroughLinks, links, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesPassingThroughLinks, plain, false)->Unit(benchmark::kMillisecond);

// Boxes in a folder 100 deep whose pattern names pass 300 times through a link to the folder
// itself, or take as many "." steps.
void BoxesPassingALinkDeepInFolders(benchmark::State& state, bool links) {
    constexpr int kDepth = 100;
    constexpr int kPasses = 300;
    constexpr int kDeepBoxes = 20;
    fs::path deep = FuzzFolder() / "deep";
    for (int level = 0; level < kDepth; ++level) deep /= "d";
    fs::create_directories(deep);
    if (!fs::is_symlink(deep / "l"))
        fs::create_directory_symlink(".", deep / "l");
    std::string way;
    for (int step = 0; step < kPasses; ++step) way += links ? "\\l" : "\\.";
    const fs::path layout = WriteLayout("deep.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kDeepBoxes; ++index)
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                CWinPath::FromReal(deep) + way.c_str() + "\\missing.pat";
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesPassingALinkDeepInFolders, links, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesPassingALinkDeepInFolders, plain, false)->Unit(benchmark::kMillisecond);

// Boxes naming missing patterns in a folder of 3,000 entries stamped a year ahead of the
// clock (as an archive made on a fast clock leaves it), or stamped as written.
void BoxesNamingMissingPatternsInAStampedFolder(benchmark::State& state, bool ahead) {
    const fs::path folder = Folder(ahead ? "stamped-ahead" : "stamped-now", kCrowdedEntries);
    if (ahead)
        fs::last_write_time(folder, fs::file_time_type::clock::now() + std::chrono::hours(24 * 365));
    const fs::path layout = WriteLayout("stamped.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kStampedBoxes; ++index)
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                Numbered(folder, "missing", index) + ".pat";
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesNamingMissingPatternsInAStampedFolder, ahead, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingMissingPatternsInAStampedFolder, now, false)->Unit(benchmark::kMillisecond);

// The same boxes in groups each turned a little in the one around it: every group stands for its
// contents by the outline its own fit kept, so the turns cost no walk down to the boxes.
void BoxesInTurnedGroups(benchmark::State& state, int depth) {
    const fs::path layout = WriteLayout("turned.cvn", [&](CCVNDoc& doc) {
        CGroup* group = &doc.m_rootGroup;
        for (int level = 0; level < depth; ++level) {
            group = AddTo(group, new CGroup);
            group->m_pose.angle = 0.001;
        }
        for (int index = 0; index < kBoxes; ++index) AddBox(group, &doc.m_tool, index);
        for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesInTurnedGroups, nested, kNestedGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesInTurnedGroups, one, 1)->Unit(benchmark::kMillisecond);

// Measured areas in groups each turned a little in the one around it, or in one group: an area's
// labels keep their size along the screen, so each group stands for them by their corners and the
// labels' reach kept apart, and the turns ask no area again.
void BoxMeasuresInTurnedGroups(benchmark::State& state, int depth) {
    constexpr int kMeasures = 10000;
    const fs::path layout = WriteLayout("measures.cvn", [&](CCVNDoc& doc) {
        CGroup* group = &doc.m_rootGroup;
        for (int level = 0; level < depth; ++level) {
            group = AddTo(group, new CGroup);
            group->m_pose.angle = 0.001;
        }
        for (int index = 0; index < kMeasures; ++index) {
            auto* area =
                AddTo(group, new CBoxMeasure(0, &doc.m_tool, 100.0 * (index % 100), 100.0 * (index / 100)));
            area->m_points[2] = {80.0, 0.0};
            area->m_points[3] = {80.0, -80.0};
            area->m_points[4] = {0.0, -80.0};
        }
        for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxMeasuresInTurnedGroups, nested, kNestedGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxMeasuresInTurnedGroups, one, 1)->Unit(benchmark::kMillisecond);

// One square in groups nested as deep as a layout may hold them, each turned a tenth of a
// radian in the one around it, beside its unturned twin: the turns add no walk down the nesting.
void SquareInGroups(benchmark::State& state, double turn) {
    const fs::path layout = WriteLayout("square.cvn", [&](CCVNDoc& doc) {
        CGroup* group = &doc.m_rootGroup;
        for (int level = 0; level < kNestedGroups; ++level) {
            group = AddTo(group, new CGroup);
            group->m_pose.angle = turn;
        }
        AddBox(group, &doc.m_tool, 0);
        for (CPaint* member : doc.m_rootGroup.m_members) member->RecalcFrames();
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(SquareInGroups, turned, 0.1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SquareInGroups, unturned, 0.0)->Unit(benchmark::kMillisecond);

struct SmallPictures {
    int count;
    int side;
    bool distinct;
};

// Many small pictures, each its own file or all one: reading one more picture costs the same
// however many are held, and together they hold no more than the budget and a little each.
void ManySmallPictures(benchmark::State& state, SmallPictures pictures) {
    const std::string name = "small" + std::to_string(pictures.side) + "-";
    const fs::path folder = Folder("small", 0);
    const FileBytes picture = RunLengthBmpFile(1, pictures.side, pictures.side, RunLengthColors(2), {0, 1});
    for (int index = 0; index < (pictures.distinct ? pictures.count : 1); ++index)
        WriteFileBytes(folder / (name + std::to_string(index) + ".bmp"), picture);
    const fs::path layout = WriteLayout("small-pictures.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < pictures.count; ++index)
            AddPicture(&doc.m_rootGroup, &doc.m_tool, index,
                       Numbered(folder, name.c_str(), pictures.distinct ? index : 0) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(ManySmallPictures, distinct, SmallPictures{10000, 16, true})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ManySmallPictures, one_file, SmallPictures{10000, 16, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ManySmallPictures, distinct_127, SmallPictures{20000, 127, true})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(ManySmallPictures, one_file_127, SmallPictures{20000, 127, false})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(ManySmallPictures, distinct_tiny, SmallPictures{100000, 8, true})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(ManySmallPictures, one_file_tiny, SmallPictures{100000, 8, false})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// One plan of 8192 by 8192 pixels that fills the budget alone, then forty more such plans, each
// its own file or all one: each of the forty past the budget costs one reduced read.
void PicturesPastAFullBudget(benchmark::State& state, bool distinct) {
    constexpr int kPlanSide = 8192, kMore = 40;
    const fs::path folder = Folder("past-full", 0);
    WriteFileBytes(folder / "plan.bmp", OneBitPicture(kPlanSide));
    for (int index = 0; index < (distinct ? kMore : 1); ++index)
        WriteFileBytes(folder / ("more" + std::to_string(index) + ".bmp"), OneBitPicture(kPlanSide));
    const fs::path layout = WriteLayout("past-full.cvn", [&](CCVNDoc& doc) {
        AddPicture(&doc.m_rootGroup, &doc.m_tool, 0, CWinPath::FromReal(folder / "plan.bmp"));
        for (int index = 0; index < kMore; ++index)
            AddPicture(&doc.m_rootGroup, &doc.m_tool, index + 1,
                       Numbered(folder, "more", distinct ? index : 0) + ".bmp");
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(PicturesPastAFullBudget, distinct, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(PicturesPastAFullBudget, one_file, false)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace {

constexpr int kDeepNames = 300;
constexpr int kNameDepth = 1000;
constexpr int kLinkedNames = 2500;
constexpr int kLinkBackSteps = 800;

// Boxes whose pattern names each lead 1,000 real folders deep, or take as many "." steps into a
// folder near the root: the same bytes of names.
void BoxesNamingDeepFolders(benchmark::State& state, bool deep) {
    const fs::path root = FuzzFolder() / "deep-names";
    std::string steps;
    for (int level = 0; level < kNameDepth; ++level) steps += deep ? "\\d" : "\\.";
    fs::create_directories(root);
    fs::path folder = root;
    // Level by level: the library refuses to make so deep a path in one call.
    for (int level = 0; deep && level < kNameDepth; ++level) fs::create_directory(folder /= "d");
    const fs::path layout = WriteLayout("deep-names.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kDeepNames; ++index)
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                CWinPath::FromReal(root) + steps.c_str() + "\\missing" + std::to_string(index).c_str() +
                ".pat";
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesNamingDeepFolders, deep, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingDeepFolders, plain, false)->Unit(benchmark::kMillisecond);

// Boxes whose pattern names each pass through a link of their own, whose target goes into a
// folder and back out 800 times, or through a plain folder of their own; the names spelled in
// upper case, found only by listing the folder, or as the links are named, which the system
// then walks.
void BoxesNamingLongLinks(benchmark::State& state, bool links, const char* spelled) {
    const fs::path folder = FuzzFolder() / (links ? "long-links" : "plain-folders");
    fs::create_directories(folder / "d");
    std::string target = "d/..";
    for (int step = 1; step < kLinkBackSteps; ++step) target += "/d/..";
    for (int index = 0; index < kLinkedNames; ++index) {
        const fs::path entry = folder / ("e" + std::to_string(index));
        if (links && !fs::is_symlink(entry))
            fs::create_directory_symlink(target, entry);
        else if (!links)
            fs::create_directory(entry);
    }
    const fs::path layout = WriteLayout("long-links.cvn", [&](CCVNDoc& doc) {
        for (int index = 0; index < kLinkedNames; ++index)
            AddBox(&doc.m_rootGroup, &doc.m_tool, index)->m_strPatternFile =
                Numbered(folder, spelled, index) + "\\missing.pat";
    });
    OpenAndDraw(state, layout);
}
BENCHMARK_CAPTURE(BoxesNamingLongLinks, links, true, "E")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingLongLinks, plain, false, "E")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingLongLinks, links_as_named, true, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BoxesNamingLongLinks, plain_as_named, false, "e")->Unit(benchmark::kMillisecond);

}  // namespace
