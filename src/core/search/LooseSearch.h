// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace wordhoard {

class TMapTextfile;

// Loose full-text search: every letter of the term that stands outside a character class or an
// escape is expanded into each way the text can write a letter that folds the same (Folding.h),
// as a raw Windows-1252 byte or as any entity of the table; the rest of the term stays the
// regular expression it is in a strict search, '?' wildcard included:
//   "þæt" gives (?:[þÞðÐ](?C1)|&(?C2)(?-i:thorn;|THORN;|eth;|ETH;))(?:[æÆ](?C1)|&(?C2)(?-i:aelig;|...))...
//
// A letter matches what the text shows after entity decoding, never a piece of an entity's name:
// callout 1 after a raw byte asks that the byte stand outside every entity the text decodes,
// callout 2 after an '&' that it begin one (DecodedEntities answers both). So "or" does not
// find the "or" of "&thorn;", and the hits agree with searching the folded, decoded entries.
inline constexpr std::uint32_t kCalloutPlainByte = 1;
inline constexpr std::uint32_t kCalloutEntityStart = 2;

// One pass of a loose search.
struct LoosePass {
    QString pattern;
    // Runs of folded letters that every match holds one after the other: letters at the top level
    // of the pattern, outside groups and not made optional by a quantifier. Empty when the
    // pattern guarantees none: an alternation at the top level, no letter there, or a construct
    // that may end a match before the letters after it or that the runs are not read through
    // (any "(*...)" such as "(*ACCEPT)", a NUL, which ends the pattern the compiler reads).
    std::vector<QString> runs;
    // The length of the strict pattern of this pass (encodeSearchTerm), which the strict cap on
    // the term's length counts, and of the term as typed.
    qsizetype strictLength = 0;
    qsizetype typedLength = 0;
    // Where each letter's expansion lies in `pattern`, and what the strict pattern writes for that
    // letter: [looseStart, looseEnd) stands for [strictStart, strictEnd). The text between
    // expansions is the strict pattern's own.
    struct Expansion {
        qsizetype looseStart;
        qsizetype looseEnd;
        qsizetype strictStart;
        qsizetype strictEnd;
    };
    std::vector<Expansion> expansions;
    // A letter was expanded; without one the pass is exactly the strict one.
    bool expanded = false;
    // A letter that no byte and no entity of the text writes: the pass can find nothing.
    bool unwritable = false;
    // The term is letters and nothing else: a match is an occurrence of its one run, so the
    // occurrences the index finds are the matches, and no regular expression needs to run.
    bool pureRun = false;

    // The offset in the strict pattern that an offset in `pattern` stands for, so that an error
    // names the place the strict search names: "ab(" expands to 230 characters, and offset 230
    // is offset 3. An offset within a letter's expansion gives the end of the letter.
    qsizetype strictOffset(qsizetype looseOffset) const;
};

// The passes of a loose search for `term`, in the strict search's order: the entity-wildcard
// pass, then the letter-wildcard pass when the term holds a '?'.
std::vector<LoosePass> looseSearchPasses(QStringView term);

// Where the text writes a letter other than as a plain ASCII byte: at every entity of the table
// that stands for a letter, and at every letter byte from 0x80 on, grouped by the folded letter.
// A loose search looks its candidates up here instead of scanning for them. Only the letters a
// search looks up are indexed, each the first time it is asked for (a scan of the text, some
// 25 ms for 60 MB, for any number of letters at once); indexing every letter costs five times
// that, more than a whole strict search process, and most letters are never looked up.
//
// It reads the text it was made of, which must outlive it. The letters are indexed as searches
// ask for them, so searches use it from one thread at a time.
class LooseIndex {
public:
    // Where a letter stands written: at[k] is the offset of the '&' or the byte, length[k] how
    // many bytes write it there; in increasing order.
    struct Places {
        std::vector<std::int32_t> at;
        std::vector<std::uint8_t> length;
    };

    explicit LooseIndex(const TMapTextfile& text);
    LooseIndex(const LooseIndex&) = delete;
    LooseIndex& operator=(const LooseIndex&) = delete;

    // The places of the letters that fold to `letter`.
    const Places& places(char16_t letter) const;
    // Indexes every letter of `letters` not indexed yet, in one scan of the text.
    void indexLetters(QStringView letters) const;

    // About how many places `letter` has, judged from the sample below.
    qint64 placesEstimate(char16_t letter) const;

    // About how many offsets of the text hold the plain ASCII letter `a` (either case) with `b`
    // `distance` bytes after it (0 < distance <= 2), or `a` alone (distance 0). Judged from 64
    // stretches of 4 KB spread over the text: a dictionary's letters and letter pairs are far from
    // those of English ("ng" is one byte pair in forty of a generated Old English text).
    qint64 plainEstimate(char16_t a, char16_t b, int distance) const;

private:
    static constexpr int kMaxDistance = 2;
    const TMapTextfile& m_text;
    // Per distance, per pair of letters 'a'..'z': how often the sample holds them.
    std::array<std::array<std::array<std::uint32_t, 26>, 26>, kMaxDistance + 1> m_sampled{};
    // Per folded letter, how many places the sample holds.
    std::unordered_map<char16_t, std::uint32_t> m_sampledPlaces;
    qint64 m_sampledBytes = 0;
    // Nodes stay put while the index grows: a Places handed out stays valid.
    mutable std::unordered_map<char16_t, Places> m_places;
};

// A stretch [start, end) of the text that reads as a run of letters, each in any of its
// spellings.
struct LooseOccurrence {
    std::int32_t start = 0;
    std::int32_t end = 0;
    friend bool operator==(const LooseOccurrence&, const LooseOccurrence&) = default;
};

// The places, in increasing order, where one of `runs` may be read with each letter in any of
// its spellings. A superset: a letter inside an entity's name counts here. Every entry that a
// pass with these runs matches holds one of them. Only the letters cheapest to find are looked
// for (an ASCII stretch by a scan of the text, other spellings in the index) and the rest of the
// run is read around them.
std::vector<LooseOccurrence> looseCandidates(const TMapTextfile& text, const LooseIndex& index,
                                             const std::vector<QString>& runs);

// Which bytes of an entry text belong to the entities its decoding reads, by the tokens the
// entity decoding reads from the text's start: 0 outside them, 1 at the '&' of one, 2 in the rest
// of it. Asked byte by byte, it looks only near the byte; where that does not tell, it works the
// whole text out once (decodedEntityMask).
class DecodedEntities {
public:
    explicit DecodedEntities(QByteArrayView subject);
    std::uint8_t at(qsizetype offset);

private:
    static constexpr qsizetype kLocalReach = 64;
    QByteArrayView m_subject;
    std::vector<std::uint8_t> m_mask;
    bool m_full = false;
};

// The same for every byte at once:
//   "a&thorn;b&x &eth;" gives 0 1 2 2 2 2 2 2 0 0 0 0 0 0 0 0 0 (the token "&x &eth;" names none)
void decodedEntityMask(QByteArrayView subject, std::vector<std::uint8_t>& mask);

// Whether [start, end) of `subject`, a run read letter by letter, is read so by the decoding too:
// each raw letter outside every decoded entity, each entity one that is decoded.
bool isDecodedOccurrence(QByteArrayView subject, DecodedEntities& entities, qsizetype start, qsizetype end);

} // namespace wordhoard
