// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The full-text pass over an arbitrary text with an arbitrary term, under tight PCRE2 limits so
// every run is bounded: hits must be entry starts in text order, and the literal that the
// pre-check demands must be present wherever the pattern matches.
#include "FuzzSupport.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "search/FullTextSearch.h"
#include "text/MapTextfile.h"
#include "search/SearchTerm.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

namespace {

MatchLimits fuzzLimits() {
    MatchLimits limits;
    limits.jitMatchLimit = 200'000;
    limits.matchLimit = 200'000;
    limits.depthLimit = 2'000;
    limits.heapLimitKiB = 16 * 1024;
    return limits;
}

void checkPass(const TMapTextfile& text, const SearchOutcome& outcome) {
    const QByteArrayView all = text.bytes();
    std::int32_t previous = -1;
    for (const SearchHit& hit : outcome.hits) {
        check(hit.start > previous, "hits of one pass out of text order");
        check(hit.start >= 4 && hit.start <= all.size() && all[hit.start - 4] == '#', "a hit is no entry start");
        check(hit.headword == decodeEntityBytes(rawHeadword(text, hit.start)), "hit headword differs");
        previous = hit.start;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    const std::uint8_t options = in.byte();
    // The term is typed text: Windows-1252 bytes widened, so '?' and entities are easy to reach.
    const QString term = widen(in.take(in.byte() % 48));
    const QByteArrayView body = in.rest();
    TMapTextfile text;
    if (text.OpenBytes(body) != 0) return 0;

    TPerlRegEx regex;
    regex.setMatchLimits(fuzzLimits());
    regex.setOptions(preCaseLess | preUnGreedy);
    SearchRequest request(text, term, regex);
    for (const QString& pattern : request.passes()) {
        const SearchOutcome pass = request.runPass(pattern);
        checkPass(text, pass);
        if (pass.stopped()) break;
    }
    const SearchPatterns patterns = encodeSearchTerm(term);

    // The required literal is only a shortcut: whenever the pattern matches a text, that text
    // holds the literal. Checked on the whole body with the options the input picks.
    const std::optional<QByteArray> pattern = narrow(patterns.letterWildcard);
    if (!pattern || pattern->isEmpty() || pattern->contains('\0')) return 0;
    TPerlRegEx probe;
    probe.setMatchLimits(fuzzLimits());
    // The low seven bits are the option bits as they are; the top bit stands for preUnGreedy.
    const TPerlRegExOptions opts = TPerlRegExOptions::fromInt((options & 0x7Fu) | ((options & 0x80u) << 2));
    probe.setOptions(opts);
    probe.setRegEx(*pattern);
    probe.setSubject(body);
    // The same pattern compiled with the clock's callouts, as long subjects are matched: it must
    // find the very same match.
    TPerlRegEx clocked;
    MatchLimits clockedLimits = fuzzLimits();
    clockedLimits.timeLimitMs = 60'000;
    clockedLimits.clockedSubjectBytes = 0;
    clocked.setMatchLimits(clockedLimits);
    clocked.setOptions(opts);
    clocked.setRegEx(*pattern);
    clocked.setSubject(body);
    try {
        const bool matched = probe.Match();
        if (matched) {
            if (const auto literal = requiredLiteral(*pattern, opts))
                check(containsLiteral(body, *literal, opts), "a match lacks the literal the pre-check demands");
        }
        try {
            const bool clockedMatched = clocked.Match();
            check(clockedMatched == matched, "the clocked compilation matches differently");
            if (matched) {
                check(clocked.MatchedOffset() == probe.MatchedOffset() &&
                          clocked.MatchedText().size() == probe.MatchedText().size() &&
                          clocked.GroupCount() == probe.GroupCount(),
                      "the clocked compilation finds another match");
            }
        } catch (const RegexError&) {
            // the callouts change how steps are counted: one may reach a limit the other does not
        }
    } catch (const RegexError&) {
        // an invalid pattern or a limit reached: nothing to compare
    }
    return 0;
}
