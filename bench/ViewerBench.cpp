// Showing an entry in the window (Browse down to the finished document) over a generated corpus:
// WORDHOARD_CORPUS names the dictionary text; the benchmarks are skipped without it.
#include "EntryIndex.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainUnit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextEdit>

#include <cstdlib>
#include <memory>

using namespace wordhoard;

namespace {

struct Viewer {
    MainUnit unit;
    std::unique_ptr<TMainForm> form;
    int typical = -1;
    int largest = -1;
};

Viewer* viewer(benchmark::State& state) {
    static Viewer* v = [] {
        const char* path = std::getenv("WORDHOARD_CORPUS");
        if (!path) return static_cast<Viewer*>(nullptr);
        auto* made = new Viewer;
        made->form = std::make_unique<TMainForm>(made->unit);
        made->form->setErrorReporter([](const QString&) {});
        made->form->LoadFile(QString::fromLocal8Bit(path));
        made->form->Wordlist();
        made->form->show();
        // Entry lengths from the offsets: the largest, and one of median length.
        const auto& starts = made->unit.EntryOffsets.offsets;
        std::vector<std::pair<std::int32_t, int>> lengths;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            lengths.emplace_back(entryLastByte(*made->unit.text, starts[i]) - starts[i], static_cast<int>(i));
        }
        if (lengths.empty()) return made;
        std::sort(lengths.begin(), lengths.end());
        made->typical = lengths[lengths.size() / 2].second;
        made->largest = lengths.back().second;
        return made;
    }();
    if (!v || v->typical < 0) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return v;
}

// layout: also lay the whole document out (what scrolling to its end needs); without it the
// pane lays out what it shows when it paints.
void showEntry(benchmark::State& state, bool largest, bool layout) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    const int row = largest ? v->largest : v->typical;
    v->form->TntListBox1->selectRow(row);
    for (auto _ : state) {
        v->form->Browse(0);
        if (layout) benchmark::DoNotOptimize(v->form->TntRichEdit1->document()->size());
    }
    state.counters["bytes"] = static_cast<double>(
        entryLastByte(*v->unit.text, v->unit.EntryOffsets.offsets[static_cast<std::size_t>(row)]) -
        v->unit.EntryOffsets.offsets[static_cast<std::size_t>(row)]);
}

void BM_BrowseTypicalEntry(benchmark::State& state) { showEntry(state, false, false); }
void BM_BrowseLargestEntry(benchmark::State& state) { showEntry(state, true, false); }
void BM_BrowseTypicalEntryLaidOut(benchmark::State& state) { showEntry(state, false, true); }
void BM_BrowseLargestEntryLaidOut(benchmark::State& state) { showEntry(state, true, true); }
BENCHMARK(BM_BrowseTypicalEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseLargestEntry)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseTypicalEntryLaidOut)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseLargestEntryLaidOut)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
