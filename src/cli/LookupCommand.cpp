// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "text/EntryIndex.h"
#include "search/HeadwordLookup.h"

namespace wordhoard::cli {

// The word-list line that typing TEXT selects: "INDEX<TAB>START<TAB>HEADWORD", compared under
// the user's locale ignoring case (with --loose: folded, Folding.h). Exit 1 when no line begins
// with TEXT (or TEXT is empty).
int runLookup(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const EntryIndex& index = dictionary.index();
    const HeadwordLookup& lookup =
        dictionary.lookup(inv.loose ? HeadwordLookup::Matching::Loose : HeadwordLookup::Matching::Locale);
    const LookupResult result = lookup.find(inv.args.at(0));
    if (result.kind != LookupResult::Kind::Line) return kNothingFound;
    const auto start = static_cast<long long>(index.offsets[static_cast<std::size_t>(result.line)]);
    if (inv.json) {
        out << "{\"index\":" << static_cast<long long>(result.line) << ",\"start\":" << start << ",\"headword\":";
        out.json(index.headword(result.line)) << "}\n";
    } else {
        out << static_cast<long long>(result.line) << "\t" << start << "\t" << index.headword(result.line) << "\n";
    }
    return kOk;
}

} // namespace wordhoard::cli
