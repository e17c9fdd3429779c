// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The search engine over a generated corpus (WORDHOARD_CORPUS, made by tools/gen-corpus): one
// Select on the whole word list, and full-text requests. Without the corpus they are skipped.
#include "text/EntryIndex.h"
#include "search/FullTextSearch.h"
#include "search/HeadwordLookup.h"
#include "search/LooseSearch.h"
#include "text/MapTextfile.h"

#include <benchmark/benchmark.h>

#include <QCollator>

#include <vector>
#include <QLocale>
#include <QString>

#include <cstdlib>
#include <memory>

using namespace wordhoard;

namespace {

struct Corpus {
    TMapTextfile text;
    EntryIndex index;
};

const Corpus* searchCorpus(benchmark::State& state) {
    static const std::unique_ptr<Corpus> corpus = [] {
        auto c = std::make_unique<Corpus>();
        if (const char* path = std::getenv("WORDHOARD_CORPUS")) c->text.Open(QString::fromLocal8Bit(path), false);
        c->index = buildEntryIndex(c->text);
        return c;
    }();
    if (!corpus->text.opened()) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return corpus.get();
}

// Texts no headword begins with, so every line is looked at (the worst case): a short one, and
// one in capitals that runs equal to many beginnings for a while under the collator.
const QString kNoMatch[] = {QStringLiteral("hwq"), QStringLiteral("GEBQ")};

QLocale localeArg(const benchmark::State& state) {
    return state.range(0) == 0 ? QLocale::c() : QLocale(QLocale::English, QLocale::UnitedStates);
}

void BM_SelectNoMatch(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    const HeadwordLookup lookup(c->index, localeArg(state));
    const QString& typed = kNoMatch[state.range(1)];
    for (auto _ : state) benchmark::DoNotOptimize(lookup.find(typed));
    state.SetLabel(QString::number(c->index.size()).toStdString() + " lines");
}
BENCHMARK(BM_SelectNoMatch)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// A loose look-up that no line answers ("hwq" folded), and making it: every headword decoded and
// folded into its pool.
void BM_LooseSelectNoMatch(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    const HeadwordLookup lookup(c->index, QLocale(), HeadwordLookup::Matching::Loose);
    const QString& typed = kNoMatch[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(lookup.find(typed));
}
BENCHMARK(BM_LooseSelectNoMatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_LooseLookupBuild(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    for (auto _ : state) {
        const HeadwordLookup lookup(c->index, QLocale(), HeadwordLookup::Matching::Loose);
        benchmark::DoNotOptimize(lookup.count());
    }
}
BENCHMARK(BM_LooseLookupBuild)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Making the look-up, as the first keystroke does: every headword decoded into its pool.
void BM_LookupBuild(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    for (auto _ : state) {
        const HeadwordLookup lookup(c->index, localeArg(state));
        benchmark::DoNotOptimize(lookup.count());
    }
}
BENCHMARK(BM_LookupBuild)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same look-up compared plainly line by line, for scale.
void BM_SelectNoMatchPlainCollator(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    QCollator collator(localeArg(state));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QString& typed = kNoMatch[state.range(1)];
    std::vector<QString> lines;
    for (qsizetype i = 0; i < c->index.size(); ++i) lines.push_back(c->index.headword(i));
    for (auto _ : state) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < c->index.size() && found < 0; ++i) {
            const QStringView line = lines[static_cast<std::size_t>(i)];
            if (line.size() >= typed.size() && collator.compare(line.first(typed.size()), typed) == 0) found = i;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SelectNoMatchPlainCollator)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void searchTerm(benchmark::State& state, const QString& term) {
    const Corpus* c = searchCorpus(state);
    std::size_t hits = 0;
    for (auto _ : state) {
        const SearchOutcome o = runFullTextSearch(c->text, term);
        hits = o.hits.size();
        benchmark::DoNotOptimize(o.hits.data());
    }
    state.SetLabel(std::to_string(hits) + " hits");
}
// A loose search against the strict search of the same term (the index made once, beforehand).
void looseTerm(benchmark::State& state, const QString& term) {
    const Corpus* c = searchCorpus(state);
    static const std::unique_ptr<LooseIndex> index = std::make_unique<LooseIndex>(c->text);
    std::size_t hits = 0;
    for (auto _ : state) {
        const SearchOutcome o = runFullTextSearch(c->text, term, {}, index.get());
        hits = o.hits.size();
        benchmark::DoNotOptimize(o.hits.data());
    }
    state.SetLabel(std::to_string(hits) + " hits");
}
BENCHMARK_CAPTURE(looseTerm, rare, QStringLiteral("bannung"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(looseTerm, and, QStringLiteral("and"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(looseTerm, thaet, QString::fromUtf16(u"\u00FE\u00E6t"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(searchTerm, thaet, QString::fromUtf16(u"\u00FE\u00E6t"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The loose pre-filter alone: the candidates of the term's letter run.
void looseCandidatesOf(benchmark::State& state, const QString& run) {
    const Corpus* c = searchCorpus(state);
    static const std::unique_ptr<LooseIndex> index = std::make_unique<LooseIndex>(c->text);
    std::size_t found = 0;
    for (auto _ : state) {
        const auto candidates = looseCandidates(c->text, *index, {run});
        found = candidates.size();
        benchmark::DoNotOptimize(candidates.data());
    }
    state.SetLabel(std::to_string(found) + " candidates");
}
BENCHMARK_CAPTURE(looseCandidatesOf, and, QStringLiteral("and"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(looseCandidatesOf, thaet, QString::fromUtf16(u"\u00FE\u00E6t"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Made once per text, when the reader first searches loosely: the sample its plans are judged by.
void BM_LooseIndex(benchmark::State& state) {
    const Corpus* c = searchCorpus(state);
    for (auto _ : state) {
        LooseIndex index(c->text);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_LooseIndex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The letters a search looks up are indexed the first time, in one scan of the text: those of
// "and", and every letter at once (what the whole index once cost).
void looseIndexOf(benchmark::State& state, const QString& letters) {
    const Corpus* c = searchCorpus(state);
    for (auto _ : state) {
        LooseIndex index(c->text);
        index.indexLetters(letters);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK_CAPTURE(looseIndexOf, and, QStringLiteral("and"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(looseIndexOf, every, QStringLiteral("abcdefghijklmnopqrstuvwxyz") + QString::fromUtf16(u"\u00E6\u00FE\u00F0\u021D\u03B1\u03B5\u03B7\u03B9\u03BF\u03C5\u03C9\u03C1"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The first loose search of a text, as one CLI process makes it: the index made, the letters
// the term needs indexed, then the search.
void looseFirstTerm(benchmark::State& state, const QString& term) {
    const Corpus* c = searchCorpus(state);
    for (auto _ : state) {
        const LooseIndex index(c->text);
        const SearchOutcome o = runFullTextSearch(c->text, term, {}, &index);
        benchmark::DoNotOptimize(o.hits.data());
    }
}
BENCHMARK_CAPTURE(looseFirstTerm, rare, QStringLiteral("bannung"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(looseFirstTerm, and, QStringLiteral("and"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_CAPTURE(searchTerm, rare, QStringLiteral("bannung"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(searchTerm, and, QStringLiteral("and"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(searchTerm, any, QStringLiteral("?"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(searchTerm, ing, QStringLiteral("?ing"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(searchTerm, hwaet, QStringLiteral("hw?t"))->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
