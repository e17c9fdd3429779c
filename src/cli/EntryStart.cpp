// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace wordhoard::cli {

std::optional<std::int32_t> entryStartArgument(const QString& arg, const char* command,
                                               const Dictionary& dictionary) {
    bool ok = false;
    const qlonglong value = arg.toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<std::int32_t>::max()) {
        std::fprintf(stderr, "wordhoard-cli: %s: START must be an offset, not '%s'\n", command,
                     qPrintable(arg));
        return std::nullopt;
    }
    const auto start = static_cast<std::int32_t>(value);
    if (!isEntryStart(dictionary.index(), start)) {
        std::fprintf(stderr,
                     "wordhoard-cli: %s: %d is not the start of an entry (see the headwords command)\n",
                     command, start);
        return std::nullopt;
    }
    return start;
}

QString headwordOf(const Dictionary& dictionary, std::int32_t start) {
    const EntryIndex& index = dictionary.index();
    return index.headword(std::lower_bound(index.offsets.begin(), index.offsets.end(), start) -
                          index.offsets.begin());
}

} // namespace wordhoard::cli
