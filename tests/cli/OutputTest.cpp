// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The CLI's output buffer: text as QString::toUtf8 writes it, numbers as digits, JSON strings as
// Qt's JSON writer escapes them, all surviving the buffer being written out and reused.
#include "Output.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QString>

#include <cstdio>
#include <limits>
#include <memory>

using wordhoard::cli::Output;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Runs `write` against an Output over a temporary file and returns every byte that reached it.
template <typename Write>
QByteArray captured(Write write) {
    std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
    if (!file) throw std::runtime_error("tmpfile failed");
    {
        Output out(file.get());
        write(out);
    }
    std::rewind(file.get());
    QByteArray all;
    char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) all.append(block, static_cast<qsizetype>(n));
    return all;
}

// Units from every UTF-8 length class, surrogate halves included.
char16_t randomUnit(QRandomGenerator& rng) {
    switch (rng.bounded(6)) {
    case 0: return static_cast<char16_t>(rng.bounded(0x80));
    case 1: return static_cast<char16_t>(0x80 + rng.bounded(0x780));
    case 2: return static_cast<char16_t>(0x800 + rng.bounded(0xD000));
    case 3: return static_cast<char16_t>(0xE000 + rng.bounded(0x2000));
    case 4: return static_cast<char16_t>(0xD800 + rng.bounded(0x400)); // high half
    default: return static_cast<char16_t>(0xDC00 + rng.bounded(0x400)); // low half
    }
}

} // namespace

TEST(CliOutput, TextComesOutAsQtEncodesIt) {
    // "æt", "ἀ", "€", a surrogate pair, and each half alone.
    const QString samples[] = {
        u""_qs, u"plain ascii"_qs, QString::fromUtf16(u"\u00E6t \u0101 \u021D"), QString::fromUtf16(u"\u1F00\u20AC\uFFFF"),
        QString::fromUtf16(u"a\U0001F600b"), QString(QChar(0xD800)), QString(QChar(0xDC00)) + u"x"_qs,
        QString::fromUtf16(u"\u007F\u0080\u07FF\u0800"),
    };
    for (const QString& s : samples) {
        EXPECT_EQ(captured([&](Output& out) { out << QStringView(s); }), s.toUtf8()) << s.toStdString();
    }
}

TEST(CliOutput, RandomTextMatchesQtAcrossManyFlushes) {
    QRandomGenerator rng(20240611);
    QByteArray expected;
    QList<QString> pieces;
    for (int i = 0; i < 20000; ++i) {
        QString s;
        const int len = static_cast<int>(rng.bounded(12));
        for (int j = 0; j < len; ++j) s.append(QChar(randomUnit(rng)));
        expected.append(s.toUtf8());
        pieces.append(s);
    }
    // Well over the 64 KiB block, so bytes must survive the buffer being written and reused.
    ASSERT_GT(expected.size(), 1 << 17);
    const QByteArray got = captured([&](Output& out) {
        for (const QString& s : pieces) out << QStringView(s);
    });
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
}

TEST(CliOutput, NumbersAndMixedPiecesKeepTheirOrder) {
    const long long numbers[] = {0, 7, -1, 4096, 2147483647LL, std::numeric_limits<long long>::max(),
                                 std::numeric_limits<long long>::min()};
    QByteArray expected;
    const QByteArray got = captured([&](Output& out) {
        for (const long long n : numbers) {
            out << n << "\t" << QStringView(u"\u00FE") << "\n";
            expected.append(QByteArray::number(n)).append("\t\xC3\xBE\n");
        }
    });
    EXPECT_EQ(got, expected);
}

TEST(CliOutput, JsonStringsAreEscapedAsQtWritesThem) {
    const auto json = [](const QString& s) { return captured([&](Output& out) { out.json(s); }); };
    EXPECT_EQ(json(u""_qs), QByteArray("\"\""));
    EXPECT_EQ(json(u"a\"b\\c/d"_qs), QByteArray(R"("a\"b\\c/d")"));
    // Every control character is escaped, \b \t \n \f \r in their short form; DEL stays as it is.
    QString controls;
    for (char16_t u = 0; u < 0x20; ++u) controls.append(QChar(u));
    controls.append(QChar(0x7F));
    EXPECT_EQ(json(controls), QByteArray(R"("\u0000\u0001\u0002\u0003\u0004\u0005\u0006\u0007\b\t\n\u000b\f\r)"
                                         R"(\u000e\u000f\u0010\u0011\u0012\u0013\u0014\u0015\u0016\u0017\u0018\u0019)"
                                         R"(\u001a\u001b\u001c\u001d\u001e\u001f)" "\x7F\""));
    // Letters beyond ASCII, pairs included, are written as UTF-8; an unpaired half as its escape.
    EXPECT_EQ(json(QString::fromUtf16(u"\u00E6\u1F04\u2028\U0001F600")),
              QByteArray("\"\xC3\xA6\xE1\xBC\x84\xE2\x80\xA8\xF0\x9F\x98\x80\""));
    EXPECT_EQ(json(QString(QChar(0xD800)) + QChar(u'x') + QChar(0xDFFF)), QByteArray(R"("\ud800x\udfff")"));
}

TEST(CliOutput, RandomJsonStringsReadBackWholeAcrossManyFlushes) {
    QRandomGenerator rng(20250108);
    QList<QString> pieces;
    for (int i = 0; i < 20000; ++i) {
        QString s;
        const int len = static_cast<int>(rng.bounded(12));
        for (int j = 0; j < len; ++j) {
            // No unpaired halves: they are written as escapes, which Qt's reader turns into U+FFFD.
            const char16_t u = randomUnit(rng);
            s.append(QChar::isSurrogate(u) ? QChar(static_cast<char16_t>(u & 0x7F)) : QChar(u));
        }
        pieces.append(s);
    }
    const QByteArray got = captured([&](Output& out) {
        for (const QString& s : pieces) {
            out << "[";
            out.json(s) << "]\n";
        }
    });
    ASSERT_GT(got.size(), 1 << 17);
    const QList<QByteArray> lines = got.split('\n');
    ASSERT_EQ(lines.size(), pieces.size() + 1);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QJsonParseError error;
        const QJsonArray read = QJsonDocument::fromJson(lines[i], &error).array();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        ASSERT_EQ(read.at(0).toString(), pieces[i]) << lines[i].toStdString();
    }
}
