// Loading Tapreel's click table of 100 000 rows at the window's load: the
// file read from the (fake) disk and decoded, each line split into its nine
// columns, and the table replaced. Saving it back at close.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/testing/fake_files.h"
#include "common/text/codec.h"
#include "tapreel/table/click_table.h"
#include "tapreel/table/click_table_file.h"

namespace {

constexpr int kRows = 100'000;
constexpr char kPath[] = "C:\\Tapreel\\操作信息.csv";

std::string TableText() {
    std::string text;
    for (int n = 1; n <= kRows; ++n) {
        text += std::to_string(n) + "," + std::to_string(n % 1280) + "," + std::to_string(n % 1024) + ",左键,单击," +
                std::to_string(100 + n % 900) + ",835111,,,\r\n";
    }
    return text + "\r\n";
}

void LoadTable(benchmark::State& state) {
    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    fake::FakeFileSystem files;
    const std::string bytes = *codec->Encode(TableText());
    files.AddFile(kPath, bytes);
    tapreel::ClickTable table;
    for (auto _ : state) {
        table.SetRows(tapreel::LoadClickTable(files, *codec, kPath));
        benchmark::DoNotOptimize(table.RowCount());
    }
    if (table.RowCount() != kRows) state.SkipWithError("the table did not load whole");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void SaveTable(benchmark::State& state) {
    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    fake::FakeFileSystem files;
    files.AddFile(kPath, *codec->Encode(TableText()));
    const auto rows = tapreel::LoadClickTable(files, *codec, kPath);
    for (auto _ : state) benchmark::DoNotOptimize(tapreel::SaveClickTable(files, *codec, kPath, rows));
}

}  // namespace

BENCHMARK(LoadTable)->Name("LoadClickTable/rows_100000")->Unit(benchmark::kMillisecond);
BENCHMARK(SaveTable)->Name("SaveClickTable/rows_100000")->Unit(benchmark::kMillisecond);
