// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliRunner.h"
#include "Messages.h"
#include "search/FullTextSearch.h"
#include "search/LooseSearch.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "display/Snippet.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using wordhoard::testing::cli;
using wordhoard::testing::CliRun;
using wordhoard::testing::TempDir;

namespace {


const QByteArray kDict = "@wh_b0001\n"
                         "#<b>&aelig;t</b> prep. at, hw&aelig;t-hwugu\n"
                         "#<b>hw&aelig;t</b> interj. lo! f(a( x\n"
                         "#<b>hw&aelig;t&eth;e</b> made-up; se cyning\n"
                         "#<b>cyning</b> m. king, cyningas\n";

// What the search command must print for `term`: the engine's own outcome, formatted.
QString expectedOutput(const QString& dict, const QString& term, int* exitCode, QString* err) {
    wordhoard::TMapTextfile text;
    text.Open(dict, false);
    const wordhoard::SearchOutcome o = wordhoard::runFullTextSearch(text, term);
    QString out;
    for (const auto& hit : o.hits) out += QString::number(hit.start) + u'\t' + hit.headword + u'\n';
    *err = o.error ? *o.error + (o.error->back() > u'.' ? u"."_qs : QString()) + u'\n' : QString();
    *exitCode = o.error ? 2 : (o.hits.empty() ? 1 : 0);
    return out;
}

} // namespace

TEST(CliSearch, PrintsTheHitListOfBothPassesInOrder) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const CliRun r = cli({u"search"_qs, u"--dict"_qs, dict, u(u"hw\u00E6t?")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString h0 = QString::number(kDict.indexOf("#<b>&aelig;t<") + 4);
    const QString h1 = QString::number(kDict.indexOf("#<b>hw&aelig;t<") + 4);
    const QString h2 = QString::number(kDict.indexOf("#<b>hw&aelig;t&eth;") + 4);
    // Entity pass: only "hwætðe" has an entity right after hwæt. Letter pass: every entry with
    // one more byte after it inside a word, "æt" through its "hw&aelig;t-hwugu" too.
    EXPECT_EQ(r.out, h2 + u(u"\thw\u00E6t\u00F0e\n") + h0 + u(u"\t\u00E6t\n") + h1 + u(u"\thw\u00E6t\n") + h2 +
                         u(u"\thw\u00E6t\u00F0e\n"));
    EXPECT_TRUE(r.err.isEmpty());

    // "se cyning" counts too: the first match in that entry is "cyning" alone.
    const CliRun json = cli({u"search"_qs, u"--json"_qs, u"--dict"_qs, dict, u"cyning"_qs});
    EXPECT_EQ(json.exitCode, 0);
    const QStringList lines = json.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject last = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(last.value(u"start").toInt(), kDict.indexOf("#<b>cyning") + 4);
    EXPECT_EQ(last.value(u"headword").toString(), u"cyning"_qs);

    // A space between letters never gives a hit, even where the text has it.
    EXPECT_EQ(cli({u"search"_qs, u"--dict"_qs, dict, u"se cyning"_qs}).exitCode, 1);
}

TEST(CliSearch, ContextAddsTheSnippetOfEachHitAndChangesNothingElse) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const QString term = u(u"hw\u00E6t?");
    const CliRun r = cli({u"search"_qs, u"--context"_qs, u"--dict"_qs, dict, term});
    EXPECT_EQ(r.exitCode, 0);
    // The two columns of the plain output, then the hit list's snippet.
    wordhoard::TMapTextfile text;
    ASSERT_EQ(text.Open(dict, false), 0);
    const wordhoard::SearchOutcome hits = wordhoard::runFullTextSearch(text, term);
    QString expected;
    for (const auto& hit : hits.hits) {
        expected += QString::number(hit.start) + u'\t' + hit.headword + u'\t' +
                    wordhoard::makeSnippet(text, hit.start, hit.matchOffset, hit.matchLength).text + u'\n';
    }
    EXPECT_EQ(r.out, expected);
    // Line breaks and tags are gone: one line per hit. "hwæt-hwugu" is the first match in "æt".
    EXPECT_EQ(r.out.split(u'\n', Qt::SkipEmptyParts)[1].section(u'\t', 2),
              u(u"\u00E6t prep. at, hw\u00E6t-hwugu"));

    // In JSON, the match's place counts UTF-16 units: "æ" and "þ" are one each.
    const CliRun json = cli({u"--json"_qs, u"--context"_qs, u"search"_qs, u"--dict"_qs, dict, u"cyning"_qs});
    EXPECT_EQ(json.exitCode, 0);
    const QStringList lines = json.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    EXPECT_EQ(first.value(u"headword").toString(), u(u"hw\u00E6t\u00F0e"));
    EXPECT_EQ(first.value(u"snippet").toString(), u(u"hw\u00E6t\u00F0e made-up; se cyning"));
    EXPECT_EQ(first.value(u"match").toArray(), (QJsonArray{19, 6}));
    // Without --context, JSON has no more than before.
    const QJsonObject bare =
        QJsonDocument::fromJson(
            cli({u"--json"_qs, u"search"_qs, u"--dict"_qs, dict, u"cyning"_qs}).out.split(u'\n')[0].toUtf8())
            .object();
    EXPECT_EQ(bare.keys(), (QStringList{u"headword"_qs, u"start"_qs}));
}

TEST(CliSearch, InvalidPatternPrintsTheViewersMessageAndExitsTwo) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const CliRun r = cli({u"search"_qs, u"--dict"_qs, dict, u"a("_qs});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, u"TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis.\n"_qs);
    // Where its text occurs nowhere, the pattern is never compiled: no hits, no error.
    const CliRun absent = cli({u"search"_qs, u"--dict"_qs, dict, u"q("_qs});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_TRUE(absent.err.isEmpty());
}

TEST(CliSearch, RunawayPatternsEndInAnErrorAfterTheEarlierHits) {
    TempDir dir;
    const QByteArray run = QByteArray("a").repeated(5000);
    const QString dict =
        dir.write("d.txt", "#<b>one</b> (a|a)+&x;b aa&x;b#<b>two</b> (a|a)+xb " + run + "!!b" +
                               "#<b>three</b> (a+)+b " + run + "!!b#<b>four</b> (q " + run + "\nx\n");
    QElapsedTimer timer;
    timer.start();
    // The entity pass finds "one"; the letter pass then backtracks without end in "two".
    const CliRun twoPasses = cli({u"search"_qs, u"--dict"_qs, dict, u"(a|a)+?b"_qs});
    EXPECT_EQ(twoPasses.exitCode, 2);
    EXPECT_EQ(twoPasses.out, u"4\tone\n"_qs);
    EXPECT_TRUE(twoPasses.err.startsWith(u"TPerlRegEx.Match() - Error while matching: "_qs)) << twoPasses.err.toStdString();
    for (const QString& term : {u"(a+)+b"_qs, u"(.*)*x"_qs}) {
        const CliRun r = cli({u"search"_qs, u"--dict"_qs, dict, term});
        EXPECT_EQ(r.exitCode, 2) << term.toStdString();
        EXPECT_TRUE(r.err.startsWith(u"TPerlRegEx.Match() - Error while matching: "_qs)) << r.err.toStdString();
    }
    EXPECT_LT(timer.elapsed(), 60000); // bounded, never a hang
}

TEST(CliSearch, AwkwardTermsGiveExactlyWhatTheEngineGives) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict + "#<b>x</b> " + QByteArray("ab").repeated(5000) + "\n");
    QStringList terms = {u""_qs, u"?"_qs, u(u"\u0434\u0430"), u(u"\u4E2D"), u(u"\U0001F600"), u"hw t"_qs,
                         QString(u"ab"_qs).repeated(5000), QString(u"z"_qs).repeated(10000)};
    const QString base = u(u"hw\u00E6t");
    for (const QChar special : u"*.(\\[") {
        for (qsizetype at = 0; at <= base.size(); ++at) terms << QString(base).insert(at, special);
    }
    for (const QString& term : terms) {
        int exitCode = -1;
        QString err;
        const QString out = expectedOutput(dict, term, &exitCode, &err);
        const CliRun r = cli({u"search"_qs, u"--dict"_qs, dict, u"--"_qs, term});
        EXPECT_EQ(r.exitCode, exitCode) << term.left(20).toStdString();
        EXPECT_EQ(r.out, out) << term.left(20).toStdString();
        EXPECT_EQ(r.err, err) << term.left(20).toStdString();
    }
    // Spot checks of what the engine gives for a few of them.
    EXPECT_EQ(cli({u"search"_qs, u"--dict"_qs, dict, u""_qs}).exitCode, 1);
    EXPECT_EQ(cli({u"search"_qs, u"--dict"_qs, dict, u(u"\u0434\u0430")}).exitCode, 1);
    // A term of more than 1000 characters after encoding is refused with its length; 1000 search.
    const CliRun tooLong = cli({u"search"_qs, u"--dict"_qs, dict, QString(u"ab"_qs).repeated(5000)});
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_TRUE(tooLong.out.isEmpty());
    EXPECT_EQ(tooLong.err, u"The search term is too long: 10000 characters after encoding, at most 1000.\n"_qs);
    EXPECT_EQ(cli({u"search"_qs, u"--dict"_qs, dict, QString(u"ab"_qs).repeated(500)}).out,
              QString::number(kDict.size() + 4) + u"\tx\n"_qs);
    EXPECT_EQ(cli({u"search"_qs, u"--dict"_qs, dict, u"?"_qs}).out.count(u'\n'), 3 + 5); // entries with an entity, then every entry
}

TEST(CliLookup, PrintsIndexStartAndHeadwordOfTheSelectedLine) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const CliRun r = cli({u"lookup"_qs, u"--dict"_qs, dict, u"HW"_qs});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u(u"1\t") + QString::number(kDict.indexOf("#<b>hw&aelig;t<") + 4) + u(u"\thw\u00E6t\n"));
    const CliRun json = cli({u"lookup"_qs, u"--json"_qs, u"--dict"_qs, dict, u(u"\u00C6")});
    const QJsonObject line = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(line.value(u"index").toInt(), 0);
    EXPECT_EQ(line.value(u"headword").toString(), u(u"\u00E6t"));
    EXPECT_EQ(cli({u"lookup"_qs, u"--dict"_qs, dict, u"zz"_qs}).exitCode, 1);
    EXPECT_EQ(cli({u"lookup"_qs, u"--dict"_qs, dict, u""_qs}).exitCode, 1);
    EXPECT_EQ(cli({u"lookup"_qs, u"--dict"_qs, dict, u"cyningas-and-more"_qs}).exitCode, 1);
}

// --loose searches as the engine's loose search does (the CLI's Dictionary makes the index), and
// finds every spelling of the term's letters.
TEST(CliSearch, LooseSearchesPrintTheEnginesLooseHitList) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict + "#<b>&a-long;d</b> &eth;&AElig;T x\n");
    wordhoard::TMapTextfile text;
    ASSERT_EQ(text.Open(dict, false), 0);
    const wordhoard::LooseIndex index(text);
    for (const QString& term : {u"ad"_qs, u(u"\u00FE\u00E6t"), u"HWAET"_qs, u"cyn?ng"_qs, u"a("_qs, u"zz"_qs,
                                QString(100, u'a') + u"()"_qs}) {
        const wordhoard::SearchOutcome o = wordhoard::runFullTextSearch(text, term, {}, &index);
        QString out;
        for (const auto& hit : o.hits) out += QString::number(hit.start) + u'\t' + hit.headword + u'\n';
        const CliRun r = cli({u"search"_qs, u"--loose"_qs, u"--dict"_qs, dict, term});
        EXPECT_EQ(r.out, out) << term.toStdString();
        EXPECT_EQ(r.err, o.error ? wordhoard::withFullStop(*o.error) + u'\n' : QString()) << term.toStdString();
        EXPECT_EQ(r.exitCode, o.error ? 2 : o.hits.empty() ? 1 : 0) << term.toStdString();
    }
    // "þæt" finds the "&eth;&AElig;T" of "ād", which the strict search does not.
    EXPECT_TRUE(cli({u"search"_qs, u"--loose"_qs, u"--dict"_qs, dict, u(u"\u00FE\u00E6t")}).out.endsWith(u(u"\t\u0101d\n")));
}

TEST(CliLookup, LooseLookupFoldsTheTypedTextAndTheHeadwords) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict + "#<b>&a-long;d</b> x\n#<b>&thorn;e</b> y\n");
    const auto line = [&](const QString& typed) {
        return cli({u"lookup"_qs, u"--loose"_qs, u"--dict"_qs, dict, typed});
    };
    const QString ad = QString::number(kDict.size() + 4);
    EXPECT_EQ(line(u"AD"_qs).out, u"4\t"_qs + ad + u(u"\t\u0101d\n"));
    EXPECT_EQ(line(u(u"\u00F0E")).out.section(u'\t', 2), u(u"\u00FEe\n"));
    EXPECT_EQ(line(u"q"_qs).exitCode, 1);
    EXPECT_EQ(cli({u"lookup"_qs, u"--dict"_qs, dict, u"AD"_qs}).exitCode, 1); // strictly, no line begins so
}

TEST(CliEncode, PrintsBothPatternsWithoutNeedingADictionary) {
    TempDir dir;
    const CliRun r = cli({u"encode"_qs, u(u"hw\u00E6t?")}, dir.path("."));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"entity\thw&aelig;t&.*;\nletter\thw&aelig;t.\n"_qs);
    const CliRun json = cli({u"encode"_qs, u"--json"_qs, u(u"\u0101\"")}, dir.path("."));
    const QJsonObject line = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(line.value(u"entity").toString(), u"&a-long;&quot;"_qs);
    EXPECT_EQ(line.value(u"letter").toString(), u"&a-long;&quot;"_qs);
    EXPECT_EQ(cli({u"encode"_qs}).exitCode, 2);
}
