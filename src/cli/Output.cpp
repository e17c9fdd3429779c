// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Output.h"

#include <QJsonArray>
#include <QJsonDocument>

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

Output& Output::json(const QString& text) {
    // Qt writes the array ["..."]; the string literal is what stands between the brackets.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    m_buffer.append(array.constData() + 1, array.size() - 2);
    maybeFlush();
    return *this;
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
