// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <optional>
#include <vector>

namespace wordhoard {

class EntryIndex;

// Where an entry stood and what its headword was (as the text writes it): enough to find the
// entry again in the same text, or in the text after it changed.
struct EntryPlace {
    std::int32_t start = 0;
    QByteArray headword;
    friend bool operator==(const EntryPlace&, const EntryPlace&) = default;
};

// The place of the entry that starts at `start`, by the headword the index keeps (never by the
// text, which may have changed on disk since it was indexed); none when no entry starts there.
std::optional<EntryPlace> placeOf(const EntryIndex& index, std::int32_t start);

// Finds entries again in one text by their places:
//   the entry that still starts at place.start with that headword is that entry; else, of the
//   entries with that headword, the one whose start lies nearest to place.start (a text edited
//   before it moved it; of homographs the one that stood there); none when no entry has it.
class EntryFinder {
public:
    explicit EntryFinder(const EntryIndex& index) : m_index(index) {}
    std::optional<std::int32_t> find(const EntryPlace& place) const;

private:
    const EntryIndex& m_index;
    // Headword -> its entries' starts in file order, made when a place first needs it.
    mutable QHash<QByteArray, std::vector<std::int32_t>> m_byHeadword;
};

} // namespace wordhoard
