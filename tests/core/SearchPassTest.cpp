// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "search/FullTextSearch.h"
#include "text/MapTextfile.h"
#include "QtPrinters.h"
#include "search/SearchTerm.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <random>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {


// A dictionary text in a temporary file, opened read-only.
class Dict {
public:
    explicit Dict(const QByteArray& bytes) {
        if (!bytes.isEmpty()) m_text.Open(m_dir.write("d.txt", bytes), false);
    }
    const TMapTextfile& text() const { return m_text; }

private:
    TempDir m_dir;
    TMapTextfile m_text;
};

std::vector<std::pair<std::int32_t, QString>> flat(const std::vector<SearchHit>& hits) {
    std::vector<std::pair<std::int32_t, QString>> out;
    for (const SearchHit& h : hits) out.emplace_back(h.start, h.headword);
    return out;
}

std::vector<std::int32_t> starts(const SearchOutcome& o) {
    std::vector<std::int32_t> out;
    for (const SearchHit& h : o.hits) out.push_back(h.start);
    return out;
}

// The documented pass spelt out byte by byte with one regular-expression object that is given
// the term for every candidate and ". ." after every match (so it recompiles), and no pre-check.
void referencePass(QByteArrayView text, QStringView pattern, TPerlRegEx& re, SearchOutcome& out) {
    const auto narrowed = narrow(pattern);
    if (!narrowed) return;
    QByteArray p = *narrowed;
    if (p.indexOf('\0') >= 0) p.truncate(p.indexOf('\0'));
    if (p.isEmpty()) return;
    qsizetype m = p.size();
    for (qsizetype j = 1; j < m; ++j) {
        if (p[j] == '*') {
            m = j;
            break;
        }
    }
    const qsizetype size = text.size();
    qsizetype start = 0;
    try {
        for (;;) {
            qsizetype candidate = -1;
            for (qsizetype pos = start; pos < size && candidate < 0; ++pos) {
                qsizetype j = 0;
                while (pos + j < size && (p[j] == '.' || p[j] == text[pos + j]) && ++j < m) {
                }
                if (j == m) candidate = pos;
            }
            if (candidate < 0) return;
            qsizetype hash = candidate;
            while (hash >= 0 && text[hash] != '#') --hash;
            if (hash < 0) {
                qsizetype first = candidate;
                while (first < size && text[first] != '#') ++first;
                if (first == size) return;
                start = first;
                continue;
            }
            const qsizetype entryStart = std::min(hash + 4, size);
            qsizetype entryEnd = entryStart;
            while (entryEnd < size && text[entryEnd] != '#') ++entryEnd;
            start = entryEnd;
            const QByteArray entry = text.sliced(entryStart, entryEnd - entryStart).toByteArray();
            re.setSubject(entry);
            re.setRegEx(p);
            if (!re.Match()) continue;
            const QByteArray matched = re.MatchedText().toByteArray();
            re.setSubject(matched);
            re.setRegEx(". .");
            if (re.Match()) continue;
            qsizetype lt = entryStart;
            while (lt < size && text[lt] != '<') ++lt;
            out.hits.push_back({static_cast<std::int32_t>(entryStart), decodeEntityBytes(text.sliced(entryStart, lt - entryStart))});
        }
    } catch (const RegexError& e) {
        out.error = QString::fromUtf8(e.what());
    }
}

SearchOutcome referenceSearch(QByteArrayView text, QStringView term) {
    const SearchPatterns patterns = encodeSearchTerm(term);
    TPerlRegEx re;
    re.setOptions(preCaseLess | preUnGreedy);
    SearchOutcome out;
    referencePass(text, patterns.entityWildcard, re, out);
    if (!out.error && patterns.needsSecondPass()) referencePass(text, patterns.letterWildcard, re, out);
    return out;
}

const QByteArray kSample = "@wh_b0001\n"
                           "#<b>hw&aelig;t</b> interj. lo! hw&aelig;t we Gardena\n"
                           "#<b>hw&aelig;t&eth;e</b> adj. made-up, hw&aelig;tt swift\n"
                           "#<b>cyning</b> m. king; se cyning, cyninga\n"
                           "#<b>Cyneheard</b> name. CYNING in capitals\n"
                           "#<b>hwat</b> n. cf. hwaet, hw\xE6t\n";

// The entry start of the entry whose headword begins with `head`.
std::int32_t startOf(const QByteArray& text, const QByteArray& head) {
    return static_cast<std::int32_t>(text.indexOf("#<b>" + head) + 4);
}

} // namespace

TEST(SearchPass, WildcardTermRunsTwoPassesEntityFormFirst) {
    Dict d(kSample);
    // 'hwæt?' gives 'hw&aelig;t&.*;' (the entity spelling after hwæt) and then 'hw&aelig;t.'.
    const SearchOutcome o = runFullTextSearch(d.text(), u(u"hw\u00E6t?"));
    EXPECT_FALSE(o.error);
    EXPECT_FALSE(o.cancelled);
    // Pass 1: only the second entry has an entity right after "hw&aelig;t". Pass 2: both have
    // one more byte there; the second entry is listed again, as each pass reports on its own.
    const std::int32_t hwaet = startOf(kSample, "hw&aelig;t<");
    const std::int32_t hwaethe = startOf(kSample, "hw&aelig;t&eth;");
    EXPECT_EQ(flat(o.hits), (std::vector<std::pair<std::int32_t, QString>>{
                                {hwaethe, u(u"hw\u00E6t\u00F0e")}, {hwaet, u(u"hw\u00E6t")}, {hwaethe, u(u"hw\u00E6t\u00F0e")}}));
    EXPECT_EQ(flat(o.hits), flat(referenceSearch(kSample, u(u"hw\u00E6t?")).hits));
}

// The viewer runs a request pass by pass: each pass gives its own hits, in the request's order,
// and progress counts both passes as one request.
TEST(SearchPass, ARequestRunPassByPassGivesWhatItsRunGives) {
    Dict d(kSample);
    TPerlRegEx regex;
    regex.setOptions(preCaseLess | preUnGreedy);
    std::vector<std::pair<std::int64_t, std::int64_t>> told;
    SearchRequest request(d.text(), u(u"hw\u00E6t?"), regex, [&](std::int64_t scanned, std::int64_t total) {
        told.emplace_back(scanned, total);
        return true;
    });
    ASSERT_EQ(request.passes(), (QStringList{u"hw&aelig;t&.*;"_qs, u"hw&aelig;t."_qs}));
    std::vector<SearchHit> byPass;
    for (const QString& pattern : request.passes()) {
        const SearchOutcome pass = request.runPass(pattern);
        EXPECT_FALSE(pass.stopped());
        byPass.insert(byPass.end(), pass.hits.begin(), pass.hits.end());
    }
    EXPECT_EQ(flat(byPass), flat(runFullTextSearch(d.text(), u(u"hw\u00E6t?")).hits));
    const std::int64_t size = d.text().size();
    EXPECT_EQ(told, (std::vector<std::pair<std::int64_t, std::int64_t>>{{size, 2 * size}, {2 * size, 2 * size}}));
    EXPECT_EQ(SearchRequest(d.text(), u"cyning", regex).passes(), QStringList{u"cyning"_qs});
}

TEST(SearchPass, CaseOfThePreFilterAndTheFirstMatchRule) {
    Dict d(kSample);
    // The pre-filter is case-sensitive: 'Cyning' only finds the entry that holds it in that case.
    EXPECT_EQ(starts(runFullTextSearch(d.text(), u"cyning")), (std::vector<std::int32_t>{startOf(kSample, "cyning")}));
    EXPECT_EQ(starts(runFullTextSearch(d.text(), u"CYNING")), (std::vector<std::int32_t>{startOf(kSample, "Cyneheard")}));
    // A space between two characters of the term never gives a hit, even where the text has it.
    EXPECT_TRUE(runFullTextSearch(d.text(), u"se cyning").hits.empty());
    // The caseless expression may match an earlier occurrence than the pre-filter found; then
    // only that first match is tested for a space: "X Y" comes first, so "x-y" is never a hit.
    const QByteArray firstText = "#<b>a</b> X Y and x-y#<b>b</b> and x-y";
    Dict first(firstText);
    EXPECT_EQ(starts(runFullTextSearch(first.text(), u"x.y")), (std::vector<std::int32_t>{startOf(firstText, "b")}));
}

TEST(SearchPass, QuestionMarkAloneListsEveryNonEmptyEntryInTheSecondPass) {
    const QByteArray text = "#<b>a</b> &thorn;x#<b>b</b> plain#<b>c</b> &x y;#   ";
    Dict d(text);
    const SearchOutcome o = runFullTextSearch(d.text(), u"?");
    // Pass 1 ("&.*;"): entries with an entity whose first match has no space in it.
    // Pass 2 ("."): every entry with a byte after its start (the last one is empty).
    EXPECT_EQ(starts(o), (std::vector<std::int32_t>{4, 4, 22, 37}));
    EXPECT_EQ(flat(o.hits), flat(referenceSearch(text, u"?").hits));
}

TEST(SearchPass, InvalidPatternFailsOnlyWhenItsTextOccurs) {
    Dict d("@p#<b>x</b> f(a( b#<b>y</b> a(");
    const SearchOutcome o = runFullTextSearch(d.text(), u"a(");
    ASSERT_TRUE(o.error);
    EXPECT_EQ(*o.error, u"TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis"_qs);
    EXPECT_TRUE(o.hits.empty());

    const SearchOutcome absent = runFullTextSearch(d.text(), u"q(");
    EXPECT_FALSE(absent.error);
    EXPECT_TRUE(absent.hits.empty());
    // Anything after the first '*' is not looked for, so this fails at the entry holding "a".
    EXPECT_TRUE(runFullTextSearch(d.text(), u"a*(").error);
}

TEST(SearchPass, ErrorInTheSecondPassKeepsTheFirstPassHits) {
    // The letter pass '(a|a)+.b' backtracks without end over the run of 'a' and hits the limit.
    const QByteArray text = "#<b>one</b> (a|a)+&x;b aa&x;b#<b>two</b> (a|a)+xb " + QByteArray("a").repeated(80) + "!!b";
    Dict d(text);
    const SearchOutcome o = runFullTextSearch(d.text(), u"(a|a)+?b");
    EXPECT_EQ(starts(o), (std::vector<std::int32_t>{4}));
    ASSERT_TRUE(o.error);
    EXPECT_TRUE(o.error->startsWith(u"TPerlRegEx.Match() - Error while matching: "_qs)) << o.error->toStdString();
}

TEST(SearchPass, CaselessTermsPairTheCodePagesUpperAndLowerCaseBytes) {
    const QByteArray text = "@wh_b0001\n"
                            "#<b>ba\x8Ao</b> one\n"   // Š
                            "#<b>ba\x9Ao</b> two\n"   // š
                            "#<b>bao</b> three\n"
                            "#<b>c\xC6" "d</b> four\n" // Æ
                            "#<b>c\xE6" "d</b> five\n" // æ
                            "#<b>y\x9F</b> six\n"     // Ÿ
                            "#<b>y\xFF</b> seven\n";  // ÿ
    Dict d(text);
    // A typed 'Š' or 'Ÿ' has no entity name and stays a raw byte of the pattern; 'æ' would become
    // "&aelig;", so the escape \xE6 stands for it. The pre-filter finds each 'a' (or 'c', 'y'),
    // the caseless expression then the letter in either case.
    ASSERT_EQ(encodeSearchTerm(u"a*\u0160o").letterWildcard, u"a*\u0160o"_qs);
    ASSERT_EQ(requiredLiteral("a*\x8Ao", preCaseLess | preUnGreedy), QByteArray("\x8Ao"));
    const std::vector<std::int32_t> scaron = {startOf(text, "ba\x8A"), startOf(text, "ba\x9A")};
    const std::vector<std::int32_t> aelig = {startOf(text, "c\xC6"), startOf(text, "c\xE6")};
    const std::vector<std::int32_t> yuml = {startOf(text, "y\x9F"), startOf(text, "y\xFF")};
    const std::vector<std::pair<const char16_t*, std::vector<std::int32_t>>> cases = {
        {u"a*\u0160o", scaron}, {u"a*\\x8Ao", scaron}, {u"a*\\x9Ao", scaron}, {u"c*\\xC6d", aelig},
        {u"c*\\xE6d", aelig},  {u"y*\u0178", yuml},    {u"y*\\xFF", yuml},
    };
    for (const auto& [term, expected] : cases) {
        const SearchOutcome o = runFullTextSearch(d.text(), term);
        EXPECT_FALSE(o.error);
        EXPECT_EQ(starts(o), expected) << QString::fromUtf16(term).toStdString();
        EXPECT_EQ(flat(o.hits), flat(referenceSearch(text, term).hits)) << QString::fromUtf16(term).toStdString();
    }
}

TEST(SearchPass, TermsTheCodePageCannotWriteFindNothing) {
    // Had 'д' become '?' the pattern would not compile; had it become '.', everything would match.
    Dict d("#<b>a?b</b> x.y \x80 euro#<b>c</b> ?#<b>d</b> plain");
    for (const char16_t* term : {u"\u0434", u"a\u4E2D", u"\U0001F600", u"?\u0434"}) {
        const SearchOutcome o = runFullTextSearch(d.text(), term);
        EXPECT_TRUE(o.hits.empty()) << QString::fromUtf16(term).toStdString();
        EXPECT_FALSE(o.error);
    }
    // '€' is byte 0x80 in the dictionary's code page and is found as such.
    EXPECT_EQ(starts(runFullTextSearch(d.text(), u"\u20AC")), (std::vector<std::int32_t>{4}));
}

TEST(SearchPass, EdgesOfTheText) {
    // Text before the first '#' belongs to no entry; the search goes on from the first entry.
    Dict pre("abc@x#<b>abc</b>");
    EXPECT_EQ(starts(runFullTextSearch(pre.text(), u"abc")), (std::vector<std::int32_t>{9}));
    Dict none("abc only");
    EXPECT_TRUE(runFullTextSearch(none.text(), u"abc").hits.empty());
    // The last entry runs to the end of the text; an entry cut short after its '#' is empty.
    Dict tail("#<b>a</b> q#<b>b</b> qq");
    EXPECT_EQ(starts(runFullTextSearch(tail.text(), u"qq")), (std::vector<std::int32_t>{15}));
    Dict cut("#<b>a</b> x#x");
    EXPECT_TRUE(runFullTextSearch(cut.text(), u"#x").hits.empty());
    // An empty term and a closed text find nothing.
    EXPECT_TRUE(runFullTextSearch(tail.text(), u"").hits.empty());
    Dict closed({});
    EXPECT_TRUE(runFullTextSearch(closed.text(), u"a").hits.empty());
    // A NUL in the term ends it, as it ends the pre-filter's pattern.
    EXPECT_EQ(starts(runFullTextSearch(tail.text(), QStringView(u"qq\0zz", 5))), (std::vector<std::int32_t>{15}));
}

TEST(SearchPass, CancelStopsTheRequestAndKeepsTheHitsSoFar) {
    QByteArray text;
    for (int i = 0; i < 100000; ++i) text += "#<b>w" + QByteArray::number(i) + "</b> some words to fill the entry up\n";
    Dict d(text);
    const SearchOutcome all = runFullTextSearch(d.text(), u"fill?");
    ASSERT_EQ(all.hits.size(), 100000u); // all from the letter pass
    std::int64_t lastScanned = -1;
    std::int64_t calls = 0;
    const SearchOutcome part = runFullTextSearch(d.text(), u"fill?", [&](std::int64_t scanned, std::int64_t total) {
        EXPECT_EQ(total, 2 * text.size());
        EXPECT_GT(scanned, lastScanned);
        lastScanned = scanned;
        return ++calls < 2; // the end of pass 1, then 1 MiB into pass 2
    });
    EXPECT_TRUE(part.cancelled);
    EXPECT_FALSE(part.error);
    ASSERT_GT(part.hits.size(), 0u);
    ASSERT_LT(part.hits.size(), all.hits.size());
    for (std::size_t i = 0; i < part.hits.size(); ++i) EXPECT_EQ(part.hits[i].start, all.hits[i].start);
}

TEST(RequiredLiteral, ReadsOnlyWhatEveryMatchMustHold) {
    const TPerlRegExOptions opts = preCaseLess | preUnGreedy;
    const auto lit = [&](QByteArrayView p) { return requiredLiteral(p, opts).value_or("<none>"); };
    EXPECT_EQ(lit("&.*;ing"), ";ing");
    EXPECT_EQ(lit("hw&aelig;t&.*;"), "hw&aelig;t&");
    EXPECT_EQ(lit("abc*"), "ab");
    EXPECT_EQ(lit("ab?cd"), "cd");
    EXPECT_EQ(lit("a+bc"), "bc");
    EXPECT_EQ(lit("x(ab)*yz"), "yz");
    EXPECT_EQ(lit("[^]a]bc"), "bc");
    EXPECT_EQ(lit("(a|b)cd"), "cd");
    EXPECT_EQ(lit("^ab$"), "ab");
    EXPECT_EQ(lit("se cyning"), "se cyning");
    for (const char* none : {"a|bc", "\\d+x", "a{2}bc", "(?i)abc", "(*UTF)abc", "[[:alpha:]]abc", "(ab", "ab)",
                             "[ab", ".", "a*", "(abc)"}) {
        EXPECT_EQ(lit(none), "<none>") << none;
    }
    EXPECT_FALSE(requiredLiteral("a b", preExtended).has_value());
}

TEST(RequiredLiteral, CaselessContainmentFollowsTheRegexTables) {
    const TPerlRegExOptions caseless = preCaseLess;
    EXPECT_TRUE(containsLiteral("xx;INGyy", ";ing", caseless));
    EXPECT_TRUE(containsLiteral("SEO", "seo", caseless));
    EXPECT_FALSE(containsLiteral("xx;INGyy", ";ing", {}));
    EXPECT_FALSE(containsLiteral("xx;in", ";ing", caseless));
    EXPECT_FALSE(containsLiteral(":ing", ";ing", caseless));
    EXPECT_TRUE(containsLiteral("anything", "", caseless));
    // For every byte pair, the literal check agrees with the caseless expression itself.
    for (int a = 1; a < 256; ++a) {
        const auto pa = static_cast<char>(a);
        if (QByteArrayView(".^$|()[]{}*+?\\").contains(pa) || pa == '\n') continue;
        TPerlRegEx re;
        re.setOptions(caseless);
        re.setRegEx(QByteArrayView(&pa, 1));
        for (int b = 1; b < 256; ++b) {
            const auto pb = static_cast<char>(b);
            re.setSubject(QByteArrayView(&pb, 1));
            ASSERT_EQ(containsLiteral(QByteArrayView(&pb, 1), QByteArrayView(&pa, 1), caseless), re.Match())
                << a << " " << b;
        }
    }
}

TEST(SearchPass, SameHitsAndErrorsAsTheReferenceOnRandomDictionaries) {
    std::mt19937 rng(20240611);
    const std::vector<QByteArray> pieces = {"a", "b", "A", "B", "n", "g", "i", "ng", "ing", " ", "  ", "#", "<b>", "</b>",
                                            "&thorn;", "&aelig;", "&x y;", ";", "&", "\n", "\xE6", "\xC6", "\x8A", "\x9A", "\xD7", ".", "*", "(",
                                            ")", "a(", "@wh_b0001"};
    const std::vector<QString> termPieces = {u"a"_qs, u"b"_qs, u"A"_qs, u"ng"_qs, u"i"_qs, u"?"_qs, u"."_qs,
                                             u"*"_qs, u" "_qs, u"\u00FE"_qs, u"\u00E6"_qs, u"\u00C6"_qs, u"("_qs,
                                             u")"_qs, u"["_qs, u"]"_qs, u"+"_qs, u"|"_qs, u"\\"_qs, u"&"_qs,
                                             u";"_qs, u"#"_qs, u"{"_qs, u"\u0434"_qs, u"\u0160"_qs, u"\u00D7"_qs};
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    int withHits = 0;
    int withErrors = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray text;
        const std::size_t length = 5 + pick(80);
        for (std::size_t i = 0; i < length; ++i) text += pieces[pick(pieces.size())];
        Dict d(text);
        for (int t = 0; t < 10; ++t) {
            QString term;
            const std::size_t termLength = 1 + pick(4);
            for (std::size_t i = 0; i < termLength; ++i) term += termPieces[pick(termPieces.size())];
            const SearchOutcome fast = runFullTextSearch(d.text(), term);
            const SearchOutcome slow = referenceSearch(text, term);
            ASSERT_EQ(flat(fast.hits), flat(slow.hits)) << "term " << term.toStdString() << " text " << text.toStdString();
            ASSERT_EQ(fast.error, slow.error) << "term " << term.toStdString() << " text " << text.toStdString();
            withHits += fast.hits.empty() ? 0 : 1;
            withErrors += fast.error ? 1 : 0;
        }
    }
    // The random cases must have exercised both hits and errors to mean anything.
    EXPECT_GT(withHits, 100);
    EXPECT_GT(withErrors, 20);
}
