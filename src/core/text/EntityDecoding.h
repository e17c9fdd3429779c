// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace wordhoard {

// The entity rule, the one place it is written: a token runs from an '&' to the first ';' after
// it, whatever stands between, and stands for the character its name has in the entity table;
// a token that names none, and an '&' with no ';' after it, stay as written. Tokens are read
// from the start of the text, so an '&' inside a token begins none.
//   "&aelig;t"      the token "&aelig;" stands for 'æ'
//   "&x &thorn;"    the token "&x &thorn;" names nothing: all of it stays
//   "a & b"         no token: "& b" stays

// A token: one past its ';', and what it names.
struct EntityToken {
    qsizetype end = 0;
    std::optional<char16_t> character;
};

// The token that begins at the '&' at text[amp]; nothing when no ';' follows it.
std::optional<EntityToken> entityTokenAt(QByteArrayView text, qsizetype amp);
std::optional<EntityToken> entityTokenAt(QStringView text, qsizetype amp);

// The entity that begins at the '&' at text[amp], if the token there names one; reads no further
// than the longest name, as no longer token names anything.
std::optional<EntityToken> entityAt(QByteArrayView text, qsizetype amp);

// Reads `text` (a QByteArrayView or a QStringView) token by token from its start and calls, in
// order, plain(from, to) for each stretch that stays as written and entity(from, to, character)
// for each token that names an entity.
//   "a&amp;b&x;" gives plain(0, 1), entity(1, 6, '&'), plain(6, 10)
template <typename Text, typename Plain, typename Entity>
void readEntityTokens(Text text, Plain plain, Entity entity) {
    qsizetype stays = 0; // where the stretch that stays as written began
    for (qsizetype amp = text.indexOf('&'); amp >= 0; amp = text.indexOf('&', amp)) {
        const std::optional<EntityToken> token = entityTokenAt(text, amp);
        if (!token) break; // an '&' with no ';' after it: the rest stays
        if (token->character) {
            if (amp > stays) plain(stays, amp);
            entity(amp, token->end, *token->character);
            stays = token->end;
        }
        amp = token->end;
    }
    if (text.size() > stays) plain(stays, text.size());
}

// Every token that names an entity turned into its character:
//   "&amp;lt;" gives "&lt;" (the output is never rescanned)
QString decodeEntities(QStringView text);

// The same over raw dictionary bytes: decodeEntities(widen(bytes)), without the intermediate copy.
QString decodeEntityBytes(QByteArrayView bytes);
// Appends decodeEntityBytes(bytes) to `out` in place (the word list decodes 60,000 headwords so).
void appendDecodedEntityBytes(QString& out, QByteArrayView bytes);

} // namespace wordhoard
