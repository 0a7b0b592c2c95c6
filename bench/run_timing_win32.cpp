// run_timing_bench.exe (built from this file): measures, on the real platform, the pace of a run and
// the accuracy of a wait, with the same code the program runs:
// - a run of 300 lines of 等待时间=0 (one cycle) through RunControl with the
//   Win32 timers, from the start to the stop: should take 30 s;
// - the wait instruction 等待时间=2500 through the interpreter: 2500 ms;
// - the bitmap test's image work (the 40 x 40 screen block copied and compared
//   by same_pic): goal under 0.5 ms;
// - a screenshot of the whole screen saved as a JPEG file of quality 80: goal
//   under 40 ms for 1280 x 1024.
// - the picture search of the whole screen for a 40 x 40 picture that is not
//   there, through the interpreter (one screen copy, then the scan), CPU
//   time: goal under 20 ms at tolerance 0 and under 60 ms at tolerance 30;
// - the CPU share of a wait for a window that never comes: goal 1 % at most.
// Prints one line per figure. Run under Wine: wine run_timing_bench.exe
#include <windows.h>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text/utf8.h"
#include "common/win32/desktop_win32.h"
#include "common/win32/dialogs_win32.h"
#include "common/win32/files_win32.h"
#include "common/win32/timers_win32.h"
#include "kestrun/actions/capture.h"
#include "kestrun/actions/jpeg.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"

namespace {

// CPU time of the process so far (user and kernel), in milliseconds.
double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

win32::Win32Timers* g_timers = nullptr;

LRESULT CALLBACK BenchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && g_timers && g_timers->HandleTimer(wParam)) return 0;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int lines = argc > 1 ? _wtoi(argv[1]) : 300;
    WNDCLASSW wc{};
    wc.lpfnWndProc = BenchProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestrunTimingBench";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(wc.lpszClassName, L"bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

    win32::Win32Desktop desktop(hwnd);
    win32::Win32Dialogs dialogs(hwnd);
    win32::Win32FileSystem files;
    win32::Win32Timers timers(hwnd);
    g_timers = &timers;
    auto codec = text::MakeSystemCodec();
    kestrun::MainModel model;
    kestrun::DefaultRandomSource random;
    kestrun::RunLog log(desktop, files, *codec);
    log.SetEnabled(false);  // the figure is the pace, not the disk
    kestrun::Interpreter interpreter(model, desktop, files, log, random);
    kestrun::RunControl control(model, desktop, dialogs, timers, log, interpreter, "Kestrun");

    // The pace of a run: every line takes one tick.
    model.SetRows(std::vector<std::string>(size_t(lines), "等待时间=0"));
    model.SetSelection(0);
    model.SetTxtRound("1");
    double start = NowMs();
    control.Toggle();
    MSG msg;
    while (model.IsRunning() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    double run = NowMs() - start;
    std::printf("run of %d lines of 等待时间=0: %.1f ms (%.3f ms per tick; goal 100 +- 1)\n", lines, run,
                run / (lines + 1));

    // A wait during a run (the fine timer resolution is on while a run is active).
    desktop.SetFineTimerResolution(true);
    for (int i = 0; i < 5; ++i) {
        model.SetInstructionPointer(0);
        double waitStart = NowMs();
        interpreter.ExecuteLine("等待时间=2500");
        std::printf("等待时间=2500: %.1f ms\n", NowMs() - waitStart);
    }
    desktop.SetFineTimerResolution(false);

    // The bitmap test's image work, on the real screen.
    std::map<int, kestrun::BitmapEntry> bitmaps;
    kestrun::CopyBlockToLive(desktop, 100, 100, bitmaps[1]);
    bitmaps[1].reference = bitmaps[1].live;
    constexpr int kBitmapTests = 1000;
    int alike = 0;
    double testsStart = NowMs();
    for (int i = 0; i < kBitmapTests; ++i) {
        kestrun::CopyBlockToLive(desktop, 100, 100, bitmaps[1]);
        alike += kestrun::same_pic(bitmaps, 1, random) ? 1 : 0;
    }
    std::printf("bitmap test (40 x 40 copy + same_pic): %.3f ms each over %d (%d alike; goal under 0.5)\n",
                (NowMs() - testsStart) / kBitmapTests, kBitmapTests, alike);

    // The picture search of the whole screen for a picture that is not there:
    // a noise pattern no desktop shows.
    platform::Image noise(40, 40);
    for (int i = 0; i < 1600; ++i) noise.pixels[size_t(i)] = int32_t((uint32_t(i) * 2654435761u) >> 8) & 0xFFFFFF;
    model.EditBitmaps([&](auto& table) { table[1].reference = noise; });
    for (const char* line : {"查找位图=1,0,0,1280,1024,0,0", "查找位图=1,0,0,1280,1024,30,0"}) {
        constexpr int kSearches = 10;
        const double cpuStart = CpuMs(), wallStart = NowMs();
        for (int i = 0; i < kSearches; ++i) {
            model.SetInstructionPointer(0);
            interpreter.ExecuteLine(line);
        }
        std::printf("%s: %.1f ms CPU, %.1f ms elapsed each over %d (found: %s)\n", line,
                    (CpuMs() - cpuStart) / kSearches, (NowMs() - wallStart) / kSearches, kSearches,
                    model.InstructionPointer() == 1 ? "yes" : "no");
    }

    // A wait for a window that never comes: how much of a core it takes.
    {
        const double cpuStart = CpuMs(), wallStart = NowMs();
        interpreter.ExecuteLine("等待窗口=没有这个窗口,5000,0");
        const double wall = NowMs() - wallStart;
        std::printf("等待窗口 for 5000 ms: %.1f ms CPU over %.1f ms (%.2f %% of a core; goal 1 %% at most)\n",
                    CpuMs() - cpuStart, wall, 100.0 * (CpuMs() - cpuStart) / wall);
    }

    // A screenshot of the whole screen saved as JPEG, quality 80.
    wchar_t tempFolder[MAX_PATH];
    GetTempPathW(MAX_PATH, tempFolder);
    const std::string path = text::FromUtf16(reinterpret_cast<const char16_t*>(tempFolder)) + "kestrun_bench.jpg";
    double best = 1e9, total = 0;
    constexpr int kShots = 10;
    platform::Point size = desktop.ScreenSize();
    for (int i = 0; i < kShots; ++i) {
        double shotStart = NowMs();
        std::optional<platform::Image> screen = kestrun::CaptureScreen(desktop);
        if (screen) kestrun::SaveJpeg(*screen, path, 80, files);
        double shot = NowMs() - shotStart;
        best = shot < best ? shot : best;
        total += shot;
    }
    files.DeleteFile(path);
    std::printf("screenshot %d x %d + JPEG quality 80: %.1f ms mean, %.1f ms best of %d (goal under 40)\n", size.x,
                size.y, total / kShots, best, kShots);
    return 0;
}
