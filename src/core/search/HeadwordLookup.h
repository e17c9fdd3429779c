// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

namespace wordhoard {

class EntryIndex;

// What typing a text into the search field selects in the word list.
struct LookupResult {
    enum class Kind {
        ClearSelection, // the text is empty: the selection goes, the entry shown stays
        Line,           // select `line`
        NoMatch,        // leave the selection as it is
    };
    Kind kind = Kind::NoMatch;
    qsizetype line = -1;

    bool operator==(const LookupResult&) const = default;
};

// The headword look-up: the first line, in list order, whose first N UTF-16 units (N = the
// typed length; shorter lines can't match) compare equal to the typed text under the user's
// locale, ignoring case ("æ" finds the first line beginning with "æ" or "Æ").
//
// Every line is compared in turn, as the plain rule says, with one exact short cut: a line whose
// first N units are the very units of the line before it has the same answer as that line, which
// was not equal (or the scan would have stopped). The word list is in dictionary order, so for
// short texts almost every line is such a repeat; what the collator decides is never second-guessed.
//
// The lines are read once, at construction, and kept (the word list is rebuilt with a new
// look-up).
//
// A loose look-up compares folded text instead (Folding.h): the first line whose folded first
// units equal the folded typed text, unit for unit ("ad" finds "ād", "ðe" a line beginning
// "þe"). Folding keeps the length of a headword, which holds no combining mark.
class HeadwordLookup {
public:
    using LineFn = std::function<QString(qsizetype)>;
    enum class Matching { Locale, Loose };

    HeadwordLookup(LineFn line, qsizetype count, const QLocale& locale = QLocale(), Matching matching = Matching::Locale);
    // Over the headwords of an index.
    explicit HeadwordLookup(const EntryIndex& index, const QLocale& locale = QLocale(),
                            Matching matching = Matching::Locale);

    LookupResult find(QStringView typed) const;

    qsizetype count() const { return static_cast<qsizetype>(m_lines.size()); }

private:
    // Makes the views of the lines in m_text, which ends[i] ends line i.
    void setLines(const std::vector<qsizetype>& ends);

    QCollator m_collator;
    Matching m_matching;
    QString m_text; // every line back to back (folded when loose)
    std::vector<QStringView> m_lines;
    // Units shared with the line before (0 for the first line).
    std::vector<std::int32_t> m_sharedWithPrevious;
};

} // namespace wordhoard
