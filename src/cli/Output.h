// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdio>

namespace wordhoard::cli {

// Collects output and writes it in large blocks: 60,000 lines go out in a handful of writes.
class Output {
public:
    explicit Output(std::FILE* stream) : m_stream(stream) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    Output& operator<<(QStringView text);         // as UTF-8
    Output& operator<<(const char* text);
    Output& operator<<(long long number);
    // A JSON string literal, quotes included, escaped by Qt's JSON writer: u"a\"b\n\x01" gives
    // "a\"b\n\u0001"; other characters come out as UTF-8.
    Output& json(const QString& text);
    void flush();

private:
    void maybeFlush();
    std::FILE* m_stream;
    QByteArray m_buffer;
};

} // namespace wordhoard::cli
