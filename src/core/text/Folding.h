// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

namespace wordhoard {

// Loose matching compares letters folded to their base: a character loses its accents, length
// marks and every other combining mark (its Unicode canonical decomposition without the marks)
// and its case; þ and ð fold together, and so do ƿ and w. A letter that does not decompose
// stays itself, so æ stays æ and ǣ folds to æ:
//   "Ǣ" gives "æ", "ā" gives "a", "Ð" gives "þ", "Ƿ" gives "w", "ἄ" gives "α", "ς" gives "σ"
// (Hangul syllables are left whole; a dictionary of Old English never holds one.)

// The folded unit of `unit`, for folding a text unit for unit (its positions kept). A combining
// mark and a surrogate stay as they are.
char16_t foldUnit(char16_t unit);

// Every unit folded and the combining marks removed: foldText(u"Ā\u0301d") gives "ad".
QString foldText(QStringView text);

} // namespace wordhoard
