// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wordhoard {

// A message as the error box words it: a "." is added when its last character sorts after "."
// ("missing )" stays, "missing closing parenthesis" gets its full stop). The CLI prints the same.
inline QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.') return message + u'.';
    return message;
}

// Why a dictionary text did not open, as the error box says it at start-up and when another
// folder is opened: Cannot open the dictionary text "txt/WH-main_01.txt": No such file or directory
inline QString cannotOpenText(const QString& fileName, const QString& reason) {
    return QStringLiteral("Cannot open the dictionary text \"%1\": %2").arg(fileName, reason);
}

} // namespace wordhoard
