// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

namespace wordhoard {

// The entity name that a typed character is written as in the dictionary text, if any.
// Built from EntityTable: the first row of a character wins (U+00E3 gives "&atilde;", never
// "&a-tilde;"), and '&' is never encoded. 261 characters have a name.
std::optional<std::string_view> encodedEntityName(char16_t unit);

// One left-to-right pass over the code units of `term`: a unit with an entity name becomes that
// name, every other unit stays as it is; the output is never rescanned.
//   u"þæt"   gives "&thorn;&aelig;t"
//   u"a.b*"  gives "a.b*" (regular-expression characters, '&' and '?' pass unchanged)
QString encodeEntities(QStringView term);

// The two patterns that one typed term gives. Every '?' of the encoded term stands for one
// letter in either of the text's two spellings:
//   entityWildcard: "&.*;", one entity of the text (matched caseless and ungreedy)
//   letterWildcard: ".", one plain byte
//   u"hwæt?" gives "hw&aelig;t&.*;" and "hw&aelig;t."
struct SearchPatterns {
    QString entityWildcard;
    QString letterWildcard;

    // The term held a '?': the letter-wildcard pattern gets a pass of its own after the first.
    bool needsSecondPass() const { return entityWildcard != letterWildcard; }
};

SearchPatterns encodeSearchTerm(QStringView term);

} // namespace wordhoard
