// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace wordhoard {

// Style bits of one UTF-16 unit of a shown entry. A marked unit is drawn red (240, 0, 0) and
// underlined; the bits add up, so bold italic is kStyleBold | kStyleItalic.
enum EntryStyle : std::uint8_t { kStylePlain = 0, kStyleBold = 1, kStyleItalic = 2, kStyleMark = 4 };

// One occurrence of the search field's text in the shown entry.
struct MarkRange {
    qsizetype pos = 0;
    qsizetype len = 0;
    friend bool operator==(const MarkRange&, const MarkRange&) = default;
};

// What the text pane shows for one entry: the text with its tags removed, one style byte per unit
// of that text, and the marked occurrences from left to right.
struct FormattedEntry {
    QString text;
    std::vector<std::uint8_t> styles;
    std::vector<MarkRange> marks;
};

enum class TagPair { Bold, Italic };

// Styles and removes every "<b>" ... "</b>" (or "<i>" ... "</i>") pair of `text` in the way the
// text pane's find-and-delete does it, adding kStyleBold (kStyleItalic) to the units between:
//   repeat: take the first opening tag (any letter case) that lies within positions 0..n-1 and
//   delete it; the first closing tag at or after its position that ends by n closes the range;
//   add the style to the range and delete the closing tag. No closing tag: nothing is styled.
// Every pass searches from the start of the text again, so tags that a deletion joins together
// count: "<<b>b>x</b>" gives "x", bold. "<b>a<b>b</b>c</b>" gives "abc", all bold.
// The result equals the literal find-and-delete loop; it runs in about linear time.
// `styles` holds one byte per unit of `text` and is updated alongside, and so is `origins` when
// given (a snippet keeps there where each unit came from).
void styleTagPairs(QString& text, std::vector<std::uint8_t>& styles, TagPair pair, qsizetype n,
                   std::vector<qsizetype>* origins = nullptr);

// Which units of `text` styleTagPairs removes (the bold pairs, then the italic ones), told by
// counting instead of deleting: every opening tag, and each closing tag that an opening one before
// it takes (each takes the first closing tag after it that no earlier one took); a closing tag
// none takes stays ("one alpha</i> beta" keeps "</i>"). Nothing when removing a run of tags
// could join the units around it into a new tag ("<" + "<b>" + "b>"), which only the deletion
// itself tells. For `n` of at least the text's length. A snippet of a long entry counts so.
std::optional<std::vector<bool>> removedTags(QStringView text);

// The occurrences of `term` in `text`, ignoring letter case, left to right without overlap; each
// one is looked for from the end of the previous one and must end within `n` units of that start.
// An empty term marks nothing.
std::vector<MarkRange> findMarks(QStringView text, QStringView term, qsizetype n);

// The whole styling of TMainForm::Format on the decoded entry text: bold pairs over the whole text,
// then italic pairs, then the marks of `mark` (pass an empty mark when the hit list is hidden).
// `n` is the raw length of the entry, which bounds every search.
//   u"<b>foo <i>bar</i></b>" gives "foo bar": "foo " bold, "bar" bold italic.
// With `looseMarks`, the text and the mark are compared folded (Folding.h), as a loose search
// compares them: "þæt" marks "ðæt".
FormattedEntry formatEntry(QStringView decoded, qsizetype n, QStringView mark, bool looseMarks = false);

} // namespace wordhoard
