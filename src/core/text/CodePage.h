// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace wordhoard {

// The dictionary's 8-bit code page is Windows-1252: one byte is always one UTF-16 unit.
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) widen to
// the C1 control of the same value, so every byte has a unit and the mapping is reversible.
char16_t widenByte(unsigned char byte);

// "caf\xE9" gives u"café"; the result has exactly bytes.size() units.
QString widen(QByteArrayView bytes);

// Appends the widened bytes to `out` in place.
void appendWidened(QString& out, QByteArrayView bytes);

// The byte that widens to `unit`, if there is one ("€" gives 0x80, "ā" gives nothing).
std::optional<unsigned char> narrowUnit(char16_t unit);

// The whole text narrowed unit by unit, or nothing when any unit has no byte.
std::optional<QByteArray> narrow(QStringView text);

} // namespace wordhoard
