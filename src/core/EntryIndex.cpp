#include "EntryIndex.h"

#include "EntityDecoding.h"
#include "MapTextfile.h"

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

void EntryIndex::clear() {
    offsets.clear();
    m_raw.clear();
    m_ends.clear();
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
    const char* const data = piece.data();
    const qsizetype size = piece.size();
    qsizetype pos = 0;
    while (pos < size) {
        if (m_state == State::Seeking) {
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
}

EntryIndex EntryIndexBuilder::finish() {
    // A headword cut short by the end of the text (or a '#' in the last four bytes, whose
    // headword would start at or past the end) still makes an entry.
    if (m_state != State::Seeking) m_index.append(m_start, m_partial);
    EntryIndex index = std::move(m_index);
    *this = EntryIndexBuilder();
    return index;
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

QByteArray pageNameBefore(const TMapTextfile& text, std::int32_t hashOffset) {
    const QByteArrayView all = text.bytes();
    if (hashOffset <= 0 || all.isEmpty()) return {};
    const qsizetype at = all.first(std::min<qsizetype>(hashOffset, all.size())).lastIndexOf('@');
    if (at < 0) return {};
    return all.sliced(at + 1).first(std::min<qsizetype>(8, all.size() - at - 1)).toByteArray();
}

} // namespace wordhoard
