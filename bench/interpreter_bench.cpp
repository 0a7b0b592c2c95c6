// One instruction line parsed and dispatched by the interpreter on the fake
// desktop, and one whole tick of the run (pump, run log entry, line, select,
// trim) as Timer1 makes it, with List1's list box (in memory) following the
// model as the window's does, in plans of 10 and of 1 000 000 rows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

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
#include "kestrun/testing/fake_list1_box.h"
#include "kestrun/ui/list1_view.h"

namespace {

struct World {
    World()
        : codec(text::MakeSystemCodec()), log(desktop, files, *codec), interpreter(model, desktop, files, log, random) {
        model.SetProgramFolder("C:\\Kestrun\\");
        log.SetPath("C:\\Kestrun\\日志.txt");
        model.SetCycleCounter(7);
        model.SetRows({"等待时间=0", "等待时间=0", "等待时间=0"});
        model.EditBitmaps([&](auto& bitmaps) { bitmaps[1].reference = platform::Image(40, 40, 0x20C040); });
        desktop.PaintRect(100, 100, 40, 40, 0x20C040);
        desktop.Clipboard() = "Kestrun";
        files.KeepTailOf(log.Path(), 4096);
    }
    fake::FakeDesktop desktop;
    fake::FakeFileSystem files;
    std::unique_ptr<text::AnsiCodec> codec;
    kestrun::MainModel model;
    kestrun::RunLog log;
    kestrun::DefaultRandomSource random;
    kestrun::Interpreter interpreter;
};

void ExecuteLine(benchmark::State& state, const std::string& line) {
    World world;
    int64_t n = 0;
    for (auto _ : state) {
        world.model.SetInstructionPointer(1);
        world.interpreter.ExecuteLine(line);
        // The fakes record every call; the record is emptied now and then so
        // that it does not become what is measured.
        if ((++n & 1023) == 0) {
            world.desktop.ClearLog();
            world.files.ClearLog();
        }
    }
}

void Tick(benchmark::State& state) {
    World world;
    fake::FakeDialogs dialogs;
    fake::FakeTimers timers(world.desktop.Clock());
    kestrun::RunControl control(world.model, world.desktop, dialogs, timers, world.log, world.interpreter, "Kestrun");
    fake::FakeList1Box list1;
    world.model.SetChangeListener([&](kestrun::ModelPart part) { kestrun::RenderList1(world.model, part, list1); });
    world.model.SetRows(std::vector<std::string>(size_t(state.range(0)), "等待时间=0"));
    world.model.SetSelection(0);
    control.Toggle();
    int64_t n = 0;
    for (auto _ : state) {
        timers.TickNow(kestrun::kTimer1);
        if ((++n & 1023) == 0) {
            world.desktop.ClearLog();
            world.files.ClearLog();
        }
    }
}

}  // namespace

BENCHMARK_CAPTURE(ExecuteLine, mouse_click, std::string("鼠标点击=100,100,左键单击"));
BENCHMARK_CAPTURE(ExecuteLine, mouse_click_with_R, std::string("鼠标点击=100+R*20,int(R/2)*10,左键单击"));
BENCHMARK_CAPTURE(ExecuteLine, colour_test, std::string("判断颜色=100,100,2146368,0"));
BENCHMARK_CAPTURE(ExecuteLine, bitmap_test, std::string("比较位图=1,100,100,0"));
BENCHMARK_CAPTURE(ExecuteLine, clipboard_test, std::string("比较文字=Kestrun,1"));
BENCHMARK_CAPTURE(ExecuteLine, paste_text, std::string("粘贴文字=100,100,测试文字"));
BENCHMARK_CAPTURE(ExecuteLine, wait_0, std::string("等待时间=0"));
BENCHMARK_CAPTURE(ExecuteLine, not_an_instruction, std::string("鼠标点击 =100,100,左键单击"));
BENCHMARK(Tick)->Arg(10)->Arg(1'000'000);
