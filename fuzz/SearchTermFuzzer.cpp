// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Search-term encoding over arbitrary UTF-16: the two patterns must follow from one another and
// decoding the encoded term (when it held no '&' of its own) gives the term back.
#include "FuzzSupport.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "search/SearchTerm.h"

using namespace wordhoard;
using wordhoard::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString term = fuzz::unitsOf({reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)});
    const QString encoded = encodeEntities(term);
    const SearchPatterns p = encodeSearchTerm(term);

    QString entity = encoded;
    entity.replace(u'?', QStringLiteral("&.*;"));
    QString letter = encoded;
    letter.replace(u'?', u'.');
    check(p.entityWildcard == entity, "entity-wildcard pattern is not the encoded term with '?' -> \"&.*;\"");
    check(p.letterWildcard == letter, "letter-wildcard pattern is not the encoded term with '?' -> '.'");
    check(p.needsSecondPass() == term.contains(u'?'), "second pass iff the term holds '?'");

    if (!term.contains(u'&')) check(decodeEntities(encoded) == term, "decoding the encoded term loses it");
    // Outside the ASCII letters, digits, '-' and ';' that names are spelt with, no unit of the
    // encoded term has an entity name of its own ('&' is never encoded).
    for (const QChar c : encoded) {
        const char16_t u = c.unicode();
        const bool nameUnit = (u < 0x80 && QChar(u).isLetterOrNumber()) || u == u'-' || u == u';' || u == u'&';
        if (!nameUnit) check(!encodedEntityName(u), "an encodable unit survived the encoding");
    }
    (void)narrow(p.letterWildcard);
    return 0;
}
