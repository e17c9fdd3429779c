// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Showing an entry in the window (Browse down to the finished document) and a '?' search's hit
// list over a generated corpus: WORDHOARD_CORPUS names the dictionary text; the benchmarks are
// skipped without it. Back and Forward, a zoom step, and opening a dictionary folder
// (WORDHOARD_FOLDER, a folder whose txt/WH-main_01.txt is the corpus) beside them, and a
// keystroke with the form list under the search field, and a passage glossed in Gloss Passage.
#include "language/LinkIndex.h"
#include "text/EntryIndex.h"
#include "search/FullTextSearch.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "window/MainUnit.h"
#include "search/PerlRegEx.h"
#include "aids/ReadingAids.h"
#include "aids/WordLookup.h"
#include "gloss/GlossWindow.h"
#include "links/EntryLinks.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

using namespace wordhoard;

namespace {

struct Viewer {
    MainUnit unit;
    std::unique_ptr<TMainForm> form;
    int typical = -1;
    int nextTypical = -1; // the entry of the length after the median's
    int largest = -1;
    int mostLinked = -1; // the entry with the most links
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
        QCoreApplication::processEvents();
        // Entry lengths from the offsets: the largest, and one of median length.
        const auto& starts = made->unit.EntryOffsets().offsets;
        std::vector<std::pair<std::int32_t, int>> lengths;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            lengths.emplace_back(entryLastByte(made->unit.text(), starts[i]) - starts[i], static_cast<int>(i));
        }
        if (lengths.empty()) return made;
        std::sort(lengths.begin(), lengths.end());
        made->typical = lengths[lengths.size() / 2].second;
        made->nextTypical = lengths[std::min(lengths.size() / 2 + 1, lengths.size() - 1)].second;
        made->largest = lengths.back().second;
        // The links as the worker makes them after the first paint, so that Browse draws them.
        const LinkIndex& links = made->unit.dictionary->links();
        std::map<std::int32_t, int> perEntry;
        for (const LinkIndex::Link& link : links.all()) ++perEntry[link.from];
        const auto most = std::max_element(perEntry.begin(), perEntry.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        if (most != perEntry.end()) {
            made->mostLinked =
                static_cast<int>(std::lower_bound(starts.begin(), starts.end(), most->first) - starts.begin());
        }
        return made;
    }();
    if (!v || v->typical < 0) state.SkipWithError("set WORDHOARD_CORPUS to a generated dictionary");
    return v;
}

// layout: also lay the whole document out (what scrolling to its end needs); without it the
// pane lays out what it shows when it paints.
void showEntry(benchmark::State& state, bool largest, bool layout, bool linked = false) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    if (linked && v->mostLinked < 0) return state.SkipWithError("the corpus holds no links");
    const int row = linked ? v->mostLinked : largest ? v->largest : v->typical;
    v->form->TntListBox1->selectRow(row);
    for (auto _ : state) {
        v->form->Browse(0);
        if (layout) benchmark::DoNotOptimize(v->form->TntRichEdit1->document()->size());
    }
    if (linked) state.counters["links"] = static_cast<double>(v->form->entryLinks().shown().size());
    state.counters["bytes"] = static_cast<double>(
        entryLastByte(v->unit.text(), v->unit.EntryOffsets().offsets[static_cast<std::size_t>(row)]) -
        v->unit.EntryOffsets().offsets[static_cast<std::size_t>(row)]);
}

void BM_BrowseTypicalEntry(benchmark::State& state) { showEntry(state, false, false); }
void BM_BrowseLargestEntry(benchmark::State& state) { showEntry(state, true, false); }
void BM_BrowseTypicalEntryLaidOut(benchmark::State& state) { showEntry(state, false, true); }
void BM_BrowseLargestEntryLaidOut(benchmark::State& state) { showEntry(state, true, true); }
// The entry with the most links, drawn on it (on a corpus made with --references).
void BM_BrowseMostLinkedEntry(benchmark::State& state) { showEntry(state, false, false, true); }
BENCHMARK(BM_BrowseMostLinkedEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseTypicalEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseLargestEntry)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseTypicalEntryLaidOut)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_BrowseLargestEntryLaidOut)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A '?' search (every entry, both passes: 100,000+ hits) and its hit list, three ways:
//   Search            the request alone, as the engine runs it;
//   HitList           the same request, its hits moved into the hit list as Search does, and one
//                     paint of the lines on screen, which makes their snippets;
//   ProcesSearch      the viewer's own handler (progress dialog included), and the same paint.
// The first two differ by what showing the hits costs.
void questionSearch(benchmark::State& state, int how) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    TMainForm& form = *v->form;
    form.PageControl1->setCurrentIndex(1);
    form.TntEdit1->setText(QStringLiteral("?"));
    QCoreApplication::processEvents(); // lay out and expose the hit list, so that it paints
    TPerlRegEx regex;
    regex.setOptions(preCaseLess | preUnGreedy);
    std::size_t hits = 0;
    for (auto _ : state) {
        if (how == 2) {
            form.ProcesSearch(QStringLiteral("?"));
            hits = v->unit.HitOffsets.size();
        } else {
            SearchOutcome outcome = SearchRequest(v->unit.text(), u"?", regex).run();
            hits = outcome.hits.size();
            if (how == 1) {
                form.hitListModel->clear();
                v->unit.HitOffsets.clear();
                for (const SearchHit& hit : outcome.hits) v->unit.HitOffsets.push_back(hit.start);
                form.hitListModel->append(v->unit.dictionary, std::move(outcome.hits));
            }
        }
        if (how > 0) form.TntListBox2->viewport()->repaint();
    }
    const qsizetype snippets = form.hitListModel->contextsMade();
    if (how > 0 && snippets == 0) state.SkipWithError("the hit list painted no line");
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["snippets"] = static_cast<double>(snippets);
}

void BM_QuestionSearch(benchmark::State& state) { questionSearch(state, 0); }
void BM_QuestionHitList(benchmark::State& state) { questionSearch(state, 1); }
void BM_QuestionProcesSearch(benchmark::State& state) { questionSearch(state, 2); }
BENCHMARK(BM_QuestionSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_QuestionHitList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_QuestionProcesSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What a click does, between the same two entries Back and Forward alternate below: select the
// line, then Browse (which records the entry in the history).
void BM_ClickTypicalEntries(benchmark::State& state) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    bool first = true;
    for (auto _ : state) {
        v->form->TntListBox1->selectRow(first ? v->typical : v->nextTypical);
        v->form->Browse(0);
        first = !first;
    }
}
BENCHMARK(BM_ClickTypicalEntries)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Back and Forward between two entries of median length: each step shows one through Browse's
// display path, selects its line in the word list and scrolls to it.
void BM_BackForwardTypicalEntry(benchmark::State& state) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    ReadingAids& aids = v->form->readingAids();
    for (const int row : {v->typical, v->nextTypical}) {
        v->form->TntListBox1->selectRow(row);
        v->form->Browse(0);
    }
    bool back = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(back ? aids.goBack() : aids.goForward());
        back = !back;
    }
}
BENCHMARK(BM_BackForwardTypicalEntry)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One zoom step (100% <-> 110%) with the largest entry shown, the document laid out again.
void BM_ZoomStepLargestEntry(benchmark::State& state) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    ReadingAids& aids = v->form->readingAids();
    v->form->TntListBox1->selectRow(v->largest);
    v->form->Browse(0);
    benchmark::DoNotOptimize(v->form->TntRichEdit1->document()->size());
    for (auto _ : state) {
        aids.setZoom(aids.zoom() == 100 ? 110 : 100);
        benchmark::DoNotOptimize(v->form->TntRichEdit1->document()->size());
    }
    aids.setZoom(100);
}
BENCHMARK(BM_ZoomStepLargestEntry)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A keystroke in the search field once the form index is made: the designed look-up and the
// form list under the field, for an inflected form, a headword, and a word of no headword in turn.
void BM_FormListKeystroke(benchmark::State& state) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    v->form->dictionary().forms();
    const QString headword = v->unit.EntryOffsets().headword(v->typical);
    const QString words[] = {headword + QStringLiteral("es"), headword, QStringLiteral("sungon"),
                             QStringLiteral("cyninges"), QStringLiteral("xyzzy")};
    std::size_t k = 0;
    for (auto _ : state) {
        v->form->TntEdit1->setText(words[k]);
        k = (k + 1) % std::size(words);
    }
    v->form->TntEdit1->clear();
}
BENCHMARK(BM_FormListKeystroke)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Tools > Gloss Passage over a passage of 1,000 words (every 7th entry's headword, bare or with
// an ending, and small words between), glossed and its links laid out anew.
void BM_GlossWindowPassage(benchmark::State& state) {
    Viewer* v = viewer(state);
    if (!v || v->typical < 0) return;
    v->form->dictionary().forms();
    const EntryIndex& index = v->unit.EntryOffsets();
    const QString endings[] = {QString(), QStringLiteral("es"), QStringLiteral("as"), QStringLiteral("um"),
                               QStringLiteral("e")};
    QStringList words;
    for (qsizetype line = 0; words.size() < 1000 && line < index.size(); line += 7) {
        words << index.headword(line) + endings[line % 5] << QStringLiteral("and");
    }
    const QString passage = words.join(u' ');
    GlossWindow* gloss = v->form->findChild<WordLookup*>()->showGlossWindow();
    for (auto _ : state) {
        gloss->setPassage(passage);
        benchmark::DoNotOptimize(gloss->view()->document()->size());
    }
    state.counters["words"] = static_cast<double>(gloss->words().size());
    gloss->close();
}
BENCHMARK(BM_GlossWindowPassage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// File > Open Dictionary Folder on the corpus, in a window of its own: load and index the text on
// two threads and refill the word list.
void BM_OpenDictionaryFolder(benchmark::State& state) {
    const char* folder = std::getenv("WORDHOARD_FOLDER");
    if (!folder) {
        state.SkipWithError("set WORDHOARD_FOLDER to a folder whose txt/WH-main_01.txt is the corpus");
        return;
    }
    MainUnit unit;
    TMainForm form(unit);
    form.setErrorReporter([&state](const QString& message) { state.SkipWithError(qPrintable(message)); });
    for (auto _ : state) benchmark::DoNotOptimize(form.readingAids().openDictionaryFolder(QString::fromLocal8Bit(folder)));
    state.counters["entries"] = static_cast<double>(unit.EntryOffsets().size());
}
BENCHMARK(BM_OpenDictionaryFolder)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
