// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/CodePage.h"

#include <array>

namespace wordhoard {

namespace {

// 0x80..0x9F; the gaps of Windows-1252 keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t widenByte(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

QString widen(QByteArrayView bytes) {
    QString out;
    appendWidened(out, bytes);
    return out;
}

void appendWidened(QString& out, QByteArrayView bytes) {
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    auto* dst = reinterpret_cast<char16_t*>(out.data()) + at;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) dst[i] = widenByte(src[i]);
}

std::optional<unsigned char> narrowUnit(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<unsigned char>(unit);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<QByteArray> narrow(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = narrowUnit(text[i].unicode());
        if (!byte) return std::nullopt;
        out[i] = static_cast<char>(*byte);
    }
    return out;
}

} // namespace wordhoard
