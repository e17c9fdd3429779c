// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry display without widgets: widen + decode + style one entry. Entries are built here in
// the dictionary's own shape, so no corpus is needed; with WORDHOARD_CORPUS set, the largest entry
// of that corpus is displayed as well.
#include "text/EntityDecoding.h"
#include "display/EntryDisplay.h"
#include "display/EntryFormat.h"
#include "display/Snippet.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

#include <cstdlib>

using namespace wordhoard;

namespace {

// One sense of an entry: "<i>wk. v.</i> to bring forth, &aelig;t <i>Gen.</i> 12, 3; " with the
// tags and entities the real text has (about 14 tags per 200 bytes).
QByteArray sense(int i) {
    QByteArray s = "<i>wk. v.</i> to bring forth, bear, beget; <i>pp.</i> &a-long;cenned born: ";
    s += "<i>him w&aelig;s sunu &a-long;cenned</i> a son was born to him, <i>Hom.</i> ";
    s += QByteArray::number(i % 40) + ", " + QByteArray::number(i % 17) + "; <b>" + QByteArray::number(i) +
         ".</b> <i>&thorn;&aelig;t h&e-long; &a-long;hte</i> what he owned, <i>Ll.</i> 12, &sect; 3.\r\n";
    return s;
}

// The raw text after the entry's '#': "<b>headword</b> " and senses up to `bytes` bytes.
QByteArray entry(qsizetype bytes) {
    QByteArray raw = "<b>&a-long;cennan</b> ";
    for (int i = 0; raw.size() < bytes; ++i) raw += sense(i);
    return raw;
}

void displayRaw(benchmark::State& state, const QByteArray& raw, const QString& mark) {
    qsizetype units = 0;
    for (auto _ : state) {
        const FormattedEntry shown = formatEntry(decodeEntityBytes(raw), raw.size(), mark);
        units = shown.text.size();
        benchmark::DoNotOptimize(shown.styles.data());
    }
    state.counters["raw_bytes"] = static_cast<double>(raw.size());
    state.counters["tags"] = static_cast<double>(raw.count("<"));
    state.counters["shown_units"] = static_cast<double>(units);
}

void BM_DisplayTypicalEntry(benchmark::State& state) { displayRaw(state, entry(1500), {}); }
BENCHMARK(BM_DisplayTypicalEntry)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_DisplayLargestEntry(benchmark::State& state) { displayRaw(state, entry(120 * 1024), {}); }
BENCHMARK(BM_DisplayLargestEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The hit list in front: every "an" of the entry is marked too.
void BM_DisplayLargestEntryMarked(benchmark::State& state) {
    displayRaw(state, entry(120 * 1024), QStringLiteral("an"));
}
BENCHMARK(BM_DisplayLargestEntryMarked)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The hardest shape for the passes: 2000 opening tags before 2000 closing ones, 100 KB of text
// between. Each pass pairs the first opening tag with the first closing tag after it.
void BM_DisplayNestedTags(benchmark::State& state) {
    QByteArray raw;
    for (int i = 0; i < 2000; ++i) raw += "<b>a <i>";
    raw += QByteArray(100 * 1024, 'x');
    for (int i = 0; i < 2000; ++i) raw += "</i> b</b>";
    displayRaw(state, raw, {});
}
BENCHMARK(BM_DisplayNestedTags)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The corpus's text and the start of its largest entry (-1 without WORDHOARD_CORPUS).
std::pair<const TMapTextfile*, std::int32_t> largestCorpusEntry(benchmark::State& state) {
    static TMapTextfile text;
    static std::int32_t largest = -1;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (const char* path = std::getenv("WORDHOARD_CORPUS")) {
            text.Open(QString::fromLocal8Bit(path), false);
        }
        const EntryIndex index = buildEntryIndex(text);
        std::int32_t longest = -1;
        for (const std::int32_t start : index.offsets) {
            const std::int32_t length = entryLastByte(text, start) - start;
            if (length > longest) {
                longest = length;
                largest = start;
            }
        }
    }
    if (largest < 0) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return {&text, largest};
}

// The whole display (extent, widen, decode, format, page) of the corpus's largest entry.
void BM_DisplayLargestCorpusEntry(benchmark::State& state) {
    const auto [corpus, largest] = largestCorpusEntry(state);
    if (largest < 0) return;
    const TMapTextfile& text = *corpus;
    for (auto _ : state) {
        const DisplayedEntry shown = displayEntry(text, largest, {});
        benchmark::DoNotOptimize(shown.formatted.styles.data());
    }
    state.counters["raw_bytes"] = static_cast<double>(entryLastByte(text, largest) - largest + 4);
}
BENCHMARK(BM_DisplayLargestCorpusEntry)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The hit list's snippet of a match at the end of the corpus's largest entry (some 300 KB), which
// reads the entry from its start: against the display of that entry above.
void BM_SnippetAtTheEndOfTheLargestCorpusEntry(benchmark::State& state) {
    const auto [text, largest] = largestCorpusEntry(state);
    if (largest < 0) return;
    const std::int32_t offset = entryLastByte(*text, largest) - largest - 10;
    for (auto _ : state) {
        const Snippet snippet = makeSnippet(*text, largest, offset, 4);
        benchmark::DoNotOptimize(snippet.text.data());
    }
}
BENCHMARK(BM_SnippetAtTheEndOfTheLargestCorpusEntry)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
