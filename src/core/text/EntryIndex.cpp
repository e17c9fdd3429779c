// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntryIndex.h"

#include "text/EntityDecoding.h"
#include "text/MapTextfile.h"

#include <algorithm>
#include <cstring>

namespace wordhoard {

QByteArrayView EntryIndex::raw(qsizetype i) const {
    const qsizetype begin = i == 0 ? 0 : m_ends[static_cast<std::size_t>(i - 1)];
    return QByteArrayView(m_raw).sliced(begin, m_ends[static_cast<std::size_t>(i)] - begin);
}

QString EntryIndex::headword(qsizetype i) const {
    return decodeEntityBytes(raw(i));
}

void EntryIndex::reserve(qsizetype entries, qsizetype rawBytes) {
    offsets.reserve(static_cast<std::size_t>(entries));
    m_ends.reserve(static_cast<std::size_t>(entries));
    m_raw.reserve(rawBytes);
}

void EntryIndex::append(const EntryIndex& other, qsizetype first) {
    if (first >= other.size()) return;
    const qsizetype rawBegin = first == 0 ? 0 : other.m_ends[static_cast<std::size_t>(first - 1)];
    const qsizetype shift = m_raw.size() - rawBegin;
    offsets.insert(offsets.end(), other.offsets.begin() + first, other.offsets.end());
    m_raw.append(QByteArrayView(other.m_raw).sliced(rawBegin));
    for (auto it = other.m_ends.begin() + first; it != other.m_ends.end(); ++it) m_ends.push_back(*it + shift);
}

void EntryIndex::append(std::int32_t start, QByteArrayView rawHeadword) {
    offsets.push_back(start);
    m_raw.append(rawHeadword);
    m_ends.push_back(m_raw.size());
}

QByteArrayView rawHeadword(const TMapTextfile& text, std::int32_t start) {
    const QByteArrayView all = text.bytes();
    if (start < 0 || start >= all.size()) return {};
    const QByteArrayView rest = all.sliced(start);
    const qsizetype lt = rest.indexOf('<');
    return lt < 0 ? rest : rest.first(lt);
}

void EntryIndexBuilder::feed(QByteArrayView piece) {
    consume(piece, false);
}

qsizetype EntryIndexBuilder::feedUntilSeeking(QByteArrayView piece) {
    return consume(piece, true);
}

qsizetype EntryIndexBuilder::consume(QByteArrayView piece, bool untilSeeking) {
    const char* const data = piece.data();
    const qsizetype size = piece.size();
    qsizetype pos = 0;
    while (pos < size) {
        if (m_state == State::Seeking) {
            if (untilSeeking) {
                m_fed += pos;
                return pos;
            }
            const void* hash = std::memchr(data + pos, '#', static_cast<std::size_t>(size - pos));
            if (hash == nullptr) break;
            const qsizetype at = static_cast<const char*>(hash) - data;
            m_start = static_cast<std::int32_t>(m_fed + at + 4);
            m_skip = 3;
            m_state = State::Skipping;
            pos = at + 1;
        }
        if (m_state == State::Skipping) {
            const qsizetype skipped = std::min<qsizetype>(m_skip, size - pos);
            pos += skipped;
            m_skip -= static_cast<int>(skipped);
            if (m_skip > 0) break;
            m_state = State::InHeadword;
        }
        const void* lt = std::memchr(data + pos, '<', static_cast<std::size_t>(size - pos));
        if (lt == nullptr) {
            m_partial.append(data + pos, size - pos);
            break;
        }
        const qsizetype end = static_cast<const char*>(lt) - data;
        if (m_partial.isEmpty()) {
            m_index.append(m_start, QByteArrayView(data + pos, end - pos));
        } else {
            m_partial.append(data + pos, end - pos);
            m_index.append(m_start, m_partial);
            m_partial.clear();
        }
        // The next '#' is looked for from the '<'.
        pos = end;
        m_state = State::Seeking;
    }
    m_fed += size;
    return size;
}

bool EntryIndexBuilder::wasSeekingAt(qint64 at) const {
    // An entry still open at the end, whose '#' came before `at`.
    if (m_state != State::Seeking && m_start - 4 < at) return false;
    // Else the last entry whose '#' came before `at` must have ended by then.
    const auto& starts = m_index.offsets;
    const auto after = std::lower_bound(starts.begin(), starts.end(), at + 4);
    if (after == starts.begin()) return true;
    const qsizetype last = (after - starts.begin()) - 1;
    return starts[static_cast<std::size_t>(last)] + m_index.raw(last).size() <= at;
}

void EntryIndexBuilder::absorb(EntryIndexBuilder&& part, qint64 from) {
    const auto& starts = part.m_index.offsets;
    m_index.append(part.m_index, std::lower_bound(starts.begin(), starts.end(), from + 4) - starts.begin());
    m_state = part.m_state;
    m_skip = part.m_skip;
    m_start = part.m_start;
    m_partial = std::move(part.m_partial);
    m_fed = part.m_fed;
}

EntryIndex EntryIndexBuilder::finish() {
    // A headword cut short by the end of the text (or a '#' in the last four bytes, whose
    // headword would start at or past the end) still makes an entry.
    if (m_state != State::Seeking) m_index.append(m_start, m_partial);
    EntryIndex index = std::move(m_index);
    *this = EntryIndexBuilder();
    return index;
}

EntryIndex joinParts(std::vector<IndexedPart>& parts, QByteArrayView text) {
    EntryIndexBuilder whole;
    qsizetype entries = 0;
    qsizetype rawBytes = 0;
    for (const IndexedPart& part : parts) {
        entries += part.builder.entries().size();
        rawBytes += part.builder.entries().rawSize();
    }
    whole.reserve(entries, rawBytes);
    qint64 pos = 0; // the whole index has read the text before pos
    for (IndexedPart& part : parts) {
        if (!whole.seeking()) pos += whole.feedUntilSeeking(text.sliced(pos)); // close the open entry
        if (pos >= part.end) continue; // the entry runs on past this part
        if (part.builder.wasSeekingAt(pos)) {
            // From pos on the part read the text as the whole does.
            whole.absorb(std::move(part.builder), pos);
        } else {
            // It took a '#' inside the open entry for an entry of its own: read it again.
            whole.feed(text.sliced(pos, part.end - pos));
        }
        pos = part.end;
    }
    return whole.finish();
}

EntryIndex buildEntryIndex(const TMapTextfile& text) {
    EntryIndexBuilder builder;
    builder.feed(text.bytes());
    return builder.finish();
}

std::int32_t entryLastByte(const TMapTextfile& text, std::int32_t start) {
    const QByteArrayView all = text.bytes();
    const qsizetype from = static_cast<qsizetype>(start) + 1;
    if (from >= all.size()) return static_cast<std::int32_t>(all.size() - 1);
    const qsizetype hash = all.indexOf('#', from);
    return static_cast<std::int32_t>((hash < 0 ? all.size() : hash) - 1);
}

QByteArrayView pageNameAt(QByteArrayView text, qsizetype marker) {
    return text.sliced(marker + 1).first(std::min(kPageNameLength, text.size() - marker - 1));
}

QByteArray pageNameBefore(const TMapTextfile& text, std::int32_t hashOffset) {
    const QByteArrayView all = text.bytes();
    if (hashOffset <= 0 || all.isEmpty()) return {};
    const qsizetype at = all.first(std::min<qsizetype>(hashOffset, all.size())).lastIndexOf('@');
    if (at < 0) return {};
    return pageNameAt(all, at).toByteArray();
}

} // namespace wordhoard
