#include "text/EntityDecoding.h"

#include "text/CodePage.h"
#include "text/EntityTable.h"

#include <cstring>
#include <string_view>

namespace wordhoard {

namespace {

// Names are ASCII, so a token holding any other unit can't name an entity.
std::optional<char16_t> lookUp(QStringView token) {
    if (token.size() < static_cast<qsizetype>(kShortestEntityName) ||
        token.size() > static_cast<qsizetype>(kLongestEntityName)) {
        return std::nullopt;
    }
    char ascii[kLongestEntityName];
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char16_t unit = token[i].unicode();
        if (unit >= 0x80) return std::nullopt;
        ascii[i] = static_cast<char>(unit);
    }
    return entityCharacter(std::string_view(ascii, static_cast<std::size_t>(token.size())));
}

} // namespace

QString decodeEntities(QStringView text) {
    const qsizetype firstAmp = text.indexOf(u'&');
    if (firstAmp < 0) return text.toString();

    QString out;
    out.reserve(text.size());
    out.append(text.first(firstAmp));
    qsizetype i = firstAmp;
    while (i < text.size()) {
        const qsizetype amp = text.indexOf(u'&', i);
        if (amp < 0) {
            out.append(text.sliced(i));
            break;
        }
        out.append(text.sliced(i, amp - i));
        const qsizetype semi = text.indexOf(u';', amp + 1);
        if (semi < 0) {
            out.append(text.sliced(amp));
            break;
        }
        const QStringView token = text.sliced(amp, semi + 1 - amp);
        if (const auto ch = lookUp(token)) {
            out.append(QChar(*ch));
        } else {
            out.append(token);
        }
        i = semi + 1;
    }
    return out;
}

QString decodeEntityBytes(QByteArrayView bytes) {
    QString out;
    appendDecodedEntityBytes(out, bytes);
    return out;
}

void appendDecodedEntityBytes(QString& out, QByteArrayView bytes) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* p = begin;
    while (p < end) {
        const auto* amp = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p)));
        if (amp == nullptr) break;
        const auto* semi = static_cast<const char*>(std::memchr(amp + 1, ';', static_cast<std::size_t>(end - amp - 1)));
        if (semi == nullptr) break; // an '&' with no ';' keeps the rest as it is
        appendWidened(out, QByteArrayView(p, amp));
        // Bytes 0x80 and above widen to non-ASCII units, which no name holds, so the byte
        // comparison gives the same answer as comparing the widened token.
        const std::string_view token(amp, static_cast<std::size_t>(semi + 1 - amp));
        if (const auto ch = entityCharacter(token)) {
            out.append(QChar(*ch));
        } else {
            appendWidened(out, QByteArrayView(amp, semi + 1));
        }
        p = semi + 1;
    }
    appendWidened(out, QByteArrayView(p, end));
}

} // namespace wordhoard
