// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/Spelling.h"

#include "text/Folding.h"

#include <algorithm>
#include <bitset>

namespace wordhoard {

bool isVowel(QChar c) {
    switch (c.unicode()) {
    case u'a':
    case u'e':
    case u'i':
    case u'o':
    case u'u':
    case u'y':
    case u'\u00E6':
        return true;
    default:
        return false;
    }
}

namespace {

bool isLengthMark(char16_t unit) {
    return unit == 0x0304 || unit == 0x0301 || unit == 0x0302;
}

// Letters whose canonical decomposition holds a length mark or accent: ā, ǣ, é, ...
const std::bitset<0x10000>& markedLetters() {
    static const std::bitset<0x10000> marked = [] {
        std::bitset<0x10000> made;
        for (std::size_t u = 0xC0; u < made.size(); ++u) {
            const QChar c(static_cast<char16_t>(u));
            if (c.isSurrogate() || c.decompositionTag() != QChar::Canonical) continue;
            const QString d = c.decomposition();
            made[u] = std::any_of(d.begin(), d.end(), [](QChar m) { return isLengthMark(m.unicode()); });
        }
        return made;
    }();
    return marked;
}

// spellingKey and spellingMarks in one pass (`marks` may be null).
QString spell(QStringView word, std::uint64_t* marks) {
    if (marks) *marks = 0;
    // Never longer than the word: each unit gives one letter or none.
    QString key(word.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(key.data());
    char16_t* at = begin;
    for (const QChar raw : word) {
        const char16_t u = raw.unicode();
        const qsizetype length = at - begin;
        if (u < 0x80) { // most letters of most headwords
            if (u >= u'A' && u <= u'Z') {
                *at++ = u == u'K' ? u'c' : static_cast<char16_t>(u + 0x20);
            } else if (u >= u'a' && u <= u'z') {
                *at++ = u == u'k' ? u'c' : u;
            }
            continue;
        }
        if (raw.isMark()) {
            if (marks && isLengthMark(u) && length > 0 && length <= 64)
                *marks |= std::uint64_t(1) << (length - 1);
            continue;
        }
        const QChar c(foldUnit(u));
        char16_t letter = c.unicode();
        if (letter == u'\u021D' || letter == u'\u1D79') { // ȝ, and ᵹ the insular g
            letter = u'g';
        } else if (letter == u'k') {
            letter = u'c';
        } else if (!c.isLetter()) {
            continue;
        }
        if (marks && length < 64 && markedLetters()[u]) *marks |= std::uint64_t(1) << length;
        *at++ = letter;
    }
    key.truncate(at - begin);
    return key;
}

} // namespace

QString spellingKey(QStringView word) {
    return spell(word, nullptr);
}

std::uint64_t spellingMarks(QStringView word) {
    std::uint64_t marks = 0;
    spell(word, &marks);
    return marks;
}

QString variantKey(QStringView key) {
    // Never longer than the key: each letter gives one letter or none, "io" gives "eo".
    QString out(key.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* at = begin;
    const qsizetype n = key.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = key[i].unicode();
        const char16_t next = i + 1 < n ? key[i + 1].unicode() : 0;
        if (c == u'i' && next == u'e') {
            *at++ = u'i';
            ++i;
        } else if (c == u'i' && next == u'o') {
            *at++ = u'e';
            *at++ = u'o';
            ++i;
        } else if (c == u'y') {
            *at++ = u'i';
        } else if (c == u'\u00E6') {
            *at++ = u'e';
        } else if (c == u'o' && (next == u'm' || next == u'n') && !(i + 2 == n && i > 1)) {
            // lond, monn, noma; not an ending's "-on" ("bǣron" is no "bǣran")
            *at++ = u'a';
        } else if (at != begin && at[-1] == c && !isVowel(QChar(c))) {
            // a doubled consonant written once
        } else {
            *at++ = c;
        }
    }
    out.truncate(at - begin);
    return out;
}

namespace {

bool isNumeral(QStringView token) {
    if (token.isEmpty()) return false;
    const bool roman =
        std::all_of(token.begin(), token.end(), [](QChar c) { return c == u'I' || c == u'V' || c == u'X'; });
    const bool arabic = std::all_of(token.begin(), token.end(), [](QChar c) { return c.isDigit(); });
    return roman || arabic;
}

// "I. gōd" and "gōd II." give "gōd"; a numeral in front needs its dot ("I gōd" is left alone).
QStringView withoutHomographNumber(QStringView part) {
    part = part.trimmed();
    if (isNumeral(part.endsWith(u'.') ? part.chopped(1) : part)) return {};
    const qsizetype firstSpace = part.indexOf(u' ');
    if (firstSpace > 1 && part[firstSpace - 1] == u'.' && isNumeral(part.first(firstSpace - 1))) {
        part = part.sliced(firstSpace + 1).trimmed();
    }
    const qsizetype lastSpace = part.lastIndexOf(u' ');
    if (lastSpace > 0) {
        QStringView last = part.sliced(lastSpace + 1);
        if (last.endsWith(u'.')) last.chop(1);
        if (isNumeral(last)) part = part.first(lastSpace).trimmed();
    }
    return part;
}

} // namespace

QStringList headwordKeys(QStringView headword) {
    return headwordKeys(headword, nullptr);
}

QStringList headwordKeys(QStringView headword, std::uint64_t* firstMarks) {
    if (firstMarks) *firstMarks = 0;
    const bool plain = std::none_of(headword.begin(), headword.end(),
                                    [](QChar c) { return c == u'(' || c == u',' || c == u';' || c == u' '; });
    if (plain) { // the usual headword: one word; only one ending or beginning so may be a number
        const QChar first = headword.isEmpty() ? QChar() : headword.front();
        const bool number = first.isDigit() || first == u'I' || first == u'V' || first == u'X';
        const QString key = spell(number ? withoutHomographNumber(headword) : headword, firstMarks);
        return key.isEmpty() ? QStringList() : QStringList{key};
    }
    QString text;
    text.reserve(headword.size());
    int depth = 0;
    for (const QChar c : headword) {
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            depth = std::max(0, depth - 1);
        } else if (depth == 0) {
            text.append(c);
        }
    }
    QStringList keys;
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype to = from;
        while (to < text.size() && text[to] != u',' && text[to] != u';')
            ++to;
        std::uint64_t marks = 0;
        const QString key = spell(withoutHomographNumber(QStringView(text).sliced(from, to - from)), &marks);
        if (!key.isEmpty() && !keys.contains(key)) {
            if (keys.isEmpty() && firstMarks) *firstMarks = marks;
            keys.append(key);
        }
        from = to + 1;
    }
    return keys;
}

} // namespace wordhoard
