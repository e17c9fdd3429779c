// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// forms and gloss through the whole CLI: columns, JSON, stdin, exit codes.
#include "CliRunner.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using wordhoard::testing::cli;
using wordhoard::testing::CliRun;
using wordhoard::testing::TempDir;

namespace {

const QByteArray kDict = "@wh_b0001\r\n"
                         "#<b>cyning</b> <i>m.</i> (<i>gen.</i> cyninges) a king; a ruler.\r\n"
                         "#<b>sang</b> <i>m.</i> a song, poem: <i>sanges</i>.\r\n"
                         "#<b>singan</b> <i>sv3</i> to sing; to crow.\r\n"
                         "#<b>&aelig;cer</b> m. a field.\r\n"
                         "#<b>&aelig;cras</b> v. &aelig;cer.\r\n";

qint64 startOf(const char* headword) {
    return kDict.indexOf(QByteArray("#<b>") + headword + "</b>") + 4;
}

CliRun cliWithInput(const QStringList& args, const QByteArray& input) {
    QProcess p;
    p.start(QStringLiteral(WORDHOARD_CLI), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString n(qint64 v) {
    return QString::number(v);
}

} // namespace

TEST(CliForms, ListsEachWordsCandidatesBestFirst) {
    TempDir dir;
    const QString dict = dir.write(u"d.txt"_qs, kDict);
    const CliRun r =
        cli({u"--dict"_qs, dict, u"forms"_qs, u"cyninges"_qs, u"xyzzy"_qs, u"sang"_qs, u"\u00E6cras"_qs});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"cyninges\t"_qs + n(startOf("cyning")) + u"\tcyning\tgen. sg., strong masc.\n"_qs +
                         u"sang\t"_qs + n(startOf("sang")) + u"\tsang\theadword\n"_qs + u"sang\t"_qs +
                         n(startOf("singan")) + u"\tsingan\tpast sg., strong verb III\n"_qs +
                         u"\u00E6cras\t"_qs + n(startOf("&aelig;cer")) +
                         u"\t\u00E6cer\tcross-reference\n"_qs + u"\u00E6cras\t"_qs +
                         n(startOf("&aelig;cras")) + u"\t\u00E6cras\theadword\n"_qs);

    const CliRun json = cli({u"forms"_qs, u"--json"_qs, u"--dict"_qs, dict, u"sungon"_qs});
    EXPECT_EQ(json.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.value(u"word").toString(), u"sungon"_qs);
    EXPECT_EQ(o.value(u"start").toInteger(), startOf("singan"));
    EXPECT_EQ(o.value(u"headword").toString(), u"singan"_qs);
    EXPECT_EQ(o.value(u"analysis").toString(), u"past pl., strong verb III"_qs);

    // Nothing for any word: 1; no word, or no dictionary: 2.
    EXPECT_EQ(cli({u"--dict"_qs, dict, u"forms"_qs, u"xyzzy"_qs, u"qq"_qs}).exitCode, 1);
    EXPECT_EQ(cli({u"--dict"_qs, dict, u"forms"_qs}).exitCode, 2);
    const CliRun missing = cli({u"--dict"_qs, dir.path(u"none.txt"_qs), u"forms"_qs, u"sang"_qs});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.out.isEmpty());
}

TEST(CliGloss, GivesEveryWordOfTheTextItsBestHeadwordAndFirstGloss) {
    TempDir dir;
    const QString dict = dir.write(u"d.txt"_qs, kDict);
    // Words are runs of letters and combining marks, a hyphen inside one included.
    const QByteArray text = u"Cyninges sang-x, sungon: xyzzy\n\u00E6cras! cyninges"_qs.toUtf8();
    const CliRun r = cliWithInput({u"--dict"_qs, dict, u"gloss"_qs}, text);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString king = n(startOf("cyning")) + u"\tcyning\ta king\n"_qs;
    EXPECT_EQ(r.out, u"Cyninges\t"_qs + king + u"sang-x\t\t\t\n"_qs + u"sungon\t"_qs + n(startOf("singan")) +
                         u"\tsingan\tto sing\n"_qs + u"xyzzy\t\t\t\n"_qs + u"\u00E6cras\t"_qs +
                         n(startOf("&aelig;cer")) + u"\t\u00E6cer\ta field\n"_qs + u"cyninges\t"_qs + king);

    const CliRun json = cliWithInput({u"gloss"_qs, u"--json"_qs, u"--dict"_qs, dict}, "sang xyzzy");
    EXPECT_EQ(json.exitCode, 0);
    const QStringList lines = json.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject song = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    EXPECT_EQ(song.value(u"start").toInteger(), startOf("sang"));
    EXPECT_EQ(song.value(u"headword").toString(), u"sang"_qs);
    EXPECT_EQ(song.value(u"gloss").toString(), u"a song, poem"_qs);
    const QJsonObject none = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(none.value(u"word").toString(), u"xyzzy"_qs);
    EXPECT_TRUE(none.value(u"start").isNull());
    EXPECT_EQ(none.value(u"headword").toString(), QString());

    // No word with a candidate (or no word at all): 1; an argument or no dictionary: 2.
    EXPECT_EQ(cliWithInput({u"--dict"_qs, dict, u"gloss"_qs}, "xyzzy qq").exitCode, 1);
    EXPECT_EQ(cliWithInput({u"--dict"_qs, dict, u"gloss"_qs}, "").exitCode, 1);
    EXPECT_EQ(cliWithInput({u"--dict"_qs, dict, u"gloss"_qs, u"sang"_qs}, "sang").exitCode, 2);
    EXPECT_EQ(cliWithInput({u"--dict"_qs, dir.path(u"none.txt"_qs), u"gloss"_qs}, "sang").exitCode, 2);
}
