// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <random>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {

class EntryIndexTest : public ::testing::Test {
protected:
    // Opens `bytes` as the dictionary text and indexes it.
    EntryIndex indexOf(const QByteArray& bytes) {
        text = std::make_unique<TMapTextfile>();
        text->Open(dir.write(QStringLiteral("t%1.txt").arg(++files), bytes), false);
        return buildEntryIndex(*text);
    }
    QStringList headwords(const EntryIndex& index) {
        QStringList out;
        for (qsizetype i = 0; i < index.size(); ++i) out << index.headword(i);
        return out;
    }
    void expectSame(const EntryIndex& a, const EntryIndex& b) {
        EXPECT_EQ(a.offsets, b.offsets);
        EXPECT_EQ(headwords(a), headwords(b));
    }
    // A text of 1 to 40 random markup pieces: markers, tags, entities and their halves, words.
    static QByteArray randomSoup(std::mt19937& rng) {
        static constexpr const char* kPieces[] = {"#", "<", "<b>", "</b>", "&thorn;", "&", ";", "a", "xyz", " ", "\r\n"};
        QByteArray soup;
        const int pieces = std::uniform_int_distribution<int>(1, 40)(rng);
        for (int i = 0; i < pieces; ++i) soup += kPieces[std::uniform_int_distribution<std::size_t>(0, 10)(rng)];
        return soup;
    }
    TempDir dir;
    std::unique_ptr<TMapTextfile> text;
    int files = 0;
};

} // namespace

TEST_F(EntryIndexTest, StartsAndHeadwordsInFileOrder) {
    const EntryIndex index = indexOf("#<b>ab</b> x#<b>cd</b> y");
    EXPECT_EQ(index.offsets, (std::vector<std::int32_t>{4, 16}));
    EXPECT_EQ(headwords(index), (QStringList{u"ab"_qs, u"cd"_qs}));
}

TEST_F(EntryIndexTest, TheThreeBytesAfterTheMarkerNeverReachTheHeadword) {
    EXPECT_EQ(headwords(indexOf("#xyzab<")), QStringList{u"ab"_qs});
    // A '#' among them is skipped too: the next search starts at the '<'.
    EXPECT_EQ(headwords(indexOf("#x#zab<i>#<b>c<")), (QStringList{u"ab"_qs, u"c"_qs}));
}

TEST_F(EntryIndexTest, HeadwordsAreDecoded) {
    const EntryIndex index = indexOf("@wh_b0001#<b>&aelig;t</b>#<b>&nosuch;x</b>#<b>&Aelig;</b>");
    EXPECT_EQ(headwords(index), (QStringList{u"\u00E6t"_qs, u"&nosuch;x"_qs, u"&Aelig;"_qs}));
    EXPECT_EQ(index.raw(0), QByteArrayView("&aelig;t")); // kept as written, decoded when asked for
    EXPECT_EQ(headwords(indexOf("#<b>a &amp no semicolon<")), QStringList{u"a &amp no semicolon"_qs});
}

TEST_F(EntryIndexTest, HighBytesAndNulWidenThroughTheCodePage) {
    const EntryIndex index = indexOf(QByteArray("#<b>\x80\xE6\x00\x81<", 10));
    ASSERT_EQ(index.size(), 1);
    EXPECT_EQ(index.headword(0), QString::fromUtf16(u"\u20AC\u00E6\u0000\u0081", 4));
}

TEST_F(EntryIndexTest, AHashInsideAHeadwordIsNotAnEntry) {
    const EntryIndex index = indexOf("#<b>a#b<x>#<b>c<");
    EXPECT_EQ(headwords(index), (QStringList{u"a#b"_qs, u"c"_qs}));
}

TEST_F(EntryIndexTest, AMarkerWithoutLessThanRunsToTheEndOfTheFile) {
    EXPECT_EQ(headwords(indexOf("#<b>a<#<b>tail")), (QStringList{u"a"_qs, u"tail"_qs}));
    const EntryIndex onlyHash = indexOf("#");
    EXPECT_EQ(onlyHash.offsets, std::vector<std::int32_t>{4});
    EXPECT_EQ(headwords(onlyHash), QStringList{QString()});
    EXPECT_EQ(indexOf("##").size(), 1);
}

TEST_F(EntryIndexTest, NothingToIndex) {
    EXPECT_TRUE(indexOf("no entry marker at all").empty());
    TMapTextfile closed;
    EXPECT_TRUE(buildEntryIndex(closed).empty());
    closed.Open(dir.write("empty.txt", {}), false);
    EXPECT_TRUE(buildEntryIndex(closed).empty());
}

TEST_F(EntryIndexTest, AMegabyteHeadword) {
    QByteArray big = "#<b>";
    big.append(QByteArray(1 << 20, 'w'));
    big.append("</b>#<b>&thorn;");
    big.append(QByteArray(1 << 20, '&'));
    const EntryIndex index = indexOf(big);
    ASSERT_EQ(index.size(), 2);
    EXPECT_EQ(index.headword(0).size(), 1 << 20);
    EXPECT_EQ(index.headword(1).size(), 1 + (1 << 20)); // no ';' after the '&'s: kept as written
}

TEST_F(EntryIndexTest, RebuildGivesTheSameIndex) {
    indexOf("@wh_b0001#<b>a</b>#<b>b</b>");
    const EntryIndex first = buildEntryIndex(*text);
    const EntryIndex second = buildEntryIndex(*text);
    EXPECT_EQ(first.offsets, second.offsets);
}

TEST_F(EntryIndexTest, EntryExtentAndPage) {
    //                 0         1         2         3
    //                 0123456789012345678901234567890123456789
    const QByteArray t = "@wh_b0001#<b>a</b> x@wh_b0002 y#<b>b</b>";
    indexOf(t);
    EXPECT_EQ(entryLastByte(*text, 13), 30);
    EXPECT_EQ(entryLastByte(*text, 35), static_cast<std::int32_t>(t.size() - 1));
    EXPECT_EQ(pageNameBefore(*text, 9), QByteArray("wh_b0001"));
    EXPECT_EQ(pageNameBefore(*text, 31), QByteArray("wh_b0002")); // the '@' inside the previous entry
    indexOf("#<b>a</b>");
    EXPECT_EQ(pageNameBefore(*text, 0), QByteArray());
    indexOf("x@wh#<b>a</b>");
    EXPECT_EQ(pageNameBefore(*text, 4), QByteArray("wh#<b>a<"));
    indexOf("x@wh");
    EXPECT_EQ(pageNameBefore(*text, 4), QByteArray("wh"));
}

// Read from a file, the text arrives in pieces: cut anywhere (inside the marker's skipped bytes,
// inside a headword, right after a '#'), it must give the index of the whole.
TEST_F(EntryIndexTest, PiecesGiveTheIndexOfTheWhole) {
    const auto inPieces = [](const QByteArray& bytes, const std::vector<qsizetype>& cuts) {
        EntryIndexBuilder builder;
        qsizetype from = 0;
        for (qsizetype cut : cuts) {
            builder.feed(QByteArrayView(bytes).sliced(from, cut - from));
            from = cut;
        }
        builder.feed(QByteArrayView(bytes).sliced(from));
        return builder.finish();
    };
    const QByteArray fixed = "@wh_b0001#<b>&aelig;t</b> x#<b>b&amp;n</b>#xy";
    for (qsizetype cut = 0; cut <= fixed.size(); ++cut) expectSame(inPieces(fixed, {cut}), indexOf(fixed));
    std::vector<qsizetype> everyByte;
    for (qsizetype i = 1; i < fixed.size(); ++i) everyByte.push_back(i);
    expectSame(inPieces(fixed, everyByte), indexOf(fixed));

    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        const QByteArray soup = randomSoup(rng);
        std::vector<qsizetype> cuts;
        for (qsizetype at = 0; at < soup.size(); at += std::uniform_int_distribution<qsizetype>(1, 6)(rng)) {
            cuts.push_back(at);
        }
        SCOPED_TRACE(soup.toStdString());
        expectSame(inPieces(soup, cuts), indexOf(soup));
    }
    // The builder starts afresh after finish().
    EntryIndexBuilder builder;
    builder.feed("#<b>a<");
    (void)builder.finish();
    builder.feed("#<b>b<");
    EXPECT_EQ(headwords(builder.finish()), QStringList{u"b"_qs});
}

// Indexed in parts (start-up spreads them over two threads) and joined, any text must give the
// index of the whole, also where a part begins inside a headword, inside the bytes skipped after
// a '#', or inside a headword that runs over several parts.
TEST_F(EntryIndexTest, PartsJoinIntoTheIndexOfTheWhole) {
    const auto inParts = [](const QByteArray& bytes, const std::vector<qint64>& cuts) {
        std::vector<IndexedPart> parts;
        qint64 begin = 0;
        for (qsizetype i = 0; i <= static_cast<qsizetype>(cuts.size()); ++i) {
            const qint64 end = i < static_cast<qsizetype>(cuts.size()) ? cuts[static_cast<std::size_t>(i)] : bytes.size();
            IndexedPart part{begin, end, EntryIndexBuilder(begin)};
            part.builder.feed(QByteArrayView(bytes).sliced(begin, end - begin));
            parts.push_back(std::move(part));
            begin = end;
        }
        return joinParts(parts, bytes);
    };
    // A '#' inside a headword that a part boundary cuts, so the part takes it for an entry.
    const QByteArray tricky = "#<b>ab#<c<i>#xyz<#<b>long headword over parts<#<";
    for (qint64 a = 0; a <= tricky.size(); ++a) {
        for (qint64 b = a; b <= tricky.size(); b += 3) expectSame(inParts(tricky, {a, b}), indexOf(tricky));
    }
    std::mt19937 rng(23);
    for (int round = 0; round < 400; ++round) {
        const QByteArray soup = randomSoup(rng);
        std::vector<qint64> cuts;
        for (qint64 at = std::uniform_int_distribution<qint64>(0, 5)(rng); at < soup.size();
             at += std::uniform_int_distribution<qint64>(1, 9)(rng)) {
            cuts.push_back(at);
        }
        SCOPED_TRACE(soup.toStdString());
        expectSame(inParts(soup, cuts), indexOf(soup));
    }
}
