// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loose matching: folding, the expanded patterns, and loose searches held to searching the folded,
// decoded entries.
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntityTable.h"
#include "text/EntryIndex.h"
#include "text/Folding.h"
#include "search/FullTextSearch.h"
#include "search/HeadwordLookup.h"
#include "search/LooseSearch.h"
#include "text/MapTextfile.h"
#include "search/PerlRegEx.h"
#include "QtPrinters.h"
#include "References.h"
#include "search/SearchTerm.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>

#include <optional>
#include <random>

using namespace wordhoard;
using wordhoard::reference::FoldedEntries;
using wordhoard::testing::TempDir;

namespace {


std::vector<std::int32_t> hitStarts(const SearchOutcome& o) {
    std::vector<std::int32_t> out;
    for (const SearchHit& h : o.hits) out.push_back(h.start);
    return out;
}

// A term read out of an entry's folded text, then written back with its letters in other forms
// the reader might type: capitals, length marks, ð for þ, ƿ for w.
QString randomTerm(const FoldedEntries& entries, std::mt19937& rng) {
    for (int tries = 0; tries < 100; ++tries) {
        const QString& text = entries.folded[rng() % entries.folded.size()];
        const auto length = static_cast<qsizetype>(2 + rng() % 5);
        if (text.size() <= length) continue;
        const QString piece = text.sliced(static_cast<qsizetype>(rng() % (text.size() - length)), length);
        if (!std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.isLetter(); })) continue;
        QString typed;
        for (const QChar c : piece) {
            switch (rng() % 5) {
            case 0: typed += c.toUpper(); break;
            case 1: typed += c == u'a' ? QChar(0x0101) : c == u'e' ? QChar(0x0113) : c == u'\u00FE' ? QChar(0x00F0) : c == u'w' ? QChar(0x01BF) : c; break;
            default: typed += c;
            }
        }
        return typed;
    }
    return u"and"_qs;
}

class LooseDict {
public:
    explicit LooseDict(const QByteArray& bytes) { m_text.Open(m_dir.write("d.txt", bytes), false); }
    const TMapTextfile& text() const { return m_text; }

private:
    TempDir m_dir;
    TMapTextfile m_text;
};

QByteArray sampleDictionary() {
    QFile file(wordhoard::testing::sourceDir() + u"/data/sample/txt/WH-main_01.txt"_qs);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Folding, OldEnglishAndGreekLettersFoldToTheirBase) {
    const std::pair<const char16_t*, const char16_t*> folds[] = {
        {u"\u0101", u"a"},      {u"\u0100", u"a"},      {u"\u00E1", u"a"},      {u"\u00C9", u"e"},  // ā Ā á É
        {u"\u01E3", u"\u00E6"}, {u"\u01E2", u"\u00E6"}, {u"\u01FD", u"\u00E6"},                      // ǣ Ǣ ǽ
        {u"\u00E6", u"\u00E6"}, {u"\u00C6", u"\u00E6"},                                              // æ Æ
        {u"\u00F0", u"\u00FE"}, {u"\u00D0", u"\u00FE"}, {u"\u00DE", u"\u00FE"},                      // ð Ð Þ
        {u"\u01BF", u"w"},      {u"\u01F7", u"w"},      {u"W", u"w"},                                // ƿ Ƿ W
        {u"\u021C", u"\u021D"}, {u"\u0233", u"y"},      {u"\u017F", u"s"},      {u"\u0153", u"\u0153"}, // Ȝ ȳ ſ œ
        {u"\u00F8", u"\u00F8"}, {u"\u00DF", u"\u00DF"},                                              // ø ß
        {u"\u1F04", u"\u03B1"}, {u"\u1F08", u"\u03B1"}, {u"\u1FF7", u"\u03C9"},                      // ἄ Ἀ ῷ
        {u"\u03C2", u"\u03C3"}, {u"\u1FE5", u"\u03C1"}, {u"\u1FD3", u"\u03B9"},                      // ς ῥ ΐ
    };
    for (const auto& [from, to] : folds) EXPECT_EQ(foldText(u(from)), u(to)) << QString::fromUtf16(from).toStdString();
    EXPECT_EQ(foldText(u(u"\u0100\u0301d")), u"ad"_qs); // a combining mark goes
    EXPECT_EQ(foldUnit(0x0304), 0x0304); // unit for unit, a mark stays
    EXPECT_EQ(foldText(QStringView(u"a\0b", 3)), QString::fromUtf16(u"a\0b", 3)); // a NUL is no mark
    EXPECT_EQ(foldText(u(u"\u00DEEODEN")), u(u"\u00FEeoden"));
}

// Every letter the text can write, as a byte or an entity, is in the expansion of its folded
// letter: the expansions come from the code page and the table, not from a list.
TEST(LoosePasses, EverySpellingOfTheTextStandsInItsLettersExpansion) {
    for (const EntityRow& row : EntityTable) {
        if (!QChar(row.character).isLetter()) continue;
        const std::vector<LoosePass> passes = looseSearchPasses(QString(QChar(foldUnit(row.character))));
        ASSERT_EQ(passes.size(), 1u);
        const QString name = QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size())).sliced(1);
        EXPECT_TRUE(passes[0].pattern.contains(name)) << row.name;
    }
    for (int b = 0; b < 256; ++b) {
        const QChar ch(widenByte(static_cast<unsigned char>(b)));
        if (!ch.isLetter()) continue;
        const std::vector<LoosePass> passes = looseSearchPasses(QString(QChar(foldUnit(ch.unicode()))));
        EXPECT_TRUE(passes[0].pattern.contains(ch)) << b;
    }
    // "ad" reaches "&a-long;d", and both spellings of þ reach each other.
    EXPECT_TRUE(looseSearchPasses(u"ad").front().pattern.contains(u"a-long;"_qs));
    const QString thorn = looseSearchPasses(u(u"\u00FE")).front().pattern;
    for (const QString& name : {u"thorn;"_qs, u"THORN;"_qs, u"eth;"_qs, u"ETH;"_qs}) EXPECT_TRUE(thorn.contains(name));
}

TEST(LoosePasses, OnlyLettersOutsideClassesAndEscapesAreExpanded) {
    const auto one = [](QStringView term) { return looseSearchPasses(term).front(); };
    const LoosePass plain = one(u(u"\u00FE\u00E6t"));
    EXPECT_TRUE(plain.expanded);
    EXPECT_TRUE(plain.pureRun);
    EXPECT_EQ(plain.runs, (std::vector<QString>{u(u"\u00FE\u00E6t")}));
    EXPECT_EQ(plain.strictLength, encodeSearchTerm(u(u"\u00FE\u00E6t")).entityWildcard.size()); // the cap counts the strict form

    const std::vector<LoosePass> wild = looseSearchPasses(u"hw?t");
    ASSERT_EQ(wild.size(), 2u); // the passes of the strict search
    EXPECT_TRUE(wild[0].pattern.contains(u")&.*;(?:"_qs));
    EXPECT_FALSE(wild[1].pattern.contains(u"&.*;"_qs));
    EXPECT_EQ(wild[1].runs, (std::vector<QString>{u"hw"_qs, u"t"_qs}));
    EXPECT_FALSE(wild[1].pureRun);

    EXPECT_EQ(one(u"ab*c").runs, (std::vector<QString>{u"a"_qs, u"c"_qs})); // 'b' may be absent
    EXPECT_EQ(one(u"(ab)c").runs, (std::vector<QString>{u"c"_qs}));
    EXPECT_TRUE(one(u"ab|c").runs.empty());
    EXPECT_TRUE(one(u(u"[\u00FE]x")).pattern.startsWith(u"[&thorn;]"_qs));
    EXPECT_TRUE(one(u"\\xE6a").pattern.startsWith(u"\\xE6(?:"_qs));
    EXPECT_TRUE(one(u"\\d+a").pattern.startsWith(u"\\d+(?:"_qs));
    EXPECT_TRUE(one(u"\\Qab\\Ec").pattern.startsWith(u"\\Qab\\E(?:"_qs));
    const LoosePass digits = one(u"12 <");
    EXPECT_FALSE(digits.expanded);
    EXPECT_EQ(digits.pattern, encodeSearchTerm(u"12 <").entityWildcard);
    EXPECT_TRUE(one(u(u"\u0436")).unwritable); // Cyrillic: nothing writes it
}

TEST(LooseSearch, FindsEverySpellingAndNothingInsideAnEntitysName) {
    const QByteArray text = "@wh_b0001#<b>&eth;&aelig;t</b> that#<b>&thorn;&AElig;T</b> THAT"
                            "#<b>&a-long;d</b> pyre#<b>ad</b> x#<b>cyning</b> the &thorn;ing of &a-long;"
                            "#<b>long</b> ong#<b>l&o-long;ng</b> y#<b>x&amp;thorn;</b> no thorn here";
    LooseDict d(text);
    const LooseIndex index(d.text());
    const auto loose = [&](QStringView term) { return hitStarts(runFullTextSearch(d.text(), term, {}, &index)); };
    const auto at = [&](const char* head) { return static_cast<std::int32_t>(text.indexOf(QByteArray("#<b>") + head) + 4); };
    EXPECT_EQ(loose(u(u"\u00FE\u00E6t")), (std::vector<std::int32_t>{at("&eth;"), at("&thorn;")}));
    EXPECT_EQ(loose(u"ad"), (std::vector<std::int32_t>{at("&a-long;d"), at("ad")}));
    EXPECT_EQ(loose(u"ong"), (std::vector<std::int32_t>{at("long"), at("l&o-long;ng")})); // not the "&a-long;"
    EXPECT_EQ(loose(u"thorn"), (std::vector<std::int32_t>{at("x&amp;thorn;")}));        // "&amp;" decodes first
    // Strict searches stay as they are.
    EXPECT_EQ(hitStarts(runFullTextSearch(d.text(), u(u"\u00F0\u00E6t"))), (std::vector<std::int32_t>{at("&eth;")}));
    EXPECT_EQ(hitStarts(runFullTextSearch(d.text(), u"ong")).size(), 4u);
}

// The decisive check: on the sample and on a generated dictionary, random terms typed in other
// forms find exactly the entries whose folded, decoded text holds them; with no regular
// expression (a term of letters), with one ("term()"), and with no candidates to go by
// ("(term)", every entry looked at).
TEST(LooseSearch, AgreesWithSearchingTheFoldedDecodedEntries) {
    TempDir dir;
    std::mt19937 rng(8122026);
    for (const QByteArray& bytes : {sampleDictionary(), wordhoard::testing::generateDictionary(dir, 1500, 3)}) {
        ASSERT_FALSE(bytes.isEmpty());
        LooseDict d(bytes);
        const LooseIndex index(d.text());
        const FoldedEntries entries(bytes);
        for (int round = 0; round < 120; ++round) {
            const QString term = randomTerm(entries, rng);
            SCOPED_TRACE(term.toStdString());
            const std::vector<std::int32_t> expected = entries.holding(term);
            EXPECT_EQ(hitStarts(runFullTextSearch(d.text(), term, {}, &index)), expected);
            EXPECT_EQ(hitStarts(runFullTextSearch(d.text(), term + u"()"_qs, {}, &index)), expected);
            if (round % 6 == 0) {
                EXPECT_EQ(hitStarts(runFullTextSearch(d.text(), u'(' + term + u')', {}, &index)), expected);
            }
        }
    }
}

// A letter's places, whichever letters were indexed with it, are every byte and every entity of
// the table that writes it, found here byte by byte.
TEST(LooseIndex, ThePlacesOfALetterAreEverySpellingOfItInTheText) {
    const QByteArrayView pieces[] = {"&aelig;", "&a-long;", "&AElig;", "&amp;", "&thorn;", "&ETH;", "&alpha;", "&",
                                     ";",       "a",        "\xE6",    "\xE0",  "\xC6",    "x",     "&a-long",
                                     "&&eth;",  "................................"};
    const QString letters = u(u"a\u00E6\u00FE\u03B1xb");
    std::mt19937 rng(64);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        for (int k = static_cast<int>(rng() % 80); k > 0; --k) bytes += pieces[rng() % std::size(pieces)];
        LooseDict d(bytes.isEmpty() ? QByteArray("#") : bytes);
        const QByteArrayView text = d.text().bytes();
        const LooseIndex index(d.text());
        if (rng() % 2) index.indexLetters(letters.sliced(rng() % letters.size()));
        for (const QChar letter : letters) {
            LooseIndex::Places want;
            for (qsizetype at = 0; at < text.size(); ++at) {
                const qsizetype semi = text[at] == '&' ? text.indexOf(';', at) : -1;
                const QString written =
                    semi < 0 ? QString(QChar(widenByte(static_cast<unsigned char>(text[at]))))
                             : reference::referenceDecode(widen(text.sliced(at, semi + 1 - at)));
                if (written.size() == 1 && written[0].isLetter() && foldUnit(written[0].unicode()) == letter &&
                    (semi >= 0 || static_cast<unsigned char>(text[at]) >= 0x80)) {
                    want.at.push_back(static_cast<std::int32_t>(at));
                    want.length.push_back(static_cast<std::uint8_t>(semi < 0 ? 1 : semi + 1 - at));
                }
            }
            const LooseIndex::Places& got = index.places(letter.unicode());
            ASSERT_EQ(got.at, want.at) << bytes.toStdString() << " letter " << int{letter.unicode()};
            ASSERT_EQ(got.length, want.length);
        }
    }
}

// The runs only choose the entries the expression is matched in. "(*F)|" before a term fails at
// once and leaves the term's matches as they are, but gives no runs: every entry is matched. So a
// term must find exactly what it finds so, also with what may end a match early ("(*ACCEPT)"),
// what PCRE2 passes over before a quantifier ("\E", "\Q\E") and the rest of the syntax.
// ("(*COMMIT)" and "(*SKIP)" are left out: "(*F)|" turns off PCRE2's search for the first
// letter, which changes where they end a match.)
TEST(LooseSearch, TheRunsNeverDropAHit) {
    {
        QByteArray text;
        for (int i = 0; i < 200; ++i) text += "#<b>w" + QByteArray::number(i) + "</b> ab xy ab(\n";
        LooseDict d(text);
        const LooseIndex index(d.text());
        EXPECT_EQ(runFullTextSearch(d.text(), u"ab(*ACCEPT)cd", {}, &index).hits.size(), 200u);
        EXPECT_EQ(runFullTextSearch(d.text(), u"(ab(*ACCEPT)cd)", {}, &index).hits.size(), 200u);
        // The strict search's literal check reads no verb: its pre-filter's text "ab(" is there.
        EXPECT_EQ(runFullTextSearch(d.text(), u"ab(*ACCEPT)cd").hits.size(), 200u);
    }
    const QByteArrayView textPieces[] = {"ab", "cd", "a", "b", "c", "x", " ", "&aelig;", "&thorn;", "&a-long;",
                                         "\xE6", "(", "#<b>h</b> "};
    const QString termPieces[] = {u"ab"_qs, u"cd"_qs, u"a"_qs, u"b"_qs, u"x"_qs, u(u"\u00E6"), u(u"\u00F0"),
                                  u"(*ACCEPT)"_qs, u"(*F)"_qs, u"(*nla:"_qs, u"(*pla:"_qs, u"\\K"_qs, u"\\E"_qs, u"\\Q\\E"_qs, u"\\1"_qs, u"("_qs, u")"_qs,
                                  u"*"_qs, u"+"_qs, u"{0}"_qs, u"|"_qs, u"."_qs, u"?"_qs};
    std::mt19937 rng(1712);
    int found = 0;
    for (int round = 0; round < 150; ++round) {
        QByteArray text = "#<b>h</b> ";
        for (int k = static_cast<int>(rng() % 60); k > 0; --k) text += textPieces[rng() % std::size(textPieces)];
        LooseDict d(text);
        const LooseIndex index(d.text());
        for (int t = 0; t < 20; ++t) {
            QString term;
            for (int k = 1 + static_cast<int>(rng() % 5); k > 0; --k) term += termPieces[rng() % std::size(termPieces)];
            // Without a letter to expand, a loose pass is the strict one, pre-filter and all.
            if (!looseSearchPasses(term).front().expanded) continue;
            const SearchOutcome got = runFullTextSearch(d.text(), term, {}, &index);
            const SearchOutcome all = runFullTextSearch(d.text(), u"(*F)|"_qs + term, {}, &index);
            SCOPED_TRACE("term " + term.toStdString() + " text " + text.toStdString());
            // An invalid pattern is reported only where a candidate made it compile.
            if (got.error || all.error) {
                EXPECT_TRUE(all.error.has_value());
                EXPECT_TRUE(got.hits.empty());
                continue;
            }
            ASSERT_EQ(hitStarts(got), hitStarts(all)); // the runs choose entries, not where a match lies in one
            found += got.hits.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(found, 300); // the terms found something often enough to mean anything
}

// A loose pass's pattern has the strict pass's own text around its letters' expansions: an
// invalid term fails as the strict one does and at its offset (loose "ab(" at 3, not at 230).
TEST(LoosePasses, ErrorsAreReportedAtTheStrictPatternsOffset) {
    const QString pieces[] = {u"a"_qs, u"x"_qs, u(u"\u00E6"), u(u"\u00FE"), u(u"a\u0304"), u"("_qs, u")"_qs,
                              u"["_qs, u"]"_qs, u"{3,2}"_qs, u"*"_qs, u"+"_qs, u"?"_qs, u"\\"_qs, u"\\Q"_qs,
                              u"\\E"_qs, u"(*"_qs, u"ACCEPT)"_qs, u"\\c"_qs, u"|"_qs};
    const auto compileError = [](const QString& pattern) -> std::optional<RegexCompileError> {
        TPerlRegEx re;
        re.setOptions(preCaseLess | preUnGreedy);
        re.setRegEx(*narrow(pattern));
        try {
            re.Compile();
        } catch (const RegexCompileError& e) {
            return e;
        }
        return std::nullopt;
    };
    std::mt19937 rng(3);
    int failed = 0;
    for (int round = 0; round < 3000; ++round) {
        QString term;
        for (int k = 1 + static_cast<int>(rng() % 6); k > 0; --k) term += pieces[rng() % std::size(pieces)];
        const std::vector<LoosePass> passes = looseSearchPasses(term);
        const SearchPatterns strict = encodeSearchTerm(term);
        ASSERT_EQ(passes.size(), strict.needsSecondPass() ? 2u : 1u);
        for (std::size_t k = 0; k < passes.size(); ++k) {
            const QString& strictPattern = k == 0 ? strict.entityWildcard : strict.letterWildcard;
            SCOPED_TRACE(term.toStdString() + " pass " + std::to_string(k));
            EXPECT_EQ(passes[k].strictLength, strictPattern.size());
            if (!narrow(strictPattern)) continue; // "ā" is no Windows-1252 byte: the strict pass finds nothing
            const auto strictError = compileError(strictPattern);
            const auto looseError = compileError(passes[k].pattern);
            ASSERT_EQ(strictError.has_value(), looseError.has_value());
            if (!strictError) continue;
            ++failed;
            EXPECT_EQ(passes[k].strictOffset(looseError->offset()), strictError->offset());
            EXPECT_EQ(looseError->reason(), strictError->reason());
        }
    }
    EXPECT_GT(failed, 1000);

    // Through a search: the error the strict search gives.
    LooseDict d("#<b>x</b> ab(\n");
    const LooseIndex index(d.text());
    EXPECT_EQ(runFullTextSearch(d.text(), u"ab(", {}, &index).error,
              u"TPerlRegEx.Compile() - Error in regex at offset 3: missing closing parenthesis"_qs);
}

// Asked byte by byte near the byte, the decoded entities agree with working out the whole text,
// also where a ';' lies far back and the answer needs the whole text.
TEST(LooseSearch, DecodedEntitiesAgreeWithTheWholeMask) {
    const QByteArrayView pieces[] = {"&thorn;", "&x ", "&", ";", "a", "b", "&amp;", "&lt", "eth;", " ",
                                     "&aelig-long;", "&AELIG;", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"};
    std::mt19937 rng(20261208);
    for (int round = 0; round < 400; ++round) {
        QByteArray subject;
        const int count = static_cast<int>(rng() % 40);
        for (int k = 0; k < count; ++k) subject += pieces[rng() % std::size(pieces)];
        std::vector<std::uint8_t> mask;
        decodedEntityMask(subject, mask);
        DecodedEntities entities(subject);
        for (qsizetype q = 0; q < subject.size(); ++q) {
            ASSERT_EQ(entities.at(q), mask[static_cast<std::size_t>(q)]) << subject.toStdString() << " at " << q;
        }
    }
    std::vector<std::uint8_t> mask;
    decodedEntityMask("a&thorn;b&x &eth;", mask);
    EXPECT_EQ(mask, (std::vector<std::uint8_t>{0, 1, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(LooseLookup, TheFoldedBeginningOfALineIsCompared) {
    EntryIndex index;
    for (const QByteArrayView head : {QByteArrayView("&aelig;t"), QByteArrayView("&a-long;d"), QByteArrayView("&thorn;egn"),
                                      QByteArrayView("&eth;e"), QByteArrayView("&AElig;&eth;ele")}) {
        index.append(static_cast<std::int32_t>(index.size() * 100 + 4), head);
    }
    const HeadwordLookup loose(index, QLocale(), HeadwordLookup::Matching::Loose);
    const HeadwordLookup strict(index);
    const auto line = [](const HeadwordLookup& l, QStringView typed) { return l.find(typed).line; };
    EXPECT_EQ(line(loose, u"ad"), 1);
    EXPECT_EQ(line(loose, u"AD"), 1);
    EXPECT_EQ(line(loose, u(u"\u00F0e")), 2); // "ðe" finds the first line beginning "þe"
    EXPECT_EQ(line(loose, u(u"\u01E3")), 0);  // "ǣ" is "æ"
    EXPECT_EQ(loose.find(u(u"\u0301")).kind, LookupResult::Kind::NoMatch);
    EXPECT_EQ(strict.find(u"ad").kind, LookupResult::Kind::NoMatch);
    EXPECT_EQ(line(strict, u(u"\u00F0e")), 3);
}
