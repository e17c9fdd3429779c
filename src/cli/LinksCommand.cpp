// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "language/LinkIndex.h"

namespace wordhoard::cli {

// Every cross-reference link of the dictionary in file order, or those of the entry at START:
// "FROM<TAB>POS<TAB>LEN<TAB>TEXT<TAB>TARGET<TAB>HEADWORD", or
// {"from":F,"pos":P,"len":L,"text":"...","target":T,"headword":"..."}. FROM and TARGET are entry
// starts, POS and LEN count UTF-16 units of FROM's shown text (as show --json does), TEXT is the
// linked word as shown, HEADWORD the target's. Page markers are left out. Exit 1 when there is none.
int runLinks(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const LinkIndex& links = dictionary.links();
    std::span<const LinkIndex::Link> listed = links.all();
    if (!inv.args.isEmpty()) {
        const std::optional<std::int32_t> start = entryStartArgument(inv.args.at(0), "links", dictionary);
        if (!start) return kUsageOrOpenError;
        listed = links.linksOf(*start);
    }
    bool any = false;
    for (const LinkIndex::Link& link : listed) {
        if (link.isPage()) continue;
        any = true;
        const QString headword = headwordOf(dictionary, link.target);
        if (inv.json) {
            out << "{\"from\":" << static_cast<long long>(link.from)
                << ",\"pos\":" << static_cast<long long>(link.pos)
                << ",\"len\":" << static_cast<long long>(link.len) << ",\"text\":";
            out.json(link.text) << ",\"target\":" << static_cast<long long>(link.target) << ",\"headword\":";
            out.json(headword) << "}\n";
        } else {
            out << static_cast<long long>(link.from) << "\t" << static_cast<long long>(link.pos) << "\t"
                << static_cast<long long>(link.len) << "\t" << QStringView(link.text) << "\t"
                << static_cast<long long>(link.target) << "\t" << QStringView(headword) << "\n";
        }
    }
    return any ? kOk : kNothingFound;
}

} // namespace wordhoard::cli
