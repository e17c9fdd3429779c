#include "Output.h"

#include <QString>

#include <charconv>

namespace wordhoard::cli {

namespace {
constexpr qsizetype kFlushAt = 1 << 16;
} // namespace

Output& Output::operator<<(QStringView text) {
    m_buffer.append(text.toUtf8());
    maybeFlush();
    return *this;
}

Output& Output::operator<<(const char* text) {
    m_buffer.append(text);
    maybeFlush();
    return *this;
}

Output& Output::operator<<(long long number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    m_buffer.append(digits, end - digits);
    maybeFlush();
    return *this;
}

Output& Output::json(QStringView text) {
    static constexpr char kHex[] = "0123456789abcdef";
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped.append(u'"');
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        switch (u) {
        case u'"': escaped.append(u"\\\""); break;
        case u'\\': escaped.append(u"\\\\"); break;
        case u'\n': escaped.append(u"\\n"); break;
        case u'\r': escaped.append(u"\\r"); break;
        case u'\t': escaped.append(u"\\t"); break;
        default:
            if (u < 0x20) {
                escaped.append(u"\\u00");
                escaped.append(QChar(kHex[u >> 4]));
                escaped.append(QChar(kHex[u & 0xF]));
            } else {
                escaped.append(ch);
            }
        }
    }
    escaped.append(u'"');
    return *this << QStringView(escaped);
}

void Output::maybeFlush() {
    if (m_buffer.size() >= kFlushAt) flush();
}

void Output::flush() {
    if (m_buffer.isEmpty()) return;
    std::fwrite(m_buffer.constData(), 1, static_cast<std::size_t>(m_buffer.size()), m_stream);
    std::fflush(m_stream);
    m_buffer.resize(0); // keeps the capacity for the next block
}

} // namespace wordhoard::cli
