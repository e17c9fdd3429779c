#include "HeadwordLookup.h"

#include "EntryIndex.h"

#include <algorithm>

namespace wordhoard {

HeadwordLookup::HeadwordLookup(LineFn line, qsizetype count, const QLocale& locale) : m_collator(locale) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<qsizetype> ends;
    ends.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        m_text += line(i);
        ends.push_back(m_text.size());
    }
    m_lines.reserve(static_cast<std::size_t>(count));
    m_sharedWithPrevious.reserve(static_cast<std::size_t>(count));
    QStringView previous;
    for (qsizetype i = 0, begin = 0; i < count; begin = ends[static_cast<std::size_t>(i)], ++i) {
        const QStringView current = QStringView(m_text).sliced(begin, ends[static_cast<std::size_t>(i)] - begin);
        const qsizetype limit = std::min(current.size(), previous.size());
        qsizetype shared = 0;
        while (shared < limit && current[shared] == previous[shared]) ++shared;
        m_lines.push_back(current);
        m_sharedWithPrevious.push_back(static_cast<std::int32_t>(shared));
        previous = current;
    }
}

HeadwordLookup::HeadwordLookup(const EntryIndex& index, const QLocale& locale)
    : HeadwordLookup([&index](qsizetype i) { return index.headword(i); }, index.size(), locale) {}

LookupResult HeadwordLookup::find(QStringView typed) const {
    if (typed.isEmpty()) return {LookupResult::Kind::ClearSelection, -1};
    const qsizetype n = typed.size();
    const std::size_t count = m_lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const QStringView line = m_lines[i];
        if (line.size() < n) continue;
        // Same first n units as line i - 1 (which was long enough, and so not equal).
        if (m_sharedWithPrevious[i] >= n) continue;
        if (m_collator.compare(line.first(n), typed) == 0) return {LookupResult::Kind::Line, static_cast<qsizetype>(i)};
    }
    return {LookupResult::Kind::NoMatch, -1};
}

} // namespace wordhoard
