// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/PerlRegEx.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace wordhoard;

namespace {

// Matches `pattern` over `subject` with `options`; throws like the object does.
bool matches(QByteArrayView pattern, QByteArrayView subject, TPerlRegExOptions options = {}) {
    TPerlRegEx re;
    re.setOptions(options);
    re.setRegEx(pattern);
    re.setSubject(subject);
    return re.Match();
}

std::string compileError(QByteArrayView pattern) {
    TPerlRegEx re;
    re.setRegEx(pattern);
    try {
        re.Compile();
    } catch (const RegexError& e) {
        return e.what();
    }
    return "(compiled)";
}

} // namespace

TEST(PerlRegEx, EachOptionChangesWhatMatches) {
    EXPECT_FALSE(matches("ABC", "xabc"));
    EXPECT_TRUE(matches("ABC", "xabc", preCaseLess));

    EXPECT_FALSE(matches("^b", "a\nb"));
    EXPECT_TRUE(matches("^b", "a\nb", preMultiLine));

    EXPECT_FALSE(matches("a.b", "a\nb"));
    EXPECT_TRUE(matches("a.b", "a\nb", preSingleLine));

    EXPECT_FALSE(matches("a b", "ab"));
    EXPECT_TRUE(matches("a b", "ab", preExtended));

    EXPECT_TRUE(matches("b", "ab"));
    EXPECT_FALSE(matches("b", "ab", preAnchored));

    EXPECT_TRUE(matches("a$", "a\n"));
    EXPECT_FALSE(matches("a$", "a\n", preDollarEndOnly));

    TPerlRegEx lazy;
    lazy.setOptions(preUnGreedy);
    lazy.setRegEx("a+");
    lazy.setSubject("baaa");
    ASSERT_TRUE(lazy.Match());
    EXPECT_EQ(lazy.MatchedText(), "a");
    EXPECT_EQ(lazy.MatchedOffset(), 1);
    lazy.setOptions({});
    ASSERT_TRUE(lazy.Match());
    EXPECT_EQ(lazy.MatchedText(), "aaa");

    // An unknown escape is an error with or without preExtra: PCRE2 never reads it as a letter.
    EXPECT_NE(compileError("\\y"), "(compiled)");
    TPerlRegEx extra;
    extra.setOptions(preExtra);
    extra.setRegEx("\\y");
    EXPECT_THROW(extra.Compile(), RegexError);
}

TEST(PerlRegEx, CompileErrorsCarryOffsetAndPcreText) {
    EXPECT_EQ(compileError("a("), "TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis");
    EXPECT_EQ(compileError(""), "TPerlRegEx.Compile() - Please specify a regular expression in RegEx first");
    EXPECT_EQ(compileError("*a").rfind("TPerlRegEx.Compile() - Error in regex at offset 0: quantifier", 0), 0u)
        << compileError("*a");
    // The error comes at the first Match even on an empty subject, which itself never matches.
    TPerlRegEx re;
    re.setRegEx("(");
    re.setSubject("");
    EXPECT_THROW(re.Match(), RegexError);
    re.setRegEx("x*");
    EXPECT_FALSE(re.Match());
}

TEST(PerlRegEx, CompiledPatternIsKeptUntilPatternOrOptionsChange) {
    TPerlRegEx re;
    re.setOptions(preCaseLess | preUnGreedy);
    re.setRegEx("ab");
    EXPECT_FALSE(re.Compiled());
    re.Compile();
    EXPECT_TRUE(re.Compiled());
    re.setRegEx(QByteArray("ab"));
    re.setOptions(preCaseLess | preUnGreedy);
    EXPECT_TRUE(re.Compiled());
    re.setRegEx("ab.");
    EXPECT_FALSE(re.Compiled());
    re.Compile();
    re.setOptions(preCaseLess);
    EXPECT_FALSE(re.Compiled());
    // A pattern differing only past an embedded NUL byte is still another pattern.
    re.setRegEx(QByteArrayView("ab\0c", 4));
    re.Compile();
    re.setRegEx(QByteArrayView("ab\0d", 4));
    EXPECT_FALSE(re.Compiled());
}

TEST(PerlRegEx, EmptyMatchesNeverCountAndMatchedTextIsTheWholeMatch) {
    EXPECT_FALSE(matches("x*", "abc"));
    TPerlRegEx re;
    re.setRegEx("x*");
    re.setSubject("abxxc");
    ASSERT_TRUE(re.Match());
    EXPECT_EQ(re.MatchedText(), "xx");
    EXPECT_EQ(re.MatchedOffset(), 2);
    EXPECT_EQ(re.GroupCount(), 0);

    re.setRegEx("(b)(x+)");
    ASSERT_TRUE(re.Match());
    EXPECT_EQ(re.MatchedText(), "bxx");
    EXPECT_EQ(re.GroupCount(), 2);
    // A new subject forgets the old match instead of slicing the new bytes with old offsets.
    re.setSubject("q");
    EXPECT_TRUE(re.MatchedText().isEmpty());
}

TEST(PerlRegEx, MoreGroupsThanOffsetPairsIsNoSuccess) {
    // 100 capture groups need 101 pairs; with 100 PCRE2 reports the match with a count of 0.
    const QByteArray pattern = QByteArray("(a)").repeated(100);
    const QByteArray subject = QByteArray("a").repeated(100);
    EXPECT_FALSE(matches(pattern, subject));
    EXPECT_TRUE(matches(QByteArray("(a)").repeated(99), subject));
}

TEST(PerlRegEx, RunawayBacktrackingEndsInAnErrorNotAHang) {
    // '(a+)+b' against a long run of 'a' without a 'b' after it backtracks exponentially.
    const QByteArray subject = QByteArray("a").repeated(64) + "!\nb";
    QElapsedTimer timer;
    timer.start();
    TPerlRegEx re;
    re.setOptions(preCaseLess | preUnGreedy);
    re.setRegEx("(a+)+b");
    re.setSubject(subject);
    try {
        re.Match();
        FAIL() << "a runaway match must raise";
    } catch (const RegexError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("TPerlRegEx.Match() - Error while matching: ", 0), 0u) << e.what();
    }
    EXPECT_LT(timer.elapsed(), 20000);
    timer.restart();

    // Lower limits give up sooner, and the object stays usable afterwards.
    re.setMatchLimits({1000, 1000, 1000, 1024});
    EXPECT_THROW(re.Match(), RegexError);
    re.setSubject("aab");
    EXPECT_TRUE(re.Match());
    EXPECT_EQ(re.MatchedText(), "aab");
}

TEST(PerlRegEx, CaselessByteMapIsSymmetricAndKnowsAsciiCase) {
    const auto& other = TPerlRegEx::otherCase();
    EXPECT_EQ(other['a'], 'A');
    EXPECT_EQ(other['Z'], 'z');
    EXPECT_EQ(other[';'], ';');
    EXPECT_EQ(other['&'], '&');
    EXPECT_EQ(other[0xC6], 0xE6); // Æ æ
    EXPECT_EQ(other[0x9A], 0x8A); // š Š
    // Every pair agrees with what a caseless pattern of that byte matches.
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<char>(b);
        const auto flipped = static_cast<char>(other[static_cast<std::size_t>(b)]);
        EXPECT_EQ(other[other[static_cast<std::size_t>(b)]], b);
        if (byte == '\\' || byte == '\n' || QByteArrayView(".^$|()[]{}*+?#").contains(byte)) continue;
        EXPECT_TRUE(matches(QByteArrayView(&byte, 1), QByteArrayView(&flipped, 1), preCaseLess)) << b;
    }
}
