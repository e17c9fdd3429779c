// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/Folding.h"

#include <QChar>

#include <array>
#include <bitset>

namespace wordhoard {

namespace {

bool isMark(QChar ch) {
    const QChar::Category c = ch.category();
    return c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining || c == QChar::Mark_Enclosing;
}

char16_t computeFold(char16_t unit) {
    const QChar ch(unit);
    if (ch.isSurrogate() || isMark(ch)) return unit;
    // The first unit of the full canonical decomposition is the base letter; what follows it is
    // combining marks. (A case fold that decomposes, such as that of U+212B ANGSTROM SIGN, is
    // taken to its base too.)
    const auto base = [](QChar c) {
        while (c.decompositionTag() == QChar::Canonical) c = c.decomposition().front();
        return c;
    };
    const char16_t folded = base(base(ch).toCaseFolded()).unicode();
    // The two pairs of Old English letters that stand for one sound each.
    if (folded == u'\u00F0') return u'\u00FE'; // ð as þ
    if (folded == u'\u01BF') return u'w';      // ƿ as w
    return folded;
}

struct FoldTable {
    std::array<char16_t, 0x10000> folded{};
    std::bitset<0x10000> mark;
};

const FoldTable& foldTable() {
    static const FoldTable table = [] {
        FoldTable made;
        for (std::size_t u = 0; u < made.folded.size(); ++u) {
            made.folded[u] = computeFold(static_cast<char16_t>(u));
            made.mark[u] = isMark(QChar(static_cast<char16_t>(u)));
        }
        return made;
    }();
    return table;
}

} // namespace

char16_t foldUnit(char16_t unit) {
    return foldTable().folded[unit];
}

QString foldText(QStringView text) {
    const auto& table = foldTable();
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (!table.mark[ch.unicode()]) out.append(QChar(table.folded[ch.unicode()]));
    }
    return out;
}

} // namespace wordhoard
