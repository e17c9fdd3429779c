// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntityDecoding.h"
#include "display/EntryDisplay.h"
#include "display/EntryFormat.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "References.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <random>

using namespace wordhoard;
using wordhoard::reference::literalFormat;

namespace {

// The styles as letters, one per unit: '.' plain, 'b' bold, 'i' italic, 'B' both; a mark adds 4,
// shown as the digit of the whole value ("5" = bold marked).
std::string letters(const std::vector<std::uint8_t>& styles) {
    std::string out;
    for (const std::uint8_t s : styles) out += s < 4 ? ".biB"[s] : static_cast<char>('0' + s);
    return out;
}

FormattedEntry format(const QString& decoded, const QString& mark = {}) {
    return formatEntry(decoded, decoded.size(), mark);
}

} // namespace

TEST(EntryFormat, TagsBecomeStylesAndDisappear) {
    FormattedEntry e = format(u"<b>ab</b> <i>n.</i> x"_qs);
    EXPECT_EQ(e.text, u"ab n. x"_qs);
    EXPECT_EQ(letters(e.styles), "bb.ii..");

    e = format(u"<b>foo <i>bar</i></b>"_qs);
    EXPECT_EQ(e.text, u"foo bar"_qs);
    EXPECT_EQ(letters(e.styles), "bbbbBBB");

    // Italic adds to each unit's own style: the bold 'bar' stays bold.
    e = format(u"<i>foo <b>bar</b></i>"_qs);
    EXPECT_EQ(e.text, u"foo bar"_qs);
    EXPECT_EQ(letters(e.styles), "iiiiBBB");

    e = format(u"<B>x</B> <I>y</i> <b>z</B>"_qs);
    EXPECT_EQ(e.text, u"x y z"_qs);
    EXPECT_EQ(letters(e.styles), "b.i.b");
}

TEST(EntryFormat, EscapedTagsAreStyledOnceDecoded) {
    const QString decoded = decodeEntities(u"&lt;b&gt;x&lt;/b&gt; &amp;lt;i&gt;y"_qs);
    ASSERT_EQ(decoded, u"<b>x</b> &lt;i>y"_qs);
    const FormattedEntry e = formatEntry(decoded, 40, {});
    EXPECT_EQ(e.text, u"x &lt;i>y"_qs);
    EXPECT_EQ(letters(e.styles), "b........");
}

TEST(EntryFormat, UnclosedOpeningTagIsRemovedWithoutStyling) {
    FormattedEntry e = format(u"a<b>bc <i>d</b>"_qs);
    EXPECT_EQ(e.text, u"abc d"_qs);
    EXPECT_EQ(letters(e.styles), ".bbbb");  // the italic tag never closes

    e = format(u"</b>x<b>y"_qs);  // a closing tag before the opening one is not its partner
    EXPECT_EQ(e.text, u"</b>xy"_qs);
    EXPECT_EQ(letters(e.styles), "......");
}

TEST(EntryFormat, EachPassRestartsFromTheBeginning) {
    // The first "<b>" pairs with the first "</b>" after it; the inner pair then styles "bc".
    FormattedEntry e = format(u"<b>a<b>b</b>c</b>d"_qs);
    EXPECT_EQ(e.text, u"abcd"_qs);
    EXPECT_EQ(letters(e.styles), "bbb.");

    // Deleting "<b>" out of "<<b>b>" leaves a new "<b>"; the range before it covered "b>x".
    e = format(u"<<b>b>x</b>y"_qs);
    EXPECT_EQ(e.text, u"xy"_qs);
    EXPECT_EQ(letters(e.styles), "b.");

    // Deleting "</b>" out of "<</b>/i>" leaves a new "</i>" that closes the italic range.
    e = format(u"<i>a<b>b<</b>/i>c"_qs);
    EXPECT_EQ(e.text, u"abc"_qs);
    EXPECT_EQ(letters(e.styles), "iB.");
}

TEST(EntryFormat, TheRawLengthBoundsEverySearch) {
    // The closing tag would end at 5, past n = 4, so the range stays plain.
    FormattedEntry e = formatEntry(u"<b>a</b>"_qs, 4, {});
    EXPECT_EQ(e.text, u"a</b>"_qs);
    EXPECT_EQ(letters(e.styles), ".....");

    e = formatEntry(u"xx<b>a</b>"_qs, 4, {});  // the opening tag ends at 5
    EXPECT_EQ(e.text, u"xx<b>a</b>"_qs);

    e = formatEntry(u"<b>ab ab</b>"_qs, 0, u"ab"_qs);
    EXPECT_EQ(e.text, u"<b>ab ab</b>"_qs);
    EXPECT_TRUE(e.marks.empty());
}

TEST(EntryFormat, MarksEveryOccurrenceIgnoringCase) {
    const FormattedEntry e = format(u"ab <b>AB</b> Ab aaB"_qs, u"ab"_qs);
    EXPECT_EQ(e.text, u"ab AB Ab aaB"_qs);
    EXPECT_EQ(e.marks, (std::vector<MarkRange>{{0, 2}, {3, 2}, {6, 2}, {10, 2}}));
    EXPECT_EQ(letters(e.styles), "44.55.44..44");

    // Left to right without overlap; a mark may span what was a tag before.
    EXPECT_EQ(format(u"aaaa"_qs, u"aa"_qs).marks, (std::vector<MarkRange>{{0, 2}, {2, 2}}));
    EXPECT_EQ(format(u"a<i>b</i>"_qs, u"ab"_qs).marks, (std::vector<MarkRange>{{0, 2}}));
    EXPECT_TRUE(format(u"ab"_qs, {}).marks.empty());
    // Case folding is Qt's: the Kelvin sign matches 'k'.
    EXPECT_EQ(format(QString::fromUtf16(u"\u212A k"), u"K"_qs).marks,
              (std::vector<MarkRange>{{0, 1}, {2, 1}}));
}

TEST(EntryFormat, OnlyAsciiCaseVariantsOfTheTagLettersCount) {
    // Every UTF-16 unit in the letter slot of each tag: the fast matcher must agree with Qt's
    // case-insensitive search ('\u0130' and '\u0131' are not 'i').
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c(static_cast<char16_t>(u));
        const QString bold = u"<"_qs + c + u">x</b>"_qs;
        const QString italic = u"<i>x</"_qs + c + u">"_qs;
        const bool boldOpens = bold.indexOf(u"<b>", 0, Qt::CaseInsensitive) == 0;
        const bool italicCloses = italic.indexOf(u"</i>", 0, Qt::CaseInsensitive) == 4;
        QString text = bold;
        std::vector<std::uint8_t> styles(static_cast<std::size_t>(text.size()));
        styleTagPairs(text, styles, TagPair::Bold, text.size());
        ASSERT_EQ(text.size(), boldOpens ? 1 : bold.size()) << std::hex << u;
        text = italic;
        styles.assign(static_cast<std::size_t>(text.size()), 0);
        styleTagPairs(text, styles, TagPair::Italic, text.size());
        ASSERT_EQ(letters(styles), italicCloses ? "i" : ".....") << std::hex << u;
    }
}

// Random tag soups: the fast passes, and counting the tags, must give exactly what the literal
// find-and-delete gives.
TEST(EntryFormat, EqualsTheLiteralFindAndDeleteOnRandomSoups) {
    const QStringList pieces = {
        u"<b>"_qs, u"</b>"_qs, u"<B>"_qs, u"</B>"_qs, u"<i>"_qs, u"</i>"_qs, u"<I>"_qs, u"</I>"_qs,
        u"<b"_qs,  u"</"_qs,   u"<"_qs,   u">"_qs,    u"b>"_qs,  u"/b>"_qs,  u"i>"_qs,  u"/"_qs,
        u"b"_qs,   u"i"_qs,    u"ab"_qs,  u"AB"_qs,   u"x"_qs,   u" "_qs,    u"\r\n"_qs, u"&lt;b&gt;"_qs,
        u"&lt;/b&gt;"_qs, u"&lt;i&gt;"_qs, u"&lt;/I&gt;"_qs, u"&lt;"_qs, u"&gt;"_qs, u"&amp;"_qs,
        QString::fromUtf16(u"\u0130"), QString::fromUtf16(u"\u0131"), QString::fromUtf16(u"\u00E6")};
    const QStringList marks = {{}, u"ab"_qs, u"b"_qs, u"B>"_qs, u"<b"_qs, u"x x"_qs, u"i"_qs, u"aB"_qs};
    std::mt19937 rng(20240611);
    int compared = 0;
    int counted = 0;
    for (int round = 0; round < 6000; ++round) {
        QString raw;
        const int count = round % 50 == 0 ? 400 : static_cast<int>(rng() % 30);
        for (int k = 0; k < count; ++k) raw += pieces[static_cast<qsizetype>(rng() % pieces.size())];
        const QString decoded = decodeEntities(raw);
        const QString mark = marks[static_cast<qsizetype>(rng() % marks.size())];
        for (const qsizetype n : {decoded.size(), raw.size(), raw.size() + 7,
                                  static_cast<qsizetype>(rng() % (decoded.size() + 1))}) {
            const FormattedEntry fast = formatEntry(decoded, n, mark);
            const FormattedEntry slow = literalFormat(decoded, n, mark);
            const std::string what = "raw " + raw.toStdString() + " n " + std::to_string(n) + " mark " +
                                     mark.toStdString();
            ASSERT_EQ(fast.text, slow.text) << what;
            ASSERT_EQ(letters(fast.styles), letters(slow.styles)) << what;
            ASSERT_EQ(fast.marks, slow.marks) << what;
            ++compared;
        }
        // Counting the tags gives the same text, unless it says a deletion may join new ones.
        if (const std::optional<std::vector<bool>> removed = removedTags(decoded)) {
            QString kept;
            for (qsizetype i = 0; i < decoded.size(); ++i) {
                if (!(*removed)[static_cast<std::size_t>(i)]) kept += decoded[i];
            }
            ASSERT_EQ(kept, literalFormat(decoded, decoded.size(), {}).text) << "raw " << raw.toStdString();
            ++counted;
        }
    }
    EXPECT_EQ(compared, 24000);
    EXPECT_GT(counted, 2000);
}

// Every entry of the bundled sample dictionary, with a term marked as the hit list does.
TEST(EntryFormat, EqualsTheLiteralFindAndDeleteOnTheSampleDictionary) {
    TMapTextfile text;
    ASSERT_EQ(text.Open(wordhoard::testing::sourceDir() + u"/data/sample/txt/WH-main_01.txt"_qs, false), 0);
    const EntryIndex index = buildEntryIndex(text);
    ASSERT_GT(index.size(), 100);
    for (const std::int32_t start : index.offsets) {
        const std::int32_t from = start - 4;
        const std::int32_t to = entryLastByte(text, start);
        const QString decoded = decodeEntities(entryBuffer(text, from, to));
        const FormattedEntry fast = displayEntry(text, start, u"an").formatted;
        const FormattedEntry slow = literalFormat(decoded, to - from, u"an"_qs);
        ASSERT_EQ(fast.text, slow.text) << start;
        ASSERT_EQ(letters(fast.styles), letters(slow.styles)) << start;
        ASSERT_EQ(fast.marks, slow.marks) << start;
        ASSERT_FALSE(fast.text.contains(u"<b>", Qt::CaseInsensitive)) << start;
    }
}
