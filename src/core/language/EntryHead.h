// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>

namespace wordhoard {

class TMapTextfile;

// What an entry's grammatical labels say its headword is: "m., n." is a masculine or neuter
// noun, "sv3" and "st. v. III" a strong verb of class III, "wk. v." a weak verb of no stated
// class. No label read: nothing known.
struct WordClass {
    enum Part : std::uint16_t {
        Masc = 1 << 0,
        Fem = 1 << 1,
        Neut = 1 << 2,
        Adj = 1 << 3,
        Verb = 1 << 4,
        Strong = 1 << 5,
        Weak = 1 << 6,
        PretPres = 1 << 7,
        Anomalous = 1 << 8,
        Pronoun = 1 << 9,
        Numeral = 1 << 10,
        Adverb = 1 << 11,
        Other = 1 << 12, // preposition, conjunction, interjection
        Noun = Masc | Fem | Neut,
    };
    std::uint16_t parts = 0;
    std::uint8_t strongClass = 0; // 1..7 where given
    std::uint8_t weakClass = 0;   // 1..3 where given

    bool known() const { return parts != 0; }
    bool has(std::uint16_t part) const { return (parts & part) != 0; }
};

// The start of an entry read: its labels, and whether it only refers to another headword.
struct EntryHead {
    WordClass wordClass;
    // Where the labels end in the text read (0 when there are none).
    qsizetype labelsEnd = 0;
    // An entry that names the headword its own headword is a form of: "æcras v. æcer", "ābroden
    // pp. of ābregdan", "ābylgan = ābilgan". The target as written and a short analysis:
    // "cross-reference" (v. X, see X), "variant" (= X) or the abbreviations before "of" ("pp.",
    // "pret. 3 sg.").
    QString referenceTarget;
    QString referenceAnalysis;
};

// The entry's text after its headword, to the end of its first line and at most `maxBytes`
// bytes of the file or `maxPlain` bytes without its tags, tags dropped and entities decoded:
//   "#<b>&a-long;c</b> <i>f.</i> (<i>gen.</i> &aelig;c) an oak;\r\n..." gives " f. (gen. æc) an oak;"
QString entryHeadText(const TMapTextfile& text, std::int32_t start, qsizetype maxBytes,
                      qsizetype maxPlain = std::numeric_limits<qsizetype>::max());

// Reads the labels at the start of `head` (an entryHeadText), in any order, separated by
// spaces or commas, up to the first word that is none: "m.", "f.", "n.", "masc.", "adj.", "aj.",
// "adv.", "pron.", "num.", "prep.", "conj.", "interj.", "pl.", verbs as "v.", "sv.", "st. v.",
// "wv.", "wk. v.", "pret.-pres. v.", "anom. v.", "anv." with a class number after them where
// given ("sv3", "sv. 3", "st. v. III", "wv²"). A homograph number in front ("II.", "²") and
// short parenthesised spellings before them ("hīeran (ē, ȳ) wv1") are skipped. Then a reference,
// where the entry is one.
EntryHead readEntryHead(QStringView head);

} // namespace wordhoard
