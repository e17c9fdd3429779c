// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/Citation.h"

namespace wordhoard {

QString citedEntry(const QString& plainText, const QString& headword, const QString& page) {
    QString out = plainText;
    if (!out.isEmpty() && !out.endsWith(u'\n')) out += u'\n';
    out += QStringView(u"\u2014 ");
    out += headword;
    if (!page.isEmpty()) out += QStringLiteral(", page ") + page;
    out += u'\n';
    return out;
}

} // namespace wordhoard
