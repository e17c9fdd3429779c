// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading/History.h"

namespace wordhoard {

void History::record(Visit visit) {
    if (current() == visit) return;
    if (!m_visits.empty()) m_visits.erase(m_visits.begin() + static_cast<std::ptrdiff_t>(m_cursor) + 1, m_visits.end());
    m_visits.push_back(visit);
    if (m_visits.size() > m_steps + 1) m_visits.pop_front();
    m_cursor = m_visits.size() - 1;
}

std::optional<Visit> History::back() {
    if (!canGoBack()) return std::nullopt;
    return m_visits[--m_cursor];
}

std::optional<Visit> History::forward() {
    if (!canGoForward()) return std::nullopt;
    return m_visits[++m_cursor];
}

std::optional<Visit> History::current() const {
    if (m_visits.empty()) return std::nullopt;
    return m_visits[m_cursor];
}

void History::remap(const std::function<std::optional<Visit>(const Visit&)>& map) {
    std::deque<Visit> kept;
    std::size_t cursor = 0;
    for (std::size_t i = 0; i < m_visits.size(); ++i) {
        const std::optional<Visit> mapped = map(m_visits[i]);
        if (mapped && (kept.empty() || kept.back() != *mapped)) kept.push_back(*mapped);
        if (i == m_cursor) cursor = kept.empty() ? 0 : kept.size() - 1;
    }
    m_visits = std::move(kept);
    m_cursor = cursor;
}

void History::clear() {
    m_visits.clear();
    m_cursor = 0;
}

} // namespace wordhoard
