// Loading a plan of 10 000 lines, as import and start-up do: the file read
// from the (fake) disk and decoded from GBK, the lines trimmed, the list
// replaced, and the reference bitmaps of its 100 bitmap test lines read.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/fake_kestrun.h"
#include "kestrun/script/bmp_file.h"
#include "kestrun/script/plan_file.h"

namespace {

constexpr int kLines = 10'000;
constexpr int kBitmapLines = 100;

std::vector<std::string> PlanLines() {
    const std::vector<std::string> kinds = {
        "鼠标点击=100,100,左键单击",
        "等待时间=500",
        "粘贴文字=640,512,你好，这是一段测试文字",
        "模拟按键={ENTER}",
        "判断颜色=10,10,835111,2",
        "鼠标拖拉=100,100,200,200",
        "窗口操作=激活,记事本",
        "屏幕截图=区域,80,0,0,1200,800",
    };
    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i) {
        if (i % (kLines / kBitmapLines) == 0) {
            lines.push_back("比较位图=" + std::to_string(lines.size() / (kLines / kBitmapLines) + 1) + ",100,100,0");
        } else {
            lines.push_back(kinds[size_t(i) % kinds.size()]);
        }
    }
    return lines;
}

void LoadPlan(benchmark::State& state, bool withBitmaps) {
    FakeKestrun kestrun;
    const std::string planBytes = kestrun::PlanFileBytes(*kestrun.codec, PlanLines(), {});
    if (withBitmaps) {
        const std::string bitmap = kestrun::EncodeBmp(platform::Image(40, 40, 0x20C040));
        for (int n = 1; n <= kBitmapLines; ++n) {
            kestrun.files.AddFile("C:\\Kestrun\\screenshot\\big" + std::to_string(n) + ".bmp", bitmap);
        }
    }
    const auto load = [](kestrun::ListManager& lists, const std::string& path) { lists.LoadPlanFile(path); };
    const auto observe = [](const kestrun::MainModel& model) { return size_t(model.RowCount()); };
    if (kestrun.TimeLoading(state, "C:\\Kestrun\\process\\big.csv", planBytes, load, observe) != kLines) {
        state.SkipWithError("the plan did not load whole");
    }
}

}  // namespace

BENCHMARK_CAPTURE(LoadPlan, lines_10000_with_100_bitmaps, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadPlan, lines_10000_bitmap_files_missing, false)->Unit(benchmark::kMillisecond);
