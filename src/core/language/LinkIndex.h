// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace wordhoard {

class EntryIndex;
class FormIndex;
class TMapTextfile;

// Cross-references a reader can follow. An entry's displayed text (what the text pane shows:
// displayEntry(...).formatted.text) sends the reader elsewhere with a marker and a word:
//   "ābīdan = onbīdan"           "=" and the word after it
//   "æcras v. æcer"              "v." (also "v. also X"), "cp.", "cf.", "see" likewise
//   "bǣron pret. pl. of beran"   "of" after a form label: "pp. of", "pret. 3 sg. of", "gen. pl. of"
//   "a later spelling of gēar"   "spelling of", "form of"
//   "gēar q.v."                  "q.v." and the word before it
// The word: letters with their marks, the hyphens and raised dots written inside compounds, and
// letters in parentheses ("(ge)bīdan"); "also" and "under" right after a marker are passed over
// ("v. also X"). It becomes a link when it names a headword other than the entry's own.
// A marker counts only as a reference in running text:
//   - "v." right after a verb label ("wk. v.", "st. v.", "pret.-pres. v.", "anom. v.") or after
//     any abbreviation in the same italic run ("<i>pl. v.</i>") is a label, and so is "V." (a
//     sense number);
//   - "see" counts at the start of a clause (after punctuation, not after a word: "to see" is a
//     gloss);
//   - "of" counts after a form label ending in '.' (pp., pret., pres., gen., dat., pl., sg., ...);
//   - a capitalised word with a '.' straight after it, a word in capitals, and the text's own
//     abbreviations ("mod.", "adj.", "pl.", ...) are no words ("cf. Gk.", "v. BT", "v. A 31",
//     "cp. mod. acre");
//   - "to" and "a" as written (no length mark) are English ("v. to kill" after an unknown label),
//     and so are "an" and "the" after "form of" and "spelling of".
// Page markers in the displayed text ('@' and the 8 bytes of a page name) are links to a page.

// One word of a displayed text that a reference points at.
struct ReferenceWord {
    qsizetype pos = 0;
    qsizetype len = 0;
    friend bool operator==(const ReferenceWord&, const ReferenceWord&) = default;
};

// The referenced words of a displayed text and its styles (one per unit), left to right, read
// by the rules above. Unless the text is `whole`, it is the beginning of an entry's (see
// ShownPrefix), and a word that reaches its end is not read, as it may go on: then `cut` is set.
// With `ends`, only the markers that end at one of these positions are read.
std::vector<ReferenceWord> referenceWords(QStringView shown, const std::vector<std::uint8_t>& styles,
                                          bool whole = true, std::span<const qsizetype> ends = {},
                                          bool* cut = nullptr);

// The entries a referenced word may name, as lines of the entry index, best first. Appends to
// `lines`. Plain headword matching (headwordResolver) works without anything else; the form
// analysis can be plugged in instead.
using LinkResolver = std::function<void(QStringView word, std::vector<qsizetype>& lines)>;

// A word and a headword are compared by their spellingKey (Spelling.h: folded as loose matching
// folds, without hyphens and raised dots, ȝ as g, k as c), so "= āblāwnes" finds "āblāw-nes" and
// "v. ge-sēcan" finds "gesēcan". A headword's key is its first word; a roman or arabic number
// before it ("I. ār", "2 ār") is a homograph number. Letters in parentheses count with and
// without them: the headword "(ge)bīdan" has the keys "gebidan" and "bidan", and a word
// "(ge)bīdan" names gebīdan or, when there is none, bīdan.
// Resolves a word to the headwords of the same key, in file order. The resolver refers to `index`.
LinkResolver headwordResolver(const EntryIndex& index);
// The same, and for a word that names no headword, the headwords the form analysis takes it for,
// best first: "v. cyninges" names cyning. The resolver refers to `index` and `forms`, and
// remembers what the forms gave each word: one thread at a time may use it.
LinkResolver formResolver(const EntryIndex& index, const FormIndex& forms);

// Every link of a dictionary text, made once per text (a pure function of the text and its
// index: it may run on any thread). Looking up the links of one entry is a binary search.
class LinkIndex {
public:
    struct Link {
        // The start of the entry the link stands in.
        std::int32_t from = 0;
        // Its span in that entry's displayed text, in UTF-16 units.
        std::int32_t pos = 0;
        std::int32_t len = 0;
        // The start of the entry it leads to: the first the word names; -1 for a page marker.
        std::int32_t target = -1;
        // Where the other entries the word names lie in homographs().
        std::int32_t othersBegin = 0;
        std::int32_t othersCount = 0;
        // What the link shows: the word as the text shows it ("ge-sēcan"), or the page marker.
        QString text;
        // A page marker's page name ("wh_b0002").
        QString page;

        bool isPage() const { return target < 0; }
    };

    LinkIndex() = default;
    // Reads every entry of `text` (indexed by `index`) and resolves its words with `resolve`.
    LinkIndex(const TMapTextfile& text, const EntryIndex& index, const LinkResolver& resolve);
    // Resolving by headword (headwordResolver).
    LinkIndex(const TMapTextfile& text, const EntryIndex& index);

    // Every link in file order: by entry, then by position.
    std::span<const Link> all() const { return m_links; }
    // The links of the entry starting at `start`, by position (empty for any other offset).
    std::span<const Link> linksOf(std::int32_t start) const;
    // The starts of the other entries the link's word names (homographs after the first), in
    // file order.
    std::span<const std::int32_t> homographs(const Link& link) const;
    // The entries whose links lead to the entry starting at `start`, in file order, each once.
    std::span<const std::int32_t> referrers(std::int32_t start) const;
    // How many links lead to entries (page markers left out).
    qsizetype entryLinkCount() const { return m_entryLinks; }

private:
    std::vector<Link> m_links;
    std::vector<std::int32_t> m_others;
    qsizetype m_entryLinks = 0;
    // The reverse list: the entries referred to, ascending, and where their referrers begin.
    std::vector<std::int32_t> m_referred;
    std::vector<std::size_t> m_referrersBegin; // one more than m_referred
    std::vector<std::int32_t> m_referrers;
};

} // namespace wordhoard
