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

// Starts 15 (ābīdan), 75 (æcer), 134 (æcras), 177 (beran), 225 (bǣron).
const QByteArray kLinkDict = "@wh_b0001\r\n"
                             "#<b>&a-long;b&i-long;dan</b> <i>st. v.</i> = <b>beran</b>.\r\n"
                             "#<b>&aelig;cer</b> <i>m.</i> a field; <i>wk. v.</i> beran\r\n"
                             "#<b>&aelig;cras</b> v. <i>&aelig;cer</i>.\r\n"
                             "#<b>beran</b> <i>st. v.</i> to bear\r\n@wh_b0002\r\n"
                             "#<b>b&aelig-long;ron</b> <i>pret. pl.</i> of beran; cp. &aelig;cer";

QList<QJsonObject> jsonLines(const QString& out) {
    QList<QJsonObject> objects;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
        QJsonParseError error;
        objects << QJsonDocument::fromJson(line.toUtf8(), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    }
    return objects;
}

} // namespace

TEST(CliLinks, ListsEveryLinkInFileOrderWithPositionsInTheShownText) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kLinkDict);
    const CliRun all = cli({u"links"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, u"15\t16\t5\tberan\t177\tberan\n"
                       u"134\t9\t4\tæcer\t75\tæcer\n"
                       u"225\t19\t5\tberan\t177\tberan\n"
                       u"225\t30\t4\tæcer\t75\tæcer\n"_qs);

    // The positions are those of show --json's text, and --json gives the same links.
    const QList<QJsonObject> links = jsonLines(cli({u"--json"_qs, u"links"_qs, u"--dict"_qs, dict}).out);
    ASSERT_EQ(links.size(), 4);
    for (const QJsonObject& link : links) {
        EXPECT_EQ(link.keys(),
                  (QStringList{u"from"_qs, u"headword"_qs, u"len"_qs, u"pos"_qs, u"target"_qs, u"text"_qs}));
        const QString from = QString::number(link.value(u"from").toInt());
        const QJsonObject shown =
            jsonLines(cli({u"show"_qs, from, u"--json"_qs, u"--dict"_qs, dict}).out).value(0);
        EXPECT_EQ(shown.value(u"text").toString().mid(link.value(u"pos").toInt(), link.value(u"len").toInt()),
                  link.value(u"text").toString());
    }
    EXPECT_EQ(links[1].value(u"text").toString(), u"æcer"_qs);
    EXPECT_EQ(links[1].value(u"target").toInt(), 75);

    // One entry's links; an entry without any, and a START that is no entry.
    EXPECT_EQ(cli({u"links"_qs, u"225"_qs, u"--dict"_qs, dict}).out,
              u"225\t19\t5\tberan\t177\tberan\n225\t30\t4\tæcer\t75\tæcer\n"_qs);
    const CliRun none = cli({u"links"_qs, u"177"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty());
    for (const QString& bad : {u"16"_qs, u"x"_qs}) {
        const CliRun r = cli({u"links"_qs, bad, u"--dict"_qs, dict});
        EXPECT_EQ(r.exitCode, 2) << bad.toStdString();
        EXPECT_TRUE(r.err.contains(u"links:")) << r.err.toStdString();
    }
    EXPECT_EQ(cli({u"links"_qs, u"--dict"_qs, dir.write("n.txt", "#<b>ab</b> = cd")}).exitCode, 1);
}

TEST(CliLinks, RefsListsWhatLeadsToAnEntry) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kLinkDict);
    const CliRun r = cli({u"refs"_qs, u"177"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"15\tābīdan\n225\tbǣron\n"_qs);
    const QList<QJsonObject> json =
        jsonLines(cli({u"refs"_qs, u"75"_qs, u"--json"_qs, u"--dict"_qs, dict}).out);
    ASSERT_EQ(json.size(), 2);
    EXPECT_EQ(json[0].value(u"from").toInt(), 134);
    EXPECT_EQ(json[0].value(u"headword").toString(), u"æcras"_qs);
    EXPECT_EQ(json[1].keys(), (QStringList{u"from"_qs, u"headword"_qs}));

    EXPECT_EQ(cli({u"refs"_qs, u"15"_qs, u"--dict"_qs, dict}).exitCode, 1);
    EXPECT_EQ(cli({u"refs"_qs, u"14"_qs, u"--dict"_qs, dict}).exitCode, 2);
    EXPECT_EQ(cli({u"refs"_qs, u"--dict"_qs, dict}).exitCode, 2);
}

TEST(CliLinks, ShowAddsTheLinksOnlyWhenAsked) {
    TempDir dir;
    const QString dict = dir.write("d.txt", kLinkDict);
    const CliRun plain = cli({u"--json"_qs, u"show"_qs, u"225"_qs, u"--dict"_qs, dict});
    const CliRun linked = cli({u"--json"_qs, u"show"_qs, u"225"_qs, u"--links"_qs, u"--dict"_qs, dict});
    EXPECT_EQ(linked.exitCode, 0) << linked.err.toStdString();
    EXPECT_FALSE(plain.out.contains(u"links"));
    // The same object, the list added at its end.
    EXPECT_EQ(linked.out, plain.out.chopped(2) + u",\"links\":[[19,5,177],[30,4,75]]}\n"_qs);
    // A page marker is no cross-reference; an entry with none has an empty list.
    const QJsonObject beran =
        jsonLines(cli({u"--json"_qs, u"show"_qs, u"177"_qs, u"--links"_qs, u"--dict"_qs, dict}).out).value(0);
    EXPECT_TRUE(beran.value(u"text").toString().contains(u"@wh_b0002"));
    EXPECT_EQ(beran.value(u"links").toArray(), QJsonArray());
    // Without --json, show prints the text as it always did.
    EXPECT_EQ(cli({u"show"_qs, u"225"_qs, u"--links"_qs, u"--dict"_qs, dict}).out,
              cli({u"show"_qs, u"225"_qs, u"--dict"_qs, dict}).out);
}
