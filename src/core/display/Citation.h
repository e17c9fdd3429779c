// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wordhoard {

// An entry as plain text for the clipboard, followed by one line that cites its headword and
// printed page:
//   ("cyning king n.\n", "cyning", "wh_b0002")  gives "cyning king n.\n— cyning, page wh_b0002\n"
//   ("x", "x", "")                             gives "x\n— x\n"   (no page marker before it)
QString citedEntry(const QString& plainText, const QString& headword, const QString& page);

} // namespace wordhoard
