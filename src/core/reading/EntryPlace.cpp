// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading/EntryPlace.h"

#include "text/EntryIndex.h"

#include <algorithm>
#include <cstdlib>

namespace wordhoard {

std::optional<EntryPlace> placeOf(const EntryIndex& index, std::int32_t start) {
    const auto& starts = index.offsets;
    const auto at = std::lower_bound(starts.begin(), starts.end(), start);
    if (at == starts.end() || *at != start) return std::nullopt;
    return EntryPlace{start, index.raw(at - starts.begin()).toByteArray()};
}

std::optional<std::int32_t> EntryFinder::find(const EntryPlace& place) const {
    const auto& starts = m_index.offsets;
    const auto at = std::lower_bound(starts.begin(), starts.end(), place.start);
    if (at != starts.end() && *at == place.start && m_index.raw(at - starts.begin()) == place.headword) {
        return place.start;
    }
    if (m_byHeadword.isEmpty()) {
        m_byHeadword.reserve(m_index.size());
        for (qsizetype i = 0; i < m_index.size(); ++i) {
            m_byHeadword[m_index.raw(i).toByteArray()].push_back(starts[static_cast<std::size_t>(i)]);
        }
    }
    const auto found = m_byHeadword.constFind(place.headword);
    if (found == m_byHeadword.cend()) return std::nullopt;
    return *std::min_element(found->begin(), found->end(), [&](std::int32_t a, std::int32_t b) {
        return std::abs(qint64{a} - place.start) < std::abs(qint64{b} - place.start);
    });
}

} // namespace wordhoard
