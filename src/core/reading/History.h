// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace wordhoard {

// One entry shown: its start (the headword's offset) and the list it was shown from (0 the word
// list, 1 the hit list).
struct Visit {
    std::int32_t start = 0;
    int list = 0;
    bool operator==(const Visit&) const = default;
};

// The entries shown, in order, with a cursor that Back and Forward move as a browser does:
// recording a visit after going back drops the visits ahead of the cursor. Bounded: the oldest
// visits go first.
//   record a, b, c; back() gives b; back() gives a; record d: now a, d, and forward() gives nothing
class History {
public:
    static constexpr std::size_t kSteps = 1000;

    // Keeps `steps` steps back at most (steps + 1 visits).
    explicit History(std::size_t steps = kSteps) : m_steps(steps) {}

    // The visit the cursor stands on is not recorded again (an entry shown twice in a row).
    void record(Visit visit);
    std::optional<Visit> back();
    std::optional<Visit> forward();
    bool canGoBack() const { return m_cursor > 0; }
    bool canGoForward() const { return m_cursor + 1 < m_visits.size(); }
    std::optional<Visit> current() const;
    std::size_t size() const { return m_visits.size(); }
    // Oldest first.
    const std::deque<Visit>& visits() const { return m_visits; }
    // Where in visits() the cursor stands (0 when there are none).
    std::size_t position() const { return m_cursor; }
    void clear();
    // Replaces every visit by what `map` makes of it and drops those it gives none for (entries
    // gone from a changed text); the cursor stays on its visit, or else on the nearest kept one
    // before it. Visits that become equal to the one before them merge.
    void remap(const std::function<std::optional<Visit>(const Visit&)>& map);

private:
    std::size_t m_steps;
    std::deque<Visit> m_visits;
    std::size_t m_cursor = 0; // meaningful while m_visits is not empty
};

} // namespace wordhoard
