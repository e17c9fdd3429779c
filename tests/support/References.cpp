// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "References.h"

#include "display/EntryDisplay.h"
#include "text/CodePage.h"
#include "text/EntryIndex.h"
#include "text/MapTextfile.h"
#include "text/EntityTable.h"
#include "text/Folding.h"

#include <algorithm>

namespace wordhoard::reference {

QString referenceDecode(QStringView text) {
    QString out;
    QString token;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out.append(text[i]);
            continue;
        }
        token.clear();
        while (i < text.size()) {
            token.append(text[i]);
            if (text[i] == u';') break;
            ++i;
        }
        bool replaced = false;
        for (const EntityRow& row : EntityTable) {
            if (token == QLatin1String(row.name.data(), static_cast<qsizetype>(row.name.size()))) {
                out.append(QChar(row.character));
                replaced = true;
                break;
            }
        }
        if (!replaced) out.append(token);
    }
    return out;
}

namespace {

// Every search starts again from position 0 of the range; a match must lie wholly inside
// (start, start + count).
qsizetype findInRange(const QString& text, QStringView what, qsizetype start, qsizetype count) {
    const qsizetype end = std::min(text.size(), start + count);
    if (start < 0 || end - start < what.size()) return -1;
    return QStringView(text).first(end).indexOf(what, start, Qt::CaseInsensitive);
}

void deleteAt(QString& text, std::vector<std::uint8_t>& styles, qsizetype pos, qsizetype count) {
    text.remove(pos, count);
    styles.erase(styles.begin() + pos, styles.begin() + pos + count);
}

void literalPass(QString& text, std::vector<std::uint8_t>& styles, QStringView open, QStringView close,
                 std::uint8_t style, qsizetype n) {
    for (;;) {
        const qsizetype p = findInRange(text, open, 0, n);
        if (p < 0) return;
        deleteAt(text, styles, p, open.size());
        const qsizetype e = findInRange(text, close, p, n - p);
        if (e < 0) continue;
        for (qsizetype i = p; i < e; ++i) styles[static_cast<std::size_t>(i)] |= style;
        deleteAt(text, styles, e, close.size());
    }
}

} // namespace

FormattedEntry literalFormat(const QString& decoded, qsizetype n, const QString& mark) {
    FormattedEntry r{decoded, std::vector<std::uint8_t>(static_cast<std::size_t>(decoded.size()), 0), {}};
    literalPass(r.text, r.styles, u"<b>", u"</b>", kStyleBold, n);
    literalPass(r.text, r.styles, u"<i>", u"</i>", kStyleItalic, n);
    if (mark.isEmpty()) return r;
    for (qsizetype p = 0;;) {
        const qsizetype at = findInRange(r.text, mark, p, n);
        if (at < 0) break;
        r.marks.push_back({at, mark.size()});
        for (qsizetype i = at; i < at + mark.size(); ++i) r.styles[static_cast<std::size_t>(i)] |= kStyleMark;
        p = at + mark.size();
    }
    return r;
}

namespace {

QByteArrayView beforeZero(QByteArrayView pattern) {
    const qsizetype zero = pattern.indexOf('\0');
    return zero < 0 ? pattern : pattern.first(zero);
}

} // namespace

std::int32_t naiveFind(QByteArrayView text, std::int32_t cursor, QByteArrayView pattern, std::int32_t start,
                       std::int32_t limit) {
    const auto size = static_cast<std::int32_t>(text.size());
    if (limit <= 0 || limit > size) limit = size;
    if (start < 0) start = cursor;
    if (start > limit) return -1;
    pattern = beforeZero(pattern);
    if (pattern.isEmpty()) return -1;
    for (std::int32_t pos = start; pos < size; ++pos) {
        bool ok = true;
        for (qsizetype j = 0; j < pattern.size(); ++j) {
            if (pos + j >= limit || text[pos + j] != pattern[j]) {
                ok = false;
                break;
            }
        }
        if (ok) return pos;
    }
    return -1;
}

std::int32_t naiveFindWild(QByteArrayView text, std::int32_t cursor, QByteArrayView pattern, std::int32_t start,
                           std::int32_t limit, char stop, char wild) {
    const auto size = static_cast<std::int32_t>(text.size());
    if (limit <= 0 || limit > size) limit = size;
    if (start < 0) start = cursor;
    if (start > limit) return -1;
    pattern = beforeZero(pattern);
    const auto m = static_cast<std::int32_t>(pattern.size());
    if (m == 0) return -1;
    for (std::int32_t pos = start; pos < size; ++pos) {
        for (std::int32_t j = 0;;) {
            if (pos + j >= limit) break;
            if (pattern[j] != text[pos + j] && pattern[j] != wild) break;
            ++j;
            if (j == m || pattern[j] == stop) return pos;
        }
    }
    return -1;
}

FoldedEntries::FoldedEntries(QByteArrayView text) {
    for (qsizetype hash = text.indexOf('#'); hash >= 0;) {
        const qsizetype start = std::min(hash + 4, text.size());
        qsizetype end = text.indexOf('#', start);
        if (end < 0) end = text.size();
        starts.push_back(static_cast<std::int32_t>(start));
        folded.push_back(foldText(referenceDecode(widen(text.sliced(start, end - start)))));
        hash = end < text.size() ? end : -1;
    }
}

std::vector<std::int32_t> FoldedEntries::holding(QStringView term) const {
    const QString want = foldText(term);
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (folded[i].contains(want)) out.push_back(starts[i]);
    }
    return out;
}

std::vector<ReferenceLink> linksReadInFull(const TMapTextfile& text, const EntryIndex& index,
                                           const LinkResolver& resolve) {
    std::vector<ReferenceLink> all;
    const QByteArrayView bytes = text.bytes();
    for (qsizetype line = 0; line < index.size(); ++line) {
        const std::int32_t from = index.offsets[static_cast<std::size_t>(line)];
        const FormattedEntry full = displayEntry(text, from, {}).formatted;
        std::vector<ReferenceLink> entry;
        for (const ReferenceWord& word : referenceWords(full.text, full.styles)) {
            std::vector<qsizetype> lines;
            resolve(QStringView(full.text).sliced(word.pos, word.len), lines);
            std::vector<std::int32_t> targets;
            for (const qsizetype l : lines) {
                const std::int32_t target = index.offsets[static_cast<std::size_t>(l)];
                if (l != line && std::find(targets.begin(), targets.end(), target) == targets.end()) {
                    targets.push_back(target);
                }
            }
            if (targets.empty()) continue;
            entry.push_back({from, word.pos, word.len, targets.front(), {targets.begin() + 1, targets.end()},
                             full.text.mid(word.pos, word.len), {}});
        }
        const qsizetype first = qsizetype{from} - 3;
        const QByteArrayView raw = bytes.sliced(first, entryLastByte(text, from) + 1 - first);
        qsizetype shown = -1;
        for (qsizetype at = raw.indexOf('@'); at >= 0; at = raw.indexOf('@', at + 1)) {
            shown = full.text.indexOf(u'@', shown + 1);
            const qsizetype name = first + at + 1;
            const qsizetype len = std::min<qsizetype>(9, full.text.size() - shown);
            entry.push_back({from, shown, len, -1, {}, full.text.mid(shown, len),
                             widen(bytes.sliced(name, std::min<qsizetype>(8, bytes.size() - name)))});
        }
        std::stable_sort(entry.begin(), entry.end(),
                         [](const auto& a, const auto& b) { return a.pos < b.pos; });
        all.insert(all.end(), entry.begin(), entry.end());
    }
    return all;
}

std::vector<ReferenceLink> linksHeld(const LinkIndex& links) {
    std::vector<ReferenceLink> all;
    for (const LinkIndex::Link& link : links.all()) {
        const auto others = links.homographs(link);
        all.push_back({link.from, link.pos, link.len, link.target, {others.begin(), others.end()}, link.text,
                       link.page});
    }
    return all;
}

} // namespace wordhoard::reference
