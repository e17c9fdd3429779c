// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/EntryFormat.h"

#include "text/Folding.h"

#include <algorithm>
#include <array>
#include <memory>
#include <set>

namespace wordhoard {

namespace {

struct Tag {
    std::array<char16_t, 4> units;
    qsizetype length;
};

constexpr Tag kBoldOpen{{u'<', u'b', u'>', 0}, 3};
constexpr Tag kBoldClose{{u'<', u'/', u'b', u'>'}, 4};
constexpr Tag kItalicOpen{{u'<', u'i', u'>', 0}, 3};
constexpr Tag kItalicClose{{u'<', u'/', u'i', u'>'}, 4};

// Case-insensitive the way QString's search is: of all UTF-16 units only 'B' folds to 'b' and only
// 'I' to 'i' ('\u0130' and '\u0131' do not), and '<', '/', '>' match only themselves.
bool unitMatches(char16_t unit, char16_t tagUnit) {
    return unit == tagUnit || (tagUnit >= u'a' && tagUnit <= u'z' && unit == tagUnit - (u'a' - u'A'));
}

// Live units before a given index, for the searches that n bounds to a shorter range than the text.
// A Fenwick tree: removing a unit and counting the live ones before an index are O(log size).
class LiveCounter {
public:
    explicit LiveCounter(qsizetype size) : m_tree(static_cast<std::size_t>(size) + 1, 0) {
        for (qsizetype i = 1; i <= size; ++i) {
            m_tree[static_cast<std::size_t>(i)] += 1;
            const qsizetype parent = i + (i & -i);
            if (parent <= size) {
                m_tree[static_cast<std::size_t>(parent)] += m_tree[static_cast<std::size_t>(i)];
            }
        }
    }
    void remove(qsizetype index) {
        for (qsizetype i = index + 1; i < static_cast<qsizetype>(m_tree.size()); i += i & -i) {
            m_tree[static_cast<std::size_t>(i)] -= 1;
        }
    }
    qsizetype before(qsizetype index) const {
        qsizetype count = 0;
        for (qsizetype i = index; i > 0; i -= i & -i) count += m_tree[static_cast<std::size_t>(i)];
        return count;
    }

private:
    std::vector<qsizetype> m_tree;
};

// One find-and-delete pass over the text, kept in the original indices of its units: deleted units
// are unlinked from a doubly linked list, and the ordered sets hold the start of every opening and
// closing tag of the current text. A deletion can only end tags it removes (no two of the four
// tags can overlap) and only create tags that span the spot where it joined two units, so each
// deletion updates the sets by looking at the few units before that spot. "The first tag from
// position 0" is then the smallest element of a set, and the current order is the original order.
class TagPass {
public:
    TagPass(QStringView text, const Tag& open, const Tag& close, qsizetype n)
        : m_text(text), m_open(open), m_close(close), m_size(text.size()), m_n(std::max<qsizetype>(n, 0)) {
        for (qsizetype i = 0; i < m_size; ++i) {
            if (text[i] != u'<') continue;
            if (matchesAt(i, m_open)) m_opens.insert(m_opens.end(), i);
            if (matchesAt(i, m_close)) m_closes.insert(m_closes.end(), i);
        }
    }

    bool hasWork() const { return !m_opens.empty(); }

    void run() {
        m_next.resize(static_cast<std::size_t>(m_size));
        m_prev.resize(static_cast<std::size_t>(m_size));
        for (qsizetype i = 0; i < m_size; ++i) {
            m_next[static_cast<std::size_t>(i)] = i + 1;
            m_prev[static_cast<std::size_t>(i)] = i - 1;
        }
        m_live.assign(static_cast<std::size_t>(m_size), 1);
        m_cover.assign(static_cast<std::size_t>(m_size) + 1, 0);
        // While n covers the whole text it covers every shorter state of it too.
        if (m_n < m_size) m_counter = std::make_unique<LiveCounter>(m_size);

        while (!m_opens.empty()) {
            const qsizetype open = *m_opens.begin();
            if (!fits(open, m_open.length)) break;  // later ones lie further right
            m_opens.erase(m_opens.begin());
            const qsizetype after = remove(open, m_open.length);
            const auto close = m_closes.lower_bound(after);
            if (close == m_closes.end() || !fits(*close, m_close.length)) continue;
            const qsizetype end = *close;
            m_closes.erase(close);
            if (after < end) {
                ++m_cover[static_cast<std::size_t>(after)];
                --m_cover[static_cast<std::size_t>(end)];
            }
            remove(end, m_close.length);
        }
    }

    // Writes the surviving units and their styles, adding `style` to the covered ones, and keeps
    // `origins` (if any) alongside.
    void apply(QString& text, std::vector<std::uint8_t>& styles, std::uint8_t style,
               std::vector<qsizetype>* origins) const {
        const qsizetype kept = std::count(m_live.begin(), m_live.end(), std::uint8_t{1});
        QString outText(kept, Qt::Uninitialized);
        std::vector<std::uint8_t> outStyles(static_cast<std::size_t>(kept));
        QChar* out = outText.data();
        qsizetype o = 0;
        int depth = 0;
        for (qsizetype i = 0; i < m_size; ++i) {
            const auto u = static_cast<std::size_t>(i);
            depth += m_cover[u];
            if (!m_live[u]) continue;
            out[o] = m_text[i];
            outStyles[static_cast<std::size_t>(o)] =
                static_cast<std::uint8_t>(styles[u] | (depth > 0 ? style : std::uint8_t{kStylePlain}));
            if (origins) (*origins)[static_cast<std::size_t>(o)] = (*origins)[u];
            ++o;
        }
        text = std::move(outText);
        styles = std::move(outStyles);
        if (origins) origins->resize(static_cast<std::size_t>(kept));
    }

private:
    // Whether the live units from `start` on spell `tag`.
    bool matchesAt(qsizetype start, const Tag& tag) const {
        const bool linked = !m_next.empty();
        qsizetype u = start;
        for (qsizetype k = 0; k < tag.length; ++k) {
            if (u < 0 || u >= m_size) return false;
            if (!unitMatches(m_text[u].unicode(), tag.units[static_cast<std::size_t>(k)])) return false;
            u = linked ? m_next[static_cast<std::size_t>(u)] : u + 1;
        }
        return true;
    }

    // Whether the tag starting at unit `index` ends within the first n positions of the current text.
    bool fits(qsizetype index, qsizetype length) const {
        return !m_counter || m_counter->before(index) + length <= m_n;
    }

    // Deletes `length` live units from `first` on; returns the unit now following them (or m_size).
    qsizetype remove(qsizetype first, qsizetype length) {
        const qsizetype before = m_prev[static_cast<std::size_t>(first)];
        qsizetype u = first;
        for (qsizetype k = 0; k < length; ++k) {
            m_live[static_cast<std::size_t>(u)] = 0;
            if (m_counter) m_counter->remove(u);
            u = m_next[static_cast<std::size_t>(u)];
        }
        const qsizetype after = u;
        if (before >= 0) m_next[static_cast<std::size_t>(before)] = after;
        if (after < m_size) m_prev[static_cast<std::size_t>(after)] = before;
        noteJoin(before, m_open, m_opens);
        noteJoin(before, m_close, m_closes);
        return after;
    }

    // A tag that spans the join starts at one of the length - 1 live units before it.
    void noteJoin(qsizetype before, const Tag& tag, std::set<qsizetype>& starts) const {
        qsizetype s = before;
        for (qsizetype k = 1; k < tag.length && s >= 0; ++k) {
            if (matchesAt(s, tag)) starts.insert(s);
            s = m_prev[static_cast<std::size_t>(s)];
        }
    }

    QStringView m_text;
    const Tag& m_open;
    const Tag& m_close;
    qsizetype m_size;
    qsizetype m_n;
    std::set<qsizetype> m_opens;
    std::set<qsizetype> m_closes;
    std::vector<qsizetype> m_next;
    std::vector<qsizetype> m_prev;
    std::vector<std::uint8_t> m_live;
    std::vector<int> m_cover;  // +1 where a styled range starts, -1 where it ends
    std::unique_ptr<LiveCounter> m_counter;
};

// Whether a unit can stand before (after) the join of a tag, as '<' does in "<" + "b>".
bool beginsTag(QChar unit) {
    return unit == u'<' || unit == u'/' || unit == u'b' || unit == u'B' || unit == u'i' || unit == u'I';
}
bool endsTag(QChar unit) {
    return unit == u'/' || unit == u'b' || unit == u'B' || unit == u'i' || unit == u'I' || unit == u'>';
}

// The tag ("<b>", "</b>", "<i>", "</i>", 'B' and 'I' too) at text[at]: its length, whether it
// closes, and whether it is italic; a length of 0 where none begins.
struct TagAt {
    qsizetype length = 0;
    bool closes = false;
    bool italic = false;
};
TagAt tagAt(QStringView text, qsizetype at) {
    qsizetype j = at + 1;
    const bool closes = j < text.size() && text[j] == u'/';
    if (closes) ++j;
    if (j + 1 >= text.size() || text[j + 1] != u'>') return {};
    const char16_t letter = text[j].unicode();
    if (letter != u'b' && letter != u'B' && letter != u'i' && letter != u'I') return {};
    return {j + 2 - at, closes, letter == u'i' || letter == u'I'};
}

} // namespace

void styleTagPairs(QString& text, std::vector<std::uint8_t>& styles, TagPair pair, qsizetype n,
                   std::vector<qsizetype>* origins) {
    const bool bold = pair == TagPair::Bold;
    TagPass pass(text, bold ? kBoldOpen : kItalicOpen, bold ? kBoldClose : kItalicClose, n);
    if (!pass.hasWork()) return;
    pass.run();
    pass.apply(text, styles, bold ? kStyleBold : kStyleItalic, origins);
}

std::optional<std::vector<bool>> removedTags(QStringView text) {
    std::vector<bool> removed(static_cast<std::size_t>(text.size()));
    std::array<int, 2> open{0, 0}; // bold, italic
    qsizetype runStart = -1;
    qsizetype runEnd = -1;
    const auto mayJoin = [&] {
        return runStart > 0 && runEnd < text.size() && beginsTag(text[runStart - 1]) && endsTag(text[runEnd]);
    };
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        const TagAt tag = tagAt(text, at);
        if (tag.length == 0) continue;
        if (at != runEnd) {
            if (mayJoin()) return std::nullopt;
            runStart = at;
        }
        runEnd = at + tag.length;
        int& pending = open[tag.italic ? 1 : 0];
        if (tag.closes && pending == 0) continue;
        pending += tag.closes ? -1 : 1;
        std::fill_n(removed.begin() + at, tag.length, true);
    }
    if (mayJoin()) return std::nullopt;
    return removed;
}

std::vector<MarkRange> findMarks(QStringView text, QStringView term, qsizetype n) {
    std::vector<MarkRange> marks;
    if (term.isEmpty() || n <= 0) return marks;
    qsizetype p = 0;
    for (;;) {
        const qsizetype limit = n >= text.size() - p ? text.size() : p + n;
        if (limit - p < term.size()) break;
        const qsizetype r = text.first(limit).indexOf(term, p, Qt::CaseInsensitive);
        if (r < 0) break;
        marks.push_back({r, term.size()});
        p = r + term.size();
    }
    return marks;
}

FormattedEntry formatEntry(QStringView decoded, qsizetype n, QStringView mark, bool looseMarks) {
    FormattedEntry entry;
    entry.text = decoded.toString();
    entry.styles.assign(static_cast<std::size_t>(entry.text.size()), kStylePlain);
    styleTagPairs(entry.text, entry.styles, TagPair::Bold, n);
    styleTagPairs(entry.text, entry.styles, TagPair::Italic, n);
    if (looseMarks) {
        // Unit for unit, so that a folded position is the text's own.
        QString folded = entry.text;
        for (QChar& ch : folded) ch = QChar(foldUnit(ch.unicode()));
        entry.marks = findMarks(folded, foldText(mark), n);
    } else {
        entry.marks = findMarks(entry.text, mark, n);
    }
    for (const MarkRange& m : entry.marks) {
        for (qsizetype i = m.pos; i < m.pos + m.len; ++i) {
            entry.styles[static_cast<std::size_t>(i)] |= kStyleMark;
        }
    }
    return entry;
}

} // namespace wordhoard
