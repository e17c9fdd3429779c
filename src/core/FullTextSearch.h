#pragma once

#include "PerlRegEx.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace wordhoard {

class TMapTextfile;

// One line of the hit list: where the entry's headword starts (its '#' plus 4) and the headword
// decoded as the word list shows it.
struct SearchHit {
    std::int32_t start = 0;
    QString headword;
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

// One pass of one pattern over the whole text, appending its hits to outcome.hits in text order.
//
// The pattern becomes 8-bit text through Windows-1252; a unit with no byte there means nothing
// can match and the pass finds nothing. Candidates come from the literal pre-filter
// (FindWild, stop '*', wildcard '.'); each candidate's entry (from its '#' + 4 up to the next '#')
// is matched once by `term`, with the options it carries. A match is a hit unless the matched
// text matches ". ." (a character, a space, a character): hits never run across a space.
// The next candidate is looked for from the end of the entry just seen. A candidate before the
// first '#' belongs to no entry and is no hit.
//
// `term` is compiled at the first candidate, so an invalid pattern is reported only when its
// text occurs somewhere; `spaceTest` gets term's options and ". ."; both stay compiled across
// entries. Errors are caught and stored in outcome.error. `scannedBefore`/`totalScan` place
// this pass within a longer request for the progress callback.
void searchPass(const TMapTextfile& text, QStringView pattern, TPerlRegEx& term, TPerlRegEx& spaceTest,
                SearchOutcome& outcome, const SearchProgress& progress = {}, std::int64_t scannedBefore = 0,
                std::int64_t totalScan = -1);

// One search request for a typed term: the entity-wildcard pass, then the letter-wildcard pass
// when the term holds a '?' and the first pass neither failed nor was cancelled. Matching is
// caseless and ungreedy.
SearchOutcome runFullTextSearch(const TMapTextfile& text, QStringView term, const SearchProgress& progress = {});

// A run of bytes that every match of `pattern` (compiled with `options`) must contain, found by
// a conservative reading of the pattern: literal bytes at the top level, outside any group,
// class, alternation or escape, and not under a quantifier. Nothing when in doubt.
//   "&.*;ing" gives ";ing";  "ab*c" gives "a";  "a|b" and "\\d+x" give nothing.
std::optional<QByteArray> requiredLiteral(QByteArrayView pattern, TPerlRegExOptions options);

// Whether `haystack` holds `literal`, comparing bytes the way a pattern compiled with `options`
// compares literal bytes (caseless under TPerlRegEx's character tables when preCaseLess is set).
bool containsLiteral(QByteArrayView haystack, QByteArrayView literal, TPerlRegExOptions options);

} // namespace wordhoard
