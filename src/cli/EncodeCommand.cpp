// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "search/SearchTerm.h"

namespace wordhoard::cli {

// The two patterns a typed TERM becomes, "entity<TAB>P1" and "letter<TAB>P2":
//   hwæt?  gives  entity  hw&aelig;t&.*;   and  letter  hw&aelig;t.
// Needs no dictionary.
int runEncode(const Invocation& inv, const Dictionary& /*dictionary*/, Output& out) {
    const SearchPatterns patterns = encodeSearchTerm(inv.args.at(0));
    if (inv.json) {
        out << "{\"entity\":";
        out.json(patterns.entityWildcard) << ",\"letter\":";
        out.json(patterns.letterWildcard) << "}\n";
    } else {
        out << "entity\t" << patterns.entityWildcard << "\nletter\t" << patterns.letterWildcard << "\n";
    }
    return kOk;
}

} // namespace wordhoard::cli
