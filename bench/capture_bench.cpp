// The image work of a run: the bitmap test (a 40 x 40 screen block copied and
// compared by same_pic), the searches of a whole screen, and a screenshot of a 1280 x 1024 screen encoded as a
// JPEG file of quality 80.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_files.h"
#include "kestrun/actions/capture.h"
#include "kestrun/actions/image_search.h"
#include "kestrun/actions/jpeg.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/model/main_model.h"

namespace {

// A screen with something like a desktop on it: soft gradients, blocks of
// flat colour and fine detail (text-like strokes), so the encoder works as
// it does on a real screen rather than on a flat one.
void PaintDesktop(fake::FakeDesktop& desktop) {
    platform::Image& screen = desktop.Screen();
    uint32_t noise = 1;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            int32_t colour = (x / 5) | ((y / 4) << 8) | (0x60 << 16);
            if ((x / 160 + y / 128) % 3 == 0) colour = 0xF0F0F0;
            noise = noise * 1103515245u + 12345u;
            if ((y % 16) < 11 && (x % 200) < 120 && ((noise >> 16) & 3) == 0) colour = 0x202020;
            screen.Set(x, y, colour);
        }
    }
}

void BitmapTest(benchmark::State& state, bool alike) {
    fake::FakeDesktop desktop;
    PaintDesktop(desktop);
    std::map<int, kestrun::BitmapEntry> bitmaps;
    kestrun::CopyBlockToLive(desktop, 300, 200, bitmaps[1]);
    bitmaps[1].reference = bitmaps[1].live;
    if (!alike) bitmaps[1].reference = platform::Image(40, 40, 0x123456);
    kestrun::DefaultRandomSource random;
    for (auto _ : state) {
        kestrun::CopyBlockToLive(desktop, 300, 200, bitmaps[1]);
        benchmark::DoNotOptimize(kestrun::same_pic(bitmaps, 1, random));
    }
}

void SamePicOnly(benchmark::State& state) {
    std::map<int, kestrun::BitmapEntry> bitmaps;
    bitmaps[1].reference = platform::Image(40, 40, 0x20C040);
    bitmaps[1].live = bitmaps[1].reference;
    kestrun::DefaultRandomSource random;
    for (auto _ : state) benchmark::DoNotOptimize(kestrun::same_pic(bitmaps, 1, random));
}

void CaptureAndJpeg(benchmark::State& state) {
    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 1280, 1024);
    PaintDesktop(desktop);
    fake::FakeFileSystem files;
    files.AddFolder("C:\\Kestrun\\screenshot");
    size_t bytes = 0;
    for (auto _ : state) {
        std::optional<platform::Image> screen = kestrun::CaptureScreen(desktop);
        kestrun::SaveJpeg(*screen, "C:\\Kestrun\\screenshot\\屏幕截图.jpg", 80, files);
        bytes = files.Content("C:\\Kestrun\\screenshot\\屏幕截图.jpg")->size();
    }
    state.counters["jpeg_bytes"] = double(bytes);
}

void JpegOnly(benchmark::State& state) {
    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 1280, 1024);
    PaintDesktop(desktop);
    const platform::Image screen = *kestrun::CaptureScreen(desktop);
    for (auto _ : state) benchmark::DoNotOptimize(kestrun::EncodeJpeg(screen, 80));
}

// A 1280 x 1024 screen searched for a 40 x 40 block that is not on it: a
// block of the screen with a small green mark that no screen pixel comes
// within 30 of, so every place must be tried.
void SearchBlockNotThere(benchmark::State& state) {
    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 1280, 1024);
    PaintDesktop(desktop);
    const platform::Image screen = *kestrun::CaptureScreen(desktop);
    platform::Image block(40, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) block.Set(x, y, screen.At(300 + x, 200 + y));
    }
    for (int y = 18; y < 22; ++y) {
        for (int x = 18; x < 22; ++x) block.Set(x, y, 0x00FF00);
    }
    const int tolerance = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(kestrun::FindBlock(screen, block, tolerance));
}

void SearchColourNotThere(benchmark::State& state) {
    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 1280, 1024);
    PaintDesktop(desktop);
    const platform::Image screen = *kestrun::CaptureScreen(desktop);
    const int tolerance = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(kestrun::FindColour(screen, 0x00FF00, tolerance));
}

}  // namespace

BENCHMARK(SearchBlockNotThere)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchColourNotThere)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BitmapTest, block_40x40_alike, true);
BENCHMARK_CAPTURE(BitmapTest, block_40x40_different, false);
BENCHMARK(SamePicOnly);
BENCHMARK(CaptureAndJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(JpegOnly)->Unit(benchmark::kMillisecond);
