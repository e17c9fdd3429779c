// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared pieces of the fuzz targets: a reader that takes parameters off the front of the input,
// and the slow, literal definitions that the fast routines are compared with.

#include "display/EntryFormat.h"
#include "References.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace wordhoard::fuzz {

// Prints what differs and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void mismatch(const char* what) {
    std::fprintf(stderr, "fuzz mismatch: %s\n", what);
    std::abort();
}

inline void check(bool ok, const char* what) {
    if (!ok) mismatch(what);
}

// Takes small parameters off the front of the input; past the end every read gives 0.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
    // Up to `count` bytes (fewer when the input ends).
    QByteArrayView take(std::size_t count) {
        const std::size_t n = std::min(count, m_size - m_pos);
        const QByteArrayView out(reinterpret_cast<const char*>(m_data + m_pos), static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }
    QByteArrayView rest() { return take(m_size - m_pos); }
    std::size_t left() const { return m_size - m_pos; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Pairs of bytes as UTF-16 units (little-endian); an odd last byte is dropped.
inline QString unitsOf(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        out.append(QChar(static_cast<char16_t>(lo | (hi << 8))));
    }
    return out;
}

using reference::literalFormat;
using reference::naiveFind;
using reference::naiveFindWild;
using reference::referenceDecode;

} // namespace wordhoard::fuzz
