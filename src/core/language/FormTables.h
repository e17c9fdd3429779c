// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language/FormRules.h"

#include <span>
#include <string_view>

namespace wordhoard {

// The forms no ending rule reaches, listed as the grammars list them (spelt as spellingKey
// writes them: no length marks, ð as þ).
struct TableForm {
    enum class Attach : std::uint8_t {
        Whole,      // the whole word only ("is", "him")
        VerbPrefix, // also after verbal prefixes, which the headword keeps: "forstodon" → "forstandan"
        AnyPrefix,  // also as the end of a compound: "wifmenn" → "wifmann"
    };
    std::u16string_view form;
    std::u16string_view lemmas; // headwords it may belong to, best first, '|' between them
    const char* analysis;
    FormNeed need;
    Attach attach;
};

// The irregular verbs, preterite-presents, strong verbs beyond the ablaut rules, pronouns and
// article, irregular comparisons, and nouns with a mutated vowel.
std::span<const TableForm> irregularForms();

// Verbal prefixes a table form may stand after: "a", "be", "for", "ge", "of", "on", ...
std::span<const std::u16string_view> verbalPrefixes();

} // namespace wordhoard
