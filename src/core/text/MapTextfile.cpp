// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/MapTextfile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wordhoard {

namespace {

// How common a byte is in dictionary text, higher for rarer: FindWild looks for its pattern's two
// rarest bytes first. Only the speed depends on this guess, never the answer.
const std::array<unsigned char, 256>& byteRarity() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> r{};
        r.fill(255);
        // Most common first: spaces, tag and entity punctuation, then letters by frequency.
        static constexpr char kCommon[] = " e<>/itaonsrhldb;&cumfgpwy,.\r\n-:ASTECIkvxzj0123456789qBHWDMFPGLNROU";
        for (std::size_t i = 0; i + 1 < sizeof kCommon; ++i) {
            r[static_cast<unsigned char>(kCommon[i])] = static_cast<unsigned char>(i + 1);
        }
        return r;
    }();
    return table;
}

} // namespace

TMapTextfile::TMapTextfile() = default;

TMapTextfile::~TMapTextfile() {
    if (m_opened) Close();
}

std::int32_t TMapTextfile::Open(const QString& fileName, bool writable, FileApi api) {
    QString error;
    // Offsets are 32-bit signed: a file of 2 GiB or more can't be addressed whole.
    std::unique_ptr<MappedFile> mapping =
        mapFile(fileName, writable, std::numeric_limits<std::int32_t>::max(), api, error);
    return Open(std::move(mapping), error);
}

std::int32_t TMapTextfile::Open(std::unique_ptr<MappedFile> mapping, const QString& reason) {
    Close();
    m_error = reason;
    if (!mapping) return -1;
    m_error.clear();
    m_mapping = std::move(mapping);
    m_openedState = m_mapping->state();
    m_size = static_cast<std::int32_t>(m_mapping->size());
    m_base = m_mapping->data();
    m_current = m_base;
    m_cursor = 0;
    m_opened = true;
    return 0;
}

bool TMapTextfile::changedOnDisk() const {
    return m_mapping && (m_mapping->faulted() || !(m_mapping->state() == m_openedState));
}

std::int32_t TMapTextfile::OpenBytes(QByteArrayView bytes) {
    Close();
    m_error.clear();
    if (bytes.isEmpty()) {
        m_error = QStringLiteral("the file is empty");
        return -1;
    }
    if (bytes.size() > std::numeric_limits<std::int32_t>::max()) {
        m_error = QStringLiteral("the file is 2 GiB or larger");
        return -1;
    }
    m_size = static_cast<std::int32_t>(bytes.size());
    m_base = reinterpret_cast<const unsigned char*>(bytes.data());
    m_current = m_base;
    m_cursor = 0;
    m_opened = true;
    return 0;
}

void TMapTextfile::Close() {
    if (!m_opened) return;
    m_mapping.reset();
    m_size = 0;
    m_cursor = 0;
    m_base = nullptr;
    m_current = nullptr;
    m_opened = false;
    m_openedState = {};
}

std::int32_t TMapTextfile::clamp(std::int32_t offset) const {
    return std::clamp(offset, std::int32_t{0}, m_size);
}

const unsigned char* TMapTextfile::PointerAt(std::int32_t offset) const {
    if (!m_opened) return nullptr;
    return m_base + clamp(offset);
}

unsigned char TMapTextfile::NextChar() {
    if (!m_opened) return 0;
    const std::int32_t at = clamp(m_cursor);
    const unsigned char byte = at < m_size ? m_base[at] : 0;
    m_current = m_base + at;
    if (m_cursor < std::numeric_limits<std::int32_t>::max()) ++m_cursor;
    return byte;
}

unsigned char TMapTextfile::CharAt(std::int32_t offset) const {
    if (!m_opened) return 0;
    const std::int32_t at = clamp(offset);
    return at < m_size ? m_base[at] : 0;
}

void TMapTextfile::Seek(std::int32_t offset) {
    if (!m_opened) return;
    m_cursor = clamp(offset);
}

bool TMapTextfile::AtEnd() const {
    return !m_opened || m_cursor >= m_size;
}

QByteArrayView TMapTextfile::bytes() const {
    if (!m_opened) return {};
    return {reinterpret_cast<const char*>(m_base), m_size};
}

// Shared steps of Find and FindWild: closed, limit, start, pattern length. False means -1.
bool TMapTextfile::resolveRange(QByteArrayView& pattern, std::int32_t& start, std::int32_t& limit) const {
    if (!m_opened) return false;
    // A limit past the end would let the scan read outside the mapping; the end is the same
    // answer for every pattern, so clamp it.
    if (limit <= 0 || limit > m_size) limit = m_size;
    if (start < 0) start = m_cursor;
    if (start > limit) return false;
    const void* zero = std::memchr(pattern.data(), 0, static_cast<std::size_t>(pattern.size()));
    if (zero != nullptr) pattern = pattern.first(static_cast<const char*>(zero) - pattern.data());
    return !pattern.isEmpty();
}

std::int32_t TMapTextfile::Find(QByteArrayView pattern, std::int32_t start, std::int32_t limit) const {
    if (!resolveRange(pattern, start, limit)) return -1;
    const qsizetype hit = findBytes(bytes().sliced(start, limit - start), pattern);
    return hit < 0 ? -1 : static_cast<std::int32_t>(start + hit);
}

std::int32_t TMapTextfile::FindWild(QByteArrayView pattern, std::int32_t start, std::int32_t limit, char stop,
                                    char wildcard) const {
    if (!resolveRange(pattern, start, limit)) return -1;
    // The stop character ends the pattern only from index 1 on.
    const qsizetype cut = pattern.sliced(1).indexOf(stop);
    if (cut >= 0) pattern = pattern.first(cut + 1);
    const qsizetype m = pattern.size();
    if (m > limit - start) return -1;

    // Look for the pattern's two rarest fixed bytes at once, then check the whole pattern there;
    // offsets come in increasing order, so the first check that passes is the first match.
    qsizetype first = -1;
    qsizetype second = -1;
    const auto& rank = byteRarity();
    const auto rarer = [&](qsizetype j, qsizetype than) {
        return than < 0 || rank[static_cast<unsigned char>(pattern[j])] > rank[static_cast<unsigned char>(pattern[than])];
    };
    for (qsizetype j = 0; j < m; ++j) {
        if (pattern[j] == wildcard) continue;
        if (rarer(j, first)) {
            second = first;
            first = j;
        } else if (rarer(j, second)) {
            second = j;
        }
    }
    if (first < 0) return start; // all wildcards: the first place with room for the pattern
    if (second >= 0 && second < first) std::swap(first, second);

    const unsigned char* t = m_base;
    const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
    const auto wild = static_cast<unsigned char>(wildcard);
    const qsizetype last = limit - m; // the last offset whose match lies wholly before the limit
    const auto matchesAt = [&](qsizetype at) {
        for (qsizetype j = 0; j < m; ++j) {
            if (p[j] != wild && t[at + j] != p[j]) return false;
        }
        return true;
    };
    qsizetype pos = start;
    if (second < 0) {
        while (pos <= last) {
            const void* hit = std::memchr(t + pos + first, p[first], static_cast<std::size_t>(last - pos + 1));
            if (hit == nullptr) return -1;
            const qsizetype at = static_cast<const unsigned char*>(hit) - t - first;
            if (matchesAt(at)) return static_cast<std::int32_t>(at);
            pos = at + 1;
        }
        return -1;
    }
#if defined(__SSE2__)
    // Sixteen offsets at a time: both rare bytes in place, then the whole pattern.
    const __m128i wantFirst = _mm_set1_epi8(static_cast<char>(p[first]));
    const __m128i wantSecond = _mm_set1_epi8(static_cast<char>(p[second]));
    for (; pos + 15 <= last; pos += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + pos + first));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + pos + second));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, wantFirst), _mm_cmpeq_epi8(b, wantSecond))));
        while (mask != 0) {
            const qsizetype at = pos + std::countr_zero(mask);
            if (matchesAt(at)) return static_cast<std::int32_t>(at);
            mask &= mask - 1;
        }
    }
#endif
    for (; pos <= last; ++pos) {
        if (t[pos + first] == p[first] && t[pos + second] == p[second] && matchesAt(pos)) {
            return static_cast<std::int32_t>(pos);
        }
    }
    return -1;
}

} // namespace wordhoard
