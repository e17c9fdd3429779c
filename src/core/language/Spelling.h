// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace wordhoard {

// The spelling a word is compared in: folded as loose matching folds (text/Folding.h: no
// accents or length marks, lower case, ð as þ, ƿ as w), with ȝ and ᵹ as g and k as c, and
// everything that is not a letter dropped (hyphens, raised dots, digits, spaces):
//   "Cyninȝes" gives "cyninges", "ā-berd" gives "aberd", "ġe·sǣliġ" gives "gesælig"
QString spellingKey(QStringView word);

// Which letters of spellingKey(word) carry a length mark or an accent (macron, acute,
// circumflex), one bit a letter from the lowest, for the first 64 letters:
//   "gōdes" gives 0b10 (the o), "godes" gives 0
std::uint64_t spellingMarks(QStringView word);

// One step looser: the spellings the dictionaries list under one form made one. ie, i and y
// become i; io becomes eo; æ becomes e; a and o before m or n become a (not a final "-on" after
// the first syllable, which is an ending: "bæron" stays); a doubled consonant becomes one. Takes
// a spellingKey.
//   "hieran" and "hyran" both give "hiran", "lond" gives "land", "mann" gives "man"
QString variantKey(QStringView key);

// The keys a decoded headword is found under: each part between commas or semicolons, without
// what stands in parentheses and without a homograph number (a roman or arabic numeral with a
// dot before the word, or after it), as spellingKey gives it.
//   "I. gōd" gives {"god"}, "ā-beran" gives {"aberan"}, "sē, sēo, þæt" gives {"se", "seo", "þæt"},
//   "dæg (dæges)" gives {"dæg"}, "bana 2" gives {"bana"}
QStringList headwordKeys(QStringView headword);
// The same, with the spellingMarks of the first key.
QStringList headwordKeys(QStringView headword, std::uint64_t* firstMarks);

// Whether the folded letter `c` is a vowel of Old English spelling (a e i o u y æ).
bool isVowel(QChar c);

} // namespace wordhoard
