// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/EntityDecoding.h"

#include "text/CodePage.h"
#include "text/EntityTable.h"

#include <algorithm>
#include <string_view>

namespace wordhoard {

namespace {

std::optional<char16_t> named(QByteArrayView token) {
    if (token.size() < static_cast<qsizetype>(kShortestEntityName) ||
        token.size() > static_cast<qsizetype>(kLongestEntityName)) {
        return std::nullopt;
    }
    // Bytes 0x80 and above widen to units no name holds, so the bytes compare as the units do.
    return entityCharacter(std::string_view(token.data(), static_cast<std::size_t>(token.size())));
}

std::optional<char16_t> named(QStringView token) {
    if (token.size() < static_cast<qsizetype>(kShortestEntityName) ||
        token.size() > static_cast<qsizetype>(kLongestEntityName)) {
        return std::nullopt;
    }
    char ascii[kLongestEntityName];
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char16_t unit = token[i].unicode();
        if (unit >= 0x80) return std::nullopt; // names are ASCII
        ascii[i] = static_cast<char>(unit);
    }
    return entityCharacter(std::string_view(ascii, static_cast<std::size_t>(token.size())));
}

template <typename Text>
std::optional<EntityToken> tokenAt(Text text, qsizetype amp) {
    const qsizetype semi = text.indexOf(';', amp + 1);
    if (semi < 0) return std::nullopt;
    return EntityToken{semi + 1, named(text.sliced(amp, semi + 1 - amp))};
}

} // namespace

std::optional<EntityToken> entityTokenAt(QByteArrayView text, qsizetype amp) { return tokenAt(text, amp); }
std::optional<EntityToken> entityTokenAt(QStringView text, qsizetype amp) { return tokenAt(text, amp); }

std::optional<EntityToken> entityAt(QByteArrayView text, qsizetype amp) {
    const qsizetype reach = std::min(text.size(), amp + static_cast<qsizetype>(kLongestEntityName));
    std::optional<EntityToken> token = tokenAt(text.first(reach), amp);
    if (!token || !token->character) return std::nullopt;
    return token;
}

QString decodeEntities(QStringView text) {
    QString out;
    out.reserve(text.size());
    readEntityTokens(
        text, [&](qsizetype from, qsizetype to) { out.append(text.sliced(from, to - from)); },
        [&](qsizetype, qsizetype, char16_t ch) { out.append(QChar(ch)); });
    return out;
}

QString decodeEntityBytes(QByteArrayView bytes) {
    QString out;
    appendDecodedEntityBytes(out, bytes);
    return out;
}

void appendDecodedEntityBytes(QString& out, QByteArrayView bytes) {
    readEntityTokens(
        bytes, [&](qsizetype from, qsizetype to) { appendWidened(out, bytes.sliced(from, to - from)); },
        [&](qsizetype, qsizetype, char16_t ch) { out.append(QChar(ch)); });
}

} // namespace wordhoard
