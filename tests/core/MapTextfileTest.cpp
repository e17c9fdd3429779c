// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/MapTextfile.h"
#include "FileApiParam.h"
#include "QtPrinters.h"
#include "References.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <random>
#include <string>

using namespace std::string_literals;

using namespace wordhoard;
using wordhoard::reference::naiveFind;
using wordhoard::reference::naiveFindWild;
using wordhoard::testing::TempDir;

namespace {

// Every test that opens a file runs once with each file API this build has.
class MapTextfileTest : public ::testing::TestWithParam<FileApi> {
protected:
    TempDir dir;
};

} // namespace

WORDHOARD_FOR_EACH_FILE_API(MapTextfileTest);

TEST(MapTextfileClosed, EveryReadGivesItsClosedValue) {
    TMapTextfile text;
    EXPECT_FALSE(text.opened());
    EXPECT_EQ(text.PointerAt(0), nullptr);
    EXPECT_EQ(text.NextChar(), 0);
    EXPECT_EQ(text.CharAt(3), 0);
    text.Seek(5);
    EXPECT_EQ(text.cursor(), 0);
    EXPECT_TRUE(text.AtEnd());
    EXPECT_EQ(text.Find("a", 0, 0), -1);
    EXPECT_EQ(text.FindWild("a", 0, 0, '*', '.'), -1);
    text.Close(); // no effect
}

TEST_P(MapTextfileTest, OpenFailsOnMissingEmptyAndDirectory) {
    TMapTextfile text;
    EXPECT_EQ(text.Open(dir.path("missing.txt"), false, GetParam()), -1);
    EXPECT_FALSE(text.opened());
    EXPECT_FALSE(text.errorString().isEmpty());
    EXPECT_EQ(text.Open(dir.write("empty.txt", {}), false, GetParam()), -1);
    EXPECT_FALSE(text.opened());
    dir.write("sub/x.txt", "x");
    EXPECT_EQ(text.Open(dir.path("sub"), false, GetParam()), -1);
    EXPECT_EQ(text.errorString(), QStringLiteral("is a directory"));
    // The reasons read the same whichever API opened the file.
    EXPECT_EQ(text.Open(dir.path("missing.txt"), false, GetParam()), -1);
    EXPECT_EQ(text.errorString(), QStringLiteral("No such file or directory"));
    EXPECT_EQ(text.Open(dir.path("empty.txt"), false, GetParam()), -1);
    EXPECT_EQ(text.errorString(), QStringLiteral("the file is empty"));
}

TEST_P(MapTextfileTest, FilesOfTwoGibibytesOrMoreDoNotOpen) {
    // Sparse files: no disk is used for the holes.
    const auto makeSparse = [&](const QString& name, qint64 size) {
        QFile file(dir.path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(size));
        return file.fileName();
    };
    TMapTextfile text;
    EXPECT_EQ(text.Open(makeSparse("two-gib.txt", qint64{1} << 31), false, GetParam()), -1);
    EXPECT_EQ(text.errorString(), QStringLiteral("the file is 2 GiB or larger"));
    EXPECT_EQ(text.Open(makeSparse("four-gib-and-one.txt", (qint64{1} << 32) + 1), false, GetParam()), -1);
    EXPECT_FALSE(text.opened());
    ASSERT_EQ(text.Open(makeSparse("just-under.txt", (qint64{1} << 31) - 1), false, GetParam()), 0);
    EXPECT_EQ(text.size(), 0x7FFFFFFF);
    EXPECT_EQ(text.CharAt(0x7FFFFFFE), 0);
    EXPECT_EQ(text.Find("#", 0x7FFFFFF0, 0), -1);
}

TEST_P(MapTextfileTest, ClampedAccessAndCursor) {
    TMapTextfile text;
    ASSERT_EQ(text.Open(dir.write("t.txt", "xxxxab"), false, GetParam()), 0);
    EXPECT_EQ(text.size(), 6);
    EXPECT_EQ(text.PointerAt(-5), text.PointerAt(0));
    EXPECT_EQ(text.PointerAt(16), text.PointerAt(0) + 6);
    EXPECT_EQ(text.CharAt(-1), 'x');
    EXPECT_EQ(text.CharAt(6), 0);
    EXPECT_EQ(text.CharAt(1000), 0);
    text.Seek(-1);
    EXPECT_EQ(text.cursor(), 0);
    text.Seek(7);
    EXPECT_EQ(text.cursor(), 6);
    EXPECT_TRUE(text.AtEnd());
    text.Seek(5);
    EXPECT_FALSE(text.AtEnd());
    EXPECT_EQ(text.NextChar(), 'b');
    EXPECT_TRUE(text.AtEnd());
    text.Close();
    EXPECT_FALSE(text.opened());
    EXPECT_EQ(text.CharAt(0), 0);
}

TEST_P(MapTextfileTest, FindHonoursLimitStartAndCursor) {
    TMapTextfile text;
    ASSERT_EQ(text.Open(dir.write("t.txt", "xxxxab"), false, GetParam()), 0);
    EXPECT_EQ(text.Find("ab", 0, 6), 4);
    EXPECT_EQ(text.Find("ab", 0, 5), -1); // the 'b' lies at the limit
    EXPECT_EQ(text.Find("x", 3, 3), -1);  // start equal to the limit
    EXPECT_EQ(text.Find("x", 4, 3), -1);
    EXPECT_EQ(text.Find("", 0, 0), -1);
    EXPECT_EQ(text.Find(QByteArrayView("\0ab", 3), 0, 0), -1); // the pattern ends at its zero byte
    text.Seek(2);
    EXPECT_EQ(text.Find("x", -1, 0), 2);
    EXPECT_EQ(text.cursor(), 2);
    EXPECT_EQ(text.Find("ab", 0, 100), 4); // a limit past the end reads no further than the end
}

TEST_P(MapTextfileTest, FindWildStopAndWildcard) {
    TMapTextfile text;
    ASSERT_EQ(text.Open(dir.write("t.txt", "the hat*a hit ab cd"), false, GetParam()), 0);
    EXPECT_EQ(text.FindWild("h.t", 0, 0, '*', '.'), 4);
    EXPECT_EQ(text.FindWild("h.t", 5, 0, '*', '.'), 10);
    EXPECT_EQ(text.FindWild("ab*cd", 0, 0, '*', '.'), 14);
    EXPECT_EQ(text.FindWild("a*", 0, 0, '*', '.'), 5);
    EXPECT_EQ(text.FindWild("*a", 0, 0, '*', '.'), 7);
    EXPECT_EQ(text.FindWild(".", 3, 0, '*', '.'), 3);
    EXPECT_EQ(text.FindWild(".", 3, 3, '*', '.'), -1);
}

TEST_P(MapTextfileTest, FastSearchesAgreeWithTheByteByByteDefinitionOnRandomInput) {
    std::mt19937 rng(20261208);
    const std::string alphabet = "ab*.#\0"s;
    auto pick = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        // Up to 200 bytes: long enough for FindWild's sixteen-at-a-time loop and its tail.
        const std::string body = pick(1 + static_cast<int>(rng() % 200));
        TMapTextfile text;
        ASSERT_EQ(text.Open(dir.write(QStringLiteral("r%1.txt").arg(round), QByteArray(body.data(), body.size())), false, GetParam()),
                  0);
        const auto size = static_cast<std::int32_t>(body.size());
        const QByteArrayView bv(body.data(), static_cast<qsizetype>(body.size()));
        const auto cursor = static_cast<std::int32_t>(rng() % (size + 1));
        text.Seek(cursor);
        for (int q = 0; q < 40; ++q) {
            const std::string pattern = pick(static_cast<int>(rng() % 7));
            const auto start = static_cast<std::int32_t>(rng() % (size + 4)) - 2;
            const auto limit = static_cast<std::int32_t>(rng() % (size + 2)) - 1;
            const QByteArrayView pv(pattern.data(), static_cast<qsizetype>(pattern.size()));
            ASSERT_EQ(text.Find(pv, start, limit), naiveFind(bv, cursor, pv, start, limit))
                << "text '" << body << "' pattern '" << pattern << "' start " << start << " limit " << limit;
            ASSERT_EQ(text.FindWild(pv, start, limit, '*', '.'),
                      naiveFindWild(bv, cursor, pv, start, limit, '*', '.'))
                << "text '" << body << "' pattern '" << pattern << "' start " << start << " limit " << limit;
            // A stop character that is also the wildcard, and one at index 0.
            ASSERT_EQ(text.FindWild(pv, start, limit, '.', '.'),
                      naiveFindWild(bv, cursor, pv, start, limit, '.', '.'));
        }
    }
}
