// The expression evaluator on the texts plans hold (a click coordinate with
// its "R" replaced) and on the worst texts it must still survive.
#include <benchmark/benchmark.h>

#include <string>

#include "kestrun/script/compute.h"

namespace {

void Evaluate(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(compute::Calculate(text));
        } catch (const compute::ArithmeticError&) {
            // The fault is the answer for some of the worst cases.
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

std::string Repeat(const std::string& piece, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += piece;
    return out;
}

std::string Nested(int depth) { return std::string(size_t(depth), '(') + "1+2" + std::string(size_t(depth), ')'); }

}  // namespace

// Typical: coordinates of click lines in cycle 7.
BENCHMARK_CAPTURE(Evaluate, typical_plain, std::string("640"));
BENCHMARK_CAPTURE(Evaluate, typical_step, std::string("100+7*20"));
BENCHMARK_CAPTURE(Evaluate, typical_brackets_int, std::string("int((7-1)/2)*35+12"));
// Worst cases.
BENCHMARK_CAPTURE(Evaluate, worst_chain_10000_terms, Repeat("1+", 9'999) + "1");
BENCHMARK_CAPTURE(Evaluate, worst_mixed_chain_10000_terms, Repeat("2*3-1/4+", 2'499) + "1");
BENCHMARK_CAPTURE(Evaluate, worst_brackets_200_deep, Nested(200));
BENCHMARK_CAPTURE(Evaluate, worst_unclosed_brackets_5000, Repeat("(", 5'000) + "1");
BENCHMARK_CAPTURE(Evaluate, worst_int_groups_1000, Repeat("int(", 1'000) + "2.5" + Repeat(")", 1'000));
BENCHMARK_CAPTURE(Evaluate, worst_sum_of_2_billion, std::string("∑2147483647"));
BENCHMARK_CAPTURE(Evaluate, worst_factorial_170, std::string("170!"));
BENCHMARK_CAPTURE(Evaluate, worst_number_1MB, std::string(1'000'000, '9'));
// Roots that do not apply hand their text on again and again.
BENCHMARK_CAPTURE(Evaluate, worst_root_fallthrough_30, Repeat("√∑", 30));
BENCHMARK_CAPTURE(Evaluate, worst_root_fallthrough_200, Repeat("0√∑", 200));
