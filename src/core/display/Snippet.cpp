// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/Snippet.h"

#include "display/EntryFormat.h"
#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntityTable.h"
#include "text/MapTextfile.h"

#include <QByteArrayView>
#include <QChar>

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <vector>

namespace wordhoard {

namespace {

// One character of decoded entry text and the raw bytes [from, to) it stands for.
struct Unit {
    char16_t ch;
    qsizetype from;
    qsizetype to;
};

// The most raw bytes read after a match; beyond it (tags or white space all the way) a snippet
// makes do with fewer characters. The first reach, 240 bytes, is some 30 words of dictionary
// text: one reading is enough but where entities or tags crowd together.
constexpr qsizetype kMostReach = qsizetype{1} << 16;
// A tag cut by the window's end leaves at most 3 of its characters inside ("</b" of "</b>"), and
// a tag that the pane makes by joining what stands around a removed one ("<" + "<b>" + "b>") holds
// at most 3 before the join; so many characters at an end that is not the entry's own are not
// trusted.
constexpr qsizetype kEdgeUnits = 3;

constexpr char16_t kEllipsis = u'\u2026';
// How far a cut end moves back to the space before a word it would split.
constexpr qsizetype kWordSlack = 15;

// Entry text as the pane decodes it: every character in `chars`, and from a byte `split` on each
// with its bytes in `units` (units[k] is chars[first + k]).
struct Decoded {
    QString chars;
    std::vector<Unit> units;
    qsizetype first = -1;
};

// Decodes the text that begins at `start`, from there up to `end`, into `out`; a token begun
// before `end` is read up to its ';' if that lies before `look`.
void decode(Decoded& out, QByteArrayView all, qsizetype start, qsizetype end, qsizetype look,
            qsizetype split) {
    const auto add = [&](char16_t ch, qsizetype from, qsizetype to) {
        if (out.first < 0) out.first = out.chars.size();
        out.units.push_back({ch, from, to});
        out.chars += QChar(ch);
    };
    readEntityTokens(
        all.sliced(start, look - start),
        [&](qsizetype from, qsizetype to) {
            from += start;
            to = std::min(start + to, end);
            if (from < split) {
                const qsizetype before = std::min(to, split);
                appendWidened(out.chars, all.sliced(from, before - from));
                from = before;
            }
            for (qsizetype i = from; i < to; ++i) {
                add(widenByte(static_cast<unsigned char>(all[i])), i, i + 1);
            }
        },
        [&](qsizetype from, qsizetype to, char16_t ch) {
            if (start + from >= end) return;
            if (start + from < split) {
                out.chars += QChar(ch);
            } else {
                add(ch, start + from, start + to);
            }
        });
}

// What the pane shows of the decoded units: without the tags it removes, each run of white space,
// line breaks included, made one space that stands for all its bytes. Nothing when that needs
// the find-and-delete itself and the units do not begin where the characters do.
std::optional<std::vector<Unit>> lineOf(const Decoded& decoded) {
    const std::vector<Unit>& units = decoded.units;
    const auto first = static_cast<std::size_t>(std::max<qsizetype>(decoded.first, 0));
    std::vector<std::size_t> kept;
    kept.reserve(units.size());
    if (const std::optional<std::vector<bool>> removed = removedTags(decoded.chars)) {
        for (std::size_t k = 0; k < units.size(); ++k) {
            if (!(*removed)[first + k]) kept.push_back(k);
        }
    } else if (static_cast<qsizetype>(units.size()) == decoded.chars.size()) {
        // The pane's own find-and-delete (formatEntry's), keeping where each unit came from.
        QString text = decoded.chars;
        std::vector<qsizetype> origins(units.size());
        std::iota(origins.begin(), origins.end(), 0);
        std::vector<std::uint8_t> styles(units.size(), kStylePlain);
        styleTagPairs(text, styles, TagPair::Bold, text.size(), &origins);
        styleTagPairs(text, styles, TagPair::Italic, text.size(), &origins);
        kept.assign(origins.begin(), origins.end());
    } else {
        return std::nullopt;
    }

    std::vector<Unit> line;
    line.reserve(kept.size());
    for (const std::size_t k : kept) {
        const Unit& u = units[k];
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

    const qsizetype paneStart = std::max<qsizetype>(start - 3, 0);
    firstReach = std::clamp<qsizetype>(firstReach, 1, kMostReach);
    bool fromStart = false;
    for (qsizetype leftReach = firstReach, rightReach = firstReach;;) {
        // The entry ends at the next '#'; past the window, a token may be read up to its ';'.
        const qsizetype look = std::min(size, ms + rightReach + static_cast<qsizetype>(kLongestEntityName));
        const qsizetype hash = all.first(look).indexOf('#', ms);
        const bool atEnd = hash >= 0 || look == size;
        const qsizetype w1 = hash >= 0 ? hash : (atEnd ? size : ms + rightReach);
        // The pane shows the entry from its '#' + 1: the tags of the three bytes before the start,
        // the headword's "<b>", count. They are decoded on their own, as the search reads the
        // entry from its start. Units (with their bytes) are kept from `leftReach` bytes before
        // the match on; which tags the pane removes is told from every character before them.
        const qsizetype split = fromStart ? paneStart : std::max(paneStart, ms - leftReach);
        Decoded decoded;
        decoded.chars.reserve(w1 - paneStart);
        decoded.units.reserve(static_cast<std::size_t>(w1 - split));
        decode(decoded, all, paneStart, start, start, split);
        decode(decoded, all, start, w1, atEnd ? w1 : look, split);
        std::optional<std::vector<Unit>> shownLine = lineOf(decoded);
        if (!shownLine) {
            // Tags that may join: the find-and-delete itself, over every unit from the start.
            fromStart = true;
            continue;
        }
        std::vector<Unit>& line = *shownLine;
        const auto shownFromStart = [&](const Unit& u) { return u.to > start; };
        line.erase(line.begin(), std::find_if(line.begin(), line.end(), shownFromStart));
        if (!line.empty()) line.front().from = std::max(line.front().from, start);

        // The match: from the unit holding its first byte to the one holding its last.
        const auto lineSize = static_cast<qsizetype>(line.size());
        qsizetype pos = 0;
        while (pos < lineSize && line[static_cast<std::size_t>(pos)].to <= ms) ++pos;
        qsizetype end = pos;
        if (me > ms) {
            while (end < lineSize && line[static_cast<std::size_t>(end)].from < me) ++end;
        }
        // Enough is known when kSnippetLength characters stand before the match's start and
        // kSnippetLength trusted ones after it, and one more, which tells whether a cut splits a
        // word.
        const bool atStart = split == paneStart;
        const qsizetype trusted = atEnd ? lineSize : std::max<qsizetype>(lineSize - kEdgeUnits, 0);
        const bool leftShort = !atStart && pos <= kSnippetLength;
        const bool rightShort = !atEnd && trusted - pos <= kSnippetLength;
        if ((leftShort && leftReach < kMostReach) || (rightShort && rightReach < kMostReach)) {
            if (leftShort) leftReach *= 2;
            if (rightShort) rightReach *= 2;
            continue;
        }
        // Tags or white space over the whole reach: make do with every unit read.
        const qsizetype hi = rightShort ? lineSize : trusted;
        QString shown(hi, Qt::Uninitialized);
        for (qsizetype i = 0; i < hi; ++i) shown[i] = QChar(line[static_cast<std::size_t>(i)].ch);
        pos = std::min(pos, hi);
        end = std::clamp(end, pos, hi);
        return cutAround(shown, pos, end - pos, atStart, atEnd);
    }
}

} // namespace wordhoard
