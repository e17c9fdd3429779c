// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "text/EntryIndex.h"

namespace wordhoard::cli {

// One line per entry in file order: "START<TAB>HEADWORD", or {"start":S,"headword":"..."}.
int runHeadwords(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const EntryIndex& index = dictionary.index();
    for (qsizetype i = 0; i < index.size(); ++i) {
        const auto start = static_cast<long long>(index.offsets[static_cast<std::size_t>(i)]);
        if (inv.json) {
            out << "{\"start\":" << start << ",\"headword\":";
            out.json(index.headword(i)) << "}\n";
        } else {
            out << start << "\t" << index.headword(i) << "\n";
        }
    }
    return index.empty() ? kNothingFound : kOk;
}

} // namespace wordhoard::cli
