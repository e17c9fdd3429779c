// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntryIndex.h"
#include "search/HeadwordLookup.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QStringList>

#include <algorithm>
#include <random>

using namespace wordhoard;

namespace {


HeadwordLookup lookupOver(const QStringList& lines, const QLocale& locale = QLocale()) {
    return HeadwordLookup([&lines](qsizetype i) { return lines[i]; }, lines.size(), locale);
}

// The rule as written: every line in order, plain collator comparison of its first N units.
LookupResult referenceFind(const QStringList& lines, QStringView typed, const QLocale& locale) {
    if (typed.isEmpty()) return {LookupResult::Kind::ClearSelection, -1};
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() < typed.size()) continue;
        if (collator.compare(QStringView(lines[i]).first(typed.size()), typed) == 0) {
            return {LookupResult::Kind::Line, i};
        }
    }
    return {LookupResult::Kind::NoMatch, -1};
}

} // namespace

TEST(HeadwordLookup, FirstLineBeginningWithTheTextIgnoringCase) {
    const QStringList lines = {u"abbod"_qs, u(u"\u00C6lfred"), u(u"\u00E6t"), u(u"\u00E6tgadere"), u"cyning"_qs, u"Cyneheard"_qs};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const HeadwordLookup lookup = lookupOver(lines, english);
    EXPECT_EQ(lookup.find(u(u"\u00E6")), (LookupResult{LookupResult::Kind::Line, 1}));
    EXPECT_EQ(lookup.find(u(u"\u00E6T")), (LookupResult{LookupResult::Kind::Line, 2}));
    EXPECT_EQ(lookup.find(u"CYN"), (LookupResult{LookupResult::Kind::Line, 4}));
    EXPECT_EQ(lookup.find(u"cyne"), (LookupResult{LookupResult::Kind::Line, 5}));
    // Longer than every line, or a beginning no line has: the selection stays.
    EXPECT_EQ(lookup.find(u"cyningas-and-more"), (LookupResult{LookupResult::Kind::NoMatch, -1}));
    EXPECT_EQ(lookup.find(u"zz"), (LookupResult{LookupResult::Kind::NoMatch, -1}));
    EXPECT_EQ(lookup.find(u""), (LookupResult{LookupResult::Kind::ClearSelection, -1}));
    EXPECT_EQ(lookupOver({}).find(u"a"), (LookupResult{LookupResult::Kind::NoMatch, -1}));
}

TEST(HeadwordLookup, RepeatedBeginningsAreNotSkippedWhenTheyDifferInCase) {
    // "Ab" repeats nothing of "ab" in code units, so it must be compared on its own, while
    // "abc"..."abz" share "ab" with the line before and can't be the first "ab" match.
    const QStringList lines = {u"aa"_qs, u"Ab"_qs, u"ab"_qs, u"abc"_qs, u"abd"_qs, u"b"_qs};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const HeadwordLookup lookup = lookupOver(lines, english);
    EXPECT_EQ(lookup.find(u"ab").line, 1);
    EXPECT_EQ(lookup.find(u"abd").line, 4);
    EXPECT_EQ(lookup.find(u"B").line, 5);
}

TEST(HeadwordLookup, WorksOverTheEntryIndex) {
    wordhoard::testing::TempDir dir;
    TMapTextfile text;
    ASSERT_EQ(text.Open(dir.write("d.txt", "#<b>&aelig;t</b> x#<b>&AElig;lfred</b> y#<b>b</b>"), false), 0);
    const EntryIndex index = buildEntryIndex(text);
    const HeadwordLookup lookup(index, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(lookup.count(), 3);
    EXPECT_EQ(lookup.find(u(u"\u00C6l")).line, 1);
    EXPECT_EQ(lookup.find(u"B").line, 2);
}

TEST(HeadwordLookup, SameAnswerAsPlainCollatorComparisonInManyLocales) {
    // Letters whose comparison differs between locales: contractions (Czech "ch", Danish "aa"),
    // expansions (æ, ß), combining marks, ignorable controls, and a character outside the BMP.
    const std::vector<QString> pieces = {u"a"_qs, u"A"_qs, u"e"_qs, u"c"_qs, u"h"_qs, u"H"_qs, u"s"_qs,
                                         u(u"\u00E6"), u(u"\u00C6"), u(u"\u00FE"), u(u"\u00F0"), u(u"\u021D"),
                                         u(u"\u0101"), u(u"\u0304"), u(u"\u00DF"), u"ss"_qs, u(u"\u00E5"), u"aa"_qs,
                                         u(u"\u0001"), u" "_qs, u"-"_qs, u(u"\U0001D400")};
    const std::vector<QLocale> locales = {QLocale::c(),
                                          QLocale(QLocale::English, QLocale::UnitedStates),
                                          QLocale(QLocale::Danish, QLocale::Denmark),
                                          QLocale(QLocale::Czech, QLocale::CzechRepublic),
                                          QLocale(QLocale::German, QLocale::Germany),
                                          QLocale(QLocale::Icelandic, QLocale::Iceland)};
    std::mt19937 rng(7);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const auto word = [&](std::size_t maxPieces) {
        QString w;
        const std::size_t n = 1 + pick(maxPieces);
        for (std::size_t i = 0; i < n; ++i) w += pieces[pick(pieces.size())];
        return w;
    };
    int found = 0;
    for (const QLocale& locale : locales) {
        for (int round = 0; round < 20; ++round) {
            QStringList lines;
            for (int i = 0; i < 300; ++i) lines << word(6);
            // Half the rounds in dictionary order, where beginnings repeat line after line.
            if (round % 2 == 0) std::sort(lines.begin(), lines.end());
            const HeadwordLookup lookup = lookupOver(lines, locale);
            for (int t = 0; t < 40; ++t) {
                // Often a beginning of a line in another case, so that matches happen.
                QString typed = t % 2 ? word(3) : lines[static_cast<qsizetype>(pick(300))].left(1 + pick(4));
                if (t % 4 == 0) typed = typed.toUpper();
                const LookupResult expected = referenceFind(lines, typed, locale);
                ASSERT_EQ(lookup.find(typed), expected) << locale.name().toStdString() << " typed " << typed.toStdString();
                found += expected.kind == LookupResult::Kind::Line ? 1 : 0;
            }
        }
    }
    EXPECT_GT(found, 1000);
}
