// Micro-benchmarks of the engine over a generated corpus. Point WORDHOARD_CORPUS at a file made by
// tools/gen-corpus (bench/run-benchmarks does this); without it the benchmarks are skipped.
#include "EntryIndex.h"
#include "MapTextfile.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <cstdlib>

using namespace wordhoard;

namespace {

const TMapTextfile* corpus(benchmark::State& state) {
    static TMapTextfile text;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (const char* path = std::getenv("WORDHOARD_CORPUS")) text.Open(QString::fromLocal8Bit(path), false);
    }
    if (!text.opened()) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return &text;
}

void BM_BuildEntryIndex(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    for (auto _ : state) {
        EntryIndex index = buildEntryIndex(*text);
        benchmark::DoNotOptimize(index.offsets.data());
    }
}
BENCHMARK(BM_BuildEntryIndex)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
