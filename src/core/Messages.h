#pragma once

#include <QString>

namespace wordhoard {

// A message as the error box words it: a "." is added when its last character sorts after "."
// ("missing )" stays, "missing closing parenthesis" gets its full stop). The CLI prints the same.
inline QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.') return message + u'.';
    return message;
}

} // namespace wordhoard
