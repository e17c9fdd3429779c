// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Slow, literal definitions that the fast routines are held to, by the tests and by the fuzzers.

#include "display/EntryFormat.h"
#include "language/LinkIndex.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace wordhoard {
class EntryIndex;
class TMapTextfile;
} // namespace wordhoard

namespace wordhoard::reference {

// The entity decoding spelt out unit by unit: a token runs from '&' to the first ';' after it
// and is replaced when it is a whole entity name.
QString referenceDecode(QStringView text);

// The text pane's find-and-delete styling enacted literally on a string and a style vector: every
// search starts again from position 0, matches must lie wholly inside the range (start, count).
FormattedEntry literalFormat(const QString& decoded, qsizetype n, const QString& mark);

// Find and FindWild byte by byte over `text` with the given cursor.
std::int32_t naiveFind(QByteArrayView text, std::int32_t cursor, QByteArrayView pattern, std::int32_t start,
                       std::int32_t limit);
std::int32_t naiveFindWild(QByteArrayView text, std::int32_t cursor, QByteArrayView pattern, std::int32_t start,
                           std::int32_t limit, char stop, char wild);

// Every entry as the full-text search delimits it (from each '#' + 4 to the next '#'), decoded and
// folded: the slow reference of a loose search for a term of letters is the entries whose folded
// text holds the folded term.
class FoldedEntries {
public:
    explicit FoldedEntries(QByteArrayView text);
    std::vector<std::int32_t> holding(QStringView term) const;

    std::vector<std::int32_t> starts;
    std::vector<QString> folded;
};

// A link as LinkIndex should hold it, its other homographs spelt out.
struct ReferenceLink {
    std::int32_t from = 0;
    qsizetype pos = 0;
    qsizetype len = 0;
    std::int32_t target = -1;
    std::vector<std::int32_t> others;
    QString text;
    QString page;
    friend bool operator==(const ReferenceLink&, const ReferenceLink&) = default;
};

// Every link of the text in file order, found by formatting each entry in full (displayEntry),
// reading every marker of it, and pairing the k-th '@' shown with the k-th '@' byte.
std::vector<ReferenceLink> linksReadInFull(const TMapTextfile& text, const EntryIndex& index,
                                           const LinkResolver& resolve);
// The same held by the index.
std::vector<ReferenceLink> linksHeld(const LinkIndex& links);

} // namespace wordhoard::reference
