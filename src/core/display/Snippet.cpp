#include "display/Snippet.h"

#include "text/CodePage.h"
#include "text/EntityTable.h"
#include "text/MapTextfile.h"

#include <QByteArrayView>
#include <QChar>

#include <algorithm>
#include <string_view>
#include <vector>

namespace wordhoard {

namespace {

// One character of decoded entry text and the raw bytes [from, to) it stands for.
struct Unit {
    char16_t ch;
    qsizetype from;
    qsizetype to;
};

// The most raw bytes read on either side of a match; beyond it (tags or white space all the way)
// a snippet makes do with fewer characters. The first reach, 240 bytes, is some 30 words of
// dictionary text: one reading is enough but where entities or tags crowd together.
constexpr qsizetype kMostReach = qsizetype{1} << 16;
// A tag cut by a window's edge leaves at most 3 of its characters inside ("b>" of "<b>", "</b"
// of "</b>"); so many characters at an edge that is not the entry's own are not trusted.
constexpr std::size_t kEdgeUnits = 3;

constexpr char16_t kEllipsis = u'\u2026';
// How far a cut end moves back to the space before a word it would split.
constexpr qsizetype kWordSlack = 15;

// Where decoding can take up the entry that starts at `entryStart` so as to give, from `at` on,
// what decoding the whole entry gives; and whether that point lies inside a token that stays as
// written. Tokens are read from the entry's start, and the reading is outside any token right
// after every ';'. So the nearest '&' or ';' before `at` tells:
//   none, or ';'  outside a token: begin at `at`.
//   '&' at a      inside a token that began at a or before. One reaching past
//                 at - kLongestEntityName is longer than any name: it stays as written up to its
//                 ';'. Else begin at a. (Had the token begun before a, it holds two '&'s and is
//                 no entity, yet read from a it may look like one: that one unit lies at the
//                 window's edge, which is not trusted anyway.)
struct Resume {
    qsizetype at;
    bool inToken;
};

Resume resumeAt(QByteArrayView all, qsizetype entryStart, qsizetype at) {
    qsizetype a = at - 1;
    while (a >= entryStart && all[a] != '&' && all[a] != ';') --a;
    if (a < entryStart || all[a] == ';') return {at, false};
    if (at - a >= static_cast<qsizetype>(kLongestEntityName)) return {at, true};
    return {a, false};
}

// Decodes the raw bytes [from, to) as decodeEntityBytes does, into units that remember their
// bytes; a token begun before `to` may be looked up with the bytes up to `limit`.
void decodeRange(QByteArrayView all, qsizetype from, qsizetype to, qsizetype limit, bool inToken,
                 std::vector<Unit>& out) {
    for (qsizetype i = from; i < to;) {
        const char c = all[i];
        if (c == '&' && !inToken) {
            const qsizetype stop = std::min(limit, i + static_cast<qsizetype>(kLongestEntityName));
            const qsizetype semi = all.first(stop).indexOf(';', i + 1);
            if (semi >= 0) {
                const std::string_view token(all.data() + i, static_cast<std::size_t>(semi + 1 - i));
                if (const auto ch = entityCharacter(token)) {
                    out.push_back({*ch, i, semi + 1});
                    i = semi + 1;
                    continue;
                }
            }
            inToken = true; // no entity: the token stays as written, up to its ';'
        } else if (c == ';') {
            inToken = false;
        }
        out.push_back({widenByte(static_cast<unsigned char>(c)), i, i + 1});
        ++i;
    }
}

// The length of the tag ("<b>", "</b>", "<i>", "</i>", any letter case) that begins at unit i,
// or 0.
std::size_t tagAt(const std::vector<Unit>& units, std::size_t i) {
    if (units[i].ch != u'<') return 0;
    std::size_t j = i + 1;
    if (j < units.size() && units[j].ch == u'/') ++j;
    if (j + 1 >= units.size()) return 0;
    const char16_t letter = units[j].ch | 0x20; // 'B' and 'b' alone give 'b'
    if ((letter == u'b' || letter == u'i') && units[j + 1].ch == u'>') return j + 2 - i;
    return 0;
}

// The decoded units without their tags, each run of white space made one space that stands for
// all its bytes. Tags never overlap, so which ones are found does not depend on where the units
// begin (unless they begin inside one).
std::vector<Unit> lineOf(const std::vector<Unit>& decoded) {
    std::vector<Unit> line;
    line.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size();) {
        if (const std::size_t tag = tagAt(decoded, i)) {
            i += tag;
            continue;
        }
        const Unit& u = decoded[i++];
        if (!QChar::isSpace(u.ch)) {
            line.push_back(u);
        } else if (!line.empty() && line.back().ch == u' ') {
            line.back().to = u.to; // a removed tag between two spaces leaves one run
        } else {
            line.push_back({u' ', u.from, u.to});
        }
    }
    return line;
}

// Cuts the snippet out of a line of entry text that holds the match at [pos, pos + len);
// `wholeStart` / `wholeEnd`: the line begins / ends where the entry does.
Snippet cutAround(QStringView line, qsizetype pos, qsizetype len, bool wholeStart, bool wholeEnd) {
    len = std::min(len, line.size() - pos);
    qsizetype first = 0;
    qsizetype last = line.size();
    if (wholeStart && first < pos && line[first] == u' ') ++first;
    if (wholeEnd && last > pos + len && line[last - 1] == u' ') --last;
    const qsizetype shown = std::min(len, kSnippetLength - kSnippetLeadOfLongMatch);
    const qsizetype room = kSnippetLength - shown;
    const qsizetype before = pos - first;
    const qsizetype after = shown < len ? 0 : last - pos - len;
    // Half the room before the match; what one side cannot use goes to the other.
    qsizetype lead = std::min(before, room / 2);
    const qsizetype trail = std::min(after, room - lead);
    lead = std::min(before, room - trail);
    qsizetype b = pos - lead;
    qsizetype e = pos + shown + trail;
    const bool cutStart = b > first || !wholeStart;
    const bool cutEnd = e < last || !wholeEnd;
    // A cut inside a word moves to the space nearby, giving up a few characters: "…cyning" rather
    // than "…ning".
    if (cutStart && b > 0 && line[b - 1] != u' ' && line[b] != u' ') {
        const qsizetype space = line.first(std::min(pos, b + kWordSlack)).indexOf(u' ', b);
        if (space >= 0) b = space;
    }
    if (cutEnd && e < line.size() && line[e - 1] != u' ' && line[e] != u' ') {
        const qsizetype space = line.first(e).lastIndexOf(u' ');
        if (space >= std::max(pos + shown, e - kWordSlack)) e = space;
    }
    while (b < pos && line[b] == u' ') ++b;
    while (e > pos + shown && line[e - 1] == u' ') --e;

    Snippet snippet;
    snippet.text.reserve(e - b + 2);
    if (cutStart) snippet.text.append(QChar(kEllipsis));
    snippet.matchPos = snippet.text.size() + pos - b;
    snippet.matchLength = shown;
    snippet.text.append(line.sliced(b, e - b));
    if (cutEnd) snippet.text.append(QChar(kEllipsis));
    return snippet;
}

} // namespace

Snippet makeSnippet(const TMapTextfile& text, std::int32_t entryStart, std::int32_t matchOffset,
                    std::int32_t matchLength, qsizetype firstReach) {
    const QByteArrayView all = text.bytes();
    const qsizetype size = all.size();
    const qsizetype start = std::clamp<qsizetype>(entryStart, 0, size);
    const qsizetype ms = std::min(start + std::max<qsizetype>(matchOffset, 0), size);
    const qsizetype me = std::min(ms + std::max<qsizetype>(matchLength, 0), size);

    std::vector<Unit> decoded;
    firstReach = std::clamp<qsizetype>(firstReach, 1, kMostReach);
    for (qsizetype leftReach = firstReach, rightReach = firstReach;;) {
        const qsizetype w0 = std::max(start, ms - leftReach);
        // The entry ends at the next '#'; past the window, a token may be read up to its ';'.
        const qsizetype look = std::min(size, ms + rightReach + static_cast<qsizetype>(kLongestEntityName));
        const qsizetype hash = all.first(look).indexOf('#', ms);
        const bool atStart = w0 == start;
        const bool atEnd = hash >= 0 || look == size;
        const qsizetype w1 = hash >= 0 ? hash : (atEnd ? size : ms + rightReach);

        const Resume resume = atStart ? Resume{start, false} : resumeAt(all, start, w0);
        decoded.clear();
        decodeRange(all, resume.at, w1, atEnd ? w1 : look, resume.inToken, decoded);
        const std::vector<Unit> line = lineOf(decoded);

        // The units that decoding the whole entry gives alike: all but those at a window edge.
        const std::size_t n = decoded.size();
        const qsizetype trustFrom = atStart ? start : (n > kEdgeUnits ? decoded[kEdgeUnits].from : w1);
        const qsizetype trustTo = atEnd ? w1 : (n > kEdgeUnits ? decoded[n - kEdgeUnits].from : w0);
        qsizetype lo = 0;
        qsizetype hi = static_cast<qsizetype>(line.size());
        while (lo < hi && line[static_cast<std::size_t>(lo)].from < trustFrom) ++lo;
        while (hi > lo && line[static_cast<std::size_t>(hi - 1)].to > trustTo) --hi;

        // The match: from the unit holding its first byte to the one holding its last.
        const auto lineSize = static_cast<qsizetype>(line.size());
        qsizetype pos = 0;
        while (pos < lineSize && line[static_cast<std::size_t>(pos)].to <= ms) ++pos;
        qsizetype end = pos;
        if (me > ms) {
            while (end < lineSize && line[static_cast<std::size_t>(end)].from < me) ++end;
        }

        // Enough is known when kSnippetLength characters lie on either side of the match's start,
        // and one more, which tells whether a cut splits a word.
        const bool leftShort = !atStart && pos - lo <= kSnippetLength;
        const bool rightShort = !atEnd && hi - pos <= kSnippetLength;
        const bool growLeft = leftShort && leftReach < kMostReach;
        const bool growRight = rightShort && rightReach < kMostReach;
        if (growLeft || growRight) {
            if (growLeft) leftReach *= 2;
            if (growRight) rightReach *= 2;
            continue;
        }
        if (leftShort || rightShort) {
            // Tags or white space over the whole reach: make do with every unit read.
            lo = 0;
            hi = lineSize;
        }
        QString chars(hi - lo, Qt::Uninitialized);
        for (qsizetype i = lo; i < hi; ++i) chars[i - lo] = QChar(line[static_cast<std::size_t>(i)].ch);
        pos = std::clamp(pos, lo, hi);
        end = std::clamp(end, pos, hi);
        return cutAround(chars, pos - lo, end - pos, atStart, atEnd);
    }
}

} // namespace wordhoard
