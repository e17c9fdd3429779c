// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <vector>

namespace wordhoard {

// Where a word stands in a text, in UTF-16 units.
struct WordSpan {
    qsizetype pos = 0;
    qsizetype length = 0;
};

// The words of a running text in order: maximal runs of letters and combining marks, with a
// hyphen inside (between two such runs) kept in the word.
//   "Hwæt! wē Gār-Dena, -ne" gives "Hwæt", "wē", "Gār-Dena", "ne"
std::vector<WordSpan> splitWords(QStringView text);

} // namespace wordhoard
