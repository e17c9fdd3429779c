// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>

namespace wordhoard {

class TMapTextfile;

// A line of entry text around a search match, as the hit list and `wordhoard-cli search
// --context` show it.
struct Snippet {
    QString text;
    // Where the match lies in `text`, in UTF-16 units.
    qsizetype matchPos = 0;
    qsizetype matchLength = 0;
};

// How many characters of entry text a snippet shows at most (the ellipses not counted), and how
// many of them stand before a match too long to be shown whole.
inline constexpr qsizetype kSnippetLength = 60;
inline constexpr qsizetype kSnippetLeadOfLongMatch = 10;

// The snippet of the entry whose headword starts at `entryStart` (the entry runs to the byte
// before the next '#'), around the match at `matchOffset` bytes from there, `matchLength` bytes
// long (SearchHit's matchOffset and matchLength).
//
// The entry text is shown as the text pane shows it (formatEntry), on one line: entities decoded
// from the entry's start, the tags removed by the pane's own find-and-delete (so a closing tag no
// opening tag claims stays, as in "one alpha</i> beta"), and every run of white space, line
// breaks included, shown as one space. Up to kSnippetLength characters are kept, the match in
// the middle where the entry allows; a match longer than kSnippetLength -
// kSnippetLeadOfLongMatch is cut. An end cut inside a word moves to the nearby space, if any
// within 15 characters; a space at either end is dropped (outside the match); and each end cut
// off inside the entry becomes "…" (counted in the positions). A match that starts or ends inside
// an entity takes in the entity's character; a tag inside or beside a match is dropped with it.
//   entry "<b>&aelig;t</b> prep. at", match "prep" gives "æt prep. at" with the match at 3, 4 long.
//
// Whether a closing tag stays depends on every opening tag before it, so the entry is decoded from
// its start to `firstReach` bytes past the match (twice as far while tags or white space leave too
// few characters after it), but only the characters from `firstReach` bytes before the match on
// are kept with their bytes, and the tags are told apart by counting them: a match at the end of
// a 300 KB entry costs about a millisecond, a twentieth of formatting the entry
// (BM_SnippetAtTheEndOfTheLargestCorpusEntry). Only where removing tags could join new ones does
// the pane's find-and-delete itself run, from the start. (Any reach gives the same snippet; the
// tests use tiny ones to put the window's edges everywhere.)
inline constexpr qsizetype kSnippetFirstReach = 4 * kSnippetLength;
Snippet makeSnippet(const TMapTextfile& text, std::int32_t entryStart, std::int32_t matchOffset,
                    std::int32_t matchLength, qsizetype firstReach = kSnippetFirstReach);

} // namespace wordhoard
