// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language/LinkIndex.h"

#include "display/EntryFormat.h"
#include "display/ShownPrefix.h"
#include "language/FormIndex.h"
#include "language/Spelling.h"
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "text/Folding.h"
#include "text/MapTextfile.h"

#include <QChar>
#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace wordhoard {

namespace {

// --- Reading a displayed text -------------------------------------------------------------------

constexpr char16_t kRaisedDot = u'\u00B7';

bool isSpace(char16_t u) {
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\u00A0';
}

bool isAsciiLetter(char16_t u) {
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Letters, combining marks, and the hyphens and raised dots a dictionary writes inside words.
bool isWordUnit(char16_t u) {
    if (u < 0x80) return isAsciiLetter(u) || u == u'-';
    const QChar ch(u);
    return ch.isLetter() || ch.isMark() || u == kRaisedDot;
}

// The units a marker begins with: "=", "v.", "cp.", "cf.", "see", "q.v.", "of".
constexpr std::array<bool, 128> kMarkerStarts = [] {
    std::array<bool, 128> starts{};
    for (const char c : {'=', 'v', 'c', 'C', 's', 'S', 'q', 'o'}) starts[static_cast<std::size_t>(c)] = true;
    return starts;
}();

bool oneOf(QStringView token, std::initializer_list<const char16_t*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const char16_t* w) { return token == QStringView(w); });
}

// The labels that make the "v." after them a word class: "wk. v.", "pret.-pres. v." (of which
// "pres." is read), "pret. pres. v.".
bool isVerbLabel(QStringView token) {
    return oneOf(token, {u"wk.",    u"st.",      u"sw.",    u"str.",    u"weak.",  u"strong.", u"anom.",
                         u"anv.",   u"irreg.",   u"irr.",   u"red.",    u"redup.", u"redupl.", u"rd.",
                         u"contr.", u"reflex.",  u"refl.",  u"impers.", u"trans.", u"tr.",     u"intr.",
                         u"intrans.", u"defect.", u"def.", u"aux.",    u"pres.",  u"w.",      u"s."});
}

// The labels of an inflected form that "of" follows: "pp. of", "pret. 3 sg. of", "dat. pl. f. of".
bool isFormLabel(QStringView token) {
    return oneOf(token,
                 {u"pp.",  u"ptc.",    u"pple.", u"part.",  u"pret.",    u"pres.",  u"prs.",    u"subj.",
                  u"sbj.", u"opt.",    u"imp.",  u"imper.", u"imperat.", u"ind.",   u"indic.",  u"inf.",
                  u"ger.", u"gen.",    u"dat.",  u"acc.",   u"nom.",     u"instr.", u"inst.",   u"ins.",
                  u"voc.", u"pl.",     u"plur.", u"sg.",    u"sing.",    u"comp.",  u"compar.", u"cpv.",
                  u"sup.", u"superl.", u"spl.",  u"neg.",   u"contr.",   u"wk.",    u"st.",     u"dual."});
}

bool isGender(QStringView token) {
    return oneOf(token, {u"m.", u"f.", u"n.", u"masc.", u"fem.", u"neut."});
}

// An abbreviation the dictionary's own text uses ("cp. mod. acre"), written as it is with its
// '.'; a headword that looks like one has a length mark or stands without the '.' ("= mōd.").
bool isAbbreviation(QStringView token) {
    return isFormLabel(token) || isVerbLabel(token) || isGender(token) ||
           oneOf(token, {u"mod.", u"adj.", u"adv.", u"sb.", u"prep.", u"conj.", u"pron.", u"num.",
                         u"interj.", u"ib.", u"ibid.", u"id.", u"etc.", u"lit.", u"prob.", u"esp.", u"poet.",
                         u"dim.", u"vb.", u"v.", u"cp.", u"cf."});
}

class Reader {
public:
    Reader(QStringView text, const std::vector<std::uint8_t>& styles, bool whole)
        : m_s(text), m_styles(styles), m_n(text.size()), m_whole(whole) {}

    // Markers anywhere, or (with `ends`) only those ending at one of these positions.
    std::vector<ReferenceWord> read(std::span<const qsizetype> ends, bool* cut) {
        if (ends.empty()) {
            for (qsizetype i = 0; i < m_n; ++i) readAt(i);
        } else {
            for (const qsizetype end : ends) {
                const qsizetype from = std::max<qsizetype>(end - kLongestMarker, 0);
                for (qsizetype i = from; i < end && i < m_n; ++i) readAt(i);
            }
        }
        std::sort(m_words.begin(), m_words.end(), [](const auto& a, const auto& b) { return a.pos < b.pos; });
        m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
        if (cut) *cut = m_cut;
        return std::move(m_words);
    }

private:
    static constexpr qsizetype kLongestMarker = 4; // "q.v."

    void readAt(qsizetype i) {
        const char16_t u = m_s[i].unicode();
        // Every marker but "=" starts a token; most of these letters stand inside words.
        if (u >= 0x80 || !kMarkerStarts[u] || (u != u'=' && !startsToken(i))) return;
        switch (u) {
        case u'=':
            take(wordAfterMarker(i + 1, false));
            break;
        case u'v':
            if (at(i + 1) == u'.' && at(i - 1) != u'.' && !isVerbClass(i)) {
                take(wordAfterMarker(i + 2, false));
            }
            break;
        case u'c':
        case u'C':
            if ((at(i + 1) == u'p' || at(i + 1) == u'f') && at(i + 2) == u'.' && at(i - 1) != u'.') {
                take(wordAfterMarker(i + 3, false));
            }
            break;
        case u's':
        case u'S':
            if (at(i + 1) == u'e' && at(i + 2) == u'e' && endsToken(i + 3) && startsClause(i)) {
                take(wordAfterMarker(i + 3, false));
            }
            break;
        case u'q':
            if (m_s.sliced(i).startsWith(u"q.v.")) take(wordBefore(i));
            break;
        case u'o':
            if (at(i + 1) == u'f' && endsToken(i + 2)) readOf(i);
            break;
        default:
            break;
        }
    }

    // "pp. of", "pret. 3 sg. of", "dat. pl. f. of" (a gender only after a form label: "<i>f.</i> of
    // old age" is a gloss), "form of", "spelling of".
    void readOf(qsizetype i) {
        const QStringView label = tokenBefore(i);
        const QString before = label.toString().toLower();
        if (isGender(before)) {
            if (!isFormLabel(tokenBefore(label.data() - m_s.data()).toString().toLower())) return;
            take(wordAfterMarker(i + 2, false));
        } else if (isFormLabel(before)) {
            take(wordAfterMarker(i + 2, false));
        } else if (oneOf(before, {u"form", u"forms", u"spelling", u"spellings"})) {
            take(wordAfterMarker(i + 2, true));
        }
    }

    char16_t at(qsizetype i) const { return i >= 0 && i < m_n ? m_s[i].unicode() : char16_t{0}; }
    bool startsToken(qsizetype i) const { return i == 0 || !isWordUnit(at(i - 1)); }
    // The unit at `i` ends the token before it. Where the bytes read end, it is unknown whether
    // the token goes on: no, and the reading is cut.
    bool endsToken(qsizetype i) const {
        if (i < m_n) return !isWordUnit(at(i));
        if (!m_whole) m_cut = true;
        return m_whole;
    }

    // "see" starts a clause: nothing but punctuation and white space before it, never a word.
    bool startsClause(qsizetype i) const {
        qsizetype k = i - 1;
        while (k >= 0 && isSpace(at(k))) --k;
        return k < 0 || !(QChar(at(k)).isLetterOrNumber() || QChar(at(k)).isMark());
    }

    // The white-space-delimited token before position i: "(pret." gives "pret.".
    QStringView tokenBefore(qsizetype i) const {
        qsizetype end = i;
        while (end > 0 && isSpace(at(end - 1))) --end;
        qsizetype begin = end;
        while (begin > 0 && !isSpace(at(begin - 1))) --begin;
        while (begin < end && (at(begin) == u'(' || at(begin) == u'[')) ++begin;
        return m_s.sliced(begin, end - begin);
    }

    // The "v." at i is a word class: "wk. v.", "pret.-pres. v.", "<i>pl. v.</i>".
    bool isVerbClass(qsizetype i) const {
        const QStringView before = tokenBefore(i);
        if (!before.endsWith(u'.')) return false;
        const qsizetype cut = std::max(before.lastIndexOf(u'-', before.size() - 2),
                                       before.lastIndexOf(u'/', before.size() - 2));
        if (isVerbLabel(before.sliced(cut + 1).toString().toLower())) return true;
        // An abbreviation and the "v." in one italic run.
        const qsizetype from = before.data() - m_s.data();
        for (qsizetype k = from; k <= i + 1; ++k) {
            if (!(m_styles[static_cast<std::size_t>(k)] & kStyleItalic)) return false;
        }
        return true;
    }

    // Where a group of letters in parentheses inside a word ends ("(ge)" of "(ge)bīdan", "(c)" of
    // "ā(c)sian"), or k when none begins at k.
    qsizetype afterGroup(qsizetype k) const {
        if (at(k) != u'(') return k;
        qsizetype close = k + 1;
        while (close < m_n && isWordUnit(at(close))) ++close;
        return close > k + 1 && at(close) == u')' ? close + 1 : k;
    }

    // The word starting at the first non-space unit from j: letters, marks, hyphens, raised dots,
    // and letters in parentheses.
    std::optional<ReferenceWord> wordAt(qsizetype j) const {
        while (j < m_n && isSpace(at(j))) ++j;
        if (!QChar(at(afterGroup(j))).isLetter()) return std::nullopt;
        qsizetype end = j;
        for (;;) {
            if (end < m_n && isWordUnit(at(end))) {
                ++end;
            } else if (const qsizetype group = afterGroup(end); group > end) {
                end = group;
            } else {
                break;
            }
        }
        if (!endsToken(end)) return std::nullopt;
        // "cf. Gk.", "v. BT", "v. A 31": abbreviations of languages and books, which no headword is.
        const QStringView word = m_s.sliced(j, end - j);
        const bool lower = std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLower(); });
        if (QChar(at(j)).isUpper() && (at(end) == u'.' || !lower)) return std::nullopt;
        if (at(end) == u'.' && isAbbreviation(m_s.sliced(j, end + 1 - j))) return std::nullopt;
        return ReferenceWord{j, end - j};
    }

    std::optional<ReferenceWord> wordAfterMarker(qsizetype j, bool afterNoun) const {
        std::optional<ReferenceWord> word = wordAt(j);
        if (word && oneOf(text(*word), {u"also", u"under"})) word = wordAt(word->pos + word->len);
        if (!word || isEnglish(text(*word), afterNoun)) return std::nullopt;
        return word;
    }

    // The word before "q.v." at i: "gēar q.v.", "gēar (q.v.)".
    std::optional<ReferenceWord> wordBefore(qsizetype i) const {
        if (!endsToken(i + 4)) return std::nullopt;
        qsizetype end = i;
        while (end > 0 && (isSpace(at(end - 1)) || at(end - 1) == u'(')) --end;
        qsizetype begin = end;
        while (begin > 0 && isWordUnit(at(begin - 1))) --begin;
        while (begin < end && !QChar(at(begin)).isLetter()) ++begin;
        if (begin == end) return std::nullopt;
        const ReferenceWord word{begin, end - begin};
        if (isEnglish(text(word), false)) return std::nullopt;
        return word;
    }

    // English words that are also headwords once folded: "to" (tō), "a" (ā), "an".
    static bool isEnglish(QStringView word, bool afterNoun) {
        return oneOf(word, {u"to", u"a"}) || (afterNoun && oneOf(word, {u"an", u"the"}));
    }

    QStringView text(const ReferenceWord& w) const { return m_s.sliced(w.pos, w.len); }
    void take(std::optional<ReferenceWord> word) {
        if (word) m_words.push_back(*word);
    }

    QStringView m_s;
    const std::vector<std::uint8_t>& m_styles;
    qsizetype m_n;
    bool m_whole;
    mutable bool m_cut = false;
    std::vector<ReferenceWord> m_words;
};

// --- Finding candidates in raw bytes -----------------------------------------------------------

bool isAsciiLetterByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isSpaceByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\xA0';
}

// The bytes after a marker that its word may take ("v.</i> <b>ge-s&e-long;can</b>" and more).
constexpr qsizetype kReach = 160;

// Where in the text's bytes a reference marker may end: every marker the Reader takes ends at
// one of them, and the Reader decides. A tag inside a marker hides it ("s<i>ee</i>"), but before the
// '.' of an abbreviation ("<i>v</i>.").
class Triggers {
public:
    explicit Triggers(QByteArrayView text) : m_b(text) {}

    // The offsets after every place where a marker may end, ascending, and the offsets of the
    // '@'s.
    void find(std::vector<qsizetype>& ends, std::vector<qsizetype>& pages) const {
        const qsizetype n = m_b.size();
        qsizetype i = 0;
#ifdef __SSE2__
        // Only bytes that may end a marker are looked at: '@', '=', '.', the "f" of "of", the last
        // "e" of "see". Picked out 16 at a time: 24 ms over the 60 MB corpus, where a memchr pass
        // for each of these bytes took 58 ms.
        for (; i < std::min<qsizetype>(2, n); ++i) check(i, ends, pages);
        const auto* b = m_b.data();
        for (; i + 16 <= n; i += 16) {
            const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i - 1));
            const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i - 2));
            const auto is = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
            __m128i hit = _mm_or_si128(_mm_or_si128(is(v0, '@'), is(v0, '=')), is(v0, '.'));
            hit = _mm_or_si128(hit, _mm_and_si128(is(v0, 'f'), is(v1, 'o')));
            hit = _mm_or_si128(hit, _mm_and_si128(_mm_and_si128(is(v0, 'e'), is(v1, 'e')),
                                                  _mm_or_si128(is(v2, 's'), is(v2, 'S'))));
            for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit)); mask != 0; mask &= mask - 1) {
                check(i + std::countr_zero(mask), ends, pages);
            }
        }
#endif
        for (; i < n; ++i) check(i, ends, pages);
    }

private:
    // Whether a marker may end at byte i (or a page marker start there).
    void check(qsizetype i, std::vector<qsizetype>& ends, std::vector<qsizetype>& pages) const {
        switch (m_b[i]) {
        case '@':
            pages.push_back(i);
            return;
        case '=':
            break;
        case '.': { // "v." (and "q.v."), "cp.", "cf.", also "<i>v</i>."
            const qsizetype k = beforeTags(i - 1);
            const bool v = at(k) == 'v' && !letterAt(k - 1);
            const bool cpf =
                (at(k) == 'p' || at(k) == 'f') && (at(k - 1) == 'c' || at(k - 1) == 'C') && !letterAt(k - 2);
            if (!v && !cpf) return;
            break;
        }
        case 'e': // "see", "See"
            if (at(i - 1) != 'e' || (at(i - 2) != 's' && at(i - 2) != 'S') || letterAt(i - 3) ||
                letterAt(i + 1))
                return;
            break;
        case 'f': // "of" after a label
            if (at(i - 1) != 'o' || letterAt(i - 2) || letterAt(i + 1) || !labelBefore(i - 2)) return;
            break;
        default:
            return;
        }
        ends.push_back(i + 1);
    }

    char at(qsizetype i) const {
        return i >= 0 && i < m_b.size() ? m_b[i] : '\0';
    }
    bool letterAt(qsizetype i) const {
        return isAsciiLetterByte(at(i));
    }

    // The byte before the tags ("<i>", "</b>", ...) that end at byte i: "v</i>" at its '>' gives
    // the 'v'.
    qsizetype beforeTags(qsizetype i) const {
        while (at(i) == '>') {
            qsizetype open = i - 1;
            while (open > i - 4 && at(open) != '<') --open;
            if (at(open) != '<') break;
            i = open - 1;
        }
        return i;
    }

    // What stands before "of" (white space and tags skipped) ends in '.' or is "form", "spelling"
    // or their plurals.
    bool labelBefore(qsizetype i) const {
        for (qsizetype tags = beforeTags(i);; tags = beforeTags(i)) {
            i = tags;
            while (isSpaceByte(at(i))) --i;
            if (i == tags) break;
        }
        if (at(i) == '.') return true;
        if (at(i) == 's') --i;
        const auto endsWith = [&](const char* word) {
            const auto len = static_cast<qsizetype>(std::strlen(word));
            return i + 1 >= len && m_b.sliced(i + 1 - len, len) == QByteArrayView(word) && !letterAt(i - len);
        };
        return endsWith("form") || endsWith("spelling");
    }

    QByteArrayView m_b;
};

// --- Headword keys ------------------------------------------------------------------------------

// A word's letters as written, folded, without spellingKey's ȝ as g and k as c, and without the
// joiners and parentheses: "Ȝe-cyrred" gives "ȝecyrred".
QString spelt(QStringView word) {
    QString folded = foldText(word);
    folded.removeIf([](QChar c) { return c == u'-' || c == kRaisedDot || c == u'(' || c == u')'; });
    return folded;
}

// "(ge)bīdan" gives "bīdan".
QString withoutGroups(QStringView word) {
    QString without;
    bool inside = false;
    for (const QChar c : word) {
        if (c == u'(' || c == u')') {
            inside = c == u'(';
        } else if (!inside) {
            without.append(c);
        }
    }
    return without;
}

// The first word of a headword, homograph numbers skipped: "I. ār" gives "ār", "ār I." gives "ār".
QStringView firstWord(QStringView headword) {
    qsizetype i = 0;
    const qsizetype n = headword.size();
    for (;;) {
        while (i < n && !(headword[i].isLetter() || headword[i] == u'(')) ++i;
        qsizetype end = i;
        while (end < n &&
               (isWordUnit(headword[end].unicode()) || headword[end] == u'(' || headword[end] == u')')) {
            ++end;
        }
        const QStringView word = headword.sliced(i, end - i);
        const bool number = std::all_of(word.begin(), word.end(),
                                        [](QChar c) { return c == u'I' || c == u'V' || c == u'X'; });
        if (!number || end >= n) return number ? QStringView() : word;
        i = end;
    }
}

} // namespace

std::vector<ReferenceWord> referenceWords(QStringView shown, const std::vector<std::uint8_t>& styles,
                                          bool whole, std::span<const qsizetype> ends, bool* cut) {
    return Reader(shown, styles, whole).read(ends, cut);
}

LinkResolver headwordResolver(const EntryIndex& index) {
    // Each key's first and last line, and each line to the next line of the same key.
    struct Keys {
        QHash<QString, std::pair<qsizetype, qsizetype>> chains;
        std::vector<qsizetype> next;
    };
    auto keys = std::make_shared<Keys>();
    keys->next.assign(static_cast<std::size_t>(index.size()), -1);
    keys->chains.reserve(index.size());
    const auto add = [&](const QString& key, qsizetype line) {
        if (key.isEmpty()) return;
        const auto it = keys->chains.find(key);
        if (it == keys->chains.end()) {
            keys->chains.insert(key, {line, line});
            return;
        }
        qsizetype& last = it->second;
        if (last == line) return;
        keys->next[static_cast<std::size_t>(last)] = line;
        last = line;
    };
    for (qsizetype line = 0; line < index.size(); ++line) {
        const QString headword = index.headword(line);
        const QStringView word = firstWord(headword);
        add(spellingKey(word), line);
        if (word.contains(u'(')) add(spellingKey(withoutGroups(word)), line);
    }
    return [keys, &index](QStringView word, std::vector<qsizetype>& lines) {
        auto it = keys->chains.constFind(spellingKey(word));
        // "(ge)bīdan" names gebīdan, and else bīdan.
        if (it == keys->chains.cend() && word.contains(u'(')) {
            it = keys->chains.constFind(spellingKey(withoutGroups(word)));
        }
        if (it == keys->chains.cend()) return;
        const auto first = static_cast<std::ptrdiff_t>(lines.size());
        for (qsizetype line = it->first; line >= 0; line = keys->next[static_cast<std::size_t>(line)]) {
            lines.push_back(line);
        }
        // Of headwords of one key, those spelt with the word's own letters first: "girc" names
        // girc before ȝirc, "kyning" kyning before cyning.
        if (lines.size() - static_cast<std::size_t>(first) > 1) {
            const QString letters = spelt(word);
            std::stable_partition(lines.begin() + first, lines.end(), [&](qsizetype line) {
                return spelt(firstWord(index.headword(line))) == letters;
            });
        }
    };
}

LinkResolver formResolver(const EntryIndex& index, const FormIndex& forms) {
    // What the forms gave each word asked before: the same words come back (a third of the
    // words no headword names, on the generated corpus), and each costs the analysis some 20 µs.
    auto analysed = std::make_shared<QHash<QString, std::vector<qsizetype>>>();
    return [plain = headwordResolver(index), &forms, analysed](QStringView word,
                                                               std::vector<qsizetype>& lines) {
        const std::size_t before = lines.size();
        plain(word, lines);
        if (lines.size() != before) return;
        auto it = analysed->constFind(word.toString());
        if (it == analysed->cend()) {
            std::vector<qsizetype> found;
            for (const FormCandidate& candidate : forms.candidates(word)) found.push_back(candidate.line);
            it = analysed->insert(word.toString(), std::move(found));
        }
        lines.insert(lines.end(), it->begin(), it->end());
    };
}

LinkIndex::LinkIndex(const TMapTextfile& text, const EntryIndex& index)
    : LinkIndex(text, index, headwordResolver(index)) {}

LinkIndex::LinkIndex(const TMapTextfile& text, const EntryIndex& index, const LinkResolver& resolve) {
    const QByteArrayView all = text.bytes();
    std::vector<qsizetype> allEnds;
    std::vector<qsizetype> allPages;
    Triggers(all).find(allEnds, allPages);
    auto nextEnd = allEnds.begin();
    auto nextPage = allPages.begin();

    std::vector<qsizetype> lines;
    std::vector<qsizetype> ends;
    std::vector<qsizetype> pages;
    std::vector<qsizetype> stops;
    std::vector<qsizetype> shownEnds;
    std::vector<qsizetype> shownPages;
    for (qsizetype line = 0; line < index.size(); ++line) {
        const std::int32_t start = index.offsets[static_cast<std::size_t>(line)];
        // The pane shows the bytes after the '#' through the entry's last byte.
        const qsizetype first = qsizetype{start} - 3;
        const qsizetype last = entryLastByte(text, start);
        if (first < 0 || first > last || last >= all.size()) continue;
        const QByteArrayView entry = all.sliced(first, last + 1 - first);
        // The markers and pages of this entry, relative to it.
        ends.clear();
        pages.clear();
        while (nextEnd != allEnds.end() && *nextEnd <= first) ++nextEnd;
        for (; nextEnd != allEnds.end() && *nextEnd <= last + 1; ++nextEnd) ends.push_back(*nextEnd - first);
        while (nextPage != allPages.end() && *nextPage < first) ++nextPage;
        for (; nextPage != allPages.end() && *nextPage <= last; ++nextPage) {
            pages.push_back(*nextPage - first);
        }
        if (ends.empty() && pages.empty()) continue;

        // The shown text up to the last marker's word, and where the markers and pages show.
        stops.resize(ends.size() + pages.size());
        std::merge(ends.begin(), ends.end(), pages.begin(), pages.end(), stops.begin());
        const qsizetype limit =
            std::max(ends.empty() ? 0 : ends.back() + kReach, pages.empty() ? 0 : pages.back() + 9);
        std::optional<ShownPrefix> shown = shownPrefix(entry, limit, stops);
        // Equal stops show at the same place.
        const auto shownAt = [&](qsizetype offset) {
            return shown->stops[static_cast<std::size_t>(
                std::lower_bound(stops.begin(), stops.end(), offset) - stops.begin())];
        };
        // A style run still open where the bytes read end may make a "v." a label's ("<i>wk. v."):
        // whether it ever closes takes the rest of the entry. So do the eight units a page link
        // spans after its '@' when its bytes show fewer ("@&a-long;...").
        if (shown && !shown->whole &&
            ((!ends.empty() && shown->settled < shownAt(ends.back())) ||
             (!pages.empty() && shownAt(pages.back()) + 9 > shown->text.size()))) {
            shown = shownPrefix(entry, entry.size(), stops);
        }
        std::vector<ReferenceWord> words;
        const auto read = [&] {
            shownEnds.clear();
            shownPages.clear();
            for (const qsizetype end : ends) shownEnds.push_back(shownAt(end));
            for (const qsizetype page : pages) shownPages.push_back(shownAt(page));
            bool cut = false;
            words = shownEnds.empty()
                        ? std::vector<ReferenceWord>()
                        : referenceWords(shown->text, shown->styles, shown->whole, shownEnds, &cut);
            return !cut;
        };
        // A word longer than the bytes read after its marker: read again, all of the entry.
        if (shown && !read()) {
            shown = shownPrefix(entry, entry.size(), stops);
            if (shown) read();
        }
        if (!shown) {
            // A '<' the one pass can't settle: the whole entry, every marker read, and the k-th '@'
            // shown is the k-th '@' byte (no entity or tag makes or removes one).
            FormattedEntry full = formatEntry(decodeEntityBytes(entry), entry.size(), {});
            const qsizetype size = full.text.size();
            shown = ShownPrefix{std::move(full.text), std::move(full.styles), true, size, {}};
            shownPages.clear();
            for (qsizetype at = shown->text.indexOf(u'@'); at >= 0; at = shown->text.indexOf(u'@', at + 1)) {
                shownPages.push_back(at);
            }
            words = referenceWords(shown->text, shown->styles);
        }

        const std::size_t before = m_links.size();
        for (const ReferenceWord& word : words) {
            lines.clear();
            resolve(QStringView(shown->text).sliced(word.pos, word.len), lines);
            // A plugged-in resolver may name a line twice; the entry's own line is no link.
            std::erase(lines, line);
            for (std::size_t k = 1; k < lines.size(); ++k) {
                if (std::find(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(k), lines[k]) !=
                    lines.begin() + static_cast<std::ptrdiff_t>(k)) {
                    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(k--));
                }
            }
            if (lines.empty()) continue;
            Link link;
            link.from = start;
            link.pos = static_cast<std::int32_t>(word.pos);
            link.len = static_cast<std::int32_t>(word.len);
            link.text = shown->text.mid(word.pos, word.len);
            link.target = index.offsets[static_cast<std::size_t>(lines.front())];
            link.othersBegin = static_cast<std::int32_t>(m_others.size());
            link.othersCount = static_cast<std::int32_t>(lines.size() - 1);
            for (std::size_t k = 1; k < lines.size(); ++k) {
                m_others.push_back(index.offsets[static_cast<std::size_t>(lines[k])]);
            }
            m_links.push_back(std::move(link));
            ++m_entryLinks;
        }

        for (std::size_t k = 0; k < shownPages.size() && k < pages.size(); ++k) {
            const qsizetype at = shownPages[k];
            if (at < 0) continue;
            const qsizetype name = first + pages[k] + 1;
            Link link;
            link.from = start;
            link.pos = static_cast<std::int32_t>(at);
            link.len = static_cast<std::int32_t>(std::min<qsizetype>(9, shown->text.size() - at));
            link.text = shown->text.mid(at, link.len);
            link.page = widen(all.sliced(name, std::min<qsizetype>(8, all.size() - name)));
            m_links.push_back(std::move(link));
        }
        std::sort(m_links.begin() + static_cast<std::ptrdiff_t>(before), m_links.end(),
                  [](const Link& a, const Link& b) { return a.pos < b.pos; });
    }

    // The reverse list, each target's referrers in file order: a stable sort of the links (in
    // file order already) by target.
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs; // target, from
    pairs.reserve(static_cast<std::size_t>(m_entryLinks));
    for (const Link& link : m_links) {
        if (!link.isPage()) pairs.emplace_back(link.target, link.from);
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    for (const auto& [target, from] : pairs) {
        if (m_referred.empty() || m_referred.back() != target) {
            m_referred.push_back(target);
            m_referrersBegin.push_back(m_referrers.size());
        }
        m_referrers.push_back(from);
    }
    m_referrersBegin.push_back(m_referrers.size());
}

std::span<const LinkIndex::Link> LinkIndex::linksOf(std::int32_t start) const {
    const auto range =
        std::equal_range(m_links.begin(), m_links.end(), start, [](const auto& a, const auto& b) {
            if constexpr (std::is_same_v<std::decay_t<decltype(a)>, Link>) {
                return a.from < b;
            } else {
                return a < b.from;
            }
        });
    return {range.first, range.second};
}

std::span<const std::int32_t> LinkIndex::homographs(const Link& link) const {
    return std::span<const std::int32_t>(m_others).subspan(static_cast<std::size_t>(link.othersBegin),
                                                           static_cast<std::size_t>(link.othersCount));
}

std::span<const std::int32_t> LinkIndex::referrers(std::int32_t start) const {
    const auto it = std::lower_bound(m_referred.begin(), m_referred.end(), start);
    if (it == m_referred.end() || *it != start) return {};
    const auto i = static_cast<std::size_t>(it - m_referred.begin());
    return std::span<const std::int32_t>(m_referrers)
        .subspan(m_referrersBegin[i], m_referrersBegin[i + 1] - m_referrersBegin[i]);
}

} // namespace wordhoard
