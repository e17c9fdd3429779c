// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A generated dictionary of a few thousand entries through the whole CLI, checked against a
// plain re-derivation of every headword written here, and the generator's own promises.
#include "CliRunner.h"
#include "text/EntityTable.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <string_view>

using wordhoard::EntityTable;
using wordhoard::testing::cli;
using wordhoard::testing::CliRun;
using wordhoard::testing::generateDictionary;
using wordhoard::testing::TempDir;

namespace {

constexpr int kEntries = 3000;


// Byte by byte, the way a reader of the format would do it by hand: an entity token is looked up
// by walking the table's rows; every other byte is one Latin-1 character (the caller makes sure
// no byte falls in 0x80..0x9F, where Windows-1252 and Latin-1 part ways).
QString decodeByHand(const QByteArray& raw) {
    QString out;
    for (qsizetype i = 0; i < raw.size();) {
        if (raw[i] != '&') {
            out.append(QChar(static_cast<unsigned char>(raw[i])));
            ++i;
            continue;
        }
        const qsizetype semi = raw.indexOf(';', i);
        if (semi < 0) {
            out.append(QString::fromLatin1(raw.mid(i)));
            break;
        }
        const std::string_view token(raw.constData() + i, static_cast<std::size_t>(semi + 1 - i));
        const auto row = std::find_if(EntityTable.begin(), EntityTable.end(),
                                      [&](const wordhoard::EntityRow& r) { return r.name == token; });
        if (row != EntityTable.end()) {
            out.append(QChar(row->character));
        } else {
            out.append(QString::fromLatin1(token.data(), static_cast<qsizetype>(token.size())));
        }
        i = semi + 1;
    }
    return out;
}

QString expectedHeadwords(const QByteArray& text) {
    QString lines;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype hash = text.indexOf('#', pos);
        if (hash < 0) break;
        const qsizetype start = hash + 4;
        qsizetype end = text.indexOf('<', start);
        if (end < 0) end = text.size();
        lines += QString::number(start) + u'\t' + decodeByHand(text.mid(start, end - start)) + u'\n';
        pos = end;
    }
    return lines;
}

} // namespace

TEST(CliScale, HeadwordsOfAGeneratedDictionaryMatchAHandDerivation) {
    TempDir dir;
    const QByteArray text = generateDictionary(dir, kEntries, 7);
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && b < 0xA0;
    })) << "the hand derivation assumes Latin-1 and Windows-1252 agree on every byte";

    const QString expected = expectedHeadwords(text);
    EXPECT_EQ(expected.count(u'\n'), kEntries);
    const CliRun r = cli({u"headwords"_qs, u"--dict"_qs, dir.path(u"gen-3000-7.txt"_qs)});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.out.size(), expected.size());
    EXPECT_TRUE(r.out == expected) << "first difference at unit "
                                   << std::mismatch(r.out.begin(), r.out.end(), expected.begin()).first - r.out.begin();
    // The headwords really carry decoded letters, not just ASCII.
    EXPECT_TRUE(expected.contains(QChar(0x00E6)) && expected.contains(QChar(0x0101)) && expected.contains(QChar(0x00FE)));
}

TEST(CliScale, GeneratorIsDeterministicAndKeepsTheFormatsRules) {
    TempDir dir;
    const QByteArray text = generateDictionary(dir, kEntries, 7);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(generateDictionary(dir, kEntries, 7), text);
    EXPECT_NE(generateDictionary(dir, kEntries, 8), text);

    EXPECT_TRUE(text.startsWith("@wh_b0001\r\n#"));
    EXPECT_EQ(text.count('\n'), text.count("\r\n"));
    EXPECT_EQ(text.count('\r'), text.count("\r\n"));

    // Page markers: '@', 8 bytes, a line end; never more than a few KB apart, long entries included.
    const QRegularExpression name(u"^wh_[b-z]\\d{4}$"_qs);
    qsizetype previous = -1;
    qsizetype widestGap = 0;
    for (qsizetype at = text.indexOf('@'); at >= 0; at = text.indexOf('@', at + 1)) {
        ASSERT_LE(at + 11, text.size());
        EXPECT_TRUE(name.match(QString::fromLatin1(text.mid(at + 1, 8))).hasMatch()) << text.mid(at, 12).toStdString();
        EXPECT_EQ(text.mid(at + 9, 2), "\r\n");
        if (previous >= 0) widestGap = std::max(widestGap, at - previous);
        previous = at;
    }
    EXPECT_LT(widestGap, 16 * 1024);

    // Every entity token is a name of the table; a stray '&' would swallow text up to some ';'.
    for (qsizetype amp = text.indexOf('&'); amp >= 0; amp = text.indexOf('&', amp + 1)) {
        const qsizetype semi = text.indexOf(';', amp);
        ASSERT_GE(semi, 0);
        const std::string_view token(text.constData() + amp, static_cast<std::size_t>(semi + 1 - amp));
        ASSERT_TRUE(wordhoard::entityCharacter(token).has_value()) << std::string(token);
    }

    // The size spread: mostly short entries, a few over 100 KB holding thousands of tags.
    QList<qsizetype> sizes;
    int hugeWithManyTags = 0;
    for (qsizetype at = text.indexOf('#'); at >= 0;) {
        const qsizetype next = text.indexOf('#', at + 1);
        const qsizetype end = next < 0 ? text.size() : next;
        sizes.append(end - at);
        if (end - at > 100 * 1024 && text.mid(at, end - at).count('<') > 2000) ++hugeWithManyTags;
        at = next;
    }
    ASSERT_EQ(sizes.size(), kEntries);
    std::sort(sizes.begin(), sizes.end());
    EXPECT_LT(sizes[kEntries / 2], 1000);
    EXPECT_GT(sizes[kEntries / 2], 100);
    EXPECT_GE(hugeWithManyTags, 3);
    EXPECT_TRUE(text.contains("cyning") && text.contains("hw&aelig;t") && text.contains("&lt;") && text.contains("&amp;"));
}

// The dictionary cut short while the CLI runs, at moments from before it has read the text to
// well into its search: it never ends by a signal. It finishes from the text it read (status 0
// or 1), or, when the file changed too often while it was read, ends with a message and status 2.
TEST(CliScale, ADictionaryCutShortWhileTheCliRunsNeverEndsItByASignal) {
    const TempDir dir;
    const QByteArray text = generateDictionary(dir, kEntries, 11);
    const QString path = dir.path(u"cut.txt"_qs);
    for (const int delayMs : {0, 3, 10, 30, 60, 120}) {
        SCOPED_TRACE(delayMs);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        QProcess run;
        run.start(QStringLiteral(WORDHOARD_CLI), {u"--dict"_qs, path, u"search"_qs, u"--context"_qs, u"e"_qs});
        ASSERT_TRUE(run.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(delayMs));
        ASSERT_TRUE(QFile::resize(path, 1000));
        ASSERT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_TRUE(run.exitCode() == 0 || run.exitCode() == 1 || run.exitCode() == 2) << run.exitCode();
        if (run.exitCode() == 2) {
            EXPECT_FALSE(run.readAllStandardError().isEmpty());
        }
    }
}
