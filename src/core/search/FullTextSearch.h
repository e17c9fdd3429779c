// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/LooseSearch.h"
#include "search/PerlRegEx.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace wordhoard {

class TMapTextfile;

// One line of the hit list: where the entry's headword starts (its '#' plus 4), the headword
// decoded as the word list shows it, and where the entry's first match lies, in bytes from start.
struct SearchHit {
    std::int32_t start = 0;
    QString headword;
    std::int32_t matchOffset = 0;
    std::int32_t matchLength = 0;
};

// Told now and then how far a request has got (bytes scanned of total); returning false stops it.
using SearchProgress = std::function<bool(std::int64_t scanned, std::int64_t total)>;

// What a request (or a pass) found. An error or a cancel ends the request; the hits found
// before it stay, in hit-list order.
struct SearchOutcome {
    std::vector<SearchHit> hits;
    // The message of the error that ended the request, as PCRE2 and TPerlRegEx word it
    // ("TPerlRegEx.Compile() - Error in regex at offset 2: missing closing parenthesis").
    std::optional<QString> error;
    bool cancelled = false;

    bool stopped() const { return error.has_value() || cancelled; }
};

// The longest pattern a pass takes, in characters after encoding ("þ" counts 7, as "&thorn;"). A
// typed term is a word or a phrase; a longer pattern ends the request with an error that says so,
// before anything is compiled or scanned.
inline constexpr qsizetype kMaxSearchPatternLength = 1000;

// The message of that error: "The search term is too long: 1001 characters after encoding, at most 1000".
QString searchPatternTooLong(qsizetype length);

// The longest loose pattern a pass takes, in characters after expansion. One letter expands to
// up to 216 characters, and PCRE2 refuses a pattern that compiles to more than 64 KB (some 150
// letters); a strict pattern of 1,000 characters and loose letters up to this cap compile.
inline constexpr qsizetype kMaxLoosePatternLength = 20000;

// The message of a loose pattern over that cap: "The search term is too long for loose matching:
// its 100 characters become 21600 after expansion, at most 20000".
QString looseSearchTermTooLong(qsizetype typedLength, qsizetype expandedLength);

// One full-text search request for a typed term. The term gives one pattern per pass
// (encodeSearchTerm): the entity-wildcard pattern, then the letter-wildcard pattern when the
// term holds a '?'. A pass is one scan of the whole text:
//
// The pattern becomes 8-bit text through Windows-1252; a unit with no byte there means nothing
// can match and the pass finds nothing. Candidates come from the literal pre-filter
// (FindWild, stop '*', wildcard '.'); each candidate's entry (from its '#' + 4 up to the next '#')
// is matched once by the regular expression, with the options it carries. A match is a hit unless
// the matched text matches ". ." (a character, a space, a character): hits never run across a
// space. The next candidate is looked for from the end of the entry just seen. A candidate before
// the first '#' belongs to no entry and is no hit.
//
// The pattern is compiled at the first candidate, so an invalid pattern is reported only when its
// text occurs somewhere; the ". ." test gets the pattern's options and match limits; both stay
// compiled across entries. An error or a cancel ends the request; the hits found before it stay.
//
// With a LooseIndex of the text, the search is loose (LooseSearch.h): the term's letters match
// every spelling of a letter that folds the same, the passes and the order of hits stay those of
// the strict search, and the candidates come from the index instead of the strict pre-filter.
class SearchRequest {
public:
    // Over `text`, with `regex` (the caller's object, options and limits as set there) matching
    // the term. `progress` is told how far the whole request has got and may cancel it.
    SearchRequest(const TMapTextfile& text, QStringView term, TPerlRegEx& regex, SearchProgress progress = {},
                  const LooseIndex* loose = nullptr);

    // The patterns of the term, one pass each, in order.
    const QStringList& passes() const { return m_passes; }

    // One pass of `pattern`: its hits in text order, and its error or cancel. Any pattern may be
    // given; progress counts it as the next pass of the request.
    SearchOutcome runPass(QStringView pattern);

    // Every pass in order, the hits of each after those of the one before, until one is stopped.
    SearchOutcome run();

private:
    const TMapTextfile& m_text;
    TPerlRegEx& m_regex;
    TPerlRegEx m_spaceTest;
    SearchProgress m_progress;
    const LooseIndex* m_looseIndex;
    std::vector<LoosePass> m_loosePasses; // one per pass when loose
    QStringList m_passes;
    std::int64_t m_scannedBefore = 0;
};

// SearchRequest(text, term, a caseless ungreedy regular expression, progress, loose).run().
SearchOutcome runFullTextSearch(const TMapTextfile& text, QStringView term, const SearchProgress& progress = {},
                                const LooseIndex* loose = nullptr);

// A run of bytes that every match of `pattern` (compiled with `options`) must contain, found by
// a conservative reading of the pattern: literal bytes at the top level, outside any group,
// class, alternation or escape, and not under a quantifier. Nothing when in doubt.
//   "&.*;ing" gives ";ing";  "ab*c" gives "a";  "a|b" and "\\d+x" give nothing.
std::optional<QByteArray> requiredLiteral(QByteArrayView pattern, TPerlRegExOptions options);

// Whether `haystack` holds `literal`, comparing bytes the way a pattern compiled with `options`
// compares literal bytes (caseless under TPerlRegEx's character tables when preCaseLess is set).
bool containsLiteral(QByteArrayView haystack, QByteArrayView literal, TPerlRegExOptions options);

} // namespace wordhoard
