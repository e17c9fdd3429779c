// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The bundled sample dictionary is the viewer's default data: these checks keep it well formed as
// it is edited by hand.
#include "text/EntityTable.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <set>
#include <string>

using namespace wordhoard;

namespace {

// The one entity name the sample writes on purpose although the table lacks it, to show that an
// unknown name stays as written.
constexpr std::string_view kDeliberatelyUnknown = "&c-odot;";

class SampleDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = wordhoard::testing::sourceDir() + u"/data/sample/txt/WH-main_01.txt"_qs;
        ASSERT_EQ(text.Open(path, false), 0) << path.toStdString() << ": " << text.errorString().toStdString();
        bytes = text.bytes();
    }
    TMapTextfile text;
    QByteArrayView bytes;
};

// Old English dictionary order: macrons don't count, æ is a letter after a, ð goes with þ after t,
// yogh with g and wynn with w.
std::u16string orderKey(QStringView headword) {
    static const std::u16string alphabet = u"aæbcdefghijklmnopqrstþuvwxyz-";
    std::u16string key;
    for (const QChar ch : headword) {
        char16_t u = ch.toLower().unicode();
        switch (u) {
        case u'ā': u = u'a'; break;
        case u'ǣ': u = u'æ'; break;
        case u'ē': u = u'e'; break;
        case u'ī': u = u'i'; break;
        case u'ō': u = u'o'; break;
        case u'ū': u = u'u'; break;
        case u'ȳ': u = u'y'; break;
        case u'ð': u = u'þ'; break;
        case u'ȝ': u = u'g'; break;
        case u'ƿ': u = u'w'; break;
        default: break;
        }
        const auto at = alphabet.find(u);
        key.push_back(at == std::u16string::npos ? u : static_cast<char16_t>(u'A' + at));
    }
    return key;
}

} // namespace

TEST_F(SampleDictionary, HoldsEnoughEntriesInDictionaryOrder) {
    const EntryIndex index = buildEntryIndex(text);
    ASSERT_GE(index.size(), 150);
    for (qsizetype i = 1; i < index.size(); ++i) {
        EXPECT_LE(orderKey(index.headword(i - 1)), orderKey(index.headword(i)))
            << index.headword(i - 1).toStdString() << " before "
            << index.headword(i).toStdString();
    }
    // Decoding reaches the headwords: the special letters show as letters, never as markup.
    for (qsizetype i = 0; i < index.size(); ++i) {
        EXPECT_FALSE(index.headword(i).contains(u'&')) << index.headword(i).toStdString();
        EXPECT_FALSE(index.headword(i).isEmpty()) << "entry " << i;
    }
}

TEST_F(SampleDictionary, PageMarkersAreEightBytesOnTheirOwnLineAndEveryEntryHasAPage) {
    std::set<QByteArray> pages;
    const QRegularExpression pageName(u"^wh_b\\d{4}$"_qs);
    for (qsizetype at = bytes.indexOf('@'); at >= 0; at = bytes.indexOf('@', at + 1)) {
        ASSERT_LE(at + 11, bytes.size()) << "marker at " << at << " runs past the end";
        const QByteArray name = bytes.sliced(at + 1, 8).toByteArray();
        EXPECT_TRUE(pageName.match(QString::fromLatin1(name)).hasMatch()) << name.toStdString();
        EXPECT_EQ(bytes.sliced(at + 9, 2).toByteArray(), "\r\n") << "after " << name.toStdString();
        EXPECT_TRUE(at == 0 || bytes[at - 1] == '\n') << "marker at " << at << " not at a line start";
        EXPECT_TRUE(pages.insert(name).second) << name.toStdString() << " used twice";
    }
    EXPECT_GE(pages.size(), 8u);

    const EntryIndex index = buildEntryIndex(text);
    for (const std::int32_t start : index.offsets) {
        EXPECT_EQ(pageNameBefore(text, start - 4).size(), 8) << "entry at " << start;
    }
    // A page break also falls inside a long entry, not only between entries.
    int insideEntries = 0;
    for (qsizetype at = bytes.indexOf('@'); at >= 0; at = bytes.indexOf('@', at + 1)) {
        if (at + 11 < bytes.size() && bytes[at + 11] != '#') ++insideEntries;
    }
    EXPECT_GE(insideEntries, 1);
}

TEST_F(SampleDictionary, EveryEntityTokenIsInTheTableExceptTheDeliberateOne) {
    std::set<std::string> unknown;
    int known = 0;
    for (qsizetype amp = bytes.indexOf('&'); amp >= 0; amp = bytes.indexOf('&', amp + 1)) {
        const qsizetype semi = bytes.indexOf(';', amp);
        ASSERT_GE(semi, 0) << "an '&' at " << amp << " has no ';' after it";
        const std::string token(bytes.data() + amp, static_cast<std::size_t>(semi + 1 - amp));
        ASSERT_EQ(token.find('&', 1), std::string::npos) << "stray '&' in " << token;
        if (entityCharacter(token)) {
            ++known;
        } else {
            unknown.insert(token);
        }
    }
    EXPECT_EQ(unknown, std::set<std::string>{std::string(kDeliberatelyUnknown)});
    EXPECT_GT(known, 500);
    // The escapes that the display styles after decoding are present.
    EXPECT_TRUE(bytes.contains("&lt;b&gt;"));
    EXPECT_TRUE(bytes.contains("&amp;"));
}

TEST_F(SampleDictionary, IsWindows1252WithCrlfLineEnds) {
    int latin1 = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
        if (b == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
        }
        EXPECT_TRUE(b >= 0x20 || b == '\r' || b == '\n') << "control byte at " << i;
        // 0x80..0x9F are undefined or typographic in Windows-1252; the text writes those as entities.
        EXPECT_FALSE(b >= 0x80 && b < 0xA0) << "byte " << int(b) << " at " << i;
        if (b >= 0xA0) ++latin1;
    }
    EXPECT_GE(latin1, 1); // the code-page path is exercised by at least one Latin-1 letter
    EXPECT_TRUE(bytes.endsWith("\r\n"));
}

TEST_F(SampleDictionary, EntryMarkersOnlyStartEntriesAndHeadwordsFollowTheBoldTag) {
    const EntryIndex index = buildEntryIndex(text);
    EXPECT_EQ(index.size(), bytes.count('#')) << "a '#' that does not start an entry";
    for (const std::int32_t start : index.offsets) {
        EXPECT_EQ(bytes.sliced(start - 4, 4).toByteArray(), "#<b>") << "entry at " << start;
        EXPECT_EQ(bytes.sliced(start + rawHeadword(text, start).size(), 4).toByteArray(), "</b>") << "entry at " << start;
        EXPECT_TRUE(start == 4 || bytes[start - 5] == '\n') << "entry at " << start << " not at a line start";
    }
    // A few entries are long enough that the pane has to scroll.
    int longEntries = 0;
    for (const std::int32_t start : index.offsets) {
        if (entryLastByte(text, start) - start > 2000) ++longEntries;
    }
    EXPECT_GE(longEntries, 3);
}
