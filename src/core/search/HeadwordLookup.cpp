// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/HeadwordLookup.h"

#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/Folding.h"

#include <algorithm>

namespace wordhoard {

HeadwordLookup::HeadwordLookup(LineFn line, qsizetype count, const QLocale& locale, Matching matching)
    : m_collator(locale), m_matching(matching) {
    std::vector<qsizetype> ends;
    ends.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        m_text += line(i);
        ends.push_back(m_text.size());
    }
    setLines(ends);
}

HeadwordLookup::HeadwordLookup(const EntryIndex& index, const QLocale& locale, Matching matching)
    : m_collator(locale), m_matching(matching) {
    // Decoded straight into the pool, without a string per headword.
    std::vector<qsizetype> ends;
    ends.reserve(static_cast<std::size_t>(index.size()));
    m_text.reserve(index.rawSize());
    for (qsizetype i = 0; i < index.size(); ++i) {
        appendDecodedEntityBytes(m_text, index.raw(i));
        ends.push_back(m_text.size());
    }
    setLines(ends);
}

void HeadwordLookup::setLines(const std::vector<qsizetype>& ends) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    if (m_matching == Matching::Loose) {
        // Unit for unit, so the ends stay where they are.
        for (QChar& ch : m_text) ch = QChar(foldUnit(ch.unicode()));
    }
    m_lines.reserve(ends.size());
    m_sharedWithPrevious.reserve(ends.size());
    QStringView previous;
    qsizetype begin = 0;
    for (const qsizetype end : ends) {
        const QStringView current = QStringView(m_text).sliced(begin, end - begin);
        const qsizetype limit = std::min(current.size(), previous.size());
        qsizetype shared = 0;
        while (shared < limit && current[shared] == previous[shared]) ++shared;
        m_lines.push_back(current);
        m_sharedWithPrevious.push_back(static_cast<std::int32_t>(shared));
        previous = current;
        begin = end;
    }
}

LookupResult HeadwordLookup::find(QStringView typedText) const {
    if (typedText.isEmpty()) return {LookupResult::Kind::ClearSelection, -1};
    const QString folded = m_matching == Matching::Loose ? foldText(typedText) : QString();
    const QStringView typed = m_matching == Matching::Loose ? QStringView(folded) : typedText;
    if (typed.isEmpty()) return {LookupResult::Kind::NoMatch, -1}; // only marks, which folding removes
    const qsizetype n = typed.size();
    const std::size_t count = m_lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const QStringView line = m_lines[i];
        if (line.size() < n) continue;
        // Same first n units as line i - 1 (which was long enough, and so not equal).
        if (m_sharedWithPrevious[i] >= n) continue;
        const bool equal = m_matching == Matching::Loose ? line.first(n) == typed : m_collator.compare(line.first(n), typed) == 0;
        if (equal) return {LookupResult::Kind::Line, static_cast<qsizetype>(i)};
    }
    return {LookupResult::Kind::NoMatch, -1};
}

} // namespace wordhoard
