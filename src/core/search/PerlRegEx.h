// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFlags>

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace wordhoard {

// An invalid pattern, or a match that PCRE2 gave up on; what() is the message the user sees.
class RegexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A pattern PCRE2 did not compile, with the offset where it stopped and its reason:
//   "TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis"
class RegexCompileError : public RegexError {
public:
    RegexCompileError(qsizetype offset, const std::string& reason);
    qsizetype offset() const { return m_offset; }
    const std::string& reason() const { return m_reason; }

private:
    qsizetype m_offset;
    std::string m_reason;
};

// The compile options of TPerlRegEx. The values are the classic PCRE option bits the dictionary
// viewer has always used; each maps to its PCRE2 counterpart when the pattern is compiled.
enum TPerlRegExOption : unsigned {
    preCaseLess = 0x001,      // PCRE2_CASELESS
    preMultiLine = 0x002,     // PCRE2_MULTILINE
    preSingleLine = 0x004,    // PCRE2_DOTALL
    preExtended = 0x008,      // PCRE2_EXTENDED
    preAnchored = 0x010,      // PCRE2_ANCHORED
    preDollarEndOnly = 0x020, // PCRE2_DOLLAR_ENDONLY
    // Classic PCRE's EXTRA made an unknown escape such as "\y" an error instead of a literal 'y'.
    // PCRE2 always treats unknown escapes as errors, so the flag is kept but needs no PCRE2 bit.
    preExtra = 0x040,
    preUnGreedy = 0x200, // PCRE2_UNGREEDY
};
Q_DECLARE_FLAGS(TPerlRegExOptions, TPerlRegExOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPerlRegExOptions)

// How far one match may go before PCRE2 gives up with an error instead of hanging the viewer.
// Measured on '(a+)+b', '(a|a)+b', '(.*)*x' against 64 bytes that almost match: the JIT spends
// 0.5 to 1.1 s on 500 million steps, the interpreter 0.2 s on 20 million. A JIT step can cost
// far more: 'a*a*a*a*a*q' over 400 bytes of 'a' spends 13 s on 500 million of them and under
// a second on 10 million, so both step limits are 10 million.
struct MatchLimits {
    std::uint32_t jitMatchLimit = 10'000'000;
    std::uint32_t matchLimit = 10'000'000; // when the pattern runs without JIT
    std::uint32_t depthLimit = 1'000'000;
    std::uint32_t heapLimitKiB = 256 * 1024;
    // The step limits bound one start position, and an entry of a megabyte has a million of them:
    // 'a{0,10000}c' over a megabyte of 'a' stays under every step limit and takes 15 s, and the
    // JIT does not count every step ('a*a*a*a*a*q' over 100 KB of 'a' runs for minutes). So on a
    // subject longer than clockedSubjectBytes the clock is read as the match goes, and a match
    // running longer than timeLimitMs fails (0: no limit). Reading it on every subject would make
    // common searches several times slower.
    std::uint32_t timeLimitMs = 2000;
    std::uint32_t clockedSubjectBytes = 256 * 1024;
};

// A regular expression over 8-bit text, PCRE2 underneath.
//
// The pattern is compiled on demand (at Compile or the first Match after it was set) with the
// options and the fixed Windows-1252 character tables (CharacterTables.h: the same classes and
// case pairs in every locale), and discarded whenever pattern or options change.
// Patterns and subjects are bytes: no UTF mode. Errors are raised as RegexError:
//   setRegEx("a("); Match()  throws "TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis"
class TPerlRegEx {
public:
    TPerlRegEx();
    ~TPerlRegEx();
    TPerlRegEx(const TPerlRegEx&) = delete;
    TPerlRegEx& operator=(const TPerlRegEx&) = delete;

    TPerlRegExOptions Options() const { return m_options; }
    // A different set discards the compiled pattern; the same set changes nothing.
    void setOptions(TPerlRegExOptions options);

    const QByteArray& RegEx() const { return m_regEx; }
    // Byte comparison with the stored pattern: an equal text keeps the compiled pattern.
    void setRegEx(QByteArrayView pattern);

    QByteArrayView Subject() const { return m_subject; }
    // Not copied: the bytes must stay valid until the next setSubject or until the matched text
    // of the last match has been read.
    void setSubject(QByteArrayView subject) {
        m_subject = subject;
        m_count = 0;
    }

    // Decides at a numbered callout "(?Cn)" of the pattern (1 <= n < 255) whether the match may go
    // on from `position`, the subject offset the pattern has reached; false makes that path fail
    // there, and the match goes on with the next one.
    using CalloutCheck = bool (*)(void* data, std::uint32_t number, qsizetype position);
    // Consulted by every later Match until replaced (null: callouts are passed over).
    void setCalloutCheck(CalloutCheck check, void* data) {
        m_calloutCheck = check;
        m_calloutData = data;
    }

    const MatchLimits& matchLimits() const { return m_limits; }
    void setMatchLimits(const MatchLimits& limits);

    // Compiles the pattern now unless it is compiled already. Throws RegexError.
    void Compile();
    bool Compiled() const { return m_code != nullptr; }

    // Matches over the whole subject from its first byte; an empty match never counts.
    // Compiles first when needed. An empty subject never matches. Throws RegexError when the
    // pattern is invalid or PCRE2 stops with an error (a match or depth limit, ...): such an
    // entry is neither a hit nor a miss.
    bool Match();

    // Of the last successful Match: the bytes of the whole match within the subject.
    QByteArrayView MatchedText() const;
    qsizetype MatchedOffset() const { return m_matchStart; }
    // Capture groups set by the last successful match (the whole match not counted).
    int GroupCount() const { return m_count - 1; }

    // The byte a caseless pattern byte matches besides itself, from the character tables every
    // TPerlRegEx compiles with: 'a' gives 'A', 0x8A 'Š' gives 0x9A 'š', ';' and 0xDF 'ß' give
    // themselves. The pairs are symmetric: otherCase()[otherCase()[b]] == b.
    static const std::array<unsigned char, 256>& otherCase();

private:
    struct Code;
    struct MatchData;
    struct MatchContext;
    struct JitStack;

    void discard();
    void ensureMatchContext();

    TPerlRegExOptions m_options;
    QByteArray m_regEx;
    QByteArrayView m_subject;
    MatchLimits m_limits;

    std::unique_ptr<Code> m_code;
    // The pattern with clock-reading callouts, for long subjects; holds null when that
    // compilation failed.
    std::unique_ptr<Code> m_timedCode;
    bool m_jit = false;
    std::unique_ptr<MatchData> m_matchData;
    std::unique_ptr<JitStack> m_jitStack;
    std::unique_ptr<MatchContext> m_matchContext;
    bool m_contextForJit = false;

    CalloutCheck m_calloutCheck = nullptr;
    void* m_calloutData = nullptr;

    int m_count = 0;
    qsizetype m_matchStart = 0;
    qsizetype m_matchEnd = 0;
};

} // namespace wordhoard
