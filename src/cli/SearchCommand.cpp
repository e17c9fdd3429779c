// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "search/FullTextSearch.h"
#include "Messages.h"
#include "display/Snippet.h"

#include <cstdio>

namespace wordhoard::cli {

// The hit list of a full-text search for TERM, both passes, in hit-list order:
// "START<TAB>HEADWORD" per hit, and with --context "<TAB>SNIPPET" (the hit list's snippet, which
// holds no tab or line break). Exit 1 when nothing is found; an invalid pattern (or a match PCRE2
// gives up on) prints the hits found before it, then the error, and exits 2.
int runSearch(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const TMapTextfile& text = dictionary.text();
    const SearchOutcome outcome =
        runFullTextSearch(text, inv.args.at(0), {}, inv.loose ? &dictionary.looseIndex() : nullptr);
    for (const SearchHit& hit : outcome.hits) {
        const Snippet snippet =
            inv.context ? makeSnippet(text, hit.start, hit.matchOffset, hit.matchLength) : Snippet{};
        if (inv.json) {
            out << "{\"start\":" << static_cast<long long>(hit.start) << ",\"headword\":";
            out.json(hit.headword);
            if (inv.context) {
                out << ",\"snippet\":";
                out.json(snippet.text) << ",\"match\":[" << static_cast<long long>(snippet.matchPos) << ","
                                       << static_cast<long long>(snippet.matchLength) << "]";
            }
            out << "}\n";
        } else {
            out << static_cast<long long>(hit.start) << "\t" << hit.headword;
            if (inv.context) out << "\t" << snippet.text;
            out << "\n";
        }
    }
    out.flush();
    if (outcome.error) {
        std::fprintf(stderr, "%s\n", withFullStop(*outcome.error).toUtf8().constData());
        return kUsageOrOpenError;
    }
    return outcome.hits.empty() ? kNothingFound : kOk;
}

} // namespace wordhoard::cli
