#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "drawing/CBMP.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CDecodedPictures.h"
#include "platform/gdi/CSpilledPicture.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PixelDigest.h"

// Layouts of many pictures, each its own file, opened, then repainted whole on a screen-sized
// canvas: the memory they take once open, what opening and the first repaint take, and what a
// later repaint costs, most of them past the budget.

namespace {

namespace fs = std::filesystem;

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;
constexpr double kPitch = 1000.0;

int Columns(int count) {
    return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
}

fs::path WriteLayout(int count, int side) {
    const fs::path folder = FuzzFolder() / ("pictures" + std::to_string(count) + "x" + std::to_string(side));
    fs::create_directories(folder);
    CFuzzDoc doc;
    doc.OnNewDocument();
    for (int index = 0; index < count; ++index) {
        const fs::path file = folder / ("p" + std::to_string(index) + ".bmp");
        WriteFileBytes(
            file, EncodeBmpFile(PixelSurface(side, side, static_cast<std::uint32_t>(index) | 0x808080), 24));
        // Down from the plan's origin, as the plan shows it.
        const double x = kPitch * (index % Columns(count)), y = -kPitch * (index / Columns(count) + 1);
        auto* picture = new CBMP(0, &doc.m_tool, x, y);
        picture->MoveBoxCorner(3, 0.8 * kPitch, 0.8 * kPitch, nullptr);
        picture->m_strFile = CWinPath::FromReal(file);
        doc.m_rootGroup.m_members.push_back(picture);
        picture->SetOwnerGroup(&doc.m_rootGroup);
    }
    doc.m_rootGroup.SetTool(&doc.m_tool);
    // Stored as the program stores what it draws: the plan only finds a picture by its extent.
    doc.m_rootGroup.ComputeExtent(nullptr);
    const FuzzBytes bytes = SaveLayout(doc);
    return WriteFuzzFile(("pictures" + std::to_string(count) + ".cvn").c_str(), bytes.data(), bytes.size());
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The whole layout on a screen, every picture in view; the pixels the pictures cover.
int Repaint(CCVNDoc& doc, CBitmap& screen) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* previous = dc.SelectObject(&screen);
    dc.FillSolidRect(0, 0, kScreenWidth, kScreenHeight, 0);
    dc.SetViewportOrg(0, kScreenHeight);
    doc.m_tool.SetTargetDC(&dc, nullptr);
    doc.m_tool.m_rcUpdate = DeviceRect{-kScreenWidth, -kScreenHeight, kScreenWidth, kScreenHeight};
    doc.m_tool.DrawLayout();
    doc.m_tool.SetTargetDC(nullptr, nullptr);
    dc.SelectObject(previous);
    const PixelSurface& pixels = *screen.Surface();
    int covered = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) covered += pixels.At(x, y) != 0 ? 1 : 0;
    return covered;
}

// The cache home put under a plain file, so that the cache folder refuses every picture, while it
// lasts.
class RefusingCacheHome {
  public:
    explicit RefusingCacheHome(bool refusing) : m_former(std::getenv("XDG_CACHE_HOME")) {
        if (!refusing)
            return;
        WriteFileBytes(FuzzFolder() / "plain-file", FileBytes{});
        setenv("XDG_CACHE_HOME", (FuzzFolder() / "plain-file" / "cache").c_str(), 1);
    }
    RefusingCacheHome(const RefusingCacheHome&) = delete;
    RefusingCacheHome& operator=(const RefusingCacheHome&) = delete;
    ~RefusingCacheHome() { setenv("XDG_CACHE_HOME", m_former.c_str(), 1); }

  private:
    std::string m_former;
};

void ManyPictures(benchmark::State& state, int count, int side, bool refused) {
    const fs::path layout = WriteLayout(count, side);
    const RefusingCacheHome cacheHome(refused);
    CFuzzDoc doc;
    const auto start = std::chrono::steady_clock::now();
    doc.OnOpenDocument(layout.c_str());
    const auto open = std::chrono::steady_clock::now();
    const double opened = PeakMegabytes();
    doc.m_tool.SetViewScale(kScreenHeight, kPitch * Columns(count));
    doc.m_rootGroup.ComputeExtent(nullptr);
    doc.m_tool.UpdateDeviceBounds();
    CBitmap screen;
    screen.CreateBitmap(kScreenWidth, kScreenHeight, 1, 32, nullptr);
    // The first repaint makes the small copies that the later ones read.
    Repaint(doc, screen);
    state.counters["open_and_first_repaint_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    state.counters["open_ms"] = std::chrono::duration<double, std::milli>(open - start).count();
    const std::uint64_t reads = CDecodedPictures::FileReads();
    const std::uint64_t readBack = CSpilledPicture::PixelsReadBack();
    int covered = 0;
    for (auto _ : state) covered = Repaint(doc, screen);
    state.counters["opened_peak_RSS_MB"] = opened;
    state.counters["peak_RSS_MB"] = PeakMegabytes();
    state.counters["held_MB"] = static_cast<double>(CDecodedPictures::HeldBytes()) / (1 << 20);
    state.counters["files_read_per_repaint"] =
        static_cast<double>(CDecodedPictures::FileReads() - reads) / static_cast<double>(state.iterations());
    state.counters["pixels_read_back_per_repaint"] =
        static_cast<double>(CSpilledPicture::PixelsReadBack() - readBack) /
        static_cast<double>(state.iterations());
    state.counters["pixels_covered"] = covered;
    // Exact in a counter's double, to hold one build's screen against another's.
    state.counters["screen_digest"] = static_cast<double>(PixelDigest(*screen.Surface()) >> 12);
}
BENCHMARK_CAPTURE(ManyPictures, held_200, 200, 128, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ManyPictures, tiny_100000, 100000, 8, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ManyPictures, small_20000, 20000, 128, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ManyPictures, large_300, 300, 1500, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ManyPictures, large_300_cache_refused, 300, 1500, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
