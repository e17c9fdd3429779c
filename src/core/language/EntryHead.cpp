// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/EntryHead.h"

#include "text/EntityDecoding.h"
#include "text/MapTextfile.h"

#include <QByteArray>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <vector>

namespace wordhoard {

QString entryHeadText(const TMapTextfile& text, std::int32_t start, qsizetype maxBytes, qsizetype maxPlain) {
    const QByteArrayView bytes = text.bytes();
    if (start < 0 || start >= bytes.size()) return {};
    qsizetype at = bytes.indexOf('<', start);
    if (at < 0) return {};
    const qsizetype end = std::min(bytes.size(), at + maxBytes);
    QVarLengthArray<char, 256> plain(end - at);
    qsizetype length = 0;
    bool inTag = false;
    for (; at < end && length < maxPlain; ++at) {
        const char c = bytes[at];
        if (c == '\r' || c == '\n' || c == '#') break;
        if (c == '<') {
            inTag = true;
        } else if (c == '>' && inTag) {
            inTag = false;
        } else if (!inTag) {
            plain[length++] = c;
        }
    }
    const QByteArrayView read(plain.constData(), length);
    // Most entries begin in plain ASCII, which needs neither the code page nor entity decoding.
    const bool ascii =
        std::all_of(read.begin(), read.end(), [](char c) { return c != '&' && (c & 0x80) == 0; });
    return ascii ? QString::fromLatin1(read) : decodeEntityBytes(read);
}

namespace {

using P = WordClass::Part;

struct Label {
    std::u16string_view text;
    std::uint16_t parts;
    bool takesClass = false;
};

// Longer labels before the shorter ones they begin with ("pret.-pres. v." before "pret.-pres.").
constexpr std::array kLabels{
    Label{u"pret.-pres. v.", P::Verb | P::PretPres},
    Label{u"pret.-pres.", P::Verb | P::PretPres},
    Label{u"anom. v.", P::Verb | P::Anomalous},
    Label{u"irreg. v.", P::Verb | P::Anomalous},
    Label{u"irr. v.", P::Verb | P::Anomalous},
    Label{u"anv.", P::Verb | P::Anomalous},
    Label{u"strong v.", P::Verb | P::Strong, true},
    Label{u"str. v.", P::Verb | P::Strong, true},
    Label{u"st. v.", P::Verb | P::Strong, true},
    Label{u"st.v.", P::Verb | P::Strong, true},
    Label{u"s. v.", P::Verb | P::Strong, true},
    Label{u"sv.", P::Verb | P::Strong, true},
    Label{u"sv", P::Verb | P::Strong, true},
    Label{u"weak v.", P::Verb | P::Weak, true},
    Label{u"wk. v.", P::Verb | P::Weak, true},
    Label{u"wk.v.", P::Verb | P::Weak, true},
    Label{u"w. v.", P::Verb | P::Weak, true},
    Label{u"wv.", P::Verb | P::Weak, true},
    Label{u"wv", P::Verb | P::Weak, true},
    Label{u"vb.", P::Verb, true},
    Label{u"v.", P::Verb, true},
    Label{u"intrans.", P::Verb},
    Label{u"trans.", P::Verb},
    Label{u"intr.", P::Verb},
    Label{u"tr.", P::Verb},
    Label{u"refl.", P::Verb},
    Label{u"impers.", P::Verb},
    Label{u"masc.", P::Masc},
    Label{u"m.", P::Masc},
    Label{u"fem.", P::Fem},
    Label{u"f.", P::Fem},
    Label{u"neut.", P::Neut},
    Label{u"n.", P::Neut},
    Label{u"adj.", P::Adj},
    Label{u"aj.", P::Adj},
    Label{u"adv.", P::Adverb},
    Label{u"av.", P::Adverb},
    Label{u"pron.", P::Pronoun},
    Label{u"art.", P::Pronoun},
    Label{u"num.", P::Numeral},
    Label{u"prep.", P::Other},
    Label{u"conj.", P::Other},
    Label{u"interj.", P::Other},
    Label{u"indecl.", 0},
    Label{u"pl.", 0},
    Label{u"sg.", 0},
};

bool letterAt(QStringView s, qsizetype i) {
    return i < s.size() && s[i].isLetter();
}

qsizetype skipSpaces(QStringView s, qsizetype i) {
    while (i < s.size() && s[i].isSpace())
        ++i;
    return i;
}

// The label standing at `i`, if one ends there on a word boundary.
const Label* labelAt(QStringView s, qsizetype i) {
    const QStringView rest = s.sliced(i);
    if (rest.isEmpty() || rest[0].unicode() >= 0x80) return nullptr;
    // Every label begins with a lower-case ASCII letter: only those beginning with this one are tried.
    static const auto byFirst = [] {
        std::array<std::vector<const Label*>, 128> made;
        for (const Label& label : kLabels)
            made[label.text.front()].push_back(&label);
        return made;
    }();
    for (const Label* label : byFirst[rest[0].unicode()]) {
        const QStringView text(label->text.data(), static_cast<qsizetype>(label->text.size()));
        if (rest.size() >= text.size() && std::equal(text.begin(), text.end(), rest.begin()) &&
            !letterAt(rest, text.size())) {
            return label;
        }
    }
    return nullptr;
}

// A numbered class after a verb label: "3", "³", "III", read where it stands (after one
// space at most) and ends on a boundary. Returns the class (0: none) and moves `i` past it.
int verbClassAt(QStringView s, qsizetype& i) {
    qsizetype at = i < s.size() && s[i] == u' ' ? i + 1 : i;
    if (at < s.size() && s[at] == u'^') ++at;
    if (at >= s.size()) return 0;
    int number = 0;
    qsizetype end = at;
    const char16_t c = s[at].unicode();
    if (c >= u'1' && c <= u'7') {
        number = c - u'0';
        end = at + 1;
    } else if (c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3') {
        number = c == u'\u00B9' ? 1 : c == u'\u00B2' ? 2 : 3;
        end = at + 1;
    } else if (c >= u'\u2074' && c <= u'\u2077') {
        number = c - u'\u2070';
        end = at + 1;
    } else {
        static constexpr std::array<std::u16string_view, 7> roman{u"VII", u"VI", u"IV", u"V",
                                                                  u"III", u"II", u"I"};
        static constexpr std::array<int, 7> values{7, 6, 4, 5, 3, 2, 1};
        for (std::size_t r = 0; r < roman.size(); ++r) {
            const QStringView numeral(roman[r].data(), static_cast<qsizetype>(roman[r].size()));
            if (s.sliced(at).startsWith(numeral)) {
                number = values[r];
                end = at + numeral.size();
                break;
            }
        }
    }
    if (number == 0 || letterAt(s, end) || (end < s.size() && s[end].isDigit())) return 0;
    if (end < s.size() && s[end] == u'.') ++end;
    i = end;
    return number;
}

bool isNumeralToken(QStringView token) {
    if (token.endsWith(u'.')) token.chop(1);
    if (token.isEmpty()) return false;
    for (const QChar c : token) {
        if (!c.isDigit() && c != u'I' && c != u'V' && c != u'X') return false;
    }
    return true;
}

QStringView tokenAt(QStringView s, qsizetype i) {
    qsizetype end = i;
    while (end < s.size() && !s[end].isSpace() && s[end] != u',')
        ++end;
    return s.sliced(i, end - i);
}

// The word at `i` (after a homograph number, if one stands there): letters, combining marks,
// hyphens and raised dots. Sets `end` to where it stops.
QString wordAt(QStringView s, qsizetype i, qsizetype& end) {
    i = skipSpaces(s, i);
    const QStringView first = tokenAt(s, i);
    if (first.endsWith(u'.') && isNumeralToken(first)) i = skipSpaces(s, i + first.size());
    end = i;
    while (end < s.size() && (s[end].isLetter() || s[end].isMark() || s[end] == u'-' || s[end] == u'\u00B7'))
        ++end;
    QString word = s.sliced(i, end - i).toString();
    while (word.endsWith(u'-'))
        word.chop(1);
    return word;
}

// "v. æcer", "see æcer": one word and then no other word (punctuation, a number or the end).
QString singleWordReference(QStringView s, qsizetype afterMarker) {
    qsizetype end = 0;
    QString word = wordAt(s, afterMarker, end);
    if (word.isEmpty() || letterAt(s, skipSpaces(s, end))) return {};
    return word;
}

// "pp. of X", "pret. 3 sg. of X": abbreviations (and numbers) up to six, then "of" and a word.
bool abbreviatedReference(QStringView s, qsizetype i, EntryHead& head) {
    QStringList abbreviations;
    while (abbreviations.size() < 6) {
        i = skipSpaces(s, i);
        const QStringView token = tokenAt(s, i);
        if (token == u"of" && !abbreviations.isEmpty()) {
            qsizetype end = 0;
            QString word = wordAt(s, i + 2, end);
            if (word.isEmpty()) return false;
            head.referenceTarget = std::move(word);
            head.referenceAnalysis = abbreviations.join(u' ');
            return true;
        }
        const bool abbreviation =
            token.size() >= 2 && token.endsWith(u'.') &&
            std::all_of(token.begin(), token.end() - 1, [](QChar c) { return c.isLower(); });
        const bool number =
            !token.isEmpty() && std::all_of(token.begin(), token.end(), [](QChar c) { return c.isDigit(); });
        if (!abbreviation && !(number && !abbreviations.isEmpty())) return false;
        abbreviations.append(token.toString());
        i += token.size();
    }
    return false;
}

} // namespace

// Before the labels: a homograph number ("II.", "²") and spellings in parentheses ("(ē, ȳ)").
qsizetype skipHeadwordAsides(QStringView s, qsizetype i) {
    for (;;) {
        i = skipSpaces(s, i);
        if (i >= s.size()) return i;
        const QStringView token = tokenAt(s, i);
        if (token.endsWith(u'.') && isNumeralToken(token)) {
            i += token.size();
        } else if (s[i].isDigit() || s[i].category() == QChar::Number_Other) { // "2", "²"
            ++i;
        } else if (s[i] == u'(') {
            const qsizetype close = s.indexOf(u')', i);
            if (close < 0 || close - i > 40) return i;
            i = close + 1;
        } else {
            return i;
        }
    }
}

EntryHead readEntryHead(QStringView s) {
    EntryHead head;
    qsizetype i = skipHeadwordAsides(s, 0);
    for (;;) {
        while (i < s.size() && (s[i].isSpace() || s[i] == u','))
            ++i;
        qsizetype at = i;
        // "m. and f.", "m. or n.", "m. & f.": a joined pair of labels
        for (const QStringView joiner : {QStringView(u"and "), QStringView(u"or "), QStringView(u"& ")}) {
            if (head.wordClass.known() && s.sliced(i).startsWith(joiner) && labelAt(s, i + joiner.size())) {
                at = i + joiner.size();
            }
        }
        const Label* label = at < s.size() ? labelAt(s, at) : nullptr;
        if (!label) break;
        if (label->text == u"v." && !singleWordReference(s, at + 2).isEmpty()) break;
        head.wordClass.parts |= label->parts;
        i = at + static_cast<qsizetype>(label->text.size());
        if (label->takesClass) {
            const int number = verbClassAt(s, i);
            // A bare "v." says nothing of which conjugation its number counts in.
            if ((label->parts & P::Weak) && number <= 3) {
                head.wordClass.weakClass = static_cast<std::uint8_t>(number);
            } else if (label->parts & P::Strong) {
                head.wordClass.strongClass = static_cast<std::uint8_t>(number);
            }
        }
        head.labelsEnd = i;
    }

    const qsizetype rest = skipSpaces(s, i);
    const QStringView tail = s.sliced(rest);
    if (tail.startsWith(u"v. ") || tail.startsWith(u"see ")) {
        head.referenceTarget = singleWordReference(s, rest + (tail.startsWith(u"v. ") ? 3 : 4));
        if (!head.referenceTarget.isEmpty()) head.referenceAnalysis = QStringLiteral("cross-reference");
    } else if (tail.startsWith(u'=')) {
        qsizetype end = 0;
        head.referenceTarget = wordAt(s, rest + 1, end);
        if (!head.referenceTarget.isEmpty()) head.referenceAnalysis = QStringLiteral("variant");
    } else {
        abbreviatedReference(s, rest, head);
    }
    return head;
}

} // namespace wordhoard
