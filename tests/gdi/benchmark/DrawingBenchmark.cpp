#include <benchmark/benchmark.h>

#include "platform/gdi/CDC.h"

// What a plan redraw spends its time on: short line segments, a whole-window copy and filled
// rectangles, on a 1920x1080 picture.
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A colour memory DC holding a full-HD bitmap.
struct Picture {
    Picture() {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
    }
    CDC dc;
    CBitmap bitmap;
};

// 100,000 segments of one to three pixels, as curves drawn in small steps give: a zig-zag
// polyline sweeping the picture row by row, in logical units of a pixel over unit.
void DrawShortSegments(CDC& dc, int unit = 1) {
    int x = 0, y = 5;
    dc.MoveTo(x, y);
    for (int i = 0; i < 100000; ++i) {
        x += 1 + i % 3;
        if (x >= kWidth) {
            x = 0, y = (y + 7) % (kHeight - 2);
            dc.MoveTo(x * unit, y * unit);
        }
        y += i % 2 == 0 ? 2 : -2;
        dc.LineTo(x * unit, y * unit);
    }
}

// Draws the segments with a one-pixel pen for as long as the benchmark runs.
void MeasureShortSegments(benchmark::State& state, CDC& dc, int unit = 1) {
    CPen pen(PS_SOLID, 0, RGB(0, 0, 160));
    CPen* previous = dc.SelectObject(&pen);
    for (auto _ : state) DrawShortSegments(dc, unit);
    state.SetItemsProcessed(state.iterations() * 100000);
    dc.SelectObject(previous);
}

void ShortLineSegments(benchmark::State& state) {
    Picture picture;
    MeasureShortSegments(state, picture.dc);
}
BENCHMARK(ShortLineSegments)->Unit(benchmark::kMillisecond);

// The same through a clip region, as a window's DC has one.
void ShortLineSegmentsClipped(benchmark::State& state) {
    Picture picture;
    CRgn clip;
    clip.CreateRectRgn(10, 10, kWidth - 10, kHeight - 10);
    picture.dc.SelectClipRgn(&clip);
    picture.dc.ExcludeClipRect(900, 500, 1000, 600);
    MeasureShortSegments(state, picture.dc);
}
BENCHMARK(ShortLineSegmentsClipped)->Unit(benchmark::kMillisecond);

// The same through a clip region of many pieces, as a window's DC has over a dialog full of
// controls: a hole for each of 200 controls.
void ShortLineSegmentsClippedAroundControls(benchmark::State& state) {
    Picture picture;
    CRgn clip;
    clip.CreateRectRgn(0, 0, kWidth, kHeight);
    picture.dc.SelectClipRgn(&clip);
    for (int i = 0; i < 200; ++i)
        picture.dc.ExcludeClipRect(20 + i % 20 * 90, 20 + i / 20 * 100, 90 + i % 20 * 90, 60 + i / 20 * 100);
    MeasureShortSegments(state, picture.dc);
}
BENCHMARK(ShortLineSegmentsClippedAroundControls)->Unit(benchmark::kMillisecond);

// The same through a plan-like mapping, y up, three logical units to a pixel.
void ShortLineSegmentsMapped(benchmark::State& state) {
    Picture picture;
    picture.dc.SetMapMode(MM_ANISOTROPIC);
    picture.dc.SetWindowExt(3, 3);
    picture.dc.SetViewportExt(1, -1);
    picture.dc.SetViewportOrg(0, kHeight);
    MeasureShortSegments(state, picture.dc, 3);
}
BENCHMARK(ShortLineSegmentsMapped)->Unit(benchmark::kMillisecond);

// A finished picture copied whole to the window.
void CopyWholePicture(benchmark::State& state) {
    Picture source, target;
    for (auto _ : state) target.dc.BitBlt(0, 0, kWidth, kHeight, &source.dc, 0, 0, SRCCOPY);
}
BENCHMARK(CopyWholePicture)->Unit(benchmark::kMillisecond);

// The background cleared at once, then 10,000 small squares (symbols, handles, swatches).
void FillWholePicture(benchmark::State& state) {
    Picture picture;
    for (auto _ : state) picture.dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 240));
}
BENCHMARK(FillWholePicture)->Unit(benchmark::kMillisecond);

void FillSmallSquares(benchmark::State& state) {
    Picture picture;
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            picture.dc.FillSolidRect(i * 37 % (kWidth - 8), i * 11 % (kHeight - 8), 7, 7, RGB(i % 256, 0, 0));
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(FillSmallSquares)->Unit(benchmark::kMillisecond);

}  // namespace
