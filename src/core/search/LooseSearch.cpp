// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/LooseSearch.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntityTable.h"
#include "text/Folding.h"
#include "text/MapTextfile.h"
#include "search/SearchTerm.h"

#include <QChar>
#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <cstring>
#include <iterator>
#include <optional>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wordhoard {

namespace {

// The folded letter a character stands for, or 0 when it is no letter.
char16_t letterOf(char16_t ch) {
    return QChar(ch).isLetter() ? foldUnit(ch) : 0;
}

// Every way the text writes the letters that fold to one letter.
struct Spellings {
    QByteArray bytes;                    // raw Windows-1252 bytes
    std::vector<std::string_view> names; // entity names of the table, '&' and ';' included
    // The bytes the names hold right after their '&' and right before their ';': reading a run,
    // most entities are told apart by one of them without looking the name up.
    std::array<bool, 256> second{};
    std::array<bool, 256> beforeSemicolon{};
};

// Derived from the code page and the entity table, once.
const QHash<char16_t, Spellings>& spellingsByLetter() {
    static const QHash<char16_t, Spellings> table = [] {
        QHash<char16_t, Spellings> made;
        for (int b = 0; b < 256; ++b) {
            if (const char16_t letter = letterOf(widenByte(static_cast<unsigned char>(b)))) {
                made[letter].bytes.append(static_cast<char>(b));
            }
        }
        for (const EntityRow& row : EntityTable) {
            if (const char16_t letter = letterOf(row.character)) {
                Spellings& spellings = made[letter];
                spellings.names.push_back(row.name);
                spellings.second[static_cast<unsigned char>(row.name[1])] = true;
                spellings.beforeSemicolon[static_cast<unsigned char>(row.name[row.name.size() - 2])] = true;
            }
        }
        return made;
    }();
    return table;
}

// Per byte, the folded letter the byte writes, or 0.
const std::array<char16_t, 256>& byteLetters() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> made{};
        for (std::size_t b = 0; b < made.size(); ++b) made[b] = letterOf(widenByte(static_cast<unsigned char>(b)));
        return made;
    }();
    return table;
}

// The folded letter of the entity that begins at text[amp] ("&aelig;" gives 'æ') and where it
// ends; a letter of 0 where none begins or it is no letter.
std::pair<char16_t, qsizetype> entityLetterAt(QByteArrayView text, qsizetype amp) {
    const std::optional<EntityToken> entity = entityAt(text, amp);
    if (!entity) return {0, 0};
    return {letterOf(*entity->character), entity->end};
}

// ---- The term ------------------------------------------------------------------------------------

// How many units the escape at term[i] (a backslash) takes: "\d", "\x{e6}", "\xE6", "\p{L}",
// "\k<name>", "\Q...\E" and the like; what they hold is never expanded.
qsizetype escapeLength(QStringView term, qsizetype i) {
    const qsizetype n = term.size();
    if (i + 1 >= n) return n - i;
    const auto through = [&](qsizetype from, char16_t close) {
        const qsizetype end = term.indexOf(QChar(close), from);
        return end < 0 ? n - i : end + 1 - i;
    };
    const char16_t c = term[i + 1].unicode();
    const char16_t next = i + 2 < n ? term[i + 2].unicode() : 0;
    switch (c) {
    case u'Q': {
        const qsizetype end = term.indexOf(u"\\E", i + 2);
        return end < 0 ? n - i : end + 2 - i;
    }
    case u'x':
    case u'o':
    case u'p':
    case u'P':
    case u'N':
    case u'g':
    case u'k':
        if (next == u'{') return through(i + 3, u'}');
        if ((c == u'g' || c == u'k') && next == u'<') return through(i + 3, u'>');
        if ((c == u'g' || c == u'k') && next == u'\'') return through(i + 3, u'\'');
        if (c == u'x') {
            const auto isHex = [](QChar h) {
                return (h >= u'0' && h <= u'9') || (h >= u'a' && h <= u'f') || (h >= u'A' && h <= u'F');
            };
            qsizetype j = i + 2;
            while (j < n && j < i + 4 && isHex(term[j])) ++j;
            return j - i;
        }
        if (c == u'p' || c == u'P') return std::min<qsizetype>(3, n - i);
        if (c == u'g') {
            qsizetype j = i + 2;
            if (j < n && (term[j] == u'-' || term[j] == u'+')) ++j;
            while (j < n && term[j].isDigit()) ++j;
            return j - i;
        }
        return 2;
    case u'c':
        return std::min<qsizetype>(3, n - i);
    default:
        if (term[i + 1].isDigit()) {
            qsizetype j = i + 1;
            while (j < n && term[j].isDigit()) ++j;
            return j - i;
        }
        return 2;
    }
}

// How many units the character class at term[i] (a '[') takes, "[]a]", "[^]a]", "[[:alpha:]x]"
// and escapes inside included; an unclosed class takes the rest of the term.
qsizetype classLength(QStringView term, qsizetype i) {
    const qsizetype n = term.size();
    qsizetype j = i + 1;
    if (j < n && term[j] == u'^') ++j;
    if (j < n && term[j] == u']') ++j;
    while (j < n) {
        if (term[j] == u'\\') {
            j += 2;
        } else if (term[j] == u'[' && j + 1 < n && term[j + 1] == u':') {
            const qsizetype end = term.indexOf(u":]", j + 2);
            j = end < 0 ? j + 1 : end + 2;
        } else if (term[j] == u']') {
            return j + 1 - i;
        } else {
            ++j;
        }
    }
    return n - i;
}

// The expansion of one folded letter: its raw bytes, each checked to stand outside a decoded
// entity, or an '&' that begins a decoded entity followed by one of its names, compared in case.
QString expansion(const Spellings& spellings) {
    QString out = QStringLiteral("(?:");
    if (!spellings.bytes.isEmpty()) {
        out += u'[' + widen(spellings.bytes) + QStringLiteral("](?C1)");
        if (!spellings.names.empty()) out += u'|';
    }
    if (!spellings.names.empty()) {
        out += QStringLiteral("&(?C2)(?-i:");
        for (std::size_t k = 0; k < spellings.names.size(); ++k) {
            if (k > 0) out += u'|';
            const std::string_view name = spellings.names[k].substr(1); // '&' is matched before
            out += QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
        }
        out += u')';
    }
    out += u')';
    return out;
}

// Builds both passes' patterns, the strict patterns beside them, and their letter runs while
// reading the term once.
class PassBuilder {
public:
    // Text that stays as the strict search writes it: entities encoded, '?' the wildcard.
    void strict(QStringView text) {
        for (const QChar ch : encodeEntities(text)) {
            if (ch == u'?') {
                m_entity.append(u"&.*;");
                m_letter.append(u".");
                m_wildcard = true;
            } else {
                m_entity.append(QStringView(&ch, 1));
                m_letter.append(QStringView(&ch, 1));
            }
        }
        endRun();
    }

    // Text that PCRE2 passes over, "\E" or "\Q\E": a quantifier after it applies to what stands
    // before it, so the run goes on ("ab\E*" is "ab*").
    void transparent(QStringView text) {
        m_entity.append(text);
        m_letter.append(text);
        m_onlyLetters = false;
    }

    // A letter of the term, `typed` as it stands there, `folded` what it matches.
    void letter(QChar typed, char16_t folded, bool topLevel) {
        const auto& table = spellingsByLetter();
        const auto it = table.constFind(folded);
        const QString strictText = encodeEntities(QStringView(&typed, 1));
        if (it == table.cend()) {
            m_unwritable = true;
            m_entity.append(strictText);
            m_letter.append(strictText);
            endRun();
            return;
        }
        const QString group = expansion(*it);
        m_entity.expand(group, strictText);
        m_letter.expand(group, strictText);
        m_expanded = true;
        if (topLevel) {
            m_run += QChar(folded);
        } else {
            endRun();
        }
    }

    // A combining mark: folding removes it, the strict pattern keeps it.
    void mark(QChar typed) {
        const QString strictText = encodeEntities(QStringView(&typed, 1));
        m_entity.expand(QString(), strictText);
        m_letter.expand(QString(), strictText);
    }

    // A quantifier makes what stands before it optional: a letter it follows leaves the run.
    void quantifier(QChar ch) {
        if (!m_run.isEmpty() && m_lastWasLetter) m_run.chop(1);
        strict(QStringView(&ch, 1));
    }

    void noteLetter(bool wasLetter) {
        m_lastWasLetter = wasLetter;
        if (!wasLetter) m_onlyLetters = false;
    }
    void noRuns() { m_noRuns = true; }

    std::vector<LoosePass> finish(QStringView term) {
        endRun();
        std::vector<LoosePass> passes;
        const auto make = [&](const Pattern& pattern) {
            LoosePass pass;
            pass.pattern = pattern.loose;
            pass.strictLength = pattern.strict.size();
            pass.typedLength = term.size();
            pass.expansions = pattern.expansions;
            pass.expanded = m_expanded;
            pass.unwritable = m_unwritable;
            if (!m_noRuns) pass.runs = m_runs;
            pass.pureRun = m_onlyLetters && !m_noRuns && m_runs.size() == 1;
            return pass;
        };
        passes.push_back(make(m_entity));
        if (m_wildcard) passes.push_back(make(m_letter));
        return passes;
    }

private:
    // One pass's loose pattern and its strict pattern, side by side.
    struct Pattern {
        QString loose;
        QString strict;
        std::vector<LoosePass::Expansion> expansions;

        // Text that both patterns write alike.
        void append(QStringView text) {
            loose += text;
            strict += text;
        }
        void expand(const QString& looseText, const QString& strictText) {
            expansions.push_back({loose.size(), loose.size() + looseText.size(), strict.size(),
                                  strict.size() + strictText.size()});
            loose += looseText;
            strict += strictText;
        }
    };

    void endRun() {
        if (!m_run.isEmpty()) m_runs.push_back(m_run);
        m_run.clear();
    }

    Pattern m_entity;
    Pattern m_letter;
    QString m_run;
    std::vector<QString> m_runs;
    bool m_wildcard = false;
    bool m_expanded = false;
    bool m_unwritable = false;
    bool m_noRuns = false;
    bool m_lastWasLetter = false;
    bool m_onlyLetters = true;
};

} // namespace

qsizetype LoosePass::strictOffset(qsizetype looseOffset) const {
    qsizetype shift = 0; // strict minus loose length of the expansions passed
    for (const Expansion& e : expansions) {
        if (looseOffset <= e.looseStart) break;
        if (looseOffset < e.looseEnd) return e.strictEnd;
        shift += (e.strictEnd - e.strictStart) - (e.looseEnd - e.looseStart);
    }
    return looseOffset + shift;
}

std::vector<LoosePass> looseSearchPasses(QStringView term) {
    PassBuilder build;
    const qsizetype n = term.size();
    int depth = 0;
    for (qsizetype i = 0; i < n;) {
        const QChar ch = term[i];
        const char16_t unit = ch.unicode();
        bool wasLetter = false;
        if (unit == u'\\') {
            const qsizetype len = escapeLength(term, i);
            const QStringView escape = term.sliced(i, len);
            i += len;
            if (escape == u"\\E" || escape == u"\\Q\\E") {
                build.transparent(escape);
                continue; // what stood before stays the one a quantifier follows
            }
            build.strict(escape);
        } else if (unit == u'[') {
            const qsizetype len = classLength(term, i);
            build.strict(term.sliced(i, len));
            i += len;
        } else if (unit == u'(' && i + 1 < n && term[i + 1] == u'*') {
            // A verb such as "(*ACCEPT)" or "(*COMMIT)", or "(*nla:" and its like: its name is
            // syntax, not letters, and a match need not hold the letters around it.
            const qsizetype end = term.indexOf(u')', i);
            const qsizetype len = end < 0 ? n - i : end + 1 - i;
            build.strict(term.sliced(i, len));
            build.noRuns();
            i += len;
        } else if (unit == u'*' || unit == u'+' || unit == u'{') {
            build.quantifier(ch);
            ++i;
        } else if (ch.isLetter()) {
            build.letter(ch, foldUnit(unit), depth == 0);
            wasLetter = true;
            ++i;
        } else if (ch.isMark()) {
            build.mark(ch);
            ++i;
            wasLetter = true; // ... and the letter before it stays the one a quantifier follows
        } else {
            if (unit == u'(') ++depth;
            if (unit == u')') depth = std::max(0, depth - 1);
            if (unit == u'|' && depth == 0) build.noRuns();
            if (unit == 0) build.noRuns(); // the compiler reads the pattern up to its first NUL
            build.strict(term.sliced(i, 1));
            ++i;
        }
        build.noteLetter(wasLetter);
    }
    return build.finish(term);
}

// ---- The index -----------------------------------------------------------------------------------

namespace {

// The letters a scan of the text looks for: the bytes from 0x80 on that write one of them, and
// the two bytes after the '&' of each of their entities ("&a-long;" gives "a-"; "&aelig;", whose
// "ae" no 'a' entity begins with, is passed over unread).
struct WantedLetters {
    QString letters; // folded; empty: every letter
    std::array<bool, 256> byte{};
    std::bitset<1 << 16> pair; // by second << 8 | third

    explicit WantedLetters(QStringView wanted) : letters(wanted.toString()) {
        const auto& table = spellingsByLetter();
        for (const QChar letter : wanted) {
            const auto it = table.constFind(letter.unicode());
            if (it == table.cend()) continue;
            for (const char b : it->bytes) byte[static_cast<unsigned char>(b)] = true;
            for (const std::string_view name : it->names) add(name);
        }
    }
    // Every letter.
    WantedLetters() {
        for (std::size_t b = 0x80; b < byte.size(); ++b) byte[b] = byteLetters()[b] != 0;
        for (const auto& spellings : spellingsByLetter()) {
            for (const std::string_view name : spellings.names) add(name);
        }
    }

    bool wants(char16_t letter) const {
        return letter != 0 && (letters.isEmpty() || letters.contains(QChar(letter)));
    }
    bool mayBegin(unsigned char second, unsigned char third) const {
        return pair.test(std::size_t{second} << 8 | third);
    }

private:
    void add(std::string_view name) {
        pair.set(std::size_t{static_cast<unsigned char>(name[1])} << 8 | static_cast<unsigned char>(name[2]));
    }
};

// Calls found(letter, at, length) for every place of `text` where a wanted letter is written as a
// byte from 0x80 on or as an entity of the table, in increasing order.
template <typename Found>
void scanPlaces(QByteArrayView text, const WantedLetters& wanted, Found found) {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype n = text.size();
    const auto& letters = byteLetters();
    const auto record = [&](qsizetype at) {
        if (t[at] == '&') {
            if (at + 2 >= n || !wanted.mayBegin(t[at + 1], t[at + 2])) return;
            const auto [letter, end] = entityLetterAt(text, at);
            if (wanted.wants(letter)) found(letter, at, end - at);
        } else if (wanted.byte[t[at]] && wanted.wants(letters[t[at]])) {
            found(letters[t[at]], at, 1);
        }
    };
    qsizetype at = 0;
#if defined(__SSE2__)
    // 64 bytes at a time: an '&' or a byte with its top bit set.
    const __m128i amp = _mm_set1_epi8('&');
    const auto candidates = [&](const unsigned char* p) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, amp), v));
        return static_cast<std::uint64_t>(static_cast<unsigned>(mask));
    };
    for (; at + 66 <= n; at += 64) {
        std::uint64_t mask = candidates(t + at) | candidates(t + at + 16) << 16 |
                             candidates(t + at + 32) << 32 | candidates(t + at + 48) << 48;
        while (mask != 0) {
            // Most '&'s begin entities of other letters: passed over here, not handed on.
            const qsizetype p = at + std::countr_zero(mask);
            if (t[p] != '&' || wanted.mayBegin(t[p + 1], t[p + 2])) record(p);
            mask &= mask - 1;
        }
    }
#endif
    for (; at < n; ++at) {
        if (t[at] == '&' || t[at] >= 0x80) record(at);
    }
}

} // namespace

LooseIndex::LooseIndex(const TMapTextfile& text) : m_text(text) {
    const QByteArrayView all = m_text.bytes();
    constexpr qsizetype kChunks = 64;
    constexpr qsizetype kChunk = 4096;
    const qsizetype chunks = all.size() <= kChunks * kChunk ? 1 : kChunks;
    const WantedLetters everyLetter;
    for (qsizetype c = 0; c < chunks; ++c) {
        const QByteArrayView chunk = all.sliced(c * (all.size() / chunks)).first(std::min(kChunk, all.size() - c * (all.size() / chunks)));
        m_sampledBytes += chunk.size();
        for (qsizetype at = 0; at < chunk.size(); ++at) {
            const auto x = static_cast<std::size_t>((chunk[at] | 0x20) - 'a');
            if (x >= 26 || !QChar(chunk[at]).isLetter()) continue;
            for (int d = 0; d <= kMaxDistance && at + d < chunk.size(); ++d) {
                const auto y = static_cast<std::size_t>((chunk[at + d] | 0x20) - 'a');
                if (y < 26 && QChar(chunk[at + d]).isLetter()) ++m_sampled[static_cast<std::size_t>(d)][x][y];
            }
        }
        scanPlaces(chunk, everyLetter,
                   [&](char16_t letter, qsizetype, qsizetype) { ++m_sampledPlaces[letter]; });
    }
}

void LooseIndex::indexLetters(QStringView letters) const {
    QString missing;
    for (const QChar letter : letters) {
        if (!m_places.contains(letter.unicode()) && !missing.contains(letter)) missing += letter;
    }
    if (missing.isEmpty()) return;
    for (const QChar letter : std::as_const(missing)) m_places[letter.unicode()];
    // Runs of one letter are common (every "&aelig;" of a page): keep its list at hand.
    char16_t lastLetter = 0;
    Places* last = nullptr;
    scanPlaces(m_text.bytes(), WantedLetters(missing), [&](char16_t letter, qsizetype at, qsizetype length) {
        if (letter != lastLetter) {
            last = &m_places[letter];
            lastLetter = letter;
        }
        last->at.push_back(static_cast<std::int32_t>(at));
        last->length.push_back(static_cast<std::uint8_t>(length));
    });
}

const LooseIndex::Places& LooseIndex::places(char16_t letter) const {
    indexLetters(QStringView(&letter, 1));
    return m_places.find(letter)->second;
}

qint64 LooseIndex::placesEstimate(char16_t letter) const {
    if (m_sampledBytes == 0) return 0;
    const auto it = m_sampledPlaces.find(letter);
    const qint64 seen = it == m_sampledPlaces.end() ? 0 : it->second;
    return (seen + 1) * m_text.bytes().size() / m_sampledBytes;
}

qint64 LooseIndex::plainEstimate(char16_t a, char16_t b, int distance) const {
    const auto slot = [](char16_t letter) { return static_cast<std::size_t>(QChar(letter).toLower().unicode() - u'a'); };
    if (distance < 0 || distance > kMaxDistance || slot(a) >= 26 || slot(b) >= 26 || m_sampledBytes == 0) {
        return m_text.bytes().size();
    }
    const qint64 seen = m_sampled[static_cast<std::size_t>(distance)][slot(a)][slot(b)];
    return (seen + 1) * m_text.bytes().size() / m_sampledBytes;
}

// ---- Candidates ----------------------------------------------------------------------------------

namespace {

// Reading a run letter by letter around the letter found: whether its letter `k` is written
// from (or up to) an offset, in a plain byte or an entity of the table, and where that ends.
class RunReader {
public:
    RunReader(QByteArrayView all, QStringView run) : m_all(all), m_run(run) {
        const auto& table = spellingsByLetter();
        for (const QChar letter : run) {
            const auto it = table.constFind(letter.unicode());
            m_spellings.push_back(it == table.cend() ? nullptr : &*it);
        }
    }

    // The whole run around its letter `pivot`, which is written at [at, end); or nothing.
    std::optional<LooseOccurrence> around(qsizetype pivot, qsizetype at, qsizetype end) const {
        for (qsizetype k = pivot + 1; k < m_run.size(); ++k) {
            end = endOfLetterAt(k, end);
            if (end < 0) return std::nullopt;
        }
        for (qsizetype k = pivot - 1; k >= 0; --k) {
            at = startOfLetterBefore(k, at);
            if (at < 0) return std::nullopt;
        }
        return LooseOccurrence{static_cast<std::int32_t>(at), static_cast<std::int32_t>(end)};
    }

private:
    qsizetype endOfLetterAt(qsizetype k, qsizetype at) const {
        if (at >= m_all.size()) return -1;
        const auto byte = static_cast<unsigned char>(m_all[at]);
        const char16_t letter = m_run[k].unicode();
        if (byte != '&') return byteLetters()[byte] == letter ? at + 1 : -1;
        if (!m_spellings[k] || at + 1 >= m_all.size() || !m_spellings[k]->second[static_cast<unsigned char>(m_all[at + 1])]) {
            return -1;
        }
        const auto [found, end] = entityLetterAt(m_all, at);
        return found == letter ? end : -1;
    }

    qsizetype startOfLetterBefore(qsizetype k, qsizetype at) const {
        if (at <= 0) return -1;
        const auto byte = static_cast<unsigned char>(m_all[at - 1]);
        const char16_t letter = m_run[k].unicode();
        if (byte != ';') return byteLetters()[byte] == letter ? at - 1 : -1;
        if (!m_spellings[k] || at < 2 || !m_spellings[k]->beforeSemicolon[static_cast<unsigned char>(m_all[at - 2])]) {
            return -1;
        }
        const qsizetype from = std::max<qsizetype>(0, at - static_cast<qsizetype>(kLongestEntityName));
        const qsizetype amp = m_all.sliced(from, at - from).lastIndexOf('&');
        if (amp < 0) return -1;
        const auto [found, end] = entityLetterAt(m_all, from + amp);
        return found == letter && end == at ? from + amp : -1;
    }

    QByteArrayView m_all;
    QStringView m_run;
    std::vector<const Spellings*> m_spellings;
};

constexpr qsizetype kMaxWindow = 3;

// Where to look for a run: its letters [first, first + length). A stretch of ASCII letters is
// looked for as plain bytes by one scan of the text, which checks the bytes of two of its letters
// (`checked`, offsets in the stretch) and leaves the rest to the reading around; each letter's
// other spellings come from the index. Any other letter (length 1) comes from the index alone.
struct Plan {
    const QString* run = nullptr;
    qsizetype first = 0;
    qsizetype length = 0;
    bool scan = false;
    qsizetype checked[2] = {0, 0};
    qsizetype checkedCount = 0;
    qint64 cost = 0;
};

Plan cheapestPlan(QByteArrayView all, const LooseIndex& index, const std::vector<QString>& runs) {
    Plan best;
    const qint64 scanCost = all.size() / 64; // one scan, in the currency of one reading around
    const auto consider = [&](const Plan& plan) {
        if (best.run == nullptr || plan.cost < best.cost) best = plan;
    };
    for (const QString& run : runs) {
        for (qsizetype first = 0; first < run.size(); ++first) {
            const char16_t letter = run[first].unicode();
            if (letter >= 0x80) {
                consider({&run, first, 1, false, {0, 0}, 0, index.placesEstimate(letter)});
                continue;
            }
            // The scan reads the text once; what it finds shrinks with the pair it checks, and the
            // index places of the stretch's letters grow with the stretch.
            qint64 others = 0;
            for (qsizetype length = 1; length <= kMaxWindow && first + length <= run.size(); ++length) {
                const char16_t last = run[first + length - 1].unicode();
                if (last >= 0x80) break;
                others += index.placesEstimate(last);
                for (qsizetype x = 0; x < length; ++x) {
                    for (qsizetype y = x; y < length; ++y) {
                        const qint64 found = index.plainEstimate(run[first + x].unicode(), run[first + y].unicode(),
                                                                 static_cast<int>(y - x));
                        consider({&run, first, length, true, {x, y}, x == y ? 1 : 2, scanCost + others + found});
                    }
                }
            }
        }
    }
    return best;
}

// Calls found(at) for every offset at which the plan's stretch may stand written as plain bytes:
// its checked letters are there in either case. In increasing order.
template <typename Found>
void scanPlainStretch(QByteArrayView all, QStringView stretch, const Plan& plan, Found found) {
    const auto* t = reinterpret_cast<const unsigned char*>(all.data());
    const qsizetype last = all.size() - stretch.size(); // the last offset with room for the stretch
    // An ASCII letter with the 0x20 bit set is its lower case, and only it and its upper case give
    // that byte so.
    unsigned char want[2] = {0, 0};
    for (qsizetype c = 0; c < plan.checkedCount; ++c) {
        want[c] = static_cast<unsigned char>(QChar(stretch[plan.checked[c]]).toLower().unicode());
    }
    const auto matchesAt = [&](qsizetype at) {
        for (qsizetype c = 0; c < plan.checkedCount; ++c) {
            if ((t[at + plan.checked[c]] | 0x20) != want[c]) return false;
        }
        return true;
    };
    qsizetype at = 0;
#if defined(__SSE2__)
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i want0 = _mm_set1_epi8(static_cast<char>(want[0]));
    const __m128i want1 = _mm_set1_epi8(static_cast<char>(plan.checkedCount > 1 ? want[1] : want[0]));
    const qsizetype off0 = plan.checked[0];
    const qsizetype off1 = plan.checkedCount > 1 ? plan.checked[1] : plan.checked[0];
    for (; at + 15 <= last; at += 16) {
        const __m128i a = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at + off0)), caseBit);
        const __m128i b = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at + off1)), caseBit);
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, want0), _mm_cmpeq_epi8(b, want1))));
        while (mask != 0) {
            found(at + std::countr_zero(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; at <= last; ++at) {
        if (matchesAt(at)) found(at);
    }
}

} // namespace

std::vector<LooseOccurrence> looseCandidates(const TMapTextfile& text, const LooseIndex& index,
                                             const std::vector<QString>& runs) {
    const QByteArrayView all = text.bytes();
    const Plan plan = cheapestPlan(all, index, runs);
    if (plan.run == nullptr) return {};
    const QStringView run = *plan.run;
    index.indexLetters(run.sliced(plan.first, plan.length));
    const RunReader reader(all, run);
    // One stream per way of finding the run, each in text order: with one of the stretch's
    // letters written as the index knows it, or with all of them as plain bytes.
    std::vector<std::vector<LooseOccurrence>> streams;
    for (qsizetype k = plan.first; k < plan.first + plan.length; ++k) {
        const LooseIndex::Places& places = index.places(run[k].unicode());
        std::vector<LooseOccurrence>& found = streams.emplace_back();
        for (std::size_t p = 0; p < places.at.size(); ++p) {
            const qsizetype at = places.at[p];
            if (const auto occurrence = reader.around(k, at, at + places.length[p])) found.push_back(*occurrence);
        }
    }
    if (plan.scan) {
        std::vector<LooseOccurrence>& found = streams.emplace_back();
        const char16_t firstLetter = run[plan.first].unicode();
        scanPlainStretch(all, run.sliced(plan.first, plan.length), plan, [&](qsizetype at) {
            // The scan checked two of the stretch's letters; its first is read here, the rest
            // around it.
            if (byteLetters()[static_cast<unsigned char>(all[at])] != firstLetter) return;
            if (const auto occurrence = reader.around(plan.first, at, at + 1)) found.push_back(*occurrence);
        });
    }
    const auto earlier = [](const LooseOccurrence& a, const LooseOccurrence& b) {
        return a.start < b.start || (a.start == b.start && a.end < b.end);
    };
    std::vector<LooseOccurrence> out;
    for (std::vector<LooseOccurrence>& found : streams) {
        // Letters read back before the one found vary in length, so a stream is in order only
        // nearly: sort what is not.
        if (!std::is_sorted(found.begin(), found.end(), earlier)) std::sort(found.begin(), found.end(), earlier);
        std::vector<LooseOccurrence> merged;
        merged.reserve(out.size() + found.size());
        std::merge(out.begin(), out.end(), found.begin(), found.end(), std::back_inserter(merged), earlier);
        out = std::move(merged);
    }
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// ---- Entities the decoding reads -----------------------------------------------------------------

DecodedEntities::DecodedEntities(QByteArrayView subject) : m_subject(subject) {}

std::uint8_t DecodedEntities::at(qsizetype q) {
    if (m_full) return m_mask[static_cast<std::size_t>(q)];
    const QByteArrayView s = m_subject;
    constexpr auto longest = static_cast<qsizetype>(kLongestEntityName);
    // The token that holds q begins at the first '&' after the last ';' before q, and ends at the
    // first ';' from q on; it is an entity only when it names one, so it is at most 20 long.
    qsizetype amp = -1;
    for (qsizetype k = q; k >= 0 && k > q - longest; --k) {
        if (s[k] == ';' && k < q) break;
        if (s[k] == '&') amp = k;
    }
    if (amp < 0) return 0;
    // With no ';' between `amp` and q, the token's ';' is the first from q on.
    const std::optional<EntityToken> entity = entityAt(s, amp);
    if (!entity || entity->end <= q) return 0;
    // No earlier '&' may open the token before `amp`: look back to the last ';'. Far back the
    // answer needs the whole text; work it out once for every byte.
    for (qsizetype k = amp - 1; k >= 0; --k) {
        if (s[k] == ';') break;
        if (s[k] == '&') return 0;
        if (amp - k > kLocalReach) {
            decodedEntityMask(s, m_mask);
            m_full = true;
            return m_mask[static_cast<std::size_t>(q)];
        }
    }
    return q == amp ? 1 : 2;
}

void decodedEntityMask(QByteArrayView subject, std::vector<std::uint8_t>& mask) {
    mask.assign(static_cast<std::size_t>(subject.size()), 0);
    readEntityTokens(
        subject, [](qsizetype, qsizetype) {},
        [&](qsizetype from, qsizetype to, char16_t) {
            mask[static_cast<std::size_t>(from)] = 1;
            std::fill(mask.begin() + from + 1, mask.begin() + to, std::uint8_t{2});
        });
}

bool isDecodedOccurrence(QByteArrayView subject, DecodedEntities& entities, qsizetype start, qsizetype end) {
    for (qsizetype at = start; at < end;) {
        if (subject[at] == '&') {
            if (entities.at(at) != 1) return false;
            at = subject.indexOf(';', at) + 1;
        } else {
            if (entities.at(at) != 0) return false;
            ++at;
        }
    }
    return true;
}

} // namespace wordhoard
