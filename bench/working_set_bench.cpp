// Memory after a thousand ticks: the heap in use before and after 1000 ticks
// of a plan of every kind on the fakes, as counters (bytes). The native heap
// stands for the program's own allocations; the working set of the real exe
// under Wine is measured separately (docs/performance.md).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "common/text/codec.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"

namespace {

size_t HeapInUse() {
#if defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

void ThousandTicks(benchmark::State& state) {
    const std::vector<std::string> plan = {"等待时间=100",
                                           "比较位图=1,10,10,-1",
                                           "判断颜色=60,60,835111,-1",
                                           "鼠标点击=R*10,100,左键单击",
                                           "鼠标拖拉=100,100,200,200",
                                           "粘贴文字=100,100,测试文字",
                                           "比较文字=测试文字,-1",
                                           "模拟按键=^a",
                                           "打开文件=C:\\data\\a.txt",
                                           "打开网址=https://example.com/",
                                           "鼠标滚动=100,100,3",
                                           "文件操作=复制,C:\\data\\a.txt,C:\\data\\b.txt",
                                           "窗口操作=激活,记事本",
                                           "屏幕截图=区域,80,0,0,64,64",
                                           "文件操作=删除,C:\\Kestrun\\screenshot\\*.jpg"};
    size_t before = 0, after = 0, peak = 0;
    for (auto _ : state) {
        fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 320, 240);
        fake::FakeDialogs dialogs;
        fake::FakeFileSystem files;
        std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
        fake::FakeTimers timers(desktop.Clock());
        kestrun::MainModel model;
        model.SetProgramFolder("C:\\Kestrun\\");
        files.AddFolder("C:\\Kestrun\\screenshot");
        files.AddFile("C:\\data\\a.txt", "a");
        files.KeepTailOf("C:\\Kestrun\\日志.txt", 4096);
        kestrun::RunLog log(desktop, files, *codec);
        log.SetPath("C:\\Kestrun\\日志.txt");
        kestrun::DefaultRandomSource random;
        kestrun::Interpreter interpreter(model, desktop, files, log, random);
        kestrun::RunControl control(model, desktop, dialogs, timers, log, interpreter, "Kestrun");
        model.SetRows(plan);
        model.SetSelection(0);
        control.Toggle();
        // The first cycle brings the heap to its working size.
        desktop.Clock().RunUntil([&] { return timers.TickCount(kestrun::kTimer1) >= 100; }, 1'000'000);
        desktop.ClearLog();
        files.ClearLog();
        before = HeapInUse();
        for (int batch = 0; batch < 10; ++batch) {
            const int target = timers.TickCount(kestrun::kTimer1) + 100;
            desktop.Clock().RunUntil([&] { return timers.TickCount(kestrun::kTimer1) >= target; }, 1'000'000);
            desktop.ClearLog();
            files.ClearLog();
            peak = std::max(peak, HeapInUse());
        }
        after = HeapInUse();
    }
    state.counters["heap_before"] = double(before);
    state.counters["heap_after_1000_ticks"] = double(after);
    state.counters["heap_peak"] = double(peak);
}

}  // namespace

BENCHMARK(ThousandTicks)->Unit(benchmark::kMillisecond)->Iterations(3);
