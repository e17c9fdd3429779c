// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Snippets of search hits: worked examples at the edges of entries, tags and entities, and every
// other case against a slow reference that decodes the whole entry.
#include "display/EntryFormat.h"
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "search/FullTextSearch.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "References.h"
#include "display/Snippet.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <random>

using namespace wordhoard;

namespace {

const QString kEllipsis = QString(QChar(0x2026));

// The snippet of the first occurrence of `match` (raw bytes) in the entry whose "#" is the
// `entry`-th of `dict`, as text with the match in brackets: "æt [prep]. at".
QString bracketed(const QByteArray& dict, int entry, const QByteArray& match) {
    TMapTextfile text;
    if (text.OpenBytes(dict) != 0) return u"<no text>"_qs;
    qsizetype hash = -1;
    for (int i = 0; i <= entry; ++i) hash = dict.indexOf('#', hash + 1);
    const auto start = static_cast<std::int32_t>(hash + 4);
    const qsizetype at = dict.indexOf(match, start);
    if (hash < 0 || at < 0) return u"<no match>"_qs;
    const Snippet s = makeSnippet(text, start, static_cast<std::int32_t>(at - start),
                                  static_cast<std::int32_t>(match.size()));
    return s.text.first(s.matchPos) + u'[' + s.text.sliced(s.matchPos, s.matchLength) + u']' +
           s.text.sliced(s.matchPos + s.matchLength);
}

QString u16(const char16_t* s) { return QString::fromUtf16(s); }

} // namespace

TEST(Snippet, ShortEntriesAreShownWholeOnOneLine) {
    const QByteArray dict = "@wh_b0001\r\n#<b>&aelig;t</b> <i>prep.</i>\r\n  at,\tby\r\n#<b>b</b> x";
    EXPECT_EQ(bracketed(dict, 0, "prep"), u16(u"\u00E6t [prep]. at, by"));
    // At the start and at the very end of the entry: no ellipsis, the line ends dropped.
    EXPECT_EQ(bracketed(dict, 0, "&aelig;t"), u16(u"[\u00E6t] prep. at, by"));
    EXPECT_EQ(bracketed(dict, 0, "by\r\n"), u16(u"\u00E6t prep. at, [by ]"));
    // The last entry of the file ends with the file.
    EXPECT_EQ(bracketed(dict, 1, "x"), u"b [x]"_qs);
}

TEST(Snippet, LongEntriesAreCutAroundTheMatchWithEllipses) {
    QByteArray words;
    for (int i = 0; i < 40; ++i) words += "w" + QByteArray::number(i) + " ";
    const QByteArray dict = "#<b>head</b> " + words + "end";
    // The headword's match at the start, then the text up to the 60th character, "w" of "w16",
    // less the word it splits.
    QString s = bracketed(dict, 0, "head");
    EXPECT_EQ(s, u"[head] w0 w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14 w15"_qs + kEllipsis);
    // In the middle: half the room before the match, half after; a space at a cut is dropped.
    s = bracketed(dict, 0, "w20 ");
    EXPECT_EQ(s, kEllipsis + u"w13 w14 w15 w16 w17 w18 w19 [w20 ]w21 w22 w23 w24 w25 w26 w27"_qs + kEllipsis);
    // At the end: what the end cannot use goes before the match (57 characters, the first a space).
    s = bracketed(dict, 0, "end");
    EXPECT_EQ(s, kEllipsis + u"w26 w27 w28 w29 w30 w31 w32 w33 w34 w35 w36 w37 w38 w39 [end]"_qs);
    // A match longer than the room is cut after 50 characters, 10 shown before it.
    s = bracketed(dict, 0, words.mid(30, 120));
    EXPECT_EQ(s.size(), 1 + 9 + 2 + 50 + 1) << s.toStdString(); // " w7 w8 w9 " less its space
    EXPECT_TRUE(s.startsWith(kEllipsis + u"w7 w8 w9 [w10 "_qs)) << s.toStdString();
    EXPECT_TRUE(s.endsWith(u"]"_qs + kEllipsis)) << s.toStdString();
}

TEST(Snippet, MatchesThatStartEndOrLieInsideTagsAndEntities) {
    const QByteArray dict = "#<b>hw&aelig;t</b> <I>interj.</I> lo &thorn;&aelig;t";
    // An end inside an entity takes in its character; so does a start.
    EXPECT_EQ(bracketed(dict, 0, "hw&ae"), u16(u"[hw\u00E6]t interj. lo \u00FE\u00E6t"));
    EXPECT_EQ(bracketed(dict, 0, "lig;t<"), u16(u"hw[\u00E6t] interj. lo \u00FE\u00E6t"));
    EXPECT_EQ(bracketed(dict, 0, "rn;&ae"), u16(u"hw\u00E6t interj. lo [\u00FE\u00E6]t"));
    // Tags go with the match or beside it, in any letter case.
    EXPECT_EQ(bracketed(dict, 0, "t</b> <I>int"), u16(u"hw\u00E6[t int]erj. lo \u00FE\u00E6t"));
    EXPECT_EQ(bracketed(dict, 0, "I>interj"), u16(u"hw\u00E6t [interj]. lo \u00FE\u00E6t"));
    EXPECT_EQ(bracketed(dict, 0, "j.</"), u16(u"hw\u00E6t inter[j.] lo \u00FE\u00E6t"));
    // A match wholly inside a tag is empty, where the tag was.
    EXPECT_EQ(bracketed(dict, 0, "/I"), u16(u"hw\u00E6t interj.[] lo \u00FE\u00E6t"));
    // Entities that spell a tag make one; "&amp;lt;" is "&lt;" as written, which is none.
    EXPECT_EQ(bracketed("#<b>a</b> &lt;i&gt;x&lt;/I&gt; &amp;lt;b>y", 0, "x"), u"a [x] &lt;b>y"_qs);
}

TEST(Snippet, EntitiesFarBeforeTheMatchAreDecodedAsFromTheEntrysStart) {
    // An '&' with no ';' for a long stretch makes one long token of everything up to the ';' of
    // "&thorn;": no entity, shown as written. After a ';' the same "&thorn;" is a "þ".
    const QByteArray filler(400, 'a');
    EXPECT_EQ(bracketed("#<b>x</b> & " + filler + " &thorn; end", 0, "end"),
              kEllipsis + QString(48, u'a') + u" &thorn; [end]"_qs);
    EXPECT_EQ(bracketed("#<b>x</b> ; " + filler + " &thorn; end", 0, "end"),
              kEllipsis + QString(54, u'a') + u16(u" \u00FE [end]"));
    // The window may begin inside an entity: it is read from its '&'.
    QByteArray dict = "#<b>x</b> ";
    for (int i = 0; i < 200; ++i) dict += "&thorn;";
    dict += " end";
    EXPECT_EQ(bracketed(dict, 0, "end"), kEllipsis + QString(56, QChar(0x00FE)) + u" [end]"_qs);
}

// --- the slow reference -----------------------------------------------------------------------

namespace {

struct RefUnit {
    QChar ch;
    qsizetype from;
    qsizetype to;
};

QString textOf(const std::vector<RefUnit>& units) {
    QString out;
    for (const RefUnit& u : units) out += u.ch;
    return out;
}

// Replaces the units of every match of `re` (found right to left) with `with` (or nothing).
void replaceMatches(std::vector<RefUnit>& units, const QRegularExpression& re, std::optional<QChar> with) {
    std::vector<QRegularExpressionMatch> matches;
    for (auto it = re.globalMatch(textOf(units)); it.hasNext();) matches.push_back(it.next());
    for (auto m = matches.rbegin(); m != matches.rend(); ++m) {
        const auto first = units.begin() + m->capturedStart();
        const auto last = units.begin() + m->capturedEnd();
        const RefUnit joined{with.value_or(QChar()), first->from, (last - 1)->to};
        units.erase(first, last);
        if (with) units.insert(units.begin() + m->capturedStart(), joined);
    }
}

// Decodes `bytes` token by token into units whose offsets count from `base`.
void appendDecoded(std::vector<RefUnit>& units, QByteArrayView bytes, qsizetype base) {
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype stop = i + 1;
        if (bytes[i] == '&') {
            const qsizetype semi = bytes.indexOf(';', i);
            stop = semi < 0 ? bytes.size() : semi + 1;
            const QString decoded = reference::referenceDecode(widen(bytes.sliced(i, stop - i)));
            if (semi > i && decoded.size() == 1) {
                units.push_back({decoded[0], base + i, base + stop});
                i = stop;
                continue;
            }
        }
        for (; i < stop; ++i)
            units.push_back({QChar(widenByte(static_cast<unsigned char>(bytes[i]))), base + i, base + i + 1});
    }
}

// The pane's find-and-delete of one tag pair, enacted literally on the units: delete the first
// opening tag, then the first closing tag from there on; again from the start. Tags match in any
// letter case, where only 'B' and 'I' fold to 'b' and 'i'.
void deleteTagPairs(std::vector<RefUnit>& units, QStringView open, QStringView close) {
    QString text = textOf(units).replace(u'B', u'b').replace(u'I', u'i');
    const auto erase = [&](qsizetype at, qsizetype count) {
        units.erase(units.begin() + at, units.begin() + at + count);
        text.remove(at, count);
    };
    for (;;) {
        const qsizetype p = text.indexOf(open);
        if (p < 0) return;
        erase(p, open.size());
        const qsizetype e = text.indexOf(close, p);
        if (e >= 0) erase(e, close.size());
    }
}

// Decodes the whole entry token by token as the pane shows it (from its '#' + 1, the three bytes
// before its start apart), deletes the tags as the pane does and checks that the text is the
// pane's own (formatEntry's), joins white space with a regular expression, and cuts by sliding
// a window of kSnippetLength over the line.
Snippet referenceSnippet(QByteArrayView all, qsizetype start, qsizetype matchOffset, qsizetype matchLength) {
    qsizetype end = all.indexOf('#', start);
    if (end < 0) end = all.size();
    const qsizetype paneStart = std::max<qsizetype>(start - 3, 0);
    std::vector<RefUnit> units;
    appendDecoded(units, all.sliced(paneStart, start - paneStart), paneStart - start);
    appendDecoded(units, all.sliced(start, end - start), 0);
    deleteTagPairs(units, u"<b>", u"</b>");
    deleteTagPairs(units, u"<i>", u"</i>");
    const QString pane = decodeEntities(widen(all.sliced(paneStart, end - paneStart)));
    EXPECT_EQ(textOf(units), formatEntry(pane, end - paneStart + 1, {}).text);
    units.erase(units.begin(), std::find_if(units.begin(), units.end(), [](const RefUnit& u) { return u.to > 0; }));
    replaceMatches(units, QRegularExpression(u"\\s+"_qs, QRegularExpression::UseUnicodePropertiesOption),
                   QChar(u' '));

    const qsizetype ms = matchOffset;
    const qsizetype me = matchOffset + matchLength;
    qsizetype pos = 0;
    while (pos < qsizetype(units.size()) && units[pos].to <= ms) ++pos;
    qsizetype len = 0;
    for (const RefUnit& u : units) {
        if (matchLength > 0 && u.to > ms && u.from < me) ++len;
    }
    const QString line = textOf(units);
    qsizetype first = 0;
    qsizetype last = line.size();
    if (first < pos && line[first] == u' ') ++first;
    if (last > pos + len && line[last - 1] == u' ') --last;
    const qsizetype shown = std::min(len, kSnippetLength - kSnippetLeadOfLongMatch);
    const qsizetype limit = shown < len ? pos + shown : last;
    qsizetype b = pos - (kSnippetLength - shown) / 2;
    qsizetype e = b + kSnippetLength;
    if (b < first) {
        e += first - b;
        b = first;
    }
    if (e > limit) {
        b = std::max(first, b - (e - limit));
        e = limit;
    }
    const bool cutStart = b > first;
    const bool cutEnd = e < last;
    // Not inside a word: back to a space within 15 characters (but not into the match).
    const auto isCutWord = [&](qsizetype at) { return line[at - 1] != u' ' && line[at] != u' '; };
    if (cutStart && isCutWord(b)) {
        for (qsizetype i = b; i < std::min(pos, b + 15); ++i) {
            if (line[i] == u' ') {
                b = i;
                break;
            }
        }
    }
    if (cutEnd && isCutWord(e)) {
        for (qsizetype i = e - 1; i >= std::max(pos + shown, e - 15); --i) {
            if (line[i] == u' ') {
                e = i;
                break;
            }
        }
    }
    while (b < pos && line[b] == u' ') ++b;
    while (e > pos + shown && line[e - 1] == u' ') --e;
    const QString prefix = cutStart ? kEllipsis : QString();
    return {prefix + line.sliced(b, e - b) + (cutEnd ? kEllipsis : QString()), prefix.size() + pos - b,
            shown};
}

// makeSnippet with the usual first reach and with every tiny one, which put the window's edges
// inside entities, tags and runs of white space, against the reference.
void expectSameAsReference(const QByteArray& dict, std::int32_t start, std::int32_t offset,
                           std::int32_t length, qsizetype tinyReaches) {
    TMapTextfile text;
    ASSERT_EQ(text.OpenBytes(dict), 0);
    const Snippet want = referenceSnippet(dict, start, offset, length);
    // The first reach, and a few of the tiny ones at random (over all the matches, every one).
    std::minstd_rand pick(static_cast<unsigned>(start) * 31u + static_cast<unsigned>(offset));
    for (int k = 0; k <= std::min<qsizetype>(tinyReaches, 6); ++k) {
        const qsizetype reach = k == 0 ? 0 : 1 + static_cast<qsizetype>(pick() % static_cast<unsigned>(tinyReaches));
        const Snippet got = makeSnippet(text, start, offset, length, reach == 0 ? kSnippetFirstReach : reach);
        EXPECT_EQ(got.text, want.text) << "start " << start << " offset " << offset << " length " << length
                                       << " reach " << reach;
        EXPECT_EQ(got.matchPos, want.matchPos) << got.text.toStdString() << " offset " << offset;
        EXPECT_EQ(got.matchLength, want.matchLength) << got.text.toStdString() << " offset " << offset;
        if (::testing::Test::HasFailure()) return;
    }
}

// Entries of random pieces, rich in what makes snippets hard: entities split by the window,
// tokens without a ';', tags spelt with entities, long runs of tags and white space.
QByteArray soup(std::mt19937& rng, int entries) {
    static const char* const pieces[] = {
        "&", ";", "<", ">", "/", "b", "i", "B", "I", " ", "\r\n", "\t", "a", "x", "e", "\xA0", "\xE6",
        "&lt;", "&gt;", "&thorn;", "&aelig;", "&a-long;", "&amp;", "&omicron-dasia-oxia;", "&bogus;",
        "<b>", "</b>", "<I>", "</i>", "</B>", "</i>", "</b>", "&lt;/i&gt;", "word ", "text ", "#"};
    QByteArray out = "@wh_b0001\r\n";
    for (int e = 0; e < entries; ++e) {
        out += "#<b>";
        const int n = std::uniform_int_distribution<int>(0, 1200)(rng);
        const bool runs = rng() % 4 == 0;
        for (int i = 0; i < n; ++i) {
            if (runs && rng() % 50 == 0)
                out += QByteArray(int(rng() % 400), ' ') + QByteArray("<b></b>").repeated(int(rng() % 80));
            const std::size_t k = rng() % (std::size(pieces) - 1); // no '#' inside an entry
            out += pieces[k];
        }
        out += "\r\n";
    }
    return out;
}

// Random matches in random entries of `dict`: anywhere, and near the entry's start or end, where
// the snippet takes the most characters after or before the match.
void compareRandomMatches(const QByteArray& dict, int count, unsigned seed, qsizetype tinyReaches) {
    std::vector<std::int32_t> starts;
    for (qsizetype h = dict.indexOf('#'); h >= 0; h = dict.indexOf('#', h + 1)) {
        starts.push_back(static_cast<std::int32_t>(std::min(h + 4, dict.size())));
    }
    ASSERT_FALSE(starts.empty());
    std::mt19937 rng(seed);
    for (int i = 0; i < count && !::testing::Test::HasFailure(); ++i) {
        const std::int32_t start = starts[rng() % starts.size()];
        qsizetype end = dict.indexOf('#', start);
        if (end < 0) end = dict.size();
        const auto length = static_cast<std::int32_t>(end - start);
        const auto near = static_cast<std::int32_t>(rng() % std::min(length + 1, 12));
        const auto where = rng() % 3;
        const std::int32_t offset = where == 0   ? static_cast<std::int32_t>(rng() % (length + 1))
                                    : where == 1 ? near
                                                 : length - near;
        const std::int32_t fromEnd = length - offset;
        const std::int32_t matched =
            rng() % 3 == 0 ? 0 : static_cast<std::int32_t>(rng() % (std::min(fromEnd, 300) + 1));
        expectSameAsReference(dict, start, offset, matched, tinyReaches);
    }
}

} // namespace

TEST(Snippet, RandomMatchesInRandomSoupsAgreeWithTheReference) {
    std::mt19937 rng(2024);
    compareRandomMatches(soup(rng, 60), 900, 1, 40);
}

// Entries of tags and their pieces, where the pane's find-and-delete joins new tags and leaves
// closing tags no opening one claims ("one alpha</i> beta" keeps its "</i>"): a snippet shows
// what the pane shows (the reference checks its text against formatEntry's), wherever the match.
TEST(Snippet, TagsAreRemovedAsThePaneRemovesThem) {
    EXPECT_EQ(bracketed("#<b>one</b> alpha</i> beta", 0, "beta"), u"one alpha</i> [beta]"_qs);
    EXPECT_EQ(bracketed("#<b>x</b> <<b>b>bold</b> <i>it</i> y", 0, "y"), u"x bold it [y]"_qs);
    // More closing tags than opening ones, so that few stay open and which ones do tells.
    static const char* const pieces[] = {"<",    "/",    "b",     "i",    "B", ">", "<b>",  "</b>",
                                         "</b>", "<i>",  "</I>",  "</i>", " ", "x", "&lt;", "word "};
    std::mt19937 rng(77);
    QByteArray dict;
    for (int e = 0; e < 40; ++e) {
        dict += "#<b>h</b> ";
        for (int k = static_cast<int>(rng() % 600); k > 0; --k) dict += pieces[rng() % std::size(pieces)];
    }
    compareRandomMatches(dict, 600, 5, 24);
}

TEST(Snippet, TheHitsOfTheSampleAgreeWithTheReference) {
    QFile file(wordhoard::testing::sourceDir() + u"/data/sample/txt/WH-main_01.txt"_qs);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sample = file.readAll();
    TMapTextfile text;
    ASSERT_EQ(text.OpenBytes(sample), 0);
    // Every hit of searches that match at the start, in the middle, across tags and entities.
    for (const QString& term : {u"a"_qs, u"ing"_qs, u"t?"_qs, u"n.</i>"_qs, u"b> ..."_qs, u"g;"_qs}) {
        for (const SearchHit& hit : runFullTextSearch(text, term).hits) {
            expectSameAsReference(sample, hit.start, hit.matchOffset, hit.matchLength, 0);
            if (::testing::Test::HasFailure()) return;
        }
    }
    compareRandomMatches(sample, 200, 7, 12);
}
