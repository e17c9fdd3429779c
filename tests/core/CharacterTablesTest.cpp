// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/CharacterTables.h"
#include "search/PerlRegEx.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace wordhoard;

namespace {

std::set<int> range(int from, int to) {
    std::set<int> out;
    for (int b = from; b <= to; ++b) out.insert(b);
    return out;
}

std::set<int> operator+(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

std::set<int> operator-(std::set<int> a, const std::set<int>& b) {
    for (const int x : b) a.erase(x);
    return a;
}

// Which of the bytes 0x80..0xFF a compiled `pattern` matches on its own.
std::set<int> highBytesMatching(QByteArrayView pattern, TPerlRegExOptions options = {}) {
    TPerlRegEx re;
    re.setOptions(options);
    re.setRegEx(pattern);
    std::set<int> out;
    for (int b = 0x80; b < 0x100; ++b) {
        const auto byte = static_cast<char>(b);
        re.setSubject(QByteArrayView(&byte, 1));
        if (re.Match()) out.insert(b);
    }
    return out;
}

std::string hex(const std::set<int>& bytes) {
    std::string out;
    for (const int b : bytes) out += QByteArray::number(b, 16).toStdString() + ' ';
    return out;
}

// The high half of Windows-1252, classified by hand from its characters.
const std::set<int> kUpper = std::set<int>{0x8A, 0x8C, 0x8E, 0x9F} + (range(0xC0, 0xDE) - std::set<int>{0xD7});
const std::set<int> kLower = std::set<int>{0x83, 0x9A, 0x9C, 0x9E, 0xB5} + (range(0xDF, 0xFF) - std::set<int>{0xF7});
// 'ˆ' (a modifier letter), 'ª' and 'º' are letters of neither case.
const std::set<int> kAlpha = kUpper + kLower + std::set<int>{0x88, 0xAA, 0xBA};
const std::set<int> kCntrl = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
const std::set<int> kSpace = {0xA0};
// Everything else: '€', quotes, dashes, '×', '÷', '²', the soft hyphen, ...
const std::set<int> kPunct = range(0x80, 0xFF) - kAlpha - kCntrl - kSpace;

} // namespace

TEST(CharacterTables, AsciiHalfIsWhatPcre2MakesInTheCLocale) {
    // This also pins the layout CharacterTables.h describes: every map, bitmap and ctypes flag
    // differs somewhere in ASCII, so a section in the wrong place cannot agree.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const std::uint8_t* made = pcre2_maketables(nullptr);
    std::setlocale(LC_ALL, before.c_str());
    ASSERT_NE(made, nullptr);
    const CharacterTables& ours = windows1252Tables();
    for (std::size_t map : {tables::kLowerCase, tables::kFlipCase, tables::kCtypes}) {
        for (std::size_t b = 0; b < 128; ++b) EXPECT_EQ(ours[map + b], made[map + b]) << "table at " << map << " byte " << b;
    }
    for (std::size_t c = 0; c <= tables::Cntrl; ++c) {
        for (std::size_t i = 0; i < 16; ++i) {
            const std::size_t at = tables::kClassBitmaps + c * tables::kBitmapBytes + i;
            EXPECT_EQ(ours[at], made[at]) << "class " << c << " bitmap byte " << i;
        }
    }
    // In the "C" locale no byte above 0x7F is in any class or has a case; ours differ there.
    for (std::size_t b = 128; b < 256; ++b) EXPECT_EQ(made[tables::kCtypes + b], 0) << b;
    EXPECT_NE(ours[tables::kCtypes + 0xC6], 0);
    pcre2_maketables_free(nullptr, made);
}

TEST(CharacterTables, HighBytesAreClassifiedAsTheirWindows1252Characters) {
    EXPECT_EQ(highBytesMatching("[[:upper:]]"), kUpper) << hex(highBytesMatching("[[:upper:]]"));
    EXPECT_EQ(highBytesMatching("[[:lower:]]"), kLower) << hex(highBytesMatching("[[:lower:]]"));
    EXPECT_EQ(highBytesMatching("[[:alpha:]]"), kAlpha) << hex(highBytesMatching("[[:alpha:]]"));
    EXPECT_EQ(highBytesMatching("\\w"), kAlpha); // no digit and no '_' up here
    EXPECT_EQ(highBytesMatching("\\W"), range(0x80, 0xFF) - kAlpha);
    EXPECT_EQ(highBytesMatching("\\d"), std::set<int>{}); // '²' and '½' are no digits
    EXPECT_EQ(highBytesMatching("[[:xdigit:]]"), std::set<int>{});
    EXPECT_EQ(highBytesMatching("\\s"), kSpace);
    EXPECT_EQ(highBytesMatching("[[:cntrl:]]"), kCntrl);
    EXPECT_EQ(highBytesMatching("[[:punct:]]"), kPunct) << hex(highBytesMatching("[[:punct:]]"));
    EXPECT_EQ(highBytesMatching("[[:graph:]]"), range(0x80, 0xFF) - kCntrl - kSpace);
    EXPECT_EQ(highBytesMatching("[[:print:]]"), range(0x80, 0xFF) - kCntrl);
    // A word boundary after the byte: only after a letter.
    EXPECT_EQ(highBytesMatching(".\\b"), kAlpha);
    // A caseless class takes in the other case of each member that has one.
    EXPECT_EQ(highBytesMatching("[\\x8A\\xFF\\xB5\\xC0-\\xC1]", preCaseLess),
              (std::set<int>{0x8A, 0x9A, 0xFF, 0x9F, 0xB5, 0xC0, 0xC1, 0xE0, 0xE1}));
}

TEST(CharacterTables, CaselessBytesPairExactlyTheWindows1252CasePairs) {
    std::array<int, 256> pair{};
    for (int b = 0; b < 256; ++b) pair[static_cast<std::size_t>(b)] = b;
    const auto pairUp = [&](int upper, int lower) {
        pair[static_cast<std::size_t>(upper)] = lower;
        pair[static_cast<std::size_t>(lower)] = upper;
    };
    for (int c = 'A'; c <= 'Z'; ++c) pairUp(c, c + 0x20);
    pairUp(0x8A, 0x9A); // Š š
    pairUp(0x8C, 0x9C); // Œ œ
    pairUp(0x8E, 0x9E); // Ž ž
    pairUp(0x9F, 0xFF); // Ÿ ÿ
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) pairUp(c, c + 0x20); // À à ... Þ þ, not × ÷
    }
    // ƒ, µ and ß have an upper case only outside the code page, so nothing to pair with.
    const auto& other = TPerlRegEx::otherCase();
    const CharacterTables& t = windows1252Tables();
    for (int b = 0; b < 256; ++b) {
        const auto i = static_cast<std::size_t>(b);
        EXPECT_EQ(other[i], pair[i]) << b;
        // The lower case is always the higher byte of a pair.
        EXPECT_EQ(t[tables::kLowerCase + i], std::max(b, pair[i])) << b;
        // What the compiled pattern \xHH matches caselessly, byte by byte: the byte and its pair.
        const QByteArray pattern = "\\x" + QByteArray::number(b, 16);
        TPerlRegEx re;
        re.setOptions(preCaseLess);
        re.setRegEx(pattern);
        for (int s = 0; s < 256; ++s) {
            const auto subject = static_cast<char>(s);
            re.setSubject(QByteArrayView(&subject, 1));
            ASSERT_EQ(re.Match(), s == b || s == pair[i]) << pattern.toStdString() << " on " << s;
        }
    }
}

TEST(CharacterTables, ByteFFPairsWhereverItStandsInThePattern) {
    // PCRE2 looks for a pattern's first and last byte before it matches; 0xFF there must still
    // find 0x9F, at the leftmost place.
    const std::vector<std::tuple<QByteArray, QByteArray, qsizetype>> cases = {
        {"\\xFF", "a\x9F\xFF", 1}, {"\xFF", "a\x9F\xFF", 1}, {"[\\xFF]", "\x9F", 0}, {"\\xFF+", "\xE6\x9F", 1},
        {"y\\xFF", "y\x9F", 0},     {"\\xFFz", "\x9Fz", 0},         {"a*\\xFF", "za\x9F", 1}, {"\\x9F", "\xFF", 0},
    };
    for (const auto& [pattern, subject, offset] : cases) {
        TPerlRegEx re;
        re.setOptions(preCaseLess | preUnGreedy);
        re.setRegEx(pattern);
        re.setSubject(subject);
        ASSERT_TRUE(re.Match()) << pattern.toStdString();
        EXPECT_EQ(re.MatchedOffset(), offset) << pattern.toStdString();
    }
}
