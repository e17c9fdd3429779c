#include "EntryIndex.h"

#include "EntityDecoding.h"
#include "MapTextfile.h"

#include <algorithm>
#include <cstring>

namespace wordhoard {

QStringView EntryIndex::headword(qsizetype i) const {
    const qsizetype begin = i == 0 ? 0 : m_ends[static_cast<std::size_t>(i - 1)];
    return QStringView(m_headwords).sliced(begin, m_ends[static_cast<std::size_t>(i)] - begin);
}

void EntryIndex::clear() {
    offsets.clear();
    m_headwords.clear();
    m_ends.clear();
}

void EntryIndex::append(std::int32_t start, QByteArrayView rawHeadword) {
    offsets.push_back(start);
    appendDecodedEntityBytes(m_headwords, rawHeadword);
    m_ends.push_back(m_headwords.size());
}

QByteArrayView rawHeadword(const TMapTextfile& text, std::int32_t start) {
    const QByteArrayView all = text.bytes();
    if (start < 0 || start >= all.size()) return {};
    const QByteArrayView rest = all.sliced(start);
    const qsizetype lt = rest.indexOf('<');
    return lt < 0 ? rest : rest.first(lt);
}

EntryIndex buildEntryIndex(const TMapTextfile& text) {
    EntryIndex index;
    const QByteArrayView all = text.bytes();
    const char* const base = all.data();
    const qsizetype size = all.size();
    qsizetype pos = 0;
    while (pos < size) {
        const void* hash = std::memchr(base + pos, '#', static_cast<std::size_t>(size - pos));
        if (hash == nullptr) break;
        const qsizetype start = static_cast<const char*>(hash) - base + 4;
        const QByteArrayView word = rawHeadword(text, static_cast<std::int32_t>(start));
        index.append(static_cast<std::int32_t>(start), word);
        pos = start + word.size();
    }
    return index;
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
