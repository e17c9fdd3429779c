#pragma once

#include <QByteArray>
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
    // A JSON string literal, quotes included: u"a\"b" gives "a\"b" with the escape.
    Output& json(QStringView text);
    void flush();

private:
    void maybeFlush();
    std::FILE* m_stream;
    QByteArray m_buffer;
};

} // namespace wordhoard::cli
