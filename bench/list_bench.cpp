// Loading a paste list and a URL list of a million lines (50 MB of GBK), as
// start-up, the pick button and a dropped file do: the file read from the
// (fake) disk and decoded, each line trimmed, blank lines skipped, and the
// list replaced.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/fake_kestrun.h"

namespace {

constexpr int kLines = 1'000'000;
constexpr char kPath[] = "C:\\Kestrun\\big.txt";

// About 50 bytes a line: Chinese text with blanks around it, or an address.
std::string ListText(bool urls) {
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        std::string n = std::to_string(i);
        if (urls) {
            text += "  https://www.example.com/catalogue/item?id=" + n + "&p=1 \r\n";
        } else {
            text += "  第" + n + "条测试文字，用于粘贴列表的条目，abc " + n + "  \r\n";
        }
    }
    return text;
}

void LoadList(benchmark::State& state, bool urls) {
    FakeKestrun kestrun;
    const std::string bytes = *kestrun.codec->Encode(ListText(urls));
    const auto load = [urls](kestrun::ListManager& lists, const std::string& path) {
        if (urls) {
            lists.LoadUrlListFile(path);
        } else {
            lists.LoadPasteListFile(path);
        }
    };
    // The list the load fills.
    const auto observe = [urls](const kestrun::MainModel& model) {
        return urls ? model.UrlEntries().size() : model.PasteEntries().size();
    };
    if (kestrun.TimeLoading(state, kPath, bytes, load, observe) != kLines) {
        state.SkipWithError("the list did not load whole");
    }
}

// "列表" taking the first entry of a list of a million entries.
void TakeFirstEntry(benchmark::State& state) {
    kestrun::MainModel model;
    std::vector<std::string> entries;
    for (int i = 0; i < kLines; ++i) entries.push_back("entry " + std::to_string(i) + " of a long paste list");
    model.SetPasteList(std::move(entries), "列表");
    for (auto _ : state) {
        if (model.PasteEntries().empty()) state.SkipWithError("the list ran out");
        benchmark::DoNotOptimize(model.TakeFirstPasteEntry());
    }
}

}  // namespace

BENCHMARK(TakeFirstEntry)->Name("TakeFirstPasteEntry/of_1000000")->Iterations(100'000);
BENCHMARK_CAPTURE(LoadList, paste_1000000_lines, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadList, url_1000000_lines, true)->Unit(benchmark::kMillisecond);
