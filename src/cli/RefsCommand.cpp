// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "language/LinkIndex.h"

namespace wordhoard::cli {

// The entries whose links lead to the entry at START, in file order: "FROM<TAB>HEADWORD", or
// {"from":F,"headword":"..."}. Exit 1 when there is none.
int runRefs(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const std::optional<std::int32_t> start = entryStartArgument(inv.args.at(0), "refs", dictionary);
    if (!start) return kUsageOrOpenError;
    const std::span<const std::int32_t> referrers = dictionary.links().referrers(*start);
    for (const std::int32_t from : referrers) {
        const QString headword = headwordOf(dictionary, from);
        if (inv.json) {
            out << "{\"from\":" << static_cast<long long>(from) << ",\"headword\":";
            out.json(headword) << "}\n";
        } else {
            out << static_cast<long long>(from) << "\t" << QStringView(headword) << "\n";
        }
    }
    return referrers.empty() ? kNothingFound : kOk;
}

} // namespace wordhoard::cli
