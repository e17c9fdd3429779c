// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CliRunner.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

using wordhoard::testing::cli;
using wordhoard::testing::CliRun;
using wordhoard::testing::TempDir;

TEST(CliHeadwords, ListsStartAndDecodedHeadwordInFileOrder) {
    TempDir dir;
    const QString dict = dir.write("d.txt", "@wh_b0001#<b>&aelig;t</b> prep.#<b>b&thorn;</b> x");
    const CliRun r = cli({u"headwords"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString::fromUtf16(u"13\t\u00E6t\n35\tb\u00FE\n"));
}

TEST(CliHeadwords, JsonLinesAndOptionsInAnyPosition) {
    TempDir dir;
    const QString dict = dir.write("d.txt", "#<b>a\"b\\c</b>");
    const CliRun before = cli({u"--dict"_qs, dict, u"--json"_qs, u"headwords"_qs});
    const CliRun after = cli({u"headwords"_qs, u"--json"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(before.exitCode, 0);
    EXPECT_EQ(before.out, after.out);
    EXPECT_EQ(before.out, uR"({"start":4,"headword":"a\"b\\c"})"_qs + u"\n"_qs); // keys in this order
    const QJsonObject line = QJsonDocument::fromJson(before.out.toUtf8()).object();
    EXPECT_EQ(line.value(u"start").toInt(), 4);
    EXPECT_EQ(line.value(u"headword").toString(), u"a\"b\\c"_qs);
}

TEST(CliHeadwords, DefaultDictionaryIsRelativeToTheWorkingDirectory) {
    TempDir dir;
    dir.write("txt/WH-main_01.txt", "#<b>x</b>");
    const CliRun r = cli({u"headwords"_qs}, dir.path("."));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"4\tx\n"_qs);
}

TEST(CliHeadwords, ExitCodesForNothingBadUsageAndUnopenableFiles) {
    TempDir dir;
    EXPECT_EQ(cli({u"headwords"_qs, u"--dict"_qs, dir.write("none.txt", "no marker")}).exitCode, 1);

    const CliRun missing = cli({u"headwords"_qs, u"--dict"_qs, dir.path("missing.txt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(u"missing.txt"_qs)) << missing.err.toStdString();

    const CliRun directory = cli({u"headwords"_qs, u"--dict"_qs, dir.path(".")});
    EXPECT_EQ(directory.exitCode, 2);
    EXPECT_TRUE(directory.err.contains(u"directory"_qs)) << directory.err.toStdString();

    const CliRun empty = cli({u"headwords"_qs, u"--dict"_qs, dir.write("empty.txt", {})});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains(u"empty"_qs));

    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({u"frobnicate"_qs}).exitCode, 2);
    EXPECT_EQ(cli({u"headwords"_qs, u"extra"_qs}).exitCode, 2);
    EXPECT_EQ(cli({u"--no-such-option"_qs, u"headwords"_qs}).exitCode, 2);
    const CliRun help = cli({u"--help"_qs});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(u"headwords"_qs));
}
