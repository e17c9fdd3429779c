// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Input that is damaged, hostile or at a limit: each case says what the reader gets instead of a
// crash, a hang or a wrong answer.
#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"
#include "search/FullTextSearch.h"
#include "text/MapTextfile.h"
#include "search/LooseSearch.h"
#include "search/PerlRegEx.h"
#include "text/CodePage.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace wordhoard;
using wordhoard::testing::TempDir;

namespace {


// One entry whose body is `fill` repeated to a megabyte, followed by `tail`, so that the
// pre-filter finds `tail` and the whole megabyte is the subject of the match.
QByteArray megabyteEntry(char fill, const QByteArray& tail) {
    return "#   x<b>y</b> " + QByteArray(1 << 20, fill) + tail + " z";
}

std::string matchError(TPerlRegEx& re) {
    try {
        re.Match();
    } catch (const RegexError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

// Texts of a byte or two, and entry starts that lie past the end of the text ("##" has its one
// start at 4 in a text of 2 bytes): everything answers from what is there.
TEST(BadDictionaryText, TinyTextsAndStartsPastTheEnd) {
    TempDir dir;
    struct Case {
        QByteArray bytes;
        std::vector<std::int32_t> starts;
        QString firstHeadword;
    };
    const Case cases[] = {
        {"#", {4}, {}},   {"x", {}, {}},        {"@", {}, {}},     {"##", {4}, {}},
        {"#ab", {4}, {}}, {"#abcd", {4}, u(u"d")}, {"#a#b<", {4}, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        TMapTextfile text;
        ASSERT_EQ(text.Open(dir.write(QStringLiteral("t%1.txt").arg(++n), c.bytes), false), 0);
        const EntryIndex index = buildEntryIndex(text);
        EXPECT_EQ(index.offsets, c.starts) << c.bytes.constData();
        if (index.empty()) continue;
        EXPECT_EQ(index.headword(0), c.firstHeadword) << c.bytes.constData();
        const DisplayedEntry e = displayEntry(text, index.offsets[0], u"a");
        EXPECT_EQ(e.to, text.size() - 1) << c.bytes.constData();
        EXPECT_TRUE(e.page.isEmpty());
        EXPECT_EQ(e.formatted.styles.size(), static_cast<std::size_t>(e.formatted.text.size()));
    }
}

TEST(BadDictionaryText, OneByteFilesAndBytesInMemoryOpenLikeFiles) {
    TempDir dir;
    TMapTextfile text;
    ASSERT_EQ(text.Open(dir.write("one.txt", "#"), false), 0);
    EXPECT_EQ(text.size(), 1);
    EXPECT_EQ(text.CharAt(0), '#');
    EXPECT_EQ(text.CharAt(1), 0);
    EXPECT_EQ(text.Find("#", 0, 0), 0);
    EXPECT_EQ(text.Find("##", 0, 0), -1);

    const QByteArray bytes = "ab#cd";
    ASSERT_EQ(text.OpenBytes(bytes), 0);
    EXPECT_EQ(text.size(), 5);
    EXPECT_EQ(text.Find("#c", 0, 0), 2);
    EXPECT_EQ(text.FindWild("c.", -1, 0, '*', '.'), 3);
    EXPECT_EQ(text.OpenBytes({}), -1);
    EXPECT_FALSE(text.opened());
    EXPECT_EQ(text.errorString(), u"the file is empty"_qs);
}

// A name that is a directory, or a file that can't be read (only testable when not root).
TEST(BadDictionaryText, UnreadableFilesFailWithAReason) {
    TempDir dir;
    TMapTextfile text;
    dir.write("dict/inner.txt", "#");
    EXPECT_EQ(text.Open(dir.path("dict"), false), -1);
    EXPECT_EQ(text.errorString(), u"is a directory"_qs);
    const QString locked = dir.write("locked.txt", "#abc<");
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (QFile(locked).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running as root: every file is readable";
    EXPECT_EQ(text.Open(locked, false), -1);
    EXPECT_FALSE(text.errorString().isEmpty());
}

// The step limits bound one start position; the clock bounds the million start positions of a
// megabyte entry. Without it 'a{0,10000}c' runs 15 s over a megabyte of 'a' before it matches.
TEST(SearchLimits, AMegabyteSubjectIsStoppedByTheClock) {
    TPerlRegEx re;
    MatchLimits limits;
    limits.timeLimitMs = 100;
    re.setMatchLimits(limits);
    re.setOptions(preCaseLess | preUnGreedy);
    re.setRegEx("a{0,10000}c");
    const QByteArray subject = QByteArray(1 << 20, 'a') + 'c';
    re.setSubject(subject);
    EXPECT_EQ(matchError(re), "TPerlRegEx.Match() - Error while matching: the match ran longer than 100 ms");
}

// Five nested lazy stars: the JIT does not count these steps, so only the clock stops them
// (over 100 KB of 'a' they ran for minutes).
TEST(SearchLimits, NestedStarsAreStoppedByTheClock) {
    TPerlRegEx re;
    MatchLimits limits;
    limits.timeLimitMs = 100;
    re.setMatchLimits(limits);
    re.setOptions(preCaseLess | preUnGreedy);
    re.setRegEx("a*a*a*a*a*q");
    const QByteArray subject = QByteArray(300 * 1024, 'a') + "*q";
    re.setSubject(subject);
    EXPECT_EQ(matchError(re), "TPerlRegEx.Match() - Error while matching: the match ran longer than 100 ms");
}

// The clocked compilation must answer exactly as the plain one: offsets, groups, options.
TEST(SearchLimits, TheClockedCompilationFindsTheSameMatches) {
    const QByteArray filler(300 * 1024, 'a');
    const QByteArray longSubject = filler + "xneedle y";
    MatchLimits alwaysClocked;
    alwaysClocked.clockedSubjectBytes = 0;
    for (const QByteArray& subject : {QByteArray("aa xneedle y"), longSubject}) {
        for (const char* pattern : {"NEED(l)e", "(*NO_START_OPT)needle", "(*UCP)need(?C7)le", "x\\w+", "^a+",
                                    "(?<=a)x", "a(?=x)", "\\bneedle", "e{2,}", "(a|b)*?x", "y$", "q"}) {
            TPerlRegEx plain;
            TPerlRegEx clocked;
            clocked.setMatchLimits(alwaysClocked);
            for (TPerlRegEx* re : {&plain, &clocked}) {
                re->setOptions(preCaseLess | preUnGreedy);
                re->setRegEx(pattern);
                re->setSubject(subject);
            }
            const bool matched = plain.Match();
            ASSERT_EQ(clocked.Match(), matched) << pattern;
            EXPECT_EQ(clocked.MatchedOffset(), plain.MatchedOffset()) << pattern;
            EXPECT_EQ(clocked.MatchedText(), plain.MatchedText()) << pattern;
            EXPECT_EQ(clocked.GroupCount(), plain.GroupCount()) << pattern;
        }
    }
    // Over the default threshold, with the default limits.
    TPerlRegEx re;
    re.setOptions(preCaseLess | preUnGreedy);
    re.setRegEx("x\\w+");
    re.setSubject(longSubject);
    ASSERT_TRUE(re.Match());
    EXPECT_EQ(re.MatchedOffset(), filler.size());
    EXPECT_EQ(re.MatchedText(), "xn"); // ungreedy
    re.setRegEx("need(le");
    EXPECT_EQ(matchError(re), "TPerlRegEx.Compile() - Error in regex at offset 7: missing closing parenthesis");
}

// The whole search over one megabyte entry with the limits every request uses: errors, not hangs.
TEST(SearchLimits, CatastrophicTermsEndTheRequestWithAnError) {
    for (const char* term : {"a{0,10000}c", "(a+)+b", "(a|aa)+c", "a*a*a*a*a*q"}) {
        const QByteArray body = megabyteEntry('a', term);
        TMapTextfile text;
        ASSERT_EQ(text.OpenBytes(body), 0);
        const SearchOutcome o = runFullTextSearch(text, QString::fromLatin1(term));
        ASSERT_TRUE(o.error.has_value()) << term;
        EXPECT_TRUE(o.error->startsWith(u"TPerlRegEx.Match() - Error while matching: "_qs)) << o.error->toStdString();
        EXPECT_TRUE(o.hits.empty());
    }
}

// 1000 characters after encoding pass; one more is refused before anything is searched.
TEST(SearchLimits, TermsLongerThanTheCapAreRefusedWithTheirLength) {
    const QByteArray body = "#   a<b>" + QByteArray(1200, 'a') + "</b>";
    TMapTextfile text;
    ASSERT_EQ(text.OpenBytes(body), 0);

    SearchOutcome o = runFullTextSearch(text, QString(kMaxSearchPatternLength, u'a'));
    EXPECT_FALSE(o.error.has_value());
    EXPECT_EQ(o.hits.size(), 1u);

    o = runFullTextSearch(text, QString(kMaxSearchPatternLength + 1, u'a'));
    EXPECT_EQ(o.error, u"The search term is too long: 1001 characters after encoding, at most 1000"_qs);
    EXPECT_TRUE(o.hits.empty());

    // 143 thorns are 143 characters typed but "&thorn;" x 143 = 1001 after encoding.
    o = runFullTextSearch(text, QString(143, QChar(0x00FE)));
    EXPECT_EQ(o.error, searchPatternTooLong(1001));
    // 250 '?' are 250 '.' in the letter pass but 1000 in the entity pass; 251 are too many.
    EXPECT_FALSE(runFullTextSearch(text, QString(250, u'?')).error.has_value());
    EXPECT_EQ(runFullTextSearch(text, QString(251, u'?')).error, searchPatternTooLong(1004));
}

// A loose letter expands to up to 216 characters. Up to the cap on the expanded pattern, the
// letter that expands most and a strict part of classes (each compiles to 33 bytes) still
// compile; past it the search ends with an error that names the typed length.
TEST(SearchLimits, LooseTermsAreCappedAfterExpansion) {
    const qsizetype letter = looseSearchPasses(u"a").front().pattern.size();
    ASSERT_EQ(letter, 216); // the longest expansion of any letter (LooseSearchTest)
    const qsizetype letters = (kMaxLoosePatternLength - kMaxSearchPatternLength) / letter;
    const QString longest =
        QString(letters, u'a') + QString(u"[xy]"_qs).repeated((kMaxSearchPatternLength - letters) / 4);
    const std::vector<LoosePass> passes = looseSearchPasses(longest);
    ASSERT_LE(passes.front().pattern.size(), kMaxLoosePatternLength);
    ASSERT_LE(passes.front().strictLength, kMaxSearchPatternLength);
    TPerlRegEx re;
    re.setRegEx(*narrow(passes.front().pattern));
    EXPECT_NO_THROW(re.Compile());

    const QByteArray body = "#   x " + QByteArray(300, 'a');
    TMapTextfile text;
    ASSERT_EQ(text.OpenBytes(body), 0);
    const LooseIndex index(text);
    const QString tooLong = QString(100, u'a') + u"()"_qs; // 21,602 characters after expansion
    const SearchOutcome o = runFullTextSearch(text, tooLong, {}, &index);
    EXPECT_EQ(o.error, u"The search term is too long for loose matching: its 102 characters become 21602 "
                       u"after expansion, at most 20000"_qs);
    EXPECT_EQ(runFullTextSearch(text, QString(80, u'a') + u"()"_qs, {}, &index).hits.size(), 1u);
}
