#include "MapTextfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>

namespace wordhoard {

TMapTextfile::TMapTextfile() = default;

TMapTextfile::~TMapTextfile() {
    if (m_opened) Close();
}

std::int32_t TMapTextfile::Open(const QString& fileName, bool writable) {
    m_opened = false;
    m_error.clear();
    const QFileInfo info(fileName);
    if (info.isDir()) {
        m_error = QStringLiteral("is a directory");
        return -1;
    }
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(writable ? QIODevice::ReadWrite : QIODevice::ReadOnly)) {
        m_error = file->errorString();
        return -1;
    }
    const qint64 size = file->size();
    if (size == 0) {
        m_error = QStringLiteral("the file is empty");
        return -1;
    }
    // Offsets are 32-bit signed: a file of 2 GiB or more can't be addressed whole.
    if (size > std::numeric_limits<std::int32_t>::max()) {
        m_error = QStringLiteral("the file is 2 GiB or larger");
        return -1;
    }
    uchar* base = file->map(0, size);
    if (base == nullptr) {
        m_error = file->errorString();
        return -1;
    }
    file->close(); // the mapping outlives the descriptor
    m_file = std::move(file);
    m_size = static_cast<std::int32_t>(size);
    m_base = base;
    m_current = base;
    m_cursor = 0;
    m_opened = true;
    return 0;
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
    m_file.reset(); // unmaps
    m_base = nullptr;
    m_current = nullptr;
    m_opened = false;
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
    const auto span = static_cast<std::size_t>(limit - start);
    const void* hit = memmem(m_base + start, span, pattern.data(), static_cast<std::size_t>(pattern.size()));
    if (hit == nullptr) return -1;
    return static_cast<std::int32_t>(static_cast<const unsigned char*>(hit) - m_base);
}

std::int32_t TMapTextfile::FindWild(QByteArrayView pattern, std::int32_t start, std::int32_t limit, char stop,
                                    char wildcard) const {
    if (!resolveRange(pattern, start, limit)) return -1;
    // The stop character ends the pattern only from index 1 on.
    const qsizetype cut = pattern.sliced(1).indexOf(stop);
    if (cut >= 0) pattern = pattern.first(cut + 1);
    const auto m = pattern.size();
    if (m > limit - start) return -1;

    // Look for the longest run without wildcards with memmem, then check the whole pattern
    // around each place it occurs; offsets come out in increasing order, so the first check
    // that passes is the first match.
    qsizetype runAt = 0;
    qsizetype runLen = 0;
    for (qsizetype i = 0; i < m;) {
        if (pattern[i] == wildcard) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < m && pattern[j] != wildcard) ++j;
        if (j - i > runLen) {
            runAt = i;
            runLen = j - i;
        }
        i = j;
    }
    const auto matchesAt = [&](std::int32_t pos) {
        for (qsizetype j = 0; j < m; ++j) {
            if (pattern[j] != wildcard && static_cast<char>(m_base[pos + j]) != pattern[j]) return false;
        }
        return true;
    };
    const std::int32_t lastPos = limit - static_cast<std::int32_t>(m);
    if (runLen == 0) return start; // all wildcards: any place with room for the pattern
    const unsigned char* end = m_base + lastPos + runAt + runLen; // one past the last run byte allowed
    const unsigned char* from = m_base + start + runAt;
    while (from + runLen <= end) {
        const void* hit = memmem(from, static_cast<std::size_t>(end - from), pattern.data() + runAt,
                                 static_cast<std::size_t>(runLen));
        if (hit == nullptr) return -1;
        const auto pos = static_cast<std::int32_t>(static_cast<const unsigned char*>(hit) - m_base - runAt);
        if (matchesAt(pos)) return pos;
        from = static_cast<const unsigned char*>(hit) + 1;
    }
    return -1;
}

} // namespace wordhoard
