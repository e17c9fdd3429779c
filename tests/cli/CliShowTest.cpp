// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliRunner.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using wordhoard::testing::cli;
using wordhoard::testing::CliRun;
using wordhoard::testing::TempDir;

namespace {

// Starts 13 and 52 (after "\r\n@wh_b0002" inside the first entry).
const QByteArray kDict = "@wh_b0001#<b>ab</b> <i>n.</i> &aelig;\r\n@wh_b0002#<B>cd</B> <i>x <b>Ab</b></i> y";

QJsonObject jsonOf(const CliRun& r) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return doc.object();
}

} // namespace

TEST(CliShow, PrintsTheEntryAsThePaneShowsIt) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const CliRun r = cli({u"show"_qs, u"13"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString::fromUtf16(u"ab n. \u00E6\r\n@wh_b0002\n"));

    // A text that ends in its own line break gets no second one.
    const CliRun own = cli({u"show"_qs, u"4"_qs, u"--dict"_qs, dir.write("e.txt", "#<b>a</b>\r\n")});
    EXPECT_EQ(own.exitCode, 0) << own.err.toStdString();
    EXPECT_EQ(own.out, u"a\r\n"_qs);
}

TEST(CliShow, JsonHasStartPageTextAndOneStyleLetterPerUnit) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const CliRun r = cli({u"--json"_qs, u"show"_qs, u"52"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, uR"({"start":52,"page":"wh_b0002","text":"cd x Ab y","styles":"bb.iiBB.."})"_qs + u"\n"_qs);
    const QJsonObject o = jsonOf(r);
    EXPECT_EQ(o.keys(), (QStringList{u"page"_qs, u"start"_qs, u"styles"_qs, u"text"_qs}));
    EXPECT_EQ(o.value(u"start").toInt(), 52);
    EXPECT_EQ(o.value(u"page").toString(), u"wh_b0002"_qs);
    EXPECT_EQ(o.value(u"text").toString(), u"cd x Ab y"_qs);
    EXPECT_EQ(o.value(u"styles").toString(), u"bb.iiBB.."_qs);

    const QJsonObject first = jsonOf(cli({u"show"_qs, u"13"_qs, u"--json"_qs, u"--dict"_qs, dict}));
    const QString text = first.value(u"text").toString();
    EXPECT_EQ(text.size(), first.value(u"styles").toString().size());
    EXPECT_EQ(text.indexOf(u"\r\n"), 7);  // the file's CR LF stays two characters
}

TEST(CliShow, MarkAddsTheMarkedRangesToJson) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    const QJsonObject o =
        jsonOf(cli({u"show"_qs, u"52"_qs, u"--json"_qs, u"--mark"_qs, u"ab"_qs, u"--dict"_qs, dict}));
    EXPECT_EQ(o.value(u"marks").toArray(), (QJsonArray{QJsonArray{5, 2}}));
    EXPECT_EQ(o.value(u"styles").toString(), u"bb.iiBB.."_qs);  // marks do not change the letters

    // Whenever --mark is given the list is there, empty when nothing is marked, an empty term too.
    for (const QString& term : {u"zz"_qs, QString()}) {
        const QJsonObject none =
            jsonOf(cli({u"show"_qs, u"13"_qs, u"--json"_qs, u"--mark"_qs, term, u"--dict"_qs, dict}));
        ASSERT_TRUE(none.value(u"marks").isArray()) << term.toStdString();
        EXPECT_EQ(none.value(u"marks").toArray(), QJsonArray());
    }
    EXPECT_FALSE(jsonOf(cli({u"show"_qs, u"13"_qs, u"--json"_qs, u"--dict"_qs, dict})).contains(u"marks"));
}

TEST(CliShow, AnOffsetThatIsNoEntryStartIsRefused) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kDict);
    // Inside an entry, its '#', negative, past the file, past 32 bits, not a number.
    const QStringList notStarts = {u"12"_qs, u"14"_qs, u"0"_qs, u"9"_qs, u"-4"_qs,
                                   u"100000"_qs, u"4294967309"_qs, u"abc"_qs, u""_qs};
    for (const QString& start : notStarts) {
        const CliRun r = cli({u"show"_qs, start, u"--dict"_qs, dict});
        EXPECT_EQ(r.exitCode, 2) << start.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(u"START"_qs) || r.err.contains(u"not the start of an entry"_qs))
            << r.err.toStdString();
    }
    EXPECT_EQ(cli({u"show"_qs, u"--dict"_qs, dict}).exitCode, 2);
    EXPECT_EQ(cli({u"show"_qs, u"13"_qs, u"52"_qs, u"--dict"_qs, dict}).exitCode, 2);
    EXPECT_EQ(cli({u"show"_qs, u"13"_qs, u"--dict"_qs, dir.path("missing.txt")}).exitCode, 2);
}

// With --loose the marks are the viewer's with Loose Matching on: folded, so "þæt" marks "ðæt"
// and "AD" marks "ād"; without it only the same letters are marked.
TEST(CliShow, LooseMarksAreFoundAsTheViewerFindsThemWithLooseMatchingOn) {
    TempDir dir;
    const QString dict = dir.write("d.txt", "#<b>&eth;&aelig;t</b> &thorn;&AElig;T that &a-long;d ad");
    const auto marks = [&](const QString& term, bool loose) {
        QStringList args = {u"show"_qs, u"4"_qs, u"--json"_qs, u"--mark"_qs, term, u"--dict"_qs, dict};
        if (loose) args << u"--loose"_qs;
        return jsonOf(cli(args)).value(u"marks").toArray();
    };
    EXPECT_EQ(marks(QString::fromUtf16(u"\u00FE\u00E6t"), true), (QJsonArray{QJsonArray{0, 3}, QJsonArray{4, 3}}));
    EXPECT_EQ(marks(QString::fromUtf16(u"\u00FE\u00E6t"), false), (QJsonArray{QJsonArray{4, 3}}));
    EXPECT_EQ(marks(u"AD"_qs, true), (QJsonArray{QJsonArray{13, 2}, QJsonArray{16, 2}}));
    EXPECT_EQ(marks(u"AD"_qs, false), (QJsonArray{QJsonArray{16, 2}}));
    // The text and its styles are the same either way.
    const CliRun plain = cli({u"show"_qs, u"4"_qs, u"--mark"_qs, u"ad"_qs, u"--loose"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(plain.out, cli({u"show"_qs, u"4"_qs, u"--dict"_qs, dict}).out);
}
