// The core's operations, in nanoseconds each.

#include <benchmark/benchmark.h>

#include <string>

#include "median_reporter.h"
#include "number_forms.h"
#include "tally.h"

namespace {

void BM_cmd_Click(benchmark::State& state) {
    const int rank = static_cast<int>(state.range(0));
    tally::Tally tally;
    tally.Form_Load();
    for (auto _ : state) tally.cmd_Click(rank);
    benchmark::DoNotOptimize(tally.Cumul());
}
BENCHMARK(BM_cmd_Click)->DenseRange(0, 12);

void BM_Form_Load(benchmark::State& state) {
    tally::Tally tally;
    for (auto _ : state) tally.Form_Load();
}
BENCHMARK(BM_Form_Load);

void BM_cmdNBJeux_Click(benchmark::State& state) {
    tally::Tally tally;
    for (auto _ : state) tally.cmdNBJeux_Click();
}
BENCHMARK(BM_cmdNBJeux_Click);

void BM_HScroll1_Change(benchmark::State& state) {
    tally::Tally tally;
    int decks = 0;
    for (auto _ : state) tally.HScroll1_Change(decks = (decks + 1) % 11);
}
BENCHMARK(BM_HScroll1_Change);

void BM_HScroll2_Change(benchmark::State& state) {
    tally::Tally tally;
    int value = 0;
    for (auto _ : state) tally.HScroll2_Change(12, value = (value + 7) % 1000);
}
BENCHMARK(BM_HScroll2_Change);

void BM_fieldValue(benchmark::State& state, std::string text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(tally::fieldValue(text));
    }
}
BENCHMARK_CAPTURE(BM_fieldValue, signed, std::string(" 311"));
BENCHMARK_CAPTURE(BM_fieldValue, negative, std::string("-1"));
BENCHMARK_CAPTURE(BM_fieldValue, decimal, std::string("3.5"));
BENCHMARK_CAPTURE(BM_fieldValue, empty, std::string());

void BM_numberForm(benchmark::State& state, std::string (*form)(std::int64_t)) {
    std::int64_t n = 311;
    for (auto _ : state) {
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(form(n));
    }
}
BENCHMARK_CAPTURE(BM_numberForm, plain, &tally::plainForm);
BENCHMARK_CAPTURE(BM_numberForm, signed, &tally::signedForm);

}  // namespace

int main(int argc, char** argv) {
    auto args = withDefaultFlags(argc, argv);
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int rank = 0; rank <= 12; ++rank)
        reporter.below("BM_cmd_Click/" + std::to_string(rank), 1000.0, "ns");
    benchmark::Shutdown();
    return 0;
}
