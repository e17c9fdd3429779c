// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Micro-benchmarks of the engine over a generated corpus. Point WORDHOARD_CORPUS at a file made by
// tools/gen-corpus (bench/run-benchmarks does this); without it the benchmarks are skipped.
#include "display/PageOrder.h"
#include "language/FormIndex.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "display/PageOrder.h"
#include "language/LinkIndex.h"
#include "text/TextLoad.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace wordhoard;

namespace {

const TMapTextfile* corpus(benchmark::State& state) {
    static TMapTextfile text;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (const char* path = std::getenv("WORDHOARD_CORPUS"))
            text.Open(QString::fromLocal8Bit(path), false);
    }
    if (!text.opened()) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return &text;
}

// The index over the mapped text, then every headword decoded once (the index keeps them raw and
// the word list decodes the lines it shows; this is the most any use decodes).
void BM_BuildEntryIndex(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    for (auto _ : state) {
        EntryIndex index = buildEntryIndex(*text);
        qsizetype units = 0;
        for (qsizetype i = 0; i < index.size(); ++i)
            units += index.headword(i).size();
        benchmark::DoNotOptimize(units);
    }
}
BENCHMARK(BM_BuildEntryIndex)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// What start-up does: map the file, read it in parts on two threads and join their indexes
// (headwords left raw).
void BM_LoadText(benchmark::State& state) {
    const char* path = std::getenv("WORDHOARD_CORPUS");
    if (path == nullptr) {
        state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
        return;
    }
    const QString fileName = QString::fromLocal8Bit(path);
    for (auto _ : state) {
        LoadedText loaded = PendingText(fileName, {}).take();
        benchmark::DoNotOptimize(loaded.index.offsets.data());
    }
}
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The page order that turning the scanned pages needs, made once per text on the first turn;
// a turn itself is one hash look-up in it.
void BM_BuildPageOrder(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    qsizetype pages = 0;
    for (auto _ : state) {
        const PageOrder order(text->bytes());
        pages = order.size();
        benchmark::DoNotOptimize(order.next("wh_b0001"));
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_BuildPageOrder)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The form index, made once per text on first use: every headword keyed and every entry's labels
// read.
void BM_BuildFormIndex(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    const EntryIndex index = buildEntryIndex(*text);
    for (auto _ : state) {
        const FormIndex forms(*text, index);
        benchmark::DoNotOptimize(forms.linesWithKey(QStringLiteral("cyning")));
    }
}
BENCHMARK(BM_BuildFormIndex)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The candidates of one typed word, over a mix of inflected forms, headwords and words with no
// candidate; the time is per word.
void BM_FormCandidates(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    const EntryIndex index = buildEntryIndex(*text);
    const FormIndex forms(*text, index);
    const QStringList words =
        QStringLiteral(
            "cyninges sungon wæron heofonum godes dagas bǣron engles hēafdu fēores menn fēt bēc byrig gōdra "
            "lengra betst bītaþ biton curon wurdon hulpon nōmon sprǣcon sǣton fōron hēton dēmde fremede "
            "sōhte "
            "worhte lufode gelufod hæfde sǣde ēode dyde wolde sceolde meahte þone þǣm hine hire gebunden "
            "bindende tō bindenne cymþ bireþ hilpþ stent bint ȝēares ƿeras hīran xyzzy ond")
            .split(u' ');
    std::size_t found = 0;
    for (auto _ : state) {
        for (const QString& word : words)
            found += forms.candidates(word).size();
    }
    benchmark::DoNotOptimize(found);
    state.counters["words"] = static_cast<double>(words.size()); // the time per word is real_time / words
}
BENCHMARK(BM_FormCandidates)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
// The link index as the Dictionary makes it on first use (the headword keys included, a word that
// names no headword resolved through the form index), once per text; the form index is made
// before it, as the viewer's worker makes it first (BM_BuildFormIndex times it). bench/run-benchmarks
// links runs it on a corpus made with --references.
void BM_LinkIndex(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    const EntryIndex index = buildEntryIndex(*text);
    const FormIndex forms(*text, index);
    qsizetype links = 0;
    for (auto _ : state) {
        const LinkIndex made(*text, index, formResolver(index, forms));
        links = made.entryLinkCount();
        benchmark::DoNotOptimize(made.all().data());
    }
    state.counters["entry_links"] = static_cast<double>(links);
}
BENCHMARK(BM_LinkIndex)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The same by headword alone: what resolving through the forms adds.
void BM_LinkIndexByHeadword(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    const EntryIndex index = buildEntryIndex(*text);
    qsizetype links = 0;
    for (auto _ : state) {
        const LinkIndex made(*text, index);
        links = made.entryLinkCount();
        benchmark::DoNotOptimize(made.all().data());
    }
    state.counters["entry_links"] = static_cast<double>(links);
}
BENCHMARK(BM_LinkIndexByHeadword)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Showing an entry looks up its links: every entry's, once each.
void BM_LinksOfEveryEntry(benchmark::State& state) {
    const TMapTextfile* text = corpus(state);
    const EntryIndex index = buildEntryIndex(*text);
    const LinkIndex links(*text, index);
    for (auto _ : state) {
        std::size_t found = 0;
        for (const std::int32_t start : index.offsets) found += links.linksOf(start).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["entries"] = static_cast<double>(index.size());
}
BENCHMARK(BM_LinksOfEveryEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
