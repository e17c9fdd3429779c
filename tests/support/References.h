#pragma once

// Slow, literal definitions that the fast routines are held to, by the tests and by the fuzzers.

#include "display/EntryFormat.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

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

} // namespace wordhoard::reference
