// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reading/EntryPlace.h"
#include "reading/History.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace wordhoard {

class EntryIndex;

// A history as it outlasts a run: each visit's place in the text it was made in (so that the
// visit is found again when the text changed), its list, and the visit the cursor stands on.
struct PlacedHistory {
    struct Step {
        EntryPlace place;
        int list = 0;
        bool operator==(const Step&) const = default;
    };
    std::vector<Step> steps; // oldest first
    std::size_t cursor = 0;
    bool operator==(const PlacedHistory&) const = default;
};

// The places of `history`'s visits in the text they were made in, by its index (a visit where no
// entry starts keeps an empty headword, and is dropped when found again).
PlacedHistory placeHistory(const History& history, const EntryIndex& index);

// The history in the text that `finder` searches: each visit where its entry is now, the visits
// whose headword is gone dropped, the cursor kept as History::remap keeps it.
History findHistory(const PlacedHistory& placed, const EntryFinder& finder);

// As the settings keep it: the cursor on the first line, then one visit a line, its start, list
// and percent-encoded headword split by tabs:
//   "1\n40\t0\tcyning\n61\t1\td%26aelig%3Bd\n"   (two visits, the cursor on "d&aelig;d")
QString encodeHistory(const PlacedHistory& placed);
// Lines it can't read are left out and counted in `skipped`; a cursor past the end stands on the
// last visit.
PlacedHistory decodeHistory(QStringView encoded, int* skipped = nullptr);

} // namespace wordhoard
