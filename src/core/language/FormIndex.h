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

class EntryIndex;
class TMapTextfile;

// A headword of the open dictionary that a typed word may be a form of.
struct FormCandidate {
    qsizetype line = 0;     // in the entry index
    std::int32_t start = 0; // the entry's start (its '#' + 4)
    QString headword;       // decoded: "cyning"
    QString analysis;       // "gen. sg., strong masc."; "headword" for the word itself
    int cost = 0;           // lower is better
};

// The dictionary's headwords, keyed for form analysis. Made once per text from the text and its
// entry index; making it reads both and touches nothing else, so it may run on any thread, and
// candidates() only reads, so several threads may ask at once. The text and the index must
// outlive it.
//
// An entry's labels (its word class, or the headword a reference entry names: "æcras v. æcer")
// are read when a word's readings reach the entry: a few entries a word, where reading all of them
// up front would double the time the index takes to make.
class FormIndex {
public:
    FormIndex() = default;
    FormIndex(const TMapTextfile& text, const EntryIndex& index);

    // The headwords `word` may be a form of, best first: the word itself where it is a headword
    // (the headword a reference entry names before that entry), then the readings of the rules
    // (FormRules.h) whose headword the dictionary holds, by fewest changes and by how well the
    // reading fits the headword's labels. Empty when none fits.
    //   "cyninges" gives {cyning, "gen. sg., strong masc."}
    std::vector<FormCandidate> candidates(QStringView word) const;

    // What the start of entry `line` says: its labels, and the headword it names if it only refers.
    EntryHead entryHead(qsizetype line) const;
    // The lines whose headword has the key `key` (a spellingKey), in file order.
    std::vector<std::int32_t> linesWithKey(const QString& key) const;

private:
    const TMapTextfile* m_text = nullptr;
    const EntryIndex* m_index = nullptr;
    std::vector<std::uint64_t> m_marks; // by line: spellingMarks of the headword
    // Lines by key, in one open-addressing table over one buffer of key letters: 120,000 keys
    // as strings of their own, in a hash of strings, took a fresh process twice as long to make
    // and to free. A key's slot holds its last node; each node its line and the node before.
    class Keyed {
    public:
        void reserve(qsizetype keys);
        void add(QStringView key, std::int32_t line);
        // The lines of `key` in file order (empty when none).
        void linesOf(QStringView key, std::vector<std::int32_t>& out) const;

    private:
        struct Slot {
            std::uint32_t hash = 0;
            std::uint32_t offset = 0; // of the key in m_letters
            std::int32_t length = 0;
            std::int32_t last = -1; // node; -1: an empty slot
        };
        struct Node {
            std::int32_t line;
            std::int32_t previous; // -1: none
        };
        std::size_t find(QStringView key, std::uint32_t hash) const;
        void grow();

        std::u16string m_letters;
        std::vector<Slot> m_slots; // a power of two long, at most half full
        std::size_t m_used = 0;
        std::vector<Node> m_nodes;
    };
    Keyed m_exact;   // spellingKey → lines
    Keyed m_variant; // variantKey → lines
};

} // namespace wordhoard
