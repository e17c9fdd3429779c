// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language/EntryHead.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace wordhoard {

// What a reading asks of the headword it names: one of `parts` (WordClass parts; none: anything),
// and for a strong or weak verb the class where the reading knows it.
struct FormNeed {
    std::uint16_t parts = 0;
    std::uint8_t strongClass = 0;
    std::uint8_t weakClass = 0;
};

// One way of reading a word as a form of a headword.
//   "cyninges" → {"cyning", "gen. sg., strong masc.", masculine noun, 4}
//   "sungon"   → {"singan", "past pl., strong verb III", strong verb of class III, 8}
struct FormReading {
    QString lemma;    // the headword it names, as spellingKey writes it
    QString analysis; // what the word is of it
    FormNeed need;
    int cost = 0; // kChange for each ending, vowel or consonant undone, less for regular details
    bool pastParticiple = false; // a past participle, whose ge- is its own
};

// The price of one change; smaller details (a doubled consonant, a w-stem's u) cost half of it.
inline constexpr int kChange = 4;

// Every reading of `key` (a spellingKey) that the rules of Old English inflection allow, run
// backwards: noun, adjective and verb endings with their stem changes, the ablaut series of the
// strong verbs, the weak verbs' pasts, and the tables of irregular verbs, preterite-presents,
// pronouns, irregular comparisons and mutated plurals; with a leading ge- taken off as well. The
// readings are unchecked: most name no headword of any dictionary. The key itself (the word as
// its own headword) is not among them.
std::vector<FormReading> readForm(QStringView key);

} // namespace wordhoard
